#pragma once
// The client configuration: settings of the installed client rather than of
// the user (so far only the edition).
//
// Reached as utils::CManualSingletonT<LW::CConfig>::instance() or
// LW::getConfig(). Thread-safe (the flag is atomic).

#include "lwhost_data_export.h"

#include <atomic>

namespace LW {

class LWHOST_DATA_EXPORT CConfig {
public:
  // The broker edition restricts foreign futures to the product groups the
  // user's broker-edition user type allows.
  bool isBrokerEdition() const { return m_brokerEdition.load(std::memory_order_relaxed); }
  void setBrokerEdition(bool on) { m_brokerEdition.store(on, std::memory_order_relaxed); }

private:
  std::atomic<bool> m_brokerEdition{false};
};

LWHOST_DATA_EXPORT CConfig* getConfig();

}  // namespace LW
