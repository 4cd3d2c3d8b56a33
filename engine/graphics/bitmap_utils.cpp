// Engine helpers on bitmaps that follow the game orientation: copies, creation, the half-turn flip
// of every bitmap, and cutting a sprite sheet into frame bitmaps.
#include <cstdlib>
#include <cstring>

#include "app_graphics.h"
#include "bitmap_utils.h"
#include "dib_bitmap.h"
#include "image_loaders.h"
#include "quellar_array.h"
#include "quellar_utils.h"
#include "win_dib_bitmap.h"

namespace {

// The target rectangle of a copy of src into dst at (x, y) as the stored grids see it.
void MapCopyRect(CAppGraphics* app, IDibBitmap* src, IDibBitmap* dst, int& x, int& y, int& w, int& h) {
  if (w == 0) w = src->GetWidth();
  if (h == 0) h = src->GetHeight();
  int ox = x, oy = y, ow = w, oh = h;
  switch (app ? app->m_nInputOrientation : 0) {
  case 1:
    x = oy;
    y = dst->GetDeviceHeight() - ox - src->GetDeviceHeight();
    w = oh;
    h = ow;
    break;
  case 2:
    x = dst->GetDeviceWidth() - oy - src->GetDeviceWidth();
    y = ox;
    w = oh;
    h = ow;
    break;
  default:
    break;
  }
}

// Reverses count units of size bytes in place: a half turn of a grid stored row after row.
void ReverseUnits(unsigned char* data, size_t count, int size) {
  if (!data || count < 2) return;
  unsigned char tmp[4];
  for (size_t i = 0, j = count - 1; i < j; i++, j--) {
    unsigned char* a = data + i * (size_t)size;
    unsigned char* b = data + j * (size_t)size;
    memcpy(tmp, a, (size_t)size);
    memcpy(a, b, (size_t)size);
    memcpy(b, tmp, (size_t)size);
  }
}

} // namespace

void CopyBitmapData(CAppGraphics* app, IDibBitmap* src, IDibBitmap* dst, int x, int y, int w, int h) {
  if (!src || !dst) return;
  MapCopyRect(app, src, dst, x, y, w, h);
  src->CopyBitmap(dst, x, y, w, h);
}

void CopyAlphaData(CAppGraphics* app, IDibBitmap* src, IDibBitmap* dst, int x, int y, int w, int h) {
  if (!src || !dst) return;
  MapCopyRect(app, src, dst, x, y, w, h);
  src->CopyAlpha(dst, x, y, w, h);
}

int CreateBitmap(CAppGraphics* app, IDibBitmap* bitmap, int w, int h) {
  if (!app || !bitmap) return 0;
  return app->m_nInputOrientation != 0 ? bitmap->Create(h, w) : bitmap->Create(w, h);
}

IDibBitmap* CreateBitmap(CAppGraphics* app, int w, int h, bool keepAlpha) {
  if (!app) return nullptr;
  IDibBitmap* bitmap = app->CreateBitmapObject();
  if (!bitmap) return nullptr;
  if (!CreateBitmap(app, bitmap, w, h)) {
    SafeDelete(bitmap);
    return nullptr;
  }
  if (!keepAlpha) {
    bitmap->DestroyAlpha();
    bitmap->HWUpdateTexture();
  }
  return bitmap;
}

bool CanFlipGameOrientation(CAppGraphics* app) {
  return app && (app->m_nInputOrientation == 1 || app->m_nInputOrientation == 2);
}

void FlipBitmapOrientation(IDibBitmap* bitmap, int mode) {
  if (!bitmap) return;
  int current = bitmap->GetOrientationMode();
  if (current == 0 || current == mode) return;
  // The whole stored grid: the logical size of a halved double-resolution bitmap covers only part.
  size_t count = (size_t)bitmap->GetStoredWidth() * (size_t)bitmap->GetStoredHeight();
  int bytes = bitmap->GetBytesPerPixel();
  if (bitmap->HasPixelsInRAM() && bytes >= 2 && bytes <= 4) ReverseUnits(bitmap->GetBits(), count, bytes);
  if (bytes < 4 && bitmap->HasAlphaInRAM() && !bitmap->IsAlphaExternal())
    ReverseUnits(bitmap->GetAlphaBits(), count, 1);
  bitmap->SetOrientaionMode(mode);
  bitmap->HWUpdateTexture();
}

