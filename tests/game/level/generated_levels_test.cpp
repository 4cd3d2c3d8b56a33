// Every level of the generated sample pack: it loads under the reader's rules without a correction,
// carries its types' own defaults, draws from its world's sprites, has a start standing on a floor
// and one exit door. With the game's own physics and behaviours, never dying and never touching a
// hazard, a player who runs and jumps at what lies ahead finishes it through the door, and so does
// a player who holds right and taps jump steadily, whenever he starts tapping; without its door the
// level holds that player at the end's wall.
#include <set>
#include <string>

#include "catalogue_data.h"
#include "level_gen.h"
#include "object_list.h"
#include "pack_levels.h"
#include "progress_files.h"
#include "touch_controls.h"

namespace {

const int kFirstCasual[5] = {41, 1, 51, 101, 150};

// The types a level's world set registers a sprite for, with the common types.
std::set<int> WorldTypes(int level) {
  std::set<int> types;
  for (int set : {catalogue::SpriteSetForLevel(level, kFirstCasual), catalogue::kCommonSet}) {
    const catalogue::Set* rows = catalogue::WorldSet(set);
    if (!rows) continue;
    for (int r = 0; r < rows->runCount; ++r) {
      const catalogue::Run& run = rows->runs[r];
      if (run.target != catalogue::Target::Rects && run.target != catalogue::Target::RectDummies) continue;
      for (int i = 0; i < catalogue::SlotCount(run); ++i) {
        int index = 0, frame = 0;
        catalogue::SlotAt(run, i, &index, &frame);
        types.insert(index);
      }
    }
  }
  // The mini-game stores its own course sprites into these types.
  if (level == 20)
    for (int type = 472; type <= 478; ++type)
      types.insert(type);
  return types;
}

bool Lethal(const gameRect& o) { return o.lethalBox || o.lethalCircle; }

bool Overlap(const myRect& a, const myRect& b, float margin) {
  return a.left + margin < b.right && b.left + margin < a.right && a.top + margin < b.bottom &&
         b.top + margin < a.bottom;
}

bool SolidIn(float left, float top, float right, float bottom) {
  for (int i = 1; i < GAME_RECTS; ++i) {
    const gameRect& o = GameRects[i];
    if (!o.active || o.noCollision) continue;
    if (o.box.left < right && left < o.box.right && o.box.top < bottom && top < o.box.bottom) return true;
  }
  return false;
}

bool LethalIn(float left, float top, float right, float bottom) {
  for (int i = 1; i < GAME_RECTS; ++i) {
    const gameRect& o = GameRects[i];
    if (!o.active || !Lethal(o)) continue;
    if (o.box.left < right && left < o.box.right && o.box.top < bottom && top < o.box.bottom) return true;
  }
  return false;
}

int DoorSlot() {
  int door = -1;
  for (int i = 1; i < GAME_RECTS; ++i)
    if (GameRects[i].active && GameRects[i].door) door = i;
  return door;
}

// After a frame: the hero is dead or touches a hazard (why said), or lives.
bool Hurt(std::string* why) {
  const gameRect& hero = GameRects[0];
  if (hero.dead) {
    *why = "the hero died at x " + std::to_string((int)hero.x);
    return true;
  }
  for (int i = 1; i < GAME_RECTS; ++i)
    if (GameRects[i].active && Lethal(GameRects[i]) && Overlap(hero.box, GameRects[i].box, 1)) {
      *why = "the hero ran into the hazard at x " + std::to_string((int)GameRects[i].x);
      return true;
    }
  return false;
}

// Runs right at 300 px/s and jumps, held to its full height, at a gap, a wall or a hazard ahead.
// The frame the level is finished through its door, or -1 with why.
int PlayToTheDoor(std::string* why) {
  gameRect& hero = GameRects[0];
  int door = DoorSlot();
  if (door < 0) {
    *why = "no door";
    return -1;
  }
  int hold = 0;
  for (int frame = 0; frame < 60 * 90; ++frame) {
    hero.steerable = 1;
    hero.inputSpeed = 300;
    bool standing = !hero.inAir && hero.contactFloor > -3;
    if (hold > 0 && --hold == 0) jumpButtonPressed = false;
    if (standing && hold == 0) {
      float right = hero.box.right, feet = hero.box.bottom;
      // A gap has no floor below; a step down to a lower floor is no reason to jump.
      bool gap = !SolidIn(right + 25, feet - 1, right + 35, feet + 100);
      bool wall = SolidIn(right, hero.box.top, right + 30, feet - 3);
      bool hazard = LethalIn(right, hero.box.top - 20, right + 70, feet + 2);
      if (gap || wall || hazard) {
        hero.Jump();
        jumpButtonPressed = true;
        hold = 13;
      }
    }
    ProcessAllRects(0.016f);
    if (Hurt(why)) return -1;
    // The door pulls the hero in and, once its animation has run, the level is finished.
    if (hero.levelFinished) return frame;
  }
  *why = "the level was not finished; the hero stopped at x " + std::to_string((int)hero.x) +
         ", the door is at x " + std::to_string((int)GameRects[door].x);
  return -1;
}

// The steady player: holds right, which the arrow key's tilt turns into the hero's full 350 px/s
// on the ground and in the air, and taps jump through the touch controls (under tilt steering every
// touch jumps and every release ends the jump) as 'taps' says. Plays 'frames' frames at most and
// stops when the level is finished or the hero is hurt; the frames played, with why it was not
// finished.
int PlaySteadily(const levelgen::SteadyTaps& taps, int frames, std::string* why) {
  gameRect& hero = GameRects[0];
  g_accelerometerControl = 1;
  for (int frame = 0; frame < frames; ++frame) {
    hero.steerable = 1;
    hero.inputSpeed = 350;
    if (taps.Down(frame)) GameRectStylusDown(240, 200);
    if (taps.Up(frame)) GameRectStylusUp(240, 200);
    ProcessAllRects(0.016f);
    if (Hurt(why)) return frame;
    if (hero.levelFinished) return frame;
  }
  *why = "the hero stopped at x " + std::to_string((int)hero.x) + ", y " + std::to_string((int)hero.y);
  return frames;
}

class GeneratedLevels : public PackLevelTest {
protected:
  // Level n loaded and the hero standing at its start, as the level's first frame has him.
  void Start(int n) {
    ASSERT_EQ(EditorLoad(("level" + std::to_string(n)).c_str()), 1);
    gameRect& hero = GameRects[0];
    hero.Init(0, g_levelCur.startX, g_levelCur.startY, HERO_TYPE, false);
    hero.sinceContact = 0;
    jumpButtonPressed = false;
  }
  void TearDown() override {
    jumpButtonPressed = false;
    g_accelerometerControl = 1;
    PackLevelTest::TearDown();
  }
};

TEST_F(GeneratedLevels, EveryLevelLoadsUnderTheReadersRulesWithItsTypesDefaultsAndWorldSprites) {
  std::vector<int> numbers = levelgen::LevelNumbers();
  // Every level the front end's tables and the special screens reach.
  for (int n :
       {0, 19, 20, 41, 47, 1, 19, 21, 39, 51, 69, 71, 89, 101, 119, 121, 139, 150, 151, 160, 201, 210, 221})
    EXPECT_NE(std::find(numbers.begin(), numbers.end(), n), numbers.end()) << n;
  for (int n : numbers) {
    SCOPED_TRACE("level " + std::to_string(n));
    std::string name = "level" + std::to_string(n);
    testing::internal::CaptureStderr();
    ASSERT_EQ(EditorLoad(name.c_str()), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), ""); // nothing corrected, nothing left out
    std::set<int> world = WorldTypes(n);
    levelgen::Level made = levelgen::MakeLevel(n);
    ASSERT_EQ(ActiveCount(), (int)made.records.size() + 1);
    int doors = 0;
    for (int i = 1; i <= (int)made.records.size(); ++i) {
      const gameRect& o = GameRects[i];
      EXPECT_TRUE(world.count(o.type)) << "type " << o.type << " has no sprite in its world";
      doors += o.door ? 1 : 0;
      // Loading and saving again changes no word: the file is what the writer makes of it.
      gameRectData back;
      GameRectDataSet(back, i);
      for (int w = 1; w < LEVEL_FILE_WORDS; ++w)
        if (IsLevelWordDefined(w)) {
          EXPECT_EQ(back.words[w], made.records[i - 1].words[w]) << "slot " << i << " word " << w;
        }
      // The record carries the type's own defaults.
      gameRect fresh;
      fresh.Init(1, 0, 0, o.type, true);
      EXPECT_EQ(o.noCollision, fresh.noCollision) << o.type;
      EXPECT_EQ(o.layer, fresh.layer) << o.type;
      EXPECT_EQ(o.fps, fresh.fps) << o.type;
    }
    EXPECT_EQ(doors, n == 20 ? 0 : 1); // the mini-game ends past its course's last object
    // The start: the hero stands on a floor within a few pixels below it.
    gameRect& hero = GameRects[0];
    hero.Init(0, g_levelCur.startX, g_levelCur.startY, HERO_TYPE, false);
    EXPECT_TRUE(SolidIn(hero.box.left, hero.box.bottom, hero.box.right, hero.box.bottom + 5));
    EXPECT_FALSE(SolidIn(hero.box.left, hero.box.top, hero.box.right, hero.box.bottom));
    EXPECT_GT(g_levelCur.rankTime4, 3);
    EXPECT_EQ(g_levelCur.characterA, 255); // the hero is not drawn see-through
  }
}

