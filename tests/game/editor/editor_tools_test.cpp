// The editor's tools: level steps that save and load within 0..399, the look-up of a level (the
// editor's file, then the pack's, else the level kept with "no file"), backup and restore, saves
// that fail and keep the old file, duplication in each direction, the marked group's duplicate,
// copy and paste through the clipboard slot, and a full table.
#include <cstdio>

#include "editor_fixture.h"
#include "file_size_limit.h"
#include "object_list.h"

namespace {

using EditorTools = EditorTest;

std::string LevelFile(int n) { return "level" + std::to_string(n) + ".txt"; }

TEST_F(EditorTools, LevelStepsSaveTheLevelInMemoryAndLoadTheNext) {
  EnterOn({{5100, 5100}, {5300, 5100}});
  g_levelSelected = 3;
  ASSERT_FALSE(Saved(LevelFile(3)));
  TapButton("L+1");
  EXPECT_EQ(g_levelSelected, 4);
  EXPECT_TRUE(Saved(LevelFile(3))) << "the level left is saved";
  EXPECT_STREQ(editorLevelNote, "") << "the pack has a level 4";
  const int packObjects = ActiveObjects();
  EXPECT_GT(packObjects, 2);

  // Back to 3: the editor's own file, not the pack's level 3.
  TapButton("L-1");
  EXPECT_EQ(g_levelSelected, 3);
  EXPECT_EQ(ActiveObjects(), 2);
  EXPECT_TRUE(Saved(LevelFile(4)));
}

TEST_F(EditorTools, LevelStepsAreHeldWithinZeroTo399) {
  EnterOn({{5100, 5100}});
  struct Case {
    int from;
    const char* button;
    int to;
  } cases[] = {{0, "L-1", 0},     {3, "L-5", 0},     {20, "-40", 0},
               {398, "L+5", 399}, {380, "+40", 399}, {399, "L+1", 399}};
  for (const Case& c : cases) {
    g_levelSelected = c.from;
    TapButton(c.button);
    EXPECT_EQ(g_levelSelected, c.to) << c.button << " from " << c.from;
  }
  // "L-1" at level 0 saved level 0 and read it back.
  EXPECT_TRUE(Saved(LevelFile(0)));
}

TEST_F(EditorTools, ALevelWithNoFileAnywhereKeepsTheObjectsAndSaysSo) {
  EnterOn({{5100, 5100}, {5300, 5100}});
  EXPECT_STREQ(editorLevelNote, "no file") << "entered on a number without a file";
  g_levelSelected = kEmptyLevel - 1;
  TapButton("L-1");
  EXPECT_EQ(g_levelSelected, kEmptyLevel - 2);
  EXPECT_EQ(ActiveObjects(), 2);
  EXPECT_STREQ(editorLevelNote, "no file");
  // A level that loads clears the note.
  g_levelSelected = 6;
  TapButton("L-1");
  EXPECT_STREQ(editorLevelNote, "");
}

TEST_F(EditorTools, BackupAndRestoreUseTheLevelsOwnBackupFile) {
  EnterOn({{5100, 5100}, {5300, 5100}});
  TapButton("Extra");
  ASSERT_EQ(Buttons[44].active, 1);
  ASSERT_STREQ(Buttons[44].label, "Back\nup");
  TapButton("Back\nup");
  const std::string backup = "level" + std::to_string(kEmptyLevel) + "b.txt";
  EXPECT_TRUE(Saved(backup));
  EXPECT_FALSE(Saved(LevelFile(kEmptyLevel)));
  GameRects[1].x = 6000;
  GameRects[2].active = 0;
  TapButton("Restore");
  EXPECT_EQ(ActiveObjects(), 2);
  EXPECT_FLOAT_EQ(GameRects[1].x, 5100);
  // The second row goes again.
  TapButton("Extra");
  for (int slot = 40; slot < 48; ++slot)
    EXPECT_EQ(Buttons[slot].active, 0) << slot;
}

TEST_F(EditorTools, ASaveThatFailsKeepsTheOldFileAndTheEditorStaysOnItsLevel) {
  EnterOn({{5100, 5100}, {5300, 5100}});
  ASSERT_TRUE(EditorSaveLevel(false));
  const std::string path = SavePath(LevelFile(kEmptyLevel));
  const auto before = std::filesystem::file_size(path);
  Place(5500, 5100);
  {
    ScopedFileSizeLimit full(16);
    ASSERT_TRUE(full.ok());
    TapButton("L+1");
    EXPECT_EQ(g_levelSelected, kEmptyLevel) << "the edits are not left behind";
    EXPECT_STREQ(editorLevelNote, "not saved");
    Tap(MAXX - 10, 10);
    EXPECT_EQ(g_currentMode, 10) << "play would start from the old file";
  }
  EXPECT_EQ(std::filesystem::file_size(path), before) << "the old file is whole";
  ASSERT_EQ(EditorLoadLevel(false), 1);
  EXPECT_EQ(ActiveObjects(), 2);
  // No half-written file is left beside it.
  const std::string name = LevelFile(kEmptyLevel);
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(path).parent_path())) {
    const std::string f = entry.path().filename().string();
    if (f.rfind("level" + std::to_string(kEmptyLevel), 0) == 0) {
      EXPECT_EQ(f, name);
    }
  }
}

