#pragma once
// Every tender signal of a panel or of its tender workflow (both declare the
// same thirteen), in emission order, as (name, argument). The log's receiver
// lives on the thread that made it: emissions from another thread arrive
// queued, in order, when that thread processes events.

#include <QObject>
#include <QString>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

class TenderSignalLog {
public:
  using Entries = std::vector<std::pair<std::string, QString>>;

  template <typename Source>
  explicit TenderSignalLog(Source* source) {
    const std::pair<const char*, void (Source::*)(QString)> signalList[] = {
        {"ExecutionLocked", &Source::sigBondExecutionLockedTenderBond},
        {"AllocationLocked", &Source::sigBondAllocationLockedTenderBond},
        {"ExecutionDealFinished", &Source::sigBondExecutionDealFinishedTenderBond},
        {"AllocationDealFinished", &Source::sigBondAllocationDealFinishedTenderBond},
        {"ExecutionApproving", &Source::sigBondExecutionApprovingTenderBond},
        {"AllocationApproving", &Source::sigBondAllocationApprovingTenderBond},
        {"ExecutionRunning", &Source::sigBondExecutionRunningTenderBond},
        {"AllocationRunning", &Source::sigBondAllocationRunningTenderBond},
        {"ExecutionStopped", &Source::sigBondExecutionStoppedTenderBond},
        {"AllocationStopped", &Source::sigBondAllocationStoppedTenderBond},
        {"ExecutionSettleFinished", &Source::sigBondExecutionSettleFinishedTenderBond},
        {"AllocationSettleFinished", &Source::sigBondAllocationSettleFinishedTenderBond},
        {"RefreshCommandPanel", &Source::sigRefreshCommandPanel},
    };
    for (const auto& entry : signalList) {
      const std::string name = entry.first;
      QObject::connect(source, entry.second, &m_context,
                       [this, name](QString value) { m_entries.emplace_back(name, value); });
    }
  }

  const Entries& entries() const { return m_entries; }

private:
  QObject m_context;
  Entries m_entries;
};

}  // namespace testsupport
