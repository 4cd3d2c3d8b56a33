// Score and per-world counts.
#include "score.h"

#include "background_fitting.h"
#include "level_layout.h"
#include "progress_files.h"

void UpdateScore() {
  g_globalAchievements[GLOBAL_WORD_PREVIOUS_SCORE] = g_globalAchievements[GLOBAL_WORD_SCORE];
  float sum = 0;
  for (int l = 0; l < LEVEL_RECORDS; ++l) {
    const s32* r = g_levelAchievements[l];
    if (r[LEVEL_WORD_COMPLETIONS] < 1) continue;
    if (r[LEVEL_WORD_RANK] == 4) sum += 30;
    sum += 10.0f * (float)r[LEVEL_WORD_RANK] + (30.0f - GetLevelBestTime(l, 0));
  }
  g_globalAchievements[GLOBAL_WORD_SCORE] = (s32)sum;
}

namespace {

// Sums f over the completed levels of world w's casual set, and of its hardcore set when that starts
// elsewhere; levels outside the records count nothing.
template <class F> int OverWorld(int w, F f) {
  if (w < 0 || w >= WORLDS) return 0;
  int amount = g_levelAmounts[w], total = 0;
  int casual = g_levelStartingIndexes[2 * w], hard = g_levelStartingIndexes[2 * w + 1];
  auto set = [&](int start) {
    for (int l = start; l < start + amount; ++l)
      if (l >= 0 && l < LEVEL_RECORDS && g_levelAchievements[l][LEVEL_WORD_COMPLETIONS] >= 1)
        total += f(g_levelAchievements[l]);
  };
  set(casual);
  if (hard != casual) set(hard);
  return total;
}

} // namespace

int GetNumberOfStarsInWorld(int w) {
  return OverWorld(w, [](const s32* r) { return r[LEVEL_WORD_RANK] < 3 ? r[LEVEL_WORD_RANK] : 3; });
}

int GetNumberOfShroomsInWorld(int w) {
  return OverWorld(w, [](const s32* r) {
    int n = 0;
    for (int c = 0; c < 20; ++c)
      n += r[LEVEL_WORD_MUSHROOM + c];
    return n;
  });
}
