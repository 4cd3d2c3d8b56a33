// The run record of the level in play, its clock, its rank rule and its pause.
#include "level_data.h"

#include "game_rect.h"
#include "level_header.h"
#include "sound_table.h"

levelCurrentData g_levelCurrentData;
bool g_paused = false;
bool pauseSpecialsEnabled = false;

void levelCurrentData::Reset() {
  levelTime = 0;
  frames = 0;
  mushroomsTaken = 0;
  secretsTaken = 0;
}

void levelCurrentData::Process(float dt) {
  sinceRespawn += dt;
  frames += 1;
}

void ProcessCurrentLevel(float dt) {
  g_levelCurrentData.Process(dt);
  const gameRect& hero = GameRects[0];
  if (hero.active && !hero.dead && !hero.levelFinished && g_levelCurrentData.levelTime < 59.99f)
    g_levelCurrentData.levelTime += dt;
}

int RankOfTime(float t, const levelHeader& header) {
  int rank = 3;
  if (t > header.rankTime3) rank = 2;
  if (t > header.rankTime2) rank = 1;
  if (t > header.rankTime1) rank = 1;
  if (t < header.rankTime4) rank = 4;
  return rank;
}

void ButtonPause() {
  if (!g_paused) {
    pauseSpecialsEnabled = false;
    EnginePlaySound(34, 0);
    g_paused = true;
  } else {
    g_paused = false;
  }
}
