// CTheGame: the start-up chain, the engine configuration, purchases and the back key.
#include "the_game.h"

#include <cstdio>
#include <new>
#include <string>

#include "frontend.h"
#include "game_globals.h"
#include "game_modes.h"
#include "gameplay_window.h"
#include "image_rotator.h"
#include "level_file.h"
#include "platform_services.h"
#include "progress_files.h"
#include "shop.h"
#include "sound_table.h"
#include "sprite_set.h"
#include "ui_layout.h"

const MushroomPack g_mushroomPacks[3] = {
    {"0_99", "com.velquorin.sprocklet.mushrooms.small.40", "com.dunmarrow.sprocklet.mushrooms.small.40",
     "DUNMARROW_GOOD_SPROCKLET_40MUSHROOMS", 40},
    {"1_99", "com.velquorin.sprocklet.mushrooms.small.100", "com.dunmarrow.sprocklet.mushrooms.small.100",
     "DUNMARROW_GOOD_SPROCKLET_100MUSHROOMS", 100},
    {"9_99", "com.velquorin.sprocklet.mushrooms.small.800", "com.dunmarrow.sprocklet.mushrooms.small.800",
     "DUNMARROW_GOOD_SPROCKLET_800MUSHROOMS", 800},
};

CGameBase* CreateGameObject() { return new CTheGame(); }

namespace {

// The shop's pack buttons buy through the purchase engine of the application object.
void BuyFromStore(const char* productId) {
  CTheGame* game = dynamic_cast<CTheGame*>(g_pGame);
  if (!game || !game->m_pPurchaseEngine) return;
  BaseInAppDef* item = game->m_pPurchaseEngine->Find_InAppDef_BasedOnId(productId);
  if (item) game->m_pPurchaseEngine->TryToPurchase(item);
}

} // namespace

CTheGame::CTheGame() {
  m_bUseHardwareBitmaps = 1;
  m_bUsePacks = 1;
  m_bShowFpsStats = 0;
  m_bPremultiplyAlpha = 1;
  m_bReleasePixelsAfterUpload = 1;
  // The switch a sprite set may force on for its own load.
  m_bTrueColorImages = 1;
  g_finalRelease = g_hostGameOptions.developer ? 0 : 1;
  g_buyMushroomPack = BuyFromStore;
}

CTheGame::~CTheGame() {
  SafeDelete(m_pPurchaseEngine);
  SafeDeleteChildren();
  SafeDelete(m_pLayout);
  SaveAppData();
  SafeDelete(m_pRotator);
  SafeDelete(m_pSpriteSetManager);
}

void CTheGame::SafeDeleteChildren() { SAFE_FREE_XELEMENT(m_pGameplayWindow); }

void CTheGame::RunProcess() {
  CGameBase::RunProcess();
  if (m_pPurchaseEngine) m_pPurchaseEngine->RunProcess();
}

void CTheGame::Draw() {
  CXElement::Draw();
  DrawMuteIcon();
}

int CTheGame::NotifyKeyEvent(int key, int state) { return CGameBase::NotifyKeyEvent(key, state); }

int CTheGame::NotifyPointerEvent(int x, int y, int type) {
  NotifyPointerEventMuteIcon(type, x, y);
  return CGameBase::NotifyPointerEvent(x, y, type);
}

int CTheGame::OnMessage(CXElement* sender, int message, intptr_t p1, intptr_t p2) {
  if (message == 600) return 1;
  if (message == 1002) {
    if (!RunGamePlayWindow()) SetFinished(0);
    return 1;
  }
  return CGameBase::OnMessage(sender, message, p1, p2);
}

bool CTheGame::Init(int w, int h) {
  m_pRotator = new (std::nothrow) CQuellarImageRotatorScaler(this, 360000);
  if (!m_pRotator) return false;
  if (m_pRotator->Initialize() != 1) {
    SafeDelete(m_pRotator);
    return false;
  }
  m_pRotator->SetQuality(2);
  // A pack that does not open is reported by the host, with its reason.
  if (!CGameBase::Init(w, h)) return false;
  // Asked to start in a level that cannot be read, the game does not start at all.
  std::string why;
  if (g_hostGameOptions.level >= 0 && !LevelFileReadable(g_hostGameOptions.level, &why)) {
    m_StartupFailure = ("--level " + std::to_string(g_hostGameOptions.level) + ": " + why).c_str();
    return false;
  }
  if (DefineSpriteSets() <= 0) return false;
  if (!InitInAppPurchases()) return false;
  return RunGamePlayWindow() == 1;
}

