// The desktop backend: an SDL2 window on X11 whose handle EGL renders into; mouse or touch,
// window and keyboard events, and a controller become the platform's events.
#include "internal.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <bps/navigator.h>
#include <screen/screen.h>

#include <cstdio>

namespace standin {
namespace detail {
namespace desktop {
namespace {

struct Desktop {
  _screen_window* window = nullptr;
  SDL_GameController* controller = nullptr;
  int windowState = NAVIGATOR_WINDOW_FULLSCREEN;
  bool mouseDown = false;
  bool exitProduced = false;
  SDL_FingerID fingers[10] = {};
  bool fingerUsed[10] = {};
  bool keys[4] = {}; // left, right, up, down
  float stick[2] = {0, 0};
  float lastTilt[2] = {0, 0};
};
Desktop d;

constexpr float kKeyTilt = 0.5f;
constexpr float kStickDeadZone = 0.15f;

SDL_Window* Sdl(_screen_window* w) { return w ? static_cast<SDL_Window*>(w->sdlWindow) : nullptr; }

// Window coordinates to display pixels (the window may have been resized by the desktop).
void ToDisplay(float wx, float wy, int* x, int* y) {
  int ww = 1, wh = 1;
  SDL_GetWindowSize(Sdl(d.window), &ww, &wh);
  *x = (int)(wx * (float)d.window->bufferSize[0] / (float)(ww > 0 ? ww : 1));
  *y = (int)(wy * (float)d.window->bufferSize[1] / (float)(wh > 0 ? wh : 1));
}

void Touch(int type, int id, int x, int y) {
  JournalEvent e;
  e.kind = JournalEvent::Kind::Touch;
  e.touchType = type;
  e.touchId = id;
  e.x = x;
  e.y = y;
  Produce(e);
}

void Navigator(JournalEvent::Kind kind, int value = 0) {
  JournalEvent e;
  e.kind = kind;
  e.value = value;
  Produce(e);
}

// Closing the window also ends in SDL_QUIT: the navigator says exit once.
void Exit() {
  if (d.exitProduced) return;
  d.exitProduced = true;
  Navigator(JournalEvent::Kind::NavExit);
}

void WindowState(int state) {
  if (state == d.windowState) return;
  d.windowState = state;
  Navigator(JournalEvent::Kind::NavWindow, state);
}

void UpdateTilt() {
  float x = d.stick[0] != 0 ? -d.stick[0] : (d.keys[0] ? kKeyTilt : 0) - (d.keys[1] ? kKeyTilt : 0);
  float y = d.stick[1] != 0 ? -d.stick[1] : (d.keys[2] ? kKeyTilt : 0) - (d.keys[3] ? kKeyTilt : 0);
  if (x == d.lastTilt[0] && y == d.lastTilt[1]) return;
  d.lastTilt[0] = x;
  d.lastTilt[1] = y;
  JournalEvent e;
  e.kind = JournalEvent::Kind::Tilt;
  e.tilt[0] = x;
  e.tilt[1] = y;
  e.tilt[2] = 0;
  Produce(e);
}

int FingerSlot(SDL_FingerID id, bool claim) {
  for (int i = 0; i < 10; ++i)
    if (d.fingerUsed[i] && d.fingers[i] == id) return i;
  if (!claim) return -1;
  for (int i = 0; i < 10; ++i)
    if (!d.fingerUsed[i]) {
      d.fingerUsed[i] = true;
      d.fingers[i] = id;
      return i;
    }
  return -1;
}

bool AnyFinger() {
  for (bool used : d.fingerUsed)
    if (used) return true;
  return false;
}

void Handle(const SDL_Event& ev) {
  switch (ev.type) {
  case SDL_QUIT:
    Exit();
    break;
  case SDL_WINDOWEVENT:
    switch (ev.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
      Exit();
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      WindowState(NAVIGATOR_WINDOW_INVISIBLE);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      if (d.windowState == NAVIGATOR_WINDOW_FULLSCREEN) WindowState(NAVIGATOR_WINDOW_THUMBNAIL);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_RESTORED:
      WindowState(NAVIGATOR_WINDOW_FULLSCREEN);
      break;
    }
    break;
  case SDL_KEYDOWN:
  case SDL_KEYUP: {
    bool down = ev.type == SDL_KEYDOWN;
    SDL_Keycode k = ev.key.keysym.sym;
    if (k == SDLK_ESCAPE && down && !ev.key.repeat) Navigator(JournalEvent::Kind::NavSwipeDown);
    if (k == SDLK_BACKSPACE && down && !ev.key.repeat) Navigator(JournalEvent::Kind::KeyBack);
    int index = k == SDLK_LEFT ? 0 : k == SDLK_RIGHT ? 1 : k == SDLK_UP ? 2 : k == SDLK_DOWN ? 3 : -1;
    if (index >= 0) {
      d.keys[index] = down;
      UpdateTilt();
    }
    break;
  }
  case SDL_MOUSEBUTTONDOWN:
  case SDL_MOUSEBUTTONUP:
  case SDL_MOUSEMOTION: {
    if (ev.button.which == SDL_TOUCH_MOUSEID || AnyFinger()) break;
    int x, y;
    if (ev.type == SDL_MOUSEMOTION) {
      if (!d.mouseDown) break;
      ToDisplay((float)ev.motion.x, (float)ev.motion.y, &x, &y);
      Touch(SCREEN_EVENT_MTOUCH_MOVE, 0, x, y);
      break;
    }
    if (ev.button.button != SDL_BUTTON_LEFT) break;
    bool down = ev.type == SDL_MOUSEBUTTONDOWN;
    if (down == d.mouseDown) break;
    d.mouseDown = down;
    ToDisplay((float)ev.button.x, (float)ev.button.y, &x, &y);
    Touch(down ? SCREEN_EVENT_MTOUCH_TOUCH : SCREEN_EVENT_MTOUCH_RELEASE, 0, x, y);
    break;
  }
  case SDL_FINGERDOWN:
  case SDL_FINGERMOTION:
  case SDL_FINGERUP: {
    if (d.mouseDown) break;
    int slot = FingerSlot(ev.tfinger.fingerId, ev.type == SDL_FINGERDOWN);
    if (slot < 0) break;
    int ww = 1, wh = 1, x, y;
    SDL_GetWindowSize(Sdl(d.window), &ww, &wh);
    ToDisplay(ev.tfinger.x * (float)ww, ev.tfinger.y * (float)wh, &x, &y);
    int type = ev.type == SDL_FINGERDOWN ? SCREEN_EVENT_MTOUCH_TOUCH
               : ev.type == SDL_FINGERUP ? SCREEN_EVENT_MTOUCH_RELEASE
                                         : SCREEN_EVENT_MTOUCH_MOVE;
    if (ev.type == SDL_FINGERUP) d.fingerUsed[slot] = false;
    Touch(type, slot, x, y);
    break;
  }
  case SDL_CONTROLLERDEVICEADDED:
    if (!d.controller) d.controller = SDL_GameControllerOpen(ev.cdevice.which);
    break;
  case SDL_CONTROLLERDEVICEREMOVED:
    if (d.controller &&
        ev.cdevice.which == SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(d.controller))) {
      SDL_GameControllerClose(d.controller);
      d.controller = nullptr;
      d.stick[0] = d.stick[1] = 0;
      UpdateTilt();
    }
    break;
  case SDL_CONTROLLERAXISMOTION:
    if (ev.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX || ev.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
      float v = (float)ev.caxis.value / 32767.0f;
      if (v > -kStickDeadZone && v < kStickDeadZone) v = 0;
      d.stick[ev.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ? 0 : 1] = v;
      UpdateTilt();
    }
    break;
  }
}

} // namespace

bool Open() {
  d = Desktop();
  // EGL renders through the X11 platform, so SDL must use X11 as well.
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
    return false;
  }
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER); // optional: tilt also comes from the arrow keys
  return true;
}

