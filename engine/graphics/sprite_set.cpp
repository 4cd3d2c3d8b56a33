// Sprite sets: definition, reference-counted loading and unloading of their frames, atlas item
// tables and subsets, and the sprite-set manager.
#include "sprite_set.h"

#include <climits>
#include <cstdlib>

#include "app_graphics.h"
#include "bitmap_utils.h"
#include "dib_bitmap.h"
#include "files.h"
#include "image_loaders.h"
#include "parser.h"
#include "quellar_utils.h"

namespace {

// A set larger than this is a damaged definition, not a sprite sheet: refusing it keeps a bad
// number from allocating gigabytes or looping for hours.
const int kMaxFrames = 65535;

bool IsEmpty(const CommonString& s) { return s.Length() == 0; }

// Raises an application flag for the lifetime of the guard.
class FlagOverride {
public:
  FlagOverride(u8& flag, u8 value) : m_flag(flag), m_saved(flag) { m_flag = value; }
  ~FlagOverride() { m_flag = m_saved; }
  FlagOverride(const FlagOverride&) = delete;
  FlagOverride& operator=(const FlagOverride&) = delete;

private:
  u8& m_flag;
  u8 m_saved;
};

} // namespace

u32 CalculateSpriteSetNameHashCode(const char* name) { return (u32)GetHashCode(name); }

bool FormatSpriteFrameName(const char* pattern, int n, CommonString& out) {
  if (!IsSpriteFramePattern(pattern)) return false;
  out.Format(pattern, n);
  return true;
}

bool IsSpriteFramePattern(const char* pattern) {
  if (!pattern) return false;
  int conversions = 0;
  for (const char* p = pattern; *p; p++) {
    if (*p != '%') continue;
    p++;
    if (*p == '%') continue;
    while (*p == '-' || *p == '+' || *p == ' ' || *p == '#' || *p == '0')
      p++;
    for (int digits = 0; *p >= '0' && *p <= '9'; p++)
      if (++digits > 3) return false;
    if (*p != 'd' && *p != 'i' && *p != 'u' && *p != 'x' && *p != 'X' && *p != 'o') return false;
    if (++conversions > 1) return false;
  }
  return true;
}

// --- CSpriteSet ---

CSpriteSet::~CSpriteSet() { DestroyData(); }

void CSpriteSet::Define(CAppGraphics* game, int kind, const char* file, const char* afile, int first,
                        int second) {
  m_pGame = game;
  if (!game) return;
  m_nKind = kind;
  m_FileName = file ? file : "";
  m_AlphaFileName = afile ? afile : "";
  m_nNumFrames = first;
  m_nFramesPerRowOrFirstIndex = second;
}

void CSpriteSet::DefineSpriteSetSingle(CAppGraphics* game, const char* file, const char* afile, int frames,
                                       int perRow) {
  Define(game, SPRITESET_SINGLE, file, afile, frames, perRow);
}

void CSpriteSet::DefineSpriteSetMulti(CAppGraphics* game, const char* file, const char* afile, int frames,
                                      int firstIndex) {
  Define(game, SPRITESET_MULTI, file, afile, frames, firstIndex);
}

void CSpriteSet::DefineSpriteSetMultiOptional(CAppGraphics* game, const char* file, const char* afile,
                                              int frames, int firstIndex) {
  Define(game, SPRITESET_MULTI_OPTIONAL, file, afile, frames, firstIndex);
}

void CSpriteSet::DefineSpriteSetSingleCommonAlpha(CAppGraphics* game, const char* file, const char* afile,
                                                  int frames, int perRow) {
  Define(game, SPRITESET_SINGLE_COMMON_ALPHA, file, afile, frames, perRow);
}

void CSpriteSet::SetName(CommonString name) {
  m_Name = name;
  m_nNameHash = CalculateSpriteSetNameHashCode(m_Name.c_str());
}

void CSpriteSet::SetGroupName(CommonString name) {
  m_GroupName = name;
  m_nGroupHash = CalculateSpriteSetNameHashCode(m_GroupName.c_str());
}

