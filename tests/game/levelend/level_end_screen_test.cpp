// The level-end show on a real GL screen (headless Mesa) with the sample pack's art, on the logical
// screens of a 480x320 and a 1024x600 display: phase 0's stars and phase 1's shutters, pod, gears
// and buttons are found where their pictures land by drawing the scene with and without them.
// Every frame checked is kept as a PNG in the build's levelend-shots/.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "animator.h"
#include "beams_look.h"
#include "buttons.h"
#include "catalogue.h"
#include "display.h"
#include "game_gl_screen.h"
#include "game_globals.h"
#include "game_test_support.h"
#include "gameplay_window.h"
#include "geometry.h"
#include "gl_renderer.h"
#include "gl_required.h"
#include "level_data.h"
#include "level_end.h"
#include "level_header.h"
#include "png_file_writer.h"
#include "progress_files.h"
#include "sprite_tables.h"
#include "startup_pack.h"
#include "static_backdrop.h"
#include "surface.h"
#include "texture2d.h"

namespace {

struct ScreenCase {
  const char* name;
  int w, h; // the logical screen the display gives the game
};

class LevelEndScreen : public ::testing::TestWithParam<ScreenCase> {
protected:
  void SetUp() override {
    ASSERT_TRUE(game.OpenPackFile(SamplePackPath())) << SamplePackPath();
    game.m_bCreateTextures = 1;
    c = GetParam();
    if (!screen.Open(game, c.w, c.h)) SKIP_OR_FAIL_WITHOUT_GL(screen.GL());
    opened = true;
    ResetDrawingState();
    MAXX = c.w;
    MAXY = c.h;
    // As the gameplay window sets them up.
    g_ratio_is_more_1_5 = g_ratio_is_1_5 = g_ratio_is_less_1_5 = 0;
    g_guiShiftX = 1.0f;
    if (MAXX > 480) {
      g_guiShiftX = (float)MAXX / 480;
      g_ratio_is_more_1_5 = 1;
    } else {
      g_ratio_is_1_5 = 1;
    }
    display = &d;
    LoadBasicSprites();
    // The fills stretch the white picture, which the loader makes in a real start.
    if (!g_white) g_white = new Surface("white", 0, false);
    g_black = g_white;
    ASSERT_NE(g_levelEndFXs[11], nullptr) << "the star";
    savedHeader = g_levelCur;
    g_levelCur.rankTime4 = 10;
    g_levelCur.rankTime3 = 20;
    g_levelCur.rankTime2 = 30;
    g_levelCurrentData.Reset();
    ClearEffectAnimators();
    ClearButtons();
  }
  void TearDown() override {
    ClearEffectAnimators();
    ClearButtons();
    g_levelCurrentData.Reset();
    if (opened) g_levelCur = savedHeader;
    display = nullptr;
    SafeDeleteGlobals();
    g_ratio_is_more_1_5 = g_ratio_is_less_1_5 = 0;
    g_ratio_is_1_5 = 1;
    g_guiShiftX = 1;
    MAXX = 480;
    MAXY = 320;
  }
  // Twice, so that both pictures compared follow the same drawing state.
  void Frame() {
    DrawOnce();
    DrawOnce();
  }
  void DrawOnce() {
    d.SetBlending(255);
    d.SetNormalMode();
    d.FillRect(0, 0, MAXX, MAXY, ColorRGB(0, 0, 0));
    DrawEffectAnimators();
  }
  // The show over a level of two colours, through the backdrop when one is given: its fill.
  GLES_FillCounts DrawOverLevel(StaticBackdrop* backdrop, ColorRGB left, ColorRGB right) {
    g_GLES_FillCounts = {};
    if (backdrop) backdrop->Begin();
    d.SetBlending(255);
    d.SetNormalMode();
    d.FillRect(0, 0, MAXX / 2, MAXY, left);
    d.FillRect(MAXX / 2, 0, MAXX, MAXY, right);
    DrawEffectAnimators(backdrop);
    return g_GLES_FillCounts;
  }
  void Run(int frames) {
    for (int i = 0; i < frames; ++i)
      ProcessEffectAnimators(0.016f);
  }
  std::vector<uint8_t> Shot(const std::string& what) {
    std::vector<uint8_t> px = screen.ReadRGBA();
    PngRows rows(c.h);
    for (int y = 0; y < c.h; ++y)
      rows[y].assign(px.begin() + (size_t)y * c.w * 4, px.begin() + (size_t)(y + 1) * c.w * 4);
    const std::string dir = std::string(SPROCKLET_BINARY_DIR) + "/levelend-shots";
    std::filesystem::create_directories(dir);
    WritePngFile(dir + "/" + c.name + "-" + what + ".png", c.w, c.h, 8, PNG_COLOR_TYPE_RGBA, false, rows);
    return px;
  }
  // The centre of the pixels that differ between two frames inside a box, and how many there are.
  int Difference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int x0, int y0, int x1, int y1,
                 float* cx, float* cy) {
    int n = 0;
    box[0] = box[1] = 100000;
    box[2] = box[3] = -1;
    double sx = 0, sy = 0;
    for (int y = std::max(0, y0); y < std::min(c.h, y1); ++y)
      for (int x = std::max(0, x0); x < std::min(c.w, x1); ++x) {
        const size_t i = ((size_t)y * c.w + x) * 4;
        if (std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]) > 150) {
          ++n;
          box[0] = std::min(box[0], x);
          box[1] = std::min(box[1], y);
          box[2] = std::max(box[2], x);
          box[3] = std::max(box[3], y);
          sx += x;
          sy += y;
        }
      }
    *cx = n ? (float)(sx / n) : -1;
    *cy = n ? (float)(sy / n) : -1;
    return n;
  }
  // The frame drawn without the given slots.
  std::vector<uint8_t> Without(const std::string& what, std::initializer_list<int> slots) {
    for (int s : slots)
      EffectAnimators[s].active = 0;
    Frame();
    std::vector<uint8_t> without = Shot(what + "-without");
    for (int s : slots)
      EffectAnimators[s].active = 1;
    return without;
  }
  struct Box {
    float x0, y0, x1, y1;
    float Area() const { return (x1 - x0) * (y1 - y0); }
  };
  // Where a sprite lands when drawn centred on (x, y) at the given share of its pixel size.
  static Box Around(Surface* s, float x, float y, float scale) {
    const float hw = s ? s->width * scale / 2 : 0, hh = s ? s->height * scale / 2 : 0;
    return {x - hw, y - hh, x + hw, y + hh};
  }
  // Draws with and without the given slots: they fill at least the given share of the box their
  // sprite covers, centred in it unless partly hidden, and draw nothing outside it.
  void ExpectDrawnIn(const std::string& what, std::initializer_list<int> slots, Box b,
                     const std::vector<uint8_t>& with, float least, bool hidden = false) {
    const std::vector<uint8_t> without = Without(what, slots);
    const int m = 4; // the buttons' idle motion
    float cx, cy;
    const int near =
        Difference(with, without, (int)b.x0 - m, (int)b.y0 - m, (int)b.x1 + m, (int)b.y1 + m, &cx, &cy);
    EXPECT_GT(near, least * b.Area()) << what;
    if (!hidden) {
      EXPECT_NEAR(cx, (b.x0 + b.x1) / 2, 6) << what;
      EXPECT_NEAR(cy, (b.y0 + b.y1) / 2, 6) << what;
    }
    const int all = Difference(with, without, 0, 0, c.w, c.h, &cx, &cy);
    EXPECT_LT(all - near, near / 10 + 20) << what << ": drawn elsewhere too, within " << box[0] << ","
                                          << box[1] << " - " << box[2] << "," << box[3];
  }
  // Draws with and without the given slots: they cover at least the given share of the box.
  void ExpectCovers(const std::string& what, std::initializer_list<int> slots, Box b,
                    const std::vector<uint8_t>& with, float least) {
    const std::vector<uint8_t> without = Without(what, slots);
    float cx, cy;
    const int covered = Difference(with, without, (int)b.x0, (int)b.y0, (int)b.x1, (int)b.y1, &cx, &cy);
    EXPECT_GE(covered, least * b.Area()) << what << ": " << covered << " of " << b.Area() << " pixels";
  }

  ScreenCase c;
  PackGame game;
  GameGLScreen screen;
  Display d;
  bool opened = false;
  levelHeader savedHeader;
  int box[4];
};

