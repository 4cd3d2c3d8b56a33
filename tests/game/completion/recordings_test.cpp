// Ghost recordings: the file's name and 49-byte frames, the reader's limits, the ghost beside the
// hero until its frames run out, and the demo driving the hero.
#include "completion_fixture.h"
#include "file_size_limit.h"

#include <cmath>

namespace {

class RecordingsTest : public CompletionTest {
protected:
  // k frames recorded as a run: x = 1000 + 10 k, layer = k.
  static void RecordRun(int frames) {
    RecordingsReset();
    for (int k = 0; k < frames; ++k) {
      g_levelCurrentData.frames = k;
      GameRects[0].layer = k;
      GameRects[0].spin = 0.5f * k;
      GameRects[0].spinDirection = 90.7f;
      UpdateCurrentRecording(1000.0f + 10 * k, 2000.0f - k, 100, -50, k % 2, 3, 1.5f, 1, -1);
    }
  }
  static Bytes File(int count, int frames, int extraBytes = 0) {
    Bytes b;
    PutU32(b, (uint32_t)count);
    for (int k = 0; k < frames; ++k) {
      Bytes f(49, 0);
      float x = 5000.0f + k;
      memcpy(f.data(), &x, 4);
      b.insert(b.end(), f.begin(), f.end());
    }
    if (extraBytes < 0)
      b.resize(b.size() + extraBytes);
    else
      b.insert(b.end(), (size_t)extraBytes, 7);
    return b;
  }
};

TEST_F(RecordingsTest, TheGhostFileIsTheCountThenFortyNineByteFramesOneFewerThanTheLastIndex) {
  char name[32];
  RecordingFileName(12, 3, name, sizeof name);
  EXPECT_STREQ(name, "record12--3.r");
  g_levelSelected = 12;
  g_characterID = 3;
  RecordRun(10); // indexes 0-9: the last is 9
  EXPECT_EQ(Recordings[0].length, 9);
  EXPECT_EQ(Recordings[0].cursor, 10);
  SaveRecording();
  std::ifstream in(DataPath("record12--3.r"), std::ios::binary);
  Bytes b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(b.size(), 4u + 49 * 9);
  EXPECT_EQ(b[0], 9);
  const unsigned char* f3 = b.data() + 4 + 49 * 3;
  float x, spin;
  int animation, spinTarget, layer;
  memcpy(&x, f3, 4);
  memcpy(&animation, f3 + 17, 4); // after the one-byte flying flag: unaligned
  memcpy(&spin, f3 + 33, 4);
  memcpy(&spinTarget, f3 + 41, 4);
  memcpy(&layer, f3 + 45, 4);
  EXPECT_FLOAT_EQ(x, 1030);
  EXPECT_EQ(f3[16], 1);
  EXPECT_EQ(animation, 3);
  EXPECT_FLOAT_EQ(spin, 1.5f);
  EXPECT_EQ(spinTarget, 90);
  EXPECT_EQ(layer, 3);

  // Read back into the ghost's slot, field for field.
  ASSERT_EQ(LoadRecording(1, false), 1);
  EXPECT_EQ(Recordings[1].length, 9);
  EXPECT_FLOAT_EQ(Recordings[1].y[8], 1992);
  EXPECT_EQ(Recordings[1].dirY[8], -1);
  // Another character's ghost is a file of its own.
  g_characterID = 4;
  EXPECT_EQ(LoadRecording(1, false), 0);
}

TEST_F(RecordingsTest, AGhostSaveThatFailsKeepsTheOldFile) {
  RecordRun(4);
  SaveRecording();
  std::ifstream in(DataPath("record1--0.r"), std::ios::binary);
  Bytes before((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(before.size(), 4u + 49 * 3);
  RecordRun(40);
  {
    ScopedFileSizeLimit full(64); // the disk fills in the middle of the save
    ASSERT_TRUE(full.ok());
    testing::internal::CaptureStderr();
    SaveRecording();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("record1--0.r"), std::string::npos) << err;
  }
  std::ifstream again(DataPath("record1--0.r"), std::ios::binary);
  Bytes after((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>());
  EXPECT_EQ(after, before);
}

TEST_F(RecordingsTest, ARunLongerThanTheTableKeepsOverwritingItsLastFrame) {
  g_levelCurrentData.frames = 9000;
  Recordings[0].Record(1, 2, 0, 0, false, 0, 0, 0, 0);
  EXPECT_EQ(Recordings[0].length, 7199);
  EXPECT_FLOAT_EQ(Recordings[0].x[7199], 1);
  // A dead hero records nothing.
  GameRects[0].dead = 1;
  g_levelCurrentData.frames = 5;
  UpdateCurrentRecording(9, 9, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(Recordings[0].length, 7199);
}

struct ReadCase {
  const char* name;
  int count, frames, extraBytes;
  bool accepted;
  int length;
};

class GhostReader : public RecordingsTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(GhostReader, ReadsWhatTheBytesHoldUpToTheTable) {
  const ReadCase& c = GetParam();
  Bytes b = File(c.count, c.frames, c.extraBytes);
  Recordings[1].length = 77;
  Recordings[1].x[0] = -1;
  const char* why = "";
  EXPECT_EQ(ParseRecording(b.data(), b.size(), Recordings[1], &why), c.accepted);
  EXPECT_EQ(Recordings[1].length, c.length);
  if (c.length > 0 && c.accepted) {
    EXPECT_FLOAT_EQ(Recordings[1].x[c.length - 1], 5000.0f + c.length - 1);
  } else {
    EXPECT_FLOAT_EQ(Recordings[1].x[0], -1); // nothing read
  }
  if (!c.accepted) {
    EXPECT_STRNE(why, "");
  }
}

INSTANTIATE_TEST_SUITE_P(Recordings, GhostReader,
                         ::testing::Values(ReadCase{"whole", 5, 5, 0, true, 5},
                                           ReadCase{"empty", 0, 0, 0, true, 0},
                                           ReadCase{"countBeyondTheBytes", 10, 3, 20, true, 3},
                                           ReadCase{"fewerThanTheBytes", 2, 4, 0, true, 2},
                                           ReadCase{"negativeCount", -1, 4, 0, false, 77},
                                           ReadCase{"noCount", 0, 0, -1, false, 77},
                                           ReadCase{"beyondTheTable", 100000, 7300, 0, true, 7200}),
                         [](const ::testing::TestParamInfo<ReadCase>& i) {
                           return std::string(i.param.name);
                         });

TEST_F(RecordingsTest, AFrameThatIsNotANumberEndsTheRunThere) {
  Bytes b = File(4, 4);
  float bad = std::nanf("");
  memcpy(b.data() + 4 + 49 * 2 + 21, &bad, 4); // frame 2's animation frame
  const char* why = "";
  ASSERT_TRUE(ParseRecording(b.data(), b.size(), Recordings[1], &why));
  EXPECT_EQ(Recordings[1].length, 2);
}

// What the hero never has ends the run at that frame, so no drawing uses it: an animation past the
// character's rows once overflowed the row sum when the ghost was drawn.
TEST_F(RecordingsTest, AFrameHoldingWhatTheHeroNeverHasEndsTheRunThere) {
  struct {
    const char* what;
    int offset;
    int32_t value;
  } cases[] = {{"an animation", 17, 2147483647},
               {"an animation", 17, -1},
               {"an animation", 17, 65},
               {"a direction", 25, 2},
               {"a direction", 29, -7},
               {"a spin target", 41, 361},
               {"a layer", 45, -1},
               {"a layer", 45, 10001},
               {"a flying flag", 16, 2}};
  for (auto& c : cases) {
    Bytes b = File(4, 4);
    if (c.offset == 16)
      b[4 + 49 * 2 + 16] = (unsigned char)c.value;
    else
      memcpy(b.data() + 4 + 49 * 2 + c.offset, &c.value, 4);
    const char* why = "";
    ASSERT_TRUE(ParseRecording(b.data(), b.size(), Recordings[1], &why)) << c.what;
    EXPECT_EQ(Recordings[1].length, 2) << c.what << " " << c.value;
    EXPECT_NE(std::string(why).find(std::string("frame 2 has ") + c.what), std::string::npos) << why;
  }
  // Loaded as the ghost, the stop is said in one line, and the frames before it play.
  Bytes b = File(4, 4);
  int32_t huge = 2147483647;
  memcpy(b.data() + 4 + 49 * 3 + 17, &huge, 4);
  g_levelSelected = 12;
  g_characterID = 0;
  std::ofstream(DataPath("record12--0.r"), std::ios::binary)
      .write((const char*)b.data(), (std::streamsize)b.size());
  testing::internal::CaptureStderr();
  ASSERT_EQ(LoadRecording(1, false), 1);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_NE(err.find("record12--0.r ends early: frame 3 has an animation"), std::string::npos) << err;
  EXPECT_EQ(Recordings[1].length, 3);
}

TEST_F(RecordingsTest, TheGhostPlaysBesideTheHeroUntilItsFramesRunOut) {
  RecordRun(6);
  SaveRecording(); // frames 0-4
  GameRects[0].Init(0, 1000, 2000, HERO_TYPE, false);
  GameRects[0].x = 1234;
  LoadShadowRecording();
  ASSERT_TRUE(shadowRecordingLoaded);
  gameRect& ghost = GameRects[GHOST_SLOT];
  for (int k = 0; k < 5; ++k) {
    g_levelCurrentData.frames = k;
    PlayShadowRecording();
    ASSERT_EQ(ghost.active, 1) << k;
    EXPECT_FLOAT_EQ(ghost.x, 1000.0f + 10 * k);
    EXPECT_EQ(ghost.layer, k);
  }
  EXPECT_EQ(ghost.type, HERO_TYPE);
  EXPECT_EQ(ghost.color[0], 95);
  EXPECT_EQ(ghost.color[1], 5);
  EXPECT_EQ(ghost.noCollision, 1);
  EXPECT_EQ(ghost.collides, 0);
  g_levelCurrentData.frames = 5;
  PlayShadowRecording();
  EXPECT_EQ(ghost.active, 0);
  EXPECT_FALSE(shadowRecordingLoaded);

  // With the ghost option off there is none.
  g_ghostMode = 0;
  LoadShadowRecording();
  EXPECT_FALSE(shadowRecordingLoaded);
}

TEST_F(RecordingsTest, ALevelObjectInTheGhostsSlotKeepsIt) {
  RecordRun(6);
  SaveRecording();
  GameRects[GHOST_SLOT].Init(GHOST_SLOT, 3000, 3000, 1, false);
  LoadShadowRecording();
  EXPECT_FALSE(shadowRecordingLoaded);
  PlayShadowRecording();
  EXPECT_EQ(GameRects[GHOST_SLOT].type, 1);
  EXPECT_FLOAT_EQ(GameRects[GHOST_SLOT].x, 3000);

  // An object that takes the slot while the ghost plays ends the ghost, not the object.
  GameRects[GHOST_SLOT].active = 0;
  LoadShadowRecording();
  ASSERT_TRUE(shadowRecordingLoaded);
  g_levelCurrentData.frames = 0;
  PlayShadowRecording();
  GameRects[GHOST_SLOT].Init(GHOST_SLOT, 3000, 3000, 1, false);
  g_levelCurrentData.frames = 1;
  PlayShadowRecording();
  EXPECT_FALSE(shadowRecordingLoaded);
  EXPECT_EQ(GameRects[GHOST_SLOT].active, 1);
  EXPECT_FLOAT_EQ(GameRects[GHOST_SLOT].x, 3000);
}

TEST_F(RecordingsTest, ADemoDrivesTheHeroAndEndsWithItsFrames) {
  g_finalRelease = 0; // a development build plays the player's own ghost file
  RecordRun(4);
  SaveRecording(); // frames 0-2
  ASSERT_EQ(RecordingsPlayReplay(), 1);
  EXPECT_TRUE(g_playingRecording);
  gameRect& hero = GameRects[0];
  for (int k = 0; k < 3; ++k) {
    g_levelCurrentData.frames = k;
    UpdateCurrentRecording(0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_FLOAT_EQ(hero.x, 1000.0f + 10 * k);
  }
  g_levelCurrentData.frames = 3;
  UpdateCurrentRecording(0, 0, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_FALSE(g_playingRecording);
  // The release build looks for the pack's demo, which this pack does not hold.
  g_finalRelease = 1;
  EXPECT_EQ(RecordingsPlayReplay(), 0);
  EXPECT_FALSE(g_playingRecording);
}

} // namespace
