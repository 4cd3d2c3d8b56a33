// Placeholder art. Every sprite is a shape chosen from the words of its name, coloured by its name
// without the frame number (so an animation keeps its colour) and marked by that number (so its
// frames differ visibly); the hero is a small figure posed by its animation row and frame.
#include "art.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace samplepack {

using catalogue::Target;

namespace {

const float kPi = 3.14159265f;

uint32_t Hash(const std::string& s) {
  uint32_t h = 2166136261u;
  for (unsigned char c : s)
    h = (h ^ c) * 16777619u;
  return h;
}

bool Has(const std::string& name, const char* word) { return name.find(word) != std::string::npos; }

bool HasAny(const std::string& name, std::initializer_list<const char*> words) {
  for (const char* w : words)
    if (Has(name, w)) return true;
  return false;
}

// The name without its trailing frame number or letter, and that number (0 when none).
std::string Stem(const std::string& name, int* number) {
  size_t end = name.size();
  size_t digits = end;
  while (digits > 0 && std::isdigit((unsigned char)name[digits - 1]))
    --digits;
  *number = 0;
  if (digits < end) {
    *number = std::atoi(name.c_str() + digits);
    size_t cut = digits;
    if (cut > 0 && name[cut - 1] == '_') --cut;
    return name.substr(0, cut);
  }
  return name;
}

// A short readable word for the picture: the name without its world prefix, cut to fit.
std::string Label(const std::string& name, size_t maxLength) {
  static const char* prefixes[] = {"panel_std_dialog_button_",
                                   "secret_item_",
                                   "ach_ico_",
                                   "gui_pause_button_",
                                   "gui_pause_",
                                   "gui_",
                                   "fxend_",
                                   "w2_",
                                   "w3_",
                                   "wt_",
                                   "bonus1_",
                                   "bonus2_",
                                   "bonus3_",
                                   "bonus4_",
                                   "bonus5_",
                                   "bonus7_",
                                   "b_"};
  std::string s = name;
  for (const char* p : prefixes)
    if (s.compare(0, strlen(p), p) == 0) {
      s = s.substr(strlen(p));
      break;
    }
  std::string out;
  for (char c : s) {
    if (c == '_') {
      if (out.size() >= 3) break;
      out += ' ';
      continue;
    }
    out += c;
  }
  while (!out.empty() && out.back() == ' ')
    out.pop_back();
  if (out.size() > maxLength) out.resize(maxLength);
  return out;
}

// Logical sizes of the object types whose sprite names carry none.
bool TypeSize(int type, int* w, int* h) {
  static const int sizes[][3] = {
      {9, 50, 50},    {11, 50, 50},  {12, 50, 50},    {13, 48, 48},  {15, 20, 10},  {16, 100, 100},
      {57, 49, 64},   {58, 64, 64},  {99, 49, 64},    {199, 48, 48}, {204, 30, 30}, {206, 70, 70},
      {207, 30, 14},  {208, 80, 80}, {220, 100, 100}, {272, 60, 40}, {440, 13, 13}, {441, 70, 24},
      {442, 8, 8},    {443, 25, 25}, {459, 80, 80},   {485, 42, 16}, {493, 32, 64}, {494, 30, 50},
      {495, 24, 12},  {602, 60, 60}, {651, 60, 60},   {652, 80, 60}, {653, 80, 60}, {654, 50, 60},
      {736, 133, 49}, {738, 70, 70}, {739, 70, 70},
  };
  for (const auto& s : sizes)
    if (s[0] == type) {
      *w = s[1], *h = s[2];
      return true;
    }
  return false;
}

// Pixel sizes of the front end's sprites and the loader's pictures, by name.
PixelSize FrontEndSize(const std::string& name) {
  static const struct {
    const char* name;
    int w, h;
  } exact[] = {
      {"white", 16, 16},
      {"Default_Dunmarrow", 960, 640},
      {"preload_tavenmoor_logo", 480, 240},
      {"loading", 750, 500},
      {"menu_yellow_pod", 960, 100},
      {"menu_long_pan", 90, 300},
      {"menu_ball_small", 30, 30},
      {"menu_ball_big", 50, 50},
      {"menu_uppanel_long", 960, 80},
      {"global_map_background", 960, 640},
      {"options_pan", 700, 560},
      {"options_pan_darken", 64, 64},
      {"char_select_pod", 600, 260},
      {"map_helppanel_bottom", 960, 90},
      {"map_uppanel_mushrooms", 260, 90},
      {"options_line_ball", 44, 44}, // the sliders' knob, not a track
  };
  for (const auto& e : exact)
    if (name == e.name) return {e.w, e.h};
  if (Has(name, "menu_button_play")) return {220, 132};
  if (Has(name, "_x5")) return {120, 80};
  if (Has(name, "global_map_")) return {400, 400};
  if (Has(name, "char_") && (Has(name, "_open") || Has(name, "_close"))) return {160, 200};
  if (Has(name, "name_ico")) return {160, 50};
  if (Has(name, "options_line")) return {400, 20};
  return {110, 110};
}

// Pixel sizes of the interface sprites, by global and entry.
PixelSize InterfaceSize(Target target, int index, const std::string& name) {
  switch (target) {
  case Target::LevelEndFXs:
    if (name == "black") return {64, 64};
    if (Has(name, "teeth")) return {960, 240};
    if (Has(name, "beams")) return {480, 480};
    if (Has(name, "button")) return {120, 120};
    if (Has(name, "pod") || Has(name, "text")) return {300, 110};
    if (Has(name, "joystick_panel")) return {420, 160};
    return {160, 160};
  case Target::Leaderboards:
  case Target::Missions:
    return {300, 200};
  case Target::MissionButtons:
    return {60, 60};
  case Target::Dialog:
    return index == 0 ? PixelSize{720, 440} : PixelSize{180, 180};
  case Target::DialogButCancel:
  case Target::DialogButYes:
  case Target::DialogButNo:
  case Target::DialogButOk:
    return {220, 80};
  case Target::PreloaderAnim:
    return {96, 96};
  case Target::Pixie:
    return {24, 24};
  case Target::Smoke:
    return {32, 32};
  case Target::SecretItems:
    return {100, 100};
  case Target::AchievementIcons:
    return index >= 57 ? PixelSize{48, 48} : PixelSize{96, 96};
  case Target::GuiCross:
    return {40, 40};
  case Target::GuiJoystick:
    return index == 0 ? PixelSize{100, 100} : PixelSize{220, 220};
  case Target::GuiPause:
    return {80, 80};
  case Target::GuiArrows:
    return {100, 100};
  case Target::GuiArrowsPod:
    return {300, 120};
  case Target::GuiTime:
    return {220, 70};
  case Target::GuiShroom:
  case Target::GoldenStick:
    return {60, 60};
  case Target::GuiAchievement:
  case Target::AchievementPanel:
  case Target::CustomSmoke:
    return {560, 100};
  case Target::AchievementPanel2:
    return {560, 300};
  case Target::GuiDeaths:
    return {120, 70};
  case Target::GuiPausePanel:
    if (index <= 1) return {300, 560};
    if (index == 3) return {200, 80};
    if (index == 4) return {60, 40};
    return {120, 120};
  case Target::ShroomPanel:
    return {260, 90};
  case Target::Particles:
    return {64, 64};
  case Target::FrontEnd:
    return FrontEndSize(name);
  default:
    return {120, 120};
  }
}

Colour NameColour(const std::string& stem, float saturation = 0.65f, float value = 0.85f) {
  uint32_t h = Hash(stem);
  return Hsv((h % 360) / 360.0f, saturation, value);
}

const Colour kInk{30, 30, 40, 255};
const Colour kWhite{255, 255, 255, 255};

float Border(int w, int h) { return std::max(1.5f, std::min(w, h) * 0.05f); }

// A dot that circles the centre with the frame number, so each frame of a run differs.
void FrameMarker(Canvas& c, int number) {
  float w = c.width(), h = c.height();
  float r = std::min(w, h);
  float angle = number * 0.9f;
  float cx = w / 2 + std::cos(angle) * r * 0.28f, cy = h / 2 + std::sin(angle) * r * 0.28f;
  c.Ellipse(cx, cy, r * 0.09f + 1, r * 0.09f + 1, kWhite, kInk, std::max(1.0f, r * 0.025f));
}

void DrawLabel(Canvas& c, TextRenderer& text, const std::string& label, float cx, float cy, float maxWidth,
               int maxSize) {
  if (label.empty() || maxSize < 9) return;
  int size = maxSize;
  int width = text.Width(label, size);
  if (width > maxWidth) size = (int)(size * maxWidth / width);
  while (size >= 9 && text.Width(label, size) > maxWidth)
    --size;
  if (size < 9) return;
  text.Draw(c, label, cx, cy, size, kWhite, kInk, std::max(1, size / 8));
}

void Block(Canvas& c, Colour fill, const std::string& label, TextRenderer& text) {
  float w = c.width(), h = c.height(), b = Border(c.width(), c.height());
  c.Box(0, 0, w, h, std::min(w, h) * 0.08f, fill, Darker(fill, 0.45f), b);
  if (h > 12 && w > 12)
    c.Box(b * 2, b * 2, w - b * 2, std::max(b * 3, h * 0.22f), b, Lighter(fill, 0.35f), fill, 0);
  DrawLabel(c, text, label, w / 2, h / 2, w * 0.9f, (int)std::min(h * 0.4f, 28.0f));
}

void Spikes(Canvas& c, Colour fill) {
  float w = c.width(), h = c.height(), b = Border(c.width(), c.height());
  int teeth = std::max(1, (int)std::lround(w / std::max(h * 0.8f, 8.0f)));
  float base = h * 0.25f;
  c.Box(0, h - base, w, h, 0, Darker(fill, 0.7f), kInk, b * 0.6f);
  for (int i = 0; i < teeth; ++i) {
    float x0 = w * i / teeth, x1 = w * (i + 1) / teeth;
    c.Polygon({{x0, h - base}, {(x0 + x1) / 2, 0}, {x1, h - base}}, Lighter(fill, 0.2f), kInk, b * 0.6f);
  }
}

void Round(Canvas& c, Colour fill, int number) {
  float w = c.width(), h = c.height(), b = Border(c.width(), c.height());
  float r = std::min(w, h) / 2 - 0.5f;
  c.Ellipse(w / 2, h / 2, w / 2 - 0.5f, h / 2 - 0.5f, fill, Darker(fill, 0.4f), b);
  for (int k = 0; k < 4; ++k) {
    float a = k * kPi / 4 + number * 0.5f;
    Point p{w / 2 + std::cos(a) * r * 0.75f, h / 2 + std::sin(a) * r * 0.75f};
    Point q{w / 2 - std::cos(a) * r * 0.75f, h / 2 - std::sin(a) * r * 0.75f};
    c.Capsule(p, q, std::max(1.0f, r * 0.07f), Darker(fill, 0.55f), kInk, 0);
  }
  c.Ellipse(w / 2, h / 2, r * 0.18f + 1, r * 0.18f + 1, kWhite, kInk, std::max(1.0f, b * 0.5f));
}

void Plant(Canvas& c, Colour fill, const std::string& name, int number) {
  float w = c.width(), h = c.height(), b = Border(c.width(), c.height());
  Colour green = Hsv(0.28f + (Hash(name) % 20) / 200.0f, 0.7f, 0.75f);
  if (Has(name, "grass")) {
    int blades = std::max(3, (int)(w / 10));
    for (int i = 0; i < blades; ++i) {
      float x = w * (i + 0.5f) / blades;
      float lean = std::sin(i * 1.7f + number) * w * 0.06f;
      c.Polygon({{x - w / blades * 0.6f, h}, {x + lean, h * 0.05f}, {x + w / blades * 0.6f, h}}, green,
                Darker(green, 0.5f), b * 0.5f);
    }
    return;
  }
  Colour bark{120, 80, 40, 255};
  c.Box(w * 0.42f, h * 0.45f, w * 0.58f, h, 2, bark, kInk, b * 0.6f);
  c.Ellipse(w / 2, h * 0.35f, w * 0.46f, h * 0.33f, green, Darker(green, 0.5f), b);
  (void)fill;
}

void Sign(Canvas& c, Colour fill, const std::string& name, TextRenderer& text) {
  float w = c.width(), h = c.height(), b = Border(c.width(), c.height());
  c.Box(0, 0, w, h, std::min(w, h) * 0.12f, Lighter(fill, 0.25f), Darker(fill, 0.4f), b * 1.5f);
  c.Box(b * 3, b * 3, w - b * 3, h - b * 3, std::min(w, h) * 0.08f, fill, Darker(fill, 0.6f), b * 0.6f);
  DrawLabel(c, text, Label(name, 10), w / 2, h / 2, w * 0.85f, (int)std::min(h * 0.45f, 40.0f));
}

void Burst(Canvas& c, Colour fill, int number, bool star) {
  float w = c.width(), h = c.height();
  float r = std::min(w, h) / 2;
  if (star) {
    std::vector<Point> p;
    for (int k = 0; k < 10; ++k) {
      float a = k * kPi / 5 - kPi / 2 + number * 0.2f;
      float rr = (k % 2 ? 0.45f : 1.0f) * (r - 1);
      p.push_back({w / 2 + std::cos(a) * rr, h / 2 + std::sin(a) * rr});
    }
    c.Polygon(p, Lighter(fill, 0.3f), Darker(fill, 0.5f), Border(c.width(), c.height()));
    return;
  }
  float grow = 0.45f + 0.12f * (number % 5);
  for (int k = 0; k < 5; ++k) {
    float a = k * 2 * kPi / 5 + number * 0.6f;
    float rr = r * 0.32f * grow;
    c.Ellipse(w / 2 + std::cos(a) * r * 0.45f * grow, h / 2 + std::sin(a) * r * 0.45f * grow, rr, rr,
              Colour{fill.r, fill.g, fill.b, 220}, Darker(fill, 0.6f), std::max(1.0f, rr * 0.15f));
  }
}

void Liquid(Canvas& c, const std::string& name, int number) {
  float w = c.width(), h = c.height();
  Colour base = Has(name, "lava")
                    ? Colour{230, 80, 20, 255}
                    : (Has(name, "sand") ? Colour{220, 190, 110, 255} : Colour{50, 120, 230, 210});
  bool deep = Has(name, "deep");
  float top = deep ? 0 : h * 0.25f;
  std::vector<Point> wave;
  wave.push_back({0, h});
  for (int x = 0; x <= 16; ++x) {
    float px = w * x / 16;
    wave.push_back({px, deep ? 0 : top + std::sin(px / w * 2 * kPi + number * 0.7f) * h * 0.1f});
  }
  wave.push_back({w, h});
  c.Polygon(wave, base, Darker(base, 0.6f), deep ? 0 : std::max(1.0f, h * 0.03f));
  // Frame number as a row of bubbles, so a still picture shows which frame it is.
  for (int k = 0; k < 3; ++k) {
    float bx = w * (0.2f + 0.3f * k) + std::sin(number + k) * w * 0.05f;
    float by = h * (0.55f + 0.1f * ((number + k) % 3));
    c.Ellipse(bx, by, w * 0.05f + 1, w * 0.05f + 1, Lighter(base, 0.5f), base, 0);
  }
}

void Mushroom(Canvas& c, bool effect) {
  float w = c.width(), h = c.height(), b = Border(c.width(), c.height());
  Colour cap = effect ? Colour{255, 220, 120, 180} : Colour{220, 40, 40, 255};
  c.Box(w * 0.35f, h * 0.45f, w * 0.65f, h * 0.95f, w * 0.1f, Colour{245, 235, 215, 255}, kInk, b);
  c.Ellipse(w / 2, h * 0.42f, w * 0.47f, h * 0.3f, cap, kInk, b);
  c.Ellipse(w * 0.35f, h * 0.35f, w * 0.08f, w * 0.08f, kWhite, kWhite, 0);
  c.Ellipse(w * 0.62f, h * 0.3f, w * 0.06f, w * 0.06f, kWhite, kWhite, 0);
}

void Door(Canvas& c, int number) {
  float w = c.width(), h = c.height(), b = Border(c.width(), c.height());
  Colour frame{90, 60, 40, 255};
  c.Box(w * 0.1f, 0, w * 0.9f, h, w * 0.1f, frame, kInk, b);
  float open = std::min(1.0f, number / 29.0f);
  c.Box(w * 0.2f, h * 0.1f, w * 0.8f, h, w * 0.06f, Colour{20, 20, 30, 255}, kInk, 0);
  c.Box(w * 0.2f, h * 0.1f, w * 0.2f + w * 0.6f * (1 - open) + 1, h, w * 0.06f, Colour{200, 150, 60, 255},
        kInk, b * 0.5f);
  c.Polygon({{w * 0.5f, h * 0.25f}, {w * 0.62f, h * 0.45f}, {w * 0.38f, h * 0.45f}}, Colour{80, 220, 80, 255},
            kInk, b * 0.5f);
}

void Creature(Canvas& c, Colour fill, int number) {
  float w = c.width(), h = c.height(), b = Border(c.width(), c.height());
  float flap = std::sin(number * 1.3f) * h * 0.15f;
  c.Polygon({{w * 0.15f, h * 0.5f}, {w * 0.02f, h * 0.3f + flap}, {w * 0.35f, h * 0.45f}}, Darker(fill, 0.7f),
            kInk, b * 0.5f);
  c.Polygon({{w * 0.85f, h * 0.5f}, {w * 0.98f, h * 0.3f + flap}, {w * 0.65f, h * 0.45f}}, Darker(fill, 0.7f),
            kInk, b * 0.5f);
  c.Ellipse(w / 2, h * 0.55f, w * 0.38f, h * 0.38f, fill, kInk, b);
  for (float ex : {0.38f, 0.62f}) {
    c.Ellipse(w * ex, h * 0.45f, w * 0.09f, h * 0.11f, kWhite, kInk, std::max(1.0f, b * 0.4f));
    c.Ellipse(w * ex + w * 0.02f, h * 0.47f, w * 0.04f, h * 0.05f, kInk, kInk, 0);
  }
}

void Panel(Canvas& c, Colour fill, const std::string& name, TextRenderer& text, bool round) {
  float w = c.width(), h = c.height(), b = Border(c.width(), c.height());
  if (round)
    c.Ellipse(w / 2, h / 2, w / 2 - 0.5f, h / 2 - 0.5f, fill, Darker(fill, 0.4f), b * 1.5f);
  else
    c.Box(0, 0, w, h, std::min(w, h) * 0.2f, fill, Darker(fill, 0.4f), b * 1.5f);
  c.Box(b * 2.5f, b * 2.5f, w - b * 2.5f, std::max(b * 4, h * 0.3f), std::min(w, h) * 0.12f,
        Lighter(fill, 0.3f), fill, 0);
  DrawLabel(c, text, Label(name, round ? 5 : 12), w / 2, h / 2, w * (round ? 0.75f : 0.85f),
            (int)std::min(h * 0.4f, 44.0f));
}

// The hero: a round-headed figure with big eyes, coloured per character, posed by row and frame.
void Hero(Canvas& c, const std::string& atlas, const std::string& name, int row, int frame) {
  float w = c.width(), h = c.height();
  float b = std::max(1.5f, w * 0.03f);
  Colour body = atlas.empty() ? Colour{170, 110, 230, 255} : NameColour(atlas, 0.75f, 0.95f);
  if (atlas == "character_lowres") body = Colour{255, 150, 30, 255};
  if (row == 14 && frame >= 13) { // debris pieces
    c.Polygon({{w * 0.3f, h * 0.3f}, {w * 0.75f, h * 0.4f}, {w * 0.55f, h * 0.75f}}, Colour{200, 30, 30, 255},
              kInk, b);
    return;
  }
  if (row == 14) { // bursting
    Burst(c, Colour{210, 30, 30, 255}, frame, false);
    return;
  }
  float phase = frame * 0.8f;
  float squash = (row == 5 || row == 6 || row == 25) ? 0.12f * std::sin(frame * 0.6f + 0.5f) : 0;
  bool air = row >= 26 && row != 26;
  bool wall = row >= 7 && row <= 9;
  float lean = wall ? -0.12f : (row == 4 ? 0.12f : 0);
  float cx = w * (0.5f + lean), hipY = h * (0.68f + squash);
  float shrink = row == 20 ? std::max(0.3f, 1 - frame / 20.0f) : 1;
  Colour limb = Darker(body, 0.55f);
  // Legs: swinging while running, tucked in the air, straight when standing.
  float swing = (row >= 1 && row <= 3) ? std::sin(phase) * 0.35f : (air ? 0.5f : 0.08f);
  float legLength = h * 0.24f * shrink;
  for (int side : {-1, 1}) {
    float a = kPi / 2 + side * swing;
    Point hip{cx + side * w * 0.06f, hipY};
    Point foot{hip.x + std::cos(a) * legLength * (air ? 0.7f : 1),
               hip.y + std::sin(a) * legLength * (air ? 0.7f : 1)};
    c.Capsule(hip, foot, w * 0.05f, limb, kInk, b * 0.6f);
  }
  // Body and head.
  float headY = h * (0.33f + squash) + (row == 0 ? std::sin(phase) * h * 0.015f : 0);
  c.Box(cx - w * 0.14f * shrink, headY + h * 0.1f, cx + w * 0.14f * shrink, hipY + h * 0.04f, w * 0.08f, body,
        kInk, b);
  c.Ellipse(cx, headY, w * 0.2f * shrink, h * 0.18f * shrink, body, kInk, b);
  // Arms: up in the air, forward against a wall, swinging otherwise.
  float armSwing = air ? -2.2f : (wall ? kPi : kPi / 2 + std::sin(phase + kPi) * 0.5f);
  for (int side : {-1, 1}) {
    Point shoulder{cx + side * w * 0.12f * shrink, headY + h * 0.16f};
    float a = air ? armSwing * (side > 0 ? 1 : 0.8f) : armSwing + side * 0.3f;
    Point hand{shoulder.x + std::cos(a) * w * 0.16f * shrink * (wall ? 1 : side),
               shoulder.y + std::sin(a) * h * 0.16f};
    c.Capsule(shoulder, hand, w * 0.04f, limb, kInk, b * 0.5f);
  }
  // Big eyes, closed on every fifth breath frame; wide open in the surprised idle row.
  bool blink = (row == 0 && frame % 5 == 4);
  float eye = (row == 11 ? 0.075f : 0.055f) * w * shrink;
  for (int side : {-1, 1}) {
    float ex = cx + side * w * 0.075f * shrink + w * 0.02f, ey = headY - h * 0.01f;
    if (blink) {
      c.Capsule({ex - eye, ey}, {ex + eye, ey}, std::max(1.0f, b * 0.5f), kInk, kInk, 0);
    } else {
      c.Ellipse(ex, ey, eye, eye * 1.2f, kWhite, kInk, std::max(1.0f, b * 0.5f));
      c.Ellipse(ex + eye * 0.3f, ey, eye * 0.45f, eye * 0.55f, kInk, kInk, 0);
    }
  }
  if (row >= 21 && row <= 25) { // holding a mushroom
    c.Ellipse(cx + w * 0.2f, headY - h * 0.2f, w * 0.14f, h * 0.08f, Colour{220, 40, 40, 255}, kInk,
              b * 0.6f);
  }
  if (row == 26)
    c.Ellipse(w / 2, h / 2, w / 2 - 1, h / 2 - 1, Colour{150, 210, 255, 90}, Colour{80, 160, 255, 200}, b);
  if (row == 15) { // lightning
    c.Polygon({{w * 0.55f, 0},
               {w * 0.35f, h * 0.45f},
               {w * 0.55f, h * 0.45f},
               {w * 0.4f, h},
               {w * 0.75f, h * 0.35f},
               {w * 0.55f, h * 0.35f}},
              Colour{255, 240, 60, 230}, kInk, b * 0.5f);
  }
  if (row == 16) { // fire
    for (int k = 0; k < 3; ++k) {
      float fx = w * (0.3f + 0.2f * k), fh = h * (0.3f + 0.1f * ((frame + k) % 3));
      c.Polygon({{fx - w * 0.1f, h}, {fx, h - fh}, {fx + w * 0.1f, h}}, Colour{255, 120, 20, 220},
                Colour{200, 40, 0, 255}, b * 0.5f);
    }
  }
  (void)name;
}

// A level background: a sky in the world's colours, rolling hills and the picture's name.
void Background(Canvas& c, const std::string& name, TextRenderer& text) {
  float w = c.width(), h = c.height();
  float hue = 0.58f;
  if (Has(name, "w2")) hue = 0.62f;
  if (Has(name, "w3")) hue = 0.08f;
  if (Has(name, "wt")) hue = 0.33f;
  if (Has(name, "bonus") || Has(name, "hidgame")) hue = 0.8f;
  int number = 0;
  Stem(name, &number);
  hue += (number % 16) * 0.015f; // a series' pictures differ a little
  c.Gradient(Hsv(hue, 0.35f, 0.95f), Hsv(hue, 0.55f, 0.7f));
  for (int layer = 0; layer < 3; ++layer) {
    float base = h * (0.55f + 0.12f * layer);
    c.FillBelow(
        [&](float x) { return base + std::sin(x / w * (3 + layer) * kPi + number + layer) * h * 0.06f; },
        Hsv(hue + 0.05f * layer, 0.5f, 0.6f - 0.12f * layer), Hsv(hue, 0.5f, 0.3f), 2);
  }
  DrawLabel(c, text, name, w / 2, h * 0.12f, w * 0.9f, 36);
}

} // namespace

