// Taking a mushroom or a secret item shows the item large in the middle of the screen: it grows
// from nothing while it fades out, and is gone within half a second of the animators' clock.
#include <cstdlib>

#include "animator.h"
#include "game_rect.h"
#include "level_data.h"
#include "running_level.h"
#include "screen_colours.h"
#include "sprite_tables.h"
#include "surface.h"

namespace {

using program_run::Picture;
using screen_colours::Colour;
using test_levels::Floor;
using test_levels::kFloorTop;
using test_levels::Rec;

class PickupItem : public RunningLevelTest {
protected:
  // Pixels of the box around the screen's centre that show the fill drawn at alpha a over what the
  // screen showed before, and differ from it.
  static int BlendedOver(const Picture& before, const Picture& after, Colour fill, int a, int half) {
    int n = 0;
    for (int y = after.height / 2 - half; y < after.height / 2 + half; ++y)
      for (int x = after.width / 2 - half; x < after.width / 2 + half; ++x) {
        const Colour was = before.Colour(x, y), now = after.Colour(x, y);
        Colour expected = 0;
        for (int shift : {16, 8, 0}) {
          int f = (int)(fill >> shift & 255), b = (int)(was >> shift & 255);
          expected |= (Colour)((f * a + b * (255 - a)) / 255) << shift;
        }
        n += screen_colours::Near(now, expected) && !screen_colours::Near(now, was) ? 1 : 0;
      }
    return n;
  }
};

TEST_F(PickupItem, ShowsTheTakenItemGrowingAndFadingInTheMiddleOfTheScreen) {
  const struct {
    const char* item;
    int type;
    float custom1;
    const char *atlas, *art; // where the pack keeps the item's picture
  } cases[] = {{"mushroom", 57, 0, "common_blocks", "mushroom"},
               {"secret item 2", 99, -12, "secret_items", "secret_item_bejuweled"}};
  for (const auto& c : cases) {
    // The item far to the right of the hero's start, out of view.
    std::vector<gameRectData> level;
    Floor(level, 4960, 1000);
    gameRectData item = Rec(c.type, 5500, kFloorTop - 80);
    item.SetFloat(LW_CUSTOM1, c.custom1);
    level.push_back(item);
    Play(level, 5100);
    if (HasFatalFailure()) return;
    int slot = -1;
    for (int i = 1; i < GAME_RECTS; ++i)
      if (GameRects[i].active && GameRects[i].type == c.type) slot = i;
    ASSERT_GT(slot, 0) << c.item;
    Surface* shown = c.type == 57 ? RectSprite(57, 1) : g_secretItems[2];
    ASSERT_NE(shown, nullptr) << c.item;
    const Colour fill = screen_colours::AtlasFill(c.atlas, c.art, screen_colours::Counted::Opaque);

    // Once the camera has come in and the hero's appearance is over, the item is put on the hero.
    Cycles(150);
    const Picture before = Shot();
    gameRect& o = GameRects[slot];
    const gameRect& hero = GameRects[0];
    o.x = hero.centerX - o.width / 2;
    o.y = hero.centerY - o.height / 2;
    o.UpdateCoordinates();
    Cycles(1);
    ASSERT_EQ(o.hidden, 1) << c.item << " is taken";
    const effect_animator& a = EffectAnimators[0];
    ASSERT_EQ(a.active, 1) << c.item;
    EXPECT_EQ(a.sprite, shown) << c.item;

    // Half way through it has grown past its size and is half faded.
    Cycles(9);
    EXPECT_NEAR(a.scaleX, 1.2f, 0.01f) << c.item;
    const int alpha = (int)a.alpha;
    EXPECT_NEAR(alpha, 132, 1) << c.item;
    EXPECT_GT(BlendedOver(before, Shot(), fill, alpha, 60), 500) << c.item;

    // Gone after half a second of the animators' clock (a third of a second of play).
    Cycles(12);
    EXPECT_EQ(a.active, 0) << c.item;
    EXPECT_LT(BlendedOver(before, Shot(), fill, 255, 60), 20) << c.item;
  }
}

} // namespace
