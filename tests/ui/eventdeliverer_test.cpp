#include "host/ui/eventdeliverer.h"

#include "uitesthelpers.h"

#include <gtest/gtest.h>
#include <QPointer>

namespace {

using uitest::EventRecorder;

// A deliverer with no place in a widget tree.
class LooseDeliverer : public GU::CEventDeliverer {};

TEST(EventDeliverer, skipsParentsThatAreNotDeliverers) {
  EventRecorder top;
  auto* plain = new QWidget(&top);
  auto* sender = new EventRecorder(plain);
  int marker = 7;
  EXPECT_FALSE(sender->deliverEvent(168, 1, 2, "abc", &marker));
  ASSERT_EQ(top.events.size(), 1u);
  EXPECT_EQ(top.events[0].id, 168);
  EXPECT_EQ(top.events[0].wParam, 1);
  EXPECT_EQ(top.events[0].lParam, 2);
  EXPECT_EQ(top.events[0].text, "abc");
  EXPECT_EQ(top.events[0].data, &marker);
  EXPECT_TRUE(sender->events.empty());  // never offered to the sender itself
}

TEST(EventDeliverer, stopsAtTheFirstAncestorThatConsumes) {
  struct Case {
    const char* name;
    std::set<int> innerConsumes;
    std::set<int> outerConsumes;
    bool delivered;
    size_t innerSeen;
    size_t outerSeen;
  };
  const Case cases[] = {
      {"inner consumes", {5}, {5}, true, 1, 0},
      {"outer consumes", {}, {5}, true, 1, 1},
      {"nobody consumes", {}, {}, false, 1, 1},
      {"other id consumed", {6}, {6}, false, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EventRecorder outer;
    auto* inner = new EventRecorder(&outer);
    auto* sender = new EventRecorder(inner);
    inner->consumed = c.innerConsumes;
    outer.consumed = c.outerConsumes;
    EXPECT_EQ(sender->deliverEvent(5, 0, 0, QString(), nullptr), c.delivered);
    EXPECT_EQ(inner->events.size(), c.innerSeen);
    EXPECT_EQ(outer.events.size(), c.outerSeen);
  }
}

TEST(EventDeliverer, handlerThatDeletesTheSenderDoesNotBreakTheWalk) {
  EventRecorder outer;
  auto* inner = new EventRecorder(&outer);
  QPointer<EventRecorder> sender = new EventRecorder(inner);
  inner->onEvent = [&](const uitest::RecordedEvent&) { delete sender.data(); };
  EXPECT_FALSE(sender->deliverEvent(146, 0, 0, "title", nullptr));
  EXPECT_TRUE(sender.isNull());
  EXPECT_EQ(outer.withId(146).size(), 1u);  // not consumed, so it went on
}

TEST(EventDeliverer, handlerThatDeletesTheNextAncestorEndsTheWalk) {
  auto* top = new EventRecorder;
  QPointer<EventRecorder> middle = new EventRecorder(top);
  auto* inner = new EventRecorder(middle);
  auto* sender = new EventRecorder(inner);
  // The inner handler closes the whole tree above it except the top.
  inner->onEvent = [&](const uitest::RecordedEvent&) {
    inner->setParent(top);  // keep the running handler alive
    delete middle.data();
  };
  EXPECT_FALSE(sender->deliverEvent(101, 0, 0, QString(), nullptr));
  EXPECT_TRUE(middle.isNull());
  EXPECT_TRUE(top->events.empty());  // the walk stopped where the chain was cut
  delete top;
}

TEST(EventDeliverer, delivererWithoutTreeDeliversNothing) {
  LooseDeliverer loose;
  EXPECT_FALSE(loose.deliverEvent(5, 0, 0, QString(), nullptr));
  EXPECT_FALSE(loose.handleEvent(5, 0, 0, QString(), nullptr));
  EventRecorder orphan;
  EXPECT_FALSE(orphan.deliverEvent(5, 0, 0, QString(), nullptr));
}

}  // namespace
