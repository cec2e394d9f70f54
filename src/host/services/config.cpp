#include "host/services/config.h"

#include "host/core/singleton.h"

namespace LW {

CConfig* getConfig() { return utils::CManualSingletonT<CConfig>::instance(); }

}  // namespace LW
