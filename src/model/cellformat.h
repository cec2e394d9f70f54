#pragma once
// The number writers behind the display texts of the instruments table. Every
// numeric cell goes through one of these, so each is a thin call into the
// host formatters with the table's fixed choices (no format flags, "非法值"
// for a number the formatter cannot show). Pure functions: any thread.

#include <QString>

namespace LW {
namespace cellformat {

// The text shown for a number that cannot be shown ("illegal value"), in the
// installed language: looked up at each call, so that a language switch
// reaches the next texts made.
QString invalidText();
// The text shown for a cell without a value.
const QString& dash();

// value with the given decimals through the host formatter; "非法值" for NaN,
// infinities, the no-value marker and values beyond the formatter's range.
QString decimals(double value, int decimals);
// As decimals(), but "-" when value is the no-value marker.
QString dashOrDecimals(double value, int decimals);

// Integers. The no-value integer 2147483647 is never painted as a number: a
// trader reading a multiplier of 2147483647 would take it for data, so every
// integer writer shows "-" for it.
// A plain decimal integer ("int").
QString plainInt(int value);
// The host integer formatter without width or flags ("fint").
QString hostInt(int value);

// Plain fixed-point text with the given decimals (0..15), for the foreign
// futures columns that show prices at the instrument's own precision. "-" for
// the no-value marker (an absent price), "非法值" for NaN, infinities and
// values beyond the host formatter's range, rather than hundreds of digits.
QString fixedPoint(double value, int decimals);
// The general format with 6 significant digits, with the same "-" and
// "非法值" cases as fixedPoint.
QString general6(double value);

}  // namespace cellformat
}  // namespace LW
