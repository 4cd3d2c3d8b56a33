// The scenes: level and screen backgrounds, the world's objects and the characters. Each world
// has its own palette and each tileset its own colour, so the places read apart at a glance.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include <cairo.h>

#include "art_draw.h"

namespace samplepack {

namespace {

uint32_t Hash(const std::string& s) {
  uint32_t h = 2166136261u;
  for (unsigned char c : s)
    h = (h ^ c) * 16777619u;
  return h;
}

bool Has(const std::string& name, const char* word) { return name.find(word) != std::string::npos; }

// Sky, far hills, near hills, ground and the world's block colour, per world palette.
struct Palette {
  Colour sky, far, near, ground, block;
};

const Palette kPalettes[] = {
    // 0 tutorial: a green meadow under a pale sky
    {{196, 232, 250, 255}, {150, 200, 140, 255}, {96, 170, 84, 255}, {120, 86, 52, 255}, {110, 190, 80, 255}},
    // 1 the first world: a warm doodled afternoon
    {{255, 226, 170, 255},
     {240, 180, 120, 255},
     {214, 140, 80, 255},
     {150, 96, 60, 255},
     {236, 150, 60, 255}},
    // 2 the industrial world: steel blue and smoke
    {{150, 176, 204, 255}, {110, 124, 150, 255}, {80, 92, 116, 255}, {60, 64, 76, 255}, {120, 140, 170, 255}},
    // 3 the clay world: terracotta under a pink dusk
    {{246, 196, 200, 255}, {200, 120, 110, 255}, {168, 84, 70, 255}, {110, 60, 46, 255}, {196, 96, 72, 255}},
    // 4 the bonus worlds: violet night
    {{70, 52, 120, 255}, {110, 80, 160, 255}, {140, 96, 190, 255}, {60, 40, 90, 255}, {170, 110, 220, 255}},
    // 5 level zero behind the menu: teal sea air
    {{178, 236, 230, 255},
     {110, 200, 190, 255},
     {60, 160, 150, 255},
     {40, 100, 96, 255},
     {60, 190, 170, 255}},
    // 6 common objects: neutral stone
    {{220, 220, 220, 255},
     {180, 180, 180, 255},
     {150, 150, 150, 255},
     {100, 100, 100, 255},
     {170, 170, 180, 255}},
    // 7 the mini-game: a pale evening over blue hills, its title written dark across the top
    {{226, 230, 250, 255},
     {170, 180, 230, 255},
     {130, 140, 210, 255},
     {60, 64, 120, 255},
     {90, 110, 200, 255}},
    // 8 the world map: a sea with islands
    {{96, 170, 220, 255},
     {236, 214, 150, 255},
     {110, 180, 90, 255},
     {60, 120, 180, 255},
     {110, 180, 90, 255}},
    // 9 the shop: a warm room
    {{236, 206, 160, 255},
     {200, 160, 110, 255},
     {170, 120, 80, 255},
     {140, 96, 64, 255},
     {200, 160, 110, 255}},
    // 10 the lists: a quiet study
    {{198, 192, 226, 255},
     {170, 160, 210, 255},
     {140, 126, 190, 255},
     {110, 96, 150, 255},
     {170, 160, 210, 255}},
};

// Rooms rather than landscapes: the shop and the lists.
bool Indoors(int world) { return world == 9 || world == 10; }

const Colour kCharacterColours[8] = {
    {255, 140, 30, 255},  // 0 Sprocklet: orange
    {220, 40, 50, 255},   // 1 Demon: red
    {50, 100, 230, 255},  // 2 Mr. Jario: blue
    {60, 190, 80, 255},   // 3 Slicker: green
    {250, 220, 40, 255},  // 4 Superstar: yellow
    {245, 245, 245, 255}, // 5 Stickman: white
    {190, 70, 210, 255},  // 6 Zombie Boy: purple
    {60, 220, 230, 255},  // 7 Possible Guy: cyan
};

const Colour kTilesets[7] = {
    {0, 0, 0, 0},        // none
    {90, 190, 70, 255},  // 1 green
    {70, 120, 230, 255}, // 2 blue
    {240, 150, 40, 255}, // 3 orange
    {160, 80, 200, 255}, // 4 purple
    {220, 70, 70, 255},  // 5 red
    {50, 190, 190, 255}, // 6 teal
};

// The colour turned round the colour wheel, its saturation and value kept.
Colour Turned(Colour c, float turn) {
  const float r = c.r / 255.0f, g = c.g / 255.0f, b = c.b / 255.0f;
  const float hi = std::max(r, std::max(g, b)), lo = std::min(r, std::min(g, b)), d = hi - lo;
  float hue = 0;
  if (d > 0) {
    if (hi == r)
      hue = (g - b) / d / 6;
    else if (hi == g)
      hue = ((b - r) / d + 2) / 6;
    else
      hue = ((r - g) / d + 4) / 6;
  }
  return Hsv(hue + turn, hi > 0 ? d / hi : 0, hi, c.a);
}

// Worlds 11 and up are the bonus worlds one by one: the bonus palette turned a step further each.
Palette PaletteOf(int world) {
  const int n = (int)(sizeof(kPalettes) / sizeof(kPalettes[0]));
  if (world <= kBonusWorld) return kPalettes[world >= 0 && world < n ? world : 6];
  const Palette& b = kPalettes[4];
  const float turn = (world - kBonusWorld) * 0.15f;
  return {Turned(b.sky, turn), Turned(b.far, turn), Turned(b.near, turn), Turned(b.ground, turn),
          Turned(b.block, turn)};
}

// A hill line across the picture, y in picture pixels; whole waves, so the picture tiles sideways
// (wide screens draw a background three times side by side).
void Hills(Painter& p, double base, double amplitude, int waves, double phase, Colour fill, Colour edge) {
  const double w = p.width(), h = p.height();
  std::vector<Point> pts;
  pts.push_back({-2, (float)h});
  for (int k = 0; k <= 96; ++k) {
    const double x = w * k / 96;
    pts.push_back({(float)x, (float)(base + std::sin(x / w * waves * 2 * M_PI + phase) * amplitude)});
  }
  pts.push_back({(float)w + 2, (float)h});
  p.Polygon(pts);
  p.FillStroke(fill, edge, std::max(1.5, h * 0.004));
}

// A cloud, drawn again one picture width away where it crosses an edge.
void Cloud(Painter& p, double x, double y, double r) {
  const double w = p.width();
  for (double shift : {-w, 0.0, w}) {
    if (x + shift + 2 * r < 0 || x + shift - 2 * r > w) continue;
    for (const auto& c : {std::make_pair(-0.8, 0.2), std::make_pair(0.0, -0.2), std::make_pair(0.8, 0.2)}) {
      p.Circle(x + shift + c.first * r, y + c.second * r, r * 0.75);
      p.Fill(Colour{255, 255, 255, 230});
    }
  }
}

// The blocks' surface: a plate with a lighter top edge, a darker bottom edge and a texture of its
// kind; flat inside, so its colour dominates.
void Block(Painter& p, Colour fill, const std::string& name, int frame) {
  const double w = p.width(), h = p.height(), lw = LineFor(w, h);
  const double r = std::min(w, h) * 0.12;
  p.RoundRect(lw, lw, w - 2 * lw, h - 2 * lw, r);
  p.FillStroke(fill, Darker(fill, 0.45f), lw);
  const double band = std::min(h * 0.18, 14.0);
  p.RoundRect(lw * 2, lw * 2, w - 4 * lw, band, r * 0.6);
  p.Fill(Lighter(fill, 0.35f));
  const Colour line = Darker(fill, 0.78f);
  cairo_t* cr = p.cr();
  cairo_new_path(cr);
  if (Has(name, "brick") || Has(name, "wall") || Has(name, "tile")) {
    // Brick courses.
    const double course = std::max(12.0, std::min(h, 40.0) / 2);
    for (double y = band + course; y < h - lw * 2; y += course) {
      p.Line(lw * 2, y, w - lw * 2, y);
      const int row = (int)(y / course);
      for (double x = (row % 2 ? course : 0) + course; x < w - lw * 2; x += course * 2)
        p.Line(x, y - course, x, y);
    }
  } else if (Has(name, "bridge") || Has(name, "wood") || Has(name, "plank") || Has(name, "fence")) {
    for (double x = std::min(w, h) * 0.5; x < w - lw * 2; x += std::max(16.0, std::min(w, h) * 0.5))
      p.Line(x, band, x, h - lw * 2);
  } else {
    // Speckles: a stone or earth texture that differs a little between frames.
    uint32_t seed = Hash(name) + (uint32_t)frame * 977u;
    const int dots = (int)std::max(2.0, w * h / 900);
    for (int k = 0; k < dots; ++k) {
      seed = seed * 1664525u + 1013904223u;
      const double x = lw * 3 + (seed >> 8) % 1000 / 1000.0 * (w - lw * 6);
      seed = seed * 1664525u + 1013904223u;
      const double y = band + lw + (seed >> 8) % 1000 / 1000.0 * std::max(1.0, h - band - lw * 4);
      cairo_new_sub_path(cr);
      cairo_arc(cr, x, y, std::max(1.0, std::min(w, h) * 0.03), 0, 2 * M_PI);
    }
    p.Fill(line);
    cairo_new_path(cr);
    return;
  }
  p.Stroke(line, std::max(1.0, lw * 0.6));
  cairo_new_path(cr);
}

void Spikes(Painter& p, Colour fill, bool down) {
  const double w = p.width(), h = p.height(), lw = LineFor(w, h);
  const int teeth = std::max(1, (int)std::lround(w / std::max(h * 0.9, 10.0)));
  const double base = h * 0.22;
  p.RoundRect(0, down ? 0 : h - base, w, base, 0);
  p.FillStroke(Darker(fill, 0.6f), kInk, lw * 0.6);
  for (int i = 0; i < teeth; ++i) {
    const double x0 = w * i / teeth, x1 = w * (i + 1) / teeth;
    p.Polygon({{(float)x0, (float)(down ? base : h - base)},
               {(float)((x0 + x1) / 2), (float)(down ? h - lw : lw)},
               {(float)x1, (float)(down ? base : h - base)}});
    p.FillStroke(Colour{225, 225, 235, 255}, kInk, lw * 0.7);
  }
}

void Saw(Painter& p, Colour fill, int frame) {
  const double w = p.width(), h = p.height(), lw = LineFor(w, h);
  const double r = std::min(w, h) / 2 - lw;
  p.Star(w / 2, h / 2, r, r * 0.8, 16, frame * 0.25);
  p.FillStroke(Colour{210, 214, 224, 255}, kInk, lw);
  p.Circle(w / 2, h / 2, r * 0.55);
  p.FillStroke(fill, Darker(fill, 0.5f), lw * 0.7);
  p.Circle(w / 2, h / 2, r * 0.14);
  p.Fill(kInk);
}

void Liquid(Painter& p, const std::string& name, int frame) {
  const double w = p.width(), h = p.height();
  const Colour c = Has(name, "lava")   ? Colour{238, 90, 24, 255}
                   : Has(name, "sand") ? Colour{226, 196, 120, 255}
                                       : Colour{60, 140, 235, 215};
  const bool deep = Has(name, "deep");
  std::vector<Point> pts{{0, (float)h}};
  for (int k = 0; k <= 16; ++k) {
    const double x = w * k / 16;
    pts.push_back(
        {(float)x, (float)(deep ? 0 : h * 0.2 + std::sin(x / w * 2 * M_PI + frame * 0.7) * h * 0.08)});
  }
  pts.push_back({(float)w, (float)h});
  p.Polygon(pts);
  p.Fill(c);
  for (int k = 0; k < 3; ++k) {
    p.Circle(w * (0.2 + 0.3 * k) + std::sin(frame + k) * w * 0.05, h * (0.55 + 0.1 * ((frame + k) % 3)),
             w * 0.05 + 1);
    p.Fill(Lighter(c, 0.45f));
  }
}

void Plant(Painter& p, const std::string& name, Colour leaves, int frame) {
  const double w = p.width(), h = p.height(), lw = LineFor(w, h);
  if (Has(name, "grass")) {
    const int blades = std::max(3, (int)(w / 10));
    for (int i = 0; i < blades; ++i) {
      const double x = w * (i + 0.5) / blades, lean = std::sin(i * 1.7 + frame) * w * 0.05;
      p.Polygon({{(float)(x - w / blades * 0.6), (float)h},
                 {(float)(x + lean), (float)(h * 0.08)},
                 {(float)(x + w / blades * 0.6), (float)h}});
      p.FillStroke(leaves, Darker(leaves, 0.5f), lw * 0.5);
    }
    return;
  }
  p.RoundRect(w * 0.42, h * 0.45, w * 0.16, h * 0.55 - lw, 2);
  p.FillStroke(Colour{130, 86, 44, 255}, kInk, lw * 0.6);
  if (Has(name, "elka")) {
    p.Polygon(
        {{(float)(w / 2), (float)lw}, {(float)(w - lw), (float)(h * 0.75)}, {(float)lw, (float)(h * 0.75)}});
  } else {
    p.Ellipse(w / 2, h * 0.36, w * 0.46, h * 0.33);
  }
  p.FillStroke(leaves, Darker(leaves, 0.5f), lw);
}

void Creature(Painter& p, Colour body, int frame) {
  const double w = p.width(), h = p.height(), lw = LineFor(w, h);
  const double flap = std::sin(frame * 1.3) * h * 0.15;
  for (int side : {-1, 1}) {
    p.Polygon({{(float)(w / 2 + side * w * 0.35), (float)(h * 0.5)},
               {(float)(w / 2 + side * w * 0.48), (float)(h * 0.3 + flap)},
               {(float)(w / 2 + side * w * 0.15), (float)(h * 0.45)}});
    p.FillStroke(Darker(body, 0.7f), kInk, lw * 0.5);
  }
  p.Ellipse(w / 2, h * 0.55, w * 0.36, h * 0.38);
  p.FillStroke(body, kInk, lw);
  for (int side : {-1, 1}) {
    const double ex = w / 2 + side * w * 0.12;
    p.Ellipse(ex, h * 0.45, w * 0.09, h * 0.11);
    p.FillStroke(kWhite, kInk, lw * 0.4);
    p.Ellipse(ex + w * 0.02, h * 0.47, w * 0.04, h * 0.05);
    p.Fill(kInk);
  }
}

void Sign(Painter& p, Colour fill) {
  const double w = p.width(), h = p.height(), lw = LineFor(w, h);
  p.RoundRect(lw, lw, w - 2 * lw, h - 2 * lw, std::min(w, h) * 0.12);
  p.FillStroke(fill, Darker(fill, 0.45f), lw * 1.4);
  // Stripes in place of writing.
  for (int k = 1; k <= 3; ++k) {
    const double y = h * k / 4;
    p.RoundRect(w * 0.18, y - h * 0.04, w * 0.64 * (k == 2 ? 0.7 : 1), h * 0.08, h * 0.04);
    p.Fill(Lighter(fill, 0.5f));
  }
}

void Door(Painter& p, int frame) {
  const double w = p.width(), h = p.height(), lw = LineFor(w, h);
  p.RoundRect(w * 0.1, lw, w * 0.8, h - 2 * lw, w * 0.12);
  p.FillStroke(Colour{110, 72, 44, 255}, kInk, lw);
  const double open = std::min(1.0, frame / 28.0);
  p.RoundRect(w * 0.2, h * 0.12, w * 0.6, h * 0.86 - lw, w * 0.06);
  p.Fill(Colour{24, 20, 30, 255});
  p.RoundRect(w * 0.2, h * 0.12, w * 0.6 * (1 - open) + 1, h * 0.86 - lw, w * 0.06);
  p.FillStroke(Colour{214, 160, 70, 255}, kInk, lw * 0.6);
  // A green arrow over the frame: the way out.
  Icon(p, "arrow-up", w * 0.35, h * 0.16, w * 0.3, w * 0.3, Colour{90, 220, 90, 255}, 0);
}

void Burst(Painter& p, Colour c, int frame) {
  Icon(p, frame % 2 ? "splash" : "puff", 0, 0, p.width(), p.height(), c, frame);
}

// The words of world objects and what they are drawn as; the first that the name holds wins.
enum class Thing {
  Liquid,
  Door,
  Mushroom,
  Spikes,
  Saw,
  Effect,
  Plant,
  Creature,
  Sign,
  Bubble,
  Portal,
  Block
};
struct Word {
  const char* word;
  Thing thing;
};
const Word kWords[] = {
    {"splash", Thing::Effect},
    {"water", Thing::Liquid},
    {"lava", Thing::Liquid},
    {"sand_40x40_0", Thing::Liquid},
    {"sand_40x40_deep", Thing::Liquid},
    {"door", Thing::Door},
    {"mushroom", Thing::Mushroom},
    {"spikeball", Thing::Saw},
    {"spike", Thing::Spikes},
    {"kapkan", Thing::Spikes},
    {"explosion", Thing::Effect},
    {"smoke", Thing::Effect},
    {"dust", Thing::Effect},
    {"APPEAR", Thing::Effect},
    {"appear", Thing::Effect},
    {"bolt", Thing::Effect},
    {"flame", Thing::Effect},
    {"lighting", Thing::Effect},
    {"fx", Thing::Effect},
    {"laser", Thing::Effect},
    {"bubble", Thing::Bubble},
    {"portal", Thing::Portal},
    {"teleport", Thing::Portal},
    {"circular", Thing::Saw},
    {"shesterenka", Thing::Saw},
    {"wheel", Thing::Saw},
    {"chainsaw", Thing::Saw},
    {"fan", Thing::Saw},
    {"val_", Thing::Saw},
    {"rounder", Thing::Saw},
    {"grass", Thing::Plant},
    {"tree", Thing::Plant},
    {"elka", Thing::Plant},
    {"palm", Thing::Plant},
    {"monstr", Thing::Creature},
    {"monster", Thing::Creature},
    {"bird", Thing::Creature},
    {"alien", Thing::Creature},
    {"ufo", Thing::Creature},
    {"plumber", Thing::Creature},
    {"ladybird", Thing::Creature},
    {"boo", Thing::Creature},
    {"banner", Thing::Sign},
    {"baner", Thing::Sign},
    {"graffiti", Thing::Sign},
    {"znak", Thing::Sign},
    {"logo", Thing::Sign},
    {"flags", Thing::Sign},
    {"memorial", Thing::Sign},
    {"decor", Thing::Sign},
};

Thing ThingOf(const std::string& name) {
  for (const Word& w : kWords)
    if (Has(name, w.word)) return w.thing;
  return Thing::Block;
}

} // namespace

Colour CharacterColour(int character) {
  return kCharacterColours[character >= 0 && character < 8 ? character : 0];
}

Colour WorldColour(int world, int shade) {
  const Palette p = PaletteOf(world);
  switch (shade) {
  case 1:
    return p.sky;
  case 2:
    return p.far;
  case 3:
    return p.near;
  case 4:
    return p.ground;
  default:
    return p.block;
  }
}

Colour TilesetColour(int tileset) { return kTilesets[tileset >= 0 && tileset < 7 ? tileset : 0]; }

void Background(Painter& p, int world, int variant) {
  const Palette pal = PaletteOf(world);
  const double w = p.width(), h = p.height();
  p.RoundRect(0, 0, w, h, 0);
  p.Fill(pal.sky);
  if (world == 8) {
    // The map: open sea, islands in the upper corners, the carousel's pictures over the plain water.
    for (double x : {w * 0.08, w * 0.92}) {
      p.Ellipse(x, h * 0.12, w * 0.14, h * 0.1);
      p.FillStroke(pal.far, Darker(pal.far, 0.7f), 2);
      p.Ellipse(x, h * 0.1, w * 0.09, h * 0.06);
      p.Fill(pal.near);
    }
    return;
  }
  if (Indoors(world)) {
    // A wall and a skirting board.
    p.RoundRect(0, h * 0.9, w, h * 0.1, 0);
    p.Fill(pal.near);
    p.RoundRect(0, h * 0.9, w, h * 0.015, 0);
    p.Fill(pal.ground);
    return;
  }
  const bool night = world == 4 || world > kBonusWorld;
  // A sun or moon, and a few clouds or stars.
  const double sx = w * (0.2 + 0.6 * ((variant * 37) % 10) / 10.0);
  p.Circle(sx, h * 0.2, h * 0.08);
  p.Fill(night ? Colour{240, 240, 220, 255} : Colour{255, 244, 170, 255});
  for (int k = 0; k < 4; ++k) {
    const double t = k * 0.27 + variant * 0.13, x = w * (t - std::floor(t)), y = h * (0.1 + 0.08 * (k % 2));
    if (night) {
      p.Star(std::max(w * 0.02, std::min(w * 0.98, x)), y + h * 0.1, h * 0.015, h * 0.006, 4);
      p.Fill(Colour{255, 255, 230, 255});
    } else {
      Cloud(p, x, y + h * 0.05, h * 0.04);
    }
  }
  const double phase = variant * 0.9;
  Hills(p, h * 0.6, h * 0.07, 2, phase, pal.far, Darker(pal.far, 0.8f));
  Hills(p, h * 0.74, h * 0.05, 3, phase + 1.3, pal.near, Darker(pal.near, 0.8f));
  p.RoundRect(-2, h * 0.88, w + 4, h * 0.12, 0);
  p.Fill(pal.ground);
}

void WorldObject(Painter& p, const std::string& name, int world, int tileset, int frame) {
  const Palette pal = PaletteOf(world);
  Colour fill = tileset > 0 ? TilesetColour(tileset) : pal.block;
  // The world's objects vary a little around its colour, so neighbours stay apart.
  if (tileset == 0) {
    const uint32_t h = Hash(name);
    fill = Lighter(Darker(fill, 0.85f + (h % 7) * 0.03f), (h >> 4) % 3 * 0.08f);
  }
  switch (ThingOf(name)) {
  case Thing::Liquid:
    Liquid(p, name, frame);
    return;
  case Thing::Door:
    Door(p, frame);
    return;
  case Thing::Mushroom:
    if (Has(name, "fx")) {
      Icon(p, "glow", 0, 0, p.width(), p.height(), Colour{255, 220, 120, 255}, frame);
      return;
    }
    Icon(p, "mushroom", 0, 0, p.width(), p.height(), Colour{220, 40, 40, 255}, frame);
    return;
  case Thing::Spikes:
    Spikes(p, fill, false);
    return;
  case Thing::Saw:
    Saw(p, fill, frame);
    return;
  case Thing::Effect:
    Burst(p, Lighter(fill, 0.3f), frame);
    return;
  case Thing::Plant:
    Plant(p, name, world == 3 ? Colour{200, 170, 60, 255} : Colour{80, 180, 70, 255}, frame);
    return;
  case Thing::Creature:
    Creature(p, Lighter(fill, 0.15f), frame);
    return;
  case Thing::Sign:
    Sign(p, Lighter(fill, 0.2f));
    return;
  case Thing::Bubble:
    Icon(p, "ring", 0, 0, p.width(), p.height(), Colour{150, 210, 255, 255}, frame);
    return;
  case Thing::Portal:
    Icon(p, "ring", 0, 0, p.width(), p.height(),
         Has(name, "red") ? Colour{240, 80, 80, 255} : Colour{80, 220, 120, 255}, frame);
    return;
  case Thing::Block:
    Block(p, fill, name, frame);
    return;
  }
}

void Character(Painter& p, int character, int row, int frame) {
  const double w = p.width(), h = p.height();
  const double lw = std::max(1.5, w * 0.035);
  const Colour body = CharacterColour(character);
  const Colour limb = Darker(body, 0.55f);
  if (row == 14 && frame >= 13) { // debris
    p.Polygon({{(float)(w * 0.3), (float)(h * 0.3)},
               {(float)(w * 0.75), (float)(h * 0.4)},
               {(float)(w * 0.55), (float)(h * 0.75)}});
    p.FillStroke(body, kInk, lw);
    return;
  }
  if (row == 14) { // bursting
    Icon(p, "splash", 0, 0, w, h, body, frame);
    return;
  }
  const double phase = frame * 0.8;
  const double squash = (row == 5 || row == 6 || row == 25) ? 0.1 * std::sin(frame * 0.6 + 0.5) : 0;
  const bool air = row >= 27;
  const bool wall = row >= 7 && row <= 9;
  const double shrink = row == 20 ? std::max(0.3, 1 - frame / 20.0) : 1;
  const double cx = w * (0.5 + (wall ? -0.08 : 0)), hipY = h * (0.72 + squash);
  // Legs: swinging while running, tucked in the air, straight when standing.
  const double swing = (row >= 1 && row <= 3) ? std::sin(phase) * 0.45 : (air ? 0.6 : 0.1);
  const double leg = h * 0.24 * shrink * (air ? 0.75 : 1);
  for (int side : {-1, 1}) {
    const double a = M_PI / 2 + side * swing;
    cairo_new_path(p.cr());
    p.Line(cx + side * w * 0.08, hipY, cx + side * w * 0.08 + std::cos(a) * leg, hipY + std::sin(a) * leg);
    p.Stroke(kInk, w * 0.12 + lw);
    p.Stroke(limb, w * 0.12);
  }
  // A round body-head, the big eyes in its upper half.
  const double headY = h * (0.42 + squash) + (row == 0 ? std::sin(phase) * h * 0.015 : 0);
  const double rx = w * 0.34 * shrink, ry = h * 0.32 * shrink;
  // Arms: up in the air, against a wall, swinging otherwise.
  for (int side : {-1, 1}) {
    const double a =
        air ? -M_PI / 2 + side * 0.7 : (wall ? M_PI : M_PI / 2 + std::sin(phase + M_PI) * 0.5 + side * 0.4);
    const double sx = cx + side * rx * 0.85, sy = headY + ry * 0.3;
    cairo_new_path(p.cr());
    p.Line(sx, sy, sx + std::cos(a) * w * 0.18 * (wall ? 1 : side), sy + std::sin(a) * h * 0.18);
    p.Stroke(kInk, w * 0.09 + lw);
    p.Stroke(limb, w * 0.09);
  }
  p.Ellipse(cx, headY, rx, ry);
  p.FillStroke(body, kInk, lw);
  // A belly patch, lighter, so the colour still dominates but the figure has a front.
  p.Ellipse(cx + w * 0.04, headY + ry * 0.45, rx * 0.5, ry * 0.35);
  p.Fill(Lighter(body, 0.35f));
  const bool blink = row == 0 && frame % 5 == 4;
  const double eye = (row == 11 ? 0.12 : 0.1) * w * shrink;
  for (int side : {-1, 1}) {
    const double ex = cx + side * rx * 0.42 + w * 0.03, ey = headY - ry * 0.25;
    if (blink) {
      cairo_new_path(p.cr());
      p.Line(ex - eye, ey, ex + eye, ey);
      p.Stroke(kInk, std::max(1.0, lw * 0.8));
    } else {
      p.Ellipse(ex, ey, eye, eye * 1.25);
      p.FillStroke(kWhite, kInk, std::max(1.0, lw * 0.6));
      p.Ellipse(ex + eye * 0.35, ey, eye * 0.45, eye * 0.6);
      p.Fill(kInk);
    }
  }
  if (row >= 21 && row <= 25) // holding a mushroom overhead
    Icon(p, "mushroom", cx - w * 0.15, 0, w * 0.3, h * 0.3, Colour{220, 40, 40, 255}, 0);
  if (row == 26) { // the shield's bubble
    p.Circle(w / 2, h / 2, std::min(w, h) / 2 - lw);
    p.FillStroke(Colour{150, 210, 255, 80}, Colour{80, 160, 255, 220}, lw);
  }
  if (row == 15) // struck by lightning
    Icon(p, "lightning", w * 0.5, 0, w * 0.5, h * 0.5, Colour{60, 60, 80, 255}, 0);
  if (row == 16) // burning
    for (int k = 0; k < 3; ++k) {
      const double fx = w * (0.3 + 0.2 * k), fh = h * (0.3 + 0.1 * ((frame + k) % 3));
      p.Polygon({{(float)(fx - w * 0.1), (float)h},
                 {(float)fx, (float)(h - fh)},
                 {(float)(fx + w * 0.1), (float)h}});
      p.FillStroke(Colour{255, 120, 20, 220}, Colour{200, 40, 0, 255}, lw * 0.5);
    }
}

void Portrait(Painter& p, int character, bool locked) {
  const double w = p.width(), h = p.height(), lw = LineFor(w, h);
  if (!locked) {
    Character(p, character, 0, 0);
    return;
  }
  // A dark silhouette with a padlock: this one is still to be won.
  p.Ellipse(w / 2, h * 0.46, w * 0.34, h * 0.32);
  p.FillStroke(Colour{60, 60, 72, 255}, kInk, lw);
  Icon(p, "padlock", w * 0.34, h * 0.52, w * 0.32, h * 0.3, Colour{255, 204, 40, 255}, 0);
}

} // namespace samplepack
