// StaticBackdrop: held-back layers compared by their hash, and the copy drawn in their place.
#include "static_backdrop.h"

#include "game_base.h"
#include "platform_services.h"

GLES_CallCounts StaticBackdrop::s_Own = {};

void StaticBackdrop::NoteOwn(const GLES_CallCounts& before) {
  s_Own.textureUploads += g_GLES_CallCounts.textureUploads - before.textureUploads;
  s_Own.texturesCreated += g_GLES_CallCounts.texturesCreated - before.texturesCreated;
  s_Own.texturesDeleted += g_GLES_CallCounts.texturesDeleted - before.texturesDeleted;
}

namespace {
// Layers that differ from the frame before this many times in a row (the first frame of a screen
// often starts from another drawing state than the next) rest, going to GL directly for a while:
// while they move, three frames in sixteen are held back and hashed; once they stand still, the
// copy comes within as many.
const int kMissesBeforeRest = 3;
const int kRestFrames = 13;
// Frames the layers above a glow stand still before a cover is made of them: pieces that come to
// rest one after another then cost one making, not one each.
const int kFramesBeforeCover = 12;
} // namespace

void StaticBackdrop::Missed() {
  if (++m_Misses < kMissesBeforeRest) return;
  // After the rest the layers are compared with what they draw then, not with this frame.
  m_Misses = 0;
  m_Resting = kRestFrames;
  m_LastHash = 0;
}

void StaticBackdrop::Begin(uint64_t key) {
  m_Open = false;
  m_DrewCopy = false;
  // A turning screen draws differently every frame.
  if (!g_pGame || g_pGame->IsIPhoneRotationInProcess()) return;
  // Inside another's layers these are part of them: the outer one shows them in its copy.
  if (GLES_Deferring()) return;
  if (m_Resting > 0) {
    --m_Resting;
    return;
  }
  GLES_BeginDeferring(DrawingKey(key));
  m_Open = true;
}

uint64_t StaticBackdrop::DrawingKey(uint64_t key) const {
  // A texture made, filled or deleted anywhere may change what the same calls draw.
  // (No backdrop's own copies, covers and pictures count.)
  const GLES_CallCounts& c = g_GLES_CallCounts;
  const uint64_t textures = (uint64_t)(c.textureUploads - s_Own.textureUploads) * 0x9E3779B97F4A7C15ull ^
                            (uint64_t)(c.texturesCreated - s_Own.texturesCreated) << 20 ^
                            (uint64_t)(c.texturesDeleted - s_Own.texturesDeleted) << 40;
  const uint64_t turn = (uint64_t)(uint32_t)g_pGame->m_nRotationAngle << 1 | g_pGame->m_bRotateProjection;
  return key * 31 ^ textures ^ turn << 8;
}

bool StaticBackdrop::End() { return Close(false); }

bool StaticBackdrop::Close(bool copyWaits) {
  m_CopyWaits = false;
  if (!m_Open) return false;
  m_Open = false;
  // Something drove GL itself on the way: everything went to GL as usual.
  if (!GLES_Deferring()) {
    m_LastHash = 0;
    Missed();
    return false;
  }
  const uint64_t hash = GLES_DeferredHash();
  if (m_HasCopy && hash == m_CopyHash && GLES_ScreenCopyFits(m_Copy)) {
    GLES_DropDeferred();
    if (copyWaits)
      m_CopyWaits = true;
    else
      GLES_DrawScreenCopy(m_Copy);
    m_LastHash = hash;
    m_Misses = 0;
    m_DrewCopy = true;
    return true;
  }
  GLES_SendDeferred();
  // Copied only once the layers have stood still for a frame: moving ones are never copied.
  if (hash != m_LastHash) {
    m_LastHash = hash;
    Missed();
    return false;
  }
  const GLES_CallCounts before = g_GLES_CallCounts;
  m_HasCopy = GLES_CopyScreen(m_Copy);
  m_CopyHash = hash;
  NoteOwn(before);
  m_Misses = 0;
  return false;
}

void StaticBackdrop::DrawWaitingCopy() {
  if (!m_CopyWaits) return;
  m_CopyWaits = false;
  GLES_DrawScreenCopy(m_Copy);
}

void StaticBackdrop::EndIntoGlow() {
  Close(true);
  m_GlowOpen = false;
  if (!g_pGame || GLES_Deferring()) {
    DrawWaitingCopy();
    return;
  }
  GLES_BeginDeferring(DrawingKey(0));
  // Should the glow drive GL itself, the copy goes first.
  if (m_CopyWaits) GLES_DrawFirstIfSent(&m_Copy);
  m_GlowOpen = true;
}

void StaticBackdrop::BeginFront() {
  if (!m_GlowOpen) return;
  // A glow that drove GL itself was sent as it went (the copy before it): what follows goes to GL
  // directly too.
  if (!GLES_Deferring()) {
    m_CopyWaits = false;
    m_GlowOpen = false;
    return;
  }
  GLES_KeepDeferred(m_Glow);
  GLES_BeginDeferring(DrawingKey(1));
  if (m_CopyWaits) GLES_DrawFirstIfSent(&m_Copy);
}

