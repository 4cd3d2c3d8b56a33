// CXGameplayWindow: the one full-screen element the whole game runs in. Its first start fixes the
// logical screen and creates the game's global objects; each frame it advances the clocks and runs
// the current game mode, the modal dialogs, the cross-fade, the missions and the delayed sounds; it
// gives touches and keys to the dialogs first and the mode otherwise, and steers the hero by tilt.
#pragma once

#include "xroot.h"

// The game's root dialog.
class XMyRoot : public XRoot {
public:
  explicit XMyRoot(CXElement* parent) : XRoot(parent) {}
  int InitRoot(CommonString templateFile, const char* widgetName) override {
    return XRoot::InitRoot(templateFile, widgetName);
  }
};

class CXGameplayWindow : public XMyRoot {
public:
  explicit CXGameplayWindow(CXElement* parent);
  // Saves the progress and releases every global object of the game.
  ~CXGameplayWindow() override;

  int OnInitElement() override;
  void RunProcess() override;
  void Draw() override;
  int NotifyKeyEvent(int key, int state) override;
  int NotifyPointerEvent(int x, int y, int type) override;
  // As the platform loop calls it: the touch id, then the event type (1 down, 2 up, 3 move,
  // 4 hover); the id is not used.
  int NotifyMultiTouchPointerEvent(int x, int y, int touchId, int type) override;
  int OnMessage(CXElement* sender, int message, intptr_t p1, intptr_t p2) override;

  // Presses the pause button while a level is being played.
  int Pause();
  // first is not used; tilt steers, third (above 0.05) narrows the dead zone.
  void AccelerometerUpdate(float first, float tilt, float third);
};

// Deletes every sprite, atlas and font the game holds, and the display, and nulls them.
void SafeDeleteGlobals();
