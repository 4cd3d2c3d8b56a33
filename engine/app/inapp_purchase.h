// The in-app purchase engine: the game's products and the front end for buying and restoring
// them through the platform's payment service, with results reported to the application object.
#pragma once

#include "common_string.h"
#include "quellar_array.h"
#include "quellar_types.h"

#include <bps/bps.h>

class CGameBase;

class BaseInAppDef {
public:
  virtual ~BaseInAppDef() {}

  CommonString m_strProductId;
  u8 m_bEnabled = 0;
  CommonString m_strStoreId1;
  CommonString m_strStoreId2;
  // The SKU of this platform's store: sent with a purchase and reported back in its result.
  CommonString m_strStoreId3;
  CommonString m_strStoreId4;
};

// A store request in flight. The SKU is the engine's own copy, so a product deleted while its
// request is pending leaves nothing dangling.
struct the_sku_request_pair {
  char* sku;
  unsigned requestId;
};

class the_requests {
public:
  the_requests() : m_Pairs(1) {}
  ~the_requests() { RemoveAll(); }
  // Copies the SKU; answers false (nothing recorded) when memory runs out.
  bool Add(const char* sku, unsigned requestId);
  // The index of the last pair with this request id, or -1.
  int FindLast(unsigned requestId) const;
  void RemoveAt(int index);
  void RemoveAll();
  int GetSize() const { return m_Pairs.GetSize(); }
  the_sku_request_pair GetAt(int index) const { return m_Pairs.GetAt(index); }

private:
  CQuellarArray<the_sku_request_pair> m_Pairs;
};

extern the_requests g_requests;

class CInAppPurchaseEngine {
public:
  explicit CInAppPurchaseEngine(CGameBase* game);
  virtual ~CInAppPurchaseEngine();

  bool Init();
  // Takes ownership of the product.
  bool AddShopItem(BaseInAppDef* item);
  void ShopListComplete();
  bool TryToPurchase(BaseInAppDef* item);
  bool TryToRestorePurchases();
  // Once per logic step.
  void RunProcess();
  BaseInAppDef* Find_InAppDef_BasedOnId(const char* id);
  BaseInAppDef* Find_InAppDef_BasedOnPlatformId(const char* id);

  u8 m_bEmulate = 0;
  int m_nEmulatedResult = 0;
  CGameBase* m_pGame;
  CQuellarObjPtrArray<BaseInAppDef*> m_ShopItems{1};
  BaseInAppDef* m_pPendingPurchase = nullptr;
  u8 m_bPendingRestore = 0;
  u8 m_bInitialized = 0;
  int m_nWaitFrames = 0;

protected:
  bool PostConstruct_OS_Specific();
  bool TryToPurchase_OS_Specific(BaseInAppDef* item);
  bool TryToRestorePurchases_OS_Specific();
  void RunProcess_OS_Specific() {}
  void ShopListComplete_OS_Specific() {}
  void Destroy_OS_Specific() {}
};

// The platform loop's handler for payment-service events.
void handlePaymentEvent(bps_event_t* event);
