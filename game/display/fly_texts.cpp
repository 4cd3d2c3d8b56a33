// Floating texts: start, motion, fading and drawing.
#include "fly_texts.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "display.h"
#include "geometry.h"
#include "hge_font.h"
#include "quest_state.h"
#include "sprite_tables.h"

flyingtext FlyText[FLY_TEXTS];
int fadeSpeed = 160;

void flyingtext::Init(int px, int py, int pvx, int pvy, const char* message, int t) {
  active = 1;
  x = (float)px;
  y = (float)py;
  vx = (float)(pvx - 5 + rand() % 15);
  vy = (float)pvy;
  snprintf(text, sizeof text, "%s", message ? message : "");
  type = t;
  alpha = 500;
  time = 0;
  scale = 0;
  scaleSpeed = 3.0f;
  scaleDirection = 1.0f;
  letterTracking = 0;
  phase = (float)(rand() % 15);
  unused1 = unused2 = 0;
  wobbleY = 0;
  switch (t) {
  case 0:
  case 1:
  case 2:
    wobbleX = 40;
    alpha = 340;
    vx = 0;
    vy = pvy / 1.5f;
    scale = 0;
    break;
  case 4:
    wobbleX = 7;
    alpha = 1000;
    vx = (float)pvx;
    vy = (float)pvy;
    scaleSpeed = 1.0f;
    letterTracking = -24;
    break;
  default:
    wobbleX = 7;
    alpha = 420;
    vx = 0;
    vy = pvy / 1.5f;
    break;
  }
}

void flyingtext::Process(float dt) {
  time += dt;
  if (wobbleX != 0) vx = wobbleX * cosf(time * 13 + phase);
  if (wobbleY != 0) vy = wobbleY * sinf(time * 13 + phase);
  x += vx * dt;
  y += vy * dt;
  alpha -= fadeSpeed * dt;
  if (alpha < 32) active = 0;
  scale += scaleDirection * dt * scaleSpeed;
  if (scale < 0) scale = 0;
}

void flyingtext::Draw(Display* d) {
  if (!d) return;
  if (alpha < 255) d->SetBlending((int)alpha);
  struct Look {
    hgeFont* font;
    float reversal;
    bool level; // level coordinates
    ColorRGB colour;
  };
  Look look;
  switch (type) {
  case 0:
    look = {FontInterface, 2.0f, false, ColorRGB(255, 255, 50)};
    break;
  case 1:
    look = {Font1, 1.6f, true, ColorRGB(55, 250, 50)};
    break;
  case 2:
    look = {Font1, 1.6f, true, ColorRGB(55, 70, 255)};
    break;
  case 4:
    look = {FontLarge, 2.1f, false, ColorRGB(255, 255, 0)};
    break;
  default:
    look = {Font1, 1.6f, true, ColorRGB(255, 255, 0)};
    break;
  }
  if (scale > look.reversal) scaleDirection = -1.0f;
  // Fonts that were never made draw nothing.
  if (look.font) {
    float px = look.level ? x - g_shiftX : x, py = look.level ? y - g_shiftY : y;
    if (type == 0) look.font->SetScale(scale < 0.7f ? scale : 0.7f);
    if (type == 4) {
      letterTracking += 0.2f;
      look.font->SetTracking(letterTracking);
    }
    look.font->Render(px, py, 2, text, look.colour);
    look.font->SetScale(type == 0 ? 0.5f : 1.0f);
    if (type == 4) look.font->SetTracking(-16);
  }
  d->SetBlending(255);
}

void AddFlyText(int x, int y, int vx, int vy, const char* text, int type) {
  for (flyingtext& t : FlyText)
    if (!t.active) {
      t.Init(x, y, vx, vy, text, type);
      return;
    }
}

void ProcessFlyTexts(float dt) {
  for (flyingtext& t : FlyText)
    if (t.active == 1) t.Process(dt);
}

void DrawFlyTexts(Display* d) {
  for (flyingtext& t : FlyText)
    if (t.active == 1) t.Draw(d);
}

void ClearFlyTexts() {
  for (flyingtext& t : FlyText)
    t.active = 0;
}
