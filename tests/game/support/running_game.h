// The real application object on a headless GL screen with the sample pack, for tests that drive
// the game in-process: started in the loader, taken into the main menu, touches, keys and frames,
// and everything put back after the test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "frontend.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_test_support.h"
#include "gameplay_window.h"
#include "gl_renderer.h"
#include "gl_required.h"
#include "help_dialogs.h"
#include "loader.h"
#include "main_menu.h"
#include "startup_pack.h"
#include "the_game.h"

class RunningGameTest : public ::testing::Test {
protected:
  // The display size; the logical screen follows its shape (546 x 320 is wider than 3:2).
  virtual int Width() const { return 480; }
  virtual int Height() const { return 320; }
  // Runs after every frame of Cycles, for fixtures that age what they log.
  virtual void AfterCycle() {}

  void SetUp() override { StartGame(); }
  void TearDown() override { StopGame(); }

  // The sample pack in the platform's place and the game made and started, in the loader. Without
  // headless GL the test is skipped, or failed where GL is required. As the host starts it, the
  // game picks its logical screen for the display and takes the double-size pictures.
  void StartGame(bool asHost = false) {
    ASSERT_TRUE(dir.ok());
    std::filesystem::create_directories("app/native/assets");
    ASSERT_TRUE(CopySamplePack("app/native/assets/_game_bb.pak"));
    if (!gl.Open(Width(), Height())) SKIP_OR_FAIL_WITHOUT_GL(gl);
    GLES_ResetStateCache();
    game.reset(new CTheGame());
    g_pGame = game.get();
    if (!asHost) {
      ASSERT_TRUE(game->Init(Width(), Height()));
      return;
    }
    game->m_pApp = game.get();
    int w = 0, h = 0;
    ASSERT_TRUE(game->SelectAndroidInGameResolution(Width(), Height(), w, h));
    game->m_b2xImages = 1;
    game->m_nDeviceScreenWidth = Width();
    game->m_nDeviceScreenHeight = Height();
    ASSERT_TRUE(game->Init(w, h));
  }
  // From the loader past the splash and the start-up loading into the main menu, or from any
  // other mode switched there.
  void ToTheMenu() {
    if (g_currentMode == 18) {
      loadingBlend = loadingBlend2 = 300.0f;
      game->RunGameCycle();
    } else {
      SwitchMode(0);
    }
    ASSERT_EQ(g_currentMode, 0);
  }
  // Started and taken into the main menu.
  void StartInTheMenu() {
    StartGame();
    if (Running()) ToTheMenu();
  }
  // False once the set-up so far has skipped or failed the test; a fixture's own set-up stops then.
  bool Running() const { return game && !HasFatalFailure() && !IsSkipped(); }
  // No dialog or quit question left open for the next test, and the game gone.
  void StopGame() {
    KillDialogs();
    g_bExitDlgOn = 0;
    game.reset();
    g_pGame = nullptr;
    GLES_ResetStateCache();
  }

  void Cycles(int n) {
    for (int i = 0; i < n; ++i) {
      game->RunGameCycle();
      AfterCycle();
    }
  }
  void Down(int x, int y) { game->NotifyPointerEvent(x, y, 1); }
  void Up(int x, int y) { game->NotifyPointerEvent(x, y, 2); }
  void Move(int x, int y) { game->NotifyPointerEvent(x, y, 3); }
  void Tap(int x, int y) {
    Down(x, y);
    Up(x, y);
  }
  void Key(int key, int state) { game->m_pGameplayWindow->NotifyKeyEvent(key, state); }
  HeadlessGL::Pixel At(int x, int y) {
    GLES_FlushBuffer();
    return gl.At(x, y);
  }

  ScopedTempDir dir;
  HeadlessGL gl;
  std::unique_ptr<CTheGame> game;
};
