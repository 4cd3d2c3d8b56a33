// The level-end script, its callbacks, the golden-joystick loop and the shutters.
#include "level_end.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "animator.h"
#include "background_fitting.h"
#include "beams_shape.h"
#include "buttons.h"
#include "display.h"
#include "fragments.h"
#include "front_pieces.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "geometry.h"
#include "hge_font.h"
#include "level_data.h"
#include "level_header.h"
#include "level_layout.h"
#include "missions.h"
#include "object_list.h"
#include "progress_files.h"
#include "smoke.h"
#include "sound_table.h"
#include "sprite_tables.h"
#include "surface.h"

u8 missionsCollapsed = 1;
float missionsX = 0;
u8 leaderboardsCollapsed = 1;
s32 topScoreRetrieved = 0;
s32 topScoreRetrieved2 = 0;
u8 g_leaderboardsCurrentGlobal = 1;
char g_playerNames[100][30];
s32 g_playerScores[100];
s32 shsss = 0;

namespace {

Surface* FX(int i) { return i >= 0 && i < 80 ? g_levelEndFXs[i] : nullptr; }

effect_animator& A(int slot, Surface* s, int x0, int y0, int x1, int y1, float t0, float t1, float s0,
                   float s1, float a0 = 255, float a1 = 255, float angle = 0, float spin = 0, int blend = 0) {
  effect_animator& a = EffectAnimators[slot];
  a.Init(s, x0, y0, x1, y1, t0, t1, s0, s1, a0, a1, angle, angle, spin, blend);
  return a;
}

// A fixed place.
effect_animator& F(int slot, Surface* s, int x, int y, float t0, float t1, float s0, float s1, float a0 = 255,
                   float a1 = 255) {
  return A(slot, s, x, y, x, y, t0, t1, s0, s1, a0, a1);
}

void Vertical(effect_animator& a, float from, float to) {
  a.scaleYFrom = a.scaleY = from;
  a.scaleYTo = to;
}

effect_animator& Hidden(effect_animator& a) {
  a.hideAfterEnd = 1;
  return a;
}

// Where a sliding piece is at one moment, and how it is squashed or stretched there.
struct Key {
  int x;
  float t, scaleX, scaleY;
};

// A piece sliding along y through its keys: one animator for each step between two keys, from
// slot first on, each hidden when its step ends but the last, which is returned.
template <int N> effect_animator& Slide(int first, Surface* s, int y, const Key (&keys)[N]) {
  static_assert(N >= 2, "a slide has a step");
  for (int step = 0; step + 1 < N; ++step) {
    const Key &from = keys[step], &to = keys[step + 1];
    effect_animator& a = A(first + step, s, from.x, y, to.x, y, from.t, to.t, from.scaleX, to.scaleX);
    Vertical(a, from.scaleY, to.scaleY);
    if (step + 2 < N) Hidden(a);
  }
  return EffectAnimators[first + N - 2];
}

bool Wide() { return g_ratio_is_more_1_5 != 0; }

// Phase 0's vertical centring on screens taller than 3:2.
int PhaseZeroShift() { return g_ratio_is_less_1_5 ? (MAXY - 320) / 2 : 0; }

// A star's or pod's x, kept at the same distance from the panel's centre on wide screens.
int PanelX(float x) { return Wide() ? (int)((g_guiShiftX * 370 - (370 - x)) / g_guiShiftX) : (int)x; }

int SideX(int sign) { return (int)(sign * 480 / g_guiShiftX + 240); }

// A lower and an upper shutter at x, both moving from time 0 to end.
void Shutters(int lowerSlot, int upperSlot, int x, int lowerFrom, int lowerTo, int upperFrom, int upperTo,
              float end) {
  A(lowerSlot, FX(16), x, lowerFrom, x, lowerTo, 0, end, 1, 1);
  A(upperSlot, FX(15), x, upperFrom, x, upperTo, 0, end, 1, 1);
}

// A star dropping in from scale big, with one bounce.
void Star(int first, int x, int y, float t0, float t1, float t2, float t3, float big) {
  Hidden(F(first, FX(11), x, y, t0, t1, big, 1.0f));
  Hidden(F(first + 1, FX(11), x, y, t1, t2, 1.0f, 1.38f));
  F(first + 2, FX(11), x, y, t2, t3, 1.38f, 1.0f);
}

void PhaseZero() {
  const int v = PhaseZeroShift();
  const float T = g_levelCurrentData.levelTime;
  const float L1 = g_levelCur.rankTime4, L2 = g_levelCur.rankTime3, L3 = g_levelCur.rankTime2;
  const bool secret = g_levelCurrentData.secretsTaken > 0;
  const bool mushroom = g_levelCurrentData.mushroomsTaken > 0;

  effect_animator& panel = Slide(36, FX(39), v + 158,
                                 {{692, 0.23f, 0.89f, 1.63f},
                                  {572, 0.30f, 1.31f, 0.68f},
                                  {452, 0.39f, 1.36f, 0.78f},
                                  {314, 0.52f, 0.76f, 1.32f},
                                  {370, 0.61f, 1.0f, 1.0f}});
  if (T < L1) panel.onFinish = GoldenJoystickExtraAnimation;

  F(0, FX(1), 100, MAXY / 2, 0.0f, 0.5f, 72 * g_guiShiftX, 72 * g_guiShiftX, 0, 102);
  F(1, FX(9), 419, v + 168, 0.66f, 0.83f, 0, 1);
  F(2, FX(8), 322, v + 238, 0.80f, 0.95f, 0, 1);
  F(3, FX(10), 166, v + 89, 0.83f, 1.03f, 0, 1);
  F(4, FX(9), 76, v + 82, 1.00f, 1.16f, 0, 1);
  F(5, FX(9), 352, v + 122, 1.13f, 1.30f, 0, 0.64f);
  A(6, FX(4), 396, v + 52, 239, v + 159, 0.16f, 0.32f, 0, 1);
  A(7, FX(4), 391, v + 156, 288, v + 203, 0.27f, 0.44f, 0, 0.62f, 255, 255, 0.24f);
  F(8, FX(2), 240, MAXY / 2, 0.28f, 1000, 1, 1);
  EffectAnimators[8].spin = 2.46f;
  EffectAnimators[8].blend = 2;
  EffectAnimators[8].shape = BeamsShape(&EffectAnimators[8].shapeCorners);
  Hidden(F(9, FX(12), 240, v + 61, 0.36f, 0.72f, 4.7f, 1.0f, 0, 255));
  Hidden(F(10, FX(12), 240, v + 61, 0.72f, 0.84f, 1.0f, 1.121f));
  F(11, FX(12), 240, v + 61, 0.84f, 0.95f, 1.212f, 1.0f);
  A(12, FX(3), 240, v + 353, 240, v + 256, 1.38f, 1.54f, g_guiShiftX, g_guiShiftX);

  if (!mushroom && !secret) {
    Surface* rank = FX(T < L1 ? 36 : T < L2 ? 35 : T < L3 ? 34 : 33);
    Slide(13, rank, v + 254,
          {{589, 1.80f, 1.0f, 1.0f},
           {430, 1.87f, 1.0f, 1.0f},
           {317, 1.92f, 0.58f, 1.68f},
           {356, 1.98f, 1.0f, 1.0f}});
  }

  const int y = v + 154;
  Star(45, PanelX(188), y, 0.76f, 0.90f, 0.98f, 1.06f, 3.25f);
  if (T < L3) Star(48, PanelX(243), y, 0.98f, 1.14f, 1.22f, 1.30f, 3.3f);
  if (T < L2) Star(51, PanelX(298.5f), y, 1.22f, 1.38f, 1.46f, 1.54f, 3.3f);

  if (mushroom || secret) {
    Surface* badge = FX(secret ? 7 : 5);
    int item = g_levelCurrentData.secretIndex;
    Surface* picture = secret ? (item >= 0 && item < 100 ? g_secretItems[item] : nullptr) : FX(6);
    Slide(23, badge, v + 257,
          {{579, 1.79f, 1.0f, 0.61f},
           {423, 1.87f, 1.0f, 0.79f},
           {333, 1.93f, 1.0f, 1.63f},
           {332, 2.00f, 1.0f, 1.0f}});
    F(26, FX(30), 402, v + 256, 1.90f, 2.03f, 1.53f, 1.0f, 0, 255).spin = -1.5f;
    Hidden(F(27, picture, 402, v + 256, 2.04f, 2.15f, 0, 2.0f));
    F(28, picture, 402, v + 256, 2.15f, 2.23f, 2.0f, 1.0f);
  }

  const int xt = Wide() ? (int)((g_guiShiftX * 79 + 88) / g_guiShiftX) : 167;
  F(31, FX(32), xt, v + 257, 1.55f, 1.70f, 1.4f, 1.0f, 0, 255).onFinish = RestorePlaybackspeed;
  F(32, nullptr, xt, v + 255, 1.55f, 20.0f, 1.4f, 1.0f, 0, 255).alsoDraw = AlsoDrawRecordTime;
  const bool record = GetLevelBestTime(g_levelSelected, g_characterID) == T;
  F(33, FX(record ? 27 : 28), 79, v + 256, 1.59f, 1.72f, 1.53f, 1.0f, 0, 255).spin = 1.5f;
  F(34, FX(record ? 24 : 25), 79, v + 256, 1.54f, 1.72f, 1.36f, 1.0f, 0, 255);
}

void PhaseOne() {
  const int w = g_ratio_is_less_1_5 ? MAXY - 320 : 0;
  Shutters(55, 56, 240, 472, 235, -113, 110, 0.48f);
  EffectAnimators[55].onFinish = PlayShuttersSound;
  if (Wide()) {
    Shutters(49, 51, SideX(1), 472, 235, -113, 110, 0.48f);
    Shutters(52, 54, SideX(-1), 472, 235, -113, 110, 0.48f);
  }
  const int gl = Wide() ? (int)((MAXX / 2 - 82) / g_guiShiftX) + 3 : 158;
  const int gr = Wide() ? (int)((MAXX / 2 + 94) / g_guiShiftX) + 3 : 334;
  F(57, FX(38), gl, 76, 0.40f, 0.58f, 0, 1, 0, 255).spin = 3;
  F(58, FX(38), gr, 76, 0.40f, 0.58f, 0, 1, 0, 255).spin = -3;

  Hidden(A(62, FX(17), 247, -59, 247, 62, 0, 0.28f, 1, 1));
  Hidden(A(63, FX(17), 247, 62, 247, 72, 0.28f, 0.43f, 1.0f, 1.18f));
  Hidden(A(64, FX(17), 247, 72, 247, 49, 0.43f, 0.59f, 1.18f, 0.84f));
  A(65, FX(17), 247, 49, 247, 59, 0.59f, 0.74f, 0.84f, 1.0f).alsoDraw = AlsoDrawBestTimeReference;

  const int y = w + 284;
  Hidden(A(75, FX(18), 94, w + 363, 94, y, 0, 0.28f, 0.85f, 0.85f));
  Hidden(A(76, FX(18), 94, y, 113, y, 0.28f, 0.39f, 0.85f, 0.85f));
  effect_animator* a = &A(77, nullptr, 113, y, 94, y, 0.39f, 0.57f, 0.85f, 0.85f);
  a->alsoDraw = AlsoDrawRestartButton;
  a->customMotion = CustomAnimationGoUpAndDown;

  Hidden(A(78, FX(22), 250, w + 363, 250, y, 0, 0.28f, 0.85f, 0.85f));
  Hidden(F(79, FX(22), 250, y, 0.28f, 0.39f, 0.85f, 0.85f));
  Hidden(A(80, FX(22), 250, y, 250, w + 275, 0.39f, 0.49f, 0.85f, 0.85f));
  a = &A(81, nullptr, 250, w + 275, 250, y, 0.49f, 0.58f, 0.85f, 0.85f);
  a->alsoDraw = AlsoDrawMenuButton;
  a->customMotion = CustomAnimationGoRound;

  a = &Hidden(A(82, FX(20), 396, w + 363, 396, y, 0, 0.38f, 0.85f, 0.85f));
  a->onFinish = EnableButtons;
  Hidden(A(83, FX(20), 396, y, 377, y, 0.28f, 0.40f, 0.85f, 0.85f));
  a = &A(84, nullptr, 377, y, 396, y, 0.40f, 0.57f, 0.85f, 0.85f);
  a->alsoDraw = AlsoDrawNextButton;
  a->customMotion = CustomAnimationGoLeftRight;

  A(85, nullptr, MAXX - 45, -60, MAXX - 45, 17, 0, 1, 0, 0.85f).alsoDraw = AlsoDrawShroomShop;
  A(86, nullptr, 25, -500, 25, 102, 0, 1, 0.7f, 0.8f).alsoDraw = AlsoDrawMissions;
  a = &A(87, nullptr, 25, -500, 25, 120, 0, 1, 0.4f, 0.5f);
  a->alsoDraw = AlsoDrawLeaderBoards;
  a->onFinish = PrepareToDraw3Missions;

  if (g_levelCurrentData.mushroomsTaken > 0) AddShroomPanelAnimation();
}

void DrawLevelEndButton(int slot, int released, int pressed, float x, float y) {
  button& b = Buttons[slot];
  Surface* s = FX(b.pressed ? pressed : released);
  const float scale = b.pressed ? 0.45f : 0.42f;
  if (display && s) display->BlitRotatedScale(x * g_guiShiftX, y, 0, scale, -scale, s);
  b.x = (int)(x * g_guiShiftX);
  b.UpdatePos();
}

const float kIdleStep = 13 * (1.0f / 60);

// "ss:hh" of a time in seconds.
void FormatTime(char* out, size_t size, float t) {
  const int whole = (int)t;
  snprintf(out, size, "%2.2i:%2.2i", whole, (int)((t - whole) * 100));
}

} // namespace

