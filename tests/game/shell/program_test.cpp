// The sprocklet program end to end: the game object on a fresh runtime root with its pack from the
// build's data directory or the one given, through the loader, saving its progress at the end; a
// missing pack and the options' help text.
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "game_test_support.h"
#include "program_run.h"
#include "startup_pack.h"

namespace {

using program_run::Slurp;

struct RunResult {
  int status = -1;
  std::string out, err;
};

// Mesa keeps allocations in globals it unloads at exit; the game's own leaks are checked in-process.
// The program runs in dir, with the environment settings env.
RunResult Sprocklet(const std::string& dir, const std::string& args, const std::string& env = "") {
  std::string command = "cd '" + dir + "' && " + env + " ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" '" +
                        SPROCKLET_PROGRAM + "' " + args + " >'" + dir + "/out.txt' 2>'" + dir + "/err.txt'";
  RunResult r;
  int status = system(command.c_str());
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = Slurp(dir + "/out.txt");
  r.err = Slurp(dir + "/err.txt");
  return r;
}

float FloatWord(const std::string& bytes, size_t word) {
  float f = 0;
  if (bytes.size() >= 4 * (word + 1)) memcpy(&f, bytes.data() + 4 * word, 4);
  return f;
}

// The command as a player types it: the pack from the data directory fixed at build time, the
// runtime root the per-user default, here a fresh one.
TEST(SprockletProgram, RunsOnAFreshDefaultRootWithThePackOfTheBuild) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  RunResult r = Sprocklet(dir.path(), "--headless --frames 120 --shot 100:x.png",
                          "XDG_DATA_HOME='" + dir.path() + "/xdg'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_GT(std::filesystem::file_size(dir.path() + "/x.png"), 0u);
  // The window's end saved every progress file into the root's data/, at its size.
  std::string data = dir.path() + "/xdg/sprocklet/data/";
  struct {
    const char* name;
    uintmax_t size;
  } files[] = {{"options.cfg", 432},
               {"date.cfg", 636},
               {"missions.cfg", 1500},
               {"global.cfg", 4876},
               {"allinfo.dat", 153600}};
  for (auto& f : files) {
    std::error_code ec;
    EXPECT_EQ(std::filesystem::file_size(data + f.name, ec), f.size) << f.name << " " << ec.message();
  }
  EXPECT_EQ(r.err, "");
}

TEST(SprockletProgram, RunsTheGameThroughTheLoaderWithThePackGiven) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  std::filesystem::create_directories(dir.path() + "/pack");
  ASSERT_TRUE(CopySamplePack(dir.path() + "/pack/_game_bb.pak"));
  std::string root = dir.path() + "/root";
  // Past the loader's splash of about 315 frames.
  RunResult r = Sprocklet(dir.path(), "--headless --display 480x320 --frames 330 --shot 320:" + dir.path() +
                                          "/x.png --root '" + root + "' --data '" + dir.path() + "/pack'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_GT(std::filesystem::file_size(dir.path() + "/x.png"), 0u);
  EXPECT_EQ(std::filesystem::file_size(root + "/data/allinfo.dat"), 153600u);
  // The loader's start-up stage ran: on a screen of scale 1 it sets the zoom to 1.0 (saved 0.8).
  std::string options = Slurp(root + "/data/options.cfg");
  ASSERT_EQ(options.size(), 432u);
  EXPECT_EQ(FloatWord(options, 4), 1.0f);
  EXPECT_FALSE(std::filesystem::exists(root + "/app"));
}

TEST(SprockletProgram, MissingPackStopsTheStartUpWithOneLine) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  RunResult r = Sprocklet(dir.path(), "--headless --frames 5 --root '" + dir.path() + "/root' --data '" +
                                          dir.path() + "/empty'");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.err.find(dir.path() + "/empty/_game_bb.pak"), std::string::npos) << r.err;
}

TEST(SprockletProgram, HelpListsTheGameOptions) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  RunResult r = Sprocklet(dir.path(), "--help");
  EXPECT_EQ(r.status, 0);
  for (const char* option : {"--level N", "--character C", "--developer", "--data DIR"})
    EXPECT_NE(r.out.find(option), std::string::npos) << option;
}

} // namespace
