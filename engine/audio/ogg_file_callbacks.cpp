// Tremor's file callbacks over IFile.
#include "ogg_file_callbacks.h"

#include <climits>

#include "files.h"

namespace {

size_t ReadCallback(void* ptr, size_t size, size_t count, void* source) {
  IFile* file = (IFile*)source;
  if (!file || !ptr || size == 0 || count == 0) return 0;
  size_t want = count > (size_t)INT_MAX / size ? (size_t)INT_MAX / size * size : size * count;
  int got = file->ReadData(ptr, (int)want);
  return got > 0 ? (size_t)got / size : 0;
}

int SeekCallback(void* source, ogg_int64_t offset, int whence) {
  IFile* file = (IFile*)source;
  if (!file) return -1;
  ogg_int64_t base;
  if (whence == SEEK_SET)
    base = 0;
  else if (whence == SEEK_CUR)
    base = file->GetCurPos();
  else if (whence == SEEK_END)
    base = file->GetSize();
  else
    return -1;
  if (base < 0 || offset > INT_MAX || offset < -(ogg_int64_t)INT_MAX) return -1;
  ogg_int64_t target = base + offset;
  if (target < 0 || target > file->GetSize()) return -1;
  if (!file->Seek((long)target, FILE_SEEK_BEGIN)) return -1;
  return file->GetCurPos();
}

// The file belongs to whoever opened the decoder.
int CloseCallback(void*) { return 1; }

long TellCallback(void* source) {
  IFile* file = (IFile*)source;
  return file ? file->GetCurPos() : -1;
}

} // namespace

ov_callbacks EngineFileCallbacks() {
  ov_callbacks callbacks;
  callbacks.read_func = ReadCallback;
  callbacks.seek_func = SeekCallback;
  callbacks.close_func = CloseCallback;
  callbacks.tell_func = TellCallback;
  return callbacks;
}

bool RewindOggFile(OggVorbis_File* vf, IFile* file) {
  if (!vf || !file || !file->Seek(0, FILE_SEEK_BEGIN)) return false;
  return ov_raw_seek(vf, 0) == 0;
}