void AddLevelEndAnimation(bool phase1) {
  missionsCollapsed = 1;
  leaderboardsCollapsed = 1;
  topScoreRetrieved = 0;
  if (phase1)
    PhaseOne();
  else
    PhaseZero();
}

void AddShroomPanelAnimation() {
  Hidden(A(90, FX(6), 325, 13, 415, 13, 1.35f, 1.65f, 0, 1)).onFinish = PlayPopShroom;
  Hidden(F(91, FX(6), 415, 13, 1.65f, 2.25f, 1, 2));
  Hidden(F(92, FX(6), 415, 13, 2.25f, 2.55f, 2, 0.5f));
}

void AddShuttersAnimation(void (*done)()) {
  const int upperY = Wide() ? 110 : 112;
  Shutters(1, 2, 240, 430, 214, -113, upperY, 0.38f);
  EffectAnimators[1].onFinish = PlayShuttersSound;
  EffectAnimators[2].onFinish = done;
  if (Wide()) {
    Shutters(5, 6, SideX(1), 430, 214, -113, upperY, 0.38f);
    Shutters(65, 66, SideX(-1), 430, 214, -113, upperY, 0.38f);
  }
}

void RemoveShuttersAnimation() {
  const bool wide = Wide();
  Shutters(wide ? 12 : 3, wide ? 13 : 4, 240, 216, 430, 110, -113, 0.5f);
  if (wide) {
    Shutters(3, 4, SideX(1), 216, 430, 110, -113, 0.5f);
    Shutters(63, 64, SideX(-1), 216, 430, 110, -113, 0.5f);
  }
  Hidden(EffectAnimators[3]);
  Hidden(EffectAnimators[4]).onFinish = ClearEffectAnimators;
}

