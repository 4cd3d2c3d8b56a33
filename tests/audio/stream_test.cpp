// Music streams read from the sound pack, block by block as the mixer asks: resampling to the
// output rate, looping, the end of a stream, fades, stop and start, WAV streams, and streams
// whose file fails while they play.
#include <gtest/gtest.h>

#include <memory>

#include "audio_test_support.h"
#include "files.h"
#include "streaming_provider.h"

using namespace audio_test;

namespace {

std::vector<short> Block(CStreamingProvider& s, int n) {
  std::vector<short> block((size_t)n, 0);
  s.UpdateBufferAdd(block.data(), n);
  return block;
}

class OggStream : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(pack.ok);
    music = DecodeOgg(Fixture("music_48k_mono.ogg"));
    ASSERT_EQ(music.rate, 48000);
    ASSERT_EQ(music.channels, 1);
    ASSERT_GT(music.samples.size(), 10000u);
    ASSERT_TRUE(stream.LoadStream("Sounds\\music_48k_mono.ogg"));
    stream.SetVolume(128); // unity
  }
  // The decoded music at global output index g, looped.
  int16_t At(size_t g) const { return music.samples[g % music.samples.size()]; }

  PackApp pack;
  At48k rate;
  Decoded music;
  CStreamingProviderOGG stream{&pack.app, &rate};
};

TEST_F(OggStream, StereoAt44kTakesTheLeftSampleOfEachSourceFrame) {
  Decoded d = DecodeOgg(Fixture("music_44k_stereo.ogg"));
  ASSERT_EQ(d.channels, 2);
  CStreamingProviderOGG s(&pack.app, &rate);
  ASSERT_TRUE(s.LoadStream("Sounds\\music_44k_stereo.ogg"));
  EXPECT_EQ(s.m_nStep, 235u);
  EXPECT_EQ(s.m_nBufferSize, 14688);
  EXPECT_EQ(s.GetFileName(), CommonString("Sounds\\music_44k_stereo.ogg"));
  s.SetVolume(128);
  s.Start(false);
  std::vector<short> out = Block(s, 1024);
  for (size_t i = 0; i < 1024; i++)
    ASSERT_EQ(out[i], d.samples[2 * ((i * 235) >> 8)]) << "output sample " << i;
  // Later blocks go on from there, a source frame at a time: each output sample is the left
  // sample of the frame before or of the next one. (Where a block's data runs out mid-block, the
  // position's fraction restarts with the newly decoded data, so a frame may be taken twice.)
  size_t frame = (1023 * 235) >> 8;
  auto left = [&](size_t f) { return 2 * f < d.samples.size() ? d.samples[2 * f] : INT16_MIN; };
  for (size_t g = 1024; g < 8 * 1024;) {
    for (short v : Block(s, 1024)) {
      size_t k = frame;
      while (k <= frame + 2 && left(k) != v)
        k++;
      ASSERT_LE(k, frame + 2) << "output sample " << g << " is not the next frame's";
      frame = k;
      g++;
    }
  }
  EXPECT_GE(frame, (size_t)(8 * 1024 * 235 / 256 * 99 / 100)) << "the stream fell behind";
}

TEST_F(OggStream, WithoutLoopPlaysToTheLastSampleThenStopsRewound) {
  stream.Start(false);
  std::vector<short> out;
  for (int b = 0; b < 30 && stream.m_bPlaying; b++) {
    std::vector<short> block = Block(stream, 1024);
    out.insert(out.end(), block.begin(), block.end());
  }
  EXPECT_FALSE(stream.m_bPlaying);
  ASSERT_GE(out.size(), music.samples.size());
  for (size_t i = 0; i < out.size(); i++)
    ASSERT_EQ(out[i], i < music.samples.size() ? music.samples[i] : 0) << i;
  // Nothing plays once stopped; a new start begins at the top.
  EXPECT_EQ(Block(stream, 16), std::vector<short>(16, 0));
  stream.Start(false);
  std::vector<short> again = Block(stream, 1024);
  EXPECT_TRUE(std::equal(again.begin(), again.end(), music.samples.begin()));
}

TEST_F(OggStream, LoopingGoesOnAcrossTheEndOfTheFile) {
  stream.Start(true);
  for (size_t g = 0; g < 3 * music.samples.size();) {
    std::vector<short> block = Block(stream, 1000);
    for (short v : block) {
      ASSERT_EQ(v, At(g)) << "output sample " << g;
      g++;
    }
  }
  EXPECT_TRUE(stream.m_bPlaying);
}

