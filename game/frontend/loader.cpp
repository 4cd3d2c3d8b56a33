// The loader: the start-up splash on white (a first picture, the logo rising in, the "loading"
// picture sliding down with its text), then the second start-up stage and the main menu.
#include "loader.h"

#include <cstdio>

#include "animator.h"
#include "buttons.h"
#include "catalogue.h"
#include "catalogue_data.h"
#include "display.h"
#include "frontend.h"
#include "game_globals.h"
#include "game_modes.h"
#include "geometry.h"
#include "hge_font.h"
#include "level_layout.h"
#include "level_selection.h"
#include "main_menu.h"
#include "missions.h"
#include "platform_services.h"
#include "progress_files.h"
#include "quellar_array.h"
#include "sound_table.h"
#include "sprite_tables.h"
#include "surface.h"

int loadcurPos = 0;
float loadUpgradeAdd = 1.0f;
static int loadCalls = 0; // the hook acts on every second call
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

void InitGame() {
  if (g_screenScale == 1.0f) g_iphoneCustomZoom = 1.0f;
  LoadAllLevelsInfo();
  LoadBasicSprites();
  InitMissions();
  GlobalData.Init();
  InitSoundEngine();
  LoadAllSounds();
  if (display) display->SetNormalMode();
}

void StartFirstMode() {
  if (g_hostGameOptions.level >= 0) {
    g_levelSelected = g_hostGameOptions.level;
    g_characterID = g_hostGameOptions.character;
    // The world and set as the map and level selection would have chosen them, so that the way
    // back from play (the pause panel's map) leads to this level's world.
    int set = LevelSetOf(g_levelSelected);
    if (set >= 0) {
      g_worldSelected = set / 2;
      g_setSelected = set % 2;
      newGameCurrentListShift = g_worldSelected >= 10 ? 10 : 0;
    }
    SwitchMode(9);
  } else {
    SwitchMode(0);
  }
}

void ClearLoadUpdateFuction() {
  loadcurPos = 0;
  loadCalls = 0;
  loadUpgradeAdd = 1.0f;
}

void SetLoadUpdateFuctionInterval(float v) { loadUpgradeAdd = v; }

void LoadUpdateFuction() {
  if (++loadCalls % 2 != 0) return;
  DrawEffectAnimators();
  if (display && g_screenScale <= 1 && !g_ipad) {
    display->BlitScaled((float)(MAXX / 2), (float)(MAXY / 2 + 60), 0.5f, 0.5f,
                        g_preloaderAnim[(loadcurPos / 5) % 4]);
    loadcurPos++;
  }
  if (display) display->SwapBuffers();
}
