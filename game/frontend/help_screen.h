// The help screen (mode 16): level 19 plays itself from its demo run at three-quarter size inside
// a television picture; a tap anywhere or back returns to the main menu.
#pragma once

#include <GLES/gl.h>

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

  // The demo is drawn only inside the box of viewport pixels where the television lets it show
  // (the scissor is off again for the television); off, it is drawn whole, for comparison.
  bool demoInWindow = true;
  // That box as the next frame sets it: x, y, width, height in window coordinates, GL's order.
  // False where the demo is drawn whole: no cells of the picture noted yet, a turned projection, or
  // a screen the television's copies leave a part of uncovered.
  bool DemoScissor(GLint box[4]);

private:
  void Touch(myPoint* points, bool release);
  // The texels of the television's picture not wholly opaque: its window and the ring around it,
  // x1, y1 excluded; found once its cells are noted.
  bool SeeThrough();
  enum { kSeeUnknown, kSeeNone, kSeeFound } m_seeState = kSeeUnknown;
  int m_see[4] = {0, 0, 0, 0};
};
