// Resource paths and the file shims over the engine's memory files.
#include "resources.h"

#include <cerrno>
#include <climits>
#include <cstdio>
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

// A file being written: held in memory and handed whole to the engine's atomic writer on close, so
// a run that stops half-way never leaves half a file. Everything written counts, also what lies
// after a seek back (a header filled in last), as it would with stdio.
class ShimWriteFile : public CMemoryFile {
public:
  explicit ShimWriteFile(const char* path) : m_Path(path) {}
  ~ShimWriteFile() override { Close(); }

  int WriteData(const void* data, int count) override {
    int n = CMemoryFile::WriteData(data, count);
    if (n > 0 && GetCurPos() > m_Written) m_Written = GetCurPos();
    return n;
  }

  void Close() override {
    if (!m_Path.IsEmpty()) {
      m_Saved = WriteFileAtomically(m_Path.c_str(), GetBuffer(), (size_t)m_Written);
      if (!m_Saved)
        fprintf(stderr, "sprocklet: could not save %s (%s); the previous file is kept\n", m_Path.c_str(),
                strerror(errno));
      m_Path = (const char*)nullptr;
    }
    CMemoryFile::Close();
  }

  bool Saved() const { return m_Saved; }
  // Leaves the file on disk as it is.
  void Discard() { m_Path = (const char*)nullptr; }

private:
  CommonString m_Path;
  int m_Written = 0;
  bool m_Saved = true;
};

} // namespace

IFile* _fopen(const char* path, const char* mode) {
  if (!path || !*path || !mode) return nullptr;
  if (IsMode(mode, "rb", "r")) {
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
  bool append = IsMode(mode, "ab", "a");
  if (!append && !IsMode(mode, "wb", "w")) return nullptr;
  ShimWriteFile* file = new (std::nothrow) ShimWriteFile(path);
  if (!file || !file->Create(32000)) {
    delete file;
    return nullptr;
  }
  if (append) {
    CommonString disk = DiskPathFromEnginePath(path);
    CMemoryFile old;
    bool had = access(disk.c_str(), F_OK) == 0;
    // An old file that cannot be read is not replaced by one without its content.
    if (had && (!old.OpenOnDisk(g_pGame, path, FILE_MODE_READ) ||
                (old.GetSize() > 0 && file->WriteData(old.GetBuffer(), old.GetSize()) != old.GetSize()))) {
      file->Discard();
      delete file;
      return nullptr;
    }
  }
  return file;
}

int _fclose(IFile* f) {
  if (!f) return 0;
  f->Close();
  ShimWriteFile* written = dynamic_cast<ShimWriteFile*>(f);
  bool saved = !written || written->Saved();
  delete f;
  return saved ? 0 : -1;
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

unsigned _fwrite(const void* buf, unsigned size, unsigned count, IFile* f) {
  if (!f || !buf || size == 0 || count == 0) return 0;
  int n = Bytes(size, count);
  if (n < 0) return 0;
  int put = f->WriteData(buf, n);
  return put > 0 ? (unsigned)put / size : 0;
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
