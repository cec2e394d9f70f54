#pragma once
// The quote client: announces when bond information (the data centre's bond
// trading records) is ready or has been refreshed.
//
// Reached as utils::CManualSingletonT<LW::CQuoteClient>::instance() (or
// instance()). bondInfoReadySignal is a thread-safe Boost.Signals2 signal;
// notifyBondInfoReady() raises it on the calling thread, so slots run there
// (the bond info panel moves its work to the GUI thread itself).

#include "lwhost_data_export.h"

#include <boost/signals2/signal.hpp>

namespace LW {

class LWHOST_DATA_EXPORT CQuoteClient {
public:
  CQuoteClient();
  ~CQuoteClient();

  static CQuoteClient* instance();

  // Host side: raises bondInfoReadySignal.
  void notifyBondInfoReady();

  boost::signals2::signal<void()> bondInfoReadySignal;
};

}  // namespace LW
