// The mode framework: creates every game mode into the mode table at the gameplay window's start
// and releases them at its end.
#pragma once

// Creates every mode and enters the loader (18) without a cross-fade.
void InitGameModes();
// Leaves and releases every mode.
void DeInitGameModes();
