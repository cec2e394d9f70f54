#include "model/tradetypetitle.h"

#include "host/core/tradertypes.h"

#include <QCoreApplication>

namespace LW {

QString tradeTypeListTitle(int tradeType) {
  static const char* const kContext = "LW::CInstrumentsPanel";
  const char* text = nullptr;
  switch (tradeType) {
    case mxservice::NQ_TRADER_STOCK:
    case mxservice::NQ_TRADER_CREDIT:
    case mxservice::NQ_TRADER_HK_CONNECT:
    case mxservice::NQ_TRADER_NEEQ:
    case mxservice::NQ_TRADER_HK_STOCK:
      text = QT_TRANSLATE_NOOP("LW::CInstrumentsPanel", "股票列表");
      break;
    case mxservice::NQ_TRADER_FUTURE:
    case mxservice::NQ_TRADER_FUTURE_OPTION:
    case mxservice::NQ_TRADER_STOCK_OPTION:
    case mxservice::NQ_TRADER_OUTER_FUTURE:
    case mxservice::NQ_TRADER_OTC_FUND:
    case mxservice::NQ_TRADER_FUTURE_SPEC:
    case mxservice::NQ_TRADER_OUTER_STOCK:
      text = QT_TRANSLATE_NOOP("LW::CInstrumentsPanel", "合约列表");
      break;
    case mxservice::NQ_TRADER_INTER_BANK:
    case mxservice::NQ_TRADER_FICC:
    case mxservice::NQ_TRADER_BOND_TENDER:
      text = QT_TRANSLATE_NOOP("LW::CInstrumentsPanel", "债券列表");
      break;
    default:
      // Combinations of trading types (1536 = 512 | 1024, the mixed lists)
      // and every other single type.
      text = QT_TRANSLATE_NOOP("LW::CInstrumentsPanel", "代码列表");
      break;
  }
  return QCoreApplication::translate(kContext, text);
}

}  // namespace LW
