// The engine's strings: the heap string CommonString and CommonStringRS<N> with inline room.
#pragma once

#include <cstdarg>
#include <cstdlib>
#include <cstring>

// A malloc'ed, exact-size, never shared copy of a text. A null buffer is the usual empty string;
// Format and the one-character constructor may leave a non-null empty buffer instead.
class CommonString {
public:
  CommonString() = default;
  CommonString(const char* text);
  explicit CommonString(char c);
  CommonString(const CommonString& other);
  CommonString(CommonString&& other) noexcept : m_pData(other.m_pData) { other.m_pData = nullptr; }
  virtual ~CommonString();

  CommonString& operator=(const char* text);
  CommonString& operator=(const CommonString& other);
  CommonString& operator=(CommonString&& other) noexcept;

  // Takes ownership of a malloc'ed buffer without copying it.
  void Attach(char* buffer);
  // Gives up ownership of the buffer; the string becomes empty.
  char* Detach();

  char* GetData() const { return m_pData; }
  const char* GetDataConst() const { return m_pData; }
  operator char*() const { return m_pData; }
  // Never null: the text or "" (for printf-style callers).
  const char* c_str() const { return m_pData ? m_pData : ""; }

  int Length() const { return m_pData ? (int)strlen(m_pData) : 0; }
  bool IsEmpty() const { return Length() == 0; }

  // Byte-for-byte; false for a null text and whenever this string has no buffer.
  bool IsEqual(const char* text) const;

  // printf-style; the result replaces the text (an empty result leaves a non-null buffer).
  // Longer results than the engine's 199-character contract are formatted whole, not cut.
  void Format(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;
  void FormatV(const char* format, va_list args);

private:
  void Assign(const char* text, size_t len);
  char* m_pData = nullptr;
};

bool operator==(const CommonString& a, const CommonString& b);
bool operator==(const char* a, const CommonString& b);
bool operator==(const CommonString& a, const char* b);
inline bool operator!=(const CommonString& a, const CommonString& b) { return !(a == b); }
CommonString operator+(const CommonString& a, const CommonString& b);
CommonString operator+(const CommonString& a, const char* b);

// A text of up to N characters lives inside the object; a longer one in an exact heap block.
template <int N> class CommonStringRS {
public:
  CommonStringRS() { m_Inline[0] = 0; }
  CommonStringRS(const char* text) {
    m_Inline[0] = 0;
    Set(text, text ? strlen(text) : 0);
  }
  CommonStringRS(const CommonStringRS& other) {
    m_Inline[0] = 0;
    Set(other.GetData(), (size_t)other.m_nLength);
  }
  virtual ~CommonStringRS() { free(m_pHeap); }

  CommonStringRS& operator=(const CommonStringRS& other) {
    if (this != &other) Set(other.GetData(), (size_t)other.m_nLength);
    return *this;
  }
  CommonStringRS& operator=(const char* text) {
    if (text == GetData() && text) return *this;
    Set(text, text ? strlen(text) : 0);
    return *this;
  }

  // Replaces the text with len bytes of text (not necessarily terminated).
  void Set(const char* text, size_t len) {
    if (len > (size_t)0x7FFFFFF0) len = 0;
    // Copy first: text may point into our own buffers.
    if (len <= (size_t)N) {
      char tmp[N + 1];
      if (len) memcpy(tmp, text, len);
      free(m_pHeap);
      m_pHeap = nullptr;
      if (len) memcpy(m_Inline, tmp, len);
      m_Inline[len] = 0;
      m_nLength = (int)len;
      return;
    }
    char* block = (char*)malloc(len + 1);
    if (!block) {
      free(m_pHeap);
      m_pHeap = nullptr;
      m_Inline[0] = 0;
      m_nLength = 0;
      return;
    }
    memcpy(block, text, len);
    block[len] = 0;
    free(m_pHeap);
    m_pHeap = block;
    m_nLength = (int)len;
  }

  char* GetData() const { return m_pHeap ? m_pHeap : const_cast<char*>(m_Inline); }
  operator char*() const { return GetData(); }
  int Length() const { return m_nLength; }
  bool IsOnHeap() const { return m_pHeap != nullptr; }

  bool IsEqual(const char* text) const {
    if (!text) return false;
    size_t len = strlen(text);
    return len == (size_t)m_nLength && memcmp(GetData(), text, len) == 0;
  }

private:
  char m_Inline[N + 1];
  char* m_pHeap = nullptr;
  int m_nLength = 0;
};

template <int N> bool operator==(const CommonStringRS<N>& a, const char* text) { return a.IsEqual(text); }
template <int N> bool operator!=(const CommonStringRS<N>& a, const char* text) { return !a.IsEqual(text); }

template <int N> CommonStringRS<N> operator+(const CommonStringRS<N>& a, const CommonStringRS<N>& b) {
  if (a.Length() == 0) return b;
  if (b.Length() == 0) return a;
  size_t la = (size_t)a.Length(), lb = (size_t)b.Length();
  char* tmp = (char*)malloc(la + lb + 1);
  CommonStringRS<N> out;
  if (!tmp) return out;
  memcpy(tmp, a.GetData(), la);
  memcpy(tmp + la, b.GetData(), lb);
  out.Set(tmp, la + lb);
  free(tmp);
  return out;
}
