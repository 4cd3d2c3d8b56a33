// CBitmapHW: draws into the render target through texture tiles and the batcher, owns the
// screen's GL frame set-up and projection, and the renderer's bitmap factories.
#include "bitmap_hw.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

#include "app_graphics.h"
#include "gl_renderer.h"
#include "image_loaders.h"

namespace {

// What GetBits and GetAlphaBits answer once the memory copy is gone.
unsigned char s_releasedPixels[4] = {0, 0, 0, 0};
unsigned char s_releasedAlpha[4] = {255, 255, 255, 255};

int ClampAlpha(int alpha) {
  int a = 255 + alpha;
  return a < 0 ? 0 : a > 255 ? 255 : a;
}

void Order(int& a, int& b) {
  if (a > b) {
    int t = a;
    a = b;
    b = t;
  }
}

} // namespace

CBitmapHW::CBitmapHW(CAppGraphics* game) : CWinDibBitmap(game), m_TextureData(game) {}

CBitmapHW::~CBitmapHW() {
  if (m_pGame && m_pGame->m_pDrawTarget == this) {
    free(g_pTextureDataBuffer);
    g_pTextureDataBuffer = nullptr;
  }
  OGLES_RemoveBitmapFromList(this);
  m_TextureData.ReleaseTextureData();
}

bool CBitmapHW::IsTarget(IDibBitmap* bitmap) const {
  return bitmap && m_pGame && m_pGame->m_pDrawTarget == bitmap;
}

unsigned char* CBitmapHW::GetBits() { return m_bPixelsReleased ? s_releasedPixels : m_pBits; }

unsigned char* CBitmapHW::GetAlphaBits() { return m_bAlphaReleased ? s_releasedAlpha : m_pAlphaBits; }

int CBitmapHW::SetBits(unsigned char* bits, int w, int h) {
  // New content replaces what only the texture still held.
  m_bPixelsReleased = m_bAlphaReleased = 0;
  CWinDibBitmap::SetBits(bits, w, h);
  m_bPixelsChanged = 1;
  if (m_pGame && m_pGame->m_bCreateTextures && m_pGame->m_bUpdateTextureOnSetBits && !HWUpdateTexture()) {
    m_pBits = nullptr; // the caller still frees the buffer it could not hand over
    return 0;
  }
  return 1;
}

int CBitmapHW::SetAlphaBits(unsigned char* bits, int w, int h) {
  m_bPixelsReleased = m_bAlphaReleased = 0;
  CWinDibBitmap::SetAlphaBits(bits, w, h);
  m_bAlphaChanged = 1;
  if (m_pGame && m_pGame->m_bCreateTextures && m_pGame->m_bUpdateTextureOnSetBits && !HWUpdateTexture()) {
    m_pAlphaBits = nullptr;
    return 0;
  }
  return 1;
}

void CBitmapHW::ClearBitmap(int r, int g, int b) { FillRectangle(0, 0, m_nWidth, m_nHeight, r, g, b); }

int CBitmapHW::Destroy() {
  CWinDibBitmap::Destroy();
  m_bPixelsReleased = m_bAlphaReleased = 0;
  m_TextureData.ReleaseTextureData();
  return 1;
}

void CBitmapHW::Draw(IDibBitmap* dest, int x, int y, int w, int h, int flip, int alpha) {
  if (!IsTarget(dest)) {
    if (!ArePixelsReleased()) CWinDibBitmap::Draw(dest, x, y, w, h, flip, alpha);
    return;
  }
  int X = x, Y = y;
  MapPoint(dest, X, Y);
  int W = w ? w : m_nStoredWidth, H = h ? h : m_nStoredHeight;
  int devW = dest->GetDeviceWidth(), devH = dest->GetDeviceHeight();
  if ((Y + H < devH ? Y + H : devH) < (Y > 0 ? Y : 0) || (X + W < devW ? X + W : devW) < (X > 0 ? X : 0))
    return;
  Renderer_SetBlendMode(GetAlphaBits() || alpha < 0 ? RENDERER_BLEND_NORMAL : RENDERER_BLEND_OPAQUE);
  m_TextureData.Blt(dest, X, Y, W, H, 0, 0, 255, 255, 255, ClampAlpha(alpha));
}

void CBitmapHW::FillAlphaNoStretch(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h,
                                   int flip, int alpha) {
  if (!IsTarget(dest)) {
    if (!ArePixelsReleased()) CWinDibBitmap::FillAlphaNoStretch(dest, r, g, b, x, y, w, h, flip, alpha);
    return;
  }
  Renderer_SetBlendMode(GetAlphaBits() || alpha < 0 ? RENDERER_BLEND_TINTED : RENDERER_BLEND_OPAQUE);
  m_TextureData.Blt(dest, x, y, w ? w : m_nStoredWidth, h ? h : m_nStoredHeight, 0, 0, r, g, b,
                    ClampAlpha(alpha));
}

