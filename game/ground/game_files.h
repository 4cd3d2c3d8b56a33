// The game's own files as whole byte images: reads with a size limit from the disk (or the packs),
// saves through the engine's atomic writer, and the one line that says a save failed.
#pragma once

#include <cstddef>
#include <vector>

enum GameFileRead {
  GAME_FILE_READ,       // data holds the file, or its first limit bytes
  GAME_FILE_MISSING,    // nothing is at the path
  GAME_FILE_UNOPENED,   // something is there but does not open; errno says why
  GAME_FILE_UNREADABLE, // it opened but a read failed (a directory, an I/O error); errno says why
};

// At most limit bytes of the file at path on disk into data: a caller that passes one byte more
// than the longest file it takes tells a longer file from a whole one without reading all of it.
// A '\' in the path is a separator. data is empty unless the answer is GAME_FILE_READ.
GameFileRead ReadGameFile(const char* path, size_t limit, std::vector<unsigned char>* data);
// The same, and where the disk has no readable file at path, the pack entry of that name.
bool ReadGameOrPackFile(const char* path, size_t limit, std::vector<unsigned char>* data);

// Replaces the file at path with size bytes: a temporary file beside it, fsync, rename. False when
// it could not, with errno saying why; the old file is then as it was.
bool WriteGameFile(const char* path, const void* data, size_t size);
// The line on stderr for a save that failed with err: what could not be saved, the system's reason,
// and that the previous file is kept.
void SayNotSaved(const char* what, int err);
// WriteGameFile, saying a failure with the path.
bool SaveGameFile(const char* path, const void* data, size_t size);
