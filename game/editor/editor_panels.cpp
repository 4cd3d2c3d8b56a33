// The level editor's value panels and the row callbacks that act on the level's objects.
#include "editor_panels.h"

#include <cstdio>

#include "game_globals.h"
#include "game_rect.h"
#include "keyboard_controls.h"
#include "level_editor.h"
#include "level_header.h"
#include "object_list.h"
#include "progress_files.h"
#include "trunc_int.h"
#include "value_editor.h"

int valueEditorSizeX = 200;
int valueEditorSizeY = 25;
int noUpdateRect = 0;
int resetColor = 0;
float globalColorChangeR = 0, globalColorChangeG = 0, globalColorChangeB = 0, globalColorChangeA = 0;
int globalColorChangeStartID = 0, globalColorChangeEndID = 0;
int killObjectFrom = 0, killObjectTo = 0;
int maxKilled = 0;
int dummy = 0;
int g_dynamicScreenScale = 0;
int g_moreEffectsOnIpad = 0;
float g_tempVariable = 0;

namespace {

// Shows the panel with a new title at the place the user last left it, with no rows.
void OpenPanel() {
  if (g_ipad) {
    valueEditorSizeX = 140;
    valueEditorSizeY = 17;
  }
  ValueList.Init(TXT, ValueList.x, ValueList.y, valueEditorSizeX + 45, 200, valueEditorSizeY + 4);
  ValueList.Clear();
}

enum Width { FULL, HALF };

template <typename T>
void Row(int slot, const char* label, T* target, float min, float max, Width width = FULL,
         void (*callback)() = nullptr) {
  int w = width == HALF ? valueEditorSizeX / 2 : valueEditorSizeX;
  ValueList.editors[slot].Init(label, target, min, max, 1, 10, 0, w, valueEditorSizeY, callback);
}

bool IsSlot(int slot) { return slot >= 0 && slot < GAME_RECTS; }

} // namespace

void ValueEditorGameSetup() {
  snprintf(TXT, sizeof TXT, "Setup Level params");
  OpenPanel();
  levelHeader& l = g_levelCur;
  Row(0, "DPAD ACCELERATION", &g_dpad_acceleration, 1, 150, HALF);
  Row(1, "         g_accelerometerControl", &g_accelerometerControl, 0, 1, HALF);
  Row(2, "         g_accelerometerSensitivity", &g_accelerometerSensitivity, 1000, 6000, HALF);
  Row(3, "         g_dynamicScreenScale", &g_dynamicScreenScale, 0, 1, HALF);
  Row(4, "         g_gameDebugSlowdown", &g_gameDebugSlowdown, 1, 5, HALF);
  Row(5, "         g_finalRelease", &g_finalRelease, 0, 1, HALF);
  Row(6, "         g_disableAllSounds", &g_disableAllSounds, 0, 1, HALF);
  Row(7, "         g_muteMusic", &g_muteMusic, 0, 1, HALF);
  Row(8, "         g_moreEffectsOnIpad", &g_moreEffectsOnIpad, 0, 1, HALF);
  Row(9, "         g_tempVariable", &g_tempVariable, -5, 5, HALF);
  Row(10, "         g_iphoneCustomZoom", &g_iphoneCustomZoom, 0.5f, 1, HALF);
  Row(11, "        drawObjectCenters\t", &drawObjectCenters, 0, 2, HALF);
  Row(12, "Background", &l.background, 0, 50);
  Row(13, "NO Background Scroll", &l.noBackgroundScroll, 0, 1);
  Row(14, "Background R", &l.backgroundR, 0, 255);
  Row(15, "Background G", &l.backgroundG, 0, 255);
  Row(16, "Background B", &l.backgroundB, 0, 255);
  Row(17, "Background A", &l.backgroundA, 0, 255);
  Row(18, "Start X", &l.startX, 4500, 6500);
  Row(19, "Start Y", &l.startY, 4500, 6500);
  Row(20, "Start X BIG", &l.startX, 2000, 9500);
  Row(21, "Start Y BIG", &l.startY, 2000, 9500);
  Row(22, "CharacterID", &g_characterID, 0, 6);
  Row(23, "ipadCustomZoom", &l.ipadZoom, 0.5f, 1);
  Row(24, "ipadWaterZoom x1 x2", &l.ipadZoom, 2, 3);
  Row(25, "valueEditorSizeX", &valueEditorSizeX, 100, 400);
  Row(26, "UpdateUIDs", &valueEditorSizeX, (float)valueEditorSizeX, (float)valueEditorSizeX, FULL,
      UpdateUIDS);
  Row(27, "Perfect Time", &l.rankTime4, 3, 30);
  Row(28, "+++ Time", &l.rankTime3, 3, 40);
  Row(29, "++ Time", &l.rankTime2, 3, 50);
  Row(30, "+ Time", &l.rankTime1, 3, 60);
  Row(31, "Move colors R", &globalColorChangeR, 0, 255, FULL, UpdateAllColors);
  Row(32, "Move colors G", &globalColorChangeG, 0, 255, FULL, UpdateAllColors);
  Row(33, "Move colors B", &globalColorChangeB, 0, 255, FULL, UpdateAllColors);
  Row(34, "Move colors A", &globalColorChangeA, 0, 255, FULL, UpdateAllColors);
  Row(35, "Move colors StartID", &globalColorChangeStartID, 0, 1000);
  Row(36, "Move colors EndID", &globalColorChangeEndID, 0, 1000);
  Row(37, "characterColorA", &l.characterA, 0, 255);
  Row(38, "characterColorR", &l.characterR, 0, 255);
  Row(39, "characterColorG", &l.characterG, 0, 255);
  Row(40, "characterColorB", &l.characterB, 0, 255);
  Row(41, "leaves EffectID ", &l.weatherKind, 0, 11);
  Row(42, "leaves Amount", &l.weatherAmount, 0, 20);
  Row(43, "leaves VelX", &l.weatherVelX, -600, 600);
  Row(44, "leaves VelY", &l.weatherVelY, -600, 600);
  Row(45, "leaves Size+", &l.weatherSize, 0, 2);
  Row(46, "particlesColorA", &l.particlesA, 0, 255);
  Row(47, "particlesColorR", &l.particlesR, 0, 255);
  Row(48, "particlesColorG", &l.particlesG, 0, 255);
  Row(49, "particlesColorB", &l.particlesB, 0, 255);
  Row(50, "EDITOR ERASE MODE", &levelEditorEraseMode, 0, 100);
  Row(51, "RESET COLORS!!!", &resetColor, 0, 100, FULL, ResetAllColors);
  Row(52, "Editor Selection Mode", &editorSelectionMode, 0, 1);
  Row(53, "Don't Update when change sprite", &noUpdateRect, 0, 1);
}

