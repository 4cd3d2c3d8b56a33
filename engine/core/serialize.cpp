// Binary field serialisers, CRC-16 and the 16-bit-length string record.
#include "serialize.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Bytes left between the position and the end, or -1 when the file cannot tell.
long BytesLeft(IFile* file) {
  int pos = file->GetCurPos();
  if (pos < 0) return -1;
  long left = (long)file->GetSize() - pos;
  return left < 0 ? 0 : left;
}

template <class T> int Move(IFile* file, bool writing, T& v) {
  return writing ? WriteLittleEndian(file, v) : ReadLittleEndian(file, &v);
}

int MoveInt(IFile* file, bool writing, int& v) { return writing ? file->WriteInt(v) : file->ReadInt(&v); }

// unsigned long keeps its 4-byte form on hosts where it is wider.
int MoveULong(IFile* file, bool writing, unsigned long& v) {
  uint32_t u = (uint32_t)v;
  int got = Move(file, writing, u);
  if (!writing) v = u;
  return got;
}

template <class Float, class Bits> int MoveFloat(IFile* file, bool writing, Float& v) {
  Bits bits;
  memcpy(&bits, &v, sizeof(bits));
  int got = Move(file, writing, bits);
  if (!writing) memcpy(&v, &bits, sizeof(bits));
  return got;
}

// Both serialisers share the string encodings; they differ in the length limit and in what a
// refused string becomes (emptied, or left as it was).
struct StringRules {
  int maxLength; // 0: no limit
  bool emptyOnFailure;
};

void MoveString(IFile* file, bool writing, CommonString& s, bool& ok, StringRules rules) {
  if (writing) {
    int len = s.Length();
    if (file->WriteInt(len) != 4) ok = false;
    if (len <= 0) return;
    if (file->WriteData(s.GetData(), len) != len) ok = false;
    return;
  }
  int len = 0;
  if (file->ReadInt(&len) != 4) {
    ok = false;
    return;
  }
  if (len < 1) {
    s = (const char*)nullptr;
    return;
  }
  long left = BytesLeft(file);
  // A length the file cannot hold is damage, not a reason to allocate.
  if ((rules.maxLength > 0 && len > rules.maxLength) || (left >= 0 && len > left)) {
    if (rules.emptyOnFailure) s = (const char*)nullptr;
    ok = false;
    return;
  }
  char* block = (char*)calloc((size_t)len + 1, 1);
  if (!block) {
    ok = false;
    return;
  }
  if (file->ReadData(block, len) != len) {
    free(block);
    if (rules.emptyOnFailure) s = (const char*)nullptr;
    ok = false;
    return;
  }
  s.Attach(block);
}

void MoveStringW(IFile* file, bool writing, CommonString& s, bool& ok) {
  if (writing) {
    int len = s.Length();
    if (file->WriteInt(len) != 4) {
      ok = false;
      return;
    }
    const char* text = s.GetData();
    for (int i = 0; i < len; i++) {
      char high = 0;
      if (file->WriteData(&text[i], 1) != 1 || file->WriteData(&high, 1) != 1) {
        ok = false;
        return;
      }
    }
    return;
  }
  int len = 0;
  if (file->ReadInt(&len) != 4) {
    ok = false;
    return;
  }
  if (len < 1) {
    s = (const char*)nullptr;
    return;
  }
  long left = BytesLeft(file);
  if (left >= 0 && (long long)len * 2 > left) {
    ok = false;
    return;
  }
  char* block = (char*)calloc((size_t)len + 1, 1);
  if (!block) {
    ok = false;
    return;
  }
  for (int i = 0; i < len; i++) {
    char high = 0;
    if (file->ReadData(&block[i], 1) != 1 || file->ReadData(&high, 1) != 1) {
      free(block);
      ok = false;
      return;
    }
  }
  s.Attach(block);
}

const StringRules kHelperRules = {0, false};
const StringRules kHelper2Rules = {kSerializeMaxString, true};

} // namespace

