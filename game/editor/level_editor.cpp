// The level editor mode: its global state, its frame and its touch handling (pick, drag, snap,
// delete, pan), and the loading and saving of the level being edited.
#include "level_editor.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "buttons.h"
#include "catalogue.h"
#include "catalogue_data.h"
#include "display.h"
#include "draw_order.h"
#include "editor_overlays.h"
#include "editor_panels.h"
#include "editor_tools.h"
#include "frontend.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "geometry.h"
#include "hge_font.h"
#include "hud.h"
#include "level_data.h"
#include "level_file.h"
#include "minigame.h"
#include "quest_state.h"
#include "recordings.h"
#include "spikes.h"
#include "sprite_tables.h"
#include "surface.h"
#include "value_editor.h"

float editorZoom = 1.0f;
int gridSize = 2;
int draggingID = 0;
int draggingType = 0;
int lastSelectedObjectID = 0;
int lastSelectedObjectType = 0;
u8 editorSelectionMade = 0;
int editorSelectionMode = 0;
u8 screenMove = 0;
u8 stylusDown = 0;
int edTapCount = 0;
u8 multipleSelectionMode = 0;
int editorAlsoSelected[GAME_RECTS];
u8 lockAxisX = 0;
u8 lockAxisY = 0;
int levelEditorEraseMode = 0;
int drawObjectCenters = 0;
u8 drawObjectReferences = 0;
int drawObjectRefID = 0;
int refsizeX = 50, refsizeY = 50;

char TXT[200];
const char* editorLevelNote = "";

namespace {

const float kDoubleTap = 0.2f;
// The exit corner (top right) and the delete corner (top left).
const int kExitCornerY = 64, kExitCornerW = 65, kDeleteCorner = 40;

void LevelFileName(char* out, size_t size, bool backup) {
  snprintf(out, size, backup ? "level%ib.txt" : "level%i.txt", g_levelSelected);
}

void SnapObject(gameRect& o) {
  o.x = SnapToGrid(o.x, gridSize);
  o.y = SnapToGrid(o.y, gridSize);
  o.UpdateCoordinates();
}

// Picks the active object whose centre lies nearest to the touch; the lowest slot wins a tie.
void PickNearest(int px, int py) {
  int best = -1;
  long long bestD = 1000000000;
  int tx = (int)(px / editorZoom), ty = (int)(py / editorZoom);
  for (int i = 0; i < GAME_RECTS; ++i) {
    const gameRect& o = GameRects[i];
    if (o.active != 1) continue;
    long long ex = (long long)(o.centerX - tx + g_drawShiftX),
              ey = (long long)(o.centerY - ty + g_drawShiftY);
    long long d = ex * ex + ey * ey;
    if (d < bestD) {
      bestD = d;
      best = i;
    }
  }
  if (best < 0) return;
  lastSelectedObjectID = best;
  lastSelectedObjectType = 0;
  if (ValueList.visible) ButtonBringValueEditor();
  draggingID = best;
  draggingType = 0;
  editorAlsoSelected[best] = 1;
  if (levelEditorEraseMode == 100 && (float)bestD < 900 / editorZoom) GameRects[best].active = 0;
}

// Entered from the mini-game, the editor shows the mini-game's course.
Surface** CourseSlot(int index, int frame) { return index == 1 ? MinigameCourseSlot(frame) : nullptr; }

// Grid lines while a finger is down; the display draws no lines, so they stay invisible.
void DrawGrid() {
  if (!stylusDown || gridSize <= 2) return;
  float w = MAXX / editorZoom, h = MAXY / editorZoom;
  for (int x = (int)g_drawShiftX % gridSize; x < w; x += gridSize)
    display->DrawLine(x, 0, x, (int)h, 0);
  for (int y = (int)g_drawShiftY % gridSize; y < h; y += gridSize)
    display->DrawLine(0, y, (int)w, y, 0);
}

// "count: N  levelM.txt", and the note under it. The line is kept whole on the screen: centred
// where the status goes, but moved right and down as far as its size needs.
void DrawStatusLine(int count) {
  hgeFont* font = FontInterface;
  font->SetScale(0.7f);
  snprintf(TXT, sizeof TXT, "count: %i  level%i.txt", count, g_levelSelected);
  float half = font->GetStringWidth(TXT) / 2, lineHeight = font->height * 0.7f;
  float x = std::fmax((float)(MAXX / 2 - 170), half + 2), y = std::fmax(2.0f, lineHeight / 2);
  font->Render(x, y, 2, TXT);
  if (*editorLevelNote) font->Render(x, y + lineHeight, 2, editorLevelNote);
}

} // namespace

float SnapToGrid(float v, int grid) {
  if (grid <= 0) return v;
  return (float)(grid * ((int)(v + grid / 2) / grid));
}

void ResetAllMultiSelections() {
  for (int& mark : editorAlsoSelected)
    mark = 0;
}

void SelectionReset() {
  screenMove = 0;
  editorSelectionMade = 0;
  ResetAllMultiSelections();
}

int EditorLoadLevel(bool backup) {
  char name[32];
  LevelFileName(name, sizeof name, backup);
  // The editor's own files first, then the pack's level of that number.
  int loaded = EditorLoad(name);
  // A load that fails has said why on stderr.
  editorLevelNote = loaded ? "" : "no file";
  return loaded;
}

bool EditorSaveLevel(bool backup) {
  char name[32];
  LevelFileName(name, sizeof name, backup);
  bool saved = EditorSaveAsText(name);
  editorLevelNote = saved ? "" : "not saved";
  return saved;
}

