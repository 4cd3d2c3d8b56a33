// Stand-ins for the game's subsystems that do not exist yet. Each subsystem replaces its own
// section. The functions are weak, so a subsystem's (or a test's) own definition takes their place.
#include "game_services.h"

#define STUB __attribute__((weak))
