// Mushrooms (with the magnet and the already-taken rule), secret items and the exit door that
// finishes the level once.
#include "behaviour_fixture.h"
#include "behaviours.h"

namespace {

using Pickups = BehaviourTest;

TEST_F(Pickups, MushroomIsTakenOnceAndNotByAnOutOfPlayHero) {
  gameRect& h = HeroAt(5000, 5000);
  gameRect& m = Object(57, 5010, 5005);
  m.ProcessCustom(kFrame);
  EXPECT_EQ(m.hidden, 1);
  EXPECT_EQ(g_levelCurrentData.mushroomsTaken, 1);
  EXPECT_EQ(h.animation, 21);
  EXPECT_FLOAT_EQ(h.mushroomTimer, 7.0f);
  EXPECT_TRUE(PlayedSound(23, 0));
  Updates(m, 3);
  EXPECT_EQ(g_levelCurrentData.mushroomsTaken, 1);

  for (int way = 0; way < 2; ++way) {
    gameRect& other = Object(57, h.centerX, h.centerY);
    if (way == 0)
      h.outOfPlay = 1;
    else
      h.dead = 1;
    other.ProcessCustom(kFrame);
    EXPECT_EQ(other.hidden, 0);
    h.outOfPlay = h.dead = 0;
  }
  EXPECT_EQ(g_levelCurrentData.mushroomsTaken, 1);
}

TEST_F(Pickups, MagnetDrawsAMushroomInUntilItIsTaken) {
  gameRect& h = HeroAt(5000, 5000);
  h.magnet = 1;
  gameRect& m = Object(57, 5080, 5000);
  float x = m.x;
  m.ProcessCustom(0.1f);
  EXPECT_NEAR(x - m.x, 8, 1e-3);
  EXPECT_EQ(m.layer, 18);
  int updates = 0;
  while (!m.hidden && updates < 200) {
    m.ProcessCustom(0.1f);
    ++updates;
  }
  EXPECT_EQ(m.hidden, 1);
  EXPECT_EQ(g_levelCurrentData.mushroomsTaken, 1);
  // Beyond 100 px nothing pulls.
  gameRect& far = Object(57, 5101, 5000);
  x = far.x;
  far.ProcessCustom(0.1f);
  EXPECT_FLOAT_EQ(far.x, x);
}

TEST_F(Pickups, MushroomTakenInAnEarlierRunIsGoneOnlyInReleaseBuilds) {
  const struct {
    int finalRelease, level, characterFlag; // the character whose flag is set; -1 none
    u8 active;
  } cases[] = {
      {1, 7, 0, 0},   {1, 7, 3, 0}, // 3 is the character held in GlobalData
      {1, 7, 1, 1},   {1, 7, -1, 1}, {0, 7, 0, 1},
      {1, 400, 0, 1}, {1, -1, 0, 1}, // a level outside the records has none
  };
  for (auto& c : cases) {
    Fresh();
    memset(g_levelAchievements, 0, sizeof g_levelAchievements);
    g_finalRelease = c.finalRelease;
    g_levelSelected = c.level;
    GlobalData.characterIndex = 3;
    if (c.characterFlag >= 0) g_levelAchievements[7][LEVEL_WORD_MUSHROOM + c.characterFlag] = 1;
    HeroAt(5000, 4000);
    gameRect& m = Object(57, 5000, 5000);
    m.ProcessCustom(kFrame);
    EXPECT_EQ(m.active, c.active) << c.finalRelease << " level " << c.level << " flag " << c.characterFlag;
  }
  memset(g_levelAchievements, 0, sizeof g_levelAchievements);
  GlobalData.characterIndex = 0;
}

TEST_F(Pickups, SecretItemIndexIsTheMagnitudeOfASixth) {
  const struct {
    float custom1;
    int index;
  } cases[] = {{12, 2}, {-12, 2}, {5, 0}, {-599, 99}, {600, -1}};
  for (auto& c : cases) {
    gameRect o;
    o.custom1 = c.custom1;
    EXPECT_EQ(SecretItemIndex(o), c.index) << c.custom1;
  }
}

TEST_F(Pickups, SecretItemIsTakenEvenOutOfPlayAndBooked) {
  gameRect& h = HeroAt(5000, 5000);
  h.outOfPlay = 1;
  gameRect& s = Object(99, 5000, 5000);
  s.custom1 = -12;
  s.ProcessCustom(kFrame);
  EXPECT_EQ(s.hidden, 1);
  EXPECT_EQ(g_levelCurrentData.secretsTaken, 1);
  EXPECT_EQ(g_levelCurrentData.secretIndex, 2);
  EXPECT_EQ(Record().Mission(18), 1);
  EXPECT_EQ(Record().Mission(25), 1);
  EXPECT_TRUE(PlayedSound(24, 0));
  Updates(s, 3);
  EXPECT_EQ(g_levelCurrentData.secretsTaken, 1);
}

TEST_F(Pickups, SecretIndexPastTheItemsIsNoSecret) {
  HeroAt(5000, 5000);
  gameRect& s = Object(99, 5000, 5000);
  s.custom1 = 600;
  g_globalAchievements[GLOBAL_WORD_SECRETS + 100] = 1; // the word past the items
  s.ProcessCustom(kFrame);
  EXPECT_EQ(s.hidden, 0);
  EXPECT_EQ(s.active, 1);
  EXPECT_EQ(g_levelCurrentData.secretsTaken, 0);
  EXPECT_EQ(Record().Mission(18), 0);
  g_globalAchievements[GLOBAL_WORD_SECRETS + 100] = 0;
}

TEST_F(Pickups, FoundSecretItemIsGoneInReleaseBuilds) {
  for (int release : {1, 0}) {
    Fresh();
    g_finalRelease = release;
    g_globalAchievements[GLOBAL_WORD_SECRETS + 2] = 1;
    HeroAt(5000, 4000);
    gameRect& s = Object(99, 5000, 5000);
    s.custom1 = 12;
    s.ProcessCustom(kFrame);
    EXPECT_EQ(s.active, release ? 0 : 1);
    g_globalAchievements[GLOBAL_WORD_SECRETS + 2] = 0;
  }
}

TEST_F(Pickups, DoorPullsTheHeroInAndFinishesTheLevelOnce) {
  gameRect& h = HeroAt(4980, 5000); // within sqrt(1024 x 0.6 + 13 x 13) = 28 px
  h.frozen = 1;                     // the test holds it still
  h.vx = 100;
  gameRect& door = Object(58, 5000, 5000);
  door.ProcessCustom(kFrame);
  EXPECT_EQ(h.animation, 20);
  EXPECT_EQ(h.outOfPlay, 1);
  EXPECT_EQ(h.vx, 0);
  EXPECT_EQ(door.frameCount, 28);
  EXPECT_TRUE(PlayedSound(11, 0));
  // Pulled toward the door.
  EXPECT_GT(h.centerX, 4980);
  // The door's own animation runs with its pauses at frames 5 and 10 and ends the level.
  int frames = 0;
  while (!h.levelFinished && frames < 600) {
    ProcessAllRects(kFrame);
    ++frames;
    if ((int)door.frame == 5) {
      EXPECT_FLOAT_EQ(door.fps, 3 * 1.9f);
    }
  }
  EXPECT_EQ(h.levelFinished, 1);
  EXPECT_EQ(Record().completions, 1);
  EXPECT_EQ(PlayedCount(11), 1);
  // Once finished nothing repeats it.
  for (int i = 0; i < 100; ++i)
    ProcessAllRects(kFrame);
  EXPECT_EQ(Record().completions, 1);
}

TEST_F(Pickups, FastForwardRunsTheDoorFaster) {
  const struct {
    u8 fastForward;
    float factor;
  } cases[] = {{0, 1.9f}, {1, 5.0f}};
  for (auto& c : cases) {
    Fresh();
    gameRect& h = HeroAt(5000, 5000);
    h.fastForward = c.fastForward;
    gameRect& door = Object(58, 5000, 5000);
    door.ProcessCustom(kFrame);
    EXPECT_FLOAT_EQ(door.fps, 30 * c.factor);
    door.frame = 10.5f;
    door.ProcessCustom(kFrame);
    EXPECT_FLOAT_EQ(door.fps, 2 * c.factor);
  }
}

} // namespace
