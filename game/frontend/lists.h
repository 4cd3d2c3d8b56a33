// The missions list (mode 12) and the secrets list (mode 13).
#pragma once

#include "game_modes.h"

class missionsList : public gamemode {};
class secretsList : public gamemode {};
