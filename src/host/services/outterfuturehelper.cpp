#include "host/services/outterfuturehelper.h"

#include "host/services/markethelper.h"

#include <set>
#include <string>

namespace mxservice {

namespace {
const std::set<std::string>& commodityProducts() {
  static const std::set<std::string> products = {
      "GC", "SI",  "HG",  "PL",  "PA",  "MGC", "SIL", "ALI", "CA",  "AH",  "ZSD", "PB",
      "NI", "SN",  "CL",  "NG",  "HO",  "RB",  "BZ",  "QM",  "QG",  "ZC",  "ZS",  "ZW",
      "ZM", "ZL",  "ZO",  "ZR",  "KE",  "LE",  "HE",  "GF",  "CT",  "KC",  "SB",  "CC",
      "OJ", "LCA", "LZS", "LAH", "LNI", "LPB", "LSN", "TRB", "FEF", "RSS3"};
  return products;
}

const std::set<std::string>& interestProducts() {
  static const std::set<std::string> products = {"ZN",   "ZB",   "ZF",   "ZT", "UB",   "TN",
                                                 "SR3",  "SR1",  "GE",   "ZQ", "FGBL", "FGBM",
                                                 "FGBS", "FGBX", "FOAT", "R",  "I",    "SO3"};
  return products;
}
}  // namespace

bool COutterFutureHelper::isCommdityGroup(const CInstrumentDetailPtr& detail) {
  return detail && isForeignMarket(detail->marketId) &&
         commodityProducts().count(detail->productCode) > 0;
}

bool COutterFutureHelper::isInterestGroup(const CInstrumentDetailPtr& detail) {
  return detail && isForeignMarket(detail->marketId) &&
         interestProducts().count(detail->productCode) > 0;
}

}  // namespace mxservice