void CSpriteSet::DefineTextureAtlasDataFileName(const char* file) {
  m_AtlasDataFileName = file ? file : "";
  if (!IsEmpty(m_AtlasDataFileName)) m_bHasAtlasData = 1;
}

void CSpriteSet::DefineTextureAtlasSubSet(const char* parent, const char* pattern, int first, int count) {
  m_AtlasParentName = parent ? parent : "";
  m_AtlasIndexPattern = pattern ? pattern : "";
  m_nAtlasFirstIndex = first;
  m_nAtlasCount = count;
  if (!IsEmpty(m_AtlasParentName) && !IsEmpty(m_AtlasIndexPattern) && count >= 1) m_bIsAtlasSubset = 1;
}

CSpriteSet* CSpriteSet::AtlasParent() {
  CSpriteSetManager* manager = m_pGame ? m_pGame->GetSpriteSetManager() : nullptr;
  return manager ? manager->GetSpriteSetNamed(m_AtlasParentName.c_str()) : nullptr;
}

int CSpriteSet::AddReference() {
  if (m_nKind == SPRITESET_UNDEFINED || !m_pGame) return 0;
  if (m_nRefCount > 0) {
    m_nRefCount++;
    return 1;
  }
  // Subsets whose parents lead back to them would otherwise recurse without end.
  if (m_bLoading) return 0;
  FlagOverride loading(m_bLoading, 1);
  if (m_pGame->m_bUseTextureAtlases && m_bIsAtlasSubset) {
    CSpriteSet* parent = AtlasParent();
    if (!parent || parent == this) return 0;
    if (m_bWillUseFillAlpha) parent->m_bWillUseFillAlpha = 1;
    if (parent->m_bWillUseFillAlpha) m_bWillUseFillAlpha = 1;
    if (!parent->AddReference()) return 0;
    // A subset that could not be cut gives its parent reference back at once.
    if (!LoadSpriteSetFromTextureAtlas(parent)) {
      parent->ReleaseReference();
      return 0;
    }
  } else {
    int loaded = 0;
    {
      FlagOverride trueColor(m_pGame->m_bTrueColorImages, m_pGame->m_bTrueColorImages | m_bForce8888Texture);
      switch (m_nKind) {
      case SPRITESET_SINGLE:
        loaded = LoadSpriteSetSingle();
        break;
      case SPRITESET_MULTI:
        loaded = LoadSpriteSetMulti();
        break;
      case SPRITESET_MULTI_OPTIONAL:
        loaded = LoadSpriteSetMultiOptional();
        break;
      case SPRITESET_SINGLE_COMMON_ALPHA:
        loaded = LoadSpriteSetSingleCommonAlpha();
        break;
      default:
        break;
      }
    }
    if (!loaded) return 0;
  }
  if (m_bWillUseFillAlpha)
    for (int i = 0; i < m_nFrames; i++)
      if (m_ppFrames[i] && (i == 0 || m_ppFrames[i] != m_ppFrames[i - 1]))
        m_ppFrames[i]->HWOptimizeForAlphaDrawing();
  // Frames without the items their users look up are no load at all.
  if (m_bHasAtlasData && !ReadTextureAtlasItems()) {
    DestroyData();
    return 0;
  }
  return 1;
}

void CSpriteSet::ReleaseReference() {
  m_nRefCount--;
  if (m_nRefCount <= 0) DestroyData();
}

CSpriteSetTextureAtlasItem* CSpriteSet::FindAtlasItem(const char* name) {
  if (!name) return nullptr;
  u32 hash = CalculateSpriteSetNameHashCode(name);
  for (int i = 0; i < m_AtlasItems.GetSize(); i++) {
    CSpriteSetTextureAtlasItem* item = m_AtlasItems[i];
    if (item && item->m_nNameHash == hash && item->m_Name.IsEqual(name)) return item;
  }
  return nullptr;
}

