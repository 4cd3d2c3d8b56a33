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
#include "help_dialogs.h"
#include "main_menu.h"
#include "running_game.h"
#include "surface.h"
#include "texture2d.h"
#include "the_game.h"
#include <standin/headless_gl.h>

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

  // One frame: its blended fill, in screens, and `count` rows of what it left on the screen from
  // GL's row `first` up (GL's rows run up from the bottom).
  double FillAndRows(int first, int count, std::vector<uint8_t>* rows) {
    GLES_CountFill(MAXX, MAXY);
    g_GLES_FillCounts = GLES_FillCounts{};
    Cycles(1);
    const double blended = g_GLES_FillCounts.blended;
    GLES_CountFill(0, 0);
    GLES_FlushBuffer();
    rows->assign((size_t)Width() * count * 4, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, first, Width(), count, GL_RGBA, GL_UNSIGNED_BYTE, rows->data());
    return blended;
  }
  // Layers that stand still becoming a picture: the frames until the blended fill drops (the
  // picture is made in the frame before, which draws over the screen on the way), at most `limit`.
  // Gives the rows (as FillAndRows) of the frame before that, drawn piece by piece, and the fill of
  // that frame and of the first one with the picture.
  bool UntilPicture(int limit, int first, int count, std::vector<uint8_t>* before, double* was, double* is) {
    std::vector<std::vector<uint8_t>> rows(3);
    std::vector<double> fill;
    for (int f = 0; f < limit; ++f) {
      std::vector<uint8_t> now;
      fill.push_back(FillAndRows(first, count, &now));
      rows[f % 3] = now;
      if (f >= 2 && fill[f] < fill[f - 1] - 0.05) {
        *before = rows[(f + 1) % 3]; // frame f - 2
        *was = fill[f - 2];
        *is = fill[f];
        return true;
      }
    }
    return false;
  }
};

// A see-through edge of a picture of layers is known to 6 bits of what shows through it: two 5-bit
// steps at most.
const int kPictureStep = 17;

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
