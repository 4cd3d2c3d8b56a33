// The level file's reader and writer on the object table, the record conversions and the quick
// save.
#pragma once

#include <cstddef>
#include <string>

#include "level_format.h"

// Reads a level into GameRects and g_levelCur from the first of its places (data/ first for a name
// ending in ".txt", then the pack) that holds a whole level file; one that is there but refused is
// named in one line and the next place is tried. 0 (nothing changed, one line on stderr naming the
// file or the level that is missing) when none does; 1 when it was applied. A line is not said
// again while the same file is read again (a level restarts at every death).
int EditorLoad(const char* name);
// EditorLoad for a level starting again after a death: the bytes EditorLoad last applied are
// applied again, through the same checks, when they are of that name and no place the name is
// looked for changed on disk since (the editor or a developer may have saved the level); otherwise
// the file is read as EditorLoad reads it. The bytes held serve without an allocation.
int EditorLoadAgain(const char* name);
// The bytes held are not used again: the next load of any level reads its file.
void ForgetHeldLevel();
// The last level start found no readable file of its level: the objects are an earlier level's.
extern bool g_levelUnreadable;
// Whether a level start of that number would find a whole level file (the name g_finalRelease
// gives it); why not, when not.
bool LevelFileReadable(int level, std::string* why);
// The same for the bytes of a whole file (path names it in the messages).
int ApplyLevelFile(const unsigned char* data, size_t size, const char* path);
// Writes the live objects and g_levelCur into the save directory under name, atomically; objects
// outside the playing field are removed from the level first. False (the old file kept, one line
// on stderr) when the file cannot be written.
bool EditorSaveAsText(const char* name);
// The object in slot to a record, and a record onto the object in slot.
void GameRectDataSet(gameRectData& record, int slot);
void GameRectDataGet(gameRectData record, int slot);

// The whole object table and run record in "qsave.1" in the save directory, and back. QLoad acts
// only after a quick save and only on a file of exactly the size QSave writes.
void QSave();
void QLoad();

// Values of the last load that were not finite numbers and took the per-type default instead.
extern int g_levelNonFiniteValues;
