// The world map (mode 1): the carousel of worlds.
#pragma once

#include "game_modes.h"

class newGame : public gamemode {};
