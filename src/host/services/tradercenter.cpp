#include "host/services/tradercenter.h"

#include "host/core/singleton.h"

namespace mxservice {

TraderCenter::TraderCenter() : m_dataCenter(new CDataCenter()) {}
TraderCenter::~TraderCenter() = default;

TraderCenter* TraderCenter::instance() {
  return utils::CManualSingletonT<TraderCenter>::instance();
}

}  // namespace mxservice
