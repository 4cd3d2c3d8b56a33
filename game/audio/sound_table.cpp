// The game's sound table and soundtrack rules over the application's sound system.
#include "sound_table.h"

#include <cstdlib>

#include "game_base.h"
#include "game_globals.h"
#include "platform_services.h"
#include "progress_files.h"
#include "resources.h"
#include "sound_system.h"

using sounds::kSoundIds;
using sounds::kSoundVariants;

namespace {

const float kRestartGuard = 0.15f;
const float kLongAgo = 10000.0f;

// Every handle starts as "none", so nothing plays a stray slot before the table is loaded.
struct NoHandles {
  NoHandles() {
    for (auto& row : allSounds2)
      for (int& handle : row)
        handle = -1;
  }
};

ISoundSystem* SoundSystem() { return g_pGame ? g_pGame->GetSoundSystem() : nullptr; }

bool Valid(int id, int variant) {
  return id >= 0 && id < kSoundIds && variant >= 0 && variant < kSoundVariants;
}

bool SoundOff() { return g_disableAllSounds || g_muteSound; }

} // namespace

int allSounds2[kSoundIds][kSoundVariants];
static NoHandles s_noHandles;
float soundsTimeSincePlayed[kSoundIds][kSoundVariants];

u8 soundMustPlay = 0;
int soundMustPlayID = 0;
int soundMustPlayID_2 = 0;
float soundDelay = 0;
u8 soundMustPlayRepeatedly = 0;
int soundMustPlayRepeatedlyID = 0;
int soundMustPlayRepeatedlyID_2 = 0;
float soundDelayRepeatedly = 0;
float soundDelayRepeatedlyBase = 0;

int currentTrack = -1;
int curGameplayTrack = rand() % sounds::kGameplayTracks;
float curSoundTrackTime = kLongAgo;
int g_prev_music_stream = -1;

void InitSoundEngine() {
  if (g_disableAllSounds) return;
  for (auto& row : allSounds2)
    for (int& handle : row)
      handle = -1;
  g_prev_music_stream = -1;
}

void LoadAllSounds() {
  if (g_disableAllSounds) return;
  int count = 0;
  const sounds::Effect* effects = sounds::Effects(&count);
  for (int i = 0; i < count; ++i)
    LoadSoundAsSystem(effects[i].name, effects[i].id, effects[i].variant);
}

void LoadSoundAsSystem(const char* name, int id, int variant) {
  ISoundSystem* system = SoundSystem();
  if (!system || !name || !Valid(id, variant)) return;
  CommonString path = pathForResource(name, "ogg");
  int handle = system->LoadOGG(path.c_str());
  if (handle >= 0) allSounds2[id][variant] = handle;
}

void EnginePlaySound(int id, int variant) {
  if (SoundOff() || !Valid(id, variant)) return;
  if (soundsTimeSincePlayed[id][variant] < kRestartGuard) return;
  soundsTimeSincePlayed[id][variant] = 0;
  ISoundSystem* system = SoundSystem();
  if (!system || allSounds2[id][variant] < 0) return;
  system->PlaySFX(allSounds2[id][variant], false);
}

void PlaySoundDelayed(float delay, int id, int variant) {
  if (SoundOff()) return;
  soundMustPlay = 1;
  soundMustPlayID = id;
  soundMustPlayID_2 = variant;
  soundDelay = delay;
}

void PlaySoundRepeatedly(float period, int id, int variant) {
  if (SoundOff()) return;
  soundMustPlayRepeatedly = 1;
  soundMustPlayRepeatedlyID = id;
  soundMustPlayRepeatedlyID_2 = variant;
  soundDelayRepeatedly = soundDelayRepeatedlyBase = period;
}

void ProcessSounds(float dt) {
  curSoundTrackTime += dt;
  if (SoundOff()) return;
  soundDelay -= dt;
  if (soundDelay < 0 && soundMustPlay) {
    EnginePlaySound(soundMustPlayID, soundMustPlayID_2);
    soundMustPlay = 0;
  }
  soundDelayRepeatedly -= dt;
  if (soundDelayRepeatedly < 0 && soundMustPlayRepeatedly) {
    soundDelayRepeatedly = soundDelayRepeatedlyBase;
    EnginePlaySound(soundMustPlayRepeatedlyID, soundMustPlayRepeatedlyID_2);
  }
  for (auto& row : soundsTimeSincePlayed)
    for (float& t : row)
      t += dt;
}

void SwitchSoundtrack(int track, bool force, bool) {
  ISoundSystem* system = SoundSystem();
  if (!system || g_disableAllSounds) return;
  if (!force) {
    ResumeMusic();
    if (currentTrack == track) return;
  }
  if (track != 1) ResetCurrentTrackPlayingTime();
  const char* file = sounds::TrackFile(track, curGameplayTrack);
  if (track == 1) ++curGameplayTrack;
  CommonString path = file ? pathForResource(file, "ogg") : CommonString();
  if (g_prev_music_stream >= 0) {
    system->StopStream(g_prev_music_stream);
    system->UnloadStream(g_prev_music_stream);
    g_prev_music_stream = -1;
  }
  if (track == 10) return;
  if (!path.IsEmpty()) {
    int handle = system->LoadStream(path.c_str());
    if (handle >= 0) {
      if (!g_muteMusic) system->PlayStream(handle, false, true);
      g_prev_music_stream = handle;
    }
  }
  curSoundTrackTime = 0;
  currentTrack = track;
}

int GetCurrentTrackID() { return currentTrack; }
float GetCurrentTrackPlayingTime() { return curSoundTrackTime; }
void ResetCurrentTrackPlayingTime() { curSoundTrackTime = kLongAgo; }

void StopMusic() {}
void PauseMusic() {}
void ResumeMusic() {}
void UpdateSoundtrackVolume() {}
void LoadSound(char*, int, int) {}
