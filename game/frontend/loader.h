// The loader (mode 18): the start-up splash that runs the game's second start-up stage, then
// enters the first mode; and the load-progress hook that draws while sprites load.
#pragma once

#include "game_modes.h"

class Surface;

class loader : public gamemode {
public:
  void InitMode() override;
  void DeInitMode() override;
  void Draw(float dt) override;
};

extern float loadingBlend;
extern float loadingBlend2;
extern Surface* loaderBG[4];
void ContinueLoadingSkip();
void ContinueLoading();

// The second start-up stage, run by the loader once its splash has faded.
void InitGame();
// What the loader enters after InitGame: the level and character the host asked for (in-level
// play), else the main menu.
void StartFirstMode();

// The load-progress hook.
extern int loadcurPos;
extern float loadUpgradeAdd;
void ClearLoadUpdateFuction();
void SetLoadUpdateFuctionInterval(float v);
void LoadUpdateFuction();
