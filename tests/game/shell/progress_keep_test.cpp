// Nothing a player owns is lost to the progress files: a refused file is kept aside under a name
// that says so (never over an earlier copy) before a fresh one is saved; values the game never gives
// a word refuse the file with the word named; files not yet read, or that cannot be read, are not
// saved over; a failed save gives its reason once.
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include "game_test_support.h"
#include "mission_table.h"
#include "progress_files.h"

namespace {

void SetWord(Bytes& b, size_t i, s32 v) { memcpy(&b[4 * i], &v, 4); }

size_t Lines(const std::string& s) { return (size_t)std::count(s.begin(), s.end(), '\n'); }

class ProgressKeep : public ::testing::Test {
protected:
  void SetUp() override {
    memset(g_levelAchievements, 0, sizeof g_levelAchievements);
    memset(g_globalAchievements, 0, sizeof g_globalAchievements);
    for (mission& m : Missions)
      m = mission();
    std::filesystem::create_directories("data");
  }
  void TearDown() override {
    ReleaseProgressSaves();
    memset(g_levelAchievements, 0, sizeof g_levelAchievements);
    memset(g_globalAchievements, 0, sizeof g_globalAchievements);
    for (mission& m : Missions)
      m = mission();
  }
  PackGame game; // its save directory is "data/" in a fresh working directory
};

TEST_F(ProgressKeep, ARefusedFileIsKeptAsideAndTheNextSaveStartsAFreshOne) {
  Bytes first(1000, 0x11), second(7, 0x22);
  WriteFileBytes("data/allinfo.dat", first);
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadAllLevelsInfo(), 1);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Lines(err), 1u) << err;
  EXPECT_NE(err.find("data/allinfo.dat is not used"), std::string::npos) << err;
  EXPECT_NE(err.find("kept as data/allinfo.dat.damaged "), std::string::npos) << err;
  EXPECT_EQ(ReadFileBytes("data/allinfo.dat.damaged"), first);
  EXPECT_FALSE(std::filesystem::exists("data/allinfo.dat"));

  g_levelAchievements[3][LEVEL_WORD_COMPLETIONS] = 2;
  SaveAllLevelsInfo();
  EXPECT_EQ(ReadFileBytes("data/allinfo.dat").size(), (size_t)LEVELS_FILE_SIZE);

  // A later refusal of the same file goes beside the earlier copy, which stays as it was.
  WriteFileBytes("data/allinfo.dat", second);
  testing::internal::CaptureStderr();
  LoadAllLevelsInfo();
  err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("kept as data/allinfo.dat.damaged2 "), std::string::npos) << err;
  EXPECT_EQ(ReadFileBytes("data/allinfo.dat.damaged"), first);
  EXPECT_EQ(ReadFileBytes("data/allinfo.dat.damaged2"), second);
}

TEST_F(ProgressKeep, AFileThatCanBeNeitherReadNorMovedAsideIsNotSavedOver) {
  // Every kept name taken: the file stays, and saves leave it alone.
  Bytes damaged(10, 0x33);
  WriteFileBytes("data/global.cfg", damaged);
  for (int n = 1; n <= 99; ++n)
    WriteFileBytes("data/global.cfg.damaged" + (n == 1 ? std::string() : std::to_string(n)), Bytes(1, 0));
  testing::internal::CaptureStderr();
  LoadGlobalData();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Lines(err), 1u) << err;
  EXPECT_NE(err.find("not saved over"), std::string::npos) << err;
  SaveAllData();
  EXPECT_EQ(ReadFileBytes("data/global.cfg"), damaged);
  EXPECT_EQ(ReadFileBytes("data/global.cfg.damaged"), Bytes(1, 0));
  // The other files are saved as usual.
  EXPECT_EQ(ReadFileBytes("data/allinfo.dat").size(), (size_t)LEVELS_FILE_SIZE);
}

