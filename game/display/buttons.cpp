// Game buttons: set-up, drawing and touch handling of the global list.
#include "buttons.h"

#include <cstdio>

#include "display.h"
#include "hge_font.h"
#include "sound_table.h"
#include "sprite_tables.h"
#include "surface.h"

button Buttons[BUTTONS];

button::button()
    : active(0), hidden(0), pressed(0), hover(0), disabled(0), homeX(0), homeY(0), x(0), y(0), w(0), h(0),
      rect(0, 0, 0, 0), baseScale(0), bump(0), surface(nullptr), surfacePressed(nullptr),
      surfaceDisabled(nullptr), label(), type(0), spareValue(0), action(nullptr) {}

void button::Init(int bx, int by, int bw, int bh, ButtonType t, const char* text, Surface* normal,
                  Surface* pressedPicture) {
  x = homeX = bx;
  y = homeY = by;
  w = bw;
  h = bh;
  snprintf(label, sizeof label, "%s", text ? text : "");
  surface = normal;
  surfacePressed = pressedPicture;
  surfaceDisabled = nullptr;
  active = 1;
  hidden = pressed = hover = disabled = 0;
  action = nullptr;
  spareValue = 0;
  type = t;
  baseScale = (t == 1 || t == 2) ? 0.0f : 1.0f;
  UpdatePos();
}

void button::Init(int bx, int by, int bw, int bh, ButtonType t, const char* text, Surface* normal,
                  Surface* pressedPicture, void (*act)()) {
  Init(bx, by, bw, bh, t, text, normal, pressedPicture);
  action = act;
}

void button::UpdatePos() {
  if (type == 3) {
    rect.Set((float)x, (float)y, (float)(x + w), (float)(y + h));
    return;
  }
  int hw = w / 2, hh = h / 2;
  rect.Set((float)(x - hw), (float)(y - hh), (float)(x + hw), (float)(y + hh));
}

void button::Draw() {
  baseScale += 0.05f;
  float top = type == 2 ? 0.85f : 1.0f;
  if (baseScale > top) baseScale = top;
  if (display) {
    if (disabled && surfaceDisabled) {
      display->Blit((float)x, (float)y, surfaceDisabled);
    } else if (pressed) {
      if (type == 1) {
        bump += 0.03f;
        if (bump > 0.3f) bump = 0.3f;
      }
      float s = (baseScale + bump) * 0.5f;
      display->BlitScaled((float)x, (float)y, s, s, surfacePressed);
    } else {
      if (hover) {
        bump += 0.03f;
        if (bump > 0.15f) bump = 0.15f;
      } else {
        bump -= 0.03f;
        if (bump < 0) bump = 0;
      }
      float s = (baseScale + bump) * 0.5f;
      display->BlitScaled((float)x, (float)y, s, s, surface);
    }
  }
  if (label[0] && FontInterface) {
    FontInterface->SetScale(0.4f);
    FontInterface->Render((float)(x + w / 2 - 6), (float)(y + h / 2 - 5 + (pressed ? 1 : 0)), 2, label);
    FontInterface->SetScale(1.0f);
  }
}

int button::Stylus(int px, int py, bool release) {
  if (!active || disabled) return 0;
  if (rect.Contains(px, py)) {
    if (release) {
      ButtonPress(release);
      return 1;
    }
    if (!pressed) EnginePlaySound(47, 0);
    pressed = 1;
  } else {
    pressed = 0;
  }
  return 0;
}

void button::StylusHover(int px, int py) {
  if (active && !disabled) hover = rect.Contains(px, py);
}

void button::ButtonPress(bool) {
  EnginePlaySound(47, 1);
  if (action) action();
  pressed = 0;
}

void AddButton(int x, int y, int w, int h, ButtonType type, const char* label, Surface* normal,
               Surface* pressed) {
  for (button& b : Buttons)
    if (!b.active) {
      b.Init(x, y, w, h, type, label, normal, pressed);
      return;
    }
}

int AddButtonCustom(int x, int y, int w, int h, ButtonType type, const char* label, Surface* normal,
                    Surface* pressed, void (*action)()) {
  for (int i = 0; i < BUTTONS; ++i)
    if (!Buttons[i].active) {
      Buttons[i].Init(x, y, w, h, type, label, normal, pressed, action);
      return i;
    }
  return -1;
}

void ClearButtons() {
  for (button& b : Buttons)
    b.active = 0;
}

void DisableButtons() {
  for (button& b : Buttons)
    b.disabled = 1;
}

void EnableButtons() {
  for (button& b : Buttons)
    b.disabled = 0;
}

// Screens park buttons above the screen to hide the rest of the list; the walk stops there.
void DrawButtons() {
  for (button& b : Buttons) {
    if (!b.active || b.hidden) continue;
    if (b.y < -200) break;
    b.Draw();
  }
}

int ButtonsStylus(int x, int y, bool release) {
  int fired = 0;
  for (button& b : Buttons)
    if (b.active && b.Stylus(x, y, release && !fired)) fired = 1;
  return fired;
}

int ButtonsStylusHover(int x, int y) {
  for (button& b : Buttons)
    b.StylusHover(x, y);
  return 0;
}

void PressResumeButton() {}
