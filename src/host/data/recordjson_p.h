#pragma once
// The records' readers for a decoded JSON line: the data-set loader's fast
// path, beside each record's generic BSON reader (bsonValueFromObj). Same
// field list, same rules, same error lines. Private to src/host/data.

#include "host/data/bondtradeinfo.h"
#include "host/data/exchangedetail.h"
#include "host/data/instrumentdetail.h"
#include "host/data/interbankbond.h"
#include "host/data/jsonvalue.h"
#include "host/data/ordercommand.h"
#include "host/data/otcfundplaninfo.h"
#include "host/data/tenderbondinfodetail.h"

#include <string>

namespace mxservice {
namespace detail {

// Fills `record` from the members of `obj` as bsonValueFromObj does from a
// document; returns false when anything was reported in *errors.
bool readFromJson(CExchangeDetail& record, const fields::JsonValue& obj, bool ignoreUnknown,
                  std::string* errors);
bool readFromJson(CInstrumentDetail& record, const fields::JsonValue& obj, bool ignoreUnknown,
                  std::string* errors);
bool readFromJson(COTCFundPlanInfo& record, const fields::JsonValue& obj, bool ignoreUnknown,
                  std::string* errors);
bool readFromJson(CInterBankBond& record, const fields::JsonValue& obj, bool ignoreUnknown,
                  std::string* errors);
bool readFromJson(CTenderBondInfoDetail& record, const fields::JsonValue& obj, bool ignoreUnknown,
                  std::string* errors);
bool readFromJson(COrderCommand& record, const fields::JsonValue& obj, bool ignoreUnknown,
                  std::string* errors);
bool readFromJson(CBondTradeInfo& record, const fields::JsonValue& obj, bool ignoreUnknown,
                  std::string* errors);

}  // namespace detail
}  // namespace mxservice
