// The small screens through the real application object on a headless GL screen with the sample
// pack: a fixture started past the splash into the main menu, with taps, keys, frames and blits.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "animator.h"
#include "buttons.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_test_support.h"
#include "gameplay_window.h"
#include "gl_renderer.h"
#include <standin/headless_gl.h>
#include "help_dialogs.h"
#include "main_menu.h"
#include "running_game.h"
#include "surface.h"
#include "texture2d.h"
#include "the_game.h"

class ScreensTest : public RunningGameTest {
protected:
  int Width() const override { return 546; }

  void SetUp() override {
    StartInTheMenu();
    if (!Running()) return;
    Cycles(10); // past the menu's input delay
  }
  void TearDown() override {
    ClearEffectAnimators();
    StopGame();
  }

  void Back() {
    Key(6, 1);
    Key(6, 0);
  }
  // The mode entered from the main menu, past its cross-fade.
  void Enter(int mode) {
    SwitchMode(mode);
    ASSERT_EQ(g_currentMode, mode);
    Cycles(40);
  }
};

// The blits one frame of the current mode sends, drawn straight through its Draw.
inline std::vector<CapturedBlit> FrameBlits(float dt = 0.016f) {
  TriangleCapture capture;
  GameModes[g_currentMode]->Draw(dt);
  return capture.Blits();
}

// The blits of one sprite's picture, in drawing order.
inline std::vector<CapturedBlit> BlitsOf(const std::vector<CapturedBlit>& blits, Surface* s) {
  std::vector<CapturedBlit> out;
  if (!s || !s->texture) return out;
  for (const CapturedBlit& b : blits)
    if (b.source == s->texture->bitmap) out.push_back(b);
  return out;
}

// Where in the frame's blits a sprite's picture was drawn. Sprites cut from one atlas share its
// page, so a neighbour in drawing order tells which entry a blit was.
inline std::vector<size_t> IndicesOf(const std::vector<CapturedBlit>& blits, Surface* s) {
  std::vector<size_t> out;
  if (!s || !s->texture) return out;
  for (size_t i = 0; i < blits.size(); ++i)
    if (blits[i].source == s->texture->bitmap) out.push_back(i);
  return out;
}

inline double CentreX(const CapturedBlit& b) { return (b.MinX() + b.MaxX()) / 2; }
inline double CentreY(const CapturedBlit& b) { return (b.MinY() + b.MaxY()) / 2; }
