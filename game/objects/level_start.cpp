// RespawnCharacter, the level start: music, effects cleared, the level file read, the draw order
// rebuilt, the character's and the world's sprites, the hero at the start point, the pause button.
// After a death the level starts again from what its start read, unless its file changed since, so
// a restart allocates nothing. Alone in its file, so a test of the objects alone can stand in for it.
#include <cstdio>

#include "buttons.h"
#include "catalogue.h"
#include "draw_order.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "level_data.h"
#include "level_file.h"
#include "level_header.h"
#include "level_layout.h"
#include "object_list.h"
#include "particles.h"
#include "recordings.h"
#include "smoke.h"
#include "sound_table.h"
#include "sprite_tables.h"

bool canSwitchSoundTrack = false;

namespace {

bool startAnew = false;

void LevelMusic() {
  if (g_currentMode == 0) return;
  int level = g_levelSelected;
  if (level < g_levelStartingIndexes[20]) {
    if ((GetCurrentTrackPlayingTime() > 90 && canSwitchSoundTrack) || GetCurrentTrackID() != 1) {
      canSwitchSoundTrack = false;
      SwitchSoundtrack(1, true, false);
    }
    return;
  }
  int track = 2;
  for (int w = 0; w <= 4; ++w)
    if (g_levelStartingIndexes[21 + 2 * w] <= level && level <= g_levelStartingIndexes[22 + 2 * w])
      track = 2 + w;
  SwitchSoundtrack(track, false, false);
}

} // namespace

void StartLevelAnew() { startAnew = true; }

void RespawnCharacter(bool keepSprites) {
  gameRect& hero = GameRects[0];
  const bool afterDeath = hero.dead && !startAnew;
  startAnew = false;
  if (hero.levelFinished) canSwitchSoundTrack = true;
  LevelMusic();
  ClearSmoke();
  ClearParticles();
  if (g_levelSelected == 46 && g_characterID == 0) g_characterID = 2;

  char name[32];
  snprintf(name, sizeof name, g_finalRelease ? "level%i" : "level%i.txt", g_levelSelected);
  g_levelUnreadable = !(afterDeath ? EditorLoadAgain(name) : EditorLoad(name));
  ForceResortGlobalObjects();
  LoadCharacter(g_characterID);
  if (!keepSprites) LoadRects();

  hero.Init(0, g_levelCur.startX, g_levelCur.startY, HERO_TYPE, false);
  RecordingsReset();
  if (hero.color[0] > 0) {
    hero.color[0] = g_levelCur.characterA;
    hero.color[1] = g_levelCur.characterR;
    hero.color[2] = g_levelCur.characterG;
    hero.color[3] = g_levelCur.characterB;
  } else {
    hero.color[0] = hero.color[1] = hero.color[2] = hero.color[3] = 255;
  }
  g_levelCurrentData.Reset();
  if (afterDeath)
    ShadowRecordingAgain();
  else
    LoadShadowRecording();

  if (g_currentMode == 9) {
    ClearButtons();
    AddButtonCustom(MAXX - 18, 18, 52, 52, 0, "", g_guiPause[0], g_guiPause[1], ButtonPause);
  }
}
