// Fuzzes the UI layout reader: any text is read or refused without reading past the file, and the
// records it leaves answer lookups.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "files.h"
#include "ui_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CMemoryFile file;
  void* copy = malloc(size ? size : 1);
  if (size) memcpy(copy, data, size);
  file.Attach(copy, (int)size);
  CUILayout layout(nullptr);
  layout.LoadFromUILayoutFile(&file);
  layout.PrepareFontPointersForStyles();
  for (int i = 0; i < layout.GetNumStyles(); i++) {
    UILayout_StyleData* s = layout.m_pStyles[i];
    if (layout.GetStyleById(s->id) == nullptr && !s->id.IsEmpty()) abort();
    layout.GetFontById(s->fontId);
  }
  return 0;
}
