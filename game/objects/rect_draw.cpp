// Drawing one level object or the hero: the off-screen test, the sprite with its facing, frame and
// scale, the per-type extras drawn before it, and the values derived after a level load.
#include <cmath>
#include <cstdlib>

#include "display.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "quest_state.h"
#include "sprite_tables.h"
#include "surface.h"
#include "trunc_int.h"

namespace {

// The frame of a looping animation: objects of one type run out of phase by their slot.
int LoopFrame(int slot, float fps, int frameCount) {
  if (frameCount < 1) return 0;
  double t = std::fmod((double)slot * 4.5 + (double)fps * (double)g_timef, (double)frameCount * 1e6);
  int f = TruncToInt(t) % frameCount;
  return f < 0 ? f + frameCount : f;
}

Surface* FlatPixie(int i) { return i >= 0 && i < 40 ? g_pixie[i / 20][i % 20] : nullptr; }
Surface* FlatParticle(int i) { return i >= 0 && i < 200 ? g_Particles[i / 20][i % 20] : nullptr; }

// The sprite of a type and frame, loading a deferred picture on first use.
Surface* ObjectSprite(int type, int frame) {
  Surface* s = RectSprite(type, frame);
  if (!s && type >= 0 && type < RECTS_TYPES && frame >= 0 && frame < RECTS_FRAMES &&
      g_rectDummies[type][frame]) {
    g_rectDummies[type][frame]->UseMeToLoad(type, frame);
    s = RectSprite(type, frame);
  }
  return s;
}

} // namespace

void gameRect::UpdateParametersAfterLoad() {
  switch (type) {
  case 420:
    frame = custom1 / 1000 + custom2 / 100;
    behaviourRate = 5 - custom2 / 10;
    break;
  case 183:
  case 206:
  case 441:
  case 494:
  case 650:
    behaviourRate = 5 - custom2 / 10;
    break;
  case 220:
    UpdateCoordinates();
    for (int i = 0; i < SWARM_MEMBERS; ++i) {
      animFps[i] = centerX + (float)(rand() % 181 - 90);
      animLength[i] = centerY + (float)(rand() % 181 - 90);
    }
    break;
  default:
    break;
  }
}

bool gameRect::isRejectDraw() {
  if (laser) return false;
  float s = g_gameScreenScale > 0 ? g_gameScreenScale : 1.0f;
  int w = TruncToInt((rotated ? height : width)), h = TruncToInt((rotated ? width : height));
  w = TruncToInt(w * customSize);
  h = TruncToInt(h * customSize);
  int viewW = TruncToInt(MAXX / s), viewH = TruncToInt(MAXY / s);
  if (g_ipad) {
    viewW = TruncToInt(1024 / (s * 2.1));
    viewH = TruncToInt(768 / (s * 2.4));
  }
  const float m = 5;
  if (draw2Point) {
    float half = (float)(TruncToInt(std::fmax(baseWidth, baseHeight)) / 2);
    if (centerX + half + g_drawShiftX < -m || centerY + half + g_drawShiftY < -m) return true;
    if (centerX - half + g_drawShiftX > viewW + m || centerY - half + g_drawShiftY > viewH + m) return true;
    return false;
  }
  float sx = x + g_drawShiftX, sy = y + g_drawShiftY;
  if (sx > viewW + m || sy > viewH + m) return true;
  if (sx < -m - w && sx < -m - auxX) return true;
  if (sy < -m - h && sy < -m - auxY) return true;
  return false;
}

