// The sound system on the mixer: effect slots from OGG and WAV files of the pack, channel owners,
// switches and volumes, music streams by handle, stored music looping into the WAV-file output,
// and damaged OGG files that neither hang nor crash the game.
#include <gtest/gtest.h>

#include <filesystem>
#include <future>

#include "audio_test_support.h"
#include "sound_fx.h"
#include "sound_mixer.h"
#include "streaming_provider.h"
#include "temp_dir.h"

using namespace audio_test;

namespace {

class SoundSystemTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(pack.ok);
    ASSERT_TRUE(sound.Initialize());
    sound.SoundON(true);
    sound.MusicON(true);
  }
  Sound& Mixer() { return *sound.m_pMixer; }

  ScopedAudioOutput output{standin::Audio::None};
  PackApp pack;
  CiPhoneSoundSystem sound{&pack.app};
};

TEST_F(SoundSystemTest, OggEffectsDecodeWholeAndOnlyMonoOrStereoLoad) {
  int slot = sound.LoadOGG("Sounds\\effect_mono.ogg");
  ASSERT_EQ(slot, 0);
  Decoded d = DecodeOgg(Fixture("effect_mono.ogg"));
  SoundFX* fx = sound.m_pEffects[slot];
  ASSERT_EQ(fx->m_nSamples, d.samples.size());
  EXPECT_EQ(fx->m_nRate, 22050u);
  EXPECT_FALSE(fx->m_b8Bit);
  EXPECT_TRUE(std::equal(d.samples.begin(), d.samples.end(), (const int16_t*)fx->m_pData));
  // The slot's memory file owns the image the samples point into.
  ASSERT_NE(sound.m_pEffectFiles[slot], nullptr);
  EXPECT_EQ(fx->m_pData, sound.m_pEffectFiles[slot]->GetBuffer() + 44);

  testing::internal::CaptureStderr();
  EXPECT_EQ(sound.LoadOGG("Sounds\\effect_3ch.ogg"), -1);
  std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("effect_3ch.ogg"), std::string::npos) << said;
  EXPECT_EQ(sound.LoadOGG("Sounds\\missing.ogg"), -1);
  EXPECT_EQ(sound.LoadWAV("Sounds\\effect.wav"), 1) << "the refused files left their slots free";
}

TEST_F(SoundSystemTest, EffectsLoadWhileSoundIsOffAndPlayOnceItIsOn) {
  sound.SoundON(false);
  int slot = sound.LoadWAV("Sounds\\effect.wav");
  ASSERT_GE(slot, 0);
  EXPECT_EQ(sound.PlaySFX(slot, false), -1);
  sound.SoundON(true);
  EXPECT_GE(sound.PlaySFX(slot, false), 1);
  EXPECT_EQ(sound.PlaySFX(slot + 1, false), -1);
  EXPECT_EQ(sound.PlaySFX(-1, false), -1);
  EXPECT_EQ(sound.PlaySFX(100, false), -1);
}

TEST_F(SoundSystemTest, PlayingLoopedLeavesTheEffectsOwnLoopFlag) {
  int slot = sound.LoadOGG("Sounds\\effect_mono.ogg");
  ASSERT_GE(slot, 0);
  int channel = sound.PlaySFX(slot, true);
  ASSERT_GE(channel, 1);
  Mixer().Lock();
  EXPECT_TRUE(Mixer().channel((unsigned)channel)->loop());
  Mixer().Unlock();
  EXPECT_FALSE(sound.m_pEffects[slot]->loop());
  int again = sound.PlaySFX(slot, false);
  ASSERT_GE(again, 1);
  Mixer().Lock();
  EXPECT_FALSE(Mixer().channel((unsigned)again)->loop());
  Mixer().Unlock();
}

