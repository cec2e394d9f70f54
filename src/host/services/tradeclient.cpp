#include "host/services/tradeclient.h"

#include "host/core/annotatedmutex.h"
#include "host/core/singleton.h"
#include "host/data/bondtendersparam.h"
#include "host/services/accountdata.h"
#include "host/services/servicelog.h"
#include "host/services/tradercenter.h"

#include <QCoreApplication>
#include <boost/make_shared.hpp>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>

namespace LW {

namespace {
using Clock = std::chrono::steady_clock;

const int kErrorNoDetail = 1001;
const int kErrorNoAccount = 2001;
const int kErrorNoCommand = 2002;

// The bond a command belongs to, from its "btdparam" document; empty when the
// command carries none.
std::string bondCodeOfCommand(const mxservice::COrderCommandPtr& command) {
  if (!command) return std::string();
  bson::BSONElement element = command->params.getField("btdparam");
  if (element.eoo() || element.type() != bson::Object) return std::string();
  mxservice::CBondTendersParam param;
  param.bsonValueFromObj(element.embeddedObject(), true, nullptr);
  return param.bondCode;
}

mxservice::CAccountDataPtr currentAccount() {
  return mxservice::TraderCenter::instance()->getDataCenter()->getAccountData(std::string());
}

void moveToApplicationThread(QObject* object) {
  if (QCoreApplication* app = QCoreApplication::instance()) {
    if (object->thread() != app->thread()) object->moveToThread(app->thread());
  }
}
}  // namespace

struct CTradeClient::Request {
  RequestRecord record;
  boost::shared_ptr<mxservice::CTenderBondInfoDetail> detail;
  TenderServerState values;  // the detail's values when the request was made
  ResultCallback callback;
  utils::MXError injected;  // an injected failure, decided on receipt
  Clock::time_point due;
};

// The simulated server: the request queue, the worker loop and the server's
// records. Shared by the client and its worker thread, so the worker never
// touches the client object.
struct CTradeClient::Server {
  utils::CMutex mutex;
  std::condition_variable wake;  // queue, due times or stopping changed
  std::condition_variable idle;  // queue drained and nothing being handled
  std::deque<std::unique_ptr<Request>> queue LW_GUARDED_BY(mutex);
  bool busy LW_GUARDED_BY(mutex) = false;
  bool stopping LW_GUARDED_BY(mutex) = false;
  std::thread::id workerId LW_GUARDED_BY(mutex);  // set once
  std::chrono::milliseconds latency LW_GUARDED_BY(mutex) = std::chrono::milliseconds(5);
  std::set<std::string> failCodes LW_GUARDED_BY(mutex);
  utils::MXError failCodesError LW_GUARDED_BY(mutex);
  int everyN LW_GUARDED_BY(mutex) = 0;
  long long counted LW_GUARDED_BY(mutex) = 0;
  utils::MXError everyNError LW_GUARDED_BY(mutex);
  std::map<std::string, TenderServerState> tenders LW_GUARDED_BY(mutex);
  std::vector<RequestRecord> handled LW_GUARDED_BY(mutex);

  // Nothing queued and nothing being handled (or the server stopping).
  bool isIdle() const LW_REQUIRES(mutex) { return stopping || (queue.empty() && !busy); }

  // Decides an injected failure for a request being received.
  utils::MXError injectedFailure(const std::string& bondCode) {
    utils::CMutexLocker<utils::CMutex> lock(mutex);
    ++counted;
    if (everyN > 0 && counted % everyN == 0) return everyNError;
    if (!bondCode.empty() && failCodes.count(bondCode)) return failCodesError;
    return utils::MXError();
  }

  void run() {
    utils::CUniqueLocker lock(mutex);
    for (;;) {
      if (stopping) break;
      if (queue.empty()) {
        lock.wait(wake);
        continue;
      }
      const Clock::time_point due = queue.front()->due;
      if (Clock::now() < due) {
        lock.waitUntil(wake, due);
        continue;
      }
      std::unique_ptr<Request> request = std::move(queue.front());
      queue.pop_front();
      busy = true;
      lock.unlock();
      handle(*request);
      request.reset();  // the callback's bound objects go outside the lock
      lock.lock();
      busy = false;
      if (queue.empty()) idle.notify_all();
    }
    busy = false;
    idle.notify_all();
  }

