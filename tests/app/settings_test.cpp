// The engine settings file: exact layout, round trip, fallback to the backup, defaults.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "app_data.h"
#include "temp_dir.h"
#include "test_application.h"

namespace {

std::vector<unsigned char> ReadAll(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const char* path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write((const char*)bytes.data(), (std::streamsize)bytes.size());
}

void PutInt(std::vector<unsigned char>& v, int x) {
  for (int i = 0; i < 4; i++)
    v.push_back((unsigned char)((unsigned)x >> (8 * i)));
}

// The serialised layout written out by hand: method, switches and volumes, orientation,
// 32 (value, control byte) pairs, then the length-prefixed end marker.
std::vector<unsigned char> ExpectedFile(int volume, int musicVolume, int value7, int control7) {
  std::vector<unsigned char> v;
  PutInt(v, 1);
  v.push_back(1);
  PutInt(v, volume);
  v.push_back(1);
  PutInt(v, musicVolume);
  v.push_back(0);
  PutInt(v, 0);
  for (int i = 0; i < 32; i++) {
    PutInt(v, i == 7 ? value7 : 0);
    v.push_back((unsigned char)(i == 7 ? control7 : 0));
  }
  PutInt(v, 12);
  for (const char* p = "BasicDataEnd"; *p; p++)
    v.push_back((unsigned char)*p);
  return v;
}

class SettingsTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.ok());
    std::filesystem::create_directory("data");
  }
  // A fresh application object loading what is on disk.
  std::unique_ptr<CTestApplication> Load() {
    auto app = std::make_unique<CTestApplication>();
    EXPECT_TRUE(app->LoadOrCreateDefaultAppData());
    return app;
  }
  ScopedTempDir dir;
};

} // namespace

TEST(AppDataTest, SignatureWordsAndDefaults) {
  EXPECT_EQ(Convert4CharToInt("APPS"), (u32)'A' | ((u32)'P' << 8) | ((u32)'P' << 16) | ((u32)'S' << 24));
  EXPECT_EQ(Convert4CharToInt(nullptr), 0u);
  CBasicApplicationData d;
  d.m_aControlData[3] = 9;
  d.m_nVolume = 3;
  d.SetDefaultApplicationData();
  EXPECT_EQ(d.m_nVolume, 50);
  EXPECT_EQ(d.m_nMusicVolume, 50);
  EXPECT_EQ(d.m_bSoundOn, 1);
  EXPECT_EQ(d.m_bMusicOn, 1);
  EXPECT_EQ(d.m_bMuted, 0);
  EXPECT_EQ(d.m_aControlData[3], 0);
}

TEST_F(SettingsTest, WritesTheExact195ByteLayoutAndReadsItBack) {
  auto app = Load();
  EXPECT_TRUE(app->m_bAppDataFresh);
  app->m_pAppData->m_nSerializeMethod = 0; // saving always stores method 1
  app->SetVolume(70);
  app->m_pAppData->m_aValues[7] = -2;
  app->m_pAppData->m_aControlData[7] = 200;
  ASSERT_TRUE(app->SaveAppData());
  EXPECT_EQ(ReadAll("data/global.opt"), ExpectedFile(70, 50, -2, 200));

  auto again = Load();
  EXPECT_FALSE(again->m_bAppDataFresh);
  EXPECT_EQ(again->GetVolume(), 70);
  EXPECT_EQ(again->m_pAppData->m_aValues[7], -2);
  EXPECT_EQ(again->m_pAppData->m_aControlData[7], 200);
  // A good main file refreshes the backup with the same bytes.
  EXPECT_EQ(ReadAll("data/global_backup.opt"), ReadAll("data/global.opt"));
}

TEST_F(SettingsTest, DamagedMainFileFallsBackToBackup) {
  WriteAll("data/global_backup.opt", ExpectedFile(11, 22, 0, 0));
  std::vector<unsigned char> good = ExpectedFile(80, 90, 0, 0);

  std::vector<unsigned char> cut(good.begin(), good.begin() + 179);
  std::vector<unsigned char> badMarker = good;
  badMarker.back() = 'x'; // "BasicDataEnx"
  for (const auto& damaged : {cut, badMarker}) {
    WriteAll("data/global.opt", damaged);
    auto app = Load();
    EXPECT_EQ(app->GetVolume(), 11);
    EXPECT_EQ(app->GetMusicVolume(), 22);
    EXPECT_FALSE(app->m_bAppDataFresh);
    // The backup is never overwritten from a damaged main file.
    EXPECT_EQ(ReadAll("data/global_backup.opt"), ExpectedFile(11, 22, 0, 0));
  }
}

