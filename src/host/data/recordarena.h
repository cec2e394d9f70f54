#pragma once
// Bulk memory for the records a data-set load creates: a decoding thread
// carves its records (with their shared-pointer control blocks) out of 2 MB
// chunks instead of one heap allocation each. A chunk is mapped at a 2 MB
// boundary and offered to the kernel as one huge page, so a million records
// cost a few hundred page faults instead of a quarter of a million, and no
// per-record heap header. A chunk goes back to the system when its last
// record is gone and its thread has moved on; records are freed as usual
// (the last shared pointer), on any thread.
//
// Only the record itself lives in the chunk: texts longer than the string's
// inline buffer are still on the heap.

#include "lwhost_data_export.h"

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <new>

namespace mxservice {

class LWHOST_DATA_EXPORT CRecordArena {
public:
  CRecordArena();
  ~CRecordArena();  // lets go of the current chunk; its records stay valid
  CRecordArena(const CRecordArena&) = delete;
  CRecordArena& operator=(const CRecordArena&) = delete;

  // Makes `arena` the calling thread's arena while it lives.
  class Use {
  public:
    explicit Use(CRecordArena& arena);
    ~Use();
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;

  private:
    CRecordArena* m_previous;
  };

  // Memory for `bytes` (at most a chunk's room, some 2 MB) from the calling
  // thread's arena, or from the heap when it has none.
  static void* allocate(std::size_t bytes);
  // Gives back memory from allocate(), on any thread.
  static void deallocate(void* p) noexcept;

  // A new record in the calling thread's arena.
  template <class R>
  static boost::shared_ptr<R> make();

  // Chunks mapped and not yet given back, over all arenas (for tests).
  static std::size_t liveChunks();

private:
  struct Chunk;
  void* take(std::size_t bytes);
  static void release(Chunk* chunk) noexcept;

  Chunk* m_chunk = nullptr;  // the chunk being filled (the arena holds a reference)
};

// The allocator by which boost::allocate_shared puts a record and its
// control block in the calling thread's arena.
template <class T>
struct CRecordArenaAllocator {
  using value_type = T;
  CRecordArenaAllocator() = default;
  template <class U>
  CRecordArenaAllocator(const CRecordArenaAllocator<U>&) {}  // NOLINT: rebinding
  T* allocate(std::size_t n) { return static_cast<T*>(CRecordArena::allocate(n * sizeof(T))); }
  void deallocate(T* p, std::size_t) noexcept { CRecordArena::deallocate(p); }
  template <class U>
  bool operator==(const CRecordArenaAllocator<U>&) const {
    return true;
  }
  template <class U>
  bool operator!=(const CRecordArenaAllocator<U>&) const {
    return false;
  }
};

template <class R>
boost::shared_ptr<R> CRecordArena::make() {
  return boost::allocate_shared<R>(CRecordArenaAllocator<R>());
}

}  // namespace mxservice
