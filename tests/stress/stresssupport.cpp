#include "stresssupport.h"

#include "host/bson/bsonobj.h"
#include "host/core/logcenter.h"
#include "host/data/bondtendersparam.h"
#include "host/data/otcfundplaninfo.h"
#include "host/services/exchangeclient.h"
#include "host/services/idatacenter.h"
#include "host/services/tradercenter.h"
#include "model/instrumentmatch.h"
#include "model/instrumentmodel.h"
#include "panel/hpfinstable.h"

#include <log4cxx/appenderskeleton.h>
#include <log4cxx/helpers/transcoder.h>
#include <log4cxx/spi/loggingevent.h>
#include <QThread>
#include <algorithm>
#include <boost/pointer_cast.hpp>
#include <cstdlib>

namespace stresstest {

namespace {

thread_local bool tl_hostThread = false;

double positiveEnv(const char* name, double fallback) {
  const char* text = std::getenv(name);
  if (!text || !*text) return fallback;
  char* end = nullptr;
  const double value = std::strtod(text, &end);
  // A typo must not turn the run into nothing or into hours.
  if (end == text || !(value > 0) || value > 1000) return fallback;
  return value;
}

bool onGuiThread(const QObject* guiObject) {
  return QThread::currentThread() == guiObject->thread();
}

// A child of a panel: Qt deletes it with the panel's other children, once
// ~CInstrumentsPanel (which closes the panel to host callbacks) has run.
class CloseSentinel : public QObject {
public:
  CloseSentinel(QObject* panel, std::function<void()> onClosed)
      : QObject(panel), m_onClosed(std::move(onClosed)) {}
  ~CloseSentinel() override { m_onClosed(); }

private:
  std::function<void()> m_onClosed;
};

}  // namespace

double stressScale() { return positiveEnv("LW_STRESS_SCALE", 1.0); }

int scaled(int base) { return std::max(1, static_cast<int>(base * stressScale() + 0.5)); }

int budgetSeconds() { return static_cast<int>(positiveEnv("LW_STRESS_SECONDS", 25.0) + 0.5); }

bool onHostThread() { return tl_hostThread; }

void markHostThread() { tl_hostThread = true; }

// --- CPanelLedger ---------------------------------------------------------------

CPanelLedger::CPanelLedger() = default;

CPanelLedger::~CPanelLedger() = default;

int CPanelLedger::add(LW::CInstrumentsPanel* panel) {
  const int id = m_nextId++;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_states[id] = ALIVE;
  }
  // Direct connections: the answers are seen on the thread that handles
  // them, while the callback is still inside the audit.
  connect(
      panel, &LW::CInstrumentsPanel::sigRefreshCommandPanel, this,
      [this, id](QString) {
        if (onGuiThread(this)) {
          ++m_selections;
        } else {
          noteAnswerHandled(id);
        }
      },
      Qt::DirectConnection);
  connect(
      panel, &LW::CInstrumentsPanel::sigSelectStock, this, [this](QString) { ++m_stockSelections; },
      Qt::DirectConnection);
  // The panel's destructor drops every connection of its own signals, its
  // destroyed() among them; a child goes after that destructor has run.
  new CloseSentinel(panel, [this, id] {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_states[id] = CLOSED;
  });
  if (panel->table() && panel->tradeType() == mxservice::NQ_TRADER_BOND_TENDER) {
    LW::CHpfInsModel* model = panel->table()->model().get();
    // The model may outlive the panel while a job runs; the connection goes
    // with whichever of the model and the ledger goes first.
    connect(
        model, &LW::CHpfInsModel::sigRefreshed, this,
        [this, id, model] {
          if (onGuiThread(this) || model->isWorkerThread() || onHostThread()) return;
          noteRebuild(id);
        },
        Qt::DirectConnection);
  }
  return id;
}

void CPanelLedger::closing(int id) {
  std::lock_guard<std::mutex> lock(m_mutex);
  auto it = m_states.find(id);
  if (it != m_states.end() && it->second == ALIVE) it->second = CLOSING;
}

CPanelLedger::EState CPanelLedger::state(int id) const {
  std::lock_guard<std::mutex> lock(m_mutex);
  auto it = m_states.find(id);
  return it == m_states.end() ? CLOSED : it->second;
}

