#pragma once
// The trader centre's store of inter-bank bonds (the lists of trading types
// 32768 and 0x2000000).
//
// Thread-safe: getInterBankBonds may be called from any thread (the panels'
// workers do); setInterBankBonds replaces the map as a whole.

#include "lwhost_data_export.h"

#include "host/core/annotatedmutex.h"

#include "host/data/interbankbond.h"

#include <memory>

namespace mxservice {

class LWHOST_DATA_EXPORT CInterBankStore {
public:
  CInterBankStore();
  ~CInterBankStore();

  // A copy of the ordered map (by the bond's key); the records are shared.
  InterBankBondMap getInterBankBonds() const;
  std::size_t size() const;

  // Host side. Entries with a null record are skipped (logged).
  void setInterBankBonds(const InterBankBondMap& bonds);
  void clear();

private:
  mutable utils::CMutex m_mutex;
  std::shared_ptr<const InterBankBondMap> m_bonds
      LW_GUARDED_BY(m_mutex);  // (the pointer); immutable
};

}  // namespace mxservice
