// Parser: line reading over memory and other files, property and item splitting, numbers.
#include "parser.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

typedef Parser::Text Text;

namespace {

bool IsBlank(int c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(int c) { return c == '\n' || c == '\r'; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }

// Collects a line; short lines never touch the heap.
class LineBuffer {
public:
  ~LineBuffer() {
    if (m_pData != m_Inline) free(m_pData);
  }
  void Add(int c) {
    if (m_nLength == m_nCapacity) {
      size_t capacity = m_nCapacity * 2;
      char* block = (char*)malloc(capacity);
      if (!block) return;
      memcpy(block, m_pData, m_nLength);
      if (m_pData != m_Inline) free(m_pData);
      m_pData = block;
      m_nCapacity = capacity;
    }
    m_pData[m_nLength++] = (char)c;
  }
  Text ToText() const {
    Text t;
    t.Set(m_pData, m_nLength);
    return t;
  }

private:
  char m_Inline[128];
  char* m_pData = m_Inline;
  size_t m_nLength = 0;
  size_t m_nCapacity = sizeof(m_Inline);
};

// Bytes of a memory file's buffer, consumed in place.
struct MemorySource {
  const unsigned char* data;
  long pos;
  long end;
  int Next() { return pos < end ? data[pos++] : -1; }
  void Back(int n) { pos -= n; }
};

// Any other file, one byte per read.
struct FileSource {
  IFile* file;
  int Next() {
    unsigned char b = 0;
    return file->ReadData(&b, 1) == 1 ? b : -1;
  }
  void Back(int n) { file->Seek(-n, FILE_SEEK_CURRENT); }
};

// One line: skip line ends, blanks and comment lines, then collect up to the line end or a "//".
// A '/' just before a line end ends the line with the '/'.
template <class Source> Text ScanLine(Source& src) {
  LineBuffer line;
  bool comment = false;
  for (;;) {
    int c = src.Next();
    if (c < 0) return Text();
    if (IsLineEnd(c)) {
      comment = false;
      continue;
    }
    if (comment || IsBlank(c)) continue;
    if (c != '/') {
      line.Add(c);
      break;
    }
    int d = src.Next();
    if (d < 0) return Text();
    if (d == '/') {
      comment = true;
      continue;
    }
    line.Add('/');
    if (IsLineEnd(d)) return line.ToText();
    line.Add(d);
    break;
  }
  for (;;) {
    int c = src.Next();
    if (c < 0 || IsLineEnd(c)) break;
    if (c != '/') {
      line.Add(c);
      continue;
    }
    int d = src.Next();
    if (d < 0) break; // a '/' that ends the file is dropped
    if (d == '/') {
      src.Back(2); // the next read skips the comment
      break;
    }
    line.Add('/');
    if (IsLineEnd(d)) break;
    line.Add(d);
  }
  return line.ToText();
}

} // namespace

Text Parser::ReadNextLineFromMemFile(IMemFile* file) {
  unsigned char* buffer = file->GetBuffer();
  int pos = file->GetCurPos(), size = file->GetSize();
  if (!buffer || pos < 0 || pos >= size) return Text();
  MemorySource src{buffer, pos, size};
  Text line = ScanLine(src);
  file->Seek(src.pos, FILE_SEEK_BEGIN);
  return line;
}

Text Parser::ReadNextLineFromFile(IFile* file) {
  FileSource src{file};
  return ScanLine(src);
}

bool Parser::GetNextLine(IFile* file, Text& line) {
  if (!file) return false;
  IMemFile* mem = file->IsMemoryFile() ? static_cast<IMemFile*>(file) : nullptr;
  if (mem && !mem->GetBuffer()) mem = nullptr;
  for (;;) {
    Text next = mem ? ReadNextLineFromMemFile(mem) : ReadNextLineFromFile(file);
    if (next.Length() == 0) return false;
    next = RemoveLastSpaces(next);
    const char* s = next.GetData();
    if (s[0] == '/' && s[1] == '/') continue;
    line = next;
    return true;
  }
}

bool Parser::IsPropertyString(Text& line) {
  if (line.Length() < 2) return false;
  for (const char* s = line.GetData(); *s; s++) {
    if (s[0] == '/' && s[1] == '/') return false;
    if (*s == '=' || *s == ':') return true;
  }
  return false;
}

bool Parser::ReadPropertyFromString(Text& line, Text& name, Text& value) {
  name = "";
  value = "";
  if (line.Length() == 0) return false;
  if (!IsPropertyString(line)) {
    value = RemoveLastSpaces(line);
    return true;
  }
  LineBuffer n, v;
  bool inQuotes = false, separator = false, valueStarted = false;
  const char* s = line.GetData();
  for (int i = 0; i < line.Length(); i++) {
    char c = s[i];
    if (c == '"') inQuotes = !inQuotes;
    if (!inQuotes && (c == '=' || c == ':')) {
      separator = true;
      continue;
    }
    if (!separator) {
      n.Add(c);
    } else if (valueStarted || !IsBlank(c)) {
      valueStarted = true;
      v.Add(c);
    }
  }
  name = RemoveLastSpaces(n.ToText());
  value = RemoveLastSpaces(v.ToText());
  return true;
}

Text Parser::RemoveLastSpaces(Text text) {
  int len = text.Length();
  const char* s = text.GetData();
  while (len > 1 && IsBlank(s[len - 1]))
    len--;
  if (len == text.Length()) return text;
  Text out;
  out.Set(s, (size_t)len);
  return out;
}

Text Parser::RemoveStartEndSymbol(Text text, char start, char end) {
  const char* s = text.GetData();
  int from = 0, to = text.Length();
  if (to > 0 && s[to - 1] == end) to--;
  if (to > 0 && s[0] == start) from = 1;
  Text out;
  out.Set(s + from, (size_t)(to - from));
  return out;
}

void Parser::GetSubStringsArrayVar(Text text, int count, Text* items, int& found) {
  found = 0;
  if (count <= 0 || !items) return;
  for (int i = 0; i < count; i++)
    items[i] = "";
  const char* s = text.GetData();
  int len = text.Length();
  bool inQuotes = false;
  int begun = 0, start = -1;
  for (int i = 0; i <= len; i++) {
    bool separator = i == len || (!inQuotes && (s[i] == ',' || s[i] == ' '));
    if (separator) {
      if (start >= 0) items[begun - 1].Set(s + start, (size_t)(i - start));
      start = -1;
      continue;
    }
    if (s[i] == '"') inQuotes = !inQuotes;
    if (start < 0) {
      if (begun == count) break; // a further item: the walk stops
      start = i;
      begun++;
    }
  }
  found = begun;
}

void Parser::GetSubStringsArray(Text text, int count, Text* items) {
  int found = 0;
  GetSubStringsArrayVar(text, count, items, found);
}

int Parser::AToI(const char* text) {
  if (!text || !*text) return 0;
  int len = (int)strlen(text);
  bool negative = text[0] == '-';
  if (!IsDigit(text[len - 1])) return 0; // also a lone '-'
  uint32_t value = 0, place = 1;
  for (int i = len - 1; i >= (negative ? 1 : 0) && IsDigit(text[i]); i--) {
    value += (uint32_t)(text[i] - '0') * place;
    place *= 10;
  }
  return (int)(negative ? 0u - value : value);
}

static int32_t ParseFixed(const char* text, int shift, int fractionBits) {
  if (!text || !*text) return 0;
  int len = (int)strlen(text);
  bool negative = text[0] == '-';
  uint32_t value = 0, place = 1;
  double divisor = 1;
  bool dot = false;
  for (int i = len - 1; i >= (negative ? 1 : 0); i--) {
    char c = text[i];
    if (IsDigit(c)) {
      value += (uint32_t)(c - '0') * place;
      place *= 10;
      if (!dot) divisor *= 10;
    } else if (c == '.') {
      if (dot) return 0;
      dot = true;
    } else {
      break;
    }
  }
  if (negative) value = 0u - value;
  if (shift > 0) value = shift < 32 ? value << shift : 0;
  if (!dot) return (int32_t)(value << fractionBits);
  double scaled = (double)(int32_t)value / divisor * (double)(1 << fractionBits);
  scaled += scaled >= 0 ? 0.5 : -0.5;
  // Out-of-range values wrap like the integer path instead of overflowing the conversion.
  if (scaled >= 9.2e18 || scaled <= -9.2e18) return 0;
  return (int32_t)(uint32_t)(uint64_t)(int64_t)scaled;
}

FIXED_FLOAT Parser::AToF(const char* text, int shift) { return ParseFixed(text, shift, 8); }

FIXED_FLOAT_16 Parser::AToF16(const char* text, int shift) { return ParseFixed(text, shift, 16); }