int CSpriteSet::SharePeriod() {
  if (!m_bShareOddFrames) return 0;
  if (m_nShareRows < 1) m_nShareRows = 1;
  // Fewer frames than rows would give a period of 0: such a set shares nothing.
  return m_nFrames / m_nShareRows;
}

void CSpriteSet::DestroyData() {
  m_nRefCount = 0;
  if (m_ppFrames) {
    // A shared entry repeats the one before it and is owned there.
    for (int i = 0; i < m_nFrames; i++) {
      IDibBitmap* frame = m_ppFrames[i];
      if (frame && (i == 0 || frame != m_ppFrames[i - 1])) {
        frame->Destroy();
        delete frame;
      }
    }
    for (int i = m_nFrames - 1; i >= 0; i--)
      m_ppFrames[i] = nullptr;
    SafeFree(m_ppFrames);
    if (m_pGame && m_pGame->m_bUseTextureAtlases && m_bIsAtlasSubset)
      if (CSpriteSet* parent = AtlasParent())
        if (parent != this) parent->ReleaseReference();
  }
  SafeDelete(m_pForcedAtlasSource);
  SafeFree(m_pFrameOffsets);
  m_nFrames = 0;
  m_nRefCount = 0;
  SafeDelete(m_pCommonAlpha);
}

int CSpriteSet::FailLoad() {
  int references = m_nRefCount - 1;
  // The parent reference of a subset is given back by the caller, not by this unload.
  u8 subset = m_bIsAtlasSubset;
  m_bIsAtlasSubset = 0;
  DestroyData();
  m_bIsAtlasSubset = subset;
  m_nRefCount = references > 0 ? references : 0;
  return 0;
}

void CSpriteSet::ReleasePixelsOf(IDibBitmap* frame) {
  if (frame && (m_bReleasePixels || m_pGame->m_bReleasePixelsAfterUpload)) frame->HWReleasePixelDataInRAM();
}

int CSpriteSet::LoadSpriteSetSingle() {
  int perRow = m_nFramesPerRowOrFirstIndex;
  if (m_nKind != SPRITESET_SINGLE || !m_pGame || m_nNumFrames <= 0 || m_nNumFrames > kMaxFrames ||
      perRow <= 0 || (IsEmpty(m_FileName) && IsEmpty(m_AlphaFileName)))
    return 0;
  if (m_pGame->m_bUseTextureAtlases && m_nNumFrames > 1 && m_bForceAtlas)
    return LoadSpriteSetSingleForcedAsAtlas();
  FIXED_FLOAT scratch = 0;
  if (!VisibleObjectWithSpritesLoad(m_nNumFrames, perRow, m_FileName.c_str(), m_AlphaFileName.c_str(),
                                    scratch, m_nRefCount, m_nFrames, m_ppFrames, m_pFrameOffsets, true,
                                    m_pGame, false))
    return 0;
  for (int i = 0; i < m_nFrames; i++)
    ReleasePixelsOf(m_ppFrames[i]);
  return 1;
}

