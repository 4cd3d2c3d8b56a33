// ZIP pack reader: the central directory held in memory, name lookup by hash, stored and
// raw-deflated entries; and the pack entry file that streams a stored entry.
#include "zip_pack.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <zlib.h>

#include "app_core.h"
#include "byte_order.h"
#include "quellar_utils.h"

namespace {

const unsigned int kDirHeaderSig = 0x06054B50;
const unsigned int kDirFileHeaderSig = 0x02014B50;
const unsigned int kLocalHeaderSig = 0x04034B50;
const int kDirHeaderSize = 22;
const int kDirFileHeaderSize = 46;
const int kLocalHeaderSize = 30;

bool Read_TZipDirHeader(IFile* file, TZipDirHeader* h) {
  unsigned char b[kDirHeaderSize];
  if (file->ReadData(b, kDirHeaderSize) != kDirHeaderSize) return false;
  h->sig = ReadLe32(b);
  h->nDisk = ReadLe16(b + 4);
  h->nStartDisk = ReadLe16(b + 6);
  h->nDirEntries = ReadLe16(b + 8);
  h->totalDirEntries = ReadLe16(b + 10);
  h->dirSize = ReadLe32(b + 12);
  h->dirOffset = ReadLe32(b + 16);
  h->cmntLen = ReadLe16(b + 20);
  return true;
}

bool Read_TZipLocalHeader(IFile* file, TZipLocalHeader* h) {
  unsigned char b[kLocalHeaderSize];
  if (file->ReadData(b, kLocalHeaderSize) != kLocalHeaderSize) return false;
  h->sig = ReadLe32(b);
  h->version = ReadLe16(b + 4);
  h->flag = ReadLe16(b + 6);
  h->compression = ReadLe16(b + 8);
  h->modTime = ReadLe16(b + 10);
  h->modDate = ReadLe16(b + 12);
  h->crc32 = ReadLe32(b + 14);
  h->cSize = ReadLe32(b + 18);
  h->ucSize = ReadLe32(b + 22);
  h->fnameLen = ReadLe16(b + 26);
  h->xtraLen = ReadLe16(b + 28);
  return true;
}

// The directory walk has checked that all 46 bytes lie inside the buffer.
void Copy_TZipDirFileHeader(const unsigned char* b, TZipDirFileHeader* h) {
  h->sig = ReadLe32(b);
  h->verMade = ReadLe16(b + 4);
  h->verNeeded = ReadLe16(b + 6);
  h->flag = ReadLe16(b + 8);
  h->compression = ReadLe16(b + 10);
  h->modTime = ReadLe16(b + 12);
  h->modDate = ReadLe16(b + 14);
  h->crc32 = ReadLe32(b + 16);
  h->cSize = ReadLe32(b + 20);
  h->ucSize = ReadLe32(b + 24);
  h->fnameLen = ReadLe16(b + 28);
  h->xtraLen = ReadLe16(b + 30);
  h->cmntLen = ReadLe16(b + 32);
  h->diskStart = ReadLe16(b + 34);
  h->intAttr = ReadLe16(b + 36);
  h->extAttr = ReadLe32(b + 38);
  h->hdrOffset = ReadLe32(b + 42);
}

} // namespace

CiPhoneZipFileReader::CiPhoneZipFileReader(CAppCore* game) : m_pGame(game), m_NameTable(500) {}

CiPhoneZipFileReader::~CiPhoneZipFileReader() { Close(); }

int CiPhoneZipFileReader::Close() {
  m_nEntries = 0;
  delete[] m_pDirData;
  m_pDirData = nullptr;
  m_pEntries = nullptr;
  m_NameTable.RemoveAll();
  if (m_pPackFile) {
    m_pPackFile->Close();
    delete m_pPackFile;
    m_pPackFile = nullptr;
  }
  m_nPackSize = 0;
  return 1;
}

unsigned int CiPhoneZipFileReader::CalculateHashCodeLen(const char* text, int length) {
  unsigned int h = 0;
  for (int i = 0; i < length; i++) {
    h = (h << 4) + (unsigned int)(int)(signed char)text[i];
    unsigned int g = h & 0xF0000000u;
    if (g) h = (h ^ (g >> 24)) & ~g;
  }
  return h & 0x7FFFFFFFu;
}

unsigned int CiPhoneZipFileReader::CalculateHashCode(const char* text) {
  return (unsigned int)GetHashCode(text);
}

CommonString CiPhoneZipFileReader::GetZipDirectory() { return m_PackDirectory; }

