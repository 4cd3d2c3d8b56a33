// The progress files: their sizes and markers, the option rules on loading, the refusal of files
// that are not whole progress files of their kind, round trips, failed saves and the wallet.
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include "file_size_limit.h"
#include "game_test_support.h"
#include "mission_table.h"
#include "progress_files.h"

namespace {

s32 WordOf(const Bytes& b, int i) {
  s32 v;
  memcpy(&v, &b[4 * i], 4);
  return v;
}

void SetWord(Bytes& b, int i, s32 v) { memcpy(&b[4 * i], &v, 4); }

void SetFloatWord(Bytes& b, int i, float f) { memcpy(&b[4 * i], &f, 4); }

// Every progress global back to its start value.
void ResetProgress() {
  g_muteSound = g_muteMusic = 0;
  g_accelerometerControl = 1;
  g_accelerometerSensitivity = 2000.0f;
  g_iphoneCustomZoom = 0.8f;
  g_ghostMode = 1;
  memset(g_ratemeShownOrCompleted, 0, sizeof g_ratemeShownOrCompleted);
  g_worldSelected = 0;
  memset(OptionsSaved, 0, sizeof OptionsSaved);
  const int worlds[WORLDS] = {1, 1, 0, 0, 1, 1, 1, 1, 1, 1};
  for (int i = 0; i < 15; ++i)
    g_charactersUnlocked[i] = i == 0;
  memcpy(g_worldsUnlocked, worlds, sizeof worlds);
  memset(g_superItemsUnlocked, 0, sizeof g_superItemsUnlocked);
  memset(g_purchasesCount, 0, sizeof g_purchasesCount);
  memset(ImportantDataSaved, 0, sizeof ImportantDataSaved);
  memset(g_levelAchievements, 0, sizeof g_levelAchievements);
  memset(g_globalAchievements, 0, sizeof g_globalAchievements);
  for (mission& m : Missions)
    m = mission();
}

class ProgressFiles : public ::testing::Test {
protected:
  void SetUp() override {
    ResetProgress();
    std::filesystem::create_directories("data");
  }
  void TearDown() override { ResetProgress(); }
  PackGame game; // its save directory is "data/" in a fresh working directory
};

TEST_F(ProgressFiles, FirstSaveWritesEveryFileAtItsSizeWithTheMarkers) {
  SaveAllData();
  struct {
    const char* name;
    size_t size;
  } files[] = {{"options.cfg", 432},
               {"date.cfg", 636},
               {"missions.cfg", 1500},
               {"global.cfg", 4876},
               {"allinfo.dat", 153600}};
  for (auto& f : files)
    EXPECT_EQ(ReadFileBytes(std::string("data/") + f.name).size(), f.size) << f.name;
  Bytes options = ReadFileBytes("data/options.cfg");
  EXPECT_EQ(WordOf(options, 6), 2096);
  EXPECT_EQ(WordOf(options, 2), 1);
  float sensitivity;
  memcpy(&sensitivity, &options[12], 4);
  EXPECT_EQ(sensitivity, 2000.0f);
  Bytes date = ReadFileBytes("data/date.cfg");
  EXPECT_EQ(WordOf(date, 58), 2096);
  // Characters: only 0; worlds 0, 1 and 4-9.
  EXPECT_EQ(WordOf(date, 0), 1);
  EXPECT_EQ(WordOf(date, 1), 0);
  int worlds[20] = {1, 1, 0, 0, 1, 1, 1, 1, 1, 1};
  for (int w = 0; w < 20; ++w)
    EXPECT_EQ(WordOf(date, 15 + w), worlds[w]) << w;
}

TEST_F(ProgressFiles, OptionRulesApplyOnLoading) {
  SaveOptions();
  Bytes base = ReadFileBytes("data/options.cfg");
  struct {
    const char* what;
    int word;
    s32 value;
    bool isFloat;
    float floatValue;
    int control;
    float sensitivity, zoom;
    int world;
  } cases[] = {
      {"sensitivity 500", 3, 0, true, 500.0f, 1, 2000, 0.8f, 0},
      {"sensitivity 1500 kept", 3, 0, true, 1500.0f, 1, 1500, 0.8f, 0},
      {"sensitivity NaN", 3, 0, true, std::numeric_limits<float>::quiet_NaN(), 1, 2000, 0.8f, 0},
      {"zoom 0.4", 4, 0, true, 0.4f, 1, 2000, 0.8f, 0},
      {"zoom infinite", 4, 0, true, std::numeric_limits<float>::infinity(), 1, 2000, 0.8f, 0},
      {"zoom 0.6 kept", 4, 0, true, 0.6f, 1, 2000, 0.6f, 0},
      {"world -3", 10, -3, false, 0, 1, 2000, 0.8f, 0},
      {"world 25", 10, 25, false, 0, 1, 2000, 0.8f, 19},
      {"world 7", 10, 7, false, 0, 1, 2000, 0.8f, 7},
      {"scheme 10", 2, 10, false, 0, 10, 2000, 0.8f, 0},
      {"scheme 7 unknown", 2, 7, false, 0, 1, 2000, 0.8f, 0},
  };
  for (auto& c : cases) {
    ResetProgress();
    Bytes file = base;
    if (c.isFloat)
      SetFloatWord(file, c.word, c.floatValue);
    else
      SetWord(file, c.word, c.value);
    WriteFileBytes("data/options.cfg", file);
    EXPECT_EQ(LoadOptions(), 1);
    EXPECT_EQ(g_accelerometerControl, c.control) << c.what;
    EXPECT_EQ(g_accelerometerSensitivity, c.sensitivity) << c.what;
    EXPECT_EQ(g_iphoneCustomZoom, c.zoom) << c.what;
    EXPECT_EQ(g_worldSelected, c.world) << c.what;
  }
}

TEST_F(ProgressFiles, FilesThatAreNotWholeProgressFilesChangeNothing) {
  g_accelerometerControl = 10;
  g_worldSelected = 4;
  g_globalAchievements[2] = 77;
  g_levelAchievements[5][20] = 3;
  g_charactersUnlocked[6] = 1;
  Missions[30].counter = 150;
  SaveAllData();
  Bytes options = ReadFileBytes("data/options.cfg"), date = ReadFileBytes("data/date.cfg");
  Bytes global = ReadFileBytes("data/global.cfg"), levels = ReadFileBytes("data/allinfo.dat");
  Bytes missions = ReadFileBytes("data/missions.cfg");
  Bytes noMarker = options, dateNoMarker = date;
  SetWord(noMarker, 6, 2095);
  SetWord(dateNoMarker, 58, 0);
  Bytes longer = global;
  longer.push_back(0);
  struct {
    const char* name;
    Bytes data;
    int (*load)();
  } cases[] = {
      {"options.cfg", noMarker, LoadOptions},
      {"options.cfg", Bytes(options.begin(), options.end() - 1), LoadOptions},
      {"date.cfg", dateNoMarker, LoadImportantData},
      {"date.cfg", Bytes(date.begin(), date.end() - 4), LoadImportantData},
      {"global.cfg", longer, LoadGlobalData},
      {"global.cfg", Bytes(), LoadGlobalData},
      {"allinfo.dat", Bytes(levels.begin(), levels.begin() + 153596), LoadAllLevelsInfo},
      {"missions.cfg", Bytes(missions.begin(), missions.end() - 1), LoadMissions},
  };
  for (auto& c : cases) {
    ResetProgress();
    WriteFileBytes(std::string("data/") + c.name, c.data);
    testing::internal::CaptureStderr();
    EXPECT_EQ(c.load(), 1) << c.name;
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << c.name << ": " << err;
    EXPECT_NE(err.find(c.name), std::string::npos) << err;
    EXPECT_EQ(g_accelerometerControl, 1) << c.name;
    EXPECT_EQ(g_worldSelected, 0) << c.name;
    EXPECT_EQ(g_globalAchievements[2], 0) << c.name;
    EXPECT_EQ(g_levelAchievements[5][20], 0) << c.name;
    EXPECT_EQ(g_charactersUnlocked[0], 1) << c.name;
    EXPECT_EQ(g_charactersUnlocked[6], 0) << c.name;
    EXPECT_EQ(Missions[30].counter, 0) << c.name;
  }
  // Missing files are normal: nothing said, nothing changed.
  std::filesystem::remove_all("data");
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadOptions(), 0);
  EXPECT_EQ(LoadAllLevelsInfo(), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  // One that cannot be opened is said once (here data/ is a file, so nothing under it opens).
  std::ofstream("data") << "x";
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadGlobalData(), 0);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_NE(err.find("global.cfg"), std::string::npos) << err;
  std::filesystem::remove("data");
}

