// The in-app purchase engine over the payment service: requests, their pending list, the answers
// as payment events, and the local emulation that answers by itself after a delay.
#include "inapp_purchase.h"

#include "game_base.h"
#include "platform_services.h"

#include <bps/paymentservice.h>

#include <cstdio>
#include <cstring>

the_requests g_requests;

bool the_requests::Add(const char* sku, unsigned requestId) {
  char* copy = strdup(sku ? sku : "");
  if (!copy) return false;
  int before = m_Pairs.GetSize();
  m_Pairs.Add({copy, requestId});
  if (m_Pairs.GetSize() == before) {
    free(copy);
    return false;
  }
  return true;
}

int the_requests::FindLast(unsigned requestId) const {
  for (int i = m_Pairs.GetSize() - 1; i >= 0; --i)
    if (m_Pairs.GetAt(i).requestId == requestId) return i;
  return -1;
}

void the_requests::RemoveAt(int index) {
  if (index < 0 || index >= m_Pairs.GetSize()) return;
  free(m_Pairs.GetAt(index).sku);
  m_Pairs.RemoveAt(index);
}

void the_requests::RemoveAll() {
  for (int i = 0; i < m_Pairs.GetSize(); ++i)
    free(m_Pairs.GetAt(i).sku);
  m_Pairs.RemoveAll();
}

CInAppPurchaseEngine::CInAppPurchaseEngine(CGameBase* game) : m_pGame(game) {}

CInAppPurchaseEngine::~CInAppPurchaseEngine() {
  Destroy_OS_Specific();
  m_ShopItems.DeleteAll();
}

bool CInAppPurchaseEngine::Init() {
  if (!PostConstruct_OS_Specific()) return false;
  m_bInitialized = 1;
  return true;
}

bool CInAppPurchaseEngine::AddShopItem(BaseInAppDef* item) {
  int before = m_ShopItems.GetSize();
  m_ShopItems.Add(item);
  if (m_ShopItems.GetSize() == before) delete item; // the list could not grow
  return true;
}

void CInAppPurchaseEngine::ShopListComplete() { ShopListComplete_OS_Specific(); }

bool CInAppPurchaseEngine::TryToPurchase(BaseInAppDef* item) {
  if (m_bEmulate) {
    m_pPendingPurchase = item;
    m_nWaitFrames = 0;
    return true;
  }
  return TryToPurchase_OS_Specific(item);
}

bool CInAppPurchaseEngine::TryToRestorePurchases() {
  if (m_bEmulate) {
    m_bPendingRestore = 1;
    m_nWaitFrames = 0;
    return true;
  }
  return TryToRestorePurchases_OS_Specific();
}

void CInAppPurchaseEngine::RunProcess() {
  if (!m_bEmulate) {
    RunProcess_OS_Specific();
    return;
  }
  if ((!m_pPendingPurchase && !m_bPendingRestore) || !m_pGame) return;
  if (++m_nWaitFrames < 5 * m_pGame->m_nFps) return;
  if (m_pPendingPurchase)
    m_pGame->OnInAppPurchaseResult(m_pPendingPurchase->m_strStoreId3, m_nEmulatedResult);
  else
    m_pGame->OnInAppPurchasesRestoreFinished();
  m_pPendingPurchase = nullptr;
  m_bPendingRestore = 0;
  m_nWaitFrames = 0;
}

BaseInAppDef* CInAppPurchaseEngine::Find_InAppDef_BasedOnId(const char* id) {
  for (int i = 0; i < m_ShopItems.GetSize(); ++i)
    if (m_ShopItems[i]->m_strProductId.IsEqual(id)) return m_ShopItems[i];
  return nullptr;
}

BaseInAppDef* CInAppPurchaseEngine::Find_InAppDef_BasedOnPlatformId(const char* id) {
  for (int i = 0; i < m_ShopItems.GetSize(); ++i)
    if (m_ShopItems[i]->m_strStoreId3.IsEqual(id)) return m_ShopItems[i];
  return nullptr;
}

bool CInAppPurchaseEngine::PostConstruct_OS_Specific() {
  if (paymentservice_request_events(0) != BPS_SUCCESS) {
    fprintf(stderr, "paymentservice_request_events failed\n");
    return false;
  }
  paymentservice_set_connection_mode(m_bEmulate != 0);
  return true;
}

bool CInAppPurchaseEngine::TryToPurchase_OS_Specific(BaseInAppDef* item) {
  if (!item || item->m_strStoreId3.IsEmpty()) return false;
  unsigned requestId = 0;
  if (paymentservice_purchase_request(nullptr, item->m_strStoreId3.c_str(), nullptr, nullptr, nullptr,
                                      nullptr, g_window_group_name, &requestId) != BPS_SUCCESS) {
    fprintf(stderr, "Error: RequestPurchase failed.\n");
    return false;
  }
  g_requests.Add(item->m_strStoreId3.c_str(), requestId);
  return true;
}

bool CInAppPurchaseEngine::TryToRestorePurchases_OS_Specific() {
  unsigned requestId = 0;
  if (paymentservice_get_existing_purchases_request(true, g_window_group_name, &requestId) != BPS_SUCCESS) {
    fprintf(stderr, "Error: GetExistingPurchases failed.\n");
    return false;
  }
  return true;
}

namespace {

void PrintPaymentError(bps_event_t* event) {
  const char* text = paymentservice_event_get_error_text(event);
  fprintf(stderr, "Payment System error: ID: %d  Text: %s\n", paymentservice_event_get_error_id(event),
          text ? text : "N/A");
}

} // namespace

void handlePaymentEvent(bps_event_t* event) {
  if (!g_pGame || !event) return;
  int response = paymentservice_event_get_response_code(event);
  switch (bps_event_get_code(event)) {
  case GET_EXISTING_PURCHASES_RESPONSE:
    if (response == SUCCESS_RESPONSE) {
      int count = paymentservice_event_get_number_purchases(event);
      for (int i = 0; i < count; ++i) {
        int state = paymentservice_event_get_item_state(event, i);
        if (state == 0 || state == 1 || state == 4)
          g_pGame->OnInAppPurchaseResult(CommonString(paymentservice_event_get_digital_good_sku(event, i)),
                                         0);
      }
    } else {
      PrintPaymentError(event);
    }
    g_pGame->OnInAppPurchasesRestoreFinished();
    break;
  case PURCHASE_RESPONSE: {
    unsigned requestId = paymentservice_event_get_request_id(event);
    if (response == SUCCESS_RESPONSE) {
      g_pGame->OnInAppPurchaseResult(CommonString(paymentservice_event_get_digital_good_sku(event, 0)), 0);
      g_requests.RemoveAt(g_requests.FindLast(requestId));
      break;
    }
    PrintPaymentError(event);
    int index = g_requests.FindLast(requestId);
    if (index < 0) break;
    const char* sku = g_requests.GetAt(index).sku;
    if (sku && *sku) {
      int errorId = paymentservice_event_get_error_id(event);
      g_pGame->OnInAppPurchaseResult(CommonString(sku), errorId == 1 ? 1 : errorId == 5 ? 0 : 2);
    }
    g_requests.RemoveAt(index);
    break;
  }
  default:
    break;
  }
}
