// Writes the image tests' fixture pictures (PNG and JPEG, good and broken) into a directory laid
// out like the game's: images/ and images_2x/. Usage: make_image_fixtures OUT_DIR
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>

#include "../../support/png_file_writer.h"
#include "../fixture_pattern.h"

namespace {

std::string g_out;
bool g_ok = true;

typedef std::function<PatternPixel(int x, int y)> PixelFunc;

PixelFunc Solid(unsigned r, unsigned g, unsigned b, unsigned a = 255) {
  return [=](int, int) { return PatternPixel{r, g, b, a}; };
}

void Fail(const std::string& what) {
  fprintf(stderr, "make_image_fixtures: %s\n", what.c_str());
  g_ok = false;
}

void WritePngRows(const std::string& name, int w, int h, int depth, int colourType, bool interlaced,
                  PngRows& rows, const std::function<void(png_structp, png_infop)>& extra = nullptr) {
  std::string error = WritePngFile(g_out + "/" + name, w, h, depth, colourType, interlaced, rows, extra);
  if (!error.empty()) Fail(error);
}

// colourType: PNG_COLOR_TYPE_RGB, _RGBA, _GRAY or _GRAY_ALPHA; depth 8 or 16.
void WritePng(const std::string& name, int w, int h, int colourType, const PixelFunc& pixel, int depth = 8,
              bool interlaced = false) {
  int channels = colourType == PNG_COLOR_TYPE_RGB    ? 3
                 : colourType == PNG_COLOR_TYPE_RGBA ? 4
                 : colourType == PNG_COLOR_TYPE_GRAY ? 1
                                                     : 2;
  int bytes = depth / 8;
  PngRows rows((size_t)h, std::vector<png_byte>((size_t)w * channels * bytes));
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      PatternPixel p = pixel(x, y);
      unsigned v[4] = {p.r, p.g, p.b, p.a};
      if (channels == 2) v[1] = p.a;
      for (int c = 0; c < channels; c++) {
        png_byte* out = &rows[(size_t)y][((size_t)x * channels + c) * bytes];
        out[0] = (png_byte)v[c];
        // The low byte of a 16-bit channel is noise that stripping must drop.
        if (bytes == 2) out[1] = (png_byte)(0x5A ^ x ^ (y << 2));
      }
    }
  WritePngRows(name, w, h, depth, colourType, interlaced, rows);
}

// An 8-bit palette image with one entry per pixel and the alpha in a tRNS chunk.
void WritePalettePng(const std::string& name, int w, int h, const PixelFunc& pixel) {
  std::vector<png_color> palette;
  std::vector<png_byte> alpha;
  PngRows rows((size_t)h, std::vector<png_byte>((size_t)w));
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      PatternPixel p = pixel(x, y);
      rows[(size_t)y][(size_t)x] = (png_byte)palette.size();
      palette.push_back(png_color{(png_byte)p.r, (png_byte)p.g, (png_byte)p.b});
      alpha.push_back((png_byte)p.a);
    }
  WritePngRows(name, w, h, 8, PNG_COLOR_TYPE_PALETTE, false, rows, [&](png_structp png, png_infop info) {
    png_set_PLTE(png, info, palette.data(), (int)palette.size());
    png_set_tRNS(png, info, alpha.data(), (int)alpha.size(), nullptr);
  });
}

