#include "tendertestsupport.h"

#include "host/core/logcenter.h"
#include "host/services/accountdata.h"
#include "host/services/hostservices.h"
#include "host/services/tradeclient.h"
#include "host/services/tradercenter.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "host/ui/messagebox.h"
#include "host/ui/messagetip.h"
#include "model/instrumentdata.h"
#include "model/instrumentmodel.h"

#include <log4cxx/appenderskeleton.h>
#include <log4cxx/helpers/transcoder.h>
#include <log4cxx/spi/loggingevent.h>
#include <QCoreApplication>
#include <QDate>
#include <boost/make_shared.hpp>
#include <mutex>

namespace tendertest {

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

void settle(LW::CInstrumentsPanel* panel) {
  ASSERT_NE(panel->table(), nullptr);
  boost::shared_ptr<LW::CHpfInsModel> model = panel->table()->model();
  for (int round = 0; round < 3; ++round) {
    ASSERT_TRUE(model->waitForIdle(30000));
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
  }
}

boost::shared_ptr<LW::CHpfInsModel> tenderModelHeldBy(const std::function<void()>& onWorker) {
  auto model = boost::make_shared<LW::CHpfInsModel>(kTenderType);
  auto delegate = boost::make_shared<GU::CBaseTableColumnMultiButtonsDelegate>(3, nullptr);
  model->setColumnDelegate(3, delegate);
  // The delegate belongs to the model: the raw pointer lives as long as it.
  LW::CHpfInsModel* raw = model.get();
  delegate->setRepaintHook([raw, onWorker] {
    if (raw->isWorkerThread()) onWorker();
  });
  return model;
}

void stopHolding(const boost::shared_ptr<LW::CHpfInsModel>& model) {
  auto delegate = boost::dynamic_pointer_cast<GU::CBaseTableColumnMultiButtonsDelegate>(
      model->columnDelegate(3));
  if (delegate) delegate->setRepaintHook(boost::function<void()>());
}

std::vector<std::string> listedCodes(LW::CInstrumentsPanel* panel) {
  std::vector<std::string> codes;
  for (const GU::HpfRowPtr& row : panel->table()->model()->getAllDatas()) {
    auto data = boost::dynamic_pointer_cast<LW::CInstrumentData>(row);
    codes.push_back(data && data->tenderBond() ? data->tenderBond()->bondCode : "?");
  }
  return codes;
}

mxservice::CTenderBondInfoDetailPtr listedDetail(LW::CInstrumentsPanel* panel,
                                                 const std::string& bondCode) {
  for (const GU::HpfRowPtr& row : panel->table()->model()->getAllDatas()) {
    auto data = boost::dynamic_pointer_cast<LW::CInstrumentData>(row);
    if (data && data->tenderBond() && data->tenderBond()->bondCode == bondCode) {
      return data->tenderBond();
    }
  }
  return nullptr;
}

mxservice::COrderCommandPtr storedCommand(int commandId) {
  auto account = mxservice::TraderCenter::instance()->getDataCenter()->getAccountData("");
  return account ? account->findOrderCommand(commandId) : nullptr;
}

class LogCapture::Appender : public log4cxx::AppenderSkeleton {
public:
  void close() override {}
  bool requiresLayout() const override { return false; }

  std::vector<Record> records() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_records;
  }

protected:
  void append(const log4cxx::spi::LoggingEventPtr& event, log4cxx::helpers::Pool&) override {
    Record record;
    log4cxx::helpers::Transcoder::encode(event->getRenderedMessage(), record.message);
    record.level = event->getLevel()->toInt();
    const log4cxx::spi::LocationInfo& location = event->getLocationInformation();
    record.fileName = location.getFileName() ? location.getFileName() : "";
    record.methodSignature = location.getMethodName();
    record.line = location.getLineNumber();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_records.push_back(record);
  }

private:
  mutable std::mutex m_mutex;
  std::vector<Record> m_records;  // guarded by m_mutex
};

LogCapture::LogCapture() : m_appender(std::make_shared<Appender>()) {
  utils::CLogCenter::instance()->setLogEnabled(true);
  utils::CLogCenter::instance()->logger()->addAppender(m_appender);
}

LogCapture::~LogCapture() { utils::CLogCenter::instance()->logger()->removeAppender(m_appender); }

std::vector<LogCapture::Record> LogCapture::records() const { return m_appender->records(); }

void TenderFixture::SetUp() {
  mxservice::CHostServices::reset();
  GU::CMessageBox::resetRecord();
  GU::CMessageBox::setAutoAnswer(QMessageBox::Cancel);
  GU::CMessageTip::resetRecord();
  utils::CLogCenter::instance()->setLogEnabled(true);
}

void TenderFixture::TearDown() {
  LW::CTradeClient::instance()->waitForIdle();
  mxservice::CHostServices::reset();
  GU::CMessageBox::setAutoAnswer(std::nullopt);
}

void TenderFixture::install(const std::vector<mxservice::CTenderBondInfoDetailPtr>& bonds,
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

QString u8(const char* text) { return QString::fromUtf8(text); }

}  // namespace tendertest
