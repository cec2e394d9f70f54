#include "host/services/datahelper.h"

namespace mxservice {

bool DataHelper::isTradeTypeStock(const CInstrumentDetailPtr& detail, int tradeType) {
  return detail && (static_cast<unsigned>(detail->tradeType) & static_cast<unsigned>(tradeType));
}

}  // namespace mxservice
