// Fuzzes the level file reader: any bytes are applied as a level or refused whole, leaving the level
// in memory as it was; what an accepted file leaves is always usable (finite positions, sizes and
// channels within their ranges, bindings inside the table), draws and steps a few frames, and
// writes back through the encoder into a file the reader accepts again.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "draw_order.h"
#include "game_draw_support.h"
#include "game_modes.h"
#include "game_rect.h"
#include "level_file.h"
#include "quest_state.h"
#include "test_application.h"

namespace {

bool Usable(const gameRect& o) {
  if (!std::isfinite(o.x) || !std::isfinite(o.y) || !std::isfinite(o.centerX) || !std::isfinite(o.centerY))
    return false;
  if (!(o.customSize >= 0.1f && o.customSize <= 5.0f)) return false;
  for (int c : o.color)
    if (c < 0 || c > 255) return false;
  if (o.bindUID > 0 && (o.bindSlot < 0 || o.bindSlot >= GAME_RECTS)) return false;
  // A brick stays solid, unless the file draws it between two points (those never collide).
  return !(o.brick && o.noCollision && !o.draw2Point);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CTestApplication app;
  DrawNowhere(&app);
  g_currentMode = 9;

  // A level in memory that a refused file must leave alone.
  static const unsigned char kEmpty[LevelFileSize(0)] = {};
  ApplyLevelFile(kEmpty, sizeof kEmpty, "empty");
  GameRects[0].x = 4242;

  int count = 0;
  bool valid = CheckLevelFile(data, size, &count, nullptr);
  int applied = ApplyLevelFile(data, size, "fuzz");
  if (applied != (valid ? 1 : 0)) abort();
  if (!applied) {
    if (GameRects[0].x != 4242 || GameRects[1].active) abort();
    return 0;
  }
  for (int i = 1; i < GAME_RECTS; ++i)
    if (GameRects[i].active && !Usable(GameRects[i])) abort();

  GameRects[0].Init(0, 5000, 5000, HERO_TYPE, false);
  g_drawShiftX = g_drawShiftY = -4800;
  ForceResortGlobalObjects();
  for (int frame = 0; frame < 3; ++frame) {
    ProcessAllRects(0.016f);
    ResortGlobalObjects();
    DrawAllObjects(0.016f);
  }

  std::vector<gameRectData> records;
  for (int i = 1; i < GAME_RECTS; ++i)
    if (GameRects[i].active) {
      gameRectData r;
      GameRectDataSet(r, i);
      records.push_back(r);
    }
  std::vector<unsigned char> again = EncodeLevelFile(records, g_levelCur);
  if (!CheckLevelFile(again.data(), again.size(), &count, nullptr)) abort();
  return 0;
}
