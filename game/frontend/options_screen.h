// The options screen (mode 2).
#pragma once

#include "game_modes.h"

class options : public gamemode {};
