// Display: the one object every screen, object, font and effect draws through: the blend tint,
// the four display modes, fills, and point, source-rectangle, stretched, scaled and rotated blits
// of surfaces. Its caches are globals so that a flush happens only when the state really changes.
#pragma once

#include "geometry.h"

class Surface;
class Texture2D;
struct ShapeCorner;

// The tint cache: every blit's vertex colour (each channel clamped to 0..255 when drawn).
extern int lastBlendR;
extern int lastBlendG;
extern int lastBlendB;
extern int lastBlendA;
// While set, tint requests are ignored.
extern bool noChangeBlending;
// 1 add, 2 overlay, 3 normal, 4 no-black-edges; -1 before the first choice.
extern int display_mode_current;
// While set, the display-mode setters do nothing.
extern bool forceNormalMode;
// An extra factor of the scaled and rotated blits (1.0 in this game).
extern float g_forceScale;
// The plain white picture the fills stretch; g_black is the same surface.
extern Surface* g_white;
extern Surface* g_black;

class Display {
public:
  Display();

  // --- tint ---
  void SetBlending(int alpha, int r, int g, int b);
  void SetBlending(int alpha);
  void DisableSetBlending() { noChangeBlending = true; }
  void EnableSetBlending() { noChangeBlending = false; }

  // --- modes ---
  void SetAddMode();
  void SetOverlayMode();
  void SetNormalMode();
  void SetNoBlackEdgesMode();
  void ForceNormalMode();
  void UnforceMode() { forceNormalMode = false; }
  // Select the renderer's opaque or normal blending directly, leaving the stored mode alone.
  void DisableGLBlend();
  void EnableGLBlend();
  void RestoreBlendingMode() {}

  // --- fills (untextured, where g_white stretched would lie; nothing before it is loaded) ---
  void Fill(float x1, float y1, float x2, float y2);
  void FillRect(int x1, int y1, int x2, int y2, ColorRGB c);
  void FillRect(int x1, int y1, int x2, int y2, int colour);
  void FillRect(myRect* r, ColorRGB c);
  void FillRect(myRect* r, int colour);

  // --- clipping (no game code clips; the scissor test stays off) ---
  void SetClipping(float left, float top, float right, float bottom);
  void ResetClipping();

  // --- blits: a null surface or one without a texture draws nothing ---
  void Blit(float x, float y, Surface* s, myRect* src = nullptr, bool flip = false, float scaleX = 1.0f,
            float scaleY = 1.0f);
  void BlitAdd(float x, float y, Surface* s, myRect* src = nullptr);
  void BlitSub(float x, float y, Surface* s, myRect* src = nullptr);
  void BlitStretch(float x1, float y1, float x2, float y2, Surface* s);
  void BlitScaled(float x, float y, float scaleX, float scaleY, Surface*& s, bool rotated = false);
  void BlitRotatedScale(float x, float y, float angle, float scaleX, float scaleY, Surface*& s, bool = false);
  // The shape's triangles (ShapeCorner, texture2d.h) in place of the sprite, placed and tinted as
  // BlitScaled (unturned) or BlitRotatedScale would draw it. False, drawing nothing, where that
  // cannot be.
  bool ShadeScaled(float x, float y, float scaleX, float scaleY, Surface*& s, const ShapeCorner* shape,
                   int count);
  bool ShadeRotatedScale(float x, float y, float angle, float scaleX, float scaleY, Surface*& s,
                         const ShapeCorner* shape, int count);
  void ReloadSurfaceIfRequired(Surface**) {}

  // --- kept for other builds; they draw nothing in this game ---
  void DrawLine(int, int, int, int, ColorRGB) {}
  void DrawLine(int, int, int, int, int) {}
  void DrawVLine(int, int, int, ColorRGB) {}
  void DrawHLine(int, int, int, ColorRGB) {}
  void DrawRect(int x1, int y1, int x2, int y2, ColorRGB c);
  void DrawRect(myRect* r, ColorRGB c);
  int GetPixel(int, int) { return 0; }
  void SwapBuffers() {}
  void Clear() {}
  void Blit(float, float, Texture2D*) {}
  void BlitFlipped(float, float, Surface*) {}
  void Blit4Points(int, int, int, int, int, int, int, int, float, float, Surface*) {}
  void BlitTiled(float, float, float, float, Surface*) {}
  void BlitRotated(float, float, float, Surface*) {}

  bool lineFlag;
  myRect clipRect;
  bool scaleOverride;
  float scaleOverrideX;
  float scaleOverrideY;
  // The alpha of the last tint request, kept even when the cache did not change.
  int alpha;
};

extern Display* display;

// Scaled and rotated blits through the global display, centred on (x, y); nothing without a
// display or a surface.
void DrawScaled(float x, float y, float scaleX, float scaleY, Surface* s);
inline void DrawScaled(float x, float y, float scale, Surface* s) { DrawScaled(x, y, scale, scale, s); }
void DrawTurned(float x, float y, float angle, float scaleX, float scaleY, Surface* s);

// The surface as a band 2 x halfWidth wide from (x1, y1) to (x2, y2).
void DrawLightningBetween(int x1, int y1, int x2, int y2, int halfWidth, float f, Surface* s);