void ButtonBringValueEditor() {
  // A pick outside the table (none yet) has no object to bind the rows to.
  if (!IsSlot(lastSelectedObjectID)) return;
  updatingRectID = lastSelectedObjectID;
  snprintf(TXT, sizeof TXT, "Edit Gamerect %i", updatingRectID);
  OpenPanel();
  gameRect& o = GameRects[updatingRectID];
  platformAnimation& m = o.move;
  Row(0, "No Collision", &o.noCollision, 0, 2);
  Row(1, "Draw 2Point", &o.draw2Point, 0, 2);
  Row(2, "Rotated", &o.rotated, 0, 2, FULL, UpdateCurRect);
  Row(3, "FlipX", &o.flipX, 0, 2);
  Row(4, "FlipY", &o.flipY, 0, 2);
  Row(5, "zIndex", &o.layer, 0, 25);
  static const char* const kSpriteRows[8] = {"SpriteID 0",   "SpriteID 100", "SpriteID 200", "SpriteID 300",
                                             "SpriteID 400", "SpriteID 500", "SpriteID 600", "SpriteID 700"};
  for (int k = 0; k < 8; k++)
    Row(6 + k, kSpriteRows[k], &o.type, 100.0f * k, 100.0f * k + 100, FULL, UpdateCurRect);
  Row(14, "AnimSpeed", &o.fps, 0, 50);
  Row(15, "ColorRGB R", &o.color[1], 0, 255);
  Row(16, "ColorRGB G", &o.color[2], 0, 255);
  Row(17, "ColorRGB B", &o.color[3], 0, 255);
  Row(18, "ColorRGB A", &o.color[0], 0, 255);
  Row(19, "CustomSize", &o.customSize, 0, 1);
  Row(20, "CustomSize", &o.customSize, 1, 5);
  Row(21, "Custom 1", &o.custom1, -600, 600);
  Row(22, "Custom 2", &o.custom2, -600, 600);
  Row(23, "Custom 3", &o.custom3, -600, 600);
  Row(24, "init Shift Point X", &o.initShiftX, -150, 150);
  Row(25, "init Shift Point Y", &o.initShiftY, -150, 150);
  Row(26, "SizeX Extra", &o.sizeExtraX, -50, 50);
  Row(27, "SizeY Extra", &o.sizeExtraY, -50, 50);
  Row(28, "Custom Block Angle", &o.blockAngle, -3.1415927f, 3.1415927f);
  Row(29, "Custom Block Angle2", &o.blockAngle, -1.5707964f, 1.5707964f);
  Row(30, "No Alpha blending", &o.noAlphaBlending, 0, 1);
  Row(31, "Auto Rotation", &o.autoRotation, 0, 1);
  Row(32, "GET UID", &o.uid, (float)o.uid, (float)o.uid, FULL, GetUID);
  Row(33, "Bind XY To UID", &o.bindUID, (float)currentGUIDBinding, (float)currentGUIDBinding + 1);
  Row(34, "Reset XY UID Binding", &o.bindUID, 0, 0);
  Row(36, "Also Move player", &o.alsoMovePlayer, 0, 1);
  Row(37, "Trigger", &m.trigger, 0, 1);
  Row(38, "distance Trigger X", &m.triggerDistanceX, 0, 3000);
  Row(39, "distance Trigger Y", &m.triggerDistanceY, 0, 3000);
  Row(40, "Circling Speed", &m.circlingSpeed, 0, 200);
  Row(41, "Circling Rad", &m.circlingRadius, 1, 350);
  Row(42, "Circling Phase", &m.circlingPhase, 0, 6.2831855f);
  Row(43, "Pendulum", &m.pendulum, 0, 1);
  Row(44, "Pendulum Amp", &m.pendulumAmplitude, 0, 6.2831855f);
  Row(45, "MoveX Respawn", &m.moveXRespawn, 0, 2);
  Row(46, "MoveX Time", &m.moveXTime, 0, 6);
  Row(47, "MoveX Speed", &m.moveXSpeed, 0, 300);
  Row(48, "MoveX Pause", &m.moveXPause, 0, 20);
  Row(49, "MoveX Orientation", &m.moveXOrientation, -2, 2);
  Row(50, "MoveY Respawn", &m.moveYRespawn, 0, 2);
  Row(51, "MoveY Time", &m.moveYTime, 0, 10);
  Row(52, "MoveY Speed", &m.moveYSpeed, 0, 300);
  Row(53, "MoveY Pause", &m.moveYPause, 0, 20);
  Row(54, "MoveY Orientation", &m.moveYOrientation, -2, 2);
  Row(55, "MoveX Time Long", &m.moveXTime, 10, 500);
  Row(56, "MoveX Speed Slow", &m.moveXSpeed, 0, 40);
  Row(57, "MoveX Speed Fast", &m.moveXSpeed, 300, 600);
  Row(58, "MoveY Time Long", &m.moveYTime, 10, 500);
  Row(59, "MoveY Speed Slow", &m.moveYSpeed, 0, 40);
  Row(60, "MoveY Speed Fast", &m.moveYSpeed, 300, 600);
}