// A file that opens but does not read through (here a directory; on a disk, an I/O error) may be
// whole: it is named and left where it is, neither moved aside nor saved over.
TEST_F(ProgressKeep, AFileThatDoesNotReadThroughIsLeftWhereItIs) {
  std::filesystem::create_directories("data/missions.cfg");
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadMissions(), 0);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Lines(err), 1u) << err;
  EXPECT_NE(err.find("cannot read data/missions.cfg"), std::string::npos) << err;
  EXPECT_FALSE(std::filesystem::exists("data/missions.cfg.damaged"));
  testing::internal::CaptureStderr();
  SaveMissions();
  testing::internal::GetCapturedStderr();
  EXPECT_TRUE(std::filesystem::is_directory("data/missions.cfg"));
}

TEST_F(ProgressKeep, FilesNotReadYetAreNotSavedOverUntilTheirLoadRuns) {
  g_levelAchievements[7][LEVEL_WORD_COMPLETIONS] = 4;
  g_globalAchievements[GLOBAL_WORD_MUSHROOMS] = 30;
  SaveAllData();
  Bytes levels = ReadFileBytes("data/allinfo.dat"), global = ReadFileBytes("data/global.cfg");
  memset(g_levelAchievements, 0, sizeof g_levelAchievements);
  memset(g_globalAchievements, 0, sizeof g_globalAchievements);

  HoldProgressSaves();
  SaveAllData();
  EXPECT_EQ(ReadFileBytes("data/allinfo.dat"), levels);
  EXPECT_EQ(ReadFileBytes("data/global.cfg"), global);
  // A file that is not there yet has nothing to lose.
  std::filesystem::remove("data/date.cfg");
  SaveAllData();
  EXPECT_EQ(ReadFileBytes("data/date.cfg").size(), (size_t)IMPORTANT_DATA_FILE_SIZE);

  EXPECT_EQ(LoadAllLevelsInfo(), 1);
  EXPECT_EQ(g_levelAchievements[7][LEVEL_WORD_COMPLETIONS], 4);
  g_levelAchievements[7][LEVEL_WORD_COMPLETIONS] = 5;
  SaveAllData();
  EXPECT_NE(ReadFileBytes("data/allinfo.dat"), levels);
  EXPECT_EQ(ReadFileBytes("data/global.cfg"), global); // still not read
}

// A word of one file set to a value the game never gives it.
struct BadWord {
  const char* name;
  int (*load)();
  size_t size;
  size_t offset; // in bytes
  bool isFloat;
  s32 value;
  float floatValue;
  const char* named; // what the line says of the word
};

void PrintTo(const BadWord& c, std::ostream* os) { *os << c.name << " " << c.named; }

class ProgressRanges : public ProgressKeep, public ::testing::WithParamInterface<BadWord> {};

TEST_P(ProgressRanges, AValueTheGameNeverGivesRefusesTheFileNamingTheWord) {
  const BadWord& c = GetParam();
  SaveAllData();
  Bytes file = ReadFileBytes(std::string("data/") + c.name);
  ASSERT_EQ(file.size(), c.size);
  if (c.isFloat)
    memcpy(&file[c.offset], &c.floatValue, 4);
  else if (c.size == (size_t)MISSIONS_FILE_SIZE && c.offset % 15 != 0)
    file[c.offset] = (unsigned char)c.value;
  else
    memcpy(&file[c.offset], &c.value, 4);
  // Something in every table that a refusal must leave alone.
  g_levelAchievements[5][LEVEL_WORD_COMPLETIONS] = 3;
  g_globalAchievements[GLOBAL_WORD_MUSHROOMS] = 9;
  Missions[4].counter = 6;
  g_charactersUnlocked[3] = 0;
  WriteFileBytes(std::string("data/") + c.name, file);
  testing::internal::CaptureStderr();
  EXPECT_EQ(c.load(), 1);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Lines(err), 1u) << err;
  EXPECT_NE(err.find(std::string("data/") + c.name + " is not used"), std::string::npos) << err;
  EXPECT_NE(err.find(c.named), std::string::npos) << err;
  EXPECT_EQ(g_levelAchievements[5][LEVEL_WORD_COMPLETIONS], 3);
  EXPECT_EQ(g_globalAchievements[GLOBAL_WORD_MUSHROOMS], 9);
  EXPECT_EQ(Missions[4].counter, 6);
  EXPECT_EQ(g_charactersUnlocked[3], 0);
}

