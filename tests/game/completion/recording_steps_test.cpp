// The recording steps that nothing in the game's flow calls: rewinding the current recording onto
// the hero, showing every loaded recording on the last object slots, and the step that does
// nothing.
#include "completion_fixture.h"

namespace {

using RecordingSteps = CompletionTest;

// Frames of slot s: x = base + k, y = 2000 + k, flying on odd frames.
void Fill(int s, int frames, float base) {
  recording& r = Recordings[s];
  for (int k = 0; k < frames; ++k) {
    r.x[k] = base + k;
    r.y[k] = 2000.0f + k;
    r.vx[k] = 10.0f * k;
    r.vy[k] = -1.0f * k;
    r.flying[k] = k % 2;
  }
  r.length = frames;
}

TEST_F(RecordingSteps, RewindStepsBackOneFrameAtATimeOntoTheHeroAndEndsTheDemoBeforeTheFirst) {
  Fill(0, 3, 1000);
  Recordings[0].cursor = 3;
  currentRecording = 0;
  skipRec = 0;
  g_playingRecording = true;
  gameRect& hero = GameRects[0];
  hero.active = 0;
  for (int k = 2; k >= 0; --k) {
    RewindRecording();
    EXPECT_EQ(Recordings[0].cursor, k);
    EXPECT_EQ(hero.active, 1);
    EXPECT_FLOAT_EQ(hero.x, 1000.0f + k);
    EXPECT_FLOAT_EQ(hero.y, 2000.0f + k);
    EXPECT_FLOAT_EQ(hero.vx, 10.0f * k);
    EXPECT_FLOAT_EQ(hero.vy, -1.0f * k);
    EXPECT_EQ(hero.inAir, k % 2);
    EXPECT_FLOAT_EQ(hero.centerX, hero.x + hero.width / 2) << "the box follows";
    EXPECT_TRUE(g_playingRecording);
  }
  // Past the first frame: the cursor stays at 0, the demo ends, the hero keeps frame 0.
  RewindRecording();
  EXPECT_EQ(Recordings[0].cursor, 0);
  EXPECT_FALSE(g_playingRecording);
  EXPECT_FLOAT_EQ(hero.x, 1000);
  EXPECT_EQ(skipRec, -4);
  // A cursor past the frames the arrays hold shows nothing.
  Recordings[0].cursor = RECORDING_FRAMES + 5;
  RewindRecording();
  EXPECT_EQ(Recordings[0].cursor, RECORDING_FRAMES + 4);
  EXPECT_FLOAT_EQ(hero.x, 1000);
}

TEST_F(RecordingSteps, EveryLoadedRecordingShowsOnItsSlotWhileItHasFramesAndTheTimeMovesOn) {
  Fill(0, 2, 1000);
  Fill(1, 4, 3000);
  Recordings[0].loaded = Recordings[1].loaded = 1;
  currentTime = 0;
  for (int t = 0; t < 4; ++t) {
    UpdateCurrentRenderingRecordings();
    EXPECT_EQ(currentTime, t + 1);
    // Slot 0 on object 699 while it has a frame at t, then it keeps its last.
    EXPECT_EQ(GameRects[699].active, 1) << t;
    EXPECT_FLOAT_EQ(GameRects[699].x, 1000.0f + (t < 2 ? t : 1)) << t;
    EXPECT_EQ(GameRects[698].active, 1) << t;
    EXPECT_FLOAT_EQ(GameRects[698].x, 3000.0f + t) << t;
    EXPECT_FLOAT_EQ(GameRects[698].vx, 10.0f * t) << t;
    EXPECT_EQ(GameRects[698].inAir, t % 2) << t;
  }
  // A slot that is not loaded is not shown; past every recording only the time moves on.
  GameRects[698].active = GameRects[699].active = 0;
  Recordings[0].loaded = 0;
  currentTime = 1;
  UpdateCurrentRenderingRecordings();
  EXPECT_EQ(GameRects[699].active, 0);
  EXPECT_FLOAT_EQ(GameRects[698].x, 3001);
  currentTime = RECORDING_FRAMES;
  Recordings[1].length = RECORDING_FRAMES + 1; // more than the arrays hold
  UpdateCurrentRenderingRecordings();
  EXPECT_EQ(currentTime, RECORDING_FRAMES + 1);
  EXPECT_FLOAT_EQ(GameRects[698].x, 3001);

  // The next-recording step changes nothing.
  NextRecording();
  EXPECT_EQ(currentTime, RECORDING_FRAMES + 1);
  EXPECT_FLOAT_EQ(GameRects[698].x, 3001);
}

} // namespace
