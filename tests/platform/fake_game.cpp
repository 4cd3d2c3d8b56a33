// The logging application object of the platform tests, and the program's factory for it.
#include "fake_game.h"

#include "platform_services.h"

#include <cstdio>

FakeSetup g_fakeSetup;
std::vector<std::string> g_fakeLog;
WindowSeen g_windowSeen;

namespace {

std::string Text(const char* format, int a, int b = 0, int c = 0, int d = 0) {
  char buf[128];
  snprintf(buf, sizeof buf, format, a, b, c, d);
  return buf;
}

} // namespace

FakeGame::FakeGame() {
  m_nIPhoneOrientation = g_fakeSetup.orientationMode;
  if (g_fakeSetup.withSound) m_pSoundSystem = new LoggingSound();
}

FakeGame::~FakeGame() { g_fakeLog.push_back("deleted"); }

bool FakeGame::Init(int w, int h) {
  g_fakeLog.push_back(Text("init %d %d", w, h));
  m_nScreenWidth = w;
  m_nScreenHeight = h;
  if (g_fakeSetup.startAccelerometer) Accel_Init();
  return g_fakeSetup.initResult;
}

bool FakeGame::RunGameCycle() {
  g_fakeLog.push_back("cycle");
  bbutil_get_screen_rotation_angle(g_windowSeen.rotation);
  screen_get_window_property_iv(screen_win, SCREEN_PROPERTY_BUFFER_SIZE, g_windowSeen.buffer);
  eglQuerySurface(egl_disp, egl_surf, EGL_WIDTH, &g_windowSeen.surface[0]);
  eglQuerySurface(egl_disp, egl_surf, EGL_HEIGHT, &g_windowSeen.surface[1]);
  double x, y, z;
  if (Accel_GetValues(x, y, z)) {
    char buf[96];
    snprintf(buf, sizeof buf, "tilt %g %g %g", x, y, z);
    static std::string last;
    if (last != buf) g_fakeLog.push_back(last = buf);
  }
  return true;
}

int FakeGame::NotifyPointerEvent(int x, int y, int type) {
  g_fakeLog.push_back(Text("pointer %d %d %d", x, y, type));
  return 1;
}

int FakeGame::NotifyMultiTouchPointerEvent(int x, int y, int id, int type) {
  g_fakeLog.push_back(Text("multi %d %d id %d type %d", x, y, id, type));
  return 1;
}

bool FakeGame::Pause() {
  g_fakeLog.push_back("pause");
  return true;
}

void FakeGame::OnInAppPurchaseResult(CommonString id, int result) {
  g_fakeLog.push_back("purchase " + std::string(id.c_str()) + " " + std::to_string(result));
}

void FakeGame::OnInAppPurchasesRestoreFinished() { g_fakeLog.push_back("restore finished"); }

CGameBase* CreateGameObject() { return g_fakeSetup.createNothing ? nullptr : new FakeGame(); }
