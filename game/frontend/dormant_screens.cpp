// The dormant screens: hiscore tables and their order, the instructions' pages, the between-levels
// and map screens, about, and the other platforms' store page.
#include "dormant_screens.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "animator.h"
#include "background_fitting.h"
#include "buttons.h"
#include "catalogue.h"
#include "catalogue_data.h"
#include "display.h"
#include "front_pieces.h"
#include "frontend.h"
#include "game_globals.h"
#include "help_dialogs.h"
#include "hge_font.h"
#include "loader.h"
#include "quellar_array.h"
#include "sound_table.h"
#include "sprite_tables.h"
#include "surface.h"

u8 g_gameCompleted = 0;
u8 g_mustShowTextField = 0;
HiscoreItem HiscoreItems[HISCORE_TABLES][HISCORE_ROWS];
Surface* g_instructions[5];
int instructID = 0;
Surface* aboutBG = nullptr;
Surface* aboutButton[3];
const char* const g_storeSelectionUrl = "https://store.dunmarrow.example/select.php?sku=";

namespace {

// The catalogue's dormant rows; each screen takes only its own.
Surface** AboutSlot(int index, int frame) {
  if (index == 0 && frame == 0) return &select_bg[0];
  if (index == 1 && frame == 0) return &aboutBG;
  if (index == 2 && frame >= 0 && frame < 3) return &aboutButton[frame];
  return nullptr;
}
Surface** InstructionsSlot(int index, int frame) {
  return index == 3 && frame >= 0 && frame < 5 ? &g_instructions[frame] : nullptr;
}

void FreeInstructions() { SafeDeleteAll(g_instructions); }

void FreeAbout() {
  SafeDelete(select_bg[0]);
  SafeDelete(aboutBG);
  SafeDeleteAll(aboutButton);
}

} // namespace

// --- hiscores ---

int compareHS(const void* a, const void* b) {
  const HiscoreItem& l = *static_cast<const HiscoreItem*>(a);
  const HiscoreItem& r = *static_cast<const HiscoreItem*>(b);
  // Two empty rows are equal: answering 1 both ways would give qsort no consistent order.
  if (!l.used) return r.used ? 1 : 0;
  if (!r.used) return -1;
  if (l.score < r.score) return 1;
  if (l.score == r.score) return 0;
  return -1;
}

void SortHiscores() {
  for (auto& table : HiscoreItems)
    qsort(table, HISCORE_ROWS, sizeof(HiscoreItem), compareHS);
}

void AddHiscore(int table) {
  if (table < 0 || table >= HISCORE_TABLES) return;
  HiscoreItem& entry = HiscoreItems[table][HISCORE_NEW_ROW];
  entry.used = 1;
  entry.isNew = 1;
  entry.name[sizeof(entry.name) - 1] = 0;
  for (auto& t : HiscoreItems)
    for (int row = 0; row < HISCORE_NEW_ROW; ++row)
      t[row].isNew = 0;
  SortHiscores();
}

void DrawHiscoreItem(int index, int x, int y, int table) {
  if (!FontSTD || table < 0 || table >= HISCORE_TABLES || index < 0 || index >= HISCORE_ROWS) return;
  const HiscoreItem& item = HiscoreItems[table][index];
  char text[40];
  FontSTD->SetScale(0.4f);
  snprintf(text, sizeof text, "%i.", index + 1);
  FontSTD->Render((float)(x - 15), (float)y, 0, text, ColorRGB(255, 255, 255));
  x += 10;
  if (item.used) {
    char name[sizeof item.name + 1];
    memcpy(name, item.name, sizeof item.name);
    name[sizeof item.name] = 0;
    FontSTD->Render((float)x, (float)y, 0, name, ColorRGB(215, 170, 20));
    if (item.isNew) FontSTD->Render((float)x, (float)y, 0, name, ColorRGB(255, 255, 40));
    snprintf(text, sizeof text, "%i feet", item.score);
    FontSTD->Render((float)(x + 140), (float)y, 2, text, ColorRGB(255, 255, 255));
  } else {
    FontSTD->Render((float)(x + 15), (float)y, 0, "-No Record-", ColorRGB(170, 170, 170));
    FontSTD->Render((float)(x + 165), (float)y, 2, "---", ColorRGB(200, 200, 200));
  }
}

void ButtonGlobalHiscore() {}
void _scoreSubmitted() {}
void _scoreFailedSubmitting() {}

void hiscores::InitMode() {
  ClearButtons();
  scrollX = scrollY = 0;
  g_mustShowTextField = g_gameCompleted;
  g_gameCompleted = 0;
}

void hiscores::Draw(float) { DrawButtons(); }

void hiscores::StylusDown(myPoint* points, int) {
  if (!points) return;
  lastX = (int)points[0].x;
  lastY = (int)points[0].y;
  ButtonsStylus(lastX, lastY, false);
}

void hiscores::StylusMove(myPoint* points, int) {
  if (!points) return;
  int x = (int)points[0].x, y = (int)points[0].y;
  dragging = 1;
  velocity = (float)(lastY - y) * 20;
  scrollY += (float)(y - lastY);
  scrollX += (float)(x - lastX);
  if (scrollY > 0) scrollY = 0;
  if (scrollX > 0) scrollX = 0;
  lastX = x;
  lastY = y;
}

void hiscores::StylusUp(myPoint* points, int) {
  if (!points) return;
  ButtonsStylus((int)points[0].x, (int)points[0].y, true);
  dragging = 0;
}

// --- instructions ---

void ButtonHelp1() { instructID = 0; }
void ButtonHelp2() { instructID = 1; }
void ButtonHelp3() { instructID = 2; }
void ButtonHelp4() { instructID = 3; }
void ButtonHelp5() { instructID = 4; }

