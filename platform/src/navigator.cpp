// The navigator stand-in: its events come from the journal or the desktop window; an accepted
// orientation check is followed by the orientation event itself.
#include "internal.h"

#include <bps/navigator.h>

#include <cstdio>

using namespace standin;
using namespace standin::detail;

extern "C" {

int navigator_get_domain(void) { return kNavigatorDomain; }

int navigator_request_events(int /*flags*/) {
  S().navigatorEvents = true;
  return BPS_SUCCESS;
}

int navigator_stop_events(int /*flags*/) {
  S().navigatorEvents = false;
  return BPS_SUCCESS;
}

int navigator_rotation_lock(bool locked) {
  S().navigator.rotationLocked = locked;
  return BPS_SUCCESS;
}

int navigator_invoke(const char* url, char** err) {
  if (err) *err = nullptr;
  if (!url || !*url) return BPS_FAILURE;
  State& s = S();
  s.navigator.invokedUrls.push_back(url);
  if (s.config.backend == Backend::Desktop)
    desktop::OpenUrl(url);
  else
    printf("navigator_invoke: %s\n", url);
  return BPS_SUCCESS;
}

navigator_window_state_t navigator_event_get_window_state(bps_event_t* event) {
  return (navigator_window_state_t)(event ? event->value : 0);
}

int navigator_event_get_orientation_angle(bps_event_t* event) { return event ? event->value : 0; }

int navigator_orientation_check_response(bps_event_t* event, bool will_rotate) {
  if (!event || event->domain != kNavigatorDomain || event->code != NAVIGATOR_ORIENTATION_CHECK)
    return BPS_FAILURE;
  State& s = S();
  s.navigator.checkResponses++;
  s.navigator.lastCheckAccepted = will_rotate;
  if (will_rotate && s.navigatorEvents) {
    bps_event_t e = MakeEvent(kNavigatorDomain, NAVIGATOR_ORIENTATION);
    e.value = event->value;
    Queue(std::move(e));
  }
  return BPS_SUCCESS;
}

int navigator_done_orientation(bps_event_t* event) {
  if (!event || event->code != NAVIGATOR_ORIENTATION) return BPS_FAILURE;
  S().navigator.doneOrientations++;
  return BPS_SUCCESS;
}

} // extern "C"
