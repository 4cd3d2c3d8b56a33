// The asset walk: every set of the catalogue, and each atlas, entry, picture and font they name,
// once, for the sample-pack generator and the checks.
#include "catalogue_data.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace catalogue {

const Set* const* AllSets(int* count) {
  struct List {
    const Set* sets[48];
    int count = 0;
  };
  static const List list = [] {
    List l;
    for (int s = 0; s < kWorldSetCount; ++s)
      if (WorldSet(s)) l.sets[l.count++] = WorldSet(s);
    for (const Set* s : {&StartupSprites(), &GuiSprites(), &ParticleSprites(), &EffectSprites(),
                         &SecretItemSprites(), &MissionIconSprites(), &BackgroundPictures()})
      l.sets[l.count++] = s;
    for (const Set* s : {&FrontEndPictures(), &FrontEndWorldSprites(), &FrontEndBackgroundSprites(),
                         &FrontEndOptionsSprites(), &LoaderPictures()})
      l.sets[l.count++] = s;
    for (int k = 0; k < kSkinCount; ++k)
      l.sets[l.count++] = SkinSprites(k);
    for (const Set* s : {&WorldMapArt(), &LevelSelectionArt(), &ShopArt(), &OptionsScreenArt(), &ListsArt(),
                         &CreditsArt(), &HelpArt(), &DormantScreensArt(), &MiniGameArt()})
      l.sets[l.count++] = s;
    return l;
  }();
  *count = list.count;
  return list.sets;
}

void WalkAssets(AssetVisitor& visitor) {
  struct AtlasNames {
    std::string atlas;
    std::vector<std::pair<std::string, Slot>> entries;
  };
  std::vector<AtlasNames> atlases;
  std::set<std::pair<std::string, std::string>> seenEntries;
  std::set<std::pair<std::string, int>> seenPictures; // by file type: JPEG or PNG
  std::vector<std::pair<std::string, std::pair<Source, Slot>>> pictures;

  int setCount = 0;
  const Set* const* sets = AllSets(&setCount);
  char name[kMaxNameLength];
  for (int s = 0; s < setCount; ++s) {
    const Set& set = *sets[s];
    for (int r = 0; r < set.runCount; ++r) {
      const Run& run = set.runs[r];
      for (int i = 0; i < SlotCount(run); ++i) {
        if (!ExpandName(run, i, name, sizeof(name))) continue;
        Slot slot{run.target, 0, 0};
        SlotAt(run, i, &slot.index, &slot.frame);
        SizeOf(name, run, run.source == Source::Atlas ? set.atlas : nullptr, &slot.width, &slot.height);
        if (run.source == Source::Atlas) {
          if (!set.atlas) continue;
          if (!seenEntries.insert({set.atlas, name}).second) continue;
          AtlasNames* group = nullptr;
          for (AtlasNames& a : atlases)
            if (a.atlas == set.atlas) group = &a;
          if (!group) {
            atlases.push_back(AtlasNames{set.atlas, {}});
            group = &atlases.back();
          }
          group->entries.push_back({name, slot});
        } else {
          int fileType = run.source == Source::Jpeg ? 1 : 0;
          if (!seenPictures.insert({name, fileType}).second) continue;
          pictures.push_back({name, {run.source, slot}});
        }
      }
    }
  }
  for (const AtlasNames& a : atlases) {
    visitor.Atlas(a.atlas.c_str());
    for (const auto& entry : a.entries)
      visitor.AtlasEntry(a.atlas.c_str(), entry.first.c_str(), entry.second);
  }
  for (const auto& picture : pictures)
    visitor.Picture(picture.first.c_str(), picture.second.first, picture.second.second);
  int fontCount = 0;
  const FontSpec* fonts = Fonts(&fontCount);
  for (int f = 0; f < fontCount; ++f)
    visitor.Font(fonts[f]);
}

} // namespace catalogue