void AddCharacterDieAnimation() {}

void AlsoDrawRestartButton(float x, float y) { DrawLevelEndButton(0, 18, 19, x, y); }
void AlsoDrawMenuButton(float x, float y) { DrawLevelEndButton(1, 22, 23, x, y); }
void AlsoDrawNextButton(float x, float y) { DrawLevelEndButton(2, 20, 21, x, y); }

void CustomAnimationGoUpAndDown(float*, float* y) { *y += std::sin(12 * g_timef) * kIdleStep; }
void CustomAnimationGoLeftRight(float* x, float*) { *x += std::sin(12 * g_timef + 2) * kIdleStep; }
void CustomAnimationGoRound(float* x, float* y) {
  *x += std::sin(12 * g_timef + 1) * kIdleStep;
  *y += std::cos(12 * g_timef + 1) * kIdleStep;
}

void AlsoDrawRecordTime(float x, float y) {
  if (!FontTimeBig || !display) return;
  char text[16];
  FormatTime(text, sizeof text, g_levelCurrentData.levelTime);
  const float X = g_ratio_is_1_5 ? x + 28 : g_ratio_is_more_1_5 ? x * g_guiShiftX : x;
  FontTimeBig->SetScale(0.5f);
  display->SetBlending(255, 0, 0, 0);
  FontTimeBig->Render(X, y + 4, 2, text);
  display->SetBlending(255, 255, 255, 255);
}

