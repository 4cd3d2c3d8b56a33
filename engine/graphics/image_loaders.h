// Image loaders: PNG and JPEG files (and their alpha maps) into bitmaps, the choice between plain
// and double-resolution files, halving and premultiplied alpha.
#pragma once

#include <cstddef>

#include "common_string.h"

class CAppGraphics;
class CMemoryFile;
class IDibBitmap;
class IFile;

// Largest width or height accepted from an image file.
enum { IMAGE_MAX_SIDE = 8192 };

// The last decoder message.
extern char szJPGLastError[256];

// Every loader answers the bitmap it filled (the one passed in, or a new one it created when given
// null) or null on failure. A bitmap passed in is never deleted; one the loader created never
// survives a failure.

// Colour by base name (a ".png" or ".jpg" ending is cut off): in double-resolution mode a
// double-resolution PNG; else the JPEG with its "_a.jpg" alpha map when one exists; else the PNG.
IDibBitmap* ImageLoad(CAppGraphics* app, const char* name, IDibBitmap* bitmap);
// Alpha map only: the grey JPEG of the base name, else the PNG's alpha channel.
IDibBitmap* ImageLoad_Alpha(CAppGraphics* app, const char* name, IDibBitmap* bitmap);

IDibBitmap* ImageLoad_PNG(CAppGraphics* app, const char* name, IDibBitmap* bitmap);
IDibBitmap* ImageLoad_PNG_Alpha(CAppGraphics* app, const char* name, IDibBitmap* bitmap);
IDibBitmap* ImageLoad_JPG(CAppGraphics* app, const char* name, IDibBitmap* bitmap);
// The first component of a (grey) JPEG becomes the alpha map.
IDibBitmap* ImageLoad_JPG_Alpha(CAppGraphics* app, const char* name, IDibBitmap* bitmap);
// Decodes into part of an existing bitmap with pixels: file pixel (i, j) lands on (i + x, j + y),
// clipped to the bitmap. RGB565 bitmaps only.
IDibBitmap* ImageLoadCropped_JPG(CAppGraphics* app, const char* name, IDibBitmap* bitmap, int x, int y);
// RGB565 colour from a file already open at the start of the JPEG data.
IDibBitmap* ImageLoad_JPG_FromStream(CAppGraphics* app, IFile* file, IDibBitmap* bitmap);

// A PVR texture atlas (its description file and numbered tiles) as a new hardware bitmap whose
// pixels live only in the texture.
IDibBitmap* ImageLoad_PVR(CAppGraphics* app, const char* name);

// The decoding steps of the loaders on a file already open at the start of the image data; the
// file name is neither opened nor stored and the bitmap (required) is never deleted. 1 or 0. The
// loaders and the fuzz harnesses share them.
int ImageDecode_PNG(CAppGraphics* app, IFile* file, IDibBitmap* bitmap);
int ImageDecode_PNG_Alpha(CAppGraphics* app, IFile* file, IDibBitmap* bitmap);
int ImageDecode_JPG(CAppGraphics* app, IFile* file, IDibBitmap* bitmap);
int ImageDecode_JPG_Alpha(CAppGraphics* app, IFile* file, IDibBitmap* bitmap);

// Multiplies three-byte colour by the alpha map ((c * a) >> 8); other bitmaps are left alone.
void ImagePremultiplyAlpha(IDibBitmap* bitmap);
// The same on count pixels of red, green, blue bytes and their alpha bytes.
void PremultiplyPixels(unsigned char* colour, const unsigned char* alpha, size_t count);

// PNG colour decoded on worker threads, for pictures that are only drawn later (atlas pages): the
// file is read and its header checked at once, on the calling thread, and the new bitmap gets its
// size (never empty) and pixel maps; a worker decodes into them. Until FinishImageDecodes has run, nothing
// may read, draw or delete such a bitmap. Null when the file is missing or its header unusable.
IDibBitmap* ImageLoad_PNG_Deferred(CAppGraphics* app, const char* name);
bool ImageDecodesPending();
// Drops the decode of a bitmap that is to be deleted unfinished, waiting for its worker if one has
// it; the bitmap's pixels are left undecoded.
void AbandonImageDecode(IDibBitmap* bitmap);
// On the GL thread: waits for every deferred decode, in the order begun, and makes each texture as
// the application's own PNG loading would. A bitmap whose file turned out damaged keeps
// undecoded pixels and is handed to failed; the answer is the number of such bitmaps.
int FinishImageDecodes(CAppGraphics* app, void (*failed)(IDibBitmap* bitmap));
// At the end of a run: lets the workers decode what is queued and joins them, so no thread of
// ours is still running while the program's statics are torn down.
void EndImageDecodes();

// Opens the file or its double-resolution variant (the preferred one first in double-resolution
// mode) and raises the bitmap's double-resolution flag when the variant opened. On failure the
// bitmap is deleted when deleteOnFailure is set. 1 or 0.
int DidLoadOpenImageFile1x_2x(CAppGraphics* app, CMemoryFile& file, IDibBitmap* bitmap, const char* name,
                              bool deleteOnFailure);
// 1 when the application runs in double-resolution mode and the variant of name exists.
int CanOpenImageFile2x(CAppGraphics* app, const char* name);
