// The game's screen, clock and selection globals, shared by every subsystem of the game.
#pragma once

#include "quellar_types.h"

// --- the logical screen, fixed by the gameplay window's first start ---
extern u8 gameInitialized;
extern int MAXX;
extern int MAXY;
// MAXX / 480 on wide screens, else 1.0.
extern float g_guiShiftX;
// At most one is set.
extern u8 g_ratio_is_more_1_5;
extern u8 g_ratio_is_1_5;
extern u8 g_ratio_is_less_1_5;
// 2.0 on screens wider than 512 device pixels.
extern float g_screenScale;
// The large-tablet layout; never set on these screens.
extern bool g_ipad;

// --- clocks ---
extern float g_timef;     // game clock: 0.016 s a frame
extern float g_realTimef; // real clock: 1/60 s a frame
extern float g_realdt;
extern int framesCount;
extern int g_fps;
extern int g_gameDebugSlowdown; // divisor of the game step
// The debug switch that silences every game sound (0 in normal play).
extern int g_disableAllSounds;

// --- what is being played ---
extern int g_levelSelected;
extern int g_characterID;
// 1 in a release build; 0 opens the developer features (levels from data/, the editor).
extern int g_finalRelease;
// The orientation setting the tilt steering follows (0: natural).
extern int g_displayOrientation;
