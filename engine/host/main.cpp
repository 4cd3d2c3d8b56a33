// The program's entry: reads the host options, prepares the platform stand-in and the runtime
// root, then runs the platform main loop.
#include "host_options.h"
#include "platform_main.h"
#include "platform_services.h"

#include <standin/standin.h>

#include <SDL.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::string Absolute(const std::string& path) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(path, ec);
  return ec ? path : p.string();
}

// The per-user data directory ($XDG_DATA_HOME/sprocklet), created when missing.
std::string DefaultRoot() {
  char* pref = SDL_GetPrefPath("", "sprocklet");
  if (!pref) return std::string();
  std::string root = pref;
  SDL_free(pref);
  return root;
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
  for (const auto& shot : options.shots)
    config.shots.push_back({shot.first, Absolute(shot.second)});

  // The game's requests; the pack's directory is fixed before the working directory changes.
  g_hostGameOptions.level = options.level;
  g_hostGameOptions.character = options.character < 0 ? 0 : options.character;
  g_hostGameOptions.developer = options.developer;
#ifdef SPROCKLET_DATA_DIR
  const char* builtInData = SPROCKLET_DATA_DIR;
#else
  const char* builtInData = "";
#endif
  std::string data = options.data.empty() ? builtInData : options.data;
  g_hostGameOptions.dataDirectory = data.empty() ? data : Absolute(data);

  std::string root = options.root.empty() ? DefaultRoot() : options.root;
  std::error_code ec;
  if (root.empty() || (std::filesystem::create_directories(root + "/data", ec), ec) ||
      chdir(root.c_str()) != 0) {
    fprintf(stderr, "sprocklet: cannot use the runtime root '%s'%s%s\n", root.c_str(), ec ? ": " : "",
            ec ? ec.message().c_str() : "");
    return 2;
  }

  setenv("ORIENTATION", std::to_string(options.orientation).c_str(), 1);
  if (options.hasSeed) srand(options.seed);
  standin::Configure(config);

  int status = PlatformMain();
  if (status != 0) {
    fprintf(stderr, "sprocklet: start-up failed\n");
    return status;
  }
  if (!standin::Failure().empty()) return 1;
  return 0;
}
