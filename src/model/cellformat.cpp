#include "model/cellformat.h"

#include "host/core/tradertypes.h"
#include "host/text/numberformat.h"

#include <algorithm>
#include <cmath>

namespace LW {
namespace cellformat {

QString invalidText() { return GU::invalidNumberText(); }

const QString& dash() {
  static const QString text = QStringLiteral("-");
  return text;
}

QString decimals(double value, int decimals) {
  // The formatter hands back the text given for a value it cannot show; a
  // null text marks that case, so the illegal-value text is looked up (under
  // Qt's translator lock) only then and not for every numeric cell.
  const QString text = GU::formatDoubleNumber(value, decimals, 0, false, QString());
  return text.isNull() ? invalidText() : text;
}

QString dashOrDecimals(double value, int n) {
  if (value == mxservice::kNoValueDouble) return dash();
  return decimals(value, n);
}

QString plainInt(int value) {
  if (value == mxservice::kNoValueInt) return dash();
  return QString::number(value);
}

QString hostInt(int value) {
  if (value == mxservice::kNoValueInt) return dash();
  return GU::formatIntNumber(value, 0, 0);
}

namespace {

bool showable(double value) {
  return std::isfinite(value) && std::fabs(value) < GU::kFormatNumberLimit;
}

}  // namespace

QString fixedPoint(double value, int n) {
  if (value == mxservice::kNoValueDouble) return dash();
  if (!showable(value)) return invalidText();
  return QString::number(value, 'f', std::clamp(n, 0, 15));
}

QString general6(double value) {
  if (value == mxservice::kNoValueDouble) return dash();
  if (!showable(value)) return invalidText();
  return QString::number(value, 'g', 6);
}

}  // namespace cellformat
}  // namespace LW
