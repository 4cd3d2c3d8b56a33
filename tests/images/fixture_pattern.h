// The pictures shared by the fixture generator and the image tests, so that a test can work out
// what every pixel of a generated file holds.
#pragma once

struct PatternPixel {
  unsigned r, g, b, a;
};

// A picture whose every pixel differs, with alpha falling across it (never 0 or 255).
inline PatternPixel GradientPixel(int x, int y) {
  return PatternPixel{(unsigned)(x * 60 + y * 10) & 255, (unsigned)(255 - x * 40) & 255,
                      (unsigned)(y * 50) & 255, (unsigned)(240 - (x + y) * 20)};
}

// Sprite sheet: 4 cells across, 2 down, each SHEET_CELL pixels square and of one colour; the alpha
// is the cell's own value too.
enum { SHEET_CELL = 8, SHEET_COLUMNS = 4, SHEET_ROWS = 2 };
inline PatternPixel SheetCellPixel(int cell) {
  return PatternPixel{(unsigned)(20 + cell * 30), (unsigned)(230 - cell * 25), (unsigned)(cell * 17),
                      (unsigned)(40 + cell * 25)};
}
// Grey of a cell in the separate alpha sheet.
inline unsigned SheetMaskGrey(int cell) { return (unsigned)(250 - cell * 30); }
