#include "host/table/hpfkeyindex.h"

#include <algorithm>
#include <functional>

namespace GU {

namespace {
constexpr std::size_t kMinSlots = 16;
constexpr std::size_t kMinFilterWords = 4;
// Filter bits per key: with two bits set per key, a new key passes as
// "maybe held" about 1% of the time.
constexpr std::size_t kFilterBitsPerKey = 16;
// How far ahead the placing pass prefetches slots.
constexpr std::size_t kPrefetchDistance = 16;
}  // namespace

std::uint32_t CHpfKeyIndex::hashOf(const std::string& key) {
  const std::size_t h = std::hash<std::string>()(key);
  return static_cast<std::uint32_t>(h ^ (h >> 32));
}

void CHpfKeyIndex::setFilterBits(std::uint32_t hash) {
  const std::size_t bits = m_filter.size() * 64 - 1;
  const std::size_t a = hash & bits;
  const std::size_t b = (hash * 0x9E3779B1u >> 7) & bits;
  m_filter[a >> 6] |= std::uint64_t(1) << (a & 63);
  m_filter[b >> 6] |= std::uint64_t(1) << (b & 63);
}

bool CHpfKeyIndex::filterMayHold(std::uint32_t hash) const {
  if (m_filter.empty()) return false;
  const std::size_t bits = m_filter.size() * 64 - 1;
  const std::size_t a = hash & bits;
  const std::size_t b = (hash * 0x9E3779B1u >> 7) & bits;
  return (m_filter[a >> 6] >> (a & 63) & 1) != 0 && (m_filter[b >> 6] >> (b & 63) & 1) != 0;
}

void CHpfKeyIndex::growFilter() {
  m_filter.assign(std::max(kMinFilterWords, m_filter.size() * 2), 0);
  for (const std::uint32_t hash : m_hashes) setFilterBits(hash);
}

void CHpfKeyIndex::place(std::uint32_t hash, std::uint32_t positionPlusOne) {
  const std::size_t mask = m_slots.size() - 1;
  std::size_t i = hash & mask;
  while (m_slots[i].positionPlusOne != 0) i = (i + 1) & mask;
  m_slots[i].positionPlusOne = positionPlusOne;
  m_slots[i].hash = hash;
}

void CHpfKeyIndex::placePending() {
  if (m_placed == m_hashes.size()) return;
  // Load factor at most one half keeps probe runs short.
  std::size_t wanted = std::max(kMinSlots, m_slots.size());
  while (m_hashes.size() * 2 > wanted) wanted *= 2;
  if (wanted != m_slots.size()) {
    m_slots.assign(wanted, Slot());
    m_placed = 0;
  }
  const std::size_t mask = m_slots.size() - 1;
  const std::size_t end = m_hashes.size();
  for (std::size_t i = m_placed; i < end; ++i) {
    if (i + kPrefetchDistance < end)
      __builtin_prefetch(&m_slots[m_hashes[i + kPrefetchDistance] & mask]);
    place(m_hashes[i], static_cast<std::uint32_t>(i + 1));
  }
  m_placed = end;
}

int CHpfKeyIndex::find(const std::string& key, const KeyList& keys) {
  const std::uint32_t hash = hashOf(key);
  if (!m_filterOff && !filterMayHold(hash)) return -1;
  placePending();
  const std::size_t mask = m_slots.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = m_slots[i];
    if (slot.positionPlusOne == 0) return -1;
    if (slot.hash != hash) continue;
    const std::size_t position = slot.positionPlusOne - 1;
    if (position < keys.size() && keys[position] == key) return static_cast<int>(position);
  }
}

void CHpfKeyIndex::append(const std::string& key) {
  const std::uint32_t hash = hashOf(key);
  m_hashes.push_back(hash);
  if (m_filterOff) return;  // placed at the next lookup
  if (m_hashes.size() * kFilterBitsPerKey > m_filter.size() * 64) {
    growFilter();  // sets the new key's bits too
  } else {
    setFilterBits(hash);
  }
}

void CHpfKeyIndex::clear() {
  if (m_placed > 0) std::fill(m_slots.begin(), m_slots.end(), Slot());
  if (!m_hashes.empty() && !m_filterOff) std::fill(m_filter.begin(), m_filter.end(), 0);
  m_hashes.clear();
  m_placed = 0;
  m_filterOff = false;
}

void CHpfKeyIndex::reserve(std::size_t count) {
  m_hashes.reserve(count);
  std::size_t words = std::max(kMinFilterWords, m_filter.size());
  while (count * kFilterBitsPerKey > words * 64) words *= 2;
  if (words != m_filter.size() && !m_filterOff) {
    m_filter.assign(words, 0);
    for (const std::uint32_t hash : m_hashes) setFilterBits(hash);
  }
  std::size_t slotCount = std::max(kMinSlots, m_slots.size());
  while (count * 2 > slotCount) slotCount *= 2;
  if (slotCount != m_slots.size()) {
    // Placed keys go back to pending; the next lookup places them again.
    m_slots.assign(slotCount, Slot());
    m_placed = 0;
  }
}

bool CHpfKeyIndex::rebuildUnique(const KeyList& keys) {
  clear();
  m_hashes.reserve(keys.size());
  for (const std::string& key : keys) m_hashes.push_back(hashOf(key));
  std::size_t slotCount = std::max(kMinSlots, m_slots.size());
  while (keys.size() * 2 > slotCount) slotCount *= 2;
  if (slotCount != m_slots.size()) m_slots.assign(slotCount, Slot());
  const std::size_t mask = m_slots.size() - 1;
  const std::size_t end = m_hashes.size();
  for (std::size_t i = 0; i < end; ++i) {
    if (i + kPrefetchDistance < end)
      __builtin_prefetch(&m_slots[m_hashes[i + kPrefetchDistance] & mask]);
    const std::uint32_t hash = m_hashes[i];
    std::size_t at = hash & mask;
    for (; m_slots[at].positionPlusOne != 0; at = (at + 1) & mask) {
      const Slot& slot = m_slots[at];
      if (slot.hash == hash && keys[slot.positionPlusOne - 1] == keys[i]) {
        m_placed = i;  // what clear() must wipe
        clear();
        return false;
      }
    }
    m_slots[at].positionPlusOne = static_cast<std::uint32_t>(i + 1);
    m_slots[at].hash = hash;
  }
  m_placed = end;
  // Every key is placed: lookups go to the table until the next clear().
  m_filterOff = true;
  return true;
}

void CHpfKeyIndex::rebuild(const KeyList& keys) {
  clear();
  for (const std::string& key : keys) append(key);
}

}  // namespace GU