int CSpriteSet::LoadSpriteSetSingleForcedAsAtlas() {
  CSpriteSet* source = new CSpriteSet();
  source->DefineSpriteSetMulti(m_pGame, m_FileName.c_str(), m_AlphaFileName.c_str(), 1, 1);
  source->m_bReleasePixels = m_bReleasePixels || m_pGame->m_bReleasePixelsAfterUpload;
  source->m_bForce8888Texture = m_bForce8888Texture;
  if (!source->AddReference()) {
    delete source;
    return 0;
  }
  IDibBitmap* atlas = source->m_nFrames >= 1 ? source->m_ppFrames[0] : nullptr;
  int perRow = m_nFramesPerRowOrFirstIndex;
  if (!atlas || perRow < 1 || m_nNumFrames < perRow) {
    delete source;
    return 0;
  }
  // Rows as the ordinary cut counts them, so that a partial last row still matches the image.
  int rows = (m_nNumFrames + perRow - 1) / perRow;
  // Views address the texture in the file's own pixels, which a double-resolution image halves.
  int scale = (m_pGame->m_b2xImages && atlas->m_b2xImage) ? 2 : 1;
  int cellW = atlas->GetWidth() * scale / perRow;
  int cellH = atlas->GetHeight() * scale / rows;
  m_nRefCount++;
  m_ppFrames = (IDibBitmap**)calloc((size_t)m_nNumFrames, sizeof(IDibBitmap*));
  if (!m_ppFrames) {
    m_nRefCount--;
    delete source;
    return 0;
  }
  m_nFrames = m_nNumFrames;
  m_pForcedAtlasSource = source;
  for (int i = 0, column = 0, x = 0, y = 0; i < m_nFrames; i++) {
    IDibBitmap* frame = m_ppFrames[i] = m_pGame->CreateBitmapObject();
    if (!frame || !frame->HWInitFromTextureAtlas(atlas, x, y, cellW, cellH)) return FailLoad();
    if (++column == perRow) {
      column = 0;
      x = 0;
      y += cellH;
    } else {
      x += cellW;
    }
  }
  return 1;
}

int CSpriteSet::LoadSpriteSetMulti() {
  if (m_nKind != SPRITESET_MULTI) return 0;
  return LoadFrameFiles(false);
}

int CSpriteSet::LoadSpriteSetMultiOptional() {
  if (m_nKind != SPRITESET_MULTI_OPTIONAL) return 0;
  return LoadFrameFiles(true);
}

int CSpriteSet::LoadFrameFiles(bool optional) {
  int first = m_nFramesPerRowOrFirstIndex;
  if (!m_pGame || m_nNumFrames <= 0 || m_nNumFrames > kMaxFrames || first < 0 ||
      first > INT_MAX - m_nNumFrames || (IsEmpty(m_FileName) && IsEmpty(m_AlphaFileName)))
    return 0;
  m_nRefCount++;
  if (m_nFrames > 0) return 1;
  CommonString dir = m_pGame->GetImagesDirectory();
  m_ppFrames = (IDibBitmap**)calloc((size_t)m_nNumFrames, sizeof(IDibBitmap*));
  if (!m_ppFrames) {
    m_nRefCount--;
    return 0;
  }
  m_nFrames = m_nNumFrames;
  bool hasImage = !IsEmpty(m_FileName);
  bool hasAlpha = !IsEmpty(m_AlphaFileName) && !(m_AlphaFileName == m_FileName);
  // Alternate-frame sharing only ever applies to the optional kind.
  int period = optional ? SharePeriod() : 0;
  CommonString name;
  for (int i = 0; i < m_nFrames; i++) {
    if (period > 0 && (i % period) % 2 == 1) {
      m_ppFrames[i] = m_ppFrames[i - 1];
      continue;
    }
    int n = first + i;
    IDibBitmap* frame = m_ppFrames[i] = m_pGame->CreateBitmapObject();
    if (!frame) return FailLoad();
    bool ok = !hasImage || (FormatSpriteFrameName(m_FileName.c_str(), n, name) &&
                            ImageLoad(m_pGame, (dir + name).c_str(), frame) != nullptr);
    if (ok && !frame->GetAlphaBits() && hasAlpha)
      ok = FormatSpriteFrameName(m_AlphaFileName.c_str(), n, name) &&
           ImageLoad_Alpha(m_pGame, (dir + name).c_str(), frame) != nullptr;
    if (ok && !optional) ok = frame->GetBits() || frame->GetAlphaBits();
    if (!ok) {
      if (!optional) return FailLoad();
      SafeDelete(m_ppFrames[i]);
      continue;
    }
    ReleasePixelsOf(frame);
  }
  return 1;
}

