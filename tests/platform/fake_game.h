// An application object for the platform tests: it logs what the platform layer calls on it.
#pragma once

#include "game_base.h"
#include "sound_system.h"

#include <string>
#include <vector>

struct FakeSetup {
  int orientationMode = 1; // landscape
  bool initResult = true;
  bool withSound = true;
  bool startAccelerometer = false;
  bool createNothing = false;
};

extern FakeSetup g_fakeSetup;
extern std::vector<std::string> g_fakeLog;

class LoggingSound : public CSilentSoundSystem {
public:
  void SetPaused(bool paused) override { g_fakeLog.push_back(paused ? "sound paused" : "sound resumed"); }
};

class FakeGame : public CGameBase {
public:
  FakeGame();
  ~FakeGame() override;
  bool Init(int w, int h) override;
  bool RunGameCycle() override;
  int NotifyPointerEvent(int x, int y, int type) override;
  int NotifyMultiTouchPointerEvent(int x, int y, int id, int type) override;
  bool Pause() override;
  void OnInAppPurchaseResult(CommonString id, int result) override;
  void OnInAppPurchasesRestoreFinished() override;

  bool CreateApplicationData() override { return true; }
  bool ReLoadFonts() override { return true; }
  CommonString GetImagesDirectory() override { return CommonString("images\\"); }
  CommonString GetSoundsDirectory() override { return CommonString("Sounds\\"); }
  CommonString GetSaveDirectory() override { return CommonString("data/"); }
  CommonString GetCommonGamePackName() override { return CommonString("game.pak"); }
  CommonString GetResolutionSpecificGamePackName() override { return CommonString("_game.pak"); }
};

// What the last cycle of a run saw of the window and the EGL surface.
struct WindowSeen {
  int rotation = -1;
  int buffer[2] = {0, 0};
  int surface[2] = {0, 0};
};
extern WindowSeen g_windowSeen;
