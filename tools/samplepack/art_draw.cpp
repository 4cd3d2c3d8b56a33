// The interface drawers: icons, buttons, panels and text plates. Flat fills with dark outlines, so
// each picture keeps one colour of its own over most of its area and reads at half size.
#include "art_draw.h"

#include "beams_look.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include <cairo.h>

namespace samplepack {

namespace {

const Colour kGold{255, 204, 40, 255};
const Colour kSteel{150, 160, 176, 255};
const Colour kRed{222, 52, 48, 255};
const Colour kGreen{70, 190, 70, 255};
const Colour kCream{250, 240, 214, 255};

Colour WithAlpha(Colour c, uint8_t a) { return Colour{c.r, c.g, c.b, a}; }

struct Box {
  double x, y, w, h;
  double cx() const { return x + w / 2; }
  double cy() const { return y + h / 2; }
  double s() const { return std::min(w, h); }
};

void Arrow(Painter& p, const Box& b, double angle, Colour fill, double lw) {
  const double s = b.s();
  p.Save();
  p.Translate(b.cx(), b.cy());
  p.Rotate(angle);
  // Pointing right: a shaft and a head.
  p.Polygon({{(float)(-0.42 * s), (float)(-0.14 * s)},
             {(float)(0.02 * s), (float)(-0.14 * s)},
             {(float)(0.02 * s), (float)(-0.36 * s)},
             {(float)(0.44 * s), 0},
             {(float)(0.02 * s), (float)(0.36 * s)},
             {(float)(0.02 * s), (float)(0.14 * s)},
             {(float)(-0.42 * s), (float)(0.14 * s)}});
  p.FillStroke(fill, kInk, lw);
  p.Restore();
}

void Gear(Painter& p, const Box& b, Colour fill, double lw, double turn) {
  const double s = b.s(), outer = 0.47 * s, inner = 0.36 * s;
  std::vector<Point> pts;
  const int teeth = 8;
  for (int k = 0; k < teeth * 4; ++k) {
    const double a = turn + k * M_PI * 2 / (teeth * 4);
    const double r = (k % 4 == 1 || k % 4 == 2) ? outer : inner;
    pts.push_back({(float)(b.cx() + std::cos(a) * r), (float)(b.cy() + std::sin(a) * r)});
  }
  p.Polygon(pts);
  p.FillStroke(fill, kInk, lw);
  p.Circle(b.cx(), b.cy(), 0.14 * s);
  p.FillStroke(Darker(fill, 0.5f), kInk, lw * 0.6);
}

void Mushroom(Painter& p, const Box& b, Colour cap, double lw) {
  const double s = b.s(), cx = b.cx(), cy = b.cy();
  p.RoundRect(cx - 0.15 * s, cy - 0.02 * s, 0.3 * s, 0.46 * s, 0.1 * s);
  p.FillStroke(kCream, kInk, lw);
  cairo_t* cr = p.cr();
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, cx, cy + 0.06 * s);
  cairo_scale(cr, 0.46 * s, 0.42 * s);
  cairo_arc(cr, 0, 0, 1, M_PI, 2 * M_PI);
  cairo_restore(cr);
  cairo_close_path(cr);
  p.FillStroke(cap, kInk, lw);
  for (const auto& d :
       {std::make_pair(-0.2, -0.12), std::make_pair(0.14, -0.22), std::make_pair(0.26, -0.04)}) {
    p.Circle(cx + d.first * s, cy + d.second * s, 0.065 * s);
    p.Fill(kWhite);
  }
}

void Shield(Painter& p, const Box& b, Colour fill, double lw) {
  const double s = b.s(), cx = b.cx(), top = b.cy() - 0.44 * s;
  cairo_t* cr = p.cr();
  cairo_new_path(cr);
  cairo_move_to(cr, cx, top);
  cairo_curve_to(cr, cx + 0.2 * s, top + 0.08 * s, cx + 0.38 * s, top + 0.08 * s, cx + 0.4 * s,
                 top + 0.06 * s);
  cairo_curve_to(cr, cx + 0.42 * s, top + 0.5 * s, cx + 0.2 * s, top + 0.76 * s, cx, top + 0.9 * s);
  cairo_curve_to(cr, cx - 0.2 * s, top + 0.76 * s, cx - 0.42 * s, top + 0.5 * s, cx - 0.4 * s,
                 top + 0.06 * s);
  cairo_curve_to(cr, cx - 0.38 * s, top + 0.08 * s, cx - 0.2 * s, top + 0.08 * s, cx, top);
  cairo_close_path(cr);
  p.FillStroke(fill, kInk, lw);
  p.Polygon({{(float)cx, (float)(top + 0.14 * s)},
             {(float)(cx + 0.26 * s), (float)(top + 0.2 * s)},
             {(float)cx, (float)(top + 0.74 * s)}});
  p.Fill(Lighter(fill, 0.35f));
}

void Clock(Painter& p, const Box& b, double lw, int frame) {
  const double s = b.s(), cx = b.cx(), cy = b.cy();
  p.Circle(cx, cy, 0.44 * s);
  p.FillStroke(kWhite, kInk, lw);
  for (int k = 0; k < 12; k += 3) {
    const double a = k * M_PI / 6;
    p.Circle(cx + std::cos(a) * 0.34 * s, cy + std::sin(a) * 0.34 * s, 0.035 * s);
    p.Fill(kInk);
  }
  cairo_t* cr = p.cr();
  cairo_new_path(cr);
  const double a = -M_PI / 2 + frame * 0.5;
  cairo_move_to(cr, cx, cy);
  cairo_line_to(cr, cx + std::cos(a) * 0.3 * s, cy + std::sin(a) * 0.3 * s);
  cairo_move_to(cr, cx, cy);
  cairo_line_to(cr, cx + 0.2 * s, cy);
  p.Stroke(kInk, std::max(1.5, 0.07 * s));
}

void Padlock(Painter& p, const Box& b, double lw) {
  p.RoundRect(b.x + lw, b.y + lw, b.w - 2 * lw, b.h - 2 * lw, b.s() * 0.18);
  p.FillStroke(kGold, kInk, lw);
  p.RoundRect(b.x + lw * 2.5, b.y + lw * 2.5, b.w - 5 * lw, b.h * 0.18, b.s() * 0.08);
  p.Fill(Lighter(kGold, 0.45f));
  const double cx = b.cx(), cy = b.cy(), s = b.s();
  p.Circle(cx, cy - 0.04 * s, 0.11 * s);
  p.Fill(kInk);
  p.Polygon({{(float)(cx - 0.06 * s), (float)cy},
             {(float)(cx + 0.06 * s), (float)cy},
             {(float)(cx + 0.09 * s), (float)(cy + 0.26 * s)},
             {(float)(cx - 0.09 * s), (float)(cy + 0.26 * s)}});
  p.Fill(kInk);
}

void Shackle(Painter& p, const Box& b, double lw) {
  const double s = b.s(), cx = b.cx(), r = 0.3 * s, base = b.y + b.h - 0.06 * s, top = b.y + 0.1 * s + r;
  cairo_t* cr = p.cr();
  auto path = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, cx - r, base);
    cairo_line_to(cr, cx - r, top);
    cairo_arc(cr, cx, top, r, M_PI, 2 * M_PI);
    cairo_line_to(cr, cx + r, base);
  };
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  path();
  p.Stroke(kInk, 0.2 * s + 2 * lw);
  path();
  p.Stroke(kSteel, 0.2 * s);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_new_path(cr);
}

