// The game-mode framework: the mode table, switching with its fade fields, refusals, release with
// the modes' own destructors, the base modes' touches reaching the buttons, the start-up stage and
// the first mode after it.
#include <memory>
#include <string>
#include <vector>

#include "buttons.h"
#include "display.h"
#include "frontend.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_test_support.h"
#include "gameplay_window.h"
#include "geometry.h"
#include "inlevel_mode.h"
#include "level_editor.h"
#include "level_selection.h"
#include "loader.h"
#include "mode_framework.h"
#include "progress_files.h"
#include "sprite_tables.h"
#include "startup_pack.h"
#include "surface.h"

namespace {

std::vector<std::string> g_log;

class RecordingMode : public gamemode {
public:
  explicit RecordingMode(int id) : m_id(id) {}
  ~RecordingMode() override { g_log.push_back("delete " + std::to_string(m_id)); }
  void InitMode() override { g_log.push_back("init " + std::to_string(m_id)); }
  void DeInitMode() override { g_log.push_back("deinit " + std::to_string(m_id)); }

private:
  int m_id;
};

class GameModesTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetDrawingState();
    display = &d;
    g_log.clear();
    InitGameModes();
  }
  void TearDown() override {
    DeInitGameModes();
    g_currentMode = g_previousMode = -1;
    display = nullptr;
    ClearButtons();
  }
  // Puts recording modes in the given slots.
  void Record(std::initializer_list<int> ids) {
    for (int id : ids) {
      delete GameModes[id];
      GameModes[id] = new RecordingMode(id);
    }
  }
  PackGame game;
  Display d;
};

TEST_F(GameModesTest, StartUpCreatesTheModesAndEntersTheLoaderWithoutAFade) {
  for (int id = 0; id < GAME_MODES; ++id)
    EXPECT_EQ(GameModes[id] != nullptr, id <= 18 && id != 6) << id;
  EXPECT_NE(dynamic_cast<loader*>(GameModes[18]), nullptr);
  EXPECT_NE(dynamic_cast<questGame*>(GameModes[9]), nullptr);
  EXPECT_NE(dynamic_cast<level_editor*>(GameModes[10]), nullptr);
  EXPECT_EQ(g_currentMode, 18);
  EXPECT_EQ(g_previousMode, -1);
  EXPECT_EQ(GameModes[18]->fadeActive, 0);
  EXPECT_EQ(lastBlendA, 255);
}

TEST_F(GameModesTest, SwitchLeavesEntersAndStartsTheFade) {
  Record({9, 11});
  g_currentMode = 11;
  SwitchMode(9);
  EXPECT_EQ(g_previousMode, 11);
  EXPECT_EQ(g_currentMode, 9);
  EXPECT_EQ(g_switchingTo, 9);
  EXPECT_EQ(GameModes[9]->fadeActive, 1);
  EXPECT_EQ(GameModes[9]->fadeAlpha, 1.0f);
  EXPECT_EQ(g_log, (std::vector<std::string>{"deinit 11", "init 9"}));
  g_log.clear();
  SwitchMode(9);
  EXPECT_EQ(g_previousMode, 9);
  EXPECT_EQ(g_log, (std::vector<std::string>{"deinit 9", "init 9"}));
}

TEST_F(GameModesTest, SwitchToAMissingModeIsRefusedWithOneLine) {
  Record({2});
  g_currentMode = 2;
  g_previousMode = 0;
  for (int id : {6, 19, 24, 25, -1, 1000}) {
    g_log.clear();
    testing::internal::CaptureStderr();
    SwitchMode(id);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << id;
    EXPECT_NE(err.find(std::to_string(id)), std::string::npos) << err;
    EXPECT_EQ(g_currentMode, 2);
    EXPECT_EQ(g_previousMode, 0);
    EXPECT_TRUE(g_log.empty());
  }
}

TEST_F(GameModesTest, ReleaseLeavesEveryModeInOrderThroughItsOwnDestructor) {
  Record({3, 12});
  DeInitGameModes();
  EXPECT_EQ(g_log, (std::vector<std::string>{"deinit 3", "delete 3", "deinit 12", "delete 12"}));
  EXPECT_EQ(g_switchingTo, 9);
  for (gamemode* m : GameModes)
    EXPECT_EQ(m, nullptr);
}

int g_presses = 0;
void Press() { ++g_presses; }

TEST_F(GameModesTest, BaseModesPassTouchesToTheButtons) {
  ClearButtons();
  g_presses = 0;
  AddButtonCustom(100, 100, 40, 40, 0, "", nullptr, nullptr, Press);
  gamemode* mode = GameModes[3]; // credits keeps the base stylus operations
  myPoint at[10] = {myPoint(101.7f, 99.2f)};
  mode->StylusDown(at, 1);
  EXPECT_TRUE(Buttons[0].pressed);
  mode->StylusHover(at, 1);
  EXPECT_TRUE(Buttons[0].hover);
  mode->StylusUp(at, 1);
  EXPECT_EQ(g_presses, 1);
  // The unused multi-touch entries mirror x when asked.
  g_stylusOrientationInvertX = true;
  myPoint mirrored[1] = {myPoint(380, 100)};
  GameStylusDownMultiUp(mirrored, 1);
  g_stylusOrientationInvertX = false;
  EXPECT_EQ(g_presses, 2);
}

