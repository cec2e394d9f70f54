#include "host/services/interbankstore.h"

#include "host/core/annotatedmutex.h"
#include "host/services/servicelog.h"

namespace mxservice {

CInterBankStore::CInterBankStore() : m_bonds(std::make_shared<const InterBankBondMap>()) {}
CInterBankStore::~CInterBankStore() = default;

InterBankBondMap CInterBankStore::getInterBankBonds() const {
  std::shared_ptr<const InterBankBondMap> bonds;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_mutex);
    bonds = m_bonds;
  }
  return *bonds;
}

std::size_t CInterBankStore::size() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return m_bonds->size();
}

void CInterBankStore::setInterBankBonds(const InterBankBondMap& bonds) {
  auto next = std::make_shared<InterBankBondMap>();
  for (const auto& entry : bonds) {
    if (!entry.second) {
      servicelog::warning("mxservice::CInterBankStore::setInterBankBonds",
                          "null inter-bank bond skipped: " + entry.first);
      continue;
    }
    next->insert(entry);
  }
  std::shared_ptr<const InterBankBondMap> replaced = next;
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_bonds.swap(replaced);
}

void CInterBankStore::clear() { setInterBankBonds(InterBankBondMap()); }

}  // namespace mxservice