void Eyes(Painter& p, const Box& b, double lw) {
  for (int side : {-1, 1}) {
    const double ex = b.cx() + side * b.w * 0.24, ey = b.cy();
    p.Ellipse(ex, ey, b.w * 0.2, b.h * 0.42);
    p.FillStroke(kWhite, kInk, lw);
    p.Ellipse(ex + b.w * 0.07, ey + b.h * 0.06, b.w * 0.08, b.h * 0.2);
    p.Fill(kInk);
  }
}

void Joystick(Painter& p, const Box& b, Colour fill, double lw) {
  const double s = b.s(), cx = b.cx();
  p.Ellipse(cx, b.y + b.h * 0.8, 0.42 * s, 0.14 * s);
  p.FillStroke(Darker(fill, 0.7f), kInk, lw);
  p.RoundRect(cx - 0.06 * s, b.y + b.h * 0.3, 0.12 * s, b.h * 0.5, 0.05 * s);
  p.FillStroke(kSteel, kInk, lw);
  p.Circle(cx, b.y + b.h * 0.28, 0.2 * s);
  p.FillStroke(fill, kInk, lw);
  p.Circle(cx - 0.06 * s, b.y + b.h * 0.22, 0.06 * s);
  p.Fill(Lighter(fill, 0.6f));
}

void Turn(Painter& p, const Box& b, double lw) {
  const double s = b.s(), cx = b.cx(), cy = b.cy(), r = 0.3 * s;
  cairo_t* cr = p.cr();
  for (int k = 0; k < 2; ++k) {
    const double a0 = k * M_PI + 0.3, a1 = k * M_PI + M_PI - 0.5;
    for (int pass = 0; pass < 2; ++pass) {
      cairo_new_path(cr);
      cairo_arc(cr, cx, cy, r, a0, a1);
      p.Stroke(pass ? kWhite : kInk, pass ? 0.12 * s : 0.12 * s + 2 * lw);
    }
    const double hx = cx + std::cos(a1) * r, hy = cy + std::sin(a1) * r, t = a1 + M_PI / 2;
    p.Polygon({{(float)(hx + std::cos(t) * 0.16 * s), (float)(hy + std::sin(t) * 0.16 * s)},
               {(float)(hx + std::cos(a1) * 0.15 * s), (float)(hy + std::sin(a1) * 0.15 * s)},
               {(float)(hx - std::cos(a1) * 0.15 * s), (float)(hy - std::sin(a1) * 0.15 * s)}});
    p.FillStroke(kWhite, kInk, lw * 0.7);
  }
  cairo_new_path(cr);
}

