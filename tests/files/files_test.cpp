// Memory files (growth, reads at and past the end, write-back to disk) and stdio files (modes,
// path separators, closed-file answers, CRC checks).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "files.h"
#include "files_test_util.h"
#include "serialize.h"

namespace {

TEST(MemoryFileTest, WriteBufferGrowsAndKeepsEveryByte) {
  Bytes big(40000), a(10000), b(60000);
  for (size_t i = 0; i < big.size(); i++)
    big[i] = (unsigned char)(i * 7);
  for (size_t i = 0; i < b.size(); i++)
    b[i] = (unsigned char)(i * 13 + 1);
  for (size_t i = 0; i < a.size(); i++)
    a[i] = (unsigned char)(i * 3 + 2);

  CMemoryFile f;
  ASSERT_EQ(f.Create(32000), 1);
  EXPECT_EQ(f.GetSize(), 32000) << "a write-mode file reports its capacity";
  ASSERT_EQ(f.WriteData(big.data(), 40000), 40000);
  EXPECT_EQ(f.GetSize(), 64000);
  EXPECT_EQ(f.GetCurPos(), 40000);
  EXPECT_EQ(Bytes(f.GetBuffer(), f.GetBuffer() + 40000), big);

  ASSERT_EQ(f.Create(32000), 1);
  ASSERT_EQ(f.WriteData(a.data(), 10000), 10000);
  ASSERT_EQ(f.WriteData(b.data(), 60000), 60000);
  EXPECT_EQ(f.GetSize(), 70000);
  Bytes both(a);
  both.insert(both.end(), b.begin(), b.end());
  EXPECT_EQ(Bytes(f.GetBuffer(), f.GetBuffer() + 70000), both);
}

TEST(MemoryFileTest, ReadsStopAtTheEndAndNeverLeaveTheBuffer) {
  CMemoryFile f;
  unsigned char* block = (unsigned char*)malloc(7);
  memcpy(block, "\x01\x02\x03\x04\x05\x06\x07", 7);
  ASSERT_EQ(f.Attach(block, 7), 1);
  int v = 0;
  EXPECT_EQ(f.ReadInt(&v), 4);
  EXPECT_EQ(v, 0x04030201);
  v = -1; // a short read keeps the target's other bytes
  EXPECT_EQ(f.ReadInt(&v), 3);
  EXPECT_EQ((unsigned)v, 0xFF070605u);
  EXPECT_EQ(f.ReadInt(&v), 0);
  unsigned char buf[16];
  struct {
    long offset;
    int whence;
    int expect;
  } seeks[] = {
      {0, FILE_SEEK_END, 0},    {3, FILE_SEEK_END, 0},       {100, FILE_SEEK_BEGIN, 0},
      {-1, FILE_SEEK_BEGIN, 0}, {-50, FILE_SEEK_CURRENT, 0}, {-2, FILE_SEEK_END, 2},
      {5, FILE_SEEK_BEGIN, 2},  {0, FILE_SEEK_BEGIN, 7},
  };
  for (auto& s : seeks) {
    EXPECT_EQ(f.Seek(s.offset, s.whence), 1);
    EXPECT_EQ(f.ReadData(buf, 16), s.expect) << s.offset << " from " << s.whence;
  }
  EXPECT_EQ(f.ReadData(buf, 16), 0) << "a second read at the end gives nothing too";
  void* taken = f.Detach();
  EXPECT_EQ(taken, block);
  EXPECT_FALSE(f.IsOpened());
  free(taken);
}

TEST(MemoryFileTest, WriteModeReachesDiskOnCloseWithOnlyTheBytesWritten) {
  ScratchDir dir;
  std::string path = dir / "out.dat";
  {
    CMemoryFile f;
    ASSERT_EQ(f.Open(nullptr, path.c_str(), 5), 1);
    EXPECT_EQ(f.WriteInt(0x11223344), 4);
    EXPECT_EQ(f.WriteWord(0x5566), 2);
    EXPECT_EQ(f.WriteByte(0x77), 1);
  } // the destructor closes
  EXPECT_EQ(ReadBytes(path), (Bytes{0x44, 0x33, 0x22, 0x11, 0x66, 0x55, 0x77}));

  CMemoryFile g;
  ASSERT_EQ(g.Open(nullptr, path.c_str(), 5), 1);
  g.Close();
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(std::filesystem::file_size(path), 0u) << "nothing written leaves an empty file";

  // A loaded file copies to another path when positioned at its end first.
  WriteBytes(path, ToBytes("settings"));
  ASSERT_EQ(g.OpenOnDisk(nullptr, path.c_str(), 2), 1);
  g.Seek(0, FILE_SEEK_END);
  EXPECT_EQ(g.FlushDataToFile(nullptr, (dir / "backup.dat").c_str()), 1);
  EXPECT_EQ(ReadBytes(dir / "backup.dat"), ToBytes("settings"));
}

TEST(MemoryFileTest, FailedWriteBackKeepsTheOldFileAndLeavesNoTemporary) {
  ScratchDir dir;
  // A directory in the target's place makes the final rename fail.
  std::string target = dir / "blocked";
  std::filesystem::create_directories(target + "/inside");
  CMemoryFile f;
  ASSERT_EQ(f.Create(16), 1);
  f.WriteData("new", 3);
  EXPECT_EQ(f.FlushDataToFile(nullptr, target.c_str()), 0);
  EXPECT_TRUE(std::filesystem::is_directory(target + "/inside"));
  EXPECT_EQ(f.FlushDataToFile(nullptr, (dir / "no/such/dir/file").c_str()), 0);
  int entries = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.path()))
    entries += e.path().filename() != "blocked";
  EXPECT_EQ(entries, 0) << "no temporary file left behind";

  // Detaching the buffer of a write-mode file must not empty its target.
  std::string kept = dir / "kept.dat";
  WriteBytes(kept, ToBytes("old content"));
  ASSERT_EQ(f.Open(nullptr, kept.c_str(), 5), 1);
  f.WriteData("x", 1);
  free(f.Detach());
  EXPECT_EQ(ReadBytes(kept), ToBytes("old content"));
}

