// A run through a level played with the game's own physics and recorder, as a player would: the
// hero leans right and jumps in a steady rhythm. The timedemo replays such a run; demorec writes
// the pack's demo runs with it.
#pragma once

class CGameBase;
class CXGameplayWindow;

// Starts the gameplay window on level 'level' with character 0, past the splash and into play
// (mode 9). Null (why printed, 'who' first) when it does not get there.
CXGameplayWindow* StartLevelWindow(CGameBase* game, int level, const char* who);

// Plays the level for up to 'frames' frames per rhythm, trying the rhythms in order until one
// reaches the exit door. The last run played is the level's ghost file in the save directory
// either way. True when it reached the door.
bool RecordLevelRun(CXGameplayWindow& window, int frames);
