// Object behaviours that chase, shoot, catch, carry or kill the hero: birds, guns and their
// projectiles, laser turrets, traps, homing projectiles, monsters, flying saucers, bubbles,
// balloons, lethal circles, chainsaws and lethal boxes.
#include <cmath>
#include <cstdlib>

#include "behaviours.h"
#include "draw_order.h"
#include "game_modes.h"
#include "game_rect.h"
#include "geometry.h"
#include "mission_table.h"
#include "recordings.h"
#include "smoke.h"
#include "sound_table.h"

namespace {

// Ten small steps toward pointing from the object at the hero: the angle difference is to the
// direction from the hero to the object, so the step drives the angle half a turn past it.
void TurnTowardHero(float& angle, const HeroReach& r, float rate) {
  float target = std::atan2((float)r.dy, (float)r.dx);
  for (int i = 0; i < 10; ++i)
    angle += compareAngles(angle, target) * rate;
}

void KillHero(int kind) {
  gameRect& hero = GameRects[0];
  hero.deathKind = kind;
  hero.Die();
}

int DeathKindOf(const gameRect& o, int kind) {
  if (o.electric) kind = 1;
  if (o.fire) kind = 2;
  return kind;
}

// Jaws (traps) and lethal boxes share the inner rectangle; a rotated object has its sides swapped.
myRect InnerBox(const gameRect& o, int marginX, int marginY) {
  if (o.rotated) return myRect(o.x + 8, o.y + 6, o.x + o.height - 9, o.y + o.width - 5);
  return myRect(o.x + 2 - (float)marginX, o.y + 9 - (float)marginY, o.x + o.width - 4 + (float)marginX,
                o.y + o.height - 9 + (float)marginY);
}

void BurstBubble(gameRect& o) {
  o.rest = 0;
  o.frame = 16;
  o.bubbleState = 2;
  o.firstFrame = 15;
  o.fps = 17;
}

} // namespace

void BehaviourBird(gameRect& o, float dt) {
  const gameRect& hero = GameRects[0];
  if (o.birdState == 0) {
    if (rand() % 300 == 0) {
      o.firstFrame = 6;
      o.frameCount = 3;
    }
    if (o.firstFrame == 6 && o.frame > 10) {
      o.firstFrame = 0;
      o.frameCount = 5;
    }
    int dx = (int)(o.x - hero.x), dy = (int)(o.y - hero.y);
    if (std::abs(dx) < 100 && std::abs(dy) < 30) {
      o.birdState = 1;
      o.firstFrame = 10;
      o.frameCount = 6;
      o.fps = 15;
      o.frame = 10;
      o.vy = randFloat(-300, -150);
      o.vx = randFloat(280, 400);
      EnginePlaySound(15, rand() % 9);
    }
  } else if (o.birdState == 1) {
    int dx = (int)(o.x - hero.x);
    if (std::abs(dx) > 1200) o.active = 0;
    int away = signOf((float)dx);
    o.x += (float)away * o.vx * dt;
    o.y += o.vy * dt;
    o.flipX = away >= 1 ? 1 : 0;
    o.UpdateCoordinates();
  }
}

bool BehaviourGun(gameRect& o, const HeroReach& r, float dt) {
  if (g_currentMode == 10) return false;
  o.fireTimer -= dt;
  if (std::abs(r.dx) > 500 || std::abs(r.dy) > 500) return false;
  if (o.custom1 < 100) TurnTowardHero(o.blockAngle, r, dt * 0.1f);
  if (o.fireTimer < 0) {
    int offset = -4, reach = 27, sound = 19, variant = 1;
    float next = o.fps * 0.5f;
    switch (o.type) {
    case 206:
      offset = -10, reach = 50, sound = 20, variant = 0, next = o.fireInterval;
      break;
    case 183:
      reach = 20, variant = 0, next = o.fireInterval;
      break;
    case 494:
      sound = 20;
      break;
    default:
      break;
    }
    o.fireTimer = next;
    int px = (int)(o.centerX + (float)offset + std::cos(o.blockAngle) * (float)reach);
    int py = (int)(o.centerY + (float)offset + std::sin(o.blockAngle) * (float)reach);
    float angle = o.blockAngle;
    int shot = AddGameRectInGame(px, py, o.type + 1, false);
    ForceResortGlobalObjects();
    if (shot >= 0) GameRects[shot].blockAngle = angle;
    EnginePlaySound(sound, variant);
  }
  return true;
}

