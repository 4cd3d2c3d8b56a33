// Our stand-in for the payment service: a simulated store that answers purchase and restore
// requests with events after a delay and remembers what was bought.
#pragma once

#include "bps/bps.h"

#include <stdbool.h>

enum {
  PURCHASE_RESPONSE = 0,
  GET_EXISTING_PURCHASES_RESPONSE = 1,
};

enum {
  SUCCESS_RESPONSE = 0,
  FAILURE_RESPONSE = 1,
};

// Error ids of a failed answer.
enum {
  PAYMENTSERVICE_ERROR_USER_CANCELLED = 1,
  PAYMENTSERVICE_ERROR_SYSTEM_BUSY = 2,
  PAYMENTSERVICE_ERROR_PAYMENT_SYSTEM = 3,
  PAYMENTSERVICE_ERROR_ALREADY_PURCHASED = 5,
};

// States of a purchased item in an existing-purchases answer.
enum {
  PAYMENTSERVICE_ITEM_OWNED = 0,
  PAYMENTSERVICE_ITEM_SUBSCRIBED = 1,
  PAYMENTSERVICE_ITEM_CANCELLED = 2,
  PAYMENTSERVICE_ITEM_REFUNDED = 3,
  PAYMENTSERVICE_ITEM_RENEWED = 4,
};

#ifdef __cplusplus
extern "C" {
#endif

int paymentservice_get_domain(void);
int paymentservice_request_events(int flags);
int paymentservice_stop_events(int flags);
// true: local test mode (no real money); the simulated store answers the same either way.
int paymentservice_set_connection_mode(bool local);
int paymentservice_purchase_request(const char* digital_good_id, const char* digital_good_sku,
                                    const char* digital_good_name, const char* metadata,
                                    const char* purchase_app_name, const char* purchase_app_icon,
                                    const char* group_id, unsigned* request_id);
int paymentservice_get_existing_purchases_request(bool allow_refresh, const char* group_id,
                                                  unsigned* request_id);

int paymentservice_event_get_response_code(bps_event_t* event);
unsigned paymentservice_event_get_request_id(bps_event_t* event);
int paymentservice_event_get_number_purchases(bps_event_t* event);
// Null for an index out of range.
const char* paymentservice_event_get_digital_good_sku(bps_event_t* event, int index);
int paymentservice_event_get_item_state(bps_event_t* event, int index);
int paymentservice_event_get_error_id(bps_event_t* event);
// Null when the answer carries no text.
const char* paymentservice_event_get_error_text(bps_event_t* event);

#ifdef __cplusplus
}
#endif
