// The world map: a carousel of world pictures that follows the finger, snaps to a picture on
// release and eases there, opens the padlock of a world once the one before it is completed, and
// enters the centre world's level selection on a tap.
#include "world_map.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "animator.h"
#include "background_fitting.h"
#include "buttons.h"
#include "catalogue.h"
#include "catalogue_data.h"
#include "display.h"
#include "front_pieces.h"
#include "frontend.h"
#include "game_globals.h"
#include "game_modes.h"
#include "geometry.h"
#include "hge_font.h"
#include "level_layout.h"
#include "progress_files.h"
#include "quellar_array.h"
#include "score.h"
#include "sound_table.h"
#include "sprite_tables.h"
#include "surface.h"

void (*newGameCustomFunctions[20])() = {
    nullptr, nullptr, nullptr, nullptr, NewGameSubmenu, TurnEyesOn, PressGift,
};

namespace {

const int kSpacing = 160;
const int kBonusItems = 10; // newGameItems[10 + k] holds bonus world k + 1
const int kBonusPictures = 6;

// The picture that is the centre item, where a touch counts as pressing it.
myRect CentreBox() { return myRect(MAXX / 2 - 70, MAXY / 2 - 110, MAXX / 2 + 70, MAXY / 2 + 110); }

Surface** BonusSlot(int index, int frame) {
  return index == 0 && frame >= 0 && frame < kBonusPictures ? &newGameItems[kBonusItems + frame] : nullptr;
}

void FreeBonusPictures() {
  for (int k = 0; k < kBonusPictures; ++k)
    SafeDelete(newGameItems[kBonusItems + k]);
}

// The main worlds and the bonus worlds show their stars and mushrooms; the entries between do not.
bool ShowsStatistics(int w) { return (w >= 0 && w <= 3) || (w >= 10 && w <= 15); }

bool SetCompleted(int first, int amount) {
  for (int k = 0; k < amount; ++k) {
    int level = first + k;
    if (level < 0 || level >= LEVEL_RECORDS || g_levelAchievements[level][LEVEL_WORD_COMPLETIONS] <= 0)
      return false;
  }
  return true;
}

// Every level of either half of world w has been completed at least once.
bool WorldCompleted(int w) {
  return SetCompleted(g_levelStartingIndexes[2 * w], g_levelAmounts[w]) ||
         SetCompleted(g_levelStartingIndexes[2 * w + 1], g_levelAmounts[w]);
}

void AddPadlockOpening(float x) {
  int X = (int)(x / g_guiShiftX);
  int top = MAXY / 2;
  struct Step {
    Surface* sprite;
    int y0, y1;
    float t0, t1, scale1, alpha1;
  };
  const Step steps[4] = {
      {mapLock[0], top - 47, top - 97, 0.0f, 0.48f, 1, 255},
      {mapLock[1], top - 27, top - 27, 0.0f, 0.48f, 1, 255},
      {mapLock[0], top - 87, top - 177, 0.48f, 0.78f, 2, 0},
      {mapLock[1], top - 27, top - 27, 0.48f, 0.78f, 2, 0},
  };
  for (int i = 0; i < 4; ++i) {
    const Step& s = steps[i];
    EffectAnimators[i].Init(s.sprite, X, s.y0, X, s.y1, s.t0, s.t1, 1, s.scale1, 255, s.alpha1, 0, 0, 0, 0);
    EffectAnimators[i].hideAfterEnd = 1;
  }
}

} // namespace

void newGame::InitMode() {
  ++entries;
  ClearButtons();
  LoadCommonMainMenuGFX();
  pressedCentre = hoverCentre = 0;
  unlockCounter = 0;
  itemSpacing = kSpacing;
  scrollPos = 0;
  touching = 0;
  momentum = 0;
  ClearButtons();
  AddButtonCustom(31, MAXY - 24, 50, 50, 0, "", select_buttons[0], select_buttons[1],
                  InitMainMenu_FromNewGame);
  AddButtonCustom(MAXX - 85, MAXY - 24, 50, 50, 1, "", mapButtons[2], mapButtons[2], GoMissionsList);
  AddButtonCustom(MAXX - 35, MAXY - 24, 50, 50, 1, "", mapButtons[1], mapButtons[1], GoSecretsList);
  listShift = newGameCurrentListShift;
  itemCount = 6;
  if (listShift == 0) {
    scrollTarget = g_worldSelected <= 9 ? (float)(-kSpacing * g_worldSelected) : (float)-kSpacing;
  } else {
    scrollTarget = (float)(kSpacing * (10 - g_worldSelected));
    FreeBonusPictures();
    RegisterScreenSprites(catalogue::WorldMapArt(), nullptr, BonusSlot);
  }
  ShroomPanel.Init(MAXX - 44, 17, 0);
}

