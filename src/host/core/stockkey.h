#pragma once
// Stock keys: the text key of an instrument, formed from its market id and
// code as "<code>.<market>" (for example "600000.SH"). It is also the data key
// of an instrument record, the text kept in the favourites and the text the
// panels hand to the host when a row is selected.

#include "lwhost_core_export.h"

#include <QString>
#include <string>

namespace utils {
LWHOST_CORE_EXPORT std::string nqStockKey(const std::string& market, const std::string& code);
}  // namespace utils

namespace GU {
// Converts UTF-8 text to a QString (invalid sequences become U+FFFD).
LWHOST_CORE_EXPORT QString sToQs(const std::string& text);
LWHOST_CORE_EXPORT QString nqStockKey(const QString& market, const QString& code);
}  // namespace GU
