// The world map through the real application object on a headless screen with the sample pack:
// taps against drags, the snap after a release (flicks, both ends), the padlock that opens once the
// world before is completed, the button row that does not drag, the bonus list and back from it,
// a tap while the carousel still eases, and the picture the read-back shows.
#include <GLES/gl.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

#include "animator.h"
#include "buttons.h"
#include "frontend.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_test_support.h"
#include "gameplay_window.h"
#include "gl_renderer.h"
#include <standin/headless_gl.h>
#include "help_dialogs.h"
#include "main_menu.h"
#include "png_file_writer.h"
#include "progress_files.h"
#include "running_game.h"
#include "sound_log.h"
#include "surface.h"
#include "the_game.h"
#include "world_map.h"

namespace {

using Sounds = std::vector<std::pair<int, int>>;

const std::pair<int, int> kTapSound{47, 1};
const std::pair<int, int> kSelectSound{38, 0};
const std::pair<int, int> kApplause{30, 0};

int Count(const Sounds& played, std::pair<int, int> sound) {
  int n = 0;
  for (const auto& p : played)
    n += p == sound ? 1 : 0;
  return n;
}

int g_probeButtonFired = 0;
void ProbeButton() { ++g_probeButtonFired; }

// Stands in for level selection: what it found on entry, and a button of its own where the map's
// centre picture was.
class SelectionProbe : public gamemode {
public:
  void InitMode() override {
    ++entries;
    world = g_worldSelected;
    ClearButtons();
    AddButtonCustom(MAXX / 2, MAXY / 2, 100, 100, 0, "", nullptr, nullptr, ProbeButton);
  }
  int entries = 0;
  int world = -1;
};

class WorldMap : public RunningGameTest {
protected:
  int Width() const override { return 546; }
  void SetUp() override {
    StartInTheMenu();
    if (!Running()) return;
    memcpy(savedUnlocks, g_worldsUnlocked, sizeof(savedUnlocks));
    memcpy(savedLevels, g_levelAchievements, sizeof(savedLevels));
    sounds = std::make_unique<SoundLog>(*game);
    g_probeButtonFired = 0;
    selection = GameModes[11];
    GameModes[11] = &probe;
    opened = true;
  }
  void TearDown() override {
    if (opened) {
      if (g_currentMode == 11) SwitchMode(0);
      GameModes[11] = selection;
      memcpy(g_worldsUnlocked, savedUnlocks, sizeof(savedUnlocks));
      memcpy(g_levelAchievements, savedLevels, sizeof(savedLevels));
    }
    newGameCurrentListShift = 0;
    eyesMovement = 0;
    g_worldSelected = 0;
    ClearEffectAnimators();
    sounds.reset();
    StopGame();
  }
  void AfterCycle() override { sounds->Age(); }
  newGame& Map() { return *static_cast<newGame*>(GameModes[1]); }
  // The map entered on a world, past the cross-fade and with the carousel at rest.
  void Settle(int world, int listShift = 0) {
    newGameCurrentListShift = listShift;
    g_worldSelected = world;
    SwitchMode(1);
    ASSERT_EQ(g_currentMode, 1);
    Cycles(60);
    ASSERT_EQ(Map().currentItem, world - listShift);
    ASSERT_NEAR(Map().scrollPos, Map().scrollTarget, 0.5f);
    sounds->system.playedEffects.clear();
  }
  void TapCentre() { Tap(MAXX / 2, MAXY / 2); }
  // A finger drawn dx pixels across the row y from the centre in steps of 10, with framesPerStep
  // frames after each step (0: a flick within one frame).
  void Drag(int dx, int y, int framesPerStep) {
    int x = MAXX / 2;
    Down(x, y);
    int done = 0;
    while (done != dx) {
      int step = dx - done;
      if (step > 10) step = 10;
      if (step < -10) step = -10;
      done += step;
      Move(x + done, y);
      Cycles(framesPerStep);
    }
    Up(x + dx, y);
  }
  void CompleteLevels(int first, int count) {
    for (int k = 0; k < count; ++k) {
      g_levelAchievements[first + k][LEVEL_WORD_COMPLETIONS] = 1;
      g_levelAchievements[first + k][LEVEL_WORD_RANK] = 0; // no stars
    }
  }

