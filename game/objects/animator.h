// The effect animator: a pool of 100 scripted sprite animations, each moving one sprite to a
// target while its scale, alpha and angle ramp in a time window, with callbacks.
#pragma once

#include "quellar_types.h"

class Surface;

struct ShapeCorner;

struct effect_animator {
  u8 active;
  float startX, startY;
  float x, y;
  float targetX, targetY;
  float time; // seconds since Init, already at the animators' pace
  float lifetime;
  float startTime, endTime;
  float scaleX, scaleY;
  float scaleXFrom, scaleXTo;
  float scaleYFrom, scaleYTo;
  float angle, angleFrom, angleTo;
  float alpha, alphaFrom, alphaTo;
  float spin;
  float spinAngle;
  int blend; // 0 normal, 1 overlay, 2 additive
  u8 finished;
  u8 hideAfterEnd;
  char text[128];
  int fontId;
  void (*onFinish)();
  void (*alsoDraw)(float x, float y);
  void (*customMotion)(float* x, float* y);
  float* boundX;
  float* boundY;
  float boundOffsetX, boundOffsetY;
  Surface* sprite;
  // Drawn in its place where it can be: triangles of corners standing for the sprite's texels.
  const ShapeCorner* shape;
  int shapeCorners;

  void Init(Surface* sprite, int x0, int y0, int x1, int y1, float t0, float t1, float scaleFrom,
            float scaleTo, float alphaFrom, float alphaTo, float angleFrom, float angleTo, float spin,
            int blend);
  void BindToUs(float* bx, float* by, float offsetX, float offsetY);
  void Unbind();
  void AddText(const char* text, int fontId);
  void Process(float dt);
  void Draw();
};

enum { EFFECT_ANIMATORS = 100 };
extern effect_animator EffectAnimators[EFFECT_ANIMATORS];
// Set to stop the current processing pass; cleared after every ProcessEffectAnimators.
extern u8 g_effectProcessStopHack;

void ProcessEffectAnimators(float dt);
class StaticBackdrop;
// A sprite that the opaque middles of the standing slots above it hid last frame, and hide still,
// is not drawn (it goes on running). below, when given, is ended before the first slot drawn that
// may draw differently next frame: what stands still under that slot goes into its copy.
void DrawEffectAnimators(StaticBackdrop* below = nullptr);
void ClearEffectAnimators();
// Slots 0-28: the level-end script's first phase.
void ClearAnimators0_to_29();
