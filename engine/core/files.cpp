// IFile's shared CRC check, the stdio file, the memory file and atomic writes to disk.
#include "files.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "app_core.h"
#include "serialize.h"
#include "standin/standin.h"
#include "zip_pack.h"

CommonString DiskPathFromEnginePath(const char* path) {
  CommonString out(path);
  if (char* p = out.GetData())
    for (; *p; p++)
      if (*p == '\\') *p = '/';
  return out;
}

IFile* NewDiskFileObject(CAppCore* game) {
  if (game) return game->CreateFileObject();
  return new (std::nothrow) CiPhoneFile();
}

bool WriteFileAtomically(const char* path, const void* data, size_t size) {
  if (!path || !*path) return false;
  CommonString target = DiskPathFromEnginePath(path);
  return standin::WriteFileAtomically(target.c_str(), data, size, nullptr);
}

CommonString KeepFileAside(const char* path) {
  if (!path || !*path) {
    errno = EINVAL;
    return CommonString();
  }
  CommonString from = DiskPathFromEnginePath(path);
  for (int n = 1; n <= 99; n++) {
    char suffix[16];
    snprintf(suffix, sizeof suffix, n == 1 ? ".damaged" : ".damaged%d", n);
    CommonString to = from + suffix;
    // A hard link never replaces an earlier copy; where the file system has none, a rename to a
    // name that is free does the same.
    if (link(from.c_str(), to.c_str()) == 0) {
      if (unlink(from.c_str()) == 0) return CommonString(path) + suffix;
      int saved = errno;
      unlink(to.c_str());
      errno = saved;
      return CommonString();
    }
    if (errno == EEXIST) continue;
    if (errno == ENOENT) return CommonString();
    struct stat st;
    if (lstat(to.c_str(), &st) == 0) continue;
    if (rename(from.c_str(), to.c_str()) == 0) return CommonString(path) + suffix;
    return CommonString();
  }
  errno = EEXIST;
  return CommonString();
}

// ---------------------------------------------------------------------------------------------
// IFile

int IFile::CheckCRC(unsigned short crc) {
  int size = GetSize();
  if (size < 0) return 0;
  unsigned char* data = (unsigned char*)malloc(size > 0 ? (size_t)size : 1);
  if (!data) return 0;
  int got = size > 0 ? ReadData(data, size) : 0;
  if (got != size) {
    free(data);
    return 0;
  }
  // The CRC routine takes a 16-bit length.
  unsigned short calc = calc_crc16((char*)data, (unsigned short)(size % 65536));
  free(data);
  Seek(0, FILE_SEEK_BEGIN);
  return calc == crc ? 1 : 0;
}

// ---------------------------------------------------------------------------------------------
// CiPhoneFile

CiPhoneFile::~CiPhoneFile() { Close(); }

int CiPhoneFile::Open(CAppCore*, const char* path, unsigned int mode) {
  Close();
  const char* how = nullptr;
  if (mode & FILE_MODE_READ)
    how = "rb";
  else if (mode & FILE_MODE_WRITE)
    how = "wb";
  if (mode & FILE_MODE_CREATE) how = (mode & FILE_MODE_WRITE) ? "wb" : "ab";
  if (!how || !path) return 0;
  CommonString disk = DiskPathFromEnginePath(path);
  // A failed open is the caller's to report (errno says why): many look for files that may be missing,
  // and stdout carries only what a user asked for.
  m_pFile = fopen(disk.c_str(), how);
  if (!m_pFile) return 0;
  return IsOpened();
}

void CiPhoneFile::Close() {
  if (m_pFile) {
    fclose(m_pFile);
    m_pFile = nullptr;
  }
}

int CiPhoneFile::GetSize() {
  if (!m_pFile) return 0;
  long here = ftell(m_pFile);
  if (here < 0 || fseek(m_pFile, 0, SEEK_END) != 0) return 0;
  long end = ftell(m_pFile);
  fseek(m_pFile, here, SEEK_SET);
  if (end < 0) return 0;
  return end > INT_MAX ? INT_MAX : (int)end;
}

int CiPhoneFile::Seek(long offset, int whence) {
  if (!m_pFile) return 0;
  int origin = SEEK_SET;
  if (whence & FILE_SEEK_BEGIN)
    origin = SEEK_SET;
  else if (whence & FILE_SEEK_CURRENT)
    origin = SEEK_CUR;
  else if (whence & FILE_SEEK_END)
    origin = SEEK_END;
  return fseek(m_pFile, offset, origin) == 0 ? 1 : 0;
}

int CiPhoneFile::ReadData(void* buffer, int count) {
  if (!m_pFile || count < 0 || (count > 0 && !buffer)) return -1;
  size_t n = fread(buffer, 1, (size_t)count, m_pFile);
  if (ferror(m_pFile)) return -1;
  return (int)n;
}

