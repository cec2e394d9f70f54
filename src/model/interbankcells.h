#pragma once
// The cell rules of inter-bank bond rows (trading types 32768 and 0x2000000,
// ids 0-20): the CellValue of each column and its painted text. Pure functions
// of the record and the host's code texts: any thread.

#include "host/data/interbankbond.h"
#include "model/cellvalue.h"

#include <QString>

namespace LW {

// False (value untouched) for an id outside 0-20.
bool interBankCellValue(const mxservice::CInterBankBond& bond, int column, CellValue* value);
// False (and the empty text) for an id outside 0-20.
bool interBankCellText(int column, const CellValue& value, QString* text);

}  // namespace LW
