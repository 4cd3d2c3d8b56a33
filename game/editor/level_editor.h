// The level editor (mode 10), a developer tool reached only while g_finalRelease is 0.
#pragma once

#include "game_modes.h"

class level_editor : public gamemode {};
