// Fuzzes the sprite-set description reader and the atlas item reader. The first byte picks the
// reader; the rest is the file. A refused description keeps the whole sets of its earlier blocks, a
// refused item file leaves no item; whatever is registered is consistent and can be removed again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "files.h"
#include "sprite_set.h"
#include "test_application.h"

namespace {

class FuzzGame : public CTestApplication {
public:
  FuzzGame() {
    m_bUsePacks = 0;
    m_bCreateTextures = 0;
  }
  ~FuzzGame() override { SafeDelete(m_pManager); }
  CSpriteSetManager* GetSpriteSetManager() override { return m_pManager; }
  CSpriteSetManager* m_pManager = new CSpriteSetManager(this, 40);
};

void CheckItems(const uint8_t* data, size_t size, bool halve) {
  CMemoryFile file;
  void* copy = malloc(size ? size : 1);
  if (!copy) return;
  if (size) memcpy(copy, data, size);
  file.Attach(copy, (int)size);
  CQuellarObjPtrArray<CSpriteSetTextureAtlasItem*> items(50);
  int ok = ReadSpriteAtlasItemList(&file, halve, items);
  if (!ok && items.GetSize() != 0) abort();
  for (int i = 0; i < items.GetSize(); i++) {
    CSpriteSetTextureAtlasItem* item = items[i];
    if (!item || item->m_Name.IsEmpty() ||
        item->m_nNameHash != CalculateSpriteSetNameHashCode(item->m_Name.c_str()))
      abort();
  }
}

void CheckDescription(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/sprocklet-sprites-fuzz-" + std::to_string(getpid()) + ".txt";
  FILE* out = fopen(path.c_str(), "wb");
  if (!out) return;
  fwrite(data, 1, size, out);
  fclose(out);

  FuzzGame game;
  CSpriteSetManager* sets = game.m_pManager;
  if (!sets->AddSpriteSetMulti("seed", "seed_%d", nullptr, 1, 1, false, false)) return;
  CSpriteSet* seed = sets->GetSpriteSetAt(0);
  // Accepted or not, the file only ever adds whole sets after the ones already there.
  AddSpriteSetsFromFile(&game, path.c_str());
  if (sets->GetNumSpriteSets() < 1 || sets->GetSpriteSetAt(0) != seed) abort();
  for (int i = 1; i < sets->GetNumSpriteSets(); i++) {
    CSpriteSet* set = sets->GetSpriteSetAt(i);
    if (!set || set->m_nKind < SPRITESET_SINGLE || set->m_nKind > SPRITESET_SINGLE_COMMON_ALPHA ||
        set->m_nRefCount != 0 || set->m_nNameHash != CalculateSpriteSetNameHashCode(set->m_Name.c_str()) ||
        (set->m_bIsAtlasSubset && !IsSpriteFramePattern(set->m_AtlasIndexPattern.c_str())))
      abort();
  }
  int before = sets->GetNumSpriteSets();
  if (DestroySpriteSetsFromFile(&game, path.c_str()) != 1 || sets->GetNumSpriteSets() > before) abort();
  unlink(path.c_str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  if (data[0] & 1)
    CheckItems(data + 1, size - 1, (data[0] & 2) != 0);
  else
    CheckDescription(data + 1, size - 1);
  return 0;
}
