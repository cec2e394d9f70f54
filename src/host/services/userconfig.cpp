#include "host/services/userconfig.h"

#include "host/core/annotatedmutex.h"

namespace LW {

CUserConfig::CUserConfig() = default;
CUserConfig::~CUserConfig() = default;

QSet<QString> CUserConfig::getCodeSetByTradeType(mxservice::ENqTraderType tradeType) const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return m_favourites.value(static_cast<int>(tradeType));
}

bool CUserConfig::addFavourite(mxservice::ENqTraderType tradeType, const QString& stockKey) {
  if (stockKey.isEmpty()) return false;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_mutex);
    QSet<QString>& codes = m_favourites[static_cast<int>(tradeType)];
    if (codes.contains(stockKey)) return false;
    codes.insert(stockKey);
  }
  favouritesChangedSignal(static_cast<int>(tradeType), FAVOURITE_ADDED, QSet<QString>{stockKey});
  return true;
}

bool CUserConfig::removeFavourite(mxservice::ENqTraderType tradeType, const QString& stockKey) {
  {
    utils::CMutexLocker<utils::CMutex> lock(m_mutex);
    auto it = m_favourites.find(static_cast<int>(tradeType));
    if (it == m_favourites.end() || !it->remove(stockKey)) return false;
  }
  favouritesChangedSignal(static_cast<int>(tradeType), FAVOURITE_REMOVED, QSet<QString>{stockKey});
  return true;
}

void CUserConfig::setFavourites(mxservice::ENqTraderType tradeType,
                                const QSet<QString>& stockKeys) {
  QSet<QString> clean = stockKeys;
  clean.remove(QString());
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_favourites[static_cast<int>(tradeType)] = clean;
}

void CUserConfig::clearFavourites() {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_favourites.clear();
}

bool CUserConfig::hasHkTradeInStock() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return m_hkTradeInStock;
}

void CUserConfig::setHkTradeInStock(bool on) {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_hkTradeInStock = on;
}

bool CUserConfig::hasMergeFuture() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return m_mergeFuture;
}

void CUserConfig::setMergeFuture(bool on) {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_mergeFuture = on;
}

int CUserConfig::getBrokerEditionUserType() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return m_brokerEditionUserType;
}

void CUserConfig::setBrokerEditionUserType(int type) {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_brokerEditionUserType = type;
}

std::string CUserConfig::userName() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return m_userName;
}

void CUserConfig::setUserName(const std::string& name) {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_userName = name;
}

int CUserConfig::userType() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return m_userType;
}

void CUserConfig::setUserType(int type) {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_userType = type;
}

void CUserConfig::reset() {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_favourites.clear();
  m_hkTradeInStock = false;
  m_mergeFuture = false;
  m_brokerEditionUserType = 0;
  m_userName = "trader";
  m_userType = 0;
}

}  // namespace LW
