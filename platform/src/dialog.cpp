// The alert dialog stand-in: the desktop shows a message box, headless prints the text; either
// way dismissing it posts the dialog's event.
#include "internal.h"

#include <bps/dialog.h>

#include <cstdio>

using namespace standin;
using namespace standin::detail;

struct _dialog_instance {
  std::string text;
  std::vector<std::string> buttons;
};

extern "C" {

int dialog_get_domain(void) { return kDialogDomain; }

int dialog_request_events(int /*flags*/) {
  S().dialogEvents = true;
  return BPS_SUCCESS;
}

int dialog_create_alert(dialog_instance_t* dialog) {
  if (!dialog) return BPS_FAILURE;
  *dialog = new _dialog_instance();
  return BPS_SUCCESS;
}

int dialog_set_alert_message_text(dialog_instance_t dialog, const char* text) {
  if (!dialog || !text) return BPS_FAILURE;
  dialog->text = text;
  return BPS_SUCCESS;
}

int dialog_add_button(dialog_instance_t dialog, const char* label, bool /*enabled*/, void* /*context*/,
                      bool /*visible*/) {
  if (!dialog || !label) return BPS_FAILURE;
  dialog->buttons.push_back(label);
  return BPS_SUCCESS;
}

int dialog_show(dialog_instance_t dialog) {
  if (!dialog) return BPS_FAILURE;
  State& s = S();
  if (s.config.backend == Backend::Desktop && s.backendOpen)
    desktop::ShowMessage(dialog->text);
  else
    fprintf(stderr, "dialog: %s\n", dialog->text.c_str());
  if (s.dialogEvents) Queue(MakeEvent(kDialogDomain, DIALOG_RESPONSE));
  return BPS_SUCCESS;
}

int dialog_destroy(dialog_instance_t dialog) {
  if (!dialog) return BPS_FAILURE;
  delete dialog;
  return BPS_SUCCESS;
}

} // extern "C"
