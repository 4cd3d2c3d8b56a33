// The dormant screens: the hiscore order and the booking of a new entry, and a switch to each
// screen that enters, draws and leaves cleanly; instructions, interLevel, mapMode, about and the
// store page each with what it does on the way.
#include <cstring>
#include <random>

#include "dormant_screens.h"
#include "frontend.h"
#include "mission_table.h"
#include "screens_fixture.h"
#include "sound_table.h"

namespace {

HiscoreItem Row(bool used, int score, const char* name = "") {
  HiscoreItem r{};
  r.used = used ? 1 : 0;
  r.score = score;
  snprintf(r.name, sizeof r.name, "%s", name);
  return r;
}

struct CompareCase {
  bool aUsed;
  int aScore;
  bool bUsed;
  int bScore;
  int expected;
};

class CompareHS : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareHS, RecordsComeFirstHighestScoreFirst) {
  const CompareCase& c = GetParam();
  HiscoreItem a = Row(c.aUsed, c.aScore), b = Row(c.bUsed, c.bScore);
  EXPECT_EQ(compareHS(&a, &b), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Pairs, CompareHS,
                         ::testing::Values(CompareCase{true, 10, true, 3, -1},
                                           CompareCase{true, 3, true, 10, 1},
                                           CompareCase{true, 7, true, 7, 0},
                                           CompareCase{false, 99, true, 1, 1},
                                           CompareCase{true, 1, false, 99, -1},
                                           // Two empty rows are equal, so the order is consistent.
                                           CompareCase{false, 5, false, 9, 0}));

class Hiscores : public ::testing::Test {
protected:
  void SetUp() override { memset(HiscoreItems, 0, sizeof HiscoreItems); }
  void TearDown() override { memset(HiscoreItems, 0, sizeof HiscoreItems); }
};

TEST_F(Hiscores, EachTableSortsRecordsByScoreBeforeTheEmptyRows) {
  std::mt19937 random(7);
  int used[HISCORE_TABLES] = {};
  for (int t = 0; t < HISCORE_TABLES; ++t)
    for (int r = 0; r < HISCORE_ROWS; ++r)
      if (random() % 3) {
        HiscoreItems[t][r] = Row(true, (int)(random() % 50) * (t + 1));
        ++used[t];
      }
  SortHiscores();
  for (int t = 0; t < HISCORE_TABLES; ++t) {
    SCOPED_TRACE(t);
    for (int r = 0; r < HISCORE_ROWS; ++r)
      EXPECT_EQ(HiscoreItems[t][r].used, r < used[t] ? 1 : 0) << r;
    for (int r = 1; r < used[t]; ++r)
      EXPECT_GE(HiscoreItems[t][r - 1].score, HiscoreItems[t][r].score) << r;
  }
}

TEST_F(Hiscores, AnAddedEntryIsTheOnlyNewOneAndTakesItsPlace) {
  for (int r = 0; r < 5; ++r)
    HiscoreItems[2][r] = Row(true, 100 - 10 * r, "old");
  HiscoreItems[0][0] = Row(true, 50, "earlier");
  HiscoreItems[0][0].isNew = 1;
  HiscoreItems[2][HISCORE_NEW_ROW] = Row(false, 75, "Ada");
  AddHiscore(2);
  EXPECT_EQ(HiscoreItems[0][0].isNew, 0) << "every table's new mark is cleared";
  const HiscoreItem& added = HiscoreItems[2][3];
  EXPECT_STREQ(added.name, "Ada");
  EXPECT_EQ(added.used, 1);
  EXPECT_EQ(added.isNew, 1);
  EXPECT_EQ(HiscoreItems[2][2].score, 80);
  EXPECT_EQ(HiscoreItems[2][4].score, 70);
  EXPECT_EQ(HiscoreItems[2][HISCORE_NEW_ROW].used, 0) << "an empty row at the end again";
  // A table number outside the four books nothing.
  HiscoreItem before[HISCORE_TABLES][HISCORE_ROWS];
  memcpy(before, HiscoreItems, sizeof before);
  AddHiscore(4);
  AddHiscore(-1);
  EXPECT_EQ(memcmp(before, HiscoreItems, sizeof before), 0);
}

class Dormant : public ScreensTest {
protected:
  void TearDown() override {
    g_gameCompleted = g_mustShowTextField = 0;
    ScreensTest::TearDown();
  }
  // Frames of the current screen, drawn for real.
  void Draw() { Cycles(30); }
  int ActiveButtons() {
    int n = 0;
    for (const button& b : Buttons)
      n += b.active;
    return n;
  }
};

TEST_F(Dormant, HiscoresTakeTheCompletedFlagAndScrollNoFurtherThanTheirStart) {
  g_gameCompleted = 1;
  SwitchMode(4);
  ASSERT_EQ(g_currentMode, 4);
  EXPECT_EQ(g_mustShowTextField, 1);
  EXPECT_EQ(g_gameCompleted, 0);
  EXPECT_EQ(ActiveButtons(), 0);
  Draw();
  hiscores& screen = *static_cast<hiscores*>(GameModes[4]);
  Down(200, 200);
  Move(180, 150);
  EXPECT_EQ(screen.scrollY, -50);
  EXPECT_EQ(screen.scrollX, -20);
  EXPECT_EQ(screen.velocity, 1000);
  EXPECT_EQ(screen.dragging, 1);
  Move(260, 260);
  EXPECT_EQ(screen.scrollY, 0) << "held at 0";
  EXPECT_EQ(screen.scrollX, 0);
  Up(260, 260);
  EXPECT_EQ(screen.dragging, 0);
  Back();
  EXPECT_EQ(g_currentMode, 4) << "every key is ignored";
  SwitchMode(0);
  EXPECT_EQ(g_currentMode, 0);
}

TEST_F(Dormant, InstructionsLoadTheirPagesPickOneByItsButtonAndFreeThemOnLeaving) {
  Enter(5);
  for (Surface* page : g_instructions) {
    ASSERT_NE(page, nullptr);
    EXPECT_NE(page->texture, nullptr);
  }
  const int ys[] = {53, 100, 147, 194, 241};
  for (int i = 4; i >= 0; --i) {
    Tap(5, ys[i]);
    EXPECT_EQ(instructID, i);
  }
  Draw();
  SwitchMode(0);
  for (Surface* page : g_instructions)
    EXPECT_EQ(page, nullptr);
  Enter(5);
  EXPECT_NE(g_instructions[4], nullptr) << "made again on the next entry";
  SwitchMode(0);
}

TEST_F(Dormant, InterLevelAndMapModeStartWithoutTheButtonsOfTheScreenBefore) {
  for (int mode : {7, 8}) {
    SCOPED_TRACE(mode);
    ASSERT_GT(ActiveButtons(), 0) << "the main menu's";
    currentTrack = -1;
    SwitchMode(mode);
    EXPECT_EQ(ActiveButtons(), 0);
    EXPECT_EQ(currentTrack, 0) << "the menu theme";
    Draw();
    Tap(MAXX / 2, MAXY - 56); // where the menu's play button was
    EXPECT_EQ(g_currentMode, mode);
    SwitchMode(0);
    ASSERT_EQ(g_currentMode, 0);
    Cycles(10);
  }
}

TEST_F(Dormant, MapModeHoldsTheLoadProgressHookOnlyWhileItIsShown) {
  ASSERT_EQ(g_loadUpdateFunction, nullptr);
  SwitchMode(8);
  EXPECT_EQ(g_loadUpdateFunction, LoadUpdateFuction);
  Draw();
  SwitchMode(0);
  EXPECT_EQ(g_loadUpdateFunction, nullptr);
}

TEST_F(Dormant, AboutShowsItsPanelAndLeavesByItsCornerOrBack) {
  Enter(17);
  ASSERT_NE(aboutBG, nullptr);
  for (Surface* s : aboutButton)
    EXPECT_NE(s, nullptr);
  ASSERT_NE(select_bg[0], nullptr);
  std::vector<CapturedBlit> blits = FrameBlits();
  std::vector<CapturedBlit> panel = BlitsOf(blits, aboutBG);
  ASSERT_EQ(panel.size(), 1u);
  EXPECT_NEAR(CentreX(panel[0]), MAXX / 2, 0.01);
  EXPECT_NEAR(panel[0].MaxX() - panel[0].MinX(), aboutBG->GetWidth() / 2.0, 0.01);
  for (Surface* s : aboutButton)
    EXPECT_TRUE(BlitsOf(blits, s).empty()) << "loaded, not drawn";
  Tap(MAXX / 2, MAXY / 2);
  EXPECT_EQ(g_currentMode, 17);
  Tap(MAXX / 2 + 200, 30);
  EXPECT_EQ(g_currentMode, 0);
  EXPECT_EQ(aboutBG, nullptr);
  EXPECT_EQ(select_bg[0], nullptr);
  Enter(17);
  Back();
  EXPECT_EQ(g_currentMode, 0);
}

TEST_F(Dormant, GoAboutCountsTheVisitForItsMission) {
  Missions[19].active = 1;
  const int before = Missions[19].counter;
  GoAbout();
  EXPECT_EQ(g_currentMode, 17);
  EXPECT_EQ(Missions[19].counter, before + 1);
  Missions[19].counter = before;
  Missions[19].active = 0;
}

// The store page has no mode slot; put into the empty slot 6 it works like the others.
TEST_F(Dormant, TheStorePageLaysOutItsFourStoresAndGoesBackWhereItCameFrom) {
  ASSERT_EQ(GameModes[6], nullptr);
  GetMobileScreen* page = new GetMobileScreen();
  GameModes[6] = page; // released with the other modes
  Enter(6);
  ASSERT_NE(page->picture, nullptr);
  ASSERT_NE(page->button, nullptr);
  ASSERT_NE(mainmenuBottom[0], nullptr) << "the common menu set is there";
  // The back button, then the stores across the screen widened by 55 px each side.
  ASSERT_EQ(Buttons[0].action, GoBackFromMobileScreen);
  const int m = -55 + (MAXX - 480) / 2, w = MAXX - 2 * m;
  void (*const stores[4])() = {BUY_IOS, BUY_ANDROID, BUY_WINPHONE, BUY_VUDARUDIRI};
  for (int k = 1; k <= 4; ++k) {
    const button& b = Buttons[k];
    EXPECT_EQ(b.action, stores[k - 1]);
    EXPECT_EQ(b.x, m + k * w / 5);
    EXPECT_EQ(b.y, MAXY / 2 + 125);
    EXPECT_EQ(b.w, page->button->GetWidth() / 2);
    EXPECT_EQ(b.h, page->button->GetHeight() / 2);
  }
  Tap(Buttons[2].x, Buttons[2].y);
  EXPECT_EQ(g_currentMode, 6) << "the store links lead nowhere";
  Draw();
  Back();
  EXPECT_EQ(g_currentMode, 0) << "entered from the main menu";
  EXPECT_EQ(page->picture, nullptr);
  SwitchMode(1);
  Enter(6);
  Tap(31, 24);
  EXPECT_EQ(g_currentMode, 1) << "entered from the world map";
  SwitchMode(0);
}

} // namespace
