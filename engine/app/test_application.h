// CTestApplication: a minimal game on the engine, supplying the configuration a game must give
// (directories, pack names, settings object, resolution choice). Tests and the demo program
// run on it until the game's own application class takes its place.
#pragma once

#include "game_base.h"

class CTestApplication : public CGameBase {
public:
  CTestApplication();

  bool Pause() override { return true; }
  bool CreateApplicationData() override;
  bool ReLoadFonts() override { return true; }
  bool LoadGlobalConstants(int, int) override { return true; }
  int GetResolutionId(int, int) override { return 18; }
  bool SelectAndroidInGameResolution(int a, int b, int& w, int& h) override;

  CommonString GetImagesDirectory() override;
  CommonString GetSoundsDirectory() override { return GetModuleDirectory() + "Sounds\\"; }
  CommonString GetSaveDirectory() override { return GetModuleDirectory() + "data/"; }
  CommonString GetUIDirectory() override { return GetModuleDirectory() + "ui\\ui_iphone\\"; }
  CommonString GetCommonGamePackName() override { return CommonString("app/native/assets/_game_bb.pak"); }
  CommonString GetResolutionSpecificGamePackName() override { return CommonString("_game.pak"); }

private:
  CommonString m_ImagesDirectory;
};
