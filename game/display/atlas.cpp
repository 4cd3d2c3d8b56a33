// Atlas: reading the index, loading the page textures and looking entries up by name.
#include "atlas.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "dib_bitmap.h"
#include "files.h"
#include "game_base.h"
#include "image_loaders.h"
#include "platform_services.h"
#include "resources.h"
#include "texture2d.h"

namespace {

// A bounded little-endian reader over the index bytes.
struct IndexReader {
  const unsigned char* p;
  int left;
  bool U32(unsigned* v) {
    if (left < 4) return false;
    *v = (unsigned)p[0] | (unsigned)p[1] << 8 | (unsigned)p[2] << 16 | (unsigned)p[3] << 24;
    p += 4;
    left -= 4;
    return true;
  }
  bool I32(int* v) {
    unsigned u;
    if (!U32(&u)) return false;
    *v = (int)u;
    return true;
  }
};

// Name length word, at least one name byte (its zero) and eight values.
const int kSmallestRecord = 4 + 1 + 8 * 4;

[[noreturn]] void Fail(const char* what, const char* file, const char* why) {
  fprintf(stderr, "sprocklet: %s '%s'%s%s\n", what, file, why ? ": " : "", why ? why : "");
  exit(1);
}

} // namespace

Atlas::Atlas() : pages(nullptr), pageCount(0), pageTextures(), width(0), height(0) {}

Atlas::Atlas(CommonString name) : Atlas() { LoadImage(name); }

void Atlas::ClearAtlas() {
  // A damaged page ends the program however soon the atlas goes.
  for (Texture2D* t : pageTextures)
    if (PicturePending(t)) {
      FinishPendingPictures();
      break;
    }
  if (pages) {
    for (int i = 0; i < pageCount; ++i) {
      AtlasPage* page = pages[i];
      if (!page) continue;
      for (int k = 0; k < page->count; ++k) {
        if (!page->entries[k]) continue;
        free(page->entries[k]->name);
        delete page->entries[k];
      }
      free(page->entries);
      delete page;
    }
    free(pages);
  }
  pages = nullptr;
  pageCount = 0;
  for (Texture2D*& t : pageTextures) {
    delete t;
    t = nullptr;
  }
}

int Atlas::ReadIndex(const unsigned char* data, int size, const char** why) {
  ClearAtlas();
  IndexReader in{data, data ? size : 0};
  unsigned ignored = 0, count = 0;
  auto fail = [&](const char* reason) {
    ClearAtlas();
    if (why) *why = reason;
    return 0;
  };
  if (!in.U32(&ignored) || !in.U32(&count)) return fail("shorter than its header");
  if (count > ATLAS_MAX_PAGES) return fail("more than 30 pages");
  pages = (AtlasPage**)calloc(count ? count : 1, sizeof(AtlasPage*));
  if (!pages) return fail("out of memory");
  pageCount = (int)count;
  for (int i = 0; i < pageCount; ++i) {
    unsigned n = 0;
    if (!in.U32(&n)) return fail("a page count runs past the end");
    if (n > (unsigned)(in.left / kSmallestRecord)) return fail("more entries than the file holds");
    AtlasPage* page = new AtlasPage{(SurfaceInfo**)calloc(n ? n : 1, sizeof(SurfaceInfo*)), 0};
    pages[i] = page;
    if (!page->entries) return fail("out of memory");
    for (unsigned k = 0; k < n; ++k) {
      unsigned len = 0;
      if (!in.U32(&len)) return fail("an entry runs past the end");
      if (len == 0 || len > ATLAS_MAX_NAME) return fail("a name longer than 255 characters or empty");
      if ((int)len > in.left) return fail("a name runs past the end");
      if (in.p[len - 1] != 0) return fail("a name without its terminating zero");
      SurfaceInfo* info = new SurfaceInfo();
      info->name = (char*)malloc(len);
      if (!info->name) {
        delete info;
        return fail("out of memory");
      }
      memcpy(info->name, in.p, len);
      in.p += len;
      in.left -= (int)len;
      page->entries[page->count++] = info;
      int* values[8] = {&info->offsetX,       &info->offsetY,       &info->width,  &info->height,
                        &info->centerOffsetX, &info->centerOffsetY, &info->atlasX, &info->atlasY};
      for (int* v : values)
        if (!in.I32(v)) return fail("an entry runs past the end");
    }
  }
  return 1;
}

void Atlas::LoadImage(CommonString name) {
  ClearAtlas();
  CommonString path = pathForResource(name, "cfg");
  IFile* file = path.IsEmpty() ? nullptr : _fopen(path.GetData(), "rb");
  CommonString shown = path.IsEmpty() ? ResourcePath(name, "cfg") : path;
  if (!file) Fail("cannot open the atlas index", shown.c_str(), nullptr);
  _fseek(file, 0, 0);
  int size = file->GetSize();
  unsigned char* data = (unsigned char*)malloc(size > 0 ? (size_t)size : 1);
  int got = data && size > 0 ? (int)_fread(data, 1, (unsigned)size, file) : 0;
  _fclose(file);
  const char* why = nullptr;
  int ok = data && got == size && ReadIndex(data, size, &why);
  free(data);
  if (!ok) Fail("damaged atlas index", shown.c_str(), why ? why : "unreadable");

  for (int i = 0; i < pageCount; ++i) {
    CommonString pageName = name;
    CommonString number;
    number.Format("%d", i);
    pageName = pageName + number;
    CommonString pagePath = pathForResource(pageName, "png");
    // The pages decode beside whatever else loads, and are finished before anything draws.
    IDibBitmap* bitmap = pagePath.IsEmpty() ? nullptr : ImageLoad_PNG_Deferred(g_pGame, pagePath.GetData());
    if (!bitmap) {
      CommonString expected = pagePath.IsEmpty() ? ResourcePath(pageName, "png") : pagePath;
      ClearAtlas();
      Fail("cannot load the atlas page", expected.c_str(), nullptr);
    }
    Texture2D* texture = new Texture2D();
    texture->bitmap = bitmap;
    texture->size.x = bitmap->GetWidth();
    texture->size.y = bitmap->GetHeight();
    AddPendingPicture(texture, [pagePath] { Fail("cannot load the atlas page", pagePath.c_str(), nullptr); });
    pageTextures[i] = texture;
    for (int k = 0; k < pages[i]->count; ++k)
      pages[i]->entries[k]->page = texture;
  }
}

SurfaceInfo* Atlas::getSurfaceInfo(const char* name) {
  if (!name || !pages) return nullptr;
  for (int i = 0; i < pageCount; ++i) {
    AtlasPage* page = pages[i];
    if (!page) continue;
    for (int k = 0; k < page->count; ++k)
      if (strcmp(page->entries[k]->name, name) == 0) return page->entries[k];
  }
  return nullptr;
}
