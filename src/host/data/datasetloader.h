#pragma once
// Loads a data-set directory (docs/data-format.md) into a DataSet.

#include "lwhost_data_export.h"

#include "host/data/dataset.h"

#include <QDate>
#include <atomic>
#include <cstddef>
#include <functional>
#include <string>

namespace mxservice {

// How far a load has come. Counts only grow during a load.
struct DataSetLoadProgress {
  std::size_t filesDone = 0;   // files finished (read, or found missing or bad)
  std::size_t filesTotal = 0;  // files of a data set (always 9)
  std::size_t records = 0;     // non-blank lines of the JSON Lines files read so far
  std::size_t bytesRead = 0;   // of the JSON Lines files
  std::size_t bytesTotal = 0;  // their sizes, as found when the load started
  std::size_t errors = 0;      // error lines so far
  // Lines read through BSON because the JSON reader refused them (syntax
  // errors, extended JSON, ...); the rest went straight into their records.
  std::size_t bsonLines = 0;
};

struct DataSetLoadOptions {
  // Threads that decode the lines of a file into records while the calling
  // thread reads ahead and checks the decoded lines; 0 picks from the
  // machine's cores (at most 4), 1 does everything on the calling thread. A
  // file of one block (about 2 MB) is decoded on the calling thread anyway,
  // and no thread is started for it. The result does not depend on it.
  int threads = 0;
  // Whether lines are decoded with the JSON reader (simdjson) where they can
  // be, else every line goes through BSON. The result does not depend on it;
  // tests compare the two.
  bool useJsonReader = true;
  // Called on the loading thread after each batch of lines and each file,
  // and once at the end (filesDone == filesTotal). Must not call back into
  // the loader.
  std::function<void(const DataSetLoadProgress&)> progress;
  // When set (by any thread) the load stops at the next batch and returns
  // what it has; the caller owns the flag and keeps it alive for the call.
  const std::atomic<bool>* cancel = nullptr;
};

// Reads every file of the data set in `directory`, a large file in blocks on
// a few threads; records, their order and the error lines are the same
// whatever the threads' timing. The records are made in bulk (see
// recordarena.h) and are ordinary shared records afterwards. Never throws: every
// problem (a missing directory or file, a bad line, a bad field, a skipped
// record) is one line of DataSet::errors, and the rest of the set is loaded.
// Relative dates ("@", "@+N", "@-N") are resolved against today's date.
LWHOST_DATA_EXPORT DataSet loadDataSet(const std::string& directory);
// The same, with relative dates resolved against `today` (for tests).
LWHOST_DATA_EXPORT DataSet loadDataSet(const std::string& directory, const QDate& today);
// The same with options: threads, progress and cancelling. A cancelled load
// returns the records read until then (a partial set: do not install it).
LWHOST_DATA_EXPORT DataSet loadDataSet(const std::string& directory, const QDate& today,
                                       const DataSetLoadOptions& options);

// Whether tradeType is one single-bit trading type of ENqTraderType.
LWHOST_DATA_EXPORT bool isKnownTradeType(int tradeType);

// A date field of the data set: "" (no date), "yyyyMMdd", "@", "@+N" or
// "@-N" (N days from `today`, at most six digits). On success `out` is ""
// or "yyyyMMdd"; otherwise false with `problem` set.
LWHOST_DATA_EXPORT bool resolveDataSetDate(const std::string& text, const QDate& today,
                                           std::string& out, std::string& problem);

}  // namespace mxservice
