#include "quicksearch/quicksearchtypes.h"

#include "host/core/tradertypes.h"

#include <QCoreApplication>

namespace LW {
namespace quicksearch {

int tradeTypeOrder(int tradeType) {
  const unsigned type = static_cast<unsigned>(tradeType);
  if (type == 0 || (type & (type - 1)) != 0) return 63;
  const unsigned mixed = static_cast<unsigned>(mxservice::NQ_TRADER_MIXED_ALL);
  const unsigned below = type - 1;
  if (type & mixed) return __builtin_popcount(mixed & below);
  // After the mixed list's types: the remaining bits below this one.
  return __builtin_popcount(mixed) + __builtin_popcount(~mixed & below);
}

QString listTitle(int tradeType) {
  // The panel's own texts and context: the translation catalogue holds them
  // once, under LW::CInstrumentsPanel.
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
      text = QT_TRANSLATE_NOOP("LW::CInstrumentsPanel", "代码列表");
      break;
  }
  return QCoreApplication::translate(kContext, text);
}

}  // namespace quicksearch
}  // namespace LW