void AlsoDrawBestTimeReference(float x, float y) {
  if (!FontSTD) return;
  const float X = g_ratio_is_1_5        ? x - 10
                  : g_ratio_is_more_1_5 ? (g_guiShiftX * x + 50) / g_guiShiftX - 50
                                        : x;
  char text[64];
  FontSTD->SetScale(0.35f);
  FormatTime(text, sizeof text, GetLevelBestTime(g_levelSelected, g_characterID));
  FontSTD->Render((X + 50) * g_guiShiftX, y - 44, 2, text, ColorRGB(235, 195, 0));
  FormatTime(text, sizeof text, g_levelCurrentData.levelTime);
  FontSTD->Render((X + 50) * g_guiShiftX, y - 22, 2, text, ColorRGB(235, 233, 233));
  CalculateWorldID(text, sizeof text);
  FontSTD->SetScale(0.5f);
  FontSTD->Render((X + 31) * g_guiShiftX, y + 10, 2, text, ColorRGB(50, 50, 50));
}

void AlsoDrawShroomShop(float x, float y) {
  ShroomPanel.Init((int)x, (int)(y - 1), 2);
  ShroomPanel.Draw();
  Buttons[5].Init((int)x, (int)y, 50, 25, 1, "", nullptr, nullptr, GoShopReturn);
}

