// The loader's splash timing and the main menu through the real application object on a headless
// screen with the sample pack: sub-menus unfolding with their buttons disabled until unfolded, the
// back key closing a sub-menu before it asks to quit, the quit answer saving and finishing, and the
// common menu set loaded once.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "atlas.h"
#include "buttons.h"
#include "catalogue.h"
#include "catalogue_data.h"
#include "frontend.h"
#include "game_globals.h"
#include "game_modes.h"
#include "gameplay_window.h"
#include "help_dialogs.h"
#include "hge_font.h"
#include "loader.h"
#include "main_menu.h"
#include "menu_hints.h"
#include "progress_files.h"
#include "running_game.h"
#include "sprite_tables.h"
#include "standin/standin.h"
#include "surface.h"
#include "texture2d.h"
#include "the_game.h"

namespace {

class FrontEnd : public RunningGameTest {
protected:
  int Width() const override { return 546; }
  // Cycles until the loader has left; the number it took.
  int CyclesInTheLoader() {
    int n = 0;
    while (g_currentMode == 18 && n < 1000) {
      game->RunGameCycle();
      ++n;
    }
    return n;
  }
  // The menu, past its input delay.
  void ToTheMenu() {
    RunningGameTest::ToTheMenu();
    if (HasFatalFailure()) return;
    Cycles(10);
  }
  void TapSlot(int slot) { Tap(Buttons[slot].x, Buttons[slot].y); }
  mainMenu* Menu() { return static_cast<mainMenu*>(GameModes[0]); }
  int OpenDialogs() {
    int n = 0;
    for (const helpDialog& d : HelpDialogs)
      n += d.active ? 1 : 0;
    return n;
  }
};

// 157 frames for each of the two fades at 700 a second; a tap puts the second at its end.
TEST_F(FrontEnd, TheSplashLastsTwoFadesOrOneAfterATap) {
  int cycles = CyclesInTheLoader();
  EXPECT_NEAR(cycles, 315, 2);
  EXPECT_EQ(g_currentMode, 0);
  EXPECT_EQ(g_previousMode, 18);
  // The menu's first frame is its own, without the cross-fade from the splash.
  EXPECT_EQ(Menu()->fadeActive, 0);
  EXPECT_NE(FontSTD, nullptr);
  EXPECT_NE(mainmenuBottom[0], nullptr);

  // Again from the start, with a tap on the first frame.
  EXPECT_EQ(game->OnMessage(nullptr, 1002, 0, 0), 1);
  ASSERT_EQ(g_currentMode, 18);
  hgeFont* font = FontSTD;
  Tap(MAXX / 2, MAXY / 2);
  cycles = CyclesInTheLoader();
  EXPECT_NEAR(cycles, 158, 2);
  EXPECT_EQ(g_currentMode, 0);
  EXPECT_EQ(FontSTD, font) << "an existing FontSTD is kept";
}

TEST_F(FrontEnd, SubMenusUnfoldWithTheirButtonsDisabledUntilFullSize) {
  ToTheMenu();
  TapSlot(52); // the box: shop, missions, secrets, mini-game
  ASSERT_EQ(Menu()->subOpen[2], 1);
  for (int slot = 20; slot <= 23; ++slot) {
    EXPECT_EQ(Buttons[slot].active, 1) << slot;
    EXPECT_EQ(Buttons[slot].disabled, 1) << slot;
  }
  EXPECT_STREQ(Menu()->subLabels[0], "shop");
  EXPECT_STREQ(Menu()->subLabels[3], "minigame");
  // The top button has left the bar button's box after three frames, a quarter unfolded.
  Cycles(3);
  EXPECT_LT(Buttons[23].y, MAXY - 34 - 60);
  EXPECT_EQ(Buttons[23].disabled, 1) << "still unfolding";
  TapSlot(23);
  EXPECT_EQ(g_currentMode, 0) << "a disabled button does nothing";
  EXPECT_EQ(Menu()->subOpen[2], 1);
  Cycles(15); // 1.28 at 7 a second is 12 frames
  for (int slot = 20; slot <= 23; ++slot) {
    EXPECT_EQ(Buttons[slot].disabled, 0) << slot;
    EXPECT_EQ(Buttons[slot].y, (MAXY - 34) - 60 * (slot - 19)) << slot;
  }
  // Another bar button closes this one and opens its own.
  TapSlot(50);
  EXPECT_EQ(Menu()->subOpen[2], 0);
  EXPECT_EQ(Menu()->subOpen[0], 1);
  // A second press on the same bar button closes it; the panel folds away and its buttons go.
  TapSlot(50);
  EXPECT_EQ(Menu()->subOpen[0], 0);
  Cycles(15);
  EXPECT_EQ(Menu()->subProgress[0], 0);
  EXPECT_EQ(Buttons[10].active, 0);
  EXPECT_EQ(Buttons[20].active, 0);
  // The box again, unfolded, and the shop button switches.
  TapSlot(52);
  Cycles(15);
  TapSlot(20);
  EXPECT_EQ(g_currentMode, 15);
}

TEST_F(FrontEnd, TheWebLinksCloseTheSubMenuAndStayInTheMenu) {
  ToTheMenu();
  const std::vector<std::string>& urls = standin::Navigator().invokedUrls;
  size_t before = urls.size();
  TapSlot(53);
  Cycles(15);
  TapSlot(25); // "more games"
  EXPECT_EQ(Menu()->subOpen[3], 0);
  EXPECT_EQ(g_currentMode, 0);
  ASSERT_EQ(urls.size(), before + 1);
  EXPECT_EQ(urls.back(), g_publisherSiteUrl);
  EXPECT_NE(urls.back().find("/bb/index.php?from_app=sprocklet"), std::string::npos);
  Cycles(15);
  TapSlot(53);
  Cycles(15);
  TapSlot(26); // "video"
  EXPECT_EQ(Menu()->subOpen[3], 0);
  EXPECT_EQ(g_currentMode, 0);
  ASSERT_EQ(urls.size(), before + 2);
  EXPECT_EQ(urls.back(), std::string(g_trailerUrlPrefix) + g_trailerVideoId);
  EXPECT_NE(urls.back().find("/watch?v="), std::string::npos);
}

TEST_F(FrontEnd, TheOptionsButtonSwitchesAtOnceAndPlayGoesToTheWorldMap) {
  ToTheMenu();
  TapSlot(51);
  EXPECT_EQ(g_currentMode, 2);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(Menu()->subOpen[i], 0);
  ToTheMenu();
  TapSlot(0);
  EXPECT_EQ(g_currentMode, 1);
}

TEST_F(FrontEnd, TouchesInTheFirstTenthOfASecondDoNotReachTheMenu) {
  loadingBlend = loadingBlend2 = 300.0f;
  game->RunGameCycle();
  ASSERT_EQ(g_currentMode, 0);
  TapSlot(51);
  EXPECT_EQ(g_currentMode, 0);
  Cycles(7);
  TapSlot(51);
  EXPECT_EQ(g_currentMode, 2);
}

TEST_F(FrontEnd, BackClosesAnOpenSubMenuBeforeItAsksToQuitAndNoKeepsTheGame) {
  ToTheMenu();
  TapSlot(53);
  ASSERT_EQ(Menu()->subOpen[3], 1);
  EXPECT_TRUE(game->OnGraffitiChar(8)); // the back key comes in as key 6
  EXPECT_EQ(Menu()->subOpen[3], 0);
  EXPECT_EQ(OpenDialogs(), 0);
  EXPECT_EQ(g_bExitDlgOn, 0);
  EXPECT_TRUE(game->OnGraffitiChar(8));
  ASSERT_EQ(OpenDialogs(), 1);
  EXPECT_EQ(g_bExitDlgOn, 1);
  // The dialog is modal: the play button under it does not fire.
  TapSlot(0);
  EXPECT_EQ(g_currentMode, 0);
  Cycles(30);
  const button& no = HelpDialogs[0].buttons[1];
  Tap(no.x, no.y);
  EXPECT_EQ(OpenDialogs(), 0);
  EXPECT_EQ(g_bExitDlgOn, 0);
  EXPECT_FALSE(game->IsFinished());
}

TEST_F(FrontEnd, YesToTheQuitQuestionSavesTheProgressAndFinishes) {
  ToTheMenu();
  for (const char* file : {"data/allinfo.dat", "data/options.cfg", "data/global.cfg"})
    std::filesystem::remove(file);
  game->m_pGameplayWindow->NotifyKeyEvent(6, 0);
  ASSERT_EQ(OpenDialogs(), 1);
  Cycles(30);
  const button& yes = HelpDialogs[0].buttons[0];
  Tap(yes.x, yes.y);
  EXPECT_TRUE(game->IsFinished());
  EXPECT_EQ(game->m_nFinishCode, 2);
  EXPECT_EQ(g_bExitDlgOn, 0);
  EXPECT_EQ(OpenDialogs(), 0);
  for (const char* file : {"data/allinfo.dat", "data/options.cfg", "data/global.cfg"})
    EXPECT_TRUE(std::filesystem::exists(file)) << file;
}

// Each entry into the menu may ask for a rating: the first request once level 54 is done, the
// second once level 103 is, each only with more than five mushrooms, never after the player rated
// and never twice; a request that opens is saved at once.
TEST_F(FrontEnd, TheRateRequestsOpenOnceEachWhenTheirLevelIsDone) {
  ToTheMenu();
  if (!Running()) return;
  const struct {
    const char* what;
    int mushrooms;
    bool level54, level103;
    u8 flags[3]; // first asked, second asked, rated
    bool first, second;
  } cases[] = {
      {"both levels done", 6, true, true, {0, 0, 0}, true, true},
      {"level 54 done", 6, true, false, {0, 0, 0}, true, false},
      {"level 103 done", 6, false, true, {0, 0, 0}, false, true},
      {"five mushrooms", 5, true, true, {0, 0, 0}, false, false},
      {"rated", 6, true, true, {0, 0, 1}, false, false},
      {"first asked before", 6, true, true, {1, 0, 0}, false, true},
      {"second asked before", 6, true, true, {0, 1, 0}, true, false},
  };
  auto open = [](const char* words) {
    int n = 0;
    for (const helpDialog& d : HelpDialogs)
      n += d.active && strstr(d.text, words) ? 1 : 0;
    return n;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    KillDialogs();
    g_globalAchievements[GLOBAL_WORD_MUSHROOMS] = c.mushrooms;
    g_levelAchievements[54][LEVEL_WORD_COMPLETIONS] = c.level54;
    g_levelAchievements[103][LEVEL_WORD_COMPLETIONS] = c.level103;
    memcpy(g_ratemeShownOrCompleted, c.flags, 3);
    std::filesystem::remove("data/options.cfg");
    SwitchMode(0);
    EXPECT_EQ(open("If you like this game"), c.first ? 1 : 0);
    EXPECT_EQ(open("Sorry to bother you again"), c.second ? 1 : 0);
    EXPECT_EQ(OpenDialogs(), (c.first ? 1 : 0) + (c.second ? 1 : 0));
    const u8 after[3] = {(u8)(c.flags[0] || c.first), (u8)(c.flags[1] || c.second), c.flags[2]};
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(g_ratemeShownOrCompleted[i], after[i]) << "flag " << i;
    if (c.first || c.second) {
      std::ifstream in("data/options.cfg", std::ios::binary);
      Bytes saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      ASSERT_EQ(saved.size(), 432u) << "the request was not saved";
      for (int i = 0; i < 3; ++i)
        EXPECT_EQ(saved[4 * (7 + i)], after[i]) << "saved flag " << i;
    }
    KillDialogs();
    SwitchMode(0);
    EXPECT_EQ(OpenDialogs(), 0) << "asked again on the next entry";
  }
  KillDialogs();
  g_globalAchievements[GLOBAL_WORD_MUSHROOMS] = 0;
  g_levelAchievements[54][LEVEL_WORD_COMPLETIONS] = 0;
  g_levelAchievements[103][LEVEL_WORD_COMPLETIONS] = 0;
  memset(g_ratemeShownOrCompleted, 0, 3);
}

TEST_F(FrontEnd, TheCommonMenuSetLoadsOnceAndKeepsTheOptionsThroughPlay) {
  ToTheMenu();
  Surface* bar = mainmenuBottom[0];
  Atlas* world = mainMenuAtlas;
  Surface* options = OptSurf[0];
  Surface* optionsPanel = OptSurf[1];
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(world, nullptr);
  ASSERT_NE(options, nullptr);
  EXPECT_NE(buttonMain[16], nullptr);
  EXPECT_NE(newGameBG[0], nullptr);
  EXPECT_EQ(OptSurf[10], nullptr) << "slots the set does not name stay empty";
  LoadCommonMainMenuGFX();
  EXPECT_EQ(mainmenuBottom[0], bar);
  EXPECT_EQ(mainMenuAtlas, world);
  // Level selection frees the set for play but the options; the next load makes the rest again
  // and keeps the options atlas it still has.
  UnLoadCommonMainMenuGFXForPlay();
  EXPECT_EQ(mainmenuBottom[0], nullptr);
  EXPECT_EQ(mainMenuAtlas, nullptr);
  EXPECT_EQ(OptSurf[0], options);
  LoadCommonMainMenuGFX();
  EXPECT_NE(mainmenuBottom[0], nullptr);
  EXPECT_EQ(OptSurf[0], options);
  EXPECT_EQ(OptSurf[1], optionsPanel);
  UnLoadCommonMainMenuGFX();
  EXPECT_EQ(OptSurf[0], nullptr);
  EXPECT_EQ(OptSurf[1], nullptr);
  EXPECT_EQ(buttonMain[0], nullptr);
  LoadCommonMainMenuGFX(); // the window's end frees it again
}

Surface* g_testScreenSlots[6];

TEST_F(FrontEnd, AScreensOwnSpritesGoWhereTheScreenSaysAndSlotsItHasNotAreSkipped) {
  RegisterScreenSprites(catalogue::WorldMapArt(), nullptr, [](int index, int frame) -> Surface** {
    return index == 0 && frame < 5 ? &g_testScreenSlots[frame] : nullptr;
  });
  for (int k = 0; k < 5; ++k) {
    ASSERT_NE(g_testScreenSlots[k], nullptr) << k;
    EXPECT_NE(g_testScreenSlots[k]->texture, nullptr) << "global_map_bonus_world_" << k + 1;
  }
  EXPECT_EQ(g_testScreenSlots[5], nullptr);
  for (Surface*& s : g_testScreenSlots)
    SafeDelete(s);
}

TEST_F(FrontEnd, CloseMainMenuSubMenusActsOnlyInTheMenu) {
  ToTheMenu();
  Menu()->ActivateSubmenu(3);
  g_currentMode = 2;
  CloseMainMenuSubMenus();
  EXPECT_EQ(Menu()->subOpen[3], 1);
  g_currentMode = 0;
  CloseMainMenuSubMenus();
  EXPECT_EQ(Menu()->subOpen[3], 0);
}

TEST_F(FrontEnd, HintsAreDrawnAtRandomAndALongOneWrapsInItsBox) {
  ToTheMenu();
  std::set<int> seen;
  int repeats = 0, last = -1;
  srand(7);
  for (int i = 0; i < 400; ++i) {
    GenerateRandomHint();
    ASSERT_GE(g_currentHint, 0);
    ASSERT_LT(g_currentHint, MaxHint);
    seen.insert(g_currentHint);
    repeats += g_currentHint == last ? 1 : 0;
    last = g_currentHint;
  }
  EXPECT_EQ(seen.size(), (size_t)MaxHint);
  EXPECT_GT(repeats, 0) << "the same tip may come twice in a row";
  // A disabled tip is never chosen.
  menuHintsFontInfos[3].enabled = 0;
  for (int i = 0; i < 200; ++i) {
    GenerateRandomHint();
    EXPECT_NE(g_currentHint, 3);
  }
  menuHintsFontInfos[3].enabled = 1.0f;

  // A tip wraps into the 240-wide box whose top left is 145 left of and 10 above the point given:
  // lines break at spaces, each fits the box by the font's own measure (the space extras are drawn
  // beyond it) and the next word would not have, and every line is drawn from the box's left edge.
  hgeFont* font = FontHintText;
  ASSERT_NE(font, nullptr);
  ASSERT_NE(helpPanel[0], nullptr);
  const int x = 240, y = 160;
  for (int hint : {9, 10}) { // " Out of mushrooms? Buy more at the shop!", the longest
    SCOPED_TRACE(menuhints[hint]);
    g_currentHint = hint;
    TriangleCapture capture;
    const int lines = DrawMenuHint(x, y, 1.0f, helpPanel[0]);
    const std::string wrapped = font->buffer;
    std::string unwrapped = wrapped;
    std::replace(unwrapped.begin(), unwrapped.end(), '\n', ' ');
    EXPECT_EQ(unwrapped, menuhints[hint]);
    std::vector<std::string> rows;
    std::stringstream in(wrapped);
    for (std::string row; std::getline(in, row, '\n');)
      rows.push_back(row);
    ASSERT_EQ((int)rows.size(), lines);
    EXPECT_GE(lines, 2);
    for (size_t i = 0; i < rows.size(); ++i) {
      EXPECT_LE(font->GetStringWidth(rows[i].c_str()), 240.0f) << rows[i];
      if (i + 1 < rows.size()) {
        std::string longer = rows[i] + " " + rows[i + 1].substr(0, rows[i + 1].find(' '));
        EXPECT_GT(font->GetStringWidth(longer.c_str()), 240.0f)
            << "the next word would have fitted: " << longer;
      }
    }
    // Drawn: the panel, then one glyph per character left, row by row.
    const std::vector<CapturedBlit>& blits = capture.Blits();
    ASSERT_FALSE(blits.empty());
    EXPECT_EQ(blits[0].source, helpPanel[0]->texture->bitmap);
    std::map<double, double> rowLeft; // top of a row of glyphs, its leftmost edge
    for (size_t i = 1; i < blits.size(); ++i) {
      auto at = rowLeft.find(blits[i].MinY());
      if (at == rowLeft.end())
        rowLeft[blits[i].MinY()] = blits[i].MinX();
      else
        at->second = std::min(at->second, blits[i].MinX());
    }
    EXPECT_EQ(blits.size() - 1, wrapped.size() - (size_t)(lines - 1));
    ASSERT_EQ((int)rowLeft.size(), lines);
    // The first line's vertical centre on the box's top. A row's first glyph may start a little
    // left of the pen, and the tip's opening space moves it 5 pixels right.
    EXPECT_NEAR(rowLeft.begin()->first + font->height * font->scale / 2, y - 10, 1.0);
    for (const auto& row : rowLeft) {
      EXPECT_GE(row.second, x - 145 - 2) << "the row at " << row.first;
      EXPECT_LE(row.second, x - 145 + 6) << "the row at " << row.first;
    }
  }
}

} // namespace