int CiPhoneZipFileReader::Init(const char* path) {
  Close();
  m_PackDirectory = path;
  m_PackPath = path;
  if (m_PackDirectory.IsEmpty()) return ZIP_CANNOT_OPEN;
  char* dir = m_PackDirectory.GetData();
  for (int i = (int)strlen(dir) - 1; i >= 1 && dir[i] != '\\' && dir[i] != '/'; i--)
    dir[i] = 0;

  m_pPackFile = NewDiskFileObject(m_pGame);
  if (!m_pPackFile) return ZIP_NO_MEMORY;
  if (!m_pPackFile->Open(m_pGame, path, FILE_MODE_READ)) {
    delete m_pPackFile;
    m_pPackFile = nullptr;
    return ZIP_CANNOT_OPEN;
  }
  m_nPackSize = m_pPackFile->GetSize();

  // A pack has no archive comment: the end record is the last 22 bytes.
  TZipDirHeader end;
  if (m_nPackSize < kDirHeaderSize || !m_pPackFile->Seek(-kDirHeaderSize, FILE_SEEK_END)) {
    Close();
    return ZIP_CANNOT_OPEN;
  }
  long endPos = m_pPackFile->GetCurPos();
  if (!Read_TZipDirHeader(m_pPackFile, &end) || end.sig != kDirHeaderSig) {
    Close();
    return ZIP_CANNOT_OPEN;
  }
  // The directory ends where the end record begins.
  if ((long long)end.dirSize > endPos || !m_pPackFile->Seek(endPos - (long)end.dirSize, FILE_SEEK_BEGIN)) {
    Close();
    return ZIP_CANNOT_OPEN;
  }
  int count = end.nDirEntries;
  size_t dirSize = end.dirSize;
  if ((size_t)count * kDirFileHeaderSize > dirSize) {
    Close();
    return ZIP_DAMAGED;
  }
  size_t tableOffset =
      (dirSize + sizeof(unsigned char*) - 1) / sizeof(unsigned char*) * sizeof(unsigned char*);
  m_pDirData = new (std::nothrow) unsigned char[tableOffset + sizeof(unsigned char*) * (size_t)count];
  if (!m_pDirData) {
    Close();
    return ZIP_NO_MEMORY;
  }
  memset(m_pDirData, 0, tableOffset + sizeof(unsigned char*) * (size_t)count);
  if (m_pPackFile->ReadData(m_pDirData, (int)dirSize) != (int)dirSize) {
    Close();
    return ZIP_DAMAGED;
  }
  m_pEntries = (unsigned char**)(m_pDirData + tableOffset);
  if (count == 0) return ZIP_OK;

  // Every header and name must lie inside the bytes read.
  size_t off = 0;
  for (int i = 0; i < count; i++) {
    if (off + kDirFileHeaderSize > dirSize) {
      Close();
      return ZIP_DAMAGED;
    }
    unsigned char* h = m_pDirData + off;
    size_t nameLen = ReadLe16(h + 28);
    size_t next = off + kDirFileHeaderSize + nameLen + ReadLe16(h + 30) + ReadLe16(h + 32);
    if (ReadLe32(h) != kDirFileHeaderSig || next > dirSize) {
      Close();
      return ZIP_DAMAGED;
    }
    char* name = (char*)h + kDirFileHeaderSize;
    for (size_t k = 0; k < nameLen; k++)
      if (name[k] == '/') name[k] = '\\';
    m_pEntries[i] = h;
    off = next;
  }
  m_nEntries = count;

  // Built in one block: the growth step becomes the entry count.
  m_NameTable.SetGrowthStep(count);
  for (int i = 0; i < count; i++) {
    char* name = (char*)m_pEntries[i] + kDirFileHeaderSize;
    int nameLen = ReadLe16(m_pEntries[i] + 28);
    m_NameTable.Add(MyMapPair{name, CalculateHashCodeLen(name, nameLen), nameLen});
  }
  return ZIP_OK;
}

int CiPhoneZipFileReader::IndexFromName(const char* name, int* index) {
  if (!name || !index) return ZIP_NULL_ARGUMENT;
  if (m_nEntries == 0) return ZIP_NOT_LOADED;
  unsigned int h = CalculateHashCode(name);
  size_t len = strlen(name);
  for (int i = 0; i < m_NameTable.GetSize(); i++) {
    MyMapPair p = m_NameTable[i];
    if (p.hash == h && (size_t)p.nameLength == len && memcmp(p.name, name, len) == 0) {
      *index = i;
      return ZIP_OK;
    }
  }
  return ZIP_NOT_FOUND;
}

