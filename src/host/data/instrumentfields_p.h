#pragma once
// The fields of CInstrumentDetail, shared by COTCFundPlanInfo (which adds its
// own after them). Private to src/host/data.

#include "host/data/fieldbinder.h"
#include "host/data/instrumentdetail.h"

namespace mxservice {
namespace detail {

const fields::FieldList<CCommissionRecord>& commissionFields();

// Reads the "commission" document (a BSON element or a decoded JSON value):
// its presence sets hasCommission.
template <class R, class E>
void readCommission(R& r, const E& e, fields::Report& report) {
  if (e.type() != bson::Object) {
    r.hasCommission = false;
    r.commission = CCommissionRecord();
    report.field("commission", fields::wrongType("a document", e));
    return;
  }
  CCommissionRecord commission;
  fields::Report inner = report.nested("commission");
  commissionFields().read(commission, fields::membersOf(e), report.ignoreUnknown(), inner);
  if (!inner.ok()) report.fail();
  r.hasCommission = true;
  r.commission = commission;
}

template <class R>
void bindInstrumentFields(fields::FieldList<R>& f) {
  f.integer("tradeType", &R::tradeType)
      .text("marketId", &R::marketId)
      .text("code", &R::code)
      .text("name", &R::name)
      .text("productCode", &R::productCode)
      .text("productName", &R::productName)
      .text("exchangeCode", &R::exchangeCode)
      .text("exchangeName", &R::exchangeName)
      .text("underlyingCode", &R::underlyingCode)
      .text("currency", &R::currency)
      .text("expireDate", &R::expireDate)
      .text("deliveryDate", &R::deliveryDate)
      .number("priceTick", &R::priceTick)
      .number("preClose", &R::preClose)
      .number("upperLimit", &R::upperLimit)
      .number("lowerLimit", &R::lowerLimit)
      .number("preSettlement", &R::preSettlement)
      .number("longMarginRate", &R::longMarginRate)
      .number("shortMarginRate", &R::shortMarginRate)
      .number("floatCapital", &R::floatCapital)
      .number("totalCapital", &R::totalCapital)
      .number("accruedInterest", &R::accruedInterest)
      .number("faceValue", &R::faceValue)
      .number("contractUnit", &R::contractUnit)
      .number("marginUnit", &R::marginUnit)
      .number("strikePrice", &R::strikePrice)
      .integer("volumeMultiple", &R::volumeMultiple)
      .integer("maxMarketBuyVolume", &R::maxMarketBuyVolume)
      .integer("maxLimitBuyVolume", &R::maxLimitBuyVolume)
      .integer("maxMarketSellVolume", &R::maxMarketSellVolume)
      .integer("maxLimitSellVolume", &R::maxLimitSellVolume)
      .integer("maxLimitOrderVolume", &R::maxLimitOrderVolume)
      .integer("neeqLayer", &R::neeqLayer)
      .integer("qualifiedInvestor", &R::qualifiedInvestor)
      .integer("stockKind", &R::stockKind)
      .integer64("attributeFlags", &R::attributeFlags)
      .custom(
          "commission", &readCommission<R, bson::BSONElement>,
          [](R& r) {
            r.hasCommission = false;
            r.commission = CCommissionRecord();
          },
          [](const R& r, bson::BSONObjBuilder& b) {
            if (r.hasCommission) b.append("commission", commissionFields().write(r.commission));
          },
          &readCommission<R, fields::JsonValue>);
}

}  // namespace detail
}  // namespace mxservice
