#include "model/pricedecimals.h"

#include "host/core/tradertypes.h"

#include <QString>
#include <QStringList>
#include <cmath>

namespace LW {

int computePriceDecimals(double tick) {
  if (tick == mxservice::kNoValueDouble || !std::isfinite(tick)) return 2;

  if (tick < 1e-6) {
    // Repeated multiplication by ten drifts too much for such small ticks to
    // ever land on an integer; the shortest fixed-point text is exact enough.
    const QStringList parts = QString::number(tick, 'f', 15).split(QLatin1Char('.'));
    if (parts.size() != 2) return 2;
    QString fraction = parts.at(1);
    int end = fraction.size();
    while (end > 0 && fraction.at(end - 1) == QLatin1Char('0')) --end;
    return end;
  }

  // The tolerance absorbs the binary representation error of the scaled
  // tick, which falls on either side of the integer: 0.005 becomes
  // 5.000000000000001, 0.57 becomes 56.99999999999999. The distance is
  // therefore to the nearest integer; measured to the integer part, every
  // tick that lands just below one would run on to 11 decimals. The
  // tolerance is finer for ticks near 1e-5.
  const double tolerance = tick <= 1e-5 ? 1e-6 : 1e-5;
  double x = tick;
  int n = 0;
  while (!(std::fabs(x - std::round(x)) < tolerance) && n <= 10) {
    x *= 10;
    ++n;
  }
  return n;
}

}  // namespace LW
