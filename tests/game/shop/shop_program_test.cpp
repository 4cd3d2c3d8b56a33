// The shop in the running program, from a root seeded with a balance of 100: reached through the
// main menu's shop button, a shield bought and confirmed is on disk at once; the store's answers to
// a mushroom pack credit and save it, or change nothing; and its screenshot shows the shop's art,
// found by the flat colours of the sample pack's pictures. A failing test keeps its screenshots in
// the build's shop-shots/.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "game_test_support.h"
#include "program_run.h"
#include "progress_files.h"
#include "screen_colours.h"

namespace {

using program_run::Picture;
using program_run::ReadPng;
using program_run::Slurp;
using screen_colours::Colour;
using screen_colours::Fill;
using screen_colours::kImages;
using screen_colours::ShareNear;

// Little-endian words of a progress file.
std::vector<int32_t> Words(const std::string& path) {
  std::string bytes = Slurp(path);
  std::vector<int32_t> words(bytes.size() / 4);
  for (size_t i = 0; i < words.size(); ++i)
    words[i] =
        (int32_t)((unsigned char)bytes[4 * i] | (unsigned char)bytes[4 * i + 1] << 8 |
                  (unsigned char)bytes[4 * i + 2] << 16 | (uint32_t)(unsigned char)bytes[4 * i + 3] << 24);
  return words;
}

// Taps reaching the shop through the main menu: the splash is cut short (menu at frame 158), the
// box button opens its sub-menu, whose first button is the shop's (the switch at frame 192).
// On a wider screen the menu's bar is centred: shift is its offset, scale the display pixels per
// logical one.
std::string ToTheShop(int shift = 0, double scale = 1.0) {
  auto at = [=](int f, int x, int y) {
    return program_run::Tap(f, (int)((x + shift) * scale), (int)(y * scale));
  };
  return program_run::Tap(2, 240, 160) + at(170, 371, 286) + at(190, 371, 226);
}

const int kShopFrame = 192;
// The buy button of a row at the list's rest, and the purchase question's yes, on a 480 x 320 screen.
const int kBuyX = 424;
int RowY(int row) { return 60 + 75 * row; }
const int kYesX = 280, kYesY = 195;
// The 100-mushroom pack's button.
const int kPackX = 480 - 150, kPackY = 320 - 29;

class ShopProgram : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.ok());
    std::filesystem::create_directories(Data());
    // The global record with a balance of 100 mushrooms.
    std::vector<char> global(GLOBAL_FILE_SIZE, 0);
    global[4 * GLOBAL_WORD_MUSHROOMS] = 100;
    std::ofstream(Data() + "/global.cfg", std::ios::binary)
        .write(global.data(), (std::streamsize)global.size());
  }
  void TearDown() override { program_run::KeepShotsOnFailure(dir.path(), "shop"); }
  std::string Data() { return dir.path() + "/root/data"; }
  int Balance() {
    std::vector<int32_t> words = Words(Data() + "/global.cfg");
    return words.size() == GLOBAL_ACHIEVEMENT_WORDS ? words[GLOBAL_WORD_MUSHROOMS] : -1;
  }
  program_run::Run Run(const std::string& journal, const std::string& args,
                       const std::string& display = "480x320") {
    program_run::Run r = program_run::RunHeadless(dir.path(), journal, args, display);
    EXPECT_EQ(r.status, 0) << r.err;
    CheckTheWay(r.out);
    return r;
  }
  // The run went from the loader through the menu to the shop, at its frame.
  void CheckTheWay(const std::string& log) {
    EXPECT_EQ(program_run::ModePath(log), (std::vector<int>{18, 0, 15})) << log;
    for (const program_run::ModeSwitch& m : program_run::ModeSwitches(log)) {
      if (m.to != 15) continue;
      EXPECT_NEAR(m.frame, kShopFrame, 2);
    }
  }
  // Runs the program at its own pace (no --frames, whose end saves everything) until the shot of
  // that frame is written, then kills it, so that the files hold only what the run saved itself.
  bool RunKilledAfterShot(const std::string& journal, int frame, const std::string& shot) {
    std::ofstream(dir.path() + "/journal.txt") << journal;
    const std::string shotPath = dir.path() + "/" + shot;
    pid_t pid = fork();
    if (pid == 0) {
      if (chdir(dir.path().c_str()) != 0) _exit(127);
      int out = open("out.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644),
          err = open("err.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(out, 1);
      dup2(err, 2);
      const std::string root = dir.path() + "/root", shotArg = std::to_string(frame) + ":" + shotPath;
      execl(SPROCKLET_PROGRAM, SPROCKLET_PROGRAM, "--headless", "--display", "480x320", "--root",
            root.c_str(), "--journal", "journal.txt", "--shot", shotArg.c_str(), (char*)nullptr);
      _exit(127);
    }
    if (pid < 0) return false;
    bool shown = false;
    for (int i = 0; i < 1200 && !shown; ++i) {
      usleep(50 * 1000);
      shown = std::filesystem::exists(shotPath);
      if (waitpid(pid, nullptr, WNOHANG) == pid) {
        pid = -1;
        break;
      }
    }
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    std::string log = Slurp(dir.path() + "/out.txt");
    CheckTheWay(log);
    EXPECT_TRUE(shown) << "no " << shot << ": " << Slurp(dir.path() + "/err.txt");
    return shown;
  }
  ScopedTempDir dir;
};

TEST_F(ShopProgram, AShieldBoughtThroughTheMenusShopIsSavedAtOnce) {
  std::string journal =
      ToTheShop() + program_run::Tap(230, kBuyX, RowY(1)) + program_run::Tap(250, kYesX, kYesY);
  // Killed after the shot, so only the purchase can have saved.
  ASSERT_TRUE(RunKilledAfterShot(journal, 270, "bought.png"));
  EXPECT_EQ(Balance(), 95);
  std::vector<int32_t> date = Words(Data() + "/date.cfg");
  ASSERT_EQ(date.size(), (size_t)IMPORTANT_DATA_WORDS);
  EXPECT_EQ(date[35], 1) << "the shields owned";
  EXPECT_EQ(date[36], 0) << "the time slows owned";
}

TEST_F(ShopProgram, TheStoresSuccessForAPackAddsAHundredAndSavesIt) {
  std::string journal =
      ToTheShop() + "200 store purchase success 20\n" + program_run::Tap(230, kPackX, kPackY);
  ASSERT_TRUE(RunKilledAfterShot(journal, 280, "paid.png"));
  EXPECT_EQ(Balance(), 200);
  EXPECT_EQ(Slurp(dir.path() + "/root/store/purchases.txt"), "DUNMARROW_GOOD_SPROCKLET_100MUSHROOMS\n");
}

TEST_F(ShopProgram, ACancelledPackChangesNothing) {
  std::string journal =
      ToTheShop() + "200 store purchase cancel 20\n" + program_run::Tap(230, kPackX, kPackY);
  Run(journal, "--frames 280");
  EXPECT_EQ(Balance(), 100);
  EXPECT_FALSE(std::filesystem::exists(dir.path() + "/root/store/purchases.txt"));
}

TEST_F(ShopProgram, TheScreenshotShowsTheBackgroundPanelsAndItemRows) {
  Run(ToTheShop(), "--frames 232 --shot 230:shop.png");
  Picture shot, background;
  ASSERT_TRUE(ReadPng(dir.path() + "/shop.png", &shot));
  ASSERT_EQ(shot.width, 480);
  ASSERT_TRUE(ReadPng(kImages + "/2x_shop_background.png", &background));
  std::map<std::string, Colour> fills = screen_colours::AtlasFills("shop");
  struct Box {
    const char* sprite; // null: the background picture
    int x0, y0, x1, y1;
    double share; // at least this much of the box shows it
  } boxes[] = {
      {nullptr, 30, 94, 400, 101, 0.5},                   // between rows 0 and 1
      {nullptr, 30, 169, 400, 176, 0.5},                  // between rows 1 and 2
      {"shop_panel_top", 0, 0, 200, 28, 0.5},             // left of the balance
      {"shop_panel_bottom", 140, 262, 290, 318, 0.3},     // between the title and the first pack
      {"shop_button_darkline", 80, 28, 390, 92, 0.25},    // row 0's strip, around its texts
      {"shop_button_darkline", 80, 178, 390, 242, 0.25},  // row 2's
      {"shop_ico_time", 30, 45, 70, 75, 0.3},             // row 0's icon
      {"shop_ico_shield", 30, 120, 70, 150, 0.3},         // row 1's
      {"shop_button_buy_pas", 398, 60, 450, 78, 0.3},     // row 0's buy button, below its price
      {"shop_mushroom_100_pas", 310, 275, 350, 310, 0.3}, // the 100-mushroom pack
  };
  for (const Box& b : boxes) {
    SCOPED_TRACE(b.sprite ? b.sprite : "shop_background");
    Colour fill = b.sprite ? fills[b.sprite] : Fill(background, 0, 0, background.width, background.height);
    ASSERT_NE(fill, 0u);
    EXPECT_GE(ShareNear(shot, fill, b.x0, b.y0, b.x1, b.y1), b.share)
        << std::hex << "fill " << fill << ", box holds mostly " << Fill(shot, b.x0, b.y0, b.x1, b.y1);
  }
}

// A 1024 x 600 display is 546 x 320 logical pixels: the top panel gets a side piece on each side,
// the bottom panel (which stays at the left) two pieces on its right.
TEST_F(ShopProgram, OnAWideScreenSidePiecesLengthenThePanels) {
  const int mx = 546;
  const double scale = 600.0 / 320;
  Run(ToTheShop((mx - 480) / 2, scale), "--frames 232 --shot 230:wide.png", "1024x600");
  Picture shot;
  ASSERT_TRUE(ReadPng(dir.path() + "/wide.png", &shot));
  ASSERT_EQ(shot.width, 1024);
  std::map<std::string, Colour> fills = screen_colours::AtlasFills("shop");
  struct Box {
    const char* sprite;
    int x0, y0, x1, y1; // logical
  } boxes[] = {
      {"shop_panel_top_x5", 0, 0, 30, 28},
      {"shop_panel_top_x5", mx - 30, 0, mx, 28},
      {"shop_panel_top", mx / 2 - 130, 0, mx / 2 - 30, 28},
      {"shop_panel_bottom_x5", 530, 262, mx, 318},
      {"shop_panel_bottom", 140, 262, 290, 318},
      {"shop_button_darkline", mx / 2 - 6 - 150, 28, mx / 2 - 6 + 150, 92},
  };
  for (const Box& b : boxes) {
    SCOPED_TRACE(b.sprite);
    ASSERT_NE(fills[b.sprite], 0u);
    int x0 = (int)(b.x0 * scale), y0 = (int)(b.y0 * scale), x1 = (int)(b.x1 * scale),
        y1 = (int)(b.y1 * scale);
    EXPECT_GE(ShareNear(shot, fills[b.sprite], x0, y0, x1, y1), 0.3)
        << std::hex << "fill " << fills[b.sprite] << ", box holds mostly " << Fill(shot, x0, y0, x1, y1);
  }
}

} // namespace
