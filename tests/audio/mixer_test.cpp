// The mixer through its one-block mix, with the audio thread suspended: voice choice, looping,
// resampling, stereo samples, pan and volumes, and how open sets the mixer up.
#include <gtest/gtest.h>

#include <memory>

#include "audio_test_support.h"
#include "sound_fx.h"
#include "sound_mixer.h"

using namespace audio_test;

namespace {

// A 16-bit mono effect of the given samples (or `frames` copies of one value).
struct Effect {
  Bytes image;
  SoundFX fx;
  Effect(const std::vector<int16_t>& samples, uint32_t rate = 48000, uint16_t channels = 1) {
    image = WavImage(1, channels, rate, 16, Samples16(samples));
    EXPECT_TRUE(fx.load(image.data(), (uint32_t)image.size())) << fx.error();
  }
  static std::unique_ptr<Effect> Flat(size_t frames, int16_t value = 1000) {
    return std::make_unique<Effect>(std::vector<int16_t>(frames, value));
  }
};

class MixerTest : public ::testing::Test {
protected:
  void SetUp() override { Open(48000, 16, false, 1, 8); }

  void Open(unsigned rate, unsigned bits, bool stereo, unsigned mod, unsigned sfx) {
    snd.close();
    ASSERT_TRUE(snd.open(rate, bits, stereo, mod, sfx));
    // The blocks are mixed by the test, one at a time.
    snd.suspend();
  }

  // One block: the left and right output samples.
  std::vector<int16_t> Mix(std::vector<int16_t>* right = nullptr) {
    snd.UpdateAudioBuffer();
    int frames = snd.m_nFragmentSize / 4;
    std::vector<int16_t> left(frames);
    if (right) right->resize(frames);
    for (int i = 0; i < frames; i++) {
      left[i] = snd.m_pOutput[2 * i];
      if (right) (*right)[i] = snd.m_pOutput[2 * i + 1];
    }
    return left;
  }

  SFXChannel& Voice(int i) { return snd.m_pSFXChannels[i]; }

