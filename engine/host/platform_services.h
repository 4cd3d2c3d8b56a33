// The platform layer's services for the engine and the game: the EGL window layer (bbutil_*),
// the accelerometer, opening a URL, the alert dialog, and the layer's globals.
#pragma once

#include <EGL/egl.h>
#include <bps/bps.h>
#include <screen/screen.h>

#include <string>

class CGameBase;

extern CGameBase* g_pGame;
extern bool g_bGameRunsInPortait;
extern bool g_exit_application;
extern float g_PixelScale;
extern int g_screen_resolution[2];
extern const char* g_window_group_name;

// What the host's command line asks of the game, which has no command line of its own.
struct HostGameOptions {
  int level = -1;            // start straight into this level after the start-up (-1: the menu)
  int character = 0;         // with this character
  bool developer = false;    // the developer build: levels from data/, the editor reachable
  std::string dataDirectory; // where the read-only asset pack lies; empty: the working directory's
};
extern HostGameOptions g_hostGameOptions;

extern screen_context_t screen_ctx;
extern screen_window_t screen_win;
extern screen_display_t screen_disp;
extern EGLDisplay egl_disp;
extern EGLConfig egl_conf;
extern EGLContext egl_ctx;
extern EGLSurface egl_surf;
extern int initialized;

extern bool g_bUsingAccelerometer;
extern float g_accel_force_x, g_accel_force_y, g_accel_force_z;

// 0 on success; on failure everything made so far is released.
int bbutil_init_egl(screen_context_t ctx);
void bbutil_terminate();
int bbutil_rotate_screen_surface(int angle);
bool bbutil_get_screen_rotation_angle(int& angle);
void bbutil_swap();
void bbutil_egl_perror(const char* msg);

bool BBWeb_OpenURL(const char* url);
void DBG(const char* format, ...);
unsigned GetTickCount();
bool DownloadDataFromURL(char* url, char* buffer, int size, int* received);

bool Accel_Init();
void Accel_Close();
bool Accel_GetValues(double& x, double& y, double& z);
void handleSensorEvent(bps_event_t* event);
