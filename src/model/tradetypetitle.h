#pragma once
// The title of the list that shows a trading type: the instruments panel's
// window title, and the list column of the quick search. Pure function: any
// thread (the translation catalogue is read, not changed).

#include <QString>

namespace LW {

// "股票列表" for the stock-like types, "合约列表" for futures, options, funds and
// foreign markets, "债券列表" for the bond types, "代码列表" for everything else
// (combinations such as the mixed lists included), in the installed
// language. The texts belong to the panel's translation context
// ("LW::CInstrumentsPanel"), where they have always been translated.
QString tradeTypeListTitle(int tradeType);

}  // namespace LW
