#pragma once
// Product groups of foreign futures, which decide what a broker-edition user
// may see (bit 0 of the broker-edition user type: commodity group, bit 1:
// interest-rate group).
//
// Commodity group (metals, energy, agriculture), by product code:
//   metals      GC SI HG PL PA MGC SIL ALI CA AH ZSD PB NI SN (LME: CA AH ZSD PB NI SN)
//   energy      CL NG HO RB BZ QM QG
//   agriculture ZC ZS ZW ZM ZL ZO ZR KE LE HE GF CT KC SB CC OJ
//   LME/ICE/SGX LCA LZS LAH LNI LPB LSN TRB FEF RSS3
// Interest-rate group, by product code:
//   ZN ZB ZF ZT UB TN SR3 SR1 GE ZQ FGBL FGBM FGBS FGBX FOAT R I SO3
// Both groups require a foreign market (mxservice::isForeignMarket); a
// product in neither list belongs to no group. Stateless; any thread.

#include "lwhost_data_export.h"

#include "host/data/instrumentdetail.h"

namespace mxservice {

class LWHOST_DATA_EXPORT COutterFutureHelper {
public:
  static bool isCommdityGroup(const CInstrumentDetailPtr& detail);
  static bool isInterestGroup(const CInstrumentDetailPtr& detail);
};

}  // namespace mxservice
