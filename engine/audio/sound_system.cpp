// CiPhoneSoundSystem: effect slots and music stream handles over the software mixer.
#include "sound_system.h"

#include <tremor/ivorbisfile.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "byte_order.h"
#include "common_string.h"
#include "files.h"
#include "ogg_file_callbacks.h"
#include "pcm_limits.h"
#include "quellar_array.h"
#include "sound_fx.h"
#include "sound_mixer.h"
#include "streaming_provider.h"

namespace {

constexpr int kOutputRate = 48000;

int ClampPercent(int v) { return v < 0 ? 0 : (v > 100 ? 100 : v); }

void Refused(const char* path, const char* what, const char* why) {
  fprintf(stderr, "sound: '%s' is not a usable %s: %s\n", path, what, why);
}

// The whole OGG file decoded into a 16-bit PCM image whose first 12 bytes are left blank
// (they are never read); null with *why set when the file cannot become an effect.
unsigned char* DecodeOggEffect(IFile* file, unsigned* imageSize, const char** why) {
  OggVorbis_File vf;
  memset(&vf, 0, sizeof vf);
  if (ov_open_callbacks(file, &vf, nullptr, 0, EngineFileCallbacks()) != 0) {
    *why = "not an Ogg Vorbis stream";
    ov_clear(&vf);
    return nullptr;
  }
  ogg_int64_t frames = ov_pcm_total(&vf, -1);
  vorbis_info* info = nullptr;
  if (frames <= 0 || !RewindOggFile(&vf, file) || !(info = ov_info(&vf, -1)))
    *why = "no samples";
  else if (info->channels < 1 || info->channels > 2)
    *why = "only mono and stereo play";
  else if (frames > kMaxEffectFrames)
    *why = "effect too long";
  if (*why) {
    ov_clear(&vf);
    return nullptr;
  }
  const int channels = info->channels;
  const long rate = info->rate;
  const uint32_t dataBytes = (uint32_t)(frames * 2 * channels);
  unsigned char* image = (unsigned char*)calloc(1, 44 + (size_t)dataBytes);
  if (!image) {
    *why = "out of memory";
    ov_clear(&vf);
    return nullptr;
  }
  char chunk[4096];
  uint32_t read = 0;
  int failures = 0, bitstream = 0;
  while (read < dataBytes) {
    long got = ov_read(&vf, chunk, sizeof chunk, &bitstream);
    if (got == 0) break;
    if (got < 0) {
      if (++failures > kMaxDecoderFailures) break;
      continue; // a hole in the data
    }
    failures = 0;
    uint32_t take = (uint32_t)got < dataBytes - read ? (uint32_t)got : dataBytes - read;
    memcpy(image + 44 + read, chunk, take);
    read += take;
  }
  ov_clear(&vf);
  if (read != dataBytes) {
    *why = "the stream ends before its stated length";
    free(image);
    return nullptr;
  }
  memcpy(image + 12, "fmt ", 4);
  WriteLe(image + 16, 16, 4);
  WriteLe(image + 20, 1, 2);
  WriteLe(image + 22, (uint32_t)channels, 2);
  WriteLe(image + 24, (uint32_t)rate, 4);
  WriteLe(image + 28, 0, 4);
  WriteLe(image + 32, 0, 2);
  WriteLe(image + 34, 16, 2);
  memcpy(image + 36, "data", 4);
  WriteLe(image + 40, dataBytes, 4);
  *imageSize = 44 + dataBytes;
  return image;
}

} // namespace

CiPhoneSoundSystem::CiPhoneSoundSystem(CAppCore* game) : m_pGame(game) {
  for (int& owner : m_nChannelOwner)
    owner = -1;
}

CiPhoneSoundSystem::~CiPhoneSoundSystem() { Shutdown(); }

bool CiPhoneSoundSystem::Initialize() {
  Shutdown();
  m_pMixer = new (std::nothrow) Sound();
  if (!m_pMixer) return false;
  m_nOutputRate = kOutputRate;
  if (!m_pMixer->open(kOutputRate, 16, false, 1, 8)) {
    SafeDelete(m_pMixer);
    return false;
  }
  return true;
}

void CiPhoneSoundSystem::Shutdown() {
  if (m_pMixer) m_pMixer->close();
  SafeDelete(m_pMixer);
  for (int i = 0; i < SOUND_EFFECT_SLOTS; i++)
    ReleaseEffect(i);
  for (int& owner : m_nChannelOwner)
    owner = -1;
  for (CStreamingProvider*& stream : m_pStreams)
    SafeDelete(stream);
  ReleaseStreamReadBuffer();
  m_bPaused = false;
}

