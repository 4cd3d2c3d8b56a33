// A headless GL screen for the renderer tests: an application object whose render target is a
// CBitmapHW set up by its first HWBeginScene, and helpers to make uploaded bitmaps.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>

#include "../graphics/bitmap_test_support.h"
#include "bitmap_hw.h"
#include "gl_renderer.h"
#include <standin/headless_gl.h>

// Makes a fresh w x h pbuffer current and a CBitmapHW of that size the application's render
// target, ready to draw on; null when GL cannot be had.
inline CBitmapHW* OpenGLScreen(HeadlessGL& gl, CGameBase& game, int w, int h) {
  if (!gl.Open(w, h)) return nullptr;
  GLES_ResetStateCache();
  std::unique_ptr<CBitmapHW> screen(static_cast<CBitmapHW*>(OGLES_InitAndCreateRenderTarget(&game)));
  if (!screen || !screen->Create(w, h)) return nullptr;
  game.m_pDrawTarget = game.m_pDoubleBuffer = screen.get();
  screen->HWReleasePixelDataInRAM();
  screen->HWBeginScene();
  return screen.release();
}

// Finishes the drawing and detaches the render target, which the caller deletes next.
inline void CloseGLScreen(CGameBase& game) {
  GLES_FlushBuffer();
  game.m_pDrawTarget = game.m_pDoubleBuffer = nullptr;
}

class GLScene : public ::testing::Test {
protected:
  static constexpr int kWidth = 96;
  static constexpr int kHeight = 64;

  void SetUp() override {
    screen.reset(OpenGLScreen(gl, game, kWidth, kHeight));
    ASSERT_TRUE(screen);
  }

  void TearDown() override {
    CloseGLScreen(game);
    screen.reset();
    GLES_ResetStateCache();
  }

  // A w x h hardware bitmap with an RGB565 colour per pixel and, when alphaAt is given, an alpha
  // map, uploaded to its texture.
  std::unique_ptr<CBitmapHW> ImageOf(int w, int h, const std::function<u16(int x, int y)>& colourAt,
                                     const std::function<u8(int x, int y)>& alphaAt = nullptr) {
    auto bm = std::make_unique<CBitmapHW>(&game);
    EXPECT_TRUE(bm->Create(w, h));
    u16* px = (u16*)bm->GetBits();
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        px[y * w + x] = colourAt(x, y);
        if (alphaAt) bm->GetAlphaBits()[y * w + x] = alphaAt(x, y);
      }
    if (!alphaAt) bm->DestroyAlpha();
    EXPECT_EQ(1, bm->HWUpdateTexture());
    return bm;
  }

  // One colour, with an alpha map of one value when alpha >= 0.
  std::unique_ptr<CBitmapHW> Image(int w, int h, u16 colour, int alpha = -1) {
    if (alpha < 0) return ImageOf(w, h, [=](int, int) { return colour; });
    return ImageOf(
        w, h, [=](int, int) { return colour; }, [=](int, int) { return (u8)alpha; });
  }

  // Left half red, right half blue; an alpha map of the two values unless both are 255.
  std::unique_ptr<CBitmapHW> Halves(int w, int h, int alphaLeft = 255, int alphaRight = 255) {
    auto colour = [=](int x, int) { return x < w / 2 ? Rgb565(255, 0, 0) : Rgb565(0, 0, 255); };
    if (alphaLeft == 255 && alphaRight == 255) return ImageOf(w, h, colour);
    return ImageOf(w, h, colour, [=](int x, int) { return (u8)(x < w / 2 ? alphaLeft : alphaRight); });
  }

  HeadlessGL::Pixel At(int x, int y) {
    GLES_FlushBuffer();
    return gl.At(x, y);
  }

  // An ideal 8-bit colour; Near compares it as an RGB565 framebuffer may hold it.
  struct Colour {
    double r, g, b;
  };
  static Colour Quantized(double r, double g, double b) { return {r, g, b}; }

  // Within 2 of the colour rounded or truncated to 5-6-5 bits, or cut to its top bits: Mesa's
  // paths differ.
  static ::testing::AssertionResult Near(const HeadlessGL::Pixel& got, const Colour& want) {
    auto fits = [](int v, double ideal, int levels) {
      ideal = ideal < 0 ? 0 : ideal > 255 ? 255 : ideal;
      for (double q : {std::round(ideal * levels / 255.0), std::floor(ideal * levels / 255.0),
                       std::floor(ideal * (levels + 1) / 256.0)})
        if (std::abs(v - q * 255.0 / levels) <= 2.5) return true;
      return false;
    };
    if (fits(got.r, want.r, 31) && fits(got.g, want.g, 63) && fits(got.b, want.b, 31))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << got.r << ", " << got.g << ", " << got.b << "), want ("
                                         << want.r << ", " << want.g << ", " << want.b << ")";
  }

  static u16 Rgb565(int r, int g, int b) { return (u16)(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)); }

  HeadlessGL gl;
  BitmapTestGame game;
  std::unique_ptr<CBitmapHW> screen;
};
