// The draw-order list: rebuilt from the active objects, sorted by layer and slot, and walked once a
// frame with the layer-1 smoke slotted in.
#include "draw_order.h"

#include <algorithm>
#include <cstdlib>

#include "display.h"
#include "game_modes.h"
#include "game_rect.h"
#include "smoke.h"
#include "spikes.h"

globalObject GlobalObjects[GLOBAL_OBJECTS];
int globalObjectsCount = 0;
int g_timeToUpdateSort = 30;

void ResortGlobalObjects() {
  if (++g_timeToUpdateSort > 8) {
    g_timeToUpdateSort = 0;
    SetObjectsToSort();
    SortAllObjects();
  }
}

void ForceResortGlobalObjects() {
  g_timeToUpdateSort = 30;
  ResortGlobalObjects();
}

void SetObjectsToSort() {
  int n = 0;
  for (int i = 0; i < GAME_RECTS; ++i) {
    const gameRect& r = GameRects[i];
    if (r.active != 1) continue;
    GlobalObjects[n++] = globalObject{0, r.x, r.y, r.layer, i, 0};
  }
  if (g_currentMode == 10)
    for (int i = 0; i < SUPER_ANIMATORS; ++i) {
      const superAnimator& a = SuperAnimators[i];
      if (a.active) GlobalObjects[n++] = globalObject{1, (float)a.x, (float)a.y, 1000, i, 0};
    }
  globalObjectsCount = n;
}

int compare(const void* pa, const void* pb) {
  const globalObject& a = *(const globalObject*)pa;
  const globalObject& b = *(const globalObject*)pb;
  if (a.depth < b.depth) return -1;
  if (a.depth > b.depth) return 1;
  // Never equal: the slot makes every key distinct, so the unstable sort still gives one order.
  return a.index < b.index ? -1 : 1;
}

// In place: the C library's qsort takes a merge buffer from the heap on every call.
void SortAllObjects() {
  std::sort(GlobalObjects, GlobalObjects + globalObjectsCount,
            [](const globalObject& a, const globalObject& b) { return compare(&a, &b) < 0; });
}

void DrawAllObjects(float dt) {
  if (display) display->SetNoBlackEdgesMode();
  bool smokeDrawn = false;
  for (int i = 0; i < globalObjectsCount; ++i) {
    const globalObject& e = GlobalObjects[i];
    if (e.kind == 0) {
      gameRect& r = GameRects[e.index];
      if (!smokeDrawn && r.layer > 3) {
        ProcessAndDrawSmoke(dt, 1);
        smokeDrawn = true;
      }
      if (r.active == 1) r.Draw();
    } else {
      SuperAnimators[e.index].Draw();
    }
  }
  if (display) {
    display->SetBlending(255, 255, 255, 255);
    display->SetNormalMode();
  }
}
