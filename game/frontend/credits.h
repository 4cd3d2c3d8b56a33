// The credits (mode 3): a panel grows in, the version sits in a corner and the credits lines rise
// through the middle, each largest just below the centre; a tap top right or back leaves.
#pragma once

#include "game_modes.h"
#include "geometry.h"

class Surface;

extern Surface* creditsBG;       // "panel_about"
extern Surface* creditsPanExtra; // "panel_credits"

class credits : public gamemode {
public:
  void InitMode() override;
  void DeInitMode() override;
  void Draw(float dt) override;
  void KeyboardEvent(int key, int state) override;

  float scrollY = 330;  // y of row 0, falling at 70 a second
  float panelScale = 0; // up to 1 at 5 a second
};

// One line centred at (x, y), scaled by its distance from 20 px below the screen's middle (at most
// largest); nothing where the scale is not above 0.
void CreditsDrawSmart(int x, int y, float largest, const char* text, ColorRGB colour);
// The scale CreditsDrawSmart gives a line at y.
float CreditsScaleAt(int y, float largest);
