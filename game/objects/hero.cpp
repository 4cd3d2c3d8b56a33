// The hero's own step (damping, animation clock, falling out, teleport flight, wall slide,
// companions, sounds, animation choice, dust), its jump, its special abilities and death.
#include <cmath>
#include <cstdlib>

#include "game_globals.h"
#include "game_rect.h"
#include "geometry.h"
#include "level_data.h"
#include "level_events.h"
#include "mission_table.h"
#include "particles.h"
#include "smoke.h"
#include "sound_table.h"
#include "surface.h"
#include "touch_controls.h"
#include "trunc_int.h"

namespace {

const ParticleFrames kPuffFrames(1, 10);
// Shared by every hero: one dust puff at most every 0.12 s.
float g_dustDelay = 0;

bool IsGroundRow(int row) { return (row >= 0 && row <= 4) || (row >= 10 && row <= 12); }

float RowValue(const float* table, int row) { return row >= 0 && row < HERO_ANIM_ROWS ? table[row] : 0.0f; }

} // namespace

void gameRect::ProcessCharacter(float dt) {
  // 1. Damping.
  if (std::fabs(vx) <= 50)
    vx *= 0.86f;
  else
    vx *= 0.97f;

  // 2. The mushroom pose ends in a landing.
  float before = mushroomTimer;
  mushroomTimer -= dt;
  if (before >= 0 && mushroomTimer < 0) SwitchAnimation(5);
  boostTimer -= dt;

  // 3. Air spin.
  spin -= 23 * dt;
  if (spin < spinFloor) spin = spinFloor;

  // 4. Animation clock.
  frame += RowValue(animFps, animation) * dt;
  int shown = animationOverride >= 0 ? animationOverride : animation;
  if (frame > RowValue(animLength, shown)) {
    frame = 0;
    OnEndAnimation();
  }

  // 5. After the exit.
  if (levelFinished) {
    shield = 0;
    finishTime += dt;
    return;
  }

  // 6. Falling out of the level.
  if (y > (float)g_levelCurrentData.levelBottom + 200 || y < (float)g_levelCurrentData.levelTop - 1000) {
    shield = 0;
    if (shieldTimer >= 0) shieldTimer = -1;
    Die();
    return;
  }

  // 7. Teleport flight.
  if (teleporting) {
    for (int i = 0; i < 10; ++i) {
      float ex = teleportX - x, ey = (float)TruncToInt(teleportY - y);
      x += 89 * dt * (ex > 0 ? 1.0f : ex < 0 ? -1.0f : 0.0f);
      y += 89 * dt * (ey > 0 ? 1.0f : ey < 0 ? -1.0f : 0.0f);
      ex = teleportX - x;
      ey = teleportY - y;
      if (ex * ex + ey * ey < 4) {
        frozen = 0;
        teleporting = 0;
        noCollision = 0;
        drawFlag = 0;
        collides = 1;
        layer = 5;
        break;
      }
    }
  }

  // 8. Wall slide: on a wall and not on a floor.
  if (contactWall > -7 && contactFloor < -7) vy = characterId == 3 ? 0.0f : gravity < 0 ? -40.0f : 40.0f;

  // 9.
  contactWall--;
  contactWallLevel--;
  conveyorCounter--;
  shieldTimer -= dt;
  specialCooldown -= dt;

  // 10. Companions of the shield and the time slow.
  if (shield || timeSlow) {
    int sdx = TruncToInt(x - 5 - slowX), sdy = TruncToInt(y - slowY);
    slowX += (float)sdx * 8 * dt;
    slowY += (float)sdy * 8 * dt;
    slowDir = sdx < 0 ? -1 : 1;
    float wobble = std::sin(g_timef * 3) * 20;
    int hdx = TruncToInt(centerX + wobble - shieldX), hdy = TruncToInt(centerY + wobble - shieldY);
    shieldX += (float)hdx * 6 * dt;
    shieldY += (float)hdy * 8 * dt;
    shieldDir = hdx < 0 ? -1 : 1;
  }

  // 11. Long fall.
  if (framesInAir < 11) {
    airTime = 0;
    screamPlayed = 0;
  } else {
    airTime += dt;
    if (airTime > 1 && !screamPlayed) {
      EnginePlaySound(35, rand() % 5);
      screamPlayed = 1;
    }
  }
  if (waterCounter > 0) airTime = 0;

  // 12. Footsteps.
  if (!(contactFloor > -7) && !(contactCeiling > -7)) {
    stepTimer = -1;
  } else {
    stepTimer -= dt;
    if (stepTimer < (timeSlow ? -0.189f : -0.27f) && (animation == 2 || animation == 3 || animation == 22)) {
      EnginePlaySound(6, 0);
      stepTimer = 0;
    }
  }

  // 13. Air pose.
  if (inAir && animation != 27 && animation != 28) SwitchAnimation(flyAnimation ? 28 : 27);

  // 14. Ground animation.
  float speedX = std::fabs(vx);
  int a = -1;
  if (speedX < 10 && animation != 10 && animation != 11 && animation != 12) {
    a = 0;
    if (rand() % 220 == 0 && noIdle != 1 && idleCount > 0) a = 10 + rand() % idleCount;
  }
  if (steerable && std::fabs(inputSpeed) > 0 && vx == 0) a = 4;
  if (speedX > 10 && speedX < 65) a = 1;
  if (speedAnimation) {
    if (speedX > 10) {
      a = 1;
      animFps[1] = speedX * 0.12f;
    }
  } else {
    if (speedX >= 115 && speedX < 150) a = 2;
    if (speedX >= 200) a = 3;
  }
  if (a >= 0 && a != animation && IsGroundRow(animation)) SwitchAnimation(a);

  // 15. Running dust.
  g_dustDelay -= dt;
  if (g_dustDelay < 0) {
    g_dustDelay = 0.12f;
    bool puff = speedAnimation ? animation == 1 && speedX >= 120 : animation == 2 || animation == 3;
    if (puff) {
      int px = TruncToInt(x + 8 + (dirX < 0 ? 20 : -20));
      int py = TruncToInt(y + 12 - (dirY < 0 ? 1 : 0) - (speedAnimation ? 2 : 0));
      AddParticle((float)dirX * 0.36f, (float)dirY * 0.36f, px, py, 0, 0, 0, 0, kPuffFrames.frames, 0.08f,
                  1000);
    }
  }

  // 16. Mushroom pose.
  if (mushroomTimer > 0) {
    switch (animation) {
    case 7:
      animationOverride = 24;
      break;
    case 8:
      animationOverride = 23;
      break;
    case 27:
      animationOverride = 21;
      break;
    case 5:
      if (characterId == 0) animationOverride = 25;
      break;
    default:
      animationOverride = 22;
      break;
    }
  } else {
    animationOverride = -1;
  }
}

