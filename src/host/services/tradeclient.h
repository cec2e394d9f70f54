#pragma once
// The trade client: requests to the trading server, here answered by a
// simulated server on the client's own worker thread.
//
// Requests return at once and are handled one after another, in the order
// they were made, each after the configured latency (5 ms by default). A
// request's callback (when not empty) is called exactly once, on the worker
// thread, without any lock of the client held; a callback that throws is
// caught and logged.
//
// The simulated server:
// - updateTenderBondDetails stores the detail's trader and amounts, as they
//   were when the request was made, as the server's record of the bond
//   (serverTenderState) and answers success with {"bondCode", "trader"}.
// - updateOrderCommandStatus finds the command in the current account
//   (TraderCenter's data centre, account ""), stores a copy of it with the new
//   status (replacing the old record in place) and so publishes it to the
//   account's subscribers, as a server round trip would. It answers with
//   {"commandId", "status"}.
// - Errors: 1001 no tender bond detail, 2001 no current account, 2002 no
//   such order command. Injected failures (failBondCodes, failEveryNthRequest)
//   answer with the chosen id and message and change nothing. Bond codes
//   apply to tender updates and to status requests of commands whose
//   "btdparam" names the bond; every-Nth counts all requests from the last
//   configuration, the Nth, 2Nth, ... failing.
//
// Reached as utils::CManualSingletonT<LW::CTradeClient>::instance() (or
// instance()); lives on the QCoreApplication's thread for its signals.
//
// Threads: every member may be called from any thread (waitForIdle not from
// a callback). Server state is guarded by the server's mutex. Destroying the
// client stops the worker: queued requests are dropped without calling their
// callbacks, a request being handled is finished first, and no callback runs
// after the destructor has returned (when the client is destroyed from one of
// its own callbacks, that callback is the last).

#include "lwhost_data_export.h"

#include "host/core/tradertypes.h"
#include "host/services/ibondtenderservice.h"

#include <QObject>
#include <chrono>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace LW {

class LWHOST_DATA_EXPORT CTradeClient : public QObject, public IBondTenderService {
  Q_OBJECT

public:
  // What the simulated server holds for one tender bond.
  struct TenderServerState {
    std::string trader;
    double internalAmount = mxservice::kNoValueDouble;
    double externalAmount = mxservice::kNoValueDouble;
    double winBidAmount = mxservice::kNoValueDouble;
    int updates = 0;  // successful updates received
  };

  // One handled request, for tests and the demo's log.
  struct RequestRecord {
    enum Kind { TENDER_DETAILS, COMMAND_STATUS };
    Kind kind = TENDER_DETAILS;
    std::string bondCode;  // tender updates; status requests: from "btdparam", may be empty
    int commandId = 0;     // status requests
    int status = 0;        // status requests: the requested status
    std::string userName;  // status requests; tender updates: the detail's trader
    std::string passBackText;
    int errorId = 0;  // 0: success
  };

  CTradeClient();
  ~CTradeClient() override;

  static CTradeClient* instance();

  void updateTenderBondDetails(const boost::shared_ptr<mxservice::CTenderBondInfoDetail>& detail,
                               const ResultCallback& callback, int reserved1,
                               int reserved2) override;

  // Asks for a new status of command commandId. status is read at once (the
  // reference is not kept). remark, extra and flag are accepted for the
  // interface's sake and not used by the simulated server.
  virtual void updateOrderCommandStatus(int commandId, mxservice::EOrderCommandStatus& status,
                                        const std::string& userName, const std::string& remark,
                                        const std::string& passBackText, const bson::BSONObj& extra,
                                        const ResultCallback& callback, bool flag);

  // Simulated server configuration (host side).
  void setLatency(std::chrono::milliseconds latency);
  std::chrono::milliseconds latency() const;
  // Requests for these bond codes fail with errorId and message.
  void failBondCodes(const std::set<std::string>& bondCodes, int errorId,
                     const std::string& message);
  // Every Nth request from now on fails; n <= 0 turns it off.
  void failEveryNthRequest(int n, int errorId, const std::string& message);
  void clearFailures();

  // Waits until no request is queued or being handled; false on timeout or
  // when called on the worker thread.
  bool waitForIdle(std::chrono::milliseconds timeout = std::chrono::seconds(5));
  // Drops the queued requests; their callbacks are never called.
  void cancelPending();
  // Drops the queued requests and forgets the server state, the request log
  // and the failure settings; the latency is kept.
  void resetServer();

  // The server's record of a bond; false when it has none.
  bool serverTenderState(const std::string& bondCode, TenderServerState* state) const;
  std::vector<RequestRecord> handledRequests() const;  // in handling order

  // Host side: raise the signals.
  void notifyInterBankDatasFinished();
  void notifyBondTenderDatasFinished();

signals:
  void sigInitInterBankDatasFinished();
  void sigInitBondTenderDatasFinished();

private:
  struct Server;
  struct Request;
  void enqueue(std::unique_ptr<Request> request);

  std::shared_ptr<Server> m_server;  // shared with the worker; thread-safe itself
  std::thread m_worker;
};

}  // namespace LW
