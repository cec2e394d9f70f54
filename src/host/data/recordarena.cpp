#include "host/data/recordarena.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>

#ifdef __linux__
#include <sys/mman.h>
#endif

// Under the leak checker the chunks are roots it scans: the texts a record
// keeps on the heap are reached from there only.
#if defined(__SANITIZE_ADDRESS__)
#define LW_ARENA_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(leak_sanitizer)
#define LW_ARENA_LSAN 1
#endif
#endif
#ifdef LW_ARENA_LSAN
#include <sanitizer/lsan_interface.h>
#endif

namespace mxservice {

namespace {

constexpr std::size_t kChunkBytes = std::size_t{2} << 20;  // one huge page
constexpr std::size_t kAlign = alignof(std::max_align_t);

thread_local CRecordArena* t_arena = nullptr;
std::atomic<std::size_t> g_liveChunks{0};

std::size_t roundUp(std::size_t bytes) { return (bytes + kAlign - 1) & ~(kAlign - 1); }

// A chunk-aligned, chunk-sized block of memory; null when none is left.
void* mapChunk() {
#ifdef __linux__
  // Twice the size, then the unaligned ends cut off.
  void* raw =
      mmap(nullptr, 2 * kChunkBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  const auto start = reinterpret_cast<std::uintptr_t>(raw);
  const std::uintptr_t aligned = (start + kChunkBytes - 1) & ~(kChunkBytes - 1);
  if (aligned > start) munmap(raw, aligned - start);
  const std::uintptr_t end = start + 2 * kChunkBytes;
  if (end > aligned + kChunkBytes)
    munmap(reinterpret_cast<void*>(aligned + kChunkBytes), end - aligned - kChunkBytes);
  void* chunk = reinterpret_cast<void*>(aligned);
  madvise(chunk, kChunkBytes, MADV_HUGEPAGE);  // a hint; refused is fine
#else
  void* chunk = std::aligned_alloc(kChunkBytes, kChunkBytes);
  if (chunk == nullptr) return nullptr;
#endif
  g_liveChunks.fetch_add(1, std::memory_order_relaxed);
#ifdef LW_ARENA_LSAN
  __lsan_register_root_region(chunk, kChunkBytes);
#endif
  return chunk;
}

void unmapChunk(void* chunk) {
  g_liveChunks.fetch_sub(1, std::memory_order_relaxed);
#ifdef LW_ARENA_LSAN
  __lsan_unregister_root_region(chunk, kChunkBytes);
#endif
#ifdef __linux__
  munmap(chunk, kChunkBytes);
#else
  std::free(chunk);
#endif
}

}  // namespace

// At the start of its own memory. Every allocation in it holds a reference,
// and so does the arena filling it.
struct CRecordArena::Chunk {
  std::atomic<std::size_t> references{1};
  std::size_t used = 0;  // bytes from the chunk's start, this header included
};

// Heap allocations (no arena) carry a header with a null chunk, at the same
// place as an arena allocation's, so deallocate() tells them apart.
struct AllocationHeader {
  void* chunk;
  void* pad;
};

CRecordArena::CRecordArena() = default;

CRecordArena::~CRecordArena() {
  if (m_chunk != nullptr) release(m_chunk);
}

CRecordArena::Use::Use(CRecordArena& arena) : m_previous(t_arena) { t_arena = &arena; }

CRecordArena::Use::~Use() { t_arena = m_previous; }

void* CRecordArena::allocate(std::size_t bytes) {
  const std::size_t needed = roundUp(sizeof(AllocationHeader)) + roundUp(bytes);
  void* memory = nullptr;
  void* chunk = nullptr;
  if (t_arena != nullptr && needed <= kChunkBytes / 4) {
    memory = t_arena->take(needed);
    chunk = t_arena->m_chunk;
  }
  if (memory == nullptr) {
    memory = std::malloc(needed);
    if (memory == nullptr) throw std::bad_alloc();
    chunk = nullptr;
  }
  auto* header = static_cast<AllocationHeader*>(memory);
  header->chunk = chunk;
  return static_cast<char*>(memory) + roundUp(sizeof(AllocationHeader));
}

void CRecordArena::deallocate(void* p) noexcept {
  if (p == nullptr) return;
  void* memory = static_cast<char*>(p) - roundUp(sizeof(AllocationHeader));
  auto* chunk = static_cast<Chunk*>(static_cast<AllocationHeader*>(memory)->chunk);
  if (chunk == nullptr) {
    std::free(memory);
  } else {
    release(chunk);
  }
}

void* CRecordArena::take(std::size_t bytes) {
  if (m_chunk == nullptr || m_chunk->used + bytes > kChunkBytes) {
    void* memory = mapChunk();
    if (memory == nullptr) return nullptr;
    if (m_chunk != nullptr) release(m_chunk);
    m_chunk = new (memory) Chunk;
    m_chunk->used = roundUp(sizeof(Chunk));
  }
  void* out = reinterpret_cast<char*>(m_chunk) + m_chunk->used;
  m_chunk->used += bytes;
  m_chunk->references.fetch_add(1, std::memory_order_relaxed);
  return out;
}

std::size_t CRecordArena::liveChunks() { return g_liveChunks.load(std::memory_order_relaxed); }

void CRecordArena::release(Chunk* chunk) noexcept {
  if (chunk->references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    chunk->~Chunk();
    unmapChunk(chunk);
  }
}

}  // namespace mxservice
