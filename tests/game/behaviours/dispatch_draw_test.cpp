// The dispatch's order (a block that ends the call keeps the later ones from running), the bird,
// the drawn extras of balloons, teleporters and the hero's appearance, and the developer log.
#include <cstring>
#include <fstream>
#include <iterator>

#include "background_fitting.h"
#include "behaviour_fixture.h"
#include "display.h"
#include "game_globals.h"
#include "level_layout.h"
#include "quest_state.h"
#include "sprite_tables.h"

namespace {

using Dispatch = BehaviourTest;

TEST_F(Dispatch, ABlockThatEndsTheCallSkipsTheLaterBlocks) {
  HeroAt(5000, 5000);
  gameRect& o = Object(57, 5000, 5000); // a mushroom ...
  o.guns = 1;                           // ... that is also a gun
  o.custom1 = 200;
  o.fireTimer = 10;
  g_currentMode = 10; // the editor ends the gun's block at once
  o.ProcessCustom(kFrame);
  EXPECT_EQ(o.updateCounter, 1);
  EXPECT_EQ(o.hidden, 0);
  g_currentMode = 9;
  o.ProcessCustom(kFrame);
  EXPECT_EQ(o.updateCounter, 2);
  EXPECT_EQ(o.hidden, 1);
}

TEST_F(Dispatch, BirdTakesOffWhenTheHeroComesNearAndLeavesFarAway) {
  gameRect& h = HeroAt(5300, 5000);
  gameRect& bird = Object(59, 5000, 5000);
  bird.bird = 1;
  Updates(bird, 10);
  EXPECT_EQ(bird.birdState, 0);
  // Measured between the top-left corners.
  h.x = bird.x + 90;
  h.y = bird.y + 29;
  h.UpdateCoordinates();
  bird.ProcessCustom(kFrame);
  ASSERT_EQ(bird.birdState, 1);
  EXPECT_EQ(bird.firstFrame, 10);
  EXPECT_GE(bird.vx, 280);
  EXPECT_LE(bird.vy, -150);
  EXPECT_EQ(PlayedCount(15), 1);
  // Flies away from the hero (to the left here), facing its way.
  float x = bird.x;
  bird.ProcessCustom(kFrame);
  EXPECT_LT(bird.x, x);
  EXPECT_EQ(bird.flipX, 0);
  // Level with the hero it still picks a side: the right.
  bird.x = h.x;
  bird.ProcessCustom(kFrame);
  EXPECT_GT(bird.x, h.x);
  EXPECT_EQ(bird.flipX, 1);
  bird.x = h.x - 1300;
  bird.ProcessCustom(kFrame);
  EXPECT_EQ(bird.active, 0);
}

class BehaviourDraw : public BehaviourTest {
protected:
  void SetUp() override {
    BehaviourTest::SetUp();
    ResetDrawingState();
    keepDisplay = display;
    display = &screen;
    g_drawShiftX = -4800;
    g_drawShiftY = -4900;
  }
  void TearDown() override {
    for (auto& row : sprites)
      for (Surface*& s : row) {
        delete s;
        s = nullptr;
      }
    display = keepDisplay;
    g_drawShiftX = g_drawShiftY = 0;
    BehaviourTest::TearDown();
  }
  // Gives g_rects[type][0..frames-1] sprites of their own.
  void Sprites(int type, int frames) {
    for (int f = 0; f < frames; ++f) {
      Surface* s = FakeSurface(20 + f, 20);
      g_rects[type][f] = s;
      sprites.push_back({s});
      owners.push_back({type, f});
    }
  }
  int DrawnFrame(int type) const {
    for (const CapturedBlit& b : capture.Blits())
      for (int f = 0; f < RECTS_FRAMES; ++f)
        if (g_rects[type][f] && b.source == g_rects[type][f]->texture->bitmap) return f;
    return -1;
  }
  void ClearSprites() {
    for (auto& o : owners)
      g_rects[o.first][o.second] = nullptr;
  }

  Display screen;
  Display* keepDisplay = nullptr;
  TriangleCapture capture;
  std::vector<std::vector<Surface*>> sprites;
  std::vector<std::pair<int, int>> owners;

public:
  ~BehaviourDraw() override { ClearSprites(); }
};

TEST_F(BehaviourDraw, BalloonHangsItsStringFromTheNextType) {
  Sprites(178, 5);
  gameRect& b = Object(177, 5000, 5000);
  b.frame = 3.7f;
  b.CustomDraw();
  ASSERT_EQ(capture.Blits().size(), 1u);
  EXPECT_EQ(DrawnFrame(178), 3);
  const CapturedBlit& blit = capture.Blits()[0];
  EXPECT_NEAR((blit.MinX() + blit.MaxX()) / 2, b.x + 15 + g_drawShiftX, 0.6);
  ClearSprites();
}

TEST_F(BehaviourDraw, TeleporterGlowsOnlyAboveAHundred) {
  Sprites(654, 4);
  for (float custom3 : {100.0f, 101.0f}) {
    capture.Clear();
    gameRect& t = Object(654, 5000, 5000);
    t.custom3 = custom3;
    t.frameCount = 4;
    t.fps = 0;
    t.scale = 1;
    t.CustomDraw();
    EXPECT_EQ(capture.Blits().size(), custom3 > 100 ? 2u : 0u) << custom3;
    if (custom3 > 100) {
      EXPECT_EQ(DrawnFrame(654), (int)(t.slot * 4.5f) % 4);
    }
  }
  ClearSprites();
}

TEST_F(BehaviourDraw, AppearanceMarkerSkipsNegativeFrames) {
  Sprites(HERO_TYPE, 30);
  gameRect& h = HeroAt(5000, 5000);
  const struct {
    float t;
    size_t blits;
  } cases[] = {{0.0f, 1}, {0.3f, 1}, {0.6f, 2}, {1.4f, 2}, {1.5f, 0}};
  for (auto& c : cases) {
    capture.Clear();
    h.spawnTime = c.t;
    h.CustomDraw();
    EXPECT_EQ(capture.Blits().size(), c.blits) << c.t;
  }
  ClearSprites();
}

TEST(DeveloperLog, WritesOnlyTheTextAndClearsIt) {
  PackGame game;
  ASSERT_TRUE(std::filesystem::create_directories(game.Dir() + "/data") ||
              std::filesystem::is_directory(game.Dir() + "/data"));
  snprintf(g_ftpFilename, sizeof g_ftpFilename, "devlog.txt");
  char path[300];
  ASSERT_TRUE(GetFileFromDocuments(g_ftpFilename, path));
  std::remove(path);
  memset(TXT2, 'z', sizeof TXT2);
  snprintf(TXT2, sizeof TXT2, "first\n");
  Debug_FileLog();
  EXPECT_EQ(TXT2[0], 0);
  snprintf(TXT2, sizeof TXT2, "2\n");
  Debug_FileLog();
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "first\n2\n");
  std::remove(path);
}

} // namespace
