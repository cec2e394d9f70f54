#include "stresshost.h"

#include "stresssupport.h"

#include "host/bson/bsonobj.h"
#include "host/data/ordercommand.h"
#include "host/services/exchangeclient.h"
#include "host/services/quoteclient.h"
#include "host/services/tradeclient.h"
#include "tender/instrumentshelper.h"

#include <boost/make_shared.hpp>
#include <functional>
#include <limits>
#include <random>
#include <set>
#include <thread>

namespace stresstest {

namespace {

using Clock = std::chrono::steady_clock;

const auto kTender = mxservice::NQ_TRADER_BOND_TENDER;
const int kCatchUpEvery = 25;

// An amount as the host might hand it over, now and then one the formatter
// refuses.
double hostAmount(std::mt19937& random) {
  switch (random() % 10) {
    case 0:
      return std::numeric_limits<double>::quiet_NaN();
    case 1:
      return std::numeric_limits<double>::infinity();
    case 2:
      return -1.23456;
    default:
      return static_cast<double>(random() % 200000) / 1000.0;
  }
}

mxservice::COrderCommandPtr tenderCommand(int commandId, const std::string& bondCode, int status) {
  auto command = boost::make_shared<mxservice::COrderCommand>();
  command->tradeType = kTender;
  command->commandId = commandId;
  command->passBackText = "TB|" + bondCode + "|" + std::to_string(commandId);
  bson::BSONObjBuilder inner;
  inner.append("bondCode", bondCode);
  inner.append("direction", "execution");
  bson::BSONObjBuilder outer;
  outer.append("btdparam", inner.obj());
  command->params = outer.obj();
  command->setStatus(status);
  return command;
}

// Commands that no tender row may follow: an order of another trading type,
// and tender commands whose "btdparam" is missing or not a document.
mxservice::COrderCommandPtr foreignCommand(int commandId, int variant) {
  auto command = boost::make_shared<mxservice::COrderCommand>();
  command->commandId = commandId;
  command->setStatus(mxservice::ORDER_COMMAND_RUNNING);
  switch (variant % 3) {
    case 0:
      command->tradeType = mxservice::NQ_TRADER_STOCK;
      command->params = bson::BSONObj::fromJson(R"({"marketId": "SH", "stockCode": "600000"})");
      break;
    case 1:
      command->tradeType = kTender;
      command->params = bson::BSONObj::fromJson(R"({"btdparam": "260221"})");
      break;
    default:
      command->tradeType = kTender;
      command->params = bson::BSONObj::fromJson(R"({"accountId": "88000001"})");
      break;
  }
  return command;
}

// One host thread's part: the script, its random stream and the commands it
// has created. Lives on that thread only.
class CHostPlayer {
public:
  CHostPlayer(const HostScript& script, HostCounts& counts)
      : m_script(script), m_counts(counts), m_random(1000 + script.index) {}

  // The mixed phase: every kind of host call.
  void mix(int step) {
    const int pick = static_cast<int>(m_random() % 100);
    if (pick < 55) {
      changeCommands(step);
    } else if (pick < 60) {
      m_script.account->addOrUpdate(foreignCommand(900000 + m_script.index * 100000 + step, step));
      ++m_counts.foreignCommands;
    } else if (pick < 71) {
      const bool known = m_random() % 8 != 0;
      const std::string code = known ? anyBond() : std::string("NO-SUCH-BOND");
      m_script.tenderPanel->refreshBondTenderReportData(code, hostAmount(m_random),
                                                        hostAmount(m_random));
      ++m_counts.reportRefreshes;
      if (!known) ++m_counts.unknownBondRefreshes;
    } else if (pick < 79) {
      m_script.tenderPanel->refreshBondTenderWinBidAmount(anyBond(), hostAmount(m_random));
      ++m_counts.winBidRefreshes;
    } else if (pick < 84) {
      pushStatus();
    } else {
      announce(step);
    }
  }

  // Order commands only: new, changed and withdrawn ones, and statuses
  // pushed through the trade client, which come back as changed commands.
  void changeCommands(int step) {
    const int pick = static_cast<int>(m_random() % 100);
    if (pick < 60) {
      if (auto current = m_script.account->findOrderCommand(anyCommandId())) {
        auto changed = boost::make_shared<mxservice::COrderCommand>(*current);
        changed->setStatus(kStatuses[m_random() % 7]);
        m_script.account->addOrUpdate(changed);
        ++m_counts.changedCommands;
      }
    } else if (pick < 80) {
      const int id = 200000 + m_script.index * 100000 + step;
      m_script.account->addOrUpdate(tenderCommand(id, anyBond(), kStatuses[m_random() % 7]));
      m_own.push_back(id);
      ++m_counts.newCommands;
    } else if (pick < 93) {
      // The account keeps no deletions: a command the host takes back
      // stays as revoked.
      if (auto current = m_script.account->findOrderCommand(anyCommandId())) {
        auto withdrawn = boost::make_shared<mxservice::COrderCommand>(*current);
        withdrawn->setStatus(mxservice::ORDER_COMMAND_STOPPED);
        m_script.account->addOrUpdate(withdrawn);
        ++m_counts.withdrawnCommands;
      }
    } else {
      pushStatus();
    }
  }

