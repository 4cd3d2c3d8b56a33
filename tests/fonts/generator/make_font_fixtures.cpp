// Writes the font tests' fixtures into OUT_DIR/images: a grid font (RGBA PNG atlas "grid_rgba.png"
// with its metrics "grid.fdb") and an alpha-only font (grey JPEG "alpha.jpg" with "alpha.fdb").
// Every glyph is an 8x8 block at the top left of its 16x16 cell, so the pictures are exact even
// through JPEG. Usage: make_font_fixtures OUT_DIR
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "png_file_writer.h"

namespace {

const int kCell = 16, kWidth = 16 * kCell, kHeight = 14 * kCell, kGlyph = 8;

bool Covered(int x, int y) { return x % kCell < kGlyph && y % kCell < kGlyph; }

void Fail(const std::string& what) {
  fprintf(stderr, "make_font_fixtures: %s\n", what.c_str());
  exit(1);
}

void WriteAtlasPng(const std::string& path) {
  PngRows rows((size_t)kHeight, std::vector<png_byte>((size_t)kWidth * 4));
  for (int y = 0; y < kHeight; y++)
    for (int x = 0; x < kWidth; x++)
      for (int c = 0; c < 4; c++)
        rows[y][(size_t)x * 4 + c] = Covered(x, y) ? 255 : 0;
  std::string error = WritePngFile(path, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGBA, false, rows);
  if (!error.empty()) Fail(error);
}

void WriteAtlasJpeg(const std::string& path) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) Fail("cannot write " + path);
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, f);
  c.image_width = kWidth;
  c.image_height = kHeight;
  c.input_components = 1;
  c.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 100, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<uint8_t> row(kWidth);
  while (c.next_scanline < c.image_height) {
    for (int x = 0; x < kWidth; x++)
      row[x] = Covered(x, (int)c.next_scanline) ? 255 : 0;
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  fclose(f);
}

// Every code 32..255: A = 0, B = 8 pixels, C = 2 pixels (quarter pixels in the file), then a
// vertical offset of 0.
void WriteMetrics(const std::string& path) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) Fail("cannot write " + path);
  auto put = [&](int32_t v) {
    uint8_t b[4] = {(uint8_t)v, (uint8_t)(v >> 8), (uint8_t)(v >> 16), (uint8_t)(v >> 24)};
    fwrite(b, 1, 4, f);
  };
  for (int code = 32; code < 256; code++) {
    put(0);
    put(4 * kGlyph);
    put(4 * 2);
  }
  put(0);
  if (fclose(f) != 0) Fail("cannot write " + path);
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) Fail("usage: make_font_fixtures OUT_DIR");
  std::string images = std::string(argv[1]) + "/images/";
  std::filesystem::create_directories(images);
  WriteAtlasPng(images + "grid_rgba.png");
  WriteMetrics(images + "grid.fdb");
  WriteAtlasJpeg(images + "alpha.jpg");
  WriteMetrics(images + "alpha.fdb");
  return 0;
}
