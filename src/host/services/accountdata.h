#pragma once
// The record tables of one trading account (order commands are data type
// 535) and the subscriptions to their changes.
//
// Records are kept per data type in the order they were first stored; a
// record whose key is already present replaces the old one in its place.
// The stored records are shared with every reader: a changed record is stored
// as a new object (see addOrUpdate), so a copy taken under the lock stays a
// consistent picture.
//
// Threads and locks:
// - m_mutex (recursive) guards m_tables. `Lock` holds it for a scope so that a
//   caller can read several records consistently through records(); keep
//   such scopes short and never call into other host services, or wait for a
//   subscription callback, while holding it.
// - Every other member function may be called from any thread and takes the
//   lock itself (recursively, so also inside a Lock scope).
// - Subscription callbacks run on this account's delivery thread (see
//   utils::SubTable), never with m_mutex held, so a callback may take the lock.
// - Destroy the account data from any thread except while holding its Lock;
//   destruction stops delivery (undelivered changes are dropped).

#include "lwhost_data_export.h"

#include "host/core/annotatedmutex.h"

#include "host/data/ordercommand.h"
#include "host/services/datakey.h"
#include "host/services/subtable.h"

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>
#include <chrono>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace mxservice {

class LWHOST_DATA_EXPORT CAccountData {
public:
  using SubTableType = utils::SubTable<IDataKey, boost::shared_ptr<IData>>;
  using SubRequestPtr = boost::shared_ptr<SubTableType::SubRequest>;
  using RecordCallback = boost::function<void(const boost::shared_ptr<IData>&)>;

  // Scoped lock on the account's record tables (recursive).
  class LW_SCOPED_CAPABILITY Lock {
  public:
    explicit Lock(const CAccountData& account) LW_ACQUIRE(account.m_mutex);
    // A null account locks nothing (logged): callers that already checked
    // for null never see that case. (The analysis cannot follow the null
    // case, hence its body goes unchecked.)
    explicit Lock(const boost::shared_ptr<CAccountData>& account)
        LW_ACQUIRE(account->m_mutex) LW_NO_THREAD_SAFETY_ANALYSIS;
    ~Lock() LW_RELEASE() LW_NO_THREAD_SAFETY_ANALYSIS;
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    bool ownsLock() const { return m_mutex != nullptr; }

  private:
    utils::CRecursiveMutex* m_mutex = nullptr;  // the account's; null: nothing locked
  };

  explicit CAccountData(std::string accountKey);
  ~CAccountData();
  CAccountData(const CAccountData&) = delete;
  CAccountData& operator=(const CAccountData&) = delete;

  // The account's key as IDataCenter::getAccountData knows it; fixed.
  const std::string& accountKey() const { return m_accountKey; }

  // The records of dataType, in order. Only valid while the caller holds a
  // Lock on this account: the reference is to the live table.
  const std::vector<IDataPtr>& records(int dataType) const;

  // Copies taken under the lock.
  std::vector<IDataPtr> copyRecords(int dataType) const;
  std::vector<COrderCommandPtr> orderCommands() const;
  IDataPtr findRecord(int dataType, const std::string& key) const;
  COrderCommandPtr findOrderCommand(int commandId) const;
  std::size_t recordCount(int dataType) const;

  // Host side: stores record under its data type (IData::dataType()) and key,
  // replacing a record with the same key in place, then publishes it to the
  // matching subscriptions. A null record is logged and ignored. Publication
  // order follows the order of the stores, also across threads.
  void addOrUpdate(const IDataPtr& record);

  // Host side: replaces the whole table of dataType without publishing (the
  // initial load). Null records and repeated keys (after the first) are
  // logged and skipped.
  void setRecords(int dataType, const std::vector<IDataPtr>& records);

  // Subscribes callback to the records of dataType stored from now on: every
  // record when key is empty, else the record with that key. Returns the
  // handle that keeps the subscription alive; null for an empty callback.
  SubRequestPtr subscribe(int dataType, const std::string& key, const RecordCallback& callback);

  // For tests: waits until every change stored so far has been delivered.
  // Must not be called from a subscription callback.
  bool waitForDeliveries(std::chrono::milliseconds timeout = std::chrono::seconds(5));

private:
  struct Table {
    std::vector<IDataPtr> records;
    std::unordered_map<std::string, std::size_t> index;  // key -> position
  };

  const std::string m_accountKey;
  mutable utils::CRecursiveMutex m_mutex;
  std::map<int, Table> m_tables LW_GUARDED_BY(m_mutex);
  SubTableType m_subscriptions;  // thread-safe itself; owns the delivery thread
};

using CAccountDataPtr = boost::shared_ptr<CAccountData>;

}  // namespace mxservice
