#pragma once
// Instruments of the panel stress run: a ledger of the panels the run opens
// and closes, a trade client that audits every tender answer on its way to a
// panel, a log listener that notices logged answer failures, the run's size
// from the environment, and the rules that say what a settled panel must
// show, written against the host data rather than read back from the panel.
//
// Threads: see each class.

#include "host/core/tradertypes.h"
#include "host/data/ordercommand.h"
#include "host/services/tradeclient.h"
#include "panel/instrumentspanel.h"
#include "tender/tendersearchquery.h"

#include "qstringprint.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

namespace stresstest {

// LW_STRESS_SCALE (a positive number, default 1) multiplies every count of
// the run; LW_STRESS_SECONDS (default 25) bounds its busy phase.
double stressScale();
int scaled(int base);
int budgetSeconds();

// Set on the host threads the run starts, so that instrumented callbacks can
// tell a host call from a subscription delivery.
bool onHostThread();
void markHostThread();

// What the run knows about every instruments panel it opened: whether it is
// still alive, and what reached it from other threads.
//
// A panel is ALIVE from add() until the GUI thread decides to close it
// (closing()), CLOSING until ~CInstrumentsPanel has run, then CLOSED (set
// when Qt deletes a child object the ledger gave the panel, which happens
// after that destructor; the panel's own destroyed() cannot serve, since
// the destructor drops every connection of the panel's signals first).
//
// Trade-client answers: auditAnswer() runs on the trade client's worker,
// one answer at a time, and wraps the panel's own callback. A panel that
// handles an answer either emits sigRefreshCommandPanel (success) or logs an
// error record (failure), both on that worker and both observed here; so
// the marks counted during the callback say whether the answer reached the
// panel. An answer that began after the panel was CLOSED must not reach it;
// an answer that began and ended while it was ALIVE must.
//
// Order-command deliveries: a tender model's sigRefreshed() emitted on a
// thread that is neither the GUI thread, the model's worker nor a host thread
// comes from onOrderCommand() on the account's delivery thread; one that
// arrives for a CLOSED panel is a delivery to a destroyed panel.
//
// Threads: every member may be called from any thread; m_mutex guards the
// panel table and the violation list, counters are atomic.
class CPanelLedger : public QObject {
public:
  enum EState { ALIVE, CLOSING, CLOSED };

  CPanelLedger();
  ~CPanelLedger() override;

  // GUI thread, right after construction. Watches the panel's answers and
  // (tender panels) its model's rebuilds; returns the panel's ledger id.
  int add(LW::CInstrumentsPanel* panel);
  // GUI thread, before the panel is deleted (or deleteLater'd).
  void closing(int id);
  EState state(int id) const;

  // GUI thread, around a button press: requests sent meanwhile carry the
  // answers of panel id. -1 outside presses.
  void setPressing(int id) { m_pressing.store(id); }
  int pressing() const { return m_pressing.load(); }

  // Trade client worker: calls answer() and audits it for panel id.
  void auditAnswer(int id, const std::function<void()>& answer);
  // Requests that carry an answer, as the trade client accepted them.
  void noteAnswerRequested(int id);
  // The log listener saw a tender answer failure being logged.
  void noteAnswerFailureLogged() { ++m_handledMarks; }

  int answersRequested() const { return m_answersRequested.load(); }
  int answersDelivered() const { return m_answersDelivered.load(); }
  int answersHandled() const { return m_answersHandled.load(); }
  int lateAnswersDropped() const { return m_lateAnswersDropped.load(); }
  int answersDroppedWhileClosing() const { return m_droppedWhileClosing.load(); }
  int orderCommandRebuilds() const { return m_rebuilds.load(); }
  // Tender rows selected (sigRefreshCommandPanel on the GUI thread) and
  // instruments selected (sigSelectStock).
  int tenderSelections() const { return m_selections.load(); }
  int stockSelections() const { return m_stockSelections.load(); }
  std::vector<std::string> violations() const;

private:
  void noteAnswerHandled(int id);
  void noteRebuild(int id);
  void violation(const std::string& text);

