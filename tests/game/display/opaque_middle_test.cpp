// A large sprite whose middle is opaque draws that middle without blending: the same pixels as the
// whole sprite blended over what lies under it, on a real GL screen, plain, mirrored and through an
// effect's unturned blit, and a faded one blends all of it. A picture all of one black draws
// without its texture, to the same pixels.
#include <GLES/gl.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "atlas.h"
#include "display.h"
#include "game_gl_screen.h"
#include "game_globals.h"
#include "game_test_support.h"
#include "surface.h"
#include "texture2d.h"

namespace {

class OpaqueMiddleBlit : public ::testing::Test {
protected:
  void SetUp() override {
    // A 96 x 64 panel: a see-through rim 6 texels wide, a half-transparent ring inside it, then an
    // opaque middle in a colour that changes across it (so that filtering shows).
    game.Add("images\\panel.cfg", AtlasIndexBytes({{{"panel", 0, 0, 96, 64, 0, 0, 0, 0}}}));
    game.Add("images\\black.png", SolidPng(8, 8, {0, 0, 0, 255}));
    // A 128 x 96 frame: opaque 24 texels in from each side, a half-transparent ring 4 wide inside
    // that, and a window of nothing (every byte 0) in the middle, like the help's television.
    game.Add("images\\frame.cfg", AtlasIndexBytes({{{"frame", 0, 0, 128, 96, 0, 0, 0, 0}}}));
    game.Add("images\\frame0.png", PngBytes(128, 96, [](int x, int y) {
               const int in = std::min(std::min(x, 127 - x), std::min(y, 95 - y));
               if (in >= 28) return Rgba{0, 0, 0, 0};
               return Rgba{(u8)(x * 2), (u8)(y * 2), (u8)(255 - x), (u8)(in < 24 ? 255 : 128)};
             }));
    game.Add("images\\panel0.png", PngBytes(128, 64, [](int x, int y) {
               const int rim = std::min(std::min(x, 95 - x), std::min(y, 63 - y));
               const u8 a = x >= 96 || rim < 6 ? 0 : rim < 10 ? 128 : 255;
               return Rgba{(u8)(x * 2), (u8)(y * 4), (u8)(255 - x), a};
             }));
    ASSERT_TRUE(game.OpenPack());
    game.m_bCreateTextures = 1;
    ASSERT_TRUE(screen.Open(game, 112, 80));
    ResetDrawingState();
    display = &d;
    atlas = std::make_unique<Atlas>("panel");
    panel = std::make_unique<Surface>(atlas.get(), "panel");
    sprite = panel.get();
    ASSERT_NE(panel->texture, nullptr);
    frameAtlas = std::make_unique<Atlas>("frame");
    frame = std::make_unique<Surface>(frameAtlas.get(), "frame");
    ASSERT_NE(frame->texture, nullptr);
  }
  void TearDown() override {
    frame.reset();
    frameAtlas.reset();
    panel.reset();
    atlas.reset();
    display = nullptr;
    ResetDrawingState();
  }

  // The screen after the blit over a striped background, and how often blending went off.
  std::vector<uint8_t> Draw(const std::function<void()>& blit, u32* switches) {
    GLES_FlushBuffer();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    d.SetNormalMode();
    for (int i = 0; i < 8; ++i) {
      d.SetBlending(255, i * 30, 255 - i * 30, 128);
      FillAtPointFlipY(_CGPointMake((float)(i * 14), 0), 14, 80);
    }
    d.SetBlending(255);
    d.SetNoBlackEdgesMode();
    const u32 before = g_GLES_CallCounts.blendSwitches;
    blit();
    d.SetNormalMode();
    std::vector<uint8_t> pixels = screen.ReadRGBA();
    *switches = g_GLES_CallCounts.blendSwitches - before;
    return pixels;
  }

  // The same blit with nothing noted opaque or clear in the picture's page.
  std::vector<uint8_t> DrawWhole(const std::function<void()>& blit, Surface* of = nullptr) {
    QuellarTextureData* td = (of ? of : panel.get())->texture->bitmap->GetHWResource();
    std::vector<unsigned char> cells, kinds;
    cells.swap(td->m_OpaqueCells);
    kinds.swap(td->m_CellKinds);
    u32 switches = 0;
    std::vector<uint8_t> pixels = Draw(blit, &switches);
    cells.swap(td->m_OpaqueCells);
    kinds.swap(td->m_CellKinds);
    EXPECT_EQ(switches, 0u);
    return pixels;
  }

  // Equal but for one step of the 5-6-5 screen where the split's edges interpolate texels apart.
  static void ExpectSamePicture(const std::vector<uint8_t>& got, const std::vector<uint8_t>& want) {
    ASSERT_EQ(got.size(), want.size());
    size_t apart = 0;
    for (size_t i = 0; i < got.size(); ++i) {
      ASSERT_LE(std::abs(got[i] - want[i]), 9) << "byte " << i;
      apart += got[i] != want[i];
    }
    EXPECT_LT(apart, got.size() / 100);
  }

