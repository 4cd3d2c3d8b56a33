// The shop (mode 15): eighteen items bought with the mushroom balance from a scrolling list, and in
// a release build three packs of mushrooms bought from the platform's store.
#pragma once

#include "front_pieces.h"
#include "game_modes.h"

class Atlas;
class Surface;

// Starts the store's purchase of one pack (its answer reaches the application object): the game
// object sets it to buy from its purchase engine; while it is null a pack button buys nothing.
extern void (*g_buyMushroomPack)(const char* productId);

// One row of the shop's table.
class shopItem {
public:
  // Fills the row (used, not sold out), then applies the sold-out rule of its id.
  void Init(int id, int icon, int price, const char* name, const char* description);
  // Takes the price from the balance (never below 0) and gives what the id stands for.
  void Purchase();
  // Sets soldOut from the unlock tables; for the unlocks it only ever sets it.
  void CheckSoldOut();
  // The owned count under the powerup rows.
  void CustomDraw(int x, int y);

  u8 used;
  int icon; // slot of shopItems
  int price;
  u8 soldOut;
  char name[100];
  char description[255];
  int id;
};

enum { SHOP_ITEMS = 30, SHOP_ROWS = 18, SHOP_LIST_ROWS = 20, SHOP_ROW_STATES = 50 };
extern shopItem ShopItems[SHOP_ITEMS];

// The shop's sprites, loaded on entry and freed on exit.
extern Surface* shopBG;
extern Atlas* shopAtlas;
extern Surface* shopPanel[4];
extern Surface* shopBuy[2];
extern Surface* shopBuyShrooms[6];
extern Surface* shopItems[26];
extern Surface* shopLine;

class shop : public gamemode {
public:
  void InitMode() override;
  void DeInitMode() override;
  void Draw(float dt) override;
  void StylusDown(myPoint* points, int count) override;
  void StylusUp(myPoint* points, int count) override;
  void StylusMove(myPoint* points, int count) override;
  void KeyboardEvent(int key, int state) override;

  // Marks the row when the touch lies on its buy button.
  void ItemStylusDown(int row, float x, float y);
  void DrawOneItem(int row, float a, int x, int y);

  float appear = 0;
  float listOffset = 0;
  listAnimator scroller = {};
  int moveCount = 0;
  float buttonScale[SHOP_ROW_STATES] = {};
  u8 marked[SHOP_ROW_STATES] = {};
  // Where the row was drawn in the last frame; far off the screen while it was not drawn, so a
  // row out of sight cannot be touched.
  int lastY[SHOP_ROW_STATES] = {};
};

// The back button and key.
void ShopGoBack();
// The purchase question's yes: buys the marked rows and saves.
void CompletePurchase();
// The pack buttons: ask the store for 40, 100 or 800 mushrooms; the store's answer credits them.
void ShopBuy99c();
void ShopBuy199c();
void ShopBuy999c();
void RestorePurchases();
