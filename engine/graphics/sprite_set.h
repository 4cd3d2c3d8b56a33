// Sprite sets: named groups of frame bitmaps defined up front and loaded while referenced, their
// registry CSpriteSetManager, atlas item tables and the sprite-set description file reader.
#pragma once

#include "common_string.h"
#include "quellar_array.h"
#include "quellar_types.h"

class CAppGraphics;
class IDibBitmap;

// Kinds of set (m_nKind).
enum {
  SPRITESET_UNDEFINED = 0,
  SPRITESET_SINGLE = 1,              // one image cut into cells: frame count, frames per row
  SPRITESET_MULTI = 2,               // one file per frame, all must load: frame count, first file index
  SPRITESET_MULTI_OPTIONAL = 3,      // as multi, a frame that does not load stays null
  SPRITESET_SINGLE_COMMON_ALPHA = 4, // as single, plus one alpha image shared by every frame
};

// The ELF hash of the name (bytes as signed characters) with the top bit cleared; 0 for "".
u32 CalculateSpriteSetNameHashCode(const char* name);

// True for a frame-name pattern with at most one integer conversion (and "%%"): the only kind the
// files may give, since the pattern is handed to printf.
bool IsSpriteFramePattern(const char* pattern);
// out = pattern formatted with n; false (out untouched) for a pattern IsSpriteFramePattern refuses.
bool FormatSpriteFrameName(const char* pattern, int n, CommonString& out);

// A named sub-rectangle of a set's first frame.
class CSpriteSetTextureAtlasItem {
public:
  CommonString m_Name;
  int m_nX = 0;
  int m_nY = 0;
  int m_nWidth = 0;
  int m_nHeight = 0;
  u32 m_nNameHash = 0;
};

class CSpriteSet {
public:
  CSpriteSet() = default;
  CSpriteSet(const CSpriteSet&) = delete;
  CSpriteSet& operator=(const CSpriteSet&) = delete;
  virtual ~CSpriteSet();

  // Record the definition only; nothing is loaded or validated. A null game defines nothing.
  void DefineSpriteSetSingle(CAppGraphics* game, const char* file, const char* afile, int frames, int perRow);
  void DefineSpriteSetMulti(CAppGraphics* game, const char* file, const char* afile, int frames,
                            int firstIndex);
  void DefineSpriteSetMultiOptional(CAppGraphics* game, const char* file, const char* afile, int frames,
                                    int firstIndex);
  void DefineSpriteSetSingleCommonAlpha(CAppGraphics* game, const char* file, const char* afile, int frames,
                                        int perRow);
  void SetName(CommonString name);
  void SetGroupName(CommonString name);
  void DefineTextureAtlasDataFileName(const char* file);
  void DefineTextureAtlasSubSet(const char* parent, const char* pattern, int first, int count);

  // The first reference loads the frames, later ones only count. 1 or 0; a failed first reference
  // leaves the set unloaded with no reference counted.
  int AddReference();
  // The last release unloads; the definition stays.
  void ReleaseReference();

  CSpriteSetTextureAtlasItem* FindAtlasItem(const char* name);
  // Unloads whatever the reference count.
  void DestroyData();

  int LoadSpriteSetSingle();
  int LoadSpriteSetSingleForcedAsAtlas();
  int LoadSpriteSetMulti();
  int LoadSpriteSetMultiOptional();
  int LoadSpriteSetSingleCommonAlpha();
  int LoadSpriteSetFromTextureAtlas(CSpriteSet* parent);
  // Replaces the item table with the items of the atlas item file; on a missing or damaged file
  // answers 0 and leaves the table as it was.
  int ReadTextureAtlasItems();

  CAppGraphics* m_pGame = nullptr;
  IDibBitmap** m_ppFrames = nullptr;
  int m_nFrames = 0;
  int m_nRefCount = 0;
  TCoord2D* m_pFrameOffsets = nullptr;
  IDibBitmap* m_pCommonAlpha = nullptr;
  CommonString m_Name;
  u32 m_nNameHash = 0;
  CommonString m_GroupName;
  u32 m_nGroupHash = 0;
  CommonString m_FileName;
  CommonString m_AlphaFileName;
  int m_nNumFrames = 0;
  int m_nFramesPerRowOrFirstIndex = 0;
  int m_nKind = SPRITESET_UNDEFINED;
  s8 m_bShareOddFrames = 0;
  s8 m_nShareRows = 1;
  u8 m_bReleasePixels = 0;
  u8 m_bForce8888Texture = 0;
  u8 m_bHasAtlasData = 0;
  CommonString m_AtlasDataFileName;
  CQuellarObjPtrArray<CSpriteSetTextureAtlasItem*> m_AtlasItems{50};
  u8 m_bIsAtlasSubset = 0;
  CommonString m_AtlasParentName;
  CommonString m_AtlasIndexPattern;
  int m_nAtlasFirstIndex = 0;
  int m_nAtlasCount = 0;
  CSpriteSet* m_pForcedAtlasSource = nullptr;
  u8 m_bForceAtlas = 0;
  u8 m_bSkipAuto = 0;
  u8 m_bWillUseFillAlpha = 0;

private:
  void Define(CAppGraphics* game, int kind, const char* file, const char* afile, int first, int second);
  // Alternate-frame sharing period, 0 when frames are not shared.
  int SharePeriod();
  // Frees the frames of a load that failed part-way and gives back the reference the loader took.
  int FailLoad();
  // Kinds 2 and 3: one image (and alpha) file per frame.
  int LoadFrameFiles(bool optional);
  // Drops each frame's pixel copy when the set or the application asks for it.
  void ReleasePixelsOf(IDibBitmap* frame);
  CSpriteSet* AtlasParent();

