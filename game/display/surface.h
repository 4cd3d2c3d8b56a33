// Surface: the game's handle to one drawable sprite, from an image file of its own (the "2x_"
// variant first) or from an entry of a sprite atlas sharing the page's texture; SurfaceDummy:
// the name of a sprite loaded only when a level object first draws it.
#pragma once

#include "common_string.h"

class Atlas;
class Texture2D;

class Surface {
public:
  // type 1 a JPEG, 2 nothing, any other value a PNG.
  Surface(CommonString name, int type, bool deferred);
  // The plain entry first, then "2x_" + name.
  Surface(Atlas* atlas, CommonString name);
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  ~Surface();

  void LoadImage(CommonString name, int type, bool = false);
  void LinkFromAtlas(Atlas* atlas, CommonString name);
  int GetWidth() { return width; }
  int GetHeight() { return height; }
  void UnloadImage();
  void ReloadImage() {}

  bool loaded;
  bool is2x;
  // Null when nothing could be loaded; owned unless fromAtlas (then the atlas page's).
  Texture2D* texture;
  CommonString name;
  bool deferred;
  bool fromAtlas;
  int atlasX, atlasY;
  // Where the trimmed image begins inside the untrimmed frame.
  int offsetX, offsetY;
  // Placement of a trimmed image about a requested centre.
  int centerOffsetX, centerOffsetY;
  // Pixel size: a "2x_" image reports its full size and is drawn at scale 0.5 by its callers.
  int width, height;
};

class SurfaceDummy {
public:
  SurfaceDummy(CommonString name, bool, int);
  // Puts the real sprite (a PNG, "2x_" first) into the object sprite table at [type][frame].
  void UseMeToLoad(int type, int frame);

  bool pending;
  CommonString name;
};

// Called once at the end of every Surface(name, type, deferred); the loader draws its progress
// there while sprites load.
extern void (*g_loadUpdateFunction)();