int CiPhoneFile::WriteData(const void* buffer, int count) {
  if (!m_pFile || count < 0 || (count > 0 && !buffer)) return -1;
  size_t n = fwrite(buffer, 1, (size_t)count, m_pFile);
  if (ferror(m_pFile)) return -1;
  return (int)n;
}

int CiPhoneFile::WriteInt(int v) { return m_pFile ? WriteLittleEndian(this, (unsigned int)v) : -1; }
int CiPhoneFile::ReadInt(int* v) { return m_pFile ? ReadLittleEndian(this, v) : -1; }
int CiPhoneFile::WriteUInt(unsigned int v) { return m_pFile ? WriteLittleEndian(this, v) : -1; }
int CiPhoneFile::ReadUInt(unsigned int* v) { return m_pFile ? ReadLittleEndian(this, v) : -1; }
int CiPhoneFile::WriteByte(unsigned char v) { return m_pFile ? WriteLittleEndian(this, v) : -1; }
int CiPhoneFile::ReadByte(unsigned char* v) { return m_pFile ? ReadLittleEndian(this, v) : -1; }
int CiPhoneFile::WriteWord(unsigned short v) { return m_pFile ? WriteLittleEndian(this, v) : -1; }
int CiPhoneFile::ReadWord(unsigned short* v) { return m_pFile ? ReadLittleEndian(this, v) : -1; }

int CiPhoneFile::GetCurPos() {
  if (!m_pFile) return -1;
  long pos = ftell(m_pFile);
  return pos > INT_MAX ? INT_MAX : (int)pos;
}

int CiPhoneFile::Delete(const char* path) {
  if (!path) return -1;
  CommonString disk = DiskPathFromEnginePath(path);
  return remove(disk.c_str()) == 0 ? 0 : -1;
}

// ---------------------------------------------------------------------------------------------
// CMemoryFile

CMemoryFile::~CMemoryFile() { Close(); }

void CMemoryFile::ReleaseDiskFile() {
  if (m_pDiskFile) {
    m_pDiskFile->Close();
    delete m_pDiskFile;
    m_pDiskFile = nullptr;
  }
}

int CMemoryFile::Open(CAppCore* game, const char* path, unsigned int mode) {
  m_pGame = game;
  if ((mode & ~FILE_MODE_EXISTS) == (FILE_MODE_WRITE | FILE_MODE_CREATE)) {
    if (!Create(32000)) return 0;
    m_WriteBackPath = path;
    return 1;
  }
  // Without an application object there are no packs to search.
  if (!game || !game->m_bUsePacks) return OpenOnDisk(game, path, mode & ~FILE_MODE_EXISTS);
  return OpenFromPacks(game, path, mode);
}

int CMemoryFile::OpenFromPacks(CAppCore* game, const char* path, unsigned int mode) {
  Close();
  int index = 0;
  CiPhoneZipFileReader* reader = FindPackEntry(game, path, &index);
  if (!reader) return 0;
  if (mode & FILE_MODE_EXISTS) return 1;
  long length = 0;
  if (reader->get_FileLength(index, &length) != 1 || length < 0 || length > INT_MAX) return 0;
  m_pBuffer = (unsigned char*)malloc(length > 0 ? (size_t)length : 1);
  if (!m_pBuffer) {
    Close();
    return 0;
  }
  if (reader->ReadFile(index, m_pBuffer) != 1) {
    Close();
    return 0;
  }
  m_nPos = 0;
  m_nSize = (int)length;
  return 1;
}

int CMemoryFile::OpenOnDisk(CAppCore* game, const char* path, unsigned int mode) {
  Close();
  m_pDiskFile = NewDiskFileObject(game);
  if (!m_pDiskFile) return 0;
  if (!m_pDiskFile->Open(game, path, mode & ~FILE_MODE_EXISTS)) {
    ReleaseDiskFile();
    return 0;
  }
  if (mode & FILE_MODE_EXISTS) return 1;
  int size = m_pDiskFile->GetSize();
  m_pBuffer = (unsigned char*)malloc(size > 0 ? (size_t)size : 1);
  if (!m_pBuffer || (size > 0 && m_pDiskFile->ReadData(m_pBuffer, size) != size)) {
    Close();
    return 0;
  }
  ReleaseDiskFile();
  m_nPos = 0;
  m_nSize = size;
  return 1;
}

void CMemoryFile::Close() {
  if (!m_WriteBackPath.IsEmpty()) {
    FlushDataToFile(m_pGame, m_WriteBackPath.GetData());
    m_WriteBackPath = (const char*)nullptr;
  }
  ReleaseDiskFile();
  free(m_pBuffer);
  m_pBuffer = nullptr;
  m_nPos = 0;
  m_nSize = 0;
}

