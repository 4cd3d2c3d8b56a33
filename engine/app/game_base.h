// CGameBase: the engine's application object, root of the element tree and owner of the screen,
// the packs, the sound system and the settings; a game derives its application class from it.
// The lower layers see it through its bases CAppCore, CAppGraphics and CAppUI.
#pragma once

#include <cstdint>

#include "app_ui.h"
#include "common_string.h"
#include "quellar_array.h"
#include "quellar_types.h"
#include "xelement.h"

class IDibBitmap;
class ISoundSystem;
class CiPhoneZipFileReader;
class CLocManager2;
class CBasicApplicationData;
class CUILayout;
class CBitmapFontText;

struct TResolutionProps {
  int width = 0;
  int height = 0;
};

struct TResolutionChoice {
  int chosenWidth = 0;
  int chosenHeight = 0;
  int screenWidth = 0;
  int screenHeight = 0;
  int offsetX = 0;
  int offsetY = 0;
  int renderWidth = 0;
  int renderHeight = 0;
  u8 scaled = 0;
};

// Init's error codes.
enum {
  GAMEBASE_ERR_GLOBAL_CONSTANTS = 1,
  GAMEBASE_ERR_APP_DATA = 2,
  GAMEBASE_ERR_DOUBLE_BUFFER = 3,
  GAMEBASE_ERR_BORDER_BUFFERS = 4,
  GAMEBASE_ERR_SINGLE_PACK_ALLOC = 7,
  GAMEBASE_ERR_SINGLE_PACK_OPEN = 8,
  GAMEBASE_ERR_COMMON_PACK_ALLOC = 9,
  GAMEBASE_ERR_COMMON_PACK_OPEN = 10,
  GAMEBASE_ERR_RESOLUTION_PACK_ALLOC = 11,
  GAMEBASE_ERR_RESOLUTION_PACK_OPEN = 12,
  GAMEBASE_ERR_LOCALISATION = 13,
  GAMEBASE_ERR_UI_LAYOUT = 14,
  GAMEBASE_ERR_FONTS = 15,
  GAMEBASE_ERR_QUIT_BUTTON = 16,
};

class CGameBase : public CXElement, public CAppUI {
public:
  CGameBase();
  ~CGameBase() override;

  // --- element tree overrides ---
  void RunProcess() override;
  int NotifyKeyEvent(int key, int state) override;
  int NotifyPointerEvent(int x, int y, int type) override;
  int OnMessage(CXElement* sender, int message, intptr_t p1, intptr_t p2) override;

  // --- the game's configuration hooks, in slot order ---
  virtual bool Init(int w, int h);
  virtual bool RunGameCycle();
  virtual bool Pause() = 0;
  virtual int MapKeyToGameCode(int key);
  virtual bool SaveResume();
  virtual bool LoadResume();
  virtual bool LoadGlobalConstants(int w, int h);
  virtual bool LoadWinMobileQuitButton();
  virtual bool UseVGAonWM();
  virtual void SetPreffered_WM_OrientationMode(int mode);
  virtual bool InitLocalizationManger();
  virtual CommonString LoadString(int id);
  virtual bool ChangeLanguage(int language);
  virtual int GetNumLanguagesSupported();
  virtual bool AppSettingsLandscapeModeFlipped();
  virtual bool CreateApplicationData() = 0;
  virtual bool UseFlippedMode();
  virtual bool InitDeviceSoundSettigns();
  virtual bool IsSoundOn();
  virtual bool IsMusicOn();
  virtual int GetVolume();
  virtual int GetMusicVolume();
  virtual void SetVolume(int volume);
  virtual void SetMusicVolume(int volume);
  virtual bool ReLoadFonts() = 0;
  virtual bool InitUILayout();
  virtual CommonString GetCommonGamePackName() = 0;
  virtual CommonString GetResolutionSpecificGamePackName() = 0;
  virtual bool LoadOrCreateDefaultAppData();
  virtual bool SaveAppData();
  virtual void NotifyLandscapeModePreference(int preference);
  virtual int GetLandscapeModePreference();
  virtual bool OnGraffitiChar(int c);
  virtual bool OnCallMenu();
  virtual int GetResolutionId(int w, int h);
  virtual int GetCurrentResolutionId();
  virtual int GetVerticalBorderWidth();
  virtual int GetHorizontalBorderHeight();
  virtual void GC_NotifyScoreReport(bool ok);
  virtual void GC_NotifyAchievementReport(bool ok);
  virtual CBitmapFontText* GetDebugFont();
  virtual bool SelectAndroidInGameResolution(int a, int b, int& w, int& h);
  virtual void OnAdReceived(bool received);
  virtual CommonString GetPublisherIdForAd();
  virtual void SetNumTapjoyCoins(int coins);
  virtual void OnBillingResult(int code, CommonString id);
  virtual void OnInAppPurchaseResult(CommonString id, int result);
  virtual void OnInAppPurchasesRestoreFinished();

  // --- lifecycle ---
  void SetFinished(int code) {
    m_nFinishCode = code;
    m_bFinished = 1;
  }
  bool IsFinished() const { return m_bFinished != 0; }

  // --- factories (the caller owns the result) ---
  ISoundSystem* CreateSoundSystemObject();

  // --- double buffer ---
  bool CreateDoubleBufferWnd(int w, int h, int vborder, int hborder);
  bool CreateBorderDoubleBufferWnds(int w, int h, int vborder, int hborder);
  bool CreateBlendBuffer();
  ISoundSystem* GetSoundSystem() { return m_pSoundSystem; }

