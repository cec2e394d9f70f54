#include "testrecords.h"

#include "host/core/logcenter.h"
#include "host/services/hostservices.h"
#include "host/services/tradeclient.h"
#include "host/ui/messagebox.h"
#include "host/ui/messagetip.h"

#include <QDate>
#include <boost/make_shared.hpp>

namespace testsupport {

mxservice::CInstrumentDetailPtr instrument(int tradeType, const std::string& market,
                                           const std::string& code, const std::string& name) {
  auto detail = boost::make_shared<mxservice::CInstrumentDetail>();
  detail->tradeType = tradeType;
  detail->marketId = market;
  detail->code = code;
  detail->name = name;
  return detail;
}

void addDefaultExchanges(mxservice::DataSet& set) {
  const char* exchanges[][2] = {{"SH", "上海证券交易所"},
                                {"SZ", "深圳证券交易所"},
                                {"SHFE", "上海期货交易所"},
                                {"SGE", "上海黄金交易所"},
                                {"CME", "芝加哥商业交易所"}};
  for (const auto& entry : exchanges) {
    auto exchange = boost::make_shared<mxservice::CExchangeDetail>();
    exchange->marketId = entry[0];
    exchange->name = entry[1];
    set.exchanges.push_back(exchange);
  }
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

mxservice::CTenderBondInfoDetailPtr bareTenderBond(const std::string& code) {
  auto t = boost::make_shared<mxservice::CTenderBondInfoDetail>();
  t->bondCode = code;
  return t;
}

mxservice::CTenderBondInfoDetailPtr tenderBond(const std::string& code, const std::string& date,
                                               int basicBidUnit) {
  auto bond = boost::make_shared<mxservice::CTenderBondInfoDetail>();
  bond->bondCode = code;
  bond->shortName = code + " short";
  bond->fullName = code + " full name";
  bond->basicBidUnit = basicBidUnit;
  bond->tenderDate = bond->tenderEndDate = bond->issueStartDate = bond->issueEndDate = date;
  bond->paymentDate = bond->valueDate = bond->listingDate = bond->maturityDate = date;
  bond->setInternalAmount(0);
  bond->setExternalAmount(0);
  bond->setWinBidAmount(0);
  return bond;
}

bson::BSONObj tenderParams(const std::string& bondCode) {
  bson::BSONObjBuilder inner;
  inner.append("bondCode", bondCode);
  inner.append("direction", "execution");
  bson::BSONObjBuilder outer;
  outer.append("btdparam", inner.obj());
  return outer.obj();
}

mxservice::COrderCommandPtr orderCommandWithParams(int commandId, const bson::BSONObj& params,
                                                   int status) {
  auto command = boost::make_shared<mxservice::COrderCommand>();
  command->tradeType = kTenderType;
  command->commandId = commandId;
  command->passBackText = "pass-" + std::to_string(commandId);
  command->params = params;
  command->setStatus(status);
  return command;
}

mxservice::COrderCommandPtr orderCommand(int commandId, const std::string& bondCode, int status) {
  return orderCommandWithParams(commandId, tenderParams(bondCode), status);
}

std::string today() { return QDate::currentDate().toString("yyyyMMdd").toStdString(); }

std::string daysFromToday(int days) {
  return QDate::currentDate().addDays(days).toString("yyyyMMdd").toStdString();
}

QString u8(const char* text) { return QString::fromUtf8(text); }

void HostFixture::SetUp() { mxservice::CHostServices::reset(); }

void HostFixture::TearDown() { mxservice::CHostServices::reset(); }

void HostFixture::install(mxservice::DataSet set) {
  addDefaultExchanges(set);
  mxservice::CHostServices::install(set);
}

void HostFixture::installSample() {
  const QByteArray directory = qgetenv("LW_SAMPLE_DATA");
  ASSERT_FALSE(directory.isEmpty()) << "LW_SAMPLE_DATA is not set";
  mxservice::CHostServices::installFromDirectory(directory.toStdString());
}

void TenderHostFixture::SetUp() {
  HostFixture::SetUp();
  GU::CMessageBox::resetRecord();
  GU::CMessageBox::setAutoAnswer(QMessageBox::Cancel);
  GU::CMessageTip::resetRecord();
  utils::CLogCenter::instance()->setLogEnabled(true);
}

void TenderHostFixture::TearDown() {
  LW::CTradeClient::instance()->waitForIdle();
  HostFixture::TearDown();
  GU::CMessageBox::setAutoAnswer(std::nullopt);
}

void TenderHostFixture::install(const std::vector<mxservice::CTenderBondInfoDetailPtr>& bonds,
                                const std::vector<mxservice::COrderCommandPtr>& commands,
                                int userType) {
  mxservice::DataSet set;
  for (const auto& bond : bonds) set.tenderBonds[bond->getKey()] = bond;
  set.orderCommands = commands;
  set.config.userName = "zhang.wei";
  set.config.userType = userType;
  set.config.tradingDate = today();
  set.enumNames["mxservice::EIbBondType"] = {{1, "国债"}, {3, "金融债"}, {5, "企业债"}};
  set.enumNames["mxservice::ETenderingType"] = {{1, "荷兰式"}, {2, "美国式"}};
  mxservice::CHostServices::install(set);
}

}  // namespace testsupport
