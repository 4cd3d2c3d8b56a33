// Levels of the generated sample pack: a fixture that opens the pack as a release build and releases
// every global the level start fills.
#pragma once

#include "catalogue.h"
#include "display.h"
#include "gameplay_window.h"
#include "level_fixture.h"
#include "startup_pack.h"

class PackLevelTest : public LevelTest {
protected:
  void SetUp() override {
    LevelTest::SetUp();
    ASSERT_TRUE(app.OpenPackFile(SamplePackPath())) << SamplePackPath();
    ResetDrawingState();
    keepDisplay = display;
    display = &screen;
    MAXX = 480;
    MAXY = 320;
    g_characterID = 0;
  }
  void TearDown() override {
    display = nullptr; // the test's own, not the globals' to delete
    SafeDeleteGlobals();
    previousSpriteSet = -100;
    currentCharacter = -1;
    curBGSprite = -1;
    g_currentWorldAtlasID = -1;
    display = keepDisplay;
    LevelTest::TearDown();
  }

  Display screen;
  Display* keepDisplay = nullptr;
  TriangleCapture capture; // the frames' triangles go nowhere
};