TEST_P(LevelEndScreen, PhaseZeroShowsTheEarnedStarsAtTheirPlaces) {
  g_levelCurrentData.levelTime = 5; // three stars
  AddLevelEndAnimation(false);
  Run(120); // 2.9 animator seconds: everything has arrived
  Frame();
  const std::vector<uint8_t> with = Shot("phase0");
  const float starX[3] = {188, 243, 298.5f};
  const int slots[3] = {47, 50, 53};
  for (int i = 0; i < 3; ++i) {
    float x = starX[i];
    if (g_ratio_is_more_1_5) x = (g_guiShiftX * 370 - (370 - x)) / g_guiShiftX;
    x = (float)(int)x * g_guiShiftX;
    ExpectDrawnIn("star" + std::to_string(i + 1), {slots[i]}, Around(g_levelEndFXs[11], x, 154, 0.5f), with,
                  0.25f);
  }
}

// Phase 1 closes the shutters over the whole screen (with a copy at each side of a wide one), and
// on them hangs the level's pod with its gears above the three live buttons.
TEST_P(LevelEndScreen, PhaseOneShowsTheShuttersThePodAndTheButtonsAtTheirPlacesAndTheyAreLive) {
  g_levelCurrentData.levelTime = 35;
  AddLevelEndAnimation(false);
  Run(120);
  ClearAnimators0_to_29();
  AddLevelEndAnimation(true);
  AddButtonCustom(79, MAXY - 30, 159, 80, (ButtonType)1, "", nullptr, nullptr, nullptr);
  AddButtonCustom(239, MAXY - 30, 159, 80, (ButtonType)1, "", nullptr, nullptr, nullptr);
  AddButtonCustom(399, MAXY - 30, 159, 80, (ButtonType)1, "", nullptr, nullptr, nullptr);
  DisableButtons();
  Run(40); // 0.96 animator seconds: the buttons idle at their places
  EXPECT_EQ(Buttons[2].disabled, 0) << "enabled by slot 82's end";
  Frame();
  const std::vector<uint8_t> with = Shot("phase1");
  const float mid = c.w / 2.0f;

  // Each jaw alone, where neither the pod nor the buttons lie over it.
  const std::vector<uint8_t> upper = Without("lower", {55});
  ExpectCovers("upper shutter", {55, 56}, Box{mid - 150, 110, mid + 150, 185}, upper, 0.9f);
  const std::vector<uint8_t> lower = Without("upper", {56});
  ExpectCovers("lower shutter", {55, 56}, Box{mid - 150, 150, mid + 150, 250}, lower, 0.9f);
  if (g_ratio_is_more_1_5) {
    ExpectCovers("left shutters", {52, 54}, Box{0, 232, 30, 252}, with, 0.9f); // below the missions tab
    ExpectCovers("right shutters", {49, 51}, Box{(float)c.w - 30, 110, (float)c.w, 250}, with, 0.9f);
  }

  ExpectDrawnIn("pod", {65}, Around(g_levelEndFXs[17], 247 * g_guiShiftX, 59, 0.5f), with, 0.6f);
  const float gearX = g_ratio_is_more_1_5 ? (float)((int)((MAXX / 2 - 82) / g_guiShiftX) + 3) : 158;
  ExpectDrawnIn("left gear", {57}, Around(g_levelEndFXs[38], gearX * g_guiShiftX, 76, 0.5f), with, 0.06f,
                true); // mostly behind the pod

  const struct {
    const char* what;
    int slot, button, sprite;
    float x;
  } buttons[] = {{"restart", 77, 0, 18, 94}, {"menu", 81, 1, 22, 250}, {"next", 84, 2, 20, 396}};
  for (const auto& b : buttons) {
    ExpectDrawnIn(b.what, {b.slot}, Around(g_levelEndFXs[b.sprite], b.x * g_guiShiftX, 284, 0.42f), with,
                  0.5f);
    EXPECT_NEAR(Buttons[b.button].x, b.x * g_guiShiftX, 4) << b.what << ": its hit box follows";
  }
}