void gameRect::Jump() {
  if (levelFinished) return;
  inBubble = 0;
  airTime = 0;
  screamPlayed = 0;
  Missions[1].AddToCounter(1.0f);
  if (characterId == 2) floatTimer = 100;
  if (jumpAllowance <= 0) return;

  AddParticle(0.5f, 0.5f, TruncToInt(centerX), TruncToInt(centerY + 4), 0, 0, 3, 0, kPuffFrames.frames, 0.08f,
              1000);

  // The air jump (more than 10 frames after the last contact) spins and spends the allowance.
  if (sinceContact < -60 || jumpFlag) {
    jumpAllowance -= 10;
    if (characterId != 4) {
      spinFloor = std::atan2(vy, vx) - (float)M_PI_2;
      spin = spinFloor + 2 * (float)M_PI;
    }
    spinDirection = vx < 0 ? 1.0f : -1.0f;
    if (characterId == 7) spinDirection = -1;
  }

  if (waterCounter > 0) {
    EnginePlaySound(22, 0);
  } else if (sandCounter > 0) {
    EnginePlaySound(21, rand() % 3);
  } else {
    bool spent = jumpAllowance < 1;
    EnginePlaySound(spent ? 1 : 0, rand() % 3);
    if (characterId == 0 && rand() % 2 == 0) EnginePlaySound(spent ? 3 : 2, rand() % 7);
  }

  jumpHoldTimer = 0.2f;

  // Wall jump: a side contact within the last 14 updates kicks away from the wall.
  if (contactSide > -14) {
    kickX = characterId == 3 ? 0.0f : (float)dirX * 800 * ((std::fabs(inputSpeed) / 300) * 0.66f + 0.33f);
    if (fast) kickX *= 0.75f;
  }

  if (flipGravityOnJump) gravity = -gravity;
  if (attached) {
    if (attachedSlot >= 0 && attachedSlot < GAME_RECTS) GameRects[attachedSlot].holdState = 2;
    attached = 0;
  }
  jumped = 1;
}

void gameRect::PerformSpecial() { CustomJump(); }

