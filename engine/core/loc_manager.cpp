// The localisation manager: reading the comma-separated table and looking texts up by key.
#include "loc_manager.h"

#include <new>

#include "app_core.h"
#include "files.h"
#include "quellar_utils.h"

namespace {

// The characters of the cell being read; grows in steps of 1024 bytes.
class CellBuffer {
public:
  CellBuffer() = default;
  CellBuffer(const CellBuffer&) = delete;
  CellBuffer& operator=(const CellBuffer&) = delete;
  ~CellBuffer() { free(m_pData); }

  bool Append(char c) {
    if (m_nLength + 1 >= m_nCapacity) {
      char* grown = (char*)realloc(m_pData, (size_t)m_nCapacity + 1024);
      if (!grown) return false;
      m_pData = grown;
      m_nCapacity += 1024;
    }
    m_pData[m_nLength++] = c;
    m_pData[m_nLength] = 0;
    return true;
  }
  void Clear() {
    m_nLength = 0;
    if (m_pData) m_pData[0] = 0;
  }
  char* Text() { return m_pData ? m_pData : const_cast<char*>(""); }
  int Length() const { return m_nLength; }

private:
  char* m_pData = nullptr;
  int m_nLength = 0;
  int m_nCapacity = 0;
};

// How a cell ended.
enum CellEnd { CELL_COMMA, CELL_LINE, CELL_END_OF_DATA, CELL_NO_MEMORY };

// Walks a table buffer cell by cell. The table ends at the buffer's size or its first zero byte,
// whichever comes first; nothing beyond either is ever read.
class TableScanner {
public:
  TableScanner(const unsigned char* data, int size, bool escapes)
      : m_pData(data), m_nSize(data && size > 0 ? size : 0), m_bEscapes(escapes) {}

  CellEnd NextCell(CellBuffer& cell) {
    cell.Clear();
    bool quoted = Peek() == '"';
    if (quoted) m_nPos++;
    for (;;) {
      int c = Peek();
      if (c <= 0) return CELL_END_OF_DATA;
      m_nPos++;
      if (quoted && c == '"') {
        if (Peek() != '"') {
          quoted = false;
          continue;
        }
        m_nPos++;
      } else if (!quoted) {
        if (c == ',') return CELL_COMMA;
        if (c == '\n') return CELL_LINE;
        if (c == '\r') continue;
      }
      if (m_bEscapes && c == '\\') {
        int next = Peek();
        if (next == 'n') {
          m_nPos++;
          if (!cell.Append('\r')) return CELL_NO_MEMORY;
          c = '\n';
        } else if (next == 't') {
          m_nPos++;
          c = '\t';
        }
      }
      if (!cell.Append((char)c)) return CELL_NO_MEMORY;
    }
  }

private:
  // The next byte, 0 at the end of the table.
  int Peek() const { return m_nPos < m_nSize ? m_pData[m_nPos] : 0; }

  const unsigned char* m_pData;
  int m_nSize;
  int m_nPos = 0;
  bool m_bEscapes;
};

// Closes and deletes a table file when the reading is over.
struct TableFile {
  IMemFile* m_pFile;
  ~TableFile() {
    if (m_pFile) {
      m_pFile->Close();
      delete m_pFile;
    }
  }
};

} // namespace

CLocManager2::CLocManager2(CAppCore* game) : m_pGame(game) {}

CLocManager2::~CLocManager2() { FlushStringsData(); }

IMemFile* CLocManager2::OpenTable(const char* file) {
  if (!m_pGame) return nullptr;
  IMemFile* table = m_pGame->CreateMemoryFileObject();
  if (!table) return nullptr;
  if (table->Open(m_pGame, file, FILE_MODE_READ) != 1) {
    delete table;
    return nullptr;
  }
  return table;
}

int CLocManager2::Init(CommonString file, int entryGrowth) {
  m_Entries.SetGrowthStep(entryGrowth);
  TableFile table{OpenTable(file.c_str())};
  if (!table.m_pFile || !ReadLanguageIDs(table.m_pFile)) return 0;
  m_FileName = file;
  return 1;
}

int CLocManager2::InitWithDefuaultLanguage(int entryGrowth) {
  m_Entries.SetGrowthStep(entryGrowth);
  FlushStringsData();
  m_LangIDs.Free();
  m_LangDisplayNames.Free();
  m_FileName = CommonString();
  m_nCurrentLanguage = -1;
  if (!m_LangIDs.AddOwned(new (std::nothrow) CommonString("enUS")) ||
      !m_LangDisplayNames.AddOwned(new (std::nothrow) CommonString("English")))
    return 0;
  m_nCurrentLanguage = 0;
  return 1;
}

int CLocManager2::ReadLanguageIDs(IMemFile* file) {
  unsigned char* data = file ? file->GetBuffer() : nullptr;
  if (!data) return 0;
  // Read aside, so that a failure leaves the languages known so far.
  CLocOwnedList<CommonString> ids(1), names(1);
  TableScanner scanner(data, file->GetSize(), false);
  CellBuffer cell;
  int row = 0, column = 0;
  for (;;) {
    CellEnd end = scanner.NextCell(cell);
    if (end == CELL_NO_MEMORY) return 0;
    // A cell the data cuts off is not stored.
    if (end == CELL_END_OF_DATA) break;
    if (column > 0 && !(row == 0 ? ids : names).AddOwned(new (std::nothrow) CommonString(cell.Text())))
      return 0;
    column++;
    if (end == CELL_LINE) {
      if (++row == 2) break;
      column = 0;
    }
  }
  m_LangIDs.Swap(ids);
  m_LangDisplayNames.Swap(names);
  return 1;
}

