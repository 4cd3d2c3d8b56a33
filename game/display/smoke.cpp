// The smoke pool.
#include "smoke.h"

#include "display.h"
#include "game_globals.h"
#include "quest_state.h"
#include "surface.h"

smoke Smokes[SMOKES];

void spriteDrift::SetDrift(int pvx, int pvy, int g, float sp, float sc, float scRate, float a, float aRate,
                           int add) {
  vx = (float)pvx;
  vy = (float)pvy;
  gravity = g;
  spin = sp;
  scale = sc;
  scaleRate = scRate;
  alpha = a;
  alphaRate = aRate;
  additive = add;
}

void smoke::Init(Surface* s, int px, int py, int pvx, int pvy, float sc, float scRate, float a, float aRate,
                 int add) {
  Init(s, px, py, 0, 0, 0, pvx, pvy, sc, scRate, a, aRate, add);
  layer = 0;
}

void smoke::Init(Surface* s, int px, int py, int g, float rot, float sp, int pvx, int pvy, float sc,
                 float scRate, float a, float aRate, int add) {
  active = 1;
  x = (float)px;
  y = (float)py;
  startY = py;
  SetDrift(pvx, pvy, g, sp, sc, scRate, a, aRate, add);
  rotation = rot;
  unusedFloat = 0;
  sprite = s;
}

namespace {

void ViewSize(int& w, int& h) {
  float mx = g_ipad ? 1024.0f : (float)MAXX, my = g_ipad ? 768.0f : (float)MAXY;
  w = (int)(mx / g_gameScreenScale);
  h = (int)(my / g_gameScreenScale);
}

void Shift(int layer, float& sx, float& sy) {
  sx = layer == 100 ? 0 : g_drawShiftX;
  sy = layer == 100 ? 0 : g_drawShiftY;
}

} // namespace

void smoke::Process(float dt) {
  x += vx * dt;
  vy += gravity * dt;
  y += vy * dt;
  int w, h;
  ViewSize(w, h);
  float sx, sy;
  Shift(layer, sx, sy);
  // Out of view and moving away.
  if ((x + sx < -50 && vx < 0) || (y + sy < -50 && vy < 0) || (x + sx > w + 50 && vx > 0) ||
      (y + sy > h + 50 && vy > 0)) {
    active = 0;
    return;
  }
  rotation += spin * dt;
  scale += scaleRate * dt;
  if (scale < 0) {
    active = 0;
    return;
  }
  // Without a fade, a puff grows to full size and then shrinks away.
  if (scale > 1.0f && alphaRate == 0) scaleRate = -scaleRate;
  alpha += alphaRate * dt;
  if (alpha < 0 && alphaRate < 0) {
    alpha = 0;
    active = 0;
  }
}

void smoke::Draw(int drawLayer) {
  if (layer != drawLayer || !display) return;
  if (drawLayer != 0) SetLayerBlend();
  float sx, sy;
  Shift(layer, sx, sy);
  if (alpha > 0 && sprite) display->BlitRotatedScale(x + sx, y + sy, rotation, scale, scale, sprite, false);
}

void smoke::SetLayerBlend() const {
  int a = (int)alpha;
  if (a > 255) a = 255;
  if (additive == 1) {
    display->SetBlending(255, a, a, a);
    display->SetOverlayMode();
  } else {
    display->SetBlending(a, a, a, a);
    display->SetNoBlackEdgesMode();
  }
}

void AddSmoke2(Surface* sprite, int x, int y, int gravity, float rotation, float spin, int vx, int vy,
               float scale, float scaleRate, float alpha, float alphaRate, int additive, int layer) {
  for (smoke& s : Smokes)
    if (!s.active) {
      s.Init(sprite, x, y, gravity, rotation, spin, vx, vy, scale, scaleRate, alpha, alphaRate, additive);
      s.layer = layer;
      return;
    }
}

void AddSmoke(Surface* sprite, int x, int y, int vx, int vy, float scale, float scaleRate, float alpha,
              float alphaRate, int additive) {
  for (smoke& s : Smokes)
    if (!s.active) {
      s.Init(sprite, x, y, vx, vy, scale, scaleRate, alpha, alphaRate, additive);
      return;
    }
}

void ProcessAndDrawSmoke(float dt, int layer) {
  for (smoke& s : Smokes) {
    if (!s.active) continue;
    if (layer == 0 || layer == 100) s.Process(dt);
    // A puff that died in this pass is not drawn (its scale may have turned negative).
    if (s.active) s.Draw(layer);
  }
  if (display) display->SetNoBlackEdgesMode();
}

void ClearSmoke() {
  for (smoke& s : Smokes)
    s.active = 0;
}
