// The level editor through the real application object on a headless screen with the sample pack,
// in the developer build: a table of known objects to edit, touches and frames, and the level
// files the editor writes into the save directory.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "buttons.h"
#include "editor_tools.h"
#include "files.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "game_test_support.h"
#include "gameplay_window.h"
#include "gl_renderer.h"
#include <standin/headless_gl.h>
#include "help_dialogs.h"
#include "level_editor.h"
#include "level_file.h"
#include "object_list.h"
#include "quest_state.h"
#include "running_game.h"
#include "the_game.h"
#include "value_editor.h"

// A level number the sample pack has no file for.
const int kEmptyLevel = 398;

// Puts every editor global back to its program-start value.
inline void ResetEditorState() {
  editorZoom = 1.0f;
  gridSize = 2;
  draggingID = draggingType = 0;
  lastSelectedObjectID = lastSelectedObjectType = 0;
  editorSelectionMade = 0;
  editorSelectionMode = 0;
  screenMove = stylusDown = 0;
  edTapCount = 0;
  multipleSelectionMode = 0;
  ResetAllMultiSelections();
  lockAxisX = lockAxisY = 0;
  levelEditorEraseMode = 0;
  drawObjectCenters = 0;
  drawObjectReferences = 0;
  drawObjectRefID = 0;
  refsizeX = refsizeY = 50;
  editorLevelNote = "";
  updatingRectID = 0;
  ValueList.Hide();
}

class EditorTest : public RunningGameTest {
protected:
  void SetUp() override {
    StartInTheMenu();
    if (!Running()) return;
    g_finalRelease = 0;
    ResetEditorState();
  }
  void TearDown() override {
    ResetEditorState();
    g_finalRelease = 1;
    g_levelSelected = 0;
    StopGame();
  }

  // The editor entered on a level without a file, over a table of the hero's slot and objects of
  // size 100 x 40 at the given world points; the view shows world (5000, 5000) at the screen's
  // top-left corner. The objects' slots are 1, 2, ...
  void EnterOn(std::initializer_list<std::pair<int, int>> objects) {
    ClearGameRects();
    AddGameRect(5000, 5000, 1, true);
    for (const auto& p : objects)
      Place(p.first, p.second);
    g_levelSelected = kEmptyLevel;
    SwitchMode(10);
    ASSERT_EQ(g_currentMode, 10);
    g_drawShiftX = g_drawShiftY = -5000;
    Cycles(30); // past the cross-fade and any double-tap window
  }
  int Place(int x, int y) {
    int slot = AddGameRect(x, y, 1, true);
    gameRect& o = GameRects[slot];
    o.width = o.baseWidth = 100;
    o.height = o.baseHeight = 40;
    o.customSize = 1;
    o.UpdateCoordinates();
    return slot;
  }
  // A tap, then frames enough that the next touch is no double tap.
  void Tap(int x, int y) {
    Down(x, y);
    Up(x, y);
    Cycles(15);
  }
  // The screen point of a world point.
  int SX(float x) { return (int)(x + g_drawShiftX); }
  int SY(float y) { return (int)(y + g_drawShiftY); }
  // Picks the object whose centre is nearest to the screen point: a move there, then the release
  // that confirms the pick.
  void Pick(int x, int y) {
    Down(x, y);
    Move(x + 2, y);
    Up(x + 2, y);
    Cycles(15);
  }
  // Drags the confirmed pick by (dx, dy) screen pixels from (x, y), released at the end.
  void Drag(int x, int y, int dx, int dy) {
    Down(x, y);
    Move(x + dx, y + dy);
    Up(x + dx, y + dy);
    Cycles(15);
  }
  // The tap on a button by its label.
  void TapButton(const char* label) {
    for (const button& b : Buttons)
      if (b.active && strcmp(b.label, label) == 0) {
        Tap((int)b.rect.left + 2, (int)b.rect.top + 2);
        return;
      }
    ADD_FAILURE() << "no button " << label;
  }
  std::string SavePath(const std::string& name) {
    return DiskPathFromEnginePath((g_pGame->GetSaveDirectory() + name.c_str()).c_str()).c_str();
  }
  bool Saved(const std::string& name) { return std::filesystem::exists(SavePath(name)); }
  int ActiveObjects() {
    int n = 0;
    for (int i = 1; i < GAME_RECTS; ++i)
      n += GameRects[i].active ? 1 : 0;
    return n;
  }
};