// The beams as the game draws them too (beams_look.h): over the whole picture, not the icon's box.
void Beams(Painter& p) {
  const double cx = p.width() / 2, cy = p.height() / 2, r = beams::kReach * std::min(cx, cy);
  const beams::Rgba top = beams::WedgeAt(0), bottom = beams::WedgeAt(1);
  auto byte = [](double v) { return (uint8_t)std::lround(v * 255); };
  for (int k = 0; k < beams::kCount; ++k) {
    const double a = k * 2 * beams::kPi / beams::kCount, d = beams::kHalfAngle;
    p.Polygon({{(float)cx, (float)cy},
               {(float)(cx + std::cos(a - d) * r), (float)(cy + std::sin(a - d) * r)},
               {(float)(cx + std::cos(a + d) * r), (float)(cy + std::sin(a + d) * r)}});
    p.FillGradient(Colour{byte(top.r), byte(top.g), byte(top.b), byte(top.a)},
                   Colour{byte(bottom.r), byte(bottom.g), byte(bottom.b), byte(bottom.a)}, cy - r, cy + r);
  }
  const beams::Rgba glow = beams::GlowAt(0);
  cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
  cairo_pattern_add_color_stop_rgba(g, 0, glow.r, glow.g, glow.b, glow.a);
  cairo_pattern_add_color_stop_rgba(g, 1, glow.r, glow.g, glow.b, 0);
  cairo_set_source(p.cr(), g);
  p.Circle(cx, cy, r * beams::kGlowEdge);
  cairo_set_source(p.cr(), g);
  cairo_fill(p.cr());
  cairo_pattern_destroy(g);
}

void Glow(Painter& p, const Box& b, Colour c) {
  const double r = b.s() / 2;
  cairo_pattern_t* g = cairo_pattern_create_radial(b.cx(), b.cy(), 0, b.cx(), b.cy(), r);
  cairo_pattern_add_color_stop_rgba(g, 0, c.r / 255.0, c.g / 255.0, c.b / 255.0, 0.9);
  cairo_pattern_add_color_stop_rgba(g, 1, c.r / 255.0, c.g / 255.0, c.b / 255.0, 0);
  p.Circle(b.cx(), b.cy(), r);
  cairo_set_source(p.cr(), g);
  cairo_fill(p.cr());
  cairo_pattern_destroy(g);
}

void Skull(Painter& p, const Box& b, double lw) {
  const double s = b.s(), cx = b.cx(), cy = b.cy();
  p.RoundRect(cx - 0.2 * s, cy + 0.1 * s, 0.4 * s, 0.3 * s, 0.06 * s);
  p.FillStroke(kWhite, kInk, lw);
  p.Circle(cx, cy - 0.06 * s, 0.36 * s);
  p.FillStroke(kWhite, kInk, lw);
  for (int side : {-1, 1}) {
    p.Circle(cx + side * 0.14 * s, cy - 0.04 * s, 0.1 * s);
    p.Fill(kInk);
  }
}