// components 1 (grey, from the red channel), 3 (colour) or 4 (CMYK); no chroma subsampling and
// quality 100, so flat areas come back within a step or two.
void WriteJpeg(const std::string& name, int w, int h, int components, const PixelFunc& pixel,
               bool progressive = false) {
  std::string path = g_out + "/" + name;
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return Fail("cannot write " + path);
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, f);
  cinfo.image_width = (JDIMENSION)w;
  cinfo.image_height = (JDIMENSION)h;
  cinfo.input_components = components;
  cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 100, TRUE);
  for (int c = 0; c < cinfo.num_components; c++) {
    cinfo.comp_info[c].h_samp_factor = 1;
    cinfo.comp_info[c].v_samp_factor = 1;
  }
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row((size_t)w * components);
  while (cinfo.next_scanline < cinfo.image_height) {
    int y = (int)cinfo.next_scanline;
    for (int x = 0; x < w; x++) {
      PatternPixel p = pixel(x, y);
      unsigned v[4] = {p.r, p.g, p.b, p.a};
      for (int c = 0; c < components; c++)
        row[(size_t)x * components + c] = (JSAMPLE)v[c];
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  fclose(f);
}

std::vector<char> ReadAll(const std::string& name) {
  std::ifstream in(g_out + "/" + name, std::ios::binary);
  return std::vector<char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& name, const std::vector<char>& bytes) {
  std::ofstream out(g_out + "/" + name, std::ios::binary);
  out.write(bytes.data(), (std::streamsize)bytes.size());
  if (!out) Fail("cannot write " + name);
}

PatternPixel Gradient(int x, int y) { return GradientPixel(x, y); }

PatternPixel SheetPixel(int x, int y) {
  return SheetCellPixel((y / SHEET_CELL) * SHEET_COLUMNS + x / SHEET_CELL);
}

PatternPixel SheetMask(int x, int y) {
  unsigned g = SheetMaskGrey((y / SHEET_CELL) * SHEET_COLUMNS + x / SHEET_CELL);
  return PatternPixel{g, g, g, 255};
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s OUT_DIR\n", argv[0]);
    return 2;
  }
  g_out = argv[1];
  std::filesystem::create_directories(g_out + "/images");
  std::filesystem::create_directories(g_out + "/images_2x");
  std::filesystem::create_directories(g_out + "/demo_assets/images");

  // Which file wins: JPEG red, PNG green, double-resolution PNG blue, double-resolution JPEG yellow.
  WriteJpeg("images/pick.jpg", 8, 8, 3, Solid(200, 40, 40));
  WritePng("images/pick.png", 8, 8, PNG_COLOR_TYPE_RGB, Solid(40, 200, 40));
  WritePng("images_2x/pick.png", 16, 16, PNG_COLOR_TYPE_RGB, Solid(40, 40, 200));
  WriteJpeg("images/pickj.jpg", 8, 8, 3, Solid(200, 40, 40));
  WriteJpeg("images_2x/pickj.jpg", 16, 16, 3, Solid(200, 200, 40));
  WritePng("images/pickj.png", 8, 8, PNG_COLOR_TYPE_RGB, Solid(40, 200, 40));
  WritePng("images/onlypng.png", 8, 8, PNG_COLOR_TYPE_RGB, Solid(40, 200, 40));

  // Only double-resolution files: halved outside double-resolution mode (odd height on purpose).
  WritePng("images_2x/half.png", 4, 5, PNG_COLOR_TYPE_RGBA, Gradient);
  WriteJpeg("images_2x/halfj.jpg", 16, 12, 3, Solid(90, 160, 220));
  WriteJpeg("images_2x/halfj_a.jpg", 16, 12, 1, Solid(100, 100, 100));
  WritePng("images_2x/tiny.png", 1, 1, PNG_COLOR_TYPE_RGB, Solid(1, 2, 3));

  // Decoding.
  WritePng("images/opaque.png", 4, 3, PNG_COLOR_TYPE_RGB, Gradient);
  WritePng("images/gradient.png", 4, 3, PNG_COLOR_TYPE_RGBA, Gradient);
  WritePng("images/greyalpha.png", 4, 3, PNG_COLOR_TYPE_GRAY_ALPHA, Gradient);
  WritePalettePng("images/palette.png", 4, 3, Gradient);
  WriteJpeg("images/progressive.jpg", 16, 16, 3, Gradient, true);
  WritePng("images/deep.png", 4, 3, PNG_COLOR_TYPE_RGBA, Gradient, 16);
  WriteJpeg("images/grey.jpg", 8, 8, 1, [](int x, int y) {
    unsigned g = (unsigned)(x * 30 + y * 2);
    return PatternPixel{g, g, g, 255};
  });
  WritePng("images/premul.png", 2, 1, PNG_COLOR_TYPE_RGBA, [](int x, int) {
    return x == 0 ? PatternPixel{200, 100, 50, 128} : PatternPixel{255, 255, 255, 255};
  });
  // Transparent pixels (grey 9) around two opaque ones, for the transparent-edge fill.
  WritePng("images/edge.png", 3, 2, PNG_COLOR_TYPE_RGBA, [](int x, int y) {
    if (x == 1 && y == 0) return PatternPixel{255, 0, 0, 255};
    if (x == 0 && y == 1) return PatternPixel{0, 255, 0, 255};
    return PatternPixel{9, 9, 9, 0};
  });
  // Opaque red on the left, half-transparent red on the right.
  WritePng("images/badge.png", 16, 8, PNG_COLOR_TYPE_RGBA, [](int x, int) {
    return PatternPixel{250, 30, 30, x < 8 ? 255u : 128u};
  });
  WriteJpeg("images/tinted.jpg", 8, 8, 3, Solid(200, 200, 200));
  WriteJpeg("images/tinted_a.jpg", 8, 8, 1, Solid(128, 128, 128));
  WriteJpeg("images/plain.jpg", 8, 8, 3, Solid(60, 120, 180));
  WriteJpeg("images/mismatch.jpg", 8, 8, 3, Solid(60, 120, 180));
  WriteJpeg("images/mismatch_a.jpg", 4, 4, 1, Solid(128, 128, 128));
  WriteJpeg("images/crop.jpg", 4, 4, 3, Solid(250, 10, 10));
  WritePng("images/sheet.png", SHEET_CELL * SHEET_COLUMNS, SHEET_CELL * SHEET_ROWS, PNG_COLOR_TYPE_RGBA,
           SheetPixel);
  WriteJpeg("images/sheetmask.jpg", SHEET_CELL * SHEET_COLUMNS, SHEET_CELL * SHEET_ROWS, 1, SheetMask);

  // The demo program's pictures, packed for it: red, opaque on the left and at alpha 128 on the
  // right; light grey whose "_a.jpg" is opaque on the left and 64 on the right.
  WritePng("demo_assets/images/demo_badge.png", 64, 32, PNG_COLOR_TYPE_RGBA, [](int x, int) {
    return PatternPixel{250, 30, 30, x < 32 ? 255u : 128u};
  });
  WriteJpeg("demo_assets/images/demo_photo.jpg", 64, 32, 3, Solid(200, 200, 200));
  WriteJpeg("demo_assets/images/demo_photo_a.jpg", 64, 32, 1, [](int x, int) {
    unsigned g = x < 32 ? 255 : 64;
    return PatternPixel{g, g, g, 255};
  });

  // Broken or refused input.
  std::vector<char> png = ReadAll("images/gradient.png");
  png.resize(png.size() / 2);
  WriteAll("images/truncated.png", png);
  std::vector<char> jpeg = ReadAll("images/plain.jpg");
  // Keep the start-of-image marker, then garbage where the tables and frame header were.
  for (size_t i = 2; i < jpeg.size() && i < 200; i++)
    jpeg[i] = (char)(0x31 + i * 7);
  WriteAll("images/corrupt.jpg", jpeg);
  WriteAll("images/empty.jpg", {});
  WriteAll("images/notimage.png", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'});
  WriteJpeg("images/cmyk.jpg", 8, 8, 4, Solid(10, 20, 30, 40));
  WritePng("images/wide.png", 9000, 1, PNG_COLOR_TYPE_GRAY, Solid(7, 7, 7));
  WritePng("images/tall.png", 1, 9000, PNG_COLOR_TYPE_GRAY, Solid(7, 7, 7));
  WriteJpeg("images/wide.jpg", 9000, 8, 1, Solid(7, 7, 7));
  WritePng("images/interlaced.png", 4, 4, PNG_COLOR_TYPE_RGB, Gradient, 8, true);
  return g_ok ? 0 : 1;
}
