// The PCM sound library stand-in: one playback channel whose fragments go to SDL audio, nowhere
// (played out at the real-time rate) or a WAV file that grows with every fragment written.
#include "internal.h"

#include <SDL.h>
#include <sys/asoundlib.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kMinRate = 8000;
constexpr int kMaxRate = 48000;
constexpr int kMinFragment = 4096;
constexpr int kMaxFragment = 8000;
// The channel queues at least this many fragments, so a mixer pass that comes a little late
// does not leave the output dry.
constexpr int kQueuedFragments = 3;
// The longest a status or write call waits for room before answering.
constexpr int kMaxWaitMs = 20;

std::atomic<bool> g_stalled{false};

const char* kDeviceName = "pcmPreferred";

} // namespace

struct snd_pcm {
  standin::Audio backend = standin::Audio::None;
  int state = SND_PCM_STATUS_NOTREADY;
  bool configured = false;
  int rate = 48000;
  int voices = 2;
  int fragSize = kMinFragment;
  int capacity = kMinFragment * kQueuedFragments;
  int startMode = SND_PCM_START_DATA;
  int underruns = 0;

  // None and WAV: the queue empties at the real-time rate while the channel runs.
  double queued = 0;
  Clock::time_point stamp = Clock::now();

  // SDL
  bool sdlUp = false;
  SDL_AudioDeviceID device = 0;

  // WAV
  std::string wavPath;
  FILE* wav = nullptr;
  unsigned long long wavData = 0;
  std::string wavError;
};

struct snd_mixer {
  int card = 0;
  int device = 0;
};

