#pragma once
// The logged-in user's configuration: favourite codes per trading type, the
// user's name and type, and the list options (merged futures, Hong Kong
// stocks in the stock list, broker-edition product groups).
//
// Owned by LW::CUserManager; reached through LW::getUserConfig().
// Thread-safe: every member may be called from any thread; all state is
// guarded by m_mutex. favouritesChangedSignal is raised after the change, on
// the thread that made it, without m_mutex held.

#include "lwhost_data_export.h"

#include "host/core/annotatedmutex.h"

#include "host/core/tradertypes.h"

#include <QMap>
#include <QSet>
#include <QString>
#include <boost/signals2/signal.hpp>
#include <string>

namespace LW {

class LWHOST_DATA_EXPORT CUserConfig {
public:
  // Operations of favouritesChangedSignal (and of the panels'
  // updateOptionalStatus): 0 codes added, 1 codes removed.
  enum EFavouriteOperation { FAVOURITE_ADDED = 0, FAVOURITE_REMOVED = 1 };

  CUserConfig();
  ~CUserConfig();

  // The favourite stock keys ("600000.SH") of exactly that trading type.
  QSet<QString> getCodeSetByTradeType(mxservice::ENqTraderType tradeType) const;
  QSet<QString> getCodeSetByTradeType(int tradeType) const {
    return getCodeSetByTradeType(static_cast<mxservice::ENqTraderType>(tradeType));
  }
  // Adds or removes one favourite; false when nothing changed (already
  // there / not there, or an empty key).
  bool addFavourite(mxservice::ENqTraderType tradeType, const QString& stockKey);
  bool removeFavourite(mxservice::ENqTraderType tradeType, const QString& stockKey);
  void setFavourites(mxservice::ENqTraderType tradeType, const QSet<QString>& stockKeys);
  void clearFavourites();

  bool hasHkTradeInStock() const;
  void setHkTradeInStock(bool on);
  bool hasMergeFuture() const;
  void setMergeFuture(bool on);
  // Bit 0: commodity group allowed, bit 1: interest-rate group allowed.
  int getBrokerEditionUserType() const;
  void setBrokerEditionUserType(int type);
  // UTF-8.
  std::string userName() const;
  void setUserName(const std::string& name);
  // 101, 102 and 200 change the tender panel; 0 by default.
  int userType() const;
  void setUserType(int type);

  // Back to the defaults (user "trader", type 0, no options, no favourites);
  // raises no signal.
  void reset();

  // (trading type, operation, the codes): lets the host pass favourites
  // changes on to the panels (CInstrumentsPanel::updateOptionalStatus).
  boost::signals2::signal<void(int, int, const QSet<QString>&)> favouritesChangedSignal;

private:
  mutable utils::CMutex m_mutex;
  QMap<int, QSet<QString>> m_favourites LW_GUARDED_BY(m_mutex);
  bool m_hkTradeInStock LW_GUARDED_BY(m_mutex) = false;
  bool m_mergeFuture LW_GUARDED_BY(m_mutex) = false;
  int m_brokerEditionUserType LW_GUARDED_BY(m_mutex) = 0;
  std::string m_userName LW_GUARDED_BY(m_mutex) = "trader";
  int m_userType LW_GUARDED_BY(m_mutex) = 0;
};

}  // namespace LW
