// Object behaviours that end in the run record: the mushroom pickup with its magnet, the secret
// item, and the exit door that pulls the hero in and starts the level's end.
#include <cmath>
#include <cstdlib>

#include "animator.h"
#include "behaviours.h"
#include "fly_texts.h"
#include "game_globals.h"
#include "game_rect.h"
#include "level_data.h"
#include "mission_table.h"
#include "progress_files.h"
#include "sound_table.h"
#include "sprite_tables.h"
#include "surface.h"

namespace {

// The level's record says its mushroom was taken by this character; a level or character
// outside the tables has no record.
bool MushroomTakenBefore(int character) {
  if (g_levelSelected < 0 || g_levelSelected >= LEVEL_RECORDS) return false;
  int word = LEVEL_WORD_MUSHROOM + character;
  if (character < 0 || word >= LEVEL_RECORD_WORDS) return false;
  return g_levelAchievements[g_levelSelected][word] != 0;
}

// The taken item large in the middle of the screen: it grows from nothing to 2.5 while it fades out
// within half a second of the animator's clock, and the slot frees itself when the ramp is over.
void ShowTakenItem(Surface* sprite, int x) {
  effect_animator& a = EffectAnimators[0];
  a.Init(sprite, x, MAXY / 2, x, MAXY / 2, 0, 0.5f, 0, 2.5f, 255, 0, 0, 0, 0, 0);
  a.lifetime = 0.5f;
}

} // namespace

int SecretItemIndex(const gameRect& o) {
  int i = (int)std::fabs(o.custom1 / 6);
  return i < 100 ? i : -1;
}

void BehaviourMushroom(gameRect& o, const HeroReach& r, float dt) {
  gameRect& hero = GameRects[0];
  if ((float)r.d2 < (float)o.radius + r.w * r.w && !o.hidden && !HeroOutOfPlay()) {
    o.hidden = 1;
    hero.SwitchAnimation(21);
    hero.mushroomTimer = 7.0f;
    hero.frame = 0;
    g_levelCurrentData.mushroomsTaken += 1;
    ShowTakenItem(RectSprite(o.type, 1), (int)((float)(MAXX / 2) / g_guiShiftX));
    EnginePlaySound(23, 0);
  }
  if (hero.magnet && r.d2 < 10000 && !o.hidden && !HeroOutOfPlay()) {
    o.layer = 18;
    o.x -= (float)r.dx * dt;
    o.y -= (float)r.dy * dt;
    o.UpdateCoordinates();
  }
  if (g_finalRelease && !o.hidden &&
      (MushroomTakenBefore(g_characterID) || MushroomTakenBefore(GlobalData.characterIndex)))
    o.active = 0;
}

void BehaviourSecret(gameRect& o, const HeroReach& r) {
  int i = SecretItemIndex(o);
  if (i < 0) return;
  if (g_finalRelease && !o.hidden && g_globalAchievements[GLOBAL_WORD_SECRETS + i]) {
    o.active = 0;
    return;
  }
  if (!((float)r.d2 < (float)o.radius + r.w * r.w) || o.hidden) return;
  o.hidden = 1;
  Missions[18].AddToCounter(1.0f);
  Missions[25].AddToCounter(1.0f);
  g_levelCurrentData.secretsTaken += 1;
  g_levelCurrentData.secretIndex = i;
  ShowTakenItem(g_secretItems[i], MAXX / 2);
  AddFlyText(MAXX / 2, MAXY / 2, 0, -120, "Secret Item Found!", 0);
  EnginePlaySound(24, 0);
}

void BehaviourDoor(gameRect& o, const HeroReach& r, float dt) {
  gameRect& hero = GameRects[0];
  if ((float)r.d2 < (float)o.radius * 0.6f + r.w * r.w && hero.animation != 20) {
    o.frameCount = 28;
    hero.mushroomTimer = -1;
    hero.SwitchAnimation(20);
    // A bubble or another held row would refuse the switch: the door row is what keeps the entry
    // from repeating.
    hero.animation = 20;
    hero.frame = 0;
    hero.impulseX = 0;
    hero.outOfPlay = 1;
    hero.vx = hero.vy = 0;
    PauseMusic();
    EnginePlaySound(11, 0);
  }
  if (o.frameCount > 1) {
    hero.x += (float)r.dx * dt * 40;
    hero.y += (float)r.dy * dt * 40;
    hero.UpdateCoordinates();
    int f = (int)o.frame;
    o.fps = f == 5 ? 3.0f : f == 10 ? 2.0f : 30.0f;
    o.fps *= hero.fastForward ? 5.0f : 1.9f;
  }
}
