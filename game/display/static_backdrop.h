// StaticBackdrop: layers of a screen that stand still, drawn once and then shown as one opaque copy
// of their picture. The screen brackets those layers with Begin and End every frame. In between,
// what they send to GL is held back and hashed with the screen, the projection and the textures as
// they are; when that is exactly what the copy shows, the held drawing is dropped and the copy drawn
// in its place, otherwise it is sent as it would have been, and once the same drawing has come twice
// in a row its picture is copied. Nothing needs guessing: a layer that moves, a texture uploaded, a
// turned or resized screen or a new GL context make a different hash or an unfit copy. Layers
// that keep moving are not held back every frame: after three frames in a row that differ from the
// one before, they go to GL directly for a while, and are then tried again.
#pragma once

#include <cstdint>

#include "gl_renderer.h"

class StaticBackdrop {
public:
  StaticBackdrop() = default;
  StaticBackdrop(const StaticBackdrop&) = delete;
  StaticBackdrop& operator=(const StaticBackdrop&) = delete;
  ~StaticBackdrop() { Release(); }

  // Starts the layers; key stands for whatever else the screen knows its picture depends on.
  // Begun inside another backdrop's layers it does nothing: they are held in the outer one.
  void Begin(uint64_t key = 0);
  // Ends them: true when the copy was drawn in their place. Without a Begin it does nothing.
  bool End();
  // Whether a copy is kept.
  bool Held() const { return m_HasCopy; }
  // Forgets the copy and frees its texture (a screen that leaves).
  void Release();

private:
  // Adds what the copy's own texture cost since before.
  void NoteOwn(const GLES_CallCounts& before);

  // A frame whose layers could not be copied: after the third in a row, a rest.
  void Missed();

  GLES_ScreenCopy m_Copy;
  GLES_CallCounts m_Own = {};
  uint64_t m_CopyHash = 0, m_LastHash = 0;
  int m_Misses = 0;  // frames in a row drawn differently from the one before
  int m_Resting = 0; // frames still to go to GL directly
  bool m_HasCopy = false, m_Open = false;
};

// The front end's whole frame, begun and ended by the gameplay window around everything it draws.
// A screen with a layer that moves above still ones ends it just before that layer: the layers
// below are then shown as the copy and the rest drawn over it. Its texture goes with GL, not at
// exit.
StaticBackdrop& FrameBackdrop();
