// Fuzzes the progress-file readers: any bytes are applied as each kind of file or refused whole,
// and what an accepted options file leaves is always usable (a known control scheme, finite
// sensitivity and zoom within their floors, a world index inside the tables).
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "progress_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* why = nullptr;
  if (ApplyOptionsFile(data, size, &why)) {
    if (g_accelerometerControl != 0 && g_accelerometerControl != 1 && g_accelerometerControl != 10 &&
        g_accelerometerControl != 11)
      abort();
    if (!std::isfinite(g_accelerometerSensitivity) || g_accelerometerSensitivity < 1000) abort();
    if (!std::isfinite(g_iphoneCustomZoom) || g_iphoneCustomZoom < 0.45f) abort();
    if (g_worldSelected < 0 || g_worldSelected >= WORLDS) abort();
  } else if (size == OPTIONS_FILE_SIZE && !why) {
    abort();
  }
  ApplyImportantDataFile(data, size, &why);
  ApplyMissionsFile(data, size, &why);
  ApplyGlobalFile(data, size, &why);
  if (ApplyLevelsFile(data, size, &why))
    for (int level = 0; level < LEVEL_RECORDS; ++level)
      for (int c = 0; c < 20; ++c)
        if (!std::isfinite(GetLevelBestTime(level, c))) abort();
  return 0;
}
