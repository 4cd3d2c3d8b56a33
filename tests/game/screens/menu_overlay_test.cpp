// The main menu's bar, buttons and what opens from them stand still over the demo run that keeps
// moving: once they have for a while, they are one picture drawn over the demo. On real headless GL
// the bar and the buttons on it look as they did drawn piece by piece, and the frame blends a good
// part of a screen less; a sub-menu that opens is drawn as it is, then becomes a picture of its own.
// Under the options panel they go into the panel's picture instead, darkened with the rest.
#include <algorithm>
#include <cstdlib>

#include "screens_fixture.h"

namespace {

class MenuOverlay : public ScreensTest {
protected:
  // One frame's blended fill and the bottom rows of what it left on the screen.
  double Frame(std::vector<uint8_t>* bottom) { return FillAndRows(0, kRows, bottom); }
  bool UntilPicture(int limit, std::vector<uint8_t>* before, double* was, double* is) {
    return ScreensTest::UntilPicture(limit, 0, kRows, before, was, is);
  }
  // The bar at the very bottom lies over nothing of the demo.
  static constexpr int kRows = 10;
};

TEST_F(MenuOverlay, TheStandingBarAndButtonsBecomeOnePictureThatLooksTheSame) {
  if (!Running()) return;
  std::vector<uint8_t> drawn, shown;
  double was = 0, is = 0;
  ASSERT_TRUE(UntilPicture(120, &drawn, &was, &is)) << "the bar and buttons never became a picture";
  EXPECT_LT(is, was - 0.1) << "the bar and the buttons are no longer blended";
  for (int f = 0; f < 30; ++f) {
    Frame(&shown);
    EXPECT_LE(MostApart(drawn, shown), kPictureStep) << "frame " << f;
  }

  // A sub-menu opens (the extras): drawn as it moves, then a picture again.
  mainMenu* menu = static_cast<mainMenu*>(GameModes[0]);
  menu->ActivateSubmenu(3);
  ASSERT_TRUE(menu->AnySubmenuOpen());
  std::vector<uint8_t> opened;
  double openWas = 0, openIs = 0;
  ASSERT_TRUE(UntilPicture(120, &opened, &openWas, &openIs)) << "the open sub-menu never became a picture";
  EXPECT_GT(openWas, was) << "the open sub-menu is drawn as it is until then";
  Frame(&shown);
  EXPECT_LE(MostApart(opened, shown), kPictureStep);
}

TEST_F(MenuOverlay, UnderTheOptionsPanelTheBarIsDarkenedInThePanelsPictureAsDrawn) {
  if (!Running()) return;
  std::vector<uint8_t> menu, drawn, shown;
  double was = 0, is = 0;
  ASSERT_TRUE(UntilPicture(120, &menu, &was, &is));
  SwitchMode(2);
  ASSERT_EQ(g_currentMode, 2);
  Cycles(10); // the panel comes in
  ASSERT_TRUE(UntilPicture(120, &drawn, &was, &is)) << "the panel never became a picture";
  EXPECT_LT(is, was - 0.1) << "the darkening and the panel are no longer blended";
  for (int f = 0; f < 30; ++f) {
    Frame(&shown);
    EXPECT_LE(MostApart(drawn, shown), kPictureStep) << "frame " << f;
  }
  // Darkened: the bar is far from how the menu shows it.
  EXPECT_GT(MostApart(menu, shown), 60);
}

} // namespace
