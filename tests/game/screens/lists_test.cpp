// The missions and secrets lists: the rows of a table with everything completed and with open
// missions, the secret cells found and closed, the secrets list's small spring range, and the way
// back with the button and the key, a dialog taking the tap first.
#include <cstring>

#include "frontend.h"
#include "hge_font.h"
#include "lists.h"
#include "missions.h"
#include "progress_files.h"
#include "screens_fixture.h"
#include "sprite_tables.h"

namespace {

class Lists : public ScreensTest {
protected:
  void SetUp() override {
    ScreensTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    for (int i = 0; i < MISSIONS; ++i)
      saved[i] = Missions[i];
    memcpy(savedGlobal, g_globalAchievements, sizeof savedGlobal);
    opened = true;
  }
  void TearDown() override {
    if (opened) {
      for (int i = 0; i < MISSIONS; ++i)
        Missions[i] = saved[i];
      memcpy(g_globalAchievements, savedGlobal, sizeof savedGlobal);
    }
    ScreensTest::TearDown();
  }
  // FontSTD's glyphs drawn in the colour, centred within 3 px of the row y.
  static int GlyphsAt(const std::vector<CapturedBlit>& blits, double y, int r, int g, int b) {
    int n = 0;
    for (const CapturedBlit& blit : BlitsOf(blits, FontSTD->page)) {
      const QuellarVertex& v = blit.tri[0][0];
      if (std::abs(CentreY(blit) - y) <= 3 && v.r == r && v.g == g && v.b == b) ++n;
    }
    return n;
  }
  mission saved[MISSIONS];
  s32 savedGlobal[GLOBAL_ACHIEVEMENT_WORDS];
  bool opened = false;
};

TEST_F(Lists, WithEveryMissionCompletedTheOtherMissionsStartOneRowDownAndShowOpen) {
  for (int i = 0; i < MISSIONS; ++i)
    if (Missions[i].defined) Missions[i].completed = 1, Missions[i].justCompleted = 0;
  Cycles(10); // the mission processing finds none current
  for (int i = 0; i < 40; ++i)
    ASSERT_EQ(Missions[i].active, 0) << i;
  Enter(12);
  missionsList& list = *static_cast<missionsList*>(GameModes[12]);
  ASSERT_EQ(list.offset, 30);
  ASSERT_EQ(list.appear, 1.0f);
  std::vector<CapturedBlit> blits = FrameBlits(0);

  EXPECT_TRUE(BlitsOf(blits, mList_panel[0]).empty()) << "no panel is covered";
  // Slot k in row k + 1, 4 px right of the column; rows below MAXY + 100 are not drawn.
  std::vector<CapturedBlit> open = BlitsOf(blits, mList_panel[1]);
  ASSERT_EQ(open.size(), 8u);
  for (size_t k = 0; k < open.size(); ++k) {
    EXPECT_NEAR(CentreX(open[k]), MAXX / 2 - 6 + 4, 0.01) << k;
    EXPECT_NEAR(CentreY(open[k]), 75 + 45 * k + list.offset, 0.01) << k;
    EXPECT_NEAR(open[k].MaxX() - open[k].MinX(), 420, 0.01) << "half the picture";
  }
  // After each panel its icon at full alpha, 175 px left of it, then the reward badge.
  std::vector<size_t> at = IndicesOf(blits, mList_panel[1]);
  ASSERT_LT(at[2] + 2, blits.size());
  const CapturedBlit& icon = blits[at[2] + 1];
  EXPECT_EQ(icon.source, g_achievementIcons[Missions[2].icon]->texture->bitmap);
  EXPECT_NEAR(CentreX(icon), MAXX / 2 - 2 - 175, 0.5); // atlas entries are trimmed
  EXPECT_NEAR(CentreY(icon), CentreY(open[2]), 0.5);
  EXPECT_EQ(icon.tri[0][0].a, 255);
  EXPECT_NEAR(CentreX(blits[at[2] + 2]), MAXX / 2 - 2 - 213, 0.5) << "the badge";
  EXPECT_GT(GlyphsAt(blits, list.offset + 175, 0, 0, 0), 5) << "the header stays where it was";
  EXPECT_GT(GlyphsAt(blits, list.offset - 5, 0, 0, 0), 5);
  EXPECT_GT(GlyphsAt(blits, 75 + list.offset + 10, 65, 65, 65), 5) << "a grey description";
  EXPECT_EQ(GlyphsAt(blits, 75 + list.offset + 10, 255, 255, 255), 0);
}

TEST_F(Lists, OpenMissionsAreCoveredWithAFadedIconAndTheCurrentOnesComeFirst) {
  Missions[5].completed = 1; // done, not current
  Cycles(10);
  ASSERT_EQ(Missions[0].active + Missions[1].active + Missions[2].active, 3);
  Enter(12);
  missionsList& list = *static_cast<missionsList*>(GameModes[12]);
  std::vector<CapturedBlit> blits = FrameBlits(0);
  std::vector<CapturedBlit> covers = BlitsOf(blits, mList_panel[0]);
  std::vector<CapturedBlit> open = BlitsOf(blits, mList_panel[1]);
  // Current 0-2 in rows 0-2, an empty row, then slots 3, 4 and the completed 5 in rows 4-6.
  const double rows[] = {0, 1, 2, 4, 5, 6};
  ASSERT_GE(open.size(), 6u);
  for (int k = 0; k < 6; ++k)
    EXPECT_NEAR(CentreY(open[k]), 30 + 45 * rows[k] + list.offset, 0.01) << k;
  EXPECT_NEAR(CentreX(open[0]), MAXX / 2 - 6, 0.01);
  EXPECT_NEAR(CentreX(open[5]), MAXX / 2 - 6 + 4, 0.01) << "the completed one";
  EXPECT_EQ(covers.size(), open.size() - 1) << "every panel but the completed one covered";
  // The first panel: open, cover, its icon faded, then the badge at full alpha.
  size_t first = IndicesOf(blits, mList_panel[1])[0];
  ASSERT_LT(first + 3, blits.size());
  EXPECT_EQ(blits[first + 1].source, mList_panel[0]->texture->bitmap);
  const CapturedBlit& icon = blits[first + 2];
  EXPECT_EQ(icon.source, g_achievementIcons[Missions[0].icon]->texture->bitmap);
  EXPECT_NEAR(CentreX(icon), MAXX / 2 - 6 - 175, 0.5);
  EXPECT_EQ(icon.tri[0][0].a, 40) << "faded";
  const CapturedBlit& badge = blits[first + 3];
  EXPECT_EQ(badge.source, g_achievementIcons[Missions[0].reward + 56]->texture->bitmap);
  EXPECT_NEAR(CentreX(badge), MAXX / 2 - 6 - 213, 0.5);
  EXPECT_NEAR(CentreY(badge), 30 + list.offset + 3, 0.5);
  EXPECT_EQ(badge.tri[0][0].a, 255);
  EXPECT_GT(GlyphsAt(blits, 30 + list.offset + 10, 255, 255, 255), 5) << "a white description";
}

TEST_F(Lists, SecretCellsOpenForFoundItemsAndTheListSpringsBackWithinThreePixels) {
  g_globalAchievements[GLOBAL_WORD_SECRETS + 5] = 1;
  g_globalAchievements[GLOBAL_WORD_SECRETS + 30] = 1;
  Enter(13);
  secretsList& list = *static_cast<secretsList*>(GameModes[13]);
  ASSERT_EQ(list.offset, 0);
  std::vector<CapturedBlit> blits = FrameBlits(0);
  EXPECT_EQ(BlitsOf(blits, sList_panel[0]).size(), 30u);
  std::vector<CapturedBlit> open = BlitsOf(blits, sList_panel[1]);
  ASSERT_EQ(open.size(), 2u);
  EXPECT_NEAR(CentreX(open[0]), 40 + 57 * 5 * g_guiShiftX, 0.01);
  EXPECT_NEAR(CentreY(open[0]), 40, 0.01);
  EXPECT_NEAR(CentreX(open[1]), 40 + 57 * 6 * g_guiShiftX, 0.01) << "item 30: row 3, column 6";
  EXPECT_NEAR(CentreY(open[1]), 40 + 62 * 3, 0.01);
  // Each open cell is followed by its item's picture on it.
  for (size_t i : IndicesOf(blits, sList_panel[1])) {
    ASSERT_LT(i + 1, blits.size());
    EXPECT_EQ(blits[i + 1].source, g_secretItems[5]->texture->bitmap);
    EXPECT_NEAR(CentreX(blits[i + 1]), CentreX(blits[i]), 0.5);
    EXPECT_NEAR(CentreY(blits[i + 1]), CentreY(blits[i]), 0.5);
  }

  // A long drag: the list follows the finger, then springs back into its 3 px either way and rests.
  Down(200, 100);
  Move(200, 140);
  Cycles(5);
  EXPECT_EQ(list.offset, 40) << "held by the finger";
  Up(200, 140);
  Cycles(60);
  EXPECT_LE(list.offset, 3);
  EXPECT_GE(list.offset, -3);
  const float rest = list.offset;
  Cycles(30);
  EXPECT_EQ(list.offset, rest) << "at rest";
  EXPECT_NEAR(CentreY(BlitsOf(FrameBlits(0), sList_panel[0])[0]), 40 + rest, 0.01);
  // A flick upward ends inside the range too.
  Down(200, 200);
  Move(200, 160);
  Up(200, 160);
  Cycles(60);
  EXPECT_LE(list.offset, 3);
  EXPECT_GE(list.offset, -3);
  EXPECT_EQ(g_currentMode, 13) << "dragging pressed no button";
}

TEST_F(Lists, BackButtonAndKeyReturnToTheScreenBeforeAndAnOpenDialogTakesTheTap) {
  for (int mode : {12, 13}) {
    SCOPED_TRACE(mode);
    Enter(mode);
    ASSERT_GE(AddDialogByID(3, nullptr), 0);
    Tap(35, MAXY - 25);
    EXPECT_EQ(g_currentMode, mode) << "the dialog took the tap";
    KillDialogs();
    Tap(35, MAXY - 25);
    EXPECT_EQ(g_currentMode, 0);
    Enter(mode);
    Back();
    EXPECT_EQ(g_currentMode, 0);
    EXPECT_EQ(mList_BG, nullptr) << "the pictures go with the screen";
    EXPECT_EQ(sList_panel[1], nullptr);
  }
  // Back to where it came from: the secrets list from the missions list returns there.
  Enter(12);
  Enter(13);
  Back();
  EXPECT_EQ(g_currentMode, 12);
}

} // namespace

