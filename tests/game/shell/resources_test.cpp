// Resource paths by extension and the stdio-like read shims over the engine's files, on a pack and
// on disk.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "files.h"
#include "game_test_support.h"
#include "resources.h"

namespace {

std::string ReadDisk(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class Resources : public ::testing::Test {
protected:
  void SetUp() override {
    game.Add("levels\\level3.txt", TextBytes("lvl"));
    game.Add("sounds\\jump.wav", TextBytes("w"));
    game.Add("sounds\\theme.ogg", TextBytes("o"));
    game.Add("sounds\\hit.wavc", TextBytes("c"));
    game.Add("images\\boom.WAV", TextBytes("b"));
    game.Add("images\\atlas.cfg", TextBytes("0123456789ABCDEF"));
    game.Add("images\\empty.bin", {});
    ASSERT_TRUE(game.OpenPack());
  }
  PackGame game;
};

TEST_F(Resources, DirectoryFollowsTheExtensionCaseSensitively) {
  struct {
    const char* name;
    const char* ext;
    const char* path;
  } cases[] = {
      {"level3", "txt", "levels\\level3.txt"},
      {"jump", "wav", "sounds\\jump.wav"},
      {"theme", "ogg", "sounds\\theme.ogg"},
      {"hit", "wavc", "sounds\\hit.wavc"},
      {"boom", "WAV", "images\\boom.WAV"},
      {"atlas", "cfg", "images\\atlas.cfg"},
      {"level4", "txt", ""},
      {"jump", "WAV", ""},
  };
  for (auto& c : cases)
    EXPECT_STREQ(pathForResource(c.name, c.ext).c_str(), c.path) << c.name << "." << c.ext;
}

TEST_F(Resources, ReadShimsCountWholeItemsAndRefuseOtherSeeks) {
  IFile* f = _fopen("images\\atlas.cfg", "rb");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(_fseek(f, 10, 1), -1);
  EXPECT_EQ(_fgetc(f), '0');
  // Before the start is refused as stdio does; a loop reading to the end would never see it.
  EXPECT_EQ(_fseek(f, -4, 0), -1);
  EXPECT_EQ(_feof(f), 0);
  EXPECT_EQ(_fgetc(f), '1');
  EXPECT_EQ(_fseek(f, 6, 0), 0);
  char buf[16] = {};
  // 10 bytes left: two whole items of 4.
  EXPECT_EQ(_fread(buf, 4, 3, f), 2u);
  EXPECT_EQ(std::string(buf, 8), "6789ABCD");
  EXPECT_EQ(_feof(f), 1);
  EXPECT_EQ(_fgetc(f), -1);
  EXPECT_EQ(_fread(buf, 0, 3, f), 0u);
  _fclose(f);

  IFile* empty = _fopen("images\\empty.bin", "rb");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(_feof(empty), 1);
  _fclose(empty);

  EXPECT_EQ(_fopen("images\\nothing.bin", "rb"), nullptr);
  EXPECT_EQ(_feof(nullptr), 1);
  EXPECT_EQ(_fgetc(nullptr), -1);
  EXPECT_EQ(_fseek(nullptr, 0, 0), -1);
  _fclose(nullptr);
}

TEST_F(Resources, DiskComesBeforeThePackAndBackslashesAreDiskSeparators) {
  std::filesystem::create_directories("images");
  std::ofstream("images/atlas.cfg") << "disk";
  IFile* f = _fopen("images\\atlas.cfg", "rb");
  ASSERT_NE(f, nullptr);
  char buf[8] = {};
  EXPECT_EQ(_fread(buf, 1, 8, f), 4u);
  EXPECT_STREQ(buf, "disk");
  _fclose(f);
}

TEST_F(Resources, TheShimsOnlyRead) {
  std::filesystem::create_directories("data");
  std::ofstream("data/rec.r") << "old";
  for (const char* mode : {"wb", "w", "ab", "a", "r+", "w+", "rb+", "x", ""})
    EXPECT_EQ(_fopen("data/rec.r", mode), nullptr) << mode;
  EXPECT_EQ(_fopen("data/new.r", "wb"), nullptr);
  EXPECT_EQ(ReadDisk("data/rec.r"), "old");
  EXPECT_FALSE(std::filesystem::exists("data/new.r"));
}

} // namespace
