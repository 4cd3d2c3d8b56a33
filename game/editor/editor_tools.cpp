// The level editor's buttons and the level, view, selection and duplication tools behind them.
#include "editor_tools.h"

#include <vector>

#include "buttons.h"
#include "editor_panels.h"
#include "game_globals.h"
#include "game_rect.h"
#include "level_editor.h"
#include "object_list.h"
#include "quest_state.h"
#include "value_editor.h"

namespace {

struct ExtraButton {
  int slot;
  const char* label;
  int x, y;
  void (*action)();
};

const ExtraButton kExtraButtons[] = {
    {40, "Multi\nsel", 50, 70, ToggleMutiSelection},
    {41, "Copy", 100, 70, MakeCopyObject},
    {42, "Paste", 150, 70, MakePasteObject},
    {43, "Kill", 200, 70, InitKillObject},
    {44, "Back\nup", 250, 70, Backup},
    {45, "Restore", 300, 70, Restore},
    {46, "lockX", 50, 30, LockAxisX},
    {47, "lockY", 100, 30, LockAxisY},
};

void Duplicate(int dirX, int dirY, bool clean) {
  if (multipleSelectionMode)
    MassDuplicate();
  else
    DupObj(draggingID, dirX, dirY, clean, false, false);
}

// Everything but type, place, UID, binding, start shift and Custom 3; the second point moves by
// the step.
void CopyParameters(const gameRect& s, gameRect& t, int dx, int dy) {
  t.flipX = s.flipX;
  t.flipY = s.flipY;
  t.layer = s.layer;
  for (int c = 0; c < 4; ++c)
    t.color[c] = s.color[c];
  t.x2 = s.x2 + dx;
  t.y2 = s.y2 + dy;
  t.custom1 = s.custom1;
  t.custom2 = s.custom2;
  t.rotated = s.rotated;
  t.customSize = s.customSize;
  t.noCollision = s.noCollision;
  t.draw2Point = s.draw2Point;
  t.drawMode2 = s.drawMode2;
  t.fps = s.fps;
  t.alsoMovePlayer = s.alsoMovePlayer;
  t.sizeExtraX = s.sizeExtraX;
  t.sizeExtraY = s.sizeExtraY;
  t.blockAngle = s.blockAngle;
  t.noAlphaBlending = s.noAlphaBlending;
  t.autoRotation = s.autoRotation;
  const platformAnimation& m = s.move;
  platformAnimation& n = t.move;
  n.trigger = m.trigger;
  n.triggerDistanceX = m.triggerDistanceX;
  n.triggerDistanceY = m.triggerDistanceY;
  n.pendulum = m.pendulum;
  n.pendulumAmplitude = m.pendulumAmplitude;
  n.moveXTime = m.moveXTime;
  n.moveXSpeed = m.moveXSpeed;
  n.moveXPause = m.moveXPause;
  n.moveXOrientation = m.moveXOrientation;
  n.moveXRespawn = m.moveXRespawn;
  n.moveYTime = m.moveYTime;
  n.moveYSpeed = m.moveYSpeed;
  n.moveYPause = m.moveYPause;
  n.moveYOrientation = m.moveYOrientation;
  n.moveYRespawn = m.moveYRespawn;
  n.circlingPhase = m.circlingPhase;
  n.circlingSpeed = m.circlingSpeed;
  n.circlingRadius = m.circlingRadius;
  n.reserved2 = m.reserved2;
  t.UpdateCoordinates();
}

} // namespace

void InitLevelEditorButtons() {
  ClearButtons();
  struct Row {
    const char* label;
    int x, y, w, h;
    void (*action)();
  };
  const int bottom = MAXY - 35, right = MAXX - 40;
  const Row rows[] = {
      {"L-5", 260, 0, 30, 20, ButtonPrevLevel5},
      {"L-1", 300, 0, 30, 20, ButtonPrevLevel},
      {"L+1", 340, 0, 30, 20, ButtonNextLevel},
      {"L+5", 380, 0, 30, 20, ButtonNextLevel5},
      {"+40", 215, 0, 30, 20, ButtonNextLevel40},
      {"-40", 170, 0, 30, 20, ButtonPrevLevel40},
      {"Sel", 0, 170, 38, 35, SelectionReset},
      {"Move", 0, 225, 38, 35, ToggleScreenMove},
      {"Extra", 0, 70, 38, 35, MakeExtraButtons},
      {"Zout", 4, bottom, 38, 35, ButtonZoomout},
      {"Zin", 46, bottom, 38, 35, ButtonZoomin},
      {"Znorm", 88, bottom, 38, 35, ButtonZoomnorm},
      {"grid-", 130, bottom, 38, 35, GridMinus},
      {"grid+", 172, bottom, 38, 35, GridPlus},
      {"Dup\nclean", 214, bottom, 38, 35, DuplicateObjectNop},
      {"Dup\nLeft", 256, bottom, 38, 35, DuplicateObjectLeft},
      {"Dup\nRight", 298, bottom, 38, 35, DuplicateObjectRight},
      {"Dup\nUp", 340, bottom, 38, 35, DuplicateObjectTop},
      {"Dup\nDown", 382, bottom, 38, 35, DuplicateObjectBottom},
      {"Edit", right, MAXY - 42, 38, 38, ButtonBringValueEditor},
      {"Add", right, MAXY - 84, 38, 38, AddDemoRect},
      {"Level\ninfo", right, MAXY - 126, 38, 38, ValueEditorGameSetup},
      {"object\nref.", right, MAXY - 168, 38, 38, ChangeDrawObjectReferences},
  };
  for (const Row& r : rows)
    AddButtonCustom(r.x, r.y, r.w, r.h, 3, r.label, nullptr, nullptr, r.action);
}

