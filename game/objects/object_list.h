// The object table as a whole in a level: starting it, drawing it in slot order, the touch
// controls that steer the hero, and the level start.
#pragma once

// Set by a finished level: the next start may change the gameplay music.
extern bool canSwitchSoundTrack;
// The slot the editor's object panel edits, and the slot its binding tool links to it.
extern int updatingRectID;
extern int currentGUIDBinding;

// Camera far off (the first frames ease it in), every slot free, then the level start.
void InitRects();
// Every active slot in slot order (the in-level frame draws through the depth-sorted list).
void DrawAllRects();
// Touches in screen pixels. StylusDown answers 1 when the special button took the touch.
int GameRectStylusDown(int x, int y);
void GameRectStylusMove(int x, int y);
void GameRectStylusUp(int x, int y);
