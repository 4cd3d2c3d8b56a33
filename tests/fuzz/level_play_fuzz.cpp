// Fuzzes a level in play: the bytes, their record count made to fit their length (the level file
// harness fuzzes the reader's refusals), are the level file the developer build reads from data/;
// the level starts from it and runs for a few hundred frames of the in-level frame driver with the
// hero leaning right and jumping in a rhythm, through deaths and respawns that read the file again.
// Nothing may hang (run it with -timeout), crash or overflow, and the hero and every object keep
// finite positions.
#include <stdlib.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "files.h"
#include "game_draw_support.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "inlevel_mode.h"
#include "level_data.h"
#include "level_format.h"
#include "pause_panel.h"
#include "progress_files.h"
#include "test_application.h"
#include "touch_controls.h"
#include "zip_pack.h"

namespace {

// Where play reads and saves: a fresh directory holding data/, given to the game as its save
// directory, so the working directory stays the one libFuzzer resolves its corpus and artifacts
// against; removed at the end.
class ScratchDirectory {
public:
  ScratchDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "level_play_fuzz.XXXXXX").string();
    if (!mkdtemp(pattern.data())) abort();
    m_Path = pattern + "/";
    std::filesystem::create_directories(m_Path + "data");
  }
  ~ScratchDirectory() {
    std::error_code ec;
    std::filesystem::remove_all(m_Path, ec);
  }
  const std::string& Path() const { return m_Path; }

private:
  std::string m_Path;
};

// The game on the build's sample pack, its pictures decoded but never sent to GL, reading and
// writing its own files in the scratch directory.
class PackApplication : public CTestApplication {
public:
  PackApplication() {
    m_bCreateTextures = 0;
    m_pCommonPack = new CiPhoneZipFileReader(this);
    m_bUsePacks = 1;
    if (m_pCommonPack->Init(SPROCKLET_DATA_DIR "/_game_bb.pak") != 1) abort();
  }
  CommonString GetSaveDirectory() override { return CommonString((m_Scratch.Path() + "data/").c_str()); }

  const std::string& Scratch() const { return m_Scratch.Path(); }

private:
  ScratchDirectory m_Scratch;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static PackApplication app;
  static const std::string levelPath = app.Scratch() + "data/level1.txt";
  DrawNowhere(&app);
  g_finalRelease = 0;
  g_currentMode = 9;
  g_levelSelected = 1;
  g_characterID = 0;
  g_ghostMode = 0;
  g_accelerometerControl = 11;
  g_paused = false;
  std::vector<unsigned char> level(data, data + size);
  if (level.size() >= LevelFileSize(0)) {
    size_t records = (level.size() - LevelFileSize(0)) / LEVEL_RECORD_BYTES;
    level.resize(LevelFileSize(records));
    for (int i = 0; i < 4; ++i)
      level[i] = (unsigned char)(records >> (8 * i));
  }
  if (!WriteFileAtomically(levelPath.c_str(), level.data(), level.size())) abort();

  InitQuest();
  for (int frame = 0; frame < 480; ++frame) {
    bRightPressed = true;
    bJumpPressed = frame % 40 < 15;
    DrawQuestMode(0.016f, false);
    const gameRect& hero = GameRects[0];
    if (!std::isfinite(hero.x) || !std::isfinite(hero.y)) abort();
  }
  for (int i = 0; i < GAME_RECTS; ++i)
    if (GameRects[i].active && (!std::isfinite(GameRects[i].centerX) || !std::isfinite(GameRects[i].centerY)))
      abort();
  bRightPressed = bJumpPressed = false;
  return 0;
}
