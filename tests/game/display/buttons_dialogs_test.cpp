// Buttons, modal dialogs and floating texts: firing on release, the drawing walk, the pool limits,
// the dialogs' layout, dimming and sounds, and the texts' motion and fading.
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "buttons.h"
#include "display.h"
#include "fly_texts.h"
#include "game_globals.h"
#include "game_test_support.h"
#include "help_dialogs.h"
#include "hge_font.h"
#include "progress_files.h"
#include "sound_log.h"
#include "sprite_tables.h"
#include "standin/standin.h"
#include "surface.h"

namespace {

int g_fired[BUTTONS];
template <int N> void Fire() { ++g_fired[N]; }

class ButtonsTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetDrawingState();
    ClearButtons();
    g_pGame = &app;
    sounds = std::make_unique<SoundLog>(app);
    memset(g_fired, 0, sizeof g_fired);
    display = &d;
    picture.reset(FakeSurface(40, 40));
  }
  void TearDown() override {
    ClearButtons();
    display = nullptr;
    sounds.reset();
    g_pGame = nullptr;
  }
  CTestApplication app;
  std::unique_ptr<SoundLog> sounds;
  Display d;
  TriangleCapture capture;
  std::unique_ptr<Surface> picture;
};

TEST_F(ButtonsTest, ReleaseInsideAButtonFiresItWhereverTheFingerWentDown) {
  AddButtonCustom(50, 50, 40, 40, 1, "", picture.get(), picture.get(), Fire<0>);
  AddButtonCustom(150, 50, 40, 40, 1, "", picture.get(), picture.get(), Fire<1>);
  EXPECT_EQ(ButtonsStylus(50, 50, false), 0);
  EXPECT_TRUE(Buttons[0].pressed);
  sounds->Age();
  ButtonsStylus(150, 50, false);
  EXPECT_FALSE(Buttons[0].pressed);
  EXPECT_TRUE(Buttons[1].pressed);
  EXPECT_EQ(ButtonsStylus(150, 50, true), 1);
  EXPECT_EQ(g_fired[0], 0);
  EXPECT_EQ(g_fired[1], 1);
  EXPECT_FALSE(Buttons[1].pressed);
  // Press sound once per press, release sound when firing.
  std::vector<std::pair<int, int>> want = {{47, 0}, {47, 0}, {47, 1}};
  EXPECT_EQ(sounds->Played(), want);
}

TEST_F(ButtonsTest, ReleaseOutsideFiresNothingAndClearsPressed) {
  AddButtonCustom(50, 50, 40, 40, 0, "", picture.get(), picture.get(), Fire<0>);
  ButtonsStylus(50, 50, false);
  EXPECT_EQ(ButtonsStylus(300, 300, true), 0);
  EXPECT_EQ(g_fired[0], 0);
  EXPECT_FALSE(Buttons[0].pressed);
}

TEST_F(ButtonsTest, OnlyOneOfOverlappingButtonsFires) {
  AddButtonCustom(50, 50, 40, 40, 0, "", nullptr, nullptr, Fire<0>);
  AddButtonCustom(55, 55, 40, 40, 0, "", nullptr, nullptr, Fire<1>);
  EXPECT_EQ(ButtonsStylus(55, 55, true), 1);
  EXPECT_EQ(g_fired[0] + g_fired[1], 1);
  EXPECT_EQ(g_fired[0], 1);
}

TEST_F(ButtonsTest, HiddenButtonsFireDisabledOnesDoNot) {
  AddButtonCustom(50, 50, 40, 40, 0, "", picture.get(), picture.get(), Fire<0>);
  AddButtonCustom(150, 50, 40, 40, 0, "", picture.get(), picture.get(), Fire<1>);
  Buttons[0].hidden = 1;
  Buttons[1].disabled = 1;
  EXPECT_EQ(ButtonsStylus(50, 50, true), 1);
  EXPECT_EQ(ButtonsStylus(150, 50, true), 0);
  ButtonsStylusHover(150, 50);
  EXPECT_FALSE(Buttons[1].hover);
  EXPECT_EQ(g_fired[0], 1);
  EXPECT_EQ(g_fired[1], 0);
  DrawButtons();
  // The hidden one is not drawn; the disabled one still is.
  EXPECT_EQ(capture.Blits().size(), 1u);
  EnableButtons();
  EXPECT_EQ(ButtonsStylus(150, 50, true), 1);
}

