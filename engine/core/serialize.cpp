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

// The length that starts a string field; below 1 the field ends here (a read failure clears ok,
// a stored length below 1 is the empty string).
int ReadStringLength(IFile* file, CommonString& s, bool& ok) {
  int len = 0;
  if (file->ReadInt(&len) != 4) {
    ok = false;
    return 0;
  }
  if (len < 1) s = (const char*)nullptr;
  return len;
}

// Both serialisers share the string encodings; they differ in the length limit and in what a
// refused string becomes (emptied, or left as it was).
void MoveString(IFile* file, bool writing, CommonString& s, bool& ok, int maxLength, bool emptyOnFailure) {
  if (writing) {
    int len = s.Length();
    if (file->WriteInt(len) != 4) ok = false;
    if (len <= 0) return;
    if (file->WriteData(s.GetData(), len) != len) ok = false;
    return;
  }
  int len = ReadStringLength(file, s, ok);
  if (len < 1) return;
  long left = BytesLeft(file);
  // A length the file cannot hold is damage, not a reason to allocate.
  char* block = nullptr;
  bool fits = (maxLength <= 0 || len <= maxLength) && (left < 0 || len <= left);
  if (fits) block = (char*)calloc((size_t)len + 1, 1);
  if (block && file->ReadData(block, len) == len) {
    s.Attach(block);
    return;
  }
  free(block);
  // A failed allocation is not the file's fault: the text stays.
  if (emptyOnFailure && (!fits || block)) s = (const char*)nullptr;
  ok = false;
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
  int len = ReadStringLength(file, s, ok);
  if (len < 1) return;
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

} // namespace

// ---------------------------------------------------------------------------------------------
// The shared fields

template <class D> void SerializeCore<D>::Serialize(int& v) {
  if (Ready()) Moved(MoveInt(m_pFile, m_bWriting, v), 4);
}
template <class D> void SerializeCore<D>::Serialize(unsigned int& v) {
  if (Ready()) Moved(Move(m_pFile, m_bWriting, v), 4);
}
template <class D> void SerializeCore<D>::Serialize(unsigned long& v) {
  if (Ready()) Moved(MoveULong(m_pFile, m_bWriting, v), 4);
}
template <class D> void SerializeCore<D>::Serialize(short& v) {
  if (Ready()) Moved(Move(m_pFile, m_bWriting, v), 2);
}
template <class D> void SerializeCore<D>::Serialize(char& v) {
  if (Ready()) Moved(Move(m_pFile, m_bWriting, v), 1);
}
template <class D> void SerializeCore<D>::Serialize(unsigned char& v) {
  if (Ready()) Moved(Move(m_pFile, m_bWriting, v), 1);
}
template <class D> void SerializeCore<D>::Serialize(TVector2D& v) {
  if (Ready()) Moved(MoveInt(m_pFile, m_bWriting, v.x) + MoveInt(m_pFile, m_bWriting, v.y), 8);
}
template <class D> void SerializeCore<D>::Serialize(TCoord2D& v) {
  if (Ready()) Moved(MoveInt(m_pFile, m_bWriting, v.x) + MoveInt(m_pFile, m_bWriting, v.y), 8);
}
template <class D> void SerializeCore<D>::Serialize(TRect2D& v) {
  if (!Ready()) return;
  int got = MoveInt(m_pFile, m_bWriting, v.x) + MoveInt(m_pFile, m_bWriting, v.y);
  got += MoveInt(m_pFile, m_bWriting, v.width) + MoveInt(m_pFile, m_bWriting, v.height);
  Moved(got, 16);
}
template <class D> void SerializeCore<D>::Serialize(CommonString& s) {
  if (Ready()) MoveString(m_pFile, m_bWriting, s, m_bOk, D::kMaxString, D::kEmptyRefusedString);
}
template <class D> void SerializeCore<D>::SerializeW(CommonString& s) {
  if (Ready()) MoveStringW(m_pFile, m_bWriting, s, m_bOk);
}

template class SerializeCore<SerializeHelper>;
template class SerializeCore<SerializeHelper2>;

void SerializeHelper::Serialize(unsigned short& v) {
  if (Ready()) Moved(Move(m_pFile, m_bWriting, v), 2);
}
void SerializeHelper::Serialize(bool& v) {
  if (!Ready()) return;
  int i = v ? 1 : 0;
  Moved(MoveInt(m_pFile, m_bWriting, i), 4);
  if (!m_bWriting) v = i > 0;
}

void SerializeHelper2::Serialize(bool& v) {
  if (!Ready()) return;
  unsigned char b = v ? 1 : 0;
  Moved(Move(m_pFile, m_bWriting, b), 1);
  if (!m_bWriting) v = b != 0;
}
void SerializeHelper2::Serialize(float& v) {
  if (Ready()) Moved(MoveFloat<float, uint32_t>(m_pFile, m_bWriting, v), 4);
}
void SerializeHelper2::Serialize(double& v) {
  if (Ready()) Moved(MoveFloat<double, uint64_t>(m_pFile, m_bWriting, v), 8);
}
void SerializeHelper2::Serialize(TVector2D_16& v) {
  if (Ready()) Moved(MoveInt(m_pFile, m_bWriting, v.x) + MoveInt(m_pFile, m_bWriting, v.y), 8);
}
void SerializeHelper2::Serialize(void* block, int n) {
  if (!Ready() || n <= 0 || !block) return;
  Moved(m_bWriting ? m_pFile->WriteData(block, n) : m_pFile->ReadData(block, n), n);
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