void CBitmapHW::FillAlphaNoStretchAdditive(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h,
                                           int /*flip*/, int alpha) {
  Renderer_SetBlendMode(RENDERER_BLEND_ADDITIVE);
  m_TextureData.Blt(dest, x, y, w ? w : m_nStoredWidth, h ? h : m_nStoredHeight, 0, 0, r, g, b,
                    ClampAlpha(alpha));
}

void CBitmapHW::DrawToDeviceScreen() {
  GLES_FlushBuffer();
  GLES_RenderToScreenOrSwapBuffers();
}

void CBitmapHW::FillRectangle(int x, int y, int w, int h, int r, int g, int b) {
  if (!IsTarget(this)) {
    if (!ArePixelsReleased()) CWinDibBitmap::FillRectangle(x, y, w, h, r, g, b);
    return;
  }
  if (!GetBits()) return;
  int Ws = m_nStoredWidth, Hs = m_nStoredHeight, x1, x2, y1, y2;
  if (m_nOrientationMode == 1) {
    x1 = y;
    x2 = y + h;
    y1 = Hs - 1 - x;
    y2 = Hs - 1 - (x + w);
  } else if (m_nOrientationMode == 2) {
    x1 = Ws - 1 - y;
    x2 = Ws - 1 - (y + h);
    y1 = x;
    y2 = x + w;
  } else {
    x1 = x;
    x2 = x + w;
    y1 = y;
    y2 = y + h;
  }
  Order(x1, x2);
  Order(y1, y2);
  if (x1 > Ws || y1 > Hs || x2 < 0 || y2 < 0) return;
  if (x1 < 0) x1 = 0;
  if (y1 < 0) y1 = 0;
  if (x2 > Ws) x2 = Ws;
  if (y2 > Hs) y2 = Hs;
  Renderer_SetBlendMode(RENDERER_BLEND_OPAQUE);
  GLES_RenderFilledQuad(x1, y1, x2, y2, r, g, b, 255);
}

void CBitmapHW::BitBlt(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int alpha) {
  if (!IsTarget(dest)) {
    if (!ArePixelsReleased()) CWinDibBitmap::BitBlt(dest, x, y, w, h, sx, sy, alpha);
    return;
  }
  Renderer_SetBlendMode(GetAlphaBits() || alpha < 0 ? RENDERER_BLEND_NORMAL : RENDERER_BLEND_OPAQUE);
  m_TextureData.Blt(dest, x, y, w ? w : m_nStoredWidth, h ? h : m_nStoredHeight, sx, sy, 255, 255, 255,
                    ClampAlpha(alpha));
}

void CBitmapHW::BitBltAdditive(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int alpha) {
  if (!IsTarget(dest)) {
    if (!ArePixelsReleased()) CWinDibBitmap::BitBltAdditive(dest, x, y, w, h, sx, sy, alpha);
    return;
  }
  Renderer_SetBlendMode(RENDERER_BLEND_ADDITIVE);
  m_TextureData.Blt(dest, x, y, w ? w : m_nStoredWidth, h ? h : m_nStoredHeight, sx, sy, 255, 255, 255,
                    ClampAlpha(alpha));
}

void CBitmapHW::BitBltMultiply(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h, int sx,
                               int sy, int alpha) {
  if (!IsTarget(dest)) {
    if (!ArePixelsReleased()) CWinDibBitmap::BitBltMultiply(dest, r, g, b, x, y, w, h, sx, sy, alpha);
    return;
  }
  Renderer_SetBlendMode(GetAlphaBits() || alpha < 0 ? RENDERER_BLEND_NORMAL : RENDERER_BLEND_OPAQUE);
  m_TextureData.Blt(dest, x, y, w ? w : m_nStoredWidth, h ? h : m_nStoredHeight, sx, sy, r, g, b,
                    ClampAlpha(alpha));
}

void CBitmapHW::BitBltMultiplyAdditive(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h,
                                       int sx, int sy, int alpha) {
  if (!IsTarget(dest)) return;
  Renderer_SetBlendMode(RENDERER_BLEND_ADDITIVE);
  m_TextureData.Blt(dest, x, y, w ? w : m_nStoredWidth, h ? h : m_nStoredHeight, sx, sy, r, g, b,
                    ClampAlpha(alpha));
}

