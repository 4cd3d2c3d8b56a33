// Missions: the table, the current three, the rules with their off-by-one thresholds, the survival
// timer, the distance rule, the banner queue and the instant unlock's save.
#include "completion_fixture.h"

namespace {

using MissionsTest = CompletionTest;

std::vector<int> Current() {
  std::vector<int> out;
  for (int i = 0; i < MISSIONS; ++i)
    if (Missions[i].active) out.push_back(i);
  return out;
}

TEST_F(MissionsTest, TheTableDefinesThirtyOneMissionsWithTheirTextsAndRewards) {
  EXPECT_STREQ(Missions[0].name, "Warming Up");
  EXPECT_STREQ(Missions[28].achievementId, "achievement_take_for_the_team");
  EXPECT_STREQ(Missions[30].description, "Complete 20 levels with a perfect time");
  EXPECT_STREQ(Missions[1].extra, "123");
  EXPECT_STREQ(Missions[2].extra, "");
  EXPECT_EQ(Missions[2].progressMode, 1);
  EXPECT_EQ(Missions[22].progressMode, 2);
  EXPECT_EQ(Missions[10].reward, 3);
  EXPECT_FLOAT_EQ(Missions[5].unlockTimer, 15.0f);
  for (int i = 0; i < 31; ++i) {
    EXPECT_EQ(Missions[i].defined, 1) << i;
    EXPECT_EQ(Missions[i].rule, i);
    EXPECT_EQ(Missions[i].icon, i);
  }
  EXPECT_EQ(Missions[31].defined, 0);
}

TEST_F(MissionsTest, TheCurrentThreeAreTheFirstOpenOnesAndOnlyTheyCount) {
  EXPECT_EQ(Current(), (std::vector<int>{0, 1, 2}));
  Missions[3].AddToCounter(1.0f);
  EXPECT_EQ(Missions[3].counter, 0);
  Missions[1].AddToCounter(2.5f);
  Missions[1].AddToCounter(0.6f);
  // The counter is truncated after each addition; the accumulator keeps the fractions.
  EXPECT_EQ(Missions[1].counter, 2);
  EXPECT_NEAR(Missions[1].accumulator, 3.1f, 1e-5);
  // A just-completed mission stays current until its level-end unlock has played.
  Missions[0].DoInstantUnlock();
  ProcessMissions(0);
  EXPECT_EQ(Current(), (std::vector<int>{0, 1, 2}));
  Missions[0].justCompleted = 0;
  ProcessMissions(0);
  EXPECT_EQ(Current(), (std::vector<int>{1, 2, 3}));
}

struct Threshold {
  int mission;
  int below, at; // the counter that does not complete it, and the one that does
};

class MissionThreshold : public CompletionTest, public ::testing::WithParamInterface<Threshold> {};

TEST_P(MissionThreshold, CompletesAtItsCountNotBefore) {
  const Threshold& c = GetParam();
  MakeCurrent(c.mission);
  ASSERT_EQ(Missions[c.mission].active, 1);
  auto feed = [&](int n) {
    if (c.mission == 9)
      g_levelCurrentData.deaths = n;
    else
      while (Missions[c.mission].counter < n)
        Missions[c.mission].AddToCounter(1.0f);
    ProcessMissions(0);
  };
  feed(c.below);
  EXPECT_EQ(Missions[c.mission].completed, 0);
  feed(c.at);
  EXPECT_EQ(Missions[c.mission].completed, 1);
}

INSTANTIATE_TEST_SUITE_P(Missions, MissionThreshold,
                         ::testing::Values(Threshold{9, 20, 21}, Threshold{17, 30, 31}, Threshold{20, 40, 41},
                                           Threshold{0, 5, 6}, Threshold{1, 199, 200},
                                           Threshold{30, 19, 20}));

struct Timed {
  int mission;
  float time;
  bool completes;
};

class MissionTime : public CompletionTest, public ::testing::WithParamInterface<Timed> {};

TEST_P(MissionTime, CompletesOnlyOnAFinishedRunInsideItsTimes) {
  const Timed& c = GetParam();
  MakeCurrent(c.mission);
  g_levelCurrentData.levelTime = c.time;
  ProcessMissions(0);
  EXPECT_EQ(Missions[c.mission].completed, 0); // not finished yet
  GameRects[0].levelFinished = 1;
  ProcessMissions(0);
  EXPECT_EQ(Missions[c.mission].completed, c.completes ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Missions, MissionTime,
                         ::testing::Values(Timed{3, 10.0f, true}, Timed{3, 10.1f, true},
                                           Timed{3, 9.99f, false}, Timed{3, 10.11f, false},
                                           Timed{7, 5.0f, true}, Timed{7, 5.01f, false}));

TEST_F(MissionsTest, ANearMissIsUndoneByADeathWithinTwentyChecks) {
  MakeCurrent(13);
  Missions[13].AddToCounter(1.0f);
  for (int i = 0; i < 10; ++i)
    ProcessMissions(0.1f);
  EXPECT_EQ(Missions[13].counter, 11);
  GameRects[0].dead = 1;
  ProcessMissions(0.1f);
  EXPECT_EQ(Missions[13].counter, 0);
  GameRects[0].dead = 0;
  Missions[13].AddToCounter(1.0f);
  for (int i = 0; i < 19; ++i)
    ProcessMissions(0.1f);
  EXPECT_EQ(Missions[13].completed, 0);
  ProcessMissions(0.1f);
  EXPECT_EQ(Missions[13].completed, 1);
}

TEST_F(MissionsTest, DistanceCountsInTheLevelOnlyAndRunningLeftTakesItBack) {
  GameRects[0].vx = 300;
  g_currentMode = 0;
  ProcessMissions(0.1f);
  EXPECT_FLOAT_EQ(Missions[2].accumulator, 0);
  g_currentMode = 9;
  ProcessMissions(0.1f);
  EXPECT_NEAR(Missions[2].accumulator, 50, 1e-3); // 300 px/s x 1/60 s x 10
  GameRects[0].vx = -600;
  ProcessMissions(0.1f);
  EXPECT_NEAR(Missions[2].accumulator, -50, 1e-3);
  Missions[2].accumulator = 29995.0f;
  GameRects[0].vx = 0;
  ProcessMissions(0.1f);
  EXPECT_EQ(Missions[2].completed, 0);
  GameRects[0].vx = 60; // 10 px a check
  ProcessMissions(0.1f);
  EXPECT_EQ(Missions[2].completed, 1);
}

TEST_F(MissionsTest, TwoBannersShowOneAfterTheOther) {
  Missions[0].DoInstantUnlock();
  Missions[1].DoInstantUnlock();
  unlockedMissionY = -80.0f;
  std::vector<int> shown;
  float lowest = -80.0f;
  for (int i = 0; i < 100; ++i) {
    currentMission = -1;
    DrawUnlockedMissionsIfAny(0.125f);
    shown.push_back(currentMission);
    if (unlockedMissionY > lowest) lowest = unlockedMissionY;
  }
  // 5 s (40 frames) of mission 0, then 5 s of mission 1, then nothing.
  for (int i = 0; i < 100; ++i)
    EXPECT_EQ(shown[i], i < 40 ? 0 : i < 80 ? 1 : -1) << i;
  EXPECT_FLOAT_EQ(lowest, 24.0f);
  // The banner slid down to its cap and back up to its rest.
  EXPECT_FLOAT_EQ(unlockedMissionY, -80.0f);
}

TEST_F(MissionsTest, AnInstantUnlockSavesTheMissionFileAndPlaysItsSound) {
  Missions[1].counter = 7;
  Missions[1].DoInstantUnlock();
  EXPECT_TRUE(Played(13));
  std::ifstream in(DataPath("missions.cfg"), std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 1500u);
  EXPECT_EQ(bytes[15 + 0], 7);  // counter
  EXPECT_EQ(bytes[15 + 8], 1);  // completed
  EXPECT_EQ(bytes[15 + 9], 1);  // just completed
  EXPECT_EQ(bytes[15 + 14], 1); // current
  // A second unlock of a done mission changes nothing.
  Missions[1].bannerTimer = 2;
  Missions[1].DoInstantUnlock();
  EXPECT_FLOAT_EQ(Missions[1].bannerTimer, 2);
}

TEST_F(MissionsTest, UnlockRulesReadTheCharactersAndBonusWorlds) {
  int characters[15], worlds[WORLDS];
  memcpy(characters, g_charactersUnlocked, sizeof characters);
  memcpy(worlds, g_worldsUnlocked, sizeof worlds);
  for (int i = 1; i < 15; ++i)
    g_charactersUnlocked[i] = 0;
  for (int i = 10; i < 15; ++i)
    g_worldsUnlocked[i] = 0;
  MakeCurrent(22); // 22, 23, 24
  EXPECT_EQ(Missions[22].completed + Missions[23].completed, 0);
  g_charactersUnlocked[4] = 1;
  g_worldsUnlocked[12] = 1;
  ProcessMissions(0);
  EXPECT_EQ(Missions[22].completed, 1);
  EXPECT_EQ(Missions[23].completed, 1);
  MakeCurrent(27); // 27, 28, 29
  for (int i = 10; i < 14; ++i)
    g_worldsUnlocked[i] = 1;
  g_charactersUnlocked[5] = 1;
  ProcessMissions(0);
  EXPECT_EQ(Missions[27].completed, 0);
  EXPECT_EQ(Missions[28].counter, 2);
  g_worldsUnlocked[14] = 1;
  g_charactersUnlocked[6] = 1;
  ProcessMissions(0);
  EXPECT_EQ(Missions[27].completed, 1);
  EXPECT_EQ(Missions[28].completed, 1);
  memcpy(g_charactersUnlocked, characters, sizeof characters);
  memcpy(g_worldsUnlocked, worlds, sizeof worlds);
}

} // namespace
