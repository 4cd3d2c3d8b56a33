// The game's application object: the logical resolution, the engine switches, crediting bought
// mushrooms, messages and the back key, and the whole start-up chain on a headless GL screen with
// the start-up files in a pack.
#include <filesystem>
#include <memory>

#include "buttons.h"
#include "display.h"
#include "frontend.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_test_support.h"
#include "gameplay_window.h"
#include "gl_required.h"
#include "help_dialogs.h"
#include "loader.h"
#include "progress_files.h"
#include "sound_log.h"
#include "startup_pack.h"
#include "the_game.h"

namespace {

TEST(TheGame, LogicalResolutionKeepsThe320HighBase) {
  CTheGame game;
  struct {
    int w, h, outW, outH;
  } cases[] = {{1024, 600, 546, 320}, {600, 1024, 546, 320}, {1280, 768, 533, 320},
               {720, 720, 480, 480},  {480, 320, 480, 320},  {1024, 768, 480, 360}};
  for (auto& c : cases) {
    int w = 0, h = 0;
    ASSERT_TRUE(game.SelectAndroidInGameResolution(c.w, c.h, w, h));
    EXPECT_EQ(w, c.outW) << c.w << "x" << c.h;
    EXPECT_EQ(h, c.outH) << c.w << "x" << c.h;
  }
}

TEST(TheGame, ConfiguresTheEngineAndNamesItsFiles) {
  g_hostGameOptions = HostGameOptions();
  CTheGame release;
  EXPECT_EQ(g_finalRelease, 1);
  EXPECT_EQ(release.m_bPremultiplyAlpha, 1);
  EXPECT_EQ(release.m_bReleasePixelsAfterUpload, 1);
  EXPECT_EQ(release.m_bUsePacks, 1);
  EXPECT_STREQ(release.GetImagesDirectory().c_str(), "images\\");
  EXPECT_STREQ(release.GetSaveDirectory().c_str(), "data/");
  EXPECT_STREQ(release.GetUIDirectory().c_str(), "ui\\ui_iphone\\");
  EXPECT_STREQ(release.GetCommonUIDirectory().c_str(), "ui\\");
  EXPECT_STREQ(release.GetCommonGamePackName().c_str(), "app/native/assets/_game_bb.pak");
  EXPECT_EQ(release.GetResolutionId(1, 2), 18);
  EXPECT_EQ(release.MapKeyToGameCode(6), -1);
  g_hostGameOptions.developer = true;
  g_hostGameOptions.dataDirectory = "/opt/sprocklet";
  CTheGame developer;
  EXPECT_EQ(g_finalRelease, 0);
  EXPECT_STREQ(developer.GetCommonGamePackName().c_str(), "/opt/sprocklet/_game_bb.pak");
  g_hostGameOptions = HostGameOptions();
  g_finalRelease = 1;
}

class Purchases : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.ok());
    std::filesystem::create_directories("data");
    memset(g_globalAchievements, 0, sizeof g_globalAchievements);
    g_pGame = &game;
    ASSERT_TRUE(game.InitInAppPurchases());
    sounds = std::make_unique<SoundLog>(game);
  }
  void TearDown() override {
    sounds.reset();
    g_pGame = nullptr;
    g_globalAchievements[2] = 0;
  }
  ScopedTempDir dir;
  CTheGame game;
  std::unique_ptr<SoundLog> sounds;
};

TEST_F(Purchases, ACreditedPackAddsItsMushroomsSavesAndPlaysTheSound) {
  g_globalAchievements[2] = 7;
  game.OnInAppPurchaseResult("DUNMARROW_GOOD_SPROCKLET_800MUSHROOMS", 0);
  EXPECT_EQ(g_globalAchievements[2], 807);
  EXPECT_EQ(sounds->Played(), (std::vector<std::pair<int, int>>{{2, 0}}));
  for (const char* f : {"options.cfg", "date.cfg", "missions.cfg", "global.cfg", "allinfo.dat"})
    EXPECT_TRUE(std::filesystem::exists(std::string("data/") + f)) << f;
  g_globalAchievements[2] = 0;
  EXPECT_EQ(LoadGlobalData(), 1);
  EXPECT_EQ(g_globalAchievements[2], 807);

  game.OnInAppPurchaseResult("DUNMARROW_GOOD_SPROCKLET_40MUSHROOMS", 0);
  game.OnInAppPurchaseResult("DUNMARROW_GOOD_SPROCKLET_100MUSHROOMS", 0);
  EXPECT_EQ(g_globalAchievements[2], 947);
}

TEST_F(Purchases, FailedOrUnknownPurchasesCreditNothing) {
  game.OnInAppPurchaseResult("DUNMARROW_GOOD_SPROCKLET_800MUSHROOMS", 1);
  game.OnInAppPurchaseResult("SOMETHING_ELSE", 0);
  game.OnInAppPurchaseResult("9_99", 0);
  EXPECT_EQ(g_globalAchievements[2], 0);
  EXPECT_TRUE(sounds->Played().empty());
  EXPECT_FALSE(std::filesystem::exists("data/global.cfg"));
  EXPECT_NE(game.m_pPurchaseEngine->Find_InAppDef_BasedOnId("1_99"), nullptr);
}

