// Control of the platform stand-in from the host: which backend serves the platform calls, what
// it replays, records and captures, and the EGL binding the host's window glue needs.
#pragma once

#include "standin/journal.h"

#include <EGL/egl.h>
#include <screen/screen.h>

#include <string>
#include <vector>

namespace standin {

enum class Backend { Desktop, Headless };

// Where the PCM service's sound goes: SDL audio, nowhere (consumed at the real-time rate), or
// appended to a WAV file (audioPath).
enum class Audio { None, Sdl, Wav };

struct Shot {
  int frame = 0;
  std::string path;
};

struct Config {
  Backend backend = Backend::Headless;
  int displayWidth = 1024;
  int displayHeight = 600;
  // The navigator's exit is posted when this many frames have run; negative: never.
  int exitAfterFrames = -1;
  std::vector<JournalEvent> journal;
  // The input the run was fed (journal, desktop and the navigator's exit) is written here as a
  // journal at shut-down; empty: not recorded.
  std::string recordPath;
  // Frames are paced to 60 a second by sleeping. The desktop always is (the game's clock counts
  // frames); a headless run is when the host asks for it.
  bool paced = false;
  std::vector<Shot> shots;
  // --seed: the engine seeds its random numbers with this instead of the time.
  bool hasSeed = false;
  unsigned seed = 0;
  Audio audio = Audio::None;
  std::string audioPath;
};

// Replaces the whole state of the stand-in (queues, services, frame count) by a fresh one.
void Configure(const Config& config);
const Config& CurrentConfig();

// The random seed the host fixed, for the engine's seeding; false when none was fixed.
bool FixedRandomSeed(unsigned* seed);

// Frames are counted by the event loop: a poll that finds nothing pending starts a game cycle,
// and the next poll begins the following frame.
int CurrentFrame();

// Delivers an input event now, as if its frame had come (tests, and the desktop backend).
void Post(const JournalEvent& event);

// While stalled, the PCM output takes no more data, as a hung device would (tests).
void StallAudioOutput(bool stalled);

// EGL binding of the active backend: the display, a configuration of exactly 5-6-5 (headless)
// or matching the window (desktop), and the surface for a window at its current buffer size.
EGLDisplay GetEglDisplay();
bool ChooseEglConfig(EGLDisplay display, EGLConfig* config);
EGLSurface CreateEglSurface(EGLDisplay display, EGLConfig config, screen_window_t window);

// Called with the finished frame still in the back buffer: writes the screenshots of this frame.
void BeforeSwap();
// Called after the frame was presented: keeps a headless run's frames at most two groups ahead
// of the driver, and holds a paced run to 60 frames a second.
void AfterSwap();

// Asks the run to end as the navigator's exit does, at the next poll. Safe in a signal handler.
void RequestExit();

// The first hard failure of the run (a screenshot or recording that could not be written);
// empty when none.
const std::string& Failure();

// What the navigator was asked, for tests and logs.
struct NavigatorLog {
  int checkResponses = 0;
  bool lastCheckAccepted = false;
  int doneOrientations = 0;
  bool rotationLocked = false;
  std::vector<std::string> invokedUrls;
};
const NavigatorLog& Navigator();

// The first configuration with exactly these channel sizes that renders GL ES 1 into surfaces of
// surfaceType (EGL_PBUFFER_BIT, EGL_WINDOW_BIT); Mesa lists deeper ones first, so it is searched.
bool FindEglConfig(EGLDisplay display, int red, int green, int blue, int alpha, EGLint surfaceType,
                   EGLConfig* config);

// Encodes 8-bit RGB rows (top row first) as a PNG and writes it atomically.
bool WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb,
              std::string* error);

// Writes a whole file through a temporary file in the same directory: every write checked, fsync,
// rename over the target, fsync of the directory. The old file survives any failure.
bool WriteFileAtomically(const std::string& path, const void* data, size_t size, std::string* error);
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error);

} // namespace standin
