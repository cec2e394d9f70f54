#pragma once
// A subscription table: subscribers register a callback for a key, publishers
// hand in (key, value) pairs, and one delivery thread owned by the table calls
// the matching callbacks.
//
// Delivery contract:
// - Every callback runs on the table's delivery thread, one at a time, in
//   publication order. A subscriber sees only what was published after its
//   subscribe() returned.
// - Which subscriptions a publication reaches is decided by SubKeyMatch<K>
//   (equality unless K specialises it; IDataKey lets an empty record key
//   stand for every record of its data type).
// - A subscription lives as long as its SubRequest handle. Releasing the last
//   handle (or calling release()) ends delivery: once release has returned, no
//   callback of that subscription runs any more. Release waits for a callback
//   of that subscription that is running on the delivery thread, except when
//   it is called on the delivery thread itself (from inside a callback), where
//   waiting would deadlock; the running callback then finishes normally.
// - A callback that throws is caught and logged; delivery goes on.
// - publish() only queues and returns; it never calls a callback.
//
// Threads: subscribe, publish, release and waitForIdle may be called from any
// thread. Destroying the table stops the delivery thread: publications not yet
// delivered are dropped, a running callback is waited for (unless the table
// is destroyed from that very callback). Handles may outlive the table;
// releasing them afterwards is harmless.
//
// Locking: everything shared with the delivery thread lives in Core and is
// guarded by Core::mutex. Callbacks are never called, and no callback or value
// is destroyed, while that mutex is held, so a callback may subscribe, publish
// or release freely.

#include "host/core/annotatedmutex.h"
#include "host/services/servicelog.h"

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace utils {

// Whether a subscription for `subscribed` receives a publication for
// `published`. Specialise for keys with wildcard parts.
template <typename K>
struct SubKeyMatch {
  bool operator()(const K& subscribed, const K& published) const { return subscribed == published; }
};

template <typename K, typename V>
class SubTable {
  struct Core;
  struct Entry;

public:
  using Callback = boost::function<void(const V&)>;

  // The subscription handle. Held by boost::shared_ptr; the subscription ends
  // when the last copy is released (or release() is called).
  class SubRequest {
  public:
    ~SubRequest() { release(); }
    SubRequest(const SubRequest&) = delete;
    SubRequest& operator=(const SubRequest&) = delete;

    const K& key() const { return m_entry->key; }

    // Ends the subscription now (see the delivery contract). Idempotent;
    // thread-safe.
    void release() {
      std::shared_ptr<Entry> entry;
      std::shared_ptr<Core> core;
      {
        CMutexLocker<CMutex> guard(m_handleMutex);
        entry.swap(m_releasable);
        core.swap(m_core);
      }
      if (!entry || !core) return;
      CUniqueLocker lock(core->mutex);
      entry->active = false;
      auto& entries = core->entries;
      for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->get() == entry.get()) {
          entries.erase(it);
          break;
        }
      }
      if (std::this_thread::get_id() != core->deliveryThread) {
        while (core->delivering == entry.get()) lock.wait(core->delivered);
      }
      lock.unlock();
      // The entry (and its callback) may be destroyed here, outside the lock.
    }

  private:
    friend class SubTable;
    SubRequest(std::shared_ptr<Core> core, std::shared_ptr<Entry> entry)
        : m_core(std::move(core)), m_entry(entry), m_releasable(std::move(entry)) {}

    CMutex m_handleMutex;
    std::shared_ptr<Core> m_core LW_GUARDED_BY(m_handleMutex);         // null once released
    std::shared_ptr<Entry> m_entry;                                    // kept for key(); fixed
    std::shared_ptr<Entry> m_releasable LW_GUARDED_BY(m_handleMutex);  // null once released
  };

  using SubRequestPtr = boost::shared_ptr<SubRequest>;

  // name: shown in log records of failed callbacks.
  explicit SubTable(std::string name = "SubTable") : m_core(std::make_shared<Core>()) {
    m_core->name = std::move(name);
    std::shared_ptr<Core> core = m_core;
    CMutexLocker<CMutex> lock(m_core->mutex);
    m_thread = std::thread([core] { run(core); });
    m_core->deliveryThread = m_thread.get_id();
  }

  ~SubTable() {
    std::deque<Event> dropped;
    {
      CMutexLocker<CMutex> lock(m_core->mutex);
      m_core->stopping = true;
      dropped.swap(m_core->queue);
    }
    m_core->wake.notify_all();
    m_core->idle.notify_all();
    if (std::this_thread::get_id() == m_thread.get_id()) {
      // Destroyed from one of our own callbacks: the delivery loop notices
      // `stopping` once the callback returns and ends; it owns a share of
      // the core, so nothing it touches goes away under it.
      m_thread.detach();
    } else {
      m_thread.join();
    }
  }

  SubTable(const SubTable&) = delete;
  SubTable& operator=(const SubTable&) = delete;

  // Registers callback for key. An empty callback subscribes to nothing and
  // yields a null handle.
  SubRequestPtr subscribe(const K& key, const Callback& callback) {
    if (callback.empty()) return SubRequestPtr();
    auto entry = std::make_shared<Entry>();
    entry->key = key;
    entry->callback = callback;
    {
      CMutexLocker<CMutex> lock(m_core->mutex);
      entry->since = m_core->published;
      m_core->entries.push_back(entry);
    }
    return SubRequestPtr(new SubRequest(m_core, entry));
  }

  // Queues value for every current subscription whose key matches.
  void publish(const K& key, const V& value) {
    {
      CMutexLocker<CMutex> lock(m_core->mutex);
      if (m_core->stopping) return;
      m_core->queue.push_back(Event{++m_core->published, key, value});
    }
    m_core->wake.notify_one();
  }

  // For tests and shutdown: waits until every publication queued so far has
  // been delivered. Returns false on timeout. Must not be called from a
  // callback (it would wait for itself).
  bool waitForIdle(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    CUniqueLocker lock(m_core->mutex);
    while (!m_core->isIdle()) {
      if (lock.waitUntil(m_core->idle, deadline) == std::cv_status::timeout)
        return m_core->isIdle();
    }
    return true;
  }

  std::size_t subscriptionCount() const {
    CMutexLocker<CMutex> lock(m_core->mutex);
    return m_core->entries.size();
  }

  bool isDeliveryThread() const { return std::this_thread::get_id() == m_thread.get_id(); }

