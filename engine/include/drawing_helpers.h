// Free drawing functions beyond the bitmap interface: stretch blits, translucent fills and the
// orientation mapping of rectangles.
#pragma once

class CGameBase;
class IDibBitmap;

// Software stretch of (sx, sy, sw, sh) of src onto (x, y, w, h) of an RGB565 dest; sizes of 0 are
// the source's device size.
void Bitmap_StretchDraw(IDibBitmap* dest, IDibBitmap* src, int x, int y, int w, int h, int sx, int sy, int sw,
                        int sh);
void Bitmap_StretchDraw_Transparent(IDibBitmap* dest, IDibBitmap* src, int x, int y, int w, int h, int sx,
                                    int sy, int sw, int sh);

// Fills a rectangle with (r, g, b) at alpha a (255 is the bitmap's own opaque fill).
void FillRectangle_Transparent(CGameBase* game, IDibBitmap* dest, int x, int y, int w, int h, int r, int g,
                               int b, int a);

// Maps a rectangle given in the drawing orientation into the bitmap's stored grid.
void SetRectAccordingToOrientationMode(IDibBitmap* bitmap, int& x, int& y, int& w, int& h);

// The fills' rectangle: a negative width or height extends left or up from x + 1 (y + 1); the
// result is clamped to dest's device size as x0..x1, y0..y1 (ends exclusive). False when the
// rectangle misses dest.
bool NormalizeFillRectangle(IDibBitmap* dest, int x, int y, int w, int h, int& x0, int& y0, int& x1, int& y1);
