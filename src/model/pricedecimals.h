#pragma once
// How many decimals a row shows for its prices, from the instrument's price
// tick. Pure function: any thread.

namespace LW {

// 2 for the no-value tick and for NaN or infinite ticks (a broken tick must
// not turn every price of the row into eleven decimals); otherwise the number
// of decimals the tick needs, at most 11. Ticks below 1e-6, zero and negative
// ones included, are read from their 15-decimal fixed-point text so that
// 1e-7 gives 7 and 0 gives 0. Larger ticks are scaled by ten until they lie
// within 1e-5 (1e-6 up to a tick of 1e-5) of the nearest integer; every tick
// k * 10^-d with k below 10^4 and d up to 6 gets its d, but a tick with more
// significant digits than that tolerance resolves (0.999999) reads as fewer.
int computePriceDecimals(double tick);

}  // namespace LW
