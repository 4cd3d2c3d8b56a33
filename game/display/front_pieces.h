// Small pieces several screens share: the mushroom counter panel, the kinetic list scroller, text
// in the standard font and the touch that goes to an open dialog before the buttons.
#pragma once

#include "geometry.h"
#include "quellar_types.h"

class shoomPanel {
public:
  void Init(int x, int y, int style);
  void Draw();
  void StylusDown(int x, int y);
  void StylusUp(int x, int y);
  void StylusMove(int, int) {}
  // The balance as the panel shows it: 999 at most.
  static int ShownBalance();

  u8 active;
  int x, y;
  int style; // 0 world map, 1 level selection, 2 level-end shop link
  u8 pressed;
};
extern shoomPanel ShroomPanel;

class listAnimator {
public:
  void Assign(float* offset, float factor, float friction, float min, float max);
  void Process(float dt);
  void StylusDown(int x, int y);
  void StylusMove(int x, int y);
  void StylusUp(int x, int y);

  float friction;
  float* bound;
  float min, max;
  u8 held;
  float velocity;
  float velocityFactor;
  int lastX, lastY;
  float pageSize;
  float snapRate;
};

// Text in the standard font at the scale; nothing before the font is loaded.
void DrawText(float x, float y, float scale, int align, const char* text, ColorRGB colour);

// A touch for an open help dialog first, else for the buttons; true when a dialog took it. A null
// points array is no touch.
bool DialogsThenButtons(int x, int y, bool release);
bool DialogsThenButtons(const myPoint* points, bool release);
