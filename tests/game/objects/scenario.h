// Small hand-built object tables stepped like the in-level frame: a clean object table, run record
// and effect pools per test, and helpers to place the hero, blocks and walls.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "game_test_support.h"
#include "level_data.h"
#include "object_table.h"
#include "particles.h"
#include "recordings.h"
#include "smoke.h"
#include "sound_log.h"
#include "touch_controls.h"

// One frame of the game clock.
constexpr float kFrame = 0.016f;
// A hero sub-step.
constexpr float kSub = kFrame / 6;

class Scenario : public ::testing::Test {
protected:
  void SetUp() override {
    ResetObjectTable();
    rectID = 1; // slot 0 is the hero's
    ClearSmoke();
    ClearParticles();
    g_paused = false;
    g_playingRecording = false;
    g_characterID = 0;
    g_currentMode = 9;
    jumpButtonPressed = false;
    g_levelCurrentData = levelCurrentData();
    g_levelCurrentData.levelBottom = 6000;
    g_levelCurrentData.levelTop = 4000;
    g_pGame = &app;
    // A test that starts over calls SetUp again: the old log hands the game back first, so the new
    // one does not keep (and restore at the end) a pointer to a log already gone.
    sounds.reset();
    sounds = std::make_unique<SoundLog>(app);
    srand(7);
  }
  void TearDown() override {
    ResetObjectTable();
    g_characterID = 0;
    g_currentMode = -1;
    sounds.reset();
    g_pGame = nullptr;
  }

  // The effects started since the last ClearSounds, as (id, variant).
  std::vector<std::pair<int, int>> PlayedSounds() const { return sounds->Played(); }
  // Forgets the effects started so far and lets every 0.15 s guard run out.
  void ClearSounds() {
    sounds->system.playedEffects.clear();
    sounds->Age();
  }

  CTestApplication app;
  std::unique_ptr<SoundLog> sounds;

  // The hero of g_characterID at (x, y), past its start wait unless asked otherwise.
  gameRect& Hero(int x, int y, bool pastStartWait = true) {
    gameRect& h = GameRects[0];
    h.Init(0, x, y, HERO_TYPE, false);
    if (pastStartWait) h.spawnTime = 0.5f;
    return h;
  }
  gameRect& hero() { return GameRects[0]; }

  // A solid, frozen block (a type without defaults of its own) with its top-left at (x, y).
  gameRect& Block(float x, float y, float w, float h, int type = 59) {
    int slot = AddGameRect(0, 0, type, true);
    gameRect& b = GameRects[slot];
    b.x = b.startX = b.pathX = x;
    b.y = b.startY = b.pathY = y;
    b.width = w;
    b.height = h;
    b.UpdateCoordinates();
    return b;
  }

  void Frames(int n) {
    for (int i = 0; i < n; ++i)
      ProcessAllRects(kFrame);
  }
  // One sub-step of the hero alone.
  void HeroUpdates(int n) {
    for (int i = 0; i < n; ++i)
      hero().Process(kSub);
  }
  // The hero standing on a long floor, settled (a fresh hero lands once: take-off, air and
  // landing rows run before it stands).
  gameRect& HeroOnFloor(int x = 5000, int floorY = 5023) {
    Block(4000, (float)floorY, 3000, 40);
    gameRect& h = Hero(x, 0);
    h.y = (float)floorY - h.height;
    h.UpdateCoordinates();
    Frames(40);
    return h;
  }
};
