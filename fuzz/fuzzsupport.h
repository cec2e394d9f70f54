#pragma once
// What every fuzz target shares: a QApplication for the targets that build
// widgets or pixmaps, a host log that formats every record but writes it to
// /dev/null (a warning per refused input would drown the fuzzer's own
// output, while switching logging off would hide the formatting code from
// the fuzzer), the sample data set's location, and the invariant check.
//
// Threads: the fuzz entry points run on the process's main thread, which is
// also the GUI thread; everything here is called from there.

#include <cstddef>
#include <string>

namespace lwfuzz {

// Creates the QApplication once (QT_QPA_PLATFORM=offscreen unless the
// environment chooses another platform). Call from LLVMFuzzerInitialize: a
// QApplication must exist before the first widget, font or pixmap.
void ensureApplication();

// Points the host's log4cxx root logger at /dev/null. Call before anything
// logs: the host falls back to a console configuration otherwise.
void quietHostLog();

// The sample data-set directory of the source tree (env LW_SAMPLE_DATA wins).
std::string sampleDataDirectory();

// Reports a broken invariant on stderr and aborts, which libFuzzer records as
// a crash with the input that caused it.
[[noreturn]] void invariantFailed(const char* file, int line, const char* condition,
                                  const std::string& detail);

// Printable form of arbitrary bytes for failure reports (escapes everything
// outside printable ASCII, cut to `limit` bytes).
std::string printable(const std::string& bytes, std::size_t limit = 200);

}  // namespace lwfuzz

// Checks an invariant of the code under test; `detail` is only built when the
// check fails.
#define LW_FUZZ_CHECK(condition, detail)                                                 \
  do {                                                                                   \
    if (!(condition)) lwfuzz::invariantFailed(__FILE__, __LINE__, #condition, (detail)); \
  } while (0)
