// The sound system: the interface the application object and the game use (effects and music
// by handle, switches, volumes, pause), the real one on the software mixer, and a silent one.
#pragma once

#include "quellar_types.h"

class CAppCore;
class CMemoryFile;
class CStreamingProvider;
class Sound;
class SoundFX;

class ISoundSystem {
public:
  virtual ~ISoundSystem() {}
  // Opens the mixer and starts the audio thread; false leaves the game silent.
  virtual bool Initialize() = 0;
  virtual void Shutdown() = 0;
  // Effects: a slot, or -1.
  virtual int LoadWAV(const char* path) = 0;
  // The mixer channel, or -1.
  virtual int PlaySFX(int slot, bool loop) = 0;
  // channel < 0 stops every channel the slot plays on.
  virtual int StopSFX(int slot, int channel) = 0;
  virtual void UnloadWAV(int slot) = 0;
  virtual int LoadOGG(const char* path) = 0;
  virtual int GetLength(int slot) = 0;
  virtual int StopAll() = 0;
  // Volumes take 0..100.
  virtual void SetVolume(int) {}
  virtual int GetVolume() { return 100; }
  virtual void SetMusicVolume(int) {}
  virtual int GetMusicVolume() { return 100; }
  virtual void SoundON(bool) {}
  virtual void MusicON(bool) {}
  virtual void SetPaused(bool) {}
  // Module songs are not played by this engine.
  virtual int LoadS3M(const char*) { return 0; }
  virtual int PlayS3M(int, bool) { return 0; }
  virtual int StopS3M(int) { return 0; }
  virtual void UnloadS3M(int) {}
  // Music streams: a handle, or -1.
  virtual int LoadStream(const char*) { return 0; }
  virtual int PlayStream(int, bool, bool) { return 0; }
  virtual int StopStream(int) { return 0; }
  virtual void UnloadStream(int) {}
  virtual int StopStreamWithFadeOut(int, FIXED_FLOAT) { return 0; }
  virtual int PlayStreamWithFadeIn(int, bool, bool, FIXED_FLOAT) { return 0; }
  virtual int GetSamplingRate() { return 22050; }
  virtual void UpdateAudioTrackBuffer(void*, int) {}
};

// Keeps the switches and volumes and plays nothing: the sound system without an audio output.
class CSilentSoundSystem : public ISoundSystem {
public:
  bool Initialize() override { return true; }
  void Shutdown() override {}
  int LoadWAV(const char*) override { return -1; }
  int PlaySFX(int, bool) override { return -1; }
  int StopSFX(int, int) override { return 0; }
  void UnloadWAV(int) override {}
  int LoadOGG(const char*) override { return -1; }
  int GetLength(int) override { return 0; }
  int StopAll() override { return 0; }
  void SoundON(bool on) override { m_bSoundOn = on; }
  void MusicON(bool on) override { m_bMusicOn = on; }
  void SetVolume(int volume) override { m_nVolume = volume * 64 / 100; }
  void SetMusicVolume(int volume) override { m_nMusicVolume = volume * 191 / 100; }
  void SetPaused(bool paused) override { m_bPaused = paused; }
  int LoadStream(const char*) override { return -1; }
  int PlayStream(int, bool, bool) override { return -1; }
  int StopStream(int) override { return -1; }
  int StopStreamWithFadeOut(int, FIXED_FLOAT) override { return -1; }
  int PlayStreamWithFadeIn(int, bool, bool, FIXED_FLOAT) override { return -1; }

  bool m_bSoundOn = false;
  bool m_bMusicOn = false;
  bool m_bPaused = false;
  int m_nVolume = 100;
  int m_nMusicVolume = 100;
};

enum {
  SOUND_EFFECT_SLOTS = 100,
  SOUND_STREAM_SLOTS = 256,
};

// The sound system on the software mixer: 100 effect slots (OGG decoded whole at load, or WAV
// as it is) and 256 music streams, at 48000 Hz.
class CiPhoneSoundSystem : public ISoundSystem {
public:
  explicit CiPhoneSoundSystem(CAppCore* game);
  CiPhoneSoundSystem(const CiPhoneSoundSystem&) = delete;
  CiPhoneSoundSystem& operator=(const CiPhoneSoundSystem&) = delete;
  ~CiPhoneSoundSystem() override;

  bool Initialize() override;
  void Shutdown() override;
  int LoadWAV(const char* path) override;
  int PlaySFX(int slot, bool loop) override;
  int StopSFX(int slot, int channel) override;
  void UnloadWAV(int slot) override;
  int LoadOGG(const char* path) override;
  int GetLength(int) override { return 0; }
  int StopAll() override;
  void SetVolume(int volume) override;
  int GetVolume() override;
  void SetMusicVolume(int volume) override;
  int GetMusicVolume() override;
  void SoundON(bool on) override { m_bSoundOn = on; }
  void MusicON(bool on) override;
  void SetPaused(bool paused) override;
  int LoadS3M(const char*) override { return 0; }
  int PlayS3M(int, bool) override { return -1; }
  int StopS3M(int) override { return 0; }
  void UnloadS3M(int) override {}
  int LoadStream(const char* path) override;
  int PlayStream(int handle, bool useEffectVolume, bool loop) override;
  int StopStream(int handle) override;
  void UnloadStream(int handle) override;
  int StopStreamWithFadeOut(int handle, FIXED_FLOAT seconds) override;
  int PlayStreamWithFadeIn(int handle, bool useEffectVolume, bool loop, FIXED_FLOAT seconds) override;
  int GetSamplingRate() override { return m_pMixer ? m_nOutputRate : 22050; }
  void UpdateAudioTrackBuffer(void*, int) override {}

  // --- data ---
  Sound* m_pMixer = nullptr;
  SoundFX* m_pEffects[SOUND_EFFECT_SLOTS] = {};
  int m_nChannelOwner[SOUND_EFFECT_SLOTS];
  CMemoryFile* m_pEffectFiles[SOUND_EFFECT_SLOTS] = {};
  CAppCore* m_pGame = nullptr;
  bool m_bSoundOn = false;
  bool m_bMusicOn = false;
  int m_nMusicVolume = 100;
  int m_nVolume = 100;
  bool m_bPaused = false;
  int m_nOutputRate = 0;
  CStreamingProvider* m_pStreams[SOUND_STREAM_SLOTS] = {};

private:
  int FreeEffectSlot();
  // Puts an effect made from the image into the slot; the slot's memory file takes the image.
  bool InstallEffect(int slot, const char* path, unsigned char* image, unsigned size);
  void ReleaseEffect(int slot);
  int StartStream(int handle, bool useEffectVolume, bool loop, FIXED_FLOAT fade);
};
