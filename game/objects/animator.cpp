// The effect animator pool.
#include "animator.h"

#include <cstring>

#include "display.h"
#include "game_globals.h"
#include "game_rect.h"
#include "static_backdrop.h"

effect_animator EffectAnimators[EFFECT_ANIMATORS];
u8 g_effectProcessStopHack = 0;

void effect_animator::Init(Surface* s, int x0, int y0, int x1, int y1, float t0, float t1, float scaleFrom,
                           float scaleTo, float aFrom, float aTo, float angFrom, float angTo, float sp,
                           int bl) {
  active = 1;
  startX = x = (float)x0;
  startY = y = (float)y0;
  targetX = (float)x1;
  targetY = (float)y1;
  time = 0;
  lifetime = 1000000.0f;
  startTime = t0;
  endTime = t1;
  scaleXFrom = scaleYFrom = scaleX = scaleY = scaleFrom;
  scaleXTo = scaleYTo = scaleTo;
  alphaFrom = alpha = aFrom;
  alphaTo = aTo;
  angleFrom = angle = angFrom;
  angleTo = angTo;
  spin = sp;
  blend = bl;
  sprite = s;
  hideAfterEnd = 0;
  onFinish = nullptr;
  alsoDraw = nullptr;
  customMotion = nullptr;
  boundX = boundY = nullptr;
  fontId = -1;
  spinAngle = 0;
  finished = 0;
}

void effect_animator::BindToUs(float* bx, float* by, float offsetX, float offsetY) {
  boundX = bx;
  boundY = by;
  boundOffsetX = offsetX;
  boundOffsetY = offsetY;
}

void effect_animator::Unbind() {
  boundX = boundY = nullptr;
  boundOffsetX = boundOffsetY = 0;
}

void effect_animator::AddText(const char* t, int font) {
  strncpy(text, t ? t : "", sizeof text - 1);
  text[sizeof text - 1] = 0;
  fontId = font;
}

namespace {

// One incremental share of a ramp, never past its end in the ramp's direction.
float Ramp(float value, float from, float to, float share) {
  value += (to - from) * share;
  if (to >= from ? value > to : value < to) value = to;
  return value;
}

// A motion that passes its target in the direction of travel stops there.
float Move(float value, float from, float to, float share) {
  value += (to - from) * share;
  if ((to > from && value > to) || (to < from && value < to)) value = to;
  return value;
}

} // namespace

void effect_animator::Process(float dt) {
  float step = dt * 1.5f;
  time += step;
  if (time < startTime) return;
  if (time >= endTime) {
    if (!finished) {
      x = targetX;
      y = targetY;
      scaleX = scaleXTo;
      alpha = alphaTo;
      angle = angleTo;
      finished = 1;
      if (onFinish) onFinish();
      return;
    }
    if (customMotion) customMotion(&x, &y);
  } else {
    float span = endTime - startTime;
    if (step < span) {
      float share = step / span;
      x = Move(x, startX, targetX, share);
      y = Move(y, startY, targetY, share);
      scaleX = Ramp(scaleX, scaleXFrom, scaleXTo, share);
      scaleY = Ramp(scaleY, scaleYFrom, scaleYTo, share);
      alpha = Ramp(alpha, alphaFrom, alphaTo, share);
      if (alpha < 0) alpha = 0;
      if (alpha > 255) alpha = 255;
      angle = Ramp(angle, angleFrom, angleTo, share);
    }
  }
  if (boundX) *boundX = x + boundOffsetX;
  if (boundY) *boundY = y + boundOffsetY;
  if (time > lifetime) active = 0;
  if (scaleX < 0) active = 0;
  spinAngle += spin * step;
}

void effect_animator::Draw() {
  if (!(startTime < time)) return;
  if (hideAfterEnd && time > endTime) return;
  if (display && sprite) {
    if (blend == 1) display->SetOverlayMode();
    if (blend == 2) display->SetAddMode();
    int a = (int)alpha;
    display->SetBlending(a, a, a, a);
    display->BlitRotatedScale(x * g_guiShiftX, y, angle + spinAngle, scaleX * 0.5f, scaleY * -0.5f, sprite,
                              false);
    if (blend != 0) display->SetNoBlackEdgesMode();
  }
  if (alsoDraw) alsoDraw(x, y);
}

void ProcessEffectAnimators(float dt) {
  int passes = GameRects[0].fastForward ? 2 : 1;
  for (int p = 0; p < passes && !g_effectProcessStopHack; ++p)
    for (int i = 0; i < EFFECT_ANIMATORS && !g_effectProcessStopHack; ++i)
      if (EffectAnimators[i].active) EffectAnimators[i].Process(dt);
  g_effectProcessStopHack = 0;
}

namespace {

// Whether a slot may draw differently next frame (a slot yet to show will).
bool MayChange(const effect_animator& a) {
  if (a.hideAfterEnd && a.time > a.endTime) return false;
  return !a.finished || a.spin != 0 || a.customMotion || a.alsoDraw;
}

} // namespace

void DrawEffectAnimators(StaticBackdrop* below) {
  if (display) display->SetNoBlackEdgesMode();
  for (int i = 0; i < EFFECT_ANIMATORS; ++i) {
    if (!EffectAnimators[i].active) continue;
    if (below && MayChange(EffectAnimators[i])) {
      below->End();
      below = nullptr;
    }
    EffectAnimators[i].Draw();
  }
  if (below) below->End();
  if (display) {
    display->SetBlending(255);
    display->SetNormalMode();
  }
}

void ClearEffectAnimators() {
  for (effect_animator& a : EffectAnimators) {
    a.active = 0;
    a.onFinish = nullptr;
    a.alsoDraw = nullptr;
  }
}

void ClearAnimators0_to_29() {
  for (int i = 0; i < 29; ++i)
    EffectAnimators[i].active = 0;
}
