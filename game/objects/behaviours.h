// The behaviour blocks gameRect::ProcessCustom runs, grouped by kind, and the reach measure they
// share: the object's centre minus the hero's, each axis truncated to whole pixels.
#pragma once

#include "game_rect.h"

struct HeroReach {
  int dx, dy;
  long long d2; // dx*dx + dy*dy, wide enough for any two level positions
  float w;      // the hero's current width
};
HeroReach ReachOfHero(const gameRect& o);

// Steps 1-6: auto-jump pad, shrink and grow portals, tilt zone, teleporter, cannon.
void BehaviourAutoJump(gameRect& o);
void BehaviourShrink(gameRect& o, const HeroReach& r);
void BehaviourGrow(gameRect& o, const HeroReach& r);
void BehaviourTiltZone(gameRect& o, const HeroReach& r);
void BehaviourTeleporter(gameRect& o, const HeroReach& r, float dt);
void BehaviourCannon(gameRect& o, const HeroReach& r, float dt);
// Steps 7-11, 21, 22, 28, 29: ice, brick, falling block, blinking platform, swarm, conveyor,
// sliding block, water, sand.
void BehaviourIce(gameRect& o);
void BehaviourBrick(gameRect& o, float dt);
void BehaviourFalling(gameRect& o, float dt);
void BehaviourBlinking(gameRect& o);
void BehaviourSwarm(gameRect& o, float dt);
void BehaviourConveyor(gameRect& o, float dt);
void BehaviourSliding(gameRect& o, float dt);
void BehaviourWater(gameRect& o);
void BehaviourSand(gameRect& o);
// Steps 12-20, 25, 26, 30. The ones answering false end the whole call.
void BehaviourBird(gameRect& o, float dt);
bool BehaviourGun(gameRect& o, const HeroReach& r, float dt);
bool BehaviourLaser(gameRect& o, const HeroReach& r, float dt);
void BehaviourTrap(gameRect& o, const HeroReach& r, float dt);
bool BehaviourProjectile(gameRect& o, const HeroReach& r, float dt);
bool BehaviourMonster(gameRect& o, const HeroReach& r, float dt);
void BehaviourSaucer(gameRect& o, const HeroReach& r);
void BehaviourBubble(gameRect& o, const HeroReach& r, float dt);
void BehaviourBalloon(gameRect& o, const HeroReach& r);
void BehaviourLethalCircle(gameRect& o, const HeroReach& r);
void BehaviourChainsaw(gameRect& o);
void BehaviourLethalBox(gameRect& o, const HeroReach& r);
// Steps 23, 24, 27: mushroom, secret item, exit door.
void BehaviourMushroom(gameRect& o, const HeroReach& r, float dt);
void BehaviourSecret(gameRect& o, const HeroReach& r);
void BehaviourDoor(gameRect& o, const HeroReach& r, float dt);

// The secret item an object stands for: |custom 1 / 6|, or -1 past the 100 items.
int SecretItemIndex(const gameRect& o);
// The hero can take nothing: dead, or inside the exit door.
bool HeroOutOfPlay();
// The rectangle overlaps the hero's collision box.
bool HeroInBox(const myRect& r);
