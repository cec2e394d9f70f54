#include "quicksearch/quicksearchtypes.h"

#include "host/core/tradertypes.h"

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

}  // namespace quicksearch
}  // namespace LW
