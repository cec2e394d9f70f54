#pragma once
// The values of the instruments table's cells: what a column's source
// (CColumnDesc::source) reads from a row's record. The sort compares these
// values; celltext.h writes them.
//
// Pure functions of the record and the host's read-only services (exchange
// table, market predicates, capital-occupation days, pricing units, enum
// registry, inter-bank code texts): any thread. Nothing is cached; a record
// the host updates shows at the next repaint. The tender workflow's fields
// (status, trader, report amounts) are read through the record's guarded
// accessors.

#include "host/core/tradertypes.h"
#include "host/data/instrumentdetail.h"
#include "host/data/interbankbond.h"
#include "host/data/otcfundplaninfo.h"
#include "host/data/tenderbondinfodetail.h"
#include "model/cellvalue.h"
#include "model/columntable.h"

#include <QString>

namespace LW {

// Where a cell is: the row's trading type (for the enum registry and the
// gold list's market names) and the column id (for the fee columns).
struct CCellPlace {
  mxservice::ENqTraderType tradeType;
  int column;
};

// The value of column desc for a record of the kind its set wraps. A record
// outside the column's onlyFor conditions gets the text "-". Favourite
// columns and sources of another record kind give the default CellValue.
CellValue instrumentCellValue(const CColumnDesc& desc, const mxservice::CInstrumentDetailPtr& ins,
                              const CCellPlace& place);
CellValue fundCellValue(const CColumnDesc& desc, const mxservice::COTCFundPlanInfo& fund,
                        const CCellPlace& place);
CellValue interBankCellValue(const CColumnDesc& desc, const mxservice::CInterBankBond& bond);
CellValue tenderCellValue(const CColumnDesc& desc, const mxservice::CTenderBondInfoDetail& tender,
                          const CCellPlace& place);

// Market kinds of the mixed list (bit set): a mixed-list column only holds a
// value for the kinds it names, else the text "-".
enum EMixedMarketKind : unsigned {
  MIXED_FUTURE = 1u << 0,
  MIXED_STOCK_OPTION = 1u << 1,
  MIXED_FUTURE_OPTION = 1u << 2,
  MIXED_FOREIGN = 1u << 3,
  MIXED_GOLD = 1u << 4,
  MIXED_STOCK = 1u << 5,
  MIXED_NEEQ = 1u << 6,
  MIXED_SH_HK_CONNECT = 1u << 7,
  MIXED_SZ_HK_CONNECT = 1u << 8,
  MIXED_FOREIGN_INTER_BANK = 1u << 9,
};
unsigned mixedMarketKinds(const mxservice::CInstrumentDetailPtr& instrument);

// The execution-status text of a tender bond: 0 "审批中", 2 "运行中",
// 5 "已撤销", 201 "已完成", 204 "锁定中", anything else the empty text.
QString tenderStatusText(int status);

}  // namespace LW
