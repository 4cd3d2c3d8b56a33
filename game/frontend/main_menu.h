// The main menu (mode 0) over its demo level, with three unfolding sub-menus and the quit dialog.
#pragma once

#include "game_modes.h"

class mainMenu : public gamemode {
public:
  void InitMode() override;
  void DeInitMode() override;
  void Draw(float dt) override;
  void StylusDown(myPoint* points, int count) override;
  void StylusUp(myPoint* points, int count) override;
  void StylusMove(myPoint* points, int count) override;
  void KeyboardEvent(int key, int state) override;
  void StylusHover(myPoint* points, int count) override { gamemode::StylusHover(points, count); }

  // Opens sub-menu i, or closes every one when i is open already.
  void ActivateSubmenu(int i);
  bool AnySubmenuOpen() const;
  void CloseSubmenus();

  float inputDelay = 0;
  float subProgress[4] = {};
  float subTarget[4] = {};
  float subBaseY = 0;
  float subAnchorX[4] = {};
  u8 subOpen[4] = {};
  char subLabels[4][100] = {};
  float labelScale[4] = {};
  float labelTime[4] = {};

private:
  void Touch(myPoint* points, bool release);
};

void mainMenu_QuitYes();
void mainMenu_QuitNo();