void MakeExtraButtons() {
  if (Buttons[41].active) {
    for (int i = 40; i < 60; ++i)
      Buttons[i].active = 0;
    return;
  }
  for (const ExtraButton& b : kExtraButtons)
    Buttons[b.slot].Init(b.x, b.y, 33, 22, 3, b.label, nullptr, nullptr, b.action);
}

void EditorStepLevel(int step) {
  updatingRectID = 0;
  // The level in memory is always saved before it is left; one that could not be is not left.
  if (!EditorSaveLevel(false)) return;
  int level = g_levelSelected + step;
  if (level < EDITOR_LEVEL_MIN) level = EDITOR_LEVEL_MIN;
  if (level > EDITOR_LEVEL_MAX) level = EDITOR_LEVEL_MAX;
  g_levelSelected = level;
  EditorLoadLevel(false);
}

void ButtonPrevLevel5() { EditorStepLevel(-5); }
void ButtonPrevLevel40() { EditorStepLevel(-40); }
void ButtonPrevLevel() { EditorStepLevel(-1); }
void ButtonNextLevel() { EditorStepLevel(1); }
void ButtonNextLevel5() { EditorStepLevel(5); }
void ButtonNextLevel40() { EditorStepLevel(40); }

void ToggleScreenMove() { screenMove = 1; }
void ToggleMutiSelection() { multipleSelectionMode = !multipleSelectionMode; }
void ButtonZoomout() { editorZoom *= 0.9f; }
void ButtonZoomin() { editorZoom *= 1.1f; }
void ButtonZoomnorm() { editorZoom = 1.0f; }

void GridPlus() {
  if (gridSize < 10) gridSize = 0;
  gridSize += 10;
}

void GridMinus() {
  gridSize -= 10;
  if (gridSize < 10) gridSize = 2;
}

// The button's name says which axis stays put: "lockX" keeps x.
void LockAxisX() { lockAxisY = !lockAxisY; }
void LockAxisY() { lockAxisX = !lockAxisX; }

void AddDemoRect() { AddGameRect(5000, 5090, 1, true); }
void ChangeDrawObjectReferences() { drawObjectReferences = !drawObjectReferences; }
void Backup() { EditorSaveLevel(true); }
void Restore() { EditorLoadLevel(true); }

void DuplicateObjectNop() { Duplicate(0, -1, true); }
void DuplicateObjectLeft() { Duplicate(-1, 0, false); }
void DuplicateObjectRight() { Duplicate(1, 0, false); }
void DuplicateObjectTop() { Duplicate(0, -1, false); }
void DuplicateObjectBottom() { Duplicate(0, 1, false); }

int DupObj(int src, int dirX, int dirY, bool clean, bool copy, bool paste) {
  if (src < 0 || src >= GAME_RECTS) return -1;
  const gameRect& s0 = GameRects[src];
  float w = s0.rotated ? s0.baseHeight : s0.baseWidth, h = s0.rotated ? s0.baseWidth : s0.baseHeight;
  int dx = (int)(dirX * w), dy = (int)(dirY * h);
  if (s0.draw2Point) dx = dy = 0;

  int from = src, target;
  if (copy) {
    target = CLIPBOARD_SLOT;
    dx = dy = 0;
  } else if (paste) {
    from = CLIPBOARD_SLOT;
    target = draggingID;
    dx = dy = 0;
    if (target < 0 || target >= GAME_RECTS) return -1;
  } else {
    target = AddGameRect((int)(s0.x + dx), (int)(s0.y + dy), s0.type, s0.frozen);
    draggingID = target;
  }
  updatingRectID = lastSelectedObjectID = target;
  draggingType = 0;
  // A full table gives the last slot, as it is, which then takes the copy's parameters.
  if (!clean) CopyParameters(GameRects[from], GameRects[target], dx, dy);
  g_drawShiftX -= dx;
  g_drawShiftY -= dy;
  if (ValueList.visible) ButtonBringValueEditor();
  return target;
}

void MassDuplicate() {
  int minX = 1000000000, maxRight = 0;
  std::vector<int> marked;
  for (int i = 0; i < GAME_RECTS; ++i) {
    if (!editorAlsoSelected[i]) continue;
    editorAlsoSelected[i] = 0;
    const gameRect& o = GameRects[i];
    // A deleted object loses its mark and is not brought back as a copy.
    if (!o.active) continue;
    marked.push_back(i);
    if ((int)o.x < minX) minX = (int)o.x;
    if ((int)(o.x + o.width) > maxRight) maxRight = (int)(o.x + o.width);
  }
  int span = maxRight - minX;
  if (marked.empty() || span > MASS_DUPLICATE_MAX_SPAN) return;
  for (int slot : marked) {
    DupObj(slot, 0, 0, false, false, false);
    gameRect& o = GameRects[slot];
    o.x += span;
    o.x2 += span;
    o.UpdateCoordinates();
    editorAlsoSelected[slot] = 1;
  }
}

void MakeCopyObject() {
  DupObj(draggingID, 0, 0, false, true, false);
  GameRects[CLIPBOARD_SLOT].active = 0;
}

void MakePasteObject() {
  DupObj(draggingID, 0, 0, false, false, true);
  GameRects[CLIPBOARD_SLOT].active = 0;
}