int CSpriteSet::LoadSpriteSetSingleCommonAlpha() {
  int perRow = m_nFramesPerRowOrFirstIndex;
  if (m_nKind != SPRITESET_SINGLE_COMMON_ALPHA || !m_pGame || m_nNumFrames <= 0 ||
      m_nNumFrames > kMaxFrames || perRow <= 0 || (IsEmpty(m_FileName) && IsEmpty(m_AlphaFileName)))
    return 0;
  FIXED_FLOAT scratch = 0;
  {
    // The frames go to their textures once, with the shared map: until then they keep their pixels.
    FlagOverride noTexture(m_pGame->m_bCreateTextures, 0);
    if (!VisibleObjectWithSpritesLoad(m_nNumFrames, perRow, m_FileName.c_str(), nullptr, scratch, m_nRefCount,
                                      m_nFrames, m_ppFrames, m_pFrameOffsets, true, m_pGame, false))
      return 0;
  }
  IDibBitmap* alpha = m_pGame->CreateBitmapObject();
  if (!alpha) return FailLoad();
  IDibBitmap* loaded;
  {
    // The shared map is only read by the frames' uploads: it needs no texture of its own and must
    // keep its bytes in memory.
    FlagOverride noTexture(m_pGame->m_bCreateTextures, 0);
    loaded = ImageLoad_Alpha(m_pGame, (m_pGame->GetImagesDirectory() + m_AlphaFileName).c_str(), alpha);
  }
  bool fits = loaded && alpha->HasAlphaInRAM();
  // Every frame reads the shared map as its own: one of another size would be read past its end.
  for (int i = 0; fits && i < m_nFrames; i++)
    if (m_ppFrames[i] && (m_ppFrames[i]->GetStoredWidth() != alpha->GetStoredWidth() ||
                          m_ppFrames[i]->GetStoredHeight() != alpha->GetStoredHeight()))
      fits = false;
  if (!fits) {
    delete alpha;
    return FailLoad();
  }
  for (int i = 0; i < m_nFrames; i++) {
    IDibBitmap* frame = m_ppFrames[i];
    if (!frame) continue;
    frame->SetExternalAlpha(alpha->GetAlphaBits());
    frame->HWUpdateTexture();
    ReleasePixelsOf(frame);
  }
  m_pCommonAlpha = alpha;
  return 1;
}

int CSpriteSet::LoadSpriteSetFromTextureAtlas(CSpriteSet* parent) {
  if (IsEmpty(m_AtlasIndexPattern) || m_nAtlasCount <= 0 || m_nAtlasCount > kMaxFrames ||
      m_nAtlasFirstIndex < 0 || m_nAtlasFirstIndex > INT_MAX - m_nAtlasCount || !m_pGame || !parent ||
      parent->m_nFrames < 1 || !parent->m_ppFrames || !parent->m_ppFrames[0])
    return 0;
  IDibBitmap* atlas = parent->m_ppFrames[0];
  m_nRefCount++;
  if (m_nFrames > 0) return 1;
  m_ppFrames = (IDibBitmap**)calloc((size_t)m_nAtlasCount, sizeof(IDibBitmap*));
  if (!m_ppFrames) {
    m_nRefCount--;
    return 0;
  }
  m_nFrames = m_nAtlasCount;
  CommonString name;
  for (int i = 0; i < m_nFrames; i++) {
    IDibBitmap* frame = m_ppFrames[i] = m_pGame->CreateBitmapObject();
    if (!frame || !FormatSpriteFrameName(m_AtlasIndexPattern.c_str(), m_nAtlasFirstIndex + i, name))
      return FailLoad();
    CSpriteSetTextureAtlasItem* item = parent->FindAtlasItem(name.c_str());
    if (!item ||
        !frame->HWInitFromTextureAtlas(atlas, item->m_nX, item->m_nY, item->m_nWidth, item->m_nHeight))
      return FailLoad();
  }
  return 1;
}

