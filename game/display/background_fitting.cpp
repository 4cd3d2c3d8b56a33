// Background fitting, level labels and the developer logs.
#include "background_fitting.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "display.h"
#include "game_globals.h"
#include "game_services.h"
#include "progress_files.h"
#include "surface.h"

u8 g_iphone5 = 0;
int g_levelAmounts[20] = {6, 18, 18, 18, 0, 0, 0, 0, 0, 0, 9, 9, 9, 9, 9, 9, 0, 0, 0, 0};
char g_ftpFilename[200] = "log.txt";
char TXT2[200];

namespace {

float CentreScale() { return g_ratio_is_less_1_5 ? (float)MAXY / 320.0f / 2.0f : 0.5f; }

void Blit(float x, float y, float k, Surface* s) {
  if (display) display->BlitScaled(x, y, k, k, s, false);
}

// A picture that can be drawn and measured: without a texture or a width the scrolling form would
// wrap by a zero span for ever.
bool Fits(Surface* s) { return s && s->texture && s->GetWidth() > 0; }

} // namespace

void SmartDrawBackgroundIphone5(int dx, int dy, Surface* s, bool, bool) {
  if (!Fits(s)) return;
  bool sides = g_iphone5 || g_ratio_is_more_1_5;
  if (sides) Blit((float)(MAXX / 2 - 479 + dx), (float)(MAXY / 2 + dy), 0.5f, s);
  float k = CentreScale();
  Blit((float)(MAXX / 2 + dx), (float)(MAXY / 2 + dy), k, s);
  if (sides) Blit((float)(MAXX / 2 + 479 + dx), (float)(MAXY / 2 + dy), 0.5f, s);
}

void SmartDrawBackgroundIphone5_F(float dx, float dy, Surface* s, bool, bool sides) {
  if (!Fits(s)) return;
  float k = CentreScale();
  float span = (float)s->GetWidth() * k, half = span / 2;
  if (!(span > 0) || !std::isfinite(dx)) return;
  // A camera far out in a level is first brought within a few spans: steps of one span vanish in a
  // float that large and would never end.
  if (std::fabs(dx) > 64 * span) dx = std::fmod(dx, span);
  while (dx >= half)
    dx -= span;
  while (dx < -half)
    dx += span;
  float offset = (float)(s->GetWidth() - 2) * k;
  bool withSides = g_iphone5 || sides || g_ratio_is_more_1_5;
  float cx = (float)(MAXX / 2), cy = (float)(MAXY / 2) + dy;
  if (withSides) Blit(cx - offset + dx, cy, k, s);
  Blit(cx + dx, cy, k, s);
  if (withSides) Blit(cx + offset + dx, cy, k, s);
}

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

void LogPiece(FILE* f, bool print, const char* format, int a = 0, int b = 0, int c = 0) {
  snprintf(TXT2, sizeof TXT2, format, a, b, c);
  fwrite(TXT2, 1, strlen(TXT2), f);
  if (print) fputs(TXT2, stdout);
}

int DeathsBeforeFirstCompletion(int level) {
  if (level < 0 || level >= LEVEL_RECORDS) return -1;
  const s32* r = g_levelAchievements[level];
  return r[LEVEL_WORD_COMPLETIONS] > 0 ? r[LEVEL_WORD_DEATHS] : -1;
}

} // namespace

void Debug_CreateCustomLog() {
  char path[300];
  if (!GetFileFromDocuments(g_ftpFilename, path)) return;
  FILE* f = fopen(path, "w");
  if (!f) return;
  LogPiece(f, false, "  Tutorial.\n");
  for (int l = 41; l <= 45; ++l)
    LogPiece(f, true, "%i ", DeathsBeforeFirstCompletion(l));
  const struct {
    const char* title;
    int first;
  } sets[] = {{"\n  W1-easy.\n", 1}, {"\n  W2-easy.\n", 51}, {"\n  W3-easy.\n", 101}};
  for (const auto& set : sets) {
    LogPiece(f, false, set.title);
    for (int l = set.first; l <= set.first + 16; ++l)
      LogPiece(f, true, "%i ", DeathsBeforeFirstCompletion(l));
  }
  int completed = 0, plays = 0;
  for (int l = 0; l < LEVEL_RECORDS; ++l) {
    int n = g_levelAchievements[l][LEVEL_WORD_COMPLETIONS];
    if (n > 0) {
      ++completed;
      plays += n;
    }
  }
  LogPiece(f, true, "\nCompleted:\n %i, total plays: %i, shrooms: %i", completed, plays,
           g_globalAchievements[GLOBAL_WORD_MUSHROOMS]);
  LogPiece(f, false, "\nend.");
  fclose(f);
}