void gameRect::Draw() {
  if ((isRejectDraw() && !editorSelected) || hidden || !display) return;
  if (!noTint) display->SetBlending(color[0], color[1], color[2], color[3]);
  CustomDrawPre();
  if (drawFlag) return;
  if (vx > 1) dirX = 1;
  if (vx < -1) dirX = -1;
  if (g_levelSelected == 0 && type >= 0 && type < OBJECT_TYPES) debug_registerSprites[type] = 1;

  float cx = centerX + g_drawShiftX, cy = centerY + g_drawShiftY;
  if (slot == 0 || type == HERO_TYPE) {
    // The extras follow even while the hero itself is not shown: its appearance marker plays through
    // the start wait, and the mini-game hero's body is drawn there.
    [&] {
      int row = animationOverride >= 0 ? animationOverride : animation + (inAir ? pose : 0);
      if (spawnTime < 0.5f || attached) {
        display->SetBlending(255, 255, 255, 255);
        return;
      }
      Surface* s = CharacterSprite(row, TruncToInt(frame));
      if (!s) return;
      if (inAir || row == 27) {
        float angle;
        if (spin > spinFloor)
          angle = spin * spinDirection;
        else
          angle = std::atan2(vy, vx) - (float)M_PI_2;
        if (characterId == 4) angle = std::atan2(vy, vx) - (float)M_PI_2 + g_timef * 16 * (float)dirX;
        if (row == 10) angle -= (float)M_PI_2;
        float squash = std::sqrt(vx * vx + vy * vy) * 0.0006f - 0.2f;
        if (squash > -0.01f) squash = -0.01f;
        if (waterCounter > 0 || sandCounter > 0) squash = -0.03f;
        if (row == 20 || row == 26) squash = 0;
        if (drawFlagHero)
          DrawTurned(cx + 1, cy - 3, 0, (float)dirX * scale * heroScale, -scale * heroScale, s);
        else
          DrawTurned(cx + 1, cy - 3, angle, -(float)dirX * scale * heroScale, scale * (heroScale + squash),
                     s);
      } else {
        DrawTurned(cx + (dirX < 0 ? 1.0f : -1.0f), cy + (dirY < 0 ? 3.0f : -3.0f), 0,
                   heroScale * (float)dirX * scale, -heroScale * scale * (float)dirY, s);
      }
      display->SetBlending(255, 255, 255, 255);
    }();
    CustomDraw();
    return;
  }

  int f = oneShotAnimation ? TruncToInt(frame) : LoopFrame(slot, fps, frameCount);
  Surface* s = ObjectSprite(type, f);
  if (s) {
    if (!draw2Point) {
      float overlap = water || sand ? 1.0f : 1.005f;
      float sx = (flipX ? -0.5f : 0.5f) * customSize * overlap;
      float sy = (flipY ? 0.5f : -0.5f) * customSize * overlap;
      // Turned by no angle rather than scaled: a negative vertical scale then draws the sprite upright,
      // as it does for the hero, where the plain scaled blit would mirror it upside down.
      DrawTurned(cx, cy, rotated ? (float)M_PI_2 : 0.0f, rotated ? sy : sx, rotated ? sx : sy, s);
    } else {
      float angle = std::atan2(y2 - y, x2 - x) + (rotated ? (float)M_PI_2 : 0.0f);
      float k = customSize * 0.5f;
      float px = drawMode2 ? x2 + g_drawShiftX : cx, py = drawMode2 ? y2 + g_drawShiftY : cy;
      DrawTurned(px, py, angle, k, flipY ? -k : k, s);
    }
  }
  CustomDraw();
}