  PackGame game;
  GameGLScreen screen;
  Display d;
  std::unique_ptr<Atlas> atlas;
  std::unique_ptr<Surface> panel;
  Surface* sprite = nullptr;
  std::unique_ptr<Atlas> frameAtlas;
  std::unique_ptr<Surface> frame;
};

TEST_F(OpaqueMiddleBlit, DrawsTheSamePictureWithItsMiddleUnblended) {
  const std::function<void()> blits[] = {
      [&] { d.Blit(8, 8, sprite); },
      [&] { d.BlitScaled(56, 40, -1.0f, 1.0f, sprite); },
      [&] { d.BlitRotatedScale(56, 40, 0, 1.0f, -1.0f, sprite); },
  };
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    u32 switches = 0;
    std::vector<uint8_t> split = Draw(blits[i], &switches);
    EXPECT_GE(switches, 1u) << "the middle went without blending";
    ExpectSamePicture(split, DrawWhole(blits[i]));
  }
}

// A frame with nothing in its middle leaves its window out and draws its opaque sides without
// blending: the same picture, plain and mirrored, from less of the rasteriser's work. A faded
// one still leaves out the window, which adds nothing however faded.
TEST_F(OpaqueMiddleBlit, AFrameLeavesOutItsClearWindowAndDrawsItsOpaqueSidesUnblended) {
  Surface* f = frame.get();
  const std::function<void()> blits[] = {
      [&] { d.BlitScaled(56, 40, 0.75f, 0.75f, f); },
      [&] { d.BlitScaled(56, 40, -0.75f, 0.75f, f); },
      [&] { d.BlitRotatedScale(56, 40, 0, -0.75f, 0.75f, f); },
  };
  GLES_CountFill(112, 80);
  double wholeFill = 0;
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    u32 switches = 0;
    std::vector<uint8_t> split = Draw(blits[i], &switches);
    const GLES_FillCounts pieces = g_GLES_FillCounts;
    EXPECT_GE(switches, 1u) << "the opaque sides went without blending";
    g_GLES_FillCounts = {};
    ExpectSamePicture(split, DrawWhole(blits[i], f));
    const GLES_FillCounts whole = g_GLES_FillCounts;
    wholeFill = whole.opaque + whole.blended;
    g_GLES_FillCounts = {};
    // Each fill counts the striped background too, blended; the window's 48 x 16 texels that
    // filter nothing else come to 36 x 12 pixels, 0.048 of the screen.
    EXPECT_GT(pieces.opaque, 0.3) << "the opaque sides drawn as opaque";
    EXPECT_LT(pieces.opaque + pieces.blended, whole.opaque + whole.blended - 0.04) << "the window left out";
  }
  u32 switches = 0;
  g_GLES_FillCounts = {};
  Draw(
      [&] {
        d.SetBlending(128);
        d.BlitScaled(56, 40, 0.75f, 0.75f, f);
        d.SetBlending(255);
      },
      &switches);
  EXPECT_EQ(switches, 0u) << "a faded frame blends what it draws";
  EXPECT_LT(g_GLES_FillCounts.blended, wholeFill - 0.04) << "the window left out";
  GLES_CountFill(0, 0);
}

TEST_F(OpaqueMiddleBlit, AFadedOrSmallBlitBlendsAllOfIt) {
  u32 switches = 0;
  Draw(
      [&] {
        d.SetBlending(200);
        d.Blit(8, 8, sprite);
        d.SetBlending(255);
      },
      &switches);
  EXPECT_EQ(switches, 0u);
  Draw([&] { d.BlitScaled(56, 40, 0.25f, 0.25f, sprite); }, &switches);
  EXPECT_EQ(switches, 0u);
}

TEST_F(OpaqueMiddleBlit, ABlackPictureStretchedOverTheScreenDrawsWithoutItsTexture) {
  std::unique_ptr<Surface> black(new Surface("black", 0, false));
  Surface* shade = black.get();
  ASSERT_NE(shade->texture, nullptr);
  FinishPendingPictures(); // its texture is made once its picture is decoded
  QuellarTextureData* td = shade->texture->bitmap->GetHWResource();
  ASSERT_EQ(td->m_nSolidColour, 0);
  auto blit = [&] {
    d.SetBlending(102, 102, 102, 102); // as an effect fades it in
    d.BlitRotatedScale(56, 40, 0.3f, 20.0f, -14.0f, shade);
    d.SetBlending(255);
  };
  u32 switches = 0;
  const u32 binds = g_GLES_CallCounts.textureBinds;
  std::vector<uint8_t> solid = Draw(blit, &switches);
  EXPECT_EQ(g_GLES_CallCounts.textureBinds, binds) << "no texture is bound for it";
  td->m_nSolidColour = -1;
  std::vector<uint8_t> textured = Draw(blit, &switches);
  td->m_nSolidColour = 0;
  EXPECT_GT(g_GLES_CallCounts.textureBinds, binds);
  EXPECT_EQ(solid, textured);
}

} // namespace
