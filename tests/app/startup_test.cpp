// The application object's start-up chain, its error codes, the resolution rules and paths.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "dib_bitmap.h"
#include "standin/standin.h"
#include "temp_dir.h"
#include "test_application.h"

namespace {

// A test application whose steps can be made to fail one by one.
class StepApp : public CTestApplication {
public:
  bool useDefaultConstants = false;
  bool failAppData = false, failLocalisation = false, failLayout = false, failFonts = false, failQuit = false;
  int verticalBorder = 0;

  bool LoadGlobalConstants(int w, int h) override {
    constantsW = w;
    constantsH = h;
    return useDefaultConstants ? CGameBase::LoadGlobalConstants(w, h) : true;
  }
  bool CreateApplicationData() override {
    return failAppData ? false : CTestApplication::CreateApplicationData();
  }
  bool InitLocalizationManger() override { return !failLocalisation; }
  bool InitUILayout() override { return !failLayout; }
  bool ReLoadFonts() override { return !failFonts; }
  bool LoadWinMobileQuitButton() override { return !failQuit; }
  int GetVerticalBorderWidth() override { return verticalBorder; }
  int constantsW = 0, constantsH = 0;
};

struct StepCase {
  const char* name;
  std::function<void(StepApp&)> arrange;
  int expectedError;
};

class InitStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(InitStepTest, FailsWithItsCode) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  StepApp app;
  app.m_bUsePacks = 0;
  GetParam().arrange(app);
  bool ok = app.Init(480, 320);
  EXPECT_EQ(ok, GetParam().expectedError == 0);
  EXPECT_EQ(app.m_nInitError, GetParam().expectedError);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, InitStepTest,
    ::testing::Values(StepCase{"success", [](StepApp&) {}, 0},
                      StepCase{"defaultGlobalConstants", [](StepApp& a) { a.useDefaultConstants = true; }, 1},
                      StepCase{"settings", [](StepApp& a) { a.failAppData = true; }, 2},
                      StepCase{"doubleBuffer", [](StepApp& a) { a.verticalBorder = 300; }, 3},
                      StepCase{"singlePackMissing", [](StepApp& a) { a.m_bUsePacks = 1; }, 8},
                      StepCase{"commonPackMissing",
                               [](StepApp& a) {
                                 a.m_bUsePacks = 1;
                                 a.m_bSinglePack = 0;
                               },
                               10},
                      StepCase{"localisation", [](StepApp& a) { a.failLocalisation = true; }, 13},
                      StepCase{"layout", [](StepApp& a) { a.failLayout = true; }, 14},
                      StepCase{"fonts", [](StepApp& a) { a.failFonts = true; }, 15},
                      StepCase{"quitButton", [](StepApp& a) { a.failQuit = true; }, 16}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

TEST(InitTest, MissingPackLeavesNoReaderAndSuccessBuildsTheScreen) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  {
    StepApp app;
    EXPECT_FALSE(app.Init(480, 320));
    EXPECT_EQ(app.m_nInitError, 8);
    EXPECT_EQ(app.m_pCommonPack, nullptr);
  }
  StepApp app;
  app.m_bUsePacks = 0;
  ASSERT_TRUE(app.Init(480, 320));
  ASSERT_NE(app.GetDoubleBuffer(), nullptr);
  EXPECT_EQ(app.GetDoubleBuffer()->GetWidth(), 480);
  EXPECT_EQ(app.GetDoubleBuffer()->GetHeight(), 320);
  EXPECT_EQ(app.m_pDrawTarget, app.GetDoubleBuffer());
  EXPECT_NE(app.GetSoundSystem(), nullptr);
  EXPECT_EQ(app.m_nInputOrientation, 0);
  // The save directory exists after start-up, so the first save has somewhere to go.
  EXPECT_TRUE(std::filesystem::is_directory("data"));
  EXPECT_TRUE(app.SaveAppData());
  EXPECT_TRUE(std::filesystem::exists("data/global.opt"));
}

TEST(InitTest, TouchesBeyondTheDoubleBufferAreClamped) {
  ScopedTempDir dir;
  StepApp app;
  app.m_bUsePacks = 0;
  ASSERT_TRUE(app.Init(480, 320));
  struct Probe : CXElement {
    explicit Probe(CXElement* p) : CXElement(p, nullptr) { SetPosition(0, 0, 480, 320); }
    int NotifyPointerEvent(int x, int y, int) override {
      lx = x;
      ly = y;
      return 1;
    }
    int lx = 0, ly = 0;
  } probe(&app);
  app.NotifyPointerEvent(-5, 400, 1);
  EXPECT_EQ(probe.lx, 0);
  EXPECT_EQ(probe.ly, 319);
  app.NotifyPointerEvent(483, 10, 3);
  EXPECT_EQ(probe.lx, 479);
}

TEST(InitTest, InputRotationFollowsSettingsAndPreference) {
  ScopedTempDir dir;
  // A wide screen never rotates input, whatever is allowed.
  StepApp wide;
  wide.m_bUsePacks = 0;
  wide.m_bAllowInputRotation = 1;
  ASSERT_TRUE(wide.Init(480, 320));
  EXPECT_EQ(wide.m_nInputOrientation, 0);

  // Tall and rotatable, fresh settings: the preference wins and global constants get the turned size.
  StepApp tall;
  tall.m_bUsePacks = 0;
  tall.m_bAllowInputRotation = 1;
  tall.m_nPreferredOrientation = 2;
  ASSERT_TRUE(tall.Init(320, 480));
  EXPECT_EQ(tall.m_nInputOrientation, 2);
  EXPECT_EQ(tall.constantsW, 480);
  EXPECT_EQ(tall.constantsH, 320);
}

struct ResolutionCase {
  int a, b;
  int expectW, expectH;
  bool expect2x;
};

class EngineResolutionTest : public ::testing::TestWithParam<ResolutionCase> {};

TEST_P(EngineResolutionTest, LandscapeDefault) {
  const ResolutionCase& c = GetParam();
  StepApp app;
  int w = 0, h = 0;
  ASSERT_TRUE(app.CGameBase::SelectAndroidInGameResolution(c.a, c.b, w, h));
  EXPECT_EQ(w, c.expectW);
  EXPECT_EQ(h, c.expectH);
  EXPECT_EQ(app.m_b2xImages != 0, c.expect2x);
}

INSTANTIATE_TEST_SUITE_P(Screens, EngineResolutionTest,
                         ::testing::Values(ResolutionCase{1280, 720, 480, 270, true},
                                           ResolutionCase{800, 480, 480, 288, true},
                                           ResolutionCase{480, 320, 480, 320, false},
                                           ResolutionCase{720, 1280, 480, 270, true}));

TEST(ResolutionTest, Override2xKeepsImagesSingleAndPortraitUses320Width) {
  StepApp app;
  int w, h;
  app.m_bOverride2x = 1;
  app.m_nOverride2xValue = 5;
  app.CGameBase::SelectAndroidInGameResolution(1280, 720, w, h);
  EXPECT_EQ(app.m_b2xImages, 0);
  app.m_nIPhoneOrientation = 0;
  app.CGameBase::SelectAndroidInGameResolution(480, 800, w, h);
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 533);
  EXPECT_EQ(app.m_b2xImages, 1);
  int zw = -1, zh = -1;
  EXPECT_FALSE(app.CGameBase::SelectAndroidInGameResolution(0, 600, zw, zh)); // no division by 0
}

