// The logging sound system of the game's tests.
#include "sound_log.h"

#include "game_base.h"
#include "sound_table.h"

int SoundLogSystem::LoadOGG(const char* path) {
  if (!path || !*path) return -1;
  loadedEffects.push_back(path);
  return (int)loadedEffects.size() - 1;
}

int SoundLogSystem::PlaySFX(int slot, bool) {
  playedEffects.push_back(slot);
  return 0;
}

int SoundLogSystem::LoadStream(const char* path) {
  if (!path || !*path) return -1;
  for (size_t h = 0; h < streams.size(); ++h)
    if (streams[h] == path) return (int)h;
  streams.push_back(path);
  int handle = (int)streams.size() - 1;
  music.push_back("load " + std::string(path) + " = " + std::to_string(handle));
  return handle;
}

int SoundLogSystem::PlayStream(int handle, bool, bool) {
  music.push_back("play " + std::to_string(handle));
  return 0;
}

int SoundLogSystem::StopStream(int handle) {
  music.push_back("stop " + std::to_string(handle));
  return 0;
}

void SoundLogSystem::UnloadStream(int handle) {
  music.push_back("unload " + std::to_string(handle));
  if (handle >= 0 && handle < (int)streams.size()) streams[handle].clear();
}

SoundLog::SoundLog(CGameBase& game) : m_Game(game), m_Previous(game.m_pSoundSystem) {
  m_Game.m_pSoundSystem = &system;
  for (int id = 0; id < sounds::kSoundIds; ++id)
    for (int v = 0; v < sounds::kSoundVariants; ++v)
      allSounds2[id][v] = id * 10 + v;
  Age();
}

SoundLog::~SoundLog() {
  m_Game.m_pSoundSystem = m_Previous;
  for (auto& row : allSounds2)
    for (int& handle : row)
      handle = -1;
}

std::vector<std::pair<int, int>> SoundLog::Played() const {
  std::vector<std::pair<int, int>> played;
  for (int handle : system.playedEffects)
    played.push_back({handle / 10, handle % 10});
  return played;
}

void SoundLog::Age() {
  for (auto& row : soundsTimeSincePlayed)
    for (float& t : row)
      t = 1.0f;
}
