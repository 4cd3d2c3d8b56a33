// The missions list (mode 12) and the secrets list (mode 13): progress shown, never changed; both
// scroll with a list scroller and go back to the screen they came from.
#pragma once

#include "front_pieces.h"
#include "game_modes.h"

class Surface;

// Each list's own pictures: background, bottom bar with its side extension, panel (the missions'
// cover and open panel, the secrets' closed and open cell).
extern Surface* mList_BG;
extern Surface* mList_bottom[2];
extern Surface* mList_panel[2];
extern Surface* sList_BG;
extern Surface* sList_bottom[2];
extern Surface* sList_panel[2];

// What both lists share: press and drag scroll; a release goes to an open dialog, else to the
// buttons and the scroller; back returns.
class scrolledList : public gamemode {
public:
  void StylusDown(myPoint* points, int count) override;
  void StylusUp(myPoint* points, int count) override;
  void StylusMove(myPoint* points, int count) override;
  void KeyboardEvent(int key, int state) override;

  float appear = 0; // 0 at entry, up to 1 at 10 a second
  float offset = 0; // added to every row's y
  listAnimator scroller;

protected:
  void Appear(float dt);
};

class missionsList : public scrolledList {
public:
  void InitMode() override;
  void DeInitMode() override;
  void Draw(float dt) override;
  // One mission's panel centred at (x, y), everything scaled by appear.
  void DrawOnePanel(int slot, float appear, float x, float y);
};

class secretsList : public scrolledList {
public:
  void InitMode() override;
  void DeInitMode() override;
  void Draw(float dt) override;
  // Secret item i's cell centred at (x, y): open with its picture when found.
  void DrawOnePanel(int item, float appear, float x, float y);
};
