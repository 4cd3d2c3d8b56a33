// Surface and SurfaceDummy: loading sprites from image files and linking them to atlas entries.
#include "surface.h"

#include "atlas.h"
#include "dib_bitmap.h"
#include "game_base.h"
#include "image_loaders.h"
#include "platform_services.h"
#include "resources.h"
#include "sprite_tables.h"
#include "texture2d.h"

void (*g_loadUpdateFunction)() = nullptr;

namespace {

// The surface's own picture becomes bitmap's (null: none), as LoadImage leaves it.
void TakePicture(Surface& s, IDibBitmap* bitmap) {
  if (bitmap) {
    s.texture = new Texture2D();
    s.texture->bitmap = bitmap;
    s.texture->size.x = bitmap->GetWidth();
    s.texture->size.y = bitmap->GetHeight();
  }
  if (s.texture) {
    s.width = s.texture->size.x;
    s.height = s.texture->size.y;
    s.loaded = true;
  }
  if (s.width == 0 || s.height == 0 || !s.texture) {
    // An empty picture is no sprite: its texture goes with it.
    delete s.texture;
    s.texture = nullptr;
    s.loaded = false;
  }
  s.fromAtlas = false;
  s.atlasX = s.atlasY = s.offsetX = s.offsetY = s.centerOffsetX = s.centerOffsetY = 0;
}

// Begins decoding the PNG file for the surface beside whatever else loads. Should the file turn
// out damaged when the pictures are finished, the surface ends as LoadImage would have left it:
// with the plain picture when file was the "2x_" one (plain), else with none. False, and the
// surface untouched, when the file is missing or its header unusable.
bool BeginPicture(Surface& s, const CommonString& file, const CommonString& plain) {
  CommonString path = pathForResource(file, "png");
  IDibBitmap* bitmap = path.IsEmpty() ? nullptr : ImageLoad_PNG_Deferred(g_pGame, path.GetData());
  if (!bitmap) return false;
  TakePicture(s, bitmap);
  Surface* surface = &s;
  Texture2D* texture = s.texture;
  AddPendingPicture(texture, [surface, texture, plain] {
    // Replaced or deleted meanwhile: nothing to put right.
    if (surface->texture != texture) return;
    surface->UnloadImage();
    surface->width = surface->height = 0;
    if (!plain.IsEmpty()) {
      surface->LoadImage(plain, 0);
      surface->is2x = false;
    }
  });
  return true;
}

} // namespace

Surface::Surface(CommonString n, int type, bool deferredLoad)
    : loaded(false), is2x(true), texture(nullptr), deferred(deferredLoad), fromAtlas(false), atlasX(0),
      atlasY(0), offsetX(0), offsetY(0), centerOffsetX(0), centerOffsetY(0), width(0), height(0) {
  if (deferred) {
    name = n;
  } else if (type == 1 || type == 2) {
    LoadImage(CommonString("2x_") + n, type);
    if (!texture) {
      LoadImage(n, type);
      is2x = false;
    }
  } else if (!BeginPicture(*this, CommonString("2x_") + n, n)) {
    is2x = false;
    if (!BeginPicture(*this, n, CommonString())) LoadImage(n, type);
  }
  if (g_loadUpdateFunction) g_loadUpdateFunction();
}

Surface::Surface(Atlas* atlas, CommonString n)
    : loaded(false), is2x(false), texture(nullptr), deferred(false), fromAtlas(false), atlasX(0), atlasY(0),
      offsetX(0), offsetY(0), centerOffsetX(0), centerOffsetY(0), width(0), height(0) {
  LinkFromAtlas(atlas, n);
  if (!texture) LinkFromAtlas(atlas, CommonString("2x_") + n);
}

// The texture is let go before it is deleted: deleting it may finish the pictures being decoded.
Surface::~Surface() {
  // An atlas may already be gone: an entry's texture is never touched here.
  Texture2D* own = fromAtlas ? nullptr : texture;
  texture = nullptr;
  loaded = false;
  delete own;
}

void Surface::LoadImage(CommonString n, int type, bool) {
  Texture2D* own = fromAtlas ? nullptr : texture;
  texture = nullptr;
  delete own;
  CommonString path;
  if (type == 1)
    path = pathForResource(n, "jpg");
  else if (type != 2)
    path = pathForResource(n, "png");
  IDibBitmap* bitmap = nullptr;
  if (!path.IsEmpty())
    bitmap = type == 1 ? ImageLoad_JPG(g_pGame, path.GetData(), nullptr)
                       : ImageLoad_PNG(g_pGame, path.GetData(), nullptr);
  TakePicture(*this, bitmap);
}

void Surface::LinkFromAtlas(Atlas* atlas, CommonString n) {
  Texture2D* own = fromAtlas ? nullptr : texture;
  texture = nullptr;
  delete own;
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
  Texture2D* own = fromAtlas ? nullptr : texture;
  texture = nullptr;
  loaded = false;
  delete own;
}

SurfaceDummy::SurfaceDummy(CommonString n, bool, int) : pending(true), name(n) {}

void SurfaceDummy::UseMeToLoad(int type, int frame) {
  g_loadUpdateFunction = nullptr;
  if (type < 0 || type >= RECTS_TYPES || frame < 0 || frame >= RECTS_FRAMES) return;
  if (!g_rects[type][frame]) g_rects[type][frame] = new Surface(name, 0, false);
}
