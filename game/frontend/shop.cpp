// The shop: its table of items and what buying each gives, the scrolling list with its buy buttons,
// the purchase question, and the store's mushroom packs.
#include "shop.h"

#include <cstdio>

#include "atlas.h"
#include "background_fitting.h"
#include "buttons.h"
#include "catalogue.h"
#include "catalogue_data.h"
#include "display.h"
#include "frontend.h"
#include "game_globals.h"
#include "game_modes.h"
#include "geometry.h"
#include "help_dialogs.h"
#include "hge_font.h"
#include "mission_table.h"
#include "platform_services.h"
#include "progress_files.h"
#include "quellar_array.h"
#include "sound_table.h"
#include "sprite_tables.h"
#include "surface.h"

shopItem ShopItems[SHOP_ITEMS];

Surface* shopBG = nullptr;
Atlas* shopAtlas = nullptr;
Surface* shopPanel[4];
Surface* shopBuy[2];
Surface* shopBuyShrooms[6];
Surface* shopItems[26];
Surface* shopLine = nullptr;

void (*g_buyMushroomPack)(const char* productId) = nullptr;

namespace {

// Slots of the icon table.
enum {
  IconTime = 0,
  IconShield = 1,
  IconStar = 4,
  IconDemon = 5,
  IconJario = 6,
  IconSlicker = 7,
  IconStickman = 8,
  IconZombie = 9,
  IconBonusWorld1 = 12, // to 16 for bonus worlds 1-5
  IconMagnet = 17,
  IconOpenWorlds = 18,
  IconSold = 23,
  IconOwned = 24,
  IconBonusWorld6 = 25,
};

struct ItemRow {
  int icon;
  int price;
  const char* name;
  const char* description;
};

const ItemRow kItems[SHOP_ROWS] = {
    {IconTime, 3, "Slow Motion",
     "A special powerup which allows you to conquer time - essentially, you slow all things down."},
    {IconShield, 5, "Shield",
     "Powerup which protects your character from certain death. Only works once, though."},
    {IconTime, 10, "Slow Motion x5", "A pack of Slow Motion powerups at a discounted price."},
    {IconShield, 15, "Shield x5", "\nA cheaper pack of Shields."},
    {IconMagnet, 40, "Shroom Magnet",
     "Special device which attracts mushrooms, making them easier to catch."},
    {IconOpenWorlds, 100, "Super Unlock", "\nUnlock all basic levels."},
    {IconDemon, 20, "Demon", "Unlock Demon character. Demon can dash forward very very fast."},
    {IconJario, 30, "Mr. Jario",
     "Unlock Jario character (aka Jumpman). Jario can float in the air as you hold the jump button."},
    {IconSlicker, 40, "Slicker",
     "Unlock Slicker character. Slicker's special allows him to burst up into the sky."},
    {IconStar, 50, "Superstar",
     "Unlock new character. Superstar is really gentle and light, so she can fly a bit farther."},
    {IconStickman, 80, "Stickman",
     "Stickman possesses a device which allows him to Teleport at a short distance. "},
    {IconZombie, 150, "Zombie Boy",
     "Unlock Zombie Boy character. Zombie Boy can invert gravity when he jumps."},
    {IconBonusWorld1, 30, "Unlock Bonus World 1",
     "Unlock Retro City bonus world. Contains 9 really challenging levels."},
    {IconBonusWorld1 + 1, 30, "Unlock Bonus World 2",
     "Unlock Mini Boy bonus world. Contains 9 really challenging levels."},
    {IconBonusWorld1 + 2, 30, "Unlock Bonus World 3",
     "Unlock 8Bit bonus world. Contains 9 really challenging levels."},
    {IconBonusWorld1 + 3, 30, "Unlock Bonus World 4",
     "Unlock Black & White bonus world. Contains 9 really challenging levels."},
    {IconBonusWorld1 + 4, 30, "Unlock Bonus World 5",
     "Unlock Pocket ZX bonus world. Contains 9 really challenging levels."},
    {IconBonusWorld6, 30, "Unlock Bonus World 6",
     "Unlock Only One bonus world. Contains 9 somehow challenging levels."},
};

// "Super Unlock" opens the records of these levels: every basic world's.
const int kBasicLevels = 150;
// A row that was not drawn in the last frame lies here, out of every touch's reach.
const int kNotDrawn = -100000;

s32& Balance() { return g_globalAchievements[GLOBAL_WORD_MUSHROOMS]; }

shop* Shop() { return static_cast<shop*>(GameModes[15]); }

// The shop's globals by catalogue index (0 shopBG, 1 panels, 2 buy, 3 packs, 4 icons, 5 line).
Surface** ShopSlot(int index, int frame) {
  struct Global {
    Surface** slots;
    int count;
  };
  const Global globals[] = {{&shopBG, 1},        {shopPanel, 4},  {shopBuy, 2},
                            {shopBuyShrooms, 6}, {shopItems, 26}, {&shopLine, 1}};
  if (index < 0 || index >= (int)(sizeof globals / sizeof globals[0])) return nullptr;
  if (frame < 0 || frame >= globals[index].count) return nullptr;
  return &globals[index].slots[frame];
}

bool HasArt(Surface* s) { return s && s->texture; }

void BuyPack(const char* productId) {
  Missions[29].AddToCounter(1);
  if (g_buyMushroomPack) g_buyMushroomPack(productId);
}

} // namespace