int CSpriteSet::ReadTextureAtlasItems() {
  if (!m_bHasAtlasData || IsEmpty(m_AtlasDataFileName)) return 1;
  if (!m_pGame) return 0;
  CommonString path = m_pGame->GetImagesDirectory() + m_AtlasDataFileName;
  bool halve = false;
  if (m_pGame->m_b2xImages) {
    if (m_nFrames < 1 || !m_ppFrames || !m_ppFrames[0]) return 0;
    if (m_ppFrames[0]->m_b2xImage) path = m_pGame->GetImagePathFor2XImage(path);
  } else {
    CMemoryFile probe;
    if (!probe.Open(m_pGame, path.c_str(), FILE_MODE_READ | FILE_MODE_EXISTS)) {
      path = m_pGame->GetImagePathFor2XImage(path);
      halve = true;
    }
    probe.Close();
  }
  IMemFile* file = m_pGame->CreateMemoryFileObject();
  if (!file) return 0;
  if (!file->Open(m_pGame, path.c_str(), FILE_MODE_READ) || !file->Seek(0, FILE_SEEK_BEGIN)) {
    SafeDelete(file);
    return 0;
  }
  CQuellarObjPtrArray<CSpriteSetTextureAtlasItem*> items(50);
  int ok = ReadSpriteAtlasItemList(file, halve, items);
  SafeDelete(file);
  if (!ok) return 0;
  // A reload replaces the table instead of appending a second copy of every item.
  m_AtlasItems.DeleteAll();
  for (int i = 0; i < items.GetSize(); i++) {
    CSpriteSetTextureAtlasItem* item = items[i];
    items.SetAt(i, nullptr);
    if (!AppendAtlasItem(m_AtlasItems, item)) return 0;
  }
  return 1;
}

// --- CSpriteSetManager ---

CSpriteSetManager::CSpriteSetManager(CAppGraphics* game, int growthStep)
    : m_pGame(game), m_nGrowthStep(growthStep > 0 ? growthStep : 1) {}

CSpriteSetManager::~CSpriteSetManager() { DestroySpriteSets(); }

CSpriteSet* CSpriteSetManager::GetSpriteSetAt(int i) {
  if (!m_pSets || i < 0 || i >= m_nCount) return nullptr;
  return m_pSets[i];
}

int CSpriteSetManager::GetIdOfSpriteSetNamed(const char* name) {
  if (!name) return -1;
  u32 hash = CalculateSpriteSetNameHashCode(name);
  for (int i = 0; i < m_nCount; i++) {
    CSpriteSet* set = m_pSets[i];
    if (set && set->m_nNameHash == hash && set->m_Name.IsEqual(name)) return i;
  }
  return -1;
}

CSpriteSet* CSpriteSetManager::GetSpriteSetNamed(const char* name) {
  return GetSpriteSetAt(GetIdOfSpriteSetNamed(name));
}

int CSpriteSetManager::AddSpriteSet(CSpriteSet* set) {
  if (!set) return 0;
  if (m_nCount >= m_nCapacity) {
    if (m_nCapacity > INT_MAX - m_nGrowthStep) return 0;
    int capacity = m_nCapacity + m_nGrowthStep;
    CSpriteSet** block = (CSpriteSet**)malloc(sizeof(CSpriteSet*) * (size_t)capacity);
    if (!block) return 0;
    for (int i = 0; i < m_nCount; i++)
      block[i] = m_pSets[i];
    free(m_pSets);
    m_pSets = block;
    m_nCapacity = capacity;
  }
  m_pSets[m_nCount++] = set;
  return 1;
}

int CSpriteSetManager::AddDefined(int kind, const char* name, const char* file, const char* afile, int first,
                                  int second, bool releasePixels, bool force8888) {
  CSpriteSet* set = new CSpriteSet();
  switch (kind) {
  case SPRITESET_SINGLE:
    set->DefineSpriteSetSingle(m_pGame, file, afile, first, second);
    break;
  case SPRITESET_MULTI:
    set->DefineSpriteSetMulti(m_pGame, file, afile, first, second);
    break;
  case SPRITESET_MULTI_OPTIONAL:
    set->DefineSpriteSetMultiOptional(m_pGame, file, afile, first, second);
    break;
  default:
    set->DefineSpriteSetSingleCommonAlpha(m_pGame, file, afile, first, second);
    break;
  }
  set->SetName(CommonString(name ? name : ""));
  if (releasePixels) set->m_bReleasePixels = 1;
  if (force8888) set->m_bForce8888Texture = 1;
  if (!AddSpriteSet(set)) {
    delete set;
    return 0;
  }
  return 1;
}

