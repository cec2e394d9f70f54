#include "host/services/hostservices.h"

#include "host/data/datasetloader.h"
#include "host/services/accountdata.h"
#include "host/services/calcoverdue.h"
#include "host/services/config.h"
#include "host/services/exchangeclient.h"
#include "host/services/servicelog.h"
#include "host/services/tradeclient.h"
#include "host/services/tradercenter.h"
#include "host/services/typemanager.h"
#include "host/services/usermanager.h"

#include <QDate>
#include <boost/make_shared.hpp>

namespace mxservice {

namespace {
// Favourites and the user's options; the trading date is the calculator's.
void installConfiguration(const HostConfiguration& config) {
  LW::CUserConfig* user = LW::getUserConfig();
  user->reset();
  user->setUserName(config.userName);
  user->setUserType(config.userType);
  user->setBrokerEditionUserType(config.brokerEditionUserType);
  user->setMergeFuture(config.mergeFuture);
  user->setHkTradeInStock(config.hkTradeInStock);
  for (const auto& entry : config.favourites) {
    QSet<QString> codes;
    for (const std::string& key : entry.second) codes.insert(QString::fromStdString(key));
    user->setFavourites(static_cast<ENqTraderType>(entry.first), codes);
  }
  LW::getConfig()->setBrokerEdition(config.brokerEdition);
  LW::CCalcOverdue::instance()->setTradingDate(config.tradingDate);
}
}  // namespace

void CHostServices::install(const DataSet& dataSet) {
  for (const std::string& line : dataSet.errors)
    servicelog::warning("mxservice::CHostServices::install", "data set: " + line);

  TraderCenter* center = TraderCenter::instance();
  center->dataCenter()->setInstruments(dataSet.instruments);
  center->dataCenter()->setBondTradeInfos(dataSet.bondTradeInfos);
  center->interBankStore().setInterBankBonds(dataSet.interBankBonds);

  auto account = boost::make_shared<CAccountData>(dataSet.config.userName);
  std::vector<IDataPtr> commands(dataSet.orderCommands.begin(), dataSet.orderCommands.end());
  account->setRecords(DATA_TYPE_ORDER_COMMAND, commands);
  center->dataCenter()->setCurrentAccount(account);

  LW::CExchangeClient* exchange = LW::CExchangeClient::instance();
  exchange->setExchanges(dataSet.exchanges);
  exchange->setInstruments(dataSet.instruments);
  exchange->setTenderBondInfoDetails(dataSet.tenderBonds);

  TypeManager::instance()->setEnumNames(dataSet.enumNames);
  installConfiguration(dataSet.config);
  LW::CTradeClient::instance()->resetServer();
}

std::vector<std::string> CHostServices::installFromDirectory(const std::string& directory) {
  DataSet dataSet = loadDataSet(directory);
  install(dataSet);
  return dataSet.errors;
}

void CHostServices::reset() {
  TraderCenter* center = TraderCenter::instance();
  center->dataCenter()->clear();
  center->interBankStore().clear();
  LW::CExchangeClient::instance()->clear();
  TypeManager::instance()->clear();
  LW::getUserConfig()->reset();
  LW::getConfig()->setBrokerEdition(false);
  LW::CCalcOverdue::instance()->setTradingDate(std::string());
  LW::CTradeClient::instance()->resetServer();
}

void CHostServices::changeTradingDate(const std::string& newDate) {
  LW::CCalcOverdue* calc = LW::CCalcOverdue::instance();
  const std::string previous =
      calc->tradingDate().toString(QStringLiteral("yyyyMMdd")).toStdString();
  calc->setTradingDate(newDate);
  LW::CExchangeClient::instance()->emitNewTradingDate(newDate, previous);
}

}  // namespace mxservice
