// Shared engine helpers: string hash, point-in-rectangle tests, table arc-tangents, rotation
// deltas and small text helpers.
#pragma once

#include "common_string.h"
#include "quellar_types.h"

// atan(i / 20) and atan(i / 40) in whole degrees.
extern const int AtanDegree[21];
extern const int AtanDegree2[42];

// ELF hash of the text (bytes taken as signed characters); never negative, 0 for "" or null.
int GetHashCode(const char* text);

// Edges are inside: x <= px <= x + width, likewise for y.
bool PtInRect(int x, int y, const TRect2D* rect);
bool PtInRect(int x, int y, const TRect2D_16* rect);
bool PtInRect(TVector2D point, const TRect2D* rect);
bool PtInRect(int x, int y, const TCoordRect2D* rect);
bool PtInRect(TVector2D point, const TCoordRect2D* rect);

// No device of this platform reports an OEM string.
bool IsDeviceOEMStringEqual(const char* oem);

// Direction of (x, y) in whole degrees, counter-clockwise with y up; the positive x axis is 360.
int fast_atan(int x, int y);
// Same with the finer 40-step table.
int fast_atan2(int x, int y);

// Signed shortest turn from one FIXED_FLOAT angle in degrees to another, within +-180 degrees.
FIXED_FLOAT ClosestRotationAngle(FIXED_FLOAT from, FIXED_FLOAT to);

CommonString IntToCommonString(int n);

// Case-sensitive; a needle without a buffer is never found.
bool FindSubstr(const CommonString* needle, const CommonString* hay);

// --- bitmap helpers that follow the game orientation (engine/core/bitmap_utils.cpp) ---
class CGameBase;
class IDibBitmap;

// Copies src's pixels (alpha map) into dst at (x, y) in the game's drawing orientation; a w or h of 0
// stands for src's logical width or height.
void CopyBitmapData(CGameBase* app, IDibBitmap* src, IDibBitmap* dst, int x, int y, int w = 0, int h = 0);
void CopyAlphaData(CGameBase* app, IDibBitmap* src, IDibBitmap* dst, int x, int y, int w = 0, int h = 0);

// Creates the bitmap's pixels at w x h as the game draws it (h x w in the quarter-turn orientations).
// 1 or 0; 0 without an application object or bitmap.
int CreateBitmap(CGameBase* app, IDibBitmap* bitmap, int w, int h);
// A new bitmap created as above; without keepAlpha it has no alpha map. Null on failure.
IDibBitmap* CreateBitmap(CGameBase* app, int w, int h, bool keepAlpha);

// True in the two quarter-turn orientations, which can be exchanged by a half turn.
bool CanFlipGameOrientation(CGameBase* app);
// Turns a bitmap stored in a quarter-turn orientation by half a turn into the other one.
void FlipBitmapOrientation(IDibBitmap* bitmap, int mode);
// Switches the input orientation and turns the double buffer, the blend buffer and every registered
// bitmap with it.
void FlipGameOrientation(CGameBase* app, int mode);

// Cuts images directory + imageFile into frameCount frame bitmaps, framesPerRow cells to a row, with
// the alpha from the image itself (alphaFile null or the same name) or from alphaFile. Every call
// counts a use; only the first loads. On failure nothing stays allocated and useCount is unchanged.
// The FIXED_FLOAT argument is unused.
bool VisibleObjectWithSpritesLoad(int frameCount, int framesPerRow, const char* imageFile,
                                  const char* alphaFile, FIXED_FLOAT& unused, int& useCount,
                                  int& loadedFrames, IDibBitmap**& frames, TCoord2D*& offsets, bool keepAlpha,
                                  CGameBase* app, bool makeOffsets);
