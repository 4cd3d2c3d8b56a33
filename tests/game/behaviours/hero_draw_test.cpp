// The hero's extras drawn through its own draw, as the object draw list reaches them: the
// appearance marker from the first frame of the start wait, and the mini-game hero's body.
#include <utility>
#include <vector>

#include "behaviour_fixture.h"
#include "display.h"
#include "quest_state.h"
#include "sprite_tables.h"

namespace {

class HeroDraw : public BehaviourTest {
protected:
  void SetUp() override {
    BehaviourTest::SetUp();
    ResetDrawingState();
    keepDisplay = display;
    display = &screen;
    keepView = {MAXX, MAXY};
    keepZoom = g_gameScreenScale;
    MAXX = 480;
    MAXY = 320;
    g_gameScreenScale = 1;
    g_drawShiftX = -4800;
    g_drawShiftY = -4900;
    for (int f = 0; f < 30; ++f)
      Own(g_rects[HERO_TYPE][f], 30 + f);
    Own(g_character[0][0], 70);
    Own(g_character[0][1], 71);
  }
  void TearDown() override {
    for (Surface** slot : slots)
      *slot = nullptr;
    for (Surface* s : owned)
      delete s;
    display = keepDisplay;
    MAXX = keepView.first;
    MAXY = keepView.second;
    g_gameScreenScale = keepZoom;
    g_drawShiftX = g_drawShiftY = 0;
    BehaviourTest::TearDown();
  }
  void Own(Surface*& slot, int w) {
    slot = FakeSurface(w, 20);
    slots.push_back(&slot);
    owned.push_back(slot);
  }
  // How many of the blits came from this sprite.
  int Blits(const Surface* s) const {
    int n = 0;
    for (const CapturedBlit& b : capture.Blits())
      n += b.source == s->texture->bitmap ? 1 : 0;
    return n;
  }
  int MarkerBlits() const {
    int n = 0;
    for (int f = 0; f < 30; ++f)
      n += Blits(g_rects[HERO_TYPE][f]);
    return n;
  }

  Display screen;
  Display* keepDisplay = nullptr;
  std::pair<int, int> keepView;
  float keepZoom = 1;
  TriangleCapture capture;
  std::vector<Surface**> slots;
  std::vector<Surface*> owned;
};

TEST_F(HeroDraw, HeroDrawsItsAppearanceMarkerThroughTheStartWait) {
  const struct {
    float t;
    int marker, body;
  } cases[] = {
      {0.2f, 1, 0}, // waiting: not shown itself, the marker's first sprite already
      {0.6f, 2, 1}, // shown, with both marker sprites
      {1.6f, 0, 1}, // the marker is over
  };
  for (auto& c : cases) {
    capture.Clear();
    gameRect& h = HeroAt(5000, 5000);
    h.pathX = h.x, h.pathY = h.y;
    h.spawnTime = c.t;
    h.Draw();
    EXPECT_EQ(MarkerBlits(), c.marker) << c.t;
    EXPECT_EQ(Blits(g_character[0][0]), c.body) << c.t;
  }
  // The first marker sprite sits 70 px above the start point, in screen pixels.
  capture.Clear();
  gameRect& h = HeroAt(5000, 5000);
  h.pathX = h.x, h.pathY = h.y;
  h.spawnTime = 0.2f;
  h.Draw();
  ASSERT_EQ(capture.Blits().size(), 1u);
  const CapturedBlit& b = capture.Blits()[0];
  EXPECT_NEAR((b.MinX() + b.MaxX()) / 2, 5000 + g_drawShiftX, 0.6);
  EXPECT_NEAR((b.MinY() + b.MaxY()) / 2, 5000 - 70 + g_drawShiftY, 0.6);
}

TEST_F(HeroDraw, MiniGameHeroDrawsItsOwnBodyInTheAir) {
  g_characterID = 7;
  gameRect& h = HeroAt(5000, 5000);
  h.spawnTime = 2;
  h.inAir = 1;
  h.animation = 27; // a row the mini-game hero has no picture of
  h.vy = 100;
  const struct {
    int allowance;
    const Surface* body;
  } cases[] = {{1, g_character[0][0]}, {-5, g_character[0][1]}};
  for (auto& c : cases) {
    capture.Clear();
    h.jumpAllowance = c.allowance;
    h.Draw();
    EXPECT_EQ(capture.Blits().size(), 1u) << c.allowance;
    EXPECT_EQ(Blits(c.body), 1) << c.allowance;
  }
  // Out of play (in the door, or dead) it is not drawn.
  capture.Clear();
  h.outOfPlay = 1;
  h.Draw();
  EXPECT_EQ(capture.Blits().size(), 0u);
}

} // namespace
