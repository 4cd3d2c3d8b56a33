// The progress files: building and applying their byte images, atomic saves, whole-file loads.
#include "progress_files.h"

#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "byte_order.h"
#include "files.h"
#include "game_base.h"
#include "game_files.h"
#include "mission_table.h"
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

// --- words ---

s32 Word(const unsigned char* p) { return (s32)ReadLe32(p); }

void PutWord(unsigned char* p, s32 v) { WriteLe32(p, (u32)v); }

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

// The reason a file is refused for a value the game never gives that word; false, for the caller
// to answer.
char refusal[200];

bool Refuse(const char** why, const char* format, ...) __attribute__((format(printf, 2, 3)));
bool Refuse(const char** why, const char* format, ...) {
  va_list args;
  va_start(args, format);
  vsnprintf(refusal, sizeof refusal, format, args);
  va_end(args);
  if (why) *why = refusal;
  return false;
}

bool IsFlag(s32 v) { return v == 0 || v == 1; }
bool IsCount(s32 v) { return v >= 0 && v <= PROGRESS_COUNT_MAX; }

// A file of words of its kind's size with the marker in word at; false, with the reason, otherwise.
bool MarkedWords(const unsigned char* data, size_t size, size_t expected, int at, const char** why) {
  if (WrongSize(size, expected, why)) return false;
  if (Word(data + 4 * at) != PROGRESS_MARKER)
    return Refuse(why, "no marker %d in word %d", (int)PROGRESS_MARKER, at);
  return true;
}

void ReadWords(const unsigned char* data, s32* words, int count) {
  for (int i = 0; i < count; ++i)
    words[i] = Word(data + 4 * i);
}

// --- which files may be saved ---

enum { FILE_OPTIONS, FILE_IMPORTANT, FILE_MISSIONS, FILE_GLOBAL, FILE_LEVELS, PROGRESS_FILES };

// A held file is not saved over while it is on disk: its load has not run yet, or the file could be
// neither read nor kept aside. Its content is then the player's only copy.
bool held[PROGRESS_FILES];
// The last failure said for each file's save, so a root that cannot be written is not reported
// again at every save.
int failedSave[PROGRESS_FILES];

bool OnDisk(const char* path) {
  struct stat st;
  return stat(DiskPathFromEnginePath(path).c_str(), &st) == 0 || errno != ENOENT;
}

// --- files on disk ---

void Save(int file, const char* name, const unsigned char* data, size_t size) {
  char path[300];
  bool named = GetFileFromDocuments(name, path);
  if (named && held[file] && OnDisk(path)) return;
  if (named && WriteGameFile(path, data, size)) {
    failedSave[file] = 0;
    return;
  }
  int err = named ? errno : ENAMETOOLONG;
  if (err != failedSave[file]) SayNotSaved(named ? path : name, err);
  failedSave[file] = err;
}

// The table as its file's words, saved.
void SaveWords(int file, const char* name, const s32* words, int count) {
  std::vector<unsigned char> bytes(4 * (size_t)count);
  for (int i = 0; i < count; ++i)
    PutWord(bytes.data() + 4 * i, words[i]);
  Save(file, name, bytes.data(), bytes.size());
}

// 0 when there is no file; otherwise 1, after applying it or saying on stderr why not. A refused
// file is kept aside under a name that says so, and the next save writes a fresh one.
int Load(int file, const char* name, size_t expected,
         bool (*apply)(const unsigned char*, size_t, const char**)) {
  char path[300];
  if (!GetFileFromDocuments(name, path)) return 0;
  // One byte more than the layout tells a longer file from a whole one.
  std::vector<unsigned char> data;
  GameFileRead read = ReadGameFile(path, expected + 1, &data);
  // No file yet is the first start; one that is there but does not open or read through is left
  // alone, since its bytes may be whole, and worth a line.
  held[file] = read == GAME_FILE_UNOPENED || read == GAME_FILE_UNREADABLE;
  if (read != GAME_FILE_READ) {
    if (held[file])
      fprintf(stderr, "sprocklet: cannot %s %s (%s); it is left as it is and not saved over\n",
              read == GAME_FILE_UNOPENED ? "open" : "read", path, strerror(errno));
    return 0;
  }
  const char* why = "unreadable";
  if (apply(data.data(), data.size(), &why)) {
    held[file] = false;
    return 1;
  }
  // why may be strerror's text, which the next strerror replaces.
  std::string reason = why;
  CommonString kept = KeepFileAside(path);
  held[file] = kept.IsEmpty();
  if (held[file])
    fprintf(stderr, "sprocklet: %s is not used (%s) and cannot be moved aside (%s); it is not saved over\n",
            path, reason.c_str(), strerror(errno));
  else
    fprintf(stderr, "sprocklet: %s is not used (%s); it is kept as %s and the next save starts a fresh one\n",
            path, reason.c_str(), kept.c_str());
  return 1;
}

} // namespace