TEST(MemoryFileTest, ANewBufferIsZeroedSoASkippedGapReachesTheDiskAsZeros) {
  ScratchDir dir;
  CMemoryFile f;
  // A buffer full of bytes that a fresh one reuses (the allocator hands back the block just freed;
  // under the address sanitizer every new block is filled with garbage anyway).
  ASSERT_EQ(f.Create(4096), 1);
  Bytes dirt(4096, 0xAB);
  ASSERT_EQ(f.WriteData(dirt.data(), 4096), 4096);
  ASSERT_EQ(f.Create(4096), 1);
  EXPECT_EQ(Bytes(f.GetBuffer(), f.GetBuffer() + 4096), Bytes(4096, 0));
  // A header left for later: the bytes before it were never written.
  f.Seek(3000, FILE_SEEK_BEGIN);
  ASSERT_EQ(f.WriteData("end", 3), 3);
  ASSERT_EQ(f.FlushDataToFile(nullptr, (dir / "gap.bin").c_str()), 1);
  Bytes expected(3003, 0);
  memcpy(&expected[3000], "end", 3);
  EXPECT_EQ(ReadBytes(dir / "gap.bin"), expected);
}

TEST(MemoryFileTest, OpenOnDiskLoadsWholeFileOrKeepsItForAnExistenceTest) {
  ScratchDir dir;
  WriteBytes(dir / "sub/level1", ToBytes("LEVEL"));
  std::string backslashed = dir.path() + "\\sub\\level1";
  CMemoryFile f;
  ASSERT_EQ(f.OpenOnDisk(nullptr, backslashed.c_str(), 2), 1);
  EXPECT_EQ(Bytes(f.GetBuffer(), f.GetBuffer() + f.GetSize()), ToBytes("LEVEL"));
  EXPECT_EQ(f.CheckCRC(0x1234), 1) << "memory content counts as valid";
  EXPECT_EQ(f.OpenOnDisk(nullptr, (dir / "missing").c_str(), 2), 0);
  EXPECT_FALSE(f.IsOpened());
  ASSERT_EQ(f.OpenOnDisk(nullptr, (dir / "sub/level1").c_str(), 10), 1);
  EXPECT_EQ(f.GetBuffer(), nullptr);
  // Delete goes through the disk file an existence test keeps.
  f.Delete((dir / "sub/level1").c_str());
  EXPECT_FALSE(std::filesystem::exists(dir / "sub/level1"));
}

