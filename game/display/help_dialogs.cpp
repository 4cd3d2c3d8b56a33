// Modal dialogs: the eight dialogs of the game, their drawing, their touches.
#include "help_dialogs.h"

#include <cstdio>

#include "buttons.h"
#include "display.h"
#include "game_globals.h"
#include "hge_font.h"
#include "platform_services.h"
#include "progress_files.h"
#include "sound_table.h"
#include "sprite_tables.h"

helpDialog HelpDialogs[HELP_DIALOGS];
const char* const g_storePageUrl = "https://sprocklet.example.org/store";

helpDialog::helpDialog()
    : active(0), x(0), y(0), w(0), h(0), time(0), appear(0), noDim(0), picture(0), tutorialPointCount(0),
      tutorialPoint(0, 0), tutorialCounter(0), unrolledHeight(0), tutorialIndex(-1), tutorialFlag1(0),
      tutorialFlag2(0), tapToClose(1), tapArea(0, 0, 0, 0), text(), secondText(), textScale(0),
      textOffsetX(0), textOffsetY(0), lineSpacing(0), buttonKind(2), buttonIndices{-1, -1, -1}, spare() {
  for (myPoint& p : tutorialPoints)
    p = myPoint(0, 0);
}

void helpDialog::Init(int bx, int by, int bw, int bh, const char* message) {
  active = 1;
  x = bx;
  y = by;
  w = bw;
  h = bh;
  snprintf(text, sizeof text, "%s", message ? message : "");
  time = 0;
  appear = 0;
  secondText[0] = 0;
  for (button& b : buttons)
    b.active = 0;
  noDim = 0;
  for (int& i : buttonIndices)
    i = -1;
  tapToClose = 1;
  unrolledHeight = (float)h;
}

namespace {

struct DialogSpec {
  const char* text;
  bool yes, no, ok;
  void (*yesAction)(); // null: set by the caller
  float scale, spacing, offsetX, offsetY;
  int picture;
  int noDim;
};

const DialogSpec kDialogs[DIALOG_IDS] = {
    {"  Are you sure you want\n       to buy this item?", true, true, false, nullptr, 0.4f, 0.88f, 0, 0, 0,
     0},
    {"   If you like this game, would\n  you care to rate it? It would\n   certainly help us make the\n     "
     "game "
     "even better!",
     true, true, false, OpenFullVersionHere, 0.28f, 0.86f, 0, -10, 0, 0},
    {"   Congratulations! You have\n   successfully completed all\n   easy worlds. Now go for\n        the "
     "hard "
     "mode!",
     false, false, true, nullptr, 0.32f, 0.89f, -5, -10, 0, 0},
    {" Sorry, you don't have\n  enough mushrooms.", false, false, true, nullptr, 0.4f, 0.9f, 10, 0, 1, 1},
    {"  Do you want to skip \n      this level for 3 \n         mushrooms?", true, true, false, nullptr, 0.4f,
     0.8f, 10, -5, 0, 1},
    {"       Congratulations!\nBy completing mini game you\nhave unlocked new character\n     -Dav Overovav "
     "Aro-.",
     false, false, true, nullptr, 0.3f, 0.9f, 8, -10, 0, 0},
    {"   Sorry to bother you again -\n  this is the last time, promise!\n Maybe you have changed your\n mind "
     "and "
     "would like to rate us\n           after all?",
     true, true, false, OpenFullVersionHere, 0.28f, 0.86f, 0, -10, 1, 0},
    {"Are you sure you want\nto quit?", true, true, false, nullptr, 0.4f, 0.8f, 10, -5, 0, 1},
};

} // namespace

void helpDialog::InitDialogID(int id) {
  if (id < 0 || id >= DIALOG_IDS) return;
  const DialogSpec& d = kDialogs[id];
  textOffsetX = textOffsetY = 0;
  picture = 0;
  EnginePlaySound(48, 0);
  int bx = g_ratio_is_more_1_5 ? (MAXX - 346) / 2 : 65;
  Init(bx, 10, 346, 256, d.text);
  int by = y + 160;
  if (d.yes)
    buttons[0].Init((int)(280 * g_guiShiftX), by, 85, 61, 1, "", g_dialogButYes, g_dialogButYes, d.yesAction);
  if (d.ok)
    buttons[0].Init((int)(240 * g_guiShiftX), by, 85, 61, 1, "", g_dialogButOk, g_dialogButOk, KillDialogs);
  if (d.no)
    buttons[1].Init((int)(190 * g_guiShiftX), by, 85, 61, 1, "", g_dialogButNo, g_dialogButNo, KillDialogs);
  textScale = d.scale;
  lineSpacing = d.spacing;
  textOffsetX = d.offsetX;
  textOffsetY = d.offsetY;
  picture = d.picture;
  noDim = d.noDim;
  y += 25;
  for (button& b : buttons) {
    b.y += 25;
    b.UpdatePos();
  }
}

