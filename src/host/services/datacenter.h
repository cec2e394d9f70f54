#pragma once
// The host's data centre (IDataCenter) and the host-side calls that fill it.
//
// Content is held in immutable snapshots that setInstruments() and the other
// setters replace as a whole; readers copy a snapshot pointer under m_mutex
// and then read without any lock, so a reader never blocks a writer for
// longer than a pointer copy and never sees half a replacement.
//
// Instrument lists are prepared when the instruments are set: one list per
// trading-type bit, in data-set order, so the per-keystroke query of a panel
// is one vector copy of shared pointers (about 1 ms for 100,000 instruments;
// see bench/hostservices). A query for a combination of bits (the mixed
// list 0xC5DFF) is filtered once and cached in the snapshot.
// instrumentListByTradeType() gives the same list without copying it.
//
// Selectors: 0x78A408BFBB9EA360 (kGoldExchangeSelector) answers the
// gold-exchange instruments of trading type 4 (market SGE); other selectors
// answer nothing.
//
// Pricing unit text: "<currency name>/<contract unit>", the currency named in
// Chinese for the common codes (USD 美元, CNY 人民币, HKD 港币, EUR 欧元,
// JPY 日元, GBP 英镑, SGD 新加坡元, AUD 澳元, CAD 加元, CHF 瑞士法郎,
// USX 美分) and shown as given otherwise; the unit is written without
// trailing zeros. A contract unit without a value (no-value marker, NaN,
// infinite, not above 0) gives the currency name alone; an empty currency
// gives the empty text.
//
// Thread-safe: every member function may be called from any thread.

#include "lwhost_data_export.h"

#include "host/core/annotatedmutex.h"

#include "host/services/accountdata.h"
#include "host/services/idatacenter.h"

#include <array>
#include <map>
#include <memory>

namespace mxservice {

class LWHOST_DATA_EXPORT CDataCenter : public IDataCenter {
public:
  static constexpr long long kGoldExchangeSelector = 0x78A408BFBB9EA360LL;

  CDataCenter();
  ~CDataCenter() override;

  using IDataCenter::getInstrumentsByTradeType;
  boost::shared_ptr<CAccountData> getAccountData(const std::string& accountKey) const override;
  std::vector<CInstrumentDetailPtr> getInstrumentsByTradeType(
      ENqTraderType tradeType) const override;
  std::vector<IDataPtr> getInstrumentsBySelector(
      const std::list<long long>& selectors) const override;
  BondTradeInfoMap getBondTradeInfos() const override;
  std::string getPricingUnitText(const std::string& currency, double contractUnit) const override;

  // The prepared list of getInstrumentsByTradeType without the copy; never
  // null, immutable, valid as long as the caller holds it.
  std::shared_ptr<const std::vector<CInstrumentDetailPtr>> instrumentListByTradeType(
      int tradeType) const;
  std::size_t instrumentCount() const;

  // Host side. Null instruments are skipped (logged).
  void setInstruments(const std::vector<CInstrumentDetailPtr>& instruments);
  void setBondTradeInfos(const BondTradeInfoMap& infos);
  // The current account (answers "" and its own key); null removes it.
  void setCurrentAccount(const boost::shared_ptr<CAccountData>& account);
  void clear();

private:
  struct InstrumentIndex;
  std::shared_ptr<const InstrumentIndex> instrumentIndex() const;

  mutable utils::CMutex m_mutex;
  // The pointers are guarded by m_mutex; what they point to is immutable
  // (InstrumentIndex guards its own cache).
  std::shared_ptr<const InstrumentIndex> m_instruments LW_GUARDED_BY(m_mutex);
  std::shared_ptr<const BondTradeInfoMap> m_bondTradeInfos LW_GUARDED_BY(m_mutex);
  boost::shared_ptr<CAccountData> m_account LW_GUARDED_BY(m_mutex);
};

}  // namespace mxservice
