// The pause panel: the dimmed panel sliding in from the bottom with the level name, the mushroom
// balance, the hero and the skip, options, menu, restart, resume and specials buttons, and the
// specials sub-panel sliding in from the left with the shield and time-slow powerups.
#pragma once

extern float pausePanelSize;    // 0..1, slide-in of the panel
extern float specialsPanelSize; // 0..1, slide-in of the specials sub-panel

// The panel's fixed button slots.
enum {
  PAUSE_SLOT_SKIP = 10,
  PAUSE_SLOT_OPTIONS = 11,
  PAUSE_SLOT_MENU = 12,
  PAUSE_SLOT_RESTART = 13,
  PAUSE_SLOT_RESUME = 14,
  PAUSE_SLOT_SHIELD = 15,
  PAUSE_SLOT_TIME = 16,
  PAUSE_SLOT_SPECIALS = 17,
};

class StaticBackdrop;
// The frozen level and what stands still over it (the panel's darkening, the level end's darkening
// or shutters), begun by the in-level mode while paused or at the level end.
StaticBackdrop& PauseBackdrop();

void ButtonResume();
void ButtonOptions();
void ButtonSpecials();
// One powerup from the stock per activation; nothing while it is already on or the stock is empty.
void ActivateShield();
void ActivateTimeSlow();
// Closes the shutters, then goes back to the menu.
void ReturnToMenu();
// Every frame with the real step: it animates while play is frozen.
void DrawPausePanel(float dt);