// Over a level that stands still, each phase shows one copy of the level and of the slots that stand
// still on it, with the same pixels as drawn in full and far fewer of them blended; what moves
// above (phase 0's spinning beams, phase 1's golden-joystick loop) is drawn anew every frame.
TEST_P(LevelEndScreen, WhatStandsStillIsShownAsOneCopyWithTheSamePixels) {
  g_levelCurrentData.levelTime = 5; // three stars and the golden joystick's loop
  AddLevelEndAnimation(false);
  Run(120);
  StaticBackdrop backdrop;
  GLES_CountFill(c.w, c.h);
  auto draw = [&](bool copy) {
    return DrawOverLevel(copy ? &backdrop : nullptr, ColorRGB(90, 140, 60), ColorRGB(40, 60, 150));
  };
  for (int phase = 0; phase < 2; ++phase) {
    SCOPED_TRACE(phase);
    if (phase == 1) {
      ClearAnimators0_to_29();
      AddLevelEndAnimation(true);
      Run(40);
    }
    // Copied once the same drawing came twice, though the show moved on between the frames (the
    // first frame makes the fonts' textures).
    GLES_FillCounts copied = {};
    for (int i = 0; i < 4; ++i) {
      ProcessEffectAnimators(0.016f);
      copied = draw(true);
    }
    const std::vector<uint8_t> fromCopy = Shot("copy" + std::to_string(phase));
    draw(false);
    const GLES_FillCounts drawn = draw(false);
    const std::vector<uint8_t> inFull = Shot("full" + std::to_string(phase));
    EXPECT_TRUE(backdrop.Held());
    int differ = 0, x0 = c.w, y0 = c.h, x1 = -1, y1 = -1;
    for (size_t i = 0; i < fromCopy.size(); i += 4)
      if (memcmp(&fromCopy[i], &inFull[i], 4) != 0) {
        ++differ;
        const int x = (int)(i / 4 % c.w), y = (int)(i / 4 / c.w);
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
      }
    EXPECT_EQ(differ, 0) << "pixels of the copy differ from the show drawn in full, within " << x0 << ","
                         << y0 << " - " << x1 << "," << y1;
    EXPECT_LT(copied.blended, drawn.blended - (phase == 0 ? 2.0 : 1.2))
        << copied.blended << " of " << drawn.blended;
  }
  GLES_CountFill(0, 0);
}

