#pragma once
// Stock keys: the text key of an instrument, formed from its market id and
// code as "<code>.<market>" (for example "600000.SH"). It is also the data key
// of an instrument record, the text kept in the favourites and the text the
// panels hand to the host when a row is selected.

#include <QString>
#include <string>

namespace utils {
std::string nqStockKey(const std::string& market, const std::string& code);
}  // namespace utils

namespace GU {
// Converts UTF-8 text to a QString (invalid sequences become U+FFFD).
QString sToQs(const std::string& text);
QString nqStockKey(const QString& market, const QString& code);
}  // namespace GU
