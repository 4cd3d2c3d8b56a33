// The PCM stand-in on its own: what it reports, the channel's states, its bounded waits, the pace
// of the outputs, the WAV file after every fragment, and SDL audio with and without a device.
#include <gtest/gtest.h>

#include <sys/asoundlib.h>

#include <cerrno>
#include <cstdlib>

#include "audio_test_support.h"
#include "temp_dir.h"

using namespace audio_test;

namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point t) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}

snd_pcm_channel_params_t Params(int frag = 4096, int rate = 48000, int voices = 2) {
  snd_pcm_channel_params_t p;
  memset(&p, 0, sizeof p);
  p.channel = SND_PCM_CHANNEL_PLAYBACK;
  p.mode = SND_PCM_MODE_BLOCK;
  p.format.interleave = 1;
  p.format.format = SND_PCM_SFMT_S16_LE;
  p.format.rate = rate;
  p.format.voices = voices;
  p.start_mode = SND_PCM_START_FULL;
  p.stop_mode = SND_PCM_STOP_STOP;
  p.buf.block.frag_size = frag;
  p.buf.block.frags_min = 1;
  p.buf.block.frags_max = 1;
  return p;
}

snd_pcm_channel_status_t Status(snd_pcm_t* pcm) {
  snd_pcm_channel_status_t s;
  memset(&s, 0, sizeof s);
  s.channel = SND_PCM_CHANNEL_PLAYBACK;
  EXPECT_EQ(snd_pcm_channel_status(pcm, &s), 0);
  return s;
}

// An opened, configured and prepared channel.
struct PcmChannel {
  snd_pcm_t* pcm = nullptr;
  explicit PcmChannel(snd_pcm_channel_params_t params = Params()) {
    EXPECT_EQ(snd_pcm_open_name(&pcm, "pcmPreferred", SND_PCM_OPEN_PLAYBACK), 0);
    if (!pcm) return;
    EXPECT_EQ(snd_pcm_channel_params(pcm, &params), 0);
    EXPECT_EQ(snd_pcm_channel_prepare(pcm, SND_PCM_CHANNEL_PLAYBACK), 0);
  }
  ~PcmChannel() {
    if (pcm) snd_pcm_close(pcm);
  }
  // Writes one fragment once there is room, preparing the channel again when it ran dry (a busy
  // machine may keep this thread away longer than the queue lasts).
  void WriteFragment(int16_t value = 0, int size = 4096) {
    std::vector<int16_t> data((size_t)size / 2, value);
    WaitForRoom(size);
    ASSERT_EQ(snd_pcm_write(pcm, data.data(), (size_t)size), size);
  }
  // Answers how many status calls it took.
  int WaitForRoom(int size) {
    int polls = 0;
    for (snd_pcm_channel_status_t s = Status(pcm); s.free < size; s = Status(pcm), polls++)
      if (s.status == SND_PCM_STATUS_UNDERRUN) snd_pcm_channel_prepare(pcm, SND_PCM_CHANNEL_PLAYBACK);
    return polls;
  }
};

TEST(PcmStandin, ReportsAFragmentAndRatesTheMixerCanUse) {
  ScopedAudioOutput output(standin::Audio::None);
  snd_pcm_t* pcm = nullptr;
  EXPECT_EQ(snd_pcm_open_name(&pcm, "pcmOther", SND_PCM_OPEN_PLAYBACK), -ENOENT);
  ASSERT_EQ(snd_pcm_open_name(&pcm, "pcmPreferred", SND_PCM_OPEN_PLAYBACK), 0);
  snd_pcm_info_t info;
  ASSERT_EQ(snd_pcm_info(pcm, &info), 0);
  EXPECT_EQ(info.card, 0);
  snd_pcm_channel_info_t ci;
  memset(&ci, 0, sizeof ci);
  ci.channel = SND_PCM_CHANNEL_PLAYBACK;
  ASSERT_EQ(snd_pcm_channel_info(pcm, &ci), 0);
  EXPECT_GT(ci.min_fragment_size, 0);
  EXPECT_LE(ci.min_fragment_size, 8000);
  EXPECT_LE(ci.min_rate, 48000);
  EXPECT_GE(ci.max_rate, 48000);
  EXPECT_TRUE(ci.formats & SND_PCM_FMT_S16_LE);

  // Set-up before parameters is refused; afterwards it names the mixer group.
  snd_pcm_channel_setup_t setup;
  memset(&setup, 0, sizeof setup);
  setup.channel = SND_PCM_CHANNEL_PLAYBACK;
  EXPECT_EQ(snd_pcm_channel_setup(pcm, &setup), -EBADFD);
  snd_pcm_channel_params_t params = Params(ci.min_fragment_size);
  ASSERT_EQ(snd_pcm_channel_params(pcm, &params), 0);
  snd_mixer_gid_t group;
  memset(&group, 0, sizeof group);
  setup.mixer_gid = &group;
  ASSERT_EQ(snd_pcm_channel_setup(pcm, &setup), 0);
  EXPECT_NE(group.name[0], 0);
  EXPECT_EQ(setup.mixer_gid, &group);
  EXPECT_EQ(setup.format.rate, 48000);
  EXPECT_EQ(setup.buf.block.frag_size, ci.min_fragment_size);
  snd_mixer_t* mixer = nullptr;
  ASSERT_EQ(snd_mixer_open(&mixer, info.card, setup.mixer_device), 0);
  EXPECT_EQ(snd_mixer_close(mixer), 0);
  EXPECT_EQ(snd_pcm_close(pcm), 0);
  EXPECT_STRNE(snd_strerror(-ENODEV), "");
}

