// Object behaviours: the dispatch that runs an object's behaviour blocks in their fixed order, the
// objects that move, resize or re-steer the hero (auto-jump pads, shrink and grow portals, tilt
// zones, teleporters, cannons) and the platforms and zones (ice, bricks, falling and blinking
// blocks, swarms, conveyors, sliding blocks, water, sand).
#include "behaviours.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "game_globals.h"
#include "game_rect.h"
#include "geometry.h"
#include "mission_table.h"
#include "object_list.h"
#include "particles.h"
#include "progress_files.h"
#include "smoke.h"
#include "sound_table.h"
#include "touch_controls.h"
#include "trunc_int.h"

namespace {

bool Overlaps(myRect a, const myRect& b) {
  a.Intersect(b);
  return !a.IsEmpty();
}

const ParticleFrames kSplashColours(0, 7);

} // namespace

HeroReach ReachOfHero(const gameRect& o) {
  const gameRect& hero = GameRects[0];
  HeroReach r;
  // Held within 2^30 so the squared sum stays inside 64 bits for objects placed anywhere.
  const int kFar = 1 << 30;
  r.dx = std::clamp(TruncToInt(o.centerX - hero.centerX), -kFar, kFar);
  r.dy = std::clamp(TruncToInt(o.centerY - hero.centerY), -kFar, kFar);
  r.d2 = (long long)r.dx * r.dx + (long long)r.dy * r.dy;
  r.w = hero.width;
  return r;
}

bool HeroOutOfPlay() {
  const gameRect& hero = GameRects[0];
  return hero.outOfPlay || hero.dead;
}

void gameRect::ProcessCustom(float dt) {
  ++updateCounter;
  HeroReach r = ReachOfHero(*this);
  if (autoJump) BehaviourAutoJump(*this);
  if (shrink) BehaviourShrink(*this, r);
  if (grow) BehaviourGrow(*this, r);
  if (tilt) BehaviourTiltZone(*this, r);
  if (teleporter) BehaviourTeleporter(*this, r, dt);
  if (cannon) BehaviourCannon(*this, r, dt);
  if (ice) BehaviourIce(*this);
  if (brick && !hidden) BehaviourBrick(*this, dt);
  if (falling && !noCollision) BehaviourFalling(*this, dt);
  if (type == 420) BehaviourBlinking(*this);
  if (swarm) BehaviourSwarm(*this, dt);
  if (bird) BehaviourBird(*this, dt);
  if (guns && !BehaviourGun(*this, r, dt)) return;
  if (laser && !BehaviourLaser(*this, r, dt)) return;
  if (trap) BehaviourTrap(*this, r, dt);
  if (projectile && !BehaviourProjectile(*this, r, dt)) return;
  if (monster && !BehaviourMonster(*this, r, dt)) return;
  if (ufo) BehaviourSaucer(*this, r);
  if (bubble) BehaviourBubble(*this, r, dt);
  if (balloon) BehaviourBalloon(*this, r);
  if (conveyor) BehaviourConveyor(*this, dt);
  if (sliding) BehaviourSliding(*this, dt);
  // The blocks above may have moved this object or the hero.
  r = ReachOfHero(*this);
  if (mushroom) BehaviourMushroom(*this, r, dt);
  if (secret) BehaviourSecret(*this, r);
  if (lethalCircle) BehaviourLethalCircle(*this, r);
  if (chainsaw) BehaviourChainsaw(*this);
  if (door) BehaviourDoor(*this, r, dt);
  if (water) BehaviourWater(*this);
  if (sand) BehaviourSand(*this);
  if (lethalBox) BehaviourLethalBox(*this, r);
}

// --- transport ---

void BehaviourAutoJump(gameRect& o) {
  if (!o.touched) return;
  o.touched = 0;
  GameRects[0].Jump();
}

void BehaviourShrink(gameRect&, const HeroReach& r) {
  gameRect& hero = GameRects[0];
  if (!((float)r.d2 < 2 * r.w * r.w) || hero.small) return;
  EnginePlaySound(32, 0);
  hero.small = 1;
  hero.gravity *= 2;
  hero.scale = 0.7f;
  if (g_characterID == 0) {
    hero.width = 8;
    hero.height = 15;
  } else {
    hero.width *= 0.6f;
    hero.height *= 0.6f;
  }
  hero.UpdateCoordinates();
}

void BehaviourGrow(gameRect&, const HeroReach& r) {
  gameRect& hero = GameRects[0];
  if (!((float)r.d2 < 6 * r.w * r.w) || !hero.small) return;
  EnginePlaySound(33, 0);
  hero.small = 0;
  hero.gravity *= 0.5f;
  hero.scale = 1.0f;
  hero.width = 13;
  hero.height = 23;
  hero.UpdateCoordinates();
}

