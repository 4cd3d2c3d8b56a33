// Atlas: a sprite atlas of PNG pages and a binary index (".cfg") naming every sprite with its
// rectangle and trim data. A missing or damaged index or page ends the program with status 1.
#pragma once

#include "common_string.h"

class Texture2D;

enum {
  ATLAS_MAX_PAGES = 30,
  // Longest name record, the terminating zero included.
  ATLAS_MAX_NAME = 256,
};

struct SurfaceInfo {
  char* name; // malloc'ed, as read from the file
  int width, height;
  int atlasX, atlasY;
  int offsetX, offsetY;
  int centerOffsetX, centerOffsetY;
  Texture2D* page; // the page's texture, owned by the atlas
};

struct AtlasPage {
  SurfaceInfo** entries; // calloc'ed
  int count;
};

class Atlas {
public:
  // Loads the index "<name>.cfg" and its pages "<name>0.png", "<name>1.png", ...
  explicit Atlas(CommonString name);
  // An empty atlas (every lookup null).
  Atlas();
  Atlas(const Atlas&) = delete;
  Atlas& operator=(const Atlas&) = delete;
  ~Atlas() { ClearAtlas(); }

  void LoadImage(CommonString name);
  // The first entry of that name, page 0 first and each page in file order; null when none.
  SurfaceInfo* getSurfaceInfo(const char* name);
  void ClearAtlas();
  int GetWidth() { return width; }
  int GetHeight() { return height; }

  // Reads index bytes into the pages (without page textures). 1 on success; 0 with the reason in
  // why when the index is damaged, and the atlas is left empty.
  int ReadIndex(const unsigned char* data, int size, const char** why);

  AtlasPage** pages;
  int pageCount;
  Texture2D* pageTextures[ATLAS_MAX_PAGES];
  int width, height;
};
