#pragma once
// The host side of the panel stress run: a script one host thread plays
// against the current account and the tender panel, as the host's own
// threads do it (order commands stored in the account data, report amounts
// and command statuses pushed through the panel library's entry points,
// announcements raised on the calling thread).
//
// Threads: runHost() on the thread that plays the script; the counts are
// atomic and read once every host thread has joined.

#include "host/services/accountdata.h"
#include "panel/instrumentspanel.h"

#include <QMap>
#include <QString>
#include <atomic>
#include <chrono>
#include <string>
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
  int iterations = 0;  // at most
  std::chrono::steady_clock::time_point deadline;
  const std::atomic<bool>* stop = nullptr;  // set once the GUI has had its turn
  mxservice::CAccountDataPtr account;
  std::vector<std::string> bondCodes;
  std::vector<int> tenderCommandIds;             // of the installed data set
  LW::CInstrumentsPanel* tenderPanel = nullptr;  // open until the threads joined
  QMap<QString, mxservice::CInstrumentDetailPtr> stockList;
};

// Plays script until its iterations are done, stop is set or its deadline
// has passed, sleeping a little between steps so that the threads keep
// pace with the GUI's work rather than racing through their count first. Marks the calling thread
// as a host thread (stresssupport.h).
void runHost(const HostScript& script, HostCounts& counts);

}  // namespace stresstest
