// Runs through a level played with the game's own physics and recorder, as a player would: the hero
// leans with the tilt and jumps with steady taps. The timedemo replays a run to the exit door;
// demorec writes the pack's demo runs, which stay clear of the door.
#pragma once

class CGameBase;
class CXGameplayWindow;

// Starts the gameplay window on level 'level' with character 0, past the splash and into play
// (mode 9). Null (why printed, 'who' first) when it does not get there.
CXGameplayWindow* StartLevelWindow(CGameBase* game, int level, const char* who);

// Plays the level for up to 'frames' frames per rhythm of levelgen::kSteadyRhythms, until one
// reaches the exit door. The last run played is the level's ghost file in the save directory
// either way. True when it reached the door.
bool RecordLevelRun(CXGameplayWindow& window, int frames);

// How long a screen replays a level's demo: the main menu (level 0) starts its demo again after
// frame 5710, the help screen (level 19) lets the hero go after frame 4874.
int DemoLoopFrames(int level);

// Records the demo of the level for a screen that replays 'loop' frames of it: the steady player
// runs right and back again, turning well before the door, and from shortly before 'loop' stands
// still on the start's floor to the end of the run, a second past 'loop'. The run is the level's
// ghost file in the save directory. False (why printed) when the hero died, came near the door or
// was not at rest in time.
bool RecordDemoLoop(CXGameplayWindow& window, int loop);
