#pragma once
// The data centre of the trader centre: the instruments of every trading
// type, the accounts' data and the bond trading records.
//
// The virtual operations keep this slot order (the destructor first); the
// panels call them through TraderCenter::instance()->getDataCenter().
// Every operation may be called from any thread.

#include "lwhost_data_export.h"

#include "host/core/tradertypes.h"
#include "host/data/bondtradeinfo.h"
#include "host/data/instrumentdetail.h"

#include <boost/shared_ptr.hpp>
#include <list>
#include <string>
#include <vector>

namespace mxservice {

class CAccountData;

class LWHOST_DATA_EXPORT IDataCenter {
public:
  virtual ~IDataCenter() = default;

  // The account data of accountKey ("" is the current account); null when
  // there is no such account.
  virtual boost::shared_ptr<CAccountData> getAccountData(const std::string& accountKey) const = 0;

  // Every instrument whose trading type shares a bit with tradeType, in
  // data-set order (so a combination such as 0xC5DFF lists all its member
  // types). Fund plans are listed under 512 as COTCFundPlanInfo objects.
  // Returned by value: the records are shared, the vector is the caller's.
  virtual std::vector<CInstrumentDetailPtr> getInstrumentsByTradeType(
      ENqTraderType tradeType) const = 0;
  // The same for a trading type held as a plain number.
  std::vector<CInstrumentDetailPtr> getInstrumentsByTradeType(int tradeType) const {
    return getInstrumentsByTradeType(static_cast<ENqTraderType>(tradeType));
  }

  // The instruments named by each selector, in selector order (a selector
  // given twice answers once); unknown selectors answer nothing.
  virtual std::vector<IDataPtr> getInstrumentsBySelector(
      const std::list<long long>& selectors) const = 0;

  // All bond trading records: market id, then position within the market.
  virtual BondTradeInfoMap getBondTradeInfos() const = 0;

  // The pricing unit of a foreign contract, e.g. "美元/10" for currency USD
  // and contract unit 10 (see CDataCenter for the exact rules).
  virtual std::string getPricingUnitText(const std::string& currency,
                                         double contractUnit) const = 0;
};

using IDataCenterPtr = boost::shared_ptr<IDataCenter>;

}  // namespace mxservice
