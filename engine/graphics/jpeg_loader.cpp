// JPEG decoding through libjpeg-turbo's 62 interface: colour, a grey image as alpha map, colour into
// part of an existing bitmap, and colour from an open stream.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
// jerror.h after jpeglib.h: it needs its types.
#include <jerror.h>

#include "app_graphics.h"
#include "dib_bitmap.h"
#include "files.h"
#include "image_loaders.h"
#include "image_pixels.h"

char szJPGLastError[256];

enum { JPEG_READ_BUFFER = 4096 };

// The decoder's source: reads the IFile through a buffer of JPEG_READ_BUFFER bytes.
struct CJpgStreamReader {
  jpeg_source_mgr pub;
  IFile* file;
  JOCTET* buffer;
  unsigned char startOfFile;

  static void InitSource(j_decompress_ptr cinfo);
  static boolean FillInputBuffer(j_decompress_ptr cinfo);
  static void SkipInputData(j_decompress_ptr cinfo, long count);
  static void TermSource(j_decompress_ptr cinfo);
};

struct QuellarJpegError {
  jpeg_error_mgr pub;
  sigjmp_buf jump;
  char* message;
};

void Quellar_jpeg_error_exit(j_common_ptr cinfo) {
  QuellarJpegError* err = (QuellarJpegError*)cinfo->err;
  (*cinfo->err->format_message)(cinfo, err->message);
  siglongjmp(err->jump, 1);
}

// Warnings are kept as the last message instead of going to stderr.
static void QuellarJpegOutputMessage(j_common_ptr cinfo) {
  QuellarJpegError* err = (QuellarJpegError*)cinfo->err;
  (*cinfo->err->format_message)(cinfo, err->message);
}

void CJpgStreamReader::InitSource(j_decompress_ptr cinfo) {
  ((CJpgStreamReader*)cinfo->src)->startOfFile = 1;
}

boolean CJpgStreamReader::FillInputBuffer(j_decompress_ptr cinfo) {
  CJpgStreamReader* src = (CJpgStreamReader*)cinfo->src;
  int got = src->file->ReadData(src->buffer, JPEG_READ_BUFFER);
  if (got <= 0) {
    if (src->startOfFile) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    WARNMS(cinfo, JWRN_JPEG_EOF);
    // A truncated file ends in an inserted end-of-image marker.
    src->buffer[0] = (JOCTET)0xFF;
    src->buffer[1] = (JOCTET)JPEG_EOI;
    got = 2;
  }
  src->pub.next_input_byte = src->buffer;
  src->pub.bytes_in_buffer = (size_t)got;
  src->startOfFile = 0;
  return TRUE;
}

void CJpgStreamReader::SkipInputData(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  CJpgStreamReader* src = (CJpgStreamReader*)cinfo->src;
  while (count > (long)src->pub.bytes_in_buffer) {
    count -= (long)src->pub.bytes_in_buffer;
    FillInputBuffer(cinfo);
  }
  src->pub.next_input_byte += count;
  src->pub.bytes_in_buffer -= (size_t)count;
}

void CJpgStreamReader::TermSource(j_decompress_ptr) {}

namespace {

enum JpegWhat {
  JPEG_COLOUR,  // halving, true-colour or RGB565
  JPEG_ALPHA,   // halving, first component only
  JPEG_STREAM,  // RGB565, no halving
  JPEG_CROPPED, // RGB565 into the bitmap's own pixels, no halving
};

// What a decode holds. It lives outside the function that arms sigsetjmp, so a decoder error that
// jumps back still finds every pointer and frees it here.
struct JpegJob {
  jpeg_decompress_struct cinfo;
  QuellarJpegError err;
  CJpgStreamReader src;
  bool created = false;
  ImagePixelMaps maps;
  bool ownsMaps = true;

