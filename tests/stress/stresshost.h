#pragma once
// The host side of the panel stress run: a script one host thread plays
// against the current account and the tender panel, as the host's own
// threads do it (order commands stored in the account data, report amounts
// and command statuses pushed through the panel library's entry points,
// announcements raised on the calling thread).
//
// Threads: see CHostThreads; the counts are atomic and read once every host
// thread has joined.

#include "host/services/accountdata.h"
#include "panel/instrumentspanel.h"

#include <QMap>
#include <QString>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace stresstest {

// What the host threads did; written by them, read after they joined.
struct HostCounts {
  std::atomic<int> newCommands{0};
  std::atomic<int> changedCommands{0};
  std::atomic<int> withdrawnCommands{0};
  std::atomic<int> foreignCommands{0};  // other trading types, unreadable "btdparam"
  std::atomic<int> reportRefreshes{0};
  std::atomic<int> winBidRefreshes{0};
  std::atomic<int> unknownBondRefreshes{0};
  std::atomic<int> statusPushes{0};
  std::atomic<int> announcements{0};
  int commands() const {
    return newCommands + changedCommands + withdrawnCommands + foreignCommands;
  }
};

// What one host thread needs; everything is fixed before the threads start.
struct HostScript {
  int index = 0;
  int iterations = 0;    // of the mixed phase, at most
  int closingBurst = 0;  // order-command changes after the lists are fixed
  std::chrono::steady_clock::time_point deadline;  // of the mixed phase
  mxservice::CAccountDataPtr account;
  std::vector<std::string> bondCodes;
  std::vector<int> tenderCommandIds;             // of the installed data set
  LW::CInstrumentsPanel* tenderPanel = nullptr;  // open until the threads joined
  QMap<QString, mxservice::CInstrumentDetailPtr> stockList;
};

// The host threads of the run. Each plays its script in two phases:
// - mixed: every kind of host call, with short pauses so that the threads
//   keep pace with the GUI's work rather than racing through their count,
//   until the count is done, stopMixing() is called or the deadline passes;
// - closing burst: once playClosingBurstAndJoin() is called, closingBurst
//   order-command changes only (no searches, refreshes or announcements),
//   then, once every thread's burst is done and the trade server has
//   answered, one change to the first command of each bond of the thread's
//   share, so that the statuses the panels show at the end come from the
//   panels' order-command deliveries rather than from a search.
// The destructor abandons the burst and joins, so a failed test never
// leaves a thread behind.
//
// Threads: construct, call and destroy from one thread (the GUI thread).
class CHostThreads {
public:
  CHostThreads(const HostScript& base, int threadCount, HostCounts& counts);
  ~CHostThreads();
  CHostThreads(const CHostThreads&) = delete;
  CHostThreads& operator=(const CHostThreads&) = delete;

  void stopMixing();
  void playClosingBurstAndJoin();

private:
  void run(const HostScript& script, HostCounts& counts);

  const int m_threadCount;
  std::atomic<bool> m_stopMixing{false};
  std::atomic<bool> m_burst{false};
  std::atomic<bool> m_abandoned{false};
  std::atomic<int> m_burstsDone{0};
  std::vector<std::thread> m_threads;
};

}  // namespace stresstest
