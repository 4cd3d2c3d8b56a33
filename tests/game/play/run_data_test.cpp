// The run record: the level clock and when it stands still, the rank a time earns, and what a
// death and a restart do to the record.
#include <gtest/gtest.h>

#include "game_rect.h"
#include "level_data.h"
#include "level_header.h"

namespace {

class RunDataTest : public ::testing::Test {
protected:
  void SetUp() override {
    g_levelCurrentData = levelCurrentData();
    static gameRect blank;
    GameRects[0] = blank;
    GameRects[0].active = 1;
  }
  void TearDown() override {
    static gameRect blank;
    GameRects[0] = blank;
  }
};

TEST_F(RunDataTest, TheClockStopsAtTheFirstValueAtOrAbove5999) {
  for (int i = 0; i < 5000; ++i)
    ProcessCurrentLevel(0.016f);
  EXPECT_GE(g_levelCurrentData.levelTime, 59.99f);
  EXPECT_LT(g_levelCurrentData.levelTime, 59.99f + 0.016f);
  EXPECT_EQ(g_levelCurrentData.frames, 5000);
}

TEST_F(RunDataTest, TheClockStandsStillWhilePausedDeadOrFinishedButFramesCount) {
  gameRect& hero = GameRects[0];
  ProcessCurrentLevel(0.5f);
  ProcessCurrentLevel(0.0f); // paused: the frame step is 0
  hero.dead = 1;
  ProcessCurrentLevel(0.016f);
  hero.dead = 0;
  hero.levelFinished = 1;
  ProcessCurrentLevel(0.016f);
  hero.levelFinished = 0;
  hero.active = 0;
  ProcessCurrentLevel(0.016f);
  EXPECT_FLOAT_EQ(g_levelCurrentData.levelTime, 0.5f);
  EXPECT_EQ(g_levelCurrentData.frames, 5);
  EXPECT_FLOAT_EQ(g_levelCurrentData.sinceRespawn, 0.5f + 3 * 0.016f);
}

TEST_F(RunDataTest, ResetClearsTheRunButKeepsDeathsAndExtent) {
  g_levelCurrentData.levelTime = 12;
  g_levelCurrentData.frames = 700;
  g_levelCurrentData.mushroomsTaken = 1;
  g_levelCurrentData.secretsTaken = 1;
  g_levelCurrentData.secretIndex = 4;
  g_levelCurrentData.deaths = 3;
  g_levelCurrentData.levelBottom = 5600;
  g_levelCurrentData.Reset();
  EXPECT_EQ(g_levelCurrentData.levelTime, 0);
  EXPECT_EQ(g_levelCurrentData.frames, 0);
  EXPECT_EQ(g_levelCurrentData.mushroomsTaken, 0);
  EXPECT_EQ(g_levelCurrentData.secretsTaken, 0);
  EXPECT_EQ(g_levelCurrentData.secretIndex, 4);
  EXPECT_EQ(g_levelCurrentData.deaths, 3);
  EXPECT_EQ(g_levelCurrentData.levelBottom, 5600);
}

struct RankCase {
  float time;
  int rank;
};

class RankTest : public ::testing::TestWithParam<RankCase> {};

TEST_P(RankTest, ALimitReachedExactlyKeepsTheBetterRank) {
  levelHeader h = {};
  h.rankTime4 = 10;
  h.rankTime3 = 15;
  h.rankTime2 = 20;
  h.rankTime1 = 25;
  EXPECT_EQ(RankOfTime(GetParam().time, h), GetParam().rank);
}

INSTANTIATE_TEST_SUITE_P(Times, RankTest,
                         ::testing::Values(RankCase{9.9f, 4}, RankCase{10, 3}, RankCase{15, 3},
                                           RankCase{15.01f, 2}, RankCase{20, 2}, RankCase{20.5f, 1},
                                           RankCase{40, 1}));

TEST(RankRule, WithAllLimitsAtZeroEveryRunScoresOne) {
  levelHeader h = {};
  for (float t : {0.016f, 5.0f, 59.99f})
    EXPECT_EQ(RankOfTime(t, h), 1) << t;
}

} // namespace
