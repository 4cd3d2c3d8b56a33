// The progress files: options, unlocks, missions, global progress and per-level records, each the
// little-endian image of a global table in the save directory; and the mushroom wallet.
#pragma once

#include <cstddef>

#include "quellar_types.h"

enum {
  LEVEL_RECORDS = 400,
  LEVEL_RECORD_WORDS = 96,
  GLOBAL_ACHIEVEMENT_WORDS = 1219,
  OPTIONS_WORDS = 108,
  IMPORTANT_DATA_WORDS = 159,
  PROGRESS_MARKER = 2096,
  // Words of a level record.
  LEVEL_WORD_COMPLETIONS = 20,
  LEVEL_WORD_RANK = 21,
  LEVEL_WORD_MUSHROOM = 22, // + character index
  LEVEL_WORD_OPENED = 46,
  LEVEL_WORD_DEATHS = 47,
  // Words of the global record.
  GLOBAL_WORD_MUSHROOMS = 2,
  GLOBAL_WORD_SECRETS = 118, // + item
  GLOBAL_WORD_SCORE = 218,
  GLOBAL_WORD_PREVIOUS_SCORE = 219,
  SECRET_ITEMS = 100,
  WORLDS = 20,
  // Completions, deaths, mission counters and the power-up stock never come near it in play; a
  // file holding more is not the game's.
  PROGRESS_COUNT_MAX = 1000000,
};
// The level clock stops at 60 seconds: no best time is longer.
constexpr float LEVEL_TIME_MAX = 61.0f;

// Words 0-19 of a record are the best times (float) of characters 0-19.
extern s32 g_levelAchievements[LEVEL_RECORDS][LEVEL_RECORD_WORDS];
extern s32 g_globalAchievements[GLOBAL_ACHIEVEMENT_WORDS];
float GetLevelBestTime(int level, int character);
void SetLevelBestTime(int level, int character, float seconds);

// Options ("options.cfg").
extern int g_muteSound;
extern int g_muteMusic;
extern int g_accelerometerControl; // 1 tilt, 10 arrow buttons, 0 virtual stick, 11 no touch jump
extern float g_accelerometerSensitivity;
extern float g_iphoneCustomZoom;
extern u8 g_ghostMode;
extern u8 g_ratemeShownOrCompleted[3];
extern int g_worldSelected;
extern s32 OptionsSaved[OPTIONS_WORDS];

// Unlocks, power-up stock and purchase counts ("date.cfg").
extern int g_charactersUnlocked[15];
extern int g_worldsUnlocked[WORLDS];
extern int g_superItemsUnlocked[20];
extern int g_purchasesCount[3];
extern s32 ImportantDataSaved[IMPORTANT_DATA_WORDS];

// The save directory + name, in a buffer of 300 bytes; false (and an empty path) when it does not fit.
bool GetFileFromDocuments(const char* name, char* out);

// Each save replaces its file atomically; a failed save keeps the old file and says so on stderr
// (once, until a save of that file succeeds). Each load reads the whole file and applies it only when
// its length, marker and every value the game uses fit; otherwise the tables keep what they hold,
// the file is moved aside to "<name>.damaged" (never over an earlier copy), and one line on stderr
// says why and where it went. Loads answer 0 when there is no file.
//
// From HoldProgressSaves until its load has run, a file on disk is not saved over, so quitting before
// the loader has read the progress loses nothing; nor is one that could neither be read nor moved
// aside. The gameplay window holds them at its start and releases them when it ends.
void HoldProgressSaves();
void ReleaseProgressSaves();
void SaveAllData();
void SaveOptions();
int LoadOptions();
void SaveImportantData();
int LoadImportantData();
void SaveMissions();
int LoadMissions();
void SaveGlobalData();
int LoadGlobalData();
void SaveAllLevelsInfo();
int LoadAllLevelsInfo();
void SaveGame(char*);
void LoadGame(char*);

// The byte images of the files, as written and as read.
enum {
  OPTIONS_FILE_SIZE = OPTIONS_WORDS * 4,
  IMPORTANT_DATA_FILE_SIZE = IMPORTANT_DATA_WORDS * 4,
  MISSIONS_FILE_SIZE = 100 * 15,
  GLOBAL_FILE_SIZE = GLOBAL_ACHIEVEMENT_WORDS * 4,
  LEVELS_FILE_SIZE = LEVEL_RECORDS * LEVEL_RECORD_WORDS * 4,
};
// Apply a file's bytes; false (nothing changed) when they are not a file of that kind, with the
// reason in why.
bool ApplyOptionsFile(const unsigned char* data, size_t size, const char** why);
bool ApplyImportantDataFile(const unsigned char* data, size_t size, const char** why);
bool ApplyMissionsFile(const unsigned char* data, size_t size, const char** why);
bool ApplyGlobalFile(const unsigned char* data, size_t size, const char** why);
bool ApplyLevelsFile(const unsigned char* data, size_t size, const char** why);

// The wallet.
void SpendMushrooms(int n);
void GainMushrooms(int n);

// The picked character and the powerup stock (over g_superItemsUnlocked).
class globalData {
public:
  void Init();
  int GetShields();
  int GetTimeSlows();
  // n may be negative (the shop adds stock); the stock never falls below 0.
  void ConsumeShield(int n);
  void ConsumeTimeSlows(int n);
  int characterIndex = 0; // picked in level selection
};
extern globalData GlobalData;
