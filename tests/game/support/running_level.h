// A level written in the test and played by the running game: the developer build reads the level
// from the save directory, so a test lays out the objects it needs around the hero's start and
// plays it in the in-level mode, frame by frame, on the headless screen.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "files.h"
#include "program_run.h"
#include "running_game.h"
#include "test_levels.h"

class RunningLevelTest : public RunningGameTest {
protected:
  // The level number the test's file is written under.
  static constexpr int kLevel = 7;

  void SetUp() override {
    StartInTheMenu();
    if (Running()) g_finalRelease = 0;
  }
  void TearDown() override {
    g_finalRelease = 1;
    g_levelSelected = 0;
    StopGame();
  }

  // Writes the level with the hero standing on the floor at startX and enters play of it.
  void Play(const std::vector<gameRectData>& records, int startX) {
    const std::vector<unsigned char> bytes = test_levels::FileBytes(records, startX);
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
