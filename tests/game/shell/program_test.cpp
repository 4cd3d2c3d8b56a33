// The sprocklet program end to end: the game object on a fresh runtime root with its pack in the
// data directory given, through the loader, saving its progress at the end; a missing pack and the
// options' help text.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "game_test_support.h"
#include "startup_pack.h"

namespace {

struct RunResult {
  int status = -1;
  std::string out, err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Mesa keeps allocations in globals it unloads at exit; the game's own leaks are checked in-process.
RunResult Sprocklet(const std::string& dir, const std::string& args) {
  std::string command = std::string("ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" '") + SPROCKLET_PROGRAM +
                        "' " + args + " >'" + dir + "/out.txt' 2>'" + dir + "/err.txt'";
  RunResult r;
  int status = system(command.c_str());
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = Slurp(dir + "/out.txt");
  r.err = Slurp(dir + "/err.txt");
  return r;
}

TEST(SprockletProgram, RunsTheGameThroughTheLoaderOnAFreshRoot) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  std::filesystem::create_directories(dir.path() + "/pack");
  ASSERT_TRUE(CopySamplePack(dir.path() + "/pack/_game_bb.pak"));
  std::string root = dir.path() + "/root";
  RunResult r = Sprocklet(dir.path(), "--headless --frames 120 --shot 100:" + dir.path() + "/x.png --root '" +
                                          root + "' --data '" + dir.path() + "/pack'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_GT(std::filesystem::file_size(dir.path() + "/x.png"), 0u);
  // The window's end saved the progress into the root's data/.
  EXPECT_EQ(std::filesystem::file_size(root + "/data/options.cfg"), 432u);
  EXPECT_EQ(std::filesystem::file_size(root + "/data/allinfo.dat"), 153600u);
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
