// The sprite-set description file (one block of keyword lines per set) and the atlas item files.
#include <cstring>

#include "app_graphics.h"
#include "files.h"
#include "parser.h"
#include "sprite_set.h"

namespace {

typedef Parser::Text Text;

// The next line of an item file; false at the end and for a line with a zero byte, which no
// text file holds and which would cut the line short.
bool NextItemLine(IFile* file, Text& line, bool& damaged) {
  if (!Parser::GetNextLine(file, line)) return false;
  damaged = (int)strlen(line.GetData()) != line.Length();
  return !damaged;
}

// Opens path through the application's memory file, positioned at the start; null on failure.
IMemFile* OpenDescription(CAppGraphics* game, const CommonString& path) {
  IMemFile* file = game->CreateMemoryFileObject();
  if (!file) return nullptr;
  if (!file->Open(game, path.c_str(), FILE_MODE_READ) || !file->Seek(0, FILE_SEEK_BEGIN)) SafeDelete(file);
  return file;
}

bool IsAlone(const Text& name, const Text& value, const char* keyword) {
  return name.Length() == 0 && value.IsEqual(keyword);
}

// The flags that accept "keyword" alone or "keyword = N"; false when the line is neither.
bool ReadSwitch(const Text& name, const Text& value, const char* keyword, u8& flag) {
  if (IsAlone(name, value, keyword))
    flag = 1;
  else if (name.IsEqual(keyword))
    flag = Parser::AToI(value.GetData()) > 0;
  else
    return false;
  return true;
}

const char* OrNull(const Text& text) { return text.Length() ? text.GetData() : nullptr; }

// "file" and "afile": the name, then the frame count and the kind's second number.
void ReadFileLine(CSpriteSetSettingsParams& p, const Text& value, Text& fileName) {
  Text items[3];
  int found = 0;
  Parser::GetSubStringsArrayVar(value, 3, items, found);
  if (found < 1) return;
  fileName = Parser::ExtractName(items[0]);
  if (found < 2) return;
  p.frameCount = Parser::AToI(items[1].GetData());
  bool single = p.kind == SPRITESET_SINGLE || p.kind == SPRITESET_SINGLE_COMMON_ALPHA;
  if (single)
    p.framesPerRow = found >= 3 ? Parser::AToI(items[2].GetData()) : p.frameCount;
  else if (found >= 3)
    p.firstIndex = Parser::AToI(items[2].GetData());
}

// Applies one line inside a block; false when the line makes the file unreadable.
bool ReadBlockLine(CSpriteSetSettingsParams& p, const Text& name, const Text& value) {
  if (name.IsEqual("file")) {
    ReadFileLine(p, value, p.file);
  } else if (name.IsEqual("afile")) {
    ReadFileLine(p, value, p.alphaFile);
  } else if (name.IsEqual("group")) {
    p.group = value;
  } else if (ReadSwitch(name, value, "remove_rgba_in3d", p.removeRgbaIn3d) ||
             ReadSwitch(name, value, "force_8888_texture", p.force8888Texture) ||
             ReadSwitch(name, value, "force_atlas", p.forceAtlas)) {
    // applied by ReadSwitch
  } else if (name.IsEqual("skip_auto")) {
    p.skipAuto = 1;
  } else if (IsAlone(name, value, "will_use_fill_alpha")) {
    p.willUseFillAlpha = 1;
  } else if (name.IsEqual("atlas_data")) {
    p.atlasData = value;
  } else if (name.IsEqual("atlas_texture")) {
    p.atlasTexture = value;
  } else if (name.IsEqual("atlas_indexes")) {
    Text items[3];
    int found = 0;
    Parser::GetSubStringsArrayVar(value, 3, items, found);
    if (found < 3) return false;
    p.atlasIndexPattern = Parser::ExtractName(items[0]);
    p.atlasFirstIndex = Parser::AToI(items[1].GetData());
    p.atlasCount = Parser::AToI(items[2].GetData());
  }
  return true;
}

// The name (quotes removed) and the kind word of a "set" line's value; false when it gives no item.
bool ReadSetLine(const Text& value, Text& name, Text& kind) {
  Text items[2];
  int found = 0;
  Parser::GetSubStringsArrayVar(value, 2, items, found);
  if (found < 1) return false;
  name = Parser::ExtractName(items[0]);
  kind = found >= 2 ? items[1] : Text();
  return true;
}

// Registers the block's set at its "end", whole or not at all; false when the manager refuses it
// or a name pattern could not be formatted safely.
bool RegisterSet(CSpriteSetManager* manager, const CSpriteSetSettingsParams& p) {
  bool rr = p.removeRgbaIn3d != 0, f8 = p.force8888Texture != 0;
  const char *name = OrNull(p.name), *file = OrNull(p.file), *afile = OrNull(p.alphaFile);
  bool single = p.kind == SPRITESET_SINGLE && !(p.frameCount == 1 && p.framesPerRow == 1);
  bool subset = p.atlasTexture.Length() && p.atlasIndexPattern.Length();
  // Names of the per-frame kinds are printf patterns: anything but one integer conversion would make
  // the load read arguments that were never passed.
  if (!single && p.kind != SPRITESET_SINGLE_COMMON_ALPHA &&
      (!IsSpriteFramePattern(p.file.GetData()) || !IsSpriteFramePattern(p.alphaFile.GetData())))
    return false;
  if (subset && !IsSpriteFramePattern(p.atlasIndexPattern.GetData())) return false;
  int added;
  switch (p.kind) {
  case SPRITESET_MULTI:
    added = manager->AddSpriteSetMulti(name, file, afile, p.frameCount, p.firstIndex, rr, f8);
    break;
  case SPRITESET_MULTI_OPTIONAL:
    added = manager->AddSpriteSetMultiOptional(name, file, afile, p.frameCount, p.firstIndex, rr, f8);
    break;
  case SPRITESET_SINGLE_COMMON_ALPHA:
    added = manager->AddSpriteSetSingleCommonAlpha(name, file, afile, p.frameCount, p.framesPerRow, rr, f8);
    break;
  default:
    // One frame in one cell is loaded as a one-file set.
    added = single ? manager->AddSpriteSetSingle(name, file, afile, p.frameCount, p.framesPerRow, rr, f8)
                   : manager->AddSpriteSetMulti(name, file, afile, 1, 1, rr, f8);
    break;
  }
  CSpriteSet* set = added ? manager->GetLastSpriteSet() : nullptr;
  if (!set) return false;
  if (p.atlasData.Length()) set->DefineTextureAtlasDataFileName(p.atlasData.GetData());
  if (subset)
    set->DefineTextureAtlasSubSet(p.atlasTexture.GetData(), p.atlasIndexPattern.GetData(), p.atlasFirstIndex,
                                  p.atlasCount);
  set->m_bForceAtlas = p.forceAtlas;
  if (p.skipAuto) set->m_bSkipAuto = 1;
  if (p.willUseFillAlpha) set->m_bWillUseFillAlpha = 1;
  if (p.group.Length()) set->SetGroupName(CommonString(p.group.GetData()));
  return true;
}

// Reads the blocks of an open file into the manager; false at the first line that fails.
bool ReadBlocks(IFile* file, CSpriteSetManager* manager) {
  CSpriteSetSettingsParams params;
  ResetSpriteSetUtilityParams(params);
  bool inBlock = false;
  Text line, name, value;
  while (Parser::GetNextLine(file, line)) {
    if (line.IsEqual("end")) {
      if (inBlock && !RegisterSet(manager, params)) return false;
      inBlock = false;
      continue;
    }
    name = "";
    value = "";
    Parser::ReadPropertyFromString(line, name, value);
    if (inBlock) {
      if (!ReadBlockLine(params, name, value)) return false;
      continue;
    }
    Text setName, kind;
    if (!name.IsEqual("set") || !ReadSetLine(value, setName, kind)) continue;
    ResetSpriteSetUtilityParams(params);
    params.name = setName;
    if (kind.IsEqual("multi"))
      params.kind = SPRITESET_MULTI;
    else if (kind.IsEqual("multi_optional"))
      params.kind = SPRITESET_MULTI_OPTIONAL;
    else if (kind.IsEqual("common_alpha"))
      params.kind = SPRITESET_SINGLE_COMMON_ALPHA;
    inBlock = true;
  }
  return true;
}

} // namespace

