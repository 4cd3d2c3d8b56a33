// The level editor (mode 10), a developer tool reached only while g_finalRelease is 0: it shows the
// current level's objects, picks, drags, snaps and deletes them, and saves the level when it
// leaves into play.
#pragma once

#include "game_modes.h"
#include "game_rect.h"
#include "quellar_types.h"

class level_editor : public gamemode {
public:
  void InitMode() override;
  void Draw(float dt) override;
  void StylusDown(myPoint* points, int count) override;
  void StylusUp(myPoint* points, int count) override;
  void StylusMove(myPoint* points, int count) override;

  float sinceTouchDown = 0; // seconds, for the double tap
  int lastTouchX = 0;       // the last touch point a move acted on
  int lastTouchY = 0;

private:
  // Saves the level and starts play of it.
  void LeaveForPlay();
};

// The editor's state is global: its buttons and the value panels' rows bind to it.
extern float editorZoom;                   // divisor of touch positions and drag steps
extern int gridSize;                       // snap step in world units
extern int draggingID;                     // slot being picked or dragged
extern int draggingType;                   // 0 drag objects, 2 pan the view
extern int lastSelectedObjectID;           // last picked slot (selection marks, edit panel)
extern int lastSelectedObjectType;         // 0: a level object
extern u8 editorSelectionMade;             // a pick was confirmed by a release; touches now drag
extern int editorSelectionMode;            // 1: a release after a drag drops the selection
extern u8 screenMove;                      // drags pan the view
extern u8 stylusDown;                      // a finger is down in the editor
extern int edTapCount;                     // touch-downs; the parity picks the end of a two-point object
extern u8 multipleSelectionMode;           // drags move every marked object
extern int editorAlsoSelected[GAME_RECTS]; // multi-selection mark per slot
extern u8 lockAxisX;                       // drags keep no vertical component
extern u8 lockAxisY;                       // drags keep no horizontal component
extern int levelEditorEraseMode;           // 100: picking deletes
extern int drawObjectCenters;              // nonzero: centre crosses
extern u8 drawObjectReferences;            // the sprite-type palette covers the screen
extern int drawObjectRefID;                // palette page 0-2
extern int refsizeX, refsizeY;             // palette cell size

// The shared scratch text (panel titles, labels).
extern char TXT[200];

// What the status line shows under the level's name: empty, or why the level in memory is not the
// file's ("no file", "not saved").
extern const char* editorLevelNote;

// Level numbers the editor steps through.
enum { EDITOR_LEVEL_MIN = 0, EDITOR_LEVEL_MAX = 399 };

// Loads "level%i.txt" (or the backup "level%ib.txt") of g_levelSelected: the file the editor saved
// first, then the pack's level of that number; when neither opens the objects stay as they are and
// the status line says "no file". 1 when a level was loaded.
int EditorLoadLevel(bool backup);
// Saves the objects and the header as that file; false (and "not saved" on the status line) when
// the write failed and the old file was kept.
bool EditorSaveLevel(bool backup);

// Clears screenMove, editorSelectionMade and every multi-selection mark.
void SelectionReset();
void ResetAllMultiSelections();
// The snap of one coordinate to the grid: to the nearest multiple, halves up.
float SnapToGrid(float v, int grid);
