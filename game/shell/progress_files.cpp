// The progress files: building and applying their byte images, atomic saves, whole-file loads.
#include "progress_files.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "files.h"
#include "game_base.h"
#include "game_services.h"
#include "platform_services.h"

s32 g_levelAchievements[LEVEL_RECORDS][LEVEL_RECORD_WORDS];
s32 g_globalAchievements[GLOBAL_ACHIEVEMENT_WORDS];

int g_muteSound = 0;
int g_muteMusic = 0;
int g_accelerometerControl = 1;
float g_accelerometerSensitivity = 2000.0f;
float g_iphoneCustomZoom = 0.8f;
u8 g_ghostMode = 1;
u8 g_ratemeShownOrCompleted[3] = {0, 0, 0};
int g_worldSelected = 0;
s32 OptionsSaved[OPTIONS_WORDS];

int g_charactersUnlocked[15] = {1};
int g_worldsUnlocked[WORLDS] = {1, 1, 0, 0, 1, 1, 1, 1, 1, 1};
int g_superItemsUnlocked[20];
int g_purchasesCount[3];
s32 ImportantDataSaved[IMPORTANT_DATA_WORDS];

namespace {

// --- little-endian words ---

s32 Word(const unsigned char* p) {
  return (s32)((u32)p[0] | (u32)p[1] << 8 | (u32)p[2] << 16 | (u32)p[3] << 24);
}

void PutWord(unsigned char* p, s32 v) {
  u32 u = (u32)v;
  for (int i = 0; i < 4; ++i)
    p[i] = (unsigned char)(u >> (8 * i));
}

float WordAsFloat(s32 w) {
  float f;
  memcpy(&f, &w, sizeof f);
  return f;
}

s32 FloatAsWord(float f) {
  s32 w;
  memcpy(&w, &f, sizeof w);
  return w;
}

// A float from a file, or fallback when it is not a number or infinite.
float FiniteOr(float v, float fallback) { return std::isfinite(v) ? v : fallback; }

bool IsControlScheme(int v) { return v == 0 || v == 1 || v == 10 || v == 11; }

int ClampWorld(int w) { return w < 0 ? 0 : w >= WORLDS ? WORLDS - 1 : w; }

bool WrongSize(size_t size, size_t expected, const char** why) {
  if (size == expected) return false;
  if (why)
    *why = size < expected ? "shorter than a progress file of its kind"
                           : "longer than a progress file of its kind";
  return true;
}

// --- files on disk ---

void Save(const char* name, const unsigned char* data, size_t size) {
  char path[300];
  if (!GetFileFromDocuments(name, path) || !WriteFileAtomically(path, data, size))
    fprintf(stderr, "sprocklet: could not save %s; the previous file is kept\n", path[0] ? path : name);
}

// 0 when there is no file; otherwise 1, after applying it or saying on stderr why not.
int Load(const char* name, size_t expected, bool (*apply)(const unsigned char*, size_t, const char**)) {
  char path[300];
  if (!GetFileFromDocuments(name, path)) return 0;
  CommonString disk = DiskPathFromEnginePath(path);
  FILE* f = fopen(disk.c_str(), "rb");
  if (!f) {
    // No file yet is the first start; one that is there but does not open is worth a line.
    if (errno != ENOENT)
      fprintf(stderr, "sprocklet: cannot open %s (%s); the progress in memory is kept\n", path,
              strerror(errno));
    return 0;
  }
  // One byte more than the layout tells a longer file from a whole one.
  std::vector<unsigned char> data(expected + 1);
  size_t got = fread(data.data(), 1, data.size(), f);
  bool failed = ferror(f) != 0;
  fclose(f);
  const char* why = "unreadable";
  if (failed || !apply(data.data(), got, &why))
    fprintf(stderr, "sprocklet: %s is not used (%s); the progress in memory is kept\n", path, why);
  return 1;
}

} // namespace

float GetLevelBestTime(int level, int character) {
  if (level < 0 || level >= LEVEL_RECORDS || character < 0 || character >= 20) return 0;
  return WordAsFloat(g_levelAchievements[level][character]);
}

void SetLevelBestTime(int level, int character, float seconds) {
  if (level < 0 || level >= LEVEL_RECORDS || character < 0 || character >= 20) return;
  g_levelAchievements[level][character] = FloatAsWord(seconds);
}

bool GetFileFromDocuments(const char* name, char* out) {
  out[0] = 0;
  CommonString dir = g_pGame ? g_pGame->GetSaveDirectory() : CommonString("data/");
  int n = snprintf(out, 300, "%s%s", dir.c_str(), name ? name : "");
  if (n < 0 || n >= 300) {
    out[0] = 0;
    return false;
  }
  return true;
}

