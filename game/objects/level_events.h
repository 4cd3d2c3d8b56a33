// What the level's objects ask of the in-level play above them: the hooks play sets (in
// level_event_hooks.cpp) to its own answers.
#pragma once

// The hero died: AddCharacterDieAnimation.
extern void (*g_characterDieHook)();
// The hero reached the exit: OnLevelComplete, then AddLevelEndAnimation(false).
extern void (*g_levelCompleteHook)();
extern void (*g_levelEndAnimationHook)(bool phase1);
