// Level selection (mode 11) with its level boxes and character picker.
#pragma once

#include "front_pieces.h"
#include "game_modes.h"

// The set of the selected world's levels shown: 0 casual, 1 hardcore.
extern int g_setSelected;

class levelSelection : public gamemode {
public:
  void InitMode() override;
  void DeInitMode() override;
  void Draw(float dt) override;
  void StylusDown(myPoint* points, int count) override;
  void StylusUp(myPoint* points, int count) override;
  void StylusMove(myPoint* points, int count) override;
  void KeyboardEvent(int key, int state) override;
  void StylusHover(myPoint* points, int count) override;

  // One level box centred at (x, y): its frame, mushroom, rank marks and number (level_box.cpp).
  void DrawLevelBox(int x, int y, int box, int level, float scale, float dt);
  // One entry of the character picker centred at (x, y).
  void DrawCharacterSelectionIcon(int x, int y, int id, float scale, float dt);
  // A black panel at (x, y), the fill picture stretched 5:3; nothing on the screen draws it.
  void DrawLevelInfoPanel(int x, int y, int, int, float, float);

  // Sets g_levelSelected to level n and starts it behind the shutters when it may be played.
  void ChooseLevel(int n);
  // The level number of box 0 of set s of the selected world (0 for a world outside the table).
  static int FirstLevel(int set);

  float inputDelay = 0;
  float dragDistance = 0; // a finger moving left makes it positive
  u8 pagingActive = 0;
  float pagingOffset = 0;
  int pagingDirection = 1;
  float hintAlpha = 0;
  float hintTimer = 0;
  int lastTouchX = 0;
  u8 touchHeld = 0;
  int pressedBox = -1;
  int hoverBox = -1;
  float boxScale[20] = {};
  int boxCount = 0;
  u8 popInActive = 0;
  u8 singleSet = 0;
  // The character picker.
  u8 pickerOpen = 0;
  u8 pickerTapPending = 0;
  float pickerAppear = 0;
  listAnimator pickerScroller = {};
  float pickerOffset = 0;
  u8 centredCharacterUnlocked = 0;
  int keyboardFocus = -1;

private:
  // The box whose hit rectangle holds (x, y), or -1.
  int BoxAt(int x, int y) const;
  void DrawBoxes(int firstLevel, int shiftX, float dt);
  void DrawHint(float dt);
  // The corner preview of the current character and the open picker (level_box.cpp).
  void DrawHeroPreview();
  void DrawPicker(float dt);
  void PickerStylusDown(int x);
  void PickerStylusMove(int x);
  void PickerStylusUp(int x, int y);
};

void BackToWorldSelect();
void GoStartLevel();
void ShowCharPanel();
void CasualModeButton();
void RegenCasualButtons();
void HardcoreModeButton();
