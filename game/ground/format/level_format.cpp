// The level file's bytes: the whole-file check, record and header access, and the shared encoder.
#include "level_format.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "byte_order.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "level files are little-endian words in memory order");

namespace {

const int kHeroType = 199;

int32_t ReadWord(const unsigned char* p) { return (int32_t)ReadLe32(p); }

void PutWord(std::vector<unsigned char>& out, int32_t value) {
  unsigned char bytes[4];
  WriteLe32(bytes, (uint32_t)value);
  out.insert(out.end(), bytes, bytes + 4);
}

} // namespace

bool IsLevelWordDefined(int w) {
  return (w >= 0 && w <= 28) || (w >= 32 && w <= 34) || (w >= 36 && w <= 41) || w == 43 ||
         (w >= 45 && w <= 53) || (w >= 61 && w <= 63);
}

bool IsLevelWordFloat(int w) {
  switch (w) {
  case LW_X:
  case LW_Y:
  case LW_X2:
  case LW_Y2:
  case LW_FPS:
  case LW_CUSTOM_SIZE:
  case LW_PENDULUM_AMPLITUDE:
  case LW_BLOCK_ANGLE:
  case LW_MOVE_X_TIME:
  case LW_MOVE_X_PAUSE:
  case LW_MOVE_X_SPEED:
  case LW_MOVE_Y_TIME:
  case LW_MOVE_Y_PAUSE:
  case LW_MOVE_Y_SPEED:
  case LW_CIRCLING_PHASE:
  case LW_CIRCLING_SPEED:
  case LW_CIRCLING_RADIUS:
  case LW_CUSTOM1:
  case LW_CUSTOM2:
  case LW_CUSTOM3:
    return true;
  default:
    return false;
  }
}

float gameRectData::Float(int word) const {
  float v;
  memcpy(&v, &words[word], sizeof v);
  return v;
}

void gameRectData::SetFloat(int word, float value) { memcpy(&words[word], &value, sizeof value); }

bool CheckLevelFile(const unsigned char* data, size_t size, int* count, const char** why) {
  if (!data || size < LevelFileSize(0)) {
    if (why) *why = "shorter than an empty level";
    return false;
  }
  int32_t n = ReadWord(data);
  if (n < 0) {
    if (why) *why = "its record count is negative";
    return false;
  }
  if (size != LevelFileSize((size_t)n)) {
    if (why)
      *why = size < LevelFileSize((size_t)n) ? "shorter than its record count says"
                                             : "longer than its record count says";
    return false;
  }
  if (count) *count = n;
  return true;
}

gameRectData LevelRecordAt(const unsigned char* data, int i) {
  gameRectData r;
  const unsigned char* p = data + 4 + (size_t)LEVEL_RECORD_BYTES * (size_t)i;
  for (int w = 0; w < LEVEL_FILE_WORDS; ++w)
    r.words[w] = ReadWord(p + 4 * w);
  return r;
}

void LevelHeaderAt(const unsigned char* data, int count, levelHeader* out) {
  memcpy(out, data + 4 + (size_t)LEVEL_RECORD_BYTES * (size_t)count, sizeof *out);
}

bool LevelRecordKept(float x, float y) {
  return !(x < (float)LEVEL_FIELD_START) && !(y < (float)LEVEL_FIELD_START);
}

bool ClampLevelStartShift(int* shiftX, int* shiftY) {
  if (std::fabs((float)*shiftX) > LEVEL_MAX_START_SHIFT ||
      std::fabs((float)*shiftY) > LEVEL_MAX_START_SHIFT) {
    *shiftX = *shiftY = 0;
    return true;
  }
  return false;
}

std::vector<unsigned char> EncodeLevelFile(const std::vector<gameRectData>& records,
                                           const levelHeader& header) {
  std::vector<const gameRectData*> kept;
  for (const gameRectData& r : records) {
    if ((int)kept.size() == LEVEL_MAX_RECORDS) break;
    if (r.Int(LW_TYPE) == kHeroType || !LevelRecordKept(r.Float(LW_X), r.Float(LW_Y))) continue;
    kept.push_back(&r);
  }
  std::vector<unsigned char> out;
  out.reserve(LevelFileSize(kept.size()));
  PutWord(out, (int32_t)kept.size());
  for (const gameRectData* r : kept) {
    gameRectData w = *r;
    w.SetInt(LW_TAG, LEVEL_RECORD_TAG);
    int sx = w.Int(LW_INIT_SHIFT_X), sy = w.Int(LW_INIT_SHIFT_Y);
    ClampLevelStartShift(&sx, &sy);
    w.SetInt(LW_INIT_SHIFT_X, sx);
    w.SetInt(LW_INIT_SHIFT_Y, sy);
    for (int i = 0; i < LEVEL_FILE_WORDS; ++i)
      PutWord(out, IsLevelWordDefined(i) ? w.words[i] : 0);
  }
  const unsigned char* h = (const unsigned char*)&header;
  out.insert(out.end(), h, h + sizeof header);
  return out;
}

gameRectData FreshLevelRecord(int type, float x, float y) {
  gameRectData r;
  memset(&r, 0, sizeof r);
  r.SetInt(LW_TAG, LEVEL_RECORD_TAG);
  r.SetInt(LW_TYPE, type);
  r.SetInt(LW_LAYER, 10);
  r.SetFloat(LW_X, x);
  r.SetFloat(LW_Y, y);
  r.SetFloat(LW_FPS, 10);
  r.SetInt(LW_MOVE_X_ORIENTATION, 1);
  r.SetInt(LW_MOVE_Y_ORIENTATION, 1);
  r.SetFloat(LW_CUSTOM_SIZE, 1);
  r.SetInt(LW_ALSO_MOVE_PLAYER, 1);
  for (int w : {LW_COLOR_R, LW_COLOR_G, LW_COLOR_B, LW_COLOR_A})
    r.SetInt(w, 255);
  return r;
}
