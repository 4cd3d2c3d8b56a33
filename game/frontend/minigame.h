// The hidden mini-game (mode 14): a one-button auto-runner on level 20 with character 7; passing
// the end of the course unlocks that character.
#pragma once

#include "game_modes.h"

class Surface;

class miniGame : public gamemode {
public:
  void InitMode() override;
  void DeInitMode() override;
  void Draw(float dt) override;
  void StylusDown(myPoint* points, int count) override;
  void StylusUp(myPoint*, int) override {}
  void StylusMove(myPoint*, int) override {}
  void KeyboardEvent(int key, int state) override;

  float courseEnd = 0; // the largest x of any active object at entry
};

extern Surface* minBG1;       // the side gradient
extern float minigameBannerY; // the death banner's slide, -50 (away) to 0 (shown)
extern float victoryBlend;    // the victory fade to black, 0 to 255
// The pause sprite's button: back to the main menu.
void ButtonQuit();
