// Stand-ins for the game's subsystems that do not exist yet: the front end's flags, empty game
// modes and the hero and mission fields the shell touches. Each
// subsystem replaces its own section. The functions are weak, so a subsystem's (or a test's) own
// definition takes their place.
#include "game_services.h"

#include "buttons.h"
#include "display.h"
#include "game_globals.h"
#include "object_list.h"
#include "surface.h"

#define STUB __attribute__((weak))

// --- front end ---
u8 g_bExitDlgOn = 0;

// --- level objects ---
int updatingRectID = 0;
int currentGUIDBinding = 0;

// --- in-level play ---
bool g_ipad = false;
float g_shiftX = 0;
float g_shiftY = 0;
int currentRecording = 0;
