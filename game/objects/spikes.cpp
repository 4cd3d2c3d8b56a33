// Spike points and super animators.
#include "spikes.h"

#include "game_rect.h"
#include "recordings.h"
#include "trunc_int.h"

spike Spikies[SPIKES];
superAnimator SuperAnimators[SUPER_ANIMATORS];

void spike::Init(int slotIndex, int px, int py, int spikeKind) {
  active = 1;
  x = (float)px;
  y = (float)py;
  kind = spikeKind;
  index = slotIndex;
  if (kind == 0) {
    radius = 48;
    kindValue = 2;
  }
  radiusSquared = radius * radius;
}

void spike::Process(float) {
  if (g_playingRecording) return;
  gameRect& hero = GameRects[0];
  // Squared in double: a hero 46,341 px away would overflow an int and read as inside.
  double dx = TruncToInt(x - hero.centerX), dy = TruncToInt(y - hero.centerY);
  if (dx * dx + dy * dy < (double)radiusSquared + (double)hero.width * hero.width) hero.Die();
}

void spike::Draw() {}

void AddSpikes(int x, int y, int kind) {
  for (int i = 0; i < SPIKES; ++i)
    if (Spikies[i].active != 1) {
      Spikies[i].Init(i, x, y, kind);
      return;
    }
}

void ClearSpikes() {
  for (spike& s : Spikies)
    s.active = 0;
}

void ProcessAllSpikes(float dt) {
  for (spike& s : Spikies)
    if (s.active) s.Process(dt);
}

void DrawAllSpikes() {
  for (spike& s : Spikies)
    if (s.active) s.Draw();
}

bool superAnimator::Bind(bool* a, float* b, float* c, bool* d) {
  if (count < 0 || count >= SUPER_ANIMATOR_BINDINGS) return false;
  flagA[count] = a;
  valueA[count] = b;
  valueB[count] = c;
  flagB[count] = d;
  ++count;
  return true;
}
