// Flying mushrooms and fragments.
#include "fragments.h"

#include <cmath>
#include <cstdlib>

#include "display.h"
#include "game_globals.h"
#include "progress_files.h"
#include "quest_state.h"
#include "sound_table.h"
#include "sprite_tables.h"
#include "surface.h"

flyingShroom flyingShrooms[FLYING_SHROOMS];
fragment Fragments[FRAGMENTS];

int AddShroom(Surface* sprite, int x, int y, int gravity, float rotation, float spin, int vx, int vy,
              float scale, float scaleRate, float alpha, float alphaRate, int additive, int layer) {
  for (int i = 0; i < FLYING_SHROOMS; ++i) {
    flyingShroom& f = flyingShrooms[i];
    if (f.active) continue;
    f.smoke::Init(sprite, x, y, gravity, rotation, spin, vx, vy, scale, scaleRate, alpha, alphaRate,
                  additive);
    f.time = 0;
    f.layer = layer;
    return i;
  }
  // Retargeting a mushroom already in flight would lose a reward: the caller pays it directly.
  return -1;
}

void flyingShroom::SetDestination(int dx, int dy, float s) {
  destinationX = (float)dx;
  destinationY = (float)dy;
  speed = s;
}

void flyingShroom::Process(float dt) {
  time += dt;
  x += vx * dt;
  y += vy * dt;
  float dx = destinationX - x, dy = destinationY - y;
  float a = atan2f(dy, dx);
  float pull = sqrtf(time) * 2;
  x += dt * -400 * sinf(a - 1.5707964f) * pull + (500 - rand() % 1000) * 0.1f * dt;
  y += dt * 400 * cosf(a - 1.5707964f) * pull + (500 - rand() % 1000) * 0.1f * dt;
  if ((int)(dx * dx + dy * dy) < 100) {
    EnginePlaySound(17, 0);
    active = 0;
    GainMushrooms(1);
  }
}

void flyingShroom::Draw(int l) {
  if (layer != l || !display || !sprite) return;
  if (l != 0) SetLayerBlend();
  display->BlitRotatedScale(x, y, rotation, scale, scale, sprite, false);
}

void ProcessAndDrawShroom(float dt, int layer) {
  for (flyingShroom& f : flyingShrooms) {
    if (!f.active) continue;
    f.Process(dt);
    f.Draw(layer);
  }
}

void fragment::Init(int si, int px, int py, int pvx, int pvy, int g, float sp, float sc, float scRate,
                    float a, float aRate, int add) {
  active = 1;
  spriteIndex = si;
  x = px;
  y = py;
  SetDrift(pvx, pvy, g, sp, sc, scRate, a, aRate, add);
  rotation = (float)(rand() % 100);
}

void fragment::Process(float dt) {
  vy += gravity * dt;
  x = (int)(x + vx * dt);
  y = (int)(y + vy * dt);
  scale += scaleRate * dt;
  if (scale < 0) active = 0;
  alpha += alphaRate * dt;
  if (alpha < 0) {
    alpha = 0;
    active = 0;
  }
  rotation += spin * dt;
  if (y > MAXY + 200) active = 0;
}

void fragment::Draw() {
  // A piece whose index lies outside the sprite table is not drawn.
  if (!display || spriteIndex < 0 || spriteIndex >= FRAGMENT_SPRITES || !g_fragments[spriteIndex]) return;
  Surface*& s = g_fragments[spriteIndex];
  display->SetBlending((int)alpha < 255 ? (int)alpha : 255);
  if (additive != 1) display->SetNormalMode();
  // Level coordinates under the same camera as the objects on both axes.
  display->BlitScaled(x - g_shiftX + g_drawShiftX, y - g_shiftY + g_drawShiftY, scale, scale, s, false);
  display->SetBlending(255);
}

void AddFragment(int spriteIndex, int x, int y, int vx, int vy, int gravity, float spin, float scale,
                 float scaleRate, float alpha, float alphaRate, int additive) {
  for (fragment& f : Fragments)
    if (!f.active) {
      f.Init(spriteIndex, x, y, vx, vy, gravity, spin, scale, scaleRate, alpha, alphaRate, additive);
      return;
    }
}

void ProcessAndDrawFragments(float dt) {
  for (fragment& f : Fragments) {
    if (!f.active) continue;
    f.Process(dt);
    f.Draw();
  }
  if (display) display->SetNormalMode();
}
