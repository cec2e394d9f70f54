#pragma once
// The fee columns of the futures list (column set of trading type 2, ids
// 13-21): the charging mode and, for opening, closing, intraday opening and
// intraday closing, a rate column and a fee-per-lot column. Pure functions of
// the instrument record: any thread.

#include <QString>

namespace mxservice {
class CInstrumentDetail;
}

namespace LW {

// Column ids of the fee block in the futures set.
constexpr int kFeeModeColumn = 13;
constexpr int kFirstFeeColumn = 14;
constexpr int kLastFeeColumn = 21;

// "按手数收取(元/手)" for mode 1, "按金额收取(万分之)" for mode 2, "-" otherwise
// (also when the instrument has no commission record).
QString feeModeText(const mxservice::CInstrumentDetail& instrument);

// The text of fee column 14-21 ("" for any other id). Even ids are rates: "-"
// by lots, else the value with two decimals and "/万". Odd ids are the fee per
// lot in yuan: by lots the value itself; by amount the value applied to one
// lot at the previous settlement price, rounded to cents. A value of -1.0, a
// missing record or a non-positive mode gives "-"; so does the fee column of
// an unknown mode (above 2), whose amount cannot be worked out. A value the
// host formatter cannot show (NaN, or a fee by amount without a price or
// without a multiplier) gives "非法值" without a unit.
QString feeText(const mxservice::CInstrumentDetail& instrument, int column);

}  // namespace LW
