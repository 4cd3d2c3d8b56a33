// What the editor's frame shows, read back from the headless GL screen: the level's objects, the
// black marks of the picked object, the blue marks of a multi-selection and the status line. Each
// is found by drawing the frame with and without it.
#include <vector>

#include "draw_order.h"
#include "editor_fixture.h"
#include "editor_overlays.h"

namespace {

class EditorScreen : public EditorTest {
protected:
  std::vector<HeadlessGL::Pixel> Frame() {
    Cycles(2);
    std::vector<HeadlessGL::Pixel> px;
    GLES_FlushBuffer();
    for (int y = 0; y < MAXY; ++y)
      for (int x = 0; x < MAXX; ++x)
        px.push_back(gl.At(x, y));
    return px;
  }
  static int Differ(const std::vector<HeadlessGL::Pixel>& a, const std::vector<HeadlessGL::Pixel>& b, int x0,
                    int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        const HeadlessGL::Pixel &p = a[(size_t)y * MAXX + x], &q = b[(size_t)y * MAXX + x];
        n += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 60 ? 1 : 0;
      }
    return n;
  }
  static HeadlessGL::Pixel Get(const std::vector<HeadlessGL::Pixel>& a, int x, int y) {
    return a[(size_t)y * MAXX + x];
  }
  // A type whose first frame the sample pack's loaded sets hold.
  static int DrawnType() {
    for (int t = 1; t < OBJECT_TYPES; ++t)
      if (t != HERO_TYPE && RectSprite(t, 0)) return t;
    return -1;
  }
};

TEST_F(EditorScreen, ShowsTheObjectsTheirMarksAndTheStatusLine) {
  const int type = DrawnType();
  ASSERT_GT(type, 0);
  EnterOn({{5150, 5120}, {5320, 5150}});
  for (int slot : {1, 2}) {
    gameRect& o = GameRects[slot];
    o.type = type;
    o.layer = 10;
    o.UpdateCoordinates();
  }
  lastSelectedObjectID = -1;
  ForceResortGlobalObjects();
  const std::vector<HeadlessGL::Pixel> both = Frame();

  // The object: its box differs from the frame without it.
  GameRects[1].active = 0;
  const std::vector<HeadlessGL::Pixel> without = Frame();
  GameRects[1].active = 1;
  ForceResortGlobalObjects();
  EXPECT_GT(Differ(both, without, 150, 120, 250, 160), 1000) << "the object is drawn";
  EXPECT_EQ(Differ(both, without, 320, 150, 420, 190), 0) << "the other stays as it was";

  // The picked object's dotted box in black: a square every five pixels along the top edge.
  lastSelectedObjectID = 2;
  const gameRect& o = GameRects[2];
  const int L = SX(o.box.left), T = SY(o.box.top);
  const std::vector<HeadlessGL::Pixel> picked = Frame();
  for (int i = 0; i < 20; i += 5) {
    HeadlessGL::Pixel p = Get(picked, L + i + 1, T + 1);
    EXPECT_LT(p.r + p.g + p.b, 30) << "a black square at " << L + i;
  }
  EXPECT_GT(Differ(picked, both, L, T, L + 100, T + 4), 40);
  EXPECT_EQ(Differ(picked, both, 150, 120, 250, 124), 0) << "object 1 is not marked";

  // The multi-selection's marks in blue.
  lastSelectedObjectID = -1;
  multipleSelectionMode = 1;
  editorAlsoSelected[1] = 1;
  const std::vector<HeadlessGL::Pixel> marked = Frame();
  HeadlessGL::Pixel blue = Get(marked, SX(GameRects[1].box.left) + 1, SY(GameRects[1].box.top) + 1);
  EXPECT_GT(blue.b, 200);
  EXPECT_LT(blue.r + blue.g, 40);

  // Deleted, the marked object loses its blue marks; the picked one keeps its black ones.
  lastSelectedObjectID = 2;
  GameRects[1].active = GameRects[2].active = 0;
  const std::vector<HeadlessGL::Pixel> deleted = Frame();
  HeadlessGL::Pixel gone = Get(deleted, SX(GameRects[1].box.left) + 1, SY(GameRects[1].box.top) + 1);
  EXPECT_FALSE(gone.b > 200 && gone.r + gone.g < 40);
  HeadlessGL::Pixel black = Get(deleted, L + 1, T + 1);
  EXPECT_LT(black.r + black.g + black.b, 30);
  GameRects[1].active = GameRects[2].active = 1;
  ForceResortGlobalObjects(); // the draw list left them out while they were deleted
  lastSelectedObjectID = -1;
  multipleSelectionMode = 0;

  // The status line names the count: one more object changes it.
  Place(9000, 9000);
  const std::vector<HeadlessGL::Pixel> more = Frame();
  EXPECT_GT(Differ(more, both, 0, 0, 240, 30), 5) << "the count changed";
  EXPECT_EQ(Differ(more, both, 0, 60, MAXX, 280), 0) << "nothing else";
}

TEST_F(EditorScreen, ThePaletteCoversTheScreenWithACellPerTypeAndShrinksUntilThePageFits) {
  EnterOn({});
  drawObjectReferences = 1;
  const std::vector<HeadlessGL::Pixel> first = Frame();
  // A cell's picture at the top left; the grey fill between the cells.
  int types = 0;
  for (int t = 0; t < OBJECT_TYPES; ++t)
    types += RectSprite(t, 0) || RectSprite(t, 1) ? 1 : 0;
  ASSERT_GT(types, 0);
  HeadlessGL::Pixel grey = Get(first, MAXX - 1, MAXY - 1);
  if (types * 50 * 50 < MAXX * MAXY / 2) {
    EXPECT_NEAR(grey.r, 110, 8);
    EXPECT_NEAR(grey.g, 110, 4);
    EXPECT_NEAR(grey.b, 110, 8);
  }
  // Enough frames for the cells to settle: the page then fits.
  for (int i = 0; i < 60; ++i)
    Cycles(1);
  const int perRow = MAXX / refsizeX;
  const int rows = (types + perRow - 1) / perRow;
  EXPECT_LE(rows * refsizeY, MAXY) << types << " types in cells of " << refsizeX;
}

} // namespace
