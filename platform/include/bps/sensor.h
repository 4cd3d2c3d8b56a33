// Our stand-in for the sensor service: only the accelerometer exists.
#pragma once

#include "bps/bps.h"

#include <stdbool.h>

typedef enum {
  SENSOR_TYPE_ACCELEROMETER = 0,
} sensor_type_t;

enum {
  SENSOR_ACCELEROMETER_READING = 0,
};

#ifdef __cplusplus
extern "C" {
#endif

int sensor_get_domain(void);
bool sensor_is_supported(sensor_type_t type);
// rate: microseconds between readings.
int sensor_set_rate(sensor_type_t type, unsigned rate);
int sensor_set_skip_duplicates(sensor_type_t type, bool skip);
int sensor_request_events(sensor_type_t type);
int sensor_stop_events(sensor_type_t type);
int sensor_event_get_xyz(bps_event_t* event, float* x, float* y, float* z);

#ifdef __cplusplus
}
#endif
