// CTheGame: the game's application object. It configures the engine (directories, packs, sprite
// sets, layout, fonts, logical resolution), runs the start-up chain, owns the managers the game
// adds and the one gameplay window, and credits bought mushrooms.
#pragma once

#include "app_data.h"
#include "game_base.h"
#include "inapp_purchase.h"

class CQuellarImageRotatorScaler;
class CSpriteSetManager;
class CUILayout;
class CXGameplayWindow;

// The engine settings, written field by field.
class CAppData : public CBasicApplicationData {
public:
  ~CAppData() override {}
  int GetSerializeMethod() override { return 1; }
};

class CTheGame : public CGameBase {
public:
  CTheGame();
  ~CTheGame() override;

  void RunProcess() override;
  void Draw() override;
  int NotifyKeyEvent(int key, int state) override;
  int NotifyPointerEvent(int x, int y, int type) override;
  int OnMessage(CXElement* sender, int message, intptr_t p1, intptr_t p2) override;
  bool Init(int w, int h) override;
  bool Pause() override;
  int MapKeyToGameCode(int) override { return -1; }
  bool SaveResume() override;
  bool LoadGlobalConstants(int, int) override { return true; }
  bool LoadWinMobileQuitButton() override { return true; }
  CUILayout* UILayout() override { return m_pLayout; }
  CSpriteSetManager* GetSpriteSetManager() override { return m_pSpriteSetManager; }
  bool CreateApplicationData() override;
  bool ReLoadFonts() override;
  bool InitUILayout() override;
  CommonString GetImagesDirectory() override;
  CommonString GetSoundsDirectory() override { return GetModuleDirectory() + "Sounds\\"; }
  CommonString GetSaveDirectory() override { return GetModuleDirectory() + "data/"; }
  // The pack in the data directory the host names, else the platform's own place.
  CommonString GetCommonGamePackName() override;
  CommonString GetResolutionSpecificGamePackName() override { return CommonString("_game.pak"); }
  CommonString GetUIDirectory() override { return GetModuleDirectory() + "ui\\ui_iphone\\"; }
  bool OnGraffitiChar(int ch) override;
  int GetResolutionId(int, int) override { return 18; }
  CBitmapFontText* GetDebugFont() override { return m_pDebugFont; }
  // The logical resolution: a 480 x 320 base widened or heightened to the screen's shape.
  bool SelectAndroidInGameResolution(int w, int h, int& outW, int& outH) override;
  void OnInAppPurchaseResult(CommonString platformId, int result) override;
  void OnInAppPurchasesRestoreFinished() override {}
  CommonString GetCommonUIDirectory() { return GetModuleDirectory() + "ui\\"; }

  int DefineSpriteSets();
  // The purchase engine with the three mushroom packs; false when it cannot be made.
  bool InitInAppPurchases();
  int RunGamePlayWindow();
  void SafeDeleteChildren();
  void DrawMuteIcon() {}
  int NotifyPointerEventMuteIcon(int, int, int) { return 0; }

  CInAppPurchaseEngine* m_pPurchaseEngine = nullptr;
  CommonString m_ImagesDirectory;
  CBitmapFontText* m_pDebugFont = nullptr;
  CXGameplayWindow* m_pGameplayWindow = nullptr;
  CQuellarImageRotatorScaler* m_pRotator = nullptr;
  CUILayout* m_pLayout = nullptr;
  CSpriteSetManager* m_pSpriteSetManager = nullptr;
};

// One in-app product of the game; see the shop's three mushroom packs.
struct MushroomPack {
  const char* productId;
  const char* secondStoreId;
  const char* publisherId;
  const char* platformSku;
  int mushrooms;
};
extern const MushroomPack g_mushroomPacks[3];
