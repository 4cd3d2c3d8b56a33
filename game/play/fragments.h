// Two small effect pools: mushrooms that fly a mission's reward to the mushroom counter, and
// falling, fading debris fragments.
#pragma once

#include "smoke.h"

class Surface;

struct flyingShroom : smoke {
  float time;                       // seconds in flight
  float destinationX, destinationY; // screen pixels
  float unused2[2];
  float speed; // kept, not used by the flight

  void SetDestination(int x, int y, float speed);
  void Process(float dt);
  void Draw(int layer);
};

enum { FLYING_SHROOMS = 15, FRAGMENTS = 150, FRAGMENT_SPRITES = 25 };
extern flyingShroom flyingShrooms[FLYING_SHROOMS];

// The slot started, or -1 when all 15 fly (nothing started).
int AddShroom(Surface* sprite, int x, int y, int gravity, float rotation, float spin, int vx, int vy,
              float scale, float scaleRate, float alpha, float alphaRate, int additive, int layer);
void ProcessAndDrawShroom(float dt, int layer);

// additive 1 keeps the current blend mode.
struct fragment : spriteDrift {
  u8 active;
  int x, y;        // whole pixels: fractional motion is dropped every frame
  int spriteIndex; // entry of g_fragments
  float rotation;

  void Init(int spriteIndex, int x, int y, int vx, int vy, int gravity, float spin, float scale,
            float scaleRate, float alpha, float alphaRate, int additive);
  void Process(float dt);
  void Draw();
};

extern fragment Fragments[FRAGMENTS];

// A full pool drops the piece.
void AddFragment(int spriteIndex, int x, int y, int vx, int vy, int gravity, float spin, float scale,
                 float scaleRate, float alpha, float alphaRate, int additive);
void ProcessAndDrawFragments(float dt);