  void handle(Request& request) {
    utils::MXError outcome = request.injected;
    bson::BSONObj answer;
    if (request.record.kind == RequestRecord::TENDER_DETAILS) {
      if (!request.detail) {
        outcome = utils::MXError(kErrorNoDetail, "no tender bond detail in the request");
      } else if (outcome.isSuccess()) {
        utils::CMutexLocker<utils::CMutex> lock(mutex);
        TenderServerState& state = tenders[request.record.bondCode];
        const int updates = state.updates + 1;
        state = request.values;
        state.updates = updates;
      }
      if (outcome.isSuccess()) {
        bson::BSONObjBuilder builder;
        builder.append("bondCode", request.record.bondCode);
        builder.append("trader", request.values.trader);
        answer = builder.obj();
      }
    } else {
      mxservice::CAccountDataPtr account = currentAccount();
      mxservice::COrderCommandPtr command =
          account ? account->findOrderCommand(request.record.commandId)
                  : mxservice::COrderCommandPtr();
      if (!account) {
        outcome = utils::MXError(kErrorNoAccount, "no current account");
      } else if (!command) {
        outcome = utils::MXError(
            kErrorNoCommand,
            "order command " + std::to_string(request.record.commandId) + " not found");
      } else if (outcome.isSuccess()) {
        // The server answers with a new version of the record rather than
        // writing into the one readers already hold.
        auto changed = boost::make_shared<mxservice::COrderCommand>(*command);
        changed->setStatus(request.record.status);
        account->addOrUpdate(changed);
        bson::BSONObjBuilder builder;
        builder.append("commandId", request.record.commandId);
        builder.append("status", request.record.status);
        answer = builder.obj();
      }
    }
    request.record.errorId = outcome.errorID();
    {
      utils::CMutexLocker<utils::CMutex> lock(mutex);
      handled.push_back(request.record);
    }
    if (!outcome.isSuccess()) {
      mxservice::servicelog::warning("LW::CTradeClient", "request failed, error id " +
                                                             std::to_string(outcome.errorID()) +
                                                             ": " + outcome.errorMsg());
    }
    if (request.callback.empty()) return;
    try {
      request.callback(outcome, answer);
    } catch (const std::exception& e) {
      mxservice::servicelog::error("LW::CTradeClient",
                                   std::string("request callback threw: ") + e.what());
    } catch (...) {
      mxservice::servicelog::error("LW::CTradeClient",
                                   "request callback threw a non-standard exception");
    }
  }
};

CTradeClient::CTradeClient() : m_server(std::make_shared<Server>()) {
  moveToApplicationThread(this);
  std::shared_ptr<Server> server = m_server;
  utils::CMutexLocker<utils::CMutex> lock(m_server->mutex);
  m_worker = std::thread([server] { server->run(); });
  m_server->workerId = m_worker.get_id();
}

CTradeClient::~CTradeClient() {
  std::deque<std::unique_ptr<Request>> dropped;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_server->mutex);
    m_server->stopping = true;
    dropped.swap(m_server->queue);
  }
  m_server->wake.notify_all();
  if (std::this_thread::get_id() == m_worker.get_id()) {
    // Destroyed from one of our callbacks: the worker leaves its loop when
    // the callback returns; it holds its own share of the server.
    m_worker.detach();
  } else {
    m_worker.join();
  }
}

CTradeClient* CTradeClient::instance() {
  return utils::CManualSingletonT<CTradeClient>::instance();
}

void CTradeClient::enqueue(std::unique_ptr<Request> request) {
  // Once queued, the request may be answered, and its callback may destroy
  // this client, before this call returns: touch only the local share of the
  // server after the push.
  std::shared_ptr<Server> server = m_server;
  {
    utils::CMutexLocker<utils::CMutex> lock(server->mutex);
    if (server->stopping) return;
    request->due = Clock::now() + server->latency;
    server->queue.push_back(std::move(request));
  }
  server->wake.notify_all();
}

void CTradeClient::updateTenderBondDetails(
    const boost::shared_ptr<mxservice::CTenderBondInfoDetail>& detail,
    const ResultCallback& callback, int /*reserved1*/, int /*reserved2*/) {
  std::unique_ptr<Request> request(new Request());
  request->record.kind = RequestRecord::TENDER_DETAILS;
  request->detail = detail;
  request->callback = callback;
  if (detail) {
    request->record.bondCode = detail->bondCode;
    request->values.trader = detail->trader();
    request->values.internalAmount = detail->internalAmount();
    request->values.externalAmount = detail->externalAmount();
    request->values.winBidAmount = detail->winBidAmount();
    request->record.userName = request->values.trader;
  }
  request->injected = m_server->injectedFailure(request->record.bondCode);
  enqueue(std::move(request));
}

