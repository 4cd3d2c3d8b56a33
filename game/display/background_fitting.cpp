// Background fitting: a 960 x 640 background drawn to fill screens of other shapes.
#include "background_fitting.h"

#include <cmath>

#include "dib_bitmap.h"
#include "display.h"
#include "game_globals.h"
#include "gl_renderer.h"
#include "surface.h"
#include "texture2d.h"

u8 g_iphone5 = 0;

namespace {

float CentreScale() { return g_ratio_is_less_1_5 ? (float)MAXY / 320.0f / 2.0f : 0.5f; }

// A picture that can be drawn and measured: without a texture or a width the scrolling form would
// wrap by a zero span for ever.
bool Fits(Surface* s) { return s && s->texture && s->GetWidth() > 0; }

// A background without an alpha channel (a JPEG) hides what lies under it when it is drawn unfaded
// in a blend that only fades: as the engine's own bitmaps draw such pictures, it goes without
// blending, which gives the same pixels for a fraction of the rasteriser's work and lets it drop
// what the picture covers.
class OpaqueWhereItCovers {
public:
  explicit OpaqueWhereItCovers(Surface* s) {
    const GLenum src = g_GLES_BlendSourceFactor, dst = g_GLES_BlendDestFactor;
    if (!g_GLES_BlendModeEnabled || lastBlendA < 255 || g_GLES_TextEnvironmentMode != GL_MODULATE ||
        dst != GL_ONE_MINUS_SRC_ALPHA || (src != GL_SRC_ALPHA && src != GL_ONE) ||
        s->texture->bitmap == nullptr || s->texture->bitmap->GetAlphaBits())
      return;
    m_src = src;
    m_dst = dst;
    GLES_BlendMode(0, src, dst);
  }
  ~OpaqueWhereItCovers() {
    if (m_src) GLES_BlendMode(1, m_src, m_dst);
  }

private:
  GLenum m_src = 0, m_dst = 0;
};

} // namespace

void SmartDrawBackgroundIphone5(int dx, int dy, Surface* s, bool, bool) {
  if (!Fits(s)) return;
  OpaqueWhereItCovers opaque(s);
  bool sides = g_iphone5 || g_ratio_is_more_1_5;
  if (sides) DrawScaled((float)(MAXX / 2 - 479 + dx), (float)(MAXY / 2 + dy), 0.5f, s);
  float k = CentreScale();
  DrawScaled((float)(MAXX / 2 + dx), (float)(MAXY / 2 + dy), k, s);
  if (sides) DrawScaled((float)(MAXX / 2 + 479 + dx), (float)(MAXY / 2 + dy), 0.5f, s);
}

void SmartDrawBackgroundIphone5_F(float dx, float dy, Surface* s, bool, bool sides) {
  if (!Fits(s)) return;
  float k = CentreScale();
  float span = (float)s->GetWidth() * k, half = span / 2;
  if (!(span > 0) || !std::isfinite(dx)) return;
  OpaqueWhereItCovers opaque(s);
  // A camera far out in a level is first brought within a few spans: steps of one span vanish in a
  // float that large and would never end.
  if (std::fabs(dx) > 64 * span) dx = std::fmod(dx, span);
  while (dx >= half)
    dx -= span;
  while (dx < -half)
    dx += span;
  float offset = (float)(s->GetWidth() - 2) * k;
  bool withSides = g_iphone5 || sides || g_ratio_is_more_1_5;
  float cx = (float)(MAXX / 2), cy = (float)(MAXY / 2) + dy;
  if (withSides) DrawScaled(cx - offset + dx, cy, k, s);
  DrawScaled(cx + dx, cy, k, s);
  if (withSides) DrawScaled(cx + offset + dx, cy, k, s);
}