TEST(ResolutionTest, GameLandscapeRuleWidensTo320High) {
  StepApp app;
  int w, h;
  app.SelectAndroidInGameResolution(1024, 600, w, h);
  EXPECT_EQ(w, 546);
  EXPECT_EQ(h, 320);
  app.SelectAndroidInGameResolution(1024, 768, w, h);
  EXPECT_EQ(w, 480);
  EXPECT_EQ(h, 360);
  EXPECT_EQ(app.m_b2xImages, 0);
}

TEST(ResolutionTest, BestSupportedResolution) {
  StepApp app;
  TResolutionChoice none = app.FindBestSupportedResolutionForScreenSize(1024, 768);
  EXPECT_EQ(none.chosenWidth, 1024);
  EXPECT_EQ(none.scaled, 0);

  app.DeclareSupportedResolution(1024, 600);
  app.DeclareSupportedResolution(800, 600);
  TResolutionChoice c = app.FindBestSupportedResolutionForScreenSize(1024, 768);
  EXPECT_EQ(c.chosenWidth, 1024);
  EXPECT_EQ(c.chosenHeight, 600);
  EXPECT_EQ(c.offsetX, 0);
  EXPECT_EQ(c.offsetY, 84);
  EXPECT_EQ(c.scaled, 0);

  // Same aspect: scaled to the whole screen.
  StepApp aspect;
  aspect.DeclareSupportedResolution(480, 320);
  TResolutionChoice s = aspect.FindBestSupportedResolutionForScreenSize(960, 640);
  EXPECT_EQ(s.chosenWidth, 480);
  EXPECT_EQ(s.renderWidth, 960);
  EXPECT_EQ(s.scaled, 1);

  // Neither: fitted with the smallest gap, centred.
  TResolutionChoice f = aspect.FindBestSupportedResolutionForScreenSize(1000, 600);
  EXPECT_EQ(f.chosenWidth, 480);
  EXPECT_EQ(f.renderWidth, 900);
  EXPECT_EQ(f.renderHeight, 600);
  EXPECT_EQ(f.offsetX, 50);
  EXPECT_EQ(f.scaled, 1);

  EXPECT_EQ(aspect.GetSupportedResolutionProps(5).width, 0);
  EXPECT_EQ(aspect.GetSupportedResolutionProps(-1).width, 0);
}

TEST(PathTest, TwoXImagePath) {
  StepApp app;
  EXPECT_TRUE(app.GetImagePathFor2XImage("images\\a.png").IsEqual("images_2x\\a.png"));
  EXPECT_EQ(app.GetImagePathFor2XImage("sounds\\a.ogg").Length(), 0);
  EXPECT_EQ(app.GetImagePathFor2XImage("images\\").Length(), 0);
}

} // namespace

TEST(RandomTest, HostFixedSeedMakesRandomValuesRepeatable) {
  standin::Config config;
  config.hasSeed = true;
  config.seed = 1234;
  standin::Configure(config);
  int first[5], second[5];
  {
    StepApp app;
    app.InitRandoms();
    for (int& v : first)
      v = app.RandomValue(1000000);
  }
  {
    StepApp app;
    app.InitRandoms();
    for (int& v : second)
      v = app.RandomValue(1000000);
  }
  standin::Configure(standin::Config());
  for (int i = 0; i < 5; i++)
    EXPECT_EQ(first[i], second[i]);
  StepApp app;
  EXPECT_EQ(app.RandomValue(1), 0);
  EXPECT_EQ(app.RandomValue(-4), 0);
}