void level_editor::InitMode() {
  InitLevelEditorButtons();
  // Entered from the mini-game, the editor shows its course, and so does the play that follows.
  if (g_previousMode == 14) RegisterScreenSprites(catalogue::MiniGameArt(), nullptr, CourseSlot);
  superAnimator& a = SuperAnimators[0];
  a.x = 100;
  a.y = 50;
  a.active = 1;
  g_drawShiftX = (float)(MAXX / 2) - GameRects[0].x;
  g_drawShiftY = (float)(MAXY / 2) - GameRects[0].y;
  EditorLoadLevel(false);
  g_levelCurrentData.quickSaved = 0;
  g_playingRecording = false;
}

void level_editor::Draw(float dt) {
  sinceTouchDown += dt;
  DrawBackgrounds(dt);
  int count = 0;
  for (const gameRect& o : GameRects)
    count += o.active ? 1 : 0;
  bool panning = draggingID >= 0 && draggingType == 2 && stylusDown;
  for (gameRect& o : GameRects) {
    o.editorSelected = 1;
    if (panning) o.noTint = 1;
  }
  ResortGlobalObjects();
  DrawAllObjects(dt);
  ProcessAllSpikes(dt);
  ValueList.Draw();
  for (gameRect& o : GameRects)
    o.editorSelected = o.noTint = 0;

  if (!display) return;
  display->SetBlending(255);
  DrawButtons();
  DrawSelectionMarks();
  DrawGrid();
  DrawBlocksCustom();
  if (FontInterface) DrawStatusLine(count);
  if (drawObjectReferences) DrawAllObjectReferences();
}

void level_editor::StylusDown(myPoint* points, int count) {
  if (drawObjectReferences) {
    drawObjectRefID = (drawObjectRefID + 1) % 4;
    refsizeX = refsizeY = 50;
    if (drawObjectRefID == 3) {
      drawObjectRefID = 0;
      drawObjectReferences = 0;
    }
    return;
  }
  if (count > 1) screenMove = 1;
  ++edTapCount;
  stylusDown = 1;
  int x = (int)points[0].x, y = (int)points[0].y;
  lastTouchX = x;
  lastTouchY = y;
  if (ButtonsStylus(x, y, true)) return;
  bool doubleTap = sinceTouchDown < kDoubleTap && count == 1;
  sinceTouchDown = 0;
  if (ValueList.StylusDown(x, y)) return;
  if (doubleTap) SelectionReset();
  // Left at once: the rest of this touch is play's to ignore, so no move drags the pick first.
  if (y <= kExitCornerY && x > MAXX - kExitCornerW) LeaveForPlay();
}

void level_editor::LeaveForPlay() {
  // A level that could not be saved is not left: play would start from the old file.
  if (!EditorSaveLevel(false)) return;
  // Play's level start creates its HUD buttons, so the editor's go first.
  ClearButtons();
  SwitchMode(9);
}

void level_editor::StylusMove(myPoint* points, int) {
  int px = (int)points[0].x, py = (int)points[0].y;
  if (ValueList.StylusMove(px, py)) return;
  float fx = (px - lastTouchX) / editorZoom, fy = (py - lastTouchY) / editorZoom;
  // Moves below one unit wait until they add up.
  if (std::fabs(fx) < 1 && std::fabs(fy) < 1) return;
  if (lockAxisX) fy = 0;
  if (lockAxisY) fx = 0;
  lastTouchX = px;
  lastTouchY = py;
  int dx = (int)fx, dy = (int)fy;

  if (screenMove) {
    editorSelectionMade = 1;
    if (draggingID < 0) draggingID = 0;
    draggingType = 2;
  }
  if (!editorSelectionMade) {
    PickNearest(px, py);
    return;
  }
  if (draggingID < 0 || draggingID >= GAME_RECTS) return;
  if (draggingType == 2) {
    g_drawShiftX += dx;
    g_drawShiftY += dy;
    return;
  }
  if (draggingType != 0) return;
  if (multipleSelectionMode) {
    for (int i = 0; i < GAME_RECTS; ++i) {
      if (!editorAlsoSelected[i]) continue;
      gameRect& o = GameRects[i];
      o.x += dx;
      o.y += dy;
      o.x2 += dx;
      o.y2 += dy;
      o.pathY = o.y;
      o.UpdateCoordinates();
    }
    return;
  }
  gameRect& o = GameRects[draggingID];
  if (!o.draw2Point) {
    o.x += dx;
    o.y += dy;
    o.pathY = o.y;
  } else if (edTapCount % 2 == 0) {
    o.x += dx;
    o.y += dy;
    o.pathX = (float)px;
    o.pathY = (float)py;
  } else {
    o.x2 += dx;
    o.y2 += dy;
  }
  o.UpdateCoordinates();
}

void level_editor::StylusUp(myPoint* points, int) {
  stylusDown = 0;
  int px = (int)points[0].x, py = (int)points[0].y;
  ValueList.StylusUp(px, py);
  int ux = (int)(px / editorZoom), uy = (int)(py / editorZoom);
  if (draggingID < 0 || draggingID >= GAME_RECTS || draggingType != 0) return;
  bool deleteCorner = false;
  if (editorSelectionMade && editorSelectionMode == 1) {
    editorSelectionMade = 0;
  } else if (ux < kDeleteCorner / editorZoom && uy < kDeleteCorner / editorZoom) {
    deleteCorner = true;
    GameRects[draggingID].active = 0;
    editorSelectionMade = 0;
  } else {
    editorSelectionMade = 1;
  }
  SnapObject(GameRects[draggingID]);
  if (!multipleSelectionMode) return;
  for (int i = 0; i < GAME_RECTS; ++i) {
    if (!editorAlsoSelected[i]) continue;
    SnapObject(GameRects[i]);
    if (deleteCorner) GameRects[i].active = 0;
  }
}