  JpegJob(const JpegJob&) = delete;
  JpegJob& operator=(const JpegJob&) = delete;
  JpegJob() {
    memset(&cinfo, 0, sizeof cinfo);
    memset(&src, 0, sizeof src);
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = Quellar_jpeg_error_exit;
    err.pub.output_message = QuellarJpegOutputMessage;
    err.message = szJPGLastError;
  }
  ~JpegJob() {
    ReleaseDecoder();
    if (ownsMaps) {
      free(maps.colour);
      free(maps.alpha);
    }
  }
  void ReleaseDecoder() {
    if (created) jpeg_destroy_decompress(&cinfo);
    created = false;
    free(src.buffer);
    src.buffer = nullptr;
  }
};

// Where file pixel (i, j) of a cropped decode lands in the bitmap; false when outside it.
bool CroppedTarget(const ImagePixelMaps& m, int i, int j, int x, int y, size_t* index) {
  long bx = (long)i + x, by = (long)j + y;
  if (bx < 0 || by < 0 || bx >= m.w || by >= m.h) return false;
  *index = m.Index((int)bx, (int)by);
  return true;
}

// Decodes the whole image into job->maps (for JPEG_CROPPED straight into the bitmap's pixels).
// 1 or 0; on 0 the job still holds whatever must be freed.
int JpegDecode(JpegJob* job, CAppGraphics* app, IFile* file, IDibBitmap* bitmap, JpegWhat what, int x,
               int y) {
  j_decompress_ptr cinfo = &job->cinfo;
  if (sigsetjmp(job->err.jump, 0)) return 0;

  jpeg_create_decompress(cinfo);
  job->created = true;
  job->src.buffer = (JOCTET*)malloc(JPEG_READ_BUFFER);
  if (!job->src.buffer) return 0;
  job->src.pub.next_input_byte = nullptr;
  job->src.pub.bytes_in_buffer = 0;
  job->src.pub.init_source = CJpgStreamReader::InitSource;
  job->src.pub.fill_input_buffer = CJpgStreamReader::FillInputBuffer;
  job->src.pub.skip_input_data = CJpgStreamReader::SkipInputData;
  job->src.pub.resync_to_restart = jpeg_resync_to_restart;
  job->src.pub.term_source = CJpgStreamReader::TermSource;
  job->src.file = file;
  cinfo->src = &job->src.pub;

  jpeg_read_header(cinfo, TRUE);
  // Only grey and colour images convert to our layouts; CMYK and the rest are refused.
  if (!ImageSizeAcceptable((long)cinfo->image_width, (long)cinfo->image_height)) return 0;
  if (cinfo->num_components != 1 && cinfo->num_components != 3) return 0;
  if ((what == JPEG_COLOUR || what == JPEG_ALPHA) && TakeHalvingRequest(app, bitmap)) {
    cinfo->scale_num = 1;
    cinfo->scale_denom = 2;
  }
  jpeg_calc_output_dimensions(cinfo);
  if (cinfo->out_color_components != 1 && cinfo->out_color_components != 3) return 0;
  int w = (int)cinfo->output_width, h = (int)cinfo->output_height;
  if (what == JPEG_ALPHA && !AlphaMatchesPixels(bitmap, w, h)) return 0;

  ImagePixelMaps& m = job->maps;
  m.mode = bitmap->GetOrientationMode();
  if (what == JPEG_CROPPED) {
    // The bitmap's own grid in its drawing orientation, unhalved.
    StoredSizeFor(bitmap, bitmap->GetStoredWidth(), bitmap->GetStoredHeight(), m.w, m.h);
    m.colour = bitmap->GetBits();
    m.bytesPerPixel = 2;
    job->ownsMaps = false;
  } else {
    m.w = w;
    m.h = h;
    m.bytesPerPixel = what == JPEG_COLOUR && app->m_bTrueColorImages ? 3 : 2;
    if (what == JPEG_ALPHA) {
      m.alpha = (unsigned char*)malloc(m.Count());
      if (!m.alpha) return 0;
    } else {
      m.colour = (unsigned char*)malloc(m.Count() * (size_t)m.bytesPerPixel);
      if (!m.colour) return 0;
    }
  }

  jpeg_start_decompress(cinfo);
  int comps = cinfo->output_components;
  if ((int)cinfo->output_width != w || (int)cinfo->output_height != h || (comps != 1 && comps != 3)) return 0;
  JSAMPARRAY line =
      (*cinfo->mem->alloc_sarray)((j_common_ptr)cinfo, JPOOL_IMAGE, (JDIMENSION)w * (JDIMENSION)comps, 1);
  while (cinfo->output_scanline < cinfo->output_height) {
    int j = (int)cinfo->output_scanline;
    if (jpeg_read_scanlines(cinfo, line, 1) != 1) return 0;
    const JSAMPLE* p = line[0];
    for (int i = 0; i < w; i++, p += comps) {
      unsigned r = p[0];
      unsigned g = comps == 3 ? p[1] : r;
      unsigned b = comps == 3 ? p[2] : r;
      if (what == JPEG_ALPHA) {
        m.alpha[m.Index(i, j)] = (unsigned char)r;
      } else if (what == JPEG_CROPPED) {
        size_t index;
        if (CroppedTarget(m, i, j, x, y, &index)) m.PutColour(index, r, g, b);
      } else {
        m.PutColour(m.Index(i, j), r, g, b);
      }
    }
  }
  jpeg_finish_decompress(cinfo);
  return 1;
}

// Colour handed over to the bitmap. An alpha map of another size no longer fits and is dropped.
int HandOverColour(IDibBitmap* bitmap, JpegJob& job) {
  ImagePixelMaps& m = job.maps;
  int oldW = bitmap->GetStoredWidth(), oldH = bitmap->GetStoredHeight();
  bitmap->SetBitsPerPixel(m.bytesPerPixel == 3 ? 24 : 16);
  if (!bitmap->SetBits(m.colour, m.w, m.h)) return 0;
  m.colour = nullptr;
  if (bitmap->GetAlphaBits() && (bitmap->GetStoredWidth() != oldW || bitmap->GetStoredHeight() != oldH))
    bitmap->DestroyAlpha();
  return 1;
}

int DecodeInto(CAppGraphics* app, IFile* file, IDibBitmap* bitmap, JpegWhat what, int x = 0, int y = 0) {
  if (!app || !file || !bitmap) return 0;
  JpegJob job;
  if (!JpegDecode(&job, app, file, bitmap, what, x, y)) return 0;
  job.ReleaseDecoder();
  switch (what) {
  case JPEG_ALPHA:
    return HandOverAlpha(bitmap, job.maps);
  case JPEG_CROPPED:
    return bitmap->HWUpdateTexture() ? 1 : 0;
  default:
    return HandOverColour(bitmap, job);
  }
}

} // namespace

