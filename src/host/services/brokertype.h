#pragma once
// Broker types. A broker type is the bit set of the trading types
// (mxservice::ENqTraderType bits) that one broker serves; the exchange
// client's sigStockList carries the broker type whose list changed, and a
// panel reloads only when that broker serves its trading type.

#include "lwhost_data_export.h"

#include "host/core/tradertypes.h"

namespace LW {

enum EBrokerTypeMatchTradeTypeOption : int {
  // The broker serves at least one bit of the trading type (the default).
  BROKER_MATCH_ANY_BIT = 0,
  // The broker serves every bit of the trading type.
  BROKER_MATCH_ALL_BITS = 1,
};

// Whether brokerType serves tradeType under option. Trading type 0 is
// served by no broker; an unknown option is treated as BROKER_MATCH_ANY_BIT.
// Pure; any thread.
LWHOST_DATA_EXPORT bool isBrokerTypeMatchTradeType(
    int brokerType, mxservice::ENqTraderType tradeType,
    EBrokerTypeMatchTradeTypeOption option = BROKER_MATCH_ANY_BIT);
// The same with the option as a plain number (0 is BROKER_MATCH_ANY_BIT).
LWHOST_DATA_EXPORT bool isBrokerTypeMatchTradeType(int brokerType,
                                                   mxservice::ENqTraderType tradeType, int option);

}  // namespace LW