bool BehaviourLaser(gameRect& o, const HeroReach& r, float dt) {
  if (g_currentMode == 10) o.fireTimer = 1.0f;
  if (o.fireTimer < 0) o.fireTimer = 0;
  float range = 2 * o.custom1;
  if ((float)std::abs(r.dx) > range || (float)std::abs(r.dy) > range) {
    o.fireTimer -= 4 * dt;
    return false;
  }
  o.fireTimer += 4 * dt;
  if (o.fireTimer > 1.0f) o.fireTimer = 1.0f;
  float target = std::atan2((float)r.dy, (float)r.dx);
  for (int i = 0; i < 10; ++i) {
    if (compareAngles(o.blockAngle, target) <= 0)
      o.blockAngle -= 0.01f * o.fps * dt;
    else
      o.blockAngle += 0.01f * o.fps * dt;
  }
  const gameRect& hero = GameRects[0];
  float len = o.custom1 * 1.8f;
  myPoint a(o.centerX, o.centerY);
  myPoint b(o.centerX + std::cos(o.blockAngle) * len, o.centerY + std::sin(o.blockAngle) * len);
  if (IntersectCircleLine(myPoint(hero.centerX, hero.centerY), 10, a, b)) KillHero(2);
  return true;
}

void BehaviourTrap(gameRect& o, const HeroReach& r, float dt) {
  if (HeroInBox(InnerBox(o, 0, 0)))
    o.trapTime += dt;
  else
    o.trapTime = 0;
  if (o.trapTime > 0.1f) {
    if (o.trapState != 1) EnginePlaySound(14, 0);
    o.trapState = 1;
    o.firstFrame = 1;
    o.frameCount = 7;
  }
  if (o.trapState == 1) {
    int f = (int)o.frame;
    if (f == 3 && std::abs(r.dx) < 30 && std::abs(r.dy) < 30) GameRects[0].Die();
    if (f == 6) {
      o.frameCount = 0;
      o.trapState = 0;
      o.firstFrame = 0;
    }
  }
}

bool BehaviourProjectile(gameRect& o, const HeroReach& r, float dt) {
  if (o.dead) {
    if (o.frame > 16) o.active = 0;
    return false;
  }
  if (g_currentMode == 10) return false;
  if ((double)r.d2 < o.radius * 1.6) Missions[13].AddToCounter(1.0f);
  TurnTowardHero(o.blockAngle, r, dt * 0.2f * o.turnRate);
  float c = std::cos(o.blockAngle), s = std::sin(o.blockAngle);
  o.x += o.speed * c * dt;
  o.y += o.speed * s * dt;
  o.UpdateCoordinates();
  if (o.updateCounter % 2 == 0)
    AddSmoke2(RectSprite(o.type, 2 + rand() % 2), (int)(o.centerX + c * -20), (int)(o.centerY + s * -20), 0,
              0, randFloat(-7, 7), (int)randFloat(-3, 3), (int)randFloat(-3, 3), randFloat(0.3f, 0.5f), 0,
              255, -1400, 0, 1);
  if (o.framesInAir < 2) o.Die();
  return true;
}

bool BehaviourMonster(gameRect& o, const HeroReach& r, float dt) {
  if (o.dead) {
    if (o.frame > 16) o.active = 0;
    return false;
  }
  if (g_currentMode == 10) return false;
  int ax = std::abs(r.dx), ay = std::abs(r.dy);
  if (o.monsterState == 0) {
    if (ax >= 200 || ay >= 200) return false;
    o.monsterState = 1;
    o.firstFrame = 3;
    o.frameCount = 3;
    EnginePlaySound(25, o.type == 195 ? 0 : 1);
    return false;
  }
  if (o.monsterState == 1) {
    if (ax < 89 && ay < 89) {
      o.firstFrame = 7;
      o.frameCount = 7;
      o.fps = 25;
    }
    if (ax > 180 || ay > 180) {
      o.firstFrame = 3;
      o.frameCount = 3;
      o.fps = 12;
    }
    if (ax < 30 && ay < 30) {
      o.monsterState = 2;
      o.firstFrame = 7;
      o.frameCount = 7;
      o.fps = 25;
      GameRects[0].Die();
    }
  }
  if (o.monsterState == 2) return false;
  TurnTowardHero(o.blockAngle, r, dt * 0.2f * o.turnRate);
  o.speed = o.custom1;
  o.x += o.speed * std::cos(o.blockAngle) * dt;
  o.y += o.speed * std::sin(o.blockAngle) * dt;
  o.UpdateCoordinates();
  return true;
}

void BehaviourSaucer(gameRect& o, const HeroReach& r) {
  gameRect& hero = GameRects[0];
  switch (o.holdState) {
  case 0:
    if (!((float)r.d2 < r.w * r.w)) return;
    o.layer = 25;
    o.holdState = 1;
    o.firstFrame = 1;
    o.frameCount = 3;
    o.frame = 1.0f;
    o.oneShotAnimation = 1;
    hero.jumpAllowance = 1;
    hero.Jump();
    hero.jumpAllowance = 1;
    // The hero's jump lets go of what it is attached to: that is how it leaves the saucer.
    hero.inSaucer = 1;
    hero.saucerSlot = o.slot;
    hero.attached = 1;
    hero.attachedSlot = o.slot;
    hero.x = o.x;
    hero.y = o.y;
    hero.UpdateCoordinates();
    EnginePlaySound(27, 0);
    break;
  case 1:
    o.x += std::trunc(hero.x - o.x) * 0.3f;
    o.y += std::trunc(hero.y - o.y) * 0.3f;
    o.x2 = o.x + hero.vy * 0.002f;
    o.y2 = o.y + hero.vx * 0.001f;
    o.UpdateCoordinates();
    hero.jumpHoldTimer = 0.1f;
    break;
  case 2:
    if (o.layer == 25) {
      o.layer = 24;
      o.frame = 11;
      o.firstFrame = 11;
      o.frameCount = 10;
      o.fps = 15;
    }
    if (o.frame >= 20) o.active = 0;
    o.UpdateCoordinates();
    break;
  default:
    break;
  }
}