int CMemoryFile::Seek(long offset, int whence) {
  if (whence & FILE_SEEK_BEGIN)
    m_nPos = offset;
  else if (whence & FILE_SEEK_CURRENT)
    m_nPos += offset;
  else if (whence & FILE_SEEK_END)
    m_nPos = m_nSize + offset;
  return 1;
}

int CMemoryFile::ReadData(void* buffer, int count) {
  if (!m_pBuffer || count <= 0 || !buffer) return 0;
  // A position outside the content delivers nothing.
  if (m_nPos < 0 || m_nPos >= m_nSize) return 0;
  long left = m_nSize - m_nPos;
  int n = count < left ? count : (int)left;
  memcpy(buffer, m_pBuffer + m_nPos, (size_t)n);
  m_nPos += n;
  return n;
}

int CMemoryFile::WriteData(const void* data, int count) {
  if (!m_pBuffer || count < 0 || (count > 0 && !data) || m_nPos < 0) return -1;
  long room = (long)m_nSize - m_nPos;
  if (room < count) {
    long long capacity = 2LL * m_nSize;
    if (count > 2LL * m_nSize) capacity = 2LL * count;
    if (capacity < (long long)m_nPos + count) capacity = (long long)m_nPos + count;
    if (capacity > INT_MAX) return -1;
    unsigned char* block = (unsigned char*)malloc((size_t)capacity);
    if (!block) return -1;
    // After a seek past the end the gap reads as zeros.
    long keep = m_nPos < m_nSize ? m_nPos : m_nSize;
    memcpy(block, m_pBuffer, (size_t)keep);
    if (keep < m_nPos) memset(block + keep, 0, (size_t)(m_nPos - keep));
    free(m_pBuffer);
    m_pBuffer = block;
    m_nSize = (int)capacity;
  }
  if (count > 0) memcpy(m_pBuffer + m_nPos, data, (size_t)count);
  m_nPos += count;
  return count;
}

int CMemoryFile::WriteInt(int v) { return WriteLittleEndian(this, (unsigned int)v); }
int CMemoryFile::ReadInt(int* v) { return ReadLittleEndian(this, v); }
int CMemoryFile::WriteUInt(unsigned int v) { return WriteLittleEndian(this, v); }
int CMemoryFile::ReadUInt(unsigned int* v) { return ReadLittleEndian(this, v); }
int CMemoryFile::WriteByte(unsigned char v) { return WriteLittleEndian(this, v); }
int CMemoryFile::ReadByte(unsigned char* v) { return ReadLittleEndian(this, v); }
int CMemoryFile::WriteWord(unsigned short v) { return WriteLittleEndian(this, v); }
int CMemoryFile::ReadWord(unsigned short* v) { return ReadLittleEndian(this, v); }

int CMemoryFile::Delete(const char* path) {
  int result = 0;
  if (m_pDiskFile) result = m_pDiskFile->Delete(path);
  Close();
  return result;
}

int CMemoryFile::Create(unsigned int size) {
  free(m_pBuffer);
  m_pBuffer = nullptr;
  m_nSize = 0;
  m_nPos = 0;
  if (size > (unsigned int)INT_MAX) return 0;
  // Zeroed: a seek past what was written and a flush from there hand the gap to the disk.
  m_pBuffer = (unsigned char*)calloc(size > 0 ? size : 1, 1);
  if (!m_pBuffer) return 0;
  m_nSize = (int)size;
  return 1;
}

int CMemoryFile::FlushDataToFile(CAppCore*, const char* path) {
  size_t used = 0;
  if (m_pBuffer && m_nPos > 0) used = (size_t)(m_nPos < m_nSize ? m_nPos : m_nSize);
  // With nothing written the target still becomes an empty file, but the answer is 0.
  if (!WriteFileAtomically(path, m_pBuffer, used)) return 0;
  return used > 0 ? 1 : 0;
}

int CMemoryFile::Attach(void* buffer, int size) {
  ReleaseDiskFile();
  free(m_pBuffer);
  m_pBuffer = (unsigned char*)buffer;
  m_nSize = size > 0 ? size : 0;
  m_nPos = 0;
  return 1;
}

void* CMemoryFile::Detach() {
  // The caller takes the bytes, so Close must not replace the target with an empty file.
  m_WriteBackPath = (const char*)nullptr;
  void* out = m_pBuffer;
  m_pBuffer = nullptr;
  m_nSize = 0;
  Close();
  return out;
}

// ---------------------------------------------------------------------------------------------
// The application object's file factories and default directories

IMemFile* CAppCore::CreateMemoryFileObject() { return new (std::nothrow) CMemoryFile(); }

IFile* CAppCore::CreateFileObject() { return new (std::nothrow) CiPhoneFile(); }

CommonString CAppCore::GetModuleDirectory() { return CommonString(""); }

CommonString CAppCore::GetUIDirectory() { return CommonString(""); }
