// XImage, the template widget that shows one frame of a sprite set, and ContainedSpriteSet, the
// holder every image-showing widget keeps its sets in: a shared named set it references, or a set
// it made from image files and owns.
#pragma once

#include "common_string.h"
#include "quellar_types.h"
#include "xwidget.h"

class CAppUI;
class CSpriteSet;
class IDibBitmap;
struct ImageDesc;

class ContainedSpriteSet {
public:
  ContainedSpriteSet() = default;
  ContainedSpriteSet(const ContainedSpriteSet&) = delete;
  ContainedSpriteSet& operator=(const ContainedSpriteSet&) = delete;
  // Gives a referenced set back, deletes an owned one.
  ~ContainedSpriteSet();

  // That frame's bitmap size; frame 0's when another frame has none; (0, 0) without a bitmap.
  TCoord2D Size(int frame);
  // The current frame's bitmap, or null (no fallback).
  IDibBitmap* CurrentBitmap();
  // The bitmap of a frame, or null.
  IDibBitmap* FrameBitmap(int frame);
  // Frames in the loaded set (0 without one).
  int FrameCount();
  bool HasFrameArray();

  u8 owned = 0;
  u8 referenced = 0;
  CSpriteSet* set = nullptr;
  s16 frame = 0;
};

// Fills the holder from the description: a named set of the application's manager, or a new set
// from image files. 1, or 0 when a set cannot be referenced or loaded.
int LoadSpriteSetFromImageData(CAppUI* app, ContainedSpriteSet* holder, ImageDesc* desc);
// Completes a missing name from the other and cuts ".jpg" or ".png" (exact case) off both; 0 when
// neither name was given.
int PrepareFileAFilePaths(CommonString& file, CommonString& afile);
// Loads one frame of a named set into the holder (the tiled background's and tuner's parts).
int LoadNamedSpriteSet(CAppUI* app, ContainedSpriteSet* holder, const CommonString& name, int frame);
// Draw's alpha offset for a total opacity: 0 opaque, -255 invisible.
inline int AlphaOffsetFor(FIXED_FLOAT opacity) { return (int)(opacity >> 8) - 255; }
// Whether every parent up to the application object has the element below it as its active one.
bool IsActiveChild(CXElement* element);

class XImage : public XWidget {
public:
  XImage(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context);
  ~XImage() override;

  void Draw() override;
  int OnInitWidget() override;
  TCoord2D GetSize() override;

  ContainedSpriteSet m_Image;
};
