#pragma once
// The workflow status of tender bonds, derived from the order commands of
// the current account.
//
// The rule for one bond: among the bond's commands (those whose "btdparam"
// names the bond), in the account's order, the first whose status is 0, 2,
// 204 or 201 decides; otherwise 5 when every one of them is revoked (5);
// otherwise, and when the bond has no command at all, -2. A command still
// approving, running, locked or completed thus outweighs any number of
// revoked ones.
//
// tenderStatusOfBond() applies the rule to one bond; CTenderStatusTable
// answers it for every bond of a set of commands at once, with the same
// results.
//
// Threads: the functions may be called from any thread. A table is
// immutable after construction and may be shared between threads.

#include "host/core/annotatedmutex.h"
#include "host/data/ordercommand.h"

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace LW {

// A copy of the current account's order commands, in the account's order,
// taken under the account data's lock; empty without a data centre or a
// current account.
std::vector<mxservice::COrderCommandPtr> currentOrderCommands();

// Orders every derive-and-write of tender statuses across all models. The
// tender details are shared by every panel; a model that reads the order
// commands and then writes a status must not interleave with another
// model's read and write, or the older derivation could land last (a panel
// closed meanwhile gets no later delivery to correct it). Taken after the
// model's own tender mutex, never before it; nothing that waits for another
// thread runs under it.
extern utils::CMutex sharedTenderStatusMutex;

// The bond code named by the command's tender parameters; false when the
// command has none that can be read (no "btdparam", or one that is not a
// document), in which case the command belongs to no bond.
bool tenderBondCodeOf(const mxservice::COrderCommand& command, std::string* bondCode);

// True when now holds the very command records of before, in the same
// order, each still with the status recorded in statusesBefore (as filled
// by CTenderStatusTable). A changed command is stored by the host as a new
// record, so this tells whether a status derived from before still holds.
bool sameCommands(const std::vector<mxservice::COrderCommandPtr>& before,
                  const std::vector<int>& statusesBefore,
                  const std::vector<mxservice::COrderCommandPtr>& now);

// The rule above for one bond, walking every command.
int tenderStatusOfBond(const std::vector<mxservice::COrderCommandPtr>& commands,
                       const std::string& bondCode);

// The rule above for every bond named by a list of commands.
class CTenderStatusTable {
public:
  // One pass over commands; null entries are skipped. Each command's status
  // is read once; when statusesRead is given it receives those values, one
  // per command (index-aligned, 0 for null entries), so that a caller can
  // tell later whether any command has changed since (see sameCommands).
  explicit CTenderStatusTable(const std::vector<mxservice::COrderCommandPtr>& commands,
                              std::vector<int>* statusesRead = nullptr);

  // The status of bondCode (-2 for a bond without commands).
  int status(const std::string& bondCode) const;
  // Bonds with at least one command.
  std::size_t bondCount() const { return m_bonds.size(); }

private:
  struct Verdict {
    int decided;       // the deciding status, or kUndecided
    bool onlyStopped;  // every command seen so far was revoked
  };
  static constexpr int kUndecided = -1000;

  std::unordered_map<std::string, Verdict> m_bonds;
};

}  // namespace LW
