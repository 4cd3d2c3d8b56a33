// Behaviours as play reaches them rather than with their inputs set by hand: a belt carrying the
// hero that stands on it through the whole frame update.
#include "behaviour_fixture.h"

namespace {

class InPlay : public BehaviourTest {};

// The hero settles on a still belt, then rides it once the belt runs.
TEST_F(InPlay, ConveyorCarriesTheHeroStandingOnItByItsSignAndFlip) {
  const struct {
    float custom1;
    int flipX;
    float perSecond; // the hero's drift along x
  } cases[] = {{100, 0, 100}, {-100, 0, -100}, {100, 1, -100}, {-100, 1, -100}, {0, 0, 0}};
  for (auto& c : cases) {
    Fresh();
    gameRect& belt = Object(116, 5000, 5000);
    belt.custom1 = 0;
    gameRect& h = HeroAt(5000, 0);
    h.noIdle = 1; // an idle variant is no ground row the belt carries
    h.y = belt.y - h.height;
    h.UpdateCoordinates();
    for (int f = 0; f < 40; ++f)
      ProcessAllRects(kFrame);
    ASSERT_EQ(h.animation, 0) << "the hero has settled on the belt";
    ASSERT_NEAR(h.centerX, 5000, 1e-3) << "a still belt carries nothing";

    belt.custom1 = c.custom1;
    belt.flipX = c.flipX;
    float x = h.x, y = h.y;
    for (int f = 0; f < 20; ++f)
      ProcessAllRects(kFrame);
    EXPECT_NEAR(h.x - x, c.perSecond * 20 * kFrame, 1e-2) << c.custom1 << " flip " << c.flipX;
    EXPECT_NEAR(h.y, y, 1e-3) << "still standing on it";
    EXPECT_EQ(h.dead, 0);
  }
}

} // namespace
