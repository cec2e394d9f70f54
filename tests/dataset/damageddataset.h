#pragma once
// A data set with every kind of damage a data file can carry, next to good
// lines: truncated lines, invalid UTF-8, wrong types, NaN and huge numbers,
// missing and duplicate fields and keys, empty and blank lines, CRLF, a byte
// order mark, unknown fields, escapes, extended JSON, deep nesting, text
// after the object and a last line without its newline.

#include <string>

namespace dataset_test {

// Writes the files into the existing directory `dir`; false on a write error.
bool writeDamagedDataSet(const std::string& dir);

}  // namespace dataset_test
