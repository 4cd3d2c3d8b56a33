// The shop through the real application object on a headless screen with the sample pack: its
// table and sprites, the sold-out rules, what each purchase gives, the buy buttons with the purchase
// question, drags, the list's range, the pack buttons and the way back. What a frame shows is read
// from the blits it sends, compared with the same sprite or text drawn alone.
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "atlas.h"
#include "buttons.h"
#include "display.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_test_support.h"
#include "gameplay_window.h"
#include "geometry.h"
#include "help_dialogs.h"
#include "hge_font.h"
#include "inapp_purchase.h"
#include "main_menu.h"
#include "progress_files.h"
#include "running_game.h"
#include "shop.h"
#include "sprite_tables.h"
#include "surface.h"
#include "the_game.h"

namespace {

// The progress tables as the program starts, put back before each test.
struct Tables {
  s32 levels[LEVEL_RECORDS][LEVEL_RECORD_WORDS];
  s32 global[GLOBAL_ACHIEVEMENT_WORDS];
  int characters[15], worlds[WORLDS], items[20];
  void Capture() {
    memcpy(levels, g_levelAchievements, sizeof levels);
    memcpy(global, g_globalAchievements, sizeof global);
    memcpy(characters, g_charactersUnlocked, sizeof characters);
    memcpy(worlds, g_worldsUnlocked, sizeof worlds);
    memcpy(items, g_superItemsUnlocked, sizeof items);
  }
  void Restore() const {
    memcpy(g_levelAchievements, levels, sizeof levels);
    memcpy(g_globalAchievements, global, sizeof global);
    memcpy(g_charactersUnlocked, characters, sizeof characters);
    memcpy(g_worldsUnlocked, worlds, sizeof worlds);
    memcpy(g_superItemsUnlocked, items, sizeof items);
  }
};
const Tables& StartTables() {
  static Tables* tables = [] {
    Tables* t = new Tables();
    t->Capture();
    return t;
  }();
  return *tables;
}

// One blit as the screen gets it: its source picture, where it lands and what part it takes.
struct Quad {
  IDibBitmap* source;
  int x[4], y[4], u[4], v[4];
  bool operator==(const Quad& o) const {
    return source == o.source && !memcmp(x, o.x, sizeof x) && !memcmp(y, o.y, sizeof y) &&
           !memcmp(u, o.u, sizeof u) && !memcmp(v, o.v, sizeof v);
  }
  double CentreX() const { return (x[0] + x[2]) / 2.0 / 65536; }
  double CentreY() const { return (y[0] + y[2]) / 2.0 / 65536; }
  bool SamePart(const Quad& o) const {
    return source == o.source && !memcmp(u, o.u, sizeof u) && !memcmp(v, o.v, sizeof v);
  }
};

std::vector<Quad> Captured(const std::function<void()>& draw) {
  TriangleCapture capture;
  draw();
  std::vector<Quad> out;
  for (const CapturedBlit& b : capture.Blits()) {
    Quad q{b.source, {}, {}, {}, {}};
    for (int i = 0; i < 4; ++i) {
      q.x[i] = b.Corner(i).x;
      q.y[i] = b.Corner(i).y;
      q.u[i] = b.Corner(i).u;
      q.v[i] = b.Corner(i).v;
    }
    out.push_back(q);
  }
  return out;
}

class Shop : public RunningGameTest {
protected:
  void SetUp() override {
    StartTables();
    StartGame();
    if (!Running()) return;
    StartTables().Restore();
    ToTheMenu();
  }
  void TearDown() override {
    g_finalRelease = 1;
    StopGame();
    StartTables().Restore();
  }
  // From the main menu into the shop, past its cross-fade.
  void EnterShop() {
    SwitchMode(15);
    ASSERT_EQ(g_currentMode, 15);
    Cycles(20);
  }
  shop* Mode() { return static_cast<shop*>(GameModes[15]); }
  s32& Balance() { return g_globalAchievements[GLOBAL_WORD_MUSHROOMS]; }
  // Scrolls the list as far as it goes towards the row's resting at the first row's place, and
  // lets it settle there.
  void ShowRowAtTop(int row) {
    Mode()->listOffset = std::max(30.0f - 75 * row, -1080.0f);
    Cycles(1);
  }
  int BuyX() { return MAXX / 2 - 6 + 190; }
  void TapBuy(int row) { Tap(BuyX(), Mode()->lastY[row]); }
  // The open dialogs' texts.
  std::vector<std::string> Dialogs() {
    std::vector<std::string> out;
    for (const helpDialog& d : HelpDialogs)
      if (d.active) out.push_back(d.text);
    return out;
  }
  const helpDialog* OpenDialog() {
    for (const helpDialog& d : HelpDialogs)
      if (d.active) return &d;
    return nullptr;
  }
  void TapYes() {
    const helpDialog* d = OpenDialog();
    ASSERT_NE(d, nullptr);
    Cycles(10); // the question unrolls
    Tap(d->buttons[0].x, d->buttons[0].y);
  }
  // The blits of one whole game cycle.
  std::vector<Quad> Frame() {
    return Captured([this] { game->RunGameCycle(); });
  }
  // Whether the frame holds the sprite drawn centred at (x, y), at any scale.
  static bool Shows(const std::vector<Quad>& frame, Surface* s, float x, float y) {
    std::vector<Quad> alone = Captured([&] { display->BlitScaled(x, y, 0.5f, 0.5f, s); });
    if (alone.size() != 1) return false;
    for (const Quad& q : frame)
      if (q.SamePart(alone[0]) && std::abs(q.CentreX() - x) < 1 && std::abs(q.CentreY() - y) < 1) return true;
    return false;
  }
  // Whether the frame holds the owned count text, drawn as the row's count is.
  static bool ShowsText(const std::vector<Quad>& frame, const char* text, float x, float y) {
    std::vector<Quad> alone = Captured([&] {
      FontSTD->SetScale(0.26f);
      FontSTD->Render(x, y, 2, text, ColorRGB(0, 0, 0));
    });
    if (alone.empty()) return false;
    for (size_t i = 0; i + alone.size() <= frame.size(); ++i)
      if (std::equal(alone.begin(), alone.end(), frame.begin() + i)) return true;
    return false;
  }
  // Words of a saved progress file, as on disk now.
  std::vector<int32_t> SavedWords(const char* name) {
    char path[300];
    EXPECT_TRUE(GetFileFromDocuments(name, path));
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int32_t> words(bytes.size() / 4);
    memcpy(words.data(), bytes.data(), words.size() * 4);
    return words;
  }
};

const char* const kQuestion = "  Are you sure you want\n       to buy this item?";
const char* const kNotEnough = " Sorry, you don't have\n  enough mushrooms.";

struct Item {
  const char* name;
  int price;
  const char* icon;
};
const Item kItems[SHOP_ROWS] = {
    {"Slow Motion", 3, "shop_ico_time"},
    {"Shield", 5, "shop_ico_shield"},
    {"Slow Motion x5", 10, "shop_ico_time"},
    {"Shield x5", 15, "shop_ico_shield"},
    {"Shroom Magnet", 40, "shop_ico_magnet"},
    {"Super Unlock", 100, "shop_ico_openworlds"},
    {"Demon", 20, "shop_ico_hero_demon"},
    {"Mr. Jario", 30, "shop_ico_hero_jario"},
    {"Slicker", 40, "shop_ico_hero_slicker"},
    {"Superstar", 50, "shop_ico_hero_star"},
    {"Stickman", 80, "shop_ico_hero_stickman"},
    {"Zombie Boy", 150, "shop_ico_hero_zombie"},
    {"Unlock Bonus World 1", 30, "shop_ico_bonusworld_1"},
    {"Unlock Bonus World 2", 30, "shop_ico_bonusworld_2"},
    {"Unlock Bonus World 3", 30, "shop_ico_bonusworld_3"},
    {"Unlock Bonus World 4", 30, "shop_ico_bonusworld_4"},
    {"Unlock Bonus World 5", 30, "shop_ico_bonusworld_5"},
    {"Unlock Bonus World 6", 30, "shop_ico_bonusworld_6"},
};

TEST_F(Shop, TheTableHoldsItsEighteenItemsWithTheirIconsAndTheSpritesGoWithTheShop) {
  EnterShop();
  ASSERT_NE(shopAtlas, nullptr);
  for (int row = 0; row < SHOP_ITEMS; ++row) {
    SCOPED_TRACE("row " + std::to_string(row));
    const shopItem& item = ShopItems[row];
    if (row >= SHOP_ROWS) {
      EXPECT_EQ(item.used, 0);
      continue;
    }
    EXPECT_EQ(item.used, 1);
    EXPECT_EQ(item.id, row);
    EXPECT_STREQ(item.name, kItems[row].name);
    EXPECT_EQ(item.price, kItems[row].price);
    EXPECT_EQ(item.soldOut, 0) << "nothing is owned yet";
    // The icon slot holds the entry of that name.
    ASSERT_GE(item.icon, 0);
    ASSERT_LT(item.icon, 26);
    Surface* icon = shopItems[item.icon];
    SurfaceInfo* entry = shopAtlas->getSurfaceInfo(kItems[row].icon);
    ASSERT_NE(icon, nullptr);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(icon->texture, entry->page);
    EXPECT_EQ(icon->atlasX, entry->atlasX);
    EXPECT_EQ(icon->atlasY, entry->atlasY);
  }
  EXPECT_STREQ(ShopItems[3].description, "\nA cheaper pack of Shields.");
  EXPECT_STREQ(ShopItems[10].description,
               "Stickman possesses a device which allows him to Teleport at a short distance. ");

  std::vector<Surface*> loaded = {shopBG, shopLine};
  for (Surface* s : shopPanel)
    loaded.push_back(s);
  for (Surface* s : shopBuy)
    loaded.push_back(s);
  for (Surface* s : shopBuyShrooms)
    loaded.push_back(s);
  for (int slot : {0, 1, 4, 5, 6, 7, 8, 9, 12, 13, 14, 15, 16, 17, 18, 23, 24, 25})
    loaded.push_back(shopItems[slot]);
  for (Surface* s : loaded) {
    ASSERT_NE(s, nullptr);
    EXPECT_NE(s->texture, nullptr) << "a sprite without its art";
  }
  for (int slot : {2, 3, 10, 11, 19, 20, 21, 22})
    EXPECT_EQ(shopItems[slot], nullptr) << slot;

  SwitchMode(0);
  EXPECT_EQ(shopAtlas, nullptr);
  EXPECT_EQ(shopBG, nullptr);
  EXPECT_EQ(shopLine, nullptr);
  for (Surface* s : shopPanel)
    EXPECT_EQ(s, nullptr);
  for (Surface* s : shopBuy)
    EXPECT_EQ(s, nullptr);
  for (Surface* s : shopBuyShrooms)
    EXPECT_EQ(s, nullptr);
  for (Surface* s : shopItems)
    EXPECT_EQ(s, nullptr);
  // Its cross-fade draws the shop once more without its sprites.
  Cycles(20);
}

struct SoldOutCase {
  const char* what;
  int id;
  std::function<void()> own;
  bool soldOut;
};

TEST_F(Shop, EachRowIsSoldOutExactlyWhenItsUnlockIsOwned) {
  const SoldOutCase cases[] = {
      {"powerups stay buyable with every unlock owned", 0,
       [] {
         for (int& w : g_worldsUnlocked)
           w = 1;
         g_superItemsUnlocked[0] = g_superItemsUnlocked[1] = g_superItemsUnlocked[2] = 99;
       },
       false},
      {"shield x5 too", 3, [] { g_superItemsUnlocked[0] = 99; }, false},
      {"the magnet owned", 4, [] { g_superItemsUnlocked[2] = 1; }, true},
      {"every basic level opened", 5,
       [] {
         for (int level = 0; level < 150; ++level)
           g_levelAchievements[level][LEVEL_WORD_OPENED] = 1;
       },
       true},
      {"one basic level still closed", 5,
       [] {
         for (int level = 0; level < 150; ++level)
           g_levelAchievements[level][LEVEL_WORD_OPENED] = level != 149;
       },
       false},
      {"levels past the basic worlds do not count", 5,
       [] {
         for (int level = 0; level < 150; ++level)
           g_levelAchievements[level][LEVEL_WORD_OPENED] = 1;
         g_levelAchievements[150][LEVEL_WORD_OPENED] = 0;
       },
       true},
      {"Demon unlocked", 6, [] { g_charactersUnlocked[1] = 1; }, true},
      {"Superstar unlocked", 9, [] { g_charactersUnlocked[4] = 1; }, true},
      {"Zombie Boy unlocked", 11, [] { g_charactersUnlocked[6] = 1; }, true},
      {"Zombie Boy's row ignores Demon", 11, [] { g_charactersUnlocked[1] = 1; }, false},
      {"bonus world 1 unlocked", 12, [] { g_worldsUnlocked[10] = 1; }, true},
      {"bonus world 6 unlocked", 17, [] { g_worldsUnlocked[15] = 1; }, true},
      {"bonus world 6's row ignores world 5", 17, [] { g_worldsUnlocked[14] = 1; }, false},
  };
  for (const SoldOutCase& c : cases) {
    SCOPED_TRACE(c.what);
    StartTables().Restore();
    c.own();
    EnterShop();
    EXPECT_EQ(ShopItems[c.id].soldOut, c.soldOut ? 1 : 0);
    SwitchMode(0);
  }
  // For the unlocks the rule only ever sets the flag.
  g_charactersUnlocked[1] = 1;
  EnterShop();
  g_charactersUnlocked[1] = 0;
  ShopItems[6].CheckSoldOut();
  EXPECT_EQ(ShopItems[6].soldOut, 1);
}

struct PurchaseCase {
  int id;
  std::function<bool()> given;
};

TEST_F(Shop, EachPurchaseTakesItsPriceAndGivesItsItem) {
  const PurchaseCase cases[] = {
      {0, [] { return g_superItemsUnlocked[1] == 1 && g_superItemsUnlocked[0] == 0; }},
      {1, [] { return g_superItemsUnlocked[0] == 1 && g_superItemsUnlocked[1] == 0; }},
      {2, [] { return g_superItemsUnlocked[1] == 5; }},
      {3, [] { return g_superItemsUnlocked[0] == 5; }},
      {4, [] { return g_superItemsUnlocked[2] == 1; }},
      {5,
       [] {
         for (int level = 0; level < 150; ++level)
           if (g_levelAchievements[level][LEVEL_WORD_OPENED] != 1) return false;
         return g_worldsUnlocked[2] == 1 && g_worldsUnlocked[3] == 1 && g_levelAchievements[150][46] == 0;
       }},
      {6, [] { return g_charactersUnlocked[1] == 1 && g_charactersUnlocked[2] == 0; }},
      {7, [] { return g_charactersUnlocked[2] == 1; }},
      {8, [] { return g_charactersUnlocked[3] == 1; }},
      {9, [] { return g_charactersUnlocked[4] == 1; }},
      {10, [] { return g_charactersUnlocked[5] == 1; }},
      {11, [] { return g_charactersUnlocked[6] == 1 && g_charactersUnlocked[7] == 0; }},
      {12, [] { return g_worldsUnlocked[10] == 1 && g_worldsUnlocked[11] == 0; }},
      {13, [] { return g_worldsUnlocked[11] == 1; }},
      {14, [] { return g_worldsUnlocked[12] == 1; }},
      {15, [] { return g_worldsUnlocked[13] == 1; }},
      {16, [] { return g_worldsUnlocked[14] == 1; }},
      {17, [] { return g_worldsUnlocked[15] == 1 && g_worldsUnlocked[16] == 0; }},
  };
  EnterShop();
  for (const PurchaseCase& c : cases) {
    SCOPED_TRACE("id " + std::to_string(c.id));
    StartTables().Restore();
    Balance() = 1000;
    ShopItems[c.id].Purchase();
    EXPECT_EQ(Balance(), 1000 - kItems[c.id].price);
    EXPECT_TRUE(c.given());
  }
  // More than the balance leaves it at 0.
  Balance() = 2;
  ShopItems[11].Purchase();
  EXPECT_EQ(Balance(), 0);
}

TEST_F(Shop, AConfirmedShieldTakesFiveShowsOneOwnedAndIsSavedAtOnce) {
  Balance() = 100;
  EnterShop();
  const int x = MAXX / 2 - 6, y = Mode()->lastY[1];
  EXPECT_TRUE(ShowsText(Frame(), "0x", x - 170, y - 19));
  TapBuy(1);
  EXPECT_EQ(Dialogs(), std::vector<std::string>{kQuestion});
  EXPECT_EQ(Mode()->marked[1], 1);
  EXPECT_EQ(Balance(), 100) << "nothing is bought before the answer";
  TapYes();
  EXPECT_TRUE(Dialogs().empty());
  EXPECT_EQ(Mode()->marked[1], 0);
  EXPECT_EQ(Balance(), 95);
  EXPECT_EQ(GlobalData.GetShields(), 1);
  std::vector<int32_t> global = SavedWords("global.cfg"), date = SavedWords("date.cfg");
  ASSERT_EQ(global.size(), (size_t)GLOBAL_ACHIEVEMENT_WORDS);
  ASSERT_EQ(date.size(), (size_t)IMPORTANT_DATA_WORDS);
  EXPECT_EQ(global[GLOBAL_WORD_MUSHROOMS], 95);
  EXPECT_EQ(date[35], 1);
  std::vector<Quad> frame = Frame();
  EXPECT_TRUE(ShowsText(frame, "1x", x - 170, y - 19));
  EXPECT_FALSE(ShowsText(frame, "0x", x - 170, y - 19));
  EXPECT_EQ(ShopItems[1].soldOut, 0) << "stock can always be bought again";
}

TEST_F(Shop, NoLeavesTheBalanceAndTheNextTouchClearsTheMark) {
  Balance() = 100;
  EnterShop();
  TapBuy(0);
  const helpDialog* d = OpenDialog();
  ASSERT_NE(d, nullptr);
  Cycles(10);
  Tap(d->buttons[1].x, d->buttons[1].y);
  EXPECT_TRUE(Dialogs().empty());
  EXPECT_EQ(Balance(), 100);
  EXPECT_EQ(GlobalData.GetTimeSlows(), 0);
  EXPECT_EQ(Mode()->marked[0], 1) << "the row keeps its enlarged button";
  Cycles(20);
  EXPECT_NEAR(Mode()->buttonScale[0], 1.3f, 1e-4);
  Down(100, 100);
  EXPECT_EQ(Mode()->marked[0], 0);
  Up(100, 100);
  EXPECT_TRUE(Dialogs().empty()) << "a touch beside the buy buttons does nothing";
}

struct BalanceCase {
  int row, balance;
  const char* dialog;
};

TEST_F(Shop, ABalanceEqualToThePriceAsksAndOneBelowSaysNotEnough) {
  const BalanceCase cases[] = {
      {1, 5, kQuestion}, {1, 4, kNotEnough}, {0, 3, kQuestion}, {0, 0, kNotEnough}, {4, 39, kNotEnough},
  };
  for (const BalanceCase& c : cases) {
    SCOPED_TRACE("row " + std::to_string(c.row) + " balance " + std::to_string(c.balance));
    Balance() = c.balance;
    EnterShop();
    ShowRowAtTop(c.row);
    TapBuy(c.row);
    EXPECT_EQ(Dialogs(), std::vector<std::string>{c.dialog});
    if (c.dialog == kNotEnough) {
      Cycles(10);
      Tap(OpenDialog()->buttons[0].x, OpenDialog()->buttons[0].y); // its one button
      EXPECT_TRUE(Dialogs().empty());
      EXPECT_EQ(Balance(), c.balance);
    }
    KillDialogs();
    SwitchMode(0);
  }
}

TEST_F(Shop, ADragOfSixMovesNeitherAsksNorFiresAButton) {
  Balance() = 100;
  EnterShop();
  const int y = Mode()->lastY[1];
  for (int moves : {5, 6, 9}) {
    SCOPED_TRACE(std::to_string(moves) + " moves");
    // Sideways, so that the list stays where it is.
    Down(BuyX(), y);
    for (int i = 1; i <= moves; ++i)
      Move(BuyX() + (i % 2), y);
    Up(BuyX(), y);
    EXPECT_EQ(Dialogs().size(), moves < 6 ? 1u : 0u);
    KillDialogs();
  }
  EXPECT_EQ(Balance(), 100);
  // The back button keeps the shop after a drag and leaves it after a tap.
  const button& back = Buttons[0];
  Down(back.x, back.y);
  for (int i = 1; i <= 6; ++i)
    Move(back.x + (i % 2), back.y);
  Up(back.x, back.y);
  EXPECT_EQ(g_currentMode, 15);
  EXPECT_EQ(back.pressed, 0);
  Tap(back.x, back.y);
  EXPECT_EQ(g_currentMode, 0);
}

TEST_F(Shop, OnlyTheBuyButtonOfARowInSightIsLive) {
  Balance() = 1000;
  EnterShop();
  // Row 0 rests at y 60: its button's box is x from MAXX - 100, y 25 to 95.
  struct Touch {
    int x, y;
    bool asks;
  } touches[] = {{MAXX - 100, 25, true},
                 {MAXX - 1, 94, true},
                 {MAXX - 101, 60, false},
                 {MAXX - 50, 24, false},
                 // Above the first row: the rows below the screen, never drawn yet, are not there.
                 {MAXX - 50, 10, false},
                 // On the bottom panel.
                 {MAXX - 50, MAXY - 70, false}};
  for (const Touch& t : touches) {
    SCOPED_TRACE(std::to_string(t.x) + ", " + std::to_string(t.y));
    Tap(t.x, t.y);
    EXPECT_EQ(Dialogs().size(), t.asks ? 1u : 0u);
    KillDialogs();
  }
  // Scrolled away, row 0 is out of sight and its old place is dead.
  ShowRowAtTop(6);
  Tap(BuyX(), 60);
  ASSERT_EQ(Dialogs().size(), 1u);
  KillDialogs();
  EXPECT_EQ(Mode()->marked[6], 1);
  EXPECT_EQ(Mode()->marked[0], 0);
}

TEST_F(Shop, BoughtUnlocksShowTheSoldMarkAtOnce) {
  for (int row : {4, 5, 6, 17}) {
    SCOPED_TRACE("row " + std::to_string(row));
    StartTables().Restore();
    Balance() = 100;
    EnterShop();
    ShowRowAtTop(row);
    const int x = MAXX / 2 - 6, y = Mode()->lastY[row];
    ASSERT_LT(y, MAXY - 70);
    std::vector<Quad> before = Frame();
    EXPECT_TRUE(Shows(before, shopItems[ShopItems[row].icon], x - 185, y));
    EXPECT_FALSE(Shows(before, shopItems[23], x + 190, y));
    TapBuy(row);
    TapYes();
    EXPECT_EQ(Balance(), 100 - kItems[row].price);
    EXPECT_EQ(ShopItems[row].soldOut, 1);
    std::vector<Quad> after = Frame();
    EXPECT_TRUE(Shows(after, shopItems[24], x - 185, y)) << "the owned mark for the icon";
    EXPECT_TRUE(Shows(after, shopItems[23], x + 190, y)) << "the sold mark for the buy button";
    EXPECT_FALSE(Shows(after, shopBuy[0], x + 190, y));
    EXPECT_FALSE(Shows(after, shopBuy[1], x + 190, y));
    TapBuy(row);
    EXPECT_TRUE(Dialogs().empty()) << "a sold row is not for sale";
    SwitchMode(0);
  }
}

struct FlickCase {
  const char* what;
  float start;
  int step;      // pixels a move, five moves a frame apart
  int overshoot; // past the top (1), past the end (-1) or neither (0) on its way
};

TEST_F(Shop, TheListComesToRestInsideItsRangeAfterAnyFlick) {
  EnterShop();
  EXPECT_EQ(Mode()->listOffset, 30.0f);
  const FlickCase cases[] = {
      {"down from the top: past it and back", 30, 8, 1},
      {"up from the top: gliding on", 30, -8, 0},
      {"up from the end: past it and back", -1080, -8, -1},
      {"a slow drag", -500, 2, 0},
  };
  for (const FlickCase& c : cases) {
    SCOPED_TRACE(c.what);
    Mode()->listOffset = c.start;
    Mode()->scroller.velocity = 0;
    int y = 160;
    Down(200, y);
    for (int i = 0; i < 5; ++i) {
      y += c.step;
      Move(200, y);
      Cycles(1);
    }
    Up(200, y);
    float lowest = Mode()->listOffset, highest = lowest;
    for (int i = 0; i < 900; ++i) {
      Cycles(1);
      lowest = std::min(lowest, Mode()->listOffset);
      highest = std::max(highest, Mode()->listOffset);
    }
    const float offset = Mode()->listOffset;
    EXPECT_GE(offset, -1080.0f);
    EXPECT_LE(offset, 30.0f);
    EXPECT_EQ(highest > 30.0f, c.overshoot == 1) << highest;
    EXPECT_EQ(lowest < -1080.0f, c.overshoot == -1) << lowest;
    if (c.overshoot == 0) {
      EXPECT_GT(std::abs(offset - c.start), 5 * std::abs(c.step)) << "it glides on after the release";
    }
    // Resting: another second moves it less than a pixel.
    Cycles(60);
    EXPECT_NEAR(Mode()->listOffset, offset, 1.0f);
  }
  // Dragged far past the end in strokes, it comes back once let go.
  for (int stroke = 0; stroke < 6; ++stroke) {
    Down(200, 300);
    Move(200, 0);
    if (stroke < 5) Up(200, 0);
  }
  EXPECT_LT(Mode()->listOffset, -1080.0f - 300);
  Up(200, 0);
  Cycles(900);
  EXPECT_GE(Mode()->listOffset, -1080.0f);
  EXPECT_LE(Mode()->listOffset, 30.0f);
}

TEST_F(Shop, PackButtonsAskTheStoreInAReleaseBuildAndAreAbsentOtherwise) {
  ASSERT_EQ(g_finalRelease, 1);
  Balance() = 7;
  EnterShop();
  struct Pack {
    int x;
    Surface* normal;
    Surface* pressed;
    const char* sku;
  } packs[] = {
      {MAXX - 250, shopBuyShrooms[0], shopBuyShrooms[1], "DUNMARROW_GOOD_SPROCKLET_40MUSHROOMS"},
      {MAXX - 150, shopBuyShrooms[2], shopBuyShrooms[3], "DUNMARROW_GOOD_SPROCKLET_100MUSHROOMS"},
      {MAXX - 50, shopBuyShrooms[4], shopBuyShrooms[5], "DUNMARROW_GOOD_SPROCKLET_800MUSHROOMS"},
  };
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(packs[i].sku);
    const button& b = Buttons[1 + i];
    ASSERT_EQ(b.active, 1);
    EXPECT_EQ(b.x, packs[i].x);
    EXPECT_EQ(b.y, MAXY - 29);
    EXPECT_EQ(b.surface, packs[i].normal);
    EXPECT_EQ(b.surfacePressed, packs[i].pressed);
    int before = g_requests.GetSize();
    Tap(b.x, b.y);
    ASSERT_EQ(g_requests.GetSize(), before + 1) << "the store is asked";
    EXPECT_STREQ(g_requests.GetAt(before).sku, packs[i].sku);
    EXPECT_EQ(Balance(), 7) << "nothing is credited before the store answers";
    EXPECT_EQ(g_currentMode, 15);
  }
  EXPECT_EQ(Buttons[0].action, ShopGoBack);
  SwitchMode(0);
  g_finalRelease = 0;
  EnterShop();
  int live = 0;
  for (const button& b : Buttons)
    live += b.active ? 1 : 0;
  EXPECT_EQ(live, 1) << "only the back button";
  EXPECT_EQ(Buttons[0].action, ShopGoBack);
}

TEST_F(Shop, TheBackKeyAndTheBackButtonReturnToTheScreenBefore) {
  EnterShop();
  game->m_pGameplayWindow->NotifyKeyEvent(6, 1);
  EXPECT_EQ(g_currentMode, 15) << "a key goes back when released";
  game->m_pGameplayWindow->NotifyKeyEvent(6, 0);
  EXPECT_EQ(g_currentMode, 0);
  EnterShop();
  EXPECT_EQ(g_previousMode, 0);
  Tap(Buttons[0].x, Buttons[0].y);
  EXPECT_EQ(g_currentMode, 0);
}

} // namespace
