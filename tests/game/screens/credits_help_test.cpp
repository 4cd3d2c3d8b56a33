// The credits and the help screen: the lines rising at 70 px a second, appearing 20 px below the
// middle's reach and gone after the last row; the ways back to the main menu; the help screen's
// level frame drawn scaled into the television while the television is not, and its black bands
// on a screen narrower than 3:2; the television, standing still over the moving demo, drawn as one
// picture once it has stood for a while.
#include <map>

#include "credits.h"
#include "help_screen.h"
#include "hge_font.h"
#include "program_run.h"
#include "recordings.h"
#include "screens_fixture.h"
#include "sprite_tables.h"
#include "static_backdrop.h"

namespace {

const std::string kImages = std::string(SPROCKLET_BINARY_DIR) + "/samplepack/images";

// Centres of the FontSTD glyphs drawn below the version line's band at the top.
std::vector<double> LineGlyphYs(const std::vector<CapturedBlit>& blits) {
  std::vector<double> ys;
  for (const CapturedBlit& b : BlitsOf(blits, FontSTD->page))
    if (CentreY(b) > 60) ys.push_back(CentreY(b));
  return ys;
}

using Credits = ScreensTest;

TEST_F(Credits, TheLinesRiseAt70PixelsASecondAndTheFirstShowsAfterAThirdOfASecond) {
  SwitchMode(3);
  ASSERT_EQ(g_currentMode, 3);
  credits& screen = *static_cast<credits*>(GameModes[3]);
  ASSERT_EQ(screen.scrollY, 330);
  ASSERT_NE(creditsBG, nullptr);
  // Frame by frame: row 0 is still at y 308 after 19 frames, where its scale is 0.
  int firstShown = -1;
  for (int frame = 1; frame <= 40 && firstShown < 0; ++frame)
    if (!LineGlyphYs(FrameBlits()).empty()) firstShown = frame;
  EXPECT_EQ(firstShown, 20);
  EXPECT_NEAR(screen.scrollY, 330 - 70 * 0.016 * 20, 0.01);
  EXPECT_NEAR(screen.panelScale, 1.0f, 1e-6) << "grown in after 0.2 s";
  // Two seconds in, row 0 stands at y 190 at its largest scale, 0.4.
  for (int frame = 21; frame < 125; ++frame)
    FrameBlits();
  std::vector<CapturedBlit> blits = FrameBlits();
  EXPECT_NEAR(screen.scrollY, 330 - 140, 0.05);
  std::vector<double> ys = LineGlyphYs(blits);
  ASSERT_FALSE(ys.empty());
  int onRow0 = 0;
  for (double y : ys)
    onRow0 += std::abs(y - 190) < 8 ? 1 : 0;
  EXPECT_GE(onRow0, 20) << "\"TAVENMOOR ENTERTAINMENT PRESENTS\"";
  EXPECT_FLOAT_EQ(CreditsScaleAt(190, 0.4f), 0.4f);
  EXPECT_FLOAT_EQ(CreditsScaleAt(MAXY / 2 + 20, 1.0f), 1.0f) << "largest 20 px below the middle";
  EXPECT_LE(CreditsScaleAt(MAXY / 2 + 20 - 128, 1.0f), 0.0f);
  // After row 81 has passed the top only the background, the panels and the version are left.
  for (int frame = 0; frame < 2400; ++frame)
    FrameBlits();
  blits = FrameBlits();
  EXPECT_TRUE(LineGlyphYs(blits).empty());
  EXPECT_EQ(BlitsOf(blits, creditsBG).size(), 1u);
  EXPECT_EQ(BlitsOf(blits, creditsPanExtra).size(), 1u);
  EXPECT_FALSE(BlitsOf(blits, FontSTD->page).empty()) << "the version";
  EXPECT_EQ(g_currentMode, 3) << "the scroll never ends by itself";
}

TEST_F(Credits, BackOrATapTopRightReturnsToTheMenuAndATapElsewhereDoesNothing) {
  Enter(3);
  Tap(100, MAXY - 70);
  Tap(MAXX - 190, 100);
  EXPECT_EQ(g_currentMode, 3);
  Tap(MAXX - 20, 20);
  EXPECT_EQ(g_currentMode, 0);
  EXPECT_EQ(creditsBG, nullptr) << "freed on leaving";
  EXPECT_EQ(select_bg[0], nullptr);
  Enter(3);
  Tap(MAXX - 170, 150); // the corner of the box
  EXPECT_EQ(g_currentMode, 0);
  Enter(3);
  Back();
  EXPECT_EQ(g_currentMode, 0);
}

// A 480 x 320 display: the level frame maps onto (62.25, 37.5)-(422.25, 277.5).
class Help : public ScreensTest {
protected:
  int Width() const override { return 480; }
};

TEST_F(Help, TheLevelIsDrawnScaledIntoTheTelevisionAndTheTelevisionIsNot) {
  Enter(16);
  EXPECT_EQ(g_levelSelected, 19);
  EXPECT_TRUE(g_playingRecording) << "the demo run drives the hero";
  ASSERT_NE(helpTV, nullptr);
  g_glTranslateX = 7; // kept across the frame
  std::vector<CapturedBlit> blits = FrameBlits();
  EXPECT_EQ(g_glTranslateX, 7);
  EXPECT_EQ(g_glTranslateY, 0);
  EXPECT_EQ(g_glScaleX, 1.0f);
  g_glTranslateX = 0;
  blits = FrameBlits();
  std::vector<CapturedBlit> bg = BlitsOf(blits, g_bgTile[1]);
  ASSERT_EQ(bg.size(), 1u) << "the level's background";
  EXPECT_NEAR(bg[0].MinX(), 62.25, 0.01);
  EXPECT_NEAR(bg[0].MaxX(), 422.25, 0.01);
  EXPECT_NEAR(bg[0].MinY(), 37.5, 0.01);
  EXPECT_NEAR(bg[0].MaxY(), 277.5, 0.01);
  std::vector<size_t> tv = IndicesOf(blits, helpTV);
  ASSERT_EQ(tv.size(), 1u);
  EXPECT_EQ(tv[0], blits.size() - 1) << "drawn over the level";
  EXPECT_NEAR(blits[tv[0]].MinX(), 0, 0.01);
  EXPECT_NEAR(blits[tv[0]].MaxX(), 480, 0.01);
  EXPECT_NEAR(blits[tv[0]].MinY(), 0, 0.01);
  EXPECT_NEAR(blits[tv[0]].MaxY(), 320, 0.01);
}

// On the benchmark's 1024 x 600 display, as the host starts the game on it.
class HelpOnALargeScreen : public ScreensTest {
protected:
  int Width() const override { return 1024; }
  int Height() const override { return 600; }
  void SetUp() override {
    StartGame(true);
    if (!Running()) return;
    ToTheMenu();
    Cycles(10);
  }
};

TEST_F(HelpOnALargeScreen, TheStandingTelevisionBecomesAPictureThatLooksAsDrawnAndBlendsLess) {
  if (!Running()) return;
  // From the first frame: the picture is made after the television has stood a few frames, well
  // before the demo's first turn (whose fill changes less).
  SwitchMode(16);
  ASSERT_EQ(g_currentMode, 16);
  // The top rows: the television's caption over its border, above the window the demo moves in.
  const int first = Height() - 24, count = 24;
  std::vector<uint8_t> drawn, shown;
  double was = 0, is = 0;
  ASSERT_TRUE(UntilPicture(60, first, count, &drawn, &was, &is)) << "the television never became a picture";
  EXPECT_LT(is, was - 0.1) << "its edges are blended only where they let the demo through";
  // Forgotten, it is drawn piece by piece again, then made again: the same look either way.
  Cycles(30);
  FrameBackdrop().Release();
  const double asDrawn = FillAndRows(first, count, &drawn);
  Cycles(20);
  double again = 0;
  for (int f = 0; f < 10; ++f) {
    again = FillAndRows(first, count, &shown);
    EXPECT_LE(MostApart(drawn, shown), kPictureStep) << "frame " << f;
  }
  EXPECT_LT(again, asDrawn - 0.1);
}

TEST_F(Help, ATapAnywhereOrBackReturnsToTheMenu) {
  const int points[][2] = {{2, 2}, {MAXX - 2, MAXY - 2}, {MAXX / 2, MAXY / 2}, {MAXX - 2, 2}};
  for (const auto& p : points) {
    Enter(16);
    Down(p[0], p[1]);
    EXPECT_EQ(g_currentMode, 16) << "the press alone stays";
    Up(p[0], p[1]);
    EXPECT_EQ(g_currentMode, 0) << p[0] << ", " << p[1];
  }
  EXPECT_EQ(helpTV, nullptr);
  Enter(16);
  Back();
  EXPECT_EQ(g_currentMode, 0);
}

// 4:3: a 480 x 360 logical screen, 20 px above and below the picture's band.
class HelpNarrow : public ScreensTest {
protected:
  int Width() const override { return 480; }
  int Height() const override { return 360; }
};

TEST_F(HelpNarrow, TheAreasAboveAndBelowThePictureAreBlack) {
  ASSERT_EQ(MAXY, 360);
  ASSERT_TRUE(g_ratio_is_less_1_5);
  Enter(16);
  // Two black fills over whatever the level drew there, then the picture between them.
  std::vector<CapturedBlit> blits = FrameBlits();
  std::vector<size_t> tv = IndicesOf(blits, helpTV);
  ASSERT_EQ(tv.size(), 1u);
  ASSERT_GE(tv[0], 2u);
  const CapturedBlit& top = blits[tv[0] - 2];
  const CapturedBlit& bottom = blits[tv[0] - 1];
  for (const CapturedBlit* band : {&top, &bottom}) {
    EXPECT_EQ(band->source, g_white->texture->bitmap);
    EXPECT_EQ(band->tri[0][0].r + band->tri[0][0].g + band->tri[0][0].b, 0);
    EXPECT_NEAR(band->MinX(), 0, 0.01);
    EXPECT_NEAR(band->MaxX(), 480, 0.01);
  }
  EXPECT_NEAR(top.MinY(), 0, 0.01);
  EXPECT_NEAR(top.MaxY(), 20, 0.01);
  EXPECT_NEAR(bottom.MinY(), 340, 0.01);
  EXPECT_NEAR(bottom.MaxY(), 360, 0.01);
  EXPECT_NEAR(blits[tv[0]].MinY(), 20, 0.01);
  EXPECT_NEAR(blits[tv[0]].MaxY(), 340, 0.01);
  Cycles(2);
  program_run::Picture art;
  ASSERT_TRUE(program_run::ReadPng(kImages + "/2x_help_tv.png", &art));
  for (int y : {0, 10, 19, 340, 350, 359})
    for (int x : {0, 240, 479}) {
      HeadlessGL::Pixel p = At(x, y);
      EXPECT_LT(p.r + p.g + p.b, 12) << x << ", " << y;
    }
  // Between the bands the picture at half size: screen (x, y) shows its pixel (2x, 2(y - 20)),
  // here on the television's frame around the demo.
  const int points[][2] = {{30, 180}, {450, 180}, {240, 30}, {240, 330}};
  for (const auto& pt : points) {
    const unsigned colour = art.Colour(2 * pt[0], 2 * (pt[1] - 20));
    ASSERT_EQ(art.At(2 * pt[0], 2 * (pt[1] - 20))[3], 255);
    HeadlessGL::Pixel p = At(pt[0], pt[1]);
    EXPECT_NEAR(p.r, (int)(colour >> 16), 8) << pt[0] << ", " << pt[1];
    EXPECT_NEAR(p.g, (int)(colour >> 8 & 255), 4) << pt[0] << ", " << pt[1];
    EXPECT_NEAR(p.b, (int)(colour & 255), 8) << pt[0] << ", " << pt[1];
  }
}

} // namespace
