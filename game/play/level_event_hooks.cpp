// Play's answers to what the level's objects ask of it (level_events.h).
#include "level_complete.h"
#include "level_end.h"
#include "level_events.h"

void (*g_characterDieHook)() = AddCharacterDieAnimation;
void (*g_levelCompleteHook)() = OnLevelComplete;
void (*g_levelEndAnimationHook)(bool) = AddLevelEndAnimation;