void gameRect::CustomDrawPre() {
  if (!display) return;
  float t = g_timef;
  float cx = centerX + g_drawShiftX, cy = centerY + g_drawShiftY;
  int tick30 = TruncToInt(t * 30);
  if (tick30 < 0) tick30 = 0;

  if (type == HERO_TYPE) {
    if (shieldTimer > 0) {
      int v = TruncToInt(std::sin(shieldTimer * 50) * 100 + 100);
      display->SetBlending(255, 255, v, v);
    }
    if (timeSlow)
      DrawScaled(slowX + g_drawShiftX, slowY + g_drawShiftY, customSize * 0.4f * (slowDir < 0 ? -1.0f : 1.0f),
                 customSize * 0.4f, FlatPixie(tick30 % 10));
    if (shield)
      DrawScaled(shieldX + g_drawShiftX, shieldY + g_drawShiftY,
                 customSize * 0.4f * (shieldDir < 0 ? -1.0f : 1.0f), customSize * 0.4f,
                 FlatPixie(20 + tick30 % 10));
    if (teleporting)
      DrawScaled(x + g_drawShiftX, y + g_drawShiftY, 0.5f, 0.5f, FlatParticle(60 + tick30 % 8));
  }
  if (type == 478) {
    drawFlag = 1;
    if (g_currentMode == 14) width += 100;
    UpdateCoordinates();
    DrawTurned((float)(MAXX / 2), y + g_drawShiftY, 0, scale * (g_ipad ? 2.0f : 2.5f), scale * -0.5f,
               ObjectSprite(type, 0));
  }
  if (type == 22) {
    Surface* tile = ObjectSprite(type, 10);
    float limX = MAXX / g_gameScreenScale, limY = MAXY / g_gameScreenScale;
    // The column is bounded by its depth; a file cannot make it longer than the view needs.
    for (int d = TruncToInt(height); d < auxY && d < 100000; d += 40) {
      float x1 = x - 1 + g_drawShiftX, y1 = y + d - 1 + g_drawShiftY;
      if (x1 < limX && y1 < limY && x1 > -42 && y1 > -42 && tile)
        display->BlitStretch(x1, y1, x1 + 42, y1 + 42, tile);
    }
  }
  if (type == 118) {
    Surface* tile = ObjectSprite(type, 10 + LoopFrame(0, fps, 4));
    for (int d = TruncToInt(height); d < auxY && d < 100000; d += 40) {
      float x1 = x - 1 + g_drawShiftX, y1 = y + d - 1 + g_drawShiftY;
      if (tile) display->BlitStretch(x1, y1, x1 + 42, y1 + 42, tile);
    }
  }
  if (type == 16)
    DrawTurned(cx, cy + (flipY ? -2.0f : 2.0f), 2 * t, customSize * 0.5f, customSize * 0.5f,
               ObjectSprite(16, 1));
  if (additive) display->SetAddMode();
  if (swarm) {
    if (g_currentMode == 10) DrawTurned(cx, cy + 2, 2 * t, 1.5f, 1.5f, ObjectSprite(type, 1));
    int n = TruncToInt(custom1 / 10);
    if (n > SWARM_MEMBERS) n = SWARM_MEMBERS;
    float k = custom2 / 500 + 0.5f;
    for (int i = 0; i < n; ++i)
      DrawScaled(animFps[i] + g_drawShiftX, animLength[i] + g_drawShiftY, k, k, ObjectSprite(type, 1));
  }
  float turn = fps * t * (flipY > 0 ? -1.0f : 1.0f);
  if (rotatingPart) DrawTurned(cx, cy, turn, customSize * 0.5f, customSize * -0.5f, ObjectSprite(type, 1));
  if (autoRotation) {
    drawFlag = 1;
    DrawTurned(cx, cy, turn, customSize * 0.5f, customSize * -0.5f, ObjectSprite(type, 0));
  }
  float a = blockAngle + (float)M_PI;
  if (projectile && !dead) DrawTurned(cx, cy, a, scale * 0.5f, scale * 0.5f, ObjectSprite(type, 1));
  if (cannon) DrawTurned(cx, cy, a, 0.5f, 0.5f, ObjectSprite(type, 1));
  if (monster && !dead)
    DrawTurned(cx, cy, a, scale * 0.5f, scale * 0.5f, ObjectSprite(type, TruncToInt(frame)));
  if (guns) {
    DrawTurned(cx, cy, a, 0.5f, 0.5f, ObjectSprite(type, 1));
    if (type == 183 && fireTimer < 0.5f) {
      float k = std::sin(20 * t) * 0.3f;
      DrawTurned(cx, cy, a, k, k, ObjectSprite(184, 1));
    }
  }
  if (laser) {
    DrawTurned(cx, cy, a, 0.5f, 0.5f, ObjectSprite(type, 1));
    int len = TruncToInt(custom1);
    if (fireTimer > 0) {
      float div = custom2 / 10 + 38;
      DrawTurned(cx - std::cos(a) * (float)len, cy - std::sin(a) * (float)len, a,
                 div != 0 ? -((float)len / div) : 0, fireTimer * (std::sin(50 * t) * 0.1f + 0.5f),
                 ObjectSprite(type, 2));
    }
  }
  if (type == 57 || type == 99) {
    float s1 = std::sin(3 * t) * 0.1f + 0.35f, s2 = std::cos(3 * t) * 0.1f + 0.35f;
    float s3 = std::sin(2.3f * t) * 0.04f + 0.45f;
    DrawTurned(cx, cy, 0, s1, s1, ObjectSprite(type, 2));
    DrawTurned(cx, cy, (float)M_PI_4, s2, s2, ObjectSprite(type, 2));
    if (type == 57) {
      DrawTurned(cx, cy, 0, s3, -s3, ObjectSprite(type, 1));
    } else {
      int item = TruncToInt(std::fabs(custom1 / 6));
      if (item >= 0 && item < 100) DrawTurned(cx, cy, 0, s3, -s3, g_secretItems[item]);
    }
  }
}