void shopItem::Init(int itemId, int itemIcon, int itemPrice, const char* itemName,
                    const char* itemDescription) {
  used = 1;
  id = itemId;
  icon = itemIcon;
  price = itemPrice;
  snprintf(name, sizeof name, "%s", itemName ? itemName : "");
  snprintf(description, sizeof description, "%s", itemDescription ? itemDescription : "");
  soldOut = 0;
  CheckSoldOut();
}

void shopItem::CheckSoldOut() {
  if (id == 4) {
    soldOut = g_superItemsUnlocked[2] > 0 ? 1 : 0;
  } else if (id == 5) {
    soldOut = 1;
    for (int level = 0; level < kBasicLevels; ++level)
      if (!g_levelAchievements[level][LEVEL_WORD_OPENED]) soldOut = 0;
  } else if (id >= 6 && id <= 11) {
    if (g_charactersUnlocked[id - 5]) soldOut = 1;
  } else if (id >= 12 && id <= 17) {
    if (g_worldsUnlocked[id - 2]) soldOut = 1;
  }
}

void shopItem::Purchase() {
  SpendMushrooms(price);
  switch (id) {
  case 0:
    GlobalData.ConsumeTimeSlows(-1);
    break;
  case 1:
    GlobalData.ConsumeShield(-1);
    break;
  case 2:
    GlobalData.ConsumeTimeSlows(-5);
    break;
  case 3:
    GlobalData.ConsumeShield(-5);
    break;
  case 4:
    g_superItemsUnlocked[2] = 1;
    break;
  case 5:
    g_worldsUnlocked[2] = 1;
    g_worldsUnlocked[3] = 1;
    for (int level = 0; level < kBasicLevels; ++level)
      g_levelAchievements[level][LEVEL_WORD_OPENED] = 1;
    break;
  default:
    if (id >= 6 && id <= 11) g_charactersUnlocked[id - 5] = 1;
    if (id >= 12 && id <= 17) g_worldsUnlocked[id - 2] = 1;
    break;
  }
}

void shopItem::CustomDraw(int x, int y) {
  int owned;
  if (id == 0 || id == 2)
    owned = GlobalData.GetTimeSlows();
  else if (id == 1 || id == 3)
    owned = GlobalData.GetShields();
  else
    return;
  if (!FontSTD) return;
  char text[16];
  snprintf(text, sizeof text, "%ix", owned);
  FontSTD->SetScale(0.26f);
  FontSTD->Render((float)(x - 170), (float)(y - 19), 2, text, ColorRGB(0, 0, 0));
}

void shop::InitMode() {
  for (int row = 0; row < SHOP_ROWS; ++row) {
    const ItemRow& item = kItems[row];
    ShopItems[row].Init(row, item.icon, item.price, item.name, item.description);
  }
  shopAtlas = new Atlas(CommonString(catalogue::ShopArt().atlas));
  RegisterScreenSprites(catalogue::ShopArt(), shopAtlas, ShopSlot);
  appear = 0;
  for (int row = 0; row < SHOP_ROW_STATES; ++row) {
    buttonScale[row] = 0;
    marked[row] = 0;
    lastY[row] = kNotDrawn;
  }
  SwitchSoundtrack(0, false, false);
  listOffset = 30;
  scroller.Assign(&listOffset, 10.0f, 0.95f, -1080.0f, 30.0f);
  ClearButtons();
  AddButtonCustom(35, MAXY - 25, 70, 70, 1, "", select_buttons[0], select_buttons[1], ShopGoBack);
  if (g_finalRelease) {
    AddButtonCustom(MAXX - 250, MAXY - 29, 70, 70, 1, "", shopBuyShrooms[0], shopBuyShrooms[1], ShopBuy99c);
    AddButtonCustom(MAXX - 150, MAXY - 29, 70, 70, 1, "", shopBuyShrooms[2], shopBuyShrooms[3], ShopBuy199c);
    AddButtonCustom(MAXX - 50, MAXY - 29, 70, 70, 1, "", shopBuyShrooms[4], shopBuyShrooms[5], ShopBuy999c);
  }
}