// ---------------------------------------------------------------------------------------------
// SerializeHelper

#define SH_FILE_OR_FAIL()                                                                                    \
  if (!m_pFile) {                                                                                            \
    m_bOk = false;                                                                                           \
    return;                                                                                                  \
  }

void SerializeHelper::Serialize(int& v) {
  SH_FILE_OR_FAIL();
  Check(MoveInt(m_pFile, m_bWriting, v), 4);
}
void SerializeHelper::Serialize(unsigned int& v) {
  SH_FILE_OR_FAIL();
  Check(Move(m_pFile, m_bWriting, v), 4);
}
void SerializeHelper::Serialize(unsigned long& v) {
  SH_FILE_OR_FAIL();
  Check(MoveULong(m_pFile, m_bWriting, v), 4);
}
void SerializeHelper::Serialize(unsigned short& v) {
  SH_FILE_OR_FAIL();
  Check(Move(m_pFile, m_bWriting, v), 2);
}
void SerializeHelper::Serialize(short& v) {
  SH_FILE_OR_FAIL();
  Check(Move(m_pFile, m_bWriting, v), 2);
}
void SerializeHelper::Serialize(char& v) {
  SH_FILE_OR_FAIL();
  Check(Move(m_pFile, m_bWriting, v), 1);
}
void SerializeHelper::Serialize(unsigned char& v) {
  SH_FILE_OR_FAIL();
  Check(Move(m_pFile, m_bWriting, v), 1);
}
void SerializeHelper::Serialize(bool& v) {
  SH_FILE_OR_FAIL();
  int i = v ? 1 : 0;
  Check(MoveInt(m_pFile, m_bWriting, i), 4);
  if (!m_bWriting) v = i > 0;
}
void SerializeHelper::Serialize(TVector2D& v) {
  SH_FILE_OR_FAIL();
  Check(MoveInt(m_pFile, m_bWriting, v.x) + MoveInt(m_pFile, m_bWriting, v.y), 8);
}
void SerializeHelper::Serialize(TCoord2D& v) {
  SH_FILE_OR_FAIL();
  Check(MoveInt(m_pFile, m_bWriting, v.x) + MoveInt(m_pFile, m_bWriting, v.y), 8);
}
void SerializeHelper::Serialize(TRect2D& v) {
  SH_FILE_OR_FAIL();
  int got = MoveInt(m_pFile, m_bWriting, v.x) + MoveInt(m_pFile, m_bWriting, v.y);
  got += MoveInt(m_pFile, m_bWriting, v.width) + MoveInt(m_pFile, m_bWriting, v.height);
  Check(got, 16);
}
void SerializeHelper::Serialize(CommonString& s) {
  SH_FILE_OR_FAIL();
  MoveString(m_pFile, m_bWriting, s, m_bOk, kHelperRules);
}
void SerializeHelper::SerializeW(CommonString& s) {
  SH_FILE_OR_FAIL();
  MoveStringW(m_pFile, m_bWriting, s, m_bOk);
}

// ---------------------------------------------------------------------------------------------
// SerializeHelper2 (a missing file counts as a failed pass rather than a crash)