void StaticBackdrop::EndFront() {
  if (!m_GlowOpen) return;
  m_GlowOpen = false;
  if (!GLES_Deferring()) {
    // The layers drove GL themselves and went first, after the copy: the glow goes late this once.
    m_CopyWaits = false;
    GLES_SendHeld(m_Glow);
    m_LastFront = 0;
    m_FrontStill = 0;
    return;
  }
  GLES_KeepDeferred(m_Front);
  const uint64_t front = m_Front.hash;
  int found = -1;
  for (int i = 0; i < 2 && m_DrewCopy; ++i) {
    const Cover& c = m_Covers[i];
    if (c.front == front && c.below == m_CopyHash) found = i; // made, or failed to be: not tried again
  }
  if (found >= 0 && GLES_DrawCoverWithGlow(m_Covers[found].picture, m_Glow)) {
    m_CopyWaits = false;
    m_LastCover = found;
    m_LastFront = front;
    return;
  }
  DrawWaitingCopy();
  GLES_SendHeld(m_Glow);
  GLES_SendHeld(m_Front);
  // Made once the layers have stood still over the copy for a while (making one waits for GL to
  // draw all it was given), in place of the cover used least lately.
  m_FrontStill = front == m_LastFront ? m_FrontStill + 1 : 0;
  if (found < 0 && m_DrewCopy && m_FrontStill >= kFramesBeforeCover) {
    m_LastCover = 1 - m_LastCover;
    Cover& c = m_Covers[m_LastCover];
    const GLES_CallCounts before = g_GLES_CallCounts;
    c.made = GLES_CaptureCover(m_Front, m_Copy, c.picture);
    // The other one may be made in the middle of the screen: room for it now.
    GLES_ReserveCover(m_Covers[1 - m_LastCover].picture);
    NoteOwn(before);
    c.front = front;
    c.below = m_CopyHash;
    // The making drew over the screen: the frame again, from the cover when it can be.
    if (!c.made || !GLES_DrawCoverWithGlow(c.picture, m_Glow)) {
      GLES_DrawScreenCopy(m_Copy);
      GLES_SendHeld(m_Glow);
      GLES_SendHeld(m_Front);
    }
  }
  m_LastFront = front;
}

void StaticBackdrop::BeginLayers() {
  m_LayersOpen = false;
  if (!g_pGame || g_pGame->IsIPhoneRotationInProcess() || GLES_Deferring()) return;
  GLES_BeginDeferring(DrawingKey(2));
  m_LayersOpen = true;
}

void StaticBackdrop::EndLayers() {
  if (!m_LayersOpen) return;
  m_LayersOpen = false;
  // Layers that drove GL themselves went to it in order.
  if (!GLES_Deferring()) {
    m_LastFront = 0;
    m_FrontStill = 0;
    return;
  }
  GLES_KeepDeferred(m_Front);
  const uint64_t front = m_Front.hash;
  m_FrontStill = front == m_LastFront ? m_FrontStill + 1 : 0;
  m_LastFront = front;
  const bool tried = m_LayersTried && m_LayersHash == front;
  if (tried && m_LayersMade && GLES_DrawLayers(m_Layers)) return;
  // Room for the picture as soon as the layers stand still: it is made in the middle of the screen.
  if (!tried && m_FrontStill == 1) GLES_ReserveLayers(m_Layers);
  if (!tried && m_FrontStill >= kFramesBeforeCover) {
    // What moves below is on the screen: kept aside while the picture is made over it.
    const GLES_CallCounts before = g_GLES_CallCounts;
    if (GLES_CopyScreen(m_Below)) {
      m_LayersMade = GLES_CaptureLayers(m_Front, m_Layers);
      m_LayersTried = true;
      m_LayersHash = front;
      GLES_DrawScreenCopy(m_Below);
    }
    NoteOwn(before);
    if (m_LayersMade && m_LayersHash == front && GLES_DrawLayers(m_Layers)) return;
  }
  GLES_SendHeld(m_Front);
}

void StaticBackdrop::Release() {
  if (m_Open) GLES_SendDeferred();
  m_Open = false;
  const GLES_CallCounts before = g_GLES_CallCounts;
  GLES_ReleaseScreenCopy(m_Copy);
  for (Cover& c : m_Covers) {
    GLES_ReleaseCover(c.picture);
    c = Cover{};
  }
  GLES_ReleaseLayers(m_Layers);
  GLES_ReleaseScreenCopy(m_Below);
  m_LayersTried = m_LayersMade = m_LayersOpen = false;
  m_LayersHash = 0;
  NoteOwn(before);
  m_HasCopy = m_GlowOpen = m_CopyWaits = false;
  m_LastFront = 0;
  m_FrontStill = 0;
  m_CopyHash = m_LastHash = 0;
  m_Misses = m_Resting = 0;
}

StaticBackdrop& FrameBackdrop() {
  static StaticBackdrop* backdrop = new StaticBackdrop();
  return *backdrop;
}
