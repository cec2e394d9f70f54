#pragma once
// Which records a list shows for a filter text: the instrument match and the
// inter-bank match.
//
// The instrument match has two halves. The list rules (missing record,
// merged futures, Hong Kong stocks in the stock list, broker-edition product
// groups, trading type) do not depend on the filter; the filter rule does not
// depend on the list. The model runs the filter half through its per-list
// cache (CInstrumentSearchCache) and the list half only on the survivors;
// instrumentMatches() is the whole rule on one record, without a cache.
//
// Pure functions of their arguments and the host's stateless predicates: any
// thread.

#include "host/core/tradertypes.h"
#include "host/data/instrumentdetail.h"
#include "host/data/interbankbond.h"

#include <QString>

namespace LW {

// The configuration the list rules read, taken once per load so that one load
// applies one configuration throughout.
struct CListRuleContext {
  mxservice::ENqTraderType tradeType = mxservice::NQ_TRADER_NONE;
  bool mergeFuture = false;     // the futures list also shows trading type 1024
  bool hkTradeInStock = false;  // the stock list also shows trading type 16384
  bool brokerEdition = false;
  int brokerEditionUserType = 0;  // bit 0 commodity group, bit 1 interest-rate group

  // The host's current user and client configuration.
  static CListRuleContext current(mxservice::ENqTraderType tradeType);
};

// The list half: false for a null record; with merged futures the futures
// list keeps futures markets only; with Hong Kong stocks the stock list keeps
// stock and Shenzhen-Hong Kong connect markets only; otherwise the broker
// edition's foreign lists (64, 2048) keep the product groups the user may
// trade, and the record must be listed under the trading type.
bool passesListRules(const mxservice::CInstrumentDetailPtr& instrument,
                     const CListRuleContext& context);

// The filter half: an empty filter matches; otherwise the upper-cased code,
// name, product code or market code contains filter (case-sensitive), or
// else the name's pinyin initials match it (GU::isInByPy). A null record
// never matches.
bool passesFilter(const mxservice::CInstrumentDetailPtr& instrument, const QString& filter);

// Both halves, in that order.
bool instrumentMatches(const mxservice::CInstrumentDetailPtr& instrument, const QString& filter,
                       const CListRuleContext& context);

// A null record never matches; an empty filter matches; otherwise the
// upper-cased market text, inter-bank code, inter-bank name or name pinyin
// abbreviation contains filter (case-sensitive, no pinyin test).
bool interBankMatches(const mxservice::CInterBankBondPtr& bond, const QString& filter);

}  // namespace LW