// The copy's offset and the view's shift for a source of initial size 100 x 40.
struct DupCase {
  const char* button;
  bool rotated, twoPoint;
  int dx, dy;
};

class EditorDuplicate : public EditorTest, public ::testing::WithParamInterface<DupCase> {};

TEST_P(EditorDuplicate, TheCopyStepsOneSizeAndTheViewFollows) {
  const DupCase& c = GetParam();
  EnterOn({{5100, 5100}});
  gameRect& s = GameRects[1];
  s.rotated = c.rotated;
  s.draw2Point = c.twoPoint;
  if (c.twoPoint) {
    s.x2 = 5400;
    s.y2 = 5300;
  }
  s.color[1] = 17;
  s.move.moveXTime = 3;
  s.custom3 = 9;
  s.UpdateCoordinates();
  draggingID = 1;
  const float shiftX = g_drawShiftX, shiftY = g_drawShiftY;
  const int uid = s.uid;
  TapButton(c.button);
  const int copy = lastSelectedObjectID;
  ASSERT_EQ(copy, 2);
  EXPECT_EQ(draggingID, copy);
  EXPECT_EQ(updatingRectID, copy);
  const gameRect& d = GameRects[copy];
  EXPECT_FLOAT_EQ(d.x, 5100 + c.dx);
  EXPECT_FLOAT_EQ(d.y, 5100 + c.dy);
  EXPECT_FLOAT_EQ(g_drawShiftX, shiftX - c.dx);
  EXPECT_FLOAT_EQ(g_drawShiftY, shiftY - c.dy);
  EXPECT_NE(d.uid, uid);
  EXPECT_FLOAT_EQ(d.custom3, 0) << "Custom 3 stays the type's";
  const bool clean = std::string(c.button) == "Dup\nclean";
  EXPECT_EQ(d.color[1], clean ? 255 : 17);
  EXPECT_FLOAT_EQ(d.move.moveXTime, clean ? 0 : 3);
  if (c.twoPoint) {
    EXPECT_FLOAT_EQ(d.x2, 5400);
    EXPECT_FLOAT_EQ(d.y2, 5300);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Directions, EditorDuplicate,
    ::testing::Values(DupCase{"Dup\nRight", false, false, 100, 0}, DupCase{"Dup\nRight", true, false, 40, 0},
                      DupCase{"Dup\nLeft", false, false, -100, 0}, DupCase{"Dup\nUp", false, false, 0, -40},
                      DupCase{"Dup\nDown", true, false, 0, 100}, DupCase{"Dup\nclean", false, false, 0, -40},
                      DupCase{"Dup\nRight", false, true, 0, 0}, DupCase{"Dup\nDown", false, true, 0, 0}));

TEST_F(EditorTools, AMarkedGroupIsCopiedInPlaceAndMovedOneGroupWidthRightInAnyDirection) {
  EnterOn({{5100, 5100}, {5300, 5200}, {5700, 5100}});
  multipleSelectionMode = 1;
  editorAlsoSelected[1] = editorAlsoSelected[2] = 1;
  // A deleted object's mark is dropped; it does not come back as a copy.
  editorAlsoSelected[3] = 1;
  GameRects[3].active = 0;
  TapButton("Dup\nLeft");
  EXPECT_EQ(ActiveObjects(), 4);
  // The group spans 5100 to 5400.
  EXPECT_FLOAT_EQ(GameRects[1].x, 5400);
  EXPECT_FLOAT_EQ(GameRects[2].x, 5600);
  EXPECT_FLOAT_EQ(GameRects[4].x, 5100) << "the copies hold the old places";
  EXPECT_FLOAT_EQ(GameRects[5].x, 5300);
  EXPECT_FLOAT_EQ(GameRects[5].y, 5200);
  EXPECT_EQ(editorAlsoSelected[1], 1);
  EXPECT_EQ(editorAlsoSelected[2], 1);
  EXPECT_EQ(editorAlsoSelected[3], 0);
  EXPECT_EQ(editorAlsoSelected[4], 0);
  EXPECT_EQ(GameRects[3].active, 0);
}

TEST_F(EditorTools, AGroupWiderThan2000IsNotCopiedAndLosesItsMarks) {
  struct Case {
    int secondX;
    int copies;
  } cases[] = {{6900, 2}, {6901, 0}}; // right edges 7000 and 7001 from 5000
  for (const Case& c : cases) {
    EnterOn({{5000, 5100}, {c.secondX, 5100}});
    editorAlsoSelected[1] = editorAlsoSelected[2] = 1;
    MassDuplicate();
    EXPECT_EQ(ActiveObjects(), 2 + c.copies) << c.secondX;
    EXPECT_EQ(editorAlsoSelected[1], c.copies ? 1 : 0) << c.secondX;
    EXPECT_EQ(editorAlsoSelected[2], c.copies ? 1 : 0) << c.secondX;
    EXPECT_FLOAT_EQ(GameRects[1].x, c.copies ? 7000 : 5000) << c.secondX;
  }
}

TEST_F(EditorTools, CopyAndPasteCarryTheParametersThroughTheClipboardSlot) {
  EnterOn({{5100, 5100}, {5300, 5100}});
  GameRects[1].color[2] = 40;
  GameRects[1].layer = 3;
  GameRects[1].move.circlingSpeed = 12;
  draggingID = 1;
  ValueList.visible = 1;
  TapButton("Extra");
  TapButton("Copy");
  EXPECT_EQ(GameRects[CLIPBOARD_SLOT].active, 0) << "the clipboard stays inactive";
  EXPECT_EQ(GameRects[CLIPBOARD_SLOT].color[2], 40);
  EXPECT_EQ(updatingRectID, CLIPBOARD_SLOT) << "the open panel shows the clipboard";
  EXPECT_TRUE(ValueList.visible);

  draggingID = 2;
  const int type = GameRects[2].type;
  TapButton("Paste");
  const gameRect& t = GameRects[2];
  EXPECT_EQ(t.color[2], 40);
  EXPECT_EQ(t.layer, 3);
  EXPECT_FLOAT_EQ(t.move.circlingSpeed, 12);
  EXPECT_FLOAT_EQ(t.x, 5300) << "type and place stay";
  EXPECT_EQ(t.type, type);
  EXPECT_EQ(t.active, 1);
  EXPECT_EQ(ActiveObjects(), 2);
}

TEST_F(EditorTools, AFullTableDuplicatesOntoTheClipboardSlot) {
  EnterOn({{5100, 5100}});
  while (rectID < GAME_RECTS)
    Place(5100, 5400);
  GameRects[1].color[3] = 66;
  draggingID = 1;
  TapButton("Dup\nRight");
  EXPECT_EQ(lastSelectedObjectID, CLIPBOARD_SLOT);
  EXPECT_EQ(GameRects[CLIPBOARD_SLOT].active, 1);
  EXPECT_EQ(GameRects[CLIPBOARD_SLOT].color[3], 66) << "the copy's parameters went into the last slot";
  EXPECT_EQ(ActiveObjects(), GAME_RECTS - 1);
}

TEST_F(EditorTools, ZoomAxisLocksAndAdd) {
  EnterOn({{5100, 5100}});
  TapButton("Zin");
  EXPECT_FLOAT_EQ(editorZoom, 1.1f);
  TapButton("Zout");
  EXPECT_FLOAT_EQ(editorZoom, 1.1f * 0.9f);
  TapButton("Znorm");
  EXPECT_FLOAT_EQ(editorZoom, 1.0f);

  // "lockX" keeps x: a drag moves only y.
  TapButton("Extra");
  TapButton("lockX");
  EXPECT_EQ(lockAxisY, 1);
  SelectionReset();
  Pick(SX(GameRects[1].centerX), SY(GameRects[1].centerY));
  Drag(SX(GameRects[1].centerX), SY(GameRects[1].centerY), 30, 20);
  EXPECT_FLOAT_EQ(GameRects[1].x, 5100);
  EXPECT_FLOAT_EQ(GameRects[1].y, 5120);

  TapButton("Add");
  EXPECT_EQ(ActiveObjects(), 2);
  EXPECT_FLOAT_EQ(GameRects[2].x, 5000);
  EXPECT_FLOAT_EQ(GameRects[2].y, 5090);
  EXPECT_EQ(GameRects[2].type, 1);
  EXPECT_EQ(GameRects[2].frozen, 1);
}

} // namespace
