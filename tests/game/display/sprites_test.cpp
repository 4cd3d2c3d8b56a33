// Sprite handles and the game atlas, loaded from packs the tests write: the "2x_" choice for
// pictures and atlas entries, empty pictures, the atlas index with its pages and lookups, and the
// exit with one line on stderr for a missing or damaged index or page.
#include <zlib.h>

#include <memory>

#include "atlas.h"
#include "game_test_support.h"
#include "sprite_tables.h"
#include "surface.h"
#include "texture2d.h"

namespace {

// A PNG whose header claims 0 x 0 pixels.
Bytes EmptyPng() {
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  auto chunk = [&](const char* type, const Bytes& data) {
    PutU32(out, 0);
    size_t lengthAt = out.size() - 4;
    for (int i = 0; i < 4; ++i)
      out[lengthAt + i] = (unsigned char)(data.size() >> (8 * (3 - i)));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0, out.data() + start, (uInt)(out.size() - start));
    for (int i = 3; i >= 0; --i)
      out.push_back((unsigned char)(crc >> (8 * i)));
  };
  chunk("IHDR", {0, 0, 0, 0, 0, 0, 0, 0, 8, 6, 0, 0, 0});
  chunk("IEND", {});
  return out;
}

TEST(SurfaceFiles, DoubleResolutionPictureIsTriedFirst) {
  PackGame game;
  game.Add("images\\2x_btn.png", SolidPng(64, 32, {255, 0, 0, 255}));
  game.Add("images\\btn.png", SolidPng(32, 16, {0, 255, 0, 255}));
  game.Add("images\\plain.png", SolidPng(12, 10, {0, 0, 255, 255}));
  game.Add("images\\photo.jpg", {});
  game.Add("images\\empty.png", EmptyPng());
  ASSERT_TRUE(game.OpenPack());

  struct {
    const char* name;
    int type;
    bool texture, is2x;
    int w, h;
  } cases[] = {
      {"btn", 0, true, true, 64, 32},     // both exist: "2x_" wins, full pixel size
      {"plain", 0, true, false, 12, 10},  // only the plain file
      {"missing", 0, false, false, 0, 0}, // neither
      {"empty", 0, false, false, 0, 0},   // a 0 x 0 picture is no sprite
      {"photo", 1, false, false, 0, 0},   // an undecodable JPEG
      {"btn", 2, false, false, 0, 0},     // type 2 loads nothing
  };
  for (auto& c : cases) {
    Surface s(c.name, c.type, false);
    EXPECT_EQ(s.texture != nullptr, c.texture) << c.name;
    EXPECT_EQ(s.loaded, c.texture) << c.name;
    EXPECT_EQ(s.is2x, c.is2x) << c.name;
    if (c.texture) {
      EXPECT_EQ(s.GetWidth(), c.w) << c.name;
      EXPECT_EQ(s.GetHeight(), c.h) << c.name;
      EXPECT_FALSE(s.fromAtlas);
    }
  }
}

// A PNG cut short after its header: it opens, and fails while its pixels are read.
Bytes CutPng(int w, int h) {
  Bytes png = SolidPng(w, h, {9, 9, 9, 255});
  png.resize(png.size() - 16);
  return png;
}

