// The hidden mini-game (mode 14).
#pragma once

#include "game_modes.h"

class miniGame : public gamemode {};