bool gameRect::CustomJump() {
  if (teleporting) return true;
  switch (characterId) {
  case 1:
  case 3:
  case 4:
    if (characterId == 1) {
      impulseX = (float)dirX * 1000;
    } else if (characterId == 3) {
      impulseY = -2000;
      vy = 0;
    } else {
      impulseY = 2000;
    }
    EnginePlaySound(8, 2);
    specialCooldown = specialCooldownMax;
    return true;
  case 5:
    // A short teleport through walls: the nearest free place behind the hero's facing.
    for (int d = 2; d <= 204; d += 2) {
      float shift = (float)d * (float)dirX;
      myRect test(box.left - shift - 1, box.top - 1, box.right - shift + 1, box.bottom + 1);
      bool free = true;
      for (int i = 1; i < GAME_RECTS && free; ++i) {
        const gameRect& o = GameRects[i];
        if (!o.active || o.noCollision) continue;
        myRect r = test;
        r.Intersect(o.box);
        if (!r.IsEmpty()) free = false;
      }
      if (!free) continue;
      EnginePlaySound(26, 0);
      teleporting = 1;
      teleportX = x - shift;
      teleportY = y;
      frozen = 1;
      noCollision = 1;
      drawFlag = 1;
      collides = 0;
      layer = 19;
      UpdateCoordinates();
      specialCooldown = specialCooldownMax;
      return true;
    }
    return false;
  case 2:
    specialCooldown = specialCooldownMax;
    return true;
  default:
    return false;
  }
}

void gameRect::Die() {
  if (dead) return;
  if (projectile) {
    EnginePlaySound(12, 0);
    dead = 1;
    gameRect& hero = GameRects[0];
    int dx = TruncToInt(centerX - hero.centerX), dy = TruncToInt(centerY - hero.centerY);
    if ((long long)dx * dx + (long long)dy * dy < radius) hero.Die();
    vx = vy = 0;
    collides = 0;
    collidesWithHero = 0;
    oneShotAnimation = 1;
    firstFrame = 2;
    frameCount = 16;
    frame = 2;
    fps = 20;
    return;
  }
  if (breakable) {
    active = 0;
    Surface* piece = RectSprite(type, 0);
    // The pool holds no more pieces than its size, so a box of any size from a level file stops
    // there (counting by index: far from the origin a float no longer moves by 7).
    int pieces = 0;
    for (int i = 0; pieces < SMOKES && box.left + 7.0 * i < box.right - 5; ++i)
      for (int j = 0; pieces < SMOKES && box.top + 7.0 * j < box.bottom - 5; ++j, ++pieces)
        AddSmoke2(piece, TruncToInt(box.left + 7.0 * i + 5), TruncToInt(box.top + 7.0 * j + 5),
                  (int)randFloat(800, 1300), 0, randFloat(-7, 7), (int)randFloat(-300, 300),
                  (int)randFloat(-200, 200), randFloat(0.04f, 0.1f), 0, 255, 0, 0, 1);
    return;
  }
  if (type != HERO_TYPE) return;

  if (shield) {
    // The shield takes the blow and leaves two seconds of immunity.
    EnginePlaySound(8, 0);
    shieldTimer = 2;
    shield = 0;
    return;
  }
  if (shieldTimer > 0) return;

  g_levelCurrentData.deaths += 1;
  g_levelCurrentData.sinceRespawn = 0;
  Missions[4].AddToCounter(1.0f);
  Missions[14].AddToCounter(1.0f);
  pose = 0;
  mushroomTimer = -1;
  inBubble = 0;
  layer = 10000;
  jumped = 0;
  dead = 1;
  dirY = 1;
  inAir = 0;
  steerable = 0;
  RmoveCenterCur.x = 0;
  bRightPressed = bLeftPressed = bJumpPressed = bEnterPressed = false;
  // Each kind counts toward the mission of its name: "Electroman" (20) and "Torch" (17).
  switch (deathKind) {
  case 1:
    SwitchAnimation(15);
    Missions[20].AddToCounter(1.0f);
    EnginePlaySound(9, 0);
    break;
  case 2:
    SwitchAnimation(16);
    Missions[17].AddToCounter(1.0f);
    EnginePlaySound(10, 0);
    break;
  default:
    SwitchAnimation(14);
    EnginePlaySound(7, rand() % 3);
    break;
  }
  if (characterId == 0) EnginePlaySound(8, rand() % 3);
  g_characterDieHook();
  if (attached)
    for (gameRect& r : GameRects)
      r.holdState = 2;
  if (deathKind == 0) {
    for (int i = 0; i < 12; ++i)
      AddSmoke2(CharacterSprite(14, 13 + rand() % 6), TruncToInt(x + randFloat(-16, 16)),
                TruncToInt(y + randFloat(-16, 16)), 1000, 0, -0.01f, (int)randFloat(-200, 200),
                (int)randFloat(-200, 300), randFloat(0.5f, 0.7f), 0, 255, 0, 0, 4);
    if (characterId == 7)
      for (int i = 0; i < 20; ++i)
        AddSmoke2(CharacterSprite(0, 0), TruncToInt(x + randFloat(-16, 16)),
                  TruncToInt(y + randFloat(-16, 16)), (int)randFloat(900, 1300), 0, -0.01f,
                  (int)randFloat(-200, 200), (int)randFloat(-500, 300), randFloat(0.1f, 0.3f), 0, 255, 0, 0,
                  4);
  }
}
