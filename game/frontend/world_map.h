// The world map (mode 1): the carousel of worlds over the map background, in two lists (the main
// worlds with the bonus entry, and the bonus worlds), which opens a world's level selection.
#pragma once

#include "game_modes.h"

class newGame : public gamemode {
public:
  void InitMode() override;
  void DeInitMode() override;
  void Draw(float dt) override;
  void StylusDown(myPoint* points, int count) override;
  void StylusUp(myPoint* points, int count) override;
  void StylusMove(myPoint* points, int count) override;
  void KeyboardEvent(int key, int state) override;
  void StylusHover(myPoint* points, int count) override;

  float scrollPos = 0;    // item i is drawn at MAXX/2 + scrollPos + i * itemSpacing
  float scrollTarget = 0; // where scrollPos eases to while no finger is down
  int lastTouchX = 0;
  int itemSpacing = 160;
  u8 touching = 0;
  float momentum = 0; // drag since the last release, decaying every frame
  int currentItem = 0;
  int dragDistance = 0; // signed sum of the moves since the touch went down
  u8 pressedCentre = 0;
  u8 hoverCentre = 0;
  int listShift = 0; // 0 the main list, 10 the bonus list
  int itemCount = 6;
  int unlockCounter = 0; // frames a locked world 2-4 has been current
  int entries = 0;       // times the mode was entered, to tell when an action switched mode

private:
  // w's tap action: its custom action, else level selection when unlocked.
  void Enter(int w);
  void UnlockTest(int w, float x);
};

// Per world number, the action a tap on its picture runs instead of opening level selection.
extern void (*newGameCustomFunctions[20])();