void GoShopReturn() {
  ClearEffectAnimators();
  SwitchMode(0);
  SwitchMode(15);
}

void AlsoDrawMissions(float x, float y) {
  missionsX += g_realdt * (missionsCollapsed ? -1000 : 1000);
  missionsX = missionsX < 0 ? 0 : (missionsX > 387 ? 387 : missionsX);
  Surface* back = g_missions[1];
  Surface* tab = g_missions[0];
  if (display) {
    display->SetBlending(255);
    if (back) display->BlitScaled(missionsX / 2 + x - 25, y, missionsX * 0.25f, -0.5f, back);
    if (tab) display->BlitScaled(missionsX + x - 1, y, 0.5f, -0.5f, tab);
  }
  int waiting = 0;
  if (missionsX >= 1)
    DrawNext3Missions((int)(missionsX - 135 - 46), (int)(y - 70), 1.0f);
  else
    waiting = DrawMissionIcons((int)(x - 17), (int)(y - 85), 0.45f);
  ProcessAndDrawShroom(g_realdt, 1);
  Buttons[3].x = (int)(missionsX + 50 - 46);
  Buttons[3].UpdatePos();
  Surface* toggle = g_missionButtons[missionsCollapsed ? 0 : 1];
  if (missionsCollapsed && waiting > 0) toggle = g_missionButtons[5 + (int)(10 * g_timef) % 5];
  if (display && toggle) display->BlitScaled(missionsX + x + 8, y + 80, 0.5f, -0.5f, toggle);
  if (waiting > 0) {
    if (display && g_missionButtons[2])
      display->BlitScaled(missionsX + x + 6, y - 17, 0.5f, -0.5f, g_missionButtons[2]);
    if (FontSTD) {
      FontSTD->SetScale(0.18f);
      char text[16];
      snprintf(text, sizeof text, "%i", waiting);
      FontSTD->Render(missionsX + x + 4, y - 17, 2, text, ColorRGB(255, 255, 255));
    }
  }
}

