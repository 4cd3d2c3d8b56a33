// The in-level controls' state: the virtual stick, the special button, and the keys and jump
// touch held.
#pragma once

#include "geometry.h"

extern myPoint RmoveCenter;    // centre of the virtual stick (or arrow pod)
extern myPoint RmoveCenterCur; // knob offset x, knob y
extern myPoint RbuttonAttack;  // centre of the special button
extern float wheelRadius;
extern float buttonRadius;
// A touch or key has started a jump that is still held.
extern bool jumpButtonPressed;
extern bool bRightPressed;
extern bool bLeftPressed;
extern bool bJumpPressed;
extern bool bEnterPressed;
