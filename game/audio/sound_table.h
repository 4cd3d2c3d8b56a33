// The game's sound table and soundtrack: effects by id and variant loaded once from the pack and
// played with the game's rules (mute switches, a 0.15 s guard against restarting the same effect,
// one delayed and one repeating effect), and the music track chosen by a track number, of which
// one stream is loaded at a time.
#pragma once

#include "quellar_types.h"
#include "sound_names.h"

// The sound system's effect handle of each (id, variant); -1: none.
extern int allSounds2[sounds::kSoundIds][sounds::kSoundVariants];
// Seconds since each (id, variant) last started.
extern float soundsTimeSincePlayed[sounds::kSoundIds][sounds::kSoundVariants];

// The one delayed effect; a new request replaces a pending one.
extern u8 soundMustPlay;
extern int soundMustPlayID;
extern int soundMustPlayID_2;
extern float soundDelay;
// The one repeating effect: once set, it plays every period for the rest of the run.
extern u8 soundMustPlayRepeatedly;
extern int soundMustPlayRepeatedlyID;
extern int soundMustPlayRepeatedlyID_2;
extern float soundDelayRepeatedly;
extern float soundDelayRepeatedlyBase;

// The track number the last switch set (-1 before the first).
extern int currentTrack;
// Turns of the three gameplay tracks: track 1 plays turn % 3, then the turn moves on. It starts
// where the random numbers (unseeded at that point) put it.
extern int curGameplayTrack;
// Seconds the current music has played; 10000 means "long ago", so the next level start changes it.
extern float curSoundTrackTime;
// The stream handle of the loaded music, or -1.
extern int g_prev_music_stream;

// Forgets every effect handle and the loaded music (not when all sounds are disabled).
void InitSoundEngine();
// Loads every effect of the table (not when all sounds are disabled).
void LoadAllSounds();
// Loads "<name>.ogg" from the sounds directory into (id, variant); a failed load leaves it -1.
void LoadSoundAsSystem(const char* name, int id, int variant);

// Starts an effect once, unless sound is off or the same one started less than 0.15 s ago.
void EnginePlaySound(int id, int variant);
void PlaySoundDelayed(float delay, int id, int variant);
void PlaySoundRepeatedly(float period, int id, int variant);
// Once a frame: ages the music and, unless sound is off, the delayed, repeating and guard timers.
void ProcessSounds(float dt);

// Changes the music: track 0 the theme, 1 the next gameplay track, 2-6 the bonus worlds, 10 (and any
// other number) silence. Unless forced, asking for the current track does nothing. The third
// argument is not used.
void SwitchSoundtrack(int track, bool force, bool unused);
int GetCurrentTrackID();
float GetCurrentTrackPlayingTime();
void ResetCurrentTrackPlayingTime();

// Kept for other builds: they do nothing.
void StopMusic();
void PauseMusic();
void ResumeMusic();
void UpdateSoundtrackVolume();
void LoadSound(char* name, int id, int variant);