void CBitmapHW::AddBrightness(short k) {
  if (!GetBits()) return;
  if (m_pGame && m_pGame->m_pDoubleBuffer == this) {
    Renderer_SetBlendMode(RENDERER_BLEND_ADDITIVE);
    GLES_RenderFilledQuad(0, 0, m_nWidth, m_nHeight, 255, 255, 255, k & 0xFF);
    return;
  }
  if (!ArePixelsReleased()) CWinDibBitmap::AddBrightness(k);
}

void CBitmapHW::HWBeginScene() {
  if (g_bUpdate) {
    if (m_pGame && m_pGame->IsIPhoneRotationInProcess()) {
      glClearColor(0, 0, 0, 0);
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      Set2DRenderingMode();
    }
    return;
  }
  Set2DRenderingMode();
  glDisable(GL_FOG);
  glDisable(GL_LIGHTING);
  // Smooth: a shape drawn in shades runs its corners' colours across itself; a blit's corners share one.
  glShadeModel(GL_SMOOTH);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_CULL_FACE);
  // Front faces are counter-clockwise and culled: only triangles wound clockwise on screen show.
  glFrontFace(GL_CCW);
  glCullFace(GL_FRONT);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_DITHER);
  glDisable(GL_MULTISAMPLE);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_STENCIL_TEST);
  glDepthMask(GL_FALSE);
  glStencilMask(0);
  GLES_BlendMode(0, GL_ONE, GL_ZERO);
  GLES_BlendMode(1, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  g_GLES_TextEnvironmentMode = GL_MODULATE;
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  GLES_SetupXY_UV_Pointers();
  g_bUpdate = 1;
}

void CBitmapHW::SetUpViewport() {
  if (g_bViewportSetUp || !m_pGame) return;
  if (m_pGame->m_b2xImages || m_pGame->m_bDeviceViewport) {
    glViewport(0, 0, m_pGame->m_nDeviceScreenWidth, m_pGame->m_nDeviceScreenHeight);
  } else {
    int w = m_nWidth, h = m_nHeight;
    if (m_pGame->m_bRotateProjection && w > h) {
      int t = w;
      w = h;
      h = t;
    }
    glViewport(0, 0, w, h);
  }
  g_bViewportSetUp = 1;
}

void CBitmapHW::Set2DRenderingMode() {
  g_bRenderingMode2D = 1;
  GLES_FlushBuffer();
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
  glEnable(GL_CULL_FACE);
  glFrontFace(GL_CCW);
  glCullFace(GL_FRONT);
  SetUpViewport();
  bool rotate = m_pGame && m_pGame->m_bRotateProjection && m_nDeviceWidth > m_nDeviceHeight;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  if (rotate) glRotatex(-90 * 65536, 0, 0, 65536);
  glOrthox(0, m_nDeviceWidth << 8, m_nDeviceHeight << 8, 0, 0, 1 << 16);
  if (rotate) {
    glTranslatex(m_nDeviceWidth << 7, m_nDeviceHeight << 7, 0);
    glRotatex((m_pGame->m_nRotationAngle + 90 * 256) * 256, 0, 0, 65536);
    glTranslatex(-(m_nDeviceWidth << 7), -(m_nDeviceHeight << 7), 0);
  }
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  if (m_pGame && m_pGame->m_nRotationSettle > 0) --m_pGame->m_nRotationSettle;
}

void CBitmapHW::Set3DRenderingMode() {
  g_bRenderingMode2D = 0;
  GLES_FlushBuffer();
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  SetUpViewport();
  bool rotate = m_pGame && m_pGame->m_bRotateProjection && m_nDeviceWidth > m_nDeviceHeight;
  const double tan15 = std::tan(15.0 * M_PI / 180.0);
  double aspect = m_nDeviceHeight ? (double)m_nDeviceWidth / m_nDeviceHeight : 1.0;
  // Like every coordinate here, the frustum is in pixels x 256: near 1 and far 1000 pixels.
  GLfixed xr = (GLfixed)(aspect * tan15 * 256.0), yr = (GLfixed)(tan15 * 256.0);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  if (rotate) glRotatex(-90 * 65536, 0, 0, 65536);
  glFrustumx(-xr, xr, -yr, yr, 256, 1000 * 256);
  if (rotate) glRotatex((m_pGame->m_nRotationAngle + 90 * 256) * 256, 0, 0, 65536);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotatex(-180 * 65536, 0, 0, 65536);
  glRotatex(-180 * 65536, 0, 65536, 0);
  glTranslatex(-(m_nDeviceWidth << 7), -(m_nDeviceHeight << 7), 0);
  glTranslatex(0, 0, (GLfixed)(m_nDeviceHeight / 2.0 / tan15 * 256.0));
}