void MissionsCollapse() {
  missionsCollapsed = !missionsCollapsed;
  if (!missionsCollapsed) leaderboardsCollapsed = 1;
}

void LeaderboardsCollapse() { leaderboardsCollapsed = !leaderboardsCollapsed; }

// The leaderboards are local only: nothing fills or shows them.
void AlsoDrawLeaderBoards(float, float) {}

void ClearLeaderboardView() {
  topScoreRetrieved2 = 0;
  for (int i = 0; i < 100; i++) {
    memset(g_playerNames[i], 0, 26);
    g_playerScores[i] = 0;
  }
}

void SwitchLeaderboardGlobals() {
  ClearLeaderboardView();
  g_leaderboardsCurrentGlobal = 1;
}

void SwitchLeaderboardFriends() {
  ClearLeaderboardView();
  g_leaderboardsCurrentGlobal = 0;
}

void DrawLeaderBoardItem(int place, int x, int y, int index) {
  if (!FontSTD || index < 0 || index >= 100) return;
  FontSTD->SetScale(0.35f);
  char text[48];
  snprintf(text, sizeof text, "%i.", place);
  FontSTD->Render((float)x, (float)y, 0, text);
  char name[31];
  memcpy(name, g_playerNames[index], 30);
  name[30] = 0;
  FontSTD->Render((float)x + 30, (float)y, 0, name);
  snprintf(text, sizeof text, "%i", g_playerScores[index]);
  FontSTD->Render((float)x + 200, (float)y, 1, text);
}

void GoldenJoystickExtraAnimation() { RepeatGoldenJoystickExtraAnimation(); }

void RepeatGoldenJoystickExtraAnimation() {
  const int x = Wide() ? (int)((g_guiShiftX * 370 - 125) / g_guiShiftX) : 245;
  const int y = PhaseZeroShift() + 151;
  Surface* gold = FX(40);
  Hidden(F(40, gold, x, y, 0, 0.07f, 1.0f, 1.11f));
  Hidden(F(41, gold, x, y, 0.07f, 0.15f, 1.11f, 1.0f));
  Hidden(F(42, gold, x, y, 0.15f, 0.28f, 1.0f, 1.11f));
  F(43, gold, x, y, 0.28f, 0.36f, 1.11f, 1.0f);
  effect_animator& loop = F(44, nullptr, x, y, 0.27f, 0.95f, 1, 1);
  loop.alsoDraw = AlsoDrawSmoke;
  loop.onFinish = RepeatGoldenJoystickExtraAnimation;
  effect_animator& flash = F(45, FX(41), x, y, 0.36f, 0.6f, 1.05f, 2.1f, 255, 0);
  Vertical(flash, 1.05f, 2.5f);
  flash.blend = 1;
}

void AlsoDrawSmoke(float, float) { ProcessAndDrawSmoke(g_realdt, 100); }

void PlayShuttersSound() {
  shsss += 1;
  EnginePlaySound(31, shsss % 3);
}

void PlayPopShroom() { EnginePlaySound(18, 0); }

void RestorePlaybackspeed() { GameRects[0].fastForward = 0; }
