// What the game asked of the sound system during a test: a sound system that plays nothing and
// logs effect loads and plays and every music stream call, and a log that installs it on an
// application object with each (id, variant) of the sound table on a handle of its own.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sound_system.h"

class CGameBase;

class SoundLogSystem : public CSilentSoundSystem {
public:
  // Effects: the next handle for any path but an empty one.
  int LoadOGG(const char* path) override;
  int PlaySFX(int slot, bool loop) override;
  // Streams: the same path keeps its handle; an empty path gives -1. Each call adds a line to
  // music: "load PATH = H", "play H", "stop H", "unload H".
  int LoadStream(const char* path) override;
  int PlayStream(int handle, bool useEffectVolume, bool loop) override;
  int StopStream(int handle) override;
  void UnloadStream(int handle) override;

  std::vector<std::string> loadedEffects;
  std::vector<int> playedEffects;
  std::vector<std::string> music;
  std::vector<std::string> streams; // by handle; empty once unloaded
};

class SoundLog {
public:
  // Puts the log's sound system into the game (until the log ends), hands (id, variant) the
  // effect handle id x 10 + variant and lets every guard run out.
  explicit SoundLog(CGameBase& game);
  ~SoundLog();
  SoundLog(const SoundLog&) = delete;
  SoundLog& operator=(const SoundLog&) = delete;

  // The effects started, as (id, variant).
  std::vector<std::pair<int, int>> Played() const;
  // Lets the 0.15 s guard of every effect run out.
  void Age();

  SoundLogSystem system;

private:
  CGameBase& m_Game;
  ISoundSystem* m_Previous;
};
