// The sensor stand-in: an accelerometer whose readings come from journal tilt lines or, on the
// desktop, from the arrow keys and a game controller.
#include "internal.h"

#include <bps/sensor.h>

using namespace standin;
using namespace standin::detail;

extern "C" {

int sensor_get_domain(void) { return kSensorDomain; }

bool sensor_is_supported(sensor_type_t type) { return type == SENSOR_TYPE_ACCELEROMETER; }

int sensor_set_rate(sensor_type_t type, unsigned rate) {
  if (type != SENSOR_TYPE_ACCELEROMETER || rate == 0) return BPS_FAILURE;
  S().sensorRate = rate;
  return BPS_SUCCESS;
}

int sensor_set_skip_duplicates(sensor_type_t type, bool skip) {
  if (type != SENSOR_TYPE_ACCELEROMETER) return BPS_FAILURE;
  S().skipDuplicates = skip;
  return BPS_SUCCESS;
}

int sensor_request_events(sensor_type_t type) {
  if (type != SENSOR_TYPE_ACCELEROMETER) return BPS_FAILURE;
  State& s = S();
  s.sensorEvents = true;
  // A fresh subscriber learns the current reading at once.
  bps_event_t e = MakeEvent(kSensorDomain, SENSOR_ACCELEROMETER_READING);
  for (int i = 0; i < 3; ++i)
    e.xyz[i] = s.tilt[i];
  Queue(std::move(e));
  return BPS_SUCCESS;
}

int sensor_stop_events(sensor_type_t type) {
  if (type != SENSOR_TYPE_ACCELEROMETER) return BPS_FAILURE;
  State& s = S();
  s.sensorEvents = false;
  for (auto it = s.queue.begin(); it != s.queue.end();)
    it = it->domain == kSensorDomain ? s.queue.erase(it) : it + 1;
  return BPS_SUCCESS;
}

int sensor_event_get_xyz(bps_event_t* event, float* x, float* y, float* z) {
  if (!event || event->domain != kSensorDomain || !x || !y || !z) return BPS_FAILURE;
  *x = event->xyz[0];
  *y = event->xyz[1];
  *z = event->xyz[2];
  return BPS_SUCCESS;
}

} // extern "C"
