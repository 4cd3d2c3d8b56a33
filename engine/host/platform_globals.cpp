// The platform layer's globals, shared by the main loop, its handlers and the engine.
#include "platform_services.h"

CGameBase* g_pGame = nullptr;
bool g_bGameRunsInPortait = false;
bool g_exit_application = false;
float g_PixelScale = 1.0f;
int g_screen_resolution[2] = {0, 0};
const char* g_window_group_name = "main_app_group";
HostGameOptions g_hostGameOptions;
