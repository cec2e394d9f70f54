#include "host/table/hpfrowstore.h"

#include "host/core/annotatedmutex.h"

#include <algorithm>
#include <boost/make_shared.hpp>
#include <utility>

namespace GU {

CHpfRowStore::CHpfRowStore()
    : m_live(boost::make_shared<HpfRowVector>()), m_keys(std::make_shared<KeyList>()) {}

CHpfRowStore::~CHpfRowStore() = default;

void CHpfRowStore::detachLocked() {
  // use_count() is exact here: new owners only appear under m_mutex, and an
  // owner letting go concurrently can only make us copy when we need not.
  if (m_live.use_count() > 1) m_live = boost::make_shared<HpfRowVector>(*m_live);
  if (m_batchDepth > 0) m_batchDirty = true;
}

CHpfRowStore::KeyList& CHpfRowStore::mutableKeysLocked() {
  if (m_keysShared || m_keys.use_count() > 1) {
    m_keys = std::make_shared<KeyList>(*m_keys);
    m_keysShared = false;
  }
  // Ours alone and created non-const by this store.
  return const_cast<KeyList&>(*m_keys);
}

bool CHpfRowStore::add(const HpfRowPtr& row, const std::string& key) {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  detachLocked();
  const int position = m_index.find(key, *m_keys);
  if (position >= 0) {
    (*m_live)[static_cast<size_t>(position)] = row;
  } else {
    m_index.append(key);
    mutableKeysLocked().push_back(key);
    m_live->push_back(row);
  }
  return true;
}

bool CHpfRowStore::update(const HpfRowPtr& row, const std::string& key) {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  const int position = m_index.find(key, *m_keys);
  if (position < 0) return false;
  detachLocked();
  (*m_live)[static_cast<size_t>(position)] = row;
  return true;
}

bool CHpfRowStore::remove(const std::string& key) {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  const int position = m_index.find(key, *m_keys);
  if (position < 0) return false;
  detachLocked();
  m_live->erase(m_live->begin() + position);
  KeyList& keys = mutableKeysLocked();
  keys.erase(keys.begin() + position);
  // Every later row moved up by one; re-indexing costs what the move did.
  m_index.rebuild(keys);
  return true;
}

bool CHpfRowStore::clear() {
  // Released after the lock: the last owner of a row runs its destructor.
  boost::shared_ptr<HpfRowVector> old;
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  if (m_live->empty()) return false;
  // A fresh vector instead of clearing in place: snapshots keep the old one,
  // and the reload that usually follows fills the new one without a copy.
  old = m_live;
  m_live = boost::make_shared<HpfRowVector>();
  // Keys and index keep their memory: the next reload refills them.
  if (m_keysShared || m_keys.use_count() > 1) {
    m_keys = std::make_shared<KeyList>();
    m_keysShared = false;
  } else {
    const_cast<KeyList&>(*m_keys).clear();
  }
  m_index.clear();
  if (m_batchDepth > 0) m_batchDirty = true;
  return true;
}

bool CHpfRowStore::replaceAll(boost::shared_ptr<HpfRowVector> rows, KeyListPtr keys) {
  if (!rows) rows = boost::make_shared<HpfRowVector>();
  if (!keys) keys = std::make_shared<KeyList>();
  // One key per row: the longer of the two is cut to fit (in a copy; the
  // caller's vectors are never changed).
  if (keys->size() < rows->size()) {
    rows = boost::make_shared<HpfRowVector>(rows->begin(),
                                            rows->begin() + static_cast<long>(keys->size()));
  } else if (keys->size() > rows->size()) {
    keys =
        std::make_shared<KeyList>(keys->begin(), keys->begin() + static_cast<long>(rows->size()));
  }

  boost::shared_ptr<HpfRowVector> old;  // released after the lock
  CHpfKeyIndex index;
  KeyListPtr oldKeys;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_mutex);
    if (keys == m_keys) {
      // The same key list as the rows held now: positions and index stay.
      if (m_live->empty() && rows->empty()) return false;
      old = m_live;
      m_live = rows;
      if (m_batchDepth > 0) m_batchDirty = true;
      return true;
    }
    if (keys == m_spareKeys) {
      // The list held before the current one (a filter cleared, or set
      // again): its index is still at hand; the two swap places.
      if (m_live->empty() && rows->empty()) return false;
      old = m_live;
      m_live = rows;
      std::swap(m_keys, m_spareKeys);
      std::swap(m_keysShared, m_spareKeysShared);
      std::swap(m_index, m_spareIndex);
      if (m_batchDepth > 0) m_batchDirty = true;
      return true;
    }
    std::swap(index, m_spareIndex);
    m_spareKeys.reset();
  }

  // Built unlocked: readers (a repaint asking for a row's button) and other
  // writers go on with the old rows meanwhile. A key list without repeats is
  // kept as it is; with repeats the rows and keys are copied without them.
  const std::size_t count = rows->size();
  boost::shared_ptr<HpfRowVector> live = rows;
  bool shared = true;
  if (!index.rebuildUnique(*keys)) {
    auto unique = std::make_shared<KeyList>();
    unique->reserve(count);
    live = boost::make_shared<HpfRowVector>();
    live->reserve(count);
    index.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
      const std::string& key = (*keys)[i];
      const int position = index.find(key, *unique);
      if (position >= 0) {
        (*live)[static_cast<size_t>(position)] = (*rows)[i];
      } else {
        index.append(key);
        unique->push_back(key);
        live->push_back((*rows)[i]);
      }
    }
    keys = unique;
    shared = false;
  }

  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  if (m_live->empty() && live->empty()) return false;
  old = m_live;
  m_live = live;
  // The replaced keys and index stay as the spare pair: handed again, the
  // list needs no new index; otherwise the index's memory is refilled.
  oldKeys = m_spareKeys;
  m_spareKeys = m_keys;
  m_spareKeysShared = m_keysShared;
  m_keys = keys;
  m_keysShared = shared;
  std::swap(m_index, index);
  std::swap(m_spareIndex, index);
  if (m_batchDepth > 0) m_batchDirty = true;
  return true;
}

