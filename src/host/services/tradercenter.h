#pragma once
// The trader centre: the root of the host's trading data. It owns the data
// centre (instruments, accounts, bond trading records) and the inter-bank
// bond store.
//
// Reached as TraderCenter::instance() (a utils::CManualSingletonT). Both
// members live as long as the trader centre and are replaced in content,
// never in identity, so the references it hands out may be kept.
// Thread-safe.

#include "lwhost_data_export.h"

#include "host/services/datacenter.h"
#include "host/services/interbankstore.h"

#include <boost/shared_ptr.hpp>

namespace mxservice {

class LWHOST_DATA_EXPORT TraderCenter {
public:
  TraderCenter();
  ~TraderCenter();

  static TraderCenter* instance();

  boost::shared_ptr<IDataCenter> getDataCenter() const { return m_dataCenter; }
  // The concrete data centre, for the host's own filling calls.
  const boost::shared_ptr<CDataCenter>& dataCenter() const { return m_dataCenter; }

  CInterBankStore& interBankStore() { return m_interBankStore; }
  const CInterBankStore& interBankStore() const { return m_interBankStore; }

private:
  const boost::shared_ptr<CDataCenter> m_dataCenter;
  CInterBankStore m_interBankStore;
};

}  // namespace mxservice