private:
  struct Entry {
    K key;
    Callback callback;
    std::uint64_t since = 0;  // last publication number before subscribing
    bool active = true;       // guarded by the table's Core::mutex
  };

  struct Event {
    std::uint64_t number;
    K key;
    V value;
  };

  struct Core {
    CMutex mutex;
    std::condition_variable wake;       // queue or stopping changed
    std::condition_variable delivered;  // `delivering` changed
    std::condition_variable idle;       // queue drained / busy cleared
    std::string name;                   // fixed after construction
    std::vector<std::shared_ptr<Entry>> entries LW_GUARDED_BY(mutex);
    std::deque<Event> queue LW_GUARDED_BY(mutex);
    std::uint64_t published LW_GUARDED_BY(mutex) = 0;
    const Entry* delivering LW_GUARDED_BY(mutex) = nullptr;
    bool busy LW_GUARDED_BY(mutex) = false;
    bool stopping LW_GUARDED_BY(mutex) = false;
    std::thread::id deliveryThread LW_GUARDED_BY(mutex);  // set once

    // Every publication so far delivered (or the table stopping).
    bool isIdle() const LW_REQUIRES(mutex) { return stopping || (queue.empty() && !busy); }
  };

  static void run(const std::shared_ptr<Core>& core) {
    CUniqueLocker lock(core->mutex);
    for (;;) {
      while (!core->stopping && core->queue.empty()) lock.wait(core->wake);
      if (core->stopping) break;
      Event event = std::move(core->queue.front());
      core->queue.pop_front();
      core->busy = true;
      std::vector<std::shared_ptr<Entry>> targets;
      SubKeyMatch<K> matches;
      for (const auto& entry : core->entries) {
        if (entry->since < event.number && matches(entry->key, event.key)) targets.push_back(entry);
      }
      for (const auto& entry : targets) {
        if (core->stopping || !entry->active) continue;
        core->delivering = entry.get();
        lock.unlock();
        invoke(*core, *entry, event.value);
        lock.lock();
        core->delivering = nullptr;
        core->delivered.notify_all();
      }
      // Callbacks and values may own arbitrary objects whose destructors
      // release subscriptions: destroy them without holding the mutex.
      lock.unlock();
      targets.clear();
      { Event done = std::move(event); }
      lock.lock();
      core->busy = false;
      if (core->queue.empty()) core->idle.notify_all();
    }
    core->busy = false;
    core->idle.notify_all();
  }

  static void invoke(const Core& core, const Entry& entry, const V& value) {
    try {
      entry.callback(value);
    } catch (const std::exception& e) {
      mxservice::servicelog::error(core.name.c_str(),
                                   std::string("subscription callback threw: ") + e.what());
    } catch (...) {
      mxservice::servicelog::error(core.name.c_str(),
                                   "subscription callback threw a non-standard exception");
    }
  }

  std::shared_ptr<Core> m_core;
  std::thread m_thread;
};

}  // namespace utils
