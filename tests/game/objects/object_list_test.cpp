// The object table: filling it while a level loads and during play, stepping it (pause, time
// slow), bound-checked sprite look-ups, spike points and super animators.
#include "display.h"
#include "game_test_support.h"
#include "scenario.h"
#include "spikes.h"
#include "sprite_tables.h"

namespace {

class ObjectListTest : public Scenario {};

TEST_F(ObjectListTest, LoadingFillsSlotsInOrderUpToTheLast) {
  ClearGameRects();
  for (int i = 0; i < GAME_RECTS; ++i)
    ASSERT_EQ(AddGameRect(5000 + i, 5000, 1, true), i);
  int uid = GameRects[GAME_RECTS - 1].uid;
  EXPECT_EQ(AddGameRect(1, 2, 5, true), GAME_RECTS - 1) << "a 701st object";
  EXPECT_EQ(GameRects[GAME_RECTS - 1].uid, uid) << "changes nothing";
  EXPECT_EQ(GameRects[GAME_RECTS - 1].type, 1);
  ClearGameRects();
  EXPECT_EQ(rectID, 0);
  for (const gameRect& r : GameRects)
    ASSERT_EQ(r.active, 0);
}

TEST_F(ObjectListTest, DuringPlayNewObjectsTakeTheFirstFreeSlotUntilTheTableIsFull) {
  Hero(5000, 5000);
  Block(5000, 5100, 10, 10);
  Block(5000, 5200, 10, 10);
  GameRects[1].active = 0;
  EXPECT_EQ(AddGameRectInGame(6000, 6000, 184, false), 1);
  EXPECT_EQ(GameRects[1].type, 184);
  while (AddGameRectInGame(1, 1, 5, true) != -1) {
  }
  for (const gameRect& r : GameRects)
    ASSERT_EQ(r.active, 1);
  int uid = UIDCounter;
  EXPECT_EQ(AddGameRectInGame(1, 1, 5, true), -1);
  EXPECT_EQ(UIDCounter, uid) << "nothing was initialised";
  EXPECT_EQ(GameRects[0].type, HERO_TYPE);
}

TEST_F(ObjectListTest, PausedNothingMovesAgesOrCountsDown) {
  gameRect& h = Hero(5000, 5000);
  gameRect& o = Block(5000, 5100, 10, 10);
  o.move.moveXTime = 1;
  o.move.moveXSpeed = 100;
  g_paused = true;
  Frames(20);
  EXPECT_FLOAT_EQ(h.y, 5000);
  EXPECT_EQ(h.age, 0);
  EXPECT_EQ(o.age, 0);
  EXPECT_EQ(o.touchCounter, -1000);
  EXPECT_FLOAT_EQ(o.x, 5000);
}

TEST_F(ObjectListTest, TimeSlowShortensEveryStep) {
  gameRect& h = Hero(5000, 5000);
  gameRect& o = Block(5000, 5100, 10, 10);
  h.timeSlow = 1;
  Frames(1);
  EXPECT_FLOAT_EQ(o.age, 0.016f * 0.7f);
  EXPECT_NEAR(h.age, 0.016f * 0.7f, 1e-7) << "in six sub-steps of 0.0112 / 6";
  EXPECT_NEAR(h.vy, 1600 * 0.0112f, 1e-3);
}

TEST_F(ObjectListTest, SpriteLookUpsOutsideTheTablesFindNothing) {
  Surface* marker = reinterpret_cast<Surface*>(&g_rects);
  g_rects[5][2] = marker;
  g_character[14][13] = marker;
  EXPECT_EQ(RectSprite(5, 2), marker);
  EXPECT_EQ(CharacterSprite(14, 13), marker);
  for (auto tf : {std::make_pair(-1, 0), std::make_pair(800, 0), std::make_pair(5, 30), std::make_pair(5, -1),
                  std::make_pair(100000, 2)})
    EXPECT_EQ(RectSprite(tf.first, tf.second), nullptr) << tf.first << "," << tf.second;
  for (auto rf : {std::make_pair(-1, 0), std::make_pair(65, 0), std::make_pair(0, 65), std::make_pair(3, -2)})
    EXPECT_EQ(CharacterSprite(rf.first, rf.second), nullptr) << rf.first << "," << rf.second;
  g_rects[5][2] = nullptr;
  g_character[14][13] = nullptr;
}

TEST_F(ObjectListTest, AHeroRowOutsideTheTablesAnimatesNothing) {
  gameRect& h = HeroOnFloor();
  for (int row : {-1, 45, 1000}) {
    h.animation = row;
    h.animationOverride = row;
    h.frame = 0;
    HeroUpdates(3);
    EXPECT_EQ(h.frame, 0) << row;
  }
}

TEST_F(ObjectListTest, ABreakableOfAnOutOfRangeTypeBreaksWithoutItsPicture) {
  gameRect& brick = Block(5000, 5000, 40, 40);
  brick.breakable = 1;
  brick.type = 9000;
  brick.Die();
  EXPECT_EQ(brick.active, 0);
  int pieces = 0;
  for (const smoke& s : Smokes)
    if (s.active) {
      ++pieces;
      EXPECT_EQ(s.sprite, nullptr);
      EXPECT_EQ(s.layer, 1);
    }
  EXPECT_EQ(pieces, 25) << "a piece every 7 px over the box, 5 px short of its far edges";
}

TEST_F(ObjectListTest, AHugeBreakableFromALevelFileBreaksIntoAPoolFull) {
  gameRect& brick = Block(5000, 5000, 1e9f, 1e9f);
  brick.breakable = 1;
  brick.Die(); // ran without end when the pieces were counted in floats
  int pieces = 0;
  for (const smoke& s : Smokes)
    pieces += s.active;
  EXPECT_EQ(pieces, SMOKES);
  EXPECT_EQ(brick.active, 0);
}

TEST_F(ObjectListTest, AnObjectFarOutsideIntStepsWithTheHeroWithoutHarm) {
  gameRect& h = HeroOnFloor();
  float y = h.y;
  gameRect& far = Block(5000, 5000, 3e38f, 3e38f);
  far.noCollision = 1; // only the path and the trigger see it
  far.move.trigger = 1;
  far.move.triggerDistanceX = far.move.triggerDistanceY = 100;
  Frames(5);
  EXPECT_EQ(far.move.triggered, 0);
  EXPECT_NEAR(h.y, y, 0.05);
}

TEST_F(ObjectListTest, AFastHeroBreaksABreakableBlockAndASlowOneDoesNot) {
  for (float speed : {200.0f, 201.0f}) {
    SetUp();
    gameRect& h = Hero(5000, 5000);
    gameRect& b = GameRects[AddGameRect(5012, 4990, 121, true)];
    h.vx = speed;
    h.Collide(kSub);
    EXPECT_EQ(b.active, speed > 200 ? 0 : 1) << speed;
  }
}

TEST_F(ObjectListTest, ASpikeKillsInsideItsRadiusPlusTheHeroWidth) {
  gameRect& h = Hero(5000, 5000);
  ClearSpikes();
  // Centres 48 and 13 px apart on the two axes: 48^2 + 13^2 = 2473.
  AddSpikes(0, 0, 0);
  Spikies[0].x = h.centerX + 48;
  Spikies[0].y = h.centerY + 13;
  EXPECT_EQ(Spikies[0].radius, 48);
  EXPECT_EQ(Spikies[0].kindValue, 2);
  ProcessAllSpikes(kFrame);
  EXPECT_EQ(h.dead, 0);
  Spikies[0].x -= 1;
  g_playingRecording = true;
  ProcessAllSpikes(kFrame);
  EXPECT_EQ(h.dead, 0) << "never during a replay";
  g_playingRecording = false;
  ProcessAllSpikes(kFrame);
  EXPECT_EQ(h.dead, 1);
}

TEST_F(ObjectListTest, AHeroFarFromASpikeLives) {
  gameRect& h = Hero(5000, 5000);
  ClearSpikes();
  // Squared, 50,000 px overflows an int and once read as inside the spike.
  AddSpikes((int)h.centerX + 50000, (int)h.centerY, 0);
  ProcessAllSpikes(kFrame);
  EXPECT_EQ(h.dead, 0);
}

TEST_F(ObjectListTest, TheSpikeTableHoldsTwoHundred) {
  ClearSpikes();
  for (int i = 0; i < SPIKES; ++i)
    AddSpikes(i, 0, 0);
  AddSpikes(9999, 9999, 0);
  for (const spike& s : Spikies)
    EXPECT_NE(s.x, 9999);
  EXPECT_EQ(Spikies[SPIKES - 1].index, SPIKES - 1);
  ClearSpikes();
  for (const spike& s : Spikies)
    EXPECT_EQ(s.active, 0);
}

TEST_F(ObjectListTest, ASuperAnimatorRefusesATwentyFirstBinding) {
  superAnimator a = {};
  bool flag = false;
  float value = 0;
  for (int i = 0; i < SUPER_ANIMATOR_BINDINGS; ++i)
    EXPECT_TRUE(a.Bind(&flag, &value, &value, &flag));
  EXPECT_FALSE(a.Bind(&flag, &value, &value, &flag));
  EXPECT_EQ(a.count, SUPER_ANIMATOR_BINDINGS);
}

} // namespace