// Pictures decode beside the loading; a damaged one found when they are finished leaves its
// sprite as loading it at once would have: the plain picture for a damaged "2x_" one, else none.
TEST(SurfaceFiles, DamagedPictureEndsAsLoadingItAtOnceWould) {
  PackGame game;
  game.Add("images\\2x_fall.png", CutPng(64, 32));
  game.Add("images\\fall.png", SolidPng(30, 20, {0, 255, 0, 255}));
  game.Add("images\\broken.png", CutPng(30, 20));
  game.Add("images\\2x_both.png", CutPng(64, 32));
  game.Add("images\\both.png", CutPng(30, 20));
  ASSERT_TRUE(game.OpenPack());
  Surface fall("fall", 0, false), broken("broken", 0, false), both("both", 0, false);
  EXPECT_TRUE(g_picturesPending);
  FinishPendingPictures();
  EXPECT_FALSE(g_picturesPending);
  ASSERT_NE(fall.texture, nullptr);
  EXPECT_TRUE(fall.loaded);
  EXPECT_FALSE(fall.is2x);
  EXPECT_EQ(fall.GetWidth(), 30);
  EXPECT_EQ(fall.GetHeight(), 20);
  for (Surface* s : {&broken, &both}) {
    EXPECT_EQ(s->texture, nullptr);
    EXPECT_FALSE(s->loaded);
    EXPECT_FALSE(s->is2x);
    EXPECT_EQ(s->GetWidth(), 0);
  }
}

int g_hookCalls = 0;
void CountHook() { ++g_hookCalls; }

TEST(SurfaceFiles, DeferredSurfaceKeepsItsNameAndPlaceholderLoadsIntoTheTable) {
  PackGame game;
  game.Add("images\\big.png", SolidPng(8, 8, {1, 2, 3, 255}));
  ASSERT_TRUE(game.OpenPack());
  g_hookCalls = 0;
  g_loadUpdateFunction = CountHook;
  {
    Surface deferred("big", 0, true);
    EXPECT_EQ(deferred.texture, nullptr);
    EXPECT_TRUE(deferred.name.IsEqual("big"));
    EXPECT_EQ(g_hookCalls, 1);
  }
  SurfaceDummy dummy("big", false, 0);
  EXPECT_TRUE(dummy.pending);
  ASSERT_EQ(g_rects[57][3], nullptr);
  dummy.UseMeToLoad(57, 3);
  EXPECT_EQ(g_loadUpdateFunction, nullptr);
  ASSERT_NE(g_rects[57][3], nullptr);
  EXPECT_NE(g_rects[57][3]->texture, nullptr);
  EXPECT_EQ(g_rects[57][3]->GetWidth(), 8);
  // Out of the table's range nothing is stored.
  dummy.UseMeToLoad(800, 0);
  dummy.UseMeToLoad(5, -1);
  SafeDelete(g_rects[57][3]);
}

// --- atlas ---

class AtlasTest : public ::testing::Test {
protected:
  void SetUp() override {
    // Page 0 holds a and b; page 1 holds c, a second a and 2x_d.
    game.Add("images\\w.cfg",
             AtlasIndexBytes({{{"a", 1, 2, 10, 12, 3, 4, 5, 6}, {"b", 0, 0, 7, 7, 0, 0, 20, 0}},
                              {{"c", 0, 0, 4, 4, 0, 0, 0, 0},
                               {"a", 0, 0, 99, 99, 0, 0, 0, 0},
                               {"2x_d", 0, 0, 16, 16, 0, 0, 8, 8}}}));
    game.Add("images\\w0.png", SolidPng(32, 32, {255, 0, 0, 255}));
    game.Add("images\\w1.png", SolidPng(16, 16, {0, 0, 255, 255}));
    game.Add("images\\none.cfg", AtlasIndexBytes({}));
  }
  PackGame game;
};

