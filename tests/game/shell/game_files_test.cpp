// The game's file layer: whole reads that stop at their limit and say why a file could not be read,
// the disk before the packs, and saves that keep the old file and say why when they fail.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "file_size_limit.h"
#include "game_files.h"
#include "game_test_support.h"

namespace {

class GameFiles : public ::testing::Test {
protected:
  void SetUp() override { std::filesystem::create_directories("data"); }
  PackGame game; // a fresh working directory
};

TEST_F(GameFiles, AReadSaysWhetherTheFileIsMissingDoesNotOpenOrCannotBeRead) {
  WriteFileBytes("data/plain", TextBytes("plain"));
  std::filesystem::create_directories("data/dir");
  struct {
    const char* path;
    GameFileRead read;
    int err; // errno after a failure
  } cases[] = {
      {"data/none", GAME_FILE_MISSING, ENOENT},
      {"data/plain/inside", GAME_FILE_UNOPENED, ENOTDIR},
      {"data/dir", GAME_FILE_UNREADABLE, EISDIR},
      {"data\\plain", GAME_FILE_READ, 0},
  };
  for (auto& c : cases) {
    std::vector<unsigned char> data(3, 'x');
    errno = 0;
    EXPECT_EQ(ReadGameFile(c.path, 100, &data), c.read) << c.path;
    if (c.read == GAME_FILE_READ) {
      EXPECT_EQ(data, TextBytes("plain")) << c.path;
    } else {
      EXPECT_EQ(errno, c.err) << c.path;
      EXPECT_TRUE(data.empty()) << c.path;
    }
  }
}

TEST_F(GameFiles, AReadStopsAtItsLimit) {
  // Longer than one read of the layer, so the limit falls inside a later one.
  Bytes big(200000);
  for (size_t i = 0; i < big.size(); ++i)
    big[i] = (unsigned char)(i * 31 + 7);
  WriteFileBytes("data/big", big);
  for (size_t limit : {(size_t)0, (size_t)1, (size_t)65536, (size_t)150001, big.size(), big.size() + 1}) {
    std::vector<unsigned char> data;
    ASSERT_EQ(ReadGameFile("data/big", limit, &data), GAME_FILE_READ) << limit;
    size_t expect = std::min(limit, big.size());
    EXPECT_EQ(data.size(), expect) << limit;
    EXPECT_TRUE(std::equal(data.begin(), data.end(), big.begin())) << limit;
  }
}

TEST_F(GameFiles, TheDiskComesBeforeThePackAndAPackEntryKeepsTheLimit) {
  game.Add("levels\\level3.txt", TextBytes("from the pack"));
  ASSERT_TRUE(game.OpenPack());
  std::vector<unsigned char> data;
  ASSERT_TRUE(ReadGameOrPackFile("levels\\level3.txt", 100, &data));
  EXPECT_EQ(data, TextBytes("from the pack"));
  ASSERT_TRUE(ReadGameOrPackFile("levels\\level3.txt", 4, &data));
  EXPECT_EQ(data, TextBytes("from"));
  EXPECT_FALSE(ReadGameOrPackFile("levels\\level4.txt", 100, &data));
  // The disk-only read never looks into the packs.
  EXPECT_EQ(ReadGameFile("levels\\level3.txt", 100, &data), GAME_FILE_MISSING);

  std::filesystem::create_directories("levels");
  WriteFileBytes("levels/level3.txt", TextBytes("disk"));
  ASSERT_TRUE(ReadGameOrPackFile("levels\\level3.txt", 100, &data));
  EXPECT_EQ(data, TextBytes("disk"));
}

TEST_F(GameFiles, AFailedSaveKeepsTheOldFileAndSaysWhyInOneLine) {
  WriteFileBytes("data/ghost.r", TextBytes("old run"));
  Bytes big(4000, 'n');
  std::string err;
  bool saved = true, written = true;
  int writeErr = 0;
  {
    ScopedFileSizeLimit full(1000); // the disk fills up during the save
    ASSERT_TRUE(full.ok());
    testing::internal::CaptureStderr();
    saved = SaveGameFile("data\\ghost.r", big.data(), big.size());
    err = testing::internal::GetCapturedStderr();
    // The quiet form leaves the saying to its caller.
    testing::internal::CaptureStderr();
    written = WriteGameFile("data/ghost.r", big.data(), big.size());
    writeErr = errno;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  }
  EXPECT_FALSE(saved);
  EXPECT_FALSE(written);
  EXPECT_EQ(writeErr, EFBIG);
  EXPECT_EQ(err, std::string("sprocklet: could not save data\\ghost.r (") + strerror(EFBIG) +
                     "); the previous file is kept\n");
  EXPECT_EQ(ReadFileBytes("data/ghost.r"), TextBytes("old run"));
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator("data"))
    files += e.is_regular_file();
  EXPECT_EQ(files, 1) << "no temporary file left beside it";

  EXPECT_TRUE(SaveGameFile("data/ghost.r", big.data(), big.size()));
  EXPECT_EQ(ReadFileBytes("data/ghost.r"), big);
}

} // namespace
