#include "demosimulator.h"

#include "host/services/calcoverdue.h"
#include "host/services/exchangeclient.h"
#include "host/services/hostservices.h"
#include "host/services/quoteclient.h"
#include "host/services/tradeclient.h"

#include <QCoreApplication>
#include <QDate>
#include <QMenu>
#include <climits>
#include <set>
#include <string>
#include <vector>

namespace demo {

namespace {

// A broker serving every trading type, so that every open list reloads.
const int kAllTradingTypesBroker = INT_MAX;
// How many instruments the simulated stock-list change names.
const int kChangedInstruments = 3;

QString requestText(const LW::CTradeClient::RequestRecord& request) {
  QString what;
  if (request.kind == LW::CTradeClient::RequestRecord::TENDER_DETAILS)
    what = QCoreApplication::translate("demo::CDemoSimulator", "招标明细更新 %1")
               .arg(QString::fromStdString(request.bondCode));
  else
    what = QCoreApplication::translate("demo::CDemoSimulator", "指令 %1 状态 %2")
               .arg(request.commandId)
               .arg(request.status);
  const QString outcome =
      request.errorId == 0
          ? QCoreApplication::translate("demo::CDemoSimulator", "成功")
          : QCoreApplication::translate("demo::CDemoSimulator", "失败 (%1)").arg(request.errorId);
  return QCoreApplication::translate("demo::CDemoSimulator", "交易服务器: %1 %2")
      .arg(what, outcome);
}

}  // namespace

CDemoSimulator::CDemoSimulator(QObject* parent) : QObject(parent) {
  // The trade client answers on its own worker and offers no signal for it;
  // its request log is read from here instead, on the GUI thread.
  m_poll.setInterval(50);
  connect(&m_poll, SIGNAL(timeout()), this, SLOT(slotPollRequests()));
  m_seenRequests = LW::CTradeClient::instance()->handledRequests().size();
  m_poll.start();
}

CDemoSimulator::~CDemoSimulator() {
  // A failure left armed would hit whoever uses the trade client next.
  if (m_failureArmed) LW::CTradeClient::instance()->clearFailures();
}

void CDemoSimulator::populateMenu(QMenu* menu) {
  menu->addAction(QCoreApplication::translate("demo::CDemoSimulator", "新交易日"), this,
                  SLOT(slotNewTradingDay()));
  menu->addAction(QCoreApplication::translate("demo::CDemoSimulator", "股票列表到达"), this,
                  SLOT(slotStockList()));
  menu->addAction(QCoreApplication::translate("demo::CDemoSimulator", "股票列表变化"), this,
                  SLOT(slotStockListChange()));
  menu->addSeparator();
  menu->addAction(QCoreApplication::translate("demo::CDemoSimulator", "债券信息就绪"), this,
                  SLOT(slotBondInfoReady()));
  menu->addAction(QCoreApplication::translate("demo::CDemoSimulator", "银行间数据加载完成"), this,
                  SLOT(slotInterBankDataReady()));
  menu->addAction(QCoreApplication::translate("demo::CDemoSimulator", "招标数据加载完成"), this,
                  SLOT(slotTenderDataReady()));
  menu->addSeparator();
  menu->addAction(QCoreApplication::translate("demo::CDemoSimulator", "下一个交易请求失败"), this,
                  SLOT(slotFailNextRequest()));
}

void CDemoSimulator::slotNewTradingDay() {
  QDate today = LW::CCalcOverdue::instance()->tradingDate();
  if (!today.isValid()) today = QDate::currentDate();
  QDate next = today.addDays(1);
  while (next.dayOfWeek() > 5) next = next.addDays(1);
  const std::string text = next.toString(QStringLiteral("yyyyMMdd")).toStdString();
  mxservice::CHostServices::changeTradingDate(text);
  emit sigLog(QCoreApplication::translate("demo::CDemoSimulator", "模拟: 新交易日 %1")
                  .arg(QString::fromStdString(text)));
}

void CDemoSimulator::slotStockList() {
  LW::CExchangeClient* exchange = LW::CExchangeClient::instance();
  const QMap<QString, mxservice::CInstrumentDetailPtr> stocks = exchange->stockListMap();
  exchange->emitStockList(stocks, kAllTradingTypesBroker);
  emit sigLog(QCoreApplication::translate("demo::CDemoSimulator", "模拟: 股票列表到达 (%1 个合约)")
                  .arg(stocks.size()));
}

void CDemoSimulator::slotStockListChange() {
  LW::CExchangeClient* exchange = LW::CExchangeClient::instance();
  std::set<std::string> changed;
  const QMap<QString, mxservice::CInstrumentDetailPtr> stocks = exchange->stockListMap();
  for (auto it = stocks.constBegin();
       it != stocks.constEnd() && static_cast<int>(changed.size()) < kChangedInstruments; ++it)
    changed.insert(it.key().toStdString());
  exchange->emitStockListChange(changed);
  QStringList names;
  for (const std::string& key : changed) names << QString::fromStdString(key);
  emit sigLog(QCoreApplication::translate("demo::CDemoSimulator", "模拟: 股票列表变化 %1")
                  .arg(names.join(QStringLiteral(", "))));
}

void CDemoSimulator::slotBondInfoReady() {
  emit sigLog(QCoreApplication::translate("demo::CDemoSimulator", "模拟: 债券信息就绪"));
  LW::CQuoteClient::instance()->notifyBondInfoReady();
}

void CDemoSimulator::slotInterBankDataReady() {
  emit sigLog(QCoreApplication::translate("demo::CDemoSimulator", "模拟: 银行间数据加载完成"));
  LW::CTradeClient::instance()->notifyInterBankDatasFinished();
}

void CDemoSimulator::slotTenderDataReady() {
  emit sigLog(QCoreApplication::translate("demo::CDemoSimulator", "模拟: 招标数据加载完成"));
  LW::CTradeClient::instance()->notifyBondTenderDatasFinished();
}

void CDemoSimulator::slotFailNextRequest() {
  // The simulated server decides a failure when it receives a request, and
  // the demo's requests come one per button press: failing every request
  // until the first failed answer is seen fails exactly the next one.
  LW::CTradeClient::instance()->failEveryNthRequest(1, kInjectedErrorId,
                                                    "simulated trade server failure");
  m_failureArmed = true;
  emit sigLog(
      QCoreApplication::translate("demo::CDemoSimulator", "模拟: 下一个交易请求将失败 (错误 %1)")
          .arg(kInjectedErrorId));
}

void CDemoSimulator::slotPollRequests() {
  const std::vector<LW::CTradeClient::RequestRecord> handled =
      LW::CTradeClient::instance()->handledRequests();
  // A reinstalled data set resets the server and its request log.
  if (handled.size() < m_seenRequests) m_seenRequests = 0;
  for (std::size_t i = m_seenRequests; i < handled.size(); ++i) {
    emit sigLog(requestText(handled[i]));
    if (m_failureArmed && handled[i].errorId == kInjectedErrorId) {
      LW::CTradeClient::instance()->clearFailures();
      m_failureArmed = false;
    }
  }
  m_seenRequests = handled.size();
}

}  // namespace demo