int CiPhoneZipFileReader::get_FileLength(int index, long* length) {
  if (!length) return ZIP_NULL_ARGUMENT;
  if (m_nEntries == 0) return ZIP_NOT_LOADED;
  if (index < 0 || index >= m_nEntries) return ZIP_BAD_INDEX;
  const unsigned char* h = m_pEntries[index];
  // Callers size a buffer by this before reading: a length the pack cannot hold (stored, more than the
  // whole pack; deflated, more than deflate's 1032:1 gives of its packed bytes) is a damaged entry.
  long long packed = ReadLe32(h + 20), size = ReadLe32(h + 24);
  long long most = ReadLe16(h + 10) == 0 ? m_nPackSize : std::min(packed, (long long)m_nPackSize) * 1032 + 64;
  if (size > most) return ZIP_DAMAGED;
  *length = (long)size;
  return ZIP_OK;
}

int CiPhoneZipFileReader::GetFileNameLength(int index) const {
  if (index < 0 || index >= m_nEntries) return -1;
  return ReadLe16(m_pEntries[index] + 28);
}

int CiPhoneZipFileReader::get_FileName(int index, char* name) {
  if (!name) return ZIP_NULL_ARGUMENT;
  if (m_nEntries == 0) return ZIP_NOT_LOADED;
  if (index < 0 || index >= m_nEntries) return ZIP_BAD_INDEX;
  int len = GetFileNameLength(index);
  memcpy(name, m_pEntries[index] + kDirFileHeaderSize, (size_t)len);
  name[len] = 0;
  return ZIP_OK;
}

int CiPhoneZipFileReader::get_FilesCount(long* count) {
  if (!count) return ZIP_NULL_ARGUMENT;
  if (m_nEntries == 0) return ZIP_NO_ENTRIES;
  *count = m_nEntries;
  return ZIP_OK;
}

// Leaves the pack file at the entry's first data byte.
int CiPhoneZipFileReader::LocateEntryData(int index, TZipDirFileHeader* central, TZipLocalHeader* local) {
  if (m_nEntries == 0 || !m_pPackFile) return ZIP_NOT_LOADED;
  if (index < 0 || index >= m_nEntries) return ZIP_BAD_INDEX;
  Copy_TZipDirFileHeader(m_pEntries[index], central);
  if (central->hdrOffset > (unsigned int)m_nPackSize ||
      !m_pPackFile->Seek((long)central->hdrOffset, FILE_SEEK_BEGIN))
    return ZIP_DAMAGED;
  if (!Read_TZipLocalHeader(m_pPackFile, local) || local->sig != kLocalHeaderSig) return ZIP_DAMAGED;
  // Sizes kept in a data descriptor are zero here; the directory has them.
  if (local->cSize == 0 && central->cSize != 0) local->cSize = central->cSize;
  if (local->ucSize == 0 && central->ucSize != 0) local->ucSize = central->ucSize;
  if (!m_pPackFile->Seek((long)local->fnameLen + local->xtraLen, FILE_SEEK_CURRENT)) return ZIP_DAMAGED;
  return ZIP_OK;
}

int CiPhoneZipFileReader::ReadFileOffset(int index, long* offset) {
  if (!offset) return ZIP_NULL_ARGUMENT;
  TZipDirFileHeader central;
  TZipLocalHeader local;
  int r = LocateEntryData(index, &central, &local);
  if (r != ZIP_OK) return r;
  *offset = m_pPackFile->GetCurPos();
  return ZIP_OK;
}

int CiPhoneZipFileReader::ReadFile(int index, unsigned char* buffer) {
  if (!buffer) return ZIP_NULL_ARGUMENT;
  TZipDirFileHeader central;
  TZipLocalHeader local;
  int r = LocateEntryData(index, &central, &local);
  if (r != ZIP_OK) return r;
  long dataOffset = m_pPackFile->GetCurPos();
  if (dataOffset < 0 || (long long)dataOffset + local.cSize > m_nPackSize) return ZIP_DAMAGED;

  if (local.compression == 0) {
    // The caller's buffer holds the directory's size; any other amount would not fit or not fill it.
    if (local.cSize != central.ucSize) return ZIP_DAMAGED;
    if (local.cSize > 0 && m_pPackFile->ReadData(buffer, (int)local.cSize) != (int)local.cSize)
      return ZIP_DAMAGED;
    return ZIP_OK;
  }
  if (local.compression != 8) return ZIP_BAD_METHOD;

  unsigned char* packed = (unsigned char*)calloc(local.cSize > 0 ? local.cSize : 1, 1);
  if (!packed) return ZIP_NO_MEMORY;
  if (local.cSize > 0 && m_pPackFile->ReadData(packed, (int)local.cSize) != (int)local.cSize) {
    free(packed);
    return ZIP_DAMAGED;
  }
  z_stream zs;
  memset(&zs, 0, sizeof(zs));
  zs.next_in = packed;
  zs.avail_in = local.cSize;
  zs.next_out = buffer;
  zs.avail_out = central.ucSize;
  if (inflateInit2(&zs, -15) != Z_OK) {
    free(packed);
    return ZIP_DAMAGED;
  }
  int z = inflate(&zs, Z_FINISH);
  unsigned long produced = zs.total_out;
  inflateEnd(&zs);
  free(packed);
  // A stream that stops short would leave stale bytes at the end of the buffer.
  bool streamOk = z == Z_STREAM_END || z == Z_OK || z == Z_BUF_ERROR;
  return streamOk && produced == central.ucSize ? ZIP_OK : ZIP_DAMAGED;
}

