#pragma once
// A receiver with the slot signatures the panels use for the exchange
// client's signals.

#include "host/data/instrumentdetail.h"

#include <QMap>
#include <QObject>
#include <set>
#include <string>

using std::set;
using std::string;

class CExchangeReceiver : public QObject {
  Q_OBJECT

public:
  int stockListCount = 0;
  int brokerType = 0;
  QMap<QString, mxservice::CInstrumentDetailPtr> stocks;
  std::set<std::string> changed;
  std::string newDate, oldDate;

public slots:
  void slotStockList(const QMap<QString, mxservice::CInstrumentDetailPtr>& map, int type) {
    ++stockListCount;
    stocks = map;
    brokerType = type;
  }
  void slotStockListChange(const set<string>& codes) { changed = codes; }
  void slotNewTradingDay(const std::string& now, const std::string& before) {
    newDate = now;
    oldDate = before;
  }
};