// Phase 0's beams turn between the copy and the slots that stand above them: once those have stood
// still a while they are drawn as one cover with the beams added beneath them, and every frame shows
// the picture of every slot drawn in turn (to two 5-bit steps: a 5-6-5 screen rounds the colour
// below them and over them, the cover the colour over the copy and with the beams; a pixel on a
// beam's sharp side may take its neighbour's colour, the two ways placing it a fraction of a pixel
// apart). The turning
// record badge stays above the beams and below what overlaps it. The level here is dark and the
// splashes and streaks below the beams are left out: where the beams take a bright colour past white
// beneath a see-through edge, the cover adds there what the screen would have cut off.
TEST_P(LevelEndScreen, AboveTheTurningBeamsWhatStandsStillIsOneCoverWithThePictureDrawnInFull) {
  g_levelCurrentData.levelTime = 5;
  AddLevelEndAnimation(false);
  Run(120);
  for (int slot = 1; slot < 8; ++slot)
    EffectAnimators[slot].active = 0;
  StaticBackdrop backdrop;
  GLES_CountFill(c.w, c.h);
  auto draw = [&](bool copy) {
    return DrawOverLevel(copy ? &backdrop : nullptr, ColorRGB(30, 50, 20), ColorRGB(20, 30, 60));
  };
  double least = 1e9, full = 0;
  for (int i = 0; i < 30; ++i) {
    SCOPED_TRACE(i);
    ProcessEffectAnimators(0.016f);
    least = std::min(least, draw(true).blended);
    const std::vector<uint8_t> fromCover = Shot("cover");
    full = draw(false).blended;
    const std::vector<uint8_t> inFull = Shot("full");
    // A pixel further apart than that must be on a side of the beams that the cover's way put a
    // fraction of a pixel away: its colour lies within what the pixels around it take in full.
    auto onSide = [&](int x, int y) {
      const size_t a = ((size_t)y * c.w + x) * 4;
      for (int ch = 0; ch < 3; ++ch) {
        int lo = 255, hi = 0;
        for (int ny = std::max(0, y - 1); ny <= std::min(c.h - 1, y + 1); ++ny)
          for (int nx = std::max(0, x - 1); nx <= std::min(c.w - 1, x + 1); ++nx) {
            const int v = inFull[((size_t)ny * c.w + nx) * 4 + ch];
            lo = std::min(lo, v), hi = std::max(hi, v);
          }
        if (fromCover[a + ch] < lo - 17 || fromCover[a + ch] > hi + 17) return false;
      }
      return true;
    };
    int most = 0, bx0 = c.w, by0 = c.h, bx1 = -1, by1 = -1, many = 0;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) {
        const size_t k = ((size_t)y * c.w + x) * 4;
        int dd = 0;
        for (int ch = 0; ch < 3; ++ch)
          dd = std::max(dd, std::abs((int)fromCover[k + ch] - (int)inFull[k + ch]));
        if (dd <= 17) continue;
        if (onSide(x, y)) continue;
        most = std::max(most, dd);
        ++many;
        bx0 = std::min(bx0, x), by0 = std::min(by0, y), bx1 = std::max(bx1, x), by1 = std::max(by1, y);
      }
    EXPECT_EQ(many, 0) << "most apart " << most << ", within " << bx0 << "," << by0 << " - " << bx1 << ","
                       << by1;
  }
  EXPECT_LT(least, full - 1.0) << "the slots above the beams are in the cover";
  backdrop.Release();
  GLES_CountFill(0, 0);
}