void helpDialog::Process(float dt) {
  time += dt;
  appear += 10 * dt;
  if (appear > 1.0f) appear = 1.0f;
  unrolledHeight += 200 * dt;
  if (unrolledHeight > (float)h) unrolledHeight = (float)h;
}

void helpDialog::Draw(Display* d) {
  if (!d) return;
  if (noDim != 1) {
    d->SetBlending((int)(appear * 175), 55, 55, 255);
    d->FillRect(0, 0, MAXX, MAXY, 0);
    d->SetBlending(255);
  }
  float s = appear * 0.5f;
  float cx = (float)x + (float)w / 2, cy = (float)y + (float)h / 2;
  d->BlitScaled(cx, cy, s, s, g_dialog[0]);
  d->BlitScaled(cx - 50, cy - 100, s, s, g_dialog[1 + (picture ? 1 : 0)]);
  if (FontSTD) {
    FontSTD->SetScale(appear * textScale);
    FontSTD->SetSpacing(lineSpacing);
    FontSTD->Render((float)(x + (int)(48 + textOffsetX)), (float)(y + (int)(90 + textOffsetY)), 0, text,
                    ColorRGB(15, 15, 15));
    if (secondText[0]) FontSTD->Render(cx, (float)(y + 112), 2, secondText, ColorRGB(255, 255, 0));
  }
  if (FontInterface) FontInterface->SetScale(1.0f);
  for (button& b : buttons)
    if (b.active && !b.disabled) b.Draw();
  d->SetBlending(255);
}

void helpDialog::Die() {
  active = 0;
  for (int i : buttonIndices)
    if (i >= 0 && i < BUTTONS) Buttons[i].active = 0;
}

int helpDialog::ProcessPressing(int px, int py, bool release) {
  if (tapToClose) {
    if (release && tapArea.Contains(px, py)) {
      Die();
      return 1;
    }
    return 0;
  }
  for (int i : buttonIndices)
    if (i >= 0) return 1;
  Die();
  return 0;
}

int AddDialogByID(int id, const char* text) {
  if (id < 0 || id >= DIALOG_IDS) return -1;
  for (int i = 0; i < HELP_DIALOGS; ++i) {
    helpDialog& d = HelpDialogs[i];
    if (d.active) continue;
    d.InitDialogID(id);
    if (text) snprintf(d.secondText, sizeof d.secondText, "%s", text);
    return i;
  }
  return -1;
}

int AddHelpDialog(int x, int y, int w, int h, const char* text) {
  for (int i = 0; i < HELP_DIALOGS; ++i)
    if (!HelpDialogs[i].active) {
      HelpDialogs[i].Init(x, y, w, h, text);
      return i;
    }
  return -1;
}

int ProcessHelpDialogs(float dt) {
  int any = 0;
  for (helpDialog& d : HelpDialogs) {
    if (!d.active) continue;
    d.Process(dt);
    d.TutorialCheckTutorialIssues();
    any = 1;
  }
  return any;
}

void DrawHelpDialogs(Display* d) {
  for (helpDialog& dialog : HelpDialogs)
    if (dialog.active) dialog.Draw(d);
}

int ProcessHelpDialogsStylus(int x, int y, bool release) {
  int any = 0;
  for (int i = HELP_DIALOGS - 1; i >= 0; --i) {
    helpDialog& d = HelpDialogs[i];
    if (!d.active) continue;
    any = 1;
    for (button& b : d.buttons)
      b.Stylus(x, y, release);
  }
  return any;
}

void KillDialogs() {
  for (helpDialog& d : HelpDialogs)
    d.active = 0;
}

void CancelDialogButton() { KillDialogs(); }

void OpenFullVersionHere() {
  KillDialogs();
  g_ratemeShownOrCompleted[2] = 1;
  SaveOptions();
  BBWeb_OpenURL(g_storePageUrl);
}