TEST_F(AtlasTest, TwoPageIndexLoadsAndLookupsResolve) {
  ASSERT_TRUE(game.OpenPack());
  Atlas atlas("w");
  ASSERT_EQ(atlas.pageCount, 2);
  ASSERT_NE(atlas.pageTextures[0], nullptr);
  ASSERT_NE(atlas.pageTextures[1], nullptr);
  EXPECT_EQ(atlas.pageTextures[1]->size.x, 16);

  SurfaceInfo* a = atlas.getSurfaceInfo("a");
  ASSERT_NE(a, nullptr);
  // The earlier of two entries of one name.
  EXPECT_EQ(a->width, 10);
  EXPECT_EQ(a->page, atlas.pageTextures[0]);
  SurfaceInfo* c = atlas.getSurfaceInfo("c");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->page, atlas.pageTextures[1]);
  EXPECT_EQ(atlas.getSurfaceInfo("zz"), nullptr);

  Surface sa(&atlas, "a");
  EXPECT_TRUE(sa.fromAtlas);
  EXPECT_EQ(sa.texture, atlas.pageTextures[0]);
  EXPECT_EQ(sa.offsetX, 1);
  EXPECT_EQ(sa.offsetY, 2);
  EXPECT_EQ(sa.width, 10);
  EXPECT_EQ(sa.height, 12);
  EXPECT_EQ(sa.centerOffsetX, 3);
  EXPECT_EQ(sa.centerOffsetY, 4);
  EXPECT_EQ(sa.atlasX, 5);
  EXPECT_EQ(sa.atlasY, 6);
  // The plain entry first, "2x_" + name only when it is missing.
  Surface sd(&atlas, "d");
  EXPECT_EQ(sd.texture, atlas.pageTextures[1]);
  EXPECT_EQ(sd.width, 16);
  Surface none(&atlas, "zz");
  EXPECT_EQ(none.texture, nullptr);
}

TEST_F(AtlasTest, PlainEntryIsPreferredOverItsDoubleResolutionForm) {
  game.Add("images\\both.cfg",
           AtlasIndexBytes({{{"2x_btn", 0, 0, 20, 20, 0, 0, 0, 0}, {"btn", 0, 0, 10, 10, 0, 0, 0, 0}}}));
  game.Add("images\\both0.png", SolidPng(8, 8, {9, 9, 9, 255}));
  ASSERT_TRUE(game.OpenPack());
  Atlas atlas("both");
  Surface s(&atlas, "btn");
  EXPECT_EQ(s.width, 10);
}

TEST_F(AtlasTest, EntriesWithoutAreaCountAsMissing) {
  game.Add("images\\holes.cfg", AtlasIndexBytes({{{"flat", 0, 0, 0, 5, 0, 0, 0, 0},
                                                  {"2x_flat", 0, 0, 10, 10, 0, 0, 0, 0},
                                                  {"neg", 0, 0, -3, 4, 0, 0, 0, 0},
                                                  {"dup", 0, 0, 4, 4, 0, 0, 0, 0},
                                                  {"dup", 0, 0, 8, 8, 0, 0, 0, 0}}}));
  game.Add("images\\holes0.png", SolidPng(8, 8, {9, 9, 9, 255}));
  ASSERT_TRUE(game.OpenPack());
  Atlas atlas("holes");
  // The scaled and stretched blits divide by the size, so an entry without area is no sprite.
  Surface flat(&atlas, "flat");
  EXPECT_EQ(flat.texture, atlas.pageTextures[0]);
  EXPECT_EQ(flat.width, 10);
  Surface neg(&atlas, "neg");
  EXPECT_EQ(neg.texture, nullptr);
  // Of two entries of one name on the same page, the earlier.
  ASSERT_NE(atlas.getSurfaceInfo("dup"), nullptr);
  EXPECT_EQ(atlas.getSurfaceInfo("dup")->width, 4);
}

TEST_F(AtlasTest, ZeroPagesGiveEveryLookupNull) {
  ASSERT_TRUE(game.OpenPack());
  Atlas atlas("none");
  EXPECT_EQ(atlas.pageCount, 0);
  EXPECT_EQ(atlas.getSurfaceInfo("a"), nullptr);
  Surface s(&atlas, "a");
  EXPECT_EQ(s.texture, nullptr);
  Atlas empty;
  EXPECT_EQ(empty.getSurfaceInfo("a"), nullptr);
}

