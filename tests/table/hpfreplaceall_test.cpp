// Replacing every row at once: the result equals clear() followed by
// addData() of each row, key lists handed by the caller stay untouched, and
// readers on another thread (a repaint asking the favourites button of a
// listed row) never see a store half refilled.
#include "hpftestsupport.h"

#include "host/table/basetablecolumnmultibuttonsdelegate.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

using namespace hpftest;

namespace {

using KeyList = std::vector<std::string>;

// A row to store: its key, or a null row when key is "<null>".
GU::HpfRowPtr rowFor(const std::string& key, int generation) {
  if (key == "<null>") return GU::HpfRowPtr();
  return row(key, 1.0, 1, QString(), generation);
}

GU::HpfRowVector rowsFor(const KeyList& keys, int generation) {
  GU::HpfRowVector rows;
  for (const std::string& key : keys) rows.push_back(rowFor(key, generation));
  return rows;
}

struct SReplaceCase {
  const char* name;
  KeyList before;
  KeyList after;  // "" a row without a key, "<null>" no row
  KeyList expected;
  bool changed;
};

}  // namespace

TEST(HpfReplaceAll, equalsClearingAndAddingEveryRow) {
  const SReplaceCase cases[] = {
      {"empty to empty", {}, {}, {}, false},
      {"fill an empty store", {}, {"a", "b", "c"}, {"a", "b", "c"}, true},
      {"reorder and drop", {"a", "b", "c"}, {"c", "a"}, {"c", "a"}, true},
      {"a key twice keeps the first place",
       {"a", "b"},
       {"b", "a", "b", "c", "a"},
       {"b", "a", "c"},
       true},
      {"refused rows", {"a"}, {"<null>", "", "b", "<null>"}, {"b"}, true},
      {"empty the store", {"a", "b", "c"}, {}, {}, true},
  };
  for (const SReplaceCase& c : cases) {
    SCOPED_TRACE(c.name);
    for (const bool withKeys : {false, true}) {
      SCOPED_TRACE(withKeys ? "keys handed" : "keys asked");
      CTestModel replaced;
      CTestModel rebuilt;
      for (const std::string& key : c.before) {
        replaced.addData(rowFor(key, 1));
        rebuilt.addData(rowFor(key, 1));
      }
      const GU::HpfRowVector rows = rowsFor(c.after, 2);
      auto keys = std::make_shared<KeyList>();
      for (const std::string& key : c.after) keys->push_back(key == "<null>" ? "x" : key);
      EXPECT_EQ(replaced.replaceAllData(rows, withKeys ? keys : nullptr), c.changed);
      rebuilt.clear();
      for (const GU::HpfRowPtr& r : rows) rebuilt.addData(r);

      const GU::HpfRowVector got = replaced.getAllDatas();
      EXPECT_EQ(keysOf(got), c.expected);
      const GU::HpfRowVector want = rebuilt.getAllDatas();
      ASSERT_EQ(got.size(), want.size());
      for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], want[i]) << i;
      for (const std::string& key : c.before) {
        EXPECT_EQ(replaced.getDataByKey(key), rebuilt.getDataByKey(key)) << key;
      }
      for (const std::string& key : c.expected) EXPECT_TRUE(replaced.getDataByKey(key)) << key;
    }
  }
}