const size_t kLevelWord = 4 * (50 * LEVEL_RECORD_WORDS); // level 50's record
const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Words, ProgressRanges,
    ::testing::Values(BadWord{"allinfo.dat", LoadAllLevelsInfo, LEVELS_FILE_SIZE, kLevelWord + 4 * 21, false,
                              9, 0, "word 4821, level 50's rank, is 9"},
                      BadWord{"allinfo.dat", LoadAllLevelsInfo, LEVELS_FILE_SIZE, kLevelWord + 4 * 20, false,
                              -1, 0, "level 50's completions, is -1"},
                      BadWord{"allinfo.dat", LoadAllLevelsInfo, LEVELS_FILE_SIZE, kLevelWord + 4 * 47, false,
                              2000000, 0, "level 50's deaths, is 2000000"},
                      BadWord{"allinfo.dat", LoadAllLevelsInfo, LEVELS_FILE_SIZE, kLevelWord + 4 * 25, false,
                              7, 0, "level 50's mushroom flag, is 7"},
                      BadWord{"allinfo.dat", LoadAllLevelsInfo, LEVELS_FILE_SIZE, kLevelWord + 4 * 46, false,
                              -5, 0, "level 50's opened flag, is -5"},
                      BadWord{"allinfo.dat", LoadAllLevelsInfo, LEVELS_FILE_SIZE, kLevelWord + 4 * 2, true, 0,
                              -3.5f, "level 50's best time of character 2, is -3.5"},
                      BadWord{"allinfo.dat", LoadAllLevelsInfo, LEVELS_FILE_SIZE, kLevelWord + 4 * 0, true, 0,
                              1.0e30f, "level 50's best time of character 0"},
                      BadWord{"allinfo.dat", LoadAllLevelsInfo, LEVELS_FILE_SIZE, kLevelWord + 4 * 7, true, 0,
                              kNaN, "level 50's best time of character 7, is nan"},
                      BadWord{"global.cfg", LoadGlobalData, GLOBAL_FILE_SIZE, 4 * 2, false, -40, 0,
                              "the mushroom balance, is -40"},
                      BadWord{"global.cfg", LoadGlobalData, GLOBAL_FILE_SIZE, 4 * 150, false, 3, 0,
                              "word 150, secret item 32, is 3"},
                      BadWord{"missions.cfg", LoadMissions, MISSIONS_FILE_SIZE, 15 * 12, false, -8, 0,
                              "the counter of mission 12, is -8"},
                      BadWord{"missions.cfg", LoadMissions, MISSIONS_FILE_SIZE, 15 * 12 + 8, false, 2, 0,
                              "byte 188 of mission 12 is 2"},
                      BadWord{"missions.cfg", LoadMissions, MISSIONS_FILE_SIZE, 15 * 99 + 14, false, 255, 0,
                              "of mission 99 is 255"},
                      BadWord{"missions.cfg", LoadMissions, MISSIONS_FILE_SIZE, 15 * 3 + 10, true, 0, -1.0f,
                              "the banner time of mission 3"},
                      BadWord{"missions.cfg", LoadMissions, MISSIONS_FILE_SIZE, 15 * 9 + 10, true, 0, kInf,
                              "byte 145, the banner time of mission 9, is inf"},
                      BadWord{"missions.cfg", LoadMissions, MISSIONS_FILE_SIZE, 15 * 7 + 4, true, 0, -kInf,
                              "byte 109, the accumulator of mission 7, is -inf"},
                      BadWord{"missions.cfg", LoadMissions, MISSIONS_FILE_SIZE, 15 * 2 + 4, true, 0, kNaN,
                              "the accumulator of mission 2, is nan"},
                      BadWord{"date.cfg", LoadImportantData, IMPORTANT_DATA_FILE_SIZE, 4 * 20, false, 2, 0,
                              "word 20 is 2 where an unlock flag"},
                      BadWord{"date.cfg", LoadImportantData, IMPORTANT_DATA_FILE_SIZE, 4 * 35, false, -1, 0,
                              "word 35 is -1 where a count"}));