TEST_F(OggStream, FadeOutOfZeroSecondsLetsOneSampleThrough) {
  stream.Start(true);
  Block(stream, 1024);
  stream.StopWithFadeOut(0);
  std::vector<short> out = Block(stream, 1024);
  EXPECT_EQ(out[0], At(1024));
  EXPECT_EQ(std::vector<short>(out.begin() + 1, out.end()), std::vector<short>(1023, 0));
  EXPECT_FALSE(stream.m_bPlaying);
  EXPECT_FALSE(stream.m_bFadeOut);
}

TEST_F(OggStream, FadeInDuringAFadeOutStartsFromTheLevelReached) {
  stream.Start(true);
  stream.StopWithFadeOut(FIXED_FLOAT_ONE); // one second: 48000 samples
  EXPECT_EQ(stream.m_nFadeOutLength, 48000);
  for (int b = 0; b < 24; b++)
    Block(stream, 1000);
  ASSERT_EQ(stream.m_nFadeOutCounter, 24000);
  stream.SetFadeIn(FIXED_FLOAT_ONE);
  EXPECT_FALSE(stream.m_bFadeOut);
  EXPECT_EQ(stream.m_nFadeInLength, 48000);
  EXPECT_EQ(stream.m_nFadeInCounter, 24000);
  std::vector<short> out = Block(stream, 4);
  for (size_t i = 0; i < 4; i++)
    EXPECT_EQ(out[i], (64 * At(24000 + i)) >> 7) << "half of the volume " << i;
}

TEST_F(OggStream, StopThenStartPlaysTheBufferedRestFirst) {
  stream.Start(true);
  Block(stream, 1000);
  int buffered = stream.m_nAvailable / 2;
  ASSERT_GT(buffered, 0);
  stream.Stop();
  EXPECT_FALSE(stream.m_bPlaying);
  EXPECT_EQ(Block(stream, 8), std::vector<short>(8, 0));
  stream.Start(true);
  std::vector<short> out = Block(stream, 3000);
  for (int i = 0; i < 3000; i++)
    ASSERT_EQ(out[(size_t)i], i < buffered ? At(1000 + (size_t)i) : At((size_t)(i - buffered))) << i;
}

TEST_F(OggStream, StartAfterAFadeOutWasStoppedPlaysAtFullLevel) {
  stream.Start(true);
  stream.StopWithFadeOut(FIXED_FLOAT_ONE / 100);
  stream.Stop();
  stream.Start(true);
  std::vector<short> out = Block(stream, 2000);
  EXPECT_TRUE(stream.m_bPlaying);
  EXPECT_EQ(out[1999], At(1999));
}

TEST(StreamRates, OutputRateComesFromTheSoundSystem) {
  PackApp pack;
  ASSERT_TRUE(pack.ok);
  CStreamingProviderOGG without(&pack.app);
  ASSERT_TRUE(without.LoadStream("Sounds\\music_48k_mono.ogg"));
  EXPECT_EQ(without.m_nOutputRate, 22050u);
  EXPECT_EQ(without.m_nStep, (48000u << 8) / 22050u);
  EXPECT_FALSE(without.LoadStream("Sounds\\missing.ogg"));
  EXPECT_FALSE(without.m_bFileOpened);
  EXPECT_FALSE(without.LoadStream("Sounds\\garbage.ogg"));
  EXPECT_TRUE(without.m_bFileOpened);
  EXPECT_EQ(without.m_pFile, nullptr);
}

// --- WAV streams ---

struct WavStream : ::testing::Test {
  void SetUp() override { ASSERT_TRUE(pack.ok); }
  PackApp pack;
  At48k rate;
  CStreamingProviderWAV stream{&pack.app, &rate};
};

