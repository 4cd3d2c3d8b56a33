// The developer build end to end, headless with a journal: into the editor from play's developer
// corner and from the mini-game's, an object dragged, and the exit corner that writes the level into
// data/ and starts play of it, with its buttons.
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "game_test_support.h"
#include "level_format.h"
#include "program_run.h"
#include "screen_colours.h"

namespace {

namespace fs = std::filesystem;
using program_run::Picture;
using program_run::ReadPng;
using screen_colours::Counted;
using screen_colours::CountNear;

const std::string kLevels = std::string(SPROCKLET_BINARY_DIR) + "/samplepack_levels/levels";

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

// The saved level is the pack's with one object moved dx to the right (to the grid of 2).
void ExpectOneMovedRight(const std::string& packLevel, const std::string& saved, float dx) {
  std::vector<gameRectData> before = Records(packLevel), after = Records(saved);
  ASSERT_EQ(before.size(), after.size());
  int moved = 0;
  for (size_t i = 0; i < before.size(); ++i) {
    float mx = after[i].Float(LW_X) - before[i].Float(LW_X),
          my = after[i].Float(LW_Y) - before[i].Float(LW_Y);
    EXPECT_EQ(after[i].Int(LW_TYPE), before[i].Int(LW_TYPE)) << i;
    if (mx == 0 && my == 0) continue;
    ++moved;
    EXPECT_NEAR(mx, dx, 1) << i;
    EXPECT_NEAR(my, 0, 1) << i;
  }
  EXPECT_EQ(moved, 1);
}

// Only the finished file is left in data/, no temporary beside it.
void ExpectOnlyTheFile(const std::string& dataDir, const std::string& name) {
  for (const auto& entry : fs::directory_iterator(dataDir)) {
    const std::string f = entry.path().filename().string();
    if (f.rfind(name, 0) == 0) {
      EXPECT_EQ(f, name) << "a half-written file is left";
    }
  }
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

  const std::string saved = dir.path() + "/root/data/level1.txt";
  ASSERT_TRUE(fs::exists(saved)) << run.out;
  ExpectOneMovedRight(kLevels + "/level1.txt", saved, 40);
  ExpectOnlyTheFile(dir.path() + "/root/data", "level1.txt");
  const size_t objects = Records(saved).size();
  // Play started twice with the level's objects, the second time from the saved file.
  EXPECT_EQ(Occurrences(run.out, "sprocklet: level 1 started with " + std::to_string(objects) + " objects"),
            2)
      << run.out;

  // The editor's status line at the top left; play's pause button at the top right again.
  Picture editor, play;
  ASSERT_TRUE(ReadPng(editorShot, &editor));
  ASSERT_TRUE(ReadPng(playShot, &play));
  EXPECT_GT(CountNear(editor, 0xffffff, 0, 0, 240, 30), 100) << "the status line's white text";
  const unsigned pause = screen_colours::AtlasFill("allcommon", "gui_pause_pas", Counted::Bright);
  ASSERT_NE(pause, 0u);
  EXPECT_GT(CountNear(play, pause, play.width - 60, 0, play.width, 60), 400) << "the pause button";
  EXPECT_LT(CountNear(editor, pause, editor.width - 60, 0, editor.width, 60), 50) << "not in the editor";
  program_run::KeepShotsOnFailure(dir.path(), "editor");
}

// The mini-game's top-left corner opens the editor on its course (level 20); the object dragged
// there is in the level written to data/, which play then runs with its buttons.
TEST(EditorProgram, FromTheMiniGamesCornerIntoTheEditorAndOnIntoPlay) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  // The menu's box and its mini-game button, as the menu lays them out; then the corner.
  std::string journal =
      program_run::Tap(340, 371, 286) + program_run::Tap(370, 371, 46) + program_run::Tap(420, 30, 30);
  // A double tap whose second touch picks the object nearest the course's line, then a drag.
  journal += "450 touch down 0 300 250\n451 touch up 0 300 250\n";
  journal += "452 touch down 0 240 172\n453 touch move 0 243 172\n454 touch up 0 243 172\n";
  journal += "470 touch down 0 240 172\n471 touch move 0 280 172\n472 touch up 0 280 172\n";
  journal += program_run::Tap(500, 470, 10);
  const std::string editorShot = dir.path() + "/editor.png", playShot = dir.path() + "/play.png";
  program_run::Run run =
      program_run::RunHeadless(dir.path(), journal,
                               "--developer --seed 1 --frames 560 --shot 490:'" + editorShot +
                                   "' --shot 550:'" + playShot + "' --data '" + SPROCKLET_DATA_DIR + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(program_run::ModePath(run.out), (std::vector<int>{18, 0, 14, 10, 9})) << run.out;

  const std::string saved = dir.path() + "/root/data/level20.txt";
  ASSERT_TRUE(fs::exists(saved)) << run.out;
  ExpectOneMovedRight(kLevels + "/level20.txt", saved, 40);
  ExpectOnlyTheFile(dir.path() + "/root/data", "level20.txt");
  EXPECT_NE(
      run.out.find("sprocklet: level 20 started with " + std::to_string(Records(saved).size()) + " objects"),
      std::string::npos)
      << run.out;

  Picture editor, play;
  ASSERT_TRUE(ReadPng(editorShot, &editor));
  ASSERT_TRUE(ReadPng(playShot, &play));
  EXPECT_GT(CountNear(editor, 0xffffff, 0, 0, 240, 30), 100) << "the status line's white text";
  EXPECT_GT(CountNear(editor, screen_colours::PictureFill("hidgame_line", Counted::Opaque), 0, 60,
                      editor.width, 280),
            150)
      << "the course's line";
  const unsigned pause = screen_colours::AtlasFill("allcommon", "gui_pause_pas", Counted::Bright);
  EXPECT_GT(CountNear(play, pause, play.width - 60, 0, play.width, 60), 400) << "the pause button";
  program_run::KeepShotsOnFailure(dir.path(), "editor");
}

} // namespace
