// The level editor mode: its global state.
#include "level_editor.h"

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
