#pragma once
// The cell rules of rows that wrap an instrument detail: for every column set
// of an instrument list, which record value a column holds (the CellValue the
// sort compares) and how it is written (the painted text).
//
// Pure functions of the record and the host's read-only services (exchange
// table, market predicates, capital-occupation days, pricing units): any
// thread. Nothing is cached; a record the host updates shows at the next
// repaint.

#include "host/core/tradertypes.h"
#include "host/data/instrumentdetail.h"
#include "model/cellvalue.h"

#include <QString>

namespace LW {

// Fills *value for (tradeType, column); false (and *value untouched) when the
// instrument rules do not list the pair, e.g. the favourites column or a
// trading type without instrument rules. brokerEdition tells which edition's
// catalogue the table uses (CColumnCatalogue::build): in the broker edition
// the foreign-futures set (64, 2048) has no pricing-unit column, and its id
// 13 is the favourites column.
// A null instrument has no rules (false).
bool instrumentCellValue(const mxservice::CInstrumentDetailPtr& instrument,
                         mxservice::ENqTraderType tradeType, bool brokerEdition, int column,
                         CellValue* value);

// The painted text of a cell whose value instrumentCellValue produced;
// priceDecimals is the row's. False (and the empty text) when the pair has no
// display rule.
bool instrumentCellText(mxservice::ENqTraderType tradeType, bool brokerEdition, int column,
                        const CellValue& value, int priceDecimals, QString* text);

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

}  // namespace LW
