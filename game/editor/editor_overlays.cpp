// The level editor's drawn aids: selection marks, guide lines and the sprite-type palette.
#include "editor_overlays.h"

#include <cmath>
#include <cstdio>

#include "display.h"
#include "game_globals.h"
#include "game_rect.h"
#include "geometry.h"
#include "hge_font.h"
#include "level_editor.h"
#include "quest_state.h"
#include "sprite_tables.h"
#include "surface.h"

namespace {

int ScreenX(float x) { return (int)(x + g_drawShiftX); }
int ScreenY(float y) { return (int)(y + g_drawShiftY); }

void Square(int x, int y, int half, ColorRGB c) {
  display->FillRect(x - half, y - half, x + half, y + half, c);
}

// A dotted box of 3 x 3 squares every 5 pixels, with a square at each end of a two-point object.
void DrawObjectMarks(const gameRect& o, ColorRGB c) {
  int L = ScreenX(o.box.left), T = ScreenY(o.box.top);
  int W = (int)o.box.GetWidth(), H = (int)o.box.GetHeight();
  if (o.draw2Point) {
    Square(L, T, 5, c);
    Square(ScreenX(o.x2), ScreenY(o.y2), 5, c);
  }
  for (int i = 0; i < W; i += 5) {
    display->FillRect(L + i, T, L + i + 3, T + 3, c);
    display->FillRect(L + i, T + H, L + i + 3, T + H + 3, c);
  }
  for (int j = 0; j < H; j += 5) {
    display->FillRect(L, T + j, L + 3, T + j + 3, c);
    display->FillRect(L + W, T + j, L + W + 3, T + j + 3, c);
  }
}

// Centre, start shift, paths, circling and binding of one object; the display draws no lines.
void DrawGuideLines(const gameRect& o) {
  const ColorRGB white(255, 255, 255);
  int cx = ScreenX(o.centerX), cy = ScreenY(o.centerY);
  if (drawObjectCenters) {
    display->DrawLine(cx - 5, cy, cx + 5, cy, white);
    display->DrawLine(cx, cy - 5, cx, cy + 5, white);
  }
  if (o.initShiftX || o.initShiftY)
    display->DrawLine(cx, cy, cx + o.initShiftX, cy + o.initShiftY, ColorRGB(255, 110, 0));
  const platformAnimation& m = o.move;
  if (m.moveXTime > 0) {
    float d = m.moveXTime * m.moveXSpeed * m.moveXOrientation;
    display->DrawLine(cx, cy, (int)(m.moveXRespawn ? cx + d : cx - d), cy, white);
  }
  if (m.moveYTime > 0) {
    float d = m.moveYTime * m.moveYSpeed * m.moveYOrientation;
    display->DrawLine(cx, cy, cx, (int)(m.moveYRespawn ? cy + d : cy - d), white);
  }
  if (m.circlingSpeed > 0) {
    float a = m.circlingSpeed * g_timef * 0.1f;
    display->DrawLine(cx, cy, (int)(cx + m.circlingRadius * std::sin(a)),
                      (int)(cy + m.circlingRadius * std::cos(a)), white);
  }
  if (o.bindSlot)
    for (const gameRect& p : GameRects)
      if (p.uid == o.bindUID)
        display->DrawLine(ScreenX(o.x), ScreenY(o.y), ScreenX(p.x), ScreenY(p.y), ColorRGB(0, 110, 255));
}

// One palette cell at (x, y) for type t, when the type has a sprite; false when it has none.
bool DrawCell(int t, int x, int y) {
  if (!RectSprite(t, 0) && !RectSprite(t, 1)) return false;
  if (Surface* s = RectSprite(t, 0))
    display->BlitStretch((float)x, (float)y, (float)(x + refsizeX), (float)(y + refsizeY), s);
  if (FontInterface) {
    char number[16];
    snprintf(number, sizeof number, "%i", t);
    FontInterface->SetScale(0.3f);
    FontInterface->Render((float)(x + refsizeX / 2), (float)(y + refsizeY / 2), 2, number);
  }
  return true;
}

} // namespace

void DrawSelectionMarks() {
  if (!display || lastSelectedObjectID < 0 || lastSelectedObjectID >= GAME_RECTS ||
      lastSelectedObjectType != 0)
    return;
  DrawObjectMarks(GameRects[lastSelectedObjectID], ColorRGB(0, 0, 0));
}

void DrawBlocksCustom() {
  if (!display) return;
  for (int i = 0; i < GAME_RECTS; ++i) {
    const gameRect& o = GameRects[i];
    if (o.active != 1) continue;
    if (multipleSelectionMode && editorAlsoSelected[i]) DrawObjectMarks(o, ColorRGB(0, 0, 255));
    DrawGuideLines(o);
  }
}

void DrawAllObjectReferences() {
  if (!display) return;
  display->FillRect(0, 0, MAXX, MAXY, ColorRGB(110, 110, 110));
  // Each page is one or two runs of types.
  static const int kPages[3][2][2] = {{{0, 799}, {1, 0}}, {{100, 199}, {300, 699}}, {{0, 99}, {200, 299}}};
  int page = drawObjectRefID >= 0 && drawObjectRefID < 3 ? drawObjectRefID : 0;
  int x = 0, y = 0;
  for (const auto& run : kPages[page])
    for (int t = run[0]; t <= run[1]; ++t) {
      if (!DrawCell(t, x, y)) continue;
      x += refsizeX;
      if (x > MAXX - refsizeX) {
        x = 0;
        y += refsizeY;
      }
    }
  // Cells shrink until the next frame's page fits on the screen.
  if (y > MAXY - refsizeY && refsizeX > 1 && refsizeY > 1) {
    --refsizeX;
    --refsizeY;
  }
}