// ---------------------------------------------------------------------------------------------
// Effects

int CiPhoneSoundSystem::FreeEffectSlot() {
  for (int i = 0; i < SOUND_EFFECT_SLOTS; i++)
    if (!m_pEffects[i]) return i;
  return -1;
}

void CiPhoneSoundSystem::ReleaseEffect(int slot) {
  SafeDelete(m_pEffects[slot]);
  if (m_pEffectFiles[slot]) m_pEffectFiles[slot]->Close();
  SafeDelete(m_pEffectFiles[slot]);
}

bool CiPhoneSoundSystem::InstallEffect(int slot, const char* path, unsigned char* image, unsigned size) {
  SoundFX* fx = new (std::nothrow) SoundFX();
  CMemoryFile* file = new (std::nothrow) CMemoryFile();
  if (!fx || !file || !fx->load(image, size)) {
    if (fx && fx->error()) Refused(path, "sound effect", fx->error());
    delete fx;
    delete file;
    free(image);
    return false;
  }
  // The slot's memory file owns the image the samples point into.
  file->Attach(image, (int)size);
  m_pEffects[slot] = fx;
  m_pEffectFiles[slot] = file;
  return true;
}

int CiPhoneSoundSystem::LoadOGG(const char* path) {
  int slot = FreeEffectSlot();
  if (slot < 0 || !path) return -1;
  CMemoryFile file;
  if (!file.Open(m_pGame, path, FILE_MODE_READ) || !file.GetBuffer() || file.GetSize() == 0) return -1;
  const char* why = nullptr;
  unsigned size = 0;
  unsigned char* image = DecodeOggEffect(&file, &size, &why);
  file.Close();
  if (!image) {
    Refused(path, "OGG effect", why);
    return -1;
  }
  return InstallEffect(slot, path, image, size) ? slot : -1;
}

int CiPhoneSoundSystem::LoadWAV(const char* path) {
  int slot = FreeEffectSlot();
  if (slot < 0 || !path) return -1;
  CMemoryFile file;
  if (!file.Open(m_pGame, path, FILE_MODE_READ) || !file.GetBuffer() || file.GetSize() <= 0) return -1;
  unsigned size = (unsigned)file.GetSize();
  unsigned char* copy = (unsigned char*)malloc(size);
  if (!copy) return -1;
  memcpy(copy, file.GetBuffer(), size);
  file.Close();
  return InstallEffect(slot, path, copy, size) ? slot : -1;
}

int CiPhoneSoundSystem::PlaySFX(int slot, bool loop) {
  if (!m_bSoundOn || slot < 0 || slot >= SOUND_EFFECT_SLOTS || !m_pEffects[slot] || !m_pMixer) return -1;
  SoundFX* fx = m_pEffects[slot];
  // The loop asked for applies to this play only.
  bool own = fx->loop();
  fx->loop(loop);
  int channel = m_pMixer->playSFX(fx);
  fx->loop(own);
  if (channel >= 0 && channel < SOUND_EFFECT_SLOTS) m_nChannelOwner[channel] = slot;
  return channel;
}

int CiPhoneSoundSystem::StopSFX(int slot, int channel) {
  if (!m_pMixer || slot < 0 || slot >= SOUND_EFFECT_SLOTS) return -1;
  m_pMixer->Lock();
  for (int c = channel < 0 ? 0 : channel; c < SOUND_EFFECT_SLOTS; c++) {
    // A channel another effect has taken since is left alone.
    if (m_nChannelOwner[c] == slot) {
      if (Channel* voice = m_pMixer->channel((unsigned)c)) voice->stop();
      m_nChannelOwner[c] = -1;
    }
    if (channel >= 0) break;
  }
  m_pMixer->Unlock();
  return 0;
}

void CiPhoneSoundSystem::UnloadWAV(int slot) {
  if (slot < 0 || slot >= SOUND_EFFECT_SLOTS || !m_pMixer) return;
  StopSFX(slot, -1);
  ReleaseEffect(slot);
}

int CiPhoneSoundSystem::StopAll() {
  if (m_pMixer) m_pMixer->stopSFX();
  StopS3M(0);
  return 0;
}

// ---------------------------------------------------------------------------------------------
// Switches and volumes

void CiPhoneSoundSystem::SetVolume(int volume) {
  if (!m_pMixer) return;
  m_nVolume = ClampPercent(volume) * 64 / 100;
  m_pMixer->volumeSFX((unsigned)m_nVolume);
}

int CiPhoneSoundSystem::GetVolume() { return m_pMixer ? m_nVolume * 100 / 64 : 100; }

