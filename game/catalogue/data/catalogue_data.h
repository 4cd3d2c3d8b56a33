// The sprite catalogue as data: every sprite, picture and font the game opens, by name and slot.
// No engine types, so the sample-pack generator reads the same rows as the game's loaders.
#pragma once

#include <cstdint>

#include "catalogue_names.h"

namespace catalogue {

// The rows one loader registers from one atlas, in registration order.
struct Set {
  const char* loader; // the function that registers it
  const char* atlas;  // the atlas its Atlas rows are cut from, or null
  const Run* runs;
  int runCount;
};

// World sets by set number (0-9); null where a number has no set. The loader of each is the
// game's; set 9 is the common types.
const int kWorldSetCount = 10;
const Set* WorldSet(int set);
const int kCommonSet = 9;

// Release ranges: DeleteWorld(range) frees these types (all frames), never a common type.
bool InReleaseRange(int range, int type);
bool IsCommonType(int type);
// Which release ranges free a world set's types (bit r for range r).
unsigned ReleaseRangesOf(int set);

// The world set chosen for level L; firstCasual[w] is the first casual level of world w (0-4).
int SpriteSetForLevel(int level, const int firstCasual[5]);

// Start-up sprites (one call of LoadBasicSprites): in its order.
const Set& StartupSprites();  // level end, banners, dialogs ("allcommon")
const Set& GuiSprites();      // LoadGUI ("allcommon")
const Set& ParticleSprites(); // LoadParticles ("allcommon")
const Set& EffectSprites();   // preloader, sparkles, weather ("allcommon")
const Set& SecretItemSprites();
const Set& MissionIconSprites();

// Level backgrounds by background index.
const Set& BackgroundPictures();

// Character skins 0-7; null for any other id.
const int kSkinCount = 8;
const Set* SkinSprites(int skin);

// The game's bitmap fonts, in creation order.
enum class FontId : uint8_t { Interface, LevelID, Time, TimeBig, HintText, STD, Shroom };
struct FontSpec {
  FontId id;
  const char* global;
  const char* file;
  float tracking;
  float spacing;
  int extraSpace;
  bool onlyWhenAbsent; // kept when it exists already
};
const FontSpec* Fonts(int* count);

struct GlyphOffset {
  char character;
  float pre;
  float post;
};
const GlyphOffset* HintTextOffsets(int* count);

// The common menu set in its load order: pictures of their own, then the entries of the atlases
// "world", "global_map_background_png" and "options".
const Set& FrontEndPictures();
const Set& FrontEndWorldSprites();
const Set& FrontEndBackgroundSprites();
const Set& FrontEndOptionsSprites();
// The loader's splash pictures and the white fill picture.
const Set& LoaderPictures();

// The screens' own sprites, each screen's rows with Target::Screen (and their pixel sizes): the
// screen loads them on entry with RegisterScreenSprites and frees them on exit.
const Set& WorldMapArt();       // the bonus-world pictures of the world map
const Set& LevelSelectionArt(); // level selection and the character picker
const Set& ShopArt();
const Set& OptionsScreenArt();
const Set& ListsArt(); // the missions and secrets lists
const Set& CreditsArt();
const Set& HelpArt();
const Set& DormantScreensArt(); // hiscores, instructions, interLevel, mapMode and about
const Set& MiniGameArt();

// Every set of the catalogue, for walks and checks.
const Set* const* AllSets(int* count);

// The pixel size the sample pack draws a picture at: twice the logical size its screen shows it
// at (the game draws at scale 0.5), or the size a stretched picture needs. The key is a sprite's
// name, else the pattern of the run that names it, else the atlas it is an entry of.
struct ArtSize {
  const char* key;
  int16_t width, height;
};
const ArtSize* ArtSizes(int* count);
// The size of a sprite of the run in the atlas (null for a picture of its own): the table's, else
// twice the logical "WxH" the name carries ("w2_200x40" is 400 x 80). False when neither gives one.
bool SizeOf(const char* name, const Run& run, const char* atlas, int* width, int* height);
// The logical "WxH" a name carries; false when it has none.
bool LogicalSizeInName(const char* name, int* width, int* height);

// One walk over every asset the game can open. Atlases are reported once each with their
// distinct entry names; pictures once per file. The slot is where the name is first used.
struct Slot {
  Target target;
  int index;
  int frame;
  int width = 0, height = 0; // its pixel size (SizeOf), 0 where nothing gives one
};
class AssetVisitor {
public:
  virtual ~AssetVisitor() = default;
  virtual void Atlas(const char* atlas) = 0;
  virtual void AtlasEntry(const char* atlas, const char* name, const Slot& firstUse) = 0;
  // Png, Jpeg or Deferred (whose file is a PNG).
  virtual void Picture(const char* name, Source source, const Slot& firstUse) = 0;
  virtual void Font(const FontSpec& font) = 0;
};
void WalkAssets(AssetVisitor& visitor);

} // namespace catalogue
