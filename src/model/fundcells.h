#pragma once
// The cell rules of over-the-counter fund rows (trading type 512, ids 0-15):
// the CellValue of each column and its painted text. Pure functions of the
// record and the host's enum registry: any thread.

#include "host/core/tradertypes.h"
#include "host/data/otcfundplaninfo.h"
#include "model/cellvalue.h"

#include <QString>

namespace LW {

// False (value untouched) for an id outside 0-15. Columns that only describe
// funds (4, 11, 12, 13) hold "-" for other plan kinds (base information type
// other than 1). tradeType goes to the enum registry.
bool fundCellValue(const mxservice::COTCFundPlanInfo& fund, mxservice::ENqTraderType tradeType,
                   int column, CellValue* value);
// False (and the empty text) for an id outside 0-15. The amounts (7, 8, 10,
// 15) show "暂无" when they have no value or are not above 0.
bool fundCellText(int column, const CellValue& value, QString* text);

}  // namespace LW