  // --- resolutions ---
  void DeclareSupportedResolution(int w, int h);
  int GetNumSupportedResolutions() { return m_SupportedResolutions.GetSize(); }
  bool IsResolutionSupported(int w, int h);
  TResolutionProps GetSupportedResolutionProps(int i);
  TResolutionChoice FindBestSupportedResolutionForScreenSize(int w, int h);

  // --- packs and paths ---
  CiPhoneZipFileReader* InitOptionalGamePack(CommonString path);
  CommonString _GetSaveDirectory(CommonString, CommonString) { return GetModuleDirectory(); }
  CommonString _GetSaveDirectory2(CommonString, CommonString) { return GetModuleDirectory(); }
  void CreateSaveDirectory(CommonString) {}

  // --- localisation ---
  void InitLocManager2(CommonString name);

  // --- small services ---
  int RandomValue(int n);
  void InitRandoms();
  void GetBatteryPercentage(int& percent, bool& charging) {
    percent = 0;
    charging = false;
  }
  int VolumeWheelDelta() { return m_nVolumeWheelDelta; }
  bool IsDeviceStableWithSoundSystem() { return true; }
  void SystemResetInactivityTime() {}

  // --- game cycle, drawing cycle and input ---
  void SetFpsControl(int fps, bool unused, bool fixedStep);
  void DoDrawCycle();
  void ClearKeyStates();
  void ClearKeyPressedStates();
  void InitUI();
  void ProcessPressedKeys();
  void SetIPhoneOrientation(int mode, bool immediate);
  void ProcessIPhoneRotation();
  int GetIPhoneOrientation() { return m_nIPhoneOrientation; }
  void DrawBorderBitmapsToDoubleBuffers();
  void DrawBordersToDeviceScreen();
  void DrawAutoRotateBorders() {}

  // Milliseconds x 256 from a monotonic clock; tests may replace the clock.
  typedef int64_t (*ClockFunc)();
  static int64_t DefaultClock();
  void SetClock(ClockFunc clock) { m_pClock = clock ? clock : DefaultClock; }
  int64_t Now() { return m_pClock(); }

  // --- data ---
  u8 m_bPointerDown = 0;
  u8 m_bDrawBorders = 1;
  ISoundSystem* m_pSoundSystem = nullptr;
  IDibBitmap* m_pVerticalBorderBuffer = nullptr;
  IDibBitmap* m_pHorizontalBorderBuffer = nullptr;
  int m_nVerticalBorderWidth = 0;
  int m_nHorizontalBorderHeight = 0;
  u8 m_bUseHardwareBitmaps = 1;
  u8 m_bAllowInputRotation = 0;
  u8 m_bForceLandscape = 0;
  u8 m_bShowFpsStats = 0;
  int m_nFramePeriod = 30;
  IDibBitmap* m_pBorderBitmap = nullptr;
  IDibBitmap* m_pVerticalBorderBitmap = nullptr;
  IDibBitmap* m_pSpareBorderBitmap = nullptr;
  IDibBitmap* m_pHorizontalBorderBitmap = nullptr;
  int m_nCurrentResolutionId = 0;

  // keys and repeat
  u8 m_bKeyAutoRepeat = 0;
  u8 m_bAutoRepeatArrowKeysOnly = 1;
  int m_nKeyRepeatPeriod = 15;
  int m_aKeyPressed[GAMEBASE_NUM_KEYS] = {};
  int m_aKeyRepeatCounter[GAMEBASE_NUM_KEYS] = {};

  // fixed-step timing
  u8 m_bFixedStep = 0;
  u8 m_bSkipNextStep = 0;
  int m_nStepCount = 0;
  int m_nDrawCount = 0;
  int m_nCatchUpSteps = 0;
  int64_t m_nLastStepTime = 0;
  int64_t m_nStatsStartTime = 0;
  CommonString m_strStats;

  u8 m_bFinished = 0;
  int m_nFinishCode = 0;
  int m_nVolumeWheelDelta = 5;
  u8 m_bRandomsInited = 0;
  CBasicApplicationData* m_pAppData = nullptr;
  u8 m_bAppDataFresh = 0;
  u8 m_bSoundSuppressed = 0;
  int m_nPreferredOrientation = 1;
  u8 m_bHoverEvents = 0;
  int m_nInitError = 0;
  // Why the game's own start-up stopped, in its words, for the host to say; empty when it did not say.
  CommonString m_StartupFailure;
  CQuellarObjPtrArray<TResolutionProps*> m_SupportedResolutions{1};

  // animated screen rotation
  FIXED_FLOAT m_nRotationStep = 2048;

  u8 m_bOverride2x = 0;
  int m_nOverride2xValue = -1;

protected:
  // The double buffer's logical size, 0 without one.
  int DoubleBufferWidth();
  int DoubleBufferHeight();
  bool InitFailed(int code);
  int OpenPack(CiPhoneZipFileReader*& reader, const CommonString& name, int allocError);
  // The concrete classes behind the render target and the sound system.
  IDibBitmap* CreateRenderTarget();
  ISoundSystem* NewSoundSystem();

private:
  ClockFunc m_pClock = DefaultClock;
};

// Made by the game: its application object (the caller owns it).
CGameBase* CreateGameObject();
