// The in-level HUD and the level background.
#include "hud.h"

#include <cstdio>

#include "background_fitting.h"
#include "display.h"
#include "game_globals.h"
#include "game_rect.h"
#include "hge_font.h"
#include "level_data.h"
#include "level_header.h"
#include "progress_files.h"
#include "quest_state.h"
#include "sprite_tables.h"
#include "surface.h"
#include "touch_controls.h"

float goldenStickCustomTime = 0;
float diesCountBannerY = -50.0f;

namespace {

void Draw(float x, float y, float sx, float sy, Surface* s) {
  if (s) display->BlitScaled(x, y, sx, sy, s, false);
}
void Draw(float x, float y, float k, Surface* s) { Draw(x, y, k, k, s); }

float Max0(float v) { return v > 0 ? v : 0; }

void DrawGoldenStick(float t, float dt, const levelHeader& h) {
  if (t < h.rankTime4) Draw(40, 18, 0.5f, g_goldenStick);
  if (t < 1.0f) goldenStickCustomTime = 0;
  if (!(t >= h.rankTime4)) return;
  // Lost: it slides right and flattens, then bounces back narrower and is gone after 0.4 s.
  goldenStickCustomTime += dt;
  float g = goldenStickCustomTime;
  if (g < 0.2f)
    Draw(40 + 100 * g, 18, 0.5f - g, 0.5f + g, g_goldenStick);
  else if (g <= 0.4f)
    Draw(40 + 100 * g - 500 * (g - 0.2f), 18, 0.5f - g + 5 * (g - 0.2f), 0.5f + g - 5 * (g - 0.2f),
         g_goldenStick);
}

void DrawControls() {
  const gameRect& hero = GameRects[0];
  if (g_accelerometerControl == 0) {
    display->SetBlending(40);
    Draw(RmoveCenter.x, RmoveCenterCur.y, 0.5f, g_guiJoystick[1]);
    display->SetBlending(255);
    Draw(RmoveCenter.x - RmoveCenterCur.x, RmoveCenterCur.y, hero.steerable ? 0.5f : 0.25f, g_guiJoystick[0]);
  } else if (g_accelerometerControl == 10) {
    Draw(RmoveCenter.x, RmoveCenter.y, 0.5f, g_guiArrowsPod);
    display->SetBlending(255);
    bool right = hero.steerable && RmoveCenterCur.x <= 0;
    bool left = hero.steerable && RmoveCenterCur.x > 0;
    Draw(RmoveCenter.x - 53, RmoveCenter.y, 0.5f, g_guiArrows[0][left ? 1 : 0]);
    Draw(RmoveCenter.x + 53, RmoveCenter.y, 0.5f, g_guiArrows[1][right ? 1 : 0]);
  }
}

} // namespace

void FormatLevelClock(char* out, size_t size, float t, bool quickSaved) {
  if (quickSaved) {
    snprintf(out, size, "-:-.-");
    return;
  }
  int whole = (int)t;
  snprintf(out, size, "%i:%2.2i", whole, (int)((t - (float)whole) * 100));
}

void DrawQuestInterface(float dt) {
  if (!display) return;
  const levelHeader& h = g_levelCur;
  levelCurrentData& run = g_levelCurrentData;
  const gameRect& hero = GameRects[0];
  float t = run.levelTime;

  Draw(84, 18, 0.5f, g_guiTime);
  // Each icon swells to 0.75 and shrinks to nothing within 0.15 s of its limit being passed.
  float a[3] = {1.0f, 1.0f, 1.0f};
  if (t > h.rankTime3) a[0] = Max0(1.5f - 10 * (t - h.rankTime3));
  if (t > h.rankTime2) {
    a[0] = 0;
    a[1] = Max0(1.5f - 10 * (t - h.rankTime2));
  }
  if (t > h.rankTime1) a[0] = a[1] = 0;
  if (run.quickSaved) a[0] = a[1] = a[2] = 0;
  run.rank = RankOfTime(t, h);
  DrawGoldenStick(t, dt, h);
  for (int i = 0; i < 3; ++i) {
    float x = 20 + 19 * (float)i;
    Draw(x, 18, 0.5f, g_guiCross[0]);
    Draw(x, 18, 0.5f * a[i], g_guiCross[1]);
  }

  char text[32];
  FormatLevelClock(text, sizeof text, t, run.quickSaved != 0);
  if (FontTime) {
    FontTime->SetScale(0.5f);
    FontTime->Render(90, 24, 0, text);
  }

  DrawControls();

  if (hero.hasSpecial) {
    RbuttonAttack.x = (float)(MAXX - 160);
    float v = hero.specialCooldown;
    if (v < 0)
      Draw(RbuttonAttack.x, RbuttonAttack.y, 0.5f, g_guiSuper);
    else if (v < 0.5f)
      Draw(RbuttonAttack.x, RbuttonAttack.y, 0.5f - v, g_guiSuper);
  }

  if (run.mushroomsTaken > 0) Draw(184, 18, 0.5f, g_guiShroom);

  // The counter slides in after each death and out again 2 s after the respawn.
  diesCountBannerY += run.sinceRespawn >= 2.0f ? -100 * dt : 100 * dt;
  if (diesCountBannerY < -50) diesCountBannerY = -50;
  if (diesCountBannerY > 0) diesCountBannerY = 0;
  Draw((float)(MAXX - 86), diesCountBannerY + 18, 0.5f, g_guiDeaths);
  snprintf(text, sizeof text, "%i", run.deaths);
  if (FontTime) FontTime->Render((float)(MAXX - 87), diesCountBannerY + 24, 0, text);
}

void DrawBackgrounds(float) {
  if (!display) return;
  const levelHeader& h = g_levelCur;
  display->SetNoBlackEdgesMode();
  if (h.backgroundR != 0) display->SetBlending(h.backgroundA, h.backgroundR, h.backgroundG, h.backgroundB);
  display->DisableGLBlend();
  if (h.noBackgroundScroll == 0 && g_screenScale > 1.0f)
    SmartDrawBackgroundIphone5_F(g_drawShiftX * 0.15f, 0, g_bgTile[1], false, true);
  else
    SmartDrawBackgroundIphone5(0, 0, g_bgTile[1], false, false);
  display->EnableGLBlend();
  display->SetBlending(255, 255, 255, 255);
  display->SetNormalMode();
}