void newGame::DeInitMode() { FreeBonusPictures(); }

void newGame::StylusDown(myPoint* points, int) {
  if (!points) return;
  const myPoint& p = points[0];
  lastTouchX = (int)p.x;
  touching = 1;
  dragDistance = 0;
  if (CentreBox().Contains(p)) pressedCentre = 1;
  ButtonsStylus((int)p.x, (int)p.y, false);
  ShroomPanel.StylusDown((int)p.x, (int)p.y);
}

void newGame::StylusMove(myPoint* points, int) {
  if (!points) return;
  const myPoint& p = points[0];
  float dx = p.x - lastTouchX;
  // The button row below does not drag the carousel.
  if (p.y < MAXY - 55) {
    scrollPos += dx;
    momentum += dx;
    dragDistance = (int)(dragDistance + dx);
  }
  lastTouchX = (int)p.x;
  ButtonsStylus((int)p.x, (int)p.y, false);
  ShroomPanel.StylusMove((int)p.x, (int)p.y);
}

void newGame::Enter(int w) {
  if (w < 0 || w >= 20) return;
  if (newGameCustomFunctions[w]) {
    newGameCustomFunctions[w]();
  } else if (g_worldsUnlocked[w]) {
    // Level selection reads the world when it is entered: the tapped one, even while the
    // carousel is still easing towards another.
    g_worldSelected = w;
    SwitchMode(11);
  }
}

void newGame::StylusUp(myPoint* points, int) {
  if (!points) return;
  const myPoint& p = points[0];
  if (std::abs(dragDistance) < 20 && CentreBox().Contains(p) && pressedCentre) {
    EnginePlaySound(47, 1);
    const int before = entries;
    Enter(listShift + currentItem);
    if (g_currentMode != 1 || entries != before) {
      // Another screen (or this one afresh) is up: the rest of this release is not ours.
      pressedCentre = touching = 0;
      return;
    }
  }
  pressedCentre = 0;
  touching = 0;
  float target = kSpacing * std::trunc((scrollPos - 80 + momentum / 2) / kSpacing);
  if (target > 0) target = 0;
  if (target < (1 - itemCount) * kSpacing) target = (float)((1 - itemCount) * kSpacing);
  scrollTarget = target;
  g_worldSelected = (int)std::trunc(-scrollTarget / kSpacing) + listShift;
  momentum = 0;
  ButtonsStylus((int)p.x, (int)p.y, true);
  ShroomPanel.StylusUp((int)p.x, (int)p.y);
}

void newGame::StylusHover(myPoint* points, int) {
  if (!points) return;
  const myPoint& p = points[0];
  ButtonsStylusHover((int)p.x, (int)p.y);
  hoverCentre = !touching && CentreBox().Contains(p) ? 1 : 0;
}

void newGame::KeyboardEvent(int key, int state) {
  if (key == 6 && state == 0) {
    InitMainMenu_FromNewGame();
    return;
  }
  if ((key == 1 || key == 2) && state == 1) {
    int k = g_worldSelected - listShift + (key == 2 ? 1 : -1);
    // Kept inside the list either way: a world from elsewhere must not pick an item beyond it.
    if (k > itemCount - 1) k = itemCount - 1;
    if (k < 0) k = 0;
    scrollTarget = (float)(-k * kSpacing);
    g_worldSelected = k + listShift;
    return;
  }
  if (key == 5 && state == 1) Enter(listShift + currentItem);
}

void newGame::UnlockTest(int w, float x) {
  if (unlockCounter++ % 60 != 59) return;
  if (g_worldsUnlocked[w] || !WorldCompleted(w - 1)) return;
  g_worldsUnlocked[w] = 1;
  PlaySoundDelayed(0, 30, 0);
  AddPadlockOpening(x);
}

