// A clean run for the completion tests: fresh progress tables, missions, animators and effect pools
// on a test application whose save directory is a fresh temporary one, with a sound log, and stand-in
// modes that record being entered.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "animator.h"
#include "buttons.h"
#include "fragments.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "game_test_support.h"
#include "help_dialogs.h"
#include "level_complete.h"
#include "level_data.h"
#include "mission_table.h"
#include "missions.h"
#include "progress_files.h"
#include "recordings.h"
#include "sound_log.h"

// A mode that only counts being entered; restarts the hero like a level start would.
struct EnteredMode : gamemode {
  explicit EnteredMode(int id) : id(id) {}
  void InitMode() override {
    ++entered;
    if (id == 9) GameRects[0].Init(0, 5000, 5000, HERO_TYPE, false);
  }
  int id;
  int entered = 0;
};

class CompletionTest : public ::testing::Test {
protected:
  void SetUp() override {
    static gameRect blank;
    for (gameRect& r : GameRects)
      r = blank;
    memset(g_levelAchievements, 0, sizeof g_levelAchievements);
    memset(g_globalAchievements, 0, sizeof g_globalAchievements);
    for (mission& m : Missions)
      m = mission();
    for (effect_animator& a : EffectAnimators)
      a = effect_animator();
    for (flyingShroom& f : flyingShrooms)
      f.active = 0;
    for (fragment& f : Fragments)
      f.active = 0;
    memset(Recordings, 0, sizeof Recordings);
    g_levelCurrentData = levelCurrentData();
    g_levelSelected = 1;
    g_characterID = 0;
    g_currentMode = 9;
    g_previousMode = -1;
    g_realdt = 1.0f / 60;
    g_ghostMode = 1;
    g_finalRelease = 1;
    g_worldSelected = 0;
    GlobalData.characterIndex = 0;
    shadowRecordingLoaded = false;
    g_playingRecording = false;
    levelEndedHere = false;
    ClearButtons();
    KillDialogs();
    sounds = std::make_unique<SoundLog>(app);
    std::filesystem::create_directories(app.Dir() + "/data");
    InitMissions();
    ProcessMissions(0);
    for (int id : {1, 9, 11}) {
      modes[id] = new EnteredMode(id);
      GameModes[id] = modes[id];
    }
  }
  void TearDown() override {
    for (int id : {1, 9, 11}) {
      GameModes[id] = nullptr;
      delete modes[id];
    }
    g_currentMode = -1;
    KillDialogs();
    ClearButtons();
    sounds.reset();
  }

  // Missions before first done, so that first and the next two open ones are current.
  static void MakeCurrent(int first) {
    for (int i = 0; i < first; ++i) {
      Missions[i].completed = 1;
      Missions[i].justCompleted = 0;
    }
    ProcessMissions(0);
  }
  std::string DataPath(const std::string& name) const { return app.Dir() + "/data/" + name; }
  bool Played(int id, int variant = 0) const {
    for (const auto& p : sounds->Played())
      if (p.first == id && p.second == variant) return true;
    return false;
  }

  PackGame app;
  std::unique_ptr<SoundLog> sounds;
  EnteredMode* modes[GAME_MODES] = {};
};
