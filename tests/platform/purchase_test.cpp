// The in-app purchase engine against the simulated store: answers after the store's delay, the
// pending-request list, error mapping, restores, and the local emulation.
#include <gtest/gtest.h>

#include "fake_game.h"
#include "inapp_purchase.h"
#include "platform_services.h"
#include "temp_dir.h"

#include <bps/paymentservice.h>
#include <standin/standin.h>

namespace {

BaseInAppDef* Product(const char* id, const char* sku) {
  BaseInAppDef* def = new BaseInAppDef();
  def->m_strProductId = id;
  def->m_bEnabled = 1;
  def->m_strStoreId3 = sku;
  return def;
}

class PurchaseTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(root.ok());
    g_fakeLog.clear();
    g_requests.RemoveAll();
    StartRun();
  }
  void TearDown() override {
    delete engine;
    g_pGame = nullptr;
    bps_shutdown();
    g_requests.RemoveAll();
  }

  // A fresh program run in the same runtime root: new platform state, a new engine.
  void StartRun() {
    delete engine;
    standin::Config config;
    config.backend = standin::Backend::Headless;
    standin::Configure(config);
    bps_initialize();
    g_pGame = &game;
    engine = new CInAppPurchaseEngine(&game);
    ASSERT_TRUE(engine->Init());
    engine->AddShopItem(Product("0_99", "sku.small"));
    engine->AddShopItem(Product("1_99", "sku.medium"));
    engine->ShopListComplete();
  }

  void StoreAnswers(const char* rule) {
    standin::JournalEvent e;
    ASSERT_EQ(standin::ParseJournalLine(std::string("0 store ") + rule, &e, nullptr),
              standin::LineResult::Event);
    standin::Post(e);
  }

  // Runs frames of the event loop, handing payment events to the engine's handler.
  void Frames(int n) {
    for (int i = 0; i < n; ++i)
      for (;;) {
        bps_event_t* event = nullptr;
        ASSERT_EQ(bps_get_event(&event, 0), BPS_SUCCESS);
        if (!event) break;
        if (bps_event_get_domain(event) == paymentservice_get_domain()) handlePaymentEvent(event);
      }
  }

  std::vector<std::string> PendingSkus() {
    std::vector<std::string> out;
    for (int i = 0; i < g_requests.GetSize(); ++i)
      out.push_back(g_requests.GetAt(i).sku);
    return out;
  }

  ScopedTempDir root;
  FakeGame game;
  CInAppPurchaseEngine* engine = nullptr;
};

using Log = std::vector<std::string>;

TEST_F(PurchaseTest, PurchaseIsAnsweredAfterTheDelayAndFoundByALaterRestore) {
  StoreAnswers("purchase success 5");
  BaseInAppDef* medium = engine->Find_InAppDef_BasedOnId("1_99");
  ASSERT_NE(medium, nullptr);
  EXPECT_EQ(engine->Find_InAppDef_BasedOnPlatformId("sku.medium"), medium);
  EXPECT_EQ(engine->Find_InAppDef_BasedOnPlatformId("1_99"), nullptr);
  ASSERT_TRUE(engine->TryToPurchase(medium));
  EXPECT_EQ(PendingSkus(), Log{"sku.medium"});
  Frames(5);
  EXPECT_TRUE(g_fakeLog.empty());
  Frames(1);
  EXPECT_EQ(g_fakeLog, Log{"purchase sku.medium 0"});
  EXPECT_TRUE(PendingSkus().empty());

  StartRun();
  g_fakeLog.clear();
  ASSERT_TRUE(engine->TryToRestorePurchases());
  Frames(31);
  EXPECT_EQ(g_fakeLog, (Log{"purchase sku.medium 0", "restore finished"}));
}

TEST_F(PurchaseTest, AnswersInReverseOrderEachRemoveOnlyTheirOwnRequest) {
  StoreAnswers("purchase success 10");
  ASSERT_TRUE(engine->TryToPurchase(engine->Find_InAppDef_BasedOnId("0_99")));
  StoreAnswers("purchase cancel 3");
  ASSERT_TRUE(engine->TryToPurchase(engine->Find_InAppDef_BasedOnId("1_99")));
  EXPECT_EQ(PendingSkus(), (Log{"sku.small", "sku.medium"}));
  Frames(4);
  EXPECT_EQ(g_fakeLog, Log{"purchase sku.medium 1"});
  EXPECT_EQ(PendingSkus(), Log{"sku.small"});
  Frames(7);
  EXPECT_EQ(g_fakeLog, (Log{"purchase sku.medium 1", "purchase sku.small 0"}));
  EXPECT_TRUE(PendingSkus().empty());
}

