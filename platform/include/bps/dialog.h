// Our stand-in for the system alert dialog: one message and buttons; dismissing it posts an event.
#pragma once

#include "bps/bps.h"

#include <stdbool.h>

enum {
  DIALOG_RESPONSE = 1,
};

typedef struct _dialog_instance* dialog_instance_t;

#ifdef __cplusplus
extern "C" {
#endif

int dialog_get_domain(void);
int dialog_request_events(int flags);
int dialog_create_alert(dialog_instance_t* dialog);
int dialog_set_alert_message_text(dialog_instance_t dialog, const char* text);
int dialog_add_button(dialog_instance_t dialog, const char* label, bool enabled, void* context, bool visible);
int dialog_show(dialog_instance_t dialog);
int dialog_destroy(dialog_instance_t dialog);

#ifdef __cplusplus
}
#endif