std::map<std::string, std::function<void(Painter&, const Box&, Colour, double, int)>>& Shapes() {
  static std::map<std::string, std::function<void(Painter&, const Box&, Colour, double, int)>> shapes = {
      {"star",
       [](Painter& p, const Box& b, Colour c, double lw, int f) {
         p.Star(b.cx(), b.cy() + b.s() * 0.04, b.s() * 0.48 - lw, b.s() * 0.21, 5, f * 0.2);
         p.FillStroke(c, kInk, lw);
       }},
      {"mushroom", [](Painter& p, const Box& b, Colour c, double lw, int) { Mushroom(p, b, c, lw); }},
      {"padlock", [](Painter& p, const Box& b, Colour, double lw, int) { Padlock(p, b, lw); }},
      {"shackle", [](Painter& p, const Box& b, Colour, double lw, int) { Shackle(p, b, lw); }},
      {"cross",
       [](Painter& p, const Box& b, Colour c, double lw, int) {
         const double s = b.s() * 0.46 - lw, t = s * 0.38;
         const float x = (float)b.cx(), y = (float)b.cy();
         p.Polygon({{x - (float)t, y - (float)s}, {x + (float)t, y - (float)s}, {x + (float)t, y - (float)t},
                    {x + (float)s, y - (float)t}, {x + (float)s, y + (float)t}, {x + (float)t, y + (float)t},
                    {x + (float)t, y + (float)s}, {x - (float)t, y + (float)s}, {x - (float)t, y + (float)t},
                    {x - (float)s, y + (float)t}, {x - (float)s, y - (float)t}, {x - (float)t, y - (float)t}});
         p.FillStroke(c, kInk, lw);
       }},
      {"pause",
       [](Painter& p, const Box& b, Colour c, double lw, int) {
         p.Circle(b.cx(), b.cy(), b.s() * 0.48 - lw);
         p.FillStroke(c, kInk, lw);
         for (int side : {-1, 1}) {
           p.RoundRect(b.cx() + side * b.s() * 0.13 - b.s() * 0.07, b.cy() - b.s() * 0.22, b.s() * 0.14,
                       b.s() * 0.44, b.s() * 0.03);
           p.FillStroke(kWhite, kInk, lw * 0.6);
         }
       }},
      {"arrow-left", [](Painter& p, const Box& b, Colour c, double lw, int) { Arrow(p, b, M_PI, c, lw); }},
      {"arrow-right", [](Painter& p, const Box& b, Colour c, double lw, int) { Arrow(p, b, 0, c, lw); }},
      {"arrow-up", [](Painter& p, const Box& b, Colour c, double lw, int) { Arrow(p, b, -M_PI / 2, c, lw); }},
      {"close",
       [](Painter& p, const Box& b, Colour c, double lw, int) {
         p.Circle(b.cx(), b.cy(), b.s() * 0.46 - lw);
         p.FillStroke(c, kInk, lw);
         const double d = b.s() * 0.18;
         for (int pass = 0; pass < 2; ++pass) {
           cairo_new_path(p.cr());
           p.Line(b.cx() - d, b.cy() - d, b.cx() + d, b.cy() + d);
           p.Line(b.cx() + d, b.cy() - d, b.cx() - d, b.cy() + d);
           p.Stroke(pass ? kWhite : kInk, b.s() * (pass ? 0.1 : 0.1) + (pass ? 0 : 2 * lw));
         }
         cairo_new_path(p.cr());
       }},
      {"check",
       [](Painter& p, const Box& b, Colour c, double lw, int) {
         for (int pass = 0; pass < 2; ++pass) {
           cairo_new_path(p.cr());
           cairo_move_to(p.cr(), b.x + b.w * 0.2, b.y + b.h * 0.52);
           cairo_line_to(p.cr(), b.x + b.w * 0.42, b.y + b.h * 0.74);
           cairo_line_to(p.cr(), b.x + b.w * 0.8, b.y + b.h * 0.26);
           p.Stroke(pass ? c : kInk, b.s() * 0.14 + (pass ? 0 : 2 * lw));
         }
         cairo_new_path(p.cr());
       }},
      {"x-mark",
       [](Painter& p, const Box& b, Colour c, double lw, int) {
         const double d = b.s() * 0.26;
         for (int pass = 0; pass < 2; ++pass) {
           cairo_new_path(p.cr());
           p.Line(b.cx() - d, b.cy() - d, b.cx() + d, b.cy() + d);
           p.Line(b.cx() + d, b.cy() - d, b.cx() - d, b.cy() + d);
           p.Stroke(pass ? c : kInk, b.s() * 0.13 + (pass ? 0 : 2 * lw));
         }
         cairo_new_path(p.cr());
       }},
      {"radio",
       [](Painter& p, const Box& b, Colour c, double lw, int) {
         p.RoundRect(b.x + b.w * 0.1, b.y + b.h * 0.1, b.w * 0.8, b.h * 0.8, b.s() * 0.18);
         p.FillStroke(kWhite, Darker(c, 0.5f), lw * 1.5);
       }},
      {"knob",
       [](Painter& p, const Box& b, Colour c, double lw, int) {
         p.Circle(b.cx(), b.cy(), b.s() * 0.46 - lw);
         p.FillStroke(c, kInk, lw);
         p.Circle(b.cx() - b.s() * 0.12, b.cy() - b.s() * 0.12, b.s() * 0.12);
         p.Fill(Lighter(c, 0.6f));
       }},
      {"dot",
       [](Painter& p, const Box& b, Colour c, double lw, int) {
         p.Circle(b.cx(), b.cy(), b.s() * 0.4);
         p.FillStroke(c, kInk, lw);
       }},
      {"gear", [](Painter& p, const Box& b, Colour c, double lw, int f) { Gear(p, b, c, lw, f * 0.2); }},
      {"eyes", [](Painter& p, const Box& b, Colour, double lw, int) { Eyes(p, b, lw); }},
      {"clock", [](Painter& p, const Box& b, Colour, double lw, int f) { Clock(p, b, lw, f); }},
      {"shield", [](Painter& p, const Box& b, Colour c, double lw, int) { Shield(p, b, c, lw); }},
      {"joystick", [](Painter& p, const Box& b, Colour c, double lw, int) { Joystick(p, b, c, lw); }},
      {"ring",
       [](Painter& p, const Box& b, Colour c, double lw, int) {
         p.Circle(b.cx(), b.cy(), b.s() * 0.46 - lw);
         p.FillStroke(WithAlpha(c, 110), kInk, lw);
         p.Circle(b.cx(), b.cy(), b.s() * 0.2);
         p.Stroke(WithAlpha(kWhite, 180), lw);
       }},
      {"lightning",
       [](Painter& p, const Box& b, Colour c, double lw, int) {
         p.Circle(b.cx(), b.cy(), b.s() * 0.46 - lw);
         p.FillStroke(c, kInk, lw);
         const double s = b.s(), x = b.cx(), y = b.cy();
         p.Polygon({{(float)(x + 0.08 * s), (float)(y - 0.36 * s)}, {(float)(x - 0.2 * s), (float)(y + 0.04 * s)},
                    {(float)(x - 0.01 * s), (float)(y + 0.04 * s)}, {(float)(x - 0.1 * s), (float)(y + 0.36 * s)},
                    {(float)(x + 0.2 * s), (float)(y - 0.06 * s)}, {(float)(x + 0.01 * s), (float)(y - 0.06 * s)}});
         p.FillStroke(kGold, kInk, lw * 0.7);
       }},
      {"magnet",
       [](Painter& p, const Box& b, Colour, double lw, int) {
         const double s = b.s(), cx = b.cx(), cy = b.cy() - 0.05 * s, r = 0.26 * s;
         cairo_t* cr = p.cr();
         for (int pass = 0; pass < 2; ++pass) {
           cairo_new_path(cr);
           cairo_move_to(cr, cx - r, cy - 0.3 * s);
           cairo_line_to(cr, cx - r, cy);
           cairo_arc_negative(cr, cx, cy, r, M_PI, 0);
           cairo_line_to(cr, cx + r, cy - 0.3 * s);
           cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
           p.Stroke(pass ? kRed : kInk, 0.18 * s + (pass ? 0 : 2 * lw));
         }
         for (int side : {-1, 1}) {
           p.RoundRect(cx + side * r - 0.09 * s, cy - 0.42 * s, 0.18 * s, 0.12 * s, 0);
           p.FillStroke(kSteel, kInk, lw * 0.6);
         }
         cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
         cairo_new_path(cr);
       }},
      {"key",
       [](Painter& p, const Box& b, Colour, double lw, int) {
         const double s = b.s(), cx = b.cx(), cy = b.cy();
         p.RoundRect(cx - 0.1 * s, cy - 0.05 * s, 0.5 * s, 0.1 * s, 0.02 * s);
         p.FillStroke(kGold, kInk, lw);
         p.RoundRect(cx + 0.22 * s, cy, 0.08 * s, 0.14 * s, 0.01 * s);
         p.FillStroke(kGold, kInk, lw);
         p.Circle(cx - 0.2 * s, cy, 0.18 * s);
         p.FillStroke(kGold, kInk, lw);
         p.Circle(cx - 0.2 * s, cy, 0.07 * s);
         p.Fill(kInk);
       }},
      {"skull", [](Painter& p, const Box& b, Colour, double lw, int) { Skull(p, b, lw); }},
      {"turn", [](Painter& p, const Box& b, Colour, double lw, int) { Turn(p, b, lw); }},
      {"sparkle",
       [](Painter& p, const Box& b, Colour c, double lw, int f) {
         const double grow = 0.7 + 0.3 * std::sin(f * 0.9);
         p.Star(b.cx(), b.cy(), b.s() * 0.48 * grow, b.s() * 0.12 * grow, 4, f * 0.3);
         p.FillStroke(c, WithAlpha(Darker(c, 0.6f), 200), lw * 0.5);
       }},
      {"splash",
       [](Painter& p, const Box& b, Colour c, double lw, int f) {
         p.Circle(b.cx(), b.cy(), b.s() * 0.28);
         p.FillStroke(c, Darker(c, 0.6f), lw);
         for (int k = 0; k < 7; ++k) {
           const double a = k * 0.9 + f, r = b.s() * (0.36 + 0.06 * (k % 3));
           p.Circle(b.cx() + std::cos(a) * r, b.cy() + std::sin(a) * r, b.s() * (0.05 + 0.02 * (k % 2)));
           p.FillStroke(c, Darker(c, 0.6f), lw * 0.6);
         }
       }},
      {"puff",
       [](Painter& p, const Box& b, Colour c, double lw, int f) {
         const double grow = 0.5 + 0.05 * f;
         const uint8_t a = (uint8_t)std::max(40, 220 - 18 * f);
         for (int k = 0; k < 3; ++k) {
           const double ang = k * 2.1 + f * 0.3;
           p.Circle(b.cx() + std::cos(ang) * b.s() * 0.14 * grow, b.cy() + std::sin(ang) * b.s() * 0.1 * grow,
                    b.s() * 0.26 * std::min(grow, 1.0));
           p.FillStroke(WithAlpha(c, a), WithAlpha(Darker(c, 0.7f), a), lw * 0.5);
         }
       }},
      {"drop",
       [](Painter& p, const Box& b, Colour c, double lw, int) {
         cairo_t* cr = p.cr();
         cairo_new_path(cr);
         cairo_move_to(cr, b.cx(), b.y + b.h * 0.05);
         cairo_curve_to(cr, b.cx() + b.w * 0.45, b.y + b.h * 0.55, b.cx() + b.w * 0.4, b.y + b.h * 0.95, b.cx(),
                        b.y + b.h * 0.95);
         cairo_curve_to(cr, b.cx() - b.w * 0.4, b.y + b.h * 0.95, b.cx() - b.w * 0.45, b.y + b.h * 0.55, b.cx(),
                        b.y + b.h * 0.05);
         cairo_close_path(cr);
         p.FillStroke(c, Darker(c, 0.6f), lw * 0.6);
       }},
      {"leaf",
       [](Painter& p, const Box& b, Colour c, double lw, int f) {
         p.Save();
         p.Translate(b.cx(), b.cy());
         p.Rotate(0.6 + f * 0.7);
         p.Ellipse(0, 0, b.s() * 0.44, b.s() * 0.2);
         p.FillStroke(c, Darker(c, 0.5f), lw * 0.6);
         cairo_new_path(p.cr());
         p.Line(-b.s() * 0.4, 0, b.s() * 0.4, 0);
         p.Stroke(Darker(c, 0.5f), lw * 0.6);
         p.Restore();
       }},
      {"paper",
       [](Painter& p, const Box& b, Colour c, double lw, int f) {
         p.Save();
         p.Translate(b.cx(), b.cy());
         p.Rotate(0.4 + f * 0.9);
         p.RoundRect(-b.s() * 0.3, -b.s() * 0.22, b.s() * 0.6, b.s() * 0.44, 1);
         p.FillStroke(c, Darker(c, 0.6f), lw * 0.6);
         p.Restore();
       }},
      {"stick",
       [](Painter& p, const Box& b, Colour c, double lw, int) {
         cairo_new_path(p.cr());
         p.Line(b.x + b.w * 0.15, b.y + b.h * 0.8, b.x + b.w * 0.85, b.y + b.h * 0.2);
         p.Stroke(kInk, b.s() * 0.16 + lw);
         p.Stroke(c, b.s() * 0.16);
         cairo_new_path(p.cr());
       }},
      {"ball",
       [](Painter& p, const Box& b, Colour c, double lw, int) {
         p.Circle(b.cx(), b.cy(), b.s() * 0.4);
         p.FillStroke(c, Darker(c, 0.6f), lw);
       }},
      {"beams", [](Painter& p, const Box&, Colour, double, int) { Beams(p); }},
      {"streak",
       [](Painter& p, const Box& b, Colour c, double, int) {
         p.Ellipse(b.cx(), b.cy(), b.w * 0.48, b.h * 0.4);
         p.FillGradient(WithAlpha(kWhite, 230), WithAlpha(c, 120), b.y, b.y + b.h);
       }},
      {"rosette",
       [](Painter& p, const Box& b, Colour c, double lw, int) {
         p.Star(b.cx(), b.cy(), b.s() * 0.48 - lw, b.s() * 0.38, 14);
         p.FillStroke(c, kInk, lw);
         p.Circle(b.cx(), b.cy(), b.s() * 0.28);
         p.FillStroke(Lighter(c, 0.35f), Darker(c, 0.5f), lw * 0.6);
       }},
      {"spinner",
       [](Painter& p, const Box& b, Colour c, double lw, int f) {
         p.Circle(b.cx(), b.cy(), b.s() * 0.48);
         p.FillStroke(Darker(c, 0.5f), kInk, lw);
         for (int k = 0; k < 8; ++k) {
           const double a = k * M_PI / 4;
           const bool lit = (k == f * 2 % 8) || (k == (f * 2 + 1) % 8);
           p.Circle(b.cx() + std::cos(a) * b.s() * 0.34, b.cy() + std::sin(a) * b.s() * 0.34, b.s() * 0.09);
           p.FillStroke(lit ? kWhite : c, kInk, lw * 0.6);
         }
       }},
      {"glow", [](Painter& p, const Box& b, Colour c, double, int) { Glow(p, b, c); }},
      {"door",
       [](Painter& p, const Box& b, Colour c, double lw, int) {
         p.RoundRect(b.x + b.w * 0.2, b.y + b.h * 0.08, b.w * 0.6, b.h * 0.86, b.w * 0.1);
         p.FillStroke(c, kInk, lw);
         p.Circle(b.x + b.w * 0.68, b.cy() + b.h * 0.06, b.s() * 0.05);
         p.Fill(kGold);
       }},
      {"spikes",
       [](Painter& p, const Box& b, Colour c, double lw, int) {
         for (int k = 0; k < 3; ++k) {
           const double x0 = b.x + b.w * k / 3, x1 = b.x + b.w * (k + 1) / 3;
           p.Polygon({{(float)x0, (float)(b.y + b.h * 0.9)},
                      {(float)((x0 + x1) / 2), (float)(b.y + b.h * 0.1)},
                      {(float)x1, (float)(b.y + b.h * 0.9)}});
           p.FillStroke(c, kInk, lw);
         }
       }},
      {"globe",
       [](Painter& p, const Box& b, Colour c, double lw, int) {
         p.Circle(b.cx(), b.cy(), b.s() * 0.44);
         p.FillStroke(c, kInk, lw);
         p.Ellipse(b.cx(), b.cy(), b.s() * 0.18, b.s() * 0.44);
         p.Stroke(Darker(c, 0.5f), lw * 0.7);
         cairo_new_path(p.cr());
         p.Line(b.cx() - b.s() * 0.44, b.cy(), b.cx() + b.s() * 0.44, b.cy());
         p.Stroke(Darker(c, 0.5f), lw * 0.7);
         cairo_new_path(p.cr());
       }},
      {"badge",
       [](Painter& p, const Box& b, Colour c, double lw, int) {
         p.Circle(b.cx(), b.cy(), b.s() * 0.46 - lw);
         p.FillStroke(c, kWhite, lw);
       }},
  };
  return shapes;
}

} // namespace