// The whole start-up chain on a headless screen: the pack in the platform's place.
class TheGameStarted : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.ok());
    std::filesystem::create_directories("app/native/assets");
    ASSERT_TRUE(CopySamplePack("app/native/assets/_game_bb.pak"));
    if (!gl.Open(546, 320)) SKIP_OR_FAIL_WITHOUT_GL(gl);
    GLES_ResetStateCache();
    game.reset(new CTheGame());
    g_pGame = game.get();
  }
  void TearDown() override {
    game.reset();
    g_pGame = nullptr;
    g_hostGameOptions = HostGameOptions();
    GLES_ResetStateCache();
  }
  ScopedTempDir dir;
  HeadlessGL gl;
  std::unique_ptr<CTheGame> game;
};

TEST_F(TheGameStarted, InitRunsTheChainAndTheWindowEntersTheLoader) {
  ASSERT_TRUE(game->Init(546, 320));
  EXPECT_TRUE(std::filesystem::is_directory("data"));
  ASSERT_NE(game->m_pGameplayWindow, nullptr);
  EXPECT_NE(game->GetDebugFont(), nullptr);
  EXPECT_NE(game->GetSpriteSetManager(), nullptr);
  EXPECT_NE(game->m_pPurchaseEngine, nullptr);
  EXPECT_EQ(g_currentMode, 18);
  EXPECT_EQ(MAXX, 546);
  EXPECT_EQ(g_ratio_is_more_1_5, 1);
  loadingBlend = loadingBlend2 = 300.0f; // past the splash
  game->RunGameCycle();
  EXPECT_EQ(g_currentMode, 0);
  EXPECT_NE(g_white, nullptr);
  for (int i = 0; i < 20; ++i)
    game->RunGameCycle();
  // Message 600 is swallowed; 1002 makes the window again, which starts afresh in the loader.
  EXPECT_EQ(game->OnMessage(nullptr, 600, 0, 0), 1);
  EXPECT_EQ(game->OnMessage(nullptr, 1002, 0, 0), 1);
  EXPECT_EQ(g_currentMode, 18);
  EXPECT_FALSE(game->IsFinished());
  game.reset();
  EXPECT_TRUE(std::filesystem::exists("data/allinfo.dat"));
  EXPECT_EQ(gameInitialized, 0);
}

int g_pressed = 0;
void Pressed() { ++g_pressed; }

TEST_F(TheGameStarted, TouchesReachTheCurrentModeThroughTheWindow) {
  ASSERT_TRUE(game->Init(546, 320));
  loadingBlend = loadingBlend2 = 300.0f; // past the splash
  game->RunGameCycle();
  g_pressed = 0;
  g_currentMode = 3; // a mode with the base touch handling: the buttons
  AddButtonCustom(500, 300, 40, 40, 0, "", nullptr, nullptr, Pressed);
  game->NotifyPointerEvent(500, 300, 1);
  game->NotifyPointerEvent(500, 300, 2);
  EXPECT_EQ(g_pressed, 1);
  // A second finger comes with its id before the event type.
  game->NotifyMultiTouchPointerEvent(505, 305, 1, 1);
  game->NotifyMultiTouchPointerEvent(505, 305, 1, 2);
  EXPECT_EQ(g_pressed, 2);
  ClearButtons();
}

TEST_F(TheGameStarted, RequestedLevelIsEnteredAfterTheStartUp) {
  g_hostGameOptions.level = 12;
  g_hostGameOptions.character = 3;
  ASSERT_TRUE(game->Init(546, 320));
  loadingBlend = loadingBlend2 = 300.0f; // past the splash
  game->RunGameCycle();
  EXPECT_EQ(g_currentMode, 9);
  EXPECT_EQ(g_levelSelected, 12);
  EXPECT_EQ(g_characterID, 3);
  g_levelSelected = 0;
}

TEST_F(TheGameStarted, BackKeyReachesTheModeOrEndsTheRunFromTheQuitDialog) {
  ASSERT_TRUE(game->Init(546, 320));
  loadingBlend = loadingBlend2 = 300.0f; // past the splash
  game->RunGameCycle();
  EXPECT_TRUE(game->OnGraffitiChar('a'));
  AddDialogByID(7, nullptr);
  g_bExitDlgOn = 0;
  // Without the quit flag the back key goes in as key 6 and closes the dialog.
  EXPECT_TRUE(game->OnGraffitiChar(8));
  EXPECT_FALSE(HelpDialogs[0].active);
  g_bExitDlgOn = 1;
  std::filesystem::remove("data/options.cfg");
  EXPECT_FALSE(game->OnGraffitiChar(8));
  EXPECT_EQ(g_bExitDlgOn, 0);
  EXPECT_TRUE(std::filesystem::exists("data/options.cfg"));
}

// The host names the pack and why it does not open, in the one line of a failed start-up; the game
// adds none of its own.
TEST_F(TheGameStarted, MissingPackFailsTheStartUpForTheHostToName) {
  std::filesystem::remove("app/native/assets/_game_bb.pak");
  g_hostGameOptions.dataDirectory = dir.path() + "/nowhere";
  testing::internal::CaptureStderr();
  testing::internal::CaptureStdout();
  EXPECT_FALSE(game->Init(546, 320));
  std::string out = testing::internal::GetCapturedStdout();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(game->m_nInitError, (int)GAMEBASE_ERR_SINGLE_PACK_OPEN);
  EXPECT_EQ(out + err, "");
  EXPECT_EQ(game->m_pGameplayWindow, nullptr);
}

} // namespace