void CPanelLedger::noteAnswerRequested(int id) {
  ++m_answersRequested;
  if (id >= 0 && state(id) == CLOSED) {
    violation("panel " + std::to_string(id) + " sent a request after it was destroyed");
  }
}

void CPanelLedger::auditAnswer(int id, const std::function<void()>& answer) {
  ++m_answersDelivered;
  const EState before = state(id);
  const int marks = m_handledMarks.load();
  m_lastHandledPanel.store(-1);
  answer();
  const int handled = m_handledMarks.load() - marks;
  const EState after = state(id);

  if (handled > 1) {
    violation("one answer for panel " + std::to_string(id) + " was handled " +
              std::to_string(handled) + " times");
  }
  const int handledBy = m_lastHandledPanel.load();
  if (handledBy != -1 && handledBy != id) {
    violation("an answer for panel " + std::to_string(id) + " reached panel " +
              std::to_string(handledBy));
  }
  if (handled > 0) {
    ++m_answersHandled;
    if (before == CLOSED) {
      violation("an answer reached panel " + std::to_string(id) + " after it was destroyed");
    }
  } else if (before == CLOSED) {
    ++m_lateAnswersDropped;
  } else if (after == ALIVE) {
    violation("an answer for the live panel " + std::to_string(id) + " was lost");
  } else {
    // The panel was being closed while the answer ran; either outcome is
    // allowed, only not reaching it once its destructor has returned.
    ++m_droppedWhileClosing;
  }
}

void CPanelLedger::noteAnswerHandled(int id) {
  m_lastHandledPanel.store(id);
  ++m_handledMarks;
}

void CPanelLedger::noteRebuild(int id) {
  ++m_rebuilds;
  if (state(id) == CLOSED) {
    violation("an order command rebuilt a row of panel " + std::to_string(id) +
              " after it was destroyed");
  }
}

void CPanelLedger::violation(const std::string& text) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_violations.push_back(text);
}

std::vector<std::string> CPanelLedger::violations() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_violations;
}

// --- CAuditedTradeClient ------------------------------------------------------------

void CAuditedTradeClient::updateTenderBondDetails(
    const boost::shared_ptr<mxservice::CTenderBondInfoDetail>& detail,
    const ResultCallback& callback, int reserved1, int reserved2) {
  if (callback.empty()) {
    ++m_withoutAnswer;
    LW::CTradeClient::updateTenderBondDetails(detail, callback, reserved1, reserved2);
    return;
  }
  // Presses run on the GUI thread and send from inside the press, so the
  // pressing panel is the one the answer belongs to.
  const int id = m_ledger->pressing();
  if (id < 0) ++m_unattributed;
  m_ledger->noteAnswerRequested(id);
  CPanelLedger* ledger = m_ledger;
  const ResultCallback audited = [ledger, id, callback](const utils::MXError& error,
                                                        bson::BSONObj result) {
    ledger->auditAnswer(id, [&] { callback(error, result); });
  };
  LW::CTradeClient::updateTenderBondDetails(detail, audited, reserved1, reserved2);
}

// --- CAnswerFailureListener ---------------------------------------------------------

class CAnswerFailureListener::Appender : public log4cxx::AppenderSkeleton {
public:
  explicit Appender(CPanelLedger* ledger) : m_ledger(ledger) {}
  void close() override {}
  bool requiresLayout() const override { return false; }

protected:
  void append(const log4cxx::spi::LoggingEventPtr& event, log4cxx::helpers::Pool&) override {
    std::string message;
    log4cxx::helpers::Transcoder::encode(event->getRenderedMessage(), message);
    if (message.find("updateTenderBondDetails error") != std::string::npos) {
      m_ledger->noteAnswerFailureLogged();
    }
  }

private:
  CPanelLedger* const m_ledger;  // not owned; outlives the appender's registration
};

CAnswerFailureListener::CAnswerFailureListener(CPanelLedger* ledger)
    : m_appender(std::make_shared<Appender>(ledger)) {
  utils::CLogCenter::instance()->setLogEnabled(true);
  utils::CLogCenter::instance()->logger()->addAppender(m_appender);
}

CAnswerFailureListener::~CAnswerFailureListener() {
  utils::CLogCenter::instance()->logger()->removeAppender(m_appender);
}

