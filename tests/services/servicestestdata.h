#pragma once
// Builders of small data sets for the services tests, on the shared
// hand-built records.

#include "host/data/dataset.h"
#include "testrecords.h"

#include <boost/make_shared.hpp>
#include <string>

namespace servicestest {

// An instrument named after its code, with a product code.
inline mxservice::CInstrumentDetailPtr instrument(int tradeType, const std::string& market,
                                                  const std::string& code,
                                                  const std::string& productCode = "") {
  auto detail = testsupport::instrument(tradeType, market, code, code + " name");
  detail->productCode = productCode;
  return detail;
}

using testsupport::bareTenderBond;
// A tender order command whose "btdparam" names bondCode.
inline mxservice::COrderCommandPtr tenderCommand(int commandId, const std::string& bondCode,
                                                 int status) {
  return testsupport::orderCommand(commandId, bondCode, status);
}

inline mxservice::CExchangeDetailPtr exchange(const std::string& market, const std::string& name) {
  auto detail = boost::make_shared<mxservice::CExchangeDetail>();
  detail->marketId = market;
  detail->name = name;
  return detail;
}

// A set with instruments of several trading types in a known order, two
// tender bonds with commands, an exchange table and a configuration.
inline mxservice::DataSet smallDataSet() {
  mxservice::DataSet set;
  set.exchanges = {exchange("SH", "上海证券交易所"), exchange("SGE", "上海黄金交易所"),
                   exchange("SHFE", "上海期货交易所")};
  set.instruments = {
      instrument(mxservice::NQ_TRADER_STOCK, "SH", "600000"),
      instrument(mxservice::NQ_TRADER_FUTURE, "SHFE", "cu2501", "cu"),
      instrument(mxservice::NQ_TRADER_GOLD, "SGE", "Au99.99"),
      instrument(mxservice::NQ_TRADER_STOCK, "SZ", "000001"),
      instrument(mxservice::NQ_TRADER_GOLD, "SHFE", "au2506", "au"),
      instrument(mxservice::NQ_TRADER_CREDIT, "SH", "600000"),
      instrument(mxservice::NQ_TRADER_BOND_TENDER, "NIB", "tb-only"),
  };
  set.instruments.push_back(testsupport::fund("000001", "000001 name", 1));
  for (const char* code : {"2400123", "2400456"}) {
    auto bond = bareTenderBond(code);
    set.tenderBonds.emplace(bond->getKey(), bond);
  }
  set.orderCommands = {tenderCommand(1001, "2400123", mxservice::ORDER_COMMAND_RUNNING),
                       tenderCommand(1002, "2400456", mxservice::ORDER_COMMAND_APPROVING),
                       tenderCommand(1003, "2400123", mxservice::ORDER_COMMAND_STOPPED)};
  set.config.userName = "tester";
  set.config.userType = 200;
  set.config.tradingDate = "20250102";  // a Thursday
  set.config.favourites[64] = {"CLF5.NYMEX"};
  set.enumNames["mxservice::EIbBondType"] = {{1, "国债"}, {2, "政策性金融债"}};
  return set;
}

}  // namespace servicestest
