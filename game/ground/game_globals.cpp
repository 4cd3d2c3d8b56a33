// The game's screen, clock and selection globals with their start values.
#include "game_globals.h"

#include "level_header.h"

u8 gameInitialized = 0;
int MAXX = 480;
int MAXY = 320;
float g_guiShiftX = 1.0f;
u8 g_ratio_is_more_1_5 = 0;
u8 g_ratio_is_1_5 = 0;
u8 g_ratio_is_less_1_5 = 0;
float g_screenScale = 1.0f;
bool g_ipad = false;

float g_timef = 0;
float g_realTimef = 0;
float g_realdt = 0;
int framesCount = 0;
int g_fps = 0;
int g_gameDebugSlowdown = 1;
int g_disableAllSounds = 0;

int g_levelSelected = 0;
int g_characterID = 0;
levelHeader g_levelCur;
int g_finalRelease = 1;
int g_displayOrientation = 0;
