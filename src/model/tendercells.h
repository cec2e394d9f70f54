#pragma once
// The cell rules of bond-tender rows (trading type 0x8000000, ids 0-53).
// Every tender cell is a text cell whose painted text is its text: amounts
// and rates are written when the value is made, so the sort of these columns
// (all of kind 10) compares what the user sees.
//
// Any thread: the workflow members (status, trader, report amounts) are read
// through the record's guarded accessors, the rest is fixed once published.

#include "host/core/tradertypes.h"
#include "host/data/tenderbondinfodetail.h"
#include "model/cellvalue.h"

#include <QString>

namespace LW {

constexpr int kTenderLastColumn = 53;

// False (value untouched) for an id outside 0-53. tradeType goes to the enum
// registry.
bool tenderCellValue(const mxservice::CTenderBondInfoDetail& tender,
                     mxservice::ENqTraderType tradeType, int column, CellValue* value);

// The execution-status text: 0 "审批中", 2 "运行中", 5 "已撤销", 201 "已完成",
// 204 "锁定中", anything else the empty text.
QString tenderStatusText(int status);

}  // namespace LW
