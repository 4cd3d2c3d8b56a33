// CommonString: exact-size heap copies, comparisons and formatting.
#include "common_string.h"

#include <cstdio>

CommonString::CommonString(const char* text) {
  if (text) Assign(text, strlen(text));
}

CommonString::CommonString(char c) {
  m_pData = (char*)malloc(2);
  if (m_pData) {
    m_pData[0] = c;
    m_pData[1] = 0;
  }
}

CommonString::CommonString(const CommonString& other) {
  if (other.m_pData) Assign(other.m_pData, strlen(other.m_pData));
}

CommonString::~CommonString() { free(m_pData); }

void CommonString::Assign(const char* text, size_t len) {
  if (len == 0) {
    m_pData = nullptr;
    return;
  }
  m_pData = (char*)malloc(len + 1);
  if (!m_pData) return;
  memcpy(m_pData, text, len);
  m_pData[len] = 0;
}

CommonString& CommonString::operator=(const char* text) {
  if (text && text == m_pData) return *this;
  char* old = m_pData;
  m_pData = nullptr;
  if (text) Assign(text, strlen(text));  // text may point into old: copy before freeing
  free(old);
  return *this;
}

CommonString& CommonString::operator=(const CommonString& other) {
  if (this == &other) return *this;
  return *this = other.m_pData;
}

CommonString& CommonString::operator=(CommonString&& other) noexcept {
  if (this != &other) {
    free(m_pData);
    m_pData = other.m_pData;
    other.m_pData = nullptr;
  }
  return *this;
}

void CommonString::Attach(char* buffer) {
  if (buffer == m_pData) return;
  free(m_pData);
  m_pData = buffer;
}

char* CommonString::Detach() {
  char* p = m_pData;
  m_pData = nullptr;
  return p;
}

bool CommonString::IsEqual(const char* text) const {
  if (!text || !m_pData) return false;
  return strcmp(m_pData, text) == 0;
}

void CommonString::FormatV(const char* format, va_list args) {
  char small[200];
  va_list copy;
  va_copy(copy, args);
  int n = vsnprintf(small, sizeof(small), format ? format : "", copy);
  va_end(copy);
  if (n < 0) n = 0;
  char* block = (char*)malloc((size_t)n + 1);
  if (!block) return;
  if ((size_t)n < sizeof(small)) {
    memcpy(block, small, (size_t)n + 1);
  } else {
    vsnprintf(block, (size_t)n + 1, format, args);
  }
  free(m_pData);
  m_pData = block;
}

void CommonString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

bool operator==(const CommonString& a, const CommonString& b) {
  int la = a.Length();
  if (la != b.Length()) return false;
  return la == 0 || memcmp(a.GetDataConst(), b.GetDataConst(), (size_t)la) == 0;
}

bool operator==(const char* a, const CommonString& b) { return CommonString(a) == b; }
bool operator==(const CommonString& a, const char* b) { return a == CommonString(b); }

CommonString operator+(const CommonString& a, const CommonString& b) {
  int la = a.Length(), lb = b.Length();
  if (la == 0) return b;
  if (lb == 0) return a;
  char* block = (char*)malloc((size_t)la + (size_t)lb + 1);
  CommonString out;
  if (!block) return out;
  memcpy(block, a.GetDataConst(), (size_t)la);
  memcpy(block + la, b.GetDataConst(), (size_t)lb + 1);
  out.Attach(block);
  return out;
}

CommonString operator+(const CommonString& a, const char* b) { return a + CommonString(b); }
