#pragma once
// Lock discipline the compiler checks: clang's thread-safety attributes,
// under names that expand to nothing for other compilers.
//
// Mark a mutex member's guarded state with LW_GUARDED_BY(m_mutex) (or
// LW_PT_GUARDED_BY for what a pointer points to), a function that expects
// the caller to hold a lock with LW_REQUIRES(m_mutex) and one that takes it
// itself with LW_EXCLUDES(m_mutex). Where two mutexes may be held together,
// the inner one says LW_ACQUIRED_AFTER(outer). The analysis needs mutex and
// lock types that carry the attributes: use utils::CMutex and friends
// (annotatedmutex.h); std::mutex and std::lock_guard carry none in
// libstdc++, so state guarded by one of them goes unchecked.
//
// The clang builds compile with -Wthread-safety -Werror=thread-safety, so a
// read of guarded state without its lock fails the build there.

#if defined(__clang__)
#define LW_THREAD_ANNOTATION(x) __attribute__((x))
#else
#define LW_THREAD_ANNOTATION(x)
#endif

#define LW_CAPABILITY(name) LW_THREAD_ANNOTATION(capability(name))
#define LW_SCOPED_CAPABILITY LW_THREAD_ANNOTATION(scoped_lockable)
#define LW_GUARDED_BY(x) LW_THREAD_ANNOTATION(guarded_by(x))
#define LW_PT_GUARDED_BY(x) LW_THREAD_ANNOTATION(pt_guarded_by(x))
#define LW_ACQUIRED_BEFORE(...) LW_THREAD_ANNOTATION(acquired_before(__VA_ARGS__))
#define LW_ACQUIRED_AFTER(...) LW_THREAD_ANNOTATION(acquired_after(__VA_ARGS__))
#define LW_REQUIRES(...) LW_THREAD_ANNOTATION(requires_capability(__VA_ARGS__))
#define LW_EXCLUDES(...) LW_THREAD_ANNOTATION(locks_excluded(__VA_ARGS__))
#define LW_ACQUIRE(...) LW_THREAD_ANNOTATION(acquire_capability(__VA_ARGS__))
#define LW_RELEASE(...) LW_THREAD_ANNOTATION(release_capability(__VA_ARGS__))
#define LW_TRY_ACQUIRE(...) LW_THREAD_ANNOTATION(try_acquire_capability(__VA_ARGS__))
#define LW_RETURN_CAPABILITY(x) LW_THREAD_ANNOTATION(lock_returned(x))
#define LW_NO_THREAD_SAFETY_ANALYSIS LW_THREAD_ANNOTATION(no_thread_safety_analysis)
