#pragma once
// One row of the quick search: an instrument of one trading type with the
// texts the popup shows for it. A plain value, copied freely between threads.

#include "lw_quicksearch_export.h"

#include <QString>

namespace LW {

struct CQuickSearchMatch {
  // The instrument key, utils::nqStockKey(market, code) ("600000.SH"): what a
  // pick hands on as the selected stock.
  QString key;
  QString code;
  QString name;
  // The market's display text (LW::nqMarketIdToString).
  QString marketName;
  // The title of the trading type's list ("股票列表", "合约列表", "债券列表",
  // "代码列表"), in the panels' translation.
  QString listTitle;
  // The trading type the instrument is listed under (one bit).
  int tradeType = 0;
  // The ranking class (CQuickSearchEngine::ERankClass), 0 = best.
  int rankClass = 0;
};

}  // namespace LW
