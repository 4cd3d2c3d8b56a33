// Levels that are not there: --level N is refused in one line when no level N can be read; a level
// of the pack that cannot be read is named in one line and play goes back to the screen it came
// from; a developer's damaged data/levelN.txt gives way to the pack's level, said once.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game_test_support.h"
#include "program_run.h"
#include "startup_pack.h"

namespace {

using program_run::Tap;

size_t Lines(const std::string& s) { return (size_t)std::count(s.begin(), s.end(), '\n'); }

class UnreadableLevel : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(dir.ok()); }
  // A copy of the sample pack in dir/pack whose entry "levels\levelN.txt" holds bytes instead.
  void DamagePackLevel(int level, const std::string& bytes) {
    std::filesystem::create_directories(dir.path() + "/pack");
    ASSERT_TRUE(CopySamplePack(dir.path() + "/pack/_game_bb.pak"));
    const std::string entry = "levels\\level" + std::to_string(level) + ".txt";
    std::ofstream(dir.path() + "/pack/" + entry, std::ios::binary) << bytes;
    std::string command = "cd '" + dir.path() + "/pack' && zip -q _game_bb.pak '" + entry + "'";
    ASSERT_EQ(system(command.c_str()), 0);
  }
  ScopedTempDir dir;
};

TEST_F(UnreadableLevel, StartingInALevelThatCannotBeReadIsRefusedInOneLine) {
  program_run::Run r = program_run::RunHeadless(dir.path(), "", "--frames 30 --level 300");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(Lines(r.err), 1u) << r.err;
  EXPECT_NE(r.err.find("--level 300: no level file level300 in the pack"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");

  DamagePackLevel(7, std::string(600, 'x'));
  r = program_run::RunHeadless(dir.path(), "", "--frames 30 --level 7 --data '" + dir.path() + "/pack'");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(Lines(r.err), 1u) << r.err;
  EXPECT_NE(r.err.find("--level 7: level file levels\\level7.txt is not used"), std::string::npos) << r.err;
}

// From level selection's first box into the tutorial's level 41, which the pack holds damaged: one
// line names it, and level selection is back without a frame of play.
TEST_F(UnreadableLevel, ALevelOfThePackThatCannotBeReadLeadsBackToLevelSelection) {
  DamagePackLevel(41, "not a level");
  const int menuTap = 175, mapTap = 200, boxTap = 230;
  std::string journal =
      Tap(2, 240, 160) + Tap(menuTap, 240, 264) + Tap(mapTap, 240, 160) + Tap(boxTap, 56, 80);
  program_run::Run r =
      program_run::RunHeadless(dir.path(), journal, "--frames 330 --data '" + dir.path() + "/pack'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(program_run::ModePath(r.out), (std::vector<int>{18, 0, 1, 11, 9, 11})) << r.out;
  int start = program_run::SwitchFrame(r.out, 11, 9), back = program_run::SwitchFrame(r.out, 9, 11);
  EXPECT_EQ(back, start + 1) << r.out;
  EXPECT_EQ(r.out.find("level 41 started"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("level 41 left"), std::string::npos) << r.out;
  EXPECT_EQ(Lines(r.err), 1u) << r.err;
  EXPECT_NE(r.err.find("level file levels\\level41.txt is not used"), std::string::npos) << r.err;
}

TEST_F(UnreadableLevel, ADamagedDeveloperLevelGivesWayToThePacksSaidOnce) {
  std::filesystem::create_directories(dir.path() + "/root/data");
  std::ofstream(dir.path() + "/root/data/level5.txt") << "damaged";
  // Leaning right without a jump the hero falls and restarts the level, which reads the file again.
  program_run::Run r =
      program_run::RunHeadless(dir.path(), "0 tilt -0.3 0 0\n", "--frames 900 --developer --level 5");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Lines(r.err), 1u) << r.err;
  EXPECT_NE(r.err.find("level file data/level5.txt is not used ("), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("levels\\level5.txt is played instead"), std::string::npos) << r.err;
  int objects = 0;
  size_t at = r.out.find("sprocklet: level 5 started with ");
  ASSERT_NE(at, std::string::npos) << r.out;
  ASSERT_EQ(sscanf(r.out.c_str() + at, "sprocklet: level 5 started with %d objects", &objects), 1);
  EXPECT_GT(objects, 0);
}

} // namespace