TEST_F(SettingsTest, NeitherFileReadableGivesDefaults) {
  WriteAll("data/global.opt", {1, 2, 3});
  WriteAll("data/global_backup.opt", {});
  auto app = Load();
  EXPECT_TRUE(app->m_bAppDataFresh);
  EXPECT_EQ(app->GetVolume(), 50);
  EXPECT_TRUE(app->IsSoundOn());
  app->m_pAppData->m_bMuted = 1;
  EXPECT_FALSE(app->IsSoundOn());
  EXPECT_FALSE(app->IsMusicOn());
}

TEST_F(SettingsTest, AMissingFileIsNormalWhileOtherOpenFailuresAreReported) {
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  auto fresh = Load();
  std::string freshErr = ::testing::internal::GetCapturedStderr();
  std::string freshOut = ::testing::internal::GetCapturedStdout();
  EXPECT_TRUE(fresh->m_bAppDataFresh);
  EXPECT_EQ(freshOut + freshErr, "") << "a first start reports its missing settings";

  WriteAll("data/global.opt", {1, 2, 3});
  ::testing::internal::CaptureStderr();
  auto damaged = Load();
  std::string damagedErr = ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(damaged->m_bAppDataFresh);
  EXPECT_EQ(damagedErr, "settings: 'data/global.opt' is damaged and was not used\n");

  std::filesystem::remove_all("data");
  WriteAll("data", {0}); // a file where the directory should be: opening fails with ENOTDIR
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  auto blocked = Load();
  std::string blockedErr = ::testing::internal::GetCapturedStderr();
  std::string blockedOut = ::testing::internal::GetCapturedStdout();
  EXPECT_TRUE(blocked->m_bAppDataFresh);
  EXPECT_EQ(blockedOut, "");
  const std::string reason = strerror(ENOTDIR);
  EXPECT_NE(blockedErr.find("settings: cannot open 'data/global.opt' (" + reason + ")"), std::string::npos)
      << blockedErr;
  EXPECT_NE(blockedErr.find("settings: cannot open 'data/global_backup.opt' (" + reason + ")"),
            std::string::npos)
      << blockedErr;
}

TEST_F(SettingsTest, SaveReportsAFailedDiskWrite) {
  auto app = Load();
  std::filesystem::remove_all("data");
  WriteAll("data", {0}); // a file where the directory should be
  EXPECT_FALSE(app->SaveAppData());
}

TEST(AppDataRawTest, RawBlockRoundTripAndShortFileRestoresSignatures) {
  ScopedTempDir dir;
  std::filesystem::create_directory("data");
  CTestApplication app; // owns the factories and the save directory
  CBasicApplicationData raw;
  raw.SetDefaultApplicationData();
  raw.m_nOrientation = 2;
  raw.m_aValues[31] = 12345;
  ASSERT_TRUE(raw.WriteAppData(&app));
  std::vector<unsigned char> bytes = ReadAll("data/global.opt");
  ASSERT_EQ(bytes.size(), 192u);
  EXPECT_EQ(memcmp(bytes.data(), "APPS", 4), 0);
  EXPECT_EQ(memcmp(bytes.data() + 188, "APPE", 4), 0);
  EXPECT_EQ(bytes[5], 0); // padding is zero

  CBasicApplicationData back;
  ASSERT_TRUE(back.ReadAppData(&app));
  EXPECT_EQ(back.m_nOrientation, 2);
  EXPECT_EQ(back.m_aValues[31], 12345);

  bytes.resize(191);
  WriteAll("data/global.opt", bytes);
  CBasicApplicationData shortRead;
  EXPECT_FALSE(shortRead.ReadAppData(&app));
  EXPECT_EQ(shortRead.m_nStartSignature, Convert4CharToInt("APPS"));
  EXPECT_EQ(shortRead.m_nEndSignature, Convert4CharToInt("APPE"));
}
