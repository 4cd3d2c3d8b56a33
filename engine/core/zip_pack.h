// ZIP asset packs: the directory reader CiPhoneZipFileReader and CZipElementFile, which streams
// one stored entry straight from its pack file.
#pragma once

#include <cstdio>

#include "common_string.h"
#include "files.h"
#include "quellar_array.h"

class CAppCore;

// Result codes of the pack reader.
enum {
  ZIP_OK = 1,
  ZIP_NOT_FOUND = 0,
  ZIP_NO_ENTRIES = -3,
  ZIP_CANNOT_OPEN = -4,
  ZIP_DAMAGED = -5,
  ZIP_NOT_LOADED = -6,
  ZIP_BAD_METHOD = -7,
  ZIP_NO_MEMORY = -100,
  ZIP_NULL_ARGUMENT = -101,
  ZIP_BAD_INDEX = -102,
};

// End of central directory record, 22 bytes.
struct TZipDirHeader {
  unsigned int sig;
  unsigned short nDisk;
  unsigned short nStartDisk;
  unsigned short nDirEntries;
  unsigned short totalDirEntries;
  unsigned int dirSize;
  unsigned int dirOffset;
  unsigned short cmntLen;
};

// Central directory file header, 46 bytes before its name, extra field and comment.
struct TZipDirFileHeader {
  unsigned int sig;
  unsigned short verMade;
  unsigned short verNeeded;
  unsigned short flag;
  unsigned short compression;
  unsigned short modTime;
  unsigned short modDate;
  unsigned int crc32;
  unsigned int cSize;
  unsigned int ucSize;
  unsigned short fnameLen;
  unsigned short xtraLen;
  unsigned short cmntLen;
  unsigned short diskStart;
  unsigned short intAttr;
  unsigned int extAttr;
  unsigned int hdrOffset;
};

// Local file header, 30 bytes before its name and extra field.
struct TZipLocalHeader {
  unsigned int sig;
  unsigned short version;
  unsigned short flag;
  unsigned short compression;
  unsigned short modTime;
  unsigned short modDate;
  unsigned int crc32;
  unsigned int cSize;
  unsigned int ucSize;
  unsigned short fnameLen;
  unsigned short xtraLen;
};

// One name of the lookup table; the name points into the directory buffer (not terminated).
struct MyMapPair {
  char* name;
  unsigned int hash;
  int nameLength;
};

class CiPhoneZipFileReader {
public:
  explicit CiPhoneZipFileReader(CAppCore* game);
  CiPhoneZipFileReader(const CiPhoneZipFileReader&) = delete;
  CiPhoneZipFileReader& operator=(const CiPhoneZipFileReader&) = delete;
  virtual ~CiPhoneZipFileReader();

  // Name lookup uses '\' separators and is case-sensitive; the first of equal names wins.
  virtual int IndexFromName(const char* name, int* index);
  // Fills buffer, which holds at least get_FileLength bytes, with the entry's content.
  virtual int ReadFile(int index, unsigned char* buffer);
  virtual int get_FileLength(int index, long* length);
  // Copies the name and a terminating zero; name holds at least the name's length + 1 bytes.
  virtual int get_FileName(int index, char* name);
  virtual int get_FilesCount(long* count);
  // Offset of the entry's first data byte in the pack file.
  virtual int ReadFileOffset(int index, long* offset);
  virtual int Close();
  virtual int Init(const char* path);
  // The pack's path up to and including its last separator.
  virtual CommonString GetZipDirectory();

  // The path Init opened (as given).
  const CommonString& GetPackPath() const { return m_PackPath; }
  // Length of the entry's name in bytes (-1 for a bad index); names may exceed 127 bytes.
  int GetFileNameLength(int index) const;

  static unsigned int CalculateHashCode(const char* text);
  static unsigned int CalculateHashCodeLen(const char* text, int length);

private:
  int LocateEntryData(int index, TZipDirFileHeader* central, TZipLocalHeader* local);

  CAppCore* m_pGame;
  unsigned char* m_pDirData = nullptr;
  int m_nEntries = 0;
  unsigned char** m_pEntries = nullptr;
  CQuellarArray<MyMapPair> m_NameTable;
  IFile* m_pPackFile = nullptr;
  CommonString m_PackDirectory;
  CommonString m_PackPath;
  int m_nPackSize = 0;
};

// Finds an entry in the application object's packs: the common pack, then (unless single-pack
// mode) the resolution pack, then the optional pack; a missing reader ends the search. Answers
// the reader holding it, or null.
CiPhoneZipFileReader* FindPackEntry(CAppCore* game, const char* name, int* index);

// Streams one stored pack entry; writes are refused.
class CZipElementFile : public IFile {
public:
  CZipElementFile() = default;
  CZipElementFile(const CZipElementFile&) = delete;
  CZipElementFile& operator=(const CZipElementFile&) = delete;
  ~CZipElementFile() override;

  int Open(CAppCore* game, const char* path, unsigned int mode) override;
  // Opens an entry of the given reader directly.
  int OpenEntry(CiPhoneZipFileReader* reader, int index);
  int IsOpened() override { return m_pFile != nullptr; }
  void Close() override;
  int GetSize() override { return m_pFile ? m_nSize : 0; }
  int Seek(long offset, int whence) override;
  int ReadData(void* buffer, int count) override;
  int WriteData(const void*, int) override { return 0; }
  int WriteInt(int) override { return 0; }
  int ReadInt(int* value) override;
  int WriteUInt(unsigned int) override { return 0; }
  int ReadUInt(unsigned int* value) override;
  int WriteByte(unsigned char) override { return 0; }
  int ReadByte(unsigned char* value) override;
  int WriteWord(unsigned short) override { return 0; }
  int ReadWord(unsigned short* value) override;
  int GetCurPos() override;
  int Delete(const char*) override { return 0; }

private:
  FILE* m_pFile = nullptr;
  long m_nDataOffset = 0;
  int m_nSize = 0;
  int m_nPackSize = 0;
  int m_nPosition = 0;
};
