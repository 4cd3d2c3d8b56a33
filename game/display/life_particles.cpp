// The life-curve particle pool.
#include "life_particles.h"

#include "display.h"
#include "surface.h"

newParticle NewParticles[NEW_PARTICLES];
Surface* g_ParticlesSet = nullptr;
myRect rSingle;

void newParticle::Init(int px, int py, float pvx, float pvy, int frame, float a, float aStep, float d,
                       int add, float g, const float* c, float speed, ColorRGB start, ColorRGB end) {
  active = 1;
  x = (float)px;
  y = (float)py;
  vx = pvx;
  vy = pvy;
  gravity = g;
  unused1 = unused2 = 0;
  delay = d;
  for (int i = 0; i < 10; i++)
    curve[i] = c[i];
  currentScale = curve[0];
  lifeTime = 0;
  lifeSpeed = speed;
  style = 2;
  colour[0] = (float)start.r;
  colour[1] = (float)start.g;
  colour[2] = (float)start.b;
  endColour[0] = (float)end.r;
  endColour[1] = (float)end.g;
  endColour[2] = (float)end.b;
  for (int i = 0; i < 3; i++)
    colourDelta[i] = endColour[i] - colour[i];
  column = frame % 4;
  row = frame / 4;
  alpha = a;
  alphaStep = aStep;
  source.Set(column * 64.0f, row * 64.0f, (column + 1) * 64.0f, (row + 1) * 64.0f);
  additive = add;
}

void newParticle::Process(float dt) {
  delay -= dt;
  if (delay > 0) return;
  x += vx * dt;
  y += vy * dt;
  vy += gravity * dt;
  for (int i = 0; i < 3; i++)
    colour[i] += alphaStep * dt * colourDelta[i];
  alpha += alphaStep; // once per call, not scaled by dt
  for (int i = 0; i < 3; i++)
    if (colour[i] < 0) colour[i] = 0;
  lifeTime += lifeSpeed * dt;
  if (lifeTime > 10) {
    Die();
    return;
  }
  int key = (int)lifeTime;
  // The next key being negative marks the end of a short curve.
  if (lifeTime < 9 && curve[key + 1] < 0) {
    Die();
    return;
  }
  // lifeTime may equal 10 exactly: the last key stands for it.
  currentScale = curve[key < 10 ? key : 9];
}

void newParticle::Draw() {
  if (delay > 0 || !g_ParticlesSet) return;
  display->SetBlending((int)(alpha * 255), (int)(colour[0] * alpha), (int)(colour[1] * alpha),
                       (int)(colour[2] * alpha));
  display->Blit((float)(int)(x - 32 * currentScale), (float)(int)(y - 32 * currentScale), g_ParticlesSet,
                &source, true, currentScale, currentScale);
}

void AddParticlesNew(int x, int y, float vx, float vy, int frame, float alpha, float alphaStep, float delay,
                     int additive, float gravity, const float* curve, float lifeSpeed, ColorRGB start,
                     ColorRGB end) {
  if (!curve) return;
  for (int i = 0; i < NEW_PARTICLES; i++)
    if (!NewParticles[i].active) {
      NewParticles[i].Init(x, y, vx, vy, frame, alpha, alphaStep, delay, additive, gravity, curve, lifeSpeed,
                           start, end);
      return;
    }
}

void ParticlesNewProcess(float dt) {
  for (int i = 0; i < NEW_PARTICLES; i++)
    if (NewParticles[i].active) NewParticles[i].Process(dt);
}

void DrawNewParticles() {
  for (int pass = 0; pass < 2; pass++)
    for (int i = 0; i < NEW_PARTICLES; i++) {
      newParticle& p = NewParticles[i];
      if (p.active && (p.additive != 0) == (pass == 1)) p.Draw();
    }
  display->SetNormalMode();
  display->SetBlending(255);
}

void DrawSingleParticle(int x, int y, int frame, float scale, int alpha, ColorRGB colour, bool tint) {
  if (!g_ParticlesSet) return;
  int column = frame % 8, row = frame / 8;
  rSingle.Set(column * 64.0f, row * 64.0f, (column + 1) * 64.0f, (row + 1) * 64.0f);
  if (tint) display->SetBlending(alpha, colour.r, colour.g, colour.b);
  display->Blit(x - 32 * scale, y - 32 * scale, g_ParticlesSet, &rSingle, false, scale, scale);
  if (tint) display->SetBlending(display->alpha, 255, 255, 255);
}
