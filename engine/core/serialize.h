// Two-way binary field serialisers over an IFile, the engine's CRC-16, and 16-bit-length strings.
#pragma once

#include "common_string.h"
#include "files.h"
#include "quellar_types.h"

// One routine per record runs in both directions: with m_bWriting each field is written,
// otherwise read back into the same variable. Fill the fields, serialise, then test the result.
// The fields both serialisers share; Derived says how a short transfer is recorded.
template <class Derived> class SerializeCore {
public:
  IFile* m_pFile = nullptr;
  bool m_bOk = true; // cleared by any failed transfer, never set again
  bool m_bWriting = false;

  SerializeCore() = default;
  SerializeCore(IFile* file, bool writing) : m_pFile(file), m_bWriting(writing) {}

  void Serialize(int& v); // also FIXED_FLOAT and FIXED_FLOAT_16
  void Serialize(unsigned int& v);
  void Serialize(unsigned long& v); // 4 bytes in the file
  void Serialize(short& v);
  void Serialize(char& v);
  void Serialize(unsigned char& v);
  void Serialize(TVector2D& v);
  void Serialize(TCoord2D& v);
  void Serialize(TRect2D& v);
  void Serialize(CommonString& s);  // int length, then the bytes
  void SerializeW(CommonString& s); // int length, then two bytes per character

protected:
  // A missing file fails the pass rather than crash.
  bool Ready() {
    if (!m_pFile) m_bOk = false;
    return m_pFile != nullptr;
  }
  void Moved(int got, int expected) { static_cast<Derived*>(this)->Record(got, expected); }
};

// Any short transfer clears m_bOk.
class SerializeHelper : public SerializeCore<SerializeHelper> {
public:
  using SerializeCore::Serialize;
  using SerializeCore::SerializeCore;
  void Serialize(unsigned short& v);
  void Serialize(bool& v); // an int 0 or 1; read back as true when above 0

  void Record(int got, int expected) {
    if (got != expected) m_bOk = false;
  }
  static const int kMaxString = 0; // no limit
  static const bool kEmptyRefusedString = false;
};

// Adds float, double, 16.16 and raw-block fields. Short scalar transfers add up in m_nMissing;
// strings longer than 32768 bytes are refused. A pass succeeded when m_bOk and m_nMissing == 0.
class SerializeHelper2 : public SerializeCore<SerializeHelper2> {
public:
  int m_nMissing = 0; // bytes expected minus bytes moved, over scalar fields

  using SerializeCore::Serialize;
  using SerializeCore::SerializeCore;
  void Serialize(bool& v); // one byte 0 or 1; read back as true when not 0
  void Serialize(float& v);
  void Serialize(double& v);
  void Serialize(TVector2D_16& v);
  void Serialize(void* block, int n);

  bool Succeeded() const { return m_bOk && m_nMissing == 0; }

  void Record(int got, int expected) { m_nMissing += expected - got; }
  static const int kMaxString = 32768;
  static const bool kEmptyRefusedString = true;
};

// Longest string SerializeHelper2 accepts.
const int kSerializeMaxString = SerializeHelper2::kMaxString;

// CRC-16/X-25 over length bytes, returned with its two bytes swapped; 0 for no bytes.
unsigned short calc_crc16(const char* data, unsigned short length);

// One string as a 16-bit length and its bytes. ReadString answers 0 only when memory runs out;
// WriteString answers 1 when both the length and the text were written whole.
int ReadString(IFile* file, CommonString& s);
int WriteString(IFile* file, CommonString& s);
