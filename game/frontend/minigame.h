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
// The course's object types 472-478: the mini-game's art gives them sprites (its set's index 1,
// frames 0-6, frame 0 of each type), which belong to no world's sprites; whoever shows the course
// (the mini-game, the editor entered from it) registers them and the mini-game frees them when left.
enum { MINIGAME_COURSE_FIRST_TYPE = 472, MINIGAME_COURSE_TYPES = 7 };
// The object sprite slot of course type 472 + frame, or null outside the course or when the slot is
// filled already.
Surface** MinigameCourseSlot(int frame);
// The pause sprite's button: back to the main menu.
void ButtonQuit();

struct ShapeCorner;
// The sides' shape, drawn in place of minBG1: the triangles' corners across the picture.
const ShapeCorner* MiniGameSidesShape(int* corners);
