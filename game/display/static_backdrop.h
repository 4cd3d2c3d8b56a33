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
  // A glow (a picture added over what lies below it, here turning) drawn in place of End, and the
  // layers that stand above it: EndIntoGlow ends the layers and begins the glow, BeginFront comes
  // after it, EndFront after the layers. Once those layers stand still over the copy, they are made
  // into one cover with it, and the glow is added over the cover only where the layers let it
  // through; the copy itself is then not drawn, the cover holds it. Until then, or for a glow that
  // is not added, everything goes to GL as drawn, in order.
  void EndIntoGlow();
  void BeginFront();
  void EndFront();
  // Layers that stand still over others that keep moving (a panel over a live scene): BeginLayers
  // after the moving ones, EndLayers after the standing ones, outside any Begin and End. Once the
  // layers have stood still for a while they are made into one picture, drawn over what moves in
  // pieces (opaque ones without blending, clear ones not at all); until then they go to GL as drawn.
  void BeginLayers();
  void EndLayers();
  // Whether layers are begun and not yet ended.
  bool LayersOpen() const { return m_LayersOpen; }
  // Whether a copy is kept.
  bool Held() const { return m_HasCopy; }
  // Forgets the copy and frees its texture (a screen that leaves).
  void Release();

private:
  // Adds what the backdrop's own textures cost since before.
  void NoteOwn(const GLES_CallCounts& before);

  // End; with copyWaits, a copy shown in place of the layers is not drawn yet but left waiting.
  bool Close(bool copyWaits);
  // Draws the copy if it is waiting.
  void DrawWaitingCopy();

  // A frame whose layers could not be copied: after the third in a row, a rest.
  void Missed();

  // The key the held drawing is hashed with: the screen's own and the textures' state.
  uint64_t DrawingKey(uint64_t key) const;

  // A cover of the front over the copy. Two are kept: a front that changes back and forth
  // between two pictures (a piece that starts over now and then) needs each made only once.
  struct Cover {
    GLES_Cover picture;
    uint64_t front = 0, below = 0; // the hashes of the front and of the copy it was made of
    bool made = false;
  };

  GLES_ScreenCopy m_Copy;
  Cover m_Covers[2];
  int m_LastCover = 0; // the one drawn or made last
  GLES_HeldDrawing m_Glow, m_Front;
  GLES_Layers m_Layers;
  GLES_ScreenCopy m_Below;   // what moves below the layers, kept aside while their picture is made
  uint64_t m_LayersHash = 0; // the front the picture was made of, or failed to be
  bool m_LayersTried = false, m_LayersMade = false, m_LayersOpen = false;
  uint64_t m_LastFront = 0; // the front's hash the frame before
  int m_FrontStill = 0;     // frames in a row the front has had that hash
  bool m_DrewCopy = false, m_GlowOpen = false;
  // The copy stands in for the layers below a glow but is not drawn yet: a cover may hold it.
  bool m_CopyWaits = false;
  // What every backdrop's own textures cost: a copy or picture one of them makes does not change
  // what another's layers draw.
  static GLES_CallCounts s_Own;
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
