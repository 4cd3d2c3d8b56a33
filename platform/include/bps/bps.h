// Our stand-in for the tablet's event loop service: one queue of platform events, polled by the
// main loop and tagged with the domain of the service that produced them.
#pragma once

#define BPS_SUCCESS 0
#define BPS_FAILURE (-1)

#ifdef __cplusplus
extern "C" {
#endif

typedef struct bps_event_t bps_event_t;

int bps_initialize(void);
void bps_shutdown(void);
// Takes the next pending event into *event (null when none is pending). timeout_ms 0 polls,
// -1 waits until an event arrives. The event stays valid until the next call.
int bps_get_event(bps_event_t** event, int timeout_ms);
int bps_event_get_domain(bps_event_t* event);
unsigned bps_event_get_code(bps_event_t* event);

#ifdef __cplusplus
}
#endif