// Random bytes of the right size (and marker) are never taken as progress.
TEST_F(ProgressKeep, RandomBytesOfTheRightSizeAreRefused) {
  struct {
    const char* name;
    int (*load)();
    size_t size;
  } files[] = {{"allinfo.dat", LoadAllLevelsInfo, LEVELS_FILE_SIZE},
               {"global.cfg", LoadGlobalData, GLOBAL_FILE_SIZE},
               {"missions.cfg", LoadMissions, MISSIONS_FILE_SIZE},
               {"date.cfg", LoadImportantData, IMPORTANT_DATA_FILE_SIZE}};
  srand(34);
  for (auto& f : files)
    for (int attempt = 0; attempt < 20; ++attempt) {
      Bytes random(f.size);
      for (unsigned char& b : random)
        b = (unsigned char)(rand() & 0xFF);
      if (f.size == (size_t)IMPORTANT_DATA_FILE_SIZE) SetWord(random, 58, PROGRESS_MARKER);
      WriteFileBytes(std::string("data/") + f.name, random);
      testing::internal::CaptureStderr();
      f.load();
      std::string err = testing::internal::GetCapturedStderr();
      EXPECT_NE(err.find("is not used"), std::string::npos) << f.name << " attempt " << attempt;
    }
  EXPECT_EQ(g_globalAchievements[GLOBAL_WORD_MUSHROOMS], 0);
  for (const mission& m : Missions)
    EXPECT_EQ(m.completed, 0);
}

// What the game writes loads again, the boundaries of each range included.
TEST_F(ProgressKeep, TheEdgesOfEveryRangeLoad) {
  SetLevelBestTime(1, 0, 59.999f);
  g_levelAchievements[1][LEVEL_WORD_RANK] = 4;
  g_levelAchievements[1][LEVEL_WORD_COMPLETIONS] = PROGRESS_COUNT_MAX;
  g_globalAchievements[GLOBAL_WORD_MUSHROOMS] = INT32_MAX;
  g_globalAchievements[GLOBAL_WORD_SCORE] = -900; // counted again from the records, never refused
  g_globalAchievements[600] = -77;                // not used: kept as read
  Missions[2].accumulator = -5000;                // running left counts against a distance
  SaveAllData();
  memset(g_levelAchievements, 0, sizeof g_levelAchievements);
  memset(g_globalAchievements, 0, sizeof g_globalAchievements);
  Missions[2] = mission();
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadAllLevelsInfo() + LoadGlobalData() + LoadMissions() + LoadImportantData(), 4);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(GetLevelBestTime(1, 0), 59.999f);
  EXPECT_EQ(g_levelAchievements[1][LEVEL_WORD_COMPLETIONS], PROGRESS_COUNT_MAX);
  EXPECT_EQ(g_globalAchievements[GLOBAL_WORD_MUSHROOMS], INT32_MAX);
  EXPECT_EQ(g_globalAchievements[600], -77);
  EXPECT_EQ(Missions[2].accumulator, -5000);
}

// A root that cannot be written says why, once per file, however often the game saves.
TEST_F(ProgressKeep, AFailedSaveGivesItsReasonOnce) {
  std::filesystem::create_directories("data/missions.cfg/inside");
  testing::internal::CaptureStderr();
  SaveAllData();
  SaveAllData();
  SaveMissions();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Lines(err), 1u) << err;
  EXPECT_NE(err.find("could not save data/missions.cfg ("), std::string::npos) << err;
  EXPECT_NE(err.find(strerror(EISDIR)), std::string::npos) << err;
  // Once it saves again, a new failure is said again.
  std::filesystem::remove_all("data/missions.cfg");
  SaveMissions();
  std::filesystem::remove("data/missions.cfg");
  std::filesystem::create_directories("data/missions.cfg/inside");
  testing::internal::CaptureStderr();
  SaveMissions();
  EXPECT_EQ(Lines(testing::internal::GetCapturedStderr()), 1u);
  std::filesystem::remove_all("data/missions.cfg");
}

} // namespace
