// The debug value panel: one floating list of slider rows, each bound to a float or int variable
// of the running game and edited by touch. The level editor builds its panels in it.
#pragma once

#include "quellar_types.h"

class hgeFont;

enum { VALUE_LIST_ROWS = 100 };

// One row slot: a slider over [minValue, maxValue] bound to one variable.
class valueEditor {
public:
  // A float row; the int target is left as it was, so rows are built after valueList::Clear.
  void Init(const char* label, float* target, float min, float max, float step, int x, int y, int w, int h,
            void (*callback)());
  // An int row; the float target is left as it was.
  void Init(const char* label, int* target, float min, float max, float step, int x, int y, int w, int h,
            void (*callback)());
  // At the panel's top-left corner (panelX, panelY) on screen.
  void Draw(hgeFont* font, int panelX, int panelY);
  // Touches are relative to the panel's top-left corner. 1 when the touch lies in an active, bound
  // row, which then takes the value under it.
  int StylusDown(int x, int y);
  int StylusUp(int x, int y);
  // Always 0.
  int StylusMove(int x, int y);

  u8 active;
  int x, y, w, h; // relative to the panel; y is rewritten every frame from the slot index
  float* floatValue;
  int* intValue;
  int isInt;
  int step; // kept from Init; the editing does not use it
  u8 dragging;
  float minValue, maxValue;
  float range;
  char label[100];
  void (*callback)(); // after every drag move, or null
};

// The panel: a plain record, zero at program start, so its first place is the top-left corner.
class valueList {
public:
  // Shows the panel with a new title and size; the scroll speed and the rows stay.
  void Init(const char* title, int x, int y, int w, int h, int spacing);
  // Frees every slot (active flag and both targets).
  void Clear();
  void Hide();
  void Draw();
  // Screen coordinates; 1 when the panel took the touch.
  int StylusDown(int x, int y);
  int StylusMove(int x, int y);
  // Ends every drag, shown or not.
  int StylusUp(int x, int y);

  u8 visible;
  int x, y;
  int w, h;
  float scrollY;     // panel-relative y of row 0
  float scrollSpeed; // coasting, pixels per frame
  float spacing;     // distance between row slots
  int lastX, lastY;  // last touch seen (screen)
  u8 dragging;       // the current touch moves the panel
  valueEditor editors[VALUE_LIST_ROWS];
  u8 touched; // a finger is down on the panel: no coasting
  char title[100];
};

extern valueList ValueList;
// The x of the last touch-down on the panel or of the last fine step of an int row.
extern int lastX;
