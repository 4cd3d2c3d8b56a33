// Level completion and navigation.
#include "level_complete.h"

#include <cstdio>
#include <initializer_list>

#include "animator.h"
#include "background_fitting.h"
#include "buttons.h"
#include "catalogue.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "help_dialogs.h"
#include "level_data.h"
#include "level_end.h"
#include "level_layout.h"
#include "missions.h"
#include "progress_files.h"
#include "recordings.h"
#include "score.h"
#include "sound_table.h"

bool levelEndedHere = false;
void (*g_levelEndPresentationHook)(bool) = AddLevelEndAnimation;

namespace {

bool ValidLevel(int l) { return l >= 0 && l < LEVEL_RECORDS; }

// One for each of these missions.
void CountOne(std::initializer_list<int> missions) {
  for (int m : missions)
    Missions[m].AddToCounter(1.0f);
}

} // namespace

void OnLevelComplete() {
  int L = g_levelSelected;
  float t = g_levelCurrentData.levelTime;
  int r = g_levelCurrentData.rank;
  CountOne({0, 5, 10});

  // Compared before the best time below is replaced: an equal time keeps the old ghost.
  float best = GetLevelBestTime(L, g_characterID);
  if (best >= 0.01f ? best > t : true) SaveRecording();
  if (L == 0) SaveRecording();

  if (ValidLevel(L)) {
    s32* rec = g_levelAchievements[L];
    if (rec[LEVEL_WORD_RANK] < 4 && r == 4) {
      CountOne({6, 21, 30});
    }
    if (best > t || best < 0.01f) {
      SetLevelBestTime(L, g_characterID, t);
      rec[LEVEL_WORD_RANK] = r;
    }
  }
  if (g_levelCurrentData.secretsTaken > 0) {
    int item = GLOBAL_WORD_SECRETS + g_levelCurrentData.secretIndex;
    if (item >= GLOBAL_WORD_SECRETS && item < GLOBAL_ACHIEVEMENT_WORDS) g_globalAchievements[item] = 1;
  }
  // The records end at level 399: the last level opens nothing beyond them.
  if (ValidLevel(L + 1)) g_levelAchievements[L + 1][LEVEL_WORD_OPENED] = 1;
  if (ValidLevel(L)) {
    s32* rec = g_levelAchievements[L];
    rec[LEVEL_WORD_COMPLETIONS] += 1;
    if (rec[LEVEL_WORD_COMPLETIONS] == 1) rec[LEVEL_WORD_DEATHS] = g_levelCurrentData.deaths;
    if (g_levelCurrentData.mushroomsTaken > 0) {
      int c = GlobalData.characterIndex;
      if (c >= 0 && c < 20) rec[LEVEL_WORD_MUSHROOM + c] = 1;
      CountOne({8, 26});
      GainMushrooms(1);
    }
  }
  g_levelCurrentData.deaths = 0;
  printf("sprocklet: level %d completed in %.3f s with rank %d\n", L, t, r);
  ClearTemporarySurfaces();
  UpdateScore();
  SaveAllLevelsInfo();
  SaveAllData();
}

void ProcessLevelCompletion(int, int) {
  gameRect& hero = GameRects[0];
  if (!hero.levelFinished) {
    levelEndedHere = false;
    return;
  }
  const effect_animator& script = EffectAnimators[33];
  if (script.time < script.endTime) {
    hero.fastForward = 1;
    return;
  }
  if (levelEndedHere) return;
  ClearAnimators0_to_29();
  RestorePlaybackspeed();
  g_levelEndPresentationHook(true);
  AddLevelEndButtons();
  levelEndedHere = true;
}

void AddLevelEndButtons() {
  ClearButtons();
  AddButtonCustom(79, MAXY - 30, 159, 80, (ButtonType)1, "", nullptr, nullptr, RestartLevel);
  AddButtonCustom(239, MAXY - 30, 159, 80, (ButtonType)1, "", nullptr, nullptr, GoBackToMenu);
  AddButtonCustom(399, MAXY - 30, 159, 80, (ButtonType)1, "", nullptr, nullptr, NextLevel);
  AddButtonCustom(45, 0, 55, 230, (ButtonType)3, "", nullptr, nullptr, MissionsCollapse);
  AddButtonCustom(0, 0, 55, 255, (ButtonType)3, "", nullptr, nullptr, LeaderboardsCollapse);
  DisableButtons();
}

bool isFinalLevelInThisWorld() {
  int i = LevelSetOf(g_levelSelected);
  return i >= 0 && g_levelSelected == g_levelStartingIndexes[i] + g_levelAmounts[i / 2] - 1;
}

void NextLevel() {
  g_paused = false;
  g_levelCurrentData.deaths = 0;
  ClearEffectAnimators();
  if (isFinalLevelInThisWorld()) {
    g_worldSelected += 1;
    SwitchMode(1);
  } else {
    g_levelSelected += 1;
    ClearButtons();
    SwitchMode(9);
    ResumeMusic();
  }
}

void RestartLevel() {
  gameRect& hero = GameRects[0];
  u8 shield = hero.shield, timeSlow = hero.timeSlow;
  g_paused = false;
  ClearEffectAnimators();
  RemoveShuttersAnimation();
  ClearButtons();
  SwitchMode(9);
  ResumeMusic();
  hero.shield = shield;
  hero.timeSlow = timeSlow;
}

void GoBackToMenu() {
  g_paused = false;
  ClearButtons();
  SwitchMode(11);
  if (g_previousMode >= 0 && g_previousMode < GAME_MODES && GameModes[g_previousMode])
    GameModes[g_previousMode]->fadeActive = 0;
  if (g_currentMode >= 0 && g_currentMode < GAME_MODES && GameModes[g_currentMode])
    GameModes[g_currentMode]->fadeActive = 0;
  ClearEffectAnimators();
  RemoveShuttersAnimation();
  ProcessEffectAnimators(0.001f);
  g_levelCurrentData.deaths = 0;
  g_effectProcessStopHack = 1;
}

void SkipLevel() {
  g_paused = false;
  NextLevel();
}

void NextLevelFor4Shrooms() {
  if (g_globalAchievements[GLOBAL_WORD_MUSHROOMS] > 2) {
    int slot = AddDialogByID(4, nullptr);
    if (slot >= 0) HelpDialogs[slot].buttons[0].action = NextLevelSpendShroom;
  } else {
    AddDialogByID(3, nullptr);
  }
}

void NextLevelSpendShroom() {
  int L = g_levelSelected;
  SpendMushrooms(3);
  if (ValidLevel(L + 1)) g_levelAchievements[L + 1][LEVEL_WORD_OPENED] = 1;
  if (ValidLevel(L)) {
    g_levelAchievements[L][LEVEL_WORD_OPENED] = 1;
    g_levelAchievements[L][LEVEL_WORD_COMPLETIONS] += 1;
  }
  KillDialogs();
  NextLevel();
}