int ImageDecode_JPG(CAppGraphics* app, IFile* file, IDibBitmap* bitmap) {
  return DecodeInto(app, file, bitmap, JPEG_COLOUR);
}

int ImageDecode_JPG_Alpha(CAppGraphics* app, IFile* file, IDibBitmap* bitmap) {
  return DecodeInto(app, file, bitmap, JPEG_ALPHA);
}

IDibBitmap* ImageLoad_JPG(CAppGraphics* app, const char* name, IDibBitmap* bitmap) {
  return LoadImageFile(app, name, bitmap, ImageDecode_JPG, &IDibBitmap::m_ImageFileName);
}

IDibBitmap* ImageLoad_JPG_Alpha(CAppGraphics* app, const char* name, IDibBitmap* bitmap) {
  return LoadImageFile(app, name, bitmap, ImageDecode_JPG_Alpha, &IDibBitmap::m_AlphaFileName);
}

IDibBitmap* ImageLoad_JPG_FromStream(CAppGraphics* app, IFile* file, IDibBitmap* bitmap) {
  if (!app || !file) return nullptr;
  bool created = bitmap == nullptr;
  if (created && !(bitmap = app->CreateBitmapObject())) return nullptr;
  if (DecodeInto(app, file, bitmap, JPEG_STREAM)) return bitmap;
  if (created) SafeDelete(bitmap);
  return nullptr;
}

IDibBitmap* ImageLoadCropped_JPG(CAppGraphics* app, const char* name, IDibBitmap* bitmap, int x, int y) {
  if (!app || !name || !bitmap) return nullptr;
  if (bitmap->GetWidth() < 1 || bitmap->GetHeight() < 1 || !bitmap->HasPixelsInRAM() ||
      bitmap->GetBytesPerPixel() != 2)
    return nullptr;
  CMemoryFile file;
  if (!DidLoadOpenImageFile1x_2x(app, file, bitmap, name, false)) return nullptr;
  return DecodeInto(app, &file, bitmap, JPEG_CROPPED, x, y) ? bitmap : nullptr;
}
