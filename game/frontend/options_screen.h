// The options screen (mode 2): two pages side by side over the screen it was opened from, swiped
// horizontally; page 1 the sound and music switches and the control scheme, page 2 the
// sensitivity and zoom sliders and the ghost switch. It only changes the option globals; the
// next save of the progress files stores them.
#pragma once

#include "front_pieces.h"
#include "game_modes.h"

class Surface;

class options : public gamemode {
public:
  void InitMode() override;
  void DeInitMode() override;
  void Draw(float dt) override;
  void StylusDown(myPoint* points, int count) override;
  void StylusUp(myPoint* points, int count) override;
  void StylusMove(myPoint* points, int count) override;
  void KeyboardEvent(int key, int state) override;

  float appear = 0;     // 0..1, the panel growing in
  float pageOffset = 0; // 0 page 1 .. -MAXX page 2
  u8 sliderMoved = 0;   // a slider moved during this touch: the pages stay
  listAnimator pages = {};
  u8 sensitivityGrabbed = 0;
  u8 zoomGrabbed = 0;
};

// The back button's fixed slot.
enum { OPTIONS_SLOT_BACK = 90 };
// Corner taps that count before the developer switch starts to follow them.
enum { OPTIONS_CORNER_TAPS_BEFORE_TOGGLE = 10 };

// The page arrow, loaded on entry and freed on exit.
extern Surface* opt_arrow;
// Releases in the top right corner during the run (the developer switch's gesture).
extern int g_optionsCornerTaps;
