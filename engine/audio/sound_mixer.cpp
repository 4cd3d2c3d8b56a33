// The software mixer: voices, the stream list, the PCM playback channel and the audio thread.
#include "sound_mixer.h"

#include <sys/asoundlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "byte_order.h"
#include "pcm_limits.h"
#include "sound_fx.h"
#include "streaming_provider.h"

namespace {

// A problem that leaves the game without sound: one line on stderr, what failed and why.
void NoSound(const char* what, const char* why) {
  fprintf(stderr, "sprocklet: no sound: %s (%s); the game runs silent\n", what, why);
}

int SampleAt(const SFXChannel& v, u32 index) {
  if (v.m_b8Bit) return ((int)v.m_pData[index] - 128) * 256;
  return ReadLeS16(v.m_pData + 2 * (size_t)index);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Voices

void Channel::volume(unsigned v) {
  m_nVolume = v > 64 ? 64 : v;
  m_nEffectiveVolume = m_pMasterVolume ? (*m_pMasterVolume * m_nVolume) >> 6 : 0;
}

void Channel::pan(unsigned v) { m_nPan = v > 255 ? 255 : v; }

void Channel::speed(unsigned s) {
  m_nSpeed = s;
  uint64_t base = m_nBaseFrequency, f;
  if (s == 128)
    f = base;
  else if (s > 128)
    f = (base * ((uint64_t)s << 9)) >> 16;
  else
    f = (base << 16) / ((uint64_t)(256 - s) << 9);
  frequency(f > 0xFFFFFFFFu ? 0xFFFFFFFFu : (u32)f);
}

ModChannel::ModChannel() {
  for (int i = 0; i < 8; i++) {
    m_nTrackWords[0][i] = 0;
    m_nTrackWords[1][i] = 0;
    m_nTrackWords[2][i] = 9;
    m_nTrackWords[3][i] = 2;
  }
}

void ModChannel::volume(unsigned v) {
  Channel::volume(v);
  for (int i = 0; i < 8; i++)
    m_nTrackEffectiveVolume[i] = (m_nTrackVolume[i] * m_nEffectiveVolume) >> 6;
}

void ModChannel::pan(unsigned v) {
  Channel::pan(v);
  u32 p = (255 - m_nPan) >> 2;
  m_nPanLevel[0] = p + 64;
  m_nPanLevel[1] = 192 - p;
  m_nPanLevel[2] = 192 - p;
  m_nPanLevel[3] = p + 64;
}

int snd_getNumPattern(const u8* header, u32 size) {
  if (!header || size < 952) return 1;
  u32 length = header[950];
  if (length == 0) return 1;
  if (length > size - 952) length = size - 952;
  int highest = 0;
  for (u32 i = 0; i < length; i++)
    if (header[952 + i] > highest) highest = header[952 + i];
  return 1 + highest;
}

// ---------------------------------------------------------------------------------------------
// Open and close

Sound::Sound() { pthread_mutex_init(&m_Lock, nullptr); }

Sound::~Sound() {
  close();
  pthread_mutex_destroy(&m_Lock);
}

bool Sound::open(unsigned rate, unsigned bits, bool stereo, unsigned modChannels, unsigned sfxChannels) {
  if (m_bOpen) return false;
  if (rate != 11025 && rate != 22050 && rate != 44100 && rate != 48000) rate = 22050;
  m_nMixRate = rate;
  m_nBits = bits;
  m_bStereo = stereo;
  m_b16Bit = bits == 16;

  m_nModChannels = modChannels == 0 ? 1 : (modChannels > 3 ? 3 : modChannels);
  m_nSFXChannels = sfxChannels < 8 ? 8 : (sfxChannels > 64 ? 64 : sfxChannels);
  m_pModChannels = new (std::nothrow) ModChannel[m_nModChannels];
  m_pSFXChannels = new (std::nothrow) SFXChannel[m_nSFXChannels];
  if (!m_pModChannels || !m_pSFXChannels) {
    ReleaseVoices();
    return false;
  }
  m_nModMasterVolume = 64;
  m_nSFXMasterVolume = 64;
  for (u32 i = 0; i < m_nModChannels; i++)
    m_pModChannels[i].m_pMasterVolume = &m_nModMasterVolume;
  for (u32 i = 0; i < m_nSFXChannels; i++)
    m_pSFXChannels[i].m_pMasterVolume = &m_nSFXMasterVolume;

  if (!OpenPcm()) {
    ReleaseVoices();
    return false;
  }
  // One block of mix becomes one fragment of stereo 16-bit output (a quarter of it in frames).
  int frames = m_nFragmentSize / 4;
  m_nMixBufferSize = frames * (m_bStereo ? 2 : 1) * (m_b16Bit ? 2 : 1);
  m_pMixBuffer = (u8*)malloc((size_t)m_nMixBufferSize);
  if (!m_pMixBuffer) {
    ClosePcm();
    ReleaseVoices();
    return false;
  }
  memset(m_pMixBuffer, m_b16Bit ? 0 : 128, (size_t)m_nMixBufferSize);
  m_nMusicVolume = 0;
  m_bMusic = false;
  m_bOpen = true;
  StartThread();
  return true;
}

bool Sound::OpenPcm() {
  int rc = snd_pcm_open_name(&m_pPcm, "pcmPreferred", SND_PCM_OPEN_PLAYBACK);
  if (rc < 0) {
    NoSound("cannot open the audio output", snd_strerror(rc));
    m_pPcm = nullptr;
    return false;
  }
  auto fail = [&](const char* step, int code) {
    NoSound(step, snd_strerror(code));
    ClosePcm();
    return false;
  };
  snd_pcm_info_t info;
  memset(&info, 0, sizeof info);
  if ((rc = snd_pcm_info(m_pPcm, &info)) < 0) return fail("the audio output has no device information", rc);

  snd_pcm_channel_info_t channelInfo;
  memset(&channelInfo, 0, sizeof channelInfo);
  channelInfo.channel = SND_PCM_CHANNEL_PLAYBACK;
  if ((rc = snd_pcm_channel_info(m_pPcm, &channelInfo)) < 0)
    return fail("the audio output has no channel information", rc);
  m_nFragmentSize = channelInfo.min_fragment_size;
  if (m_nFragmentSize < 4 || m_nFragmentSize % 4 != 0 || m_nFragmentSize > (1 << 20)) {
    char size[48];
    snprintf(size, sizeof size, "a fragment of %d bytes", m_nFragmentSize);
    NoSound("the audio output's fragment size is unusable", size);
    ClosePcm();
    return false;
  }
  int deviceRate = channelInfo.min_rate > 48000
                       ? channelInfo.min_rate
                       : (channelInfo.max_rate < 48000 ? channelInfo.max_rate : 48000);

  snd_pcm_channel_params_t params;
  memset(&params, 0, sizeof params);
  params.channel = SND_PCM_CHANNEL_PLAYBACK;
  params.mode = SND_PCM_MODE_BLOCK;
  params.format.interleave = 1;
  params.format.format = SND_PCM_SFMT_S16_LE;
  params.format.rate = deviceRate;
  params.format.voices = 2;
  params.start_mode = SND_PCM_START_FULL;
  params.stop_mode = SND_PCM_STOP_STOP;
  params.buf.block.frag_size = m_nFragmentSize;
  params.buf.block.frags_min = 1;
  params.buf.block.frags_max = 1;
  snprintf(params.sw_mixer_subchn_name, sizeof params.sw_mixer_subchn_name, "Wave playback channel");
  if ((rc = snd_pcm_channel_params(m_pPcm, &params)) < 0)
    return fail("the audio output refuses 16-bit stereo", rc);

  if ((rc = snd_pcm_channel_prepare(m_pPcm, SND_PCM_CHANNEL_PLAYBACK)) < 0)
    return fail("the audio output cannot be prepared", rc);

  snd_mixer_gid_t group;
  memset(&group, 0, sizeof group);
  snd_pcm_channel_setup_t setup;
  memset(&setup, 0, sizeof setup);
  setup.channel = SND_PCM_CHANNEL_PLAYBACK;
  setup.mixer_gid = &group;
  if ((rc = snd_pcm_channel_setup(m_pPcm, &setup)) < 0)
    return fail("the audio output has no channel setup", rc);
  if (group.name[0] == 0) {
    NoSound("the audio output has no mixer group", "its setup names none");
    ClosePcm();
    return false;
  }

  if ((rc = snd_mixer_open(&m_pMixer, info.card, setup.mixer_device)) < 0) {
    m_pMixer = nullptr;
    return fail("the audio output's mixer cannot be opened", rc);
  }

  m_nOutputSize = m_nFragmentSize;
  m_pOutput = (s16*)malloc((size_t)m_nOutputSize);
  if (!m_pOutput) {
    ClosePcm();
    return false;
  }
  return true;
}

void Sound::ClosePcm() {
  if (m_pMixer) snd_mixer_close(m_pMixer);
  m_pMixer = nullptr;
  if (m_pPcm) {
    snd_pcm_playback_drain(m_pPcm);
    snd_pcm_close(m_pPcm);
  }
  m_pPcm = nullptr;
  free(m_pOutput);
  m_pOutput = nullptr;
  m_nOutputSize = 0;
}

void Sound::ReleaseVoices() {
  delete[] m_pModChannels;
  delete[] m_pSFXChannels;
  m_pModChannels = nullptr;
  m_pSFXChannels = nullptr;
  m_nModChannels = 0;
  m_nSFXChannels = 0;
}

bool Sound::close() {
  if (!m_bOpen) return true;
  StopThread();
  ClosePcm();
  free(m_pMixBuffer);
  m_pMixBuffer = nullptr;
  m_nMixBufferSize = 0;
  ReleaseVoices();
  m_bOpen = false;
  return true;
}

// ---------------------------------------------------------------------------------------------
// The audio thread

void Sound::StartThread() {
  if (m_bThreadRunning || !m_bOpen) return;
  m_bStopRequested.store(false);
  if (pthread_create(&m_Thread, nullptr, update, this) == 0) m_bThreadRunning = true;
}

void Sound::StopThread() {
  if (!m_bThreadRunning) return;
  m_bStopRequested.store(true);
  pthread_join(m_Thread, nullptr);
  m_Thread = pthread_t();
  m_bThreadRunning = false;
}

void Sound::suspend() {
  StopThread();
  if (m_pPcm) snd_pcm_playback_drain(m_pPcm);
}

void Sound::resume() { StartThread(); }

void* Sound::update(void* self) {
  Sound* s = (Sound*)self;
  bool waiting = false;
  while (!s->m_bStopRequested.load()) {
    if (!waiting) {
      s->UpdateAudioBuffer();
      waiting = true;
    }
    snd_pcm_channel_status_t status;
    memset(&status, 0, sizeof status);
    status.channel = SND_PCM_CHANNEL_PLAYBACK;
    if (snd_pcm_channel_status(s->m_pPcm, &status) < 0) {
      usleep(1000); // a failing device must not turn this loop into a busy one
      continue;
    }
    switch (status.status) {
    case SND_PCM_STATUS_READY:
    case SND_PCM_STATUS_UNDERRUN:
    case SND_PCM_STATUS_OVERRUN:
      snd_pcm_channel_prepare(s->m_pPcm, SND_PCM_CHANNEL_PLAYBACK);
      break;
    case SND_PCM_STATUS_PREPARED:
    case SND_PCM_STATUS_RUNNING:
      if (status.free >= s->m_nFragmentSize) {
        snd_pcm_write(s->m_pPcm, s->m_pOutput, (size_t)s->m_nFragmentSize);
        waiting = false;
      }
      break;
    default:
      break;
    }
  }
  return nullptr;
}

void Sound::UpdateAudioBuffer() {
  if (!m_bOpen) return;
  Lock();
  MixBlock();
  int frames = m_nFragmentSize / 4;
  s16* out = m_pOutput;
  if (m_b16Bit) {
    const s16* mix = (const s16*)m_pMixBuffer;
    for (int i = 0; i < frames; i++) {
      out[2 * i] = mix[m_bStereo ? 2 * i : i];
      out[2 * i + 1] = mix[m_bStereo ? 2 * i + 1 : i];
    }
  } else {
    const u8* mix = m_pMixBuffer;
    for (int i = 0; i < frames; i++) {
      out[2 * i] = (s16)(((int)mix[m_bStereo ? 2 * i : i] - 128) * 256);
      out[2 * i + 1] = (s16)(((int)mix[m_bStereo ? 2 * i + 1 : i] - 128) * 256);
    }
  }
  Unlock();
}

void Sound::MixBlock() {
  int frames = m_nFragmentSize / 4;
  memset(m_pMixBuffer, m_b16Bit ? 0 : 128, (size_t)m_nMixBufferSize);

  // Streams give 16-bit mono: they play in the 16-bit mono mix (the one the sound system uses).
  if (m_b16Bit && !m_bStereo) {
    for (int i = 0; i < m_Streams.GetSize(); i++) {
      CStreamingProvider* p = m_Streams.GetAt(i);
      if (p && p->m_bPlaying) p->UpdateBufferAdd((short*)m_pMixBuffer, frames);
    }
  }

  for (int s = 0; s < frames; s++) {
    int32_t left = 0, right = 0;
    for (u32 c = 0; c < m_nSFXChannels; c++) {
      SFXChannel& v = m_pSFXChannels[c];
      if (v.m_bStopped || v.m_bPaused) continue;
      if (v.m_bFrequencyChanged) {
        v.m_nStep = (u32)(((uint64_t)v.m_nFrequency << 16) / ((uint64_t)m_nMixRate << 8));
        v.m_bFrequencyChanged = false;
      }
      if (v.m_nPosition >= v.m_nLength) {
        if (v.m_bLoop) v.m_nPosition -= v.m_nLength;
        if (!v.m_bLoop || v.m_nPosition >= v.m_nLength) {
          v.stop();
          continue;
        }
      }
      // Two channels: twice the frame index plus the first fraction bit (left or right).
      int sample = SampleAt(v, v.m_nPosition >> (9 - v.m_nChannels));
      int vol = (int)v.m_nEffectiveVolume;
      if (!m_bStereo) {
        left += vol * sample;
      } else if (v.m_nPan == 128) {
        left += vol * sample;
        right += vol * sample;
      } else {
        int w = 2 * vol;
        int r = ((int)v.m_nPan * w) >> 8;
        right += r * sample;
        left += (w - r) * sample;
      }
      v.m_nPosition += v.m_nStep;
    }
    int sums[2] = {left, right};
    int outputs = m_bStereo ? 2 : 1;
    for (int k = 0; k < outputs; k++) {
      int at = s * outputs + k;
      if (m_b16Bit) {
        s16* mix = (s16*)m_pMixBuffer;
        mix[at] = (s16)Clamp16(mix[at] + (sums[k] >> 6));
      } else {
        int v = ((int)m_pMixBuffer[at] - 128) + (sums[k] >> 14);
        m_pMixBuffer[at] = (u8)((v < -128 ? -128 : (v > 127 ? 127 : v)) + 128);
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Effects

int Sound::playSFX(SoundFX* fx) {
  if (!m_bOpen || !fx || !fx->m_pData) return -1;
  Lock();
  int freeVoice = -1, shortest = -1, playbacks = 0;
  bool unlimited = fx->m_nMaxPlaybacks == -1;
  for (u32 i = 0; i < m_nSFXChannels; i++) {
    SFXChannel& v = m_pSFXChannels[i];
    bool isFree = v.m_bStopped && !v.m_bPaused;
    if (shortest < 0 || v.m_nLength < m_pSFXChannels[shortest].m_nLength) shortest = (int)i;
    if (isFree) {
      freeVoice = (int)i;
      if (unlimited) break;
    } else if (v.m_pData == fx->m_pData) {
      playbacks++;
    }
  }
  int chosen = ((unlimited || playbacks < fx->m_nMaxPlaybacks) && freeVoice >= 0) ? freeVoice : shortest;
  SFXChannel& v = m_pSFXChannels[chosen];
  v.m_nBaseFrequency = fx->m_nRate;
  v.m_pData = fx->m_pData;
  v.m_bFrequencyChanged = true;
  v.frequency(fx->m_nFrequency);
  v.speed(fx->m_nSpeed);
  v.m_nPosition = 0;
  v.m_nLength = fx->m_nSamples << 8;
  v.loop(fx->m_bLoop);
  v.pan(fx->m_nPan);
  v.m_b8Bit = fx->m_b8Bit;
  v.m_nChannels = fx->m_nChannels == 2 ? 2 : 1;
  v.volume(fx->m_nVolume);
  v.play();
  Unlock();
  return chosen + (int)m_nModChannels;
}

void Sound::stopSFX() {
  Lock();
  for (u32 i = 0; i < m_nSFXChannels; i++)
    m_pSFXChannels[i].stop();
  Unlock();
}

void Sound::pauseSFX() {
  Lock();
  for (u32 i = 0; i < m_nSFXChannels; i++)
    m_pSFXChannels[i].pause();
  Unlock();
}

void Sound::resumeSFX() {
  Lock();
  for (u32 i = 0; i < m_nSFXChannels; i++)
    m_pSFXChannels[i].resume();
  Unlock();
}

void Sound::StopChannel(int i) {
  Lock();
  if (i >= 0 && (u32)i < m_nSFXChannels) m_pSFXChannels[i].stop();
  Unlock();
}

Channel* Sound::channel(unsigned n) {
  if (n < m_nModChannels) return &m_pModChannels[n];
  if (n - m_nModChannels < m_nSFXChannels) return &m_pSFXChannels[n - m_nModChannels];
  return nullptr;
}

void Sound::volumeSFX(unsigned v) {
  Lock();
  m_nSFXMasterVolume = v > 64 ? 64 : v;
  for (u32 i = 0; i < m_nSFXChannels; i++)
    m_pSFXChannels[i].volume(m_pSFXChannels[i].m_nVolume);
  Unlock();
}

unsigned Sound::playingChannelSFX() {
  Lock();
  unsigned n = 0;
  for (u32 i = 0; i < m_nSFXChannels; i++)
    if (m_pSFXChannels[i].playing()) n++;
  Unlock();
  return n;
}

// ---------------------------------------------------------------------------------------------
// Streams

int Sound::playMusicStreamingModule(CStreamingProvider* p, int volume, bool loop, FIXED_FLOAT fade) {
  if (!p) return -1;
  Lock();
  // A stream played again while it fades out fades in from the level it has reached: the fade-in
  // is set while it still plays, since Start drops a fade-out.
  bool faded = false;
  if (m_Streams.Find(p) >= 0) {
    if (fade > 0 && p->m_bPlaying) {
      p->SetFadeIn(fade);
      faded = true;
    }
    p->Stop();
  } else {
    m_Streams.Add(p);
  }
  p->SetVolume((unsigned char)(volume & 255));
  p->Start(loop);
  if (fade > 0 && !faded) p->SetFadeIn(fade);
  Unlock();
  return 1;
}

void Sound::stopMusicStreamingModule(CStreamingProvider* p) {
  if (!p) return;
  Lock();
  p->Stop();
  int at = m_Streams.Find(p);
  if (at >= 0) m_Streams.RemoveAt(at);
  Unlock();
}
