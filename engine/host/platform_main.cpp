// The program's life on the platform: start-up, the single-threaded event loop, the handlers of
// the screen and navigator domains, and shut-down.
#include "platform_main.h"

#include "game_base.h"
#include "gl_renderer.h"
#include "image_loaders.h"
#include "inapp_purchase.h"
#include "platform_services.h"
#include "sound_system.h"

#include <bps/navigator.h>
#include <bps/paymentservice.h>
#include <bps/screen.h>
#include <bps/sensor.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <sys/stat.h>

screen_context_t screen_cxt = nullptr;

namespace {

// The logical screen is a double buffer in memory and a texture: sides beyond this are no screen.
const int kMaxLogicalSide = 8192;

std::string g_startupFailure;

std::string SizeText(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }

// Why the pack at path does not open, read from the file itself.
std::string PackTrouble(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return strerror(errno);
  if (S_ISDIR(st.st_mode)) return "it is a directory";
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return strerror(errno);
  unsigned char end[22] = {};
  bool hasEnd = st.st_size >= 22 && fseek(f, -22, SEEK_END) == 0 && fread(end, 1, 22, f) == 22;
  fclose(f);
  if (st.st_size < 22) return "it is too short to be a ZIP pack (" + std::to_string(st.st_size) + " bytes)";
  if (!hasEnd) return "it cannot be read";
  if (end[0] != 'P' || end[1] != 'K' || end[2] != 5 || end[3] != 6)
    return "it is not a ZIP pack without an archive comment (no end record in its last 22 bytes)";
  return "its ZIP directory is damaged";
}

// One line on what stopped the application object's start-up, from its error code.
std::string InitTrouble(CGameBase* game, int width, int height) {
  if (!game->m_StartupFailure.IsEmpty()) return game->m_StartupFailure.c_str();
  std::string pack = (game->GetModuleDirectory() + game->GetCommonGamePackName()).c_str();
  switch (game->m_nInitError) {
  case GAMEBASE_ERR_GLOBAL_CONSTANTS:
    return "the game has no constants for the logical screen " + SizeText(width, height);
  case GAMEBASE_ERR_APP_DATA:
    return "the engine settings could not be made";
  case GAMEBASE_ERR_DOUBLE_BUFFER:
  case GAMEBASE_ERR_BORDER_BUFFERS:
    return "no picture buffer of the logical screen " + SizeText(width, height) + " could be made";
  case GAMEBASE_ERR_SINGLE_PACK_ALLOC:
  case GAMEBASE_ERR_COMMON_PACK_ALLOC:
  case GAMEBASE_ERR_RESOLUTION_PACK_ALLOC:
    return "out of memory opening the asset pack";
  case GAMEBASE_ERR_RESOLUTION_PACK_OPEN:
    pack = (game->GetModuleDirectory() + game->GetResolutionSpecificGamePackName()).c_str();
    [[fallthrough]];
  case GAMEBASE_ERR_SINGLE_PACK_OPEN:
  case GAMEBASE_ERR_COMMON_PACK_OPEN:
    return "cannot read the asset pack '" + pack + "': " + PackTrouble(pack) +
           " (--data DIR names the directory that holds it)";
  case GAMEBASE_ERR_LOCALISATION:
    return "the localisation table did not load";
  case GAMEBASE_ERR_UI_LAYOUT:
    return "the UI layout file is missing from the asset pack '" + pack + "' or damaged";
  case GAMEBASE_ERR_FONTS:
    return "the fonts of the UI layout are missing from the asset pack '" + pack + "' or damaged";
  case GAMEBASE_ERR_QUIT_BUTTON:
    return "the quit button did not load";
  default:
    return "the game's own start-up failed after the engine's (its sprite sets, purchases or first "
           "screen, from the asset pack '" +
           pack + "')";
  }
}

// Every failure after the context exists ends here; the status tells the caller start-up failed.
int StartupFailed() {
  bbutil_terminate();
  screen_destroy_context(screen_cxt);
  screen_cxt = nullptr;
  return 1;
}

bool AcceptsOrientation(int angle) {
  return g_bGameRunsInPortait ? (angle == 90 || angle == 270) : (angle == 0 || angle == 180);
}

void Dispatch(bps_event_t* event) {
  int domain = bps_event_get_domain(event);
  if (domain == screen_get_domain())
    handleScreenEvent(event);
  else if (domain == navigator_get_domain())
    handleNavigatorEvent(event);
  else if (domain == paymentservice_get_domain())
    handlePaymentEvent(event);
  else if (domain == sensor_get_domain())
    handleSensorEvent(event);
}

} // namespace

