// The level editor's value panels: what their rows bind to, and the row actions on the objects
// (re-creating an object of a new type, colours, UIDs, deletion by type and its undo).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "editor_panels.h"
#include "game_globals.h"
#include "game_rect.h"
#include "keyboard_controls.h"
#include "level_editor.h"
#include "level_header.h"
#include "object_list.h"
#include "object_table.h"
#include "progress_files.h"
#include "value_editor.h"

namespace {

class EditorPanels : public ::testing::Test {
protected:
  void SetUp() override {
    ResetObjectTable();
    ValueList = valueList();
    header = g_levelCur;
    valueEditorSizeX = 200;
    valueEditorSizeY = 25;
    noUpdateRect = resetColor = 0;
    killObjectFrom = killObjectTo = maxKilled = dummy = 0;
    currentGUIDBinding = updatingRectID = lastSelectedObjectID = 0;
  }
  void TearDown() override {
    ResetObjectTable();
    ValueList = valueList();
    g_levelCur = header;
    valueEditorSizeX = 200;
    valueEditorSizeY = 25;
    noUpdateRect = resetColor = 0;
    killObjectFrom = killObjectTo = maxKilled = dummy = 0;
    currentGUIDBinding = updatingRectID = lastSelectedObjectID = 0;
    g_ipad = false;
  }
  valueEditor& Row(int slot) { return ValueList.editors[slot]; }
  // A touch-down at dx pixels into the row, then one move to dxMove.
  void Tap(int slot, int dx) { Row(slot).StylusDown(Row(slot).x + dx, Row(slot).y + 1); }
  void Drag(int slot, int dx, int dxMove) {
    Tap(slot, dx);
    Row(slot).StylusMove(Row(slot).x + dxMove, Row(slot).y + 1);
    Row(slot).StylusUp(0, 0);
  }
  int ActiveRows() {
    int n = 0;
    for (valueEditor& e : ValueList.editors)
      n += e.active;
    return n;
  }
  void Put(int slot, int type, bool active = true) {
    GameRects[slot].Init(slot, 5000 + slot * 50, 5100, type, true);
    GameRects[slot].active = active;
  }
  levelHeader header;
};

struct Binding {
  int slot;
  const char* label;
  const void* target; // the bound variable
  float min, max;
  int width;
  void (*callback)();
};

void ExpectRows(std::initializer_list<Binding> rows) {
  for (const Binding& b : rows) {
    const valueEditor& e = ValueList.editors[b.slot];
    SCOPED_TRACE(std::string("slot ") + std::to_string(b.slot) + " " + b.label);
    EXPECT_TRUE(e.active);
    EXPECT_STREQ(e.label, b.label);
    EXPECT_EQ(e.isInt ? (const void*)e.intValue : (const void*)e.floatValue, b.target);
    EXPECT_FLOAT_EQ(e.minValue, b.min);
    EXPECT_FLOAT_EQ(e.maxValue, b.max);
    EXPECT_EQ(e.w, b.width);
    EXPECT_EQ(e.h, valueEditorSizeY);
    EXPECT_EQ(e.x, 10);
    EXPECT_EQ(e.callback, b.callback);
  }
}

TEST_F(EditorPanels, SetupPanelBindsTheSwitchesHeaderAndEditorSettings) {
  // It replaces the object panel that was open, rows and all.
  Put(2, 1);
  lastSelectedObjectID = 2;
  ButtonBringValueEditor();
  ValueList.x = 70;
  ValueList.y = 20;
  ValueEditorGameSetup();
  EXPECT_TRUE(ValueList.visible);
  EXPECT_STREQ(ValueList.title, "Setup Level params");
  EXPECT_EQ(ValueList.x, 70) << "the panel stays where it was left";
  EXPECT_EQ(ValueList.w, 245);
  EXPECT_EQ(ValueList.h, 200);
  EXPECT_FLOAT_EQ(ValueList.spacing, 29);
  EXPECT_EQ(ActiveRows(), 54);
  levelHeader& l = g_levelCur;
  ExpectRows({
      {0, "DPAD ACCELERATION", &g_dpad_acceleration, 1, 150, 100, nullptr},
      {5, "         g_finalRelease", &g_finalRelease, 0, 1, 100, nullptr},
      {10, "         g_iphoneCustomZoom", &g_iphoneCustomZoom, 0.5f, 1, 100, nullptr},
      {11, "        drawObjectCenters\t", &drawObjectCenters, 0, 2, 100, nullptr},
      {12, "Background", &l.background, 0, 50, 200, nullptr},
      {18, "Start X", &l.startX, 4500, 6500, 200, nullptr},
      {20, "Start X BIG", &l.startX, 2000, 9500, 200, nullptr},
      {24, "ipadWaterZoom x1 x2", &l.ipadZoom, 2, 3, 200, nullptr},
      {26, "UpdateUIDs", &valueEditorSizeX, 200, 200, 200, UpdateUIDS},
      {27, "Perfect Time", &l.rankTime4, 3, 30, 200, nullptr},
      {34, "Move colors A", &globalColorChangeA, 0, 255, 200, UpdateAllColors},
      {37, "characterColorA", &l.characterA, 0, 255, 200, nullptr},
      {45, "leaves Size+", &l.weatherSize, 0, 2, 200, nullptr},
      {49, "particlesColorB", &l.particlesB, 0, 255, 200, nullptr},
      {51, "RESET COLORS!!!", &resetColor, 0, 100, 200, ResetAllColors},
      {53, "Don't Update when change sprite", &noUpdateRect, 0, 1, 200, nullptr},
  });
  // Rows write straight into the level header.
  Tap(18, 100);
  EXPECT_EQ(l.startX, 5500);
}

TEST_F(EditorPanels, TabletRowsAreSmaller) {
  g_ipad = true;
  InitKillObject();
  EXPECT_EQ(valueEditorSizeX, 140);
  EXPECT_EQ(valueEditorSizeY, 17);
  EXPECT_EQ(ValueList.w, 185);
  EXPECT_EQ(Row(0).w, 140);
  EXPECT_EQ(Row(0).h, 17);
}

TEST_F(EditorPanels, EditPanelBindsThePickedObject) {
  Put(1, 1);
  Put(5, 1);
  GameRects[5].uid = 77;
  currentGUIDBinding = 12;
  lastSelectedObjectID = 5;
  ButtonBringValueEditor();
  EXPECT_EQ(updatingRectID, 5);
  EXPECT_STREQ(ValueList.title, "Edit Gamerect 5");
  EXPECT_EQ(ActiveRows(), 60);
  EXPECT_FALSE(Row(35).active);
  gameRect& o = GameRects[5];
  ExpectRows({
      {0, "No Collision", &o.noCollision, 0, 2, 200, nullptr},
      {2, "Rotated", &o.rotated, 0, 2, 200, UpdateCurRect},
      {6, "SpriteID 0", &o.type, 0, 100, 200, UpdateCurRect},
      {13, "SpriteID 700", &o.type, 700, 800, 200, UpdateCurRect},
      {15, "ColorRGB R", &o.color[1], 0, 255, 200, nullptr},
      {18, "ColorRGB A", &o.color[0], 0, 255, 200, nullptr},
      {20, "CustomSize", &o.customSize, 1, 5, 200, nullptr},
      {32, "GET UID", &o.uid, 77, 77, 200, GetUID},
      {33, "Bind XY To UID", &o.bindUID, 12, 13, 200, nullptr},
      {34, "Reset XY UID Binding", &o.bindUID, 0, 0, 200, nullptr},
      {36, "Also Move player", &o.alsoMovePlayer, 0, 1, 200, nullptr},
      {41, "Circling Rad", &o.move.circlingRadius, 1, 350, 200, nullptr},
      {47, "MoveX Speed", &o.move.moveXSpeed, 0, 300, 200, nullptr},
      {54, "MoveY Orientation", &o.move.moveYOrientation, -2, 2, 200, nullptr},
      {60, "MoveY Speed Fast", &o.move.moveYSpeed, 300, 600, 200, nullptr},
  });
  // A tap on "GET UID" changes nothing; a drag copies the UID, which the next panel offers.
  Tap(32, 100);
  EXPECT_EQ(currentGUIDBinding, 12);
  EXPECT_EQ(o.uid, 77);
  Drag(32, 100, 120);
  EXPECT_EQ(currentGUIDBinding, 77);
  lastSelectedObjectID = 1;
  ButtonBringValueEditor();
  EXPECT_STREQ(ValueList.title, "Edit Gamerect 1");
  EXPECT_FLOAT_EQ(Row(33).minValue, 77);
  Drag(33, 199, 400);
  EXPECT_EQ(GameRects[1].bindUID, 78);
}

// Nothing is picked outside the table: the panel is not built over a slot that does not exist.
TEST_F(EditorPanels, EditPanelNeedsASlotOfTheTable) {
  InitKillObject();
  for (int id : {-1, (int)GAME_RECTS}) {
    lastSelectedObjectID = id;
    updatingRectID = 3;
    ButtonBringValueEditor();
    EXPECT_STREQ(ValueList.title, "KILL OBJECT");
    EXPECT_EQ(updatingRectID, 3);
  }
  updatingRectID = -1;
  UpdateCurRect();
  GetUID();
  EXPECT_EQ(currentGUIDBinding, 0);
}

// A new type re-creates the object with that type's defaults but keeps tint, rotation, flips and
// layer.
TEST_F(EditorPanels, SpriteChangeKeepsTintRotationFlipsAndLayer) {
  Put(4, 1);
  gameRect& o = GameRects[4];
  o.color[0] = 200, o.color[1] = 10, o.color[2] = 20, o.color[3] = 30;
  o.rotated = 1, o.flipX = 1, o.flipY = 1, o.layer = 7;
  o.custom1 = 42;
  o.move.moveXTime = 3;
  o.x = 5200.7f;
  int oldUid = o.uid;
  lastSelectedObjectID = 4;
  ButtonBringValueEditor();
  Drag(6, 44, 44); // "SpriteID 0" at 22 of 0-100
  ASSERT_EQ(o.type, 22);

  gameRect fresh;
  fresh.Init(4, 5200, 5100, 22, true);
  EXPECT_EQ(o.color[0], 200);
  EXPECT_EQ(o.color[1], 10);
  EXPECT_EQ(o.color[2], 20);
  EXPECT_EQ(o.color[3], 30);
  EXPECT_EQ(o.rotated, 1);
  EXPECT_EQ(o.flipX, 1);
  EXPECT_EQ(o.flipY, 1);
  EXPECT_EQ(o.layer, 7);
  EXPECT_FLOAT_EQ(o.custom1, fresh.custom1) << "the new type's defaults";
  EXPECT_FLOAT_EQ(o.move.moveXTime, 0);
  EXPECT_FLOAT_EQ(o.width, fresh.width);
  EXPECT_FLOAT_EQ(o.x, 5200);
  EXPECT_GT(o.uid, oldUid) << "the next UID";
  EXPECT_TRUE(o.active);
  // The box is the rotated one.
  EXPECT_FLOAT_EQ(o.box.GetWidth(), fresh.height);
  EXPECT_FLOAT_EQ(o.box.GetHeight(), fresh.width);

  // "Don't Update when change sprite" leaves the object as it is but for the type.
  noUpdateRect = 1;
  o.custom1 = 42;
  Drag(7, 20, 20); // "SpriteID 100" at 110
  EXPECT_EQ(o.type, 110);
  EXPECT_FLOAT_EQ(o.custom1, 42);
}

TEST_F(EditorPanels, KillAndUndoKillByTypeRange) {
  Put(3, 10);
  Put(5, 20);
  Put(7, 15, false); // deleted before the kill
  Put(9, 12);
  Put(12, 30);
  Put(14, 9);
  InitKillObject();
  EXPECT_STREQ(ValueList.title, "KILL OBJECT");
  EXPECT_FALSE(Row(2).active);
  Drag(0, 20, 20); // "From Sprite" 0-1000 over 200 pixels: 100
  EXPECT_EQ(killObjectFrom, 100);
  killObjectFrom = 10;
  killObjectTo = 20;
  InitKillObject();
  EXPECT_FLOAT_EQ(Row(3).minValue, 10);
  EXPECT_FLOAT_EQ(Row(4).minValue, 20);
  Tap(3, 100);
  EXPECT_TRUE(GameRects[3].active) << "a tap does not act";
  Drag(3, 100, 120);
  for (int slot : {3, 5, 9})
    EXPECT_FALSE(GameRects[slot].active) << slot;
  EXPECT_TRUE(GameRects[12].active);
  EXPECT_TRUE(GameRects[14].active);
  EXPECT_EQ(maxKilled, 9);
  Drag(4, 100, 120);
  for (int slot : {3, 5, 7, 9})
    EXPECT_TRUE(GameRects[slot].active) << slot << ": every slot up to the highest killed one";
  // A kill that finds nothing keeps the old bound.
  killObjectFrom = killObjectTo = 500;
  KillObjects();
  EXPECT_EQ(maxKilled, 9);
}

TEST_F(EditorPanels, ColoursChangeByTypeAndResetOnlyAtTheRowsEnd) {
  Put(1, 5);
  Put(2, 6);
  Put(3, 9);
  globalColorChangeStartID = 5;
  globalColorChangeEndID = 6;
  globalColorChangeR = 10.9f, globalColorChangeG = 20, globalColorChangeB = 30, globalColorChangeA = 40;
  UpdateAllColors();
  for (int slot : {1, 2}) {
    EXPECT_EQ(GameRects[slot].color[0], 40);
    EXPECT_EQ(GameRects[slot].color[1], 10);
    EXPECT_EQ(GameRects[slot].color[2], 20);
    EXPECT_EQ(GameRects[slot].color[3], 30);
  }
  EXPECT_EQ(GameRects[3].color[1], 255);

  ValueEditorGameSetup();
  Drag(51, 150, 199); // 99
  EXPECT_EQ(resetColor, 99);
  EXPECT_EQ(GameRects[1].color[1], 10);
  Drag(51, 150, 260); // beyond the end: 100
  EXPECT_EQ(resetColor, 100);
  for (int slot : {1, 2, 3, 600})
    for (int c = 0; c < 4; c++)
      EXPECT_EQ(GameRects[slot].color[c], 255);
}

// One pass in slot order: each active object's UID moves up past the clashes it meets on its walk,
// so it can land on a UID of a slot walked earlier (the two 52s).
TEST_F(EditorPanels, UpdateUIDsOnePass) {
  for (int i = 0; i < GAME_RECTS; i++)
    GameRects[i].uid = 1000 + i;
  Put(1, 1);
  Put(2, 1);
  Put(3, 1);
  GameRects[1].uid = 50;
  GameRects[2].uid = 50;
  GameRects[3].uid = 51;
  GameRects[4].uid = 51; // inactive, still compared
  UpdateUIDS();
  EXPECT_EQ(GameRects[1].uid, 52);
  EXPECT_EQ(GameRects[2].uid, 50);
  EXPECT_EQ(GameRects[3].uid, 52);
  EXPECT_EQ(GameRects[4].uid, 51);
}

} // namespace