struct BadParams {
  const char* name;
  std::function<void(snd_pcm_channel_params_t&)> spoil;
};

class PcmParamsRefused : public ::testing::TestWithParam<BadParams> {};

TEST_P(PcmParamsRefused, AsInvalid) {
  ScopedAudioOutput output(standin::Audio::None);
  snd_pcm_t* pcm = nullptr;
  ASSERT_EQ(snd_pcm_open_name(&pcm, "pcmPreferred", SND_PCM_OPEN_PLAYBACK), 0);
  snd_pcm_channel_params_t p = Params();
  GetParam().spoil(p);
  EXPECT_EQ(snd_pcm_channel_params(pcm, &p), -EINVAL);
  EXPECT_EQ(snd_pcm_channel_prepare(pcm, SND_PCM_CHANNEL_PLAYBACK), -EBADFD);
  snd_pcm_close(pcm);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PcmParamsRefused,
    ::testing::Values(
        BadParams{"capture", [](snd_pcm_channel_params_t& p) { p.channel = SND_PCM_CHANNEL_CAPTURE; }},
        BadParams{"streamMode", [](snd_pcm_channel_params_t& p) { p.mode = SND_PCM_MODE_STREAM; }},
        BadParams{"eightBit", [](snd_pcm_channel_params_t& p) { p.format.format = SND_PCM_SFMT_U8; }},
        BadParams{"rateTooHigh", [](snd_pcm_channel_params_t& p) { p.format.rate = 96000; }},
        BadParams{"threeVoices", [](snd_pcm_channel_params_t& p) { p.format.voices = 3; }},
        BadParams{"fragmentTooBig", [](snd_pcm_channel_params_t& p) { p.buf.block.frag_size = 8192; }},
        BadParams{"fragmentNotFrames", [](snd_pcm_channel_params_t& p) { p.buf.block.frag_size = 4098; }}),
    [](const ::testing::TestParamInfo<BadParams>& info) { return std::string(info.param.name); });

TEST(PcmStandin, ChannelRunsOnceFullRunsDryAndDrainsToReady) {
  ScopedAudioOutput output(standin::Audio::None);
  PcmChannel c;
  ASSERT_NE(c.pcm, nullptr);
  EXPECT_EQ(Status(c.pcm).status, SND_PCM_STATUS_PREPARED);
  // Started once full: until then nothing plays.
  c.WriteFragment();
  EXPECT_EQ(Status(c.pcm).status, SND_PCM_STATUS_PREPARED);
  while (Status(c.pcm).status == SND_PCM_STATUS_PREPARED)
    c.WriteFragment();
  int started = Status(c.pcm).status;
  EXPECT_TRUE(started == SND_PCM_STATUS_RUNNING || started == SND_PCM_STATUS_UNDERRUN) << started;
  // Nobody writes: the queue runs dry within its own length (a few fragments).
  EXPECT_TRUE(WaitFor([&] { return Status(c.pcm).status == SND_PCM_STATUS_UNDERRUN; }));
  EXPECT_EQ(snd_pcm_write(c.pcm, std::vector<int16_t>(2048).data(), 4096), -EBADFD);
  ASSERT_EQ(snd_pcm_channel_prepare(c.pcm, SND_PCM_CHANNEL_PLAYBACK), 0);
  c.WriteFragment();
  Clock::time_point t = Clock::now();
  EXPECT_EQ(snd_pcm_playback_drain(c.pcm), 0);
  EXPECT_LT(MsSince(t), 500);
  snd_pcm_channel_status_t s = Status(c.pcm);
  EXPECT_EQ(s.status, SND_PCM_STATUS_READY);
  EXPECT_EQ(s.count, 0);
}

