// The software mixer Sound: effect voices and music streams mixed on one audio thread into
// fragments for the platform's PCM playback channel.
#pragma once

#include <pthread.h>

#include <atomic>

#include "quellar_array.h"
#include "quellar_types.h"

class SoundFX;
class CStreamingProvider;
struct snd_pcm;
struct snd_mixer;

// One voice.
class Channel {
public:
  Channel() = default;
  virtual ~Channel() {}

  virtual void volume(unsigned v);
  virtual void pan(unsigned v);
  unsigned volume() const { return m_nVolume; }
  unsigned pan() const { return m_nPan; }

  void play() { m_bPaused = m_bStopped = false; }
  void stop() {
    m_bPaused = false;
    m_bStopped = true;
  }
  void pause() {
    if (!m_bStopped) m_bPaused = true;
  }
  void resume() {
    if (!m_bStopped) m_bPaused = false;
  }
  bool playing() const { return !m_bPaused && !m_bStopped; }
  void loop(bool b) { m_bLoop = b; }
  bool loop() const { return m_bLoop; }
  void frequency(unsigned f) {
    m_nFrequency = f;
    m_bFrequencyChanged = true;
  }
  unsigned frequency() const { return m_nFrequency; }
  // 128 plays at the base frequency; 0 halves it and 255 nearly doubles it.
  void speed(unsigned s);
  unsigned speed() const { return m_nSpeed; }

  unsigned* m_pMasterVolume = nullptr;
  u32 m_nVolume = 0;
  u32 m_nEffectiveVolume = 0;
  u32 m_nPan = 128;
  bool m_bLoop = false;
  bool m_bPaused = false;
  bool m_bStopped = true;
  u32 m_nBaseFrequency = 0;
  u32 m_nFrequency = 0;
  bool m_bFrequencyChanged = true;
  u32 m_nSpeed = 128;
};

// An effect voice: positions, steps and lengths carry 8 fraction bits.
class SFXChannel : public Channel {
public:
  const u8* m_pData = nullptr;
  u32 m_nStep = 0;
  u32 m_nPosition = 0;
  u32 m_nLength = 0;
  u32 m_nChannels = 1;
  bool m_b8Bit = false;
};

// A module voice: set up with its per-track levels but never mixed (no module playback).
class ModChannel : public Channel {
public:
  ModChannel();
  using Channel::pan;
  using Channel::volume;
  void volume(unsigned v) override;
  void pan(unsigned v) override;

  u32 m_nTrackVolume[8] = {};
  u32 m_nTrackEffectiveVolume[8] = {};
  u32 m_nPanLevel[4] = {};
  u32 m_nTrackWords[4][8] = {};
};

class Sound {
public:
  Sound();
  Sound(const Sound&) = delete;
  Sound& operator=(const Sound&) = delete;
  ~Sound();

  // rate 11025, 22050, 44100 or 48000 (anything else mixes at 22050). Opens the PCM channel
  // and starts the audio thread; false when already open or the PCM channel fails.
  bool open(unsigned rate, unsigned bits, bool stereo, unsigned modChannels, unsigned sfxChannels);
  bool close();
  // Stop and restart the audio thread (the application in the background and back).
  void suspend();
  void resume();

  // The channel number (module voices first), or -1 when closed or the effect has no data.
  int playSFX(SoundFX* fx);
  void stopSFX();
  void pauseSFX();
  void resumeSFX();
  void StopChannel(int i);
  Channel* channel(unsigned n);
  void volumeSFX(unsigned v);
  unsigned volumeSFX() const { return m_nSFXMasterVolume; }
  unsigned maxChannelSFX() const { return m_nSFXChannels; }
  unsigned playingChannelSFX();

  int playMusicStreamingModule(CStreamingProvider* provider, int volume, bool loop, FIXED_FLOAT fade);
  void stopMusicStreamingModule(CStreamingProvider* provider);
  void SetMusicVolume(int volume) { m_nMusicVolume = volume; }
  void MusicON(bool on) { m_bMusic = on; }

  // The mixer lock, for callers that change a voice or stream themselves.
  void Lock() { pthread_mutex_lock(&m_Lock); }
  void Unlock() { pthread_mutex_unlock(&m_Lock); }

  // Mixes one block and copies it into the output buffer as one stereo 16-bit fragment; the
  // audio thread's step, callable while the thread is suspended.
  void UpdateAudioBuffer();
  bool IsOpen() const { return m_bOpen; }
  bool IsThreadRunning() const { return m_bThreadRunning; }

  // --- data ---
  snd_pcm* m_pPcm = nullptr;
  snd_mixer* m_pMixer = nullptr;
  pthread_t m_Thread{};
  bool m_bThreadRunning = false;
  int m_nFragmentSize = 0;
  int m_nOutputSize = 0;
  s16* m_pOutput = nullptr;
  bool m_bOpen = false;
  u32 m_nMixRate = 0;
  u32 m_nBits = 16;
  u32 m_nModChannels = 0;
  ModChannel* m_pModChannels = nullptr;
  u32 m_nSFXChannels = 0;
  SFXChannel* m_pSFXChannels = nullptr;
  u8* m_pMixBuffer = nullptr;
  int m_nMixBufferSize = 0;
  bool m_bStereo = false;
  bool m_b16Bit = true;
  u32 m_nModMasterVolume = 64;
  u32 m_nSFXMasterVolume = 64;
  CQuellarArray<CStreamingProvider*> m_Streams{1};
  int m_nMusicVolume = 0;
  bool m_bMusic = false;

private:
  static void* update(void* self);
  bool OpenPcm();
  void ClosePcm();
  void StartThread();
  void StopThread();
  void MixBlock();
  void ReleaseVoices();

  pthread_mutex_t m_Lock;
  // Read by the audio thread outside the lock.
  std::atomic<bool> m_bStopRequested{false};
};

// Patterns used by a module song: 1 + the highest entry of its order table (1 for an empty song).
int snd_getNumPattern(const u8* header, u32 size);
