// Level selection through the real application object on a headless screen with the sample pack:
// the first level of each set opened on a fresh save, starting a level under the start rule,
// paging by drag and its threshold, one-set worlds, keys across the sets, the common menu set
// freed for play but the options kept drawable, the level boxes' marks, and the character picker
// (snapping, locked characters passed over, the shop and the hidden character).
#include <cmath>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "animator.h"
#include "atlas.h"
#include "buttons.h"
#include "catalogue.h"
#include "display.h"
#include "frontend.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_test_support.h"
#include "gameplay_window.h"
#include "geometry.h"
#include "gl_renderer.h"
#include <standin/headless_gl.h>
#include "help_dialogs.h"
#include "level_box.h"
#include "level_layout.h"
#include "level_selection.h"
#include "main_menu.h"
#include "progress_files.h"
#include "running_game.h"
#include "sound_log.h"
#include "sprite_tables.h"
#include "surface.h"
#include "the_game.h"

namespace {

const std::pair<int, int> kBoxSound{47, 0};
const std::pair<int, int> kStartSound{47, 1};
const std::pair<int, int> kPageSound{38, 0};

class LevelSelection : public RunningGameTest {
protected:
  void SetUp() override {
    StartInTheMenu();
    if (!Running()) return;
    memcpy(savedLevels, g_levelAchievements, sizeof(savedLevels));
    memcpy(savedCharacters, g_charactersUnlocked, sizeof(savedCharacters));
    // A fresh save: no level opened or played, only the first character.
    memset(g_levelAchievements, 0, sizeof(g_levelAchievements));
    memset(g_charactersUnlocked, 0, sizeof(g_charactersUnlocked));
    g_charactersUnlocked[0] = 1;
    g_setSelected = 0;
    GlobalData.characterIndex = 0;
    sounds = std::make_unique<SoundLog>(*game);
    opened = true;
  }
  void TearDown() override {
    if (opened) {
      memcpy(g_levelAchievements, savedLevels, sizeof(savedLevels));
      memcpy(g_charactersUnlocked, savedCharacters, sizeof(savedCharacters));
    }
    g_finalRelease = 1;
    g_worldSelected = 0;
    g_setSelected = 0;
    GlobalData.characterIndex = 0;
    ClearEffectAnimators();
    sounds.reset();
    StopGame();
  }
  void AfterCycle() override { sounds->Age(); }
  levelSelection& Screen() { return *static_cast<levelSelection*>(GameModes[11]); }
  // Level selection entered on a world, past its input delay and the boxes' pop-in.
  void Enter(int world) {
    g_worldSelected = world;
    SwitchMode(11);
    ASSERT_EQ(g_currentMode, 11);
    Cycles(20);
    ASSERT_EQ(Screen().popInActive, 0);
    sounds->system.playedEffects.clear();
  }
  static int BoxX(int k) { return 56 + 75 * (k % 6); }
  static int BoxY(int k) { return 80 + 75 * (k / 6); }
  void TapBox(int k) { Tap(BoxX(k), BoxY(k)); }
  // True when the shutters started by the last tap led into play within a second.
  bool ReachesPlay() {
    for (int i = 0; i < 60 && g_currentMode == 11; ++i)
      Cycles(1);
    return g_currentMode == 9;
  }
  int Count(std::pair<int, int> sound) {
    int n = 0;
    for (const auto& p : sounds->Played())
      n += p == sound ? 1 : 0;
    return n;
  }
  // A key straight to the screen, pressed and released.
  void Key(int key) {
    Screen().KeyboardEvent(key, 1);
    Screen().KeyboardEvent(key, 0);
  }
  static s32* Record(int level) { return g_levelAchievements[level]; }
  static bool HasToggle() {
    for (const button& b : Buttons)
      if (b.active && b.action == CasualModeButton) return true;
    return false;
  }

