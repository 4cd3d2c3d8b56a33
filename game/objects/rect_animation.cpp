// Hero animation rows and their ends, the end of one-shot object animations (where the exit door
// finishes the level), and movement paths: linear legs, circling, pendulum, binding.
#include <cmath>
#include <cstdlib>

#include "animator.h"
#include "game_rect.h"
#include "geometry.h"
#include "level_events.h"
#include "trunc_int.h"

void gameRect::SwitchAnimation(int row) {
  // The exit and the bubble keep their rows to the end.
  if (animation == 20 || animation == 17 || inBubble) return;
  if (animation == 27 && row != 27) pose = airPoseCount ? 3 + rand() % airPoseCount : 0;
  animation = row;
  frame = 0;
}

void gameRect::OnEndAnimation() {
  switch (animation) {
  case 28:
    SwitchAnimation(27);
    break;
  case 17:
    animation = 27;
    SwitchAnimation(0);
    break;
  case 20:
    // The hero has left through the door.
    animation = 0;
    active = 0;
    break;
  case 14:
  case 15:
  case 16:
    active = 0;
    RespawnCharacter(false);
    break;
  case 5:
  case 6:
    SwitchAnimation(0);
    break;
  case 8:
    SwitchAnimation(7);
    break;
  case 10:
  case 11:
  case 12:
    SwitchAnimation(0);
    break;
  default:
    break;
  }
}

void gameRect::BlockEndAnimation() {
  if (!door || frameCount < 2) return;
  fps = 0;
  gameRect& hero = GameRects[0];
  if (hero.levelEndStarted != 1) {
    hero.levelFinished = 1;
    hero.levelEndStarted = 1;
    g_levelCompleteHook();
    ClearEffectAnimators();
    g_levelEndAnimationHook(false);
  }
  frame = 27;
}

namespace {

float CircleAngle(const platformAnimation& m, float age) {
  if (m.pendulum) return std::sin(age * m.circlingSpeed * 0.1f) * m.pendulumAmplitude + m.circlingPhase;
  return age * 0.05f * m.circlingSpeed + m.circlingPhase;
}

// One axis of the back-and-forth legs, of the level's parameters or of the run state.
struct Leg {
  float& time;
  float& speed;
  float& pause;
  int& orientation;
  int& respawn;
};

Leg LegX(platformAnimation& m) {
  return {m.moveXTime, m.moveXSpeed, m.moveXPause, m.moveXOrientation, m.moveXRespawn};
}
Leg LegY(platformAnimation& m) {
  return {m.moveYTime, m.moveYSpeed, m.moveYPause, m.moveYOrientation, m.moveYRespawn};
}

// A leg runs for its time at its speed, moving the path point, the object where it follows the
// path, and what it carries; then it pauses, and turns round or starts again from the start.
void RunLeg(Leg move, Leg state, float dt, float start, bool follows, float& v, float& path, float& pos,
            float* carried) {
  state.time -= dt;
  if (state.orientation == 0) state.orientation = move.orientation;
  if (state.time > 0) {
    v = move.speed * (float)state.orientation;
    path += v * dt;
    if (follows) pos += v * dt;
    if (carried) *carried += v * dt;
  } else if (state.pause > 0) {
    v = 0;
    state.pause -= dt;
  } else {
    if (move.respawn)
      pos = path = start;
    else
      state.orientation = -state.orientation;
    state.time = move.time;
    state.pause = move.pause;
  }
}

} // namespace

void gameRect::ProcessAnimation(float dt) {
  prevX = x;
  prevY = y;
  gameRect& hero = GameRects[0];

  if (bindSlot != 0) {
    // Bound: follows its target exactly, whatever its own path says.
    CheckIndexInside(bindSlot, 1, GAME_RECTS - 1);
    const gameRect& target = GameRects[bindSlot];
    x = target.x + (float)bindOffsetX;
    y = target.y + (float)bindOffsetY;
    UpdateCoordinates();
    return;
  }

  if (move.trigger) {
    // In long long: the far end of int has no opposite.
    if (std::llabs(TruncToInt(hero.centerX - centerX)) < move.triggerDistanceX &&
        std::llabs(TruncToInt(hero.centerY - centerY)) < move.triggerDistanceY)
      move.triggered = 1;
    if (!move.triggered) return;
  }

  bool circles = move.circlingSpeed != 0;
  bool carries = touchCounter > -5; // the hero touched it within the last 5 updates

  if (move.moveXTime > 0.01f) {
    RunLeg(LegX(move), LegX(moveState), dt, startX, !circles, vx, pathX, x,
           alsoMovePlayer && carries ? &hero.x : nullptr);
    UpdateCoordinates();
  }

  if (move.moveYTime > 0.01f) {
    RunLeg(LegY(move), LegY(moveState), dt, startY, !circles, vy, pathY, y, carries ? &hero.y : nullptr);
    UpdateCoordinates();
  }

  if (move.circlingSpeed > 0) {
    float a = CircleAngle(move, age);
    x = pathX + move.circlingRadius * std::sin(a);
    y = pathY + move.circlingRadius * std::cos(a);
    if (carries) {
      float before = CircleAngle(move, age - dt);
      hero.x += x - (pathX + move.circlingRadius * std::sin(before));
      hero.y += y - (pathY + move.circlingRadius * std::cos(before));
    }
    UpdateCoordinates();
  }
}