void SerializeHelper2::Serialize(int& v) {
  SH_FILE_OR_FAIL();
  Count(MoveInt(m_pFile, m_bWriting, v), 4);
}
void SerializeHelper2::Serialize(unsigned int& v) {
  SH_FILE_OR_FAIL();
  Count(Move(m_pFile, m_bWriting, v), 4);
}
void SerializeHelper2::Serialize(unsigned long& v) {
  SH_FILE_OR_FAIL();
  Count(MoveULong(m_pFile, m_bWriting, v), 4);
}
void SerializeHelper2::Serialize(short& v) {
  SH_FILE_OR_FAIL();
  Count(Move(m_pFile, m_bWriting, v), 2);
}
void SerializeHelper2::Serialize(char& v) {
  SH_FILE_OR_FAIL();
  Count(Move(m_pFile, m_bWriting, v), 1);
}
void SerializeHelper2::Serialize(unsigned char& v) {
  SH_FILE_OR_FAIL();
  Count(Move(m_pFile, m_bWriting, v), 1);
}
void SerializeHelper2::Serialize(bool& v) {
  SH_FILE_OR_FAIL();
  unsigned char b = v ? 1 : 0;
  Count(Move(m_pFile, m_bWriting, b), 1);
  if (!m_bWriting) v = b != 0;
}
void SerializeHelper2::Serialize(float& v) {
  SH_FILE_OR_FAIL();
  Count(MoveFloat<float, uint32_t>(m_pFile, m_bWriting, v), 4);
}
void SerializeHelper2::Serialize(double& v) {
  SH_FILE_OR_FAIL();
  Count(MoveFloat<double, uint64_t>(m_pFile, m_bWriting, v), 8);
}
void SerializeHelper2::Serialize(TVector2D& v) {
  SH_FILE_OR_FAIL();
  Count(MoveInt(m_pFile, m_bWriting, v.x) + MoveInt(m_pFile, m_bWriting, v.y), 8);
}
void SerializeHelper2::Serialize(TVector2D_16& v) {
  SH_FILE_OR_FAIL();
  Count(MoveInt(m_pFile, m_bWriting, v.x) + MoveInt(m_pFile, m_bWriting, v.y), 8);
}
void SerializeHelper2::Serialize(TCoord2D& v) {
  SH_FILE_OR_FAIL();
  Count(MoveInt(m_pFile, m_bWriting, v.x) + MoveInt(m_pFile, m_bWriting, v.y), 8);
}
void SerializeHelper2::Serialize(TRect2D& v) {
  SH_FILE_OR_FAIL();
  int got = MoveInt(m_pFile, m_bWriting, v.x) + MoveInt(m_pFile, m_bWriting, v.y);
  got += MoveInt(m_pFile, m_bWriting, v.width) + MoveInt(m_pFile, m_bWriting, v.height);
  Count(got, 16);
}
void SerializeHelper2::Serialize(void* block, int n) {
  SH_FILE_OR_FAIL();
  if (n <= 0 || !block) return;
  Count(m_bWriting ? m_pFile->WriteData(block, n) : m_pFile->ReadData(block, n), n);
}
void SerializeHelper2::Serialize(CommonString& s) {
  SH_FILE_OR_FAIL();
  MoveString(m_pFile, m_bWriting, s, m_bOk, kHelper2Rules);
}
void SerializeHelper2::SerializeW(CommonString& s) {
  SH_FILE_OR_FAIL();
  MoveStringW(m_pFile, m_bWriting, s, m_bOk);
}

// ---------------------------------------------------------------------------------------------

unsigned short calc_crc16(const char* data, unsigned short length) {
  if (length == 0 || !data) return 0;
  unsigned int crc = 0xFFFF;
  for (unsigned int i = 0; i < length; i++) {
    unsigned int b = (unsigned char)data[i];
    for (int bit = 0; bit < 8; bit++, b >>= 1)
      crc = ((crc ^ b) & 1) ? (crc >> 1) ^ 0x8408 : crc >> 1;
  }
  crc = ~crc & 0xFFFF;
  return (unsigned short)(((crc & 0xFF) << 8) | (crc >> 8));
}

int ReadString(IFile* file, CommonString& s) {
  unsigned short len = 0;
  file->ReadWord(&len);
  char* block = (char*)calloc((size_t)len + 1, 1);
  if (!block) return 0;
  // A record cut short leaves the missing bytes zero, which ends the text there.
  if (len > 0) file->ReadData(block, len);
  s.Attach(block);
  return 1;
}

int WriteString(IFile* file, CommonString& s) {
  unsigned short len = (unsigned short)s.Length();
  if (file->WriteWord(len) != 2) return 0;
  if (len == 0) return 1;
  return file->WriteData(s.GetData(), len) == len ? 1 : 0;
}
