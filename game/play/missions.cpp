// The missions: the table of 31, their rules, the current three, the banner and the level-end list.
#include "missions.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "display.h"
#include "fragments.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "geometry.h"
#include "hge_font.h"
#include "level_data.h"
#include "mission_table.h"
#include "progress_files.h"
#include "sound_table.h"
#include "sprite_tables.h"
#include "surface.h"

int currentMission = -1;
float unlockedMissionY = -80.0f;
u8 beingUnlockedSoundPlayed = 0;

namespace {

struct MissionDef {
  int reward;
  int progressMode;
  const char* name;
  const char* description;
  const char* progressFormat;
};

const MissionDef kMissions[DEFINED_MISSIONS] = {
    {1, 0, "Warming Up", "Complete 6 levels.", "%i completed."},
    {1, 0, "Jumper", "Make 200 jumps", "%i jumps so far"},
    {2, 1, "Marathon", "Run 30,000 pixels.", "%i pixels covered."},
    {2, 0, "Perfect Timing", "Complete a level between 10.0 and 10.1 sec.", ""},
    {1, 0, "Undying", "Die 50 times.", "%i deaths so far."},
    {2, 0, "I Can Do This", "Complete 12 levels.", "%i levels so far."},
    {1, 0, "Progamer", "Complete any level with a perfect time", ""},
    {1, 0, "Flash", "Complete a level in 5 seconds or less.", "Current Time: %i seconds"},
    {2, 0, "Shroom Hunter", "Collect 3 mushrooms", "%i so far."},
    {1, 0, "Stubborn", "Die 20 times in a row on a single level.", "%i so far"},
    {3, 0, "I Am Legend", "Complete 25 levels", "%i levels so far"},
    {1, 0, "Shielded", "Purchase and use a shield", ""},
    {2, 0, "Balloon Master", "Jump on 50 balloons.", "%i balloons so far."},
    {1, 0, "Rocket Chaser", "Have a near miss with a projectile.", ""},
    {2, 0, "Immortal", "Die 200 times.", "%i times so far."},
    {2, 0, "Easy Peasy", "Complete Vir Idivodor Odid minigame", ""},
    {2, 0, "Addicted", "Play the game for a total of 3 hours.", "%i minutes so far."},
    {3, 0, "Torch", "Get burned to a crisp 30 times", "%i so far"},
    {3, 0, "Magic Finder", "Collect a secret item.", "%i so far"},
    {1, 0, "Follower", "Open 'More Games' or 'About' link in menu.", ""},
    {3, 0, "Electroman", "Get electrocuted 40 times", "%i electric shocks so far"},
    {3, 0, "Epic Gamer", "Complete 5 levels with a perfect time", "%i levels so far"},
    {2, 2, "Minime", "Unlock new character", ""},
    {3, 0, "Challenge", "Unlock bonus world.", ""},
    {2, 0, "Teleportation", "Use teleporter 50 times.", "Used %i times."},
    {3, 0, "Know All Secrets", "Collect 5 secret items.", ""},
    {3, 0, "Shroom Destroyer", "Collect 10 mushrooms", "%i so far."},
    {3, 0, "Bigger Challenge", "Unlock all bonus worlds.", ""},
    {3, 0, "Take For The Team", "Unlock 3 bonus characters.", "%i so far"},
    {3, 0, "Generosity", "Purchase any amount of mushrooms.", ""},
    {3, 0, "Possible Impossible", "Complete 20 levels with a perfect time", "%i so far"},
};

// Counter thresholds of the rules that only count (0: not a counting rule).
int Threshold(int rule) {
  static const int kReach[DEFINED_MISSIONS] = {6, 200, 0, 0, 50, 12, 1, 0, 3,  0, 25, 1, 50, 0, 200, 1,
                                               0, 31,  1, 1, 41, 5,  0, 0, 50, 5, 10, 0, 0,  1, 20};
  return rule >= 0 && rule < DEFINED_MISSIONS ? kReach[rule] : 0;
}

int UnlockedCharacters() {
  int n = 0;
  for (int i = 1; i <= 14; ++i)
    n += g_charactersUnlocked[i] != 0;
  return n;
}

int UnlockedBonusWorlds() {
  int n = 0;
  for (int i = 10; i <= 14; ++i)
    n += g_worldsUnlocked[i] != 0;
  return n;
}

Surface* Icon(int i) { return i >= 0 && i < 60 ? g_achievementIcons[i] : nullptr; }

void Blit(float x, float y, float s, Surface* sprite) {
  if (display && sprite) display->BlitScaled(x, y, s, s, sprite, false);
}

void Text(float x, float y, float scale, int align, const char* text, ColorRGB c) {
  if (!FontSTD) return;
  FontSTD->SetScale(scale);
  FontSTD->Render(x, y, align, text, c);
}

} // namespace