TEST(HpfReplaceAll, handedKeyListsAreNeverChanged) {
  CTestModel model;
  const auto keys = std::make_shared<const KeyList>(KeyList{"a", "b", "c"});
  const KeyList original = *keys;
  // Step: the same list again (the store's index stays), then changes the
  // store makes on its own after keeping the list.
  ASSERT_TRUE(model.replaceAllData(rowsFor(*keys, 1), keys));
  ASSERT_TRUE(model.replaceAllData(rowsFor(*keys, 2), keys));
  for (const std::string& key : *keys) {
    const auto r = boost::dynamic_pointer_cast<CTestRow>(model.getDataByKey(key));
    ASSERT_TRUE(r) << key;
    EXPECT_EQ(r->generation(), 2) << key;
  }
  model.addData(row("d"));
  EXPECT_TRUE(model.removeDataByKey("a"));
  EXPECT_EQ(keysOf(model.getAllDatas()), (KeyList{"b", "c", "d"}));
  EXPECT_EQ(model.getDataByKey("c"), model.getAllDatas()[1]);
  EXPECT_FALSE(model.getDataByKey("a"));
  // The list handed earlier is the same again, but the store moved on:
  // the rows must be placed by that list, not by the store's old index.
  ASSERT_TRUE(model.replaceAllData(rowsFor(*keys, 3), keys));
  EXPECT_EQ(keysOf(model.getAllDatas()), original);
  EXPECT_TRUE(model.getDataByKey("a"));
  EXPECT_FALSE(model.getDataByKey("d"));
  model.clear();
  EXPECT_EQ(*keys, original);

  // A row vector the model keeps as handed is copied before the model's own
  // changes, and never reordered or refilled in place.
  auto rows = boost::make_shared<GU::HpfRowVector>(rowsFor(*keys, 4));
  const GU::HpfRowVector handed = *rows;
  ASSERT_TRUE(model.replaceAllData(rows, keys));
  model.updateData(row("b", 2.0, 2, QString(), 5));
  model.addData(row("e"));
  EXPECT_TRUE(model.removeDataByKey("a"));
  EXPECT_EQ(*rows, handed);
  EXPECT_EQ(keysOf(model.getAllDatas()), (KeyList{"b", "c", "e"}));
  const auto updated = boost::dynamic_pointer_cast<CTestRow>(model.getDataByKey("b"));
  ASSERT_TRUE(updated);
  EXPECT_EQ(updated->generation(), 5);
}

// Two lists with common keys, swapped in over and over (each also handed
// twice in a row, which takes the store's shortcut) while another thread
// asks what a repaint asks: the row count, and the favourites button of a
// row listed in both.
TEST(HpfReplaceAll, readersSeeEitherTheOldOrTheNewRows) {
  const int kRows = 4000;
  auto model = boost::make_shared<CTestModel>();
  QWidget parent;
  auto* table = new LW::CHpfDataTable(1, 550, &parent, GU::MENU_FLAG_ALL);
  auto delegate = boost::make_shared<GU::CBaseTableColumnMultiButtonsDelegate>(COL_NAME, table);
  const boost::weak_ptr<CTestModel> weak = model;
  delegate->setDefaultButtons(
      QVector<GU::ButtonData>{
          GU::ButtonData(10500, QStringLiteral("+"), GU::NORMAL_BUTTON_PRIMARY, false, {})},
      [weak](const std::string& key) {
        const boost::shared_ptr<CTestModel> m = weak.lock();
        return m && m->getDataByKey(key);
      },
      [weak]() {
        const boost::shared_ptr<CTestModel> m = weak.lock();
        return m ? m->rowCount() : 0;
      });

  auto all = std::make_shared<KeyList>();
  auto even = std::make_shared<KeyList>();
  for (int i = 0; i < kRows; ++i) {
    all->push_back("k" + std::to_string(i));
    if (i % 2 == 0) even->push_back(all->back());
  }
  model->replaceAllData(rowsFor(*all, 0), all);

  std::atomic<bool> done{false};
  std::atomic<int> probes{0};
  std::atomic<int> halfFilled{0};
  std::atomic<int> buttonMissing{0};
  std::thread reader([&] {
    while (!done) {
      const int count = model->rowCount();
      if (count != kRows && count != kRows / 2) ++halfFilled;
      if (delegate->itemButtons("k0").isEmpty()) ++buttonMissing;
      if (!model->getDataByKey(even->back())) ++buttonMissing;
      ++probes;
    }
  });
  for (int round = 1; round <= 60; ++round) {
    const auto& keys = (round / 2) % 2 ? even : all;
    model->replaceAllData(rowsFor(*keys, round), keys);
    // Let the reader run between rounds on a single free core too.
    while (probes.load() < round * 4 && probes.load() < 1000000) std::this_thread::yield();
  }
  done = true;
  reader.join();
  EXPECT_GT(probes.load(), 60);
  EXPECT_EQ(halfFilled.load(), 0);
  EXPECT_EQ(buttonMissing.load(), 0);
  EXPECT_EQ(model->rowCount(), kRows);  // round 60: (60 / 2) % 2 == 0
}