const std::string& PlatformStartupFailure() { return g_startupFailure; }

int PlatformMain() {
  g_exit_application = false;
  g_startupFailure.clear();
  if (screen_create_context(&screen_cxt, 0) != 0) {
    perror("screen_create_context");
    return 1;
  }
  bps_initialize();

  if (!g_pGame) g_pGame = CreateGameObject();
  if (!g_pGame) {
    bps_shutdown();
    return StartupFailed();
  }
  g_pGame->m_pApp = g_pGame;
  g_bGameRunsInPortait = g_pGame->GetIPhoneOrientation() == 0;

  bool ok = true;
  if (bbutil_init_egl(screen_cxt) != 0) {
    fprintf(stderr, "bbutil_init_egl failed\n");
    ok = false;
  } else if (screen_request_events(screen_cxt) != 0) {
    fprintf(stderr, "screen_request_events failed\n");
    ok = false;
  } else if (navigator_request_events(0) != BPS_SUCCESS) {
    fprintf(stderr, "navigator_request_events failed\n");
    ok = false;
  } else if (navigator_rotation_lock(false) != BPS_SUCCESS) {
    fprintf(stderr, "navigator_rotation_lock failed\n");
    ok = false;
  }

  int longSide =
      g_screen_resolution[0] > g_screen_resolution[1] ? g_screen_resolution[0] : g_screen_resolution[1];
  int shortSide =
      g_screen_resolution[0] > g_screen_resolution[1] ? g_screen_resolution[1] : g_screen_resolution[0];
  if (ok && shortSide <= 0) {
    // The pixel scale divides by the display size.
    fprintf(stderr, "The display reported an empty size.\n");
    ok = false;
  }
  int width = 0, height = 0;
  const std::string display = SizeText(g_screen_resolution[0], g_screen_resolution[1]);
  if (ok && !g_pGame->SelectAndroidInGameResolution(g_screen_resolution[0], g_screen_resolution[1], width,
                                                    height)) {
    g_startupFailure = "the game takes no logical screen for the display " + display;
    ok = false;
  }
  // A display far narrower than the tablet's leaves the game an empty or an enormous screen.
  if (ok && (width < 1 || height < 1 || width > kMaxLogicalSide || height > kMaxLogicalSide)) {
    g_startupFailure = "the display " + display + " gives the game a logical screen of " +
                       SizeText(width, height) + "; its sides must lie in 1.." +
                       std::to_string(kMaxLogicalSide) +
                       " (a display nearer the tablet's 1024x600 shape does)";
    ok = false;
  }
  if (!ok) {
    delete g_pGame;
    g_pGame = nullptr;
    bps_shutdown();
    return StartupFailed();
  }

  g_pGame->m_b2xImages = 1;
  if (!g_bGameRunsInPortait) {
    g_pGame->m_nDeviceScreenWidth = longSide;
    g_pGame->m_nDeviceScreenHeight = shortSide;
    g_PixelScale = (float)width / (float)longSide;
  } else {
    g_pGame->m_nDeviceScreenWidth = shortSide;
    g_pGame->m_nDeviceScreenHeight = longSide;
    g_PixelScale = (float)height / (float)longSide;
  }
  g_prefer_GL_NEAREST = 0x2601;
  g_pfnGLES_SwapBuffers = bbutil_swap;

  if (!g_pGame->Init(width, height)) {
    g_startupFailure = InitTrouble(g_pGame, width, height);
    delete g_pGame;
    g_pGame = nullptr;
    bps_shutdown();
    return StartupFailed();
  }

  while (!g_exit_application) {
    for (;;) {
      bps_event_t* event = nullptr;
      int rc = bps_get_event(&event, 0);
      if (rc != BPS_SUCCESS) {
        fprintf(stderr, "Assertion failed: rc == BPS_SUCCESS\n");
        abort();
      }
      if (!event) break;
      Dispatch(event);
    }
    if (g_pGame) g_pGame->RunGameCycle();
    // The game asked to end (its quit answer): the same way out as the navigator's exit.
    if (g_pGame && g_pGame->IsFinished()) g_exit_application = true;
  }

  // Pictures still decoding when the run ends (a quit during a load) finish on their workers first.
  EndImageDecodes();
  delete g_pGame;
  g_pGame = nullptr;
  screen_stop_events(screen_cxt);
  bps_shutdown();
  bbutil_terminate();
  screen_destroy_context(screen_cxt);
  screen_cxt = nullptr;
  return 0;
}

