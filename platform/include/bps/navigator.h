// Our stand-in for the navigator: window state, orientation, exit and swipe-down events, and
// handing URLs to the system.
#pragma once

#include "bps/bps.h"

#include <stdbool.h>

enum {
  NAVIGATOR_INVOKE = 1,
  NAVIGATOR_EXIT = 2,
  NAVIGATOR_WINDOW_STATE = 3,
  NAVIGATOR_SWIPE_DOWN = 4,
  NAVIGATOR_ORIENTATION_CHECK = 7,
  NAVIGATOR_ORIENTATION = 8,
};

typedef enum {
  NAVIGATOR_WINDOW_FULLSCREEN = 0,
  NAVIGATOR_WINDOW_THUMBNAIL = 1,
  NAVIGATOR_WINDOW_INVISIBLE = 2,
} navigator_window_state_t;

#ifdef __cplusplus
extern "C" {
#endif

int navigator_get_domain(void);
int navigator_request_events(int flags);
int navigator_stop_events(int flags);
int navigator_rotation_lock(bool locked);
// Opens the URL with the desktop's opener; *err (when given) is set to null.
int navigator_invoke(const char* url, char** err);

navigator_window_state_t navigator_event_get_window_state(bps_event_t* event);
int navigator_event_get_orientation_angle(bps_event_t* event);
// Answer to an orientation check: when accepted the navigator follows with an orientation event.
int navigator_orientation_check_response(bps_event_t* event, bool will_rotate);
int navigator_done_orientation(bps_event_t* event);

#ifdef __cplusplus
}
#endif
