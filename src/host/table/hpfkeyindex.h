#pragma once
// Key -> position index of the row store: an open-addressing hash table
// (linear probing) over positions into the store's own key list.
//
// A table reload clears the store and adds every row again, often 100,000 of
// them per keystroke, and each add must first look the key up (a reload that
// lists a key twice keeps one row). Two costs dominate such a reload with a
// node-based map: one allocation per row, and one cache miss per row on a
// table too large for the cache. This index keeps its memory between reloads
// and defers the misses:
//   - insert() only records the key's hash and sets two bits of a small
//     filter (two bits per key; it fits the cache);
//   - find() asks the filter first; a key the filter has never seen is known
//     to be new without touching the table, which is the common case of a
//     reload;
//   - only when the filter cannot rule a key out are the pending keys placed
//     in the table, in one pass that prefetches slots ahead, and the table
//     answers.
//
// The keys themselves live in the caller's vector (the store keeps one key
// per row, in row order); every lookup gets that vector passed in. Not thread
// safe: the row store calls it under its own mutex.

#include "lwhost_table_export.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GU {

class LWHOST_TABLE_EXPORT CHpfKeyIndex {
public:
  using KeyList = std::vector<std::string>;

  // Position of key in keys, or -1. Not const: it may place pending keys.
  int find(const std::string& key, const KeyList& keys);
  // Records that keys[size()] == key: positions are handed out in order.
  void append(const std::string& key);
  // Forgets every key; keeps the memory for the next fill.
  void clear();
  // Sizes the filter and the table for count keys, so that a bulk fill of
  // that many neither regrows the filter nor re-places keys.
  void reserve(std::size_t count);
  // Indexes keys afresh (after positions moved, e.g. a removal).
  void rebuild(const KeyList& keys);
  // Indexes keys afresh when no key is listed twice, in one pass over a
  // table sized for them (no filter: every key is placed anyway). Returns
  // false, leaving the index empty, when a key repeats.
  bool rebuildUnique(const KeyList& keys);
  int size() const { return static_cast<int>(m_hashes.size()); }

private:
  struct Slot {
    std::uint32_t positionPlusOne = 0;  // 0: empty
    std::uint32_t hash = 0;
  };

  static std::uint32_t hashOf(const std::string& key);
  void setFilterBits(std::uint32_t hash);
  bool filterMayHold(std::uint32_t hash) const;
  void growFilter();
  // Places every key appended since the last call into the table.
  void placePending();
  void place(std::uint32_t hash, std::uint32_t positionPlusOne);

  std::vector<Slot> m_slots;            // size 0 or a power of two
  std::vector<std::uint64_t> m_filter;  // size 0 or a power of two (in words)
  std::vector<std::uint32_t> m_hashes;  // hash of each position's key
  std::size_t m_placed = 0;             // positions [0, m_placed) are in m_slots
  // Set by rebuildUnique(): the filter holds no bits (it stays all zero) and
  // every lookup asks the table, placing pending keys first.
  bool m_filterOff = false;
};

}  // namespace GU
