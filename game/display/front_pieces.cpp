// The mushroom counter panel, the list scroller, standard text and the dialogs-first touch.
#include "front_pieces.h"

#include <cmath>

#include "buttons.h"
#include "display.h"
#include "game_modes.h"
#include "geometry.h"
#include "help_dialogs.h"
#include "hge_font.h"
#include "progress_files.h"
#include "sprite_tables.h"
#include "surface.h"

shoomPanel ShroomPanel;

namespace {

bool InBox(const shoomPanel& p, int x, int y) {
  myRect box(p.x - 50, p.y - 36, p.x + 50, p.y + 36);
  return box.Contains(x, y);
}

} // namespace

void shoomPanel::Init(int px, int py, int s) {
  active = 1;
  x = px;
  y = py;
  style = s;
  pressed = 0;
}

int shoomPanel::ShownBalance() {
  int balance = g_globalAchievements[2];
  return balance > 999 ? 999 : balance;
}

void shoomPanel::Draw() {
  if (!active || !display) return;
  Surface* panel = g_shroomPanel[0][0];
  Surface* shop = g_shroomPanel[0][1];
  if (style == 1) {
    panel = g_shroomPanel[1][0];
    shop = g_shroomPanel[1][1];
    display->BlitScaled((float)(x + 50 + (pressed ? 6 : 0)), (float)y, 0.5f, 0.5f, shop);
  } else {
    display->BlitScaled((float)x, (float)(y + 17 + (style == 0 && pressed ? 5 : 0)), 0.5f, 0.5f, shop);
  }
  display->BlitScaled((float)x, (float)y, 0.5f, 0.5f, panel);
  if (FontShroom) {
    FontShroom->SetScale(0.48f);
    FontShroom->printf((float)(x + 2), (float)(y - 6), style == 1 ? 2 : 0, "%i", ShownBalance());
  }
}

void shoomPanel::StylusDown(int px, int py) {
  if (InBox(*this, px, py)) pressed = 1;
}

void shoomPanel::StylusUp(int px, int py) {
  pressed = 0;
  if (InBox(*this, px, py)) SwitchMode(15);
}

void listAnimator::Assign(float* offset, float factor, float f, float lo, float hi) {
  bound = offset;
  velocityFactor = factor;
  friction = f;
  min = lo;
  max = hi;
  velocity = 0;
  held = 0;
  pageSize = 0;
}

void listAnimator::Process(float dt) {
  if (!bound) return;
  velocity *= friction;
  if (held) return;
  float& offset = *bound;
  offset += velocity * dt;
  // Past a bound: back at 300 px/s plus three times the overshoot per second.
  if (offset < min) {
    velocity = 0;
    offset += 300 * dt - 3 * (offset - min) * dt;
  }
  if (offset > max) {
    velocity = 0;
    offset -= 300 * dt + 3 * (offset - max) * dt;
  }
  if (pageSize > 1 && (velocity < 150 && velocity > -150)) {
    float target = pageSize * (float)(int)((offset - pageSize / 2) / pageSize);
    // A page that fits no range would never end these walks.
    for (int i = 0; i < 1000 && target > max; ++i)
      target -= pageSize;
    for (int i = 0; i < 1000 && target < min; ++i)
      target += pageSize;
    offset += (target - offset) * dt * snapRate;
    // The walk only nears the page: within a twentieth of a pixel it is there, and stands still.
    if (std::fabs(target - offset) < 0.05f) offset = target;
  }
}

void listAnimator::StylusDown(int x, int y) {
  lastX = x;
  lastY = y;
  held = 1;
}

void listAnimator::StylusMove(int x, int y) {
  if (!bound) return;
  float d = (float)(y - lastY);
  *bound += d;
  velocity += velocityFactor * d;
  lastX = x;
  lastY = y;
}

void listAnimator::StylusUp(int, int) { held = 0; }

void DrawText(float x, float y, float scale, int align, const char* text, ColorRGB colour) {
  if (!FontSTD) return;
  FontSTD->SetScale(scale);
  FontSTD->Render(x, y, align, text, colour);
}

bool DialogsThenButtons(int x, int y, bool release) {
  if (ProcessHelpDialogsStylus(x, y, release)) return true;
  ButtonsStylus(x, y, release);
  return false;
}

bool DialogsThenButtons(const myPoint* points, bool release) {
  return points && DialogsThenButtons((int)points[0].x, (int)points[0].y, release);
}