  mutable std::mutex m_mutex;
  std::map<int, EState> m_states;         // guarded by m_mutex
  std::vector<std::string> m_violations;  // guarded by m_mutex
  int m_nextId = 1;                       // GUI thread
  std::atomic<int> m_pressing{-1};
  std::atomic<int> m_handledMarks{0};
  std::atomic<int> m_lastHandledPanel{-1};
  std::atomic<int> m_answersRequested{0};
  std::atomic<int> m_answersDelivered{0};
  std::atomic<int> m_answersHandled{0};
  std::atomic<int> m_lateAnswersDropped{0};
  std::atomic<int> m_droppedWhileClosing{0};
  std::atomic<int> m_rebuilds{0};
  std::atomic<int> m_selections{0};
  std::atomic<int> m_stockSelections{0};
};

// The simulated trade client with every answer-carrying request routed
// through the ledger. Requests without a callback (the report refreshes)
// pass untouched and are counted. Install it as the trade client singleton
// before any panel exists; the ledger must outlive it.
class CAuditedTradeClient : public LW::CTradeClient {
public:
  explicit CAuditedTradeClient(CPanelLedger* ledger) : m_ledger(ledger) {}

  void updateTenderBondDetails(const boost::shared_ptr<mxservice::CTenderBondInfoDetail>& detail,
                               const ResultCallback& callback, int reserved1,
                               int reserved2) override;

  int requestsWithoutAnswer() const { return m_withoutAnswer.load(); }
  // Answer-carrying requests made outside a press the run announced.
  int unattributedRequests() const { return m_unattributed.load(); }

private:
  CPanelLedger* const m_ledger;  // not owned
  std::atomic<int> m_withoutAnswer{0};
  std::atomic<int> m_unattributed{0};
};

// Adds itself to the host logger while alive and reports every logged
// tender answer failure to the ledger (on the logging thread).
class CAnswerFailureListener {
public:
  explicit CAnswerFailureListener(CPanelLedger* ledger);
  ~CAnswerFailureListener();
  CAnswerFailureListener(const CAnswerFailureListener&) = delete;
  CAnswerFailureListener& operator=(const CAnswerFailureListener&) = delete;

private:
  class Appender;
  std::shared_ptr<Appender> m_appender;
};

// --- what a settled panel shows, from the host data ---------------------------

// Row keys of an instruments list of tradeType for the (upper-cased) filter,
// in the host's order: the list and filter rules applied record by record.
// Covers the plain single-type lists, the fund list and the inter-bank lists.
std::vector<std::string> expectedInstrumentKeys(mxservice::ENqTraderType tradeType,
                                                const QString& filter);
// Bond codes a tender search for query lists, in the exchange client's order.
std::vector<std::string> expectedTenderCodes(const LW::TenderSearchQuery& query);
// Row keys of the bond info panel for its search text, in the data centre's order.
std::vector<std::string> expectedBondInfoKeys(const std::string& text);
// The bond a command's "btdparam" document names, read with the host's own
// record reader; false when the command has no such document.
bool bondOfCommand(const mxservice::COrderCommand& command, std::string* bondCode);
// The workflow status of one bond from the commands: the first command of
// the bond (its "btdparam" read with the host's record reader) in account
// order that is approving, running, locked or completed decides; all
// revoked gives revoked; anything else, or no command, gives -2.
int expectedTenderStatus(const std::vector<mxservice::COrderCommandPtr>& commands,
                         const std::string& bondCode);
// Button ids of a status: lock and revoke while approving or running,
// unlock while locked, none otherwise.
std::vector<int> expectedTenderButtonIds(int status);
// The text of the status column for a tender status.
QString tenderStatusLabel(int status);

}  // namespace stresstest
