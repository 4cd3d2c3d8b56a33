// The help screen (mode 16).
#pragma once

#include "game_modes.h"

class help : public gamemode {};