HpfRowPtr CHpfRowStore::byKey(const std::string& key) const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  const int position = m_index.find(key, *m_keys);
  return position < 0 ? HpfRowPtr() : (*m_live)[static_cast<size_t>(position)];
}

HpfRowPtr CHpfRowStore::at(int row) const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  const HpfRowVector& rows = m_hasPublished ? *m_published : *m_live;
  if (row < 0 || static_cast<size_t>(row) >= rows.size()) return HpfRowPtr();
  return rows[static_cast<size_t>(row)];
}

HpfRowVector CHpfRowStore::copyAll() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return *m_live;
}

int CHpfRowStore::count() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return static_cast<int>(m_live->size());
}

void CHpfRowStore::beginBatch() {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  if (m_batchDepth++ == 0) {
    m_batchBase = m_live;
    m_batchDirty = false;
  }
}

bool CHpfRowStore::endBatch() {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  if (m_batchDepth == 0) return false;  // unbalanced: nothing to end
  if (--m_batchDepth > 0) return false;
  m_batchBase.reset();
  const bool changed = m_batchDirty;
  m_batchDirty = false;
  return changed;
}

bool CHpfRowStore::hasUncommitted() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return m_batchDepth > 0 && m_batchDirty;
}

bool CHpfRowStore::inBatch() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return m_batchDepth > 0;
}

HpfRowSnapshot CHpfRowStore::committedLocked() const {
  if (m_batchDepth > 0 && m_batchDirty) return m_batchBase;
  return m_live;
}

HpfRowSnapshot CHpfRowStore::committed() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return committedLocked();
}

HpfRowSnapshot CHpfRowStore::publish() {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_published = committedLocked();
  m_hasPublished = true;
  return m_published;
}

void CHpfRowStore::notifyCommitted() {
  boost::function<void()> listener;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_listenerMutex);
    listener = m_listener;
  }
  if (listener) listener();
}

void CHpfRowStore::setListener(const boost::function<void()>& listener) {
  utils::CMutexLocker<utils::CMutex> lock(m_listenerMutex);
  m_listener = listener;
}

HpfDelegatePtr CHpfRowStore::delegate(int column) const {
  utils::CMutexLocker<utils::CMutex> lock(m_delegateMutex);
  auto it = m_delegates.find(column);
  return it == m_delegates.end() ? HpfDelegatePtr() : it->second;
}

void CHpfRowStore::setDelegate(int column, const HpfDelegatePtr& delegate) {
  HpfDelegatePtr old;  // released after the lock: a delegate's destructor is user code
  utils::CMutexLocker<utils::CMutex> lock(m_delegateMutex);
  auto it = m_delegates.find(column);
  if (it != m_delegates.end()) old = it->second;
  if (delegate)
    m_delegates[column] = delegate;
  else if (it != m_delegates.end())
    m_delegates.erase(it);
}

}  // namespace GU
