#pragma once
// Brings notifications raised on any thread to one receiver on its own
// thread, a burst at a time, and stops reaching it once its owner is going.
//
// - Coalescing: at most one delivery is queued to the receiver's thread. A
//   post while one is queued is merged into the waiting payload (merge(waiting,
//   incoming); the default keeps the latest), so however fast other threads
//   post, the receiver's thread handles one event per burst and never falls
//   ever further behind. The queued delivery takes the payload when it runs;
//   a post after that queues the next one.
// - Delivery: always on the receiver's thread, with no lock held, so it may
//   close the post or destroy the receiver. Mode DirectOnReceiverThread
//   delivers a post made on the receiver's thread before post() returns,
//   together with whatever was waiting (merged after it, so nothing is
//   overtaken); the queued event then finds nothing and does nothing. Mode
//   AlwaysQueued queues every post, also from the receiver's thread (for a
//   receiver that must not be re-entered from inside the poster's call).
// - Lifetime gate: close() from the owner's destructor (or earlier) drops
//   what waits and makes every later post and every queued delivery a no-op.
//   Deliveries run only on the receiver's thread, so once close() has
//   returned there none runs and none can start. A queued delivery holds the
//   post itself by shared pointer and is dropped by Qt with the receiver.
//
// Use: the owner keeps the shared pointer from create(), hands copies to the
// host's signal or listener (which calls post()) and calls close() first
// thing in its destructor, before anything the delivery reaches is torn down.
//
// Threads: post() from any thread; close(), isOpen() and the delivery on the
// receiver's thread (close() from any thread is safe for the post itself,
// but only the receiver's thread knows no delivery is running). The receiver
// must stay on the thread it had at create(). The merge function runs under
// the post's mutex, on the posting thread: it must be quick and must not
// post or close.

#include "host/core/annotatedmutex.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace utils {

// The payload of a post that only says "something changed".
struct SNoPayload {};

template <typename Payload>
class CCoalescedPost : public std::enable_shared_from_this<CCoalescedPost<Payload>> {
public:
  enum class Mode { AlwaysQueued, DirectOnReceiverThread };
  using Deliver = std::function<void(Payload&&)>;
  using Merge = std::function<void(Payload& waiting, Payload&& incoming)>;

  // receiver: not null; the caller keeps ownership, and deliver may use it
  // (it runs only while the receiver is alive and the post open).
  static std::shared_ptr<CCoalescedPost> create(QObject* receiver, Mode mode, Deliver deliver,
                                                Merge merge = Merge()) {
    return std::shared_ptr<CCoalescedPost>(
        new CCoalescedPost(receiver, mode, std::move(deliver), std::move(merge)));
  }

  CCoalescedPost(const CCoalescedPost&) = delete;
  CCoalescedPost& operator=(const CCoalescedPost&) = delete;

  // Delivers payload on the receiver's thread (see above); nothing once
  // closed.
  void post(Payload payload) LW_EXCLUDES(m_mutex) {
    std::optional<Payload> now;
    {
      CMutexLocker<CMutex> lock(m_mutex);
      if (!m_open) return;
      if (m_mode == Mode::DirectOnReceiverThread && QThread::currentThread() == m_thread) {
        if (m_waiting) {
          now = std::move(m_waiting);
          m_waiting.reset();
          mergeInto(*now, std::move(payload));
        } else {
          now.emplace(std::move(payload));
        }
      } else {
        if (m_waiting)
          mergeInto(*m_waiting, std::move(payload));
        else
          m_waiting.emplace(std::move(payload));
        if (m_queued) return;
        m_queued = true;
        // Under the mutex: while the post is open the receiver's destructor
        // has not passed close(), so the receiver is whole here.
        std::shared_ptr<CCoalescedPost> self = this->shared_from_this();
        QMetaObject::invokeMethod(
            m_receiver, [self] { self->deliverQueued(); }, Qt::QueuedConnection);
        return;
      }
    }
    m_deliver(std::move(*now));
  }

  // Drops what waits and ends every delivery (see above). Idempotent.
  void close() LW_EXCLUDES(m_mutex) {
    std::optional<Payload> dropped;
    CMutexLocker<CMutex> lock(m_mutex);
    m_open = false;
    // Destroyed after the unlock: a payload's destructor may take locks of
    // its own.
    dropped.swap(m_waiting);
  }

  bool isOpen() const LW_EXCLUDES(m_mutex) {
    CMutexLocker<CMutex> lock(m_mutex);
    return m_open;
  }

  // True while a delivery is queued to the receiver's thread.
  bool isQueued() const LW_EXCLUDES(m_mutex) {
    CMutexLocker<CMutex> lock(m_mutex);
    return m_queued;
  }

private:
  CCoalescedPost(QObject* receiver, Mode mode, Deliver deliver, Merge merge)
      : m_receiver(receiver),
        m_thread(receiver->thread()),
        m_mode(mode),
        m_deliver(std::move(deliver)),
        m_merge(std::move(merge)) {}

  void mergeInto(Payload& waiting, Payload&& incoming) LW_REQUIRES(m_mutex) {
    if (m_merge)
      m_merge(waiting, std::move(incoming));
    else
      waiting = std::move(incoming);
  }

  // The queued event, on the receiver's thread.
  void deliverQueued() LW_EXCLUDES(m_mutex) {
    std::optional<Payload> taken;
    {
      CMutexLocker<CMutex> lock(m_mutex);
      // Cleared before the delivery reads anything: a post from now on may
      // carry news this delivery misses, so it queues one of its own.
      m_queued = false;
      if (!m_open || !m_waiting) return;
      taken.swap(m_waiting);
    }
    m_deliver(std::move(*taken));
  }

  QObject* const m_receiver;  // the caller's; used while the post is open
  QThread* const m_thread;    // the receiver's, fixed at create()
  const Mode m_mode;
  const Deliver m_deliver;  // receiver's thread, no lock held
  const Merge m_merge;      // under m_mutex

  mutable CMutex m_mutex;
  bool m_open LW_GUARDED_BY(m_mutex) = true;
  bool m_queued LW_GUARDED_BY(m_mutex) = false;  // an event is on its way to m_thread
  std::optional<Payload> m_waiting LW_GUARDED_BY(m_mutex);
};

}  // namespace utils
