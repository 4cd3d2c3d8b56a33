// samplepack: writes the files of the sample asset pack from the catalogue's tables: every atlas
// with an entry for every sprite name, every standalone picture and background, and the game's
// bitmap fonts, as placeholder art. The same tables give the same bytes.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "art.h"
#include "atlas_writer.h"
#include "catalogue_data.h"
#include "font_writer.h"
#include "text.h"

namespace fs = std::filesystem;
using namespace samplepack;

namespace {

const char* kUsage =
    "usage: samplepack --out DIR --font FILE.ttf\n"
    "Writes the sample pack's files into DIR/images (DIR is emptied first): the atlases, pictures,\n"
    "backgrounds and fonts the game's catalogue names, as placeholder art drawn with FILE.ttf.\n";

struct Collector : catalogue::AssetVisitor {
  std::vector<std::string> atlases;
  std::map<std::string, std::vector<ArtRequest>> entries;
  std::vector<std::pair<ArtRequest, catalogue::Source>> pictures;
  std::vector<catalogue::FontSpec> fonts;

  void Atlas(const char* atlas) override { atlases.push_back(atlas); }
  void AtlasEntry(const char* atlas, const char* name, const catalogue::Slot& slot) override {
    entries[atlas].push_back(ArtRequest{name, slot, atlas});
  }
  void Picture(const char* name, catalogue::Source source, const catalogue::Slot& slot) override {
    pictures.push_back({ArtRequest{name, slot, ""}, source});
  }
  void Font(const catalogue::FontSpec& font) override { fonts.push_back(font); }
};

int Fail(const std::string& why) {
  fprintf(stderr, "samplepack: %s\n", why.c_str());
  return 1;
}

} // namespace

int main(int argc, char** argv) {
  std::string out, fontFile;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if ((arg == "--out" || arg == "--font") && i + 1 < argc) {
      (arg == "--out" ? out : fontFile) = argv[++i];
    } else if (arg == "-h" || arg == "--help") {
      fputs(kUsage, stdout);
      return 0;
    } else {
      fputs(kUsage, stderr);
      return 2;
    }
  }
  if (out.empty() || fontFile.empty()) {
    fputs(kUsage, stderr);
    return 2;
  }

  TextRenderer text;
  std::string error;
  if (!text.Open(fontFile, &error)) return Fail(error);

  // Start from an empty directory, so nothing of an earlier run slips into the pack.
  std::error_code ec;
  fs::remove_all(out, ec);
  const std::string images = out + "/images";
  fs::create_directories(images, ec);
  if (ec) return Fail("cannot create " + images + ": " + ec.message());

  Collector walk;
  catalogue::WalkAssets(walk);

  std::vector<std::string> files;
  for (const std::string& atlas : walk.atlases) {
    std::vector<AtlasSprite> sprites;
    for (const ArtRequest& request : walk.entries[atlas]) {
      if (ArtSize(request).width == 0) return Fail("no size for " + request.name + " in the catalogue");
      sprites.push_back(AtlasSprite{request.name, DrawArt(request, text)});
    }
    error = WriteAtlas(images, atlas, sprites, &files);
    if (!error.empty()) return Fail(error);
  }
  for (const auto& picture : walk.pictures) {
    // Standalone pictures are drawn at twice the logical size: stored under the "2x_" name the
    // game tries first.
    if (ArtSize(picture.first).width == 0)
      return Fail("no size for " + picture.first.name + " in the catalogue");
    bool jpeg = picture.second == catalogue::Source::Jpeg;
    std::string name = "2x_" + picture.first.name + (jpeg ? ".jpg" : ".png");
    Canvas art = DrawArt(picture.first, text);
    error = jpeg ? WriteJpeg(images + "/" + name, art, 85) : WritePng(images + "/" + name, art);
    if (!error.empty()) return Fail(error);
    files.push_back(name);
  }
  for (const catalogue::FontSpec& font : walk.fonts) {
    error = WriteFont(images, font, text, &files);
    if (!error.empty()) return Fail(error);
  }

  // Two assets writing one file would leave the game only one of them.
  std::set<std::string> unique(files.begin(), files.end());
  if (unique.size() != files.size()) {
    std::sort(files.begin(), files.end());
    for (size_t i = 1; i < files.size(); ++i)
      if (files[i] == files[i - 1]) return Fail("two assets write " + files[i]);
  }
  printf("samplepack: %zu atlases, %zu pictures, %zu fonts (%zu files)\n", walk.atlases.size(),
         walk.pictures.size(), walk.fonts.size(), files.size());
  return 0;
}
