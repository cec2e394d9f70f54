// Waiting for something the event loop brings about, inside a GoogleTest
// test. Qt's QTRY_* macros report through QTest's own logger and do not fail
// a GoogleTest test, so tests wait with this and assert on its result.
#pragma once

#include <functional>

namespace testsupport {

// Spins the event loop (deferred deletes included) until done() or the
// timeout; returns done().
bool waitFor(const std::function<bool()>& done, int timeoutMs = 5000);

}  // namespace testsupport
