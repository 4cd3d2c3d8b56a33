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
