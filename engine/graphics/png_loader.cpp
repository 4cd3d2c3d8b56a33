// PNG decoding through libpng 1.6: colour with its alpha channel (optionally halved), or the alpha
// channel alone; and colour decoded on worker threads for pictures that are drawn only later.
#include <algorithm>
#include <climits>
#include <condition_variable>
#include <csetjmp>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

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

// How the rows of one image land in its maps, fixed by its header.
struct PngRowPlan {
  size_t rowBytes = 0;
  bool halve = false; // a double-resolution file outside double-resolution mode
  bool fill = false;  // transparent pixels take an opaque neighbour's colour
  bool oddLastRow = false;
  PngWhat what = PNG_COLOUR;
};

// Reads the header, sets up the transforms and sizes the maps (allocated here). Every row then
// arrives as blue, green, red, alpha bytes. 1 or 0; on 0 the job still holds whatever must be freed.
int PngDecodeHeader(PngJob* job, CAppGraphics* app, IFile* file, IDibBitmap* bitmap, PngWhat what,
                    PngRowPlan* plan) {
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
  plan->rowBytes = (size_t)w * 4;
  if (png_get_rowbytes(png, info) != plan->rowBytes) return 0;

  plan->what = what;
  plan->halve = what == PNG_COLOUR && TakeHalvingRequest(app, bitmap);
  plan->oddLastRow = plan->halve && (h & 1);
  ImagePixelMaps& m = job->maps;
  m.w = plan->halve ? (int)w / 2 : (int)w;
  m.h = plan->halve ? (int)h / 2 : (int)h;
  if (m.w == 0 || m.h == 0) return 0;
  m.mode = bitmap->GetOrientationMode();
  m.bytesPerPixel = app->m_bTrueColorImages ? 3 : 2;
  job->rows = (unsigned char*)malloc(plan->rowBytes * (plan->halve ? 2 : 1));
  m.alpha = (unsigned char*)malloc(m.Count());
  if (what == PNG_COLOUR) m.colour = (unsigned char*)malloc(m.Count() * (size_t)m.bytesPerPixel);
  if (!job->rows || !m.alpha || (what == PNG_COLOUR && !m.colour)) return 0;
  plan->fill = what == PNG_COLOUR && !plan->halve && app->m_bFillTransparentPixels;
  return 1;
}

