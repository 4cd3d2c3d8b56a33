// The help screen (mode 16): level 19 plays itself from its demo run at three-quarter size inside
// a television picture; a tap anywhere or back returns to the main menu.
#pragma once

#include "game_modes.h"

class Surface;

extern Surface* helpTV; // "help_tv"

class help : public gamemode {
public:
  void InitMode() override;
  void DeInitMode() override;
  void Draw(float dt) override;
  void StylusDown(myPoint* points, int count) override;
  void StylusUp(myPoint* points, int count) override;
  void StylusMove(myPoint* points, int count) override;
  void KeyboardEvent(int key, int state) override;

private:
  void Touch(myPoint* points, bool release);
};
