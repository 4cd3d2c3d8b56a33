// Spike points (circular hazards the level editor runs) and super animators (editor-bound groups
// of values, sorted with the objects for drawing).
#pragma once

#include "quellar_types.h"

struct spike {
  u8 active;
  float x, y;
  float radius;
  float radiusSquared;
  int kind;
  int kindValue;
  int index;

  void Init(int index, int x, int y, int kind);
  void Process(float dt);
  void Draw();
};

enum { SPIKES = 200, SUPER_ANIMATORS = 200, SUPER_ANIMATOR_BINDINGS = 20 };
extern spike Spikies[SPIKES];

// The first slot not in use; nothing when all are.
void AddSpikes(int x, int y, int kind);
void ClearSpikes();
void ProcessAllSpikes(float dt);
void DrawAllSpikes();

struct superAnimator {
  u8 active;
  int x, y;
  bool* flagA[SUPER_ANIMATOR_BINDINGS];
  float* valueA[SUPER_ANIMATOR_BINDINGS];
  float* valueB[SUPER_ANIMATOR_BINDINGS];
  bool* flagB[SUPER_ANIMATOR_BINDINGS];
  int count;

  // False, binding nothing, once all 20 places are taken.
  bool Bind(bool* a, float* b, float* c, bool* d);
  void Draw() {}
};

extern superAnimator SuperAnimators[SUPER_ANIMATORS];
