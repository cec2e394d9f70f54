#include "host/services/brokertype.h"

namespace LW {

bool isBrokerTypeMatchTradeType(int brokerType, mxservice::ENqTraderType tradeType,
                                EBrokerTypeMatchTradeTypeOption option) {
  const unsigned broker = static_cast<unsigned>(brokerType);
  const unsigned type = static_cast<unsigned>(tradeType);
  if (type == 0) return false;
  if (option == BROKER_MATCH_ALL_BITS) return (broker & type) == type;
  return (broker & type) != 0;
}

bool isBrokerTypeMatchTradeType(int brokerType, mxservice::ENqTraderType tradeType, int option) {
  return isBrokerTypeMatchTradeType(
      brokerType, tradeType,
      option == BROKER_MATCH_ALL_BITS ? BROKER_MATCH_ALL_BITS : BROKER_MATCH_ANY_BIT);
}

}  // namespace LW
