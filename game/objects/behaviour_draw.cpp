// The extras a few object kinds draw after their sprite: the balloon's hanging part, the
// teleporter's glow, the hero's appearance marker and the mini-game hero's own body.
#include <cmath>

#include "display.h"
#include "game_globals.h"
#include "game_rect.h"
#include "quest_state.h"
#include "surface.h"

void gameRect::CustomDraw() {
  if (!display) return;
  const float shiftX = g_drawShiftX, shiftY = g_drawShiftY;
  if (noBlackEdges) display->SetNoBlackEdgesMode();

  if (type == 177) {
    display->SetBlending(255, 255, 255, 255);
    DrawScaled(x + 15 + shiftX, y - 10 + shiftY, 0.5f, -0.5f, RectSprite(178, (int)frame));
  }

  if (teleporter && custom3 > 100 && frameCount > 0) {
    // The slot gives each teleporter its own phase.
    int f = (int)((float)slot * 4.5f + fps * g_timef) % frameCount;
    if (f < 0) f += frameCount;
    display->SetAddMode();
    Surface* s = RectSprite(type, f);
    DrawScaled(centerX + shiftX, centerY + shiftY, scale * 0.5f, scale * -0.5f, s);
    DrawScaled(centerX + shiftX, centerY + shiftY, scale * 0.5f, scale * -0.5f, s);
    display->SetNoBlackEdgesMode();
  }

  if (type != HERO_TYPE) return;
  float t = spawnTime;
  if (t < 1.5f) {
    display->SetBlending(255, 255, 255, 255);
    float bx = pathX + width / 2 + shiftX, by = pathY + height / 2 + shiftY;
    // Early on the second frame number is negative: the table look-up then gives no sprite.
    DrawTurned(bx, by - 70, 0, 0.7f, -0.7f, RectSprite(HERO_TYPE, (int)((t - 0.5f) * 20 + 10)));
    DrawTurned(bx, by, 0, 0.7f, -0.7f, RectSprite(HERO_TYPE, (int)((t - 0.5f) * 10)));
  }
  if (shieldTimer > 0) display->SetBlending(255);
  if (g_characterID == 7 && !outOfPlay) {
    float k = scale * heroScale;
    if (inAir == 1 || animation == 27) {
      float angle = std::atan2(vy, vx) - (float)M_PI_2 + g_timef * 6 * (float)dirX;
      DrawTurned(centerX + 1 + shiftX, centerY - 3 + shiftY, angle, -(float)dirX * k, k,
                 CharacterSprite(0, jumpAllowance < -4 ? 1 : 0));
    } else {
      float ox = dirX < 0 ? 1.0f : -1.0f, oy = dirY < 0 ? 3.0f : -3.0f;
      DrawTurned(centerX + ox + shiftX, centerY + oy + shiftY, 0, heroScale * (float)dirX * scale,
                 -heroScale * scale * (float)dirY, CharacterSprite(0, 0));
    }
  }
}
