// The cross-thread post behind the panels' host notifications: posts from
// other threads reach the receiver on its own thread, merged while one
// delivery waits; close() ends every delivery; a receiver destroyed with a
// delivery queued is never reached.

#include "eventwait.h"

#include "host/core/coalescedpost.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>
#include <QThread>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Numbers = std::vector<int>;
using NumbersPost = utils::CCoalescedPost<Numbers>;
using Mode = NumbersPost::Mode;

void appendNumbers(Numbers& waiting, Numbers&& incoming) {
  waiting.insert(waiting.end(), incoming.begin(), incoming.end());
}

void drainEvents() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

void onAnotherThread(const std::function<void()>& work) {
  std::thread other(work);
  other.join();
}

// What a receiver saw: each delivery's payload and thread. Written on the
// receiver's thread, read by the test after the deliveries.
struct Deliveries {
  std::mutex mutex;
  std::vector<Numbers> payloads;
  std::vector<QThread*> threads;

  void record(Numbers&& payload) {
    std::lock_guard<std::mutex> lock(mutex);
    payloads.push_back(std::move(payload));
    threads.push_back(QThread::currentThread());
  }
  std::vector<Numbers> seen() {
    std::lock_guard<std::mutex> lock(mutex);
    return payloads;
  }
};

// An owner as the panels are: the receiver, and the post closed first thing
// in the destructor. The delivery touches the owner, so AddressSanitizer
// reports one that comes after it.
struct Owner {
  QObject receiver;
  std::shared_ptr<Deliveries> deliveries = std::make_shared<Deliveries>();
  std::shared_ptr<NumbersPost> post;

  explicit Owner(Mode mode, NumbersPost::Merge merge = appendNumbers) {
    post = NumbersPost::create(
        &receiver, mode,
        [this](Numbers&& payload) {
          receiver.setObjectName(QStringLiteral("delivered"));
          deliveries->record(std::move(payload));
        },
        std::move(merge));
  }
  ~Owner() { post->close(); }
};