void ResetSpriteSetUtilityParams(CSpriteSetSettingsParams& p) {
  Text texture = p.atlasTexture;
  p = CSpriteSetSettingsParams();
  p.atlasTexture = texture;
}

int AddSpriteSetsFromFile(CAppGraphics* game, CommonString path) {
  CSpriteSetManager* manager = game ? game->GetSpriteSetManager() : nullptr;
  if (!manager) return 0;
  IMemFile* file = OpenDescription(game, path);
  if (!file) return 0;
  bool ok = ReadBlocks(file, manager);
  SafeDelete(file);
  // The sets of the blocks before a failure stay registered, each one whole.
  return ok ? 1 : 0;
}

int DestroySpriteSetsFromFile(CAppGraphics* game, CommonString path) {
  CSpriteSetManager* manager = game ? game->GetSpriteSetManager() : nullptr;
  if (!manager) return 0;
  IMemFile* file = OpenDescription(game, path);
  if (!file) return 0;
  Text line, name, value;
  while (Parser::GetNextLine(file, line)) {
    name = "";
    value = "";
    Parser::ReadPropertyFromString(line, name, value);
    Text setName, kind;
    if (name.IsEqual("set") && ReadSetLine(value, setName, kind)) manager->DeleteSpriteSet(setName.GetData());
  }
  SafeDelete(file);
  return 1;
}

int ReadSpriteAtlasItemList(IFile* file, bool halve,
                            CQuellarObjPtrArray<CSpriteSetTextureAtlasItem*>& items) {
  items.DeleteAll();
  Text line;
  bool damaged = false;
  if (!NextItemLine(file, line, damaged)) return !damaged; // an empty file lists no item
  const int count = Parser::AToI(line.GetData());
  // A count of 0 or below still reads the first item, when there is one.
  const int wanted = count > 0 ? count : 1;
  while (items.GetSize() < wanted) {
    Text name;
    if (!NextItemLine(file, name, damaged)) break;
    int values[4];
    int found = 0;
    while (found < 4 && NextItemLine(file, line, damaged))
      values[found++] = Parser::AToI(line.GetData());
    // The file ends inside this item: only the item is dropped.
    if (found < 4) break;
    CSpriteSetTextureAtlasItem* item = new CSpriteSetTextureAtlasItem();
    item->m_Name = name.GetData();
    item->m_nNameHash = CalculateSpriteSetNameHashCode(item->m_Name.c_str());
    int* fields[4] = {&item->m_nX, &item->m_nY, &item->m_nWidth, &item->m_nHeight};
    for (int f = 0; f < 4; f++)
      *fields[f] = halve ? values[f] >> 1 : values[f];
    if (!AppendAtlasItem(items, item)) return 0;
  }
  if (!damaged) return 1;
  items.DeleteAll();
  return 0;
}

int AppendAtlasItem(CQuellarObjPtrArray<CSpriteSetTextureAtlasItem*>& items,
                    CSpriteSetTextureAtlasItem* item) {
  int before = items.GetSize();
  items.Add(item);
  if (items.GetSize() > before) return 1;
  delete item;
  items.DeleteAll();
  return 0;
}
