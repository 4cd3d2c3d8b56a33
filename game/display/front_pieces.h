// Small pieces several screens share: the mushroom counter panel and the kinetic list scroller.
#pragma once

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
