// What level selection's box drawing and character picker share with the screen: the picker's
// strip geometry and label placement, and the characters' shown names.
#pragma once

enum {
  PICKER_CHARACTERS = 8,
  PICKER_STEP = 133,           // strip pixels from one character to the next
  PICKER_HIDDEN_CHARACTER = 7, // won in the mini-game, not bought
};

// Label placement of the picker's centred entries, and of the name plate under a portrait.
extern int shiftVal;
extern int shiftEx;
extern int shiftY;
// The character centred at the previous drag step of the picker.
extern int lastCharacter;

// "Sprocklet", "Demon", ...; null outside 0-7.
const char* PickerCharacterName(int id);