TEST_F(GeneratedLevels, EveryLevelIsFinishedThroughItsDoorByRunningAndJumping) {
  g_currentMode = 9;
  for (int n : levelgen::LevelNumbers()) {
    if (n == 20) continue; // the mini-game's course, played by the mini-game's own tests
    SCOPED_TRACE("level " + std::to_string(n));
    Start(n);
    std::string why;
    int frames = PlayToTheDoor(&why);
    EXPECT_GE(frames, 0) << why;
  }
}

// The levels a case plays: a run of the level numbers, so that the cases run side by side.
struct LevelRange {
  int first, last;
};
void PrintTo(const LevelRange& r, std::ostream* os) { *os << "levels " << r.first << " to " << r.last; }
const LevelRange kRanges[] = {{0, 49}, {50, 99}, {100, 149}, {150, 199}, {200, 250}};

class SteadyPlayer : public GeneratedLevels, public testing::WithParamInterface<LevelRange> {
protected:
  std::vector<int> Levels() const {
    std::vector<int> levels;
    for (int n : levelgen::LevelNumbers())
      // The mini-game's course is played by the mini-game's own tests.
      if (n >= GetParam().first && n <= GetParam().last && n != 20) levels.push_back(n);
    return levels;
  }
};

// At both rhythms, a player finishes every level whenever his taps start and however short they
// are: the taps from the first frame on, and from later frames, held 3 to 8 frames.
TEST_P(SteadyPlayer, FinishesEveryLevelThroughItsDoorAtBothRhythmsWheneverHisTapsStart) {
  for (int n : Levels()) {
    for (const levelgen::SteadyTaps& rhythm : levelgen::kSteadyRhythms) {
      const int p = rhythm.period;
      const levelgen::SteadyTaps timings[] = {rhythm, {p, 3, p / 4}, {p, 8, p / 2}, {p, 5, 3 * p / 4}};
      for (const levelgen::SteadyTaps& taps : timings) {
        SCOPED_TRACE("level " + std::to_string(n) + ", a tap of " + std::to_string(taps.hold) +
                     " frames every " + std::to_string(p) + " from frame " + std::to_string(taps.from));
        Start(n);
        std::string why;
        PlaySteadily(taps, 60 * 90, &why);
        EXPECT_TRUE(GameRects[0].levelFinished) << why;
      }
    }
  }
}

// The door stands before a wall the steady player does not get over, under a roof, and nothing
// past it is a drop: with the door taken out of play he runs and taps on, and is held there.
TEST_P(SteadyPlayer, IsHeldAtTheEndsWallWhereTheDoorStands) {
  for (int n : Levels()) {
    for (const levelgen::SteadyTaps& taps : levelgen::kSteadyRhythms) {
      SCOPED_TRACE("level " + std::to_string(n) + ", a tap every " + std::to_string(taps.period));
      Start(n);
      int door = DoorSlot();
      ASSERT_GE(door, 0);
      GameRects[door].door = 0;
      const myRect place = GameRects[door].box;
      std::string why;
      ASSERT_EQ(PlaySteadily(taps, 60 * 60, &why), 60 * 60) << why;
      const gameRect& hero = GameRects[0];
      EXPECT_LE(hero.box.right, place.right + 1) << "past the end's wall";
      EXPECT_GE(hero.box.left, place.left - 20) << "not at the door";
      EXPECT_LE(hero.box.bottom, place.bottom + 1);
      EXPECT_GE(hero.box.top, place.top - 10);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Levels, SteadyPlayer, testing::ValuesIn(kRanges));

} // namespace