struct ErrorCase {
  int errorId;
  int result;
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << "error id " << c.errorId; }

class PurchaseError : public PurchaseTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(PurchaseError, IsReportedWithItsResultCodeForThePendingSku) {
  StoreAnswers(("purchase error 2 " + std::to_string(GetParam().errorId) + " Declined").c_str());
  ASSERT_TRUE(engine->TryToPurchase(engine->Find_InAppDef_BasedOnId("0_99")));
  testing::internal::CaptureStderr();
  Frames(3);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(g_fakeLog, Log{"purchase sku.small " + std::to_string(GetParam().result)});
  EXPECT_NE(
      err.find("Payment System error: ID: " + std::to_string(GetParam().errorId) + "  Text: Declined\n"),
      std::string::npos)
      << err;
  EXPECT_TRUE(PendingSkus().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, PurchaseError,
                         ::testing::Values(ErrorCase{1, 1}, ErrorCase{5, 0}, ErrorCase{3, 2},
                                           ErrorCase{0, 2}));

TEST_F(PurchaseTest, AnswerForARequestNotPendingStillReportsSuccessOnly) {
  StoreAnswers("purchase success 10");
  ASSERT_TRUE(engine->TryToPurchase(engine->Find_InAppDef_BasedOnId("0_99")));
  // Requests made behind the engine's back are not in its pending list.
  unsigned id = 0;
  StoreAnswers("purchase success 2");
  ASSERT_EQ(paymentservice_purchase_request(nullptr, "sku.other", nullptr, nullptr, nullptr, nullptr,
                                            g_window_group_name, &id),
            BPS_SUCCESS);
  StoreAnswers("purchase cancel 2");
  ASSERT_EQ(paymentservice_purchase_request(nullptr, "sku.lost", nullptr, nullptr, nullptr, nullptr,
                                            g_window_group_name, &id),
            BPS_SUCCESS);
  testing::internal::CaptureStderr();
  Frames(3);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(g_fakeLog, Log{"purchase sku.other 0"});
  EXPECT_EQ(PendingSkus(), Log{"sku.small"});
}

TEST_F(PurchaseTest, ProductWithoutPlatformSkuCannotBeBought) {
  BaseInAppDef* bare = Product("9_99", "");
  engine->AddShopItem(bare);
  EXPECT_FALSE(engine->TryToPurchase(bare));
  Frames(40);
  EXPECT_TRUE(g_fakeLog.empty());
  EXPECT_TRUE(PendingSkus().empty());
}

TEST_F(PurchaseTest, FailedRestoreStillFinishes) {
  StoreAnswers("purchase success 0");
  ASSERT_TRUE(engine->TryToPurchase(engine->Find_InAppDef_BasedOnId("0_99")));
  Frames(2);
  g_fakeLog.clear();
  StoreAnswers("restore error 2 3");
  ASSERT_TRUE(engine->TryToRestorePurchases());
  testing::internal::CaptureStderr();
  Frames(3);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(g_fakeLog, Log{"restore finished"});
  EXPECT_NE(err.find("Payment System error: ID: 3  Text: N/A\n"), std::string::npos) << err;
}

TEST_F(PurchaseTest, PendingRequestKeepsItsSkuWhenTheProductIsGone) {
  StoreAnswers("purchase cancel 2");
  ASSERT_TRUE(engine->TryToPurchase(engine->Find_InAppDef_BasedOnId("1_99")));
  engine->m_ShopItems.DeleteAll();
  testing::internal::CaptureStderr();
  Frames(3);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(g_fakeLog, Log{"purchase sku.medium 1"});
}

TEST_F(PurchaseTest, EmulationAnswersAfterFiveSecondsOfStepsWithoutTheStore) {
  engine->m_bEmulate = 1;
  engine->m_nEmulatedResult = 2;
  game.m_nFps = 60;
  ASSERT_TRUE(engine->TryToPurchase(engine->Find_InAppDef_BasedOnId("0_99")));
  for (int i = 0; i < 299; ++i)
    engine->RunProcess();
  EXPECT_TRUE(g_fakeLog.empty());
  engine->RunProcess();
  EXPECT_EQ(g_fakeLog, Log{"purchase sku.small 2"});

  ASSERT_TRUE(engine->TryToRestorePurchases());
  for (int i = 0; i < 300; ++i)
    engine->RunProcess();
  EXPECT_EQ(g_fakeLog, (Log{"purchase sku.small 2", "restore finished"}));
  Frames(40);
  EXPECT_EQ(g_fakeLog.size(), 2u);
  EXPECT_TRUE(PendingSkus().empty());
}

} // namespace
