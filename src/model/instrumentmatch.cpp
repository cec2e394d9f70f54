#include "model/instrumentmatch.h"

#include "host/core/stockkey.h"
#include "host/services/config.h"
#include "host/services/datahelper.h"
#include "host/services/markethelper.h"
#include "host/services/outterfuturehelper.h"
#include "host/services/userconfig.h"
#include "host/services/usermanager.h"
#include "host/text/pinyinmatch.h"

namespace LW {

namespace {

constexpr int kCommodityGroupBit = 0x1;
constexpr int kInterestGroupBit = 0x2;

bool upperContains(const std::string& text, const QString& filter) {
  return GU::sToQs(text).toUpper().contains(filter);
}

}  // namespace

CListRuleContext CListRuleContext::current(mxservice::ENqTraderType tradeType) {
  CListRuleContext context;
  context.tradeType = tradeType;
  const CUserConfig* user = getUserConfig();
  if (user) {
    context.mergeFuture = user->hasMergeFuture();
    context.hkTradeInStock = user->hasHkTradeInStock();
    context.brokerEditionUserType = user->getBrokerEditionUserType();
  }
  const CConfig* config = getConfig();
  context.brokerEdition = config && config->isBrokerEdition();
  return context;
}

bool passesListRules(const mxservice::CInstrumentDetailPtr& instrument,
                     const CListRuleContext& context) {
  using namespace mxservice;
  if (!instrument) return false;
  const ENqTraderType t = context.tradeType;
  // The merged futures list also holds the second futures account's list,
  // which may carry non-futures products the futures panel cannot trade.
  if (t == NQ_TRADER_FUTURE && context.mergeFuture) return isFutureMarket(instrument);
  if (t == NQ_TRADER_STOCK && context.hkTradeInStock) {
    return isStockMarket(instrument) || isSGTMarket(instrument);
  }
  if ((t == NQ_TRADER_OUTER_STOCK || t == NQ_TRADER_OUTER_FUTURE) && context.brokerEdition) {
    const bool allowed = (COutterFutureHelper::isCommdityGroup(instrument) &&
                          (context.brokerEditionUserType & kCommodityGroupBit) != 0) ||
                         (COutterFutureHelper::isInterestGroup(instrument) &&
                          (context.brokerEditionUserType & kInterestGroupBit) != 0);
    if (!allowed) return false;
  }
  return DataHelper::isTradeTypeStock(instrument, t);
}

bool passesFilter(const mxservice::CInstrumentDetailPtr& instrument, const QString& filter) {
  if (!instrument) return false;
  if (filter.isEmpty()) return true;
  const mxservice::CInstrumentDetail& i = *instrument;
  return upperContains(i.code, filter) || upperContains(i.name, filter) ||
         upperContains(i.productCode, filter) || upperContains(i.marketId, filter) ||
         GU::isInByPy(GU::sToQs(i.name), filter);
}

bool instrumentMatches(const mxservice::CInstrumentDetailPtr& instrument, const QString& filter,
                       const CListRuleContext& context) {
  return passesListRules(instrument, context) && passesFilter(instrument, filter);
}

bool interBankMatches(const mxservice::CInterBankBondPtr& bond, const QString& filter) {
  if (!bond) return false;
  if (filter.isEmpty()) return true;
  return upperContains(bond->market, filter) || upperContains(bond->bondCode, filter) ||
         upperContains(bond->bondName, filter) || upperContains(bond->shortPinyin, filter);
}

}  // namespace LW
