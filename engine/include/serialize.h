// Two-way binary field serialisers over an IFile, the engine's CRC-16, and 16-bit-length strings.
#pragma once

#include "common_string.h"
#include "files.h"
#include "quellar_types.h"

// One routine per record runs in both directions: with m_bWriting each field is written,
// otherwise read back into the same variable. Fill the fields, serialise, then test m_bOk.
class SerializeHelper {
public:
  IFile* m_pFile = nullptr;
  bool m_bOk = true; // cleared by any failed transfer, never set again
  bool m_bWriting = false;

  SerializeHelper() = default;
  SerializeHelper(IFile* file, bool writing) : m_pFile(file), m_bWriting(writing) {}

  void Serialize(int& v); // also FIXED_FLOAT
  void Serialize(unsigned int& v);
  void Serialize(unsigned long& v); // 4 bytes in the file
  void Serialize(unsigned short& v);
  void Serialize(short& v);
  void Serialize(char& v);
  void Serialize(unsigned char& v);
  void Serialize(bool& v); // an int 0 or 1; read back as true when above 0
  void Serialize(TVector2D& v);
  void Serialize(TCoord2D& v);
  void Serialize(TRect2D& v);
  void Serialize(CommonString& s);  // int length, then the bytes
  void SerializeW(CommonString& s); // int length, then two bytes per character

private:
  void Check(int got, int expected) {
    if (got != expected) m_bOk = false;
  }
};

// Adds float, double, 16.16 and raw-block fields. Short scalar transfers add up in m_nMissing;
// strings longer than 32768 bytes are refused. A pass succeeded when m_bOk and m_nMissing == 0.
class SerializeHelper2 {
public:
  IFile* m_pFile = nullptr;
  bool m_bOk = true;
  bool m_bWriting = false;
  int m_nMissing = 0; // bytes expected minus bytes moved, over scalar fields

  SerializeHelper2() = default;
  SerializeHelper2(IFile* file, bool writing) : m_pFile(file), m_bWriting(writing) {}

  void Serialize(int& v); // also FIXED_FLOAT and FIXED_FLOAT_16
  void Serialize(unsigned int& v);
  void Serialize(unsigned long& v); // 4 bytes in the file
  void Serialize(short& v);
  void Serialize(char& v);
  void Serialize(unsigned char& v);
  void Serialize(bool& v); // one byte 0 or 1; read back as true when not 0
  void Serialize(float& v);
  void Serialize(double& v);
  void Serialize(TVector2D& v);
  void Serialize(TVector2D_16& v);
  void Serialize(TCoord2D& v);
  void Serialize(TRect2D& v);
  void Serialize(void* block, int n);
  void Serialize(CommonString& s);
  void SerializeW(CommonString& s);

  bool Succeeded() const { return m_bOk && m_nMissing == 0; }

private:
  void Count(int got, int expected) { m_nMissing += expected - got; }
};

// Longest string SerializeHelper2 accepts.
const int kSerializeMaxString = 32768;

// CRC-16/X-25 over length bytes, returned with its two bytes swapped; 0 for no bytes.
unsigned short calc_crc16(const char* data, unsigned short length);

// One string as a 16-bit length and its bytes. ReadString answers 0 only when memory runs out;
// WriteString answers 1 when both the length and the text were written whole.
int ReadString(IFile* file, CommonString& s);
int WriteString(IFile* file, CommonString& s);