// Phase 0's beams are drawn as their shape, without a texture, and look like their picture blitted:
// over a light and a dark level, at several turns, hardly a pixel differs by more than an edge's
// smoothing, and they are drawn at all.
TEST_P(LevelEndScreen, TheBeamsDrawnAsTheirShapeLookLikeTheirPicture) {
  g_levelCurrentData.levelTime = 5;
  AddLevelEndAnimation(false);
  effect_animator& beams = EffectAnimators[8];
  ASSERT_NE(beams.shape, nullptr);
  const ShapeCorner* shape = beams.shape;
  Run(30);
  for (int slot = 0; slot < EFFECT_ANIMATORS; ++slot)
    if (slot != 8) EffectAnimators[slot].active = 0;
  for (ColorRGB level : {ColorRGB(40, 60, 30), ColorRGB(150, 110, 90)})
    for (int turn = 0; turn < 3; ++turn) {
      SCOPED_TRACE(turn);
      Run(7);
      auto draw = [&](bool on, const ShapeCorner* as) {
        beams.active = on;
        beams.shape = as;
        DrawOverLevel(nullptr, level, level);
        DrawOverLevel(nullptr, level, level);
        return Shot(std::string("beams-") + (as ? "shape" : on ? "picture" : "none"));
      };
      const std::vector<uint8_t> none = draw(false, nullptr), picture = draw(true, nullptr),
                                 drawn = draw(true, shape);
      long lit = 0, apart = 0, far = 0;
      double sum = 0;
      for (size_t k = 0; k < picture.size(); k += 4) {
        int most = 0, seen = 0;
        for (int ch = 0; ch < 3; ++ch) {
          most = std::max(most, std::abs((int)picture[k + ch] - (int)drawn[k + ch]));
          seen = std::max(seen, std::abs((int)picture[k + ch] - (int)none[k + ch]));
        }
        lit += seen > 16;
        apart += most > 12;
        far += most > 40;
        sum += most;
      }
      // The picture's sides are smoothed over a texel or two, the shape's are sharp: only pixels on
      // them differ much, fewer than the sides are long.
      const double pixels = (double)picture.size() / 4;
      const double reach = beams::kReach * g_levelEndFXs[2]->width * 0.5 / 2; // drawn at half its size
      const double sides = beams::kCount * (2 + 2 * std::sin(beams::kHalfAngle)) * reach +
                           2 * beams::kPi * beams::kGlowEdge * reach;
      EXPECT_GT(lit, pixels / 4) << "the beams light a good part of the screen";
      EXPECT_LT(sum / pixels, 1.5) << "mean difference";
      EXPECT_LT(apart, sides) << "pixels more than 12 apart, off the sides";
      EXPECT_LT(far, sides / 4) << "pixels more than 40 apart";
    }
  beams.shape = shape;
}