void InitMissions() {
  for (int i = 0; i < DEFINED_MISSIONS; ++i) {
    const MissionDef& d = kMissions[i];
    char id[50] = "achievement_";
    size_t len = strlen(id);
    for (const char* c = d.name; *c && len + 1 < sizeof id; ++c)
      id[len++] = *c == ' ' ? '_' : (char)tolower((unsigned char)*c);
    id[len] = 0;
    Missions[i].Init(i, d.reward, i, d.progressMode, d.name, d.description, d.progressFormat, id,
                     i == 1 ? "123" : "");
  }
  LoadMissions();
}

void mission::CheckCompletion(float dt) {
  if (completed) return;
  const gameRect& hero = GameRects[0];
  float t = g_levelCurrentData.levelTime;
  bool met = false;
  switch (rule) {
  case 2:
    if (g_currentMode == 9) accumulator += hero.vx * g_realdt * 10.0f;
    met = accumulator > 30000.0f;
    break;
  case 3:
    met = hero.levelFinished && t >= 10.0f && t <= 10.1f;
    break;
  case 7:
    counter = (int)t;
    met = hero.levelFinished && t <= 5.0f;
    break;
  case 9:
    counter = g_levelCurrentData.deaths;
    met = counter > 20;
    break;
  case 13:
    if (counter > 0) ++counter;
    if (hero.dead) counter = 0;
    met = counter > 20;
    break;
  case 16:
    counter = (int)(accumulator / 60);
    accumulator += dt;
    met = accumulator > 10800.0f;
    break;
  case 22:
  case 28:
    counter = UnlockedCharacters();
    met = counter >= (rule == 22 ? 1 : 3);
    break;
  case 23:
    met = UnlockedBonusWorlds() > 0;
    break;
  case 27:
    met = UnlockedBonusWorlds() == 5;
    break;
  default:
    if (Threshold(rule) > 0) met = counter >= Threshold(rule);
    break;
  }
  if (met) DoInstantUnlock();
}

void mission::DoInstantUnlock() {
  if (completed) return;
  completed = 1;
  justCompleted = 1;
  bannerTimer = 0;
  EnginePlaySound(13, 0);
  SaveMissions();
}

void ProcessMissions(float dt) {
  int k = 0;
  for (int i = 0; i < MISSIONS; ++i) {
    mission& m = Missions[i];
    m.active = 0;
    if (!m.defined) continue;
    if (m.completed && !m.justCompleted) continue;
    if (k == 3) break;
    m.active = 1;
    m.CheckCompletion(dt);
    ++k;
  }
}

void DrawUnlockedMissionsIfAny(float dt) {
  int shown = -1;
  for (int i = 0; i < MISSIONS; ++i) {
    const mission& m = Missions[i];
    if (!m.completed) continue;
    if (m.bannerTimer < 3.0f) {
      unlockedMissionY += 300 * dt;
      if (unlockedMissionY > 24.0f) unlockedMissionY = 24.0f;
    } else if (m.bannerTimer < 4.0f) {
      unlockedMissionY += -500 * dt;
      if (unlockedMissionY < -80.0f) unlockedMissionY = -80.0f;
    }
    if (m.bannerTimer < 5.0f) {
      shown = i;
      break;
    }
  }
  if (shown < 0) return;
  mission& m = Missions[shown];
  m.bannerTimer += dt;
  float y = unlockedMissionY;
  Blit((float)(MAXX - 156), y, 0.5f, g_guiAchievement);
  Blit((float)(MAXX - 288), y - 3, 0.5f, Icon(m.icon));
  Blit((float)(MAXX - 20), y + 3, 0.5f, Icon(56 + m.reward));
  Text((float)(MAXX - 150), y - 10, 0.45f, 2, m.name, ColorRGB(0, 0, 0));
  Text((float)(MAXX - 150), y + 10, 0.3f, 2, "Mission Completed!", ColorRGB(0, 0, 0));
  currentMission = shown;
}

namespace {

void PlaceRows(bool alsoCurrent) {
  int k = 0;
  for (int i = 0; i < MISSIONS; ++i) {
    mission& m = Missions[i];
    if (!m.defined) continue;
    if (m.active || k >= 3) {
      m.panelTargetY = 63.0f * (float)k;
      if (alsoCurrent) m.panelY = m.panelTargetY;
      ++k;
    }
  }
}

} // namespace

void PrepareToDraw3Missions() {
  beingUnlockedSoundPlayed = 0;
  PlaceRows(true);
}

