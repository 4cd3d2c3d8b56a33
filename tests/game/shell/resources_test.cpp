// Resource paths by extension and the stdio-like shims over the engine's files, on a pack and on
// disk.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "file_size_limit.h"
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

TEST_F(Resources, WritesReplaceAppendsExtendAndOtherModesAreRefused) {
  std::filesystem::create_directories("data");
  IFile* w = _fopen("data\\rec.r", "wb");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(_fwrite("abcdef", 2, 3, w), 3u);
  _fclose(w);
  EXPECT_EQ(ReadDisk("data/rec.r"), "abcdef");

  IFile* a = _fopen("data/rec.r", "ab");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(_fwrite("gh", 1, 2, a), 2u);
  _fclose(a);
  EXPECT_EQ(ReadDisk("data/rec.r"), "abcdefgh");

  IFile* fresh = _fopen("data/new.r", "a");
  ASSERT_NE(fresh, nullptr);
  _fwrite("x", 1, 1, fresh);
  _fclose(fresh);
  EXPECT_EQ(ReadDisk("data/new.r"), "x");

  for (const char* mode : {"r+", "w+", "rb+", "x", ""})
    EXPECT_EQ(_fopen("data/rec.r", mode), nullptr) << mode;
  EXPECT_EQ(ReadDisk("data/rec.r"), "abcdefgh");
  // Something there that cannot be read is not appended to, and nothing tries to replace it.
  std::filesystem::create_directories("data/dir.r/inside");
  testing::internal::CaptureStderr();
  EXPECT_EQ(_fopen("data/dir.r", "ab"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(std::filesystem::is_directory("data/dir.r/inside"));

  // A header filled in last, after a seek back, keeps what follows it.
  IFile* h = _fopen("data/head.r", "wb");
  ASSERT_NE(h, nullptr);
  _fwrite("....body", 1, 8, h);
  EXPECT_EQ(_fseek(h, 0, 0), 0);
  _fwrite("HEAD", 1, 4, h);
  EXPECT_EQ(_fclose(h), 0);
  EXPECT_EQ(ReadDisk("data/head.r"), "HEADbody");
}

TEST_F(Resources, AFailedWriteKeepsTheOldFileAndSaysSoOnce) {
  std::filesystem::create_directories("data");
  std::ofstream("data/ghost.r") << "old run";
  std::string big(4000, 'n');
  IFile* w = _fopen("data\\ghost.r", "wb");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(_fwrite(big.data(), 1, (unsigned)big.size(), w), big.size());
  std::string err;
  {
    ScopedFileSizeLimit full(1000); // the disk fills up during the save
    ASSERT_TRUE(full.ok());
    testing::internal::CaptureStderr();
    EXPECT_EQ(_fclose(w), -1);
    err = testing::internal::GetCapturedStderr();
  }
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_NE(err.find("ghost.r"), std::string::npos) << err;
  EXPECT_EQ(ReadDisk("data/ghost.r"), "old run");
  // No temporary file is left beside it.
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator("data"))
    files += e.is_regular_file();
  EXPECT_EQ(files, 1);
}

} // namespace
