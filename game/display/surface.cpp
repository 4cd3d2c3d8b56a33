// Surface and SurfaceDummy: loading sprites from image files and linking them to atlas entries.
#include "surface.h"

#include "atlas.h"
#include "dib_bitmap.h"
#include "game_base.h"
#include "game_services.h"
#include "image_loaders.h"
#include "platform_services.h"
#include "resources.h"
#include "texture2d.h"

void (*g_loadUpdateFunction)() = nullptr;

Surface::Surface(CommonString n, int type, bool deferredLoad)
    : loaded(false), is2x(true), texture(nullptr), deferred(deferredLoad), fromAtlas(false), atlasX(0),
      atlasY(0), offsetX(0), offsetY(0), centerOffsetX(0), centerOffsetY(0), width(0), height(0) {
  if (deferred) {
    name = n;
  } else {
    LoadImage(CommonString("2x_") + n, type);
    if (!texture) {
      LoadImage(n, type);
      is2x = false;
    }
  }
  if (g_loadUpdateFunction) g_loadUpdateFunction();
}

Surface::Surface(Atlas* atlas, CommonString n)
    : loaded(false), is2x(false), texture(nullptr), deferred(false), fromAtlas(false), atlasX(0), atlasY(0),
      offsetX(0), offsetY(0), centerOffsetX(0), centerOffsetY(0), width(0), height(0) {
  LinkFromAtlas(atlas, n);
  if (!texture) LinkFromAtlas(atlas, CommonString("2x_") + n);
}

Surface::~Surface() {
  // An atlas may already be gone: an entry's texture is never touched here.
  if (!fromAtlas) delete texture;
  texture = nullptr;
  loaded = false;
}

void Surface::LoadImage(CommonString n, int type, bool) {
  if (!fromAtlas) delete texture;
  texture = nullptr;
  CommonString path;
  if (type == 1)
    path = pathForResource(n, "jpg");
  else if (type != 2)
    path = pathForResource(n, "png");
  if (!path.IsEmpty()) {
    IDibBitmap* bitmap = type == 1 ? ImageLoad_JPG(g_pGame, path.GetData(), nullptr)
                                   : ImageLoad_PNG(g_pGame, path.GetData(), nullptr);
    if (bitmap) {
      texture = new Texture2D();
      texture->bitmap = bitmap;
      texture->size.x = bitmap->GetWidth();
      texture->size.y = bitmap->GetHeight();
    }
  }
  if (texture) {
    width = texture->size.x;
    height = texture->size.y;
    loaded = true;
  }
  if (width == 0 || height == 0 || !texture) {
    // An empty picture is no sprite: its texture goes with it.
    delete texture;
    texture = nullptr;
    loaded = false;
  }
  fromAtlas = false;
  atlasX = atlasY = offsetX = offsetY = centerOffsetX = centerOffsetY = 0;
}

void Surface::LinkFromAtlas(Atlas* atlas, CommonString n) {
  if (!fromAtlas) delete texture;
  texture = nullptr;
  fromAtlas = true;
  SurfaceInfo* info = atlas && !n.IsEmpty() ? atlas->getSurfaceInfo(n.GetData()) : nullptr;
  // An entry without area is treated as missing, like an empty picture.
  if (!info || info->width <= 0 || info->height <= 0) return;
  texture = info->page;
  width = info->width;
  height = info->height;
  atlasX = info->atlasX;
  atlasY = info->atlasY;
  offsetX = info->offsetX;
  offsetY = info->offsetY;
  centerOffsetX = info->centerOffsetX;
  centerOffsetY = info->centerOffsetY;
}

void Surface::UnloadImage() {
  if (!fromAtlas) delete texture;
  texture = nullptr;
  loaded = false;
}

SurfaceDummy::SurfaceDummy(CommonString n, bool, int) : pending(true), name(n) {}

void SurfaceDummy::UseMeToLoad(int type, int frame) {
  g_loadUpdateFunction = nullptr;
  if (type < 0 || type >= RECTS_TYPES || frame < 0 || frame >= RECTS_FRAMES) return;
  if (!g_rects[type][frame]) g_rects[type][frame] = new Surface(name, 0, false);
}
