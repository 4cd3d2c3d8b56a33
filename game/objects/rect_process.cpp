// One update of a level object or of the hero: ageing and counters, held jump, gravity, speed
// caps, impulses, integration, collisions, behaviours and movement path.
#include <cmath>
#include <cstdlib>

#include "game_rect.h"
#include "geometry.h"
#include "particles.h"
#include "recordings.h"
#include "smoke.h"
#include "sound_table.h"
#include "touch_controls.h"
#include "trunc_int.h"

namespace {

const ParticleFrames kSplashFrames(1, 7);
const ParticleFrames kLandingFrames(1, 10);

} // namespace

void gameRect::Process(float dt) {
  age += dt;
  if (slot == 0 && g_playingRecording) return;
  if (lifetime < age) {
    active = 0;
    return;
  }
  touchCounter--;
  waterCounter--;
  sandCounter--;
  contactCeiling--;
  contactFloor--;
  contactSide--;
  spawnTime += dt;
  contactWall--;
  contactWallLevel--;
  counter6--;

  if (slot == 0) {
    // The start wait.
    if (spawnTime < 0.5f) return;
    ProcessCharacter(dt);
    if (dead) return;
  }

  if (oneShotAnimation) {
    frame += fps * dt;
    if (frame > (float)(firstFrame + frameCount) + 0.99f) {
      frame = (float)firstFrame;
      BlockEndAnimation();
    }
  }

  const gameRect& hero = GameRects[0];
  if (waterCounter == 5)
    AddParticle(0.5f, 0.5f, TruncToInt(hero.centerX), TruncToInt(hero.centerY - 15), 0, 0, 1, 0,
                kSplashFrames.frames, 0.08f, 1000);
  if (sandCounter == 5)
    AddParticle(0.5f, 0.5f, TruncToInt(hero.centerX), TruncToInt(hero.centerY - 18), 0, 0, 2, 0,
                kSplashFrames.frames, 0.08f, 1000);

  sinceContact--;

  if (!frozen) {
    // Held jump: a ceiling touched within the last 7 updates keeps a held jump going.
    jumpHoldTimer -= dt;
    float g = gravity;
    if (contactCeiling > -7) {
      if (jumpButtonPressed && jumpHoldTimer < 0) jumpHoldTimer = 0.01f;
      jumpHoldTimer += dt;
    }

    if (characterId == 2 && floatTimer > 0) {
      if (!jumpButtonPressed) {
        floatTimer = -1;
        pose = 0;
      } else {
        if (vy > 100) vy = 100;
        floatTimer -= dt;
        pose = vy > 0 && mushroomTimer < 0 ? 3 : 0;
      }
    }

    if (jumpHoldTimer > 0 || boostTimer > 0)
      vy = characterId == 4 ? -200.0f : characterId == 2 ? -350.0f : -300.0f;

    if (waterCounter > 0) g *= 0.4f;
    if (sandCounter > 0) {
      jumpAllowance = 2;
      g *= 2;
      y += 130 * dt;
    }

    // Something the hero stood on within the last 10 updates does not fall.
    if (touchCounter < -10) vy += g * dt;

    float cap = characterId == 4 ? 300.0f : 600.0f;
    if (vy > cap) vy = cap;
    if (vy < -cap) vy = -cap;
    if (waterCounter > 0 && vy > 150) vy = 150;

    kickX *= 0.97f;
    if (std::fabs(kickX) < 100) kickX = 0;

    if (steerable) {
      if ((kickX > 0 && inputSpeed > 0) || (kickX < 0 && inputSpeed < 0)) kickX = 0;
      vx = inputSpeed + kickX;
      if (animation == 7 || animation == 9) vx = signOrZero(inputSpeed) + kickX;
      if (noSteer) vx = 0;
      if (fast) vx *= 1.5f;
      if (waterCounter > 0) vx *= 0.33f;
      if (sandCounter > 0) vx *= 0.5f;
    }

    if (vx - followSpeed >= 0)
      followSpeed += 1000 * dt;
    else
      followSpeed -= 1000 * dt;

    impulseX *= 0.99f;
    if ((inputSpeed < 0 && impulseX > 0) || (inputSpeed > 0 && impulseX < 0)) impulseX = 0;
    if (characterId == 1 || characterId == 3) {
      // The dash leaves a trail.
      if (std::fabs(impulseX) > 100 || std::fabs(impulseY) > 100)
        AddSmoke2(CharacterSprite(3, 30 + rand() % 2), TruncToInt(centerX + randFloat(-4, 4)),
                  TruncToInt(centerY + randFloat(-4, 4)), 0, std::atan2(vy, vx) - (float)M_PI_2, 0,
                  (int)randFloat(-3, 3), (int)randFloat(-3, 3), randFloat(0.15f, 0.3f), 0, 255, -1400, 0, 1);
    } else {
      impulseX = 0;
    }

    impulseY *= 0.98f;
    if (std::fabs(impulseY) < 100) impulseY = 0;

    x += (vx + impulseX) * dt * runFactor;
    y += (vy + impulseY) * dt;
    UpdateCoordinates();
  }

  if (collides) {
    Collide(dt);
    UpdateCoordinates();
  }

  if (GameRects[0].levelFinished != 1) {
    ProcessCustom(dt);
    ProcessAnimation(dt);
  }
}