  std::unique_ptr<SoundLog> sounds;
  SelectionProbe probe;
  gamemode* selection = nullptr;
  int savedUnlocks[WORLDS];
  s32 savedLevels[LEVEL_RECORDS][LEVEL_RECORD_WORDS];
  bool opened = false;
};

struct DragCase {
  int dx;
  bool taps;
};

void PrintTo(const DragCase& c, std::ostream* os) { *os << "drag " << c.dx; }

class WorldMapDrag : public WorldMap, public ::testing::WithParamInterface<DragCase> {};

// The release on the centre picture after the finger moved dx across it.
TEST_P(WorldMapDrag, OnlyAMoveOfUnderTwentyPixelsIsATap) {
  Settle(1);
  Drag(GetParam().dx, MAXY / 2, 1);
  if (GetParam().taps) {
    EXPECT_EQ(g_currentMode, 11);
    EXPECT_EQ(probe.world, 1);
    EXPECT_EQ(Count(sounds->Played(), kTapSound), 1);
  } else {
    EXPECT_EQ(g_currentMode, 1);
    EXPECT_EQ(Count(sounds->Played(), kTapSound), 0);
    EXPECT_EQ(Map().touching, 0);
    EXPECT_EQ(Map().pressedCentre, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Moves, WorldMapDrag,
                         ::testing::Values(DragCase{0, true}, DragCase{19, true}, DragCase{-19, true},
                                           DragCase{20, false}, DragCase{-20, false}, DragCase{60, false}));

struct SnapCase {
  int start;         // world at rest before the drag
  int dx;            // pixels dragged
  int framesPerStep; // 0 a flick, else a slow drag
  int world;         // where the snap goes
};

void PrintTo(const SnapCase& c, std::ostream* os) {
  *os << "from world " << c.start << ", " << c.dx << (c.framesPerStep ? " slowly" : " flicked");
}

class WorldMapSnap : public WorldMap, public ::testing::WithParamInterface<SnapCase> {};

TEST_P(WorldMapSnap, TheReleaseSnapsToAPictureInsideTheList) {
  const SnapCase& c = GetParam();
  Settle(c.start);
  Drag(c.dx, MAXY / 2 - 60, c.framesPerStep);
  EXPECT_EQ(g_currentMode, 1);
  EXPECT_EQ(Map().scrollTarget, -160.0f * c.world);
  EXPECT_EQ(g_worldSelected, c.world);
  EXPECT_EQ(Map().momentum, 0);
  Cycles(60);
  EXPECT_EQ(Map().currentItem, c.world);
  EXPECT_NEAR(Map().scrollPos, -160.0f * c.world, 0.5f);
}

INSTANTIATE_TEST_SUITE_P(Releases, WorldMapSnap,
                         ::testing::Values(SnapCase{0, -200, 10, 1}, // slow: the momentum has died away
                                           SnapCase{0, -200, 0, 2},  // the same drag flicked goes one further
                                           SnapCase{2, 200, 10, 1},  // and to the other side
                                           SnapCase{2, 200, 0, 0},
                                           SnapCase{0, -50, 10, 0},   // not half way: back to where it was
                                           SnapCase{1, 300, 0, 0},    // past the first picture
                                           SnapCase{4, -600, 0, 5})); // past the last

TEST_F(WorldMap, MovesInTheButtonRowDoNotDragTheCarousel) {
  Settle(2);
  const float rest = Map().scrollPos;
  Down(MAXX / 2, MAXY - 30);
  for (int x = MAXX / 2; x > MAXX / 2 - 150; x -= 10)
    Move(x, MAXY - 30);
  Move(MAXX / 2 - 150, MAXY - 55); // still the row: 55 pixels from the bottom
  EXPECT_EQ(Map().scrollPos, rest);
  EXPECT_EQ(Map().dragDistance, 0);
  Move(MAXX / 2 - 160, MAXY - 56); // just above it
  EXPECT_EQ(Map().scrollPos, rest - 10);
  Up(MAXX / 2 - 160, MAXY - 56);
  EXPECT_EQ(g_worldSelected, 2);
  EXPECT_EQ(g_currentMode, 1);
}

TEST_F(WorldMap, ALockedWorldTappedOnlyPlaysTheTapSound) {
  ASSERT_EQ(g_worldsUnlocked[2], 0);
  Settle(2);
  const float target = Map().scrollTarget;
  TapCentre();
  EXPECT_EQ(g_currentMode, 1);
  EXPECT_EQ(g_worldSelected, 2);
  EXPECT_EQ(Map().scrollTarget, target);
  EXPECT_EQ(g_worldsUnlocked[2], 0);
  EXPECT_EQ(sounds->Played(), (Sounds{kTapSound}));
  // An unlocked one opens its level selection.
  g_worldsUnlocked[2] = 1;
  TapCentre();
  EXPECT_EQ(g_currentMode, 11);
  EXPECT_EQ(g_worldSelected, 2);
}

struct UnlockCase {
  const char* what;
  int casual, hardcore; // world 1's levels completed in each half
  bool unlocks;
};

void PrintTo(const UnlockCase& c, std::ostream* os) { *os << c.what; }

class WorldMapUnlock : public WorldMap, public ::testing::WithParamInterface<UnlockCase> {};

TEST_P(WorldMapUnlock, WorldTwoOpensOnceEitherHalfOfWorldOneIsCompleted) {
  const UnlockCase& c = GetParam();
  CompleteLevels(1, c.casual);
  CompleteLevels(21, c.hardcore);
  ASSERT_EQ(g_worldsUnlocked[2], 0);
  // Entering on world 2: the carousel slides there from world 0, and the test runs once a
  // second from when it becomes current.
  newGameCurrentListShift = 0;
  g_worldSelected = 2;
  SwitchMode(1);
  int current = -1, unlocked = -1;
  for (int frame = 0; frame < 200 && unlocked < 0; ++frame) {
    Cycles(1);
    if (current < 0 && Map().currentItem == 2) current = frame;
    if (g_worldsUnlocked[2]) unlocked = frame;
  }
  ASSERT_GE(current, 0);
  if (!c.unlocks) {
    EXPECT_EQ(g_worldsUnlocked[2], 0) << c.what;
    EXPECT_EQ(Count(sounds->Played(), kApplause), 0);
    return;
  }
  ASSERT_EQ(g_worldsUnlocked[2], 1) << c.what;
  EXPECT_LE(unlocked - current, 60) << "frames after world 2 became current";
  for (int slot = 0; slot < 4; ++slot) {
    EXPECT_EQ(EffectAnimators[slot].active, 1) << slot;
    EXPECT_EQ(EffectAnimators[slot].hideAfterEnd, 1) << slot;
  }
  EXPECT_EQ(EffectAnimators[0].sprite, mapLock[0]);
  EXPECT_EQ(EffectAnimators[1].sprite, mapLock[1]);
  EXPECT_EQ(EffectAnimators[2].targetY, MAXY / 2 - 177);
  Cycles(2); // the applause is a delayed sound
  EXPECT_EQ(Count(sounds->Played(), kApplause), 1);
  // Once open it stays open, without a second applause.
  Cycles(130);
  EXPECT_EQ(Count(sounds->Played(), kApplause), 1);
}

INSTANTIATE_TEST_SUITE_P(Progress, WorldMapUnlock,
                         ::testing::Values(UnlockCase{"all casual levels", 18, 0, true},
                                           UnlockCase{"all hardcore levels", 0, 18, true},
                                           UnlockCase{"one casual level short", 17, 17, false}));

TEST_F(WorldMap, AWorldOpensOnlyWhileItIsTheCurrentOne) {
  CompleteLevels(1, 18);
  Settle(1);
  Cycles(200);
  EXPECT_EQ(g_worldsUnlocked[2], 0) << "world 1 current";
  Map().KeyboardEvent(2, 1); // next
  for (int frame = 0; frame <= 61 && !g_worldsUnlocked[2]; ++frame)
    Cycles(1);
  EXPECT_EQ(g_worldsUnlocked[2], 1);
}

TEST_F(WorldMap, TheBonusEntryOpensTheBonusListAndBackReturnsToItCentred) {
  Settle(4);
  TapCentre();
  ASSERT_EQ(g_currentMode, 1);
  EXPECT_EQ(Map().listShift, 10);
  EXPECT_EQ(g_worldSelected, 10);
  for (int k = 10; k < 16; ++k) {
    ASSERT_NE(newGameItems[k], nullptr) << k;
    EXPECT_NE(newGameItems[k]->texture, nullptr) << k;
  }
  Cycles(60);
  EXPECT_EQ(Map().currentItem, 0);
  EXPECT_EQ(newGameCurrentListShift, 10);
  // A locked bonus world does nothing; an unlocked one opens level selection.
  ASSERT_EQ(g_worldsUnlocked[10], 0);
  TapCentre();
  EXPECT_EQ(g_currentMode, 1);
  Map().KeyboardEvent(2, 1);
  EXPECT_EQ(g_worldSelected, 11);
  Cycles(60);
  EXPECT_EQ(Map().currentItem, 1);

  EXPECT_TRUE(game->OnGraffitiChar(8)); // the back key reaches the map as key 6
  ASSERT_EQ(g_currentMode, 1);
  EXPECT_EQ(Map().listShift, 0);
  EXPECT_EQ(newGameCurrentListShift, 0);
  EXPECT_EQ(g_worldSelected, 4);
  for (int k = 10; k < 16; ++k)
    EXPECT_EQ(newGameItems[k], nullptr) << "freed when the bonus list is left: " << k;
  Cycles(60);
  EXPECT_EQ(Map().currentItem, 4);
  EXPECT_NE(newGameItems[4], nullptr);
  // Back from the main list leaves for the main menu.
  EXPECT_TRUE(game->OnGraffitiChar(8));
  EXPECT_EQ(g_currentMode, 0);
}

TEST_F(WorldMap, TheKeysStepWithinTheListAndConfirmEntersTheCurrentWorld) {
  Settle(1);
  Map().KeyboardEvent(1, 1);
  EXPECT_EQ(g_worldSelected, 0);
  Map().KeyboardEvent(1, 1);
  EXPECT_EQ(g_worldSelected, 0) << "not before the first";
  for (int i = 0; i < 8; ++i)
    Map().KeyboardEvent(2, 1);
  EXPECT_EQ(g_worldSelected, 5) << "not after the last";
  EXPECT_EQ(Map().scrollTarget, -800);
  Cycles(60);
  // The coming-soon picture sets the eyes circling; no sound for a key.
  sounds->system.playedEffects.clear();
  Map().KeyboardEvent(5, 1);
  EXPECT_EQ(eyesMovement, 1);
  EXPECT_EQ(g_currentMode, 1);
  EXPECT_TRUE(sounds->Played().empty());
  Map().KeyboardEvent(1, 1);
  Map().KeyboardEvent(1, 1);
  Map().KeyboardEvent(1, 1);
  Map().KeyboardEvent(1, 1);
  Cycles(60);
  Map().KeyboardEvent(5, 1);
  EXPECT_EQ(g_currentMode, 11);
  EXPECT_EQ(g_worldSelected, 1);
}

TEST_F(WorldMap, TheSlideOnEntryPlaysTheSelectSoundForEachPictureItReaches) {
  newGameCurrentListShift = 0;
  g_worldSelected = 3;
  SwitchMode(1);
  EXPECT_EQ(Map().scrollPos, 0);
  EXPECT_EQ(Map().scrollTarget, -480);
  Cycles(60);
  EXPECT_EQ(Map().currentItem, 3);
  EXPECT_EQ(Count(sounds->Played(), kSelectSound), 3) << "worlds 1, 2 and 3";
  // A bonus world selected centres world 1 in the main list; the first release clamps.
  newGameCurrentListShift = 0;
  g_worldSelected = 12;
  SwitchMode(1);
  EXPECT_EQ(Map().scrollTarget, -160);
}

struct EasingCase {
  const char* how;
  bool byKey; // the next key, else a short flick to the left
  int frames; // frames between that and the tap
};

void PrintTo(const EasingCase& c, std::ostream* os) { *os << c.how; }

class WorldMapEasing : public WorldMap, public ::testing::WithParamInterface<EasingCase> {};

// The carousel heads for world 2 while world 1 is still the centre picture: a tap on it enters
// world 1, and what the release does after that leaves the selected world alone.
TEST_P(WorldMapEasing, ATapWhileTheCarouselEasesEntersTheTappedWorld) {
  g_worldsUnlocked[2] = 1;
  Settle(1);
  if (GetParam().byKey) {
    Map().KeyboardEvent(2, 1);
  } else {
    Drag(-60, MAXY / 2 - 60, 0);
  }
  ASSERT_EQ(g_worldSelected, 2) << GetParam().how;
  ASSERT_NE(Map().scrollPos, Map().scrollTarget);
  Cycles(GetParam().frames);
  ASSERT_EQ(Map().currentItem, 1) << "world 1 is still the centre picture";
  TapCentre();
  EXPECT_EQ(g_currentMode, 11);
  EXPECT_EQ(probe.entries, 1);
  EXPECT_EQ(probe.world, 1) << "level selection entered on the tapped world, " << GetParam().how;
  EXPECT_EQ(g_worldSelected, 1) << "and it stays selected";
  EXPECT_EQ(g_probeButtonFired, 0) << "the release that entered it is not the new screen's";
}

INSTANTIATE_TEST_SUITE_P(Targets, WorldMapEasing,
                         ::testing::Values(EasingCase{"by key", true, 1}, EasingCase{"by flick", false, 0}));

// The read-back: the map background beside the carousel, the centre world's picture, a locked
// world's grey tint and its padlock. Each is found by drawing the same frame without it.
class WorldMapScreen : public WorldMap {
protected:
  // One frame on a screen cleared to black: the game draws over what the last frame left.
  HeadlessGL::Pixel Frame(int x, int y) {
    GLES_FlushBuffer();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    Cycles(1);
    return At(x, y);
  }
  // The pixel with and without the sprite in slot.
  std::pair<HeadlessGL::Pixel, HeadlessGL::Pixel> WithAndWithout(Surface*& slot, int x, int y) {
    HeadlessGL::Pixel with = Frame(x, y);
    Surface* kept = slot;
    slot = nullptr;
    HeadlessGL::Pixel without = Frame(x, y);
    slot = kept;
    return {with, without};
  }
  void TearDown() override {
    if (opened && HasFailure()) Keep();
    WorldMap::TearDown();
  }
  // The screen as it was drawn last, kept in the build's worldmap-shots/.
  void Keep() {
    std::vector<uint8_t> px = gl.ReadRGBA();
    PngRows rows(MAXY);
    for (int y = 0; y < MAXY; ++y)
      rows[y].assign(px.begin() + (size_t)y * MAXX * 4, px.begin() + (size_t)(y + 1) * MAXX * 4);
    std::string dir = std::string(SPROCKLET_BINARY_DIR) + "/worldmap-shots";
    std::filesystem::create_directories(dir);
    std::string path = dir + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".png";
    WritePngFile(path, MAXX, MAXY, 8, PNG_COLOR_TYPE_RGBA, false, rows);
    ADD_FAILURE() << "screenshot kept: " << path;
  }
  static int Distance(HeadlessGL::Pixel a, HeadlessGL::Pixel b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
  }
};

TEST_F(WorldMapScreen, TheBackgroundTheCentrePictureAndALockedWorldsPadlockShow) {
  Settle(1);
  // Below the pictures, above the button row, only the background is drawn.
  auto bg = WithAndWithout(newGameBG[0], MAXX / 2, MAXY - 35);
  EXPECT_GT(Distance(bg.first, bg.second), 60) << "background";
  EXPECT_LT(Distance(bg.second, {0, 0, 0, 255}), 10) << "nothing else there";
  // The lower part of the centre picture, away from its label and marker.
  auto item = WithAndWithout(newGameItems[1], MAXX / 2, MAXY / 2 + 60);
  EXPECT_GT(Distance(item.first, item.second), 60) << "world 1's picture";
  EXPECT_LT(Distance(item.second, bg.first), 20) << "the background under it";

  // World 2, locked: the padlock's body over the picture (its shackle 20 px above it), and the
  // picture greyed under them. Each is probed beside the keyhole, where it is plain.
  const int bodyX = MAXX / 2 - 15, bodyY = MAXY / 2 - 27, shackleY = MAXY / 2 - 62;
  Settle(2);
  ASSERT_EQ(g_worldsUnlocked[2], 0);
  auto body = WithAndWithout(mapLock[1], bodyX, bodyY);
  EXPECT_GT(Distance(body.first, body.second), 60) << "padlock body";
  const HeadlessGL::Pixel grey = body.second;
  Surface* keptBody = mapLock[1];
  mapLock[1] = nullptr; // the body hides the shackle's lower part
  auto shackle = WithAndWithout(mapLock[0], MAXX / 2, shackleY);
  mapLock[1] = keptBody;
  EXPECT_GT(Distance(shackle.first, shackle.second), 60) << "padlock shackle";
  // Unlocked, it is drawn plain, without the padlock: the grey picture's colour lifted back.
  g_worldsUnlocked[2] = 1;
  const HeadlessGL::Pixel plain = Frame(bodyX, bodyY);
  EXPECT_NEAR(grey.r, plain.r * 180 / 255, 14);
  EXPECT_NEAR(grey.g, plain.g * 180 / 255, 14);
  EXPECT_NEAR(grey.b, plain.b * 180 / 255, 14);
  EXPECT_GT(Distance(plain, body.first), 60) << "no padlock";
}

} // namespace