void handleNavigatorEvent(bps_event_t* event) {
  switch (bps_event_get_code(event)) {
  case NAVIGATOR_EXIT:
    g_exit_application = true;
    break;
  case NAVIGATOR_WINDOW_STATE: {
    navigator_window_state_t state = navigator_event_get_window_state(event);
    if (state == NAVIGATOR_WINDOW_THUMBNAIL || state == NAVIGATOR_WINDOW_INVISIBLE)
      onEnterBackground();
    else if (state == NAVIGATOR_WINDOW_FULLSCREEN)
      onEnterForeground();
    break;
  }
  case NAVIGATOR_SWIPE_DOWN:
    if (g_pGame) g_pGame->Pause();
    break;
  case NAVIGATOR_ORIENTATION_CHECK:
    navigator_orientation_check_response(event,
                                         AcceptsOrientation(navigator_event_get_orientation_angle(event)));
    break;
  case NAVIGATOR_ORIENTATION: {
    int angle = navigator_event_get_orientation_angle(event);
    if (AcceptsOrientation(angle)) bbutil_rotate_screen_surface(angle);
    navigator_done_orientation(event);
    break;
  }
  default:
    break;
  }
}

void onEnterBackground() {
  if (!g_pGame) return;
  g_pGame->Pause();
  if (ISoundSystem* sound = g_pGame->GetSoundSystem()) sound->SetPaused(true);
}

void onEnterForeground() {
  if (!g_pGame) return;
  if (ISoundSystem* sound = g_pGame->GetSoundSystem()) sound->SetPaused(false);
}

void handleScreenEvent(bps_event_t* event) {
  screen_event_t screenEvent = screen_event_get_event(event);
  int type = 0;
  if (!screenEvent || screen_get_event_property_iv(screenEvent, SCREEN_PROPERTY_TYPE, &type) != 0) return;
  if (type == SCREEN_EVENT_KEYBOARD) {
    // The back key goes to the game as a typed character; its false answer ends the run.
    int sym = 0;
    if (!g_pGame || screen_get_event_property_iv(screenEvent, SCREEN_PROPERTY_KEY_SYM, &sym) != 0) return;
    if (!g_pGame->OnGraffitiChar(sym)) g_exit_application = true;
    return;
  }
  if (type != SCREEN_EVENT_MTOUCH_TOUCH && type != SCREEN_EVENT_MTOUCH_MOVE &&
      type != SCREEN_EVENT_MTOUCH_RELEASE)
    return;
  int position[2];
  if (screen_get_event_property_iv(screenEvent, SCREEN_PROPERTY_SOURCE_POSITION, position) != 0) return;
  if (!g_pGame) return;
  int pointerType = type == SCREEN_EVENT_MTOUCH_TOUCH ? 1 : type == SCREEN_EVENT_MTOUCH_MOVE ? 3 : 2;
  int x = (int)((float)position[0] * g_PixelScale);
  int y = (int)((float)position[1] * g_PixelScale);
  int id = 0;
  if (screen_get_event_property_iv(screenEvent, SCREEN_PROPERTY_TOUCH_ID, &id) != 0) id = 0;
  if (id == 0)
    g_pGame->NotifyPointerEvent(x, y, pointerType);
  else
    g_pGame->NotifyMultiTouchPointerEvent(x, y, id, pointerType);
}
