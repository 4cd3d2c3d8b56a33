// Small platform services: the accelerometer, opening a URL, the blocking alert dialog, ticks.
#include "platform_services.h"

#include <bps/dialog.h>
#include <bps/navigator.h>
#include <bps/sensor.h>

#include <cstdarg>
#include <cstdio>
#include <ctime>

bool g_bUsingAccelerometer = false;
float g_accel_force_x = 0, g_accel_force_y = 0, g_accel_force_z = 0;

bool Accel_Init() {
  if (!sensor_is_supported(SENSOR_TYPE_ACCELEROMETER)) {
    fprintf(stderr, "sprocklet: no accelerometer on this device: tilt controls do nothing\n");
    return false;
  }
  sensor_set_rate(SENSOR_TYPE_ACCELEROMETER, 25000);
  sensor_set_skip_duplicates(SENSOR_TYPE_ACCELEROMETER, true);
  sensor_request_events(SENSOR_TYPE_ACCELEROMETER);
  g_bUsingAccelerometer = true;
  return true;
}

void Accel_Close() {
  if (!g_bUsingAccelerometer) return;
  sensor_stop_events(SENSOR_TYPE_ACCELEROMETER);
  g_bUsingAccelerometer = false;
}

bool Accel_GetValues(double& x, double& y, double& z) {
  if (!g_bUsingAccelerometer) return false;
  x = g_accel_force_x;
  y = g_accel_force_y;
  z = g_accel_force_z;
  return true;
}

void handleSensorEvent(bps_event_t* event) {
  if (!g_bUsingAccelerometer || bps_event_get_code(event) != SENSOR_ACCELEROMETER_READING) return;
  sensor_event_get_xyz(event, &g_accel_force_x, &g_accel_force_y, &g_accel_force_z);
}

bool BBWeb_OpenURL(const char* url) { return navigator_invoke(url, nullptr) == BPS_SUCCESS; }

void DBG(const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  vsnprintf(text, sizeof text, format, args);
  va_end(args);

  dialog_instance_t dialog = nullptr;
  dialog_request_events(0);
  if (dialog_create_alert(&dialog) != BPS_SUCCESS) {
    fprintf(stderr, "Failed to create alert dialog.");
    return;
  }
  const char* failure = nullptr;
  if (dialog_set_alert_message_text(dialog, text) != BPS_SUCCESS)
    failure = "Failed to set alert dialog message text.";
  else if (dialog_add_button(dialog, "OK", true, nullptr, true) != BPS_SUCCESS)
    failure = "Failed to add button to alert dialog.";
  else if (dialog_show(dialog) != BPS_SUCCESS)
    failure = "Failed to show alert dialog.";
  if (failure) {
    fprintf(stderr, "%s", failure);
    dialog_destroy(dialog);
    return;
  }
  for (;;) {
    bps_event_t* event = nullptr;
    if (bps_get_event(&event, -1) != BPS_SUCCESS) break;
    if (event && bps_event_get_domain(event) == dialog_get_domain()) break;
  }
  dialog_destroy(dialog);
}

unsigned GetTickCount() { return (unsigned)clock(); }

bool DownloadDataFromURL(char*, char*, int, int* received) {
  if (received) *received = 0;
  return false;
}
