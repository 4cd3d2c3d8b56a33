// The effect animator pool.
#include "animator.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "dib_bitmap.h"
#include "display.h"
#include "game_base.h"
#include "game_globals.h"
#include "game_rect.h"
#include "platform_services.h"
#include "static_backdrop.h"
#include "surface.h"
#include "texture2d.h"

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
  shape = nullptr;
  shapeCorners = 0;
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
    const float turned = angle + spinAngle, sx = scaleX * 0.5f, sy = scaleY * -0.5f;
    if (!shape ||
        !display->ShadeRotatedScale(x * g_guiShiftX, y, turned, sx, sy, sprite, shape, shapeCorners))
      display->BlitRotatedScale(x * g_guiShiftX, y, turned, sx, sy, sprite, false);
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

// Whether a slot may draw differently next frame. A callback that draws is taken to draw the same
// at the same place: one that does not only costs the copy of what lies below it, never a picture.
bool MayChange(const effect_animator& a) {
  if (a.hideAfterEnd && a.time > a.endTime) return false;
  if (a.customMotion) return true;
  // Without a sprite only the callback draws, given the place.
  if (!a.sprite) return !a.finished && (a.startX != a.targetX || a.startY != a.targetY);
  return !(a.startTime < a.time) || !a.finished || a.spin != 0; // yet to show, on its way or turning
}

struct Rect {
  float x0, y0, x1, y1;
};

// What a slot's sprite is drawn with.
struct Pose {
  const Surface* sprite;
  float x, y, scaleX, scaleY, angle, alpha;
  int blend;
  bool operator==(const Pose& o) const {
    return sprite == o.sprite && x == o.x && y == o.y && scaleX == o.scaleX && scaleY == o.scaleY &&
           angle == o.angle && alpha == o.alpha && blend == o.blend;
  }
};

Pose PoseOf(const effect_animator& a) {
  return {a.sprite, a.x, a.y, a.scaleX, a.scaleY, a.angle + a.spinAngle, a.alpha, a.blend};
}

// The opaque middle each slot that stood still drew last frame, under the screen and transform of
// then: a sprite wholly beneath those of the slots above it is not seen, so not drawn.
struct Hiders {
  bool noted[EFFECT_ANIMATORS];
  Rect rect[EFFECT_ANIMATORS];
  Pose pose[EFFECT_ANIMATORS];
  float screen[6];
} hiders;

// The screen and the drawing state the hiders hold for; false when hiding is not to be trusted.
bool HidingState(float (&state)[6]) {
  IDibBitmap* dest = g_pGame ? g_pGame->GetDoubleBuffer() : nullptr;
  if (!display || !dest || g_pGame->IsIPhoneRotationInProcess() || g_pGame->m_bRotateProjection ||
      display->scaleOverride)
    return false;
  const float now[6] = {
      (float)dest->GetWidth(), (float)dest->GetHeight(), g_glScaleX, g_glScaleY, g_glTranslateX,
      g_glTranslateY};
  memcpy(state, now, sizeof now);
  return true;
}

// Where a slot's sprite may land, in the drawing's coordinates, whatever its turn: the quad
// Display::BlitRotatedScale lays about the pivot, turned any way about it, and half a unit more.
Rect Reach(const effect_animator& a) {
  const Surface* s = a.sprite;
  const float fs = g_forceScale, sx = a.scaleX * 0.5f, sy = a.scaleY * -0.5f;
  const float left = -(float)s->width * fs * sx / 2 - ((float)s->centerOffsetX + 1) * sx;
  const float top = (float)(-(double)s->height * fs * sy / 2 + ((double)s->centerOffsetY - 0.5) * sy);
  const float right = left + ((float)s->width / fs + 1) * sx, bottom = top + ((float)s->height / fs + 1) * sy;
  const float far = std::fmax(std::fabs(left), std::fabs(right)),
              tall = std::fmax(std::fabs(top), std::fabs(bottom));
  const float r = std::hypot(far, tall) + 0.5f;
  const float x = (a.x * g_guiShiftX + g_glTranslateX) * g_glScaleX, y = (a.y + g_glTranslateY) * g_glScaleY;
  const float rx = r * std::fabs(g_glScaleX), ry = r * std::fabs(g_glScaleY);
  return {x - rx, y - ry, x + rx, y + ry};
}

