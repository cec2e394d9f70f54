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

#include "host/core/annotatedmutex.h"

#include "host/table/hpfkeyindex.h"
#include "host/table/hpftypes.h"

#include <atomic>
#include <boost/function.hpp>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace GU {

class LWHOST_TABLE_EXPORT CHpfRowStore {
public:
  using KeyList = std::vector<std::string>;
  using KeyListPtr = std::shared_ptr<const KeyList>;

  CHpfRowStore();
  ~CHpfRowStore();

  // Each change returns whether it changed anything; the caller then runs
  // notifyCommitted() unless inBatch() (the batch end notifies instead).
  bool add(const HpfRowPtr& row, const std::string& key);
  bool update(const HpfRowPtr& row, const std::string& key);
  bool remove(const std::string& key);
  bool clear();
  // clear() followed by add() of each row of *rows with (*keys)[i], as one
  // change: the new rows, keys and index are built without the lock and
  // swapped in under it, so a reader sees either every old row or every new
  // row. Rows must be non-null with non-empty keys (the caller filters); a
  // key listed twice keeps the last row at the first position. When no key
  // repeats, the store keeps both vectors as they are (they must not change
  // afterwards; the store copies before a change of its own), and a caller
  // handing the same key list again (a reload that selects the same rows)
  // spares the index a rebuild. False (and no change) when the store was
  // empty and rows is.
  bool replaceAll(boost::shared_ptr<HpfRowVector> rows, KeyListPtr keys);
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
  // Makes m_live exclusively ours before a change.
  void detachLocked() LW_REQUIRES(m_mutex);
  // m_keys, made exclusively ours for a change.
  KeyList& mutableKeysLocked() LW_REQUIRES(m_mutex);
  HpfRowSnapshot committedLocked() const LW_REQUIRES(m_mutex);

  mutable utils::CMutex m_mutex;
  boost::shared_ptr<HpfRowVector> m_live LW_GUARDED_BY(m_mutex);
  // The keys of m_live's rows, same order. Shared with whoever handed them to
  // replaceAll() (never changed in place then: a change copies them first).
  KeyListPtr m_keys LW_GUARDED_BY(m_mutex);
  bool m_keysShared LW_GUARDED_BY(m_mutex) = false;
  // key -> position in m_live. Mutable: a lookup may place keys.
  mutable CHpfKeyIndex m_index LW_GUARDED_BY(m_mutex);
  // The keys and index replaced last time. Handed that key list again,
  // replaceAll() swaps the pair back in; otherwise it refills the index's
  // memory instead of faulting in fresh pages (m_spareKeys is then null).
  KeyListPtr m_spareKeys LW_GUARDED_BY(m_mutex);
  bool m_spareKeysShared LW_GUARDED_BY(m_mutex) = false;
  CHpfKeyIndex m_spareIndex LW_GUARDED_BY(m_mutex);
  HpfRowSnapshot m_batchBase LW_GUARDED_BY(m_mutex);  // rows before the running batch
  HpfRowSnapshot m_published LW_GUARDED_BY(m_mutex);  // rows of the last publish()
  bool m_hasPublished LW_GUARDED_BY(m_mutex) = false;
  int m_batchDepth LW_GUARDED_BY(m_mutex) = 0;
  bool m_batchDirty LW_GUARDED_BY(m_mutex) = false;

  mutable utils::CMutex m_delegateMutex;
  std::map<int, HpfDelegatePtr> m_delegates LW_GUARDED_BY(m_delegateMutex);

  std::atomic<int> m_tableId{0};
  std::atomic<int> m_tableType{0};

  mutable utils::CMutex m_listenerMutex;
  boost::function<void()> m_listener LW_GUARDED_BY(m_listenerMutex);
};

}  // namespace GU
