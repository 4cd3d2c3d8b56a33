// Behaviours as play reaches them rather than with their inputs set by hand: a belt carrying the
// hero that stands on it through the whole frame update, and a chainsaw as a level file places it.
#include <cmath>
#include <cstring>
#include <vector>

#include "behaviour_fixture.h"
#include "level_file.h"
#include "level_format.h"
#include "level_header.h"

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

// A chainsaw written into a level file and read back as play reads it, with the hero along its
// blade: the seven samples lie one eleventh of the blade apart around its centre, so the blade's
// length reaches three of those steps either side, and the kill reach (radius 400, 20 px) beyond.
TEST_F(InPlay, ChainsawFromALevelFileReachesAlongItsBlade) {
  const float blade = 160, end = blade / 11 * 3; // the outermost samples
  const struct {
    const char* what;
    int twoPoint;
    float along, across; // hero centre from the saw's centre, along and across the blade
    bool dies;
  } cases[] = {
      {"two-point, inside the end sample's reach", 1, end + 15, 0, true},
      {"two-point, the other end", 1, -(end + 15), 0, true},
      {"two-point, beyond the end", 1, end + 25, 0, false},
      {"two-point, beside the centre", 1, 0, 25, false},
      {"plain, inside the end sample's reach", 0, end + 15, 0, true},
      {"plain, the other end", 0, -(end + 15), 0, true},
      {"plain, beyond the end", 0, end + 25, 0, false},
  };
  for (auto& c : cases) {
    Fresh();
    gameRectData r;
    memset(&r, 0, sizeof r);
    r.SetInt(LW_TAG, LEVEL_RECORD_TAG);
    r.SetInt(LW_TYPE, 736);
    r.SetInt(LW_LAYER, 10);
    r.SetFloat(LW_X, 5000);
    r.SetFloat(LW_Y, 5000);
    r.SetFloat(LW_FPS, 10);
    r.SetInt(LW_NO_COLLISION, 1);
    r.SetFloat(LW_CUSTOM_SIZE, 1);
    r.SetInt(LW_DRAW_2POINT, c.twoPoint);
    r.SetFloat(LW_X2, 5200); // the two-point blade runs along x
    r.SetFloat(LW_Y2, 5000);
    for (int w : {LW_COLOR_R, LW_COLOR_G, LW_COLOR_B, LW_COLOR_A})
      r.SetInt(w, 255);
    levelHeader head;
    memset(&head, 0, sizeof head);
    head.startX = 5000;
    head.startY = 4000;
    std::vector<unsigned char> bytes = EncodeLevelFile({r}, head);
    ASSERT_EQ(ApplyLevelFile(bytes.data(), bytes.size(), "level7.txt"), 1);
    gameRect& saw = GameRects[1];
    ASSERT_EQ(saw.chainsaw, 1);
    EXPECT_FLOAT_EQ(saw.bladeLength, blade) << "the type's own blade";

    // Along the blade: the direction the samples step in (the box's diagonal for a plain saw).
    float ux = saw.x2 - saw.x, uy = saw.y2 - saw.y, n = std::sqrt(ux * ux + uy * uy);
    ux /= n, uy /= n;
    gameRect& h =
        HeroAt(saw.centerX + ux * c.along - uy * c.across, saw.centerY + uy * c.along + ux * c.across);
    saw.ProcessCustom(kFrame);
    EXPECT_EQ(h.dead, c.dies ? 1 : 0) << c.what;
  }
}

} // namespace
