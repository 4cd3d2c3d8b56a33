// The credits (mode 3).
#pragma once

#include "game_modes.h"

class credits : public gamemode {};
