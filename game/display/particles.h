// The animated particle pool: short sprite animations (dust, splashes, landing smoke) playing a
// list of frames from one row of g_Particles while they move.
#pragma once

#include "quellar_types.h"

class Display;

struct particle {
  float scaleX, scaleY;
  u8 active;
  float x, y;
  float vx, vy;
  float gravity;
  signed char row;
  signed char frames[20]; // a negative entry ends the animation
  u8 frameIndex;
  float frameTimer;
  float frameTime;
  u8 pixel;
  u8 r, g, b;
  float lifeTime;
  int signalFrame;
  u8 reached;
};

enum { PARTICLES = 256, PARTICLE_FRAMES = 20 };
extern particle Particles[PARTICLES];

// The first free slot of the first 255, or 0 when none is free (which a caller cannot tell from
// slot 0). frames holds 20 entries.
int AddParticle(float scaleX, float scaleY, int x, int y, float vx, float vy, int row, float gravity,
                const int* frames, float frameTime, int signalFrame);
int AddParticlePixel(int x, int y, float vx, float vy, float gravity, int r, int g, int b, float frameTime,
                     float lifeTime);
void ParticlesProcess(float dt);
void ParticlesDraw(Display* display, bool);
void ClearParticles();
void ParticlesDelete();

// A frame list of 'first' to 'last' followed by the end mark, for AddParticle.
struct ParticleFrames {
  int frames[PARTICLE_FRAMES];
  ParticleFrames(int first, int last);
};
