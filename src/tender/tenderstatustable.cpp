#include "tender/tenderstatustable.h"

#include "host/core/annotatedmutex.h"
#include "host/core/tradertypes.h"
#include "host/services/accountdata.h"
#include "host/services/idatacenter.h"
#include "host/services/tradercenter.h"
#include "tender/bondtendersparamreader.h"

#include <algorithm>
#include <functional>

namespace LW {

namespace {

// Statuses that settle a bond's workflow at the first command carrying them.
bool decidesStatus(int status) {
  return status == mxservice::ORDER_COMMAND_RUNNING ||
         status == mxservice::ORDER_COMMAND_APPROVING ||
         status == mxservice::ORDER_COMMAND_LOCKED ||
         status == mxservice::ORDER_COMMAND_DEAL_FINISHED;
}

// Whether the parameters may name the bond: a BSON string is stored as its
// raw bytes, so a document whose bytes do not contain the code has no field
// holding it. Far cheaper than reading the document, and exact as a filter
// (a hit is still read). Built once per bond, used on every command.
class CBondCodeFilter {
public:
  explicit CBondCodeFilter(const std::string& bondCode)
      : m_code(bondCode), m_searcher(m_code.begin(), m_code.end()) {}

  bool mayName(const bson::BSONObj& parameters) const {
    if (m_code.empty()) return true;
    const char* begin = reinterpret_cast<const char*>(parameters.objdata());
    const char* end = begin + parameters.objsize();
    return std::search(begin, end, m_searcher) != end;
  }

private:
  const std::string m_code;
  const std::boyer_moore_horspool_searcher<std::string::const_iterator> m_searcher;
};

}  // namespace

// A variable rather than a function so that its lock order can be declared
// to the compiler (ACQUIRED_BEFORE in tendermodel.h); constant-initialised,
// so it is usable from any static constructor.
utils::CMutex sharedTenderStatusMutex;

std::vector<mxservice::COrderCommandPtr> currentOrderCommands() {
  const boost::shared_ptr<mxservice::IDataCenter> dataCenter =
      mxservice::TraderCenter::instance()->getDataCenter();
  if (!dataCenter) return {};
  const boost::shared_ptr<mxservice::CAccountData> account =
      dataCenter->getAccountData(std::string());
  if (!account) return {};
  // The copy is taken under the account's own lock; nothing else is done
  // while it is held.
  return account->orderCommands();
}

bool tenderBondCodeOf(const mxservice::COrderCommand& command, std::string* bondCode) {
  return readTenderBondCode(command.params, bondCode);
}

// The parameters are read only of commands whose raw bytes contain the bond
// code: most commands of an account belong to other bonds.
int tenderStatusOfBond(const std::vector<mxservice::COrderCommandPtr>& commands,
                       const std::string& bondCode) {
  std::vector<int> statuses;  // of the bond's commands, in order
  std::string code;
  const CBondCodeFilter filter(bondCode);
  for (const mxservice::COrderCommandPtr& command : commands) {
    if (!command || !filter.mayName(command->params)) continue;
    if (!tenderBondCodeOf(*command, &code) || code != bondCode) continue;
    statuses.push_back(command->status());
  }
  if (statuses.empty()) return mxservice::ORDER_COMMAND_SETTLE_FINISHED;
  for (int status : statuses) {
    if (decidesStatus(status)) return status;
  }
  for (int status : statuses) {
    if (status != mxservice::ORDER_COMMAND_STOPPED) return mxservice::ORDER_COMMAND_SETTLE_FINISHED;
  }
  return mxservice::ORDER_COMMAND_STOPPED;
}

bool sameCommands(const std::vector<mxservice::COrderCommandPtr>& before,
                  const std::vector<int>& statusesBefore,
                  const std::vector<mxservice::COrderCommandPtr>& now) {
  if (before.size() != now.size() || before.size() != statusesBefore.size()) return false;
  for (std::size_t i = 0; i < now.size(); ++i) {
    if (before[i] != now[i]) return false;
    if (now[i] && now[i]->status() != statusesBefore[i]) return false;
  }
  return true;
}

// A tender search needs the status of thousands of bonds over tens of
// thousands of commands. Applying the rule bond by bond would read every
// command's "btdparam" document once per bond; the table reads each document
// once, groups the commands by bond code in one pass and then answers each
// bond in constant time.
CTenderStatusTable::CTenderStatusTable(const std::vector<mxservice::COrderCommandPtr>& commands,
                                       std::vector<int>* statusesRead) {
  if (statusesRead) statusesRead->assign(commands.size(), 0);
  std::string code;
  for (std::size_t i = 0; i < commands.size(); ++i) {
    const mxservice::COrderCommandPtr& command = commands[i];
    if (!command) continue;
    // Each status is read once: a command whose status the trade client
    // changes meanwhile counts with one value, not two.
    const int status = command->status();
    if (statusesRead) (*statusesRead)[i] = status;
    if (!tenderBondCodeOf(*command, &code)) continue;
    auto inserted = m_bonds.try_emplace(code, Verdict{kUndecided, true});
    Verdict& verdict = inserted.first->second;
    if (verdict.decided != kUndecided) continue;
    if (decidesStatus(status)) {
      verdict.decided = status;
    } else if (status != mxservice::ORDER_COMMAND_STOPPED) {
      verdict.onlyStopped = false;
    }
  }
}

int CTenderStatusTable::status(const std::string& bondCode) const {
  const auto it = m_bonds.find(bondCode);
  if (it == m_bonds.end()) return mxservice::ORDER_COMMAND_SETTLE_FINISHED;
  const Verdict& verdict = it->second;
  if (verdict.decided != kUndecided) return verdict.decided;
  return verdict.onlyStopped ? mxservice::ORDER_COMMAND_STOPPED
                             : mxservice::ORDER_COMMAND_SETTLE_FINISHED;
}

}  // namespace LW
