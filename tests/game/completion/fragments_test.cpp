// Flying mushrooms and fragments: arrival and its payment, the homing speed, the full pool, and the
// fragments' whole-pixel motion and fading.
#include "completion_fixture.h"

#include <cmath>

namespace {

using FragmentsTest = CompletionTest;

TEST_F(FragmentsTest, AMushroomCloseToItsDestinationArrivesAndPays) {
  g_globalAchievements[GLOBAL_WORD_MUSHROOMS] = 3;
  int slot = AddShroom(nullptr, 100, 100, 0, 0, 0, 0, 0, 0.5f, 0, 255, 0, 0, 1);
  ASSERT_EQ(slot, 0);
  flyingShrooms[slot].SetDestination(105, 100, 100);
  ProcessAndDrawShroom(0.016f, 1);
  EXPECT_EQ(flyingShrooms[slot].active, 0);
  EXPECT_EQ(g_globalAchievements[GLOBAL_WORD_MUSHROOMS], 4);
  EXPECT_TRUE(Played(17));
}

TEST_F(FragmentsTest, TheHomingSpeedGrowsWithTheRootOfTheFlightTime) {
  for (float t : {0.25f, 1.0f}) {
    int slot = AddShroom(nullptr, 0, 0, 0, 0, 0, 0, 0, 0.5f, 0, 255, 0, 0, 1);
    flyingShroom& f = flyingShrooms[slot];
    f.SetDestination(100000, 0, 100);
    f.time = t - 0.001f;
    f.Process(0.001f);
    // 800 x sqrt(t) px/s towards the destination, give or take the jitter of 50 px/s an axis.
    EXPECT_NEAR(f.x / 0.001f, 800 * std::sqrt(t), 51) << t;
    EXPECT_NEAR(f.y / 0.001f, 0, 51) << t;
    f.active = 0;
  }
}

TEST_F(FragmentsTest, AFullPoolStartsNothingAndTheMissionRewardIsPaidAtOnce) {
  for (int i = 0; i < FLYING_SHROOMS; ++i)
    ASSERT_EQ(AddShroom(nullptr, 0, 0, 0, 0, 0, 0, 0, 1, 0, 255, 0, 0, 1), i);
  flyingShrooms[14].SetDestination(7, 7, 1);
  EXPECT_EQ(AddShroom(nullptr, 0, 0, 0, 0, 0, 0, 0, 1, 0, 255, 0, 0, 1), -1);
  g_globalAchievements[GLOBAL_WORD_MUSHROOMS] = 0;
  UnlockNextMission(200, 100, 3);
  EXPECT_EQ(g_globalAchievements[GLOBAL_WORD_MUSHROOMS], 3);
  EXPECT_FLOAT_EQ(flyingShrooms[14].destinationX, 7); // the one in flight keeps its target

  for (flyingShroom& f : flyingShrooms)
    f.active = 0;
  UnlockNextMission(200, 100, 2);
  EXPECT_EQ(g_globalAchievements[GLOBAL_WORD_MUSHROOMS], 3);
  EXPECT_EQ(flyingShrooms[0].active + flyingShrooms[1].active, 2);
  EXPECT_FLOAT_EQ(flyingShrooms[1].destinationX, (float)(MAXX - 50));
  EXPECT_FLOAT_EQ(flyingShrooms[1].x, 170);
}

TEST_F(FragmentsTest, FragmentsMoveInWholePixelsAndEndWhenTheyFade) {
  AddFragment(0, 100, 100, 0, 0, 0, 0, 1, 0, 255, -255, 0);
  AddFragment(1, 100, 100, 0, 0, 0, 0, 1, 0, 255, 0, 0);
  Fragments[1].vx = 0.5f;
  for (int i = 0; i < 99; ++i)
    ProcessAndDrawFragments(0.01f);
  EXPECT_EQ(Fragments[0].active, 1);
  ProcessAndDrawFragments(0.011f);
  ProcessAndDrawFragments(0.01f);
  EXPECT_EQ(Fragments[0].active, 0);
  EXPECT_EQ(Fragments[1].x, 100);
}

} // namespace
