// The game's sound files as data: the effects of the sound table by id and variant, and the music
// of each soundtrack. No engine types, so the sample-pack generator makes exactly these files.
#pragma once

namespace sounds {

enum {
  kSoundIds = 60,
  kSoundVariants = 10,
  kGameplayTracks = 3,
};

struct Effect {
  int id;
  int variant;
  const char* name; // the file is "<name>.ogg" in the sounds directory
};

// Every effect, in the order the game loads them.
const Effect* Effects(int* count);

// The music file name of a soundtrack (without ".ogg"), or null for a track without music. Track 1
// takes the gameplay track gameplayTurn modulo 3 (a negative turn counts from the end).
const char* TrackFile(int track, int gameplayTurn);

// Every music file the soundtracks play, each once.
const char* const* MusicFiles(int* count);

} // namespace sounds
