// The help screen: the demo of level 19 drawn through a scale and shift into the television's
// screen, then the television over it, untransformed.
#include "help_screen.h"

#include "animator.h"
#include "background_fitting.h"
#include "buttons.h"
#include "catalogue.h"
#include "catalogue_data.h"
#include "display.h"
#include "front_pieces.h"
#include "frontend.h"
#include "game_globals.h"
#include "game_rect.h"
#include "geometry.h"
#include "help_dialogs.h"
#include "inlevel_mode.h"
#include "quellar_array.h"
#include "recordings.h"
#include "sprite_tables.h"
#include "surface.h"
#include "texture2d.h"

Surface* helpTV = nullptr;

namespace {

Surface** HelpSlot(int index, int frame) { return index == 0 && frame == 0 ? &helpTV : nullptr; }

} // namespace

void help::InitMode() {
  g_levelSelected = 19;
  g_characterID = 0;
  RespawnCharacter(false);
  RecordingsPlayReplay();
  ClearButtons();
  SafeDelete(helpTV);
  RegisterScreenSprites(catalogue::HelpArt(), nullptr, HelpSlot);
  // Never drawn; its box covers the whole screen, so any tap leaves.
  AddButtonCustom(462, 18, 1000, 1000, 0, "", g_guiPause[0], g_guiPause[1], InitMainMenu);
}

void help::DeInitMode() { SafeDelete(helpTV); }

void help::Draw(float dt) {
  // The level's 480 x 320 frame lands on the television's screen, (62.25, 37.5)-(422.25, 277.5).
  g_glScaleX = g_glScaleY = 1.0f;
  GlScale(0.75f, 0.75f);
  const float tx = g_glTranslateX, ty = g_glTranslateY;
  GlTranslate(83, 50);
  DrawQuestMode(dt, true);
  g_glScaleX = g_glScaleY = 1.0f;
  g_glTranslateX = tx;
  g_glTranslateY = ty;
  if (display) {
    display->SetNoBlackEdgesMode();
    if (g_ratio_is_1_5 || g_ratio_is_more_1_5) {
      SmartDrawBackgroundIphone5(0, 0, helpTV, false, false);
    } else {
      // Narrower screens: black above and below the 320 px band the picture fills.
      const int band = (MAXY - 320) / 2;
      display->FillRect(0, 0, MAXX, band, ColorRGB(0, 0, 0));
      display->FillRect(0, MAXY - band, MAXX, MAXY, ColorRGB(0, 0, 0));
      display->BlitScaled((float)(MAXX / 2), (float)(MAXY / 2), 0.5f, 0.5f, helpTV);
    }
    display->SetNormalMode();
  }
  ProcessEffectAnimators(dt);
  DrawEffectAnimators();
}

void help::Touch(myPoint* points, bool release) { DialogsThenButtons(points, release); }

void help::StylusDown(myPoint* points, int) { Touch(points, false); }
void help::StylusUp(myPoint* points, int) { Touch(points, true); }
void help::StylusMove(myPoint* points, int) { Touch(points, false); }

void help::KeyboardEvent(int key, int state) {
  if (key == 6 && state == 0) InitMainMenu();
}
