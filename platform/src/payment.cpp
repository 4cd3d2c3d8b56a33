// The payment service stand-in: a simulated store. Each request is answered after the delay the
// journal set (30 frames by default); bought SKUs are remembered in the runtime root so that a
// later restore finds them.
#include "internal.h"

#include <bps/paymentservice.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

using namespace standin;
using namespace standin::detail;

namespace {

const char* kStoreDir = "store";
const char* kStoreFile = "store/purchases.txt";

bool ValidSku(const std::string& sku) {
  if (sku.empty() || sku.size() > 256) return false;
  for (unsigned char c : sku)
    if (c <= ' ' || c >= 127) return false;
  return true;
}

// The remembered SKUs; a damaged file is reported once and read as empty.
std::vector<std::string> LoadPurchases() {
  std::vector<std::string> skus;
  std::ifstream in(kStoreFile);
  if (!in) return skus;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    if (!ValidSku(line)) {
      static bool reported = false;
      if (!reported) fprintf(stderr, "store: ignoring damaged %s\n", kStoreFile);
      reported = true;
      return {};
    }
    if (std::find(skus.begin(), skus.end(), line) == skus.end()) skus.push_back(line);
  }
  return skus;
}

void RememberPurchase(const std::string& sku) {
  std::vector<std::string> skus = LoadPurchases();
  if (std::find(skus.begin(), skus.end(), sku) != skus.end()) return;
  skus.push_back(sku);
  std::string text;
  for (const std::string& s : skus)
    text += s + "\n";
  mkdir(kStoreDir, 0755);
  std::string error;
  if (!WriteFileAtomically(kStoreFile, text, &error)) fprintf(stderr, "store: %s\n", error.c_str());
}

void ApplyFailure(const StoreRule& rule, bps_event_t* e) {
  e->response = FAILURE_RESPONSE;
  if (rule.outcome == JournalEvent::Outcome::Cancel) {
    e->errorId = PAYMENTSERVICE_ERROR_USER_CANCELLED;
    e->errorText = "User cancelled the purchase";
    e->hasErrorText = true;
  } else {
    e->errorId = rule.errorId;
    e->errorText = rule.errorText;
    e->hasErrorText = !rule.errorText.empty();
  }
}

unsigned Schedule(const StoreRule& rule, bps_event_t event, const std::string& boughtSku) {
  State& s = S();
  PendingAnswer a;
  a.dueFrame = s.frame + rule.delayFrames;
  a.event = std::move(event);
  a.event.requestId = s.nextRequestId++;
  a.boughtSku = boughtSku;
  unsigned id = a.event.requestId;
  s.answers.push_back(std::move(a));
  return id;
}

} // namespace

namespace standin {
namespace detail {

void StoreApplyRule(const JournalEvent& event) {
  StoreRule& rule = event.kind == JournalEvent::Kind::StorePurchase ? S().purchaseRule : S().restoreRule;
  rule.outcome = event.outcome;
  rule.delayFrames = event.delayFrames;
  rule.errorId = event.errorId;
  rule.errorText = event.errorText;
}

void StoreDeliverDue() {
  State& s = S();
  // Answers stay in request order among those due at the same frame.
  for (size_t i = 0; i < s.answers.size();) {
    if (s.answers[i].dueFrame > s.frame) {
      ++i;
      continue;
    }
    PendingAnswer a = std::move(s.answers[i]);
    s.answers.erase(s.answers.begin() + (long)i);
    if (!a.boughtSku.empty()) RememberPurchase(a.boughtSku);
    if (a.event.code == GET_EXISTING_PURCHASES_RESPONSE && a.event.response == SUCCESS_RESPONSE)
      for (const std::string& sku : LoadPurchases())
        a.event.items.emplace_back(sku, PAYMENTSERVICE_ITEM_OWNED);
    if (s.paymentEvents) Queue(std::move(a.event));
  }
}

} // namespace detail
} // namespace standin

extern "C" {

int paymentservice_get_domain(void) { return kPaymentDomain; }

int paymentservice_request_events(int /*flags*/) {
  S().paymentEvents = true;
  return BPS_SUCCESS;
}

int paymentservice_stop_events(int /*flags*/) {
  S().paymentEvents = false;
  return BPS_SUCCESS;
}

int paymentservice_set_connection_mode(bool local) {
  S().localConnection = local;
  return BPS_SUCCESS;
}

int paymentservice_purchase_request(const char* digital_good_id, const char* digital_good_sku,
                                    const char* /*digital_good_name*/, const char* /*metadata*/,
                                    const char* /*purchase_app_name*/, const char* /*purchase_app_icon*/,
                                    const char* group_id, unsigned* request_id) {
  if (!request_id || !group_id || !*group_id) return BPS_FAILURE;
  std::string sku = digital_good_sku ? digital_good_sku : "";
  if (sku.empty() && digital_good_id) sku = digital_good_id;
  if (!ValidSku(sku)) return BPS_FAILURE;
  const StoreRule& rule = S().purchaseRule;
  bps_event_t e = MakeEvent(kPaymentDomain, PURCHASE_RESPONSE);
  std::string bought;
  if (rule.outcome == JournalEvent::Outcome::Success) {
    e.response = SUCCESS_RESPONSE;
    e.items.emplace_back(sku, PAYMENTSERVICE_ITEM_OWNED);
    bought = sku;
  } else {
    ApplyFailure(rule, &e);
  }
  *request_id = Schedule(rule, std::move(e), bought);
  return BPS_SUCCESS;
}

int paymentservice_get_existing_purchases_request(bool /*allow_refresh*/, const char* group_id,
                                                  unsigned* request_id) {
  if (!request_id || !group_id || !*group_id) return BPS_FAILURE;
  const StoreRule& rule = S().restoreRule;
  bps_event_t e = MakeEvent(kPaymentDomain, GET_EXISTING_PURCHASES_RESPONSE);
  if (rule.outcome == JournalEvent::Outcome::Success)
    e.response = SUCCESS_RESPONSE; // the items are read when the answer is delivered
  else
    ApplyFailure(rule, &e);
  *request_id = Schedule(rule, std::move(e), "");
  return BPS_SUCCESS;
}

int paymentservice_event_get_response_code(bps_event_t* event) {
  return event && event->domain == kPaymentDomain ? event->response : FAILURE_RESPONSE;
}

unsigned paymentservice_event_get_request_id(bps_event_t* event) { return event ? event->requestId : 0; }

int paymentservice_event_get_number_purchases(bps_event_t* event) {
  return event ? (int)event->items.size() : 0;
}

const char* paymentservice_event_get_digital_good_sku(bps_event_t* event, int index) {
  if (!event || index < 0 || index >= (int)event->items.size()) return nullptr;
  return event->items[(size_t)index].first.c_str();
}

int paymentservice_event_get_item_state(bps_event_t* event, int index) {
  if (!event || index < 0 || index >= (int)event->items.size()) return -1;
  return event->items[(size_t)index].second;
}

int paymentservice_event_get_error_id(bps_event_t* event) { return event ? event->errorId : 0; }

const char* paymentservice_event_get_error_text(bps_event_t* event) {
  return event && event->hasErrorText ? event->errorText.c_str() : nullptr;
}

} // extern "C"