void Close() {
  if (d.controller) SDL_GameControllerClose(d.controller);
  d = Desktop();
  SDL_Quit();
}

bool CreateWindow(_screen_window* window) {
  SDL_Window* w = SDL_CreateWindow("Sprocklet", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   window->bufferSize[0], window->bufferSize[1], SDL_WINDOW_HIDDEN);
  if (!w) {
    fprintf(stderr, "SDL_CreateWindow: %s\n", SDL_GetError());
    return false;
  }
  window->sdlWindow = w;
  d.window = window;
  return true;
}

void DestroyWindow(_screen_window* window) {
  if (Sdl(window)) SDL_DestroyWindow(Sdl(window));
  window->sdlWindow = nullptr;
  if (d.window == window) d.window = nullptr;
}

void ShowWindow(_screen_window* window) {
  if (!Sdl(window)) return;
  SDL_ShowWindow(Sdl(window));
  SDL_RaiseWindow(Sdl(window));
}

void ResizeWindow(_screen_window* window) {
  if (Sdl(window)) SDL_SetWindowSize(Sdl(window), window->bufferSize[0], window->bufferSize[1]);
}

unsigned long NativeWindow(_screen_window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!Sdl(window) || !SDL_GetWindowWMInfo(Sdl(window), &info) || info.subsystem != SDL_SYSWM_X11) return 0;
  return (unsigned long)info.info.x11.window;
}

void Pump() {
  if (!d.window) return;
  SDL_Event ev;
  while (SDL_PollEvent(&ev))
    Handle(ev);
}

void WaitForInput(int ms) { SDL_WaitEventTimeout(nullptr, ms); }

void ShowMessage(const std::string& text) {
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "Sprocklet", text.c_str(), Sdl(d.window));
}

void OpenUrl(const std::string& url) {
  if (SDL_OpenURL(url.c_str()) != 0) fprintf(stderr, "navigator_invoke: %s\n", SDL_GetError());
}

} // namespace desktop
} // namespace detail
} // namespace standin
