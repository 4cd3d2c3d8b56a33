// Level completion and navigation: booking a finished run into the records, the level-end taps and
// buttons, and the restart, menu, next-level and skip actions.
#pragma once

extern bool levelEndedHere;
// What the accepting tap starts the level-end presentation's phase 1 through: AddLevelEndAnimation
// unless a test has put its own here.
extern void (*g_levelEndPresentationHook)(bool phase1);

void OnLevelComplete();
void ProcessLevelCompletion(int x, int y);
void AddLevelEndButtons();
bool isFinalLevelInThisWorld();
void NextLevel();
void RestartLevel();
void GoBackToMenu();
void SkipLevel();
void NextLevelFor4Shrooms();
void NextLevelSpendShroom();