void instructions::InitMode() {
  ClearButtons();
  FreeInstructions();
  RegisterScreenSprites(catalogue::DormantScreensArt(), nullptr, InstructionsSlot);
  void (*const actions[5])() = {ButtonHelp1, ButtonHelp2, ButtonHelp3, ButtonHelp4, ButtonHelp5};
  for (int i = 0; i < 5; ++i)
    AddButtonCustom(5, 53 + 47 * i, 60, 46, 2, "", nullptr, nullptr, actions[i]);
}

// Its pages go with it, so entering again makes them anew instead of leaking the old ones.
void instructions::DeInitMode() { FreeInstructions(); }

void instructions::Draw(float) { DrawButtons(); }

// --- between levels and map ---

// Both start without buttons: the screen left behind may have freed the pictures of its own.
void interLevel::InitMode() {
  ClearButtons();
  SwitchSoundtrack(0, false, false);
}

void interLevel::Draw(float) { DrawButtons(); }

void mapMode::InitMode() {
  ClearButtons();
  SwitchSoundtrack(0, false, false);
  g_loadUpdateFunction = LoadUpdateFuction;
}

// The load-progress hook is this screen's: left installed, it would draw over every later load.
void mapMode::DeInitMode() {
  if (g_loadUpdateFunction == LoadUpdateFuction) g_loadUpdateFunction = nullptr;
}

void mapMode::StylusUp(myPoint* points, int) { DialogsThenButtons(points, true); }

// --- about ---

void about::InitMode() {
  ClearButtons();
  appear = 0;
  FreeAbout();
  RegisterScreenSprites(catalogue::DormantScreensArt(), nullptr, AboutSlot);
  AddButtonCustom(MAXX / 2 + 200, 30, 70, 50, 1, "", nullptr, nullptr, InitMainMenu);
}

void about::DeInitMode() { FreeAbout(); }

void about::Draw(float dt) {
  appear += 5 * dt;
  if (appear > 1) appear = 1;
  SmartDrawBackgroundIphone5(0, 0, select_bg[0], false, false);
  if (display) {
    display->SetNoBlackEdgesMode();
    display->BlitScaled((float)(MAXX / 2), (float)(MAXY / 2), 0.5f * appear, 0.5f * appear, aboutBG);
    display->SetNormalMode();
  }
  if (FontSTD) {
    FontSTD->SetScale(0.45f * appear);
    FontSTD->Render(260 * g_guiShiftX, 70, 2, " ", ColorRGB(0, 0, 0));
    FontSTD->Render(260 * g_guiShiftX, 245, 2,
                    " Tapping on these will exit the\ngame and launch the browser.\nNetwork fees may apply.",
                    ColorRGB(0, 0, 0));
  }
  DrawButtons();
  ProcessEffectAnimators(dt);
  DrawEffectAnimators();
}

void about::StylusDown(myPoint* points, int) { DialogsThenButtons(points, false); }
void about::StylusUp(myPoint* points, int) { DialogsThenButtons(points, true); }
void about::StylusMove(myPoint* points, int) { DialogsThenButtons(points, false); }

void about::KeyboardEvent(int key, int state) {
  if (key == 6 && state == 0) InitMainMenu();
}

// --- the other platforms' store page ---

void GetMobileScreen::InitMode() {
  SafeDelete(picture);
  SafeDelete(button);
  RegisterScreenSprites(catalogue::DormantScreensArt(), nullptr, [this](int index, int frame) -> Surface** {
    if (frame != 0) return nullptr;
    return index == 4 ? &picture : index == 5 ? &button : nullptr;
  });
  ClearButtons();
  LoadCommonMainMenuGFX();
  AddButtonCustom(31, 24, 50, 50, 0, "", select_buttons[0], select_buttons[1], GoBackFromMobileScreen);
  const int bw = button ? button->GetWidth() / 2 : 0, bh = button ? button->GetHeight() / 2 : 0;
  const int m = -55 + (MAXX > 480 ? (MAXX - 480) / 2 : 0), w = MAXX - 2 * m;
  void (*const actions[4])() = {BUY_IOS, BUY_ANDROID, BUY_WINPHONE, BUY_VUDARUDIRI};
  for (int k = 1; k <= 4; ++k)
    AddButtonCustom(m + k * w / 5, MAXY / 2 + 125, bw, bh, 1, "", button, button, actions[k - 1]);
}

void GetMobileScreen::DeInitMode() {
  SafeDelete(picture);
  SafeDelete(button);
}

void GetMobileScreen::Draw(float dt) {
  if (display) {
    display->SetNoBlackEdgesMode();
    SmartDrawBackgroundIphone5(0, 0, newGameBG[0], false, false);
    if (picture && picture->loaded)
      display->BlitScaled((float)(MAXX / 2), (float)(MAXY / 2), 0.5f, 0.5f, picture);
    display->SetNormalMode();
  }
  DrawButtons();
  ProcessEffectAnimators(dt);
  DrawEffectAnimators();
}

void GetMobileScreen::KeyboardEvent(int key, int state) {
  if (key == 6 && state == 0) GoBackFromMobileScreen();
}

void GoBackFromMobileScreen() { SwitchMode(g_previousMode == 1 ? 1 : 0); }

void BUY_GotoURL(const char*) {}

namespace {
void Buy(const char* sku) { BUY_GotoURL((std::string(g_storeSelectionUrl) + sku).c_str()); }
} // namespace

void BUY_IOS() { Buy("sprocklet_ios"); }
void BUY_ANDROID() { Buy("sprocklet_android"); }
void BUY_WINPHONE() { Buy("sprocklet_winphone8"); }
void BUY_VUDARUDIRI() { Buy("sprocklet_vudarudiri10"); }