// --- expected rows -------------------------------------------------------------------

std::vector<std::string> expectedInstrumentKeys(mxservice::ENqTraderType tradeType,
                                                const QString& filter) {
  using namespace mxservice;
  std::vector<std::string> keys;
  if (tradeType == NQ_TRADER_INTER_BANK || tradeType == NQ_TRADER_INTER_BANK_FX) {
    for (const auto& entry : TraderCenter::instance()->interBankStore().getInterBankBonds()) {
      if (LW::interBankMatches(entry.second, filter)) keys.push_back(entry.second->getKey());
    }
    return keys;
  }
  const LW::CListRuleContext context = LW::CListRuleContext::current(tradeType);
  const boost::shared_ptr<IDataCenter> dataCenter = TraderCenter::instance()->getDataCenter();
  std::vector<CInstrumentDetailPtr> list = dataCenter->getInstrumentsByTradeType(tradeType);
  auto append = [&list, &dataCenter](ENqTraderType more) {
    for (const auto& instrument : dataCenter->getInstrumentsByTradeType(more))
      list.push_back(instrument);
  };
  if (tradeType == NQ_TRADER_FUTURE && context.mergeFuture) append(NQ_TRADER_FUTURE_SPEC);
  if (tradeType == NQ_TRADER_STOCK && context.hkTradeInStock) append(NQ_TRADER_HK_STOCK);
  for (const CInstrumentDetailPtr& instrument : list) {
    if (!LW::instrumentMatches(instrument, filter, context)) continue;
    if (tradeType == NQ_TRADER_OTC_FUND &&
        !boost::dynamic_pointer_cast<COTCFundPlanInfo>(instrument)) {
      continue;
    }
    keys.push_back(instrument->getKey());
  }
  return keys;
}

std::vector<std::string> expectedTenderCodes(const LW::TenderSearchQuery& query) {
  std::vector<std::string> codes;
  for (const auto& entry : LW::CExchangeClient::instance()->getTenderBondInfoDetails()) {
    if (LW::matchTenderBond(entry.second, query)) codes.push_back(entry.second->bondCode);
  }
  return codes;
}

std::vector<std::string> expectedBondInfoKeys(const std::string& text) {
  std::vector<std::string> keys;
  const auto infos = mxservice::TraderCenter::instance()->getDataCenter()->getBondTradeInfos();
  for (const auto& market : infos) {
    for (const auto& entry : market.second) {
      const mxservice::CBondTradeInfoPtr& record = entry.second;
      if (!record) continue;
      if (!text.empty() && record->code.find(text) == std::string::npos) continue;
      keys.push_back(record->getKey());
    }
  }
  return keys;
}

int expectedTenderStatus(const std::vector<mxservice::COrderCommandPtr>& commands,
                         const std::string& bondCode) {
  bool any = false;
  bool allRevoked = true;
  std::string code;
  for (const mxservice::COrderCommandPtr& command : commands) {
    if (!command || !bondOfCommand(*command, &code) || code != bondCode) continue;
    any = true;
    const int status = command->status();
    if (status == 0 || status == 2 || status == 204 || status == 201) return status;
    if (status != 5) allRevoked = false;
  }
  return any && allRevoked ? 5 : -2;
}

std::vector<int> expectedTenderButtonIds(int status) {
  if (status == 0 || status == 2) return {26, 16};
  if (status == 204) return {27};
  return {};
}

bool bondOfCommand(const mxservice::COrderCommand& command, std::string* bondCode) {
  const bson::BSONElement element = command.params.getField("btdparam");
  if (element.eoo() || element.type() != bson::Object) return false;
  mxservice::CBondTendersParam param;
  param.bsonValueFromObj(element.embeddedObject(), true, nullptr);
  *bondCode = param.bondCode;
  return true;
}

QString tenderStatusLabel(int status) {
  switch (status) {
    case 0:
      return QString::fromUtf8("审批中");
    case 2:
      return QString::fromUtf8("运行中");
    case 5:
      return QString::fromUtf8("已撤销");
    case 201:
      return QString::fromUtf8("已完成");
    case 204:
      return QString::fromUtf8("锁定中");
    default:
      return QString();
  }
}

}  // namespace stresstest
