// Resource paths and the read shims over the engine's memory files.
#include "resources.h"

#include <climits>
#include <cstring>
#include <new>
#include <unistd.h>

#include "files.h"
#include "game_base.h"
#include "platform_services.h"

CommonString ResourcePath(CommonString name, CommonString ext) {
  if (!g_pGame) return CommonString();
  CommonString file = name + "." + ext;
  if (ext.IsEqual("txt")) return g_pGame->GetModuleDirectory() + "levels\\" + file;
  if (ext.IsEqual("wav") || ext.IsEqual("wavc") || ext.IsEqual("ogg"))
    return g_pGame->GetModuleDirectory() + "sounds\\" + file;
  return g_pGame->GetImagesDirectory() + file;
}

CommonString pathForResource(CommonString name, CommonString ext) {
  CommonString path = ResourcePath(name, ext);
  if (path.IsEmpty()) return path;
  IMemFile* file = g_pGame->CreateMemoryFileObject();
  bool found = file && file->Open(g_pGame, path.GetData(), FILE_MODE_EXISTS);
  delete file;
  return found ? path : CommonString();
}

namespace {

bool IsMode(const char* mode, const char* a, const char* b) {
  return strcmp(mode, a) == 0 || strcmp(mode, b) == 0;
}

} // namespace

IFile* _fopen(const char* path, const char* mode) {
  // Reads only: the game's own files are saved whole through game_files.h.
  if (!path || !*path || !mode || !IsMode(mode, "rb", "r")) return nullptr;
  IMemFile* file = g_pGame ? g_pGame->CreateMemoryFileObject() : new (std::nothrow) CMemoryFile();
  if (!file) return nullptr;
  // The disk first (only when the file is there, so a pack entry costs no failed open), then the packs.
  CommonString disk = DiskPathFromEnginePath(path);
  if ((access(disk.c_str(), R_OK) == 0 && file->OpenOnDisk(g_pGame, path, FILE_MODE_READ)) ||
      (g_pGame && g_pGame->m_bUsePacks && file->Open(g_pGame, path, FILE_MODE_READ)))
    return file;
  delete file;
  return nullptr;
}

int _fclose(IFile* f) {
  if (!f) return 0;
  f->Close();
  delete f;
  return 0;
}

namespace {

int Bytes(unsigned size, unsigned count) {
  unsigned long long n = (unsigned long long)size * count;
  return n > (unsigned long long)INT_MAX ? -1 : (int)n;
}

} // namespace

unsigned _fread(void* buf, unsigned size, unsigned count, IFile* f) {
  if (!f || !buf || size == 0 || count == 0) return 0;
  int n = Bytes(size, count);
  if (n < 0) return 0;
  int got = f->ReadData(buf, n);
  return got > 0 ? (unsigned)got / size : 0;
}

int _fseek(IFile* f, long offset, int whence) {
  // Like stdio, a position before the start is refused.
  if (!f || whence != 0 || offset < 0) return -1;
  f->Seek(offset, FILE_SEEK_BEGIN);
  return 0;
}

int _feof(IFile* f) {
  if (!f) return 1;
  return f->GetSize() <= f->GetCurPos() ? 1 : 0;
}

int _fgetc(IFile* f) {
  unsigned char byte = 0;
  if (!f || f->ReadByte(&byte) != 1) return -1;
  return byte;
}
