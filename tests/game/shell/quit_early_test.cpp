// A player who closes the game while the loader still runs keeps every level record and mission: the
// program never saves a progress file it has not read yet.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "game_test_support.h"
#include "program_run.h"
#include "progress_files.h"

namespace {

using program_run::Slurp;

void PutWord(std::string& b, size_t word, int32_t v) { memcpy(&b[4 * word], &v, 4); }

class QuitEarly : public ::testing::TestWithParam<int> {};

TEST_P(QuitEarly, KeepsAFinishedLevelAndACompletedMission) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  const std::string data = dir.path() + "/root/data/";
  std::filesystem::create_directories(data);
  std::string levels(LEVELS_FILE_SIZE, '\0');
  float best = 21.5f;
  memcpy(&levels[4 * LEVEL_RECORD_WORDS], &best, 4);
  PutWord(levels, LEVEL_RECORD_WORDS + LEVEL_WORD_COMPLETIONS, 2);
  PutWord(levels, LEVEL_RECORD_WORDS + LEVEL_WORD_RANK, 3);
  PutWord(levels, 2 * LEVEL_RECORD_WORDS + LEVEL_WORD_OPENED, 1);
  std::string missions(MISSIONS_FILE_SIZE, '\0');
  missions[0] = 1;      // mission 0's counter
  missions[8] = 1;      // completed
  missions[15 * 5] = 3; // mission 5's counter
  std::string global(GLOBAL_FILE_SIZE, '\0');
  PutWord(global, GLOBAL_WORD_MUSHROOMS, 12);
  std::ofstream(data + "allinfo.dat", std::ios::binary) << levels;
  std::ofstream(data + "missions.cfg", std::ios::binary) << missions;
  std::ofstream(data + "global.cfg", std::ios::binary) << global;

  program_run::Run r = program_run::RunHeadless(dir.path(), "", "--frames " + std::to_string(GetParam()));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Slurp(data + "allinfo.dat"), levels);
  EXPECT_EQ(Slurp(data + "missions.cfg"), missions);
  EXPECT_EQ(Slurp(data + "global.cfg"), global);
  EXPECT_EQ(r.err, "");
}

// The first frame, one second in, and the last frames before the loader reads the level records.
INSTANTIATE_TEST_SUITE_P(Frames, QuitEarly, ::testing::Values(1, 60, 310));

} // namespace
