// Fuzzes the ghost and demo run reader: any bytes are read into a recording or refused with a
// reason and leave it untouched; what is read never exceeds the table or the frames the bytes hold,
// every frame read holds values the hero can have, and playing it as a ghost through every frame
// stays inside the table.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "game_rect.h"
#include "level_data.h"
#include "recordings.h"
#include "sprite_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static recording rec;
  rec.length = -7;
  rec.loaded = 0;
  const char* why = nullptr;
  if (!ParseRecording(data, size, rec, &why)) {
    if (!why || !*why || rec.length != -7 || rec.loaded) abort();
    return 0;
  }
  size_t held = size < 4 ? 0 : (size - 4) / RECORDING_FRAME_BYTES;
  if (rec.length < 0 || rec.length > RECORDING_FRAMES || (size_t)rec.length > held || !rec.loaded) abort();
  // Every frame read holds what the hero can have: the drawing indexes and flips by these.
  for (int k = 0; k < rec.length; ++k)
    if (rec.animation[k] < 0 || rec.animation[k] >= CHARACTER_ROWS || rec.flying[k] > 1 || rec.dirX[k] < -1 ||
        rec.dirX[k] > 1 || rec.dirY[k] < -1 || rec.dirY[k] > 1 || rec.spinTarget[k] < -360 ||
        rec.spinTarget[k] > 360 || rec.layer[k] < 0 || rec.layer[k] > RECORDING_LAYER_MAX)
      abort();

  // The read run played as the ghost, one frame past its end.
  Recordings[1] = rec;
  shadowRecordingLoaded = true;
  GameRects[GHOST_SLOT].active = 0;
  GameRects[0].Init(0, 5000, 5000, HERO_TYPE, false);
  for (int k = 0; k <= rec.length && k < 200; ++k) {
    g_levelCurrentData.frames = k;
    PlayShadowRecording();
  }
  if (rec.length < 200 && (shadowRecordingLoaded || GameRects[GHOST_SLOT].active)) abort();
  shadowRecordingLoaded = false;
  GameRects[GHOST_SLOT].active = 0;
  return 0;
}
