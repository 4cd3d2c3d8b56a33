// The loader: the start-up splash on white (a first picture, the logo rising in, the "loading"
// picture sliding down with its text), then the second start-up stage and the main menu.
#include <cstdio>

#include "buttons.h"
#include "catalogue_data.h"
#include "display.h"
#include "game_globals.h"
#include "game_services.h"
#include "hge_font.h"
#include "main_menu.h"
#include "platform_services.h"
#include "quellar_array.h"
#include "surface.h"

float loadingBlend = -1500.0f;
float loadingBlend2 = -1500.0f;
Surface* loaderBG[4];

namespace {

// The splash pictures and the white fill, by the catalogue's rows.
void CreateLoaderPictures() {
  const catalogue::Set& set = catalogue::LoaderPictures();
  char name[catalogue::kMaxNameLength];
  for (int r = 0; r < set.runCount; ++r) {
    const catalogue::Run& run = set.runs[r];
    int index = 0, slot = 0;
    catalogue::SlotAt(run, 0, &index, &slot);
    if (!catalogue::ExpandName(run, 0, name, sizeof(name))) continue;
    Surface** target = nullptr;
    if (index == catalogue::WhitePicture)
      target = &g_white;
    else if (index == catalogue::LoaderBG && slot >= 0 && slot < 4)
      target = &loaderBG[slot];
    if (!target) continue;
    // The white picture outlives the loader: the fills of every screen stretch it.
    if (target == &g_white && g_white) continue;
    SafeDelete(*target);
    *target = new Surface(CommonString(name), run.source == catalogue::Source::Jpeg ? 1 : 0, false);
  }
  g_black = g_white;
}

void CreateFontSTD() {
  if (FontSTD) return;
  int count = 0;
  const catalogue::FontSpec* fonts = catalogue::Fonts(&count);
  for (int f = 0; f < count; ++f) {
    if (fonts[f].id != catalogue::FontId::STD) continue;
    FontSTD = new hgeFont(fonts[f].file);
    FontSTD->SetTracking(fonts[f].tracking);
    FontSTD->SetSpacing(fonts[f].spacing);
    FontSTD->spaceExtra = fonts[f].extraSpace;
  }
}

int Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

} // namespace

void loader::InitMode() {
  loadingBlend = -1500.0f;
  loadingBlend2 = -1500.0f;
  CreateLoaderPictures();
  ClearButtons();
  AddButtonCustom(MAXX / 2, MAXY / 2, 1000, 1000, 1, "", nullptr, nullptr, ContinueLoadingSkip);
  CreateFontSTD();
}

void loader::DeInitMode() {
  for (Surface*& picture : loaderBG)
    SafeDelete(picture);
}

void loader::Draw(float dt) {
  // A level asked for on the command line is a test or a developer's run: no splash.
  if (g_hostGameOptions.level >= 0) {
    ContinueLoading();
    return;
  }
  int b0 = (int)loadingBlend2;
  loadingBlend += 700 * dt;
  int a = Clamp255((int)loadingBlend);
  if ((int)loadingBlend > 255) loadingBlend2 += 700 * dt;
  int b = (int)loadingBlend2;
  if (b < 0) b = 0;
  if (b > 255) {
    b = 255;
    if (b0 > 255) {
      ContinueLoading();
      return;
    }
  }
  if (!display) return;
  display->SetNormalMode();
  display->SetBlending(255);
  display->FillRect(0, 0, MAXX, MAXY, ColorRGB(255, 255, 255));
  if (a < 255) display->BlitScaled((float)(MAXX / 2), (float)(MAXY / 2), 0.5f, 0.5f, loaderBG[0]);
  display->SetBlending(a);
  display->BlitScaled((float)(MAXX / 2), (float)(MAXY / 2 + 255 - a), 0.5f, 0.5f, loaderBG[1]);
  display->SetBlending(b);
  float s = (float)MAXY / 250.0f / 2.0f;
  display->BlitScaled((float)(MAXX / 2), (float)(MAXY / 2 - 255 + b), s, s, loaderBG[2]);
  if (FontSTD && b > 240) {
    FontSTD->SetScale(0.4f);
    FontSTD->Render(MAXX / 2 + 8 + 1.5f, MAXY - 15 + 1.5f, 2, "Loading...", ColorRGB(0, 0, 0));
    FontSTD->Render((float)(MAXX / 2 + 8), (float)(MAXY - 15), 2, "Loading...", ColorRGB(255, 255, 255));
  }
  display->SetBlending(255);
}

void ContinueLoadingSkip() { loadingBlend2 = 255.0f; }

void ContinueLoading() {
  InitGame();
  gamemode* from = GameModes[18];
  StartFirstMode();
  // The first screen shows at once, without the cross-fade from the splash.
  if (from) from->fadeActive = 0;
  if (g_currentMode >= 0 && GameModes[g_currentMode]) GameModes[g_currentMode]->fadeActive = 0;
}