double LineFor(double w, double h) { return std::max(1.5, std::min(6.0, std::min(w, h) * 0.045)); }

void Icon(Painter& p, const std::string& shape, double x, double y, double w, double h, Colour tint,
          int frame) {
  const double lw = LineFor(w, h);
  const Box b{x + lw, y + lw, w - 2 * lw, h - 2 * lw};
  auto found = Shapes().find(shape);
  if (found != Shapes().end()) {
    found->second(p, b, tint, lw, frame);
    cairo_new_path(p.cr());
    return;
  }
  p.Circle(b.cx(), b.cy(), b.s() * 0.45);
  p.FillStroke(tint, kInk, lw);
  cairo_new_path(p.cr());
}

void Button(Painter& p, const std::string& word, const std::string& icon, Colour fill, bool pressed,
            bool round, Within within) {
  const double w = p.width(), h = p.height(), lw = LineFor(w, h), m = lw * 1.2;
  const double sink = pressed ? h * 0.05 : 0;
  const Colour face = pressed ? Darker(fill, 0.72f) : fill;
  const double r = round ? std::min(w, h) / 2 : std::min(w, h) * 0.24;
  // A shadow under the plate that the pressed plate sinks onto.
  p.RoundRect(m, m + h * 0.05, w - 2 * m, h - 2 * m - h * 0.05, r);
  p.Fill(Darker(fill, 0.4f));
  p.RoundRect(m, m + sink, w - 2 * m, h - 2 * m - h * 0.05, r);
  p.FillStroke(face, kInk, lw);
  if (!pressed) {
    p.RoundRect(m + lw * 1.5, m + lw * 1.5, w - 2 * m - 3 * lw, (h - 2 * m) * 0.3, r * 0.7);
    p.Fill(Colour{255, 255, 255, 70});
  } else {
    // A bright ring inside the pressed plate.
    p.RoundRect(m + lw * 1.6, m + sink + lw * 1.6, w - 2 * m - 3.2 * lw, h - 2 * m - h * 0.05 - 3.2 * lw,
                std::max(0.0, r - lw * 1.6));
    p.Stroke(Colour{255, 240, 120, 255}, lw);
  }
  // The content box: the plate's face, cut to the part in sight.
  const double faceTop = m + sink, faceH = h - 2 * m - h * 0.05;
  const double x0 = std::max(m, w * within.x), x1 = std::min(w - m, w * (within.x + within.w));
  const double y0 = std::max(faceTop, h * within.y),
               y1 = std::min(faceTop + faceH, h * (within.y + within.h));
  const double cw = x1 - x0, ch = y1 - y0, cx = (x0 + x1) / 2;
  double textY = (y0 + y1) / 2, textH = ch * 0.62;
  if (!icon.empty()) {
    const bool iconOnly = word.empty();
    const double iconSize = std::min(cw * 0.8, iconOnly ? ch * 0.78 : ch * 0.5);
    const double iy = iconOnly ? y0 + (ch - iconSize) / 2 : y0 + ch * 0.06;
    Icon(p, icon, cx - iconSize / 2, iy, iconSize, iconSize, iconOnly ? kWhite : Lighter(fill, 0.5f), 0);
    textY = y0 + ch * 0.76;
    textH = ch * 0.36;
  }
  if (word.empty()) return;
  const double size = p.FitText(word, cw * (round ? 0.86 : 0.88), textH, ch * 0.46, 6);
  if (size > 0) p.Lines(word, cx, textY, size, kWhite, kInk, std::max(1.0, size * 0.13));
}