TEST_F(ButtonsTest, AButtonAboveTheScreenEndsTheDrawingWalk) {
  for (int i = 0; i < 6; ++i)
    AddButtonCustom(40 + 50 * i, 100, 40, 40, 0, "", picture.get(), picture.get(), Fire<0>);
  Buttons[3].y = -250;
  Buttons[3].UpdatePos();
  DrawButtons();
  EXPECT_EQ(capture.Blits().size(), 3u);
  // The buttons behind it still take touches.
  EXPECT_EQ(ButtonsStylus(290, 100, true), 1);
  // A hidden button up there does not end the walk.
  capture.Clear();
  Buttons[3].hidden = 1;
  DrawButtons();
  EXPECT_EQ(capture.Blits().size(), 5u);
}

TEST_F(ButtonsTest, PopInGrowthHoverSwellAndTheDisabledPicture) {
  AddButtonCustom(100, 100, 40, 40, 2, "", picture.get(), picture.get(), nullptr);
  for (int i = 0; i < 30; ++i)
    Buttons[0].Draw();
  EXPECT_FLOAT_EQ(Buttons[0].baseScale, 0.85f);
  Buttons[0].type = 1;
  Buttons[0].pressed = 1;
  for (int i = 0; i < 30; ++i)
    Buttons[0].Draw();
  EXPECT_FLOAT_EQ(Buttons[0].bump, 0.3f);
  EXPECT_FLOAT_EQ(Buttons[0].baseScale, 1.0f);
  capture.Clear();
  Buttons[0].Draw();
  // Drawn centred at (base + bump) x 0.5 of 40 pixels.
  EXPECT_NEAR(capture.Blits()[0].MaxX() - capture.Blits()[0].MinX(), 40 * 1.3 * 0.5, 1e-3);

  std::unique_ptr<Surface> off(FakeSurface(10, 6));
  Buttons[0].disabled = 1;
  Buttons[0].surfaceDisabled = off.get();
  capture.Clear();
  Buttons[0].Draw();
  ASSERT_EQ(capture.Blits().size(), 1u);
  EXPECT_EQ(capture.Blits()[0].MinX(), 100);
  EXPECT_EQ(capture.Blits()[0].MaxX(), 110);
}

TEST_F(ButtonsTest, FullListAddsNothingAndLabelsAreCut) {
  std::string longLabel(100, 'x');
  for (int i = 0; i < BUTTONS; ++i)
    EXPECT_EQ(AddButtonCustom(i, 0, 4, 4, 0, longLabel.c_str(), nullptr, nullptr, nullptr), i);
  EXPECT_EQ(strlen(Buttons[7].label), (size_t)BUTTON_LABEL - 1);
  EXPECT_EQ(AddButtonCustom(0, 0, 4, 4, 0, "late", nullptr, nullptr, Fire<0>), -1);
  AddButton(0, 0, 4, 4, 0, "late", nullptr, nullptr);
  for (const button& b : Buttons)
    EXPECT_NE(std::string(b.label), "late");
}

TEST_F(ButtonsTest, AnchoredTypeTakesItsCornerAsTopLeft) {
  AddButtonCustom(10, 20, 30, 40, 3, "", nullptr, nullptr, Fire<0>);
  EXPECT_EQ(ButtonsStylus(12, 22, true), 1);
  EXPECT_EQ(ButtonsStylus(9, 22, true), 0);
  AddButtonCustom(100, 100, 31, 41, 0, "", nullptr, nullptr, Fire<1>);
  // Integer halves: 15 and 20.
  EXPECT_EQ(Buttons[1].rect.left, 85);
  EXPECT_EQ(Buttons[1].rect.bottom, 120);
}

// --- dialogs ---

class DialogsTest : public ButtonsTest {
protected:
  void SetUp() override {
    ButtonsTest::SetUp();
    KillDialogs();
    g_white = FakeSurface(4, 4);
    MAXX = 480;
    MAXY = 320;
    g_ratio_is_more_1_5 = 0;
    g_guiShiftX = 1.0f;
  }
  void TearDown() override {
    KillDialogs();
    SafeDelete(g_white);
    MAXX = 480;
    g_ratio_is_more_1_5 = 0;
    g_guiShiftX = 1.0f;
    ButtonsTest::TearDown();
  }
};

