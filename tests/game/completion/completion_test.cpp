// Level completion: the run booked into the records and missions, the ghost kept only for a new
// best, the score, the level-end taps and buttons, and the navigation actions.
#include "completion_fixture.h"

#include <cstdint>

#include "background_fitting.h"
#include "level_layout.h"
#include "score.h"

namespace {

// The level-end presentation the accepting tap starts counts its starts.
int levelEndAnimations = 0;
bool lastPhase = false;
void CountLevelEndAnimation(bool phase1) {
  ++levelEndAnimations;
  lastPhase = phase1;
}

class LevelCompleteTest : public CompletionTest {
protected:
  void SetUp() override {
    CompletionTest::SetUp();
    levelEndAnimations = 0;
    keepPresentation = g_levelEndPresentationHook;
    g_levelEndPresentationHook = CountLevelEndAnimation;
    memcpy(starts, g_levelStartingIndexes, sizeof starts);
    memcpy(amounts, g_levelAmounts, sizeof amounts);
    // One set of levels 1-20 first in the tables.
    g_levelStartingIndexes[0] = 1;
    g_levelAmounts[0] = 20;
  }
  void TearDown() override {
    g_levelEndPresentationHook = keepPresentation;
    memcpy(g_levelStartingIndexes, starts, sizeof starts);
    memcpy(g_levelAmounts, amounts, sizeof amounts);
    CompletionTest::TearDown();
  }
  int starts[40], amounts[20];
  void (*keepPresentation)(bool) = nullptr;
  // A finished run of the current level.
  static void Finish(float time, int rank) {
    g_levelCurrentData.levelTime = time;
    g_levelCurrentData.rank = rank;
    g_levelCurrentData.frames = 30;
    for (int k = 0; k <= 30; ++k) {
      g_levelCurrentData.frames = k;
      Recordings[0].Record(time * 100 + k, 2000, 0, 0, false, 0, 0, 1, 0);
    }
    OnLevelComplete();
  }
  std::vector<char> Slurp(const std::string& name) const {
    std::ifstream in(DataPath(name), std::ios::binary);
    return std::vector<char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  // The x of the ghost file's first frame: which run it holds.
  float GhostRun() const {
    std::vector<char> b = Slurp("record1--0.r");
    if (b.size() < 8) return -1;
    float x;
    memcpy(&x, b.data() + 4, 4);
    return x / 100;
  }
};

TEST_F(LevelCompleteTest, AFirstRunIsBookedWholeAndSaved) {
  g_levelCurrentData.mushroomsTaken = 1;
  g_levelCurrentData.secretsTaken = 1;
  g_levelCurrentData.secretIndex = 3;
  g_levelCurrentData.deaths = 7;
  g_globalAchievements[GLOBAL_WORD_MUSHROOMS] = 4;
  GlobalData.characterIndex = 2;
  Finish(12.5f, 4);
  const s32* rec = g_levelAchievements[1];
  EXPECT_FLOAT_EQ(GetLevelBestTime(1, 0), 12.5f);
  EXPECT_EQ(rec[LEVEL_WORD_RANK], 4);
  EXPECT_EQ(rec[LEVEL_WORD_COMPLETIONS], 1);
  EXPECT_EQ(rec[LEVEL_WORD_DEATHS], 7);
  EXPECT_EQ(rec[LEVEL_WORD_MUSHROOM + 2], 1);
  EXPECT_EQ(rec[LEVEL_WORD_MUSHROOM], 0);
  EXPECT_EQ(g_levelAchievements[2][LEVEL_WORD_OPENED], 1);
  EXPECT_EQ(g_globalAchievements[GLOBAL_WORD_MUSHROOMS], 5);
  EXPECT_EQ(g_globalAchievements[GLOBAL_WORD_SECRETS + 3], 1);
  EXPECT_EQ(g_levelCurrentData.deaths, 0);
  EXPECT_EQ(Missions[0].counter, 1);
  // 30 for the perfect rank, 40 for the rank, 17.5 for the time.
  EXPECT_EQ(g_globalAchievements[GLOBAL_WORD_SCORE], 87);
  // The ghost holds one frame less than the last index.
  EXPECT_EQ(Slurp("record1--0.r").size(), 4u + 49 * 30);
  for (const char* f : {"allinfo.dat", "global.cfg", "missions.cfg", "options.cfg", "date.cfg"})
    EXPECT_TRUE(std::filesystem::exists(DataPath(f))) << f;
  // A second completion keeps the deaths of the first.
  g_levelCurrentData.deaths = 3;
  Finish(20, 1);
  EXPECT_EQ(rec[LEVEL_WORD_COMPLETIONS], 2);
  EXPECT_EQ(rec[LEVEL_WORD_DEATHS], 7);
}

TEST_F(LevelCompleteTest, TheMushroomOfTheRunIsAddedToAFullWalletWithoutPassingItsTop) {
  // A wallet read from a progress file may hold the largest count there is.
  g_globalAchievements[GLOBAL_WORD_MUSHROOMS] = INT32_MAX;
  g_levelCurrentData.mushroomsTaken = 1;
  Finish(12.5f, 3);
  EXPECT_EQ(g_globalAchievements[GLOBAL_WORD_MUSHROOMS], INT32_MAX);
}

TEST_F(LevelCompleteTest, RewardsReachTheCurrentMissions) {
  MakeCurrent(6); // 6, 7, 8
  g_levelCurrentData.mushroomsTaken = 1;
  Finish(30, 4);
  EXPECT_EQ(Missions[6].counter, 1); // the first perfect rank
  EXPECT_EQ(Missions[8].counter, 1); // the mushroom
  MakeCurrent(21);                   // 21, 22, 23: a perfect rank again on a level that has it counts no more
  Finish(29, 4);
  EXPECT_EQ(Missions[21].counter, 0);
  MakeCurrent(26);
  g_levelCurrentData.mushroomsTaken = 1;
  Finish(28, 2);
  EXPECT_EQ(Missions[26].counter, 1);
}

struct Second {
  float time;
  int rank;
  bool replaces;
};

class GhostKept : public LevelCompleteTest, public ::testing::WithParamInterface<Second> {};

TEST_P(GhostKept, OnlyAFasterRunReplacesTheGhostTheBestTimeAndTheRank) {
  Finish(12.5f, 3);
  ASSERT_FLOAT_EQ(GhostRun(), 12.5f);
  Finish(GetParam().time, GetParam().rank);
  bool replaced = GetParam().replaces;
  EXPECT_FLOAT_EQ(GhostRun(), replaced ? GetParam().time : 12.5f);
  EXPECT_FLOAT_EQ(GetLevelBestTime(1, 0), replaced ? GetParam().time : 12.5f);
  EXPECT_EQ(g_levelAchievements[1][LEVEL_WORD_RANK], replaced ? GetParam().rank : 3);
}

INSTANTIATE_TEST_SUITE_P(Completion, GhostKept,
                         ::testing::Values(Second{13.0f, 4, false}, Second{12.5f, 4, false},
                                           Second{11.0f, 2, true}));

TEST_F(LevelCompleteTest, AnotherCharactersFirstRunReplacesTheRankWithItsOwn) {
  Finish(10, 4);
  g_characterID = 3;
  Finish(40, 1);
  EXPECT_EQ(g_levelAchievements[1][LEVEL_WORD_RANK], 1);
  EXPECT_TRUE(std::filesystem::exists(DataPath("record1--3.r")));
  EXPECT_FLOAT_EQ(GetLevelBestTime(1, 0), 10);
}

TEST_F(LevelCompleteTest, TheLastLevelOfTheRecordsOpensNothingBeyondThem) {
  g_levelSelected = 399;
  s32 before[GLOBAL_ACHIEVEMENT_WORDS];
  memcpy(before, g_globalAchievements, sizeof before);
  Finish(20, 2);
  EXPECT_EQ(g_levelAchievements[399][LEVEL_WORD_COMPLETIONS], 1);
  EXPECT_EQ(g_levelAchievements[399][LEVEL_WORD_OPENED], 0);
  // Nothing past the level records changed but the score.
  for (int i = 0; i < GLOBAL_ACHIEVEMENT_WORDS; ++i)
    if (i != GLOBAL_WORD_SCORE && i != GLOBAL_WORD_PREVIOUS_SCORE) {
      EXPECT_EQ(g_globalAchievements[i], before[i]) << i;
    }
}

TEST_F(LevelCompleteTest, TheScoreCountsCompletedLevelsOnly) {
  g_globalAchievements[GLOBAL_WORD_SCORE] = 11;
  g_levelAchievements[5][LEVEL_WORD_COMPLETIONS] = 1;
  g_levelAchievements[5][LEVEL_WORD_RANK] = 4;
  SetLevelBestTime(5, 0, 12.5f);
  g_levelAchievements[6][LEVEL_WORD_COMPLETIONS] = 2; // no best time of character 0: 30 for the time
  g_levelAchievements[6][LEVEL_WORD_RANK] = 1;
  g_levelAchievements[7][LEVEL_WORD_COMPLETIONS] = 1; // slower than 30 s: the time subtracts
  g_levelAchievements[7][LEVEL_WORD_RANK] = 1;
  SetLevelBestTime(7, 0, 45);
  g_levelAchievements[8][LEVEL_WORD_RANK] = 4; // never completed
  SetLevelBestTime(8, 0, 1);
  UpdateScore();
  EXPECT_EQ(g_globalAchievements[GLOBAL_WORD_PREVIOUS_SCORE], 11);
  EXPECT_EQ(g_globalAchievements[GLOBAL_WORD_SCORE], (int)(87.5f + 40 + (10 - 15)));
}

TEST_F(LevelCompleteTest, StarsAndMushroomsOfAWorld) {
  g_levelStartingIndexes[0] = 10;
  g_levelStartingIndexes[1] = 20;
  g_levelStartingIndexes[2] = g_levelStartingIndexes[3] = 30;
  g_levelAmounts[0] = g_levelAmounts[1] = 3;
  for (int l : {10, 12, 21, 30, 32}) {
    g_levelAchievements[l][LEVEL_WORD_COMPLETIONS] = 1;
    g_levelAchievements[l][LEVEL_WORD_RANK] = 4;
    g_levelAchievements[l][LEVEL_WORD_MUSHROOM + 1] = 1;
  }
  g_levelAchievements[12][LEVEL_WORD_RANK] = 2;
  g_levelAchievements[12][LEVEL_WORD_MUSHROOM + 5] = 1;
  g_levelAchievements[11][LEVEL_WORD_RANK] = 3; // not completed
  g_levelAchievements[11][LEVEL_WORD_MUSHROOM] = 1;
  EXPECT_EQ(GetNumberOfStarsInWorld(0), 3 + 2 + 3);
  EXPECT_EQ(GetNumberOfShroomsInWorld(0), 4);
  // Two sets starting at the same level count once.
  EXPECT_EQ(GetNumberOfStarsInWorld(1), 6);
  EXPECT_EQ(GetNumberOfShroomsInWorld(1), 2);
  EXPECT_EQ(GetNumberOfStarsInWorld(-1), 0);
}

TEST_F(LevelCompleteTest, TheFirstTapFastForwardsAndTheNextShowsTheButtonsOnce) {
  ProcessLevelCompletion(0, 0);
  EXPECT_EQ(levelEndAnimations, 0); // not finished: nothing
  GameRects[0].levelFinished = 1;
  EffectAnimators[33].Init(nullptr, 0, 0, 0, 0, 0, 2.0f, 1, 1, 255, 255, 0, 0, 0, 0);
  EffectAnimators[3].Init(nullptr, 0, 0, 0, 0, 0, 2.0f, 1, 1, 255, 255, 0, 0, 0, 0);
  ProcessLevelCompletion(0, 0);
  EXPECT_EQ(GameRects[0].fastForward, 1);
  EXPECT_EQ(Buttons[2].active, 0);
  while (EffectAnimators[33].time < EffectAnimators[33].endTime)
    ProcessEffectAnimators(0.016f);
  ProcessLevelCompletion(0, 0);
  ProcessLevelCompletion(0, 0);
  EXPECT_EQ(levelEndAnimations, 1);
  EXPECT_TRUE(lastPhase);
  EXPECT_EQ(GameRects[0].fastForward, 0);
  EXPECT_EQ(EffectAnimators[3].active, 0);
  EXPECT_TRUE(levelEndedHere);
  EXPECT_EQ(Buttons[2].active, 1);
  EXPECT_EQ(Buttons[2].action, NextLevel);
  EXPECT_EQ(Buttons[0].action, RestartLevel);
  EXPECT_EQ(Buttons[1].action, GoBackToMenu);
  EXPECT_EQ(Buttons[2].disabled, 1); // the script enables them when it shows them
}

TEST_F(LevelCompleteTest, NextLevelGoesOnInsideASetAndToTheMapAfterItsLast) {
  g_levelSelected = 5;
  g_levelCurrentData.deaths = 4;
  NextLevel();
  EXPECT_EQ(g_levelSelected, 6);
  EXPECT_EQ(modes[9]->entered, 1);
  EXPECT_EQ(g_levelCurrentData.deaths, 0);
  g_levelSelected = 20;
  EXPECT_TRUE(isFinalLevelInThisWorld());
  NextLevel();
  EXPECT_EQ(g_currentMode, 1);
  EXPECT_EQ(g_worldSelected, 1);
  EXPECT_EQ(g_levelSelected, 20);
}

TEST_F(LevelCompleteTest, ARestartKeepsABoughtShieldAndTimeSlow) {
  GameRects[0].shield = 1;
  GameRects[0].timeSlow = 1;
  EffectAnimators[40].Init(nullptr, 0, 0, 0, 0, 0, 1, 1, 1, 255, 255, 0, 0, 0, 0);
  RestartLevel();
  EXPECT_EQ(modes[9]->entered, 1);
  EXPECT_EQ(GameRects[0].shield, 1);
  EXPECT_EQ(GameRects[0].timeSlow, 1);
  EXPECT_EQ(EffectAnimators[40].active, 0);
}

TEST_F(LevelCompleteTest, GoingBackToTheMenuStopsTheOldScript) {
  g_levelCurrentData.deaths = 3;
  GoBackToMenu();
  EXPECT_EQ(g_currentMode, 11);
  EXPECT_EQ(modes[11]->fadeActive, 0);
  EXPECT_EQ(g_levelCurrentData.deaths, 0);
  EXPECT_EQ(g_effectProcessStopHack, 1);
  g_effectProcessStopHack = 0;
}

TEST_F(LevelCompleteTest, TheThreeMushroomSkipCountsACompletionAndOpensBothLevels) {
  g_globalAchievements[GLOBAL_WORD_MUSHROOMS] = 2;
  NextLevelFor4Shrooms();
  int open = -1;
  for (int i = 0; i < HELP_DIALOGS; ++i)
    if (HelpDialogs[i].active) open = i;
  ASSERT_GE(open, 0); // not enough: the notice
  EXPECT_NE(HelpDialogs[open].buttons[0].action, NextLevelSpendShroom);
  KillDialogs();

  g_globalAchievements[GLOBAL_WORD_MUSHROOMS] = 5;
  g_levelSelected = 7;
  NextLevelFor4Shrooms();
  open = -1;
  for (int i = 0; i < HELP_DIALOGS; ++i)
    if (HelpDialogs[i].active) open = i;
  ASSERT_GE(open, 0);
  ASSERT_EQ(HelpDialogs[open].buttons[0].action, NextLevelSpendShroom);
  HelpDialogs[open].buttons[0].action();
  EXPECT_EQ(g_globalAchievements[GLOBAL_WORD_MUSHROOMS], 2);
  EXPECT_EQ(g_levelAchievements[7][LEVEL_WORD_COMPLETIONS], 1);
  EXPECT_EQ(g_levelAchievements[7][LEVEL_WORD_OPENED], 1);
  EXPECT_EQ(g_levelAchievements[8][LEVEL_WORD_OPENED], 1);
  EXPECT_EQ(GetLevelBestTime(7, 0), 0);
  EXPECT_EQ(g_levelAchievements[7][LEVEL_WORD_RANK], 0);
  EXPECT_FALSE(std::filesystem::exists(DataPath("record7--0.r")));
  EXPECT_EQ(g_levelSelected, 8);
  for (const helpDialog& d : HelpDialogs)
    EXPECT_EQ(d.active, 0);
}

} // namespace
