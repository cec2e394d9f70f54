#pragma once
// The trading types as the quick search shows and orders them: the title of
// each type's list, and the order of the types in the mixed list.
// Pure functions: any thread.

#include <QString>

namespace LW {
namespace quicksearch {

// The position of a one-bit trading type in the within-class order: the
// types of the all-markets list (0xC5DFF) first, by ascending bit, then every
// other type by ascending bit; 0..63, smaller first. Types with no bit or with
// several bits come last (63).
int tradeTypeOrder(int tradeType);

// The title of the list that shows tradeType, as the instruments panel
// titles it ("股票列表", "合约列表", "债券列表", "代码列表"), translated in the
// panel's context, so the quick search and the panels read the same.
QString listTitle(int tradeType);

}  // namespace quicksearch
}  // namespace LW