bool LogicalSizeInName(const std::string& name, int* width, int* height) {
  for (size_t i = 0; i < name.size(); ++i) {
    if (!std::isdigit((unsigned char)name[i]) || (i > 0 && std::isdigit((unsigned char)name[i - 1])))
      continue;
    size_t j = i;
    while (j < name.size() && std::isdigit((unsigned char)name[j]))
      ++j;
    if (j >= name.size() || name[j] != 'x') continue;
    size_t k = j + 1;
    while (k < name.size() && std::isdigit((unsigned char)name[k]))
      ++k;
    if (k == j + 1) continue;
    int w = std::atoi(name.substr(i, j - i).c_str()), h = std::atoi(name.substr(j + 1, k - j - 1).c_str());
    if (w > 0 && h > 0 && w <= 2000 && h <= 2000) {
      *width = w, *height = h;
      return true;
    }
  }
  return false;
}

PixelSize ArtSize(const ArtRequest& r) {
  const int kLargest = 1024;
  PixelSize size{0, 0};
  int w = 0, h = 0;
  if (r.slot.width > 0 && r.slot.height > 0) // the set gives it
    return {std::min(r.slot.width, kLargest), std::min(r.slot.height, kLargest)};
  switch (r.slot.target) {
  case Target::Backgrounds:
    return {960, 640}; // already the double-resolution screen
  case Target::Character:
    size = r.atlas.empty() ? PixelSize{64, 48} : PixelSize{64, 64};
    break;
  case Target::Rects:
  case Target::RectDummies:
    if (LogicalSizeInName(r.name, &w, &h) || TypeSize(r.slot.index, &w, &h))
      size = {w * 2, h * 2};
    else
      size = {80, 80};
    break;
  default:
    size = LogicalSizeInName(r.name, &w, &h) ? PixelSize{w * 2, h * 2}
                                             : InterfaceSize(r.slot.target, r.slot.index, r.name);
    break;
  }
  size.width = std::min(std::max(size.width, 4), kLargest);
  size.height = std::min(std::max(size.height, 4), kLargest);
  return size;
}