// --- options.cfg ---

void SaveOptions() {
  OptionsSaved[0] = g_muteSound;
  OptionsSaved[1] = g_muteMusic;
  OptionsSaved[2] = g_accelerometerControl;
  OptionsSaved[3] = FloatAsWord(g_accelerometerSensitivity);
  OptionsSaved[4] = FloatAsWord(g_iphoneCustomZoom);
  OptionsSaved[5] = g_ghostMode;
  OptionsSaved[6] = PROGRESS_MARKER;
  for (int i = 0; i < 3; ++i)
    OptionsSaved[7 + i] = g_ratemeShownOrCompleted[i];
  OptionsSaved[10] = g_worldSelected;
  unsigned char bytes[OPTIONS_FILE_SIZE];
  for (int i = 0; i < OPTIONS_WORDS; ++i)
    PutWord(bytes + 4 * i, OptionsSaved[i]);
  Save("options.cfg", bytes, sizeof bytes);
}

bool ApplyOptionsFile(const unsigned char* data, size_t size, const char** why) {
  if (WrongSize(size, OPTIONS_FILE_SIZE, why)) return false;
  if (Word(data + 4 * 6) != PROGRESS_MARKER) {
    if (why) *why = "no marker 2096 in word 6";
    return false;
  }
  for (int i = 0; i < OPTIONS_WORDS; ++i)
    OptionsSaved[i] = Word(data + 4 * i);
  g_muteSound = OptionsSaved[0];
  g_muteMusic = OptionsSaved[1];
  g_accelerometerControl = IsControlScheme(OptionsSaved[2]) ? OptionsSaved[2] : 1;
  g_accelerometerSensitivity = FiniteOr(WordAsFloat(OptionsSaved[3]), 2000.0f);
  g_iphoneCustomZoom = FiniteOr(WordAsFloat(OptionsSaved[4]), 0.8f);
  g_ghostMode = OptionsSaved[5] > 0;
  for (int i = 0; i < 3; ++i)
    g_ratemeShownOrCompleted[i] = OptionsSaved[7 + i] > 0;
  g_worldSelected = OptionsSaved[10];
  if (g_accelerometerSensitivity < 1000.0f) g_accelerometerSensitivity = 2000.0f;
  if (g_iphoneCustomZoom < 0.45f) g_iphoneCustomZoom = 0.8f;
  g_worldSelected = ClampWorld(g_worldSelected);
  return true;
}

int LoadOptions() { return Load("options.cfg", OPTIONS_FILE_SIZE, ApplyOptionsFile); }

// --- date.cfg ---

void SaveImportantData() {
  for (int i = 0; i < 15; ++i)
    ImportantDataSaved[i] = g_charactersUnlocked[i];
  for (int i = 0; i < 20; ++i)
    ImportantDataSaved[15 + i] = g_worldsUnlocked[i];
  for (int i = 0; i < 20; ++i)
    ImportantDataSaved[35 + i] = g_superItemsUnlocked[i];
  for (int i = 0; i < 3; ++i)
    ImportantDataSaved[55 + i] = g_purchasesCount[i];
  ImportantDataSaved[58] = PROGRESS_MARKER;
  unsigned char bytes[IMPORTANT_DATA_FILE_SIZE];
  for (int i = 0; i < IMPORTANT_DATA_WORDS; ++i)
    PutWord(bytes + 4 * i, ImportantDataSaved[i]);
  Save("date.cfg", bytes, sizeof bytes);
}

bool ApplyImportantDataFile(const unsigned char* data, size_t size, const char** why) {
  if (WrongSize(size, IMPORTANT_DATA_FILE_SIZE, why)) return false;
  if (Word(data + 4 * 58) != PROGRESS_MARKER) {
    if (why) *why = "no marker 2096 in word 58";
    return false;
  }
  for (int i = 0; i < IMPORTANT_DATA_WORDS; ++i)
    ImportantDataSaved[i] = Word(data + 4 * i);
  for (int i = 0; i < 15; ++i)
    g_charactersUnlocked[i] = ImportantDataSaved[i];
  for (int i = 0; i < 20; ++i)
    g_worldsUnlocked[i] = ImportantDataSaved[15 + i];
  for (int i = 0; i < 20; ++i)
    g_superItemsUnlocked[i] = ImportantDataSaved[35 + i];
  for (int i = 0; i < 3; ++i)
    g_purchasesCount[i] = ImportantDataSaved[55 + i];
  return true;
}

