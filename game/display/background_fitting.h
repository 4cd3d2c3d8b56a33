// Fitting the game to its screen: a 960 x 640 background drawn to fill screens of other shapes,
// still or scrolling.
#pragma once

#include "quellar_types.h"

class Surface;

// Set on the tall phone screens; draws the side copies of a background.
extern u8 g_iphone5;
// Centred on the screen centre shifted by (dx, dy). The flags do nothing.
void SmartDrawBackgroundIphone5(int dx, int dy, Surface* s, bool, bool);
// Scrolling: dx wraps around the image's width; sides forces the side copies. Nothing is drawn for
// a missing picture or one without width.
void SmartDrawBackgroundIphone5_F(float dx, float dy, Surface* s, bool, bool sides);