int CLocManager2::SetCurrentLanguage(int index) {
  CommonString id = GetLangID(index);
  if (id.IsEmpty() || m_FileName.IsEmpty()) return 0;
  if (!ReadCSVFile(m_FileName, id.GetData())) return 0;
  m_nCurrentLanguage = index;
  return 1;
}

int CLocManager2::ReadCSVFile(CommonString file, char* languageId) {
  if (!m_pGame) return 0;
  TableFile table{OpenTable(file.c_str())};
  if (!table.m_pFile) return 0;
  return ReadCSVFile(table.m_pFile, languageId);
}

int CLocManager2::ReadCSVFile(IMemFile* file, char* languageId) {
  unsigned char* data = file ? file->GetBuffer() : nullptr;
  if (!data) return 0;
  CLocOwnedList<LocEntry> entries(m_Entries.GetGrowthStep());
  TableScanner scanner(data, file->GetSize(), true);
  CellBuffer cell;
  int selected = -1; // the language's column
  bool header = true;
  int column = 0;
  CommonString key, text;
  for (;;) {
    CellEnd end = scanner.NextCell(cell);
    if (end == CELL_NO_MEMORY) return 0;
    if (header) {
      // When several columns carry the id, the last one counts.
      if (column > 0 && languageId && *languageId && strcmp(cell.Text(), languageId) == 0) selected = column;
    } else if (column == 0) {
      key = CropStartEndSpaces(cell.Text(), cell.Length());
    } else if (column == selected) {
      text = CropStartEndSpaces(cell.Text(), cell.Length());
    }
    column++;
    if (end == CELL_COMMA) continue;
    // A row ends at its line feed, and the last row at the end of the data.
    if (!header && !key.IsEmpty()) {
      LocEntry* entry = new (std::nothrow) LocEntry();
      if (entry) {
        entry->m_Key = key;
        entry->m_Text = text;
      }
      if (!entries.AddOwned(entry)) return 0;
    }
    key = CommonString();
    text = CommonString();
    column = 0;
    header = false;
    if (end == CELL_END_OF_DATA) break;
  }
  m_Entries.Swap(entries);
  ProcessHashIDs();
  return 1;
}

void CLocManager2::ProcessHashIDs() {
  for (int i = 0; i < m_Entries.GetSize(); i++) {
    LocEntry* entry = m_Entries[i];
    if (entry && !entry->m_Key.IsEmpty()) entry->m_nHash = (unsigned int)GetHashCode(entry->m_Key.GetData());
  }
}

void CLocManager2::FlushStringsData() { m_Entries.Free(); }

int CLocManager2::FindEntry(const char* key) {
  // Any non-empty key is searched: a real key may hash to 0 too.
  if (!key || !*key) return -1;
  unsigned int hash = (unsigned int)GetHashCode(key);
  int count = m_Entries.GetSize();
  for (int i = count - 1; i >= 0; i--) {
    LocEntry* entry = m_Entries[i];
    if (entry && entry->m_nHash == hash && entry->m_Key.IsEqual(key)) return i;
  }
  // Entries whose hashes were never computed.
  for (int i = count - 1; i >= 0; i--) {
    LocEntry* entry = m_Entries[i];
    if (entry && entry->m_Key.IsEqual(key)) return i;
  }
  return -1;
}

CommonString CLocManager2::LoadString(char* key) { return LoadString(key, 0); }

CommonString CLocManager2::LoadString(char* key, int offset) {
  int i = FindEntry(key);
  if (i < 0) return CommonString();
  long long target = (long long)i + offset;
  if (target < 0 || target >= m_Entries.GetSize()) return CommonString();
  LocEntry* entry = m_Entries[(int)target];
  return entry ? entry->m_Text : CommonString();
}

CommonString CLocManager2::GetLangID(int index) {
  CommonString* id = m_LangIDs[index];
  return id ? *id : CommonString();
}

CommonString CLocManager2::GetLangDisplayName(int index) {
  CommonString* name = m_LangDisplayNames[index];
  return name ? *name : CommonString();
}

CommonString CLocManager2::CropStartEndSpaces(char* text, int length) {
  if (!text || length < 1) return CommonString(text);
  int end = length - 1;
  while (end > 0 && (text[end] == ' ' || text[end] == '\t'))
    text[end--] = 0;
  int start = 0;
  while (start < length && (text[start] == ' ' || text[start] == '\t'))
    start++;
  // Bounded by length: the caller's text need not end there.
  size_t kept = start < length ? strnlen(text + start, (size_t)(length - start)) : 0;
  char* copy = (char*)malloc(kept + 1);
  if (!copy) return CommonString();
  memcpy(copy, text + start, kept);
  copy[kept] = 0;
  CommonString result;
  result.Attach(copy);
  return result;
}

CommonString CLocManager2::CropStartEndSpaces(CommonString text) {
  return CropStartEndSpaces(text.GetData(), text.Length());
}

CommonStringRS<50> CLocManager2::CropStartEndSpaces(CommonStringRS<50> text) {
  return CommonStringRS<50>(CropStartEndSpaces(text.GetData(), text.Length()).c_str());
}
