// The life-curve particle pool: cells of the particle sheet that move, fall, fade and change
// colour while their scale steps along a ten-key curve. No screen starts them yet; the pool and
// the single-cell draw are kept for effects that want them.
#pragma once

#include "geometry.h"
#include "quellar_types.h"

class Surface;

struct newParticle {
  u8 active;
  float x, y;
  float vx, vy;
  float gravity;
  float unused1, unused2;
  float delay;     // seconds before it moves and shows
  float curve[10]; // scale at each key; a negative key ends the life there
  float currentScale;
  float lifeTime; // 0..10 along the curve
  float lifeSpeed;
  int style;
  float colour[3];
  float endColour[3];
  float colourDelta[3];
  int column, row;
  float alpha;
  float alphaStep; // per Process call; also the colour-change rate
  myRect source;
  int additive;

  void Init(int x, int y, float vx, float vy, int frame, float alpha, float alphaStep, float delay,
            int additive, float gravity, const float* curve, float lifeSpeed, ColorRGB start, ColorRGB end);
  void Process(float dt);
  void Draw();
  void Die() { active = 0; }
};

enum { NEW_PARTICLES = 256 };
extern newParticle NewParticles[NEW_PARTICLES];
// The particle sheet (64 x 64 cells); nothing loads it, and without it nothing draws.
extern Surface* g_ParticlesSet;
extern myRect rSingle;

// curve holds 10 keys. A full pool drops the particle.
void AddParticlesNew(int x, int y, float vx, float vy, int frame, float alpha, float alphaStep, float delay,
                     int additive, float gravity, const float* curve, float lifeSpeed, ColorRGB start,
                     ColorRGB end);
void ParticlesNewProcess(float dt);
// Plain particles first, then the additive ones, each in slot order.
void DrawNewParticles();
// One cell of an eight-column sheet layout, centred on (x, y).
void DrawSingleParticle(int x, int y, int frame, float scale, int alpha, ColorRGB colour, bool tint);
