// The exchange client's lookups and its signals, connected the way the panels
// connect them (string-based, direct and queued).

#include "host/services/exchangeclient.h"
#include "host/core/singleton.h"
#include "servicestestdata.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QThread>
#include <thread>

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
