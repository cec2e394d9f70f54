#pragma once
// An order command of the account data (data type 535). Tender commands
// carry trading type 0x8000000 and, in their parameters, a "btdparam"
// document with the tender parameters (CBondTendersParam).
//
// The status is written by the trade client's thread while other threads read
// it, so it is atomic; every other member is fixed once published.

#include "lwhost_data_export.h"

#include "host/core/tradertypes.h"
#include "host/data/idata.h"

#include <atomic>
#include <string>

namespace mxservice {

class LWHOST_DATA_EXPORT COrderCommand : public IData {
public:
  COrderCommand() = default;
  COrderCommand(const COrderCommand& other);
  COrderCommand& operator=(const COrderCommand&) = delete;

  std::string getKey() const override;  // "OC." + commandId
  int dataType() const override { return DATA_TYPE_ORDER_COMMAND; }
  bool bsonValueFromObj(const bson::BSONObj& obj, bool ignoreUnknown, std::string* errors) override;
  bson::BSONObj toBsonObj() const override;

  int status() const { return m_status.load(std::memory_order_acquire); }
  void setStatus(int status) { m_status.store(status, std::memory_order_release); }

  int tradeType = NQ_TRADER_NONE;
  int commandId = kNoValueInt;
  std::string passBackText;  // handed back unchanged in status requests
  std::string userName;      // who issued the command
  bson::BSONObj params;      // command parameters ("btdparam" for tenders)

private:
  std::atomic<int> m_status{ORDER_COMMAND_APPROVING};
};

using COrderCommandPtr = boost::shared_ptr<COrderCommand>;

}  // namespace mxservice
