// The screens nothing reaches in play: hiscores (4), instructions (5), interLevel (7), mapMode (8) and about
// (17).
#pragma once

#include "game_modes.h"

class hiscores : public gamemode {};
class instructions : public gamemode {};
class interLevel : public gamemode {};
class mapMode : public gamemode {};
class about : public gamemode {};
