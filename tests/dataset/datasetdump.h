#pragma once
// A text dump of everything a loaded data set holds, one item per line, in
// the order the loader produced it: records (their generic BSON written as
// JSON), the configuration, the enum names and the error lines. Two loads
// are equivalent exactly when their dumps are equal.

#include "host/data/dataset.h"

#include <string>

namespace dataset_test {

std::string dumpDataSet(const mxservice::DataSet& set);

// The first line where two dumps differ, with both versions ("" if equal).
std::string firstDifference(const std::string& expected, const std::string& actual);

// Reads / writes a golden file under tests/dataset/golden (LW_SOURCE_DIR).
std::string goldenPath(const std::string& name);
bool readText(const std::string& path, std::string& out);
bool writeText(const std::string& path, const std::string& text);

}  // namespace dataset_test
