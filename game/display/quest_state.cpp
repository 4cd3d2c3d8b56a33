// The in-level view's globals.
#include "quest_state.h"

float g_drawShiftX = 0;
float g_drawShiftY = 0;
float g_gameScreenScale = 1.0f;
float g_shiftX = 0;
float g_shiftY = 0;
s32 g_frame = 0;
