// Shared state of the platform stand-in's services (one process, one main thread).
#pragma once

#include "standin/standin.h"

#include <bps/bps.h>
#include <screen/screen.h>

#include <chrono>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct _screen_event {
  int type = 0;
  int position[2] = {0, 0};
  int touchId = 0;
  int keySym = 0;
};

struct bps_event_t {
  int domain = 0;
  unsigned code = 0;
  _screen_event screen;
  int value = 0; // window state or orientation angle
  float xyz[3] = {0, 0, 0};
  // payment answers
  int response = 0;
  unsigned requestId = 0;
  std::vector<std::pair<std::string, int>> items; // SKU, item state
  int errorId = 0;
  std::string errorText;
  bool hasErrorText = false;
};

struct _screen_display {
  int size[2] = {0, 0};
};

struct _screen_window {
  int bufferSize[2] = {0, 0};
  int sourceSize[2] = {0, 0};
  int rotation = 0;
  int format = 0;
  int usage = 0;
  int buffers = 0;
  std::string group;
  void* sdlWindow = nullptr;
};

struct _screen_context {
  bool eventsRequested = false;
};

namespace standin {
namespace detail {

enum Domain { kScreenDomain = 1, kNavigatorDomain, kSensorDomain, kDialogDomain, kPaymentDomain };

struct PendingAnswer {
  int dueFrame = 0;
  bps_event_t event;
  std::string boughtSku; // remembered when the answer is delivered
};

struct StoreRule {
  JournalEvent::Outcome outcome = JournalEvent::Outcome::Success;
  int delayFrames = 30;
  int errorId = 0;
  std::string errorText;
};

struct State {
  Config config;
  bool bpsUp = false;
  int frame = 0;
  bool cyclePending = false;
  bool exitPosted = false;
  bool requestedExitDelivered = false;
  // When a paced run's next frame may begin.
  std::chrono::steady_clock::time_point nextFrameAt;
  size_t nextJournal = 0;
  std::deque<bps_event_t> queue;
  bps_event_t current;

  _screen_context* context = nullptr;
  _screen_display display;
  bool backendOpen = false;

  bool navigatorEvents = false;
  NavigatorLog navigator;

  bool dialogEvents = false;

  bool sensorEvents = false;
  bool skipDuplicates = false;
  unsigned sensorRate = 0;
  float tilt[3] = {0, 0, 0};

  bool paymentEvents = false;
  bool localConnection = false;
  unsigned nextRequestId = 1;
  StoreRule purchaseRule;
  StoreRule restoreRule;
  std::vector<PendingAnswer> answers;

  std::string recorded;
  std::string failure;
};

State& S();

bps_event_t MakeEvent(int domain, unsigned code);
void Queue(bps_event_t event);
// Turns an input event into platform events (or a store rule), now.
void Deliver(const JournalEvent& event);
// An event produced by the desktop: delivered and, when recording, written to the journal.
void Produce(JournalEvent event);
// Keeps the run's first hard failure; says it on stderr unless its caller says it otherwise.
void SetFailure(const std::string& message, bool say = true);

// Simulated store.
void StoreDeliverDue();
void StoreApplyRule(const JournalEvent& event);

// Headless, after each swap: ends a group of frames now and then, flushing it to the driver and
// waiting until the group before it is drawn, so that the driver's memory stays flat.
void EndHeadlessFrame();

// Desktop backend (SDL2).
namespace desktop {
bool Open();
void Close();
bool CreateWindow(_screen_window* window);
void DestroyWindow(_screen_window* window);
void ShowWindow(_screen_window* window);
void ResizeWindow(_screen_window* window);
unsigned long NativeWindow(_screen_window* window);
void Pump();
void WaitForInput(int ms);
void ShowMessage(const std::string& text);
void OpenUrl(const std::string& url);
} // namespace desktop

} // namespace detail
} // namespace standin
