// The placeholder art's canvas: shapes by signed distance, so edges and outlines come out smooth.
#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <jpeglib.h>

#include "png_file_writer.h"

namespace samplepack {

namespace {

float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

float Length(float x, float y) { return std::sqrt(x * x + y * y); }

// Distance to a polygon: negative inside (even-odd rule).
float PolygonDistance(const std::vector<Point>& poly, float px, float py) {
  float best = 1e30f;
  bool inside = false;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const Point& a = poly[j];
    const Point& b = poly[i];
    float ex = b.x - a.x, ey = b.y - a.y;
    float wx = px - a.x, wy = py - a.y;
    float len2 = ex * ex + ey * ey;
    float t = len2 > 0 ? Clamp01((wx * ex + wy * ey) / len2) : 0;
    float dx = wx - ex * t, dy = wy - ey * t;
    best = std::min(best, dx * dx + dy * dy);
    if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  float d = std::sqrt(best);
  return inside ? -d : d;
}

} // namespace

Colour Hsv(float hue, float s, float v, uint8_t alpha) {
  hue = hue - std::floor(hue);
  float h = hue * 6.0f;
  int i = (int)h % 6;
  float f = h - std::floor(h);
  float p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
  float r = 0, g = 0, b = 0;
  switch (i) {
  case 0:
    r = v, g = t, b = p;
    break;
  case 1:
    r = q, g = v, b = p;
    break;
  case 2:
    r = p, g = v, b = t;
    break;
  case 3:
    r = p, g = q, b = v;
    break;
  case 4:
    r = t, g = p, b = v;
    break;
  default:
    r = v, g = p, b = q;
    break;
  }
  return Colour{(uint8_t)std::lround(r * 255), (uint8_t)std::lround(g * 255), (uint8_t)std::lround(b * 255),
                alpha};
}

Colour Darker(Colour c, float factor) {
  return Colour{(uint8_t)(c.r * factor), (uint8_t)(c.g * factor), (uint8_t)(c.b * factor), c.a};
}

Colour Lighter(Colour c, float factor) {
  auto up = [&](uint8_t v) { return (uint8_t)(v + (255 - v) * factor); };
  return Colour{up(c.r), up(c.g), up(c.b), c.a};
}

Canvas::Canvas(int width, int height)
    : m_width(std::max(width, 1)), m_height(std::max(height, 1)), m_rgba((size_t)m_width * m_height * 4, 0) {}

void Canvas::Fill(Colour c) {
  for (size_t i = 0; i < m_rgba.size(); i += 4) {
    m_rgba[i] = c.r;
    m_rgba[i + 1] = c.g;
    m_rgba[i + 2] = c.b;
    m_rgba[i + 3] = c.a;
  }
}

void Canvas::Blend(int x, int y, Colour c, float coverage) {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height || coverage <= 0) return;
  uint8_t* p = &m_rgba[((size_t)y * m_width + x) * 4];
  float sa = c.a / 255.0f * Clamp01(coverage);
  float da = p[3] / 255.0f;
  float oa = sa + da * (1 - sa);
  if (oa <= 0) return;
  auto mix = [&](uint8_t s, uint8_t d) { return (uint8_t)std::lround((s * sa + d * da * (1 - sa)) / oa); };
  p[0] = mix(c.r, p[0]);
  p[1] = mix(c.g, p[1]);
  p[2] = mix(c.b, p[2]);
  p[3] = (uint8_t)std::lround(oa * 255);
}

template <class Distance>
void Canvas::Shape(float x0, float y0, float x1, float y1, Distance distance, Colour fill, Colour outline,
                   float border) {
  int ix0 = std::max(0, (int)std::floor(x0) - 1), iy0 = std::max(0, (int)std::floor(y0) - 1);
  int ix1 = std::min(m_width - 1, (int)std::ceil(x1) + 1),
      iy1 = std::min(m_height - 1, (int)std::ceil(y1) + 1);
  for (int y = iy0; y <= iy1; ++y) {
    for (int x = ix0; x <= ix1; ++x) {
      float d = distance(x + 0.5f, y + 0.5f);
      if (d > 1) continue;
      if (border > 0) {
        Blend(x, y, outline, 0.5f - d);
        Blend(x, y, fill, 0.5f - (d + border));
      } else {
        Blend(x, y, fill, 0.5f - d);
      }
    }
  }
}

void Canvas::Box(float x0, float y0, float x1, float y1, float radius, Colour fill, Colour outline,
                 float border) {
  float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  float hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
  radius = std::min(radius, std::min(hx, hy));
  Shape(
      x0, y0, x1, y1,
      [&](float px, float py) {
        float qx = std::fabs(px - cx) - (hx - radius), qy = std::fabs(py - cy) - (hy - radius);
        return Length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - radius;
      },
      fill, outline, border);
}