bool CTheGame::InitInAppPurchases() {
  SafeDelete(m_pPurchaseEngine);
  m_pPurchaseEngine = new (std::nothrow) CInAppPurchaseEngine(this);
  if (!m_pPurchaseEngine || !m_pPurchaseEngine->Init()) return false;
  for (const MushroomPack& pack : g_mushroomPacks) {
    BaseInAppDef* item = new BaseInAppDef();
    item->m_strProductId = pack.productId;
    item->m_bEnabled = 1;
    item->m_strStoreId1 = pack.secondStoreId;
    item->m_strStoreId2 = pack.publisherId;
    item->m_strStoreId3 = pack.platformSku;
    item->m_strStoreId4 = pack.publisherId;
    m_pPurchaseEngine->AddShopItem(item);
  }
  m_pPurchaseEngine->ShopListComplete();
  return true;
}

int CTheGame::DefineSpriteSets() {
  SafeDelete(m_pSpriteSetManager);
  m_pSpriteSetManager = new (std::nothrow) CSpriteSetManager(this, 40);
  if (!m_pSpriteSetManager) return 0;
  return AddSpriteSetsFromFile(this, GetCommonUIDirectory() + "game_sprites.txt") == 1 ? 1 : 0;
}

bool CTheGame::InitUILayout() {
  SafeDelete(m_pLayout);
  m_pLayout = new (std::nothrow) CUILayout(this);
  if (!m_pLayout) return false;
  return m_pLayout->LoadFromUILayoutFile(GetUIDirectory() + "game_styles.txt") == 1;
}

bool CTheGame::ReLoadFonts() {
  if (!m_pLayout || m_pLayout->ReLoadFonts() < 1 || !m_pLayout->GetDefaultFont()) return false;
  UILayout_FontData* debug = m_pLayout->GetFontById("FontDebug");
  m_pDebugFont = debug ? debug->font : nullptr;
  if (!m_pDebugFont) return false;
  m_pLayout->PrepareFontPointersForStyles();
  return true;
}

bool CTheGame::CreateApplicationData() {
  m_pAppData = new (std::nothrow) CAppData();
  return m_pAppData != nullptr;
}

CommonString CTheGame::GetImagesDirectory() {
  if (m_ImagesDirectory.IsEmpty()) m_ImagesDirectory = GetModuleDirectory() + "images\\";
  return m_ImagesDirectory;
}

CommonString CTheGame::GetCommonGamePackName() {
  if (g_hostGameOptions.dataDirectory.empty()) return CommonString("app/native/assets/_game_bb.pak");
  return CommonString((g_hostGameOptions.dataDirectory + "/_game_bb.pak").c_str());
}

int CTheGame::RunGamePlayWindow() {
  SAFE_FREE_XELEMENT(m_pGameplayWindow);
  m_pGameplayWindow = new (std::nothrow) CXGameplayWindow(this);
  if (!m_pGameplayWindow) return 0;
  if (m_pGameplayWindow->OnInitElement() == 1) return 1;
  if (m_pGameplayWindow->GetParent()) m_pGameplayWindow->GetParent()->RemoveChild(m_pGameplayWindow);
  SafeDelete(m_pGameplayWindow);
  return 0;
}

bool CTheGame::Pause() {
  if (m_pGameplayWindow) m_pGameplayWindow->Pause();
  return true;
}

bool CTheGame::SaveResume() {
  if (m_pGameplayWindow && gameInitialized == 1) SaveAllData();
  return true;
}

bool CTheGame::SelectAndroidInGameResolution(int w, int h, int& outW, int& outH) {
  if (GetIPhoneOrientation() == 0) return CGameBase::SelectAndroidInGameResolution(w, h, outW, outH);
  int longSide = w > h ? w : h, shortSide = w > h ? h : w;
  if (shortSide <= 0) return false;
  if ((float)longSide / (float)shortSide >= 1.5f) {
    outH = 320;
    outW = longSide * 320 / shortSide;
  } else {
    outW = 480;
    outH = shortSide * 480 / longSide;
  }
  return true;
}

void CTheGame::OnInAppPurchaseResult(CommonString platformId, int result) {
  if (result != 0 || !m_pPurchaseEngine) return;
  BaseInAppDef* item = m_pPurchaseEngine->Find_InAppDef_BasedOnPlatformId(platformId.c_str());
  if (!item) return;
  for (const MushroomPack& pack : g_mushroomPacks)
    if (item->m_strProductId.IsEqual(pack.productId)) {
      GainMushrooms(pack.mushrooms);
      SaveAllData();
      EnginePlaySound(2, 0);
      return;
    }
}

// The back key: into the game as key 6, or, with the quit dialog open, the end of the run.
bool CTheGame::OnGraffitiChar(int ch) {
  if (ch != 8 || !m_pGameplayWindow) return true;
  if (!g_bExitDlgOn) {
    m_pGameplayWindow->NotifyKeyEvent(6, 0);
    return true;
  }
  g_bExitDlgOn = 0;
  SaveAllData();
  return false;
}
