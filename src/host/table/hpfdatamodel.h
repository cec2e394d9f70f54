#pragma once
// The trade-panel layer's table model: a GU::IBaseHpfTableModel that knows the
// table type it feeds (550 instruments, 16371 bond trading records, ...) and
// the trading type of its panel.
//
// Always own a model by boost::shared_ptr: the threaded subclass relies on
// shared_from_this() to keep a model alive while one of its jobs runs.
//
// Threads: tradeType() and tableType() may be read from any thread; the trading
// type is written only by setTradeType(), which the GUI thread calls before the
// model is loaded (guarded by an atomic so a concurrent reader sees either
// value).

#include "lwhost_table_export.h"

#include "host/core/tradertypes.h"
#include "host/table/ibasehpftablemodel.h"

#include <atomic>
#include <boost/enable_shared_from_this.hpp>

namespace LW {

class LWHOST_TABLE_EXPORT CHpfDataModel : public boost::enable_shared_from_this<CHpfDataModel>,
                                          public GU::IBaseHpfTableModel {
public:
  CHpfDataModel(int tableType, mxservice::ENqTraderType tradeType);
  ~CHpfDataModel() override;

  mxservice::ENqTraderType tradeType() const;
  void setTradeType(mxservice::ENqTraderType tradeType);

private:
  std::atomic<int> m_tradeType;
};

}  // namespace LW
