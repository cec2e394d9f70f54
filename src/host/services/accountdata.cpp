#include "host/services/accountdata.h"

#include "host/services/servicelog.h"

#include <boost/pointer_cast.hpp>

namespace mxservice {

namespace {
const std::vector<IDataPtr>& emptyRecords() {
  static const std::vector<IDataPtr> empty;
  return empty;
}
}  // namespace

CAccountData::Lock::Lock(const CAccountData& account) : m_mutex(&account.m_mutex) {
  m_mutex->lock();
}

CAccountData::Lock::Lock(const boost::shared_ptr<CAccountData>& account) {
  if (!account) {
    servicelog::error("mxservice::CAccountData::Lock", "lock requested on a null account");
    return;
  }
  m_mutex = &account->m_mutex;
  m_mutex->lock();
}

CAccountData::Lock::~Lock() {
  if (m_mutex) m_mutex->unlock();
}

CAccountData::CAccountData(std::string accountKey)
    : m_accountKey(std::move(accountKey)), m_subscriptions("mxservice::CAccountData") {}

CAccountData::~CAccountData() = default;

const std::vector<IDataPtr>& CAccountData::records(int dataType) const {
  utils::CMutexLocker<utils::CRecursiveMutex> lock(m_mutex);
  auto it = m_tables.find(dataType);
  return it == m_tables.end() ? emptyRecords() : it->second.records;
}

std::vector<IDataPtr> CAccountData::copyRecords(int dataType) const {
  utils::CMutexLocker<utils::CRecursiveMutex> lock(m_mutex);
  auto it = m_tables.find(dataType);
  return it == m_tables.end() ? std::vector<IDataPtr>() : it->second.records;
}

std::vector<COrderCommandPtr> CAccountData::orderCommands() const {
  std::vector<COrderCommandPtr> commands;
  utils::CMutexLocker<utils::CRecursiveMutex> lock(m_mutex);
  auto it = m_tables.find(DATA_TYPE_ORDER_COMMAND);
  if (it == m_tables.end()) return commands;
  commands.reserve(it->second.records.size());
  for (const IDataPtr& record : it->second.records) {
    if (COrderCommandPtr command = boost::dynamic_pointer_cast<COrderCommand>(record))
      commands.push_back(command);
  }
  return commands;
}

IDataPtr CAccountData::findRecord(int dataType, const std::string& key) const {
  utils::CMutexLocker<utils::CRecursiveMutex> lock(m_mutex);
  auto table = m_tables.find(dataType);
  if (table == m_tables.end()) return IDataPtr();
  auto at = table->second.index.find(key);
  return at == table->second.index.end() ? IDataPtr() : table->second.records[at->second];
}

COrderCommandPtr CAccountData::findOrderCommand(int commandId) const {
  COrderCommand probe;
  probe.commandId = commandId;
  return boost::dynamic_pointer_cast<COrderCommand>(
      findRecord(DATA_TYPE_ORDER_COMMAND, probe.getKey()));
}

std::size_t CAccountData::recordCount(int dataType) const {
  utils::CMutexLocker<utils::CRecursiveMutex> lock(m_mutex);
  auto it = m_tables.find(dataType);
  return it == m_tables.end() ? 0 : it->second.records.size();
}

void CAccountData::addOrUpdate(const IDataPtr& record) {
  if (!record) {
    servicelog::error("mxservice::CAccountData::addOrUpdate", "null record ignored");
    return;
  }
  const int dataType = record->dataType();
  std::string key = record->getKey();
  // Publishing under the lock keeps the delivery order equal to the store
  // order when several threads store at once; publish() only queues, so no
  // callback runs under the lock.
  utils::CMutexLocker<utils::CRecursiveMutex> lock(m_mutex);
  Table& table = m_tables[dataType];
  auto at = table.index.find(key);
  if (at == table.index.end()) {
    table.index.emplace(key, table.records.size());
    table.records.push_back(record);
  } else {
    table.records[at->second] = record;
  }
  m_subscriptions.publish(IDataKey(dataType, std::move(key)), record);
}

void CAccountData::setRecords(int dataType, const std::vector<IDataPtr>& records) {
  Table table;
  table.records.reserve(records.size());
  for (const IDataPtr& record : records) {
    if (!record) {
      servicelog::warning("mxservice::CAccountData::setRecords", "null record skipped");
      continue;
    }
    std::string key = record->getKey();
    if (!table.index.emplace(key, table.records.size()).second) {
      servicelog::warning("mxservice::CAccountData::setRecords",
                          "repeated key " + key + " skipped");
      continue;
    }
    table.records.push_back(record);
  }
  {
    utils::CMutexLocker<utils::CRecursiveMutex> lock(m_mutex);
    std::swap(m_tables[dataType], table);
  }
  // `table` now holds the previous records; they are released here, outside
  // the lock.
}

CAccountData::SubRequestPtr CAccountData::subscribe(int dataType, const std::string& key,
                                                    const RecordCallback& callback) {
  if (callback.empty()) {
    servicelog::warning("mxservice::CAccountData::subscribe", "empty callback; no subscription");
    return SubRequestPtr();
  }
  return m_subscriptions.subscribe(IDataKey(dataType, key), callback);
}

bool CAccountData::waitForDeliveries(std::chrono::milliseconds timeout) {
  return m_subscriptions.waitForIdle(timeout);
}

}  // namespace mxservice