void Panel(Painter& p, const std::string& style, Colour fill, int variant) {
  const double w = p.width(), h = p.height(), lw = LineFor(w, h);
  const Colour edge = Darker(fill, 0.55f);
  if (style == "plain") {
    p.RoundRect(0, 0, w, h, 0);
    p.Fill(fill);
    return;
  }
  if (style == "stretch") { // stretched sideways: a plain column with a top and bottom edge
    p.RoundRect(0, 0, w, h, 0);
    p.Fill(fill);
    p.RoundRect(0, 0, w, lw * 2, 0);
    p.Fill(edge);
    p.RoundRect(0, h - lw * 2, w, lw * 2, 0);
    p.Fill(edge);
    return;
  }
  if (style == "barpiece") { // a piece that lengthens a bar: its face and edges, no ends; the
    // variant is how many pixels lower than the picture's top its face starts
    const double top = variant;
    p.RoundRect(-lw, top + lw, w + 2 * lw, h - top - 2 * lw, 0);
    p.FillStroke(fill, edge, lw);
    p.RoundRect(-lw, top + lw * 2, w + 2 * lw, (h - top) * 0.16, 0);
    p.Fill(Lighter(fill, 0.4f));
    return;
  }
  if (style == "bar") { // a bar across the screen: flat face, lighter top edge, dark outline, and
    // square ends, so the pieces that lengthen it on a wide screen join it without a notch
    p.RoundRect(lw, lw, w - 2 * lw, h - 2 * lw, 0);
    p.FillStroke(fill, edge, lw);
    p.RoundRect(lw, lw * 2, w - 2 * lw, h * 0.16, 0);
    p.Fill(Lighter(fill, 0.4f));
    return;
  }
  if (style == "topstrip") { // the world map's top: a thin strip and a tab under the page dots
    p.RoundRect(0, 0, w, h * 0.22, 0);
    p.Fill(fill);
    if (variant == 0) {
      p.RoundRect(w / 2 - 90, -h, 180, h * 1.9, h * 0.45);
      p.FillStroke(fill, edge, lw);
    }
    return;
  }
  if (style == "shutter") { // a jaw: a plate with a row of teeth along its inner edge
    const bool top = variant == 0;
    const double teeth = 12, tooth = h * 0.14, body = h - tooth;
    std::vector<Point> pts;
    const double y0 = top ? 0 : h, yEdge = top ? body : tooth, yTip = top ? h : 0;
    pts.push_back({0, (float)y0});
    pts.push_back({0, (float)yEdge});
    for (int k = 0; k < teeth; ++k) {
      const double x0 = w * k / teeth, x1 = w * (k + 1) / teeth;
      pts.push_back({(float)((x0 + x1) / 2), (float)yTip});
      pts.push_back({(float)x1, (float)yEdge});
    }
    pts.push_back({(float)w, (float)y0});
    p.Polygon(pts);
    p.Fill(fill);
    // Only the teeth are outlined: three jaws side by side make one on a wide screen.
    cairo_new_path(p.cr());
    for (size_t k = 1; k + 1 < pts.size(); ++k)
      k == 1 ? cairo_move_to(p.cr(), pts[k].x, pts[k].y) : cairo_line_to(p.cr(), pts[k].x, pts[k].y);
    p.Stroke(edge, lw * 1.5);
    cairo_new_path(p.cr());
    // Rivets along the plate.
    for (int k = 0; k < 8; ++k) {
      p.Circle(w * (k + 0.5) / 8, top ? body * 0.12 : h - body * 0.12, lw * 1.6);
      p.FillStroke(Lighter(fill, 0.3f), edge, lw * 0.5);
    }
    return;
  }
  if (style == "grass") {
    p.RoundRect(0, h * 0.45, w, h * 0.55, 0);
    p.Fill(Colour{70, 150, 60, 255});
    for (int k = 0; k < 60; ++k) {
      const double x = w * (k + 0.5) / 60, top = h * (0.05 + 0.25 * ((k * 7) % 5) / 5.0);
      p.Polygon({{(float)(x - w / 70), (float)(h * 0.5)},
                 {(float)x, (float)top},
                 {(float)(x + w / 70), (float)(h * 0.5)}});
      p.FillStroke(Colour{90, 180, 70, 255}, Colour{40, 100, 40, 255}, 1);
    }
    return;
  }
  if (style == "hint") { // a speech-bubble plate for dark text
    p.RoundRect(lw, lw, w - 2 * lw, h - 2 * lw, h * 0.3);
    p.FillStroke(fill, edge, lw);
    return;
  }
  if (style == "levelbox") { // 0 locked, 1 completed, 2 perfect, 3 open
    p.RoundRect(lw, lw, w - 2 * lw, h - 2 * lw, w * 0.2);
    p.FillStroke(fill, kInk, lw);
    p.RoundRect(lw * 3, lw * 3, w - 6 * lw, h * 0.24, w * 0.12);
    p.Fill(Colour{255, 255, 255, 60});
    if (variant == 0) {
      p.Save();
      Icon(p, "padlock", w * 0.32, h * 0.36, w * 0.36, h * 0.3, kGold, 0);
      p.Restore();
    }
    return;
  }
  if (style == "frame") { // the picker's frame; 1 locked
    p.RoundRect(lw, lw, w - 2 * lw, h - 2 * lw, w * 0.14);
    p.FillStroke(fill, edge, lw * 1.4);
    p.RoundRect(w * 0.08, h * 0.06, w * 0.84, h * 0.5, w * 0.1);
    p.Fill(variant ? Darker(fill, 0.8f) : Lighter(fill, 0.5f));
    return;
  }
  if (style == "tab") { // a tab at the screen's left edge
    p.RoundRect(-w, lw, 2 * w - lw, h - 2 * lw, w * 0.4);
    p.FillStroke(fill, edge, lw);
    return;
  }
  if (style == "round") {
    p.Circle(w / 2, h / 2, std::min(w, h) / 2 - lw);
    p.FillStroke(fill, edge, lw);
    return;
  }
  if (style == "pod") { // a rounded pod with two lighter bands, plain where text lies
    p.RoundRect(lw, lw, w - 2 * lw, h - 2 * lw, std::min(w, h) * 0.35);
    p.FillStroke(fill, edge, lw * 1.2);
    p.RoundRect(lw * 3, lw * 3, w - 6 * lw, h * 0.22, std::min(w, h) * 0.2);
    p.Fill(Colour{255, 255, 255, 70});
    return;
  }
  // "plate": the default, a rounded plate with a soft top highlight.
  p.RoundRect(lw, lw, w - 2 * lw, h - 2 * lw, std::min(std::min(w, h) * 0.18, 40.0));
  p.FillStroke(fill, edge, lw * 1.2);
  p.RoundRect(lw * 3, lw * 3, w - 6 * lw, std::min(h * 0.12, 30.0), std::min(std::min(w, h) * 0.1, 20.0));
  p.Fill(Colour{255, 255, 255, 60});
}

void TextPlate(Painter& p, const std::string& text, Colour fill, bool round) {
  const double w = p.width(), h = p.height(), lw = LineFor(w, h);
  if (fill.a > 0) {
    if (round)
      p.Ellipse(w / 2, h / 2, w / 2 - lw, h / 2 - lw);
    else
      p.RoundRect(lw, lw, w - 2 * lw, h - 2 * lw, std::min(w, h) * 0.3);
    p.FillStroke(fill, Darker(fill, 0.5f), lw);
  }
  const double size = p.FitText(text, w * (round ? 0.7 : 0.86), h * 0.74, h * 0.6, 6);
  if (size > 0) p.Lines(text, w / 2, h / 2, size, kWhite, kInk, std::max(1.0, size * 0.1));
}

} // namespace samplepack
