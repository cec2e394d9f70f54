#pragma once
// Number formatters of the host UI framework: the texts of every numeric
// table cell, so they run for each painted cell and allocate nothing but the
// returned string. Pure functions: callable from any thread.

#include "lwhost_text_export.h"

#include <QCoreApplication>
#include <QString>

#include "host/text/cflags.h"

namespace utils {

enum EFormatNumberFlag {
  FORMAT_NUMBER_NONE = 0,
  // Groups the integer digits by three with ',' ("1,234,567.89").
  FORMAT_NUMBER_THOUSANDS = 0x1,
  // Shows the value as a percentage: times 100, followed by '%'. The scaling is
  // decimal (0.01005 becomes 1.005 exactly, then rounds like any value).
  FORMAT_NUMBER_PERCENT = 0x2,
  // Writes '+' before a positive result; a result of zero never has a sign.
  FORMAT_NUMBER_SIGN = 0x4,
  // Drops trailing zeros of the fraction, and the point when nothing is left
  // ("1.50" becomes "1.5", "2.00" becomes "2").
  FORMAT_NUMBER_TRIM_ZEROS = 0x8,
};

typedef CFlags<EFormatNumberFlag> CFormatNumberFlags;

}  // namespace utils

LW_DECLARE_FLAG_OPERATORS(utils::EFormatNumberFlag)

namespace GU {

// Values whose magnitude (after the percent scaling) reaches this bound are
// not shown as numbers: a price, amount or volume this large is a corrupt or
// sentinel value, and its digits would be noise beyond the 17 significant
// digits a double carries.
constexpr double kFormatNumberLimit = 1e18;

// The text shown in place of a number that cannot be shown ("illegal
// value"): what every caller passes as formatDoubleNumber's invalidText, and
// what the tables show for NaN and infinities. Defined here, inline, so that
// the host's tables and every panel library write one and the same text. It
// is looked up in the installed translations at each call, so a language
// switch reaches it; callers on hot paths pass a null text and substitute
// this one only when a number turns out not to be showable.
inline QString invalidNumberText() {
  return QCoreApplication::translate("GU::NumberFormat", "非法值");
}

// The text of value rounded to decimals places, half away from zero.
//
// Rounding applies to the shortest decimal that reads back as the same double,
// which is the number as it was typed or received as text: 1.005 gives "1.01"
// and 2.675 gives "2.68" with two decimals, although their nearest binary
// doubles lie just below. The alternative, rounding the exact binary value
// (what printf does), shows traders "1.00" for a price they entered as 1.005.
//
// decimals is clamped to 0..15. invalidText is returned (shared, not copied)
// for NaN, +/-infinity, the no-value marker 1.7976931348623157e308 (of either
// sign) and any value at or beyond kFormatNumberLimit. A result that is zero
// at the given decimals is written without a sign ("0.00", never "-0.00").
// hideZero: when true such a zero result gives the empty text instead, for
// cells where a blank reads better than a column of zeros.
LWHOST_TEXT_EXPORT QString formatDoubleNumber(double value, int decimals,
                                              utils::CFormatNumberFlags flags, bool hideZero,
                                              const QString& invalidText);

// The text of an integer. width is the minimum length of the whole text
// (sign, separators and '%' included), reached by padding spaces on the left
// so that columns line up; 0 or a negative width means no padding, and widths
// above 64 are treated as 64 so a bad width cannot blow up a cell.
// FORMAT_NUMBER_THOUSANDS, FORMAT_NUMBER_SIGN and FORMAT_NUMBER_PERCENT (times
// 100, computed in 64 bits so INT_MAX does not overflow) apply; trimming zeros
// does not concern integers. The no-value integer 2147483647 is written as
// such: callers that show "-" for it test it first.
LWHOST_TEXT_EXPORT QString formatIntNumber(int value, int width, utils::CFormatNumberFlags flags);

}  // namespace GU