TEST_F(GameModesTest, StartUpStageLoadsLevelsFontsAndFixesTheZoom) {
  g_screenScale = 1.0f;
  g_iphoneCustomZoom = 0.6f;
  std::filesystem::create_directories("data");
  g_levelAchievements[7][20] = 5;
  SaveAllLevelsInfo();
  g_levelAchievements[7][20] = 0;
  ASSERT_TRUE(game.OpenPackFile(SamplePackPath()));
  InitGame();
  EXPECT_EQ(g_iphoneCustomZoom, 1.0f);
  EXPECT_EQ(g_levelAchievements[7][20], 5);
  EXPECT_NE(FontSTD, nullptr);
  EXPECT_NE(FontInterface, nullptr);
  EXPECT_EQ(display_mode_current, 3);
  g_levelAchievements[7][20] = 0;
  // The start-up sprites and fonts go as when the window closes (the display is the test's own).
  display = nullptr;
  SafeDeleteGlobals();
  display = &d;

  g_screenScale = 2.0f;
  g_iphoneCustomZoom = 0.6f;
  InitGame();
  EXPECT_EQ(g_iphoneCustomZoom, 0.6f);
  display = nullptr;
  SafeDeleteGlobals();
  display = &d;
  g_screenScale = 1.0f;
  g_iphoneCustomZoom = 0.8f;
}

TEST_F(GameModesTest, FirstModeIsTheRequestedLevelOrTheMenu) {
  Record({0, 9});
  g_hostGameOptions.level = 37;
  g_hostGameOptions.character = 5;
  StartFirstMode();
  EXPECT_EQ(g_currentMode, 9);
  EXPECT_EQ(g_previousMode, 18);
  EXPECT_EQ(g_levelSelected, 37);
  EXPECT_EQ(g_characterID, 5);
  g_hostGameOptions = HostGameOptions();
  StartFirstMode();
  EXPECT_EQ(g_currentMode, 0);
  g_levelSelected = g_characterID = 0;
}

TEST_F(GameModesTest, ARequestedLevelSelectsItsWorldAndSetAsTheMapWould) {
  Record({9});
  const struct {
    int level;
    int world, set, listShift;
  } cases[] = {
      {1, 1, 0, 0},
      {18, 1, 0, 0},
      {25, 1, 1, 0},
      {43, 0, 0, 0},
      {71, 2, 1, 0},
      {118, 3, 0, 0},
      {163, 11, 0, 10},
      {209, 15, 0, 10},
      // A level that no box of level selection holds leaves the choice as it was.
      {0, 2, 1, 0},
      {19, 2, 1, 0},
      {150, 2, 1, 0},
      {399, 2, 1, 0},
  };
  for (const auto& c : cases) {
    g_worldSelected = 2;
    g_setSelected = 1;
    newGameCurrentListShift = 0;
    g_hostGameOptions.level = c.level;
    StartFirstMode();
    EXPECT_EQ(g_levelSelected, c.level);
    EXPECT_EQ(g_worldSelected, c.world) << c.level;
    EXPECT_EQ(g_setSelected, c.set) << c.level;
    EXPECT_EQ(newGameCurrentListShift, c.listShift) << c.level;
  }
  g_hostGameOptions = HostGameOptions();
  g_worldSelected = g_setSelected = newGameCurrentListShift = 0;
  g_levelSelected = 0;
}

TEST_F(GameModesTest, LoadHookDrawsThePreloaderOnEverySecondCall) {
  TriangleCapture capture;
  std::unique_ptr<Surface> frames[4];
  for (int i = 0; i < 4; ++i) {
    frames[i].reset(FakeSurface(10 + 10 * i, 10));
    g_preloaderAnim[i] = frames[i].get();
  }
  ClearLoadUpdateFuction();
  std::vector<double> widths;
  for (int call = 0; call < 24; ++call) {
    size_t before = capture.Blits().size();
    LoadUpdateFuction();
    if (capture.Blits().size() > before)
      widths.push_back(capture.Blits().back().MaxX() - capture.Blits().back().MinX());
  }
  // Twelve drawings, each frame for five of them, at half size.
  ASSERT_EQ(widths.size(), 12u);
  EXPECT_EQ(widths[0], 5);
  EXPECT_EQ(widths[4], 5);
  EXPECT_EQ(widths[5], 10);
  EXPECT_EQ(widths[10], 15);
  for (Surface*& s : g_preloaderAnim)
    s = nullptr;
}

} // namespace