  // One last change to the first command of every third bond (this
  // thread's share): each of those bonds then ends on a change that only
  // its order-command delivery can show.
  void finalTouch(int threadCount) {
    std::set<std::string> touched;
    std::string code;
    for (const mxservice::COrderCommandPtr& command : m_script.account->orderCommands()) {
      if (!command || !bondOfCommand(*command, &code) || touched.count(code)) continue;
      touched.insert(code);
      if (std::hash<std::string>()(code) % threadCount !=
          static_cast<std::size_t>(m_script.index)) {
        continue;
      }
      auto changed = boost::make_shared<mxservice::COrderCommand>(*command);
      changed->setStatus(kStatuses[m_random() % 5]);
      m_script.account->addOrUpdate(changed);
      ++m_counts.changedCommands;
    }
  }

  void catchUp() {
    LW::CTradeClient::instance()->waitForIdle(std::chrono::seconds(10));
    m_script.account->waitForDeliveries(std::chrono::seconds(10));
  }

  void pause(int minimumUs, int spreadUs) {
    std::this_thread::sleep_for(std::chrono::microseconds(minimumUs + m_random() % spreadUs));
  }

private:
  // The first five are the ones the workflow names.
  static constexpr int kStatuses[] = {0, 2, 5, 201, 204, 3, -2};

  int anyCommandId() {
    if (!m_own.empty() && m_random() % 3 == 0) return m_own[m_random() % m_own.size()];
    return m_script.tenderCommandIds[m_random() % m_script.tenderCommandIds.size()];
  }

  const std::string& anyBond() {
    return m_script.bondCodes[m_random() % m_script.bondCodes.size()];
  }

  void pushStatus() {
    const int pushed[] = {2, 5, 204};
    LW::CInstrumentsHelper::updateCommandStatus(
        static_cast<mxservice::EOrderCommandStatus>(pushed[m_random() % 3]),
        QString::fromStdString(anyBond()));
    ++m_counts.statusPushes;
  }

  void announce(int step) {
    LW::CExchangeClient* exchange = LW::CExchangeClient::instance();
    switch (m_random() % 5) {
      case 0:
        exchange->emitStockList(m_script.stockList, 1);
        break;
      case 1:
        exchange->emitStockListChange({"600000.SH"});
        break;
      case 2:
        exchange->emitNewTradingDate(std::to_string(20300101 + step), "20300101");
        break;
      case 3:
        LW::CQuoteClient::instance()->notifyBondInfoReady();
        break;
      default:
        LW::CTradeClient::instance()->notifyBondTenderDatasFinished();
        break;
    }
    ++m_counts.announcements;
  }

  const HostScript& m_script;
  HostCounts& m_counts;
  std::mt19937 m_random;
  std::vector<int> m_own;  // ids of the commands this thread created
};

constexpr int CHostPlayer::kStatuses[];

}  // namespace

CHostThreads::CHostThreads(const HostScript& base, int threadCount, HostCounts& counts)
    : m_threadCount(threadCount) {
  for (int index = 0; index < threadCount; ++index) {
    HostScript script = base;
    script.index = index;
    m_threads.emplace_back([this, script, &counts] { run(script, counts); });
  }
}

CHostThreads::~CHostThreads() {
  m_abandoned = true;
  stopMixing();
  for (std::thread& thread : m_threads) {
    if (thread.joinable()) thread.join();
  }
}

void CHostThreads::stopMixing() { m_stopMixing = true; }

void CHostThreads::playClosingBurstAndJoin() {
  stopMixing();
  m_burst = true;
  for (std::thread& thread : m_threads) {
    if (thread.joinable()) thread.join();
  }
}

void CHostThreads::run(const HostScript& script, HostCounts& counts) {
  markHostThread();
  CHostPlayer player(script, counts);
  int step = 0;
  for (; step < script.iterations && !m_stopMixing && Clock::now() < script.deadline; ++step) {
    player.mix(step);
    player.pause(300, 2000);
    // A host that lets its work pile up tests nothing but the queues: now
    // and then wait for the trade server and the account's deliveries to
    // catch up (they never wait for the GUI thread, so this cannot stall).
    if (step % kCatchUpEvery == kCatchUpEvery - 1) player.catchUp();
  }
  while (!m_burst && !m_abandoned) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  if (m_abandoned) return;
  for (int burst = 0; burst < script.closingBurst; ++burst, ++step) {
    player.changeCommands(step);
    player.pause(100, 500);
  }
  // The last touches wait for every thread's burst and for the answers
  // still on their way, so that nothing changes those bonds afterwards.
  ++m_burstsDone;
  while (m_burstsDone.load() < m_threadCount && !m_abandoned) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  if (m_abandoned) return;
  player.catchUp();
  player.finalTouch(m_threadCount);
}

}  // namespace stresstest
