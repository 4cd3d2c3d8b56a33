// The program's entry: reads the host options, prepares the platform stand-in and the runtime
// root, then runs the platform main loop.
#include "host_options.h"
#include "platform_main.h"
#include "platform_services.h"

#include <standin/standin.h>

#include <SDL.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

std::string Absolute(const std::string& path) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(path, ec);
  return ec ? path : p.string();
}

bool Set(const char* variable) {
  const char* value = getenv(variable);
  return value && *value;
}

// The per-user data directory ($XDG_DATA_HOME/sprocklet), created when missing; empty with the
// reason in *why when there is none.
std::string DefaultRoot(std::string* why) {
  if (!Set("XDG_DATA_HOME") && !Set("HOME")) {
    *why = "neither XDG_DATA_HOME nor HOME is set, so there is no per-user data directory";
    return std::string();
  }
  char* pref = SDL_GetPrefPath("", "sprocklet");
  if (!pref) {
    *why = SDL_GetError();
    return std::string();
  }
  std::string root = pref;
  SDL_free(pref);
  return root;
}

// The asset directory of an installation, found from the program's own directory when the pack lies
// there; empty for a program run from its build tree.
std::string InstalledData() {
#ifdef SPROCKLET_DATA_FROM_BIN
  std::error_code ec;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::string();
  std::filesystem::path dir = (self.parent_path() / SPROCKLET_DATA_FROM_BIN).lexically_normal();
  if (std::filesystem::is_regular_file(dir / "_game_bb.pak", ec)) return dir.string();
#endif
  return std::string();
}

// SIGINT and SIGTERM end the run as the navigator's exit does, so that every file is closed. `timeout`
// and service managers signal the program and its group at once, so the program may get two
// together: a signal within a second of the first is the same request; one after that ends the run
// at once.
//
// The monotonic time of the first signal in milliseconds (plus one, so 0 is none). One atomic word:
// the two signals may reach two threads at the same moment.
std::atomic<long long> firstSignalMs{0};
static_assert(std::atomic<long long>::is_always_lock_free, "the signal handler needs a lock-free word");

void OnSignal(int sig) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  long long ms = (long long)now.tv_sec * 1000 + now.tv_nsec / 1000000 + 1;
  long long first = 0;
  if (firstSignalMs.compare_exchange_strong(first, ms)) {
    standin::RequestExit();
    return;
  }
  if (ms - first < 1000) return;
  signal(sig, SIG_DFL);
  raise(sig);
}

void EndRunsOnSignals() {
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaddset(&action.sa_mask, SIGINT);
  sigaddset(&action.sa_mask, SIGTERM);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

// The frame of the journal's first navigator exit; -1 when it has none.
int JournalExitFrame(const std::vector<standin::JournalEvent>& journal) {
  for (const standin::JournalEvent& e : journal)
    if (e.kind == standin::JournalEvent::Kind::NavExit) return e.frame;
  return -1;
}

} // namespace

int main(int argc, char** argv) {
  HostOptions options;
  std::string error;
  if (!ParseHostOptions(argc, argv, &options, &error)) {
    fprintf(stderr, "sprocklet: %s (see --help)\n", error.c_str());
    return 2;
  }
  if (options.help) {
    fputs(HostUsage(), stdout);
    return 0;
  }

  standin::Config config;
  config.backend = options.headless ? standin::Backend::Headless : standin::Backend::Desktop;
  config.displayWidth = options.displayWidth;
  config.displayHeight = options.displayHeight;
  config.exitAfterFrames = options.frames;
  config.hasSeed = options.hasSeed;
  config.seed = options.seed;
  if (!options.journal.empty() && !standin::LoadJournal(options.journal, &config.journal, &error)) {
    fprintf(stderr, "sprocklet: %s\n", error.c_str());
    return 2;
  }
  if (!options.record.empty()) config.recordPath = Absolute(options.record);
  std::string audio = options.audio.empty() ? (options.headless ? "none" : "sdl") : options.audio;
  config.audio = audio == "sdl"   ? standin::Audio::Sdl
                 : audio == "wav" ? standin::Audio::Wav
                                  : standin::Audio::None;
  if (audio == "wav") config.audioPath = Absolute(options.audioFile);
  // The frame that delivers the exit is the last one drawn.
  int lastFrame = options.frames;
  std::string ender = "--frames " + std::to_string(options.frames);
  if (int exit = JournalExitFrame(config.journal); exit >= 0 && (lastFrame < 0 || exit < lastFrame)) {
    lastFrame = exit;
    ender = "the journal's 'nav exit'";
  }
  for (const auto& shot : options.shots) {
    if (lastFrame >= 0 && shot.first > lastFrame)
      fprintf(stderr, "sprocklet: warning: --shot %d:%s is never taken: %s ends the run at frame %d\n",
              shot.first, shot.second.c_str(), ender.c_str(), lastFrame);
    config.shots.push_back({shot.first, Absolute(shot.second)});
  }
  // A headless run that nothing ends keeps the device's pace instead of spinning the processor.
  if (options.headless && lastFrame < 0) {
    config.paced = true;
    fprintf(stderr, "sprocklet: no --frames: running at 60 frames a second until the journal, SIGINT "
                    "or SIGTERM ends it\n");
  }

  // The game's requests; the pack's directory is fixed before the working directory changes.
  g_hostGameOptions.level = options.level;
  g_hostGameOptions.character = options.character < 0 ? 0 : options.character;
  g_hostGameOptions.developer = options.developer;
#ifdef SPROCKLET_DATA_DIR
  const char* builtInData = SPROCKLET_DATA_DIR;
#else
  const char* builtInData = "";
#endif
  std::string data = options.data;
  if (data.empty()) data = InstalledData();
  if (data.empty()) data = builtInData;
  g_hostGameOptions.dataDirectory = data.empty() ? data : Absolute(data);

  std::string why;
  std::string root = options.root.empty() ? DefaultRoot(&why) : options.root;
  if (root.empty()) {
    fprintf(stderr, "sprocklet: no runtime root: %s (give one with --root DIR)\n", why.c_str());
    return 2;
  }
  std::error_code ec;
  std::filesystem::create_directories(root + "/data", ec);
  if (!ec && chdir(root.c_str()) != 0) ec = std::error_code(errno, std::generic_category());
  if (ec) {
    fprintf(stderr, "sprocklet: cannot use the runtime root '%s': %s\n", root.c_str(), ec.message().c_str());
    return 2;
  }

  setenv("ORIENTATION", std::to_string(options.orientation).c_str(), 1);
  if (options.hasSeed) srand(options.seed);
  standin::Configure(config);
  EndRunsOnSignals();

  int status = PlatformMain();
  if (status != 0) {
    const std::string& reason = PlatformStartupFailure();
    fprintf(stderr, "sprocklet: start-up failed%s%s\n", reason.empty() ? "" : ": ", reason.c_str());
    return status;
  }
  if (!standin::Failure().empty()) return 1;
  return 0;
}
