#include "host/services/quoteclient.h"

#include "host/core/singleton.h"

namespace LW {

CQuoteClient::CQuoteClient() = default;
CQuoteClient::~CQuoteClient() = default;

CQuoteClient* CQuoteClient::instance() {
  return utils::CManualSingletonT<CQuoteClient>::instance();
}

void CQuoteClient::notifyBondInfoReady() { bondInfoReadySignal(); }

}  // namespace LW