TEST(StdioFileTest, OpenModesPickReadWriteOrAppend) {
  ScratchDir dir;
  std::string path = dir / "f.bin";
  WriteBytes(path, ToBytes("abc"));
  struct {
    unsigned mode;
    int opened;
    const char* after; // content after writing "Z" (when opened) and closing
  } cases[] = {
      {2, 1, "abc"},                 // read: writes fail
      {3, 1, "abc"},                 // read wins over write
      {6, 1, "abcZ"},                // append
      {4, 1, "abcZ"}, {5, 1, "Z"},   // create or empty
      {1, 1, "Z"},    {0, 0, "abc"}, // nothing asked: the disk is not touched
      {8, 0, "abc"},
  };
  for (auto& c : cases) {
    WriteBytes(path, ToBytes("abc"));
    CiPhoneFile f;
    EXPECT_EQ(f.Open(nullptr, path.c_str(), c.mode), c.opened) << c.mode;
    if (f.IsOpened()) f.WriteData("Z", 1);
    f.Close();
    EXPECT_EQ(ReadBytes(path), ToBytes(c.after)) << c.mode;
  }
}

TEST(StdioFileTest, BackslashPathsClosedFileAnswersAndDelete) {
  ScratchDir dir;
  WriteBytes(dir / "d/e.txt", ToBytes("hello"));
  CiPhoneFile f;
  unsigned char buf[8];
  int v = 0;
  EXPECT_EQ(f.GetCurPos(), -1);
  EXPECT_EQ(f.ReadData(buf, 1), -1);
  EXPECT_EQ(f.WriteData(buf, 1), -1);
  EXPECT_EQ(f.ReadInt(&v), -1);
  EXPECT_EQ(f.GetSize(), 0);
  EXPECT_EQ(f.Seek(0, FILE_SEEK_BEGIN), 0);

  ASSERT_EQ(f.Open(nullptr, (dir.path() + "\\d\\e.txt").c_str(), 2), 1);
  EXPECT_EQ(f.GetSize(), 5);
  EXPECT_EQ(f.Seek(-2, FILE_SEEK_END), 1);
  EXPECT_EQ(f.GetCurPos(), 3);
  EXPECT_EQ(f.ReadData(buf, 8), 2);
  f.Close();
  EXPECT_EQ(f.GetCurPos(), -1);
  EXPECT_EQ(f.Delete((dir.path() + "\\d\\e.txt").c_str()), 0);
  EXPECT_EQ(f.Delete((dir / "d/e.txt").c_str()), -1);
}

TEST(StdioFileTest, CheckCrcReadsFromTheStartAndRewinds) {
  ScratchDir dir;
  WriteBytes(dir / "abc", ToBytes("abc"));
  CiPhoneFile f;
  ASSERT_EQ(f.Open(nullptr, (dir / "abc").c_str(), 2), 1);
  EXPECT_EQ(f.CheckCRC(0x1234), 0);
  EXPECT_EQ(f.CheckCRC(0x259E), 1);
  EXPECT_EQ(f.GetCurPos(), 0);
  unsigned char c;
  f.ReadByte(&c);
  EXPECT_EQ(f.CheckCRC(0x259E), 0) << "positioned after the start";
}

} // namespace
