// PNG decoding through libpng 1.6: colour with its alpha channel (optionally halved), or the alpha
// channel alone.
#include <climits>
#include <csetjmp>
#include <cstring>

#include <png.h>

#include "app_graphics.h"
#include "dib_bitmap.h"
#include "files.h"
#include "image_loaders.h"
#include "image_pixels.h"

void PngReadFunc(png_structp png, png_bytep data, png_size_t length) {
  IFile* file = (IFile*)png_get_io_ptr(png);
  // A short read would leave libpng decoding whatever the buffer held before.
  if (length > (png_size_t)INT_MAX || file->ReadData(data, (int)length) != (int)length)
    png_error(png, "Read Error");
}

namespace {

// Errors jump back to the loader; nothing reaches stderr.
void PngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void PngWarning(png_structp, png_const_charp) {}

// What a decode holds. It lives outside the function that arms setjmp, so a libpng error that
// jumps back still finds every pointer and frees it here.
struct PngJob {
  png_structp png = nullptr;
  png_infop info = nullptr;
  unsigned char* rows = nullptr;
  ImagePixelMaps maps;

  PngJob(const PngJob&) = delete;
  PngJob& operator=(const PngJob&) = delete;
  PngJob() {
    png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    if (png) info = png_create_info_struct(png);
  }
  ~PngJob() {
    ReleaseDecoder();
    free(maps.colour);
    free(maps.alpha);
  }
  void ReleaseDecoder() {
    if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    png = nullptr;
    info = nullptr;
    free(rows);
    rows = nullptr;
  }
};

// Colour of a fully transparent pixel: an opaque neighbour's, so that filtering at sprite edges
// does not pull in black.
void FillTransparentPixel(ImagePixelMaps& m, const unsigned char* row, int x, int y) {
  size_t i = m.Index(x, y);
  if (x > 0 && m.alpha[m.Index(x - 1, y)] != 0) {
    m.CopyColour(i, m.Index(x - 1, y));
  } else if (x < m.w - 1 && row[4 * (x + 1) + 3] != 0) {
    const unsigned char* p = row + 4 * (x + 1);
    m.PutColour(i, p[2], p[1], p[0]);
  } else if (y > 0 && m.alpha[m.Index(x, y - 1)] != 0) {
    m.CopyColour(i, m.Index(x, y - 1));
  } else {
    m.PutColour(i, 0, 0, 0);
  }
}

enum PngWhat { PNG_COLOUR, PNG_ALPHA_ONLY };

// Reads the whole image into job->maps. Every row arrives as blue, green, red, alpha bytes.
// 1 or 0; on 0 the job still holds whatever must be freed.
int PngDecode(PngJob* job, CAppGraphics* app, IFile* file, IDibBitmap* bitmap, PngWhat what,
              unsigned* alphaAnd) {
  png_structp png = job->png;
  png_infop info = job->info;
  if (setjmp(png_jmpbuf(png))) return 0;

  png_set_read_fn(png, file, PngReadFunc);
  png_set_user_limits(png, IMAGE_MAX_SIDE, IMAGE_MAX_SIDE);
  png_read_info(png, info);
  png_uint_32 w = 0, h = 0;
  int depth = 0, colourType = 0, interlace = 0;
  png_get_IHDR(png, info, &w, &h, &depth, &colourType, &interlace, nullptr, nullptr);
  if (interlace != PNG_INTERLACE_NONE || !ImageSizeAcceptable((long)w, (long)h)) return 0;
  if (what == PNG_ALPHA_ONLY && !AlphaMatchesPixels(bitmap, (int)w, (int)h)) return 0;

  png_set_expand(png);
  png_set_strip_16(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_palette_to_rgb(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_tRNS_to_alpha(png);
  png_read_update_info(png, info);
  size_t rowBytes = (size_t)w * 4;
  if (png_get_rowbytes(png, info) != rowBytes) return 0;

  bool halve = what == PNG_COLOUR && TakeHalvingRequest(app, bitmap);
  ImagePixelMaps& m = job->maps;
  m.w = halve ? (int)w / 2 : (int)w;
  m.h = halve ? (int)h / 2 : (int)h;
  if (m.w == 0 || m.h == 0) return 0;
  m.mode = bitmap->GetOrientationMode();
  m.bytesPerPixel = app->m_bTrueColorImages ? 3 : 2;
  job->rows = (unsigned char*)malloc(rowBytes * (halve ? 2 : 1));
  m.alpha = (unsigned char*)malloc(m.Count());
  if (what == PNG_COLOUR) m.colour = (unsigned char*)malloc(m.Count() * (size_t)m.bytesPerPixel);
  if (!job->rows || !m.alpha || (what == PNG_COLOUR && !m.colour)) return 0;

  bool fill = what == PNG_COLOUR && !halve && app->m_bFillTransparentPixels;
  unsigned all = 255;
  unsigned char* row = job->rows;
  for (int y = 0; y < m.h; y++) {
    png_read_row(png, row, nullptr);
    if (halve) png_read_row(png, row + rowBytes, nullptr);
    for (int x = 0; x < m.w; x++) {
      size_t i = m.Index(x, y);
      if (halve) {
        const unsigned char* a = row + 8 * x;
        const unsigned char* b = a + rowBytes;
        unsigned blue = a[0] + a[4] + b[0] + b[4];
        unsigned green = a[1] + a[5] + b[1] + b[5];
        unsigned red = a[2] + a[6] + b[2] + b[6];
        unsigned alpha = (a[3] + a[7] + b[3] + b[7]) >> 2;
        m.PutColour(i, red >> 2, green >> 2, blue >> 2);
        m.alpha[i] = (unsigned char)alpha;
        all &= alpha;
        continue;
      }
      const unsigned char* p = row + 4 * x;
      m.alpha[i] = p[3];
      all &= p[3];
      if (what != PNG_COLOUR) continue;
      if (!fill) {
        m.PutColour(i, p[2], p[1], p[0]);
      } else if (p[3] != 0) {
        m.PutColour(i, p[2], p[1], p[0]);
        if (y > 0 && m.alpha[m.Index(x, y - 1)] == 0) m.PutColour(m.Index(x, y - 1), p[2], p[1], p[0]);
      } else {
        FillTransparentPixel(m, row, x, y);
      }
    }
  }
  // The odd last row of a halved image is still part of the data libpng expects to be read.
  if (halve && (h & 1)) png_read_row(png, row, nullptr);
  png_read_end(png, nullptr);
  *alphaAnd = all;
  return 1;
}

} // namespace

namespace {

int PngDecodeInto(CAppGraphics* app, IFile* file, IDibBitmap* bitmap, PngWhat what) {
  if (!app || !file || !bitmap) return 0;
  PngJob job;
  unsigned alphaAnd = 0;
  if (!job.info || !PngDecode(&job, app, file, bitmap, what, &alphaAnd)) return 0;
  job.ReleaseDecoder();
  ImagePixelMaps& m = job.maps;
  if (what == PNG_ALPHA_ONLY) return HandOverAlpha(bitmap, m);

  TextureUpdateHold hold(app);
  bitmap->SetBitsPerPixel(m.bytesPerPixel == 3 ? 24 : 16);
  if (!bitmap->SetBits(m.colour, m.w, m.h)) return 0;
  m.colour = nullptr;
  // A fully opaque image keeps no alpha map.
  if (alphaAnd == 255)
    bitmap->DestroyAlpha();
  else if (!HandOverAlpha(bitmap, m))
    return 0;
  if (app->m_bPremultiplyAlpha) ImagePremultiplyAlpha(bitmap);
  app->m_bUpdateTextureOnSetBits = 1;
  return bitmap->HWUpdateTexture() ? 1 : 0;
}

} // namespace

int ImageDecode_PNG(CAppGraphics* app, IFile* file, IDibBitmap* bitmap) {
  return PngDecodeInto(app, file, bitmap, PNG_COLOUR);
}

int ImageDecode_PNG_Alpha(CAppGraphics* app, IFile* file, IDibBitmap* bitmap) {
  return PngDecodeInto(app, file, bitmap, PNG_ALPHA_ONLY);
}