TEST_F(ProgressFiles, EverythingRoundTrips) {
  g_muteMusic = 1;
  g_accelerometerControl = 0;
  g_accelerometerSensitivity = 3100.5f;
  g_iphoneCustomZoom = 1.25f;
  g_ghostMode = 0;
  g_ratemeShownOrCompleted[1] = 1;
  g_worldSelected = 12;
  g_charactersUnlocked[6] = 1;
  g_worldsUnlocked[13] = 1;
  g_superItemsUnlocked[2] = 9;
  g_purchasesCount[2] = 4;
  g_globalAchievements[2] = 1234;
  g_globalAchievements[118 + 31] = 1;
  g_globalAchievements[1218] = -8;
  SetLevelBestTime(399, 19, 42.75f);
  g_levelAchievements[399][46] = 1;
  Missions[30].counter = 150;
  Missions[30].accumulator = 2.5f;
  Missions[30].completed = 1;
  Missions[30].bannerTimer = 0.75f;
  Missions[30].active = 1;
  Missions[99].justCompleted = 1;
  SaveAllData();
  ResetProgress();
  EXPECT_EQ(LoadOptions() + LoadImportantData() + LoadGlobalData() + LoadAllLevelsInfo() + LoadMissions(), 5);
  EXPECT_EQ(g_muteMusic, 1);
  EXPECT_EQ(g_accelerometerControl, 0);
  EXPECT_EQ(g_accelerometerSensitivity, 3100.5f);
  EXPECT_EQ(g_iphoneCustomZoom, 1.25f);
  EXPECT_EQ(g_ghostMode, 0);
  EXPECT_EQ(g_ratemeShownOrCompleted[1], 1);
  EXPECT_EQ(g_worldSelected, 12);
  EXPECT_EQ(g_charactersUnlocked[6], 1);
  EXPECT_EQ(g_worldsUnlocked[13], 1);
  EXPECT_EQ(g_superItemsUnlocked[2], 9);
  EXPECT_EQ(g_purchasesCount[2], 4);
  EXPECT_EQ(g_globalAchievements[2], 1234);
  EXPECT_EQ(g_globalAchievements[149], 1);
  EXPECT_EQ(g_globalAchievements[1218], -8);
  EXPECT_EQ(GetLevelBestTime(399, 19), 42.75f);
  EXPECT_EQ(g_levelAchievements[399][46], 1);
  EXPECT_EQ(Missions[30].counter, 150);
  EXPECT_EQ(Missions[30].accumulator, 2.5f);
  EXPECT_EQ(Missions[30].completed, 1);
  EXPECT_EQ(Missions[30].bannerTimer, 0.75f);
  EXPECT_EQ(Missions[30].active, 1);
  EXPECT_EQ(Missions[99].justCompleted, 1);
  // Words of the options file nobody uses come back as they were read.
  Bytes options = ReadFileBytes("data/options.cfg");
  SetWord(options, 50, 0x1234);
  WriteFileBytes("data/options.cfg", options);
  LoadOptions();
  SaveOptions();
  EXPECT_EQ(WordOf(ReadFileBytes("data/options.cfg"), 50), 0x1234);
}

