// The level layout: where each world's casual and hardcore sets begin and how many levels they
// hold, the short label of a level, and the developer's level-statistics logs.
#pragma once

#include <cstddef>

// Two entries per world: the first level of its casual set, then of its hardcore set.
extern int g_levelStartingIndexes[40];
// Per world, the offset of the last level of each set from its first.
extern int g_levelAmounts[20];

// The label of g_levelSelected ("2-5", "H1-3", "T-4", "B2-7"), cut to the buffer.
void CalculateWorldID(char* out, size_t outSize);
// The set whose boxes on level selection hold the level, as 2 x world + set (the index into
// g_levelStartingIndexes; the first such set); -1 for a level of no set.
int LevelSetOf(int level);

// The developer log's file name and text buffer.
extern char g_ftpFilename[200];
extern char TXT2[200];
void Debug_FileLog();
void Debug_CreateCustomLog();