namespace {

// The bottom bar of both lists at y MAXY - 18, half its picture's size: on a wide screen moved
// right with two extension pieces edge to edge filling the left side, on a 3:2 screen centred alone.
void ExpectBottomBar(int mode, Surface* (&bar)[2], bool wide) {
  SCOPED_TRACE(mode);
  ASSERT_EQ(g_currentMode, mode);
  ASSERT_NE(bar[0], nullptr);
  ASSERT_NE(bar[1], nullptr);
  std::vector<CapturedBlit> blits = FrameBlits(0);
  std::vector<CapturedBlit> main = BlitsOf(blits, bar[0]);
  std::vector<CapturedBlit> pieces = BlitsOf(blits, bar[1]);
  ASSERT_EQ(main.size(), 1u);
  EXPECT_NEAR(CentreY(main[0]), MAXY - 18, 0.01);
  EXPECT_NEAR(main[0].MaxX() - main[0].MinX(), 0.5 * bar[0]->GetWidth(), 0.01);
  if (!wide) {
    EXPECT_NEAR(CentreX(main[0]), MAXX / 2, 0.01);
    EXPECT_TRUE(pieces.empty());
    return;
  }
  EXPECT_NEAR(CentreX(main[0]), MAXX / 2 + (MAXX - 480) / 2, 0.01);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_NEAR(pieces[0].MaxX(), main[0].MinX(), 1.0) << "against the bar";
  EXPECT_NEAR(pieces[1].MaxX(), pieces[0].MinX(), 1.0) << "against the first piece";
  EXPECT_LE(pieces[1].MinX(), 0) << "reaching the left edge";
  for (const CapturedBlit& piece : pieces)
    EXPECT_NEAR(CentreY(piece), MAXY - 18, 0.01);
}

TEST_F(Lists, OnAWideScreenTheBottomBarMovesRightAndPiecesFillTheLeft) {
  ASSERT_TRUE(g_ratio_is_more_1_5);
  Enter(12);
  ExpectBottomBar(12, mList_bottom, true);
  Enter(13);
  ExpectBottomBar(13, sList_bottom, true);
}

class ListsAtThreeToTwo : public Lists {
protected:
  int Width() const override { return 480; }
};

TEST_F(ListsAtThreeToTwo, TheBottomBarIsCentredWithoutPieces) {
  ASSERT_FALSE(g_ratio_is_more_1_5);
  Enter(12);
  ExpectBottomBar(12, mList_bottom, false);
  Enter(13);
  ExpectBottomBar(13, sList_bottom, false);
}

} // namespace
