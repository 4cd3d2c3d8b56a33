// An RGBA picture with the few anti-aliased shapes the placeholder art is drawn from, and the
// writers that store it as PNG or JPEG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace samplepack {

struct Colour {
  uint8_t r, g, b, a;
};

Colour Hsv(float hue, float saturation, float value, uint8_t alpha = 255);
Colour Darker(Colour c, float factor);
Colour Lighter(Colour c, float factor);

struct Point {
  float x, y;
};

class Canvas {
public:
  Canvas(int width, int height);
  int width() const { return m_width; }
  int height() const { return m_height; }
  const std::vector<uint8_t>& rgba() const { return m_rgba; }

  void Fill(Colour c);
  // Blends c over one pixel with the given coverage (0-1).
  void Blend(int x, int y, Colour c, float coverage);

  // Filled shapes with an outline of the given width (0: none) in outline colour.
  void Box(float x0, float y0, float x1, float y1, float radius, Colour fill, Colour outline, float border);
  void Ellipse(float cx, float cy, float rx, float ry, Colour fill, Colour outline, float border);
  void Polygon(const std::vector<Point>& points, Colour fill, Colour outline, float border);
  // A thick line with round ends.
  void Capsule(Point a, Point b, float radius, Colour fill, Colour outline, float border);
  // Fills everything below the curve y = top(x), with an edge of the given width along it.
  template <class Curve> void FillBelow(Curve top, Colour fill, Colour edge, float border) {
    for (int x = 0; x < m_width; ++x) {
      float t = top(x + 0.5f);
      for (int y = 0; y < m_height; ++y) {
        float d = t - (y + 0.5f); // negative below the curve
        if (d > 1) continue;
        Blend(x, y, edge, 0.5f - d);
        Blend(x, y, fill, 0.5f - (d + border));
      }
    }
  }
  // A vertical gradient over the whole canvas.
  void Gradient(Colour top, Colour bottom);

  // Copies src onto this canvas at (x, y), replacing pixels.
  void Put(const Canvas& src, int x, int y);

private:
  template <class Distance>
  void Shape(float x0, float y0, float x1, float y1, Distance distance, Colour fill, Colour outline,
             float border);

  int m_width;
  int m_height;
  std::vector<uint8_t> m_rgba;
};

// Empty on success, else what failed.
std::string WritePng(const std::string& path, const Canvas& canvas);
std::string WriteJpeg(const std::string& path, const Canvas& canvas, int quality);

} // namespace samplepack
