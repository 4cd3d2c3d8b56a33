// The animated particle pool.
#include "particles.h"

#include "display.h"
#include "quest_state.h"
#include "sprite_tables.h"
#include "surface.h"

particle Particles[PARTICLES];

ParticleFrames::ParticleFrames(int first, int last) {
  int n = 0;
  for (int f = first; f <= last && n < PARTICLE_FRAMES; ++f)
    frames[n++] = f;
  if (n < PARTICLE_FRAMES) frames[n++] = -1;
  while (n < PARTICLE_FRAMES)
    frames[n++] = 0;
}

int AddParticle(float scaleX, float scaleY, int x, int y, float vx, float vy, int row, float gravity,
                const int* frames, float frameTime, int signalFrame) {
  // The last slot is left to pixel particles.
  for (int i = 0; i < PARTICLES - 1; ++i) {
    particle& p = Particles[i];
    if (p.active) continue;
    p.active = 1;
    p.scaleX = scaleX;
    p.scaleY = scaleY;
    p.x = (float)x;
    p.y = (float)y;
    p.vx = vx;
    p.vy = vy;
    p.gravity = gravity;
    p.row = (signed char)row;
    for (int f = 0; f < PARTICLE_FRAMES; ++f)
      p.frames[f] = (signed char)frames[f];
    p.frameIndex = 0;
    p.frameTimer = frameTime;
    p.frameTime = frameTime;
    p.pixel = 0;
    p.signalFrame = signalFrame;
    p.reached = signalFrame == 0 ? 1 : 0;
    return i;
  }
  return 0;
}

int AddParticlePixel(int x, int y, float vx, float vy, float gravity, int r, int g, int b, float frameTime,
                     float lifeTime) {
  for (int i = 0; i < PARTICLES; ++i) {
    particle& p = Particles[i];
    if (p.active) continue;
    p.active = 1;
    p.pixel = 1;
    p.x = (float)x;
    p.y = (float)y;
    p.vx = vx;
    p.vy = vy;
    p.gravity = gravity;
    p.r = (u8)r;
    p.g = (u8)g;
    p.b = (u8)b;
    p.frameTime = p.frameTimer = frameTime;
    p.lifeTime = lifeTime;
    p.frameIndex = 0;
    p.signalFrame = 0;
    p.reached = 0;
    return i;
  }
  return 0;
}

namespace {

u8 Fade(u8 c) {
  signed char v = (signed char)(u8)(c - 20);
  return v < 0 ? 0 : (u8)v;
}

} // namespace

void ParticlesProcess(float dt) {
  for (particle& p : Particles) {
    if (!p.active) continue;
    p.lifeTime -= dt;
    if (!p.pixel) {
      if (p.gravity != 0) p.vy += p.gravity * dt;
      p.y += p.vy * dt;
      p.x += p.vx * dt;
      // The frame timer runs at twice the frame time.
      p.frameTimer -= 2 * dt;
      if (p.frameTimer < 0) {
        p.frameTimer = p.frameTime;
        p.frameIndex += 1;
      }
      if (p.frameIndex > PARTICLE_FRAMES - 1 || p.frames[p.frameIndex] < 0) p.active = 0;
    } else {
      if (p.lifeTime < 0) {
        p.active = 0;
        continue;
      }
      p.r = Fade(p.r);
      p.g = Fade(p.g);
      p.b = Fade(p.b);
    }
    if (p.signalFrame == p.frameIndex) p.reached = 1;
  }
}

void ParticlesDraw(Display* d, bool) {
  if (!d) return;
  for (particle& p : Particles) {
    if (!p.active || p.pixel) continue;
    int row = p.row, f = p.frames[p.frameIndex];
    if (row < 0 || row >= 10 || f < 0 || f >= 20) continue;
    Surface*& s = g_Particles[row][f];
    if (s) d->BlitScaled(p.x + g_drawShiftX, p.y + g_drawShiftY, p.scaleX, p.scaleY, s, false);
  }
  d->SetNormalMode();
}

void ClearParticles() {
  for (particle& p : Particles)
    p.active = 0;
}

void ParticlesDelete() { ClearParticles(); }
