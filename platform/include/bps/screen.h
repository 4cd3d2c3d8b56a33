// Bridge between the event loop and the screen service: which events are screen events.
#pragma once

#include "bps/bps.h"
#include "screen/screen.h"

#ifdef __cplusplus
extern "C" {
#endif

int screen_get_domain(void);
int screen_request_events(screen_context_t context);
int screen_stop_events(screen_context_t context);
screen_event_t screen_event_get_event(bps_event_t* event);

#ifdef __cplusplus
}
#endif