void InitKillObject() {
  snprintf(TXT, sizeof TXT, "KILL OBJECT");
  OpenPanel();
  Row(0, "From Sprite", &killObjectFrom, 0, 1000, FULL, UpdateKillParams);
  Row(1, "To Sprite", &killObjectTo, 0, 1000, FULL, UpdateKillParams);
  Row(3, "Kill", &dummy, (float)killObjectFrom, (float)killObjectFrom + 1, FULL, KillObjects);
  Row(4, "UndoKill (Don't Use unless you really have to!!!)", &dummy, (float)killObjectTo,
      (float)killObjectTo + 1, FULL, UnKillObjects);
}

void UpdateCurRect() {
  if (noUpdateRect || !IsSlot(updatingRectID)) return;
  gameRect& o = GameRects[updatingRectID];
  int color[4] = {o.color[0], o.color[1], o.color[2], o.color[3]};
  int rotated = o.rotated, flipX = o.flipX, flipY = o.flipY, layer = o.layer;
  o.Init(updatingRectID, TruncToInt(o.x), TruncToInt(o.y), o.type, o.frozen);
  for (int i = 0; i < 4; i++)
    o.color[i] = color[i];
  o.rotated = rotated;
  o.flipX = flipX;
  o.flipY = flipY;
  o.layer = layer;
  // The box follows the kept rotation.
  o.UpdateCoordinates();
}

void UpdateAllColors() {
  for (gameRect& o : GameRects) {
    if (o.type < globalColorChangeStartID || o.type > globalColorChangeEndID) continue;
    o.color[1] = TruncToInt(globalColorChangeR);
    o.color[2] = TruncToInt(globalColorChangeG);
    o.color[3] = TruncToInt(globalColorChangeB);
    o.color[0] = TruncToInt(globalColorChangeA);
  }
}

void ResetAllColors() {
  if (resetColor != 100) return;
  for (gameRect& o : GameRects)
    for (int& c : o.color)
      c = 255;
}

void UpdateUIDS() {
  for (int i = 0; i < GAME_RECTS; i++) {
    if (GameRects[i].active != 1) continue;
    for (int j = 0; j < GAME_RECTS; j++)
      if (j != i && GameRects[i].uid == GameRects[j].uid) GameRects[i].uid++;
  }
}

void GetUID() {
  if (IsSlot(updatingRectID)) currentGUIDBinding = GameRects[updatingRectID].uid;
}

void KillObjects() {
  for (int i = 0; i < GAME_RECTS; i++) {
    gameRect& o = GameRects[i];
    if (o.type < killObjectFrom || o.type > killObjectTo) continue;
    if (o.active) maxKilled = i;
    o.active = 0;
  }
}

void UnKillObjects() {
  for (int i = 0; i <= maxKilled && i < GAME_RECTS; i++) {
    gameRect& o = GameRects[i];
    if (o.type >= killObjectFrom && o.type <= killObjectTo) o.active = 1;
  }
}

// The range rows only set the range; Kill and UndoKill act on it.
void UpdateKillParams() {}