  u8 m_bLoading = 0;
};

class CSpriteSetManager {
public:
  CSpriteSetManager(CAppGraphics* game, int growthStep);
  CSpriteSetManager(const CSpriteSetManager&) = delete;
  CSpriteSetManager& operator=(const CSpriteSetManager&) = delete;
  virtual ~CSpriteSetManager();

  int GetNumSpriteSets() { return m_nCount; }
  CSpriteSet* GetSpriteSetAt(int i);
  CSpriteSet* GetLastSpriteSet() { return GetSpriteSetAt(m_nCount - 1); }
  // First match in list order; names need not be unique.
  CSpriteSet* GetSpriteSetNamed(const char* name);
  int GetIdOfSpriteSetNamed(const char* name);

  // Takes ownership; 0 (list unchanged, set not taken) for a null set or when the list cannot grow.
  int AddSpriteSet(CSpriteSet* set);
  int AddSpriteSetSingle(const char* name, const char* file, const char* afile, int frames, int perRow,
                         bool releasePixels, bool force8888);
  int AddSpriteSetMulti(const char* name, const char* file, const char* afile, int frames, int firstIndex,
                        bool releasePixels, bool force8888);
  int AddSpriteSetMultiOptional(const char* name, const char* file, const char* afile, int frames,
                                int firstIndex, bool releasePixels, bool force8888);
  int AddSpriteSetSingleCommonAlpha(const char* name, const char* file, const char* afile, int frames,
                                    int perRow, bool releasePixels, bool force8888);
  int AddSpriteSetRef(const char* name);

  void DeleteSpriteSet(int i);
  void DeleteSpriteSet(CSpriteSet* set);
  void DeleteSpriteSet(const char* name);
  // Sets without an item table first, so that subsets give back their parents' references while
  // the parents exist.
  void DestroySpriteSets();

  CAppGraphics* m_pGame = nullptr;

private:
  int AddDefined(int kind, const char* name, const char* file, const char* afile, int first, int second,
                 bool releasePixels, bool force8888);

  CSpriteSet** m_pSets = nullptr;
  int m_nCount = 0;
  int m_nCapacity = 0;
  int m_nGrowthStep = 1;
};

class IFile;
// Reads an atlas item file (a count, then five lines per item: name, x, y, width, height) into
// items, halving every number when asked. Reading stops at the count or at the end of the file,
// which drops an item it cuts short. 0, with items empty, for a line holding a zero byte.
int ReadSpriteAtlasItemList(IFile* file, bool halve, CQuellarObjPtrArray<CSpriteSetTextureAtlasItem*>& items);
// Appends item to items; when the table cannot grow, deletes the item, empties the table and
// answers 0, so that no table is ever left half read.
int AppendAtlasItem(CQuellarObjPtrArray<CSpriteSetTextureAtlasItem*>& items,
                    CSpriteSetTextureAtlasItem* item);

// Releases every reference of each registered set of the group; the sets stay defined.
void UnloadSritesSetsWithGroupName(CAppGraphics* game, CommonString group);

// --- the sprite-set description file ---

// The reader's working record for one block.
struct CSpriteSetSettingsParams {
  CommonStringRS<50> name;
  CommonStringRS<50> group;
  int kind = SPRITESET_SINGLE;
  CommonStringRS<50> file;
  CommonStringRS<50> alphaFile;
  int frameCount = 1;
  int framesPerRow = 1;
  int firstIndex = 0;
  u8 removeRgbaIn3d = 0;
  u8 force8888Texture = 0;
  CommonStringRS<50> atlasData;
  CommonStringRS<50> atlasTexture; // carries over from block to block
  CommonStringRS<50> atlasIndexPattern;
  int atlasFirstIndex = 0;
  int atlasCount = 0;
  u8 forceAtlas = 0;
  u8 skipAuto = 0;
  u8 willUseFillAlpha = 0;
};

// Resets every field but the atlas texture.
void ResetSpriteSetUtilityParams(CSpriteSetSettingsParams& params);

// Registers one defined, unloaded set per block of the file. 1 when the whole file was read; 0 on
// failure, when the sets of the blocks before the failing one stay registered.
int AddSpriteSetsFromFile(CAppGraphics* game, CommonString path);
// Deletes every set named by a "set" line of the file. 1 when the file was read.
int DestroySpriteSetsFromFile(CAppGraphics* game, CommonString path);