void shop::DeInitMode() {
  // The buttons show the pack sprites: they go before the sprites do.
  ClearButtons();
  SafeDelete(shopBG);
  SafeDeleteAll(shopPanel);
  SafeDeleteAll(shopBuy);
  SafeDelete(shopLine);
  SafeDeleteAll(shopBuyShrooms);
  SafeDeleteAll(shopItems);
  SafeDelete(shopAtlas);
}

void shop::Draw(float dt) {
  if (!display) return;
  SmartDrawBackgroundIphone5(0, 0, shopBG, false, false);
  appear += 10 * dt;
  if (appear > 1.0f) appear = 1.0f;

  for (int row = 0; row < SHOP_LIST_ROWS; ++row) {
    int y = (int)(30 + 75 * row + listOffset);
    if (y > -100 && y < MAXY + 100)
      DrawOneItem(row, appear, MAXX / 2 - 6, y);
    else
      lastY[row] = kNotDrawn;
    float& scale = buttonScale[row];
    if (scale < 1.0f) {
      scale += 3 * dt;
    } else {
      scale += marked[row] ? 3 * dt : -3 * dt;
      if (scale < 1.0f) scale = 1.0f;
      if (scale > 1.3f) scale = 1.3f;
    }
  }

  if (HasArt(shopPanel[0]) && HasArt(shopPanel[1]) && HasArt(shopPanel[2]) && HasArt(shopPanel[3])) {
    if (!g_ratio_is_more_1_5) {
      display->BlitScaled((float)(MAXX / 2), 15, 0.5f, 0.5f, shopPanel[0]);
      display->BlitScaled((float)(MAXX / 2), (float)(MAXY - 32), 0.5f, 0.5f, shopPanel[1]);
    } else {
      display->SetNoBlackEdgesMode();
      float side = (float)(shopPanel[0]->GetWidth() + shopPanel[2]->GetWidth()) / 4;
      display->BlitScaled((float)(MAXX / 2), 15, 0.5f, 0.5f, shopPanel[0]);
      display->BlitScaled((float)MAXX / 2 - side, 15, 0.5f, 0.5f, shopPanel[2]);
      display->BlitScaled((float)MAXX / 2 + side, 15, 0.5f, 0.5f, shopPanel[2]);
      float s = 0.5f * appear;
      int x1 = (int)(479 + (float)shopPanel[3]->GetWidth() / 4);
      int x2 = (int)((float)x1 + (float)shopPanel[3]->GetWidth() / 2 - 2);
      display->BlitScaled(240, (float)(MAXY - 32), s, s, shopPanel[1]);
      display->BlitScaled((float)x1, (float)(MAXY - 32), s, s, shopPanel[3]);
      display->BlitScaled((float)x2, (float)(MAXY - 32), s, s, shopPanel[3]);
      display->SetNormalMode();
    }
  }

  if (FontSTD) {
    FontSTD->SetScale(0.5f * appear);
    FontSTD->Render(85, (float)(MAXY - 18), 0, "Shop", ColorRGB(0, 0, 0));
  }
  DrawButtons();
  scroller.Process(dt);
  if (FontShroom) {
    FontShroom->SetScale(0.5f);
    char text[16];
    snprintf(text, sizeof text, "%i", Balance());
    FontShroom->Render((float)(MAXX / 2 + 10), 14, 2, text, ColorRGB(255, 255, 255));
  }
}

