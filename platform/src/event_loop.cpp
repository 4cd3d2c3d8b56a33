// The event loop stand-in: the queue, the frame count, and delivery of journal input by frame.
#include "internal.h"

#include <bps/navigator.h>
#include <bps/sensor.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

namespace standin {
namespace detail {
namespace {

volatile std::sig_atomic_t g_exitRequested = 0;

} // namespace

State& S() {
  static State* state = new State();
  return *state;
}

bps_event_t MakeEvent(int domain, unsigned code) {
  bps_event_t e;
  e.domain = domain;
  e.code = code;
  return e;
}

void Queue(bps_event_t event) { S().queue.push_back(std::move(event)); }

void SetFailure(const std::string& message, bool say) {
  if (say) fprintf(stderr, "%s\n", message.c_str());
  if (S().failure.empty()) S().failure = message;
}

void Deliver(const JournalEvent& in) {
  State& s = S();
  using K = JournalEvent::Kind;
  switch (in.kind) {
  case K::Touch: {
    if (!s.context || !s.context->eventsRequested) return;
    bps_event_t e = MakeEvent(kScreenDomain, 0);
    e.screen.type = in.touchType;
    e.screen.position[0] = in.x;
    e.screen.position[1] = in.y;
    e.screen.touchId = in.touchId;
    Queue(std::move(e));
    return;
  }
  case K::KeyBack: {
    if (!s.context || !s.context->eventsRequested) return;
    bps_event_t e = MakeEvent(kScreenDomain, 0);
    e.screen.type = SCREEN_EVENT_KEYBOARD;
    e.screen.keySym = 8;
    Queue(std::move(e));
    return;
  }
  case K::Tilt: {
    bool same = in.tilt[0] == s.tilt[0] && in.tilt[1] == s.tilt[1] && in.tilt[2] == s.tilt[2];
    for (int i = 0; i < 3; ++i)
      s.tilt[i] = in.tilt[i];
    if (!s.sensorEvents || (same && s.skipDuplicates)) return;
    bps_event_t e = MakeEvent(kSensorDomain, SENSOR_ACCELEROMETER_READING);
    for (int i = 0; i < 3; ++i)
      e.xyz[i] = in.tilt[i];
    Queue(std::move(e));
    return;
  }
  case K::NavExit:
  case K::NavWindow:
  case K::NavSwipeDown:
  case K::NavOrientation: {
    if (!s.navigatorEvents) return;
    unsigned code = in.kind == K::NavExit        ? NAVIGATOR_EXIT
                    : in.kind == K::NavWindow    ? NAVIGATOR_WINDOW_STATE
                    : in.kind == K::NavSwipeDown ? NAVIGATOR_SWIPE_DOWN
                                                 : NAVIGATOR_ORIENTATION_CHECK;
    bps_event_t e = MakeEvent(kNavigatorDomain, code);
    e.value = in.value;
    Queue(std::move(e));
    return;
  }
  case K::StorePurchase:
  case K::StoreRestore:
    StoreApplyRule(in);
    return;
  }
}

namespace {

// Delivers an input of this frame and keeps it for the recording.
void Feed(JournalEvent event) {
  State& s = S();
  event.frame = s.frame;
  if (!s.config.recordPath.empty()) s.recorded += FormatJournalEvent(event) + "\n";
  Deliver(event);
}

void FeedExit() {
  JournalEvent exit;
  exit.kind = JournalEvent::Kind::NavExit;
  Feed(exit);
}

} // namespace

void Produce(JournalEvent event) { Feed(std::move(event)); }

namespace {

void BeginFrame() {
  State& s = S();
  ++s.frame;
  if (s.config.exitAfterFrames >= 0 && s.frame >= s.config.exitAfterFrames && !s.exitPosted) {
    s.exitPosted = true;
    FeedExit();
  }
}

// Gathers everything due at the current frame into the queue.
void Gather() {
  State& s = S();
  if (s.config.backend == Backend::Desktop && s.backendOpen) desktop::Pump();
  const std::vector<JournalEvent>& journal = s.config.journal;
  while (s.nextJournal < journal.size() && journal[s.nextJournal].frame <= s.frame)
    Feed(journal[s.nextJournal++]);
  // Held until the game listens to the navigator, so that an early signal is not lost.
  if (g_exitRequested && !s.requestedExitDelivered && s.navigatorEvents) {
    s.requestedExitDelivered = true;
    FeedExit();
  }
  StoreDeliverDue();
}

bool MoreInputLater() {
  State& s = S();
  return s.nextJournal < s.config.journal.size() || !s.answers.empty() ||
         (s.config.exitAfterFrames >= 0 && !s.exitPosted);
}

} // namespace
} // namespace detail

using namespace detail;

void Configure(const Config& config) {
  State& s = S();
  s.~State();
  new (&s) State();
  s.config = config;
}

const Config& CurrentConfig() { return S().config; }
int CurrentFrame() { return S().frame; }

bool FixedRandomSeed(unsigned* seed) {
  if (!S().config.hasSeed) return false;
  if (seed) *seed = S().config.seed;
  return true;
}
const std::string& Failure() { return S().failure; }
const NavigatorLog& Navigator() { return S().navigator; }

void Post(const JournalEvent& event) { Deliver(event); }

void RequestExit() { g_exitRequested = 1; }

void AfterSwap() {
  State& s = S();
  // A pbuffer's swap neither shows nor waits for anything: unwaited, the driver takes frames faster
  // than it draws them and holds every one it has not drawn yet, so memory grows without bound.
  if (s.config.backend == Backend::Headless) EndHeadlessFrame();
  if (!s.config.paced && s.config.backend != Backend::Desktop) return;
  using Clock = std::chrono::steady_clock;
  const Clock::duration period = std::chrono::microseconds(16667), slack = std::chrono::milliseconds(2);
  const Clock::time_point now = Clock::now();
  // The first frame, or one that came late, counts from now instead of hurrying to catch up.
  if (s.nextFrameAt == Clock::time_point() || now >= s.nextFrameAt + period) {
    s.nextFrameAt = now;
    return;
  }
  s.nextFrameAt += period;
  if (s.nextFrameAt - now > slack)
    std::this_thread::sleep_until(s.nextFrameAt);
  else if (s.nextFrameAt > now)
    s.nextFrameAt = now; // a swap that waited for the display keeps its pace: no drifting ahead of it
}

} // namespace standin