namespace {

int BytesPerSecond(const snd_pcm* p) { return p->rate * p->voices * 2; }

void PutLE(unsigned char* at, unsigned value, int bytes) {
  for (int i = 0; i < bytes; i++)
    at[i] = (unsigned char)(value >> (8 * i));
}

// The 44-byte header of a 16-bit PCM WAV file holding dataBytes of samples.
void WavHeader(const snd_pcm* p, unsigned long long dataBytes, unsigned char* h) {
  unsigned data = dataBytes > 0xFFFFFFFFull - 36 ? 0xFFFFFFFFu - 36 : (unsigned)dataBytes;
  memcpy(h, "RIFF", 4);
  PutLE(h + 4, 36 + data, 4);
  memcpy(h + 8, "WAVEfmt ", 8);
  PutLE(h + 16, 16, 4);
  PutLE(h + 20, 1, 2);
  PutLE(h + 22, (unsigned)p->voices, 2);
  PutLE(h + 24, (unsigned)p->rate, 4);
  PutLE(h + 28, (unsigned)BytesPerSecond(p), 4);
  PutLE(h + 32, (unsigned)p->voices * 2, 2);
  PutLE(h + 34, 16, 2);
  memcpy(h + 36, "data", 4);
  PutLE(h + 40, data, 4);
}

void WavFailed(snd_pcm* p, const char* what) {
  if (p->wavError.empty())
    p->wavError = "audio: cannot " + std::string(what) + " '" + p->wavPath + "': " + strerror(errno);
}

// Rewrites the header so the file is a complete WAV file after every fragment.
void WavUpdateHeader(snd_pcm* p) {
  if (!p->wav || !p->wavError.empty()) return;
  unsigned char h[44];
  WavHeader(p, p->wavData, h);
  long end = ftell(p->wav);
  if (end < 0 || fseek(p->wav, 0, SEEK_SET) != 0 || fwrite(h, 1, sizeof h, p->wav) != sizeof h ||
      fseek(p->wav, end, SEEK_SET) != 0 || fflush(p->wav) != 0)
    WavFailed(p, "write");
}

void SdlClose(snd_pcm* p) {
  if (p->device) SDL_CloseAudioDevice(p->device);
  p->device = 0;
  if (p->sdlUp) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  p->sdlUp = false;
}

// Why the last channel could not get its output: the service's callers say it once, through
// snd_strerror, with what it meant for them.
std::string g_outputTrouble;

// Opens the default SDL output for the format; SDL converts to whatever the device plays.
bool SdlOpenDevice(snd_pcm* p) {
  if (p->device) SDL_CloseAudioDevice(p->device);
  SDL_AudioSpec want;
  SDL_zero(want);
  want.freq = p->rate;
  want.format = AUDIO_S16LSB;
  want.channels = (Uint8)p->voices;
  want.samples = 1024;
  p->device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
  if (!p->device) {
    g_outputTrouble = std::string("SDL opens no audio output: ") + SDL_GetError();
    return false;
  }
  return true;
}

// How much is queued and not yet played; moves the channel to underrun when it ran dry.
double Queued(snd_pcm* p) {
  if (p->backend == standin::Audio::Sdl) {
    if (p->device) p->queued = SDL_GetQueuedAudioSize(p->device);
  } else {
    Clock::time_point now = Clock::now();
    if (p->state == SND_PCM_STATUS_RUNNING && !g_stalled.load()) {
      double played = std::chrono::duration<double>(now - p->stamp).count() * BytesPerSecond(p);
      p->queued = std::max(0.0, p->queued - played);
    }
    p->stamp = now;
  }
  if (p->state == SND_PCM_STATUS_RUNNING && p->queued <= 0) {
    p->state = SND_PCM_STATUS_UNDERRUN;
    p->underruns++;
  }
  return p->queued;
}

int Free(snd_pcm* p) {
  if (g_stalled.load()) return 0;
  double room = p->capacity - Queued(p);
  return room <= 0 ? 0 : (int)room;
}

bool Writable(const snd_pcm* p) {
  return p->state == SND_PCM_STATUS_PREPARED || p->state == SND_PCM_STATUS_RUNNING;
}

// Sleeps until about `need` bytes should have been played, within 1..kMaxWaitMs milliseconds.
void WaitForRoom(snd_pcm* p, int need) {
  int ms = kMaxWaitMs;
  if (!g_stalled.load() && p->state == SND_PCM_STATUS_RUNNING) {
    int missing = need - Free(p);
    ms = std::clamp((int)((long long)missing * 1000 / BytesPerSecond(p)) + 1, 1, kMaxWaitMs);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void Start(snd_pcm* p) {
  p->state = SND_PCM_STATUS_RUNNING;
  p->stamp = Clock::now();
  if (p->device) SDL_PauseAudioDevice(p->device, 0);
}

} // namespace

namespace standin {
void StallAudioOutput(bool stalled) { g_stalled.store(stalled); }
} // namespace standin

extern "C" {

int snd_pcm_open_name(snd_pcm_t** handle, const char* name, int mode) {
  if (!handle) return -EINVAL;
  *handle = nullptr;
  g_outputTrouble.clear();
  if (!name || strcmp(name, kDeviceName) != 0) return -ENOENT;
  if (!(mode & SND_PCM_OPEN_PLAYBACK)) return -EINVAL;
  const standin::Config& config = standin::CurrentConfig();
  snd_pcm* p = new snd_pcm();
  p->backend = config.audio;
  if (p->backend == standin::Audio::Sdl) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      g_outputTrouble = std::string("SDL has no audio: ") + SDL_GetError();
      delete p;
      return -ENODEV;
    }
    p->sdlUp = true;
    if (!SdlOpenDevice(p)) {
      SdlClose(p);
      delete p;
      return -ENODEV;
    }
  } else if (p->backend == standin::Audio::Wav) {
    p->wavPath = config.audioPath;
    p->wav = fopen(p->wavPath.c_str(), "wb");
    if (!p->wav) {
      int error = errno;
      g_outputTrouble = "cannot create '" + p->wavPath + "': " + strerror(error);
      // The run fails for it; the caller says why, once.
      standin::detail::SetFailure("audio: " + g_outputTrouble, false);
      delete p;
      return -ENODEV;
    }
    unsigned char h[44];
    WavHeader(p, 0, h);
    if (fwrite(h, 1, sizeof h, p->wav) != sizeof h || fflush(p->wav) != 0) WavFailed(p, "write");
  }
  *handle = p;
  return 0;
}

int snd_pcm_close(snd_pcm_t* p) {
  if (!p) return -EINVAL;
  SdlClose(p);
  if (p->wav) {
    WavUpdateHeader(p);
    if (fclose(p->wav) != 0) WavFailed(p, "write");
    p->wav = nullptr;
  }
  if (!p->wavError.empty()) standin::detail::SetFailure(p->wavError);
  delete p;
  return 0;
}

int snd_pcm_info(snd_pcm_t* p, snd_pcm_info_t* info) {
  if (!p || !info) return -EINVAL;
  memset(info, 0, sizeof *info);
  info->card = 0;
  info->device = 0;
  snprintf(info->id, sizeof info->id, "%s", kDeviceName);
  snprintf(info->name, sizeof info->name, "Sprocklet PCM output");
  return 0;
}

int snd_pcm_channel_info(snd_pcm_t* p, snd_pcm_channel_info_t* info) {
  if (!p || !info || info->channel != SND_PCM_CHANNEL_PLAYBACK) return -EINVAL;
  memset(info, 0, sizeof *info);
  info->channel = SND_PCM_CHANNEL_PLAYBACK;
  info->formats = SND_PCM_FMT_S16_LE;
  info->min_rate = kMinRate;
  info->max_rate = kMaxRate;
  info->min_voices = 1;
  info->max_voices = 2;
  info->min_fragment_size = kMinFragment;
  info->max_fragment_size = kMaxFragment;
  info->fragment_align = 4;
  snprintf(info->subname, sizeof info->subname, "Wave playback channel");
  return 0;
}

int snd_pcm_channel_params(snd_pcm_t* p, snd_pcm_channel_params_t* params) {
  if (!p || !params) return -EINVAL;
  const snd_pcm_format_t& f = params->format;
  int frag = params->buf.block.frag_size;
  if (params->channel != SND_PCM_CHANNEL_PLAYBACK || params->mode != SND_PCM_MODE_BLOCK || !f.interleave ||
      f.format != SND_PCM_SFMT_S16_LE || f.voices < 1 || f.voices > 2 || f.rate < kMinRate ||
      f.rate > kMaxRate || frag < kMinFragment || frag > kMaxFragment || frag % (2 * f.voices) != 0)
    return -EINVAL;
  int rate = p->rate, voices = p->voices;
  p->rate = f.rate;
  p->voices = f.voices;
  if (p->backend == standin::Audio::Sdl && (rate != p->rate || voices != p->voices) && !SdlOpenDevice(p)) {
    p->state = SND_PCM_STATUS_ERROR;
    return -ENODEV;
  }
  p->fragSize = frag;
  p->capacity = frag * std::max(params->buf.block.frags_max, kQueuedFragments);
  p->startMode = params->start_mode;
  p->queued = 0;
  p->configured = true;
  p->state = SND_PCM_STATUS_READY;
  WavUpdateHeader(p);
  return 0;
}

int snd_pcm_channel_prepare(snd_pcm_t* p, int channel) {
  if (!p || channel != SND_PCM_CHANNEL_PLAYBACK) return -EINVAL;
  if (!p->configured) return -EBADFD;
  if (p->device) {
    SDL_PauseAudioDevice(p->device, 1);
    SDL_ClearQueuedAudio(p->device);
  }
  p->queued = 0;
  p->state = SND_PCM_STATUS_PREPARED;
  return 0;
}

int snd_pcm_channel_setup(snd_pcm_t* p, snd_pcm_channel_setup_t* setup) {
  if (!p || !setup || setup->channel != SND_PCM_CHANNEL_PLAYBACK) return -EINVAL;
  if (!p->configured) return -EBADFD;
  snd_mixer_gid_t* gid = setup->mixer_gid;
  memset(setup, 0, sizeof *setup);
  setup->channel = SND_PCM_CHANNEL_PLAYBACK;
  setup->mode = SND_PCM_MODE_BLOCK;
  setup->format.interleave = 1;
  setup->format.format = SND_PCM_SFMT_S16_LE;
  setup->format.rate = p->rate;
  setup->format.voices = p->voices;
  setup->buf.block.frag_size = p->fragSize;
  setup->buf.block.frags = p->capacity / p->fragSize;
  setup->buf.block.frags_min = 1;
  setup->buf.block.frags_max = p->capacity / p->fragSize;
  setup->mixer_device = 0;
  setup->mixer_gid = gid;
  if (gid) {
    memset(gid, 0, sizeof *gid);
    snprintf(gid->name, sizeof gid->name, "PCM");
  }
  return 0;
}

int snd_pcm_channel_status(snd_pcm_t* p, snd_pcm_channel_status_t* status) {
  if (!p || !status || status->channel != SND_PCM_CHANNEL_PLAYBACK) return -EINVAL;
  int free = Free(p);
  // Nothing to do for the caller until there is room: wait here, so its loop never spins.
  if ((Writable(p) && free < p->fragSize) || p->state == SND_PCM_STATUS_NOTREADY ||
      p->state == SND_PCM_STATUS_ERROR) {
    WaitForRoom(p, p->fragSize);
    free = Free(p);
  }
  memset(status, 0, sizeof *status);
  status->channel = SND_PCM_CHANNEL_PLAYBACK;
  status->status = p->state;
  status->free = Writable(p) ? free : 0;
  status->count = (int)p->queued;
  status->underrun = p->underruns;
  return 0;
}

ssize_t snd_pcm_write(snd_pcm_t* p, const void* buffer, size_t size) {
  if (!p || (!buffer && size > 0)) return -EINVAL;
  if (!Writable(p)) return -EBADFD;
  if (size == 0) return 0;
  if (size % (size_t)(2 * p->voices) != 0 || size > (size_t)p->capacity) return -EINVAL;
  Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kMaxWaitMs);
  while (Free(p) < (int)size) {
    if (!Writable(p)) return -EBADFD; // ran dry while waiting: the caller prepares again
    if (Clock::now() >= deadline) return -EAGAIN;
    WaitForRoom(p, (int)size);
  }
  if (p->device && SDL_QueueAudio(p->device, buffer, (Uint32)size) != 0) return -EIO;
  if (p->wav && p->wavError.empty()) {
    if (fwrite(buffer, 1, size, p->wav) != size)
      WavFailed(p, "write");
    else
      p->wavData += size;
    WavUpdateHeader(p);
  }
  if (p->backend != standin::Audio::Sdl) p->queued += (double)size;
  if (p->state == SND_PCM_STATUS_PREPARED && (p->startMode != SND_PCM_START_FULL || Free(p) < p->fragSize))
    Start(p);
  return (ssize_t)size;
}