TEST(AtlasIndex, DamagedIndexesAreRefusedWithAReason) {
  Bytes good = AtlasIndexBytes({{{"ok", 0, 0, 1, 1, 0, 0, 0, 0}}});
  Bytes tooManyPages = AtlasIndexBytes(std::vector<std::vector<IndexEntry>>(31));
  Bytes noZero = good;
  noZero[16 + 2] = 'x'; // the zero after "ok"
  Bytes longName = AtlasIndexBytes({{{std::string(300, 'n'), 0, 0, 1, 1, 0, 0, 0, 0}}});
  Bytes manyEntries = good;
  manyEntries[8] = 0xFF; // entry count 255 in a file holding one
  Bytes zeroLength = good;
  zeroLength[12] = 0;
  struct {
    const char* what;
    Bytes data;
    bool ok;
  } cases[] = {
      {"good", good, true},
      {"header only", Bytes(good.begin(), good.begin() + 6), false},
      {"31 pages", tooManyPages, false},
      {"30 empty pages", AtlasIndexBytes(std::vector<std::vector<IndexEntry>>(30)), true},
      {"page count past the end", Bytes(good.begin(), good.begin() + 8), false},
      {"more entries than bytes", manyEntries, false},
      {"name without its zero", noZero, false},
      {"name of 300 bytes", longName, false},
      {"name length 0", zeroLength, false},
      {"record cut short", Bytes(good.begin(), good.end() - 3), false},
  };
  for (auto& c : cases) {
    Atlas atlas;
    const char* why = nullptr;
    EXPECT_EQ(atlas.ReadIndex(c.data.data(), (int)c.data.size(), &why), c.ok ? 1 : 0) << c.what;
    if (!c.ok) {
      EXPECT_NE(why, nullptr) << c.what;
      EXPECT_EQ(atlas.pageCount, 0) << c.what;
      EXPECT_EQ(atlas.pages, nullptr) << c.what;
    }
  }
}

TEST_F(AtlasTest, MissingOrDamagedFilesEndTheProgramNamingTheFile) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Bytes index = AtlasIndexBytes({{{"x", 0, 0, 1, 1, 0, 0, 0, 0}}});
  game.Add("images\\nopage.cfg", index);
  game.Add("images\\badpage.cfg", index);
  game.Add("images\\badpage0.png", TextBytes("not a png"));
  game.Add("images\\big.cfg", AtlasIndexBytes(std::vector<std::vector<IndexEntry>>(31)));
  Bytes overcounted = index;
  overcounted[8] = 0xFF; // 255 entries in a file holding one
  game.Add("images\\short.cfg", overcounted);
  game.Add("images\\short0.png", SolidPng(4, 4, {1, 1, 1, 255}));
  game.Add("images\\cutpage.cfg", index);
  game.Add("images\\cutpage0.png", CutPng(16, 16));
  game.Add("images\\blank.cfg", {});
  ASSERT_TRUE(game.OpenPack());
  struct {
    const char* name;
    const char* line;
  } cases[] = {
      {"gone", "^sprocklet: cannot open the atlas index 'images.gone\\.cfg'\n$"},
      {"nopage", "^sprocklet: cannot load the atlas page 'images.nopage0\\.png'\n$"},
      {"badpage", "^sprocklet: cannot load the atlas page 'images.badpage0\\.png'\n$"},
      // found when its pixels are decoded, however soon the atlas goes
      {"cutpage", "^sprocklet: cannot load the atlas page 'images.cutpage0\\.png'\n$"},
      {"big", "^sprocklet: damaged atlas index 'images.big\\.cfg': more than 30 pages\n$"},
      {"short", "^sprocklet: damaged atlas index 'images.short\\.cfg': more entries than the file holds\n$"},
      {"blank", "^sprocklet: damaged atlas index 'images.blank\\.cfg': shorter than its header\n$"},
  };
  for (auto& c : cases)
    EXPECT_EXIT({ Atlas atlas(c.name); }, ::testing::ExitedWithCode(1), c.line) << c.name;
}

} // namespace
