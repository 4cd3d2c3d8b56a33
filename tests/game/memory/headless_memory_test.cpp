// Headless runs that draw as fast as they can keep their memory flat: the menu left alone and a
// level, each for thousands of frames, stay within a fixed resident size. A loop that let the
// driver queue undrawn frames grew by hundreds of megabytes in these runs.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <ostream>
#include <string>
#include <vector>

#include "program_run.h"
#include "temp_dir.h"

extern char** environ;

namespace {

struct MemoryCase {
  const char* name;
  std::vector<std::string> args;
  friend void PrintTo(const MemoryCase& c, std::ostream* os) { *os << c.name; }
};

class HeadlessMemory : public ::testing::TestWithParam<MemoryCase> {};

// The program's exit status and its peak resident size in MiB, from the kernel's own accounting.
bool RunMeasured(const std::vector<std::string>& args, const std::string& dir, int* status, long* peakMiB) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, (dir + "/out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, (dir + "/err.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  std::vector<char*> argv;
  for (const std::string& a : args)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid;
  bool started = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  if (!started) return false;
  int raw = 0;
  rusage usage = {};
  if (wait4(pid, &raw, 0, &usage) != pid) return false;
  *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  *peakMiB = usage.ru_maxrss / 1024;
  return true;
}

TEST_P(HeadlessMemory, StaysFlatOverThousandsOfFrames) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "a sanitizer's shadow memory is no measure of the program's";
#endif
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  std::vector<std::string> args = {
      SPROCKLET_PROGRAM, "--headless",         "--display", "480x320",         "--frames", "2500",
      "--root",          dir.path() + "/root", "--data",    SPROCKLET_DATA_DIR};
  for (const std::string& a : GetParam().args)
    args.push_back(a);
  int status = -1;
  long peak = 0;
  ASSERT_TRUE(RunMeasured(args, dir.path(), &status, &peak));
  EXPECT_EQ(status, 0) << program_run::Slurp(dir.path() + "/err.txt");
  // About 200 MiB is the program with its textures and the driver; undrawn frames added over
  // 300 MiB a thousand frames.
  EXPECT_LT(peak, 300) << "peak resident size in MiB";
}

INSTANTIATE_TEST_SUITE_P(Runs, HeadlessMemory,
                         ::testing::Values(MemoryCase{"MainMenu", {}}, MemoryCase{"Level", {"--level", "1"}}),
                         [](const ::testing::TestParamInfo<MemoryCase>& info) { return info.param.name; });

} // namespace
