// Objects of the real per-type defaults beside a hero, stepped one behaviour update at a time, with
// the missions counted, the sounds logged and the level completions recorded.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "game_test_support.h"
#include "level_data.h"
#include "mission_table.h"
#include "object_table.h"
#include "particles.h"
#include "progress_files.h"
#include "recordings.h"
#include "smoke.h"
#include "sound_log.h"
#include "touch_controls.h"

constexpr float kFrame = 0.016f;

// What the game asked of the recorders below.
struct Recorded {
  int completions = 0;
  int levelCompletionTaps = 0;
  int nextLevels = 0;
  std::vector<std::pair<int, float>> missions; // (mission, amount)
  int Mission(int m) const {
    int n = 0;
    for (auto& e : missions)
      n += e.first == m ? 1 : 0;
    return n;
  }
};
Recorded& Record();

// While it lives, the level completion, the level-end taps, the next-level step and the mission
// counts are recorded in Record() in place of the game's own.
class Recorders {
public:
  Recorders();
  ~Recorders();
  Recorders(const Recorders&) = delete;
  Recorders& operator=(const Recorders&) = delete;

private:
  void (*complete)();
  void (*tap)(int, int);
  void (*next)();
  void (*count)(mission&, float);
};

class BehaviourTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetObjectTable();
    rectID = 1;
    ClearSmoke();
    ClearParticles();
    g_paused = false;
    g_playingRecording = false;
    g_characterID = 0;
    g_currentMode = 9;
    g_finalRelease = 1;
    g_levelSelected = 7;
    g_accelerometerControl = 1;
    jumpButtonPressed = false;
    g_levelCurrentData = levelCurrentData();
    g_levelCurrentData.levelBottom = 6000;
    Record() = Recorded();
    g_pGame = &app;
    // A case that starts over hands the old log's sound system back first.
    sounds.reset();
    sounds = std::make_unique<SoundLog>(app);
    srand(7);
  }
  void TearDown() override {
    ResetObjectTable();
    ClearSmoke();
    g_currentMode = -1;
    g_playingRecording = false;
    g_accelerometerControl = 1;
    sounds.reset();
    g_pGame = nullptr;
  }

  // A clean start for the next case of a table.
  void Fresh() {
    TearDown();
    SetUp();
  }
  // The hero with its centre at (cx, cy), past its start wait.
  gameRect& HeroAt(float cx, float cy) {
    gameRect& h = GameRects[0];
    h.Init(0, 0, 0, HERO_TYPE, false);
    h.spawnTime = 0.5f;
    Centre(h, cx, cy);
    return h;
  }
  static void Centre(gameRect& r, float cx, float cy) {
    r.x = cx - r.width / 2;
    r.y = cy - r.height / 2;
    r.UpdateCoordinates();
  }
  // An object of type with its per-type defaults, its centre at (cx, cy).
  gameRect& Object(int type, float cx, float cy) {
    int slot = AddGameRect(0, 0, type, true);
    gameRect& o = GameRects[slot];
    Centre(o, cx, cy);
    o.pathX = o.startX = o.x;
    o.pathY = o.startY = o.y;
    return o;
  }
  static gameRect& hero() { return GameRects[0]; }
  static void Updates(gameRect& o, int n, float dt = kFrame) {
    for (int i = 0; i < n; ++i)
      o.ProcessCustom(dt);
  }
  std::vector<std::pair<int, int>> Played() const { return sounds->Played(); }
  bool PlayedSound(int id, int variant) const {
    auto p = Played();
    return std::find(p.begin(), p.end(), std::make_pair(id, variant)) != p.end();
  }
  int PlayedCount(int id) const {
    int n = 0;
    for (auto& e : Played())
      n += e.first == id ? 1 : 0;
    return n;
  }
  void ClearSounds() {
    sounds->system.playedEffects.clear();
    sounds->Age();
  }
  static int ActiveSmoke() {
    int n = 0;
    for (const smoke& s : Smokes)
      n += s.active ? 1 : 0;
    return n;
  }

  Recorders recorders;
  CTestApplication app;
  std::unique_ptr<SoundLog> sounds;
};