void BehaviourTiltZone(gameRect& o, const HeroReach& r) {
  if (r.d2 >= 961) return;
  if (o.custom1 > 0) {
    g_accelerometerControl = 1;
    return;
  }
  // What the tilt scheme holds is a jump touch: a release at the stick's centre lets go of it. No
  // touch-down goes first: under tilt any touch-down is a jump, and changing the scheme makes none.
  if (g_accelerometerControl == 1) GameRectStylusUp((int)RmoveCenter.x, (int)RmoveCenter.y);
  g_accelerometerControl = 10;
}

void BehaviourTeleporter(gameRect& o, const HeroReach& r, float dt) {
  // A pair is two neighbouring slots; a partner outside the level objects makes no pair.
  int partnerSlot = o.slot + (o.custom1 >= 0 ? 1 : -1);
  if (partnerSlot < 1 || partnerSlot > GAME_RECTS - 1) return;
  gameRect& partner = GameRects[partnerSlot];
  gameRect& hero = GameRects[0];

  o.behaviourTimer -= dt;
  if (o.customSize < 1.0f)
    o.customSize += 4 * dt;
  else
    o.customSize = 1.0f;

  bool fired = false;
  if (o.behaviourTimer < -0.7f && r.d2 < 441) {
    Missions[24].AddToCounter(1.0f);
    o.customSize = 0.6f;
    EnginePlaySound(26, 0);
    o.behaviourTimer = 0;
    o.holdTimer = o.custom2 * 0.01f;
    partner.behaviourTimer = 0;
    partner.customSize = 0.3f;
    hero.x = partner.centerX - 4;
    hero.y = partner.centerY - 10;
    hero.UpdateCoordinates();
    fired = true;
  }
  // A hold of 0 still ends through here in the update that sent the hero, so the hero is free on
  // the next update and "teleport_out" plays as for any hold.
  if (o.holdTimer > 0 || fired) {
    o.holdTimer -= dt;
    if (o.holdTimer <= 0) {
      hero.drawFlag = 0;
      hero.frozen = 0;
      EnginePlaySound(26, 1);
    } else {
      hero.drawFlag = 1;
      hero.frozen = 1;
    }
    partner.behaviourTimer = 0;
    hero.x = partner.centerX - 4;
    hero.y = partner.centerY - 10;
    hero.UpdateCoordinates();
  }
}

void BehaviourCannon(gameRect& o, const HeroReach& r, float dt) {
  gameRect& hero = GameRects[0];
  // A cannon starts spent: its flight phase would otherwise fling the hero for 0.9 s from wherever
  // it stands when the level starts.
  if (o.updateCounter == 1) o.holdTimer = -1.5f;
  o.behaviourTimer -= dt;
  if (o.behaviourTimer < -2.5f && r.d2 < 961) {
    o.behaviourTimer = 0;
    o.holdTimer = o.custom2 * 0.01f;
    hero.x = o.centerX - 5;
    hero.y = o.centerY - 8;
  }
  if (!(o.holdTimer > -1.5f)) return;
  o.holdTimer -= dt;
  if (o.holdTimer > 0) {
    o.blockAngle += o.custom1 * dt * -0.05f;
    hero.drawFlag = 1;
    hero.frozen = 1;
  } else if (o.holdTimer > -0.9f) {
    if (o.holdTimer + dt > 0) {
      EnginePlaySound(19, 0);
      hero.Jump();
    }
    hero.drawFlag = 0;
    hero.frozen = 1;
    int speed = (int)(o.fps * 20);
    hero.vx = std::sin(o.blockAngle) * (float)speed;
    hero.vy = -std::cos(o.blockAngle) * (float)speed;
    hero.x += hero.vx * dt;
    hero.y += hero.vy * dt;
    hero.UpdateCoordinates();
    hero.jumpHoldTimer = -1;
  } else {
    hero.frozen = 0;
  }
}

// --- platforms and zones ---

void BehaviourIce(gameRect& o) {
  gameRect& hero = GameRects[0];
  if (o.touchCounter > -5 && hero.collisionPending != 1 && hero.animation >= 0 && hero.animation <= 3)
    hero.onIce = 1;
}