void Canvas::Ellipse(float cx, float cy, float rx, float ry, Colour fill, Colour outline, float border) {
  if (rx <= 0 || ry <= 0) return;
  Shape(
      cx - rx, cy - ry, cx + rx, cy + ry,
      [&](float px, float py) {
        // A first-order distance: exact for circles, close enough for the flat ellipses used.
        float nx = (px - cx) / rx, ny = (py - cy) / ry;
        float k = Length(nx, ny);
        float g = Length(nx / rx, ny / ry);
        return g > 0 ? (k - 1) * k / g : -std::min(rx, ry);
      },
      fill, outline, border);
}

void Canvas::Polygon(const std::vector<Point>& points, Colour fill, Colour outline, float border) {
  if (points.size() < 3) return;
  float x0 = 1e30f, y0 = 1e30f, x1 = -1e30f, y1 = -1e30f;
  for (const Point& p : points) {
    x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
  }
  Shape(
      x0, y0, x1, y1, [&](float px, float py) { return PolygonDistance(points, px, py); }, fill, outline,
      border);
}

void Canvas::Capsule(Point a, Point b, float radius, Colour fill, Colour outline, float border) {
  float x0 = std::min(a.x, b.x) - radius, y0 = std::min(a.y, b.y) - radius;
  float x1 = std::max(a.x, b.x) + radius, y1 = std::max(a.y, b.y) + radius;
  Shape(
      x0, y0, x1, y1,
      [&](float px, float py) {
        float ex = b.x - a.x, ey = b.y - a.y, wx = px - a.x, wy = py - a.y;
        float len2 = ex * ex + ey * ey;
        float t = len2 > 0 ? Clamp01((wx * ex + wy * ey) / len2) : 0;
        return Length(wx - ex * t, wy - ey * t) - radius;
      },
      fill, outline, border);
}

void Canvas::Gradient(Colour top, Colour bottom) {
  for (int y = 0; y < m_height; ++y) {
    float t = m_height > 1 ? (float)y / (m_height - 1) : 0;
    Colour c{(uint8_t)std::lround(top.r + (bottom.r - top.r) * t),
             (uint8_t)std::lround(top.g + (bottom.g - top.g) * t),
             (uint8_t)std::lround(top.b + (bottom.b - top.b) * t), 255};
    for (int x = 0; x < m_width; ++x) {
      uint8_t* p = &m_rgba[((size_t)y * m_width + x) * 4];
      p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = 255;
    }
  }
}

void Canvas::Put(const Canvas& src, int x, int y) {
  for (int row = 0; row < src.m_height; ++row) {
    int ty = y + row;
    if (ty < 0 || ty >= m_height) continue;
    for (int col = 0; col < src.m_width; ++col) {
      int tx = x + col;
      if (tx < 0 || tx >= m_width) continue;
      const uint8_t* s = &src.m_rgba[((size_t)row * src.m_width + col) * 4];
      uint8_t* d = &m_rgba[((size_t)ty * m_width + tx) * 4];
      std::copy(s, s + 4, d);
    }
  }
}

std::string WritePng(const std::string& path, const Canvas& canvas) {
  PngRows rows((size_t)canvas.height());
  const std::vector<uint8_t>& px = canvas.rgba();
  for (int y = 0; y < canvas.height(); ++y)
    rows[(size_t)y].assign(px.begin() + (size_t)y * canvas.width() * 4,
                           px.begin() + (size_t)(y + 1) * canvas.width() * 4);
  return WritePngFile(path, canvas.width(), canvas.height(), 8, PNG_COLOR_TYPE_RGBA, false, rows);
}

std::string WriteJpeg(const std::string& path, const Canvas& canvas, int quality) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return "cannot write " + path;
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, f);
  cinfo.image_width = (JDIMENSION)canvas.width();
  cinfo.image_height = (JDIMENSION)canvas.height();
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row((size_t)canvas.width() * 3);
  const std::vector<uint8_t>& px = canvas.rgba();
  while (cinfo.next_scanline < cinfo.image_height) {
    size_t y = cinfo.next_scanline;
    for (int x = 0; x < canvas.width(); ++x)
      for (int k = 0; k < 3; ++k)
        row[(size_t)x * 3 + k] = px[(y * canvas.width() + x) * 4 + k];
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  bool ok = fflush(f) == 0 && !ferror(f);
  ok = fclose(f) == 0 && ok;
  return ok ? "" : "cannot write " + path;
}

} // namespace samplepack
