// The sound system as the application object sees it: start, switches, volumes, pause.
#pragma once

class ISoundSystem {
public:
  virtual ~ISoundSystem() {}
  // Opens the mixer and starts the audio thread; false leaves the game silent.
  virtual bool Initialize() = 0;
  virtual void SoundON(bool on) = 0;
  virtual void MusicON(bool on) = 0;
  // Both take 0..100.
  virtual void SetVolume(int volume) = 0;
  virtual void SetMusicVolume(int volume) = 0;
  virtual void SetPaused(bool paused) = 0;
};

// Keeps the switches and volumes and plays nothing: the sound system of a build without audio.
class CSilentSoundSystem : public ISoundSystem {
public:
  bool Initialize() override { return true; }
  void SoundON(bool on) override { m_bSoundOn = on; }
  void MusicON(bool on) override { m_bMusicOn = on; }
  void SetVolume(int volume) override { m_nVolume = volume * 64 / 100; }
  void SetMusicVolume(int volume) override { m_nMusicVolume = volume * 191 / 100; }
  void SetPaused(bool paused) override { m_bPaused = paused; }

  bool m_bSoundOn = false;
  bool m_bMusicOn = false;
  bool m_bPaused = false;
  int m_nVolume = 100;
  int m_nMusicVolume = 100;
};