// Decodes every row into colour and alpha maps of the job's sizes; the maps may be ones the job
// does not own. 1 or 0.
int PngDecodeRows(PngJob* job, const PngRowPlan& plan, unsigned char* colour, unsigned char* alpha,
                  unsigned* alphaAnd) {
  png_structp png = job->png;
  if (setjmp(png_jmpbuf(png))) return 0;
  ImagePixelMaps m = job->maps;
  m.colour = colour;
  m.alpha = alpha;
  const size_t rowBytes = plan.rowBytes;
  const bool halve = plan.halve, fill = plan.fill, colourToo = plan.what == PNG_COLOUR;
  // The common page: upright, whole size, three bytes of colour.
  const bool straight = m.mode == 0 && !halve && !fill && colourToo && m.bytesPerPixel == 3;
  unsigned all = 255;
  unsigned char* row = job->rows;
  for (int y = 0; y < m.h; y++) {
    png_read_row(png, row, nullptr);
    if (halve) png_read_row(png, row + rowBytes, nullptr);
    if (straight) {
      unsigned char* c = colour + (size_t)y * (size_t)m.w * 3;
      unsigned char* a = alpha + (size_t)y * (size_t)m.w;
      for (int x = 0; x < m.w; x++, c += 3) {
        const unsigned char* p = row + 4 * x;
        c[0] = p[2];
        c[1] = p[1];
        c[2] = p[0];
        a[x] = p[3];
        all &= p[3];
      }
      continue;
    }
    for (int x = 0; x < m.w; x++) {
      size_t i = m.Index(x, y);
      if (halve) {
        const unsigned char* a = row + 8 * x;
        const unsigned char* b = a + rowBytes;
        unsigned blue = a[0] + a[4] + b[0] + b[4];
        unsigned green = a[1] + a[5] + b[1] + b[5];
        unsigned red = a[2] + a[6] + b[2] + b[6];
        unsigned alphaSum = (a[3] + a[7] + b[3] + b[7]) >> 2;
        m.PutColour(i, red >> 2, green >> 2, blue >> 2);
        m.alpha[i] = (unsigned char)alphaSum;
        all &= alphaSum;
        continue;
      }
      const unsigned char* p = row + 4 * x;
      m.alpha[i] = p[3];
      all &= p[3];
      if (!colourToo) continue;
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
  if (plan.oddLastRow) png_read_row(png, row, nullptr);
  png_read_end(png, nullptr);
  *alphaAnd = all;
  return 1;
}

// Reads the whole image into job->maps. 1 or 0; on 0 the job still holds whatever must be freed.
int PngDecode(PngJob* job, CAppGraphics* app, IFile* file, IDibBitmap* bitmap, PngWhat what,
              unsigned* alphaAnd) {
  PngRowPlan plan;
  return PngDecodeHeader(job, app, file, bitmap, what, &plan) &&
         PngDecodeRows(job, plan, job->maps.colour, job->maps.alpha, alphaAnd);
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

// --- decoding beside the GL thread ---

// One deferred picture: its file, read whole on the GL thread, and its decoder, set up there up to
// the header; a worker decodes the rows into the maps the bitmap already owns.
struct DeferredPng {
  IDibBitmap* bitmap = nullptr;
  CMemoryFile file;
  PngJob job;
  PngRowPlan plan;
  unsigned char* colour = nullptr; // owned by the bitmap
  unsigned char* alpha = nullptr;  // owned by the bitmap
  size_t count = 0;
  bool premultiply = false;
  unsigned alphaAnd = 0;
  bool ok = false;
  bool done = false;
};

struct DeferredDecodes {
  std::mutex lock;
  std::condition_variable finished;
  std::deque<DeferredPng*> queue;   // waiting for a worker
  std::vector<DeferredPng*> begun;  // every one not yet finished, in the order begun
  std::vector<std::thread> workers; // joined when the decodes are finished
  int running = 0;
};

// Never destroyed: the program joins its workers before it ends (EndImageDecodes), not its statics.
DeferredDecodes& Decodes() {
  static DeferredDecodes* d = new DeferredDecodes();
  return *d;
}

void DecodeRows(DeferredPng* p) {
  p->ok = PngDecodeRows(&p->job, p->plan, p->colour, p->alpha, &p->alphaAnd) != 0;
  // A fully opaque picture keeps no alpha map, and its colour stays as it is.
  if (p->ok && p->premultiply && p->alphaAnd != 255) PremultiplyPixels(p->colour, p->alpha, p->count);
  p->job.ReleaseDecoder();
  p->file.Close();
}

void Work() {
  DeferredDecodes& d = Decodes();
  std::unique_lock<std::mutex> hold(d.lock);
  while (!d.queue.empty()) {
    DeferredPng* p = d.queue.front();
    d.queue.pop_front();
    hold.unlock();
    DecodeRows(p);
    hold.lock();
    p->done = true;
    d.finished.notify_all();
  }
  --d.running;
  d.finished.notify_all();
}

} // namespace

IDibBitmap* ImageLoad_PNG_Deferred(CAppGraphics* app, const char* name) {
  if (!app || !name) return nullptr;
  IDibBitmap* bitmap = app->CreateBitmapObject();
  if (!bitmap) return nullptr;
  bitmap->m_ImageFileName = name;
  std::unique_ptr<DeferredPng> p(new DeferredPng());
  if (!DidLoadOpenImageFile1x_2x(app, p->file, bitmap, name, true)) return nullptr;
  PngJob& job = p->job;
  if (!job.info || !PngDecodeHeader(&job, app, &p->file, bitmap, PNG_COLOUR, &p->plan)) {
    delete bitmap;
    return nullptr;
  }
  // The bitmap has its size and owns the maps from now on; their content comes later.
  ImagePixelMaps& m = job.maps;
  {
    TextureUpdateHold hold(app);
    bitmap->SetBitsPerPixel(m.bytesPerPixel == 3 ? 24 : 16);
    if (!bitmap->SetBits(m.colour, m.w, m.h)) {
      delete bitmap;
      return nullptr;
    }
    p->colour = m.colour;
    m.colour = nullptr;
    if (!HandOverAlpha(bitmap, m)) {
      delete bitmap;
      return nullptr;
    }
    p->alpha = bitmap->GetAlphaBits();
  }
  p->count = m.Count();
  p->premultiply = app->m_bPremultiplyAlpha && m.bytesPerPixel == 3;
  p->bitmap = bitmap;

  DeferredDecodes& d = Decodes();
  std::lock_guard<std::mutex> hold(d.lock);
  d.begun.push_back(p.get());
  d.queue.push_back(p.release());
  unsigned cores = std::thread::hardware_concurrency();
  int most = cores == 0 ? 2 : cores > 8 ? 8 : (int)cores;
  if (d.running < most) {
    ++d.running;
    d.workers.emplace_back(Work);
  }
  return bitmap;
}

void AbandonImageDecode(IDibBitmap* bitmap) {
  DeferredDecodes& d = Decodes();
  std::unique_lock<std::mutex> hold(d.lock);
  auto at =
      std::find_if(d.begun.begin(), d.begun.end(), [bitmap](DeferredPng* p) { return p->bitmap == bitmap; });
  if (at == d.begun.end()) return;
  DeferredPng* p = *at;
  d.begun.erase(at);
  auto queued = std::find(d.queue.begin(), d.queue.end(), p);
  if (queued != d.queue.end())
    d.queue.erase(queued);
  else
    d.finished.wait(hold, [p] { return p->done; });
  delete p;
}

bool ImageDecodesPending() {
  DeferredDecodes& d = Decodes();
  std::lock_guard<std::mutex> hold(d.lock);
  return !d.begun.empty();
}

int FinishImageDecodes(CAppGraphics* app, void (*failed)(IDibBitmap* bitmap)) {
  DeferredDecodes& d = Decodes();
  std::vector<DeferredPng*> begun;
  {
    std::lock_guard<std::mutex> hold(d.lock);
    begun.swap(d.begun);
  }
  int failures = 0;
  // In the order begun, each as soon as it is decoded: the uploads go on while later ones decode.
  for (DeferredPng* p : begun) {
    {
      std::unique_lock<std::mutex> hold(d.lock);
      d.finished.wait(hold, [p] { return p->done; });
    }
    std::unique_ptr<DeferredPng> own(p);
    if (!p->ok) {
      ++failures;
      if (failed) failed(p->bitmap);
      continue;
    }
    if (p->alphaAnd == 255) p->bitmap->DestroyAlpha();
    if (app) app->m_bUpdateTextureOnSetBits = 1;
    if (!p->bitmap->HWUpdateTexture()) {
      ++failures;
      if (failed) failed(p->bitmap);
    }
  }
  // Only this thread begins decodes: the queue is empty and the workers are on their way out.
  EndImageDecodes();
  return failures;
}

void EndImageDecodes() {
  DeferredDecodes& d = Decodes();
  std::vector<std::thread> workers;
  {
    std::unique_lock<std::mutex> hold(d.lock);
    d.finished.wait(hold, [&d] { return d.running == 0; });
    workers.swap(d.workers);
  }
  for (std::thread& t : workers)
    t.join();
}

int ImageDecode_PNG(CAppGraphics* app, IFile* file, IDibBitmap* bitmap) {
  return PngDecodeInto(app, file, bitmap, PNG_COLOUR);
}

int ImageDecode_PNG_Alpha(CAppGraphics* app, IFile* file, IDibBitmap* bitmap) {
  return PngDecodeInto(app, file, bitmap, PNG_ALPHA_ONLY);
}
