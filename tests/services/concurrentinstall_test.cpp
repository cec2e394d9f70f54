// Readers on worker threads while the host replaces the data: every answer is
// one whole data set, never a mixture within one service.

#include "host/services/exchangeclient.h"
#include "host/services/hostservices.h"
#include "host/services/tradercenter.h"
#include "host/services/typemanager.h"
#include "host/services/usermanager.h"
#include "servicestestdata.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {
// A data set whose n stock instruments are all named after the generation.
mxservice::DataSet generation(int number, int size) {
  mxservice::DataSet set;
  for (int i = 0; i < size; ++i) {
    auto detail =
        servicestest::instrument(mxservice::NQ_TRADER_STOCK, "SH", std::to_string(600000 + i));
    detail->name = "gen" + std::to_string(number);
    set.instruments.push_back(detail);
  }
  set.enumNames["E"] = {{1, "gen" + std::to_string(number)}};
  set.config.userName = "gen" + std::to_string(number);
  return set;
}
}  // namespace

TEST(ConcurrentInstall, readersSeeWholeGenerationsWhileTheHostReplacesData) {
  mxservice::CHostServices::install(generation(0, 50));
  std::atomic<bool> stop{false};
  std::atomic<int> mixed{0};
  std::atomic<long> reads{0};
  std::vector<std::thread> readers;
  for (int r = 0; r < 3; ++r) {
    readers.emplace_back([&] {
      while (!stop) {
        auto list = mxservice::TraderCenter::instance()->getDataCenter()->getInstrumentsByTradeType(
            mxservice::NQ_TRADER_MIXED_ALL);
        for (const auto& detail : list) {
          if (detail->name != list.front()->name) ++mixed;
        }
        auto one = LW::CExchangeClient::instance()->getInstrument("SH", "600001");
        if (one && one->name.compare(0, 3, "gen") != 0) ++mixed;
        const std::string name =
            mxservice::TypeManager::instance()->getEnumItemName("E", 1, mxservice::NQ_TRADER_STOCK);
        if (name != "1" && name.compare(0, 3, "gen") != 0) ++mixed;
        LW::getUserConfig()->userName();
        auto account = mxservice::TraderCenter::instance()->getDataCenter()->getAccountData("");
        if (account) account->orderCommands();
        ++reads;
      }
    });
  }
  for (int g = 1; g <= 30; ++g) mxservice::CHostServices::install(generation(g, 50 + g));
  mxservice::CHostServices::reset();
  stop = true;
  for (auto& reader : readers) reader.join();
  EXPECT_EQ(mixed.load(), 0);
  EXPECT_GT(reads.load(), 0);
}
