// The quick search engine on the host stand-in: it builds at once, follows
// the exchange client's announcements, coalesces bursts, never shows a
// search half an index, and can be destroyed while a build runs.

#include "quicksearch/quicksearchengine.h"

#include "eventwait.h"
#include "testrecords.h"

#include "host/services/exchangeclient.h"
#include "host/services/hostservices.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <atomic>
#include <memory>
#include <thread>

namespace {

using LW::CQuickSearchEngine;
using LW::CQuickSearchMatch;

// count instruments of generation g: codes 600000.., names "代<g>号<i>".
mxservice::DataSet generation(int g, int count) {
  mxservice::DataSet set;
  for (int i = 0; i < count; ++i) {
    set.instruments.push_back(testsupport::instrument(
        i % 3 == 0 ? 0x2 : 0x1, i % 2 ? "SH" : "SZ", std::to_string(600000 + i),
        "代" + std::to_string(g) + "号" + std::to_string(i)));
  }
  return set;
}

QString generationOf(const CQuickSearchMatch& m) { return m.name.section(QChar(0x53F7), 0, 0); }

class QuickSearchEngineTest : public testsupport::HostFixture {};

TEST_F(QuickSearchEngineTest, followsEveryAnnouncementOfTheHost) {
  install(generation(1, 50));
  CQuickSearchEngine engine;
  ASSERT_TRUE(testsupport::waitFor([&] { return engine.isReady(); }));
  EXPECT_EQ(engine.instrumentCount(), 50);
  EXPECT_TRUE(engine.indexBytes() > 0);
  CQuickSearchMatch m;
  EXPECT_TRUE(engine.lookup(QStringLiteral("600001.SH"), 0x1, &m));
  EXPECT_EQ(m.name, QString::fromUtf8("代1号1"));

  struct Case {
    const char* announcement;
    std::function<void()> announce;
  } cases[] = {
      {"stock list",
       [] {
         LW::CExchangeClient* client = LW::CExchangeClient::instance();
         client->emitStockList(client->stockListMap(), 0);
       }},
      {"stock list change",
       [] { LW::CExchangeClient::instance()->emitStockListChange({"600000.SZ"}); }},
      {"new trading day", [] { mxservice::CHostServices::changeTradingDate("20300102"); }},
  };
  int g = 2;
  for (const Case& c : cases) {
    QSignalSpy changed(&engine, &CQuickSearchEngine::sigIndexChanged);
    install(generation(g, 40 + g));
    c.announce();
    const QString expected = QString::fromUtf8("代%1").arg(g);
    ASSERT_TRUE(testsupport::waitFor([&] {
      const auto rows = engine.search(QStringLiteral("600000"), 5);
      return !rows.empty() && generationOf(rows[0]) == expected;
    })) << c.announcement;
    EXPECT_TRUE(testsupport::waitFor([&] { return changed.count() >= 1; })) << c.announcement;
    EXPECT_EQ(engine.instrumentCount(), 40 + g) << c.announcement;
    EXPECT_FALSE(engine.lookup(QStringLiteral("600049.SH"), 0x1, nullptr)) << c.announcement;
    ++g;
  }
}

TEST_F(QuickSearchEngineTest, aBurstOfRequestsCostsAtMostTwoBuildsAndTheLastDataWins) {
  install(generation(1, 2000));
  CQuickSearchEngine engine;
  ASSERT_TRUE(testsupport::waitFor([&] { return engine.buildCount() == 1; }));
  // Large enough that one build outlasts the whole burst by far, even under
  // a sanitizer on a loaded machine: the burst is then one running build
  // plus one waiting request.
  install(generation(2, 30000));
  for (int i = 0; i < 100; ++i) engine.rebuild();
  // A build of this size takes seconds under ThreadSanitizer.
  ASSERT_TRUE(testsupport::waitFor([&] { return engine.buildCount() >= 2; }, 60000));
  // Whatever was still queued has had time to run.
  testsupport::waitFor([] { return false; }, 300);
  EXPECT_LE(engine.buildCount(), 3);
  const auto rows = engine.search(QStringLiteral("600000"), 1);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(generationOf(rows[0]), QString::fromUtf8("代2"));
}

TEST_F(QuickSearchEngineTest, searchesRacingRebuildsSeeWholeIndexes) {
  constexpr int kCount = 300;
  install(generation(0, kCount));
  CQuickSearchEngine engine;
  ASSERT_TRUE(testsupport::waitFor([&] { return engine.isReady(); }));
  std::atomic<bool> stop{false};
  std::atomic<int> searches{0};
  std::atomic<int> torn{0};
  auto searcher = [&] {
    while (!stop.load()) {
      const auto rows = engine.search(QStringLiteral("6"), 1000);
      bool whole = static_cast<int>(rows.size()) == kCount;
      for (const CQuickSearchMatch& m : rows)
        whole = whole && generationOf(m) == generationOf(rows[0]);
      if (!whole) ++torn;
      CQuickSearchMatch m;
      engine.lookup(QStringLiteral("600007.SH"), 0x1, &m);
      ++searches;
    }
  };
  std::thread a(searcher);
  std::thread b(searcher);
  for (int g = 1; g <= 15; ++g) {
    install(generation(g, kCount));
    LW::CExchangeClient* client = LW::CExchangeClient::instance();
    client->emitStockList(client->stockListMap(), 0);
    testsupport::waitFor([] { return false; }, 10);
  }
  const QString last = QString::fromUtf8("代15");
  const bool caughtUp = testsupport::waitFor([&] {
    const auto rows = engine.search(QStringLiteral("600000"), 1);
    return !rows.empty() && generationOf(rows[0]) == last;
  });
  stop = true;
  a.join();
  b.join();
  EXPECT_TRUE(caughtUp);
  EXPECT_GT(searches.load(), 0);
  EXPECT_EQ(torn.load(), 0);
}

TEST_F(QuickSearchEngineTest, destroyedWhileBuildingReachesNothing) {
  install(generation(1, 100000));
  const int delaysMs[] = {0, 1, 5, 20};
  for (int delay : delaysMs) {
    int delivered = 0;
    QObject receiver;
    {
      CQuickSearchEngine engine;
      QObject::connect(&engine, &CQuickSearchEngine::sigIndexChanged, &receiver,
                       [&delivered] { ++delivered; });
      engine.rebuild();
      std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    }
    // A delivery queued before the destructor must not arrive.
    testsupport::waitFor([] { return false; }, 50);
    EXPECT_EQ(delivered, 0) << "destroyed after " << delay << " ms";
  }
}

}  // namespace
