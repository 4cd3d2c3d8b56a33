// Effect data: WAV images of PCM and MS-ADPCM samples become effects, and images that do not fit
// their own sizes are refused.
#include <gtest/gtest.h>

#include <cstdlib>

#include "audio_test_support.h"
#include "sound_fx.h"

using namespace audio_test;

namespace {

struct LoadCase {
  const char* name;
  Bytes image;
  uint32_t frames;
  uint32_t channels;
  bool eightBit;
  size_t dataOffset; // where the samples start in the image
};

// An 18-byte format chunk with another tag.
Bytes ExtensibleFormat() {
  Bytes f;
  Put(f, 0xFFFE, 2);
  Put(f, 1, 2);
  Put(f, 22050, 4);
  Put(f, 44100, 4);
  Put(f, 2, 2);
  Put(f, 16, 2);
  Put(f, 0, 2);
  return f;
}

class EffectLoads : public ::testing::TestWithParam<LoadCase> {};

TEST_P(EffectLoads, PointsIntoTheImage) {
  const LoadCase& c = GetParam();
  SoundFX fx;
  ASSERT_TRUE(fx.load(c.image.data(), (uint32_t)c.image.size())) << fx.error();
  EXPECT_EQ(fx.m_nSamples, c.frames);
  EXPECT_EQ(fx.m_nChannels, c.channels);
  EXPECT_EQ(fx.m_b8Bit, c.eightBit);
  EXPECT_EQ(fx.m_nRate, 22050u);
  EXPECT_EQ(fx.frequency(), 22050u);
  EXPECT_FALSE(fx.m_bOwnsData);
  EXPECT_EQ(fx.m_pData, c.image.data() + c.dataOffset);
}

INSTANTIATE_TEST_SUITE_P(
    Images, EffectLoads,
    ::testing::Values(
        LoadCase{"stereo16", WavImage(1, 2, 22050, 16, Bytes(4000, 1)), 1000, 2, false, 44},
        LoadCase{"mono8", WavImage(1, 1, 22050, 8, Bytes(301, 128)), 301, 1, true, 44},
        LoadCase{"stereo8OddSize", WavImage(1, 2, 22050, 8, Bytes(301, 128)), 150, 2, true, 44},
        LoadCase{"listBeforeData", WavImage(1, 1, 22050, 16, Bytes(10, 0), {{"LIST", Bytes(26, 'x')}}), 5, 1,
                 false, 44 + 8 + 26},
        // Chunks follow each other without a pad byte after an odd size.
        LoadCase{"oddChunkUnpadded",
                 WavImage(1, 1, 22050, 16, Bytes(8, 0), {{"junk", Bytes(3, 0)}, {"cue ", Bytes(5, 0)}}), 4, 1,
                 false, 44 + 8 + 3 + 8 + 5},
        // Any format tag plays 8- and 16-bit samples; a longer format chunk is skipped.
        LoadCase{"extensibleTag", WavImage(0, 1, 22050, 16, Bytes(6, 0), {}, ExtensibleFormat()), 3, 1, false,
                 46}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

// Images whose numbers do not fit: each is refused with a reason and leaves no data.
struct RefusedCase {
  const char* name;
  std::function<Bytes()> make;
};

class EffectRefuses : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(EffectRefuses, WithAReasonAndNoData) {
  Bytes image = GetParam().make();
  SoundFX fx;
  EXPECT_FALSE(fx.load(image.data(), (uint32_t)image.size()));
  EXPECT_EQ(fx.m_pData, nullptr);
  EXPECT_EQ(fx.m_nSamples, 0u);
  ASSERT_NE(fx.error(), nullptr);
  EXPECT_NE(fx.error()[0], 0);
}

Bytes Adpcm500() { return AdpcmImage(1, 22050, 256, 500, EncodeAdpcmMono(Tone(1000, 0, 3000, 50), 256)); }

void SetLE32(Bytes& b, size_t at, uint32_t v) { memcpy(&b[at], &v, 4); }

INSTANTIATE_TEST_SUITE_P(
    Images, EffectRefuses,
    ::testing::Values(
        RefusedCase{"tooShort", [] { return Bytes(30, 0); }},
        RefusedCase{"fmtNotAtByte12",
                    [] {
                      Bytes b = WavImage(1, 1, 22050, 16, Bytes(10, 0));
                      Bytes junk = {'J', 'U', 'N', 'K', 4, 0, 0, 0, 0, 0, 0, 0};
                      b.insert(b.begin() + 12, junk.begin(), junk.end());
                      return b;
                    }},
        RefusedCase{"twelveBits", [] { return WavImage(1, 1, 22050, 12, Bytes(12, 0)); }},
        RefusedCase{"fourBitsNotAdpcm", [] { return WavImage(1, 1, 22050, 4, Bytes(256, 0)); }},
        RefusedCase{"threeChannels", [] { return WavImage(1, 3, 22050, 16, Bytes(12, 0)); }},
        RefusedCase{"noChannels", [] { return WavImage(1, 0, 22050, 16, Bytes(12, 0)); }},
        RefusedCase{"rateZero", [] { return WavImage(1, 1, 0, 16, Bytes(12, 0)); }},
        RefusedCase{"formatPastEnd",
                    [] {
                      Bytes b = WavImage(1, 1, 22050, 16, Bytes(4, 0));
                      SetLE32(b, 16, 1000);
                      return b;
                    }},
        RefusedCase{"noDataChunk",
                    [] {
                      Bytes b = WavImage(1, 1, 22050, 16, Bytes(4, 0));
                      memcpy(&b[36], "dat?", 4);
                      return b;
                    }},
        RefusedCase{"chunkWalksPastEnd",
                    [] {
                      Bytes b = WavImage(1, 1, 22050, 16, Bytes(4, 0), {{"LIST", Bytes(2, 0)}});
                      SetLE32(b, 40, 0xFFFFFFF0u);
                      return b;
                    }},
        RefusedCase{"dataPastEnd",
                    [] {
                      Bytes b = WavImage(1, 1, 22050, 16, Bytes(4, 0));
                      SetLE32(b, 40, 5);
                      return b;
                    }},
        RefusedCase{
            "adpcmSixCoefficients",
            [] { return WavImage(2, 1, 22050, 4, Bytes(256, 0), {}, AdpcmFormat(1, 22050, 256, 500, 6)); }},
        RefusedCase{"adpcmFormatTooShort",
                    [] {
                      Bytes f = AdpcmFormat(1, 22050, 256, 500);
                      f.resize(20);
                      return WavImage(2, 1, 22050, 4, Bytes(256, 0), {}, f);
                    }},
        RefusedCase{"adpcmPredictorSeven",
                    [] {
                      Bytes b = Adpcm500();
                      b[b.size() - 256] = 7; // the second block's predictor index
                      return b;
                    }},
        RefusedCase{
            "adpcmBlockOversized",
            [] { return AdpcmImage(1, 22050, 256, 501, EncodeAdpcmMono(Tone(1000, 0, 3000, 50), 256)); }},
        RefusedCase{"adpcmAlignBelowHeader", [] { return AdpcmImage(2, 22050, 13, 2, Bytes(26, 0)); }}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST(EffectData, NullImageIsRefused) {
  SoundFX fx;
  EXPECT_FALSE(fx.load(nullptr, 100));
  EXPECT_EQ(fx.m_pData, nullptr);
}

TEST(EffectData, AdpcmBlocksOf256BytesGive500SamplesEach) {
  std::vector<int16_t> tone = Tone(1000, 0, 3000, 50);
  Bytes image = AdpcmImage(1, 22050, 256, 500, EncodeAdpcmMono(tone, 256));
  ASSERT_EQ(image.size(), 12u + 8u + 50u + 8u + 512u); // two blocks behind the 50-byte format chunk
  SoundFX fx;
  ASSERT_TRUE(fx.load(image.data(), (uint32_t)image.size())) << fx.error();
  EXPECT_EQ(fx.m_nSamples, 1000u);
  EXPECT_FALSE(fx.m_b8Bit);
  EXPECT_TRUE(fx.m_bOwnsData);
  EXPECT_EQ(fx.m_Format.blockAlign, 256);
  EXPECT_EQ(fx.m_Format.samplesPerBlock, 500);
  const int16_t* decoded = (const int16_t*)fx.m_pData;
  // Each block opens with its header's second sample, then its first.
  EXPECT_EQ(decoded[0], tone[0]);
  EXPECT_EQ(decoded[1], tone[1]);
  EXPECT_EQ(decoded[500], tone[500]);
  EXPECT_EQ(decoded[501], tone[501]);
  int worst = 0;
  for (size_t i = 0; i < tone.size(); i++)
    worst = std::max(worst, std::abs(decoded[i] - tone[i]));
  EXPECT_LT(worst, 600) << "the decoded tone strays from the encoded one";

  // Loading again frees the decoded buffer (the leak checker sees it) and points into the new image.
  Bytes pcm = WavImage(1, 1, 22050, 16, Bytes(8, 0));
  ASSERT_TRUE(fx.load(pcm.data(), (uint32_t)pcm.size()));
  EXPECT_FALSE(fx.m_bOwnsData);
  EXPECT_EQ(fx.m_pData, pcm.data() + 44);
}

TEST(EffectData, StereoAdpcmInterleavesHeadersAndSplitsEachByteBetweenChannels) {
  // Channel 0 predicts with (256, 0), channel 1 with (512, -256).
  Bytes block = {0, 1};
  for (int16_t v : {16, 32, 100, -100, 50, -50})
    Put(block, (uint16_t)v, 2);
  block.push_back(0x12); // +1 for channel 0, +2 for channel 1
  block.push_back(0xF8); // -1 for channel 0, -8 for channel 1
  Bytes image = AdpcmImage(2, 22050, 16, 4, block);
  SoundFX fx;
  ASSERT_TRUE(fx.load(image.data(), (uint32_t)image.size())) << fx.error();
  EXPECT_EQ(fx.m_nChannels, 2u);
  ASSERT_EQ(fx.m_nSamples, 4u);
  const int16_t* s = (const int16_t*)fx.m_pData;
  std::vector<int16_t> got(s, s + 8);
  EXPECT_EQ(got, (std::vector<int16_t>{50, -50, 100, -100, 116, -86, 100, -296}));
}

struct NibbleCase {
  const char* name;
  int16_t sample1, sample2, delta;
  uint8_t nibble;
  int16_t k1, k2;
  int16_t expected, expectedDelta;
};

class AdpcmNibble : public ::testing::TestWithParam<NibbleCase> {};

TEST_P(AdpcmNibble, GivesTheSampleAndAdaptsTheStep) {
  const NibbleCase& c = GetParam();
  MSADPCMState state;
  state.sample1 = c.sample1;
  state.sample2 = c.sample2;
  state.delta = c.delta;
  const int16_t k[2] = {c.k1, c.k2};
  EXPECT_EQ(SoundFX::nibble_MSADPCM(state, c.nibble, k), c.expected);
  EXPECT_EQ(state.sample1, c.expected);
  EXPECT_EQ(state.sample2, c.sample1);
  EXPECT_EQ(state.delta, c.expectedDelta);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, AdpcmNibble,
    ::testing::Values(NibbleCase{"eightIsMinusEight", 0, 0, 100, 8, 256, 0, -800, 300},
                      NibbleCase{"sevenIsPlusSeven", 0, 0, 100, 7, 256, 0, 700, 239},
                      NibbleCase{"deltaFloorIs16", 40, 0, 16, 0, 256, 0, 40, 16},
                      NibbleCase{"predictorTruncatesTowardZero", -1, 0, 16, 0, 128, 0, 0, 16},
                      NibbleCase{"secondPair", 1000, 500, 16, 1, 512, -256, 1516, 16},
                      NibbleCase{"clampsHigh", 32000, 0, 1000, 7, 256, 0, 32767, 1000 * 614 / 256},
                      NibbleCase{"clampsLow", -32000, 0, 1000, 8, 256, 0, -32768, 3000},
                      // A step that would pass 16 bits stays at the largest one instead of wrapping.
                      NibbleCase{"deltaStaysIn16Bits", 0, 0, 20000, 8, 256, 0, -32768, 32767}),
    [](const ::testing::TestParamInfo<NibbleCase>& info) { return std::string(info.param.name); });

TEST(EffectData, SettersClampAndTheModuleRecordKeepsItsImage) {
  SoundFX fx;
  EXPECT_EQ(fx.volume(), 64u);
  EXPECT_EQ(fx.pan(), 128u);
  EXPECT_EQ(fx.maxplaybacks(), -1);
  fx.volume(100);
  fx.pan(300);
  EXPECT_EQ(fx.volume(), 64u);
  EXPECT_EQ(fx.pan(), 255u);

  Module module;
  EXPECT_EQ(module.pan(), 255u);
  EXPECT_EQ(module.frequency(), 44100u);
  EXPECT_FALSE(module.load(nullptr));
  unsigned char song[4] = {};
  EXPECT_TRUE(module.load(song));
  EXPECT_EQ(module.m_pData, song);
  EXPECT_FALSE(module.m_bOwnsData);
}

} // namespace
