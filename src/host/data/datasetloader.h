#pragma once
// Loads a data-set directory (docs/data-format.md) into a DataSet.

#include "lwhost_data_export.h"

#include "host/data/dataset.h"

#include <QDate>
#include <string>

namespace mxservice {

// Reads every file of the data set in `directory`. Never throws: every
// problem (a missing directory or file, a bad line, a bad field, a skipped
// record) is one line of DataSet::errors, and the rest of the set is loaded.
// Relative dates ("@", "@+N", "@-N") are resolved against today's date.
LWHOST_DATA_EXPORT DataSet loadDataSet(const std::string& directory);
// The same, with relative dates resolved against `today` (for tests).
LWHOST_DATA_EXPORT DataSet loadDataSet(const std::string& directory, const QDate& today);

// Whether tradeType is one single-bit trading type of ENqTraderType.
LWHOST_DATA_EXPORT bool isKnownTradeType(int tradeType);

// A date field of the data set: "" (no date), "yyyyMMdd", "@", "@+N" or
// "@-N" (N days from `today`, at most six digits). On success `out` is ""
// or "yyyyMMdd"; otherwise false with `problem` set.
LWHOST_DATA_EXPORT bool resolveDataSetDate(const std::string& text, const QDate& today,
                                           std::string& out, std::string& problem);

}  // namespace mxservice
