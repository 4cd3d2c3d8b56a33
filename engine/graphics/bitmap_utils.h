// Bitmap helpers that follow the game orientation: copies, creation, half-turn flips and sprite
// sheets cut into frames.
#pragma once

#include "quellar_types.h"

class CAppGraphics;
class IDibBitmap;

// Copies src's pixels (alpha map) into dst at (x, y) in the game's drawing orientation; a w or h of 0
// stands for src's logical width or height.
void CopyBitmapData(CAppGraphics* app, IDibBitmap* src, IDibBitmap* dst, int x, int y, int w = 0, int h = 0);
void CopyAlphaData(CAppGraphics* app, IDibBitmap* src, IDibBitmap* dst, int x, int y, int w = 0, int h = 0);

// Creates the bitmap's pixels at w x h as the game draws it (h x w in the quarter-turn orientations).
// 1 or 0; 0 without an application object or bitmap.
int CreateBitmap(CAppGraphics* app, IDibBitmap* bitmap, int w, int h);
// A new bitmap created as above; without keepAlpha it has no alpha map. Null on failure.
IDibBitmap* CreateBitmap(CAppGraphics* app, int w, int h, bool keepAlpha);

// True in the two quarter-turn orientations, which can be exchanged by a half turn.
bool CanFlipGameOrientation(CAppGraphics* app);
// Turns a bitmap stored in a quarter-turn orientation by half a turn into the other one.
void FlipBitmapOrientation(IDibBitmap* bitmap, int mode);
// Switches the input orientation and turns the double buffer, the blend buffer and every registered
// bitmap with it.
void FlipGameOrientation(CAppGraphics* app, int mode);

// Cuts images directory + imageFile into frameCount frame bitmaps, framesPerRow cells to a row, with
// the alpha from the image itself (alphaFile null or the same name) or from alphaFile. Every call
// counts a use; only the first loads. On failure nothing stays allocated and useCount is unchanged.
// The FIXED_FLOAT argument is unused.
bool VisibleObjectWithSpritesLoad(int frameCount, int framesPerRow, const char* imageFile,
                                  const char* alphaFile, FIXED_FLOAT& unused, int& useCount,
                                  int& loadedFrames, IDibBitmap**& frames, TCoord2D*& offsets, bool keepAlpha,
                                  CAppGraphics* app, bool makeOffsets);