  std::unique_ptr<SoundLog> sounds;
  s32 savedLevels[LEVEL_RECORDS][LEVEL_RECORD_WORDS];
  int savedCharacters[15];
  bool opened = false;
};

TEST_F(LevelSelection, AFreshSaveOpensBoxOneOnlyAndATapOnAClosedBoxJustSelectsIt) {
  Enter(1);
  EXPECT_EQ(Screen().boxCount, 18);
  EXPECT_NE(Record(1)[LEVEL_WORD_OPENED], 0) << "box 1 is opened";
  EXPECT_EQ(Record(2)[LEVEL_WORD_OPENED], 0) << "box 2 stays closed";
  EXPECT_EQ(Record(21)[LEVEL_WORD_OPENED], 0) << "the other set is not shown yet";

  TapBox(1);
  EXPECT_EQ(g_levelSelected, 2) << "a tap on a locked box still selects it";
  EXPECT_EQ(Count(kBoxSound), 1);
  EXPECT_EQ(Count(kStartSound), 0);
  EXPECT_FALSE(ReachesPlay());

  // A completed level opens without its word 46.
  Record(2)[LEVEL_WORD_COMPLETIONS] = 1;
  TapBox(1);
  EXPECT_EQ(Count(kStartSound), 1);
  EXPECT_TRUE(ReachesPlay());
  EXPECT_EQ(g_levelSelected, 2);
}

TEST_F(LevelSelection, BoxOneStartsTheFirstLevelBehindTheShutters) {
  Enter(1);
  TapBox(0);
  EXPECT_EQ(g_levelSelected, 1);
  EXPECT_EQ(Count(kStartSound), 1);
  EXPECT_EQ(g_currentMode, 11) << "the shutters close first";
  EXPECT_TRUE(ReachesPlay());
  EXPECT_EQ(g_levelSelected, 1);
  EXPECT_EQ(g_previousMode, 11);
}

TEST_F(LevelSelection, TheTutorialsFirstBoxIsLevel41AndItsOnlySetNeverPages) {
  g_setSelected = 1; // last shown on a two-set world
  Enter(0);
  EXPECT_EQ(g_setSelected, 0);
  EXPECT_EQ(Screen().singleSet, 1);
  EXPECT_FALSE(HasToggle());
  EXPECT_EQ(Screen().boxCount, 6);
  Down(400, 290);
  Move(250, 290);
  Up(250, 290);
  EXPECT_EQ(Screen().pagingActive, 0);
  EXPECT_EQ(Count(kPageSound), 0);
  TapBox(0);
  EXPECT_EQ(g_levelSelected, 41);
  EXPECT_TRUE(ReachesPlay());
}

TEST_F(LevelSelection, NoBonusWorldPages) {
  for (int world = 10; world <= 15; ++world) {
    Enter(world);
    EXPECT_EQ(Screen().singleSet, 1) << world;
    EXPECT_FALSE(HasToggle()) << world;
    ASSERT_NE(select_bg[0], nullptr) << world;
    EXPECT_NE(select_bg[0]->texture, nullptr) << "the picture of world " << world;
    EXPECT_EQ(select_bg[1], nullptr) << world;
    Down(100, 290);
    Move(300, 290);
    Up(300, 290);
    EXPECT_EQ(Screen().pagingActive, 0) << world;
    EXPECT_NE(Record(g_levelStartingIndexes[2 * world])[LEVEL_WORD_OPENED], 0) << world;
  }
}

struct DragCase {
  int dx; // finger movement, negative to the left
  bool pages;
};

void PrintTo(const DragCase& c, std::ostream* os) { *os << c.dx << " px"; }

class LevelSelectionDrag : public LevelSelection, public ::testing::WithParamInterface<DragCase> {};

TEST_P(LevelSelectionDrag, OnlyADragOfMoreThan70PixelsPagesToTheOtherSet) {
  Enter(1);
  ASSERT_NE(select_bg[1], nullptr);
  EXPECT_NE(select_bg[1]->texture, nullptr) << "the hardcore background";
  const int x = 240, y = 290; // below the grid
  Down(x, y);
  Move(x + GetParam().dx / 2, y);
  Move(x + GetParam().dx, y);
  Up(x + GetParam().dx, y);
  EXPECT_EQ(Screen().pagingActive, GetParam().pages ? 1 : 0);
  EXPECT_EQ(Count(kPageSound), GetParam().pages ? 1 : 0);
  if (GetParam().pages) {
    EXPECT_EQ(Screen().pagingDirection, GetParam().dx < 0 ? 1 : -1);
  }
  Cycles(30); // a screen width at 1600 px/s
  EXPECT_EQ(Screen().pagingActive, 0);
  EXPECT_EQ(g_setSelected, GetParam().pages ? 1 : 0);
  // The toggle shows the set shown.
  EXPECT_EQ(Buttons[0].surface, GetParam().pages ? select_buttons[8] : select_buttons[5]);
  EXPECT_EQ(Record(21)[LEVEL_WORD_OPENED] != 0, GetParam().pages) << "paging opens level 21";
  if (!GetParam().pages) return;
  TapBox(0);
  EXPECT_EQ(g_levelSelected, 21);
  EXPECT_TRUE(ReachesPlay());
}

INSTANTIATE_TEST_SUITE_P(Drags, LevelSelectionDrag,
                         ::testing::Values(DragCase{-70, false}, DragCase{70, false}, DragCase{-71, true},
                                           DragCase{71, true}, DragCase{-200, true}),
                         [](const ::testing::TestParamInfo<DragCase>& info) {
                           int dx = info.param.dx;
                           return (dx < 0 ? "Left" : "Right") + std::to_string(dx < 0 ? -dx : dx);
                         });

TEST_F(LevelSelection, TheToggleSwitchesTheSetAndTheBoxesPopInAgain) {
  Enter(2);
  ASSERT_TRUE(HasToggle());
  Tap(Buttons[0].x, Buttons[0].y);
  EXPECT_EQ(g_setSelected, 1);
  EXPECT_EQ(Screen().popInActive, 1);
  EXPECT_EQ(Screen().boxScale[0], 0);
  Cycles(2);
  EXPECT_NE(Record(71)[LEVEL_WORD_OPENED], 0);
  // The next entry of a two-set world opens on the set last shown.
  SwitchMode(1);
  Enter(2);
  EXPECT_EQ(g_setSelected, 1);
}

TEST_F(LevelSelection, ADeveloperBuildStartsEveryBoxClosedOnesToo) {
  g_finalRelease = 0;
  Enter(3);
  ASSERT_EQ(Record(113)[LEVEL_WORD_OPENED], 0);
  TapBox(12);
  EXPECT_EQ(g_levelSelected, 113);
  EXPECT_TRUE(ReachesPlay());
}

TEST_F(LevelSelection, ATouchWithinTheInputDelayIsIgnored) {
  g_worldSelected = 1;
  SwitchMode(11);
  Cycles(5); // 0.08 s
  Down(BoxX(0), BoxY(0));
  EXPECT_EQ(Screen().touchHeld, 0);
  EXPECT_EQ(Screen().pressedBox, -1);
  Up(BoxX(0), BoxY(0));
  EXPECT_FALSE(ReachesPlay());
}

TEST_F(LevelSelection, KeysWalkTheBoxesAndWrapAcrossTheTwoSets) {
  Enter(2);
  for (int i = 0; i < 18; ++i)
    Key(2);
  EXPECT_EQ(Screen().keyboardFocus, 17);
  EXPECT_EQ(g_setSelected, 0);
  Key(2);
  EXPECT_EQ(g_setSelected, 1) << "key 2 past the last casual box";
  EXPECT_EQ(Screen().keyboardFocus, 0);
  Key(1);
  EXPECT_EQ(g_setSelected, 0) << "key 1 before the first hardcore box";
  EXPECT_EQ(Screen().keyboardFocus, 17);
  Key(4); // no box below the last row
  EXPECT_EQ(Screen().keyboardFocus, 17);
  Key(3);
  EXPECT_EQ(Screen().keyboardFocus, 11);
  for (int i = 0; i < 7; ++i)
    Key(2);
  EXPECT_EQ(g_setSelected, 1);
  EXPECT_EQ(Screen().keyboardFocus, 0);
  for (int i = 0; i < 20; ++i)
    Key(2);
  EXPECT_EQ(Screen().keyboardFocus, 17) << "the hardcore set ends the walk";
  EXPECT_EQ(g_setSelected, 1);
  Key(5);
  EXPECT_EQ(g_levelSelected, 88) << "the last hardcore box of world 2";
  EXPECT_FALSE(ReachesPlay()) << "closed";
}

TEST_F(LevelSelection, KeysStayInsideAOneSetWorldAndConfirmStartsTheFocusedBox) {
  Enter(0);
  for (int i = 0; i < 8; ++i)
    Key(2);
  EXPECT_EQ(Screen().keyboardFocus, 5);
  for (int i = 0; i < 8; ++i)
    Key(1);
  EXPECT_EQ(Screen().keyboardFocus, 0);
  EXPECT_EQ(g_setSelected, 0);
  Key(5);
  EXPECT_EQ(g_levelSelected, 41);
  EXPECT_TRUE(ReachesPlay());
}

TEST_F(LevelSelection, BackLeavesForTheMapKeepingTheMenuSprites) {
  Enter(1);
  Surface* frame = levelFrame[0];
  Surface* back = select_buttons[0];
  Screen().KeyboardEvent(6, 1);
  EXPECT_EQ(g_currentMode, 11) << "back acts on release";
  Screen().KeyboardEvent(6, 0);
  EXPECT_EQ(g_currentMode, 1);
  EXPECT_EQ(levelFrame[0], frame);
  EXPECT_EQ(select_buttons[0], back);
  EXPECT_NE(mainMenuAtlas, nullptr);
}

TEST_F(LevelSelection, StartingALevelFreesTheMenuSetButTheOptionsWhichStillDraw) {
  Enter(1);
  Surface* optionsAtlas = OptSurf[0];
  Surface* panel = OptSurf[1];
  ASSERT_NE(optionsAtlas, nullptr);
  ASSERT_NE(panel, nullptr);
  TapBox(0);
  ASSERT_TRUE(ReachesPlay());
  for (Surface* s : {mainmenuBottom[0], menuBall[0], pickCharPanel[0], pickedCharIcons[0], levelFrame[0],
                     select_buttons[0], select_bg[0], select_bg[1], newGameBG[0], pickCharMask[0]})
    EXPECT_EQ(s, nullptr);
  EXPECT_EQ(mainMenuAtlas, nullptr);
  EXPECT_EQ(newGameBG_atlas, nullptr);
  EXPECT_EQ(OptSurf[0], optionsAtlas);
  EXPECT_EQ(OptSurf[1], panel);
  for (int i = 1; i < 13; ++i)
    if (i != 10) {
      ASSERT_NE(OptSurf[i], nullptr) << i;
      ASSERT_NE(OptSurf[i]->texture, nullptr) << i;
      EXPECT_NE(OptSurf[i]->texture->bitmap, nullptr) << i;
    }

  // Play's frame, then the options panel drawn over a black screen as the options screen would.
  Cycles(3);
  ASSERT_NE(display, nullptr);
  GLES_FlushBuffer();
  display->SetNormalMode();
  display->SetBlending(255);
  display->FillRect(0, 0, MAXX, MAXY, ColorRGB(0, 0, 0));
  display->BlitScaled((float)(MAXX / 2), (float)(MAXY / 2), 0.5f, 0.5f, OptSurf[1]);
  GLES_FlushBuffer();
  HeadlessGL::Pixel centre = gl.At(MAXX / 2, MAXY / 2);
  HeadlessGL::Pixel corner = gl.At(2, 2);
  EXPECT_GT(centre.r + centre.g + centre.b, 60) << "the options panel shows";
  EXPECT_LT(corner.r + corner.g + corner.b, 30) << "outside it the black fill";

  // The options screen opened from play, as the pause panel opens it, draws with those sprites.
  SwitchMode(2);
  Cycles(30);
  int optionsBlits = 0;
  {
    GLES_FlushBuffer();
    TriangleCapture capture;
    Cycles(1);
    GLES_FlushBuffer();
    for (const CapturedBlit& b : capture.Blits())
      optionsBlits += b.source == OptSurf[1]->texture->bitmap ? 1 : 0;
  }
  EXPECT_GT(optionsBlits, 3);
  GoBack();
  EXPECT_EQ(g_currentMode, 9);

  // The menus load the set again on their next entry.
  SwitchMode(11);
  EXPECT_NE(levelFrame[0], nullptr);
  EXPECT_EQ(OptSurf[0], optionsAtlas);
}

// Level boxes, each frame drawn by a sprite of its own so that the captured blits tell them apart.
class LevelBoxes : public LevelSelection {
protected:
  void SetUp() override {
    LevelSelection::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    Enter(1);
    for (int i = 0; i < 6; ++i) {
      saved[i] = levelFrame[i];
      levelFrame[i] = FakeSurface(120, 120);
    }
  }
  void TearDown() override {
    if (saved[0])
      for (int i = 0; i < 6; ++i) {
        delete levelFrame[i];
        levelFrame[i] = saved[i];
      }
    LevelSelection::TearDown();
  }
  // How many times each of the six sprites was drawn for box 3 showing level 4.
  std::vector<int> Blits() {
    GLES_FlushBuffer();
    TriangleCapture capture;
    Screen().DrawLevelBox(200, 150, 3, 4, 1.0f, 0.016f);
    GLES_FlushBuffer();
    std::vector<int> counts(6, 0);
    for (const CapturedBlit& b : capture.Blits())
      for (int i = 0; i < 6; ++i)
        counts[i] += b.source == levelFrame[i]->texture->bitmap ? 1 : 0;
    return counts;
  }
  Surface* saved[6] = {};
};

TEST_F(LevelBoxes, TheFrameAndMarksShowTheRecord) {
  struct Case {
    int opened, completions, rank;
    std::vector<int> blits; // closed, std, gold, mushroom, mark, opened
  } cases[] = {
      {0, 0, 0, {1, 0, 0, 0, 0, 0}}, {1, 0, 0, {0, 0, 0, 0, 0, 1}}, {1, 1, 1, {0, 1, 0, 0, 1, 0}},
      {1, 1, 2, {0, 1, 0, 0, 2, 0}}, {0, 1, 3, {0, 1, 0, 0, 3, 0}}, {1, 1, 4, {0, 0, 1, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    Record(4)[LEVEL_WORD_OPENED] = c.opened;
    Record(4)[LEVEL_WORD_COMPLETIONS] = c.completions;
    Record(4)[LEVEL_WORD_RANK] = c.rank;
    EXPECT_EQ(Blits(), c.blits) << "opened " << c.opened << " completed " << c.completions << " rank "
                                << c.rank;
  }
}

TEST_F(LevelBoxes, TheMushroomMarkFollowsTheCurrentCharacter) {
  Record(4)[LEVEL_WORD_COMPLETIONS] = 1;
  Record(4)[LEVEL_WORD_MUSHROOM + 2] = 1; // taken with character 2
  g_characterID = 0;
  EXPECT_EQ(Blits()[3], 0);
  g_characterID = 2;
  EXPECT_EQ(Blits()[3], 1);
  g_characterID = 0;
}

TEST_F(LevelBoxes, TheInfoPanelIsTheFillPictureStretched5To3InBlack) {
  ASSERT_NE(g_black, nullptr);
  GLES_FlushBuffer();
  std::vector<CapturedBlit> blits;
  {
    TriangleCapture capture;
    Screen().DrawLevelInfoPanel(200, 150, 0, 0, 1.0f, 1.0f);
    GLES_FlushBuffer();
    blits = capture.Blits();
  }
  ASSERT_EQ(blits.size(), 1u);
  const CapturedBlit& b = blits[0];
  EXPECT_EQ(b.source, g_black->texture->bitmap);
  EXPECT_NEAR((b.MaxX() - b.MinX()) / (b.MaxY() - b.MinY()), 5.0 * g_black->width / (3.0 * g_black->height),
              1e-3);
  EXPECT_EQ(b.Corner(0).r, 0);
  EXPECT_EQ(b.Corner(0).g, 0);
  EXPECT_EQ(b.Corner(0).b, 0);
  EXPECT_EQ(b.Corner(0).a, 255);
}

// The corner preview plays the current character's idle row: every one of its frames, then from
// the first again.
TEST_F(LevelSelection, TheCornerPreviewCyclesEveryFrameOfTheIdleRow) {
  Enter(1);
  const int kIdleFrames = 8; // the default hero's idle row
  Surface* saved[kIdleFrames];
  for (int k = 0; k < kIdleFrames; ++k) {
    saved[k] = g_character[0][k];
    g_character[0][k] = FakeSurface(40, 40);
  }
  for (int tick = 0; tick <= kIdleFrames; ++tick) {
    g_timef = (tick + 0.5f) / 10;
    GLES_FlushBuffer();
    std::vector<int> drawn(kIdleFrames, 0);
    {
      TriangleCapture capture;
      Screen().Draw(0.0f);
      GLES_FlushBuffer();
      for (const CapturedBlit& b : capture.Blits())
        for (int k = 0; k < kIdleFrames; ++k)
          drawn[k] += b.source == g_character[0][k]->texture->bitmap ? 1 : 0;
    }
    std::vector<int> expected(kIdleFrames, 0);
    expected[tick % kIdleFrames] = 1;
    EXPECT_EQ(drawn, expected) << "tick " << tick;
  }
  for (int k = 0; k < kIdleFrames; ++k) {
    delete g_character[0][k];
    g_character[0][k] = saved[k];
  }
}

// The character picker.
class Picker : public LevelSelection {
protected:
  void Open() {
    ShowCharPanel();
    Cycles(15); // grown in
    ASSERT_EQ(Screen().pickerAppear, 1.0f);
  }
  void Snap() { Cycles(150); }
};

TEST_F(Picker, PickedCharacterThreeIsPlacedAt390AndSnapsTo399) {
  g_charactersUnlocked[3] = 1;
  GlobalData.characterIndex = 3;
  g_worldSelected = 1;
  SwitchMode(11);
  EXPECT_EQ(Screen().pickerOffset, -390);
  EXPECT_EQ(g_characterID, 3);
  EXPECT_EQ(currentCharacter, 3) << "loaded at entry";
  Snap();
  EXPECT_NEAR(Screen().pickerOffset, -399, 0.5f);
  Open();
  EXPECT_EQ(Screen().centredCharacterUnlocked, 1);
  EXPECT_EQ(g_characterID, 3);
  // The back key closes the picker and stays.
  Screen().KeyboardEvent(6, 0);
  EXPECT_EQ(Screen().pickerOpen, 0);
  EXPECT_EQ(g_currentMode, 11);
}

TEST_F(Picker, DraggingPastLockedCharactersKeepsTheLastUnlockedOne) {
  g_charactersUnlocked[1] = 1;
  Enter(1);
  Open();
  int x = 460;
  Down(x, MAXY / 2);
  // Slowly to the left across characters 1 to 3, a frame after each step.
  for (int i = 0; i < 42; ++i) {
    x -= 10;
    Move(x, MAXY / 2);
    Cycles(1);
  }
  EXPECT_LT(Screen().pickerOffset, -133 * 2.5f) << "character 3 is centred";
  EXPECT_EQ(g_characterID, 1);
  EXPECT_EQ(GlobalData.characterIndex, 1);
  EXPECT_EQ(Screen().centredCharacterUnlocked, 0);
  EXPECT_GE(Count(kPageSound), 1) << "the change of character ticks";
  Up(x, MAXY / 2);
  EXPECT_EQ(Screen().pickerOpen, 1) << "a drag is no tap";
  EXPECT_EQ(g_currentMode, 11);
}

TEST_F(Picker, ATapOnLockedCharacterFourOpensTheShop) {
  GlobalData.characterIndex = 4;
  Enter(1);
  Snap();
  EXPECT_NEAR(Screen().pickerOffset, -532, 0.5f);
  Open();
  EXPECT_EQ(Screen().centredCharacterUnlocked, 0);
  Tap(MAXX / 2, MAXY / 2);
  EXPECT_EQ(g_currentMode, 15);
}

TEST_F(Picker, ATapOnTheHiddenCharacterDoesNothing) {
  GlobalData.characterIndex = 7;
  Enter(1);
  Snap();
  EXPECT_NEAR(Screen().pickerOffset, -931, 0.5f);
  Open();
  Tap(MAXX / 2, MAXY / 2);
  EXPECT_EQ(g_currentMode, 11);
  EXPECT_EQ(Screen().pickerOpen, 1);
  EXPECT_EQ(Screen().pickerTapPending, 0);
}

TEST_F(Picker, ATapOnTheCentredUnlockedCharacterClosesThePickerAndLoadsIt) {
  g_charactersUnlocked[2] = 1;
  Enter(1);
  Open();
  // One character to the left, then let it snap.
  Down(300, MAXY / 2);
  for (int i = 0; i < 14; ++i) {
    Move(300 - 10 * (i + 1), MAXY / 2);
    Cycles(1);
  }
  Cycles(60); // held until the strip has no speed left to glide with
  Up(160, MAXY / 2);
  Snap();
  ASSERT_NEAR(Screen().pickerOffset, -133, 0.5f);
  EXPECT_EQ(g_characterID, 0) << "character 1 is locked";
  g_charactersUnlocked[1] = 1;
  Cycles(1);
  EXPECT_EQ(g_characterID, 1);
  EXPECT_EQ(currentCharacter, 0) << "not loaded while the picker is open";
  sounds->system.playedEffects.clear();
  Tap(MAXX / 2, MAXY / 2);
  EXPECT_EQ(Screen().pickerOpen, 0);
  EXPECT_EQ(currentCharacter, 1);
  EXPECT_EQ(Count(kStartSound), 1);
  EXPECT_EQ(g_currentMode, 11);
}

TEST_F(Picker, TheBackButtonWithALockedCharacterCentredGoesToTheMapNotTheShop) {
  GlobalData.characterIndex = 4;
  Enter(1);
  Snap();
  Open();
  Tap(31, MAXY - 24);
  EXPECT_EQ(g_currentMode, 1);
}

} // namespace
