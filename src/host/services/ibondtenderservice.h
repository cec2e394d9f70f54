#pragma once
// The bond-tender requests of the trade client, as a plain interface (the
// trade client's second base, beside QObject), so that a caller can be given
// another implementation.

#include "lwhost_data_export.h"

#include "host/bson/bsonobj.h"
#include "host/core/mxerror.h"
#include "host/data/tenderbondinfodetail.h"

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>

namespace LW {

class LWHOST_DATA_EXPORT IBondTenderService {
public:
  // The outcome of a request and the server's answer document.
  using ResultCallback = boost::function<void(const utils::MXError&, bson::BSONObj)>;

  virtual ~IBondTenderService() = default;

  // Sends the tender detail's trader and amounts to the server. Returns at
  // once; unless callback is empty it is called exactly once, later, on the
  // implementation's own thread, with the outcome. The two integers are
  // reserved and passed as 0.
  virtual void updateTenderBondDetails(
      const boost::shared_ptr<mxservice::CTenderBondInfoDetail>& detail,
      const ResultCallback& callback, int reserved1, int reserved2) = 0;
};

}  // namespace LW