void Update3Missions() { PlaceRows(false); }

void DrawNext3Missions(int x, int y, float scale) {
  int drawn = 0;
  for (int i = 0; i < MISSIONS && drawn < 3; ++i) {
    mission& m = Missions[i];
    if (!m.defined) continue;
    bool unlocking = false;
    float px = (float)x, py = (float)y;
    if (m.justCompleted && m.active) {
      m.unlockTimer -= 6 * g_realdt;
      if (m.unlockTimer < 0) {
        m.unlockTimer = 0;
        m.justCompleted = 0;
        UnlockNextMission(x, y, m.reward);
      }
      px += randFloat(-1, 1);
      py += randFloat(-1, 1);
      unlocking = true;
    } else {
      m.unlockTimer += 6 * g_realdt;
    }
    if (m.unlockTimer > 15.0f) m.unlockTimer = 15.0f;
    if (!m.active) continue;
    m.panelY += g_realdt * (m.panelY - m.panelTargetY) * -5.0f;
    float s = scale * (m.unlockTimer < 1.0f ? m.unlockTimer : 1.0f);
    DrawMissionPanelForEndlevel(i, (int)px, (int)(py + m.panelY), s, unlocking);
    ++drawn;
  }
}

void DrawMissionPanelForEndlevel(int i, int x, int y, float s, bool beingUnlocked) {
  if (i < 0 || i >= MISSIONS) return;
  const mission& m = Missions[i];
  if (beingUnlocked) {
    if (!beingUnlockedSoundPlayed) {
      beingUnlockedSoundPlayed = 1;
      EnginePlaySound(29, 0);
    }
    s *= 1 + 0.05f * sinf(20 * g_timef);
  }
  Blit((float)x, (float)y, s * 0.5f, g_achievementPanel2);
  Blit((float)(x - 165), (float)y, s * 0.5f, Icon(m.icon));
  Blit((float)(x + 165), (float)(y + 3), s * 0.5f, Icon(56 + m.reward));
  Text((float)(x - 136), (float)(y - 12), s * 0.45f, 0, m.name, ColorRGB(0, 0, 0));
  float ds = strlen(m.description) >= 32 ? s * 0.23f : s * 0.28f;
  Text((float)(x - 139), (float)(y + 2), ds, 0, m.description, ColorRGB(65, 65, 65));
  if (m.progressMode < 2 && m.progressFormat[0]) {
    char line[160];
    snprintf(line, sizeof line, m.progressFormat, m.progressMode == 0 ? m.counter : (int)m.accumulator);
    Text((float)(x - 136), (float)(y + 16), ds, 0, line, ColorRGB(215, 165, 40));
  }
}

void UnlockNextMission(int x, int y, int reward) {
  ProcessMissions(0);
  Update3Missions();
  for (int r = 0; r < reward; ++r) {
    int slot =
        AddShroom(RectSprite(57, 1), x - 30, y, 0, 3.1415927f, randFloat(-5, 5), (int)randFloat(-100, -300),
                  (int)randFloat(300, 600), 0.5f, 0.0f, 255.0f, 0.0f, 0, 1);
    // Every flying slot is taken: the reward is paid at once rather than lost.
    if (slot < 0)
      GainMushrooms(1);
    else
      flyingShrooms[slot].SetDestination(MAXX - 50, 20, 100.0f);
  }
}

int DrawMissionIcons(int x, int y, float s) {
  int row = 0, just = 0;
  for (int i = 0; i < MISSIONS && row < 3; ++i) {
    const mission& m = Missions[i];
    if (!m.defined || !m.active) continue;
    Blit((float)x, (float)(y + 25 * row), s * 0.5f, Icon(m.icon));
    just += m.justCompleted;
    ++row;
  }
  return just;
}

void DrawMissionPanel(int i, int x, int y, float s) {
  if (i < 0 || i >= MISSIONS) return;
  const mission& m = Missions[i];
  Blit((float)x, (float)y, s * 0.5f, g_achievementPanel);
  Blit((float)(x - 175), (float)y, s * 0.5f, Icon(m.icon));
  Blit((float)(x - 213), (float)(y + 3), s * 0.5f, Icon(56 + m.reward));
  Text((float)(x - 140), (float)(y - 8), s * 0.45f, 0, m.name, ColorRGB(0, 0, 0));
  float ds = strlen(m.description) > 31 ? s * 0.24f : s * 0.28f;
  if (m.completed)
    Text((float)(x - 150), (float)(y + 10), ds, 0, m.description, ColorRGB(65, 65, 65));
  else
    Text((float)(x - 145), (float)(y + 10), ds, 0, m.description, ColorRGB(255, 255, 255));
}
