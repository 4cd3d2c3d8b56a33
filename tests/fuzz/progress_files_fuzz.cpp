// Fuzzes the progress-file readers: any bytes are applied as each kind of file or refused whole, a
// refused file changes nothing at all, and what an accepted options file leaves is always usable (a
// known control scheme, finite sensitivity and zoom within their floors, a world index inside the
// tables).
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "mission_table.h"
#include "progress_files.h"

namespace {

// The bytes of every table a progress file may change.
std::vector<unsigned char> Snapshot() {
  std::vector<unsigned char> out;
  auto add = [&out](const void* p, size_t n) {
    const unsigned char* b = (const unsigned char*)p;
    out.insert(out.end(), b, b + n);
  };
  add(&g_muteSound, sizeof g_muteSound);
  add(&g_muteMusic, sizeof g_muteMusic);
  add(&g_accelerometerControl, sizeof g_accelerometerControl);
  add(&g_accelerometerSensitivity, sizeof g_accelerometerSensitivity);
  add(&g_iphoneCustomZoom, sizeof g_iphoneCustomZoom);
  add(&g_ghostMode, sizeof g_ghostMode);
  add(g_ratemeShownOrCompleted, sizeof g_ratemeShownOrCompleted);
  add(&g_worldSelected, sizeof g_worldSelected);
  add(OptionsSaved, sizeof OptionsSaved);
  add(g_charactersUnlocked, sizeof g_charactersUnlocked);
  add(g_worldsUnlocked, sizeof g_worldsUnlocked);
  add(g_superItemsUnlocked, sizeof g_superItemsUnlocked);
  add(g_purchasesCount, sizeof g_purchasesCount);
  add(ImportantDataSaved, sizeof ImportantDataSaved);
  for (const mission& m : Missions) {
    add(&m.counter, sizeof m.counter);
    add(&m.accumulator, sizeof m.accumulator);
    add(&m.completed, sizeof m.completed);
    add(&m.justCompleted, sizeof m.justCompleted);
    add(&m.bannerTimer, sizeof m.bannerTimer);
    add(&m.active, sizeof m.active);
  }
  add(g_globalAchievements, sizeof g_globalAchievements);
  add(g_levelAchievements, sizeof g_levelAchievements);
  return out;
}

// Applies the bytes as one kind of file; a refusal must give a reason and leave every table as it was.
bool Apply(bool (*apply)(const unsigned char*, size_t, const char**), const uint8_t* data, size_t size) {
  std::vector<unsigned char> before = Snapshot();
  const char* why = nullptr;
  if (apply(data, size, &why)) return true;
  if (!why || Snapshot() != before) abort();
  return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (Apply(ApplyOptionsFile, data, size)) {
    if (g_accelerometerControl != 0 && g_accelerometerControl != 1 && g_accelerometerControl != 10 &&
        g_accelerometerControl != 11)
      abort();
    if (!std::isfinite(g_accelerometerSensitivity) || g_accelerometerSensitivity < 1000) abort();
    if (!std::isfinite(g_iphoneCustomZoom) || g_iphoneCustomZoom < 0.45f) abort();
    if (g_worldSelected < 0 || g_worldSelected >= WORLDS) abort();
  }
  Apply(ApplyImportantDataFile, data, size);
  if (Apply(ApplyMissionsFile, data, size))
    for (const mission& m : Missions)
      if (!std::isfinite(m.accumulator) || !std::isfinite(m.bannerTimer)) abort();
  Apply(ApplyGlobalFile, data, size);
  if (Apply(ApplyLevelsFile, data, size))
    for (int level = 0; level < LEVEL_RECORDS; ++level)
      for (int c = 0; c < 20; ++c)
        if (!std::isfinite(GetLevelBestTime(level, c))) abort();
  return 0;
}
