// Every level of the generated sample pack: it loads under the reader's rules without a correction,
// carries its types' own defaults, draws from its world's sprites, has a start standing on a floor
// and one exit door, and a player who runs and jumps at what lies ahead finishes it through the door
// with the game's own physics and behaviours, never dying and never touching a hazard.
#include <set>
#include <string>

#include "catalogue_data.h"
#include "level_gen.h"
#include "pack_levels.h"
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

// Runs right at 300 px/s and jumps, held to its full height, at a gap, a wall or a hazard ahead.
// The frame the level is finished through its door, or -1 with why.
int PlayToTheDoor(std::string* why) {
  gameRect& hero = GameRects[0];
  int door = -1;
  for (int i = 1; i < GAME_RECTS; ++i)
    if (GameRects[i].active && GameRects[i].door) door = i;
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
    if (hero.dead) {
      *why = "the hero died at x " + std::to_string((int)hero.x);
      return -1;
    }
    for (int i = 1; i < GAME_RECTS; ++i)
      if (GameRects[i].active && Lethal(GameRects[i]) && Overlap(hero.box, GameRects[i].box, 1)) {
        *why = "the hero ran into the hazard at x " + std::to_string((int)GameRects[i].x);
        return -1;
      }
    // The door pulls the hero in and, once its animation has run, the level is finished.
    if (hero.levelFinished) return frame;
  }
  *why = "the level was not finished; the hero stopped at x " + std::to_string((int)hero.x) +
         ", the door is at x " + std::to_string((int)GameRects[door].x);
  return -1;
}

class GeneratedLevels : public PackLevelTest {};

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
    ASSERT_EQ(EditorLoad(("level" + std::to_string(n)).c_str()), 1);
    GameRects[0].Init(0, g_levelCur.startX, g_levelCur.startY, HERO_TYPE, false);
    jumpButtonPressed = false;
    std::string why;
    int frames = PlayToTheDoor(&why);
    EXPECT_GE(frames, 0) << why;
    jumpButtonPressed = false;
  }
}

} // namespace