void BehaviourBubble(gameRect& o, const HeroReach& r, float dt) {
  gameRect& hero = GameRects[0];
  if (o.bubbleState == 0) {
    if (!((float)r.d2 < r.w * r.w * 2.5f)) return;
    if (!hero.inBubble && !o.hidden) {
      hero.animation = 26;
      hero.frame = 0;
      hero.inBubble = 1;
      EnginePlaySound(17, 0);
      o.bubbleState = 1;
      o.frameCount = 9;
      o.firstFrame = 5;
      o.frame = 5;
      o.rest = 1;
      o.move.Reset();
      o.moveState.Reset();
    } else if (hero.inBubble) {
      BurstBubble(o);
    }
  } else if (o.bubbleState == 1) {
    o.y += o.custom1 * -0.5f * dt;
    o.x += hero.inputSpeed * 0.1f * dt + o.custom2 * dt;
    int ex = (int)((hero.x - o.x) - 8 + o.custom2 * dt * -0.5f);
    int ey = (int)((hero.y - o.y) - 7 + o.custom1 * 0.5f * dt * 0.5f);
    hero.x += (float)ex * -0.7f;
    hero.y += (float)ey * -0.7f;
    if (std::abs(ex) < 3 && std::abs(ey) < 3) {
      hero.x = o.x + 8;
      hero.y = o.y + 7;
    }
    hero.vx = 0;
    hero.vy = -10;
    hero.dirX = -1;
    hero.dirY = 1;
    hero.framesInAir = -1;
    hero.frozen = 1;
    hero.inAir = 0;
    hero.jumpAllowance = 1;
    hero.UpdateCoordinates();
    o.UpdateCoordinates();
    if (!hero.inBubble) {
      BurstBubble(o);
      hero.frozen = 0;
      EnginePlaySound(17, 0);
    }
  } else if (o.bubbleState == 2) {
    if (o.frame > 19) {
      o.active = 0;
      o.frame = 0;
    }
  }
}

void BehaviourBalloon(gameRect& o, const HeroReach& r) {
  gameRect& hero = GameRects[0];
  switch (o.bubbleState) {
  case 0:
    if (!((float)r.d2 < r.w * r.w * 3.5f)) return;
    o.bubbleState = 1;
    o.firstFrame = 4;
    o.noCollision = 1;
    o.frameCount = 19;
    o.fps = 17;
    hero.jumpAllowance = 1;
    hero.Jump();
    hero.jumpAllowance = 1;
    hero.balloonBounce = 0.2f;
    if (g_currentMode == 9) Missions[12].AddToCounter(1.0f);
    EnginePlaySound(18, 0);
    break;
  case 1:
    if (o.frame > 15) {
      o.drawFlag = 1;
      o.frame = 0;
      o.bubbleState = 2;
    }
    break;
  case 2:
  case 3:
    // Back on its string, but no longer solid.
    if (o.frame > 15) {
      o.bubbleState = 0;
      o.drawFlag = 0;
      o.firstFrame = 0;
      o.fps = 10;
      o.frameCount = 2;
    }
    break;
  default:
    break;
  }
}

void BehaviourLethalCircle(gameRect& o, const HeroReach& r) {
  if ((float)r.d2 < (float)o.radius + r.w * r.w && !g_playingRecording)
    KillHero(DeathKindOf(o, GameRects[0].deathKind));
}

void BehaviourChainsaw(gameRect& o) {
  const gameRect& hero = GameRects[0];
  float a = std::atan2(o.y2 - o.y, o.x2 - o.x);
  if (!o.rotated) a += (float)M_PI_2;
  for (int k = -3; k <= 3; ++k) {
    int px = (int)((o.centerX - hero.centerX) + (std::sin(a) * o.bladeLength / -11) * (float)k);
    int py = (int)((o.centerY - hero.centerY) + (std::cos(a) * o.bladeLength / 11) * (float)k);
    if ((long long)px * px + (long long)py * py < o.radius && !g_playingRecording) {
      KillHero(DeathKindOf(o, GameRects[0].deathKind));
      return;
    }
  }
}

void BehaviourLethalBox(gameRect& o, const HeroReach& r) {
  if (!o.draw2Point) {
    if (HeroInBox(InnerBox(o, o.marginX, o.marginY))) GameRects[0].Die();
    return;
  }
  o.radius = 16;
  if ((float)r.d2 < 16 + r.w * r.w) GameRects[0].Die();
}
