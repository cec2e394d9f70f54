#include "modeltestdata.h"

#include "host/services/hostservices.h"

#include <boost/make_shared.hpp>

namespace modeltest {

mxservice::CInstrumentDetailPtr instrument(int tradeType, const std::string& market,
                                           const std::string& code, const std::string& name) {
  auto ins = boost::make_shared<mxservice::CInstrumentDetail>();
  ins->tradeType = tradeType;
  ins->marketId = market;
  ins->code = code;
  ins->name = name;
  return ins;
}

mxservice::COTCFundPlanInfoPtr fund(const std::string& code, const std::string& name,
                                    int baseInfoType) {
  auto f = boost::make_shared<mxservice::COTCFundPlanInfo>();
  f->tradeType = mxservice::NQ_TRADER_OTC_FUND;
  f->marketId = "OTC";
  f->code = code;
  f->name = name;
  f->baseInfoType = baseInfoType;
  return f;
}

mxservice::CInterBankBondPtr interBankBond(const std::string& market, const std::string& code,
                                           const std::string& name) {
  auto b = boost::make_shared<mxservice::CInterBankBond>();
  b->market = market;
  b->bondCode = code;
  b->bondName = name;
  return b;
}

mxservice::CTenderBondInfoDetailPtr tenderBond(const std::string& code) {
  auto t = boost::make_shared<mxservice::CTenderBondInfoDetail>();
  t->bondCode = code;
  return t;
}

void addDefaultExchanges(mxservice::DataSet& set) {
  const char* exchanges[][2] = {{"SH", "上海证券交易所"},
                                {"SZ", "深圳证券交易所"},
                                {"SHFE", "上海期货交易所"},
                                {"SGE", "上海黄金交易所"},
                                {"CME", "芝加哥商业交易所"}};
  for (const auto& e : exchanges) {
    auto exchange = boost::make_shared<mxservice::CExchangeDetail>();
    exchange->marketId = e[0];
    exchange->name = e[1];
    set.exchanges.push_back(exchange);
  }
}

QString u8(const char* text) { return QString::fromUtf8(text); }

void HostFixture::SetUp() { mxservice::CHostServices::reset(); }

void HostFixture::TearDown() { mxservice::CHostServices::reset(); }

void HostFixture::install(mxservice::DataSet set) {
  addDefaultExchanges(set);
  mxservice::CHostServices::install(set);
}

}  // namespace modeltest
