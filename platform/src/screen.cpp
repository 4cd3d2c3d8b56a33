// The screen service stand-in: one display of the configured size, windows whose integer
// properties the EGL glue reads and writes, and touch events.
#include "internal.h"

#include <bps/screen.h>

#include <cerrno>

using namespace standin;
using namespace standin::detail;

namespace {

int Fail(int err) {
  errno = err;
  return -1;
}

} // namespace

extern "C" {

int screen_get_domain(void) { return kScreenDomain; }

int screen_create_context(screen_context_t* context, int /*flags*/) {
  State& s = S();
  if (!context) return Fail(EINVAL);
  if (s.context) return Fail(EBUSY);
  if (s.config.displayWidth <= 0 || s.config.displayHeight <= 0) return Fail(EINVAL);
  if (s.config.backend == Backend::Desktop && !desktop::Open()) return Fail(ENODEV);
  s.backendOpen = true;
  s.display.size[0] = s.config.displayWidth;
  s.display.size[1] = s.config.displayHeight;
  s.context = new _screen_context();
  *context = s.context;
  return 0;
}

int screen_destroy_context(screen_context_t context) {
  State& s = S();
  if (!context || context != s.context) return Fail(EINVAL);
  delete s.context;
  s.context = nullptr;
  if (s.config.backend == Backend::Desktop && s.backendOpen) desktop::Close();
  s.backendOpen = false;
  return 0;
}

int screen_request_events(screen_context_t context) {
  if (!context || context != S().context) return Fail(EINVAL);
  context->eventsRequested = true;
  return 0;
}

int screen_stop_events(screen_context_t context) {
  if (!context || context != S().context) return Fail(EINVAL);
  context->eventsRequested = false;
  return 0;
}

int screen_create_window(screen_window_t* window, screen_context_t context) {
  State& s = S();
  if (!window || !context || context != s.context) return Fail(EINVAL);
  auto* w = new _screen_window();
  w->bufferSize[0] = w->sourceSize[0] = s.display.size[0];
  w->bufferSize[1] = w->sourceSize[1] = s.display.size[1];
  if (s.config.backend == Backend::Desktop && !desktop::CreateWindow(w)) {
    delete w;
    return Fail(ENODEV);
  }
  *window = w;
  return 0;
}

int screen_destroy_window(screen_window_t window) {
  if (!window) return Fail(EINVAL);
  if (S().config.backend == Backend::Desktop) desktop::DestroyWindow(window);
  delete window;
  return 0;
}

int screen_create_window_group(screen_window_t window, const char* group_name) {
  if (!window || !group_name || !*group_name) return Fail(EINVAL);
  window->group = group_name;
  return 0;
}

int screen_create_window_buffers(screen_window_t window, int count) {
  if (!window || count < 1) return Fail(EINVAL);
  window->buffers = count;
  if (S().config.backend == Backend::Desktop) desktop::ShowWindow(window);
  return 0;
}

int screen_set_window_property_iv(screen_window_t window, int property, const int* values) {
  if (!window || !values) return Fail(EINVAL);
  switch (property) {
  case SCREEN_PROPERTY_BUFFER_SIZE:
    if (values[0] <= 0 || values[1] <= 0) return Fail(EINVAL);
    window->bufferSize[0] = values[0];
    window->bufferSize[1] = values[1];
    if (S().config.backend == Backend::Desktop && window->buffers > 0) desktop::ResizeWindow(window);
    return 0;
  case SCREEN_PROPERTY_SOURCE_SIZE:
    if (values[0] <= 0 || values[1] <= 0) return Fail(EINVAL);
    window->sourceSize[0] = values[0];
    window->sourceSize[1] = values[1];
    return 0;
  case SCREEN_PROPERTY_ROTATION:
    if (values[0] != 0 && values[0] != 90 && values[0] != 180 && values[0] != 270) return Fail(EINVAL);
    window->rotation = values[0];
    return 0;
  case SCREEN_PROPERTY_FORMAT:
    window->format = values[0];
    return 0;
  case SCREEN_PROPERTY_USAGE:
    window->usage = values[0];
    return 0;
  default:
    return Fail(EINVAL);
  }
}

int screen_get_window_property_iv(screen_window_t window, int property, int* values) {
  if (!window || !values) return Fail(EINVAL);
  switch (property) {
  case SCREEN_PROPERTY_BUFFER_SIZE:
    values[0] = window->bufferSize[0];
    values[1] = window->bufferSize[1];
    return 0;
  case SCREEN_PROPERTY_SOURCE_SIZE:
    values[0] = window->sourceSize[0];
    values[1] = window->sourceSize[1];
    return 0;
  case SCREEN_PROPERTY_ROTATION:
    values[0] = window->rotation;
    return 0;
  case SCREEN_PROPERTY_FORMAT:
    values[0] = window->format;
    return 0;
  case SCREEN_PROPERTY_USAGE:
    values[0] = window->usage;
    return 0;
  default:
    return Fail(EINVAL);
  }
}

int screen_get_window_property_pv(screen_window_t window, int property, void** values) {
  if (!window || !values || property != SCREEN_PROPERTY_DISPLAY) return Fail(EINVAL);
  values[0] = &S().display;
  return 0;
}

int screen_get_display_property_iv(screen_display_t display, int property, int* values) {
  if (!display || !values || property != SCREEN_PROPERTY_SIZE) return Fail(EINVAL);
  values[0] = display->size[0];
  values[1] = display->size[1];
  return 0;
}

// SCREEN_PROPERTY_MODE: values[0] points at a screen_display_mode_t to fill.
int screen_get_display_property_pv(screen_display_t display, int property, void** values) {
  if (!display || !values || !values[0] || property != SCREEN_PROPERTY_MODE) return Fail(EINVAL);
  auto* mode = static_cast<screen_display_mode_t*>(values[0]);
  mode->width = display->size[0];
  mode->height = display->size[1];
  mode->refresh = 60;
  return 0;
}

int screen_get_event_property_iv(screen_event_t event, int property, int* values) {
  if (!event || !values) return Fail(EINVAL);
  switch (property) {
  case SCREEN_PROPERTY_TYPE:
    values[0] = event->type;
    return 0;
  case SCREEN_PROPERTY_SOURCE_POSITION:
    values[0] = event->position[0];
    values[1] = event->position[1];
    return 0;
  case SCREEN_PROPERTY_TOUCH_ID:
    values[0] = event->touchId;
    return 0;
  case SCREEN_PROPERTY_KEY_SYM:
    values[0] = event->keySym;
    return 0;
  default:
    return Fail(EINVAL);
  }
}

screen_event_t screen_event_get_event(bps_event_t* event) {
  if (!event || event->domain != kScreenDomain) return nullptr;
  return &event->screen;
}

} // extern "C"
