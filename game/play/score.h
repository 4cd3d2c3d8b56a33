// The game's total score and the star and mushroom counts of a world, from the level records.
#pragma once

void UpdateScore();
int GetNumberOfStarsInWorld(int w);
int GetNumberOfShroomsInWorld(int w);
