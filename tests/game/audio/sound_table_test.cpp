// The game's sound table: loading the effects by the table, the play rules (mute switches, the
// 0.15 s guard, the delayed and repeating effects) and the soundtrack switches, against a sound
// system that logs what it is asked.
#include <string>
#include <vector>

#include "game_globals.h"
#include "game_test_support.h"
#include "progress_files.h"
#include "sound_log.h"
#include "sound_table.h"

namespace {

class SoundTableTest : public ::testing::Test {
protected:
  void SetUp() override {
    int count = 0;
    const sounds::Effect* effects = sounds::Effects(&count);
    for (int i = 0; i < count; ++i)
      if (std::string(effects[i].name) != "land2") game.Add(SoundFile(effects[i].name), TextBytes("ogg"));
    const char* const* music = sounds::MusicFiles(&count);
    for (int i = 0; i < count; ++i)
      if (std::string(music[i]) != "music_bonusworld_04") game.Add(SoundFile(music[i]), TextBytes("ogg"));
    ASSERT_TRUE(game.OpenPack());
    g_muteSound = g_muteMusic = g_disableAllSounds = 0;
    soundMustPlay = soundMustPlayRepeatedly = 0;
    soundDelay = soundDelayRepeatedly = 0;
    currentTrack = -1;
    curGameplayTrack = 0;
    curSoundTrackTime = 10000.0f;
    g_prev_music_stream = -1;
  }
  void TearDown() override {
    g_muteSound = g_muteMusic = g_disableAllSounds = 0;
    soundMustPlay = soundMustPlayRepeatedly = 0;
    currentTrack = -1;
    g_prev_music_stream = -1;
  }
  static std::string SoundFile(const std::string& name) { return "sounds\\" + name + ".ogg"; }

