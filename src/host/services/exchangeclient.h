#pragma once
// The exchange client: the instrument details by stock key, the exchange
// table and the tender bond details, plus the signals by which the host
// announces a new stock list, changed instruments and a new trading day.
//
// Reached as utils::CManualSingletonT<LW::CExchangeClient>::instance() (or the
// shorthand instance()). The object lives on the thread of the
// QCoreApplication (it moves itself there when created elsewhere), so queued
// connections to it behave as for any GUI-thread object.
//
// Threads: the getters may be called from any thread (the panels' workers
// call them); they copy a snapshot pointer under m_mutex and read without a
// lock. The setters may be called from any thread. The emit* functions emit
// on the calling thread; receivers on other threads get the signal queued
// (the metatypes "QMap<QString,mxservice::CInstrumentDetailPtr>",
// "set<string>" and "std::string" are registered by the constructor).
// Destroy only when no other thread uses the client.

#include "lwhost_data_export.h"

#include "host/core/annotatedmutex.h"

#include "host/data/exchangedetail.h"
#include "host/data/instrumentdetail.h"
#include "host/data/tenderbondinfodetail.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace LW {

// The stock-list-change signal is declared with these names so that its
// normalised signature reads "sigStockListChange(set<string>)", which the
// panels use in their string-based connections.
using std::set;
using std::string;

class LWHOST_DATA_EXPORT CExchangeClient : public QObject {
  Q_OBJECT

public:
  CExchangeClient();
  ~CExchangeClient() override;

  static CExchangeClient* instance();

  // The first instrument (in data-set order) with that market and code; null
  // when unknown.
  mxservice::CInstrumentDetailPtr getInstrument(const std::string& market,
                                                const std::string& code) const;
  // By stock key as kept in the favourites ("600000.SH"); null when unknown.
  mxservice::CInstrumentDetailPtr getInstrument(const QString& key) const;
  mxservice::CExchangeDetailPtr getExchangeInfo(const std::string& market) const;
  // A copy of the map; the details themselves are shared with the store.
  mxservice::TenderBondInfoDetailMap getTenderBondInfoDetails() const;

  // Host side: replace the content (null records are skipped and logged).
  void setInstruments(const std::vector<mxservice::CInstrumentDetailPtr>& instruments);
  void setExchanges(const std::vector<mxservice::CExchangeDetailPtr>& exchanges);
  void setTenderBondInfoDetails(const mxservice::TenderBondInfoDetailMap& details);
  void clear();

  // Host side: raise the signals (used by the demo's simulate menu and tests).
  void emitStockList(const QMap<QString, mxservice::CInstrumentDetailPtr>& stocks, int brokerType);
  // The whole instrument table keyed by stock key.
  QMap<QString, mxservice::CInstrumentDetailPtr> stockListMap() const;
  void emitStockListChange(const std::set<std::string>& changedKeys);
  void emitNewTradingDate(const std::string& newDate, const std::string& oldDate);

signals:
  void sigStockList(const QMap<QString, mxservice::CInstrumentDetailPtr>&, int);
  void sigStockListChange(const set<string>&);
  void sigNewTradingDate(const std::string&, const std::string&);

private:
  struct Content;
  std::shared_ptr<const Content> content() const;

  // Serialises the setters (read-copy-replace); held around m_mutex.
  utils::CMutex m_writeMutex LW_ACQUIRED_BEFORE(m_mutex);
  mutable utils::CMutex m_mutex;
  // The pointer only; what it points to is immutable.
  std::shared_ptr<const Content> m_content LW_GUARDED_BY(m_mutex);
};

// Registers the metatypes of the exchange client's signals; idempotent and
// thread-safe. Called by the client's constructor.
LWHOST_DATA_EXPORT void registerExchangeClientMetaTypes();

}  // namespace LW
