// The mixer's audio thread on the PCM stand-in: effects rendered into the WAV-file output come
// out at 48 kHz stereo as their samples, the thread stops promptly even while the output waits
// for room, and a PCM channel that cannot open leaves the mixer closed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <future>

#include "audio_test_support.h"
#include "sound_fx.h"
#include "sound_mixer.h"
#include "temp_dir.h"

using namespace audio_test;

namespace {

// Runs of non-silent samples, in order.
std::vector<std::vector<int16_t>> Sounds(const std::vector<int16_t>& mono) {
  std::vector<std::vector<int16_t>> runs;
  bool in = false;
  for (int16_t s : mono) {
    if (s != 0 && !in) runs.emplace_back();
    in = s != 0;
    if (in) runs.back().push_back(s);
  }
  return runs;
}

TEST(MixerOutput, EffectsOfEachKindReachTheWavFileAsTheirSamples) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  std::string path = dir.path() + "/out.wav";
  ScopedAudioOutput output(standin::Audio::Wav, path);

  // Every sample above zero, so each effect is one unbroken run in the output.
  std::vector<int16_t> tone16 = Tone(2000, 4000, 3000, 37);
  Bytes eight;
  for (int16_t s : Tone(1500, 170, 30, 41))
    eight.push_back((uint8_t)s);
  std::vector<int16_t> toneAdpcm = Tone(1000, 8000, 4000, 90);
  Bytes images[3] = {WavImage(1, 1, 24000, 8, eight), WavImage(1, 1, 48000, 16, Samples16(tone16)),
                     AdpcmImage(1, 12000, 256, 500, EncodeAdpcmMono(toneAdpcm, 256))};
  SoundFX fx[3];
  for (int i = 0; i < 3; i++)
    ASSERT_TRUE(fx[i].load(images[i].data(), (uint32_t)images[i].size())) << i << ": " << fx[i].error();

  Sound snd;
  ASSERT_TRUE(snd.open(48000, 16, false, 1, 8));
  for (SoundFX& f : fx) {
    ASSERT_GE(snd.playSFX(&f), 0);
    ASSERT_TRUE(WaitFor([&] { return snd.playingChannelSFX() == 0; }));
  }
  // The block that ended the last effect is written before any later one: three more fragments
  // in the file and it is there.
  std::error_code ec;
  uintmax_t written = std::filesystem::file_size(path, ec);
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::file_size(path, ec) >= written + 3 * 4096; }, 10000, 5));
  ASSERT_TRUE(snd.close());

  WavFile wav = ReadWav(path);
  ASSERT_TRUE(wav.ok);
  EXPECT_EQ(wav.tag, 1);
  EXPECT_EQ(wav.rate, 48000u);
  EXPECT_EQ(wav.channels, 2);
  EXPECT_EQ(wav.bits, 16);
  std::vector<int16_t> left;
  for (size_t i = 0; i + 1 < wav.samples.size(); i += 2) {
    ASSERT_EQ(wav.samples[i], wav.samples[i + 1]) << "left and right differ at frame " << i / 2;
    left.push_back(wav.samples[i]);
  }
  std::vector<std::vector<int16_t>> runs = Sounds(left);
  ASSERT_EQ(runs.size(), 3u);

  // 8-bit at half the mix rate: each sample twice, (byte - 128) x 256.
  ASSERT_EQ(runs[0].size(), 2 * eight.size());
  for (size_t i = 0; i < runs[0].size(); i++)
    ASSERT_EQ(runs[0][i], (eight[i / 2] - 128) * 256) << i;
  EXPECT_EQ(runs[1], tone16);
  // MS-ADPCM at a quarter of the mix rate: each decoded sample four times, close to the tone.
  ASSERT_EQ(runs[2].size(), 4 * toneAdpcm.size());
  const int16_t* decoded = (const int16_t*)fx[2].m_pData;
  for (size_t i = 0; i < runs[2].size(); i++) {
    ASSERT_EQ(runs[2][i], decoded[i / 4]) << i;
    ASSERT_NEAR(runs[2][i], toneAdpcm[i / 4], 600) << i;
  }
}

// The output stops taking data while the thread runs; stopping must still come back at once.
class StopWhileWaiting : public ::testing::TestWithParam<bool> {};

TEST_P(StopWhileWaiting, ReturnsPromptly) {
  ScopedAudioOutput output(standin::Audio::None);
  Sound snd;
  ASSERT_TRUE(snd.open(48000, 16, false, 1, 8));
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  standin::StallAudioOutput(true);
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  bool suspend = GetParam();
  auto started = std::chrono::steady_clock::now();
  auto stopping = std::async(std::launch::async, [&] {
    if (suspend)
      snd.suspend();
    else
      snd.close();
  });
  bool done = stopping.wait_for(std::chrono::seconds(2)) == std::future_status::ready;
  auto took =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
  standin::StallAudioOutput(false); // frees a thread that never saw the request
  stopping.wait();
  ASSERT_TRUE(done) << "the audio thread did not see the stop request";
  EXPECT_LT(took.count(), 500);
  EXPECT_FALSE(snd.IsThreadRunning());
  EXPECT_EQ(snd.IsOpen(), suspend);
}

INSTANTIATE_TEST_SUITE_P(SuspendOrClose, StopWhileWaiting, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "suspend" : "close");
                         });

TEST(MixerOutput, AChannelThatCannotOpenLeavesTheMixerClosed) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  ScopedAudioOutput output(standin::Audio::Wav, dir.path() + "/no/such/dir/out.wav");
  Sound snd;
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(snd.open(48000, 16, false, 1, 8));
  std::string out = testing::internal::GetCapturedStdout();
  std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(out, "");
  // One line: that there is no sound, and the file that could not be created, with why.
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find("no sound"), std::string::npos) << said;
  EXPECT_NE(said.find("no/such/dir/out.wav': No such file or directory"), std::string::npos) << said;
  EXPECT_FALSE(snd.IsOpen());
  EXPECT_FALSE(snd.IsThreadRunning());
  EXPECT_EQ(snd.maxChannelSFX(), 0u);
}

} // namespace
