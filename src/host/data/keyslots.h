#pragma once
// An open-addressed set of record positions keyed by a precomputed, well
// mixed 64-bit hash: the duplicate-key check of a large file without a node,
// a key string or a hash computation per record on the checking thread. A
// slot is eight bytes, the hash's high half (which also picks the slot) and
// the position; two records are the same key only when `same(position)` says
// so, so a hash collision never merges two keys.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

namespace mxservice {

class CKeySlots {
public:
  static constexpr std::uint32_t kInserted = UINT32_MAX;  // insert(): a new key
  static constexpr std::uint32_t kAbsent = UINT32_MAX;    // find(): no such key

  // Room for `count` keys without growing.
  void reserve(std::size_t count) {
    std::size_t capacity = 16;
    while (capacity < count * 2) capacity *= 2;
    if (capacity > m_capacity) rehash(capacity);
  }
  std::size_t size() const { return m_size; }

  // Inserts the key of the record at `position` (below kInserted) unless an
  // equal key is there: then the position of that one (same(position) of a
  // slot with the same hash), else kInserted.
  template <class Same>
  std::uint32_t insert(std::uint64_t hash, std::uint32_t position, const Same& same) {
    if ((m_size + 1) * 2 > m_capacity) rehash(m_capacity == 0 ? 16 : m_capacity * 2);
    const std::uint64_t high = hash >> 32;
    const std::size_t mask = m_capacity - 1;
    for (std::size_t i = static_cast<std::size_t>(high) & mask;; i = (i + 1) & mask) {
      std::uint64_t& slot = m_slots[i];
      if (slot == 0) {
        slot = (high << 32) | (std::uint64_t{position} + 1);
        ++m_size;
        return kInserted;
      }
      const std::uint32_t other = static_cast<std::uint32_t>(slot) - 1;
      if ((slot >> 32) == high && same(other)) return other;
    }
  }

  // The position of the key with that hash for which same(position) holds,
  // else kAbsent.
  template <class Same>
  std::uint32_t find(std::uint64_t hash, const Same& same) const {
    if (m_size == 0) return kAbsent;
    const std::uint64_t high = hash >> 32;
    const std::size_t mask = m_capacity - 1;
    for (std::size_t i = static_cast<std::size_t>(high) & mask;; i = (i + 1) & mask) {
      const std::uint64_t slot = m_slots[i];
      if (slot == 0) return kAbsent;
      const std::uint32_t other = static_cast<std::uint32_t>(slot) - 1;
      if ((slot >> 32) == high && same(other)) return other;
    }
  }

  // Calls f(position) for every key's position, in no particular order.
  template <class F>
  void forEach(const F& f) const {
    for (std::size_t i = 0; i < m_capacity; ++i) {
      if (m_slots[i] != 0) f(static_cast<std::uint32_t>(m_slots[i]) - 1);
    }
  }

private:
  struct Free {
    void operator()(std::uint64_t* p) const { std::free(p); }
  };

  void rehash(std::size_t capacity) {
    // calloc: fresh pages come zeroed from the system, no pass to clear them.
    std::unique_ptr<std::uint64_t[], Free> fresh(
        static_cast<std::uint64_t*>(std::calloc(capacity, sizeof(std::uint64_t))));
    if (!fresh) throw std::bad_alloc();
    const std::size_t mask = capacity - 1;
    for (std::size_t j = 0; j < m_capacity; ++j) {
      const std::uint64_t slot = m_slots[j];
      if (slot == 0) continue;
      std::size_t i = static_cast<std::size_t>(slot >> 32) & mask;
      while (fresh[i] != 0) i = (i + 1) & mask;
      fresh[i] = slot;
    }
    m_slots = std::move(fresh);
    m_capacity = capacity;
  }

  std::unique_ptr<std::uint64_t[], Free> m_slots;  // m_capacity long, at most half used
  std::size_t m_capacity = 0;                      // zero or a power of two
  std::size_t m_size = 0;
};

}  // namespace mxservice