float GetLevelBestTime(int level, int character) {
  if (level < 0 || level >= LEVEL_RECORDS || character < 0 || character >= 20) return 0;
  return WordAsFloat(g_levelAchievements[level][character]);
}

void SetLevelBestTime(int level, int character, float seconds) {
  if (level < 0 || level >= LEVEL_RECORDS || character < 0 || character >= 20) return;
  // Only a time the file's reader takes back: a record it would refuse would cost every other one.
  if (!(seconds >= 0 && seconds <= LEVEL_TIME_MAX)) return;
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
  SaveWords(FILE_OPTIONS, "options.cfg", OptionsSaved, OPTIONS_WORDS);
}

bool ApplyOptionsFile(const unsigned char* data, size_t size, const char** why) {
  if (!MarkedWords(data, size, OPTIONS_FILE_SIZE, 6, why)) return false;
  ReadWords(data, OptionsSaved, OPTIONS_WORDS);
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

int LoadOptions() { return Load(FILE_OPTIONS, "options.cfg", OPTIONS_FILE_SIZE, ApplyOptionsFile); }

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
  SaveWords(FILE_IMPORTANT, "date.cfg", ImportantDataSaved, IMPORTANT_DATA_WORDS);
}

bool ApplyImportantDataFile(const unsigned char* data, size_t size, const char** why) {
  if (!MarkedWords(data, size, IMPORTANT_DATA_FILE_SIZE, 58, why)) return false;
  // Unlocks are flags; the power-up stock and the magnet (items 0-2) and the purchases are counts; the
  // other items are kept as read.
  for (int i = 0; i < 58; ++i) {
    s32 v = Word(data + 4 * i);
    if (i < 35) {
      if (!IsFlag(v)) return Refuse(why, "word %d is %d where an unlock flag is 0 or 1", i, v);
    } else if ((i <= 37 || i >= 55) && !IsCount(v)) {
      return Refuse(why, "word %d is %d where a count is 0..%d", i, v, (int)PROGRESS_COUNT_MAX);
    }
  }
  ReadWords(data, ImportantDataSaved, IMPORTANT_DATA_WORDS);
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

int LoadImportantData() {
  return Load(FILE_IMPORTANT, "date.cfg", IMPORTANT_DATA_FILE_SIZE, ApplyImportantDataFile);
}

// --- missions.cfg: 15 bytes a slot ---

void SaveMissions() {
  unsigned char bytes[MISSIONS_FILE_SIZE];
  for (int i = 0; i < MISSIONS; ++i) {
    unsigned char* p = bytes + 15 * i;
    const mission& m = Missions[i];
    PutWord(p, m.counter);
    // What the reader refuses is never written: a number gone wrong in play starts afresh at 0.
    PutWord(p + 4, FloatAsWord(FiniteOr(m.accumulator, 0)));
    p[8] = m.completed;
    p[9] = m.justCompleted;
    PutWord(p + 10, FloatAsWord(m.bannerTimer >= 0 ? FiniteOr(m.bannerTimer, 0) : 0));
    p[14] = m.active;
  }
  Save(FILE_MISSIONS, "missions.cfg", bytes, sizeof bytes);
}

bool ApplyMissionsFile(const unsigned char* data, size_t size, const char** why) {
  if (WrongSize(size, MISSIONS_FILE_SIZE, why)) return false;
  for (int i = 0; i < MISSIONS; ++i) {
    const unsigned char* p = data + 15 * i;
    if (!IsCount(Word(p)))
      return Refuse(why, "byte %d, the counter of mission %d, is %d where a count is 0..%d", 15 * i, i,
                    Word(p), (int)PROGRESS_COUNT_MAX);
    for (int at : {8, 9, 14})
      if (!IsFlag(p[at]))
        return Refuse(why, "byte %d of mission %d is %d where a flag is 0 or 1", 15 * i + at, i, p[at]);
    // The distance of mission 2 falls while the hero runs left, so an accumulator may be negative;
    // nothing the game counts is ever not a number.
    float accumulator = WordAsFloat(Word(p + 4));
    if (!std::isfinite(accumulator))
      return Refuse(why, "byte %d, the accumulator of mission %d, is %g where it is a finite number",
                    15 * i + 4, i, (double)accumulator);
    float banner = WordAsFloat(Word(p + 10));
    if (!(banner >= 0 && std::isfinite(banner)))
      return Refuse(why, "byte %d, the banner time of mission %d, is %g where a time is 0 or more",
                    15 * i + 10, i, (double)banner);
  }
  for (int i = 0; i < MISSIONS; ++i) {
    const unsigned char* p = data + 15 * i;
    mission& m = Missions[i];
    m.counter = Word(p);
    m.accumulator = WordAsFloat(Word(p + 4));
    m.completed = p[8];
    m.justCompleted = p[9];
    m.bannerTimer = WordAsFloat(Word(p + 10));
    m.active = p[14];
  }
  return true;
}

int LoadMissions() { return Load(FILE_MISSIONS, "missions.cfg", MISSIONS_FILE_SIZE, ApplyMissionsFile); }

namespace {

// Whether word w of level l's record holds what the game can give it.
bool LevelWordUsable(int l, int w, s32 v, const char** why) {
  int at = l * LEVEL_RECORD_WORDS + w;
  if (w < 20) {
    // The level clock stops at 60 s, and a time that is no number is none the game keeps.
    float t = WordAsFloat(v);
    if (!(t >= 0 && t <= LEVEL_TIME_MAX))
      return Refuse(why, "word %d, level %d's best time of character %d, is %g where a time is 0..%g", at, l,
                    w, (double)t, (double)LEVEL_TIME_MAX);
    return true;
  }
  if (w == LEVEL_WORD_COMPLETIONS || w == LEVEL_WORD_DEATHS) {
    if (!IsCount(v))
      return Refuse(why, "word %d, level %d's %s, is %d where a count is 0..%d", at, l,
                    w == LEVEL_WORD_DEATHS ? "deaths" : "completions", v, (int)PROGRESS_COUNT_MAX);
    return true;
  }
  if (w == LEVEL_WORD_RANK && !(v >= 0 && v <= 4))
    return Refuse(why, "word %d, level %d's rank, is %d where a rank is 0..4", at, l, v);
  if (((w >= LEVEL_WORD_MUSHROOM && w < LEVEL_WORD_MUSHROOM + 20) || w == LEVEL_WORD_OPENED) && !IsFlag(v))
    return Refuse(why, "word %d, level %d's %s flag, is %d where a flag is 0 or 1", at, l,
                  w == LEVEL_WORD_OPENED ? "opened" : "mushroom", v);
  return true;
}

} // namespace

// --- global.cfg and allinfo.dat: whole tables ---

void SaveGlobalData() {
  SaveWords(FILE_GLOBAL, "global.cfg", g_globalAchievements, GLOBAL_ACHIEVEMENT_WORDS);
}

bool ApplyGlobalFile(const unsigned char* data, size_t size, const char** why) {
  if (WrongSize(size, GLOBAL_FILE_SIZE, why)) return false;
  // The balance saturates instead of passing its cap; the score is counted again from the level
  // records; the words the game does not use are kept as read.
  s32 balance = Word(data + 4 * GLOBAL_WORD_MUSHROOMS);
  if (balance < 0)
    return Refuse(why, "word %d, the mushroom balance, is %d where it is not negative",
                  (int)GLOBAL_WORD_MUSHROOMS, balance);
  for (int i = GLOBAL_WORD_SECRETS; i < GLOBAL_WORD_SECRETS + SECRET_ITEMS; ++i)
    if (!IsFlag(Word(data + 4 * i)))
      return Refuse(why, "word %d, secret item %d, is %d where a found flag is 0 or 1", i,
                    i - GLOBAL_WORD_SECRETS, Word(data + 4 * i));
  ReadWords(data, g_globalAchievements, GLOBAL_ACHIEVEMENT_WORDS);
  return true;
}

int LoadGlobalData() { return Load(FILE_GLOBAL, "global.cfg", GLOBAL_FILE_SIZE, ApplyGlobalFile); }

void SaveAllLevelsInfo() {
  SaveWords(FILE_LEVELS, "allinfo.dat", &g_levelAchievements[0][0], LEVEL_RECORDS * LEVEL_RECORD_WORDS);
}

bool ApplyLevelsFile(const unsigned char* data, size_t size, const char** why) {
  if (WrongSize(size, LEVELS_FILE_SIZE, why)) return false;
  for (int l = 0; l < LEVEL_RECORDS; ++l)
    for (int w = 0; w < LEVEL_RECORD_WORDS; ++w)
      if (!LevelWordUsable(l, w, Word(data + 4 * (l * LEVEL_RECORD_WORDS + w)), why)) return false;
  ReadWords(data, &g_levelAchievements[0][0], LEVEL_RECORDS * LEVEL_RECORD_WORDS);
  return true;
}

int LoadAllLevelsInfo() { return Load(FILE_LEVELS, "allinfo.dat", LEVELS_FILE_SIZE, ApplyLevelsFile); }

// --- together ---

void HoldProgressSaves() {
  for (int f = 0; f < PROGRESS_FILES; ++f) {
    held[f] = true;
    failedSave[f] = 0;
  }
}

void ReleaseProgressSaves() {
  for (bool& h : held)
    h = false;
}

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

globalData GlobalData;

void globalData::Init() {}

int globalData::GetShields() { return g_superItemsUnlocked[0]; }
int globalData::GetTimeSlows() { return g_superItemsUnlocked[1]; }

void globalData::ConsumeShield(int n) {
  g_superItemsUnlocked[0] -= n;
  if (g_superItemsUnlocked[0] < 0) g_superItemsUnlocked[0] = 0;
}

void globalData::ConsumeTimeSlows(int n) {
  g_superItemsUnlocked[1] -= n;
  if (g_superItemsUnlocked[1] < 0) g_superItemsUnlocked[1] = 0;
}
