// The shop (mode 15) and its items.
#pragma once

#include "game_modes.h"

class shop : public gamemode {};
