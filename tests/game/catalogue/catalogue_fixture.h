// The catalogue's game-side tests run on the generated sample pack: a fixture that opens it and
// releases every global the catalogue fills, and helpers that compare the live tables with the rows.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <vector>

#include "atlas.h"
#include "catalogue.h"
#include "game_test_support.h"
#include "gameplay_window.h"
#include "startup_pack.h"
#include "surface.h"

typedef std::set<std::tuple<int, int, int>> SlotSet; // target, index, frame

// The slots a set's rows fill.
inline SlotSet RowSlots(const catalogue::Set& set) {
  SlotSet out;
  for (int r = 0; r < set.runCount; ++r)
    for (int i = 0; i < catalogue::SlotCount(set.runs[r]); ++i) {
      int index = 0, frame = 0;
      catalogue::SlotAt(set.runs[r], i, &index, &frame);
      out.insert({(int)set.runs[r].target, index, frame});
    }
  return out;
}

// The non-null slots of a global, and how many of them have no picture.
inline SlotSet Filled(catalogue::Target target, int* withoutTexture = nullptr) {
  SlotSet out;
  const catalogue::TargetShape& shape = catalogue::ShapeOf(target);
  for (int i = 0; i < shape.rows; ++i)
    for (int j = 0; j < shape.columns; ++j) {
      bool set = false, textured = false;
      if (target == catalogue::Target::RectDummies) {
        set = g_rectDummies[i][j] != nullptr;
        textured = true;
      } else if (Surface** slot = SpriteSlot(target, i, j)) {
        set = *slot != nullptr;
        textured = set && (*slot)->texture;
      }
      if (!set) continue;
      out.insert({(int)target, i, j});
      if (withoutTexture && !textured) ++*withoutTexture;
    }
  return out;
}

inline SlotSet Union(const SlotSet& a, const SlotSet& b) {
  SlotSet out(a);
  out.insert(b.begin(), b.end());
  return out;
}

class CatalogueTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(game.OpenPackFile(SamplePackPath())) << SamplePackPath(); }
  void TearDown() override {
    SafeDeleteGlobals();
    previousSpriteSet = -100;
    currentCharacter = -1;
    curBGSprite = -1;
    g_currentWorldAtlasID = -1;
  }
  PackGame game;
};
