// The level layout, the level labels and the developer logs.
#include "level_layout.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "game_files.h"
#include "game_globals.h"
#include "progress_files.h"

int g_levelStartingIndexes[40] = {41,  41,  1,   21,  51,  71,  101, 121, 150, 150, 150, 150, 150, 150,
                                  150, 150, 150, 150, 150, 150, 151, 151, 161, 161, 171, 171, 181, 181,
                                  191, 191, 201, 201, 221, 221, 0,   0,   0,   0,   0,   0};
int g_levelAmounts[20] = {6, 18, 18, 18, 0, 0, 0, 0, 0, 0, 9, 9, 9, 9, 9, 9, 0, 0, 0, 0};
char g_ftpFilename[200] = "log.txt";
char TXT2[200];

void CalculateWorldID(char* out, size_t outSize) {
  if (!out || outSize == 0) return;
  int world = 0, level = 0;
  bool hard = false;
  for (int i = 0; i < 40; ++i) {
    int first = g_levelStartingIndexes[i];
    if (first <= g_levelSelected && g_levelSelected <= first + g_levelAmounts[i / 2]) {
      world = i / 2;
      hard = (i % 2) == 1;
      level = g_levelSelected - first + 1;
      break;
    }
  }
  snprintf(out, outSize, hard ? "H%i-%i" : "%i-%i", world, level);
  int tutorial = g_levelStartingIndexes[0];
  if (tutorial <= g_levelSelected && g_levelSelected <= tutorial + g_levelAmounts[0])
    snprintf(out, outSize, "T-%i", g_levelSelected - tutorial + 1);
  if (g_levelSelected > 150) snprintf(out, outSize, "B%i-%i", world - 9, level);
}

int LevelSetOf(int level) {
  for (int i = 0; i < 40; ++i) {
    int start = g_levelStartingIndexes[i];
    if (level >= start && level < start + g_levelAmounts[i / 2]) return i;
  }
  return -1;
}

// The running log is appended to, not saved: a line cut short by a crash is all it can lose, and
// rewriting the whole log atomically for every line would cost more than the log is worth.
void Debug_FileLog() {
  char path[300];
  if (!GetFileFromDocuments(g_ftpFilename, path)) return;
  FILE* f = fopen(path, "a");
  if (!f) return;
  // Only the text: the rest of the buffer is whatever an earlier, longer line left.
  fwrite(TXT2, 1, strnlen(TXT2, sizeof TXT2), f);
  fclose(f);
  memset(TXT2, 0, sizeof TXT2 - 1);
}

namespace {

void LogPiece(std::string* log, bool print, const char* format, int a = 0, int b = 0, int c = 0) {
  snprintf(TXT2, sizeof TXT2, format, a, b, c);
  *log += TXT2;
  if (print) fputs(TXT2, stdout);
}

int DeathsBeforeFirstCompletion(int level) {
  if (level < 0 || level >= LEVEL_RECORDS) return -1;
  const s32* r = g_levelAchievements[level];
  return r[LEVEL_WORD_COMPLETIONS] > 0 ? r[LEVEL_WORD_DEATHS] : -1;
}

} // namespace

// The statistics replace the log whole, so they are saved like any other file.
void Debug_CreateCustomLog() {
  char path[300];
  if (!GetFileFromDocuments(g_ftpFilename, path)) return;
  std::string log;
  LogPiece(&log, false, "  Tutorial.\n");
  for (int l = 41; l <= 45; ++l)
    LogPiece(&log, true, "%i ", DeathsBeforeFirstCompletion(l));
  const struct {
    const char* title;
    int first;
  } sets[] = {{"\n  W1-easy.\n", 1}, {"\n  W2-easy.\n", 51}, {"\n  W3-easy.\n", 101}};
  for (const auto& set : sets) {
    LogPiece(&log, false, set.title);
    for (int l = set.first; l <= set.first + 16; ++l)
      LogPiece(&log, true, "%i ", DeathsBeforeFirstCompletion(l));
  }
  int completed = 0, plays = 0;
  for (int l = 0; l < LEVEL_RECORDS; ++l) {
    int n = g_levelAchievements[l][LEVEL_WORD_COMPLETIONS];
    if (n > 0) {
      ++completed;
      plays += n;
    }
  }
  LogPiece(&log, true, "\nCompleted:\n %i, total plays: %i, shrooms: %i", completed, plays,
           g_globalAchievements[GLOBAL_WORD_MUSHROOMS]);
  LogPiece(&log, false, "\nend.");
  SaveGameFile(path, log.data(), log.size());
}
