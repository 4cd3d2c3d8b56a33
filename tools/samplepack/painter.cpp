// The cairo painter: an image surface drawn with paths, the label font set as outlines.
#include "painter.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include <cairo.h>

#include "text.h"

namespace samplepack {

namespace {

void SetColour(cairo_t* cr, Colour c) {
  cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, c.a / 255.0);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line))
    lines.push_back(line);
  if (lines.empty()) lines.push_back("");
  return lines;
}

const double kLineHeight = 1.15;

} // namespace

Painter::Painter(int width, int height, TextRenderer& font)
    : m_width(std::max(width, 1)), m_height(std::max(height, 1)), m_font(font),
      m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, m_width, m_height)),
      m_cr(cairo_create(m_surface)) {
  cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(m_cr, CAIRO_LINE_CAP_ROUND);
}

Painter::~Painter() {
  cairo_destroy(m_cr);
  cairo_surface_destroy(m_surface);
}

void Painter::RoundRect(double x, double y, double w, double h, double r) {
  r = std::max(0.0, std::min(r, std::min(w, h) / 2));
  cairo_new_path(m_cr);
  cairo_new_sub_path(m_cr);
  cairo_arc(m_cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(m_cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(m_cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(m_cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(m_cr);
}

void Painter::Circle(double cx, double cy, double r) {
  cairo_new_path(m_cr);
  cairo_arc(m_cr, cx, cy, std::max(r, 0.0), 0, 2 * M_PI);
  cairo_close_path(m_cr);
}

void Painter::Ellipse(double cx, double cy, double rx, double ry) {
  cairo_new_path(m_cr);
  if (rx <= 0 || ry <= 0) return;
  cairo_save(m_cr);
  cairo_translate(m_cr, cx, cy);
  cairo_scale(m_cr, rx, ry);
  cairo_arc(m_cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_close_path(m_cr);
  cairo_restore(m_cr);
}

void Painter::Polygon(const std::vector<Point>& points) {
  cairo_new_path(m_cr);
  for (size_t i = 0; i < points.size(); ++i) {
    if (i == 0)
      cairo_move_to(m_cr, points[i].x, points[i].y);
    else
      cairo_line_to(m_cr, points[i].x, points[i].y);
  }
  cairo_close_path(m_cr);
}

void Painter::Star(double cx, double cy, double outer, double inner, int points, double angle) {
  std::vector<Point> p;
  for (int k = 0; k < 2 * points; ++k) {
    const double a = angle - M_PI / 2 + k * M_PI / points, r = k % 2 ? inner : outer;
    p.push_back({(float)(cx + std::cos(a) * r), (float)(cy + std::sin(a) * r)});
  }
  Polygon(p);
}

void Painter::Line(double x0, double y0, double x1, double y1) {
  cairo_move_to(m_cr, x0, y0);
  cairo_line_to(m_cr, x1, y1);
}

void Painter::Fill(Colour c) {
  SetColour(m_cr, c);
  cairo_fill_preserve(m_cr);
}

void Painter::Stroke(Colour c, double lineWidth) {
  SetColour(m_cr, c);
  cairo_set_line_width(m_cr, lineWidth);
  cairo_stroke_preserve(m_cr);
}

void Painter::FillStroke(Colour fill, Colour line, double lineWidth) {
  // The outline first at twice its width, the fill over its inner half: the line lies outside.
  if (lineWidth > 0) Stroke(line, 2 * lineWidth);
  Fill(fill);
}

void Painter::FillGradient(Colour top, Colour bottom, double y0, double y1) {
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgba(g, 0, top.r / 255.0, top.g / 255.0, top.b / 255.0, top.a / 255.0);
  cairo_pattern_add_color_stop_rgba(g, 1, bottom.r / 255.0, bottom.g / 255.0, bottom.b / 255.0,
                                    bottom.a / 255.0);
  cairo_set_source(m_cr, g);
  cairo_fill_preserve(m_cr);
  cairo_pattern_destroy(g);
}

void Painter::Save() { cairo_save(m_cr); }
void Painter::Restore() { cairo_restore(m_cr); }
void Painter::Translate(double x, double y) { cairo_translate(m_cr, x, y); }
void Painter::Rotate(double radians) { cairo_rotate(m_cr, radians); }

double Painter::TextWidth(const std::string& text, double size) {
  double units = 0;
  GlyphOutline g;
  for (unsigned char c : text)
    if (m_font.Outline(c, &g)) units += g.advance;
  return units * size / m_font.UnitsPerEm();
}

void Painter::TextPath(const std::string& text, double x, double baseline, double size) {
  const double k = size / m_font.UnitsPerEm();
  GlyphOutline g;
  for (unsigned char c : text) {
    if (!m_font.Outline(c, &g)) continue;
    for (const OutlineStep& s : g.steps) {
      if (s.op == 'M')
        cairo_move_to(m_cr, x + s.x[0] * k, baseline - s.y[0] * k);
      else if (s.op == 'L')
        cairo_line_to(m_cr, x + s.x[0] * k, baseline - s.y[0] * k);
      else
        cairo_curve_to(m_cr, x + s.x[0] * k, baseline - s.y[0] * k, x + s.x[1] * k, baseline - s.y[1] * k,
                       x + s.x[2] * k, baseline - s.y[2] * k);
    }
    if (!g.steps.empty()) cairo_close_path(m_cr);
    x += g.advance * k;
  }
}

void Painter::Text(const std::string& text, double cx, double cy, double size, Colour fill, Colour outline,
                   double outlineWidth) {
  cairo_new_path(m_cr);
  // Capitals' height is about 0.73 of the size: centred on the middle of a capital.
  TextPath(text, cx - TextWidth(text, size) / 2, cy + size * 0.365, size);
  cairo_set_fill_rule(m_cr, CAIRO_FILL_RULE_WINDING);
  if (outlineWidth > 0) Stroke(outline, 2 * outlineWidth);
  Fill(fill);
  cairo_new_path(m_cr);
}

double Painter::FitText(const std::string& text, double maxWidth, double maxHeight, double maxSize,
                        double minSize) {
  const std::vector<std::string> lines = SplitLines(text);
  double size = maxSize;
  for (const std::string& line : lines) {
    const double w = TextWidth(line, 1);
    if (w > 0) size = std::min(size, maxWidth / w);
  }
  size = std::min(size, maxHeight / (lines.size() * kLineHeight));
  size = std::floor(size);
  return size >= minSize ? size : 0;
}

void Painter::Lines(const std::string& text, double cx, double cy, double size, Colour fill, Colour outline,
                    double outlineWidth) {
  const std::vector<std::string> lines = SplitLines(text);
  const double step = size * kLineHeight;
  double y = cy - step * (lines.size() - 1) / 2;
  for (const std::string& line : lines) {
    Text(line, cx, y, size, fill, outline, outlineWidth);
    y += step;
  }
}

Canvas Painter::Finish() {
  cairo_surface_flush(m_surface);
  Canvas out(m_width, m_height);
  const unsigned char* data = cairo_image_surface_get_data(m_surface);
  const int stride = cairo_image_surface_get_stride(m_surface);
  std::vector<uint8_t> rgba((size_t)m_width * m_height * 4);
  for (int y = 0; y < m_height; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + (size_t)y * stride);
    for (int x = 0; x < m_width; ++x) {
      const uint32_t p = row[x];
      const unsigned a = p >> 24;
      uint8_t* o = &rgba[((size_t)y * m_width + x) * 4];
      if (a == 0) {
        o[0] = o[1] = o[2] = o[3] = 0;
        continue;
      }
      // Premultiplied to straight, rounded.
      auto un = [a](unsigned v) { return (uint8_t)std::min(255u, (v * 255 + a / 2) / a); };
      o[0] = un(p >> 16 & 255);
      o[1] = un(p >> 8 & 255);
      o[2] = un(p & 255);
      o[3] = (uint8_t)a;
    }
  }
  out.SetRgba(rgba);
  return out;
}

} // namespace samplepack
