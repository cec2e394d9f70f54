#pragma once
// A data set: everything the host stand-in serves, as loaded from a data-set
// directory (see docs/data-format.md). The services are filled from one.

#include "lwhost_data_export.h"

#include "host/data/bondtradeinfo.h"
#include "host/data/exchangedetail.h"
#include "host/data/instrumentdetail.h"
#include "host/data/interbankbond.h"
#include "host/data/ordercommand.h"
#include "host/data/otcfundplaninfo.h"
#include "host/data/tenderbondinfodetail.h"

#include <map>
#include <string>
#include <vector>

namespace mxservice {

// The logged-in user's configuration and the client's edition.
struct LWHOST_DATA_EXPORT HostConfiguration {
  std::string userName = "trader";
  int userType = 0;  // 101, 102, 200 change the tender panel
  bool brokerEdition = false;
  int brokerEditionUserType = 0;  // bit 0 commodity group, bit 1 interest-rate group
  bool mergeFuture = false;       // list type-1024 futures in the futures list
  bool hkTradeInStock = false;    // list Hong Kong stocks in the stock list
  std::map<int, std::vector<std::string>> favourites;  // trading type -> stock keys
  std::string tradingDate;                             // "yyyyMMdd" of the current trading day
};

struct LWHOST_DATA_EXPORT DataSet {
  std::vector<CExchangeDetailPtr> exchanges;
  // Instruments in file order; fund plans (COTCFundPlanInfo) are among them,
  // listed under trading type 512.
  std::vector<CInstrumentDetailPtr> instruments;
  InterBankBondMap interBankBonds;
  TenderBondInfoDetailMap tenderBonds;          // keyed by the detail's getKey()
  std::vector<COrderCommandPtr> orderCommands;  // in file order
  BondTradeInfoMap bondTradeInfos;
  HostConfiguration config;
  // Enum display names: enum name -> value -> UTF-8 text.
  std::map<std::string, std::map<int, std::string>> enumNames;

  // Problems met while loading, one line each, naming the file, the line or
  // record and the field. Records with problems are skipped or loaded with
  // the bad field left at its no-value marker, as each line says.
  std::vector<std::string> errors;
};

}  // namespace mxservice
