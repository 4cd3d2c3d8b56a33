// Weather: leaves, snow, petals, sparks and the like, chosen by the level header and started as
// puffs in the smoke pool, which moves, draws and retires them.
#pragma once

// The header's amount is taken within 1..20; 0 or less is no weather.
int WeatherAmount(int headerAmount);
// The smoke sprite of a weather kind (0-9), or null for any other kind; r is a fresh random number.
class Surface;
Surface* WeatherSprite(int kind, int r);
// Once a frame, inside the zoomed part: starts at most one puff. dt is not used.
void AddWeatherFX(float dt);
