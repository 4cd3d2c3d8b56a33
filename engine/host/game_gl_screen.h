// A headless GL screen for drawing tests, tools and benchmarks: the platform's surfaceless pbuffer
// with the game's RGB565 configuration and a hardware bitmap as the application's double buffer.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <standin/headless_gl.h>

#include "bitmap_hw.h"
#include "game_base.h"
#include "gl_renderer.h"

class GameGLScreen {
public:
  // False when no GL context can be had.
  bool Open(CGameBase& game, int w, int h) {
    if (!m_GL.Open(w, h)) return false;
    GLES_ResetStateCache();
    m_Game = &game;
    m_Screen.reset(OGLES_InitAndCreateRenderTarget(&game));
    if (!m_Screen || !m_Screen->Create(w, h)) return false;
    game.m_pDrawTarget = game.m_pDoubleBuffer = m_Screen.get();
    m_Screen->HWReleasePixelDataInRAM();
    m_Screen->HWBeginScene();
    return true;
  }
  ~GameGLScreen() {
    GLES_FlushBuffer();
    if (m_Game) m_Game->m_pDrawTarget = m_Game->m_pDoubleBuffer = nullptr;
    m_Screen.reset();
    GLES_ResetStateCache();
  }
  // The GL context under the screen: whether it opened, and why not.
  const HeadlessGL& GL() const { return m_GL; }
  HeadlessGL::Pixel At(int x, int y) {
    GLES_FlushBuffer();
    return m_GL.At(x, y);
  }
  // The whole screen as RGBA rows from the top.
  std::vector<uint8_t> ReadRGBA() {
    GLES_FlushBuffer();
    return m_GL.ReadRGBA();
  }

private:
  HeadlessGL m_GL;
  CGameBase* m_Game = nullptr;
  std::unique_ptr<IDibBitmap> m_Screen;
};
