// The smoke pool: sprite puffs that move, fall, turn, grow or shrink and fade, drawn in layers
// (0 behind the objects, 1 among them, 4 in front, 100 in screen space).
#pragma once

#include "quellar_types.h"

class Surface;

// What a pooled sprite piece (a puff of smoke, a fragment) moves, falls, grows, turns and fades by.
struct spriteDrift {
  float vx, vy;
  float scale;
  float scaleRate;
  float alpha; // 0-255, drawn clamped to 255
  float alphaRate;
  int additive;
  float spin;
  int gravity;

  void SetDrift(int vx, int vy, int gravity, float spin, float scale, float scaleRate, float alpha,
                float alphaRate, int additive);
};

struct smoke : spriteDrift {
  u8 active;
  float x, y;
  int startY;
  int unused;
  float rotation;
  float unusedFloat;
  Surface* sprite; // not owned
  int layer;

  void Init(Surface* s, int x, int y, int vx, int vy, float scale, float scaleRate, float alpha,
            float alphaRate, int additive);
  void Init(Surface* s, int x, int y, int gravity, float rotation, float spin, int vx, int vy, float scale,
            float scaleRate, float alpha, float alphaRate, int additive);
  void Process(float dt);
  void Draw(int layer);
  // The tint of a layer drawn over the scene: the alpha (255 at most), added when additive.
  void SetLayerBlend() const;
};

enum { SMOKES = 300 };
extern smoke Smokes[SMOKES];

// A full pool drops the puff.
void AddSmoke2(Surface* sprite, int x, int y, int gravity, float rotation, float spin, int vx, int vy,
               float scale, float scaleRate, float alpha, float alphaRate, int additive, int layer);
void AddSmoke(Surface* sprite, int x, int y, int vx, int vy, float scale, float scaleRate, float alpha,
              float alphaRate, int additive);
// The passes for layers 0 and 100 also advance every live puff.
void ProcessAndDrawSmoke(float dt, int layer);
void ClearSmoke();
