// The sprite tests' fixture pictures, shared by their generator and the tests, so that a test
// knows what every frame of a generated file should show.
#pragma once

struct SpriteColour {
  unsigned r, g, b;
};

// sheet.png: SHEET_COLUMNS x SHEET_ROWS cells of SHEET_CELL pixels, each cell one opaque colour.
enum { SHEET_CELL = 32, SHEET_COLUMNS = 4, SHEET_ROWS = 2 };
inline SpriteColour SheetColour(int cell) {
  static const SpriteColour colours[8] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},     {255, 255, 0},
                                          {255, 0, 255}, {0, 255, 255}, {255, 255, 255}, {128, 64, 0}};
  return colours[cell & 7];
}

// walk_01.png .. walk_03.png: WALK_SIZE square, one colour each (walk_04 does not exist).
enum { WALK_SIZE = 4 };
inline SpriteColour WalkColour(int n) {
  return SpriteColour{(unsigned)(n * 60), 100, (unsigned)(250 - n * 60)};
}

// atlas.png (ATLAS_W x ATLAS_H, black) holds coloured items listed by atlas_items.txt.
enum { ATLAS_W = 64, ATLAS_H = 32 };
struct AtlasItemFixture {
  const char* name;
  int x, y, w, h;
  SpriteColour colour;
};
inline const AtlasItemFixture* AtlasItems(int& count) {
  static const AtlasItemFixture items[] = {{"coin_1", 0, 0, 32, 32, {255, 0, 0}},
                                           {"coin_2", 32, 0, 16, 16, {0, 255, 0}},
                                           {"coin_3", 48, 16, 16, 16, {0, 0, 255}}};
  count = 3;
  return items;
}

// pair.png: two CA_CELL squares side by side (grey, then white) without alpha; mask.png: one cell
// whose alpha is 255 on the left half and 0 on the right; bigmask.png: twice that size.
enum { CA_CELL = 8 };