Canvas DrawArt(const ArtRequest& r, TextRenderer& text) {
  PixelSize size = ArtSize(r);
  Canvas c(size.width, size.height);
  int number = 0;
  std::string stem = Stem(r.name, &number);
  Colour fill = NameColour(stem);
  const std::string& n = r.name;
  int w = 0, h = 0;
  std::string tag = LogicalSizeInName(n, &w, &h) ? "" : Label(n, 6);

  if (r.slot.target == Target::Character) {
    Hero(c, r.atlas, n, r.slot.index, r.slot.frame);
    return c;
  }
  if (n == "black") {
    c.Fill(Colour{0, 0, 0, 255});
    return c;
  }
  // The fills stretch it and tint it: plain white, no outline.
  if (n == "white") {
    c.Fill(kWhite);
    return c;
  }
  // The help screen's television: a frame whose screen stays clear, so the demo level shows.
  if (n == "help_tv") {
    Panel(c, fill, n, text, false);
    c.Put(Canvas(c.width() * 3 / 4, c.height() * 3 / 4), c.width() * 13 / 100, c.height() * 12 / 100);
    return c;
  }
  if (r.slot.target == Target::Backgrounds) {
    Background(c, n, text);
    return c;
  }
  bool world = r.slot.target == Target::Rects || r.slot.target == Target::RectDummies;
  bool marked = true; // the frame number shows as a circling dot
  if (HasAny(n, {"water", "lava", "sand_40x40_0", "sand_40x40_deep"}) && !Has(n, "splash")) {
    Liquid(c, n, number);
  } else if (Has(n, "door")) {
    Door(c, number);
  } else if (HasAny(n, {"mushroom", "shroom"}) && world) {
    Mushroom(c, Has(n, "fx"));
  } else if (HasAny(n, {"spike"}) && !Has(n, "spikeball")) {
    Spikes(c, fill);
  } else if (HasAny(n, {"star"}) && !world) {
    Burst(c, Colour{255, 215, 60, 255}, number, true);
  } else if (HasAny(n,
                    {"explosion", "smoke", "splash", "dust", "APPEAR", "appear", "bolt", "flame", "lighting",
                     "fx", "leaf", "rain", "paper", "garbage", "pix_", "preloader", "weather", "laser"})) {
    Burst(c, fill, number, false);
  } else if (HasAny(n, {"circular", "spikeball", "shesterenka", "wheel", "fan", "rounder", "ball", "bubble",
                        "val_", "chainsaw", "ladybird", "cycle", "portal", "teleport", "gear"})) {
    Round(c, fill, number);
  } else if (HasAny(n, {"grass", "tree", "elka", "palm"})) {
    Plant(c, fill, n, number);
  } else if (HasAny(n, {"monstr", "monster", "bird", "alien", "ufo", "plumber", "kapkan", "boo"})) {
    Creature(c, fill, number);
  } else if (world && HasAny(n, {"banner", "baner", "graffiti", "znak", "introbanner", "logo", "flags",
                                 "memorial", "decor", "web"})) {
    Sign(c, fill, n, text);
    marked = false;
  } else if (world) {
    Block(c, fill, number ? std::to_string(number) : tag, text);
    marked = false; // the number is its label
  } else {
    bool round = r.slot.target == Target::SecretItems || r.slot.target == Target::AchievementIcons ||
                 r.slot.target == Target::GuiCross || r.slot.target == Target::GoldenStick ||
                 r.slot.target == Target::GuiShroom || r.slot.target == Target::MissionButtons;
    Panel(c, fill, n, text, round);
  }
  if (marked && number > 0 && std::min(c.width(), c.height()) >= 16) FrameMarker(c, number);
  return c;
}

} // namespace samplepack