void BehaviourBrick(gameRect& o, float dt) {
  if (o.touched) o.breakTimer = 1.0f;
  if (o.breakTimer == 0) return;
  o.breakAge += dt;
  if (o.breakAge > 0.15f && !o.noCollision) {
    o.noCollision = 1;
    float bw = o.box.GetWidth(), bh = o.box.GetHeight();
    // The smoke pool holds no more puffs than this, however far a file's size extras grow the box.
    int puffs = 0;
    for (int i = 0; (float)i < bw - 5 && puffs < SMOKES; i += 10)
      for (int j = 0; (float)j < bh - 5 && puffs < SMOKES; j += 10, ++puffs)
        AddSmoke2(RectSprite(o.type, 1 + rand() % 3), TruncToInt(o.x + (float)i + 5),
                  TruncToInt(o.y + (float)j + 5), (int)randFloat(800, 1300), 0, randFloat(-7, 7),
                  (int)randFloat(-30, 30), 0, randFloat(0.4f, 0.5f), 0, 255, 0, 0, 1);
    EnginePlaySound(16, rand() % 2);
  }
  if (o.breakAge > 0.2f) o.hidden = 1;
}

void BehaviourFalling(gameRect& o, float dt) {
  gameRect& hero = GameRects[0];
  if (o.touchCounter < -2) {
    o.y -= 40 * dt;
    if (o.y < o.pathY) o.y = o.pathY;
    o.rest = 1;
  } else {
    o.y += 200 * dt;
    hero.y += 200 * dt;
    hero.vy = 0;
    hero.UpdateCoordinates();
    o.rest = 0;
  }
  o.UpdateCoordinates();
}

void BehaviourBlinking(gameRect& o) {
  int f = (int)o.frame;
  if (f == 0) o.noCollision = 1;
  if (f == 1) o.noCollision = 0;
}

void BehaviourSwarm(gameRect& o, float dt) {
  int n = (int)(o.custom1 / 10);
  if (n > SWARM_MEMBERS) n = SWARM_MEMBERS;
  for (int k = 0; k < n; ++k) {
    float fk = (float)k;
    o.animFps[k] += (randFloat(-30, 30) + std::sin(fk + g_timef) * (fk + 23)) * dt;
    o.animLength[k] += (randFloat(-30, 30) + std::cos(g_timef + 1 + 2 * fk) * (fk * 1.3f + 17)) * dt;
  }
}

void BehaviourConveyor(gameRect& o, float dt) {
  gameRect& hero = GameRects[0];
  if (hero.conveyorContact && o.touchCounter > -3) {
    hero.conveyorContact = 0;
    o.beltSpeed = o.flipX == 0 ? (int)o.custom1 : (int)-std::fabs(o.custom1);
    int a = hero.animation;
    if ((a >= 0 && a <= 3) || a == 22) {
      float step = (float)o.beltSpeed * dt;
      if (!o.rotated)
        hero.x += hero.centerY < o.centerY ? step : -step;
      else
        hero.y += hero.centerX < o.centerX ? step : -step;
    }
  }
  hero.UpdateCoordinates();
}

void BehaviourSliding(gameRect& o, float dt) {
  o.slideSpeed *= 0.98f;
  float step = o.slideSpeed * dt;
  o.x += step;
  if (o.touchCounter > -7) {
    GameRects[0].x += step;
    GameRects[0].UpdateCoordinates();
  }
  o.UpdateCoordinates();
}

namespace {

// Water and sand (a negative variant picks one of three): the zone below the surface keeps the hero's counter
// at 15; the splash waits for more than 100 updates out of every such zone.
void Zone(gameRect& o, float left, int* counter, int splashY, int kind, int sound, int variant) {
  gameRect& hero = GameRects[0];
  o.zoneWidth = o.width;
  o.zoneDepth = o.height + o.custom1;
  if (o.custom2 > 100) {
    o.drawFlag = 1;
    o.firstFrame = 15;
    o.frameCount = 1;
    o.oneShotAnimation = 1;
  }
  myRect zone(left, o.y + 29, o.x + o.zoneWidth, o.y + o.zoneDepth);
  if (!Overlaps(zone, hero.box)) return;
  if (*counter < -100) {
    AddParticle(0.5f, 0.5f, (int)hero.centerX, (int)(hero.centerY - (float)splashY), 0, 0, kind, 0,
                kSplashColours.frames, 0.08f, 1000);
    EnginePlaySound(sound, variant < 0 ? rand() % 3 : variant);
  }
  *counter = 15;
}

} // namespace

void BehaviourWater(gameRect& o) { Zone(o, o.x, &GameRects[0].waterCounter, 20, 1, 22, 0); }

void BehaviourSand(gameRect& o) {
  Zone(o, o.x + (float)o.sizeExtraX, &GameRects[0].sandCounter, 24, 2, 21, -1);
}

bool HeroInBox(const myRect& r) { return Overlaps(r, GameRects[0].box); }
