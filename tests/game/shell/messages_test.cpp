// Messages a user can act on: one line per problem, on stderr, with the system's reason; stdout
// carries only the run's log.
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "game_rect.h"
#include "game_test_support.h"
#include "level_complete.h"
#include "level_file.h"
#include "program_run.h"
#include "running_game.h"

namespace {

using program_run::Slurp;

size_t Count(const std::string& s, const std::string& part) {
  size_t n = 0;
  for (size_t at = s.find(part); at != std::string::npos; at = s.find(part, at + 1))
    ++n;
  return n;
}

TEST(Messages, AMissingPackIsOneLineWithItsReasonAndNothingOnStdout) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  program_run::Run r = program_run::RunHeadless(dir.path(), "", "--frames 5 --data /nonexistent");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(Count(r.err, "\n"), 1u) << r.err;
  EXPECT_NE(r.err.find("'/nonexistent/_game_bb.pak': " + std::string(strerror(ENOENT))), std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("--data DIR"), std::string::npos) << r.err;
}

// Nothing can be written under the root (every file write fails, as on a read-only disk): each file
// is named once with the reason, however often the game saves it.
TEST(Messages, ARootThatCannotBeWrittenNamesEachFileOnceWithTheReason) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  std::filesystem::create_directories(dir.path() + "/root/data");
  // The limit would also stop the run's own log from reaching a file: it goes through a pipe.
  std::string command = "cd '" + dir.path() + "' && (trap '' XFSZ; ulimit -f 0; exec '" + SPROCKLET_PROGRAM +
                        "' --headless --frames 400 --root '" + dir.path() +
                        "/root') 2>&1 >/dev/null | cat >'" + dir.path() + "/err.txt'";
  ASSERT_EQ(system(command.c_str()), 0);
  std::string err = Slurp(dir.path() + "/err.txt");
  const std::string reason = "(" + std::string(strerror(EFBIG)) + ")";
  for (const char* name :
       {"options.cfg", "date.cfg", "missions.cfg", "global.cfg", "allinfo.dat", "global.opt"})
    EXPECT_EQ(Count(err, std::string("data/") + name + "' " + reason) +
                  Count(err, std::string("data/") + name + " " + reason),
              1u)
        << name << ":\n"
        << err;
  EXPECT_EQ(Count(err, "\n"), 6u) << err;
}

TEST(Messages, ARunWithoutALevelSaysNoLevelWasLeft) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  program_run::Run r = program_run::RunHeadless(dir.path(), "", "--frames 30");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find(" left after "), std::string::npos) << r.out;
}

TEST(Messages, TheLevelWriterSaysNothingOnStdout) {
  PackGame game;
  std::filesystem::create_directories("data");
  ClearGameRects();
  AddGameRect(0, 0, HERO_TYPE, true);
  GameRects[AddGameRect(5000, 5000, 15, true)].UpdateCoordinates();
  testing::internal::CaptureStdout();
  EXPECT_TRUE(EditorSaveAsText("level9.txt"));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_TRUE(std::filesystem::exists("data/level9.txt"));
  ClearGameRects();
}

class NextLevelMessages : public RunningGameTest {};

// The next level's step names the level that was left, once.
TEST_F(NextLevelMessages, TheLevelLeftIsTheOnePlayed) {
  ToTheMenu();
  g_levelSelected = 1;
  SwitchMode(9);
  Cycles(10);
  testing::internal::CaptureStdout();
  NextLevel();
  Cycles(2);
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(Count(out, " left after "), 1u) << out;
  EXPECT_NE(out.find("sprocklet: level 1 left after "), std::string::npos) << out;
  EXPECT_NE(out.find("sprocklet: level 2 started"), std::string::npos) << out;
}

} // namespace