// Numbers gone wrong in play are never saved as what the readers refuse: the files still load and
// the rest of the progress in them is kept.
TEST_F(ProgressFiles, NumbersGoneWrongInPlayAreNotSavedAsWhatTheReadersRefuse) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  SetLevelBestTime(5, 0, 30.5f);
  SetLevelBestTime(5, 0, nan);
  SetLevelBestTime(5, 0, LEVEL_TIME_MAX * 2);
  SetLevelBestTime(5, 0, -1);
  g_levelAchievements[6][LEVEL_WORD_COMPLETIONS] = 3;
  Missions[2].accumulator = nan;
  Missions[3].bannerTimer = -std::numeric_limits<float>::infinity();
  Missions[4].counter = 7;
  SaveAllData();
  ResetProgress();
  EXPECT_EQ(LoadAllLevelsInfo(), 1);
  EXPECT_EQ(LoadMissions(), 1);
  EXPECT_EQ(GetLevelBestTime(5, 0), 30.5f);
  EXPECT_EQ(g_levelAchievements[6][LEVEL_WORD_COMPLETIONS], 3);
  EXPECT_EQ(Missions[2].accumulator, 0);
  EXPECT_EQ(Missions[3].bannerTimer, 0);
  EXPECT_EQ(Missions[4].counter, 7);
}