int LoadImportantData() { return Load("date.cfg", IMPORTANT_DATA_FILE_SIZE, ApplyImportantDataFile); }

// --- missions.cfg: 15 bytes a slot ---

void SaveMissions() {
  unsigned char bytes[MISSIONS_FILE_SIZE];
  for (int i = 0; i < MISSIONS; ++i) {
    unsigned char* p = bytes + 15 * i;
    const mission& m = Missions[i];
    PutWord(p, m.counter);
    PutWord(p + 4, FloatAsWord(m.accumulator));
    p[8] = m.completed;
    p[9] = m.justCompleted;
    PutWord(p + 10, FloatAsWord(m.bannerTimer));
    p[14] = m.active;
  }
  Save("missions.cfg", bytes, sizeof bytes);
}

bool ApplyMissionsFile(const unsigned char* data, size_t size, const char** why) {
  if (WrongSize(size, MISSIONS_FILE_SIZE, why)) return false;
  for (int i = 0; i < MISSIONS; ++i) {
    const unsigned char* p = data + 15 * i;
    mission& m = Missions[i];
    m.counter = Word(p);
    m.accumulator = FiniteOr(WordAsFloat(Word(p + 4)), 0);
    m.completed = p[8];
    m.justCompleted = p[9];
    m.bannerTimer = FiniteOr(WordAsFloat(Word(p + 10)), 0);
    m.active = p[14];
  }
  return true;
}

int LoadMissions() { return Load("missions.cfg", MISSIONS_FILE_SIZE, ApplyMissionsFile); }

// --- global.cfg and allinfo.dat: whole tables ---

void SaveGlobalData() {
  std::vector<unsigned char> bytes(GLOBAL_FILE_SIZE);
  for (int i = 0; i < GLOBAL_ACHIEVEMENT_WORDS; ++i)
    PutWord(bytes.data() + 4 * i, g_globalAchievements[i]);
  Save("global.cfg", bytes.data(), bytes.size());
}

bool ApplyGlobalFile(const unsigned char* data, size_t size, const char** why) {
  if (WrongSize(size, GLOBAL_FILE_SIZE, why)) return false;
  for (int i = 0; i < GLOBAL_ACHIEVEMENT_WORDS; ++i)
    g_globalAchievements[i] = Word(data + 4 * i);
  return true;
}

int LoadGlobalData() { return Load("global.cfg", GLOBAL_FILE_SIZE, ApplyGlobalFile); }

void SaveAllLevelsInfo() {
  std::vector<unsigned char> bytes(LEVELS_FILE_SIZE);
  for (int l = 0; l < LEVEL_RECORDS; ++l)
    for (int w = 0; w < LEVEL_RECORD_WORDS; ++w)
      PutWord(bytes.data() + 4 * (l * LEVEL_RECORD_WORDS + w), g_levelAchievements[l][w]);
  Save("allinfo.dat", bytes.data(), bytes.size());
}

bool ApplyLevelsFile(const unsigned char* data, size_t size, const char** why) {
  if (WrongSize(size, LEVELS_FILE_SIZE, why)) return false;
  for (int l = 0; l < LEVEL_RECORDS; ++l)
    for (int w = 0; w < LEVEL_RECORD_WORDS; ++w) {
      s32 v = Word(data + 4 * (l * LEVEL_RECORD_WORDS + w));
      // A best time that is no number counts as never finished.
      if (w < 20 && !std::isfinite(WordAsFloat(v))) v = 0;
      g_levelAchievements[l][w] = v;
    }
  return true;
}

int LoadAllLevelsInfo() { return Load("allinfo.dat", LEVELS_FILE_SIZE, ApplyLevelsFile); }

// --- together ---

// The level records go with the rest, so unlocks bought in the shop survive quitting before the
// next completion.
void SaveAllData() {
  SaveOptions();
  SaveMissions();
  SaveGlobalData();
  SaveImportantData();
  SaveAllLevelsInfo();
}

void SaveGame(char*) {}
void LoadGame(char*) {}

namespace {

s32 Saturated(long long v) { return v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : (s32)v; }

} // namespace

void SpendMushrooms(int n) {
  s32& wallet = g_globalAchievements[GLOBAL_WORD_MUSHROOMS];
  wallet = Saturated((long long)wallet - n);
  if (wallet < 0) wallet = 0;
}

void GainMushrooms(int n) {
  s32& wallet = g_globalAchievements[GLOBAL_WORD_MUSHROOMS];
  wallet = Saturated((long long)wallet + n);
}

void IncrementWorldSelected() { g_worldSelected = ClampWorld(g_worldSelected + 1); }
