// Default buttons of the multi-button delegate: listed keys answer as if
// their buttons were set one by one, keys with state of their own keep it,
// clear() forgets the defaults, and lookups racing a reload on other threads
// stay consistent.
#include "hpftestsupport.h"

#include "host/table/basetablecolumnmultibuttonsdelegate.h"

#include <gtest/gtest.h>

#include <QRect>
#include <atomic>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

using namespace hpftest;

namespace {

using Buttons = QVector<GU::ButtonData>;

Buttons oneButton(int id, const char* text) {
  return Buttons{GU::ButtonData(id, QString::fromUtf8(text), GU::NORMAL_BUTTON_PRIMARY, false,
                                QMap<int, QString>())};
}

// A key set the test changes under the delegate's feet, as a model's reload
// does; every lookup is counted.
class CListedKeys {
public:
  void set(std::set<std::string> keys) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_keys = std::move(keys);
  }
  bool contains(const std::string& key) {
    ++lookups;
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_keys.count(key) != 0;
  }
  int count() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_keys.size());
  }
  std::atomic<int> lookups{0};

private:
  std::mutex m_mutex;
  std::set<std::string> m_keys;
};

void useDefaults(GU::CBaseTableColumnMultiButtonsDelegate& delegate,
                 const std::shared_ptr<CListedKeys>& listed, const Buttons& buttons) {
  delegate.setDefaultButtons(
      buttons, [listed](const std::string& key) { return listed->contains(key); },
      [listed]() { return listed->count(); });
}

TEST(HpfDelegateDefaults, listedKeysShowTheDefaultsUnlessTheyHaveTheirOwn) {
  GU::CBaseTableColumnMultiButtonsDelegate delegate(3, nullptr);
  auto listed = std::make_shared<CListedKeys>();
  listed->set({"a", "b", "c"});
  const Buttons favourite = oneButton(10500, "添加自选");
  const Buttons own = oneButton(26, "锁定");
  useDefaults(delegate, listed, favourite);
  delegate.setItemButtons("b", own, false);
  delegate.setItemEnabled("c", false, false);  // state only: keeps the default buttons
  delegate.setItemVisible("x", false, false);  // not listed, state only
  delegate.setItemButtons("y", own, false);    // not listed, own buttons

  struct Case {
    const char* key;
    Buttons buttons;
    bool enabled;
    bool visible;
    int rects;  // laid out in a cell
  };
  const Case cases[] = {
      {"a", favourite, true, true, 1},  {"b", own, true, true, 1}, {"c", favourite, false, true, 1},
      {"x", Buttons(), true, false, 0}, {"y", own, true, true, 1}, {"z", Buttons(), true, true, 0},
      {"", Buttons(), true, true, 0},
  };
  const QRect cell(0, 0, 200, 24);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(delegate.itemButtons(c.key), c.buttons);
    EXPECT_EQ(delegate.isItemEnabled(c.key), c.enabled);
    EXPECT_EQ(delegate.isItemVisible(c.key), c.visible);
    EXPECT_EQ(delegate.buttonRects(cell, c.key).size(), c.rects);
  }
  // a, b, c listed; x and y known without being listed.
  EXPECT_EQ(delegate.itemCount(), 5);

  // The list changes (a reload): the defaults follow it, own state stays.
  listed->set({"c", "x"});
  EXPECT_TRUE(delegate.itemButtons("a").isEmpty());
  EXPECT_EQ(delegate.itemButtons("x"), favourite);
  EXPECT_FALSE(delegate.isItemVisible("x"));
  EXPECT_TRUE(delegate.buttonRects(cell, "x").isEmpty());  // hidden: no rectangles
  EXPECT_EQ(delegate.itemCount(), 4);                      // c, x listed; b, y own

  // clear() forgets the defaults too: no lookup happens any more.
  delegate.clear();
  const int lookups = listed->lookups.load();
  EXPECT_TRUE(delegate.itemButtons("c").isEmpty());
  EXPECT_EQ(delegate.itemCount(), 0);
  EXPECT_TRUE(delegate.buttonRects(cell, "c").isEmpty());
  EXPECT_EQ(listed->lookups.load(), lookups);
}

// A mouse press and release on a listed key's default button is a press of
// it; a key that left the list between press and release is not.
TEST(HpfDelegateDefaults, pressesOnDefaultButtonsAreDeliveredOnlyWhileListed) {
  struct Case {
    bool listedAtRelease;
    bool disabledAtRelease;
    int delivered;
  };
  const Case cases[] = {{true, false, 1}, {false, false, 0}, {true, true, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.listedAtRelease << c.disabledAtRelease);
    CEventSink target;
    GU::CBaseTableColumnMultiButtonsDelegate delegate(3, &target);
    auto listed = std::make_shared<CListedKeys>();
    listed->set({"k"});
    useDefaults(delegate, listed, oneButton(10500, "添加自选"));
    const QRect cell(0, 0, 200, 24);
    const QVector<QRect> rects = delegate.buttonRects(cell, "k");
    ASSERT_EQ(rects.size(), 1);
    ASSERT_TRUE(delegate.mousePress(cell, rects[0].center(), "k"));
    if (!c.listedAtRelease) listed->set({});
    if (c.disabledAtRelease) delegate.setItemEnabled("k", false, false);
    delegate.mouseRelease(cell, rects[0].center(), "k");
    ASSERT_EQ(static_cast<int>(target.events.size()), c.delivered);
    if (c.delivered) {
      EXPECT_EQ(target.events[0].lParam, 10500);
    }
  }
}

// Workers change per-key state and a "reload" swaps the defaults while the
// GUI side reads: every answer is one of the states that were set, never a
// torn one.
TEST(HpfDelegateDefaults, readersRacingDefaultSwapsSeeWholeStates) {
  GU::CBaseTableColumnMultiButtonsDelegate delegate(3, nullptr);
  auto listed = std::make_shared<CListedKeys>();
  listed->set({"k0", "k1", "k2"});
  const Buttons first = oneButton(1, "一");
  const Buttons second = oneButton(2, "二");
  std::atomic<bool> stop{false};
  std::thread reloader([&]() {
    for (int round = 0; !stop.load(); ++round) {
      delegate.clear();
      useDefaults(delegate, listed, round % 2 ? first : second);
      delegate.setItemEnabled("k1", round % 3 != 0, false);
    }
  });
  std::thread lister([&]() {
    for (int round = 0; !stop.load(); ++round)
      listed->set(round % 2 ? std::set<std::string>{"k0", "k1", "k2"}
                            : std::set<std::string>{"k1"});
  });
  int checked = 0;
  for (int i = 0; i < 20000; ++i) {
    const Buttons shown = delegate.itemButtons("k" + std::to_string(i % 3));
    EXPECT_TRUE(shown.isEmpty() || shown == first || shown == second);
    const int count = delegate.itemCount();
    EXPECT_GE(count, 0);
    EXPECT_LE(count, 3);
    ++checked;
  }
  stop.store(true);
  reloader.join();
  lister.join();
  EXPECT_EQ(checked, 20000);
}

}  // namespace