TEST_F(ProgressFiles, FailedSaveKeepsTheOldFileAndSaysSo) {
  g_worldSelected = 3;
  SaveOptions();
  Bytes old = ReadFileBytes("data/options.cfg");
  // A directory in the way of the global file makes its save fail.
  std::filesystem::create_directories("data/global.cfg/inside");
  g_worldSelected = 5;
  testing::internal::CaptureStderr();
  SaveGlobalData();
  SaveOptions();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_NE(err.find("global.cfg"), std::string::npos) << err;
  EXPECT_TRUE(std::filesystem::is_directory("data/global.cfg/inside"));
  EXPECT_NE(ReadFileBytes("data/options.cfg"), old);

  // A disk that fills up in the middle: each file that did not fit keeps its old content whole.
  std::filesystem::remove_all("data/global.cfg");
  g_globalAchievements[2] = 41;
  g_levelAchievements[9][20] = 6;
  SaveAllData();
  Bytes oldGlobal = ReadFileBytes("data/global.cfg"), oldLevels = ReadFileBytes("data/allinfo.dat");
  Bytes oldOptions = ReadFileBytes("data/options.cfg");
  g_globalAchievements[2] = 42;
  g_levelAchievements[9][20] = 7;
  g_worldSelected = 6;
  {
    // Options (432 bytes) and unlocks (636) still fit; missions, global and level records do not.
    ScopedFileSizeLimit full(1000);
    ASSERT_TRUE(full.ok());
    testing::internal::CaptureStderr();
    SaveAllData();
    err = testing::internal::GetCapturedStderr();
  }
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 3) << err;
  for (const char* name : {"missions.cfg", "global.cfg", "allinfo.dat"})
    EXPECT_NE(err.find(name), std::string::npos) << name << ": " << err;
  EXPECT_EQ(ReadFileBytes("data/global.cfg"), oldGlobal);
  EXPECT_EQ(ReadFileBytes("data/allinfo.dat"), oldLevels);
  EXPECT_NE(ReadFileBytes("data/options.cfg"), oldOptions);
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator("data"))
    files += e.is_regular_file();
  EXPECT_EQ(files, 5); // no temporary file left behind
}

TEST_F(ProgressFiles, WalletLimits) {
  g_globalAchievements[2] = 3;
  SpendMushrooms(5);
  EXPECT_EQ(g_globalAchievements[2], 0);
  GainMushrooms(800);
  SpendMushrooms(-10);
  EXPECT_EQ(g_globalAchievements[2], 810);
  g_globalAchievements[2] = INT32_MAX - 1;
  GainMushrooms(5);
  EXPECT_EQ(g_globalAchievements[2], INT32_MAX);
}

TEST(ProgressPaths, DocumentsPathIsBounded) {
  PackGame game;
  char out[300];
  EXPECT_TRUE(GetFileFromDocuments("options.cfg", out));
  EXPECT_STREQ(out, "data/options.cfg");
  std::string longName(400, 'n');
  EXPECT_FALSE(GetFileFromDocuments(longName.c_str(), out));
  EXPECT_STREQ(out, "");
}

} // namespace
