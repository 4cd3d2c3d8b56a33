// The in-level controls' state.
#include "touch_controls.h"

myPoint RmoveCenter(120, 250);
myPoint RmoveCenterCur(0, 250);
myPoint RbuttonAttack(320, 270);
float wheelRadius = 100;
float buttonRadius = 40;
bool jumpButtonPressed = false;
bool bRightPressed = false;
bool bLeftPressed = false;
bool bJumpPressed = false;
bool bEnterPressed = false;