TEST(PcmStandin, NoneOutputTakesDataAtTheRealTimeRate) {
  ScopedAudioOutput output(standin::Audio::None);
  PcmChannel c;
  ASSERT_NE(c.pcm, nullptr);
  // 30 fragments of 1024 frames at 48 kHz are 640 ms of sound; a few fit in the queue at once.
  Clock::time_point t = Clock::now();
  int polls = 0;
  for (int i = 0; i < 30; i++) {
    polls += c.WaitForRoom(4096);
    ASSERT_EQ(snd_pcm_write(c.pcm, std::vector<int16_t>(2048).data(), 4096), 4096);
  }
  long long took = MsSince(t);
  EXPECT_GE(took, 640 - 4 * 22) << "the output took data faster than it plays";
  EXPECT_LT(took, 10000);
  // Status waits for room instead of answering at once: no busy loop for its caller.
  EXPECT_LT(polls, 30 * 25);
}

TEST(PcmStandin, StatusAndWriteWaitABoundedTimeWhenTheOutputIsStuck) {
  ScopedAudioOutput output(standin::Audio::None);
  PcmChannel c;
  ASSERT_NE(c.pcm, nullptr);
  while (Status(c.pcm).status != SND_PCM_STATUS_RUNNING)
    c.WriteFragment();
  standin::StallAudioOutput(true);
  Clock::time_point t = Clock::now();
  snd_pcm_channel_status_t s = Status(c.pcm);
  long long statusTook = MsSince(t);
  EXPECT_EQ(s.free, 0);
  EXPECT_GE(statusTook, 5);
  EXPECT_LT(statusTook, 200);
  t = Clock::now();
  EXPECT_EQ(snd_pcm_write(c.pcm, std::vector<int16_t>(2048).data(), 4096), -EAGAIN);
  long long writeTook = MsSince(t);
  EXPECT_GE(writeTook, 5);
  EXPECT_LT(writeTook, 200);
  // A stuck output is not waited for when draining.
  t = Clock::now();
  EXPECT_EQ(snd_pcm_playback_drain(c.pcm), -EIO);
  EXPECT_LT(MsSince(t), 100);
}

TEST(PcmStandin, WavFileIsCompleteAfterEveryFragment) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  std::string path = dir.path() + "/pcm.wav";
  ScopedAudioOutput output(standin::Audio::Wav, path);
  PcmChannel c(Params(4096, 44100, 1));
  ASSERT_NE(c.pcm, nullptr);
  WavFile empty = ReadWav(path);
  ASSERT_TRUE(empty.ok);
  EXPECT_EQ(empty.rate, 44100u);
  EXPECT_EQ(empty.channels, 1);
  EXPECT_TRUE(empty.samples.empty());
  for (int16_t v : {7, -9}) {
    c.WriteFragment(v);
    WavFile w = ReadWav(path);
    ASSERT_TRUE(w.ok);
    ASSERT_EQ(w.samples.size(), (v == 7 ? 1u : 2u) * 2048u);
    EXPECT_EQ(w.samples.back(), v);
  }
  EXPECT_EQ(ReadWav(path).samples.front(), 7);
}

TEST(PcmStandin, SdlOutputPlaysThroughAnSdlDriver) {
  ScopedAudioOutput output(standin::Audio::Sdl);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  {
    PcmChannel c;
    ASSERT_NE(c.pcm, nullptr) << "SDL's dummy audio driver is missing";
    while (Status(c.pcm).status != SND_PCM_STATUS_RUNNING)
      c.WriteFragment(100);
    // The dummy device plays the queue out at its own pace.
    c.WriteFragment(100);
    EXPECT_EQ(snd_pcm_playback_drain(c.pcm), 0);
    EXPECT_EQ(Status(c.pcm).status, SND_PCM_STATUS_READY);
  }
  unsetenv("SDL_AUDIODRIVER");
}

TEST(PcmStandin, SdlWithoutAnAudioDeviceRefusesToOpen) {
  ScopedAudioOutput output(standin::Audio::Sdl);
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  snd_pcm_t* pcm = nullptr;
  testing::internal::CaptureStderr();
  int rc = snd_pcm_open_name(&pcm, "pcmPreferred", SND_PCM_OPEN_PLAYBACK);
  std::string said = testing::internal::GetCapturedStderr();
  unsetenv("SDL_AUDIODRIVER");
  EXPECT_EQ(rc, -ENODEV);
  EXPECT_EQ(pcm, nullptr);
  // The caller says it, once: the reason comes with the code.
  EXPECT_EQ(said, "");
  EXPECT_NE(std::string(snd_strerror(rc)).find("SDL has no audio: "), std::string::npos) << snd_strerror(rc);
}

} // namespace
