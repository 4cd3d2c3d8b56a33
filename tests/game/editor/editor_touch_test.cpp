// The editor's touches: picking and dragging with the snap on release, the delete corner (also for
// a multi-selection), the double tap, the palette's pages, moves below one unit, the erase sweep,
// the grid buttons, and the exit corner that saves and starts play with its buttons.
#include <cmath>

#include "editor_fixture.h"
#include "level_data.h"
#include "level_file.h"
#include "pause_panel.h"

namespace {

using EditorTouch = EditorTest;

TEST_F(EditorTouch, APickIsConfirmedByTheReleaseAndThenDraggedAndSnapped) {
  EnterOn({{5100, 5100}, {5300, 5100}});
  gridSize = 10;
  const gameRect& o = GameRects[2];
  Pick(SX(o.centerX), SY(o.centerY));
  EXPECT_EQ(lastSelectedObjectID, 2);
  EXPECT_EQ(draggingID, 2);
  EXPECT_EQ(editorSelectionMade, 1);
  EXPECT_FLOAT_EQ(o.x, 5300) << "picking does not move";

  Drag(SX(o.centerX), SY(o.centerY), 27, -13);
  EXPECT_FLOAT_EQ(o.x, 5330) << "5327 snaps to the grid of 10";
  EXPECT_FLOAT_EQ(o.y, 5090) << "5087 snaps up";
  EXPECT_FLOAT_EQ(GameRects[1].x, 5100) << "the other object stays";
  EXPECT_FLOAT_EQ(o.centerX, 5380) << "the box follows";
}

TEST_F(EditorTouch, TheSnapRoundsHalvesUp) {
  struct Case {
    float v;
    int grid;
    float snapped;
  } cases[] = {{14.9f, 10, 10},    {15, 10, 20},      {5001, 2, 5002},
               {5000.4f, 2, 5000}, {5049, 100, 5000}, {5050, 100, 5100}};
  for (const Case& c : cases)
    EXPECT_FLOAT_EQ(SnapToGrid(c.v, c.grid), c.snapped) << c.v << " on " << c.grid;
}

TEST_F(EditorTouch, AReleaseInTheTopLeftCornerDeletesTheDraggedObjectAndTheSaveLeavesItOut) {
  EnterOn({{5100, 5100}, {5300, 5100}});
  Pick(SX(GameRects[1].centerX), SY(GameRects[1].centerY));
  ASSERT_EQ(draggingID, 1);
  Drag(SX(GameRects[1].centerX), SY(GameRects[1].centerY), 20 - SX(GameRects[1].centerX),
       20 - SY(GameRects[1].centerY));
  EXPECT_EQ(GameRects[1].active, 0);
  EXPECT_EQ(editorSelectionMade, 0) << "no selection is left";
  EXPECT_EQ(GameRects[2].active, 1);

  ASSERT_TRUE(EditorSaveLevel(false));
  GameRects[1].active = 1; // what the file holds decides
  ASSERT_EQ(EditorLoadLevel(false), 1);
  EXPECT_EQ(ActiveObjects(), 1);
}

TEST_F(EditorTouch, TheDeleteCornerDeletesEveryMarkedObjectOfAMultiSelection) {
  EnterOn({{5100, 5100}, {5300, 5100}, {5300, 5250}});
  multipleSelectionMode = 1;
  // A sweep with no selection marks every object it passes.
  Down(SX(GameRects[1].centerX), SY(GameRects[1].centerY));
  Move(SX(GameRects[1].centerX) + 1, SY(GameRects[1].centerY));
  Move(SX(GameRects[2].centerX), SY(GameRects[2].centerY));
  Up(SX(GameRects[2].centerX), SY(GameRects[2].centerY));
  Cycles(15);
  EXPECT_EQ(editorAlsoSelected[1], 1);
  EXPECT_EQ(editorAlsoSelected[2], 1);
  EXPECT_EQ(editorAlsoSelected[3], 0);
  ASSERT_EQ(editorSelectionMade, 1);

  // Both move together, then both go in the corner.
  Drag(SX(GameRects[2].centerX), SY(GameRects[2].centerY), 10, 0);
  EXPECT_FLOAT_EQ(GameRects[1].x, 5110);
  EXPECT_FLOAT_EQ(GameRects[2].x, 5310);
  Drag(200, 200, 10 - 200, 10 - 200);
  EXPECT_EQ(GameRects[1].active, 0);
  EXPECT_EQ(GameRects[2].active, 0);
  EXPECT_EQ(GameRects[3].active, 1);
}

TEST_F(EditorTouch, ADoubleTapResetsTheSelectionAndTheScreenMove) {
  EnterOn({{5100, 5100}});
  Pick(SX(GameRects[1].centerX), SY(GameRects[1].centerY));
  screenMove = 1;
  editorAlsoSelected[1] = 1;
  // Two touch-downs 0.16 s apart are no double tap.
  Tap(300, 150);
  Down(300, 150);
  Up(300, 150);
  EXPECT_EQ(editorSelectionMade, 1);
  EXPECT_EQ(screenMove, 1);
  // Two within one frame are.
  Down(300, 150);
  EXPECT_EQ(screenMove, 0);
  EXPECT_EQ(editorAlsoSelected[1], 0);
  Up(300, 150);
}

TEST_F(EditorTouch, ThePaletteTakesEveryTouchAndClosesOnItsThirdPage) {
  EnterOn({{5100, 5100}});
  TapButton("object\nref.");
  ASSERT_EQ(drawObjectReferences, 1);
  Cycles(3);
  refsizeX = 20;
  const int level = g_levelSelected;
  // A touch on "L+1" only turns the page.
  const button& next = Buttons[2];
  ASSERT_STREQ(next.label, "L+1");
  int pages[] = {1, 2};
  for (int page : pages) {
    Down((int)next.rect.left + 2, (int)next.rect.top + 2);
    EXPECT_EQ(drawObjectRefID, page);
    EXPECT_EQ(refsizeX, 50) << "each tap resets the cells";
    EXPECT_EQ(drawObjectReferences, 1);
    Up((int)next.rect.left + 2, (int)next.rect.top + 2);
    Cycles(15);
    refsizeX = 20;
  }
  Tap((int)next.rect.left + 2, (int)next.rect.top + 2);
  EXPECT_EQ(drawObjectReferences, 0);
  EXPECT_EQ(drawObjectRefID, 0);
  EXPECT_EQ(g_levelSelected, level);
  EXPECT_FALSE(Saved("level" + std::to_string(level) + ".txt"));
}

TEST_F(EditorTouch, MovesBelowOneUnitAddUp) {
  EnterOn({{5100, 5100}});
  Pick(SX(GameRects[1].centerX), SY(GameRects[1].centerY));
  editorZoom = 4; // one unit is four pixels
  int x = 200, y = 200;
  Down(x, y);
  for (int i = 1; i <= 3; ++i) {
    Move(x + i, y);
    EXPECT_FLOAT_EQ(GameRects[1].x, 5100) << i << " pixels";
  }
  Move(x + 4, y);
  EXPECT_FLOAT_EQ(GameRects[1].x, 5101);
  Move(x + 6, y);
  EXPECT_FLOAT_EQ(GameRects[1].x, 5101) << "the move before set the last point";
  Up(x + 6, y);
}

TEST_F(EditorTouch, ATwoPointObjectMovesTheEndTheTouchCountPicks) {
  EnterOn({{5100, 5100}});
  gameRect& o = GameRects[1];
  o.draw2Point = 1;
  o.x2 = 5300;
  o.y2 = 5200;
  o.UpdateCoordinates();
  Pick(SX(o.centerX), SY(o.centerY));
  ASSERT_EQ(editorSelectionMade, 1);
  // The touch-downs so far: one. The next is the second, an even count: the first point moves.
  Drag(300, 250, 10, 6);
  EXPECT_FLOAT_EQ(o.x, 5110);
  EXPECT_FLOAT_EQ(o.y, 5106);
  EXPECT_FLOAT_EQ(o.x2, 5300);
  // The third moves the second point.
  Drag(300, 250, -20, 4);
  EXPECT_FLOAT_EQ(o.x2, 5280);
  EXPECT_FLOAT_EQ(o.y2, 5204);
  EXPECT_FLOAT_EQ(o.x, 5110);
  EXPECT_FLOAT_EQ(o.centerX, 5195) << "the box spans both points";
}

TEST_F(EditorTouch, MovePansTheViewUntilSelIsTapped) {
  EnterOn({{5100, 5100}});
  TapButton("Move");
  ASSERT_EQ(screenMove, 1);
  const float shiftX = g_drawShiftX, shiftY = g_drawShiftY;
  Drag(300, 200, -30, 12);
  EXPECT_FLOAT_EQ(g_drawShiftX, shiftX - 30);
  EXPECT_FLOAT_EQ(g_drawShiftY, shiftY + 12);
  EXPECT_FLOAT_EQ(GameRects[1].x, 5100) << "no object moves";
  TapButton("Sel");
  EXPECT_EQ(screenMove, 0);
  EXPECT_EQ(editorSelectionMade, 0);
}

TEST_F(EditorTouch, InSelectionModeOneTheReleaseAfterADragDropsTheSelection) {
  EnterOn({{5100, 5100}, {5300, 5100}});
  editorSelectionMode = 1;
  Pick(SX(GameRects[1].centerX), SY(GameRects[1].centerY));
  ASSERT_EQ(editorSelectionMade, 1);
  Drag(200, 200, 20, 0);
  EXPECT_FLOAT_EQ(GameRects[1].x, 5120);
  EXPECT_EQ(editorSelectionMade, 0);
  // So the next touch picks again.
  Pick(SX(GameRects[2].centerX), SY(GameRects[2].centerY));
  EXPECT_EQ(draggingID, 2);
}

TEST_F(EditorTouch, TheEraseModeDeletesWhatTheFingerSweepsOver) {
  EnterOn({{5100, 5100}, {5250, 5100}, {5250, 5250}});
  levelEditorEraseMode = 100;
  Down(SX(GameRects[1].centerX), SY(GameRects[1].centerY));
  Move(SX(GameRects[1].centerX) + 1, SY(GameRects[1].centerY));
  Move(SX(GameRects[2].centerX), SY(GameRects[2].centerY));
  // 25 pixels from the third centre: 625 is within the distance test of 900.
  Move(SX(GameRects[3].centerX) + 25, SY(GameRects[3].centerY) - 40);
  EXPECT_EQ(GameRects[1].active, 0);
  EXPECT_EQ(GameRects[2].active, 0);
  EXPECT_EQ(GameRects[3].active, 1) << "40 pixels off is too far";
  Move(SX(GameRects[3].centerX) + 25, SY(GameRects[3].centerY));
  EXPECT_EQ(GameRects[3].active, 0);
  Up(0, 300);
}

TEST_F(EditorTouch, TheGridButtonsStepByTenDownToTwo) {
  EnterOn({});
  ASSERT_EQ(gridSize, 2);
  TapButton("grid+");
  EXPECT_EQ(gridSize, 10);
  TapButton("grid+");
  EXPECT_EQ(gridSize, 20);
  TapButton("grid-");
  TapButton("grid-");
  EXPECT_EQ(gridSize, 2);
  gridSize = 5;
  TapButton("grid+");
  EXPECT_EQ(gridSize, 10);
}

TEST_F(EditorTouch, TheExitCornerSavesTheLevelAndStartsPlayAtOnceWhichIgnoresTheRestOfTheTouch) {
  EnterOn({{5100, 5100}, {5300, 5100}});
  Pick(SX(GameRects[2].centerX), SY(GameRects[2].centerY));
  Drag(SX(GameRects[2].centerX), SY(GameRects[2].centerY), 40, 20);
  ASSERT_FLOAT_EQ(GameRects[2].x, 5340);
  ASSERT_EQ(editorSelectionMade, 1) << "the next touch's moves would drag the pick";
  const std::string file = "level" + std::to_string(kEmptyLevel) + ".txt";
  ASSERT_FALSE(Saved(file));
  // The second touch of a double tap in the corner still leaves.
  Down(300, 200);
  Up(300, 200);
  Down(MAXX - 10, 10);
  ASSERT_EQ(g_currentMode, 9) << "left at the touch-down";
  EXPECT_TRUE(Saved(file));
  int buttons = 0;
  for (const button& b : Buttons)
    buttons += b.active ? 1 : 0;
  EXPECT_GT(buttons, 0) << "play's own buttons survive the switch";
  // Play loaded the saved level: the dragged object is at its new place.
  auto placeOfTheDragged = [] {
    for (int i = 1; i < GAME_RECTS; ++i)
      if (GameRects[i].active && GameRects[i].y == 5120) return GameRects[i].x;
    return 0.0f;
  };
  EXPECT_FLOAT_EQ(placeOfTheDragged(), 5340);
  // The finger slides out of the corner and is lifted over play's pause button: play ignores both.
  Move(MAXX - 68, 60);
  Up(MAXX - 20, 20);
  EXPECT_FALSE(g_paused);
  Cycles(5);
  EXPECT_EQ(g_currentMode, 9);
  EXPECT_FLOAT_EQ(placeOfTheDragged(), 5340);
  ASSERT_EQ(EditorLoadLevel(false), 1);
  EXPECT_FLOAT_EQ(placeOfTheDragged(), 5340) << "the saved level holds the object where it was";
  // Play's next touch is its own again: in the corner it opens the editor.
  Down(MAXX - 20, 20);
  EXPECT_EQ(g_currentMode, 10);
  Up(MAXX - 20, 20);
}

} // namespace
