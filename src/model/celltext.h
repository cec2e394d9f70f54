#pragma once
// The painted text of a cell: its value (cellvalues.h) written by its
// column's format (CColumnDesc::format). Pure functions: any thread.

#include "model/cellvalue.h"
#include "model/columntable.h"

#include <QString>

namespace LW {

// priceDecimals is the row's (used by DP, FixedMin6 and FixedP).
QString cellText(ECellFormat format, const CellValue& value, int priceDecimals);

}  // namespace LW
