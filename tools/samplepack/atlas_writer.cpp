// Game atlas writing: deterministic shelf packing, the little-endian index and the page PNGs.
#include "atlas_writer.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace samplepack {

namespace {

const int kGap = 2; // between sprites, so filtering never picks up a neighbour

int PowerOfTwo(int v) {
  int p = 1;
  while (p < v)
    p *= 2;
  return p;
}

void PutU32(std::vector<unsigned char>& out, unsigned v) {
  for (int i = 0; i < 4; ++i)
    out.push_back((unsigned char)(v >> (8 * i)));
}

} // namespace

std::string PackAtlas(const std::vector<PackItem>& sprites, std::vector<AtlasPlacement>* placements,
                      int* pageCount) {
  std::vector<size_t> order(sprites.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const PackItem& ia = sprites[a];
    const PackItem& ib = sprites[b];
    if (ia.height != ib.height) return ia.height > ib.height;
    if (ia.width != ib.width) return ia.width > ib.width;
    return ia.name < ib.name;
  });
  placements->assign(sprites.size(), AtlasPlacement{0, 0, 0});
  int page = 0, x = 0, y = 0, shelf = 0;
  bool pageUsed = false;
  for (size_t i : order) {
    const PackItem& s = sprites[i];
    if ((int)s.name.size() + 1 > kAtlasMaxName)
      return "the name " + s.name + " is longer than the reader takes";
    int w = s.width, h = s.height;
    if (w > kAtlasPageSize || h > kAtlasPageSize) return s.name + " is larger than a page";
    if (x + w > kAtlasPageSize) { // next shelf
      x = 0;
      y += shelf + kGap;
      shelf = 0;
    }
    if (y + h > kAtlasPageSize) { // next page
      ++page;
      x = y = shelf = 0;
    }
    (*placements)[i] = AtlasPlacement{page, x, y};
    pageUsed = true;
    x += w + kGap;
    shelf = std::max(shelf, h);
  }
  *pageCount = pageUsed ? page + 1 : 0;
  if (*pageCount > kAtlasMaxPages) return "more pages than the reader takes";
  return "";
}

std::vector<unsigned char> AtlasIndex(const std::vector<AtlasSprite>& sprites,
                                      const std::vector<AtlasPlacement>& placements, int pageCount) {
  std::vector<unsigned char> out;
  PutU32(out, 0); // read and ignored
  PutU32(out, (unsigned)pageCount);
  for (int page = 0; page < pageCount; ++page) {
    std::vector<size_t> on;
    for (size_t i = 0; i < sprites.size(); ++i)
      if (placements[i].page == page) on.push_back(i);
    PutU32(out, (unsigned)on.size());
    for (size_t i : on) {
      const AtlasSprite& s = sprites[i];
      PutU32(out, (unsigned)s.name.size() + 1);
      out.insert(out.end(), s.name.begin(), s.name.end());
      out.push_back(0);
      // Untrimmed pictures: no offsets inside the frame, none about the centre.
      const int values[8] = {0, 0, s.art.width(), s.art.height(), 0, 0, placements[i].x, placements[i].y};
      for (int v : values)
        PutU32(out, (unsigned)v);
    }
  }
  return out;
}

std::string WriteAtlas(const std::string& dir, const std::string& atlas,
                       const std::vector<AtlasSprite>& sprites, std::vector<std::string>* files) {
  std::vector<PackItem> items;
  for (const AtlasSprite& s : sprites)
    items.push_back({s.name, s.art.width(), s.art.height()});
  std::vector<AtlasPlacement> placements;
  int pageCount = 0;
  std::string error = PackAtlas(items, &placements, &pageCount);
  if (!error.empty()) return atlas + ": " + error;

  std::vector<unsigned char> index = AtlasIndex(sprites, placements, pageCount);
  std::string indexName = atlas + ".cfg";
  FILE* f = fopen((dir + "/" + indexName).c_str(), "wb");
  if (!f) return "cannot write " + dir + "/" + indexName;
  bool ok = fwrite(index.data(), 1, index.size(), f) == index.size();
  ok = fclose(f) == 0 && ok;
  if (!ok) return "cannot write " + dir + "/" + indexName;
  files->push_back(indexName);

  for (int page = 0; page < pageCount; ++page) {
    int w = 1, h = 1;
    for (size_t i = 0; i < sprites.size(); ++i)
      if (placements[i].page == page) {
        w = std::max(w, placements[i].x + sprites[i].art.width());
        h = std::max(h, placements[i].y + sprites[i].art.height());
      }
    Canvas sheet(PowerOfTwo(w), PowerOfTwo(h));
    for (size_t i = 0; i < sprites.size(); ++i)
      if (placements[i].page == page) sheet.Put(sprites[i].art, placements[i].x, placements[i].y);
    std::string pageName = atlas + std::to_string(page) + ".png";
    error = WritePng(dir + "/" + pageName, sheet);
    if (!error.empty()) return error;
    files->push_back(pageName);
  }
  return "";
}

} // namespace samplepack
