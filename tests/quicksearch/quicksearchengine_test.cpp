// The quick search engine on the host stand-in: it follows the host's
// announcements, coalesces bursts, never shows half an index to a search and
// can be destroyed while a build runs.

#include "quicksearch/quicksearchengine.h"

#include "eventwait.h"
#include "testrecords.h"

#include "host/services/exchangeclient.h"
#include "host/services/hostservices.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <atomic>
#include <functional>
#include <iterator>
#include <memory>
#include <thread>

namespace {

using LW::CQuickSearchEngine;
using LW::CQuickSearchMatch;
using testsupport::waitFor;

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
  ASSERT_TRUE(waitFor([&] { return engine.isReady(); }));
  EXPECT_EQ(engine.instrumentCount(), 50);
  EXPECT_GT(engine.indexBytes(), 0u);
  CQuickSearchMatch m;
  EXPECT_TRUE(engine.lookup("600001.SH", 0x1, &m));
  EXPECT_EQ(m.name, "代1号1");

  LW::CExchangeClient* client = LW::CExchangeClient::instance();
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"stock list", [client] { client->emitStockList(client->stockListMap(), 0); }},
      {"stock list change", [client] { client->emitStockListChange({"600000.SZ"}); }},
      {"new trading day", [] { mxservice::CHostServices::changeTradingDate("20300102"); }},
  };
  int g = 2;
  for (const auto& c : cases) {
    QSignalSpy changed(&engine, &CQuickSearchEngine::sigIndexChanged);
    install(generation(g, 40 + g));
    c.second();
    const QString expected = QStringLiteral("代%1").arg(g);
    ASSERT_TRUE(waitFor([&] {
      const auto rows = engine.search("600000", 5);
      return !rows.empty() && generationOf(rows[0]) == expected;
    })) << c.first;
    EXPECT_TRUE(waitFor([&] { return changed.count() >= 1; })) << c.first;
    EXPECT_EQ(engine.instrumentCount(), 40 + g) << c.first;
    EXPECT_FALSE(engine.lookup("600049.SH", 0x1, nullptr)) << c.first;
    ++g;
  }
}

TEST_F(QuickSearchEngineTest, rebuildsOnlyWhenWhatItReadsChanged) {
  install(generation(1, 50));
  CQuickSearchEngine engine;
  QSignalSpy changed(&engine, &CQuickSearchEngine::sigIndexChanged);
  ASSERT_TRUE(waitFor([&] { return engine.buildCount() == 1 && changed.count() == 1; }));
  // Each step changes one thing more of the installed data (on new
  // records, as the data centre gets them), and says whether the index must
  // follow: a price, or the same texts on new records, leave it; a name,
  // market, type, order or instrument more do not.
  using Change = std::function<void(mxservice::DataSet&)>;
  const std::pair<Change, bool> steps[] = {
      {[](mxservice::DataSet&) {}, false},
      {[](mxservice::DataSet& set) { set.instruments[3]->priceTick = 0.05; }, false},
      {[](mxservice::DataSet& set) { set.instruments[7]->name = "改名"; }, true},
      {[](mxservice::DataSet&) {}, false},
      {[](mxservice::DataSet& set) { set.instruments[8]->marketId = "SH"; }, true},
      {[](mxservice::DataSet& set) { set.instruments[7]->tradeType = 0x4; }, true},
      {[](mxservice::DataSet& set) { std::swap(set.instruments[1], set.instruments[2]); }, true},
      {[](mxservice::DataSet& set) {
         set.instruments.push_back(generation(1, 51).instruments[50]);
       },
       true},
  };
  int builds = 1;
  int upToDate = 0;
  for (std::size_t step = 0; step < std::size(steps); ++step) {
    mxservice::DataSet set = generation(1, 50);
    for (std::size_t k = 0; k <= step; ++k) steps[k].first(set);
    install(set);
    engine.rebuild();
    (steps[step].second ? builds : upToDate) += 1;
    ASSERT_TRUE(waitFor([&] {
      return engine.buildCount() + engine.upToDateCount() == builds + upToDate;
    })) << "step "
        << step;
    EXPECT_EQ(engine.buildCount(), builds) << "step " << step;
    EXPECT_TRUE(waitFor([&] { return changed.count() == builds; })) << "step " << step;
  }
  CQuickSearchMatch m;
  ASSERT_TRUE(engine.lookup("600007.SH", 0x4, &m));
  EXPECT_EQ(m.name, "改名");
  EXPECT_TRUE(engine.lookup("600008.SH", 0x1, nullptr));
  EXPECT_EQ(engine.instrumentCount(), 51);
}

TEST_F(QuickSearchEngineTest, aBurstOfRequestsCostsAtMostTwoBuildsAndTheLastDataWins) {
  install(generation(1, 2000));
  CQuickSearchEngine engine;
  ASSERT_TRUE(waitFor([&] { return engine.buildCount() == 1; }));
  // One build of this size outlasts the whole burst by far: the burst is one
  // running build plus one waiting request (seconds under ThreadSanitizer).
  install(generation(2, 30000));
  for (int i = 0; i < 100; ++i) engine.rebuild();
  ASSERT_TRUE(waitFor([&] { return engine.buildCount() >= 2; }, 60000));
  waitFor([] { return false; }, 300);  // whatever was queued runs
  EXPECT_LE(engine.buildCount(), 3);
  const auto rows = engine.search("600000", 1);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(generationOf(rows[0]), "代2");
}

TEST_F(QuickSearchEngineTest, searchesRacingRebuildsSeeWholeIndexes) {
  constexpr int kCount = 300;
  install(generation(0, kCount));
  CQuickSearchEngine engine;
  ASSERT_TRUE(waitFor([&] { return engine.isReady(); }));
  std::atomic<bool> stop{false};
  std::atomic<int> searches{0};
  std::atomic<int> torn{0};
  auto searcher = [&] {
    while (!stop.load()) {
      const auto rows = engine.search("6", 1000);
      bool whole = static_cast<int>(rows.size()) == kCount;
      for (const CQuickSearchMatch& m : rows)
        whole = whole && generationOf(m) == generationOf(rows[0]);
      if (!whole) ++torn;
      CQuickSearchMatch m;
      engine.lookup("600007.SH", 0x1, &m);
      ++searches;
    }
  };
  std::thread a(searcher), b(searcher);
  LW::CExchangeClient* client = LW::CExchangeClient::instance();
  for (int g = 1; g <= 15; ++g) {
    install(generation(g, kCount));
    client->emitStockList(client->stockListMap(), 0);
    waitFor([] { return false; }, 10);
  }
  const bool caughtUp = waitFor([&] {
    const auto rows = engine.search("600000", 1);
    return !rows.empty() && generationOf(rows[0]) == "代15";
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
  for (int delay : {0, 1, 5, 20}) {
    int delivered = 0;
    QObject receiver;
    {
      CQuickSearchEngine engine;
      QObject::connect(&engine, &CQuickSearchEngine::sigIndexChanged, &receiver,
                       [&delivered] { ++delivered; });
      engine.rebuild();
      std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    }
    waitFor([] { return false; }, 50);  // nothing queued before arrives
    EXPECT_EQ(delivered, 0) << "destroyed after " << delay << " ms";
  }
}

}  // namespace