TEST(CoalescedPostTest, postsWhileOneDeliveryWaitsAreMergedIntoIt) {
  struct Case {
    const char* name;
    Mode mode;
    NumbersPost::Merge merge;
    int posts;
    Numbers expected;
  };
  const Case cases[] = {
      {"appending merge keeps every post in order",
       Mode::AlwaysQueued,
       appendNumbers,
       5,
       {0, 1, 2, 3, 4}},
      {"direct mode queues posts from other threads too",
       Mode::DirectOnReceiverThread,
       appendNumbers,
       3,
       {0, 1, 2}},
      {"without a merge function the latest post wins", Mode::AlwaysQueued, nullptr, 4, {3}},
      {"a single post arrives as it was", Mode::AlwaysQueued, appendNumbers, 1, {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Owner owner(c.mode, c.merge);
    onAnotherThread([&] {
      for (int i = 0; i < c.posts; ++i) owner.post->post(Numbers{i});
    });
    EXPECT_TRUE(owner.post->isQueued());
    EXPECT_TRUE(owner.deliveries->seen().empty());
    drainEvents();
    ASSERT_EQ(owner.deliveries->seen().size(), 1u);
    EXPECT_EQ(owner.deliveries->seen()[0], c.expected);
    EXPECT_EQ(owner.deliveries->threads[0], QThread::currentThread());
    EXPECT_FALSE(owner.post->isQueued());
  }
}

TEST(CoalescedPostTest, aBurstFromManyThreadsArrivesWholeInFewDeliveries) {
  Owner owner(Mode::AlwaysQueued);
  const int threads = 4;
  const int perThread = 2000;
  std::vector<std::thread> posters;
  for (int t = 0; t < threads; ++t) {
    posters.emplace_back([&owner, t] {
      for (int i = 0; i < perThread; ++i) owner.post->post(Numbers{t * perThread + i});
    });
  }
  // The receiver's thread keeps delivering while the burst goes on.
  for (int spin = 0; spin < 20; ++spin) QCoreApplication::processEvents();
  for (std::thread& poster : posters) poster.join();
  drainEvents();

  std::vector<int> count(threads * perThread, 0);
  std::size_t deliveries = 0;
  for (const Numbers& payload : owner.deliveries->seen()) {
    ++deliveries;
    for (int n : payload) ++count[n];
  }
  for (int n = 0; n < threads * perThread; ++n) ASSERT_EQ(count[n], 1) << "post " << n;
  // One event per burst, not one per post.
  EXPECT_LT(deliveries, static_cast<std::size_t>(threads * perThread));
  for (QThread* thread : owner.deliveries->threads) EXPECT_EQ(thread, QThread::currentThread());
}

TEST(CoalescedPostTest, deliveryRunsOnTheReceiversThreadWhereverThePostCameFrom) {
  QThread worker;
  worker.start();
  auto deliveries = std::make_shared<Deliveries>();
  auto* receiver = new QObject;
  receiver->moveToThread(&worker);
  std::shared_ptr<NumbersPost> post = NumbersPost::create(
      receiver, Mode::DirectOnReceiverThread,
      [deliveries](Numbers&& payload) { deliveries->record(std::move(payload)); }, appendNumbers);

  post->post(Numbers{1});  // from the test's thread
  onAnotherThread([post] { post->post(Numbers{2}); });
  ASSERT_TRUE(testsupport::waitFor([&] {
    std::size_t total = 0;
    for (const Numbers& payload : deliveries->seen()) total += payload.size();
    return total == 2;
  }));
  {
    std::lock_guard<std::mutex> lock(deliveries->mutex);
    for (QThread* thread : deliveries->threads) EXPECT_EQ(thread, &worker);
  }
  // The owner's destructor, on the receiver's thread.
  QMetaObject::invokeMethod(
      receiver,
      [post, receiver] {
        post->close();
        delete receiver;
      },
      Qt::BlockingQueuedConnection);
  worker.quit();
  worker.wait();
}

TEST(CoalescedPostTest, aPostOnTheReceiversThreadFollowsTheMode) {
  struct Case {
    const char* name;
    Mode mode;
    bool waitingFromAnotherThread;
    std::vector<Numbers> beforeEvents;  // delivered before post() returned
    std::vector<Numbers> afterEvents;   // everything once the events ran
  };
  const Case cases[] = {
      {"direct: delivered before post returns", Mode::DirectOnReceiverThread, false, {{7}}, {{7}}},
      {"direct: takes what waits along, after it",
       Mode::DirectOnReceiverThread,
       true,
       {{1, 7}},
       {{1, 7}}},
      {"queued: waits for the event loop", Mode::AlwaysQueued, false, {}, {{7}}},
      {"queued: merged into what waits", Mode::AlwaysQueued, true, {}, {{1, 7}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Owner owner(c.mode);
    if (c.waitingFromAnotherThread) onAnotherThread([&] { owner.post->post(Numbers{1}); });
    owner.post->post(Numbers{7});
    EXPECT_EQ(owner.deliveries->seen(), c.beforeEvents);
    drainEvents();
    // The event queued for what waited finds nothing left after a direct
    // delivery and delivers nothing.
    EXPECT_EQ(owner.deliveries->seen(), c.afterEvents);
  }
}

// The delivery takes the payload before it runs: a post made while it runs
// carries news it has not seen, so it queues the next delivery.
TEST(CoalescedPostTest, aPostDuringADeliveryQueuesTheNextOne) {
  QObject receiver;
  std::vector<Numbers> seen;
  std::shared_ptr<NumbersPost> post;
  post = NumbersPost::create(
      &receiver, Mode::AlwaysQueued,
      [&](Numbers&& payload) {
        seen.push_back(payload);
        if (seen.size() == 1) onAnotherThread([&] { post->post(Numbers{2}); });
      },
      appendNumbers);
  onAnotherThread([&] { post->post(Numbers{1}); });
  drainEvents();
  ASSERT_TRUE(testsupport::waitFor([&] { return seen.size() == 2; }));
  EXPECT_EQ(seen, (std::vector<Numbers>{{1}, {2}}));
  post->close();
}

TEST(CoalescedPostTest, nothingIsDeliveredOnceClosed) {
  struct Case {
    const char* name;
    bool queuedBeforeClose;
    bool postFromReceiverThreadAfterClose;
  };
  const Case cases[] = {
      {"a queued delivery is dropped", true, false},
      {"a later post from another thread does nothing", false, false},
      {"a later post on the receiver's thread does nothing", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Owner owner(Mode::DirectOnReceiverThread);
    if (c.queuedBeforeClose) onAnotherThread([&] { owner.post->post(Numbers{1}); });
    owner.post->close();
    owner.post->close();  // idempotent
    EXPECT_FALSE(owner.post->isOpen());
    if (c.postFromReceiverThreadAfterClose)
      owner.post->post(Numbers{2});
    else
      onAnotherThread([&] { owner.post->post(Numbers{2}); });
    drainEvents();
    EXPECT_TRUE(owner.deliveries->seen().empty());
  }
}

// A payload holding a token: once the token has expired, whatever carried
// the payload (the post, a dropped event) has freed it.
struct Tracked {
  std::shared_ptr<int> token;
};

TEST(CoalescedPostTest, aReceiverDestroyedWithADeliveryQueuedIsNeverReached) {
  struct Case {
    const char* name;
    bool closedByOwner;  // false: the receiver goes without close()
  };
  for (const Case& c : {Case{"owner closes, then the receiver goes", true},
                        Case{"the receiver goes alone; Qt drops the event", false}}) {
    SCOPED_TRACE(c.name);
    auto token = std::make_shared<int>(0);
    std::weak_ptr<int> payloadAlive = token;
    std::atomic<int> delivered{0};
    auto* receiver = new QObject;
    auto post = utils::CCoalescedPost<Tracked>::create(
        receiver, utils::CCoalescedPost<Tracked>::Mode::AlwaysQueued,
        [&delivered](Tracked&&) { ++delivered; });
    std::weak_ptr<utils::CCoalescedPost<Tracked>> postAlive = post;
    onAnotherThread([post, &token] { post->post(Tracked{std::move(token)}); });
    ASSERT_TRUE(post->isQueued());
    if (c.closedByOwner) post->close();
    delete receiver;
    post.reset();
    drainEvents();
    EXPECT_EQ(delivered.load(), 0);
    // Nothing holds the post or its payload any more.
    EXPECT_TRUE(postAlive.expired());
    EXPECT_TRUE(payloadAlive.expired());
  }
}

// A host may destroy the owner from inside the delivery (a dock closed from
// the announcement's handler): no deadlock, and nothing afterwards.
TEST(CoalescedPostTest, theDeliveryMayDestroyItsOwner) {
  struct SelfClosing {
    QObject receiver;
    std::shared_ptr<NumbersPost> post;
    ~SelfClosing() { post->close(); }
  };
  for (Mode mode : {Mode::DirectOnReceiverThread, Mode::AlwaysQueued}) {
    auto* owner = new SelfClosing;
    int calls = 0;
    owner->post = NumbersPost::create(&owner->receiver, mode, [&](Numbers&&) {
      ++calls;
      delete owner;
    });
    std::shared_ptr<NumbersPost> post = owner->post;
    post->post(Numbers{1});
    drainEvents();
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(post->isOpen());
    post->post(Numbers{2});
    onAnotherThread([post] { post->post(Numbers{3}); });
    drainEvents();
    EXPECT_EQ(calls, 1);
  }
}

// Posters on other threads keep going while owners come and go: no delivery
// after the owner's close(), none to a destroyed owner (ASan), no race on the
// post's state (TSan).
TEST(CoalescedPostTest, closeRacingPostsFromOtherThreadsEndsEveryDelivery) {
  for (Mode mode : {Mode::DirectOnReceiverThread, Mode::AlwaysQueued}) {
    SCOPED_TRACE(mode == Mode::AlwaysQueued ? "always queued" : "direct on receiver thread");
    std::atomic<int> posts{0};
    std::size_t delivered = 0;
    for (int round = 0; round < 30; ++round) {
      auto owner = std::make_unique<Owner>(mode);
      std::shared_ptr<Deliveries> deliveries = owner->deliveries;
      std::shared_ptr<NumbersPost> shared = owner->post;
      std::atomic<bool> stop{false};
      std::vector<std::thread> posters;
      for (int t = 0; t < 3; ++t) {
        posters.emplace_back([shared, &stop, &posts, t] {
          for (int i = 0; !stop.load() || i < 50; ++i) {
            shared->post(Numbers{t});
            ++posts;
            if (i % 8 == 0) std::this_thread::yield();
          }
        });
      }
      // From the receiver's own thread, before the events run: delivered in
      // either mode whatever the posters' timing.
      if (round % 3 == 0) owner->post->post(Numbers{9});
      for (int spin = 0; spin < 1 + round % 4; ++spin) QCoreApplication::processEvents();
      owner.reset();  // closes, then the receiver goes, while posters keep posting
      const std::size_t atClose = deliveries->seen().size();
      stop = true;
      for (std::thread& poster : posters) poster.join();
      drainEvents();
      EXPECT_EQ(deliveries->seen().size(), atClose) << "round " << round;
      delivered += atClose;
    }
    EXPECT_GT(posts.load(), 0);
    EXPECT_GT(delivered, 0u);
  }
}

}  // namespace
