// Record arenas (records made in bulk by the data-set loader's threads) and
// the open-addressed key slots of its duplicate check.

#include "host/data/recordarena.h"
#include "host/data/instrumentdetail.h"
#include "host/data/keyslots.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace {

using mxservice::CInstrumentDetail;
using mxservice::CInstrumentDetailPtr;
using mxservice::CKeySlots;
using mxservice::CRecordArena;

// Inserted in order into one table; `key` decides equality, `hash` the slot.
// Equal hashes with different keys must stay apart, equal keys must find the
// first position whatever the table grew through meanwhile.
TEST(KeySlots, FindsTheFirstOfEqualKeysAndNeverMergesCollisions) {
  struct Insert {
    std::uint64_t hash;
    int key;
    std::uint32_t expected;  // kInserted or the first position of the key
  };
  const std::uint64_t sameSlot = 0x0000000500000000ULL;  // high half picks the slot
  const std::uint32_t kNew = CKeySlots::kInserted;
  const std::vector<Insert> inserts = {
      {sameSlot, 1, kNew},
      {sameSlot, 2, kNew},               // same hash, another key
      {sameSlot | 7, 3, kNew},           // same high half, another key
      {sameSlot, 1, 0},                  // the first key again
      {sameSlot, 2, 1},                  //
      {0x0000000600000000ULL, 4, kNew},  // the neighbour slot, taken by probing
      {0xFFFFFFFF00000000ULL, 5, kNew},  // the last slot: probing wraps
      {0xFFFFFFFF00000000ULL, 6, kNew},  //
      {0xFFFFFFFF00000000ULL, 5, 4},     //
      {0, 7, kNew},                      // a zero hash is a key like others
      {0, 7, 6},
  };
  CKeySlots table;
  std::vector<int> keys;  // by position
  for (std::size_t i = 0; i < inserts.size(); ++i) {
    const Insert& in = inserts[i];
    SCOPED_TRACE(i);
    const auto position = static_cast<std::uint32_t>(keys.size());
    const std::uint32_t got =
        table.insert(in.hash, position, [&](std::uint32_t other) { return keys[other] == in.key; });
    EXPECT_EQ(got, in.expected);
    if (got == kNew) keys.push_back(in.key);
  }
  EXPECT_EQ(table.size(), 7u);

  // Growing from the initial 16 slots to thousands keeps every key findable.
  for (int key = 100; key < 5100; ++key) {
    const auto hash = static_cast<std::uint64_t>(key) * 0x9E3779B97F4A7C15ULL;
    const auto position = static_cast<std::uint32_t>(keys.size());
    ASSERT_EQ(table.insert(hash, position, [&](std::uint32_t o) { return keys[o] == key; }), kNew);
    keys.push_back(key);
  }
  for (std::uint32_t position = 0; position < keys.size(); ++position) {
    const int key = keys[position];
    if (key < 100) continue;
    const auto hash = static_cast<std::uint64_t>(key) * 0x9E3779B97F4A7C15ULL;
    EXPECT_EQ(table.insert(hash, 999999, [&](std::uint32_t o) { return keys[o] == key; }),
              position);
  }
  EXPECT_EQ(table.size(), 5007u);
}

// Records made in an arena stay whole after the arena is gone, are freed on
// another thread in any order, and every chunk goes back once the last of
// its records is gone; without an arena, make() takes the heap.
TEST(RecordArena, RecordsOutliveTheArenaAndChunksGoBackWithTheLastRecord) {
  struct Case {
    const char* name;
    int records;
    bool useArena;
    bool freeReversed;
  };
  const Case cases[] = {
      {"one record", 1, true, false},
      {"several chunks", 12000, true, false},
      {"several chunks freed last first", 12000, true, true},
      {"no arena: the heap", 500, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t chunksBefore = CRecordArena::liveChunks();
    std::vector<CInstrumentDetailPtr> records;
    std::thread maker([&] {
      auto arena = std::make_unique<CRecordArena>();
      std::unique_ptr<CRecordArena::Use> use;
      if (c.useArena) use = std::make_unique<CRecordArena::Use>(*arena);
      for (int i = 0; i < c.records; ++i) {
        CInstrumentDetailPtr record = CRecordArena::make<CInstrumentDetail>();
        record->code = std::to_string(i);
        record->name = "a name longer than the inline buffer " + std::to_string(i);
        record->priceTick = i;
        records.push_back(record);
      }
      use.reset();
      arena.reset();  // the records keep their chunks
    });
    maker.join();
    if (c.useArena) {
      EXPECT_GT(CRecordArena::liveChunks(), chunksBefore);
    } else {
      EXPECT_EQ(CRecordArena::liveChunks(), chunksBefore);
    }
    std::thread freer([&] {
      for (int i = 0; i < c.records; ++i) {
        const int at = c.freeReversed ? c.records - 1 - i : i;
        const CInstrumentDetailPtr& record = records[static_cast<std::size_t>(at)];
        ASSERT_EQ(record->code, std::to_string(at));
        ASSERT_EQ(record->name, "a name longer than the inline buffer " + std::to_string(at));
        ASSERT_EQ(record->priceTick, at);
      }
      if (c.freeReversed) {
        while (!records.empty()) records.pop_back();
      } else {
        records.clear();
      }
    });
    freer.join();
    EXPECT_EQ(CRecordArena::liveChunks(), chunksBefore);
  }
}

}  // namespace
