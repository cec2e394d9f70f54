#pragma once
// Trading-type tests on instrument details. Stateless; any thread.

#include "lwhost_data_export.h"

#include "host/core/tradertypes.h"
#include "host/data/instrumentdetail.h"

namespace mxservice {

class LWHOST_DATA_EXPORT DataHelper {
public:
  // Whether the detail is listed under (a bit of) tradeType: its own trading
  // type shares a bit with the given one. False for a null detail or type 0.
  static bool isTradeTypeStock(const CInstrumentDetailPtr& detail, int tradeType);
};

}  // namespace mxservice