TEST_F(DialogsTest, BoxIsCentredOnWideScreensAndSoundPlaysOnce) {
  int slot = AddDialogByID(3, nullptr);
  ASSERT_EQ(slot, 0);
  EXPECT_EQ(HelpDialogs[0].x, 65);
  EXPECT_EQ(HelpDialogs[0].y, 35);
  EXPECT_EQ(HelpDialogs[0].buttons[0].y, 195);
  EXPECT_EQ(HelpDialogs[0].buttons[0].x, 240);
  EXPECT_EQ(sounds->Played(), (std::vector<std::pair<int, int>>{{48, 0}}));

  sounds->Age();
  MAXX = 546;
  g_ratio_is_more_1_5 = 1;
  g_guiShiftX = 546.0f / 480;
  ASSERT_EQ(AddDialogByID(1, "3 mushrooms"), 1);
  const helpDialog& d = HelpDialogs[1];
  EXPECT_EQ(d.x, 100);
  EXPECT_EQ(d.buttons[0].x, (int)(280 * (546.0f / 480)));
  EXPECT_EQ(d.buttons[1].x, (int)(190 * (546.0f / 480)));
  EXPECT_STREQ(d.secondText, "3 mushrooms");
  EXPECT_FLOAT_EQ(d.textScale, 0.28f);
  EXPECT_EQ(sounds->Played().size(), 2u);
}

TEST_F(DialogsTest, PoolIdsAndTextsAreBounded) {
  EXPECT_EQ(AddDialogByID(8, nullptr), -1);
  EXPECT_EQ(AddDialogByID(-1, nullptr), -1);
  std::string huge(2000, 'y');
  for (int i = 0; i < HELP_DIALOGS; ++i) {
    sounds->Age();
    EXPECT_EQ(AddDialogByID(i % DIALOG_IDS, huge.c_str()), i);
  }
  EXPECT_EQ(strlen(HelpDialogs[4].secondText), (size_t)DIALOG_TEXT - 1);
  EXPECT_EQ(AddDialogByID(0, nullptr), -1);
  EXPECT_EQ(sounds->Played().size(), (size_t)HELP_DIALOGS);
}

TEST_F(DialogsTest, SomeDialogsLeaveTheScreenUndimmed) {
  for (int id = 0; id < DIALOG_IDS; ++id) {
    KillDialogs();
    ASSERT_EQ(AddDialogByID(id, nullptr), 0);
    ProcessHelpDialogs(1.0f); // fully grown
    capture.Clear();
    DrawHelpDialogs(&d);
    bool dimmed = false;
    for (const CapturedBlit& b : capture.Blits())
      if (b.MinX() == 0 && b.MaxX() == 480 && b.MinY() == 0 && b.MaxY() == 320) {
        const QuellarVertex& v = b.tri[0][0];
        EXPECT_EQ(v.a, 175);
        EXPECT_EQ(v.r, 55);
        EXPECT_EQ(v.b, 255);
        dimmed = true;
      }
    bool expected = !(id == 3 || id == 4 || id == 7);
    EXPECT_EQ(dimmed, expected) << "dialog " << id;
    EXPECT_EQ(lastBlendA, 255);
  }
}

TEST_F(DialogsTest, AnOpenDialogTakesEveryTouchAndItsButtonsAct) {
  ASSERT_EQ(AddDialogByID(2, nullptr), 0);
  EXPECT_EQ(ProcessHelpDialogsStylus(5, 5, true), 1);
  EXPECT_TRUE(HelpDialogs[0].active);
  // The ok button closes it.
  EXPECT_EQ(ProcessHelpDialogsStylus(240, 195, true), 1);
  EXPECT_FALSE(HelpDialogs[0].active);
  EXPECT_EQ(ProcessHelpDialogsStylus(5, 5, true), 0);

  // Dialog 0's yes action is the caller's.
  ASSERT_EQ(AddDialogByID(0, nullptr), 0);
  HelpDialogs[0].buttons[0].action = Fire<5>;
  ProcessHelpDialogsStylus(280, 195, true);
  EXPECT_EQ(g_fired[5], 1);
  EXPECT_TRUE(HelpDialogs[0].active);
  ProcessHelpDialogsStylus(190, 195, true);
  EXPECT_FALSE(HelpDialogs[0].active);
}