// Phase 0's pieces that go on moving beneath phase 1's closed shutters (the turning record badge,
// the golden joystick's loop) are left out while the opaque middles of the standing shutters above
// them hide all that they may reach, however turned; one that reaches past those is drawn. Either
// way the picture is the one of every slot drawn in turn.
TEST_P(LevelEndScreen, WhatMovesUnderTheClosedShuttersIsLeftOutOnlyWhileTheyHideIt) {
  g_levelCurrentData.levelTime = 5;
  AddLevelEndAnimation(false);
  Run(120);
  ClearAnimators0_to_29();
  AddLevelEndAnimation(true);
  Run(40);
  GLES_CountFill(c.w, c.h);
  auto frame = [&](bool inTurn) {
    g_GLES_FillCounts = {};
    d.SetBlending(255);
    d.SetNormalMode();
    d.FillRect(0, 0, MAXX, MAXY, ColorRGB(90, 140, 60));
    if (inTurn) {
      d.SetNoBlackEdgesMode();
      for (effect_animator& a : EffectAnimators)
        if (a.active) a.Draw();
      d.SetBlending(255);
      d.SetNormalMode();
    } else {
      DrawEffectAnimators();
    }
    return g_GLES_FillCounts;
  };
  const struct {
    const char* where;
    float x, y; // y < 0: where the badge stands
    bool hidden;
  } cases[] = {{"under the lower jaw", 79, -1, true}, {"across the upper jaw's left edge", 0, 100, false}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.where);
    effect_animator& badge = EffectAnimators[33];
    ASSERT_NE(badge.spin, 0);
    badge.x = badge.startX = badge.targetX = k.x;
    if (k.y >= 0) badge.y = badge.startY = badge.targetY = k.y;
    frame(false); // notes the shutters' opaque middles
    ProcessEffectAnimators(0.016f);
    const GLES_FillCounts left = frame(false);
    const std::vector<uint8_t> shown = Shot(std::string("hiding-") + (k.hidden ? "under" : "across"));
    const GLES_FillCounts all = frame(true);
    EXPECT_TRUE(shown == screen.ReadRGBA()) << "the picture differs from every slot drawn in turn";
    if (k.hidden)
      EXPECT_LT(left.blended, all.blended - 0.05) << "the badge and the joystick's loop left out";
    else
      EXPECT_LT(left.blended, all.blended - 0.02) << "the joystick's loop left out";
    if (!k.hidden) {
      // Drawn, the badge adds its own pixels to what is left.
      badge.active = 0;
      frame(false);
      const GLES_FillCounts without = frame(false);
      badge.active = 1;
      EXPECT_GT(left.opaque + left.blended, without.opaque + without.blended + 0.005)
          << "the badge reaching past the shutters was drawn";
    }
  }
  GLES_CountFill(0, 0);
}

INSTANTIATE_TEST_SUITE_P(Displays, LevelEndScreen,
                         ::testing::Values(ScreenCase{"480x320", 480, 320}, ScreenCase{"1024x600", 546, 320}),
                         [](const ::testing::TestParamInfo<ScreenCase>& info) {
                           return std::string("d") + std::to_string(info.param.w);
                         });

} // namespace
