// The developer build end to end, headless with a journal: from play through the developer corner
// into the editor, an object dragged, and the exit corner that writes the level into data/ and
// starts play of it again, with its buttons.
#include <cmath>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "atlas.h"
#include "game_test_support.h"
#include "level_format.h"
#include "program_run.h"

namespace {

namespace fs = std::filesystem;
using program_run::Picture;
using program_run::ReadPng;

const std::string kImages = std::string(SPROCKLET_BINARY_DIR) + "/samplepack/images";
const std::string kLevels = std::string(SPROCKLET_BINARY_DIR) + "/samplepack_levels/levels";

// The screen is 5-6-5: a colour read back is the art's to within one step of each channel.
bool Near(unsigned a, unsigned b) {
  int dr = (int)(a >> 16) - (int)(b >> 16), dg = (int)(a >> 8 & 255) - (int)(b >> 8 & 255),
      db = (int)(a & 255) - (int)(b & 255);
  return std::abs(dr) <= 8 && std::abs(dg) <= 4 && std::abs(db) <= 8;
}

int CountNear(const Picture& p, unsigned colour, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      n += Near(p.Colour(x, y), colour) ? 1 : 0;
  return n;
}

// The fill of one atlas entry of the sample pack: its most frequent bright colour.
unsigned EntryFill(const std::string& atlasName, const std::string& entry) {
  std::string index = program_run::Slurp(kImages + "/" + atlasName + ".cfg");
  Atlas atlas;
  const char* why = nullptr;
  if (atlas.ReadIndex((const unsigned char*)index.data(), (int)index.size(), &why) != 1) return 0;
  for (int page = 0; page < atlas.pageCount; ++page)
    for (int e = 0; e < atlas.pages[page]->count; ++e) {
      const SurfaceInfo* s = atlas.pages[page]->entries[e];
      if (entry != s->name) continue;
      Picture art;
      if (!ReadPng(kImages + "/" + atlasName + std::to_string(page) + ".png", &art)) return 0;
      std::map<unsigned, int> counts;
      for (int y = s->atlasY; y < s->atlasY + s->height; ++y)
        for (int x = s->atlasX; x < s->atlasX + s->width; ++x) {
          unsigned c = art.Colour(x, y);
          if ((c >> 16) + (c >> 8 & 255) + (c & 255) > 90) ++counts[c];
        }
      unsigned best = 0;
      int most = 0;
      for (const auto& c : counts)
        if (c.second > most) most = c.second, best = c.first;
      return best;
    }
  return 0;
}

std::vector<gameRectData> Records(const std::string& path) {
  std::string bytes = program_run::Slurp(path);
  int count = 0;
  const char* why = "";
  std::vector<gameRectData> out;
  if (!CheckLevelFile((const unsigned char*)bytes.data(), bytes.size(), &count, &why)) {
    ADD_FAILURE() << path << ": " << why;
    return out;
  }
  for (int i = 0; i < count; ++i)
    out.push_back(LevelRecordAt((const unsigned char*)bytes.data(), i));
  return out;
}

int Occurrences(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
    ++n;
  return n;
}

TEST(EditorProgram, FromPlayIntoTheEditorADragAndBackIntoPlayFromTheSavedFile) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  // Level 1's view in the editor has a column of blocks at x 140-180; the lowest is centred near
  // y 162. The release of the touch that entered confirmed a selection, so a double tap drops it
  // and its second touch picks the block; the next touch drags it 40 pixels right.
  std::string journal = program_run::Tap(60, 470, 10);
  journal += "90 touch down 0 300 250\n91 touch up 0 300 250\n";
  journal += "92 touch down 0 160 160\n93 touch move 0 163 160\n94 touch up 0 163 160\n";
  journal += "110 touch down 0 160 160\n111 touch move 0 200 160\n112 touch up 0 200 160\n";
  journal += program_run::Tap(140, 470, 10);
  const std::string editorShot = dir.path() + "/editor.png", playShot = dir.path() + "/play.png";
  program_run::Run run =
      program_run::RunHeadless(dir.path(), journal,
                               "--developer --level 1 --seed 1 --frames 200 --shot 130:'" + editorShot +
                                   "' --shot 190:'" + playShot + "' --data '" + SPROCKLET_DATA_DIR + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<int> path = program_run::ModePath(run.out);
  EXPECT_EQ(path, (std::vector<int>{18, 9, 10, 9})) << run.out;

  // The file in data/ is the pack's level with one block 40 units to the right (to the grid of 2).
  const std::string saved = dir.path() + "/root/data/level1.txt";
  ASSERT_TRUE(fs::exists(saved)) << run.out;
  std::vector<gameRectData> before = Records(kLevels + "/level1.txt"), after = Records(saved);
  ASSERT_EQ(before.size(), after.size());
  int moved = 0;
  for (size_t i = 0; i < before.size(); ++i) {
    float dx = after[i].Float(LW_X) - before[i].Float(LW_X),
          dy = after[i].Float(LW_Y) - before[i].Float(LW_Y);
    EXPECT_EQ(after[i].Int(LW_TYPE), before[i].Int(LW_TYPE)) << i;
    if (dx == 0 && dy == 0) continue;
    ++moved;
    EXPECT_NEAR(dx, 40, 1) << i;
    EXPECT_NEAR(dy, 0, 1) << i;
  }
  EXPECT_EQ(moved, 1);
  for (const auto& entry : fs::directory_iterator(dir.path() + "/root/data"))
    EXPECT_EQ(entry.path().filename().string().rfind("level1.txt", 0) != 0 ||
                  entry.path().filename() == "level1.txt",
              true)
        << "a half-written file is left: " << entry.path();
  // Play started twice with the level's objects, the second time from the saved file.
  EXPECT_EQ(
      Occurrences(run.out, "sprocklet: level 1 started with " + std::to_string(before.size()) + " objects"),
      2)
      << run.out;

  // The editor's status line at the top left; play's pause button at the top right again.
  Picture editor, play;
  ASSERT_TRUE(ReadPng(editorShot, &editor));
  ASSERT_TRUE(ReadPng(playShot, &play));
  EXPECT_GT(CountNear(editor, 0xffffff, 0, 0, 240, 30), 100) << "the status line's white text";
  const unsigned pause = EntryFill("allcommon", "gui_pause_pas");
  ASSERT_NE(pause, 0u);
  EXPECT_GT(CountNear(play, pause, play.width - 60, 0, play.width, 60), 400) << "the pause button";
  EXPECT_LT(CountNear(editor, pause, editor.width - 60, 0, editor.width, 60), 50) << "not in the editor";
  program_run::KeepShotsOnFailure(dir.path(), "editor");
}

} // namespace
