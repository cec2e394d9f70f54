// The exchange client's lookups and its signals, connected the way the panels
// connect them (string-based, direct and queued).

#include "host/services/exchangeclient.h"
#include "host/core/singleton.h"
#include "servicestestdata.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QThread>
#include <string>
#include <thread>
#include <vector>

#include "exchangereceiver.h"

using LW::CExchangeClient;
using servicestest::instrument;

TEST(ExchangeClient, looksUpInstrumentsByMarketAndCodeOrStockKey) {
  CExchangeClient client;
  auto stock = instrument(1, "SH", "600000");
  auto credit = instrument(8, "SH", "600000");
  client.setInstruments({stock, mxservice::CInstrumentDetailPtr(), credit});
  EXPECT_EQ(client.getInstrument("SH", "600000"), stock);  // the first in data-set order
  EXPECT_EQ(client.getInstrument(QStringLiteral("600000.SH")), stock);
  EXPECT_FALSE(client.getInstrument("SZ", "600000"));
  EXPECT_FALSE(client.getInstrument(QStringLiteral("600000")));
  EXPECT_FALSE(client.getInstrument(QString()));
  EXPECT_EQ(client.stockListMap().size(), 1);
}

// Lookups go by the key text "code.market": parts whose dots make the same
// text are one key, and the first instrument in data-set order answers for it,
// also among thousands of keys; the stock list map has one entry per key text.
TEST(ExchangeClient, stockKeyTextDecidesWhichInstrumentAnswers) {
  CExchangeClient client;
  std::vector<mxservice::CInstrumentDetailPtr> list = {
      instrument(1, "C", "A.B"),     instrument(1, "B.C", "A"),  // both "A.B.C"
      instrument(1, "SH", "600000"), instrument(2, "SH", "600000"), instrument(1, "", "X"),  // "X."
      instrument(1, "SZ", ""),  // ".SZ"
  };
  for (int i = 0; i < 5000; ++i) list.push_back(instrument(1, "SZ", std::to_string(100000 + i)));
  client.setInstruments(list);
  struct Lookup {
    const char* market;
    const char* code;
    int expected;  // index into list, -1 for none
  };
  const Lookup lookups[] = {
      {"C", "A.B", 0},  {"B.C", "A", 0},     {"SH", "600000", 2},     {"", "X", 4},
      {"SZ", "", 5},    {"SZ", "100000", 6}, {"SZ", "104999", 5005},  {"SZ", "105000", -1},
      {"B", "A.C", -1}, {"C", "A", -1},      {"SH", "600000.SH", -1},
  };
  for (const Lookup& l : lookups) {
    SCOPED_TRACE(std::string(l.code) + "." + l.market);
    const mxservice::CInstrumentDetailPtr expected =
        l.expected < 0 ? mxservice::CInstrumentDetailPtr() : list[l.expected];
    EXPECT_EQ(client.getInstrument(l.market, l.code), expected);
    EXPECT_EQ(client.getInstrument(QString::fromStdString(std::string(l.code) + "." + l.market)),
              expected);
  }
  const auto map = client.stockListMap();
  EXPECT_EQ(map.size(), 5004);
  EXPECT_EQ(map.value(QStringLiteral("A.B.C")), list[0]);
  EXPECT_EQ(map.value(QStringLiteral("600000.SH")), list[2]);
  EXPECT_EQ(map.value(QStringLiteral("104999.SZ")), list[5005]);
  // Replacing the content leaves no key of the previous one.
  client.setInstruments({list[3]});
  EXPECT_EQ(client.getInstrument("SH", "600000"), list[3]);
  EXPECT_FALSE(client.getInstrument("C", "A.B"));
}