TEST_F(SoundSystemTest, StopSfxLeavesAChannelAnotherEffectHasTaken) {
  int a = sound.LoadOGG("Sounds\\effect_mono.ogg");
  int b = sound.LoadWAV("Sounds\\effect.wav");
  ASSERT_GE(a, 0);
  ASSERT_GE(b, 0);
  int channel = sound.PlaySFX(a, true);
  ASSERT_EQ(channel, 1);
  Mixer().StopChannel(0); // a's voice ends; b takes it
  ASSERT_EQ(sound.PlaySFX(b, true), channel);
  EXPECT_EQ(sound.m_nChannelOwner[channel], b);
  sound.StopSFX(a, channel);
  EXPECT_EQ(Mixer().playingChannelSFX(), 1u) << "b's voice was stopped on a's behalf";
  int second = sound.PlaySFX(a, true);
  ASSERT_EQ(second, 2);
  sound.StopSFX(a, -1);
  EXPECT_EQ(Mixer().playingChannelSFX(), 1u);
  EXPECT_EQ(sound.m_nChannelOwner[second], -1);
  sound.StopSFX(b, channel);
  EXPECT_EQ(Mixer().playingChannelSFX(), 0u);
  EXPECT_EQ(sound.m_nChannelOwner[channel], -1);

  // Unloading frees the slot for the next load.
  sound.UnloadWAV(a);
  EXPECT_EQ(sound.m_pEffects[a], nullptr);
  EXPECT_EQ(sound.LoadWAV("Sounds\\effect.wav"), a);
}

TEST_F(SoundSystemTest, AHundredEffectsFillTheSlots) {
  for (int i = 0; i < SOUND_EFFECT_SLOTS; i++)
    ASSERT_EQ(sound.LoadWAV("Sounds\\effect.wav"), i);
  EXPECT_EQ(sound.LoadWAV("Sounds\\effect.wav"), -1);
  EXPECT_EQ(sound.LoadOGG("Sounds\\effect_mono.ogg"), -1);
}

struct VolumeCase {
  const char* name;
  bool music;
  int set;
  int stored, reported;
};

class Volumes : public SoundSystemTest, public ::testing::WithParamInterface<VolumeCase> {};

