// Level files written in the test: a clean object table on a test application whose save directory
// is a fresh temporary one, records built like the editor's, and whole files laid out by hand for
// the damaged cases.
#pragma once

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "game_test_support.h"
#include "level_data.h"
#include "level_file.h"
#include "level_format.h"
#include "level_header.h"
#include "object_table.h"
#include "sound_log.h"

// The count word of a file laid out by hand: the number of records laid out.
constexpr int kLaidOut = INT_MIN;

class LevelTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetObjectTable();
    g_finalRelease = 1;
    g_currentMode = 9;
    g_characterID = 0;
    g_levelCurrentData = levelCurrentData();
    memset(&g_levelCur, 0, sizeof g_levelCur);
    sounds = std::make_unique<SoundLog>(app);
    std::filesystem::create_directories(app.Dir() + "/data");
  }
  void TearDown() override {
    ResetObjectTable();
    g_currentMode = -1;
    sounds.reset();
  }

  // A record as the editor saves a fresh object of type at (x, y).
  static gameRectData Record(int type, float x, float y) { return FreshLevelRecord(type, x, y); }
  // The bytes of a file with these records and header, laid out word by word (no writer rules).
  static Bytes RawFile(const std::vector<gameRectData>& records, const levelHeader& header,
                       int count = kLaidOut) {
    Bytes out;
    PutU32(out, (uint32_t)(count != kLaidOut ? count : (int)records.size()));
    for (const gameRectData& r : records)
      for (int w = 0; w < LEVEL_FILE_WORDS; ++w)
        PutU32(out, (uint32_t)r.words[w]);
    const unsigned char* h = (const unsigned char*)&header;
    out.insert(out.end(), h, h + sizeof header);
    return out;
  }
  static levelHeader Header(int startX = 5100, int startY = 5150) {
    levelHeader h;
    memset(&h, 0, sizeof h);
    h.background = -1; // no picture to load
    h.startX = startX;
    h.startY = startY;
    h.characterA = h.characterR = h.characterG = h.characterB = 255;
    return h;
  }
  std::string SavePath(const std::string& name) const { return app.Dir() + "/data/" + name; }
  void WriteFile(const std::string& name, const Bytes& bytes) const {
    std::ofstream(SavePath(name), std::ios::binary)
        .write((const char*)bytes.data(), (std::streamsize)bytes.size());
  }
  Bytes ReadFile(const std::string& name) const {
    std::ifstream in(SavePath(name), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Loads bytes as the developer build's level 7 (read from the save directory).
  int Load(const Bytes& bytes) {
    WriteFile("level7.txt", bytes);
    return EditorLoad("level7.txt");
  }
  static int ActiveCount() {
    int n = 0;
    for (const gameRect& r : GameRects)
      n += r.active ? 1 : 0;
    return n;
  }

  PackGame app;
  std::unique_ptr<SoundLog> sounds;
};
