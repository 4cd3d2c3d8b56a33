// Writes the sprite tests' fixture pictures, atlas item files and description file into a
// directory laid out like the game's assets (images/, images_2x/, ui/).
// Usage: make_sprite_fixtures OUT_DIR
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "../../support/png_file_writer.h"
#include "../sprite_fixtures.h"

namespace {

std::string g_out;
bool g_ok = true;

struct Rgba {
  unsigned r, g, b, a;
};

void Fail(const std::string& what) {
  fprintf(stderr, "make_sprite_fixtures: %s\n", what.c_str());
  g_ok = false;
}

void WritePng(const std::string& name, int w, int h, const std::function<Rgba(int, int)>& pixel) {
  PngRows rows((size_t)h, std::vector<png_byte>((size_t)w * 4));
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      Rgba p = pixel(x, y);
      png_byte* out = &rows[(size_t)y][(size_t)x * 4];
      out[0] = (png_byte)p.r;
      out[1] = (png_byte)p.g;
      out[2] = (png_byte)p.b;
      out[3] = (png_byte)p.a;
    }
  std::string error = WritePngFile(g_out + "/" + name, w, h, 8, PNG_COLOR_TYPE_RGBA, false, rows);
  if (!error.empty()) Fail(error);
}

void WriteText(const std::string& name, const std::string& text) {
  std::ofstream out(g_out + "/" + name, std::ios::binary);
  out << text;
  if (!out) Fail("cannot write " + name);
}

Rgba Opaque(SpriteColour c) { return Rgba{c.r, c.g, c.b, 255}; }

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s OUT_DIR\n", argv[0]);
    return 2;
  }
  g_out = argv[1];
  for (const char* dir : {"images", "images_2x", "ui"})
    std::filesystem::create_directories(g_out + "/" + dir);

  WritePng("images/sheet.png", SHEET_CELL * SHEET_COLUMNS, SHEET_CELL * SHEET_ROWS,
           [](int x, int y) { return Opaque(SheetColour(y / SHEET_CELL * SHEET_COLUMNS + x / SHEET_CELL)); });
  for (int n = 1; n <= 3; n++)
    WritePng("images/walk_0" + std::to_string(n) + ".png", WALK_SIZE, WALK_SIZE,
             [n](int, int) { return Opaque(WalkColour(n)); });

  int count = 0;
  const AtlasItemFixture* items = AtlasItems(count);
  WritePng("images/atlas.png", ATLAS_W, ATLAS_H, [&](int x, int y) {
    for (int i = 0; i < count; i++)
      if (x >= items[i].x && x < items[i].x + items[i].w && y >= items[i].y && y < items[i].y + items[i].h)
        return Opaque(items[i].colour);
    return Rgba{0, 0, 0, 255};
  });
  // Blank lines and comments may stand anywhere in an item file.
  std::string list = "// items of atlas.png\n" + std::to_string(count) + "\n";
  for (int i = 0; i < count; i++)
    list += std::string(items[i].name) + "\n\n" + std::to_string(items[i].x) + "\n" +
            std::to_string(items[i].y) + "\n" + std::to_string(items[i].w) + "\n" +
            std::to_string(items[i].h) + "\n";
  WriteText("images/atlas_items.txt", list);
  // Only a double-resolution item file: read halved.
  WriteText("images_2x/halved_items.txt", "1\nodd\n7\n-7\n32\n17\n");
  // Item files read up to their count or their end: the last item is cut short, the count is 0,
  // a number stands after a word.
  WriteText("images/short_items.txt", "3\ncoin_1\n0\n0\n32\n32\ncoin_2\n32\n0\n16\n16\ncoin_3\n48\n16\n");
  WriteText("images/uncounted_items.txt", "0\ncoin_1\n0\n0\n32\n32\ncoin_2\n32\n0\n16\n16\n");
  WriteText("images/wordy_items.txt", "1\ncoin_1\nx 8\ny: 4\n32\n32\n");
  // A damaged one: a zero byte in a name.
  WriteText("images/zero_items.txt", std::string("1\ncoin\0_1\n0\n0\n32\n32\n", 20));
  // Items reaching past atlas.png, or starting before it.
  WriteText("images/beyond_items.txt",
            "3\ninside\n0\n0\n32\n32\nwide\n48\n0\n99999999999\n16\nleft\n-16\n0\n16\n16\n");

  WritePng("images/pair.png", CA_CELL * 2, CA_CELL, [](int x, int) {
    return x < CA_CELL ? Rgba{128, 128, 128, 255} : Rgba{255, 255, 255, 255};
  });
  WritePng("images/mask.png", CA_CELL, CA_CELL, [](int x, int) {
    return Rgba{0, 0, 0, x < CA_CELL / 2 ? 255u : 0u};
  });
  WritePng("images/bigmask.png", CA_CELL * 2, CA_CELL * 2, [](int, int) { return Rgba{0, 0, 0, 255}; });

  WriteText("ui/game_sprites.txt", "// the sprite sets of the tests\n"
                                   "set = sheet\n"
                                   "file = sheet.png, 8, 4\n"
                                   "group = level\n"
                                   "end\n"
                                   "set = walk, multi\n"
                                   "file = walk_%02d, 3, 1\n"
                                   "group = level\n"
                                   "end\n"
                                   "set = items\n"
                                   "file = atlas.png\n"
                                   "atlas_data = atlas_items.txt\n"
                                   "end\n"
                                   "set = coins\n"
                                   "atlas_texture = items\n"
                                   "atlas_indexes = coin_%d, 1, 3\n"
                                   "end\n");
  return g_ok ? 0 : 1;
}