TEST_P(Volumes, MapToTheMixersScale) {
  const VolumeCase& c = GetParam();
  int handle = sound.LoadStream("Sounds\\music_48k_mono.ogg");
  ASSERT_GE(handle, 0);
  if (c.music) {
    sound.SetMusicVolume(c.set);
    EXPECT_EQ(sound.m_nMusicVolume, c.stored);
    EXPECT_EQ(sound.GetMusicVolume(), c.reported);
    EXPECT_EQ(((CStreamingProviderBase*)sound.m_pStreams[handle])->m_nVolume, (unsigned)c.stored);
  } else {
    sound.SetVolume(c.set);
    EXPECT_EQ(sound.m_nVolume, c.stored);
    EXPECT_EQ(sound.GetVolume(), c.reported);
    EXPECT_EQ(Mixer().volumeSFX(), (unsigned)c.stored);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Volumes,
                         ::testing::Values(VolumeCase{"effects100", false, 100, 64, 100},
                                           VolumeCase{"effects50", false, 50, 32, 50},
                                           VolumeCase{"effectsAbove100", false, 150, 64, 100},
                                           VolumeCase{"music100", true, 100, 191, 100},
                                           VolumeCase{"music50", true, 50, 95, 49},
                                           VolumeCase{"musicBelow0", true, -10, 0, 0}),
                         [](const ::testing::TestParamInfo<VolumeCase>& info) {
                           return std::string(info.param.name);
                         });

// The system's own paused state decides whether a call reaches the mixer: the test moves the
// mixer behind the system's back before each second call, so a second suspension or resumption
// would show. A paused system still sets voices up: they sound once the thread runs again.
TEST_F(SoundSystemTest, PausedTwiceSuspendsOnceAndStillAcceptsPlays) {
  int slot = sound.LoadOGG("Sounds\\effect_mono.ogg");
  ASSERT_GE(slot, 0);
  sound.SetPaused(true);
  EXPECT_TRUE(sound.m_bPaused);
  EXPECT_FALSE(Mixer().IsThreadRunning());
  Mixer().resume();
  sound.SetPaused(true);
  EXPECT_TRUE(Mixer().IsThreadRunning()) << "the second pause suspended the mixer again";
  Mixer().suspend();

  int channel = sound.PlaySFX(slot, true);
  ASSERT_GE(channel, 1);
  auto position = [&] {
    Mixer().Lock();
    u32 at = static_cast<SFXChannel*>(Mixer().channel((unsigned)channel))->m_nPosition;
    Mixer().Unlock();
    return at;
  };
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(position(), 0u) << "a voice moved while the thread was stopped";

  sound.SetPaused(false);
  EXPECT_FALSE(sound.m_bPaused);
  EXPECT_TRUE(WaitFor([&] { return position() != 0; }))
      << "one resume after two pauses: the voice never played";
  Mixer().suspend();
  sound.SetPaused(false);
  EXPECT_FALSE(Mixer().IsThreadRunning()) << "the second resume started another thread";
}

// The mixer keeps one thread: a resume while it runs starts none, a second suspend has nothing
// left to stop, and the next resume mixes again.
TEST_F(SoundSystemTest, TheMixerRunsOneThreadHoweverOftenItIsResumed) {
  int slot = sound.LoadWAV("Sounds\\effect.wav");
  ASSERT_GE(slot, 0);
  ASSERT_TRUE(Mixer().IsThreadRunning());
  pthread_t thread = Mixer().m_Thread;
  Mixer().resume();
  EXPECT_TRUE(pthread_equal(thread, Mixer().m_Thread))
      << "a resume of a running mixer started another thread";
  Mixer().suspend();
  Mixer().suspend();
  EXPECT_FALSE(Mixer().IsThreadRunning());
  EXPECT_FALSE(ThreadMixes(sound, slot, 100));
  Mixer().resume();
  EXPECT_TRUE(ThreadMixes(sound, slot));
}

TEST(SoundSystemWithoutMixer, StoresNothingAndPlaysNothing) {
  PackApp pack;
  CiPhoneSoundSystem sound(&pack.app);
  sound.SoundON(true);
  sound.MusicON(true);
  sound.SetVolume(10);
  sound.SetMusicVolume(10);
  EXPECT_EQ(sound.GetVolume(), 100);
  EXPECT_EQ(sound.GetMusicVolume(), 100);
  EXPECT_EQ(sound.GetSamplingRate(), 22050);
  EXPECT_EQ(sound.LoadStream("Sounds\\music_48k_mono.ogg"), -1);
  int slot = sound.LoadWAV("Sounds\\effect.wav");
  EXPECT_EQ(slot, 0);
  EXPECT_EQ(sound.PlaySFX(slot, false), -1);
  sound.SetPaused(true);
  EXPECT_FALSE(sound.m_bPaused);
  EXPECT_EQ(sound.PlayS3M(0, false), -1);
}

TEST_F(SoundSystemTest, StreamsLoadOncePerPathByTheirExtension) {
  int h = sound.LoadStream("Sounds\\music_48k_mono.ogg");
  ASSERT_EQ(h, 0);
  EXPECT_EQ(sound.LoadStream("Sounds\\music_48k_mono.ogg"), h);
  EXPECT_NE(dynamic_cast<CStreamingProviderOGG*>(sound.m_pStreams[h]), nullptr);
  int w = sound.LoadStream("Sounds\\music_wav.wav");
  ASSERT_EQ(w, 1);
  EXPECT_NE(dynamic_cast<CStreamingProviderWAV*>(sound.m_pStreams[w]), nullptr);
  // The file exists, but only ".ogg", ".OGG", ".wav" and ".WAV" choose a provider.
  EXPECT_EQ(sound.LoadStream("Sounds\\Mixed.Ogg"), -1);
  EXPECT_EQ(sound.LoadStream("ogg"), -1);
  EXPECT_EQ(sound.LoadStream(""), -1);
  EXPECT_EQ(sound.LoadStream("Sounds\\missing.ogg"), -1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(sound.LoadStream("Sounds\\music_4bit.wav"), -1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("music_4bit.wav"), std::string::npos);
  EXPECT_EQ(sound.m_pStreams[2], nullptr);
}

TEST_F(SoundSystemTest, StreamsPlayUnderTheirSwitchAndStop) {
  int h = sound.LoadStream("Sounds\\music_48k_mono.ogg");
  ASSERT_GE(h, 0);
  CStreamingProvider* p = sound.m_pStreams[h];
  sound.SetMusicVolume(100);
  sound.MusicON(false);
  EXPECT_EQ(sound.PlayStream(h, false, true), -1);
  EXPECT_EQ(sound.PlayStream(h, true, true), 0) << "at the effect volume, under the sound switch";
  sound.MusicON(true);
  EXPECT_EQ(sound.PlayStream(h, false, true), 0);
  Mixer().Lock();
  EXPECT_TRUE(p->m_bPlaying);
  EXPECT_EQ(Mixer().m_Streams.GetSize(), 1) << "a stream played twice is listed once";
  EXPECT_EQ(((CStreamingProviderBase*)p)->m_nVolume, 191u);
  Mixer().Unlock();
  sound.MusicON(false);
  Mixer().Lock();
  EXPECT_FALSE(p->m_bPlaying) << "music switched off stops the streams";
  Mixer().Unlock();
  sound.MusicON(true);
  EXPECT_EQ(sound.PlayStreamWithFadeIn(h, false, true, FIXED_FLOAT_ONE), 0);
  Mixer().Lock();
  EXPECT_TRUE(((CStreamingProviderBase*)p)->m_bFadeIn);
  Mixer().Unlock();
  EXPECT_EQ(sound.StopStreamWithFadeOut(h, FIXED_FLOAT_ONE), 0);
  EXPECT_EQ(sound.StopStream(h), 0);
  EXPECT_EQ(Mixer().m_Streams.GetSize(), 0);
  for (int bad : {-1, 256, 5}) {
    EXPECT_EQ(sound.PlayStream(bad, false, true), -1);
    EXPECT_EQ(sound.StopStream(bad), -1);
    EXPECT_EQ(sound.StopStreamWithFadeOut(bad, 0), -1);
  }
  sound.UnloadStream(h);
  EXPECT_EQ(sound.m_pStreams[h], nullptr);
  EXPECT_EQ(sound.LoadStream("Sounds\\music_wav.wav"), h);
}

// Played again with a fade-in while it fades out, a stream's fade-in starts from the level the
// fade-out has reached instead of dropping to silence.
TEST_F(SoundSystemTest, AFadeInDuringAFadeOutGoesOnFromItsLevel) {
  int h = sound.LoadStream("Sounds\\music_48k_mono.ogg");
  ASSERT_GE(h, 0);
  auto* p = (CStreamingProviderBase*)sound.m_pStreams[h];
  sound.SetPaused(true); // the test mixes the blocks
  ASSERT_EQ(sound.PlayStream(h, false, true), 0);
  ASSERT_EQ(sound.StopStreamWithFadeOut(h, FIXED_FLOAT_ONE), 0);
  const int frames = Mixer().m_nFragmentSize / 4;
  for (int i = 0; i < 24; i++)
    Mixer().UpdateAudioBuffer();
  const int left = 48000 - 24 * frames;
  ASSERT_EQ(p->m_nFadeOutCounter, left);
  ASSERT_EQ(sound.PlayStreamWithFadeIn(h, false, true, FIXED_FLOAT_ONE), 0);
  EXPECT_TRUE(p->m_bPlaying);
  EXPECT_FALSE(p->m_bFadeOut);
  EXPECT_TRUE(p->m_bFadeIn);
  EXPECT_EQ(p->m_nFadeInLength, 48000);
  EXPECT_NEAR(p->m_nFadeInCounter, 48000 - left, 1);

  // A plain play after a stopped fade-out is at full level.
  ASSERT_EQ(sound.StopStreamWithFadeOut(h, FIXED_FLOAT_ONE), 0);
  ASSERT_EQ(sound.StopStream(h), 0);
  ASSERT_EQ(sound.PlayStream(h, false, true), 0);
  EXPECT_FALSE(p->m_bFadeOut);
}

// Stored music played by the real audio thread into the WAV-file output: after the file's last
// sample comes its first again, with nothing between.
TEST(StoredMusic, LoopsWithoutAGapIntoTheWavFile) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  std::string path = dir.path() + "/music.wav";
  ScopedAudioOutput output(standin::Audio::Wav, path);
  PackApp pack;
  ASSERT_TRUE(pack.ok);
  Decoded music = DecodeOgg(Fixture("music_48k_mono.ogg"));
  ASSERT_EQ(music.rate, 48000);
  const size_t n = music.samples.size();
  {
    CiPhoneSoundSystem sound(&pack.app);
    ASSERT_TRUE(sound.Initialize());
    sound.MusicON(true);
    sound.SetMusicVolume(100); // 191/128 of the decoded level
    int h = sound.LoadStream("Sounds\\music_48k_mono.ogg");
    ASSERT_GE(h, 0);
    ASSERT_EQ(sound.PlayStream(h, false, true), 0);
    // Three rounds of the music plus the fragments before it, at the real-time rate (longer on a
    // busy machine).
    const uintmax_t bytes = 44 + 4 * (3 * n + 8192);
    ASSERT_TRUE(WaitFor(
        [&] {
          std::error_code ec;
          uintmax_t size = std::filesystem::file_size(path, ec);
          return !ec && size > bytes;
        },
        30000, 10));
  }
  WavFile wav = ReadWav(path);
  ASSERT_TRUE(wav.ok);
  ASSERT_EQ(wav.rate, 48000u);
  std::vector<int16_t> out;
  for (size_t i = 0; i < wav.samples.size(); i += 2)
    out.push_back(wav.samples[i]);
  auto expected = [&](size_t i) {
    int v = (191 * music.samples[i % n]) >> 7;
    return (int16_t)(v < -32768 ? -32768 : (v > 32767 ? 32767 : v));
  };
  // Where the music begins, after the silence of the first fragments.
  std::vector<int16_t> head;
  for (size_t i = 0; i < 64; i++)
    head.push_back(expected(i));
  auto found = std::search(out.begin(), out.end(), head.begin(), head.end());
  ASSERT_NE(found, out.end()) << "the music's start is not in the output";
  size_t start = (size_t)(found - out.begin());
  ASSERT_LE(start + 3 * n, out.size());
  for (size_t i = 0; i < 3 * n; i++)
    ASSERT_EQ(out[start + i], expected(i)) << "output sample " << i << " of the music (" << n << " long)";
}

// Damaged entries: each either fails to load or plays without holding the mixer up, and the
// thread keeps mixing.
class DamagedOgg : public ::testing::TestWithParam<const char*> {};

TEST_P(DamagedOgg, NeverHangsOrCrashesTheGame) {
  ScopedAudioOutput output(standin::Audio::None);
  PackApp pack;
  ASSERT_TRUE(pack.ok);
  CiPhoneSoundSystem sound(&pack.app);
  ASSERT_TRUE(sound.Initialize());
  sound.SoundON(true);
  sound.MusicON(true);
  std::string path = std::string("Sounds\\") + GetParam();
  testing::internal::CaptureStderr();
  int slot = sound.LoadOGG(path.c_str());
  if (slot >= 0) {
    SoundFX* fx = sound.m_pEffects[slot];
    EXPECT_GT(fx->m_nSamples, 0u);
    EXPECT_LE(fx->m_nSamples, 2u * 48000u) << "more samples than the undamaged file";
    EXPECT_GE(sound.PlaySFX(slot, true), 0);
  }
  int h = sound.LoadStream(path.c_str());
  if (h >= 0) {
    EXPECT_EQ(sound.PlayStream(h, false, true), 0);
  }
  testing::internal::GetCapturedStderr();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  // The audio thread never keeps the lock: the game thread gets it at once.
  auto locked = std::async(std::launch::async, [&] {
    sound.m_pMixer->Lock();
    sound.m_pMixer->Unlock();
  });
  EXPECT_EQ(locked.wait_for(std::chrono::seconds(1)), std::future_status::ready);
  int good = sound.LoadWAV("Sounds\\effect.wav");
  ASSERT_GE(good, 0);
  EXPECT_TRUE(ThreadMixes(sound, good)) << "the audio thread stopped mixing";
  if (h >= 0) {
    EXPECT_EQ(sound.StopStream(h), 0);
  }
  sound.UnloadStream(h);
  sound.UnloadWAV(slot);
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedOgg,
                         ::testing::Values("truncated.ogg", "damaged_pages.ogg", "garbage.ogg"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string name = info.param;
                           return name.substr(0, name.find('.'));
                         });

} // namespace
