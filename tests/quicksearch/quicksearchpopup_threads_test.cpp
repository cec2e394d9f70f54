// The quick search popup destroyed while its own or the caller's engine
// builds on a worker, and a popup outliving the engine it was given.
#include "quicksearch/quicksearchengine.h"
#include "quicksearch/quicksearchpopup.h"

#include "eventwait.h"
#include "testrecords.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

using LW::CQuickSearchEngine;
using LW::CQuickSearchPopup;
using testsupport::waitFor;

constexpr int kStock = mxservice::NQ_TRADER_STOCK;

// Enough instruments that a build is still running when the popup goes.
class QuickSearchPopupLifetimeTest : public testsupport::HostFixture {
protected:
  void SetUp() override {
    HostFixture::SetUp();
    mxservice::DataSet set;
    for (int i = 0; i < 20000; ++i)
      set.instruments.push_back(testsupport::instrument(kStock, i % 2 ? "SH" : "SZ",
                                                        std::to_string(100000 + i), "平安银行"));
    install(std::move(set));
  }
};

TEST_F(QuickSearchPopupLifetimeTest, destroyedWhileItsOwnEngineBuilds) {
  for (int round = 0; round < 5; ++round) {
    auto popup = std::make_unique<CQuickSearchPopup>();
    ASSERT_NE(popup->engine(), nullptr);
    popup->openWithText("pa");
    popup.reset();
  }
  QTest::qWait(50);  // whatever the builds still post finds nothing
  QCoreApplication::sendPostedEvents();
}

TEST_F(QuickSearchPopupLifetimeTest, destroyedWhileTheCallersEngineBuilds) {
  CQuickSearchEngine engine;
  QSignalSpy published(&engine, &CQuickSearchEngine::sigIndexChanged);
  {
    CQuickSearchPopup popup(&engine);
    popup.openWithText("pa");
    engine.rebuild();
  }
  ASSERT_TRUE(waitFor([&] { return engine.isReady() && !published.isEmpty(); }, 20000));
  EXPECT_FALSE(engine.search("pa", 5).empty());
}

TEST_F(QuickSearchPopupLifetimeTest, outlivesTheCallersEngine) {
  auto engine = std::make_unique<CQuickSearchEngine>();
  CQuickSearchPopup popup(engine.get());
  popup.setRecentPicks({"100001.SH|1"});
  engine.reset();
  EXPECT_EQ(popup.engine(), nullptr);
  popup.openWithText("pa");
  EXPECT_EQ(popup.rowCount(), 0);
  popup.closePopup();
  popup.openWithText("");  // the recent list
  EXPECT_EQ(popup.rowCount(), 0);
  EXPECT_EQ(popup.recentPicks(), QStringList{"100001.SH|1"});
}

}  // namespace