void FlipGameOrientation(CAppGraphics* app, int mode) {
  if (!CanFlipGameOrientation(app) || mode == app->m_nInputOrientation) return;
  app->m_nInputOrientation = mode;
  IDibBitmap* doubleBuffer = app->GetDoubleBuffer();
  FlipBitmapOrientation(doubleBuffer, mode);
  IDibBitmap* blend = app->GetBlendBuffer();
  if (blend != doubleBuffer) FlipBitmapOrientation(blend, mode);
  for (int i = 0; i < app->m_CreatedBitmaps.GetSize(); i++) {
    IDibBitmap* bitmap = app->m_CreatedBitmaps.GetAt(i);
    if (bitmap) FlipBitmapOrientation(bitmap, mode);
  }
}

namespace {

// One sheet of a sprite-sheet load, cut into cells: its double-resolution flag is taken off while
// the frames are cut, and handed to the frames at the end.
struct SpriteSheet {
  IDibBitmap* bitmap = nullptr;
  u8 was2x = 0;
  int cellW = 0, cellH = 0;     // in the image's own orientation
  int frameW = 0, frameH = 0;   // the frame's stored size
  int storedW = 0, storedH = 0; // the sheet's stored size

  SpriteSheet() = default;
  SpriteSheet(const SpriteSheet&) = delete;
  SpriteSheet& operator=(const SpriteSheet&) = delete;
  ~SpriteSheet() { SafeDelete(bitmap); }

  // Loads images directory + file (colour and alpha, or alpha only) and works out the cells.
  bool Load(CAppGraphics* app, const char* file, bool alphaOnly, int frameCount, int framesPerRow) {
    bitmap = app->CreateBitmapObject();
    if (!bitmap) return false;
    u8 registering = app->m_bRegisterBitmaps, textures = app->m_bCreateTextures;
    app->m_bRegisterBitmaps = 0;
    // The sheet is only cut, never drawn: no texture, and its pixels stay in memory for the cutting
    // even where the application drops them after an upload.
    app->m_bCreateTextures = 0;
    CommonString path = app->GetImagesDirectory() + file;
    IDibBitmap* loaded =
        alphaOnly ? ImageLoad_Alpha(app, path.c_str(), bitmap) : ImageLoad(app, path.c_str(), bitmap);
    app->m_bRegisterBitmaps = registering;
    app->m_bCreateTextures = textures;
    if (!loaded) return false;
    was2x = bitmap->m_b2xImage;
    bitmap->m_b2xImage = 0;
    storedW = bitmap->GetStoredWidth();
    storedH = bitmap->GetStoredHeight();
    bool turned = app->m_nInputOrientation == 1 || app->m_nInputOrientation == 2;
    int imageW = turned ? storedH : storedW, imageH = turned ? storedW : storedH;
    int rows = (frameCount + framesPerRow - 1) / framesPerRow;
    if (rows < 1) rows = 1;
    cellW = imageW / framesPerRow;
    cellH = imageH / rows;
    frameW = turned ? cellH : cellW;
    frameH = turned ? cellW : cellH;
    return cellW > 0 && cellH > 0;
  }