using namespace standin;
using namespace standin::detail;

extern "C" {

int bps_initialize(void) {
  S().bpsUp = true;
  return BPS_SUCCESS;
}

void bps_shutdown(void) {
  State& s = S();
  if (!s.bpsUp) return;
  s.bpsUp = false;
  if (!s.config.recordPath.empty()) {
    std::string error;
    if (!WriteFileAtomically(s.config.recordPath, "# recorded session\n" + s.recorded, &error))
      SetFailure(error);
  }
}

int bps_get_event(bps_event_t** event, int timeout_ms) {
  if (!event) return BPS_FAILURE;
  *event = nullptr;
  State& s = S();
  if (!s.bpsUp) return BPS_FAILURE;
  for (;;) {
    if (s.cyclePending) {
      s.cyclePending = false;
      BeginFrame();
    }
    Gather();
    if (!s.queue.empty()) {
      s.current = std::move(s.queue.front());
      s.queue.pop_front();
      *event = &s.current;
      return BPS_SUCCESS;
    }
    // Nothing pending: the caller runs a game cycle now, which ends this frame.
    s.cyclePending = true;
    if (timeout_ms == 0) return BPS_SUCCESS;
    if (s.config.backend == Backend::Desktop && s.backendOpen)
      desktop::WaitForInput(timeout_ms < 0 ? 50 : timeout_ms);
    else if (!MoreInputLater())
      return BPS_SUCCESS; // a headless wait would never end
    if (timeout_ms > 0) timeout_ms = 0;
  }
}

int bps_event_get_domain(bps_event_t* event) { return event ? event->domain : -1; }
unsigned bps_event_get_code(bps_event_t* event) { return event ? event->code : 0; }

} // extern "C"
