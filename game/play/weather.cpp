// Weather puffs started from the level header.
#include "weather.h"

#include <cstdlib>

#include "game_globals.h"
#include "geometry.h"
#include "level_data.h"
#include "level_header.h"
#include "quest_state.h"
#include "smoke.h"
#include "sprite_tables.h"
#include "surface.h"
#include "trunc_int.h"

int WeatherAmount(int headerAmount) {
  if (headerAmount <= 0) return 0;
  // Above 20 the chance's divisor would reach zero; 20 already starts a puff every frame.
  return headerAmount > 20 ? 20 : headerAmount;
}

Surface* WeatherSprite(int kind, int r) {
  if (r < 0) r = -r;
  switch (kind) {
  case 0:
    return g_smoke[r % 4];
  case 1:
    return g_smoke[4 + r % 5];
  case 2:
    return g_smoke[9 + r % 4];
  case 3:
    return g_smoke[13 + r % 4];
  case 4:
    return g_smoke[17 + r % 5];
  case 5:
    return g_smoke[23];
  case 6:
    return g_smoke[24];
  case 7:
    return g_smoke[25];
  case 8:
    return g_smoke[26];
  case 9:
    return g_smoke[27 + r % 3];
  default:
    return nullptr;
  }
}

void AddWeatherFX(float) {
  if (g_paused) return;
  int amount = WeatherAmount(g_levelCur.weatherAmount);
  if (amount == 0) return;
  if (rand() % (21 - amount) != 0) return;
  int kind = g_levelCur.weatherKind;
  if (kind < 0 || kind > 9) return;
  Surface* sprite = WeatherSprite(kind, rand());
  // The header's velocities and the camera far out in a level may lie near the ends of int.
  int x = TruncToInt(rand() % (MAXX + 650) - 240 - g_drawShiftX);
  int y = TruncToInt(-50 - g_drawShiftY);
  float rotation = 0, spin = randFloat(-16, 16);
  if (kind == 3) {
    rotation = 3.1415927f;
    spin = 0;
  }
  float velX = (float)g_levelCur.weatherVelX, velY = (float)g_levelCur.weatherVelY;
  int vx = TruncToInt(randFloat(velX - 70, velX - 20));
  int vy = TruncToInt(randFloat(velY + 90, velY + 200));
  AddSmoke2(sprite, x, y, 0, rotation, spin, vx, vy, randFloat(0.1f, 0.4f), 0, 255.0f, 0, 0, 0);
}
