#pragma once
// The row store behind GU::IBaseHpfTableModel: current rows in model order
// with a key index, batch bookkeeping, the committed and published snapshots,
// the column delegates and the rows-committed listener. Internal to the table
// library.
//
// Copy-on-write: snapshots share the current vector; a change copies it only
// when a snapshot still holds it. A reload (clear, then add) therefore never
// copies: clear() starts a fresh vector. Outside a batch a change costs no
// copy either until someone takes a snapshot.
//
// Threads: every member may be called from any thread. m_mutex guards the row
// state, m_delegateMutex the delegates, m_listenerMutex the listener. No lock
// is held while a row or the listener runs; callers compute row keys first.

#include "lwhost_table_export.h"

#include "host/table/hpfkeyindex.h"
#include "host/table/hpftypes.h"

#include <atomic>
#include <boost/function.hpp>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace GU {

class LWHOST_TABLE_EXPORT CHpfRowStore {
public:
  CHpfRowStore();
  ~CHpfRowStore();

  // Each change returns whether it changed anything; the caller then runs
  // notifyCommitted() unless inBatch() (the batch end notifies instead).
  bool add(const HpfRowPtr& row, const std::string& key);
  bool update(const HpfRowPtr& row, const std::string& key);
  bool remove(const std::string& key);
  bool clear();

  HpfRowPtr byKey(const std::string& key) const;
  HpfRowPtr at(int row) const;
  HpfRowVector copyAll() const;
  int count() const;

  void beginBatch();
  // True when the outermost batch ended after changing rows.
  bool endBatch();
  bool hasUncommitted() const;
  HpfRowSnapshot committed() const;
  HpfRowSnapshot publish();

  // Runs the listener (new rows are committed).
  void notifyCommitted();
  // True while a batch is open.
  bool inBatch() const;
  void setListener(const boost::function<void()>& listener);

  // Table id and type of the attached table; atomics, any thread.
  void setInfo(int tableId, int tableType) {
    m_tableId.store(tableId);
    m_tableType.store(tableType);
  }
  int tableId() const { return m_tableId.load(); }
  int tableType() const { return m_tableType.load(); }

  HpfDelegatePtr delegate(int column) const;
  void setDelegate(int column, const HpfDelegatePtr& delegate);

private:
  // Makes m_live exclusively ours before a change. Caller holds m_mutex.
  void detachLocked();
  HpfRowSnapshot committedLocked() const;

  mutable std::mutex m_mutex;
  boost::shared_ptr<HpfRowVector> m_live;  // guarded by m_mutex
  std::vector<std::string> m_keys;         // key of each row of m_live, same order; m_mutex
  // key -> position in m_live; m_mutex. Mutable: a lookup may place keys.
  mutable CHpfKeyIndex m_index;
  HpfRowSnapshot m_batchBase;   // rows before the running batch; m_mutex
  HpfRowSnapshot m_published;   // rows of the last publish(); m_mutex
  bool m_hasPublished = false;  // m_mutex
  int m_batchDepth = 0;         // m_mutex
  bool m_batchDirty = false;    // m_mutex

  mutable std::mutex m_delegateMutex;
  std::map<int, HpfDelegatePtr> m_delegates;  // guarded by m_delegateMutex

  std::atomic<int> m_tableId{0};
  std::atomic<int> m_tableType{0};

  mutable std::mutex m_listenerMutex;
  boost::function<void()> m_listener;  // guarded by m_listenerMutex
};

}  // namespace GU
