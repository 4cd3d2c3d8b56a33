// Our stand-in for the screen service: contexts, one display, windows with integer properties,
// and touch events.
#pragma once

typedef struct _screen_context* screen_context_t;
typedef struct _screen_window* screen_window_t;
typedef struct _screen_display* screen_display_t;
typedef struct _screen_event* screen_event_t;

typedef struct {
  int width;
  int height;
  int refresh;
} screen_display_mode_t;

enum {
  SCREEN_PROPERTY_BUFFER_SIZE = 5,
  SCREEN_PROPERTY_DISPLAY = 11,
  SCREEN_PROPERTY_FORMAT = 14,
  SCREEN_PROPERTY_ROTATION = 38,
  SCREEN_PROPERTY_SIZE = 40,
  SCREEN_PROPERTY_SOURCE_POSITION = 41,
  SCREEN_PROPERTY_SOURCE_SIZE = 42,
  SCREEN_PROPERTY_TYPE = 47,
  SCREEN_PROPERTY_USAGE = 48,
  SCREEN_PROPERTY_TOUCH_ID = 73,
  SCREEN_PROPERTY_KEY_SYM = 74,
  SCREEN_PROPERTY_MODE = 90,
};

enum {
  SCREEN_FORMAT_RGB565 = 7,
  SCREEN_FORMAT_RGBX8888 = 9,
};

enum {
  SCREEN_USAGE_OPENGL_ES1 = 0x10,
  SCREEN_USAGE_ROTATION = 0x200,
};

enum {
  SCREEN_EVENT_MTOUCH_TOUCH = 100,
  SCREEN_EVENT_MTOUCH_MOVE = 101,
  SCREEN_EVENT_MTOUCH_RELEASE = 102,
  // A typed character (SCREEN_PROPERTY_KEY_SYM); 8 is the device's back key.
  SCREEN_EVENT_KEYBOARD = 103,
};

enum {
  SCREEN_APPLICATION_CONTEXT = 0,
};

#ifdef __cplusplus
extern "C" {
#endif

// Every call answers 0 on success and -1 with errno set on failure.
int screen_create_context(screen_context_t* context, int flags);
int screen_destroy_context(screen_context_t context);
int screen_create_window(screen_window_t* window, screen_context_t context);
int screen_destroy_window(screen_window_t window);
int screen_create_window_group(screen_window_t window, const char* group_name);
int screen_create_window_buffers(screen_window_t window, int count);
int screen_set_window_property_iv(screen_window_t window, int property, const int* values);
int screen_get_window_property_iv(screen_window_t window, int property, int* values);
int screen_get_window_property_pv(screen_window_t window, int property, void** values);
int screen_get_display_property_iv(screen_display_t display, int property, int* values);
int screen_get_display_property_pv(screen_display_t display, int property, void** values);
int screen_get_event_property_iv(screen_event_t event, int property, int* values);

#ifdef __cplusplus
}
#endif
