// In a sanitizer build a leak of our own still fails the program, while the GL driver
// suppressions hold for a driver module that was closed again: checked on a throw-away child that
// leaks both ways on purpose, run with the options of this test.
#include <gtest/gtest.h>

#include "temp_dir.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>
#include <string>

extern char** environ;

namespace {

TEST(LeakReport, OwnLeaksFailTheRunAndDriverLeaksAreSuppressed) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  std::string errPath = dir.path() + "/stderr.txt";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  char* argv[] = {const_cast<char*>(LEAK_PROBE), const_cast<char*>(PROBE_DRIVER), nullptr};
  pid_t pid;
  int spawned = posix_spawn(&pid, LEAK_PROBE, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  ASSERT_EQ(spawned, 0);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  std::ifstream in(errPath);
  std::stringstream text;
  text << in.rdbuf();
  std::string err = text.str();

  EXPECT_FALSE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the run passed despite its leak\n" << err;
  EXPECT_NE(err.find("LeakSanitizer: detected memory leaks"), std::string::npos) << err;
  EXPECT_NE(err.find("Direct leak of 48 byte(s)"), std::string::npos) << err;
  EXPECT_NE(err.find("LeakOnPurpose"), std::string::npos) << "the leak's stack is not shown\n" << err;
  // The driver's block is matched by name although its module was closed before the check.
  EXPECT_EQ(err.find("Direct leak of 96 byte(s)"), std::string::npos) << err;
  EXPECT_NE(err.find("        96 _dri.so"), std::string::npos) << "no driver suppression was used\n" << err;
}

} // namespace
