// Our stand-in for the tablet's PCM sound library: one playback channel written a fragment at a
// time, with its info, parameters, set-up, status and mixer group. The host chooses where the
// sound goes (SDL audio, nowhere at the real-time rate, or a WAV file).
#pragma once

#include <stddef.h>
#include <sys/types.h>

#define SND_PCM_OPEN_PLAYBACK 0x0001
#define SND_PCM_OPEN_CAPTURE 0x0002

#define SND_PCM_CHANNEL_PLAYBACK 0
#define SND_PCM_CHANNEL_CAPTURE 1

#define SND_PCM_MODE_STREAM 0
#define SND_PCM_MODE_BLOCK 1

#define SND_PCM_SFMT_U8 0
#define SND_PCM_SFMT_S8 1
#define SND_PCM_SFMT_S16_LE 2
#define SND_PCM_FMT_S16_LE (1u << SND_PCM_SFMT_S16_LE)

// start_mode: 0 starts with the first data, 1 once the buffer is full.
#define SND_PCM_START_DATA 0
#define SND_PCM_START_FULL 1
// stop_mode: 1 stops the channel when it runs dry.
#define SND_PCM_STOP_STOP 1

// Channel states reported by snd_pcm_channel_status.
#define SND_PCM_STATUS_NOTREADY 0
#define SND_PCM_STATUS_READY 1
#define SND_PCM_STATUS_PREPARED 2
#define SND_PCM_STATUS_RUNNING 3
#define SND_PCM_STATUS_UNDERRUN 4
#define SND_PCM_STATUS_OVERRUN 5
#define SND_PCM_STATUS_ERROR 6

#ifdef __cplusplus
extern "C" {
#endif

typedef struct snd_pcm snd_pcm_t;
typedef struct snd_mixer snd_mixer_t;

typedef struct {
  int card;
  int device;
  unsigned flags;
  char id[64];
  char name[80];
} snd_pcm_info_t;

typedef struct {
  int channel; // in: SND_PCM_CHANNEL_PLAYBACK
  unsigned formats;
  int min_rate;
  int max_rate;
  int min_voices;
  int max_voices;
  int min_fragment_size; // bytes
  int max_fragment_size;
  int fragment_align;
  char subname[36];
} snd_pcm_channel_info_t;

typedef struct {
  int interleave;
  int format; // SND_PCM_SFMT_*
  int rate;
  int voices;
} snd_pcm_format_t;

typedef struct {
  int channel;
  int mode; // SND_PCM_MODE_BLOCK
  snd_pcm_format_t format;
  union {
    struct {
      int frag_size;
      int frags_min;
      int frags_max;
    } block;
  } buf;
  int start_mode;
  int stop_mode;
  char sw_mixer_subchn_name[32];
} snd_pcm_channel_params_t;

typedef struct {
  char name[32];
  int index;
} snd_mixer_gid_t;

typedef struct {
  int channel; // in
  int mode;
  snd_pcm_format_t format;
  union {
    struct {
      int frag_size;
      int frags;
      int frags_min;
      int frags_max;
    } block;
  } buf;
  int mixer_device;
  snd_mixer_gid_t* mixer_gid; // in: filled with the channel's mixer group when not null
} snd_pcm_channel_setup_t;

typedef struct {
  int channel; // in
  int status;  // SND_PCM_STATUS_*
  int free;    // bytes that can be written now
  int count;   // bytes queued and not yet played
  int underrun;
} snd_pcm_channel_status_t;

// Every call answers 0 (or a byte count) on success and a negative errno value on failure.
// Only the device "pcmPreferred" exists.
int snd_pcm_open_name(snd_pcm_t** handle, const char* name, int mode);
int snd_pcm_close(snd_pcm_t* handle);
int snd_pcm_info(snd_pcm_t* handle, snd_pcm_info_t* info);
int snd_pcm_channel_info(snd_pcm_t* handle, snd_pcm_channel_info_t* info);
int snd_pcm_channel_params(snd_pcm_t* handle, snd_pcm_channel_params_t* params);
int snd_pcm_channel_prepare(snd_pcm_t* handle, int channel);
int snd_pcm_channel_setup(snd_pcm_t* handle, snd_pcm_channel_setup_t* setup);
// While the channel is prepared or running without room for a fragment, waits a few
// milliseconds for the output to play some of it before answering.
int snd_pcm_channel_status(snd_pcm_t* handle, snd_pcm_channel_status_t* status);
// Writes whole frames; waits a bounded time for room, then answers -EAGAIN.
ssize_t snd_pcm_write(snd_pcm_t* handle, const void* buffer, size_t size);
// Plays out what is queued (a bounded wait) and leaves the channel ready for a new prepare.
int snd_pcm_playback_drain(snd_pcm_t* handle);

int snd_mixer_open(snd_mixer_t** handle, int card, int device);
int snd_mixer_close(snd_mixer_t* handle);

const char* snd_strerror(int error);

#ifdef __cplusplus
}
#endif