TEST_F(DialogsTest, RateAnswerRecordsItSavesTheOptionsAndOpensTheStorePage) {
  PackGame game; // a fresh working directory for "data/options.cfg"
  std::filesystem::create_directories("data");
  standin::Configure(standin::Config{});
  memset(g_ratemeShownOrCompleted, 0, sizeof g_ratemeShownOrCompleted);
  ASSERT_EQ(AddDialogByID(1, nullptr), 0);
  testing::internal::CaptureStdout(); // the headless navigator prints what it opens
  EXPECT_EQ(ProcessHelpDialogsStylus(280, 195, true), 1);
  testing::internal::GetCapturedStdout();
  EXPECT_FALSE(HelpDialogs[0].active);
  EXPECT_EQ(g_ratemeShownOrCompleted[2], 1);
  EXPECT_EQ(g_ratemeShownOrCompleted[0], 0);
  std::ifstream in("data/options.cfg", std::ios::binary);
  Bytes options((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(options.size(), 432u);
  // Word 9 holds the third rate-me flag.
  EXPECT_EQ(options[36], 1);
  EXPECT_EQ(standin::Navigator().invokedUrls, std::vector<std::string>{g_storePageUrl});
  memset(g_ratemeShownOrCompleted, 0, sizeof g_ratemeShownOrCompleted);
}

TEST_F(DialogsTest, AppearGrowsOverATenthOfASecond) {
  AddDialogByID(5, nullptr);
  EXPECT_EQ(ProcessHelpDialogs(0.05f), 1);
  EXPECT_NEAR(HelpDialogs[0].appear, 0.5f, 1e-6);
  ProcessHelpDialogs(0.06f);
  EXPECT_EQ(HelpDialogs[0].appear, 1.0f);
  KillDialogs();
  EXPECT_EQ(ProcessHelpDialogs(0.01f), 0);
}

// --- floating texts ---

class FlyTextsTest : public ButtonsTest {
protected:
  void SetUp() override {
    ButtonsTest::SetUp();
    ClearFlyTexts();
    const char* text = "[HGEFONT]\nChar=\"A\",0,0,10,20,0,0\n";
    font = new hgeFont(nullptr);
    font->LoadFromText(text, (int)strlen(text), "f");
    font->page = FakeSurface(16, 32);
    FontInterface = font;
  }
  void TearDown() override {
    ClearFlyTexts();
    FontInterface = nullptr;
    delete font;
    ButtonsTest::TearDown();
  }
  hgeFont* font = nullptr;
};

TEST_F(FlyTextsTest, TheTwentyFifthTextIsDroppedAndTextsAreCut) {
  std::string long_text(60, 'A');
  for (int i = 0; i < FLY_TEXTS; ++i)
    AddFlyText(i, 0, 0, -120, long_text.c_str(), 0);
  EXPECT_EQ(strlen(FlyText[3].text), (size_t)FLY_TEXT_LENGTH);
  AddFlyText(999, 0, 0, -120, "late", 0);
  for (const flyingtext& t : FlyText)
    EXPECT_NE(t.x, 999);
}

TEST_F(FlyTextsTest, TypeZeroGrowsToAtMostSevenTenthsThenShrinksAndDies) {
  AddFlyText(200, 200, 0, -120, "A", 0);
  flyingtext& t = FlyText[0];
  EXPECT_EQ(t.alpha, 340);
  EXPECT_FLOAT_EQ(t.vy, -80);
  double widest = 0;
  int frames = 0;
  while (t.active && frames < 1000) {
    ProcessFlyTexts(0.016f);
    capture.Clear();
    DrawFlyTexts(&d);
    for (const CapturedBlit& b : capture.Blits())
      widest = std::max(widest, b.MaxX() - b.MinX());
    ++frames;
  }
  EXPECT_NEAR(widest, 10 * 0.7, 1e-4);
  EXPECT_EQ(t.scaleDirection, -1);
  // 340 falls below 32 after about 1.93 s.
  EXPECT_NEAR(frames * 0.016, 1.93, 0.02);
  EXPECT_LT(t.y, 200 - 80 * 1.9);
}

TEST_F(FlyTextsTest, AlphaJustAboveTheLimitDiesInOneFrame) {
  AddFlyText(0, 0, 0, -120, "A", 0);
  FlyText[0].alpha = 33;
  ProcessFlyTexts(0.016f);
  EXPECT_EQ(FlyText[0].active, 0);
}

TEST_F(FlyTextsTest, FadingTextsTintAndTypesWithoutAFontDrawNothing) {
  AddFlyText(100, 100, 0, -120, "A", 0);
  FlyText[0].alpha = 200;
  FlyText[0].scale = 0.5f;
  DrawFlyTexts(&d);
  ASSERT_EQ(capture.Blits().size(), 1u);
  EXPECT_EQ(capture.Blits()[0].tri[0][0].a, 200);
  EXPECT_EQ(lastBlendA, 255);
  ClearFlyTexts();
  capture.Clear();
  for (int type = 1; type <= 4; ++type)
    AddFlyText(100, 100, 0, -120, "A", type);
  DrawFlyTexts(&d);
  ProcessFlyTexts(0.016f);
  EXPECT_TRUE(capture.Blits().empty());
  EXPECT_EQ(FlyText[3].alpha, 1000 - 160 * 0.016f);
}

} // namespace
