#pragma once
// The user manager: owns the logged-in user's configuration.
//
// Reached as utils::CManualSingletonT<LW::CUserManager>::instance() (or
// instance()); LW::getUserConfig() is the shorthand the panels use. The
// configuration object lives as long as the manager, so the pointer may be
// kept. Thread-safe.

#include "lwhost_data_export.h"

#include "host/services/userconfig.h"

#include <memory>

namespace LW {

class LWHOST_DATA_EXPORT CUserManager {
public:
  CUserManager();
  ~CUserManager();

  static CUserManager* instance();

  // Never null; owned by the manager.
  CUserConfig* getUserConfig() const { return m_userConfig.get(); }

private:
  const std::unique_ptr<CUserConfig> m_userConfig;
};

// The user configuration of the user manager singleton.
LWHOST_DATA_EXPORT CUserConfig* getUserConfig();

}  // namespace LW
