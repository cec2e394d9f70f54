#include "host/services/usermanager.h"

#include "host/core/singleton.h"

namespace LW {

CUserManager::CUserManager() : m_userConfig(new CUserConfig()) {}
CUserManager::~CUserManager() = default;

CUserManager* CUserManager::instance() {
  return utils::CManualSingletonT<CUserManager>::instance();
}

CUserConfig* getUserConfig() { return CUserManager::instance()->getUserConfig(); }

}  // namespace LW
