// What the game writes always loads again: after a long scripted play (levels finished and died in,
// with several characters, over several runs of the program on one root) every progress file the
// program saved passes every check of its reader.
#include <cstring>
#include <string>

#include "game_test_support.h"
#include "mission_table.h"
#include "program_run.h"
#include "progress_files.h"

namespace {

using program_run::Slurp;

// Leaning right with a jump held for 15 frames of every 20 from frame 40, as a player finishes the
// sample levels.
std::string Journal() {
  std::string j = "0 tilt -0.2 0 0\n";
  for (int f = 40; f < 1500; f += 20)
    j += std::to_string(f) + " touch down 0 240 200\n" + std::to_string(f + 15) + " touch up 0 240 200\n";
  return j;
}

TEST(ProgressAfterPlay, EveryFileTheGameSavedLoadsAgain) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  int completed = 0;
  for (const char* run : {"--level 1 --character 0", "--level 2 --character 0", "--level 1 --character 2",
                          "--level 3 --character 1", "--level 0 --character 0"}) {
    program_run::Run r = program_run::RunHeadless(dir.path(), Journal(), std::string(run) + " --frames 1500");
    ASSERT_EQ(r.status, 0) << run << ": " << r.err;
    completed += r.out.find(" completed in ") != std::string::npos;
  }
  EXPECT_GE(completed, 2);

  const std::string data = dir.path() + "/root/data/";
  struct {
    const char* name;
    bool (*apply)(const unsigned char*, size_t, const char**);
  } files[] = {{"options.cfg", ApplyOptionsFile},
               {"date.cfg", ApplyImportantDataFile},
               {"missions.cfg", ApplyMissionsFile},
               {"global.cfg", ApplyGlobalFile},
               {"allinfo.dat", ApplyLevelsFile}};
  for (auto& f : files) {
    std::string bytes = Slurp(data + f.name);
    const char* why = "";
    EXPECT_TRUE(f.apply((const unsigned char*)bytes.data(), bytes.size(), &why)) << f.name << ": " << why;
  }
  // The records hold the play: levels finished and missions counted.
  int completions = 0;
  for (int l = 0; l < LEVEL_RECORDS; ++l)
    completions += g_levelAchievements[l][LEVEL_WORD_COMPLETIONS];
  EXPECT_GE(completions, 2);
  int counted = 0;
  for (const mission& m : Missions)
    counted += m.counter > 0 || m.completed;
  EXPECT_GT(counted, 0);
}

} // namespace
