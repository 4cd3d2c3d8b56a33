// The platform main loop: start-up of the screen, EGL and platform services around the single
// application object, the event loop with its handlers, and shut-down.
#pragma once

#include <bps/bps.h>
#include <screen/screen.h>

#include <string>

extern screen_context_t screen_cxt;

// The whole life of the program; 0 after a normal exit, non-zero when start-up failed.
int PlatformMain();
// Why the last PlatformMain's start-up failed, in one line; empty when the failing step said so
// itself (or nothing failed).
const std::string& PlatformStartupFailure();

void handleScreenEvent(bps_event_t* event);
void handleNavigatorEvent(bps_event_t* event);
void onEnterBackground();
void onEnterForeground();
