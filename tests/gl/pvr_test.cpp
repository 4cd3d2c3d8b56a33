// PVR atlases: the tile file header, the level table, and the atlas description on a GL
// without PVRTC.
#include <cstdio>
#include <fstream>
#include <string>

#include "gl_scene.h"
#include "temp_dir.h"

namespace {

// A version 2 header followed by dataSize bytes (fileExtra more or fewer).
std::vector<u8> PVRFile(u32 width, u32 height, u32 format, u32 dataSize, u32 alphaMask = 0, int fileExtra = 0,
                        const char* tag = "PVR!") {
  std::vector<u8> f(52);
  auto put = [&](size_t at, u32 v) {
    for (int i = 0; i < 4; ++i)
      f[at + i] = (u8)(v >> (8 * i));
  };
  put(0, 52);
  put(4, height);
  put(8, width);
  put(16, 0x8000 | format);
  put(20, dataSize);
  put(40, alphaMask);
  memcpy(&f[44], tag, 4);
  f.resize(f.size() + dataSize + fileExtra, 0xAB);
  return f;
}

struct HeaderCase {
  const char* name;
  std::vector<u8> file;
  int ok;
  std::vector<u32> levelSizes;
  bool alpha;
};

void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.name; }

class PVRHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(PVRHeader, ParsesLevelsInsideTheFileOnly) {
  const HeaderCase& c = GetParam();
  TexLevelData levels[PVR_MAX_LEVELS];
  int count = -1;
  bool alpha = !c.alpha;
  EXPECT_EQ(c.ok, ProcessPVRData(c.file.data(), (u32)c.file.size(), levels, count, alpha));
  if (!c.ok) return;
  EXPECT_EQ(c.alpha, alpha);
  ASSERT_EQ((int)c.levelSizes.size(), count);
  const u8* expected = c.file.data() + 52;
  for (int i = 0; i < count; ++i) {
    EXPECT_EQ(c.levelSizes[i], levels[i].size) << i;
    EXPECT_EQ(expected, levels[i].data) << i;
    expected += levels[i].size;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, PVRHeader,
    ::testing::Values(HeaderCase{"noData", PVRFile(8, 8, 13, 0), 1, {}, false},
                      // 16 x 16 at 4 bits: 128 bytes, then 8 x 8 and 4 x 4 at the 32-byte minimum
                      HeaderCase{
                          "fourBitChain", PVRFile(16, 16, 13, 128 + 32 + 32, 1), 1, {128, 32, 32}, true},
                      // 2 bits: blocks of 8 x 4 texels
                      HeaderCase{"twoBit", PVRFile(32, 16, 24, 128), 1, {128}, false},
                      HeaderCase{"notPVRTC", PVRFile(8, 8, 5, 0), 0, {}, false},
                      HeaderCase{"badTag", PVRFile(8, 8, 13, 0, 0, 0, "PVR?"), 0, {}, false},
                      HeaderCase{"dataPastTheFile", PVRFile(16, 16, 13, 128, 0, -1), 0, {}, false},
                      HeaderCase{"levelPastTheData", PVRFile(16, 16, 13, 100), 0, {}, false},
                      // 1 x 1 levels of 32 bytes each: more than the level table holds
                      HeaderCase{"tooManyLevels", PVRFile(1, 1, 13, 32 * (PVR_MAX_LEVELS + 1)), 0, {}, false},
                      HeaderCase{"shortHeader", std::vector<u8>(51, 0), 0, {}, false}),
    [](const ::testing::TestParamInfo<HeaderCase>& i) { return std::string(i.param.name); });

void WriteFile(const std::string& name, const std::string& text) {
  std::ofstream(name, std::ios::binary) << text;
}

void WriteFile(const std::string& name, const std::vector<u8>& bytes) {
  std::ofstream(name, std::ios::binary).write((const char*)bytes.data(), (std::streamsize)bytes.size());
}

using PVRAtlas = GLScene;

TEST_F(PVRAtlas, WithoutPVRTCTheAtlasIsReadAndRefusedBeforeAnyUpload) {
  ASSERT_FALSE(GLES_HasPVRTC()) << "Mesa offers no PVRTC";
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  game.m_bUsePacks = 0;
  WriteFile("atlas.txt",
            "// tiles of 64 with a border of 2\nBorderSize = 2\nFullWidth = 120\nFullHeight = 60\n"
            "NumTilesX = 2\nNumTilesY = 1\nSubTextureSize = 64\nBPP = 4\n");
  WriteFile("atlas_0001.pvr", PVRFile(64, 64, 13, 2048));
  WriteFile("atlas_0002.pvr", PVRFile(64, 64, 13, 2048));

  CBitmapHW bm(&game);
  u32 uploads = g_GLES_CallCounts.textureUploads;
  fflush(stderr);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(0, bm.GetHWResource()->PVR_CreateTexture(&bm, "atlas.txt"));
  std::string printed = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(uploads, g_GLES_CallCounts.textureUploads);
  EXPECT_EQ(1, std::count(printed.begin(), printed.end(), '\n')) << printed;
  EXPECT_NE(std::string::npos, printed.find("atlas.txt")) << printed;
  EXPECT_EQ(2, bm.GetHWResource()->m_nTileCount) << "the description was read";
}

TEST_F(PVRAtlas, BadDescriptionsAndMissingTilesFail) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  game.m_bUsePacks = 0;
  const char* full =
      "FullWidth = 60\nFullHeight = 60\nNumTilesX = 1\nNumTilesY = 1\nSubTextureSize = 64\nBPP = 4\n";
  const std::string cases[] = {
      "FullWidth = 60\nNumTilesX = 1\nNumTilesY = 1\nSubTextureSize = 64\nBPP = 4\n", // FullHeight missing
      std::string(full) + "BorderSize = 32\n", // nothing left of a tile
      "FullWidth = 60\nFullHeight = 60\nNumTilesX = 0\nNumTilesY = 1\nSubTextureSize = 64\nBPP = 4\n",
      full, // its tile file is missing
  };
  for (const std::string& text : cases) {
    WriteFile("atlas.txt", text);
    CBitmapHW bm(&game);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(0, bm.GetHWResource()->PVR_CreateTexture(&bm, "atlas.txt")) << text;
    ::testing::internal::GetCapturedStderr();
  }
  CBitmapHW bm(&game);
  EXPECT_EQ(0, bm.GetHWResource()->PVR_CreateTexture(&bm, "missing.txt"));
}

} // namespace
