// The row store's key index against a plain list: random inserts,
// lookups, removals (with re-indexing), clears and refills, so growth,
// probe runs across the wrap-around and reuse after clear() are all hit.

#include "host/table/hpfkeyindex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using GU::CHpfKeyIndex;

class KeyIndexModel {
public:
  void add(const std::string& key) {
    if (index.find(key, keys) >= 0) return;
    index.append(key);
    keys.push_back(key);
  }
  void removeAt(std::size_t position) {
    keys.erase(keys.begin() + static_cast<long>(position));
    index.rebuild(keys);
  }
  void clear() {
    keys.clear();
    index.clear();
  }
  void expectConsistent() {
    ASSERT_EQ(index.size(), static_cast<int>(keys.size()));
    for (std::size_t i = 0; i < keys.size(); ++i)
      ASSERT_EQ(index.find(keys[i], keys), static_cast<int>(i)) << keys[i];
  }
  CHpfKeyIndex index;
  std::vector<std::string> keys;
};

TEST(HpfKeyIndex, EmptyIndexFindsNothing) {
  CHpfKeyIndex index;
  const std::vector<std::string> keys;
  EXPECT_EQ(index.find("", keys), -1);
  EXPECT_EQ(index.find("600000.SH", keys), -1);
  index.clear();
  EXPECT_EQ(index.size(), 0);
}

TEST(HpfKeyIndex, AgreesWithAMapUnderRandomChanges) {
  std::mt19937 rng(11);
  KeyIndexModel model;
  // Few distinct keys (so duplicates and removals hit), short and long ones
  // (inline and heap strings), and keys that differ only in the last byte.
  auto randomKey = [&rng]() {
    const int n = static_cast<int>(rng() % 3000);
    return (n % 2 ? std::string("KEY-WITH-A-LONG-PREFIX-") : std::string("k")) + std::to_string(n);
  };
  for (int step = 0; step < 20000; ++step) {
    const unsigned op = rng() % 100;
    if (op < 80) {
      model.add(randomKey());
    } else if (op < 95 && !model.keys.empty()) {
      model.removeAt(rng() % model.keys.size());
    } else if (op == 99) {
      model.clear();
    } else {
      const std::string key = randomKey();
      const auto it = std::find(model.keys.begin(), model.keys.end(), key);
      const int expected = it == model.keys.end() ? -1 : static_cast<int>(it - model.keys.begin());
      ASSERT_EQ(model.index.find(key, model.keys), expected) << key;
    }
    if (step % 997 == 0) model.expectConsistent();
  }
  model.expectConsistent();
}

TEST(HpfKeyIndex, ReloadAfterClearFindsOnlyTheNewKeys) {
  KeyIndexModel model;
  for (int i = 0; i < 5000; ++i) model.add("old" + std::to_string(i));
  model.clear();
  for (int i = 0; i < 100; ++i) model.add("new" + std::to_string(i));
  model.expectConsistent();
  EXPECT_EQ(model.index.find("old7", model.keys), -1);
  // A stale slot must never answer for a key list that is now shorter.
  EXPECT_EQ(model.index.find("old4999", model.keys), -1);
}

// A whole key list indexed at once: with no key twice every key is found at
// its position and the index goes on taking keys one by one; with a repeat
// it refuses and holds nothing. Each case starts from an index that held
// other keys, so stale slots and filter bits are hit too.
TEST(HpfKeyIndex, RebuildUniqueIndexesWholeListsOrRefusesRepeats) {
  auto numbered = [](const char* prefix, int count) {
    std::vector<std::string> keys;
    for (int i = 0; i < count; ++i) keys.push_back(prefix + std::to_string(i));
    return keys;
  };
  std::vector<std::string> repeatAtEnd = numbered("KEY-WITH-A-LONG-PREFIX-", 3000);
  repeatAtEnd.push_back(repeatAtEnd.front());
  std::vector<std::string> repeatAdjacent = numbered("k", 40);
  repeatAdjacent.insert(repeatAdjacent.begin() + 20, repeatAdjacent[19]);
  const struct {
    const char* name;
    std::vector<std::string> keys;
    bool unique;
  } cases[] = {
      {"empty", {}, true},
      {"one key", {"600000.SH"}, true},
      {"many keys", numbered("k", 5000), true},
      {"long keys", numbered("KEY-WITH-A-LONG-PREFIX-", 3000), true},
      {"a repeat at the end", repeatAtEnd, false},
      {"a repeat side by side", repeatAdjacent, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    KeyIndexModel model;
    for (int i = 0; i < 200; ++i) model.add("before" + std::to_string(i));
    ASSERT_EQ(model.index.rebuildUnique(c.keys), c.unique);
    if (!c.unique) {
      EXPECT_EQ(model.index.size(), 0);
      EXPECT_EQ(model.index.find(c.keys.front(), c.keys), -1);
      model.keys.clear();
      model.add("after");
      model.expectConsistent();
      continue;
    }
    model.keys = c.keys;
    model.expectConsistent();
    EXPECT_EQ(model.index.find("before7", model.keys), -1);
    EXPECT_EQ(model.index.find("absent", model.keys), -1);
    // Keys added one by one afterwards, beyond the table's first size.
    for (int i = 0; i < 6000; ++i) model.add("added" + std::to_string(i));
    model.add(c.keys.empty() ? "added0" : c.keys.back());
    model.expectConsistent();
    model.removeAt(0);
    model.expectConsistent();
  }
}

}  // namespace
