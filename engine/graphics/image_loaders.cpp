// Choosing the image file (plain or double-resolution, JPEG or PNG), opening it, and premultiplied
// alpha. The decoding itself is in png_loader.cpp and jpeg_loader.cpp.
#include "image_loaders.h"

#include "app_graphics.h"
#include "dib_bitmap.h"
#include "files.h"
#include "image_pixels.h"
#include "texture_data.h"

namespace {

// The name without a ".jpg" or ".png" ending.
CommonString BaseName(const char* name) {
  size_t len = strlen(name);
  if (len > 4 && (strcmp(name + len - 4, ".jpg") == 0 || strcmp(name + len - 4, ".png") == 0)) {
    CommonString base;
    base.Format("%.*s", (int)(len - 4), name);
    return base;
  }
  return CommonString(name);
}

} // namespace

IDibBitmap* LoadImageFile(CAppGraphics* app, const char* name, IDibBitmap* bitmap, ImageDecodeFunc decode,
                          CommonString IDibBitmap::*nameField) {
  if (!app || !name) return nullptr;
  bool created = bitmap == nullptr;
  if (created && !(bitmap = app->CreateBitmapObject())) return nullptr;
  if (nameField) bitmap->*nameField = name;
  CMemoryFile file;
  if (!DidLoadOpenImageFile1x_2x(app, file, bitmap, name, created)) return nullptr;
  if (decode(app, &file, bitmap)) return bitmap;
  if (created) SafeDelete(bitmap);
  return nullptr;
}

int DidLoadOpenImageFile1x_2x(CAppGraphics* app, CMemoryFile& file, IDibBitmap* bitmap, const char* name,
                              bool deleteOnFailure) {
  if (!app || !name) return 0;
  CommonString path2x = app->GetImagePathFor2XImage(CommonString(name));
  auto open2x = [&]() {
    if (path2x.IsEmpty() || !file.Open(app, path2x.c_str(), FILE_MODE_READ)) return false;
    if (bitmap) bitmap->m_b2xImage = 1;
    return true;
  };
  auto open1x = [&]() { return file.Open(app, name, FILE_MODE_READ) != 0; };
  bool opened = app->m_b2xImages ? (open2x() || open1x()) : (open1x() || open2x());
  if (opened) return 1;
  if (deleteOnFailure) SafeDelete(bitmap);
  return 0;
}

int CanOpenImageFile2x(CAppGraphics* app, const char* name) {
  if (!app || !name || !app->m_b2xImages) return 0;
  CommonString path2x = app->GetImagePathFor2XImage(CommonString(name));
  if (path2x.IsEmpty()) return 0;
  CMemoryFile file;
  int opened = file.Open(app, path2x.c_str(), FILE_MODE_READ | FILE_MODE_EXISTS);
  file.Close();
  return opened ? 1 : 0;
}

IDibBitmap* ImageLoad_PNG(CAppGraphics* app, const char* name, IDibBitmap* bitmap) {
  return LoadImageFile(app, name, bitmap, ImageDecode_PNG, &IDibBitmap::m_ImageFileName);
}

IDibBitmap* ImageLoad_PNG_Alpha(CAppGraphics* app, const char* name, IDibBitmap* bitmap) {
  return LoadImageFile(app, name, bitmap, ImageDecode_PNG_Alpha, nullptr);
}

IDibBitmap* ImageLoad(CAppGraphics* app, const char* name, IDibBitmap* bitmap) {
  if (!app || !name) return nullptr;
  CommonString base = BaseName(name);
  CommonString png = base + ".png";
  if (app->m_b2xImages && CanOpenImageFile2x(app, png.c_str()))
    return ImageLoad_PNG(app, png.c_str(), bitmap);

  // One texture upload for colour and alpha together.
  app->m_bUpdateTextureOnSetBits = 0;
  IDibBitmap* result = ImageLoad_JPG(app, (base + ".jpg").c_str(), bitmap);
  if (!result) {
    app->m_bUpdateTextureOnSetBits = 1;
    return ImageLoad_PNG(app, png.c_str(), bitmap);
  }
  // Without its "_a.jpg" the image is simply opaque.
  ImageLoad_JPG_Alpha(app, (base + "_a.jpg").c_str(), result);
  if (app->m_bPremultiplyAlpha) ImagePremultiplyAlpha(result);
  app->m_bUpdateTextureOnSetBits = 1;
  if (result->HWUpdateTexture()) return result;
  if (!bitmap) SafeDelete(result);
  return nullptr;
}

IDibBitmap* ImageLoad_Alpha(CAppGraphics* app, const char* name, IDibBitmap* bitmap) {
  if (!app || !name) return nullptr;
  CommonString base = BaseName(name);
  IDibBitmap* result = ImageLoad_JPG_Alpha(app, (base + ".jpg").c_str(), bitmap);
  if (result) return result;
  return ImageLoad_PNG_Alpha(app, (base + ".png").c_str(), bitmap);
}

void ImagePremultiplyAlpha(IDibBitmap* bitmap) {
  if (!bitmap || !bitmap->HasPixelsInRAM() || !bitmap->HasAlphaInRAM()) return;
  if (bitmap->GetBitsPerPixel() != 24 || bitmap->GetBytesPerPixel() != 3) return;
  PremultiplyPixels(bitmap->GetBits(), bitmap->GetAlphaBits(),
                    (size_t)bitmap->GetStoredWidth() * (size_t)bitmap->GetStoredHeight());
}

void PremultiplyPixels(unsigned char* colour, const unsigned char* alpha, size_t count) {
  for (size_t i = 0; i < count; i++) {
    unsigned a = alpha[i];
    unsigned char* p = colour + 3 * i;
    p[0] = (unsigned char)((p[0] * a) >> 8);
    p[1] = (unsigned char)((p[1] * a) >> 8);
    p[2] = (unsigned char)((p[2] * a) >> 8);
  }
}

IDibBitmap* ImageLoad_PVR(CAppGraphics* app, const char* name) {
  if (!app || !name) return nullptr;
  IDibBitmap* bitmap = app->CreateBitmapObject();
  if (!bitmap) return nullptr;
  // Only a hardware bitmap has texture data to build the tiles into.
  QuellarTextureData* texture = bitmap->GetHWResource();
  if (!texture || !texture->PVR_CreateTexture(bitmap, name)) {
    SafeDelete(bitmap);
    return nullptr;
  }
  // The bitmap takes its size from placeholders that are dropped at once: the pixels live only in
  // the compressed texture.
  u8 textures = app->m_bCreateTextures;
  app->m_bCreateTextures = 0;
  unsigned char* pixels = (unsigned char*)malloc(2);
  bool ok = pixels && bitmap->SetBits(pixels, texture->m_nImageWidth, texture->m_nImageHeight);
  if (!ok) free(pixels);
  if (ok && texture->m_bPVRAlpha) {
    unsigned char* alpha = (unsigned char*)malloc(1);
    ok = alpha && bitmap->SetAlphaBits(alpha, texture->m_nImageWidth, texture->m_nImageHeight);
    if (!ok) free(alpha);
  }
  if (ok) bitmap->HWReleasePixelDataInRAM();
  app->m_bCreateTextures = textures;
  if (!ok) SafeDelete(bitmap);
  return bitmap;
}
