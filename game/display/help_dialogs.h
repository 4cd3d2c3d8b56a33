// Modal dialogs: ten helpDialog slots for the game's questions and notices (buy, rate, not enough
// mushrooms, skip a level, quit). An open dialog takes every touch before the game mode.
#pragma once

#include "buttons.h"
#include "geometry.h"

class Display;

enum { HELP_DIALOGS = 10, DIALOG_TEXT = 500, DIALOG_IDS = 8 };

class helpDialog {
public:
  helpDialog();

  void Init(int x, int y, int w, int h, const char* text);
  // One of the eight dialogs of the game (0-7).
  void InitDialogID(int id);
  void Process(float dt);
  void Draw(Display* display);
  void Die();
  // Tutorial taps; nothing calls it in this game.
  int ProcessPressing(int x, int y, bool release);
  void TutorialCheckTutorialIssues() {}

  u8 active;
  int x, y, w, h;
  float time;   // seconds since opening
  float appear; // 0 at opening, up to 1.0
  int noDim;    // 1: the screen behind is not darkened
  int picture;  // the face at the top: 0 or 1
  myPoint tutorialPoints[15];
  int tutorialPointCount;
  myPoint tutorialPoint;
  int tutorialCounter;
  float unrolledHeight;
  int tutorialIndex;
  u8 tutorialFlag1, tutorialFlag2;
  u8 tapToClose;
  myRect tapArea;
  char text[DIALOG_TEXT];
  char secondText[DIALOG_TEXT]; // an extra line in yellow
  float textScale, textOffsetX, textOffsetY, lineSpacing;
  int buttonKind;
  button buttons[3];    // 0 yes or ok, 1 no, 2 never set up
  int buttonIndices[3]; // slots of the global list that Die deactivates
  int spare[4];
};

extern helpDialog HelpDialogs[HELP_DIALOGS];

// Opens dialog id in the first free slot (text, when given, becomes its yellow line); the slot, or
// -1 when all ten are open or the id is not 0-7. Callers then set the yes (and no) actions.
int AddDialogByID(int id, const char* text);
// A plain dialog; the slot or -1.
int AddHelpDialog(int x, int y, int w, int h, const char* text);
// 1 when any dialog is open.
int ProcessHelpDialogs(float dt);
void DrawHelpDialogs(Display* display);
// 1 when any dialog is open: the touch is then taken, whether or not it hits a button.
int ProcessHelpDialogsStylus(int x, int y, bool release);
void KillDialogs();
void CancelDialogButton();
// The answer to the rate-me dialogs: opens the game's store page.
void OpenFullVersionHere();
// The address OpenFullVersionHere opens.
extern const char* const g_storePageUrl;
