// The object table as at program start, for fixtures that build their own tables: every slot
// zero-filled (the record's constructor leaves its fields alone) and the list's counters cleared.
#pragma once

#include "game_rect.h"

inline void ResetObjectTable() {
  static gameRect blank;
  for (gameRect& r : GameRects)
    r = blank;
  ClearGameRects();
}
