// For harnesses that run and draw the game's objects: the application object they are given and a
// drawing API whose triangles go nowhere, so nothing needs GL.
#pragma once

#include "display.h"
#include "platform_services.h"
#include "texture2d.h"

inline void DiscardTriangles(CAppGraphics*, IDibBitmap*, IDibBitmap*, const QuellarVertex (*)[3], int, bool) {
}

inline void DrawNowhere(CGameBase* app) {
  static Display screen;
  g_pGame = app;
  display = &screen;
  g_drawTexturedTriangles = DiscardTriangles;
}