// Whether the box, as far as it lies on the screen, is within the open rectangles noted for the
// standing slots above slot i: every piece of it between their edges (its cells, their sides and
// corners) inside one of them.
bool HiddenAbove(int i, Rect box) {
  enum { kMost = 16 };
  Rect open[kMost];
  int n = 0;
  for (int j = i + 1; j < EFFECT_ANIMATORS && n < kMost; ++j) {
    const effect_animator& a = EffectAnimators[j];
    if (!hiders.noted[j] || !a.active || MayChange(a) || !(PoseOf(a) == hiders.pose[j])) continue;
    // Drawn by the rasteriser to its sub-pixel steps: a pixel right at an edge is not counted on.
    const Rect& m = hiders.rect[j];
    const float in = 1.0f / 16;
    open[n++] = {m.x0 + in, m.y0 + in, m.x1 - in, m.y1 - in};
  }
  if (n == 0 || !(box.x0 <= box.x1 && box.y0 <= box.y1)) return false;
  // Only what lands on the screen is seen.
  box = {std::fmax(box.x0, 0.0f), std::fmax(box.y0, 0.0f), std::fmin(box.x1, hiders.screen[0]),
         std::fmin(box.y1, hiders.screen[1])};
  if (!(box.x0 < box.x1 && box.y0 < box.y1)) return true;
  for (int k = 0; k < n; ++k)
    if (open[k].x0 < box.x0 && box.x1 < open[k].x1 && open[k].y0 < box.y0 && box.y1 < open[k].y1) return true;
  float xs[2 * kMost + 2], ys[2 * kMost + 2];
  int nx = 0, ny = 0;
  xs[nx++] = box.x0;
  xs[nx++] = box.x1;
  ys[ny++] = box.y0;
  ys[ny++] = box.y1;
  for (int k = 0; k < n; ++k) {
    for (float x : {open[k].x0, open[k].x1})
      if (x > box.x0 && x < box.x1) xs[nx++] = x;
    for (float y : {open[k].y0, open[k].y1})
      if (y > box.y0 && y < box.y1) ys[ny++] = y;
  }
  std::sort(xs, xs + nx);
  std::sort(ys, ys + ny);
  auto inside = [&](float x, float y) {
    for (int k = 0; k < n; ++k)
      if (open[k].x0 < x && x < open[k].x1 && open[k].y0 < y && y < open[k].y1) return true;
    return false;
  };
  // Each edge and the middle of each span between two of them.
  for (int a = 0; a < 2 * nx - 1; ++a) {
    const float x = a % 2 ? (xs[a / 2] + xs[a / 2 + 1]) / 2 : xs[a / 2];
    for (int b = 0; b < 2 * ny - 1; ++b)
      if (!inside(x, b % 2 ? (ys[b / 2] + ys[b / 2 + 1]) / 2 : ys[b / 2])) return false;
  }
  return true;
}

} // namespace

namespace {

// A sprite added over what lies below it, turning: a glow the backdrop can draw under a cover.
bool Glows(const effect_animator& a) {
  return a.sprite && a.blend == 2 && !a.alsoDraw && !a.customMotion && a.spin != 0;
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

void DrawSlot(int i, bool still) {
  effect_animator& a = EffectAnimators[i];
  const unsigned before = g_opaqueMiddles.count;
  a.Draw();
  if (still && a.sprite && !a.alsoDraw && g_opaqueMiddles.count == before + 1) {
    const OpaqueMiddles& m = g_opaqueMiddles;
    hiders.noted[i] = true;
    hiders.rect[i] = {m.x0, m.y0, m.x1, m.y1};
    hiders.pose[i] = PoseOf(a);
  }
}

} // namespace

void DrawEffectAnimators(StaticBackdrop* below) {
  if (display) display->SetNoBlackEdgesMode();
  float state[6];
  bool hiding = HidingState(state);
  if (hiding && memcmp(state, hiders.screen, sizeof state) != 0) {
    memset(hiders.noted, 0, sizeof hiders.noted);
    memcpy(hiders.screen, state, sizeof state);
  }
  // Above a glow, the slots that stand still go to the backdrop's front, drawn under those that
  // move; a standing slot that may overlap one that moves below it is drawn after it instead, as is
  // a callback (whose reach is not known) once anything moves.
  bool glowing = false, unknownLater = false;
  int later[EFFECT_ANIMATORS], nLater = 0;
  Rect moving[EFFECT_ANIMATORS];
  for (int i = 0; i < EFFECT_ANIMATORS; ++i) {
    effect_animator& a = EffectAnimators[i];
    hiders.noted[i] = false;
    if (!a.active) continue;
    // A sprite the standing slots above it hide: the same picture without it, and what stands still
    // below them can go into the copy however the pieces they hide come and go.
    if (hiding && a.sprite && !a.alsoDraw && HiddenAbove(i, Reach(a))) continue;
    const bool still = !MayChange(a);
    if (glowing) {
      const bool unknown = a.alsoDraw || !a.sprite;
      bool after = !still || unknownLater || (nLater > 0 && unknown);
      for (int k = 0; k < nLater && !after; ++k)
        after = Overlap(moving[k], Reach(a));
      if (after) {
        if (unknown)
          unknownLater = true;
        else
          moving[nLater] = Reach(a);
        later[nLater++] = i;
        continue;
      }
    } else if (below && !still) {
      if (Glows(a)) {
        below->EndIntoGlow();
        DrawSlot(i, still);
        below->BeginFront();
        glowing = true;
        continue;
      }
      below->End();
      below = nullptr;
    }
    DrawSlot(i, still);
  }
  if (glowing) {
    below->EndFront();
    for (int k = 0; k < nLater; ++k)
      DrawSlot(later[k], !MayChange(EffectAnimators[later[k]]));
  } else if (below) {
    below->End();
  }
  if (display) {
    display->SetBlending(255);
    display->SetNormalMode();
  }
}

void ClearEffectAnimators() {
  memset(hiders.noted, 0, sizeof hiders.noted);
  for (effect_animator& a : EffectAnimators) {
    a.active = 0;
    a.onFinish = nullptr;
    a.alsoDraw = nullptr;
    a.shape = nullptr;
  }
}

void ClearAnimators0_to_29() {
  for (int i = 0; i < 29; ++i)
    EffectAnimators[i].active = 0;
}
