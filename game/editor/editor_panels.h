// The level editor's value panels built in ValueList: the level settings, the parameters of one
// object and deletion by type, with the row callbacks that act on the level.
#pragma once

// Row size of every panel (140 x 17 on a tablet).
extern int valueEditorSizeX;
extern int valueEditorSizeY;

// "Setup Level params": debug switches, the level header and editor settings.
void ValueEditorGameSetup();
// "Edit Gamerect %i" for lastSelectedObjectID, which becomes updatingRectID.
void ButtonBringValueEditor();
// "KILL OBJECT": deletion of every object of a type range, and its undo.
void InitKillObject();

// Row callbacks.
// The object's type or rotation changed: re-create it with the type's defaults, keeping its tint,
// rotation, flips and layer (nothing while noUpdateRect is set).
void UpdateCurRect();
void UpdateAllColors();
// Acts only when resetColor is 100, the row's right end.
void ResetAllColors();
void UpdateUIDS();
void GetUID();
void KillObjects();
void UnKillObjects();
void UpdateKillParams();

// Bound by the panels' rows.
extern int noUpdateRect;
extern int resetColor;
extern float globalColorChangeR, globalColorChangeG, globalColorChangeB, globalColorChangeA;
extern int globalColorChangeStartID, globalColorChangeEndID;
extern int killObjectFrom, killObjectTo;
// Highest slot the last kill deleted; the undo restores up to it.
extern int maxKilled;
// Target of the action rows, whose callbacks do the work.
extern int dummy;
// Debug switches only the setup panel reaches.
extern int g_dynamicScreenScale;
extern int g_moreEffectsOnIpad;
extern float g_tempVariable;
