// Fitting the game to its screen and naming its levels: a 960 x 640 background drawn to fill
// screens of other shapes (still or scrolling), the short label of the selected level, and the
// developer's level-statistics logs.
#pragma once

#include <cstddef>

#include "quellar_types.h"

class Surface;

// Set on the tall phone screens; draws the side copies of a background.
extern u8 g_iphone5;
// Per world, the offset of the last level of each set from its first.
extern int g_levelAmounts[20];
// The developer log's file name and text buffer.
extern char g_ftpFilename[200];
extern char TXT2[200];

// Centred on the screen centre shifted by (dx, dy). The flags do nothing.
void SmartDrawBackgroundIphone5(int dx, int dy, Surface* s, bool, bool);
// Scrolling: dx wraps around the image's width; sides forces the side copies. Nothing is drawn for
// a missing picture or one without width.
void SmartDrawBackgroundIphone5_F(float dx, float dy, Surface* s, bool, bool sides);
// The label of g_levelSelected ("2-5", "H1-3", "T-4", "B2-7"), cut to the buffer.
void CalculateWorldID(char* out, size_t outSize);
// The set whose boxes on level selection hold the level, as 2 x world + set (the index into
// g_levelStartingIndexes; the first such set); -1 for a level of no set.
int LevelSetOf(int level);
void Debug_FileLog();
void Debug_CreateCustomLog();