  PackGame game;
  SoundLog log{game};
  SoundLogSystem& system = log.system;
};

using Played = std::vector<std::pair<int, int>>;

TEST_F(SoundTableTest, EveryEffectLoadsInTableOrderAndAMissingFileStaysUnloaded) {
  InitSoundEngine();
  LoadAllSounds();
  int count = 0;
  const sounds::Effect* effects = sounds::Effects(&count);
  ASSERT_EQ(system.loadedEffects.size(), (size_t)count - 1);
  std::vector<bool> used(sounds::kSoundIds, false);
  int handle = 0;
  for (int i = 0; i < count; ++i) {
    const sounds::Effect& e = effects[i];
    used[e.id] = true;
    if (std::string(e.name) == "land2") {
      EXPECT_EQ(allSounds2[e.id][e.variant], -1);
      continue;
    }
    EXPECT_EQ(system.loadedEffects[handle], SoundFile(e.name));
    EXPECT_EQ(allSounds2[e.id][e.variant], handle) << e.name;
    ++handle;
  }
  for (int id = 0; id < sounds::kSoundIds; ++id) {
    if (used[id]) continue;
    for (int v = 0; v < sounds::kSoundVariants; ++v)
      EXPECT_EQ(allSounds2[id][v], -1) << id;
  }
  // A variant the table does not name stays unloaded beside loaded ones of its id.
  EXPECT_NE(allSounds2[20][0], -1);
  EXPECT_EQ(allSounds2[20][1], -1);
}

TEST_F(SoundTableTest, DisabledSoundsLoadNothingAndKeepTheHandles) {
  g_disableAllSounds = 1;
  InitSoundEngine();
  LoadAllSounds();
  EXPECT_TRUE(system.loadedEffects.empty());
  EXPECT_EQ(allSounds2[23][0], 230);
  EnginePlaySound(23, 0);
  SwitchSoundtrack(0, true, false);
  EXPECT_TRUE(system.playedEffects.empty());
  EXPECT_TRUE(system.music.empty());
}

TEST_F(SoundTableTest, TheSameEffectStartsOnceWithinTheGuard) {
  EnginePlaySound(23, 0);
  EnginePlaySound(23, 0);
  EnginePlaySound(2, 3);
  EXPECT_EQ(log.Played(), (Played{{23, 0}, {2, 3}}));
  ProcessSounds(0.1f);
  EnginePlaySound(23, 0);
  EXPECT_EQ(log.Played().size(), 2u);
  ProcessSounds(0.06f);
  EnginePlaySound(23, 0);
  EXPECT_EQ(log.Played(), (Played{{23, 0}, {2, 3}, {23, 0}}));
  // Ids and variants outside the table are ignored.
  for (auto bad : Played{{-1, 0}, {60, 0}, {0, -1}, {0, 10}})
    EnginePlaySound(bad.first, bad.second);
  EXPECT_EQ(log.Played().size(), 3u);
}

TEST_F(SoundTableTest, TheGuardRestartsEvenWhenNothingCanPlay) {
  allSounds2[23][0] = -1;
  EnginePlaySound(23, 0);
  allSounds2[23][0] = 230;
  EnginePlaySound(23, 0);
  game.m_pSoundSystem = nullptr;
  EnginePlaySound(5, 1);
  game.m_pSoundSystem = &system;
  EnginePlaySound(5, 1);
  EXPECT_TRUE(log.Played().empty());
  ProcessSounds(0.2f);
  EnginePlaySound(23, 0);
  EnginePlaySound(5, 1);
  EXPECT_EQ(log.Played(), (Played{{23, 0}, {5, 1}}));
}

TEST_F(SoundTableTest, MutedSoundFreezesTheDelayedEffectAndTheTimers) {
  PlaySoundDelayed(0.5f, 23, 0);
  ProcessSounds(0.3f);
  EXPECT_TRUE(log.Played().empty());
  EnginePlaySound(2, 0); // its guard starts now
  g_muteSound = 1;
  PlaySoundDelayed(0.0f, 12, 0); // armed nothing
  EnginePlaySound(13, 0);
  for (int i = 0; i < 10; ++i)
    ProcessSounds(0.1f);
  EXPECT_EQ(log.Played(), (Played{{2, 0}}));
  EXPECT_NEAR(curSoundTrackTime, 10000.0f + 1.3f, 0.01f); // the music's clock runs on
  g_muteSound = 0;
  EnginePlaySound(2, 0); // still within its guard: the timers did not age while muted
  ProcessSounds(0.1f);
  EXPECT_EQ(log.Played().size(), 1u);
  ProcessSounds(0.11f);
  EXPECT_EQ(log.Played(), (Played{{2, 0}, {23, 0}}));
  ProcessSounds(1.0f);
  EXPECT_EQ(log.Played().size(), 2u);
}

TEST_F(SoundTableTest, DelayZeroPlaysOnTheNextFrameAndANewRequestReplacesThePending) {
  PlaySoundDelayed(0.0f, 12, 0);
  ProcessSounds(0.016f);
  PlaySoundDelayed(0.2f, 13, 0);
  PlaySoundDelayed(0.05f, 14, 0);
  ProcessSounds(0.016f);
  ProcessSounds(0.05f);
  ProcessSounds(0.5f);
  EXPECT_EQ(log.Played(), (Played{{12, 0}, {14, 0}}));
}

TEST_F(SoundTableTest, ARepeatingEffectPlaysEveryPeriod) {
  PlaySoundRepeatedly(0.45f, 17, 0);
  for (int i = 0; i < 16; ++i)
    ProcessSounds(0.1f);
  EXPECT_EQ(log.Played(), (Played{{17, 0}, {17, 0}, {17, 0}}));
}

TEST_F(SoundTableTest, TheThemeStartsOnceAndRestartsOnlyWhenForced) {
  SwitchSoundtrack(0, false, false);
  SwitchSoundtrack(0, false, false);
  EXPECT_EQ(system.music, (std::vector<std::string>{"load sounds\\sprocklet_theme.ogg = 0", "play 0"}));
  EXPECT_EQ(GetCurrentTrackID(), 0);
  EXPECT_EQ(GetCurrentTrackPlayingTime(), 0.0f);
  ProcessSounds(1.0f);
  SwitchSoundtrack(0, true, false);
  EXPECT_EQ(system.music,
            (std::vector<std::string>{"load sounds\\sprocklet_theme.ogg = 0", "play 0", "stop 0", "unload 0",
                                      "load sounds\\sprocklet_theme.ogg = 1", "play 1"}));
  EXPECT_EQ(g_prev_music_stream, 1);
  EXPECT_EQ(GetCurrentTrackPlayingTime(), 0.0f);
}

TEST_F(SoundTableTest, ForcedGameplayTracksTakeTurns) {
  curGameplayTrack = 4;
  std::vector<std::string> files;
  for (int i = 0; i < 4; ++i) {
    SwitchSoundtrack(1, true, false);
    files.push_back(system.streams[g_prev_music_stream]);
  }
  EXPECT_EQ(files,
            (std::vector<std::string>{"sounds\\music_gameplay_02.ogg", "sounds\\music_gameplay_3.ogg",
                                      "sounds\\music_gameplay_01.ogg", "sounds\\music_gameplay_02.ogg"}));
  EXPECT_EQ(curGameplayTrack, 8);
  EXPECT_EQ(GetCurrentTrackID(), 1);
}

struct TrackCase {
  int track;
  const char* file; // loaded, or null
  int currentAfter;
  float timeAfter;
};

class SoundtrackCases : public SoundTableTest, public ::testing::WithParamInterface<TrackCase> {};

// From the theme playing for 5 s, each track either loads its music or leaves silence.
TEST_P(SoundtrackCases, SwitchFromTheTheme) {
  const TrackCase& c = GetParam();
  SwitchSoundtrack(0, false, false);
  ProcessSounds(5.0f);
  system.music.clear();
  SwitchSoundtrack(c.track, false, false);
  std::vector<std::string> want = {"stop 0", "unload 0"};
  if (c.file) {
    want.push_back("load sounds\\" + std::string(c.file) + ".ogg = 1");
    want.push_back("play 1");
  }
  EXPECT_EQ(system.music, want);
  EXPECT_EQ(GetCurrentTrackID(), c.currentAfter);
  EXPECT_EQ(GetCurrentTrackPlayingTime(), c.timeAfter);
  EXPECT_EQ(g_prev_music_stream, c.file ? 1 : -1);
}

INSTANTIATE_TEST_SUITE_P(Tracks, SoundtrackCases,
                         ::testing::Values(TrackCase{2, "music_bonusworld_01", 2, 0.0f},
                                           TrackCase{6, "music_bonusworld_05", 6, 0.0f},
                                           // silence keeps the track number, the clock says "long ago"
                                           TrackCase{10, nullptr, 0, 10000.0f},
                                           // a number without music is silence under its own number
                                           TrackCase{7, nullptr, 7, 0.0f},
                                           // a missing file too, and is not retried unless forced
                                           TrackCase{5, nullptr, 5, 0.0f}));

TEST_F(SoundTableTest, AMissingTrackIsNotRetriedUnlessForced) {
  SwitchSoundtrack(5, false, false);
  SwitchSoundtrack(5, false, false);
  EXPECT_TRUE(system.music.empty());
  EXPECT_EQ(GetCurrentTrackID(), 5);
}

TEST_F(SoundTableTest, MutedMusicLoadsTheTrackAndPlaysItOnlyAfterALaterSwitch) {
  g_muteMusic = 1;
  SwitchSoundtrack(2, false, false);
  EXPECT_EQ(system.music, (std::vector<std::string>{"load sounds\\music_bonusworld_01.ogg = 0"}));
  EXPECT_EQ(g_prev_music_stream, 0);
  g_muteMusic = 0;
  SwitchSoundtrack(0, true, false);
  EXPECT_EQ(system.music,
            (std::vector<std::string>{"load sounds\\music_bonusworld_01.ogg = 0", "stop 0", "unload 0",
                                      "load sounds\\sprocklet_theme.ogg = 1", "play 1"}));
}

TEST_F(SoundTableTest, WithoutASoundSystemSwitchesChangeNothing) {
  game.m_pSoundSystem = nullptr;
  SwitchSoundtrack(0, true, false);
  EXPECT_EQ(GetCurrentTrackID(), -1);
  EXPECT_EQ(GetCurrentTrackPlayingTime(), 10000.0f);
  game.m_pSoundSystem = &system;
}

} // namespace
