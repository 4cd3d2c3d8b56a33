// The level editor (mode 10), a developer tool reached only while g_finalRelease is 0: it shows the
// current level's objects, picks, drags, snaps and deletes them, and saves the level when it
// leaves into play.
#pragma once

#include "game_modes.h"
#include "game_rect.h"
#include "quellar_types.h"

class level_editor : public gamemode {};

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
