// A level written in the test and played by the running game: the developer build reads the level
// from the save directory, so a test lays out the objects it needs around the hero's start and
// plays it in the in-level mode, frame by frame, on the headless screen.
#pragma once

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "files.h"
#include "level_format.h"
#include "level_header.h"
#include "program_run.h"
#include "running_game.h"

class RunningLevelTest : public RunningGameTest {
protected:
  // The level number the test's file is written under.
  static constexpr int kLevel = 7;
  // The top of the floor that Floor lays.
  static constexpr float kFloorTop = 5200;

  void SetUp() override {
    StartInTheMenu();
    if (Running()) g_finalRelease = 0;
  }
  void TearDown() override {
    g_finalRelease = 1;
    g_levelSelected = 0;
    StopGame();
  }

  // A record as the editor saves it; every word it holds replaces the type's default, so the
  // pass-through objects say so.
  static gameRectData Rec(int type, float x, float y, int noCollision = 1) {
    gameRectData r = FreshLevelRecord(type, x, y);
    r.SetInt(LW_NO_COLLISION, noCollision);
    return r;
  }
  // A floor of 200-px tiles with its top at kFloorTop from x over length pixels.
  static void Floor(std::vector<gameRectData>& level, float x, float length) {
    for (float px = x; px < x + length; px += 200)
      level.push_back(Rec(106, px, kFloorTop, 0));
  }
  // Writes the level with the hero standing on the floor at startX (no background picture, so
  // the screen behind the level is black) and enters play of it.
  void Play(const std::vector<gameRectData>& records, int startX) {
    levelHeader h;
    memset(&h, 0, sizeof h);
    h.background = 7;
    h.startX = startX;
    h.startY = (int)kFloorTop - 23 - 2;
    h.characterA = h.characterR = h.characterG = h.characterB = 255;
    h.rankTime4 = 5;
    h.rankTime3 = 8;
    h.rankTime2 = 12;
    h.rankTime1 = 20;
    h.ipadZoom = 1;
    const std::vector<unsigned char> bytes = EncodeLevelFile(records, h);
    const std::string name = "level" + std::to_string(kLevel) + ".txt";
    const std::string path =
        DiskPathFromEnginePath((g_pGame->GetSaveDirectory() + name.c_str()).c_str()).c_str();
    std::ofstream(path, std::ios::binary).write((const char*)bytes.data(), (std::streamsize)bytes.size());
    g_levelSelected = kLevel;
    SwitchMode(9);
    ASSERT_EQ(g_currentMode, 9);
  }
  // What the screen shows now.
  program_run::Picture Shot() {
    GLES_FlushBuffer();
    program_run::Picture p;
    p.width = gl.Width();
    p.height = gl.Height();
    p.rgba = gl.ReadRGBA();
    return p;
  }
  // Frames until the condition holds, at most n; false when it never did.
  template <typename Condition> bool CyclesUntil(int n, Condition done) {
    for (int i = 0; i < n; ++i) {
      if (done()) return true;
      Cycles(1);
    }
    return done();
  }
};