void shop::DrawOneItem(int row, float a, int x, int y) {
  if (row < 0 || row >= SHOP_ITEMS || !ShopItems[row].used) return;
  shopItem& item = ShopItems[row];
  display->BlitScaled((float)x, (float)y, 0.5f * a, 0.5f * a, shopLine);
  if (item.soldOut) {
    display->BlitScaled((float)(x - 185), (float)y, 0.5f * a, 0.5f * a, shopItems[IconOwned]);
  } else if (item.icon >= 0 && item.icon < 26) {
    bool cannotAfford = Balance() < item.price;
    if (cannotAfford) display->SetBlending(255, 100, 100, 100);
    display->BlitScaled((float)(x - 185), (float)y, 0.5f * a, 0.5f * a, shopItems[item.icon]);
    if (cannotAfford) display->SetBlending(255);
  }
  float s = 0.5f * a * buttonScale[row];
  Surface*& buy = item.soldOut ? shopItems[IconSold] : buttonScale[row] > 1.05f ? shopBuy[1] : shopBuy[0];
  display->BlitScaled((float)(x + 190), (float)y, s, s, buy);
  lastY[row] = y;

  if (!item.soldOut && FontShroom) {
    display->SetNoBlackEdgesMode();
    FontShroom->SetScale(0.5f * a);
    FontShroom->printf((float)(x + 188), (float)(y - 10), 0, "%i", item.price);
    display->SetNormalMode();
  }
  if (FontSTD) {
    int alpha = item.soldOut ? 100 : 255;
    display->SetBlending(alpha);
    FontSTD->SetScale(0.45f * a);
    FontSTD->Render((float)x, (float)(y - 18), 2, item.name, ColorRGB(255, 255, 255));
    FontSTD->SetScale(0.28f * a);
    FontSTD->SetSpacing(0.8f);
    display->SetBlending(alpha, 195, 195, 65);
    FontSTD->printfb((float)(x - 145), (float)(y - 3), 280, 80, 0, "%s", item.description);
    display->SetBlending(255);
  }
  item.CustomDraw(x, y);
}

void shop::ItemStylusDown(int row, float x, float y) {
  if (row < 0 || row >= SHOP_LIST_ROWS) return;
  const shopItem& item = ShopItems[row];
  if (!item.used || item.soldOut) return;
  myRect box((float)(MAXX - 100), (float)(lastY[row] - 35), (float)MAXX, (float)(lastY[row] + 35));
  if (box.Contains(myPoint(x, y))) marked[row] = 1;
}

void shop::StylusDown(myPoint* points, int) {
  if (!points) return;
  int x = (int)points[0].x, y = (int)points[0].y;
  moveCount = 0;
  ButtonsStylus(x, y, false);
  scroller.StylusDown(x, y);
  for (int row = 0; row < SHOP_LIST_ROWS; ++row) {
    marked[row] = 0;
    if (y < MAXY - 70) ItemStylusDown(row, (float)x, (float)y);
  }
}

void shop::StylusMove(myPoint* points, int) {
  if (!points) return;
  int x = (int)points[0].x, y = (int)points[0].y;
  ButtonsStylus(x, y, false);
  scroller.StylusMove(x, y);
  ++moveCount;
  // From the sixth move on the touch is a drag: it marks nothing.
  for (int row = 0; row < SHOP_LIST_ROWS; ++row) {
    marked[row] = 0;
    if (moveCount < 6 && y < MAXY - 70) ItemStylusDown(row, (float)x, (float)y);
  }
}

void shop::StylusUp(myPoint* points, int) {
  if (!points) return;
  int x = (int)points[0].x, y = (int)points[0].y;
  if (moveCount > 5) {
    // A drag never fires a button.
    for (int slot = 0; slot < 10; ++slot)
      Buttons[slot].pressed = 0;
  } else {
    ButtonsStylus(x, y, true);
  }
  scroller.StylusUp(x, y);
  // The back button may have left the shop.
  if (g_currentMode != 15) return;
  for (int row = 0; row < SHOP_LIST_ROWS; ++row) {
    if (!marked[row]) continue;
    if (Balance() >= ShopItems[row].price) {
      int slot = AddDialogByID(0, nullptr);
      if (slot >= 0) HelpDialogs[slot].buttons[0].action = CompletePurchase;
    } else {
      AddDialogByID(3, nullptr);
    }
  }
}

void shop::KeyboardEvent(int key, int state) {
  if (key == 6 && state == 0) ShopGoBack();
}

void ShopGoBack() { SwitchMode(g_previousMode); }

void CompletePurchase() {
  shop* s = Shop();
  if (s)
    for (int row = 0; row < SHOP_LIST_ROWS; ++row) {
      if (!s->marked[row]) continue;
      ShopItems[row].Purchase();
      ShopItems[row].CheckSoldOut();
      s->marked[row] = 0;
    }
  KillDialogs();
  EnginePlaySound(28, 0);
  SaveAllData();
}

void ShopBuy99c() { BuyPack("0_99"); }
void ShopBuy199c() { BuyPack("1_99"); }
void ShopBuy999c() { BuyPack("9_99"); }

void RestorePurchases() {}
