// The application object's sound at start-up and in the background: the real sound system when
// the host has an output, the silent one without, none at all when the device is missing, and
// the mixer's thread stopped while the application is in the background.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "audio_test_support.h"
#include "platform_main.h"
#include "platform_services.h"
#include "sound_mixer.h"
#include "sound_system.h"
#include "temp_dir.h"
#include "test_application.h"

using namespace audio_test;

// The main loop's handlers are linked in; this test never runs the loop itself.
CGameBase* CreateGameObject() { return new CTestApplication(); }

namespace {

struct StartApp {
  ScopedTempDir dir;
  CTestApplication app;
  StartApp() { app.m_bUsePacks = 0; }
};

TEST(SoundAtStartUp, WithAnOutputTheRealSoundSystemStartsWithTheSavedSettings) {
  ScopedTempDir wavDir;
  ASSERT_TRUE(wavDir.ok());
  ScopedAudioOutput output(standin::Audio::Wav, wavDir.path() + "/out.wav");
  StartApp s;
  ASSERT_TRUE(s.app.Init(480, 320));
  auto* sound = dynamic_cast<CiPhoneSoundSystem*>(s.app.GetSoundSystem());
  ASSERT_NE(sound, nullptr);
  ASSERT_NE(sound->m_pMixer, nullptr);
  EXPECT_TRUE(sound->m_pMixer->IsThreadRunning());
  EXPECT_EQ(sound->GetSamplingRate(), 48000);
  // Fresh settings: sound and music on at 50.
  EXPECT_TRUE(sound->m_bSoundOn);
  EXPECT_TRUE(sound->m_bMusicOn);
  EXPECT_EQ(sound->m_nVolume, 32);
  EXPECT_EQ(sound->m_nMusicVolume, 95);
  EXPECT_EQ(sound->m_pMixer->volumeSFX(), 32u);
  s.app.SetVolume(100);
  EXPECT_EQ(sound->m_pMixer->volumeSFX(), 64u);
}

TEST(SoundAtStartUp, WithoutAnOutputTheSilentOneKeepsTheSettings) {
  ScopedAudioOutput output(standin::Audio::None);
  StartApp s;
  ASSERT_TRUE(s.app.Init(480, 320));
  auto* sound = dynamic_cast<CSilentSoundSystem*>(s.app.GetSoundSystem());
  ASSERT_NE(sound, nullptr);
  EXPECT_TRUE(sound->m_bSoundOn);
  EXPECT_EQ(sound->m_nVolume, 32);
  EXPECT_EQ(sound->LoadOGG("Sounds\\jump1.ogg"), -1);
}

TEST(SoundAtStartUp, AMissingAudioDeviceLeavesTheGameRunningSilent) {
  ScopedAudioOutput output(standin::Audio::Sdl);
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  StartApp s;
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  bool ok = s.app.Init(480, 320);
  std::string out = testing::internal::GetCapturedStdout();
  std::string err = testing::internal::GetCapturedStderr();
  unsetenv("SDL_AUDIODRIVER");
  EXPECT_TRUE(ok);
  EXPECT_EQ(s.app.m_nInitError, 0);
  EXPECT_EQ(s.app.GetSoundSystem(), nullptr);
  // One line on stderr says it, with SDL's reason; stdout is left to what the user asked for.
  EXPECT_EQ(out.find("sound"), std::string::npos) << out;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_NE(err.find("no sound"), std::string::npos) << err;
  EXPECT_NE(err.find("SDL"), std::string::npos) << err;
}

// What reaches the output shows the thread: nothing while the application is in the background,
// more again once it is back. A second background event leaves the mixer alone: the test restarts
// it behind the sound system's back, so a second suspension would show.
TEST(SoundInTheBackground, StopsTheAudioThreadUntilTheForeground) {
  ScopedTempDir wavDir;
  ASSERT_TRUE(wavDir.ok());
  const std::string wav = wavDir.path() + "/out.wav";
  ScopedAudioOutput output(standin::Audio::Wav, wav);
  StartApp s;
  ASSERT_TRUE(s.app.Init(480, 320));
  auto* sound = dynamic_cast<CiPhoneSoundSystem*>(s.app.GetSoundSystem());
  ASSERT_NE(sound, nullptr);
  auto written = [&] {
    std::error_code ec;
    uintmax_t size = std::filesystem::file_size(wav, ec);
    return ec ? 0 : size;
  };
  ASSERT_TRUE(WaitFor([&] { return written() > 44; })) << "the audio thread never wrote";
  g_pGame = &s.app;
  onEnterBackground();
  EXPECT_TRUE(sound->m_bPaused);
  const uintmax_t before = written();
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_EQ(written(), before) << "the audio thread went on writing in the background";

  sound->m_pMixer->resume();
  onEnterBackground();
  EXPECT_TRUE(sound->m_pMixer->IsThreadRunning()) << "a second background event suspended the mixer again";
  sound->m_pMixer->suspend();

  onEnterForeground();
  EXPECT_FALSE(sound->m_bPaused);
  const uintmax_t back = written();
  EXPECT_TRUE(WaitFor([&] { return written() > back; })) << "the audio thread did not come back";
  g_pGame = nullptr;
}

} // namespace