TEST(ExchangeClient, exchangesAndTenderDetailsAreSharedRecords) {
  CExchangeClient client;
  client.setExchanges({servicestest::exchange("SH", "上海证券交易所")});
  auto bond = servicestest::bareTenderBond("2400123");
  client.setTenderBondInfoDetails({{bond->getKey(), bond}, {"TB.null", nullptr}});
  ASSERT_TRUE(client.getExchangeInfo("SH"));
  EXPECT_EQ(client.getExchangeInfo("SH")->name, "上海证券交易所");
  EXPECT_FALSE(client.getExchangeInfo("SZ"));
  auto details = client.getTenderBondInfoDetails();
  ASSERT_EQ(details.size(), 1u);
  EXPECT_EQ(details.begin()->second, bond);
  // The map is a copy: changing it leaves the client's own untouched.
  details.clear();
  EXPECT_EQ(client.getTenderBondInfoDetails().size(), 1u);
  // Replacing the instruments keeps the exchanges and tender details.
  client.setInstruments({instrument(1, "SH", "600000")});
  EXPECT_TRUE(client.getExchangeInfo("SH"));
  EXPECT_EQ(client.getTenderBondInfoDetails().size(), 1u);
  client.clear();
  EXPECT_FALSE(client.getExchangeInfo("SH"));
}

TEST(ExchangeClient, signalsConnectByTheirStringSignaturesDirectAndQueued) {
  CExchangeClient* client = CExchangeClient::instance();
  CExchangeReceiver direct;
  CExchangeReceiver queued;
  for (CExchangeReceiver* receiver : {&direct, &queued}) {
    const Qt::ConnectionType type = receiver == &direct ? Qt::AutoConnection : Qt::QueuedConnection;
    ASSERT_TRUE(QObject::connect(
        client, SIGNAL(sigStockList(const QMap<QString, mxservice::CInstrumentDetailPtr>&, int)),
        receiver, SLOT(slotStockList(const QMap<QString, mxservice::CInstrumentDetailPtr>&, int)),
        type));
    ASSERT_TRUE(QObject::connect(client, SIGNAL(sigStockListChange(const set<string>&)), receiver,
                                 SLOT(slotStockListChange(const set<string>&)), type));
    ASSERT_TRUE(QObject::connect(
        client, SIGNAL(sigNewTradingDate(const std::string&, const std::string&)), receiver,
        SLOT(slotNewTradingDay(const std::string&, const std::string&)), type));
  }

  QMap<QString, mxservice::CInstrumentDetailPtr> stocks;
  stocks.insert(QStringLiteral("600000.SH"), instrument(1, "SH", "600000"));
  client->emitStockList(stocks, 65);
  client->emitStockListChange({"600000.SH", "000001.SZ"});
  client->emitNewTradingDate("20250103", "20250102");

  EXPECT_EQ(direct.stockListCount, 1);
  EXPECT_EQ(direct.brokerType, 65);
  EXPECT_EQ(direct.changed, (std::set<std::string>{"000001.SZ", "600000.SH"}));
  EXPECT_EQ(direct.newDate, "20250103");
  EXPECT_EQ(direct.oldDate, "20250102");
  EXPECT_EQ(queued.stockListCount, 0);  // not yet: queued
  QCoreApplication::processEvents();
  EXPECT_EQ(queued.stockListCount, 1);
  EXPECT_EQ(queued.stocks.value(QStringLiteral("600000.SH")),
            stocks.value(QStringLiteral("600000.SH")));
  EXPECT_EQ(queued.changed.size(), 2u);
  EXPECT_EQ(queued.oldDate, "20250102");
  QObject::disconnect(client, nullptr, &direct, nullptr);
  QObject::disconnect(client, nullptr, &queued, nullptr);
}

TEST(ExchangeClient, signalSpiesSeeTheNormalisedSignatures) {
  CExchangeClient* client = CExchangeClient::instance();
  QSignalSpy change(client, SIGNAL(sigStockListChange(set<string>)));
  QSignalSpy date(client, SIGNAL(sigNewTradingDate(std::string, std::string)));
  ASSERT_TRUE(change.isValid());
  ASSERT_TRUE(date.isValid());
  client->emitStockListChange({});
  client->emitNewTradingDate("", "");
  EXPECT_EQ(change.count(), 1);
  EXPECT_EQ(date.count(), 1);
}

TEST(ExchangeClient, singletonLivesOnTheApplicationThreadWhenCreatedOnAWorker) {
  utils::CManualSingletonT<CExchangeClient>::destroy();
  QThread* createdOn = nullptr;
  std::thread worker([&] { createdOn = CExchangeClient::instance()->thread(); });
  worker.join();
  EXPECT_EQ(createdOn, QCoreApplication::instance()->thread());
}