void gameRect::Collide(float dt) {
  wallSide = -1;
  framesInAir += 1;
  inAir = framesInAir < 3 ? 0 : 1;
  bool sideResolved = false;
  for (int i = collidesWithHero ? 0 : 1; i < GAME_RECTS; ++i) {
    gameRect& o = GameRects[i];
    if (!o.active || o.noCollision || &o == this) continue;
    // Cheap reject before the rectangles.
    if (std::fabs(x - o.x) > width + (o.box.right - o.box.left)) continue;
    myRect overlap = box;
    overlap.Intersect(o.box);
    if (overlap.IsEmpty()) continue;

    framesInAir = 0;
    float ow = overlap.GetWidth(), oh = overlap.GetHeight();
    // Grazing contacts of up to 2 px both ways are ignored.
    if (ow <= 2 && oh <= 2) continue;
    float dx = centerX - o.centerX;
    float dy = (float)TruncToInt(centerY - o.centerY);

    if (ow < oh) {
      jumpAllowance = 1;
      sinceContact = 0;
      contactSide = 0;
      // One side push per pass: a second wall in the same pass would push the hero back.
      if (sideResolved) continue;
      sideResolved = true;
      bool pushedRight = dx >= 1;
      if (pushedRight) {
        dirX = 1;
        wallSide = 1;
        x += ow;
      } else {
        dirX = -1;
        wallSide = 0;
        x -= ow;
      }
      if (o.touchCounter < -20) o.onPlatformHit(false, false, !pushedRight, pushedRight);
      if (animation == 27 && std::fabs(vx) > 70) {
        inAir = 0;
        SwitchAnimation(8);
        EnginePlaySound(4, rand() % 3);
      }
      vx = 0;
      if (!o.notWall) contactWall = 0;
      o.touched = 1;
      o.touchCounter = 0;
      if (std::fabs(y - o.y) < 15) contactWallLevel = 0;
    } else {
      if (dy < 0) {
        y -= oh;
        if (animation == 27) {
          SwitchAnimation(5);
          EnginePlaySound(5, rand() % 3);
          inAir = 0;
          AddParticle(0.36f, 0.36f, TruncToInt(centerX), TruncToInt(centerY + 5), 0, 0, 4, 0,
                      kLandingFrames.frames, 0.08f, 1000);
        }
        if ((animation == 7 || animation == 8) && ow > 4) SwitchAnimation(1);
        if (o.touchCounter < -20) o.onPlatformHit(true, false, false, false);
        o.touched = 1;
        o.touchCounter = 0;
        contactFloor = 0;
        dirY = 1;
        // A belt the hero stands on carries it on the belt's own update, which clears this again.
        if (slot == 0) conveyorContact = 1;
      } else {
        y += oh;
        if (animation == 27) {
          EnginePlaySound(5, rand() % 3);
          AddParticle(0.36f, -0.36f, TruncToInt(centerX), TruncToInt(centerY - 5), 0, 0, 4, 0,
                      kLandingFrames.frames, 0.08f, 1000);
          inAir = 0;
          SwitchAnimation(5);
        }
        if (animation == 7 && contactSide < -20) SwitchAnimation(5);
        if (o.touchCounter < -20) o.onPlatformHit(false, true, false, false);
        o.touched = 1;
        o.touchCounter = 0;
        contactCeiling = 0;
        dirY = -1;
      }
      jumpAllowance = 1;
      wallSide = -1;
      sinceContact = 0;
      if (vy > 0) vy = 0;
      if (conveyorCounter > -10) {
        int run = TruncToInt(std::fabs(vx));
        x += (float)(run > 150 ? run : 150) * dt * 0.8f * (float)dirX;
      }
      jumped = 0;
    }
  }
}

void gameRect::onPlatformHit(bool, bool, bool, bool) {
  const gameRect& hero = GameRects[0];
  if (sliding) slideSpeed = hero.vx;
  if (projectile) Die();
  // Faster than 200 px/s: the truncated square exceeds 40000.
  if (breakable && hero.vx * hero.vx >= 40001.0f) Die();
}