void newGame::Draw(float dt) {
  if (display) {
    display->SetNoBlackEdgesMode();
    SmartDrawBackgroundIphone5(0, 0, newGameBG[0], false, false);
    display->SetNormalMode();
  }

  momentum *= 0.95f;
  if (!touching) scrollPos += (scrollPos - scrollTarget) * dt * -20;

  const float base = MAXX / 2 + scrollPos;
  const int previous = currentItem;
  for (int i = 0; i < itemCount; ++i) {
    const int w = listShift + i;
    if (w < 0 || w >= 20) continue;
    const float x = base + itemSpacing * i;
    float s = 0.5f - 0.0012f * std::fabs(MAXX / 2 - x);
    if (s < 0.31f) s = 0.31f;
    if (s > 0.4f) currentItem = i;
    const bool unlocked = g_worldsUnlocked[w] != 0;
    const float y = (float)(MAXY / 2 - 17);

    if (display && !unlocked) display->SetBlending(255, 180, 180, 180);
    DrawScaled(x, y, s, newGameItems[w]);
    if (display) display->SetBlending(255);

    if (display && unlocked && currentItem == i) {
      if (touching && std::abs(dragDistance) < 20 && pressedCentre) {
        display->SetOverlayMode();
        display->SetBlending(100, 100, 100, 100);
        DrawScaled(x, y, s, newGameItems[w]);
        display->SetBlending(255);
        display->SetNormalMode();
      } else if (hoverCentre) {
        DrawScaled(x, y, 1.01f * s, newGameItems[w]);
      }
    }

    if (listShift == 0 && i == 5 && currentItem == 5) {
      if (!eyesMovement)
        DrawScaled(x - 5, (float)(MAXY / 2), s, newGameEyes[0]);
      else
        DrawScaled(x + 10 * std::cos(10 * g_timef), MAXY / 2 + 5 * std::sin(10 * g_timef), s, newGameEyes[0]);
    }

    if (display && unlocked && ShowsStatistics(w)) {
      const int a = (int)((s - 0.31f) * 1347);
      const float q = 0.5f - s;
      const float ty = MAXY / 2 - 128 + 230 * q;
      display->SetBlending(a, 0, 0, 0);
      if (FontSTD) {
        char text[16];
        FontSTD->SetScale(0.6f * s);
        snprintf(text, sizeof(text), "%i", GetNumberOfStarsInWorld(w));
        FontSTD->Render(x - 50 + 100 * q, ty, 0, text, ColorRGB(0, 0, 0));
        snprintf(text, sizeof(text), "%i", GetNumberOfShroomsInWorld(w));
        FontSTD->Render(x + 46 - 100 * q, ty, 0, text, ColorRGB(0, 0, 0));
      }
      display->SetBlending(a, 255, 255, 255);
      DrawScaled(x - 60 + 100 * q, ty, s, mapIcons[1]);
      DrawScaled(x + 36 - 75 * q, ty, s, mapIcons[0]);
      display->SetBlending(255);
    }

    if (currentItem == w && w > 1 && w < 5) UnlockTest(w, x);

    if (!g_worldsUnlocked[w]) {
      DrawScaled(x, (float)(MAXY / 2 - 47), s, mapLock[0]);
      DrawScaled(x, (float)(MAXY / 2 - 27), s, mapLock[1]);
    }
  }
  if (currentItem != previous) EnginePlaySound(38, 0);

  if (display) display->SetNoBlackEdgesMode();
  ShroomPanel.Draw();

  if (newGamePanel[0] && newGamePanel[3]) {
    if (!g_ratio_is_more_1_5) {
      DrawScaled((float)(MAXX / 2), 16, 0.5f, newGamePanel[0]);
    } else {
      const float cx = (float)(MAXX / 2 + (MAXX - 480) / 2);
      const float wp = (float)newGamePanel[0]->GetWidth(), ws = (float)newGamePanel[3]->GetWidth();
      const float x1 = cx - wp / 4 - ws / 4;
      DrawScaled(cx, 16, 0.5f, newGamePanel[0]);
      DrawScaled(x1, 16, 0.5f, newGamePanel[3]);
      DrawScaled((float)(int)(x1 - ws / 2), 16, 0.5f, newGamePanel[3]);
    }
  }

  for (int i = 0; i < itemCount; ++i)
    DrawScaled((float)(MAXX / 2 - 46 + 16 * i), 7, 0.5f, i == currentItem ? menuBall[1] : menuBall[0]);

  if (display) display->SetNormalMode();
  DrawButtons();
  ProcessEffectAnimators(dt);
  DrawEffectAnimators();
}
