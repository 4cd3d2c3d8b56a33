// Fuzzes the localisation table reader: any bytes are read within the buffer, and every key read
// is trimmed and finds the text of its last row.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "files.h"
#include "loc_manager.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void CheckEntries(CLocManager2& loc) {
  int count = loc.m_Entries.GetSize();
  for (int i = 0; i < count; i++) {
    LocEntry* entry = loc.m_Entries[i];
    if (!entry) abort();
    const char* key = entry->m_Key.c_str();
    size_t len = strlen(key);
    if (len == 0 || IsBlank(key[0]) || IsBlank(key[len - 1])) abort();
    // The last entry with this key answers.
    int last = i;
    for (int j = i + 1; j < count; j++)
      if (loc.m_Entries[j]->m_Key == entry->m_Key) last = j;
    if (!(loc.LoadString(entry->m_Key.GetData()) == loc.m_Entries[last]->m_Text)) abort();
    CommonString next = loc.LoadString(entry->m_Key.GetData(), 1);
    if (last + 1 < count ? !(next == loc.m_Entries[last + 1]->m_Text) : !next.IsEmpty()) abort();
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exact-size copy: nothing may be read behind it.
  void* block = malloc(size ? size : 1);
  if (!block) return 0;
  if (size) memcpy(block, data, size);
  CMemoryFile table;
  table.Attach(block, (int)size);

  CLocManager2 loc(nullptr);
  if (loc.ReadLanguageIDs(&table) != 1) abort();
  int languages = loc.m_LangIDs.GetSize();
  for (int i = 0; i <= languages; i++) {
    // One pass past the last language: an id the table does not carry.
    CommonString id = i < languages ? loc.GetLangID(i) : CommonString("enUS");
    if (loc.ReadCSVFile(&table, id.GetData()) != 1) abort();
    CheckEntries(loc);
  }
  return 0;
}
