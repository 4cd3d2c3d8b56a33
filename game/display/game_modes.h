// The game modes: the base of every screen, the table of modes by id and switching with the
// cross-fade fields. The mode framework on top (mode_framework.h) creates every mode.
#pragma once

#include "geometry.h"
#include "quellar_types.h"

class gamemode {
public:
  gamemode() : fadeActive(0), fadeAlpha(0) {}
  virtual ~gamemode() {}

  virtual void InitMode() {}
  virtual void DeInitMode() {}
  // No mode overrides it and nothing calls it.
  virtual void Process(float) {}
  // Each mode does all its per-frame work here.
  virtual void Draw(float) {}
  // The base passes touches to the buttons.
  virtual void StylusDown(myPoint* points, int count);
  virtual void StylusUp(myPoint* points, int count);
  virtual void StylusMove(myPoint* points, int count);
  virtual void KeyboardEvent(int, int) {}
  virtual void StylusHover(myPoint* points, int count);

  u8 fadeActive;   // the cross-fade from the previous mode runs
  float fadeAlpha; // 1.0 at the switch, run down by the gameplay window
};

enum { GAME_MODES = 25 };

// Ids 0-18 are used; 6 and 19-24 stay null.
extern gamemode* GameModes[GAME_MODES];
extern int g_currentMode;
extern int g_previousMode;
extern int g_switchingTo;

// Leaves the current mode and enters mode id; an id without a mode is refused with a line on stderr.
void SwitchMode(int id);
// Kept for other builds; nothing calls them.
void DrawInterface(float);
void DrawNormalGame(float);
void GameStylusDown(int, int);
void GameStylusMove(int, int);
void GameStylusUp(int, int);
extern float g_stylusOrientationFlipX;
extern float g_stylusOrientationFlipY;
extern bool g_stylusOrientationInvertX;
void GameStylusDownMultiDown(myPoint* points, int count);
void GameStylusDownMultiMove(myPoint* points, int count);
void GameStylusDownMultiUp(myPoint* points, int count);
