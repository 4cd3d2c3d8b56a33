// Fuzzes the game atlas's index reader: any input is read or refused with a reason, and every
// entry of an accepted index is found again by its name.
#include <cstdint>
#include <cstdlib>

#include "atlas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  Atlas atlas;
  const char* why = nullptr;
  if (!atlas.ReadIndex(data, (int)size, &why)) {
    if (!why || atlas.pageCount != 0 || atlas.pages) abort();
    return 0;
  }
  if (atlas.pageCount < 0 || atlas.pageCount > ATLAS_MAX_PAGES) abort();
  for (int i = 0; i < atlas.pageCount; ++i)
    for (int k = 0; k < atlas.pages[i]->count; ++k)
      if (!atlas.getSurfaceInfo(atlas.pages[i]->entries[k]->name)) abort();
  return 0;
}
