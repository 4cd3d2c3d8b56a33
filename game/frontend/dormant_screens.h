// The screens nothing reaches in play: hiscores (4), instructions (5), interLevel (7), mapMode (8)
// and about (17), which are in the mode table, and the other platforms' store page, which is not.
// Each works when switched to.
#pragma once

#include "game_modes.h"
#include "quellar_types.h"

class Surface;

// Game-state flags: the game was completed, and the hiscores should ask for a name.
extern u8 g_gameCompleted;
extern u8 g_mustShowTextField;

// --- hiscores ---
enum { HISCORE_TABLES = 4, HISCORE_ROWS = 101, HISCORE_NEW_ROW = 100 };
struct HiscoreItem {
  u8 used; // holds a record
  char name[31];
  s32 score;
  u8 isNew; // the entry added last
};
// Row 100 of each table is the entry being added.
extern HiscoreItem HiscoreItems[HISCORE_TABLES][HISCORE_ROWS];

// qsort order: records before empty rows, records by score, highest first.
int compareHS(const void* a, const void* b);
void SortHiscores();
// Books row 100 of the table (its name and score filled by the caller) as the new entry.
void AddHiscore(int table);
void DrawHiscoreItem(int index, int x, int y, int table);
void ButtonGlobalHiscore();
void _scoreSubmitted();
void _scoreFailedSubmitting();

class hiscores : public gamemode {
public:
  void InitMode() override;
  void Draw(float dt) override;
  void StylusDown(myPoint* points, int count) override;
  void StylusUp(myPoint* points, int count) override;
  void StylusMove(myPoint* points, int count) override;

  float scrollX = 0, scrollY = 0; // never above 0
  float velocity = 0;
  int lastX = 0, lastY = 0;
  u8 dragging = 0;
};

// --- instructions ---
extern Surface* g_instructions[5];
extern int instructID;
void ButtonHelp1();
void ButtonHelp2();
void ButtonHelp3();
void ButtonHelp4();
void ButtonHelp5();

class instructions : public gamemode {
public:
  void InitMode() override;
  void DeInitMode() override;
  void Draw(float dt) override;
};

// --- between levels ---
class interLevel : public gamemode {
public:
  void InitMode() override;
  void Draw(float dt) override;
};

// --- map ---
class mapMode : public gamemode {
public:
  void InitMode() override;
  void DeInitMode() override;
  void StylusDown(myPoint*, int) override {}
  void StylusUp(myPoint* points, int count) override;
  void StylusMove(myPoint*, int) override {}
};

// --- about ---
extern Surface* aboutBG;
extern Surface* aboutButton[3];

class about : public gamemode {
public:
  void InitMode() override;
  void DeInitMode() override;
  void Draw(float dt) override;
  void StylusDown(myPoint* points, int count) override;
  void StylusUp(myPoint* points, int count) override;
  void StylusMove(myPoint* points, int count) override;
  void KeyboardEvent(int key, int state) override;

  float appear = 0; // up to 1 at 5 a second
};

// --- the other platforms' store page (no mode slot) ---
class GetMobileScreen : public gamemode {
public:
  void InitMode() override;
  void DeInitMode() override;
  void Draw(float dt) override;
  void KeyboardEvent(int key, int state) override;

  Surface* picture = nullptr; // "flash_get_mobile"
  Surface* button = nullptr;  // "flash_get_mobile_button"
};
// To the world map when the store page was opened from there, else to the main menu.
void GoBackFromMobileScreen();
void BUY_IOS();
void BUY_ANDROID();
void BUY_WINPHONE();
void BUY_VUDARUDIRI();
// Store links go nowhere in this build.
void BUY_GotoURL(const char* url);
extern const char* const g_storeSelectionUrl;