void CTradeClient::updateOrderCommandStatus(int commandId, mxservice::EOrderCommandStatus& status,
                                            const std::string& userName,
                                            const std::string& /*remark*/,
                                            const std::string& passBackText,
                                            const bson::BSONObj& /*extra*/,
                                            const ResultCallback& callback, bool /*flag*/) {
  std::unique_ptr<Request> request(new Request());
  request->record.kind = RequestRecord::COMMAND_STATUS;
  request->record.commandId = commandId;
  request->record.status = status;
  request->record.userName = userName;
  request->record.passBackText = passBackText;
  request->callback = callback;
  if (mxservice::CAccountDataPtr account = currentAccount())
    request->record.bondCode = bondCodeOfCommand(account->findOrderCommand(commandId));
  request->injected = m_server->injectedFailure(request->record.bondCode);
  enqueue(std::move(request));
}

void CTradeClient::setLatency(std::chrono::milliseconds latency) {
  if (latency.count() < 0) latency = std::chrono::milliseconds(0);
  utils::CMutexLocker<utils::CMutex> lock(m_server->mutex);
  m_server->latency = latency;
}

std::chrono::milliseconds CTradeClient::latency() const {
  utils::CMutexLocker<utils::CMutex> lock(m_server->mutex);
  return m_server->latency;
}

namespace {
// 0 means success to every caller, so an injected failure never uses it.
utils::MXError failure(int errorId, const std::string& message) {
  return utils::MXError(errorId == 0 ? -1 : errorId, message);
}
}  // namespace

void CTradeClient::failBondCodes(const std::set<std::string>& bondCodes, int errorId,
                                 const std::string& message) {
  utils::CMutexLocker<utils::CMutex> lock(m_server->mutex);
  m_server->failCodes = bondCodes;
  m_server->failCodesError = failure(errorId, message);
}

void CTradeClient::failEveryNthRequest(int n, int errorId, const std::string& message) {
  utils::CMutexLocker<utils::CMutex> lock(m_server->mutex);
  m_server->everyN = n > 0 ? n : 0;
  m_server->counted = 0;
  m_server->everyNError = failure(errorId, message);
}

void CTradeClient::clearFailures() {
  utils::CMutexLocker<utils::CMutex> lock(m_server->mutex);
  m_server->failCodes.clear();
  m_server->everyN = 0;
  m_server->counted = 0;
}

bool CTradeClient::waitForIdle(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  utils::CUniqueLocker lock(m_server->mutex);
  if (std::this_thread::get_id() == m_server->workerId) {
    mxservice::servicelog::error("LW::CTradeClient::waitForIdle",
                                 "called on the worker thread; it would wait for itself");
    return false;
  }
  while (!m_server->isIdle()) {
    if (lock.waitUntil(m_server->idle, deadline) == std::cv_status::timeout)
      return m_server->isIdle();
  }
  return true;
}

void CTradeClient::cancelPending() {
  std::deque<std::unique_ptr<Request>> dropped;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_server->mutex);
    dropped.swap(m_server->queue);
    if (!m_server->busy) m_server->idle.notify_all();
  }
  m_server->wake.notify_all();
}

void CTradeClient::resetServer() {
  cancelPending();
  utils::CMutexLocker<utils::CMutex> lock(m_server->mutex);
  m_server->tenders.clear();
  m_server->handled.clear();
  m_server->failCodes.clear();
  m_server->everyN = 0;
  m_server->counted = 0;
}

bool CTradeClient::serverTenderState(const std::string& bondCode, TenderServerState* state) const {
  utils::CMutexLocker<utils::CMutex> lock(m_server->mutex);
  auto it = m_server->tenders.find(bondCode);
  if (it == m_server->tenders.end()) return false;
  if (state) *state = it->second;
  return true;
}

std::vector<CTradeClient::RequestRecord> CTradeClient::handledRequests() const {
  utils::CMutexLocker<utils::CMutex> lock(m_server->mutex);
  return m_server->handled;
}

void CTradeClient::notifyInterBankDatasFinished() { emit sigInitInterBankDatasFinished(); }

void CTradeClient::notifyBondTenderDatasFinished() { emit sigInitBondTenderDatasFinished(); }

}  // namespace LW
