// Drawing the placeholder art with cairo: paths filled and outlined, and text set from the label
// font's outlines (read with FreeType from the font file, never looked up through the system), so
// the same calls give the same pixels on every build.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace samplepack {

class TextRenderer;

class Painter {
public:
  Painter(int width, int height, TextRenderer& font);
  ~Painter();
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  double width() const { return m_width; }
  double height() const { return m_height; }
  cairo_t* cr() { return m_cr; }

  // Paths: each starts a new one.
  void RoundRect(double x, double y, double w, double h, double radius);
  void Circle(double cx, double cy, double r);
  void Ellipse(double cx, double cy, double rx, double ry);
  void Polygon(const std::vector<Point>& points);
  // A star of n points between the two radii, the first point straight up turned by angle.
  void Star(double cx, double cy, double outer, double inner, int points, double angle = 0);
  void Line(double x0, double y0, double x1, double y1); // adds to the current path

  // The current path: filled, stroked, or both (the outline drawn outside the fill's edge).
  void Fill(Colour c);
  void Stroke(Colour c, double lineWidth);
  void FillStroke(Colour fill, Colour line, double lineWidth);
  // Fills the path with a vertical gradient between its top and bottom colours.
  void FillGradient(Colour top, Colour bottom, double y0, double y1);

  void Save();
  void Restore();
  void Translate(double x, double y);
  void Rotate(double radians);

  // Text of the given pixel size centred on (cx, cy), filled over an outline of the given width.
  double TextWidth(const std::string& text, double size);
  void Text(const std::string& text, double cx, double cy, double size, Colour fill, Colour outline,
            double outlineWidth);
  // The largest size up to maxSize at which every line fits maxWidth and the lines maxHeight; 0
  // when not even minSize does. Lines are separated by '\n'.
  double FitText(const std::string& text, double maxWidth, double maxHeight, double maxSize,
                 double minSize = 8);
  // Several lines centred on (cx, cy), each line's height 1.15 times the size.
  void Lines(const std::string& text, double cx, double cy, double size, Colour fill, Colour outline,
             double outlineWidth);

  // The drawing as straight (not premultiplied) RGBA.
  Canvas Finish();

private:
  void TextPath(const std::string& text, double x, double baseline, double size);

  int m_width, m_height;
  TextRenderer& m_font;
  cairo_surface_t* m_surface;
  cairo_t* m_cr;
};

} // namespace samplepack
