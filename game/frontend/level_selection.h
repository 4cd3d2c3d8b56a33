// Level selection (mode 11) with its level boxes and character picker.
#pragma once

#include "game_modes.h"

class levelSelection : public gamemode {};
