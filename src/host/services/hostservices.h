#pragma once
// The host facade: fills every trading-data service from a data set.
//
// install() puts the content of a data set into the singletons: the trader
// centre (data centre instruments, bond trading records, a fresh current
// account holding the order commands, inter-bank bonds), the exchange client
// (instruments, exchanges, tender bond details), the user configuration and
// the client configuration, the enum registry and the overdue calculator's
// trading date. The trade client's simulated server is reset. The data set's
// error lines are logged as warnings (one record each).
//
// install() may be called again to replace everything; each service switches
// to its new content atomically, but the services switch one after another.
// The new current account is a new object: subscriptions made on the old one
// stay valid handles but receive nothing more. reset() empties every service
// the same way (no current account afterwards).
//
// Call from the GUI thread. Readers on other threads stay safe during an
// install; they may see some services already replaced and others not yet.

#include "lwhost_data_export.h"

#include "host/data/dataset.h"

#include <string>
#include <vector>

namespace mxservice {

class LWHOST_DATA_EXPORT CHostServices {
public:
  static void install(const DataSet& dataSet);
  // Loads a data-set directory (mxservice::loadDataSet) and installs it.
  // Returns the data set's error lines (also logged).
  static std::vector<std::string> installFromDirectory(const std::string& directory);
  static void reset();

  // Moves the trading day (the overdue calculator's date) and announces it
  // with the exchange client's sigNewTradingDate(newDate, previous date).
  static void changeTradingDate(const std::string& newDate);
};

}  // namespace mxservice
