// Whole-file reads and atomic saves of the game's own files, over the engine's files.
#include "game_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "files.h"
#include "game_base.h"
#include "platform_services.h"

GameFileRead ReadGameFile(const char* path, size_t limit, std::vector<unsigned char>* data) {
  data->clear();
  if (!path || !*path) {
    errno = ENOENT;
    return GAME_FILE_MISSING;
  }
  CiPhoneFile file;
  errno = 0;
  if (!file.Open(nullptr, path, FILE_MODE_READ)) {
    if (errno == ENOENT) return GAME_FILE_MISSING;
    if (!errno) errno = EIO;
    return GAME_FILE_UNOPENED;
  }
  // Grown as bytes arrive rather than from the size the file claims, so the limit holds for a
  // file that changes while it is read.
  const size_t kChunk = 64 * 1024;
  while (data->size() < limit) {
    size_t at = data->size();
    size_t want = limit - at < kChunk ? limit - at : kChunk;
    data->resize(at + want);
    errno = 0;
    int got = file.ReadData(data->data() + at, (int)want);
    if (got < 0) {
      int err = errno ? errno : EIO;
      data->clear();
      errno = err;
      return GAME_FILE_UNREADABLE;
    }
    data->resize(at + (size_t)got);
    if ((size_t)got < want) break;
  }
  return GAME_FILE_READ;
}

bool ReadGameOrPackFile(const char* path, size_t limit, std::vector<unsigned char>* data) {
  if (ReadGameFile(path, limit, data) == GAME_FILE_READ) return true;
  if (!path || !*path || !g_pGame || !g_pGame->m_bUsePacks) return false;
  CMemoryFile entry;
  if (!entry.Open(g_pGame, path, FILE_MODE_READ)) return false;
  size_t size = entry.GetSize() > 0 ? (size_t)entry.GetSize() : 0;
  if (size > limit) size = limit;
  data->assign(entry.GetBuffer(), entry.GetBuffer() + size);
  return true;
}

bool WriteGameFile(const char* path, const void* data, size_t size) {
  errno = 0;
  if (WriteFileAtomically(path, data, size)) return true;
  if (!errno) errno = EIO;
  return false;
}

void SayNotSaved(const char* what, int err) {
  fprintf(stderr, "sprocklet: could not save %s (%s); the previous file is kept\n", what ? what : "a file",
          strerror(err ? err : EIO));
}

bool SaveGameFile(const char* path, const void* data, size_t size) {
  if (WriteGameFile(path, data, size)) return true;
  int err = errno;
  SayNotSaved(path, err);
  errno = err;
  return false;
}
