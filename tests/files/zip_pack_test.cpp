// The pack reader against packs from the sprockpack tool and against small damaged packs; the
// pack entry file; memory files opened from the application object's packs.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>

#include "files.h"
#include "files_test_util.h"
#include "pack_writer.h"
#include "serialize.h"
#include "zip_pack.h"

#include <zlib.h>

namespace {

using sprockpack::PackEntry;

Bytes Build(const std::vector<PackEntry>& entries) {
  Bytes out;
  std::string error;
  EXPECT_TRUE(sprockpack::BuildPack(entries, out, error)) << error;
  return out;
}

unsigned Get16(const Bytes& b, size_t at) { return b[at] | (b[at + 1] << 8); }
unsigned Get32(const Bytes& b, size_t at) { return Get16(b, at) | (Get16(b, at + 2) << 16); }
void Set16(Bytes& b, size_t at, unsigned v) {
  b[at] = (unsigned char)v;
  b[at + 1] = (unsigned char)(v >> 8);
}
void Set32(Bytes& b, size_t at, unsigned v) {
  Set16(b, at, v & 0xFFFF);
  Set16(b, at + 2, v >> 16);
}

// Where the records of a well-formed pack lie.
struct Layout {
  size_t end;
  size_t dirStart;
  std::vector<size_t> central;
  std::vector<size_t> local;
};

Layout Locate(const Bytes& b) {
  Layout l;
  l.end = b.size() - 22;
  l.dirStart = Get32(b, l.end + 16);
  size_t at = l.dirStart;
  for (unsigned i = 0; i < Get16(b, l.end + 8); i++) {
    l.central.push_back(at);
    l.local.push_back(Get32(b, at + 42));
    at += 46 + Get16(b, at + 28) + Get16(b, at + 30) + Get16(b, at + 32);
  }
  return l;
}

Bytes Text(size_t n, const char* word = "sprocklet ") {
  Bytes out;
  for (size_t i = 0; out.size() < n; i++)
    out.push_back((unsigned char)word[i % strlen(word)]);
  return out;
}

Bytes Noise(size_t n, unsigned seed) {
  Bytes out(n);
  for (auto& c : out) {
    seed = seed * 1103515245u + 12345u;
    c = (unsigned char)(seed >> 16);
  }
  return out;
}

Bytes ReadEntry(CiPhoneZipFileReader& r, int index, int* result) {
  long length = -1;
  EXPECT_EQ(r.get_FileLength(index, &length), 1);
  Bytes out((size_t)std::max(length, 0L) + 1, 0xEE);
  *result = r.ReadFile(index, out.data());
  out.resize((size_t)std::max(length, 0L));
  return out;
}

class ZipPackTest : public ::testing::Test {
protected:
  // Writes the pack and opens it in a reader; answers Init's result.
  int Open(const Bytes& pack) {
    WriteBytes(dir / "pack.pak", pack);
    return reader.Init((dir / "pack.pak").c_str());
  }
  ScratchDir dir;
  CiPhoneZipFileReader reader{nullptr};
};

TEST_F(ZipPackTest, ToolPacksDirectoryAndReaderReadsEveryEntryBackByteForByte) {
  std::string deep;
  for (int i = 0; i < 8; i++)
    deep += "a_rather_long_directory_name/";
  std::map<std::string, Bytes> files = {
      {"images/world1/tiles.txt", Text(20000)}, // deflated
      {"Sounds/music1.ogg", Noise(5000, 1)},    // stored by suffix
      {"Sounds/click.WAV", Text(3000)},         // stored: suffixes ignore case
      {"data/noise.bin", Noise(4096, 2)},       // stored: deflate does not shrink it
      {"empty.txt", Bytes()},                   //
      {"ui/" + deep + "x.txt", Text(700, "x")}, // a name far beyond 127 bytes
  };
  for (auto& f : files)
    WriteBytes(dir / ("in/" + f.first), f.second);
  std::string cmd = std::string(SPROCKPACK_EXE) + " -o " + (dir / "a.pak") + " " + (dir / "in");
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  cmd = std::string(SPROCKPACK_EXE) + " --output " + (dir / "b.pak") + " " + (dir / "in");
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  Bytes pack = ReadBytes(dir / "a.pak");
  EXPECT_EQ(pack, ReadBytes(dir / "b.pak")) << "same input, same bytes";

  ASSERT_EQ(reader.Init((dir / "a.pak").c_str()), 1);
  long count = 0;
  ASSERT_EQ(reader.get_FilesCount(&count), 1);
  ASSERT_EQ(count, (long)files.size());
  std::map<std::string, Bytes> seen;
  for (int i = 0; i < count; i++) {
    std::vector<char> name((size_t)reader.GetFileNameLength(i) + 1);
    ASSERT_EQ(reader.get_FileName(i, name.data()), 1);
    int result = 0;
    seen[name.data()] = ReadEntry(reader, i, &result);
    EXPECT_EQ(result, 1) << name.data();
    int found = -1;
    EXPECT_EQ(reader.IndexFromName(name.data(), &found), 1);
    EXPECT_EQ(found, i);
  }
  for (auto& f : files) {
    std::string packName = f.first;
    for (char& c : packName)
      if (c == '/') c = '\\';
    ASSERT_EQ(seen.count(packName), 1u) << packName;
    EXPECT_EQ(seen[packName], f.second) << packName;
  }

  // Stored entries lie in the pack as they are; the text was deflated.
  Layout l = Locate(pack);
  std::map<unsigned, int> methods;
  for (size_t at : l.central)
    methods[Get16(pack, at + 10)]++;
  EXPECT_EQ(methods[8], 2);
  EXPECT_EQ(methods[0], 4);
  int index = -1;
  long offset = 0;
  ASSERT_EQ(reader.IndexFromName("Sounds\\music1.ogg", &index), 1);
  ASSERT_EQ(reader.ReadFileOffset(index, &offset), 1);
  EXPECT_EQ(Bytes(pack.begin() + offset, pack.begin() + offset + 5000), files["Sounds/music1.ogg"]);
}

TEST_F(ZipPackTest, ToolRefusesBadCommandLinesAndDuplicateNames) {
  WriteBytes(dir / "in/a.txt", ToBytes("a"));
  WriteBytes(dir / "other/a.txt", ToBytes("b"));
  const std::string exe = SPROCKPACK_EXE;
  const std::string out = dir / "x.pak";
  struct {
    std::string args;
    bool ok;
  } cases[] = {
      {"-o " + out + " " + (dir / "in"), true},
      {(dir / "in"), false},                                             // no output
      {"-o " + out, false},                                              // no input
      {"-o " + out + " " + (dir / "missing"), false},                    // no such input
      {"-o " + out + " " + (dir / "in") + " " + (dir / "other"), false}, // a.txt twice
      {"-o " + out + " --bogus " + (dir / "in"), false},
      {"-o " + out + " --base " + dir.path() + " " + (dir / "in/a.txt"), true},
  };
  for (auto& c : cases) {
    std::remove(out.c_str());
    int rc = std::system((exe + " " + c.args + " 2>/dev/null").c_str());
    EXPECT_EQ(rc == 0, c.ok) << c.args;
    EXPECT_EQ(std::filesystem::exists(out), c.ok) << c.args;
  }
  // The name of a file input is its path below --base.
  ASSERT_EQ(reader.Init(out.c_str()), 1);
  int index = -1;
  EXPECT_EQ(reader.IndexFromName("in\\a.txt", &index), 1);
}

// Each entry's name and method, as the tool wrote them.
std::map<std::string, unsigned> Methods(const Bytes& pack) {
  std::map<std::string, unsigned> out;
  for (size_t at : Locate(pack).central)
    out[std::string(pack.begin() + (long)at + 46, pack.begin() + (long)at + 46 + Get16(pack, at + 28))] =
        Get16(pack, at + 10);
  return out;
}

TEST_F(ZipPackTest, ToolOptionsChooseNamesAndStoredSuffixes) {
  WriteBytes(dir / "in/music.OGG", Text(2000));
  WriteBytes(dir / "in/sub/t.txt", Text(2000));
  std::ofstream(dir / "list.txt") << "# inputs\n" << (dir / "in/sub/t.txt") << "\n\n";
  typedef std::map<std::string, unsigned> M;
  struct {
    std::string args;
    M expect;
  } cases[] = {
      {dir / "in", M{{"music.OGG", 0}, {"sub\\t.txt", 8}}},
      {"--store-all " + (dir / "in"), M{{"music.OGG", 0}, {"sub\\t.txt", 0}}},
      {"--store '' " + (dir / "in"), M{{"music.OGG", 8}, {"sub\\t.txt", 8}}},
      {"--store .TXT,.wav " + (dir / "in"), M{{"music.OGG", 8}, {"sub\\t.txt", 0}}},
      {"--prefix 'ui\\' " + (dir / "in/sub"), M{{"ui\\t.txt", 8}}},
      {"--base " + (dir / "in") + " --list " + (dir / "list.txt"), M{{"sub\\t.txt", 8}}},
  };
  for (auto& c : cases) {
    std::string cmd = std::string(SPROCKPACK_EXE) + " -o " + (dir / "o.pak") + " " + c.args;
    ASSERT_EQ(std::system(cmd.c_str()), 0) << c.args;
    EXPECT_EQ(Methods(ReadBytes(dir / "o.pak")), c.expect) << c.args;
  }
}

TEST_F(ZipPackTest, LookupIsByBackslashNameAndCaseSensitiveAndFirstDuplicateWins) {
  ASSERT_EQ(Open(Build({{"images/Hero.png", ToBytes("first"), true},
                        {"images\\Hero.png", ToBytes("second"), true},
                        {"b.txt", ToBytes("bee"), false}})),
            1);
  struct {
    const char* name;
    int result;
    int index;
  } cases[] = {
      {"images\\Hero.png", 1, 0}, // '/' in the pack becomes '\' in memory
      {"images/Hero.png", 0, -1}, // queries are not normalised
      {"images\\hero.png", 0, -1}, {"IMAGES\\HERO.PNG", 0, -1}, {"b.txt", 1, 2}, {"b.tx", 0, -1}, {"", 0, -1},
  };
  for (auto& c : cases) {
    int index = -1;
    EXPECT_EQ(reader.IndexFromName(c.name, &index), c.result) << c.name;
    EXPECT_EQ(index, c.index) << c.name;
  }
  int result = 0;
  EXPECT_EQ(ReadEntry(reader, 0, &result), ToBytes("first"));
  EXPECT_EQ(result, 1);
  EXPECT_EQ(reader.GetZipDirectory(), CommonString((dir.path() + "/").c_str()));
}

TEST_F(ZipPackTest, ArgumentAndIndexErrors) {
  ASSERT_EQ(Open(Build({{"a", ToBytes("abc"), true}})), 1);
  long length = 0;
  char name[8];
  unsigned char buffer[8];
  int index = 0;
  EXPECT_EQ(reader.IndexFromName(nullptr, &index), -101);
  EXPECT_EQ(reader.IndexFromName("a", nullptr), -101);
  EXPECT_EQ(reader.get_FilesCount(nullptr), -101);
  EXPECT_EQ(reader.ReadFile(0, nullptr), -101);
  EXPECT_EQ(reader.get_FileLength(0, nullptr), -101);
  for (int bad : {-1, 1, 1000}) {
    EXPECT_EQ(reader.get_FileLength(bad, &length), -102);
    EXPECT_EQ(reader.get_FileName(bad, name), -102);
    EXPECT_EQ(reader.ReadFile(bad, buffer), -102);
    EXPECT_EQ(reader.ReadFileOffset(bad, &length), -102);
  }
  reader.Close();
  EXPECT_EQ(reader.IndexFromName("a", &index), -6);
  EXPECT_EQ(reader.ReadFile(0, buffer), -6);
  EXPECT_EQ(reader.Init(""), -4);
  EXPECT_EQ(reader.Init((dir / "missing.pak").c_str()), -4);
}

TEST_F(ZipPackTest, EmptyPackOpensButHoldsNothing) {
  ASSERT_EQ(Open(Build({})), 1);
  long count = 77;
  EXPECT_EQ(reader.get_FilesCount(&count), -3);
  EXPECT_EQ(count, 77);
  int index = 0;
  long length = 0;
  EXPECT_EQ(reader.IndexFromName("a", &index), -6);
  EXPECT_EQ(reader.get_FileLength(0, &length), -6);
}

TEST_F(ZipPackTest, ZeroSizesInLocalHeaderTakeTheDirectorySizes) {
  Bytes stored = Noise(300, 3), deflated = Text(5000);
  Bytes pack = Build({{"s", stored, true}, {"d", deflated, false}});
  Layout l = Locate(pack);
  for (size_t at : l.local) {
    Set32(pack, at + 18, 0);
    Set32(pack, at + 22, 0);
  }
  ASSERT_EQ(Open(pack), 1);
  int result = 0;
  EXPECT_EQ(ReadEntry(reader, 0, &result), stored);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(ReadEntry(reader, 1, &result), deflated);
  EXPECT_EQ(result, 1);
}

TEST_F(ZipPackTest, DeflateStreamWithoutFinalBlockReadsWhenEveryByteCameOut) {
  // A sync-flushed stream holds all the data but no final block.
  Bytes plain = Text(3000);
  Bytes packed(4096);
  z_stream zs{};
  ASSERT_EQ(deflateInit2(&zs, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY), Z_OK);
  zs.next_in = plain.data();
  zs.avail_in = (uInt)plain.size();
  zs.next_out = packed.data();
  zs.avail_out = (uInt)packed.size();
  ASSERT_EQ(deflate(&zs, Z_SYNC_FLUSH), Z_OK);
  packed.resize(zs.total_out);
  deflateEnd(&zs);

  Bytes pack = Build({{"e", packed, true}});
  Layout l = Locate(pack);
  Set16(pack, l.local[0] + 8, 8);
  Set16(pack, l.central[0] + 10, 8);
  Set32(pack, l.local[0] + 22, (unsigned)plain.size());
  Set32(pack, l.central[0] + 24, (unsigned)plain.size());
  ASSERT_EQ(Open(pack), 1);
  int result = 0;
  EXPECT_EQ(ReadEntry(reader, 0, &result), plain);
  EXPECT_EQ(result, 1);
}

// Each case damages a good pack of a stored and a deflated entry in one way.
struct Damage {
  const char* what;
  std::function<void(Bytes&, const Layout&)> patch;
  int init;      // Init's answer
  int readFirst; // ReadFile of the first entry when Init succeeded
};

void PrintTo(const Damage& d, std::ostream* os) { *os << d.what; }

class ZipDamageTest : public ZipPackTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(ZipDamageTest, DamagedPackIsRefusedWithoutReadingPastBuffers) {
  Bytes pack = Build({{"stored", Noise(400, 4), true}, {"deflated", Text(8000), false}});
  GetParam().patch(pack, Locate(pack));
  int init = Open(pack);
  EXPECT_EQ(init, GetParam().init);
  if (init == 1) {
    int result = 0;
    ReadEntry(reader, 0, &result);
    EXPECT_EQ(result, GetParam().readFirst);
  }
}

// Moves the first central header behind the second, so the deflated entry gets index 0.
void PutDeflatedFirst(Bytes& p, const Layout& l) {
  size_t n0 = l.central[1] - l.central[0];
  Bytes first(p.begin() + l.central[0], p.begin() + l.central[1]);
  p.erase(p.begin() + l.central[0], p.begin() + l.central[1]);
  p.insert(p.begin() + l.end - n0, first.begin(), first.end());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ZipDamageTest,
    ::testing::Values(
        Damage{"archive comment",
               [](Bytes& p, const Layout& l) {
                 Set16(p, l.end + 20, 5);
                 p.insert(p.end(), {'h', 'e', 'l', 'l', 'o'});
               },
               -4, 0},
        Damage{"end record signature", [](Bytes& p, const Layout& l) { p[l.end] ^= 1; }, -4, 0},
        Damage{"directory larger than the pack",
               [](Bytes& p, const Layout& l) { Set32(p, l.end + 12, (unsigned)l.end + 1); }, -4, 0},
        Damage{"more entries than the directory holds",
               [](Bytes& p, const Layout& l) { Set16(p, l.end + 8, 3); }, -5, 0},
        Damage{"entry count beyond any directory",
               [](Bytes& p, const Layout& l) { Set16(p, l.end + 8, 0xFFFF); }, -5, 0},
        Damage{"name runs past the directory",
               [](Bytes& p, const Layout& l) { Set16(p, l.central[1] + 28, 200); }, -5, 0},
        Damage{"extra field runs past the directory",
               [](Bytes& p, const Layout& l) { Set16(p, l.central[0] + 30, 0xFFFF); }, -5, 0},
        Damage{"central header signature", [](Bytes& p, const Layout& l) { p[l.central[1]] = 'X'; }, -5, 0},
        Damage{"directory shorter than its headers",
               [](Bytes& p, const Layout& l) { Set32(p, l.end + 12, 40); }, -5, 0},
        Damage{"local header signature", [](Bytes& p, const Layout& l) { p[l.local[0] + 1] = 0; }, 1, -5},
        Damage{"local header offset past the end",
               [](Bytes& p, const Layout& l) { Set32(p, l.central[0] + 42, 0x7FFFFFF0); }, 1, -5},
        Damage{"stored local size smaller than the directory's",
               [](Bytes& p, const Layout& l) { Set32(p, l.local[0] + 18, 100); }, 1, -5},
        Damage{"stored local size larger than the directory's",
               [](Bytes& p, const Layout& l) { Set32(p, l.local[0] + 18, 401); }, 1, -5},
        Damage{"stored data past the end of the pack",
               [](Bytes& p, const Layout& l) {
                 Set32(p, l.local[0] + 18, (unsigned)p.size());
                 Set32(p, l.central[0] + 24, (unsigned)p.size());
               },
               1, -5},
        Damage{"unknown method", [](Bytes& p, const Layout& l) { Set16(p, l.local[0] + 8, 12); }, 1, -7},
        Damage{"truncated deflate stream",
               [](Bytes& p, const Layout& l) {
                 unsigned half = Get32(p, l.central[1] + 20) / 2;
                 Set32(p, l.local[1] + 18, half);
                 Set32(p, l.central[1] + 20, half);
                 PutDeflatedFirst(p, l);
               },
               1, -5},
        Damage{"deflate stream shorter than the directory says",
               [](Bytes& p, const Layout& l) {
                 Set32(p, l.central[1] + 24, 9000);
                 PutDeflatedFirst(p, l);
               },
               1, -5},
        Damage{"corrupt deflate data",
               [](Bytes& p, const Layout& l) {
                 size_t data = l.local[1] + 30 + Get16(p, l.local[1] + 26);
                 for (size_t i = 0; i < 8; i++)
                   p[data + i] = 0xFF;
                 PutDeflatedFirst(p, l);
               },
               1, -5}),
    [](const ::testing::TestParamInfo<Damage>& info) {
      std::string name = info.param.what;
      for (char& c : name)
        if (!isalnum((unsigned char)c)) c = '_';
      return name;
    });

class PackFilesTest : public ::testing::Test {
protected:
  void SetUp() override {
    WriteBytes(dir / "common.pak", Build({{"Sounds\\theme.ogg", music, true},
                                          {"images\\a.txt", text, false},
                                          {"shared", ToBytes("c"), true}}));
    WriteBytes(dir / "optional.pak",
               Build({{"extra.txt", ToBytes("optional"), false}, {"shared", ToBytes("o"), true}}));
    ASSERT_EQ(game.OpenPack(game.m_pCommonPack, dir / "common.pak"), 1);
  }
  ScratchDir dir;
  TestGame game;
  Bytes music = Noise(10000, 9);
  Bytes text = Text(6000);
};

TEST_F(PackFilesTest, ElementFileStreamsStoredEntryAndSeeksFromEachOrigin) {
  CZipElementFile f;
  EXPECT_EQ(f.GetCurPos(), -1);
  EXPECT_EQ(f.Open(&game, "Sounds\\missing.ogg", 2), 0);
  EXPECT_EQ(f.Open(&game, "Sounds\\theme.ogg", 10), 1);
  EXPECT_FALSE(f.IsOpened()) << "an existence test opens nothing";
  ASSERT_EQ(f.Open(&game, "Sounds\\theme.ogg", 2), 1);
  EXPECT_EQ(f.GetSize(), 10000);

  ASSERT_EQ(f.Seek(0, FILE_SEEK_END), 1);
  EXPECT_EQ(f.GetCurPos(), 10000);
  unsigned char buf[64];
  EXPECT_EQ(f.ReadData(buf, 64), 0) << "reads stop at the entry's end";
  ASSERT_EQ(f.Seek(-10, FILE_SEEK_END), 1);
  EXPECT_EQ(f.ReadData(buf, 64), 10);
  EXPECT_EQ(Bytes(buf, buf + 10), Bytes(music.end() - 10, music.end()));

  ASSERT_EQ(f.Seek(100, FILE_SEEK_BEGIN), 1);
  ASSERT_EQ(f.Seek(-4, FILE_SEEK_CURRENT), 1);
  EXPECT_EQ(f.GetCurPos(), 96);
  unsigned int word = 0;
  EXPECT_EQ(f.ReadUInt(&word), 4);
  EXPECT_EQ(word, music[96] | music[97] << 8 | music[98] << 16 | (unsigned)music[99] << 24);
  EXPECT_EQ(f.Seek(-1, FILE_SEEK_BEGIN), 0) << "nothing before the entry belongs to it";
  EXPECT_EQ(f.GetCurPos(), 100);

  EXPECT_EQ(f.WriteData(buf, 4), 0);
  unsigned short crc = calc_crc16((const char*)music.data(), (unsigned short)music.size());
  EXPECT_EQ(f.CheckCRC(crc), 0) << "not at the start";
  ASSERT_EQ(f.Seek(0, FILE_SEEK_BEGIN), 1);
  EXPECT_EQ(f.CheckCRC(crc), 1);
  EXPECT_EQ(f.GetCurPos(), 0);
  f.Close();
  EXPECT_EQ(f.ReadData(buf, 1), -1);
  EXPECT_EQ(f.GetSize(), 0);
}

TEST_F(PackFilesTest, MemoryFileLoadsEntriesFromPacksInSearchOrder) {
  CMemoryFile f;
  ASSERT_EQ(f.Open(&game, "images\\a.txt", 2), 1);
  EXPECT_EQ(Bytes(f.GetBuffer(), f.GetBuffer() + f.GetSize()), text);
  EXPECT_EQ(f.Open(&game, "images/a.txt", 2), 0);
  EXPECT_FALSE(f.IsOpened());
  EXPECT_EQ(f.Open(&game, "images\\a.txt", 10), 1);
  EXPECT_EQ(f.GetBuffer(), nullptr) << "an existence test loads nothing";

  ASSERT_EQ(game.OpenPack(game.m_pOptionalPack, dir / "optional.pak"), 1);
  // Two-pack mode without a resolution pack: the search ends before the optional pack.
  game.m_bSinglePack = 0;
  EXPECT_EQ(f.Open(&game, "extra.txt", 2), 0);
  game.m_bSinglePack = 1;
  ASSERT_EQ(f.Open(&game, "extra.txt", 2), 1);
  EXPECT_EQ(Bytes(f.GetBuffer(), f.GetBuffer() + f.GetSize()), ToBytes("optional"));
  ASSERT_EQ(f.Open(&game, "shared", 2), 1);
  EXPECT_EQ(f.GetBuffer()[0], 'c') << "the common pack comes first";

  CZipElementFile e;
  ASSERT_EQ(e.Open(&game, "extra.txt", 2), 1) << "served from the pack that holds it";
  long length = 0;
  game.m_pOptionalPack->get_FileLength(0, &length);
  EXPECT_EQ(e.GetSize(), length);

  // Packs off: the same path names a disk file, and an existence test loads it whole.
  game.m_bUsePacks = 0;
  WriteBytes(dir / "disk.txt", ToBytes("on disk"));
  ASSERT_EQ(f.Open(&game, (dir / "disk.txt").c_str(), 10), 1);
  EXPECT_EQ(f.GetSize(), 7);
  EXPECT_EQ(f.Open(&game, "images\\a.txt", 2), 0);
}

TEST_F(PackFilesTest, OptionalPackIsReplacedAndDroppedWhenItCannotOpen) {
  ASSERT_NE(game.InitOptionalGamePack(CommonString((dir / "optional.pak").c_str())), nullptr);
  int index = 0;
  EXPECT_EQ(game.m_pOptionalPack->IndexFromName("extra.txt", &index), 1);
  EXPECT_EQ(game.InitOptionalGamePack(CommonString((dir / "missing.pak").c_str())), nullptr);
  EXPECT_EQ(game.m_pOptionalPack, nullptr);
}

} // namespace

namespace {

// A directory that claims more than the pack's bytes can make is refused before a caller sizes a
// buffer by it: deflate gives at most 1032 bytes for one, a stored entry no more than the pack.
TEST_F(ZipPackTest, ALengthThePackCannotHoldIsRefusedBeforeAnyBufferIsSized) {
  Bytes pack = Build({{"stored", Noise(400, 4), true}, {"deflated", Text(8000), false}});
  Layout l = Locate(pack);
  Set32(pack, l.central[1] + 24, 0x7FFFFFFF);
  Set32(pack, l.central[0] + 24, (unsigned)pack.size() + 1);
  ASSERT_EQ(Open(pack), 1);
  long length = -1;
  EXPECT_EQ(reader.get_FileLength(0, &length), ZIP_DAMAGED);
  EXPECT_EQ(reader.get_FileLength(1, &length), ZIP_DAMAGED);
  EXPECT_EQ(length, -1);
}

} // namespace
