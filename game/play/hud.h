// The in-level HUD (clock, rank icons, golden joystick, control pads, special button, mushroom
// mark, death counter) and the level's background picture.
#pragma once

#include <cstddef>

// Seconds since the perfect rank was lost.
extern float goldenStickCustomTime;
// The death counter banner's vertical offset, -50 (hidden) to 0.
extern float diesCountBannerY;

// The clock's text: whole seconds and hundredths, or "-:-.-" for a quick-saved run.
void FormatLevelClock(char* out, size_t size, float t, bool quickSaved);
// Over the unzoomed screen, once per frame of play; also writes the run's rank.
void DrawQuestInterface(float dt);
// Before anything else of the frame.
void DrawBackgrounds(float dt);
