// The in-level view: the camera shift, the zoom of this frame and the in-level frame counter.
#pragma once

#include "quellar_types.h"

// Screen x = world x + g_drawShiftX (before the zoom); likewise y.
extern float g_drawShiftX;
extern float g_drawShiftY;
extern float g_gameScreenScale;
// The camera shift of level coordinates.
extern float g_shiftX;
extern float g_shiftY;
extern s32 g_frame;
