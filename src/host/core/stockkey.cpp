#include "host/core/stockkey.h"

namespace utils {
std::string nqStockKey(const std::string& market, const std::string& code) {
  std::string key;
  key.reserve(code.size() + market.size() + 1);
  key.append(code).append(1, '.').append(market);
  return key;
}
}  // namespace utils

namespace GU {
QString sToQs(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

QString nqStockKey(const QString& market, const QString& code) {
  return code + QLatin1Char('.') + market;
}
}  // namespace GU
