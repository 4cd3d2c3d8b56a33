// Game buttons: the global list of 100 touch buttons every screen builds, which grow in when added,
// swell under the finger and fire their action when the finger is lifted inside them.
#pragma once

#include "geometry.h"
#include "quellar_types.h"

class Surface;

// 1 pop-in (grows from 0 to 1.0, swells up to +0.3 when pressed); 2 pop-in stopping at 0.85;
// 3 hit box anchored at (x, y) as its top-left corner; anything else plain.
typedef int ButtonType;

enum { BUTTONS = 100, BUTTON_LABEL = 60 };

class button {
public:
  button();
  virtual ~button() {}

  void Init(int x, int y, int w, int h, ButtonType type, const char* label, Surface* normal,
            Surface* pressed);
  void Init(int x, int y, int w, int h, ButtonType type, const char* label, Surface* normal, Surface* pressed,
            void (*action)());
  // The hit box from x, y, w, h.
  void UpdatePos();
  void Draw();
  // 1 when the touch fired the button.
  int Stylus(int x, int y, bool release);
  void StylusHover(int x, int y);
  void ButtonPress(bool release);

  u8 active;
  u8 hidden; // not drawn, still touchable
  u8 pressed;
  u8 hover;
  u8 disabled; // ignores touches
  int homeX, homeY;
  int x, y; // the centre of the picture
  int w, h;
  myRect rect; // the hit box
  float baseScale;
  float bump;
  Surface* surface;
  Surface* surfacePressed;
  Surface* surfaceDisabled; // shown unscaled while disabled
  char label[BUTTON_LABEL];
  ButtonType type;
  int spareValue;
  void (*action)();
};

extern button Buttons[BUTTONS];

void AddButton(int x, int y, int w, int h, ButtonType type, const char* label, Surface* normal,
               Surface* pressed);
// The slot used, or -1 when the list is full (nothing added).
int AddButtonCustom(int x, int y, int w, int h, ButtonType type, const char* label, Surface* normal,
                    Surface* pressed, void (*action)());
void ClearButtons();
void DisableButtons();
void EnableButtons();
// Draws in slot order; the walk ends at the first drawn button above y -200.
void DrawButtons();
// At most one button fires per release: 1 when one did.
int ButtonsStylus(int x, int y, bool release);
int ButtonsStylusHover(int x, int y);
void PressResumeButton();