int CBitmapHW::HWUpdateTexture() {
  if (!m_pGame || !m_pGame->m_bCreateTextures) return 1;
  // Only what exists and changed is worth an upload: new pixels beside an unchanged alpha map are.
  if (!(GetBits() && m_bPixelsChanged) && !(GetAlphaBits() && m_bAlphaChanged)) return 1;
  int ok = GLES_UpdateTexture();
  if (ok && m_pGame->m_bReleasePixelsAfterUpload) HWReleasePixelDataInRAM();
  return ok;
}

int CBitmapHW::GLES_UpdateTexture() {
  if (!GetBits() && !GetAlphaBits()) return 0;
  GLES_FlushBuffer();
  m_TextureData.NoteOpaqueCells(this);
  return m_TextureData.CreateTextureData(this, false);
}

void CBitmapHW::HWReleasePixelDataInRAM() {
  // The pixels go first: with four bytes per pixel the alpha map owns the shared block.
  if (GetBits() && !m_bPixelsReleased) {
    CWinDibBitmap::DestroyBits();
    m_bPixelsReleased = 1;
    m_bPixelsChanged = 0;
  }
  if (GetAlphaBits() && !m_bAlphaReleased) {
    CWinDibBitmap::DestroyAlpha();
    m_bAlphaReleased = 1;
    m_bAlphaChanged = 0;
  }
}

int CBitmapHW::HWInitFromTextureAtlas(IDibBitmap* atlas, int x, int y, int w, int h) {
  if (!atlas) return 0;
  if (m_pGame && m_pGame->m_b2xImages && atlas->m_b2xImage) m_b2xImage = 1;
  if (!m_TextureData.SetTextureDataFromAtlas(atlas, x, y, w, h, false)) return 0;
  m_nStoredWidth = w;
  m_nStoredHeight = h;
  UpdateWidthAndHeight();
  if (atlas->GetBits()) {
    CWinDibBitmap::DestroyBits();
    m_bPixelsReleased = 1;
  }
  if (atlas->GetAlphaBits()) {
    CWinDibBitmap::DestroyAlpha();
    m_bAlphaReleased = 1;
  }
  return 1;
}

namespace {

bool EndsWith(const CommonString& name, const char* ending) {
  int n = name.Length(), e = (int)strlen(ending);
  return n > e && strcmp(name.c_str() + n - e, ending) == 0;
}

} // namespace

void CBitmapHW::HWReloadContentFromAppAssets() {
  if (!m_pGame) return;
  u8 trueColor = m_pGame->m_bTrueColorImages, createTextures = m_pGame->m_bCreateTextures;
  m_pGame->m_bTrueColorImages = GetBitsPerPixel() == 24;
  m_pGame->m_bCreateTextures = 0;
  // The loaders store the names again: work on copies.
  CommonString image = m_ImageFileName, alpha = m_AlphaFileName;
  if (image.Length() > 0) {
    IDibBitmap* loaded = EndsWith(image, ".png") ? ImageLoad_PNG(m_pGame, image.c_str(), this)
                                                 : ImageLoad_JPG(m_pGame, image.c_str(), this);
    if (!loaded) {
      m_pGame->m_bTrueColorImages = trueColor;
      m_pGame->m_bCreateTextures = createTextures;
      return;
    }
  }
  if (EndsWith(alpha, ".jpg")) ImageLoad_JPG_Alpha(m_pGame, alpha.c_str(), this);
  m_pGame->m_bCreateTextures = createTextures;
  m_bPixelsChanged = m_bAlphaChanged = 1;
  HWUpdateTexture();
  m_pGame->m_bTrueColorImages = trueColor;
}

float internal_scurve(float t) {
  float angle = std::fmod(t * 180.0f - 90.0f, 360.0f);
  if (angle < 0) angle += 360.0f;
  int v = (int)(std::sin(angle * (float)M_PI / 180.0f) * 256.0f);
  return (float)((v + 256) >> 1) / 256.0f;
}

void GLES_Set2DRenderingMode(CAppGraphics*, IDibBitmap* screen) {
  if (CBitmapHW* hw = dynamic_cast<CBitmapHW*>(screen)) hw->Set2DRenderingMode();
}

void GLES_Set3DRenderingMode(CAppGraphics*, IDibBitmap* screen) {
  if (CBitmapHW* hw = dynamic_cast<CBitmapHW*>(screen)) hw->Set3DRenderingMode();
}

IDibBitmap* OGLES_InitAndCreateRenderTarget(CAppGraphics* game) {
  if (!game) return nullptr;
  game->m_nRendererType = 5;
  return new (std::nothrow) CBitmapHW(game);
}

IDibBitmap* OGLES_CreateBitmap(CAppGraphics* game) { return new (std::nothrow) CBitmapHW(game); }

void OGLES_RemoveBitmapFromList(IDibBitmap*) {}