TEST_F(WavStream, LoopsOverItsDataChunkOnlyAtItsOwnRate) {
  ASSERT_TRUE(stream.LoadStream("Sounds\\music_wav.wav"));
  EXPECT_EQ(stream.m_nSampleCount, 2400u);
  EXPECT_EQ(stream.m_nStep, 128u);
  stream.SetVolume(128);
  stream.Start(true);
  Bytes file;
  {
    std::ifstream in(Fixture("music_wav.wav"), std::ios::binary);
    file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  auto sample = [&](size_t i) { return (int16_t)(file[44 + 2 * i] | (file[45 + 2 * i] << 8)); };
  // Past two loops: the chunk behind the data is never heard.
  for (size_t g = 0; g < 6 * 1024;) {
    for (short v : Block(stream, 1024)) {
      ASSERT_EQ(v, sample((g / 2) % 2400)) << "output sample " << g;
      g++;
    }
  }
  stream.Stop();
  stream.Start(false);
  std::vector<short> out;
  for (int b = 0; b < 10 && stream.m_bPlaying; b++) {
    std::vector<short> block = Block(stream, 1024);
    out.insert(out.end(), block.begin(), block.end());
  }
  EXPECT_FALSE(stream.m_bPlaying);
  ASSERT_EQ(out.size(), 5u * 1024u);
  EXPECT_EQ(out[4799], sample(2399));
  EXPECT_EQ(out[4800], 0);
}

TEST_F(WavStream, EightBitStereoPlaysItsLeftSamples) {
  ASSERT_TRUE(stream.LoadStream("Sounds\\music_8bit_stereo.wav"));
  EXPECT_TRUE(stream.m_b8Bit);
  stream.SetVolume(128);
  stream.Start(false);
  std::vector<short> out = Block(stream, 16);
  std::ifstream in(Fixture("music_8bit_stereo.wav"), std::ios::binary);
  Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (size_t i = 0; i < 16; i++)
    EXPECT_EQ(out[i], (file[44 + 2 * i] - 128) * 256) << i;
}

struct WavRefusal {
  const char* name;
  Bytes image;
};

class WavStreamRefuses : public ::testing::TestWithParam<WavRefusal> {};

TEST_P(WavStreamRefuses, TheFile) {
  At48k rate;
  CStreamingProviderWAV s(nullptr, &rate);
  Bytes image = GetParam().image;
  void* copy = malloc(image.size());
  memcpy(copy, image.data(), image.size());
  CMemoryFile* file = new CMemoryFile();
  file->Attach(copy, (int)image.size());
  EXPECT_FALSE(s.LoadStreamFromFile(file, "refused.wav"));
  EXPECT_EQ(s.m_pFile, nullptr);
  s.Start(true);
  EXPECT_FALSE(s.m_bPlaying);
}

Bytes WithDataSize(Bytes b, uint32_t size) {
  memcpy(&b[40], &size, 4);
  return b;
}

Bytes Truncated(Bytes b, size_t size) {
  b.resize(size);
  return b;
}

INSTANTIATE_TEST_SUITE_P(
    Images, WavStreamRefuses,
    ::testing::Values(
        // 4-bit data has no decoder in a stream.
        WavRefusal{"fourBit", AdpcmImage(1, 22050, 256, 500, EncodeAdpcmMono(Tone(500, 0, 1000, 20), 256))},
        WavRefusal{"threeChannels", WavImage(1, 3, 22050, 16, Bytes(60, 0))},
        WavRefusal{"rateZero", WavImage(1, 1, 0, 16, Bytes(60, 0))},
        WavRefusal{"dataPastTheEnd", WithDataSize(WavImage(1, 1, 22050, 16, Bytes(60, 0)), 61)},
        WavRefusal{"noDataChunk", Truncated(WavImage(1, 1, 22050, 16, Bytes(60, 0)), 36)},
        WavRefusal{"noFormat", Bytes(40, 0)}),
    [](const ::testing::TestParamInfo<WavRefusal>& info) { return std::string(info.param.name); });

// --- a file that fails while it plays ---

// A memory file whose reads and seeks fail on demand, as a pack on a failing disk would.
class FailingFile : public CMemoryFile {
public:
  bool failing = false;
  int ReadData(void* buffer, int count) override {
    return failing ? -1 : CMemoryFile::ReadData(buffer, count);
  }
  int Seek(long offset, int whence) override { return failing ? 0 : CMemoryFile::Seek(offset, whence); }
};

TEST(DamagedStream, FailingReadsAndSeeksStopALoopingStreamAtTheEndOfWhatWasRead) {
  std::ifstream in(Fixture("music_48k_mono.ogg"), std::ios::binary);
  Bytes ogg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  void* copy = malloc(ogg.size());
  memcpy(copy, ogg.data(), ogg.size());
  FailingFile* file = new FailingFile();
  file->Attach(copy, (int)ogg.size());
  At48k rate;
  CStreamingProviderOGG s(nullptr, &rate);
  ASSERT_TRUE(s.LoadStreamFromFile(file, "failing.ogg"));
  s.SetVolume(128);
  s.Start(true);
  Block(s, 1024);
  file->failing = true;
  // What the decoder holds already still plays; at the end of the file the rewind fails and the
  // reads give nothing, so the stream stops instead of retrying for ever.
  const int fileBlocks = (int)(DecodeOgg(Fixture("music_48k_mono.ogg")).samples.size() / 1024) + 1;
  int blocks = 0;
  while (s.m_bPlaying && blocks < 4 * fileBlocks) {
    Block(s, 1024);
    blocks++;
  }
  EXPECT_FALSE(s.m_bPlaying) << "the stream went on without data";
  EXPECT_LE(blocks, fileBlocks + 1);
}

} // namespace