int CSpriteSetManager::AddSpriteSetSingle(const char* name, const char* file, const char* afile, int frames,
                                          int perRow, bool releasePixels, bool force8888) {
  return AddDefined(SPRITESET_SINGLE, name, file, afile, frames, perRow, releasePixels, force8888);
}

int CSpriteSetManager::AddSpriteSetMulti(const char* name, const char* file, const char* afile, int frames,
                                         int firstIndex, bool releasePixels, bool force8888) {
  return AddDefined(SPRITESET_MULTI, name, file, afile, frames, firstIndex, releasePixels, force8888);
}

int CSpriteSetManager::AddSpriteSetMultiOptional(const char* name, const char* file, const char* afile,
                                                 int frames, int firstIndex, bool releasePixels,
                                                 bool force8888) {
  return AddDefined(SPRITESET_MULTI_OPTIONAL, name, file, afile, frames, firstIndex, releasePixels,
                    force8888);
}

int CSpriteSetManager::AddSpriteSetSingleCommonAlpha(const char* name, const char* file, const char* afile,
                                                     int frames, int perRow, bool releasePixels,
                                                     bool force8888) {
  return AddDefined(SPRITESET_SINGLE_COMMON_ALPHA, name, file, afile, frames, perRow, releasePixels,
                    force8888);
}

int CSpriteSetManager::AddSpriteSetRef(const char* name) {
  CSpriteSet* set = GetSpriteSetNamed(name);
  return set ? set->AddReference() : 0;
}

void CSpriteSetManager::DeleteSpriteSet(int i) {
  if (!m_pSets || i < 0 || i >= m_nCount) return;
  CSpriteSet* set = m_pSets[i];
  // Out of the list first: the set's unload looks up other sets by name.
  for (int j = i; j < m_nCount - 1; j++)
    m_pSets[j] = m_pSets[j + 1];
  m_nCount--;
  m_pSets[m_nCount] = nullptr;
  delete set;
}

void CSpriteSetManager::DeleteSpriteSet(CSpriteSet* set) {
  for (int i = 0; i < m_nCount; i++)
    if (m_pSets[i] == set) return DeleteSpriteSet(i);
}

void CSpriteSetManager::DeleteSpriteSet(const char* name) {
  if (!name) return;
  for (int i = 0; i < m_nCount; i++)
    if (m_pSets[i] && m_pSets[i]->m_Name.IsEqual(name)) return DeleteSpriteSet(i);
}

void CSpriteSetManager::DestroySpriteSets() {
  for (int pass = 0; pass < 2; pass++)
    for (int i = m_nCount - 1; i >= 0; i--) {
      CSpriteSet* set = m_pSets[i];
      if (!set || (pass == 0 && set->m_bHasAtlasData)) continue;
      m_pSets[i] = nullptr;
      delete set;
    }
  SafeFree(m_pSets);
  m_nCount = 0;
  m_nCapacity = 0;
}

void UnloadSritesSetsWithGroupName(CAppGraphics* game, CommonString group) {
  CSpriteSetManager* manager = game ? game->GetSpriteSetManager() : nullptr;
  if (!manager) return;
  for (int i = 0, n = manager->GetNumSpriteSets(); i < n; i++) {
    CSpriteSet* set = manager->GetSpriteSetAt(i);
    if (!set || set->m_GroupName.Length() == 0 || !set->m_GroupName.IsEqual(group.c_str())) continue;
    while (set->m_nRefCount > 0)
      set->ReleaseReference();
  }
}