int snd_pcm_playback_drain(snd_pcm_t* p) {
  if (!p) return -EINVAL;
  if (!p->configured) return -EBADFD;
  int result = 0;
  if (p->state == SND_PCM_STATUS_PREPARED && Queued(p) > 0) Start(p);
  if (p->state == SND_PCM_STATUS_RUNNING) {
    // Bounded by the time the queue takes to play, plus a margin; a stalled output plays nothing.
    double seconds = Queued(p) / BytesPerSecond(p);
    Clock::time_point deadline = Clock::now() + std::chrono::milliseconds((int)(seconds * 1000) + 250);
    while (!g_stalled.load() && Queued(p) > 0 && Clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    if (Queued(p) > 0) result = -EIO;
  }
  if (p->device) {
    SDL_PauseAudioDevice(p->device, 1);
    SDL_ClearQueuedAudio(p->device);
  }
  p->queued = 0;
  p->state = SND_PCM_STATUS_READY;
  return result;
}

int snd_mixer_open(snd_mixer_t** handle, int card, int device) {
  if (!handle) return -EINVAL;
  *handle = nullptr;
  if (card != 0 || device != 0) return -ENODEV;
  *handle = new snd_mixer();
  return 0;
}

int snd_mixer_close(snd_mixer_t* handle) {
  if (!handle) return -EINVAL;
  delete handle;
  return 0;
}

const char* snd_strerror(int error) {
  if (error >= 0) return "no error";
  switch (-error) {
  case ENODEV: {
    static std::string text;
    text = "no audio output device";
    if (!g_outputTrouble.empty()) text += ": " + g_outputTrouble;
    return text.c_str();
  }
  case ENOENT:
    return "no such PCM device";
  case EBADFD:
    return "channel not in the right state";
  case EAGAIN:
    return "no room in the output";
  case EINVAL:
    return "invalid argument";
  case EIO:
    return "output error";
  default:
    return strerror(-error);
  }
}

} // extern "C"