  ScopedAudioOutput output{standin::Audio::None};
  Sound snd;
};

// Voice choice. Lengths are in frames; every effect is played unlimited in order, so effect i
// lands on voice i; then some are stopped again, and one more is asked for.
struct StealCase {
  const char* name;
  std::vector<size_t> lengths;
  std::vector<int> stopped;
  std::vector<int> sameAsNew; // voices that play the new effect's own sample
  int limit;
  int expectedVoice;
};

class VoiceChoice : public MixerTest, public ::testing::WithParamInterface<StealCase> {};

TEST_P(VoiceChoice, TakesTheExpectedVoice) {
  const StealCase& c = GetParam();
  auto fresh = Effect::Flat(1000, 7);
  std::vector<std::unique_ptr<Effect>> effects;
  for (size_t i = 0; i < c.lengths.size(); i++) {
    bool same = std::find(c.sameAsNew.begin(), c.sameAsNew.end(), (int)i) != c.sameAsNew.end();
    effects.push_back(Effect::Flat(c.lengths[i]));
    ASSERT_EQ(snd.playSFX(same ? &fresh->fx : &effects.back()->fx), (int)i + 1);
  }
  for (int v : c.stopped)
    snd.StopChannel(v);
  fresh->fx.maxplaybacks(c.limit);
  int channel = snd.playSFX(&fresh->fx);
  EXPECT_EQ(channel, c.expectedVoice + 1) << "channel numbers start after the module voice";
  EXPECT_EQ(Voice(c.expectedVoice).m_pData, fresh->fx.m_pData);
  EXPECT_TRUE(Voice(c.expectedVoice).playing());
  EXPECT_EQ(Voice(c.expectedVoice).m_nPosition, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VoiceChoice,
    ::testing::Values(
        // All busy, no limit: the shortest sample is cut off, the lowest index on a tie.
        StealCase{"allBusyShortestLowestIndex", {500, 300, 200, 400, 200, 600, 700, 800}, {}, {}, -1, 2},
        // A free voice is taken before any busy one, the first one without a limit.
        StealCase{"firstFreeWithoutLimit", {500, 300, 200, 400, 200, 600, 700, 800}, {3, 6}, {}, -1, 3},
        // Under its limit the effect takes a free voice: the last one scanned.
        StealCase{
            "lastFreeUnderTheLimit", {1000, 300, 300, 300, 900, 950, 980, 990}, {4, 5, 6, 7}, {0}, 2, 7},
        // At its limit it takes the shortest of all eight, busy or free.
        StealCase{"shortestOfAllAtTheLimit",
                  {1000, 1000, 300, 300, 900, 950, 980, 990},
                  {4, 5, 6, 7},
                  {0, 1},
                  2,
                  2},
        // A voice never used has length 0 and wins the search.
        StealCase{"neverUsedVoiceIsShortest", {1000, 1000, 300}, {}, {0, 1}, 2, 3}),
    [](const ::testing::TestParamInfo<StealCase>& info) { return std::string(info.param.name); });

TEST_F(MixerTest, EffectsPlayAtTheirRateAndStopAtTheirEnd) {
  Effect fast({100, 200, 300}, 48000);
  Effect slow({11, 22, 33}, 24000); // half the mix rate: every sample twice
  ASSERT_GE(snd.playSFX(&fast.fx), 0);
  std::vector<int16_t> out = Mix();
  EXPECT_EQ(std::vector<int16_t>(out.begin(), out.begin() + 5), (std::vector<int16_t>{100, 200, 300, 0, 0}));
  EXPECT_EQ(snd.playingChannelSFX(), 0u);
  ASSERT_GE(snd.playSFX(&slow.fx), 0);
  out = Mix();
  EXPECT_EQ(std::vector<int16_t>(out.begin(), out.begin() + 7),
            (std::vector<int16_t>{11, 11, 22, 22, 33, 33, 0}));
}

struct LoopCase {
  const char* name;
  uint32_t rate; // 48000: one sample per output sample
  std::vector<int16_t> samples;
  std::vector<int16_t> expected;
  bool stillPlaying;
};

class Looping : public MixerTest, public ::testing::WithParamInterface<LoopCase> {};

TEST_P(Looping, WrapsOncePerOutputSample) {
  const LoopCase& c = GetParam();
  Effect e(c.samples, c.rate);
  e.fx.loop(true);
  ASSERT_GE(snd.playSFX(&e.fx), 0);
  std::vector<int16_t> out = Mix();
  EXPECT_EQ(std::vector<int16_t>(out.begin(), out.begin() + (long)c.expected.size()), c.expected);
  EXPECT_EQ(snd.playingChannelSFX(), c.stillPlaying ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Looping,
    ::testing::Values(LoopCase{"plain", 48000, {100, 200, 300}, {100, 200, 300, 100, 200, 300, 100}, true},
                      // Step 512 over a 3-sample loop: 0, 2, then 4 - 3 = 1.
                      LoopCase{"stepOfTwo", 96000, {100, 200, 300}, {100, 300, 200, 100, 300, 200}, true},
                      // Step 1024 over 2 samples: after one subtraction the position is still past
                      // the end, and the voice stops.
                      LoopCase{"stepLongerThanTheSample", 192000, {100, 200}, {100, 0, 0, 0}, false}),
    [](const ::testing::TestParamInfo<LoopCase>& info) { return std::string(info.param.name); });

TEST_F(MixerTest, StereoSamplesAreReadByTheFirstFractionBitWithoutAveraging) {
  std::vector<int16_t> frames;
  for (int i = 0; i < 8; i++) {
    frames.push_back(1000);  // left
    frames.push_back(-1000); // right
  }
  Effect same(frames, 48000, 2);
  ASSERT_EQ(same.fx.m_nSamples, 8u);
  ASSERT_GE(snd.playSFX(&same.fx), 0);
  std::vector<int16_t> out = Mix();
  EXPECT_EQ(std::vector<int16_t>(out.begin(), out.begin() + 9),
            (std::vector<int16_t>{1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 0}));
  Effect half(frames, 24000, 2);
  ASSERT_GE(snd.playSFX(&half.fx), 0);
  out = Mix();
  EXPECT_EQ(std::vector<int16_t>(out.begin(), out.begin() + 4),
            (std::vector<int16_t>{1000, -1000, 1000, -1000}));
}

struct PanCase {
  const char* name;
  bool stereo;
  unsigned bits;
  unsigned pan;
  int16_t left, right;
};

class Panning : public MixerTest, public ::testing::WithParamInterface<PanCase> {};

TEST_P(Panning, SplitsTheVoiceBetweenTheSides) {
  const PanCase& c = GetParam();
  Open(48000, c.bits, c.stereo, 1, 8);
  auto e = Effect::Flat(64, 1000);
  e->fx.pan(c.pan);
  ASSERT_GE(snd.playSFX(&e->fx), 0);
  std::vector<int16_t> right;
  std::vector<int16_t> left = Mix(&right);
  EXPECT_EQ(left[0], c.left);
  EXPECT_EQ(right[0], c.right);
  EXPECT_EQ(left[64], 0);
}

INSTANTIATE_TEST_SUITE_P(Mixes, Panning,
                         ::testing::Values(PanCase{"monoIgnoresPan", false, 16, 0, 1000, 1000},
                                           PanCase{"centre", true, 16, 128, 1000, 1000},
                                           PanCase{"hardLeft", true, 16, 0, 2000, 0},
                                           PanCase{"nearlyRight", true, 16, 255, 1000 / 64, 1000 * 127 / 64},
                                           // 64000 >> 14 = 3 steps of an 8-bit mix.
                                           PanCase{"eightBitMix", false, 8, 128, 3 * 256, 3 * 256}),
                         [](const ::testing::TestParamInfo<PanCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(MixerTest, VolumesScaleAndPauseHoldsTheVoiceWhereItWas) {
  auto e = Effect::Flat(5000, 1000);
  e->fx.volume(32);
  int channel = snd.playSFX(&e->fx);
  ASSERT_GE(channel, 0);
  EXPECT_EQ(Mix()[0], 500);
  snd.volumeSFX(200); // clamps to 64
  EXPECT_EQ(snd.volumeSFX(), 64u);
  snd.volumeSFX(16);
  EXPECT_EQ(snd.channel((unsigned)channel)->m_nEffectiveVolume, 8u);
  EXPECT_EQ(Mix()[0], 125);

  uint32_t position = Voice(0).m_nPosition;
  snd.pauseSFX();
  EXPECT_EQ(Mix()[0], 0);
  EXPECT_EQ(Voice(0).m_nPosition, position);
  snd.resumeSFX();
  EXPECT_EQ(Mix()[0], 125);
  snd.stopSFX();
  EXPECT_EQ(snd.playingChannelSFX(), 0u);
  snd.resumeSFX(); // a stopped voice stays stopped
  EXPECT_EQ(Mix()[0], 0);
}

struct SpeedCase {
  uint32_t base;
  unsigned speed;
  uint32_t frequency;
};

class Speed : public ::testing::TestWithParam<SpeedCase> {};

TEST_P(Speed, ScalesTheBaseFrequency) {
  Channel c;
  c.m_nBaseFrequency = GetParam().base;
  c.m_bFrequencyChanged = false;
  c.speed(GetParam().speed);
  EXPECT_EQ(c.frequency(), GetParam().frequency);
  EXPECT_TRUE(c.m_bFrequencyChanged);
}

INSTANTIATE_TEST_SUITE_P(Table, Speed,
                         ::testing::Values(SpeedCase{22050, 128, 22050}, SpeedCase{22050, 0, 11025},
                                           SpeedCase{22050, 255, 43927}, SpeedCase{22050, 192, 33075},
                                           // Rates above 16 bits would overflow a 32-bit shift.
                                           SpeedCase{96000, 0, 48000}, SpeedCase{96000, 255, 191250}));

TEST(ModChannel, TrackLevelsFollowVolumeAndPan) {
  unsigned master = 64;
  ModChannel c;
  c.m_pMasterVolume = &master;
  EXPECT_EQ(c.m_nTrackWords[2][5], 9u);
  EXPECT_EQ(c.m_nTrackWords[3][0], 2u);
  c.m_nTrackVolume[3] = 32;
  c.volume(48);
  EXPECT_EQ(c.volume(), 48u);
  EXPECT_EQ(c.m_nTrackEffectiveVolume[3], 24u);
  c.pan(128); // (255 - 128) >> 2 = 31
  EXPECT_EQ(c.m_nPanLevel[0], 95u);
  EXPECT_EQ(c.m_nPanLevel[1], 161u);
  EXPECT_EQ(c.m_nPanLevel[2], 161u);
  EXPECT_EQ(c.m_nPanLevel[3], 95u);
}

TEST(ModulePatterns, CountsTheHighestOrderEntry) {
  std::vector<uint8_t> header(1084, 0);
  EXPECT_EQ(snd_getNumPattern(header.data(), (uint32_t)header.size()), 1);
  header[950] = 3;
  header[952] = 4;
  header[953] = 9;
  header[954] = 2;
  header[955] = 30; // beyond the song length
  EXPECT_EQ(snd_getNumPattern(header.data(), (uint32_t)header.size()), 10);
  EXPECT_EQ(snd_getNumPattern(header.data(), 900), 1);
}

// --- open ---

struct OpenCase {
  unsigned rate, mod, sfx;
  uint32_t mixRate, modVoices, sfxVoices;
};

class OpenSetsUp : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenSetsUp, RateAndVoiceCounts) {
  ScopedAudioOutput output(standin::Audio::None);
  const OpenCase& c = GetParam();
  Sound snd;
  ASSERT_TRUE(snd.open(c.rate, 16, false, c.mod, c.sfx));
  EXPECT_EQ(snd.m_nMixRate, c.mixRate);
  EXPECT_EQ(snd.m_nModChannels, c.modVoices);
  EXPECT_EQ(snd.maxChannelSFX(), c.sfxVoices);
  EXPECT_EQ(snd.m_nFragmentSize, 4096);
  EXPECT_EQ(snd.m_nMixBufferSize, 2048) << "half a fragment of mono 16-bit mix";
  EXPECT_NE(snd.channel(c.modVoices + c.sfxVoices - 1), nullptr);
  EXPECT_EQ(snd.channel(c.modVoices + c.sfxVoices), nullptr);
  // An effect at the mix rate steps one sample per output sample.
  snd.suspend();
  Effect e({1, 2, 3}, c.mixRate);
  ASSERT_GE(snd.playSFX(&e.fx), 0);
  snd.UpdateAudioBuffer();
  EXPECT_EQ(snd.m_pSFXChannels[0].m_nStep, 256u);
}

INSTANTIATE_TEST_SUITE_P(Table, OpenSetsUp,
                         ::testing::Values(OpenCase{32000, 1, 8, 22050, 1, 8},
                                           OpenCase{11025, 2, 12, 11025, 2, 12},
                                           OpenCase{44100, 0, 100, 44100, 1, 64},
                                           OpenCase{48000, 7, 3, 48000, 3, 8}));

TEST_F(MixerTest, ASecondOpenFailsAndChangesNothing) {
  snd.resume();
  EXPECT_FALSE(snd.open(22050, 8, true, 3, 64));
  EXPECT_EQ(snd.m_nMixRate, 48000u);
  EXPECT_EQ(snd.maxChannelSFX(), 8u);
  EXPECT_TRUE(snd.m_b16Bit);
  EXPECT_FALSE(snd.m_bStereo);
  EXPECT_TRUE(snd.IsThreadRunning());
  EXPECT_TRUE(snd.close());
  EXPECT_FALSE(snd.IsOpen());
  EXPECT_TRUE(snd.close());
  Effect e({1, 2, 3});
  EXPECT_EQ(snd.playSFX(&e.fx), -1) << "a closed mixer plays nothing";
}

TEST_F(MixerTest, EffectsWithoutDataAreRefused) {
  SoundFX empty;
  EXPECT_EQ(snd.playSFX(&empty), -1);
  EXPECT_EQ(snd.playSFX(nullptr), -1);
}

TEST_F(MixerTest, SuspendAndResumeContinueAPlayingVoice) {
  std::vector<int16_t> ramp(48000);
  for (size_t i = 0; i < ramp.size(); i++)
    ramp[i] = (int16_t)(i % 30000);
  Effect e(ramp);
  ASSERT_GE(snd.playSFX(&e.fx), 0);
  Mix();
  uint32_t before = Voice(0).m_nPosition;
  EXPECT_EQ(before, (uint32_t)(snd.m_nFragmentSize / 4) << 8);
  snd.resume();
  ASSERT_TRUE(WaitFor([&] {
    snd.Lock();
    bool moved = Voice(0).m_nPosition != before;
    snd.Unlock();
    return moved;
  })) << "the resumed thread mixes";
  snd.suspend();
  EXPECT_FALSE(snd.IsThreadRunning());
  uint32_t after = Voice(0).m_nPosition;
  EXPECT_GT(after, before);
  EXPECT_TRUE(Voice(0).playing());
  EXPECT_EQ(Mix()[0], ramp[after >> 8]) << "the next block goes on from where the thread left it";
}

} // namespace