CiPhoneZipFileReader* FindPackEntry(CAppCore* game, const char* name, int* index) {
  if (!game || !name || !index) return nullptr;
  CiPhoneZipFileReader* order[3];
  int n = 0;
  order[n++] = game->m_pCommonPack;
  if (!game->m_bSinglePack) order[n++] = game->m_pResolutionPack;
  order[n++] = game->m_pOptionalPack;
  for (int i = 0; i < n; i++) {
    if (!order[i]) return nullptr;
    if (order[i]->IndexFromName(name, index) == ZIP_OK) return order[i];
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// CZipElementFile

CZipElementFile::~CZipElementFile() { Close(); }

void CZipElementFile::Close() {
  m_nDataOffset = 0;
  m_nSize = 0;
  m_nPackSize = 0;
  m_nPosition = 0;
  if (m_pFile) {
    fclose(m_pFile);
    m_pFile = nullptr;
  }
}

int CZipElementFile::Open(CAppCore* game, const char* path, unsigned int mode) {
  Close();
  int index = 0;
  CiPhoneZipFileReader* reader = FindPackEntry(game, path, &index);
  if (!reader) return 0;
  if (mode & FILE_MODE_EXISTS) return 1;
  return OpenEntry(reader, index);
}

// The entry is read from the pack that holds it, whichever of the three that is.
int CZipElementFile::OpenEntry(CiPhoneZipFileReader* reader, int index) {
  Close();
  long length = 0, offset = 0;
  if (!reader || reader->get_FileLength(index, &length) != ZIP_OK || length > INT_MAX) return 0;
  if (reader->ReadFileOffset(index, &offset) != ZIP_OK) {
    Close();
    return 0;
  }
  CommonString disk = DiskPathFromEnginePath(reader->GetPackPath().c_str());
  m_pFile = fopen(disk.c_str(), "rb");
  if (!m_pFile || fseek(m_pFile, 0, SEEK_END) != 0) {
    Close();
    return 0;
  }
  long packSize = ftell(m_pFile);
  if (packSize <= 0 || packSize > INT_MAX || offset > packSize || fseek(m_pFile, offset, SEEK_SET) != 0) {
    Close();
    return 0;
  }
  m_nPackSize = (int)packSize;
  m_nDataOffset = offset;
  m_nSize = (int)length;
  m_nPosition = 0;
  return IsOpened();
}

int CZipElementFile::Seek(long offset, int whence) {
  if (!m_pFile) return 0;
  long long target = m_nPosition;
  if (whence & FILE_SEEK_BEGIN)
    target = offset;
  else if (whence & FILE_SEEK_CURRENT)
    target = (long long)m_nPosition + offset;
  else if (whence & FILE_SEEK_END)
    target = (long long)m_nSize + offset;
  else
    target = offset;
  // Nothing before the entry belongs to it.
  if (target < 0 || target > INT_MAX) return 0;
  if (fseek(m_pFile, (long)(m_nDataOffset + target), SEEK_SET) != 0) return 0;
  m_nPosition = (int)target;
  return 1;
}

int CZipElementFile::ReadData(void* buffer, int count) {
  if (!m_pFile || count < 0 || (count > 0 && !buffer)) return -1;
  int left = m_nSize - m_nPosition;
  if (left < 0) left = 0;
  int n = count < left ? count : left;
  size_t got = n > 0 ? fread(buffer, 1, (size_t)n, m_pFile) : 0;
  m_nPosition += (int)got;
  if (ferror(m_pFile)) return -1;
  return (int)got;
}

int CZipElementFile::ReadInt(int* v) { return m_pFile ? ReadLittleEndian(this, v) : -1; }
int CZipElementFile::ReadUInt(unsigned int* v) { return m_pFile ? ReadLittleEndian(this, v) : -1; }
int CZipElementFile::ReadByte(unsigned char* v) { return m_pFile ? ReadLittleEndian(this, v) : -1; }
int CZipElementFile::ReadWord(unsigned short* v) { return m_pFile ? ReadLittleEndian(this, v) : -1; }

int CZipElementFile::GetCurPos() {
  if (!m_pFile) return -1;
  long pos = ftell(m_pFile) - m_nDataOffset;
  if (pos < 0) pos = 0;
  m_nPosition = pos > INT_MAX ? INT_MAX : (int)pos;
  return m_nPosition;
}
