// The engine's file interface IFile with its stdio (CiPhoneFile) and in-memory (CMemoryFile) files.
#pragma once

#include <cstddef>
#include <cstdio>

#include "common_string.h"

class CAppCore;

// Open modes (bits of the mode argument of Open and OpenOnDisk).
enum {
  FILE_MODE_WRITE = 1,
  FILE_MODE_READ = 2,
  FILE_MODE_CREATE = 4, // with WRITE: create or empty; without it: append
  FILE_MODE_EXISTS = 8, // only find the file, read no content
};

// Seek origins (exactly one bit).
enum {
  FILE_SEEK_BEGIN = 1,
  FILE_SEEK_CURRENT = 2,
  FILE_SEEK_END = 4,
};

class IFile {
public:
  virtual ~IFile() {}

  virtual int Open(CAppCore* game, const char* path, unsigned int mode) = 0;
  virtual int IsOpened() = 0;
  virtual void Close() = 0;
  virtual int GetSize() = 0;
  virtual int Seek(long offset, int whence) = 0;
  // Bytes moved, -1 on error.
  virtual int ReadData(void* buffer, int count) = 0;
  virtual int WriteData(const void* buffer, int count) = 0;
  // Little-endian numbers; each answers the bytes moved.
  virtual int WriteInt(int value) = 0;
  virtual int ReadInt(int* value) = 0;
  virtual int WriteUInt(unsigned int value) = 0;
  virtual int ReadUInt(unsigned int* value) = 0;
  virtual int WriteByte(unsigned char value) = 0;
  virtual int ReadByte(unsigned char* value) = 0;
  virtual int WriteWord(unsigned short value) = 0;
  virtual int ReadWord(unsigned short* value) = 0;
  // 1 when the CRC-16 of the whole file (read from the current position) equals crc; rewinds.
  virtual int CheckCRC(unsigned short crc);
  virtual int GetCurPos() { return -1; }
  virtual int Delete(const char* path) = 0;
  virtual bool IsMemoryFile() { return false; }
};

// A file held whole in one heap buffer.
class IMemFile : public IFile {
public:
  virtual int Create(unsigned int size) = 0;
  virtual int FlushDataToFile(CAppCore* game, const char* path) = 0;
  virtual int OpenOnDisk(CAppCore* game, const char* path, unsigned int mode) = 0;
  virtual int Attach(void* buffer, int size) = 0;
  virtual void* Detach() { return nullptr; }
  virtual unsigned char* GetBuffer() { return nullptr; }
  bool IsMemoryFile() override { return true; }
};

// A stdio stream on disk. Paths use '/' on disk; a '\' in a path is taken as a separator too.
class CiPhoneFile : public IFile {
public:
  CiPhoneFile() = default;
  CiPhoneFile(const CiPhoneFile&) = delete;
  CiPhoneFile& operator=(const CiPhoneFile&) = delete;
  ~CiPhoneFile() override;

  int Open(CAppCore* game, const char* path, unsigned int mode) override;
  int IsOpened() override { return m_pFile != nullptr; }
  void Close() override;
  int GetSize() override;
  int Seek(long offset, int whence) override;
  int ReadData(void* buffer, int count) override;
  int WriteData(const void* buffer, int count) override;
  int WriteInt(int value) override;
  int ReadInt(int* value) override;
  int WriteUInt(unsigned int value) override;
  int ReadUInt(unsigned int* value) override;
  int WriteByte(unsigned char value) override;
  int ReadByte(unsigned char* value) override;
  int WriteWord(unsigned short value) override;
  int ReadWord(unsigned short* value) override;
  int GetCurPos() override;
  int Delete(const char* path) override;

private:
  FILE* m_pFile = nullptr;
};

// Reads a pack entry or a disk file whole, or buffers a new file that reaches the disk on Close.
class CMemoryFile : public IMemFile {
public:
  CMemoryFile() = default;
  CMemoryFile(const CMemoryFile&) = delete;
  CMemoryFile& operator=(const CMemoryFile&) = delete;
  ~CMemoryFile() override;

  int Open(CAppCore* game, const char* path, unsigned int mode) override;
  int IsOpened() override { return m_pBuffer != nullptr; }
  void Close() override;
  // Content size after a load; capacity in write mode.
  int GetSize() override { return m_nSize; }
  // Never fails; the position may leave the content, where reads then deliver nothing.
  int Seek(long offset, int whence) override;
  int ReadData(void* buffer, int count) override;
  int WriteData(const void* buffer, int count) override;
  int WriteInt(int value) override;
  int ReadInt(int* value) override;
  int WriteUInt(unsigned int value) override;
  int ReadUInt(unsigned int* value) override;
  int WriteByte(unsigned char value) override;
  int ReadByte(unsigned char* value) override;
  int WriteWord(unsigned short value) override;
  int ReadWord(unsigned short* value) override;
  // Memory content counts as valid.
  int CheckCRC(unsigned short) override { return 1; }
  int GetCurPos() override { return (int)m_nPos; }
  int Delete(const char* path) override;

  // An empty write buffer of size zeroed bytes, positioned at its start.
  int Create(unsigned int size) override;
  // Writes the bytes before the current position to path, atomically.
  int FlushDataToFile(CAppCore* game, const char* path) override;
  int OpenOnDisk(CAppCore* game, const char* path, unsigned int mode) override;
  int Attach(void* buffer, int size) override;
  void* Detach() override;
  unsigned char* GetBuffer() override { return m_pBuffer; }

private:
  int OpenFromPacks(CAppCore* game, const char* path, unsigned int mode);
  void ReleaseDiskFile();

  unsigned char* m_pBuffer = nullptr;
  long m_nPos = 0; // read or write position; may lie outside 0..size after a Seek
  int m_nSize = 0;
  IFile* m_pDiskFile = nullptr;
  CommonString m_WriteBackPath;
  CAppCore* m_pGame = nullptr;
};

// The path as the disk wants it: every '\' becomes '/'. Pack entry names keep their '\'.
CommonString DiskPathFromEnginePath(const char* path);

// Replaces the file at path with size bytes: a temporary file in the same directory, every write
// checked, fsync, rename over path, fsync of the directory. The old file survives any failure, and
// errno then says why.
bool WriteFileAtomically(const char* path, const void* data, size_t size);

// Moves a file that will not be used out of the way, to "<path>.damaged" beside it, or
// "<path>.damaged2" up to "<path>.damaged99" while earlier copies are there: no kept copy is ever
// replaced. Answers the path it took, or an empty string (errno set) when the file stays where it is.
CommonString KeepFileAside(const char* path);

// Little-endian transfer of one number through ReadData/WriteData; answers the bytes moved. A partial
// read keeps the target's other bytes.
template <class T> int WriteLittleEndian(IFile* file, T value) {
  unsigned char bytes[sizeof(T)];
  for (size_t i = 0; i < sizeof(T); i++)
    bytes[i] = (unsigned char)((unsigned long long)value >> (8 * i));
  return file->WriteData(bytes, (int)sizeof(T));
}
template <class T> int ReadLittleEndian(IFile* file, T* value) {
  unsigned char bytes[sizeof(T)];
  int got = file->ReadData(bytes, (int)sizeof(T));
  if (got > 0 && value) {
    unsigned long long v = (unsigned long long)*value;
    for (int i = 0; i < got && i < (int)sizeof(T); i++) {
      v &= ~(0xFFull << (8 * i));
      v |= (unsigned long long)bytes[i] << (8 * i);
    }
    *value = (T)v;
  }
  return got;
}

// A new closed stdio file for the game's factories and for code that has no application object.
IFile* NewDiskFileObject(CAppCore* game);