  // Where the whole sheet goes in a frame's stored grid so that cell (k, r) lands on its origin.
  void CellOffset(CAppGraphics* app, int k, int r, int& x, int& y) const {
    switch (app->m_nInputOrientation) {
    case 1:
      x = -r * frameW;
      y = (k + 1) * frameH - storedH;
      break;
    case 2:
      x = (r + 1) * frameW - storedW;
      y = -k * frameH;
      break;
    default:
      x = -k * cellW;
      y = -r * cellH;
      break;
    }
  }
};

IDibBitmap* NewFrame(CAppGraphics* app, const SpriteSheet& sheet) {
  IDibBitmap* frame = app->CreateBitmapObject();
  if (!frame) return nullptr;
  frame->SetBitsPerPixel(sheet.bitmap->GetBitsPerPixel());
  if (!CreateBitmap(app, frame, sheet.cellW, sheet.cellH)) SafeDelete(frame);
  return frame;
}

} // namespace

bool VisibleObjectWithSpritesLoad(int frameCount, int framesPerRow, const char* imageFile,
                                  const char* alphaFile, FIXED_FLOAT& /*unused*/, int& useCount,
                                  int& loadedFrames, IDibBitmap**& frames, TCoord2D*& offsets, bool keepAlpha,
                                  CAppGraphics* app, bool makeOffsets) {
  bool hasImage = imageFile && *imageFile;
  bool hasAlphaFile = alphaFile && *alphaFile && !(hasImage && strcmp(alphaFile, imageFile) == 0);
  if (!app || framesPerRow < 1 || frameCount < 1 || (!hasImage && !hasAlphaFile)) return false;
  useCount++;
  if (loadedFrames != 0) return true;

  frames = (IDibBitmap**)calloc((size_t)frameCount, sizeof(IDibBitmap*));
  if (makeOffsets) offsets = (TCoord2D*)calloc((size_t)frameCount, sizeof(TCoord2D));
  loadedFrames = frameCount;
  auto fail = [&]() {
    if (frames)
      for (int i = 0; i < frameCount; i++)
        SafeDelete(frames[i]);
    SafeFree(frames);
    if (makeOffsets) SafeFree(offsets);
    loadedFrames = 0;
    useCount--;
    return false;
  };
  if (!frames || (makeOffsets && !offsets)) return fail();

  u8 was2x = 0;
  if (hasImage) {
    SpriteSheet sheet;
    if (!sheet.Load(app, imageFile, false, frameCount, framesPerRow)) return fail();
    was2x = sheet.was2x;
    bool sheetAlpha = sheet.bitmap->GetAlphaBits() != nullptr;
    for (int i = 0; i < frameCount; i++) {
      IDibBitmap* frame = frames[i] = NewFrame(app, sheet);
      if (!frame) return fail();
      int x, y;
      sheet.CellOffset(app, i % framesPerRow, i / framesPerRow, x, y);
      sheet.bitmap->CopyBitmap(frame, x, y, sheet.storedW, sheet.storedH);
      // With a separate alpha file the frame keeps its map for the alpha pass.
      if (hasAlphaFile) continue;
      if (sheetAlpha)
        sheet.bitmap->CopyAlpha(frame, x, y, sheet.storedW, sheet.storedH);
      else
        frame->DestroyAlpha();
    }
  }

  if (hasAlphaFile) {
    SpriteSheet sheet;
    if (!sheet.Load(app, alphaFile, true, frameCount, framesPerRow)) return fail();
    if (!hasImage) was2x = sheet.was2x;
    for (int i = 0; i < frameCount; i++) {
      if (!frames[i]) {
        frames[i] = NewFrame(app, sheet);
        if (!frames[i]) return fail();
        if (!hasImage) frames[i]->DestroyBits();
      }
      int x, y;
      sheet.CellOffset(app, i % framesPerRow, i / framesPerRow, x, y);
      sheet.bitmap->CopyAlpha(frames[i], x, y, sheet.storedW, sheet.storedH);
    }
  }

  for (int i = 0; i < frameCount; i++) {
    IDibBitmap* frame = frames[i];
    frame->m_b2xImage = was2x;
    if (CWinDibBitmap* soft = dynamic_cast<CWinDibBitmap*>(frame)) soft->UpdateWidthAndHeight();
    frame->HWUpdateTexture();
    if (!keepAlpha) frame->ReplaceAlphaWithTransparentColor();
  }
  return true;
}