void CiPhoneSoundSystem::SetMusicVolume(int volume) {
  if (!m_pMixer) return;
  m_nMusicVolume = ClampPercent(volume) * 191 / 100;
  m_pMixer->SetMusicVolume(m_nMusicVolume);
  m_pMixer->Lock();
  for (CStreamingProvider* stream : m_pStreams)
    if (stream) stream->SetVolume((unsigned char)m_nMusicVolume);
  m_pMixer->Unlock();
}

int CiPhoneSoundSystem::GetMusicVolume() { return m_pMixer ? m_nMusicVolume * 100 / 191 : 100; }

void CiPhoneSoundSystem::MusicON(bool on) {
  m_bMusicOn = on;
  if (!m_pMixer) return;
  m_pMixer->MusicON(on);
  if (on) return;
  m_pMixer->Lock();
  for (CStreamingProvider* stream : m_pStreams)
    if (stream) stream->Stop();
  m_pMixer->Unlock();
}

void CiPhoneSoundSystem::SetPaused(bool paused) {
  if (!m_pMixer || paused == m_bPaused) return;
  if (paused)
    m_pMixer->suspend();
  else
    m_pMixer->resume();
  m_bPaused = paused;
}

// ---------------------------------------------------------------------------------------------
// Music streams

int CiPhoneSoundSystem::LoadStream(const char* path) {
  if (!m_pMixer || !path || !*path) return -1;
  for (int h = 0; h < SOUND_STREAM_SLOTS; h++)
    if (m_pStreams[h] && m_pStreams[h]->GetFileName() == CommonString(path)) return h;
  int handle = -1;
  for (int h = 0; h < SOUND_STREAM_SLOTS && handle < 0; h++)
    if (!m_pStreams[h]) handle = h;
  size_t length = strlen(path);
  if (handle < 0 || length < 4) return -1;
  const char* extension = path + length - 4;
  CStreamingProviderBase* stream = nullptr;
  if (!strcmp(extension, ".ogg") || !strcmp(extension, ".OGG"))
    stream = new (std::nothrow) CStreamingProviderOGG(m_pGame, this);
  else if (!strcmp(extension, ".wav") || !strcmp(extension, ".WAV"))
    stream = new (std::nothrow) CStreamingProviderWAV(m_pGame, this);
  if (!stream) return -1;
  if (!stream->LoadStream(path)) {
    if (stream->m_bFileOpened) Refused(path, "music stream", "its data cannot be played");
    delete stream;
    return -1;
  }
  m_pStreams[handle] = stream;
  return handle;
}

int CiPhoneSoundSystem::StartStream(int handle, bool useEffectVolume, bool loop, FIXED_FLOAT fade) {
  if (handle < 0 || handle >= SOUND_STREAM_SLOTS || !m_pStreams[handle] || !m_pMixer) return -1;
  if (useEffectVolume ? !m_bSoundOn : !m_bMusicOn) return -1;
  int volume = useEffectVolume ? m_nVolume : m_nMusicVolume;
  m_pMixer->playMusicStreamingModule(m_pStreams[handle], volume, loop, fade);
  return 0;
}

int CiPhoneSoundSystem::PlayStream(int handle, bool useEffectVolume, bool loop) {
  return StartStream(handle, useEffectVolume, loop, 0);
}

int CiPhoneSoundSystem::PlayStreamWithFadeIn(int handle, bool useEffectVolume, bool loop,
                                             FIXED_FLOAT seconds) {
  return StartStream(handle, useEffectVolume, loop, seconds);
}

int CiPhoneSoundSystem::StopStream(int handle) {
  if (handle < 0 || handle >= SOUND_STREAM_SLOTS || !m_pStreams[handle] || !m_pMixer) return -1;
  m_pMixer->stopMusicStreamingModule(m_pStreams[handle]);
  return 0;
}

void CiPhoneSoundSystem::UnloadStream(int handle) {
  if (handle < 0 || handle >= SOUND_STREAM_SLOTS || !m_pStreams[handle]) return;
  if (m_pMixer) m_pMixer->stopMusicStreamingModule(m_pStreams[handle]);
  m_pStreams[handle]->Unload();
  SafeDelete(m_pStreams[handle]);
}

int CiPhoneSoundSystem::StopStreamWithFadeOut(int handle, FIXED_FLOAT seconds) {
  if (handle < 0 || handle >= SOUND_STREAM_SLOTS || !m_pStreams[handle] || !m_pMixer) return -1;
  m_pMixer->Lock();
  m_pStreams[handle]->StopWithFadeOut(seconds);
  m_pMixer->Unlock();
  return 0;
}
