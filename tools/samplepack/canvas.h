// An RGBA picture (the art is drawn with cairo, see painter.h, then kept here), the pages it is
// put on, and the writers that store it as PNG or JPEG.
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

  // Blends c over one pixel with the given coverage (0-1).
  void Blend(int x, int y, Colour c, float coverage);

  // Takes over straight RGBA pixels of the canvas's size.
  void SetRgba(std::vector<uint8_t> rgba);

  // Copies src onto this canvas at (x, y), replacing pixels.
  void Put(const Canvas& src, int x, int y);

private:
  int m_width;
  int m_height;
  std::vector<uint8_t> m_rgba;
};

// Empty on success, else what failed.
std::string WritePng(const std::string& path, const Canvas& canvas);
std::string WriteJpeg(const std::string& path, const Canvas& canvas, int quality);

} // namespace samplepack
