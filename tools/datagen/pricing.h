#pragma once
// Rounding of generated prices. Prices are multiples of their tick and are
// written with the tick's decimals; rounding through a power of ten (rather
// than multiplying the tick) keeps the double nearest to the decimal price,
// so the JSON reads 10.52 and not 10.520000000000001. Pure inline functions.

#include <cmath>

namespace datagen {

inline double roundTo(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::round(value * scale) / scale;
}

// The decimals a tick needs (0.01 -> 2, 0.005 -> 3, 0.25 -> 2, 1/64 -> 6).
inline int decimalsOf(double tick) {
  for (int decimals = 0; decimals < 10; ++decimals) {
    const double scaled = tick * std::pow(10.0, decimals);
    if (std::fabs(scaled - std::round(scaled)) < 1e-7) return decimals;
  }
  return 10;
}

// The nearest multiple of tick, and at least one tick when positive is set.
inline double roundToTick(double value, double tick, bool positive = false) {
  double steps = std::round(value / tick);
  if (positive && steps < 1.0) steps = 1.0;
  return roundTo(steps * tick, decimalsOf(tick));
}

}  // namespace datagen
