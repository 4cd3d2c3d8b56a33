// The placeholder art's pictures: blending, copying onto pages, and the PNG and JPEG writers.
#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include <jpeglib.h>

#include "png_file_writer.h"

namespace samplepack {

namespace {

float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

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

void Canvas::SetRgba(std::vector<uint8_t> rgba) {
  if (rgba.size() == m_rgba.size()) m_rgba = std::move(rgba);
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
    // No transparency in a JPEG: what is clear comes out white, as the loader's screen under it.
    for (int x = 0; x < canvas.width(); ++x) {
      const uint8_t* p = &px[(y * canvas.width() + x) * 4];
      for (int k = 0; k < 3; ++k)
        row[(size_t)x * 3 + k] = (uint8_t)((p[k] * p[3] + 255 * (255 - p[3]) + 127) / 255);
    }
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
