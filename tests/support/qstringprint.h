#pragma once
// Readable QString values in GoogleTest's failure messages. GoogleTest finds
// PrintTo by argument-dependent lookup, so it lives in QString's namespace
// (the global one).

#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
