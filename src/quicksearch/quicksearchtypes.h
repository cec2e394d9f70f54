#pragma once
// The order of the trading types within a ranking class of the quick
// search: the order of the types in the mixed list. Pure function: any
// thread.

namespace LW {
namespace quicksearch {

// The position of a one-bit trading type in the within-class order: the
// types of the all-markets list (0xC5DFF) first, by ascending bit, then every
// other type by ascending bit; 0..63, smaller first. Types with no bit or with
// several bits come last (63).
int tradeTypeOrder(int tradeType);

}  // namespace quicksearch
}  // namespace LW
