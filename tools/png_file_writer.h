// Writes PNG files from prepared rows, for the generators of the sample pack and of test fixtures.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <png.h>

typedef std::vector<std::vector<png_byte>> PngRows;

// Writes the rows to path; extra adds chunks (a palette) before the header goes out. An empty
// answer on success, else what failed.
inline std::string WritePngFile(const std::string& path, int w, int h, int depth, int colourType,
                                bool interlaced, PngRows& rows,
                                const std::function<void(png_structp, png_infop)>& extra = nullptr) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return "cannot write " + path;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    fclose(f);
    return "libpng failed on " + path;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, (png_uint_32)w, (png_uint_32)h, depth, colourType,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (extra) extra(png, info);
  std::vector<png_bytep> pointers;
  for (auto& row : rows)
    pointers.push_back(row.data());
  png_write_info(png, info);
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  fclose(f);
  return "";
}
