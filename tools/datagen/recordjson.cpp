#include "datagen/recordjson.h"

#include "datagen/jsonline.h"

namespace datagen {

namespace {

// The instrument members shared by instruments.jsonl and fundplans.jsonl.
void addInstrumentFields(CJsonLine& json, const InstrumentRecord& r) {
  json.integer("tradeType", r.tradeType)
      .text("marketId", r.marketId)
      .text("code", r.code)
      .text("name", r.name)
      .textIfAny("productCode", r.productCode)
      .textIfAny("productName", r.productName)
      .textIfAny("exchangeCode", r.exchangeCode)
      .textIfAny("exchangeName", r.exchangeName)
      .textIfAny("underlyingCode", r.underlyingCode)
      .textIfAny("currency", r.currency)
      .textIfAny("expireDate", r.expireDate)
      .textIfAny("deliveryDate", r.deliveryDate)
      .number("priceTick", r.priceTick)
      .number("preClose", r.preClose)
      .number("upperLimit", r.upperLimit)
      .number("lowerLimit", r.lowerLimit)
      .number("preSettlement", r.preSettlement)
      .number("longMarginRate", r.longMarginRate)
      .number("shortMarginRate", r.shortMarginRate)
      .number("floatCapital", r.floatCapital)
      .number("totalCapital", r.totalCapital)
      .number("accruedInterest", r.accruedInterest)
      .number("faceValue", r.faceValue)
      .number("contractUnit", r.contractUnit)
      .number("marginUnit", r.marginUnit)
      .number("strikePrice", r.strikePrice)
      .integer("volumeMultiple", r.volumeMultiple)
      .integer("maxMarketBuyVolume", r.maxMarketBuyVolume)
      .integer("maxLimitBuyVolume", r.maxLimitBuyVolume)
      .integer("maxMarketSellVolume", r.maxMarketSellVolume)
      .integer("maxLimitSellVolume", r.maxLimitSellVolume)
      .integer("maxLimitOrderVolume", r.maxLimitOrderVolume)
      .integer("neeqLayer", r.neeqLayer)
      .integer("qualifiedInvestor", r.qualifiedInvestor)
      .integer("stockKind", r.stockKind);
  if (r.attributeFlags != 0) json.integer("attributeFlags", r.attributeFlags);
  if (r.hasCommission) {
    CJsonLine commission;
    // -1.0 is the format's "not charged" value and the member's default, so
    // it is written like any fee: a reader sees it stated, not missing.
    commission.integer("mode", r.commission.mode)
        .number("open", r.commission.open)
        .number("close", r.commission.close)
        .number("intradayOpen", r.commission.intradayOpen)
        .number("intradayClose", r.commission.intradayClose);
    json.object("commission", commission);
  }
}

}  // namespace

void appendJson(std::string& out, const ExchangeRecord& r) {
  CJsonLine json;
  json.text("marketId", r.marketId).text("name", r.name).text("shortName", r.shortName);
  json.appendTo(out);
}

void appendJson(std::string& out, const InstrumentRecord& r) {
  CJsonLine json;
  addInstrumentFields(json, r);
  json.appendTo(out);
}

void appendJson(std::string& out, const FundPlanRecord& r) {
  CJsonLine json;
  addInstrumentFields(json, r.base);
  json.integer("baseInfoType", r.baseInfoType)
      .integer("fundType", r.fundType)
      .integer("prStatus", r.prStatus)
      .number("prevUnitNetValue", r.prevUnitNetValue)
      .number("maxSubscriptionAmount", r.maxSubscriptionAmount)
      .number("minSubscriptionAmount", r.minSubscriptionAmount)
      .integer("redemptionSettleDays", r.redemptionSettleDays)
      .number("minRedemptionUnits", r.minRedemptionUnits)
      .integerList("bonusTypes", r.bonusTypes)
      .boolean("supportConversion", r.supportConversion)
      .textIfAny("transferAgent", r.transferAgent)
      .textIfAny("fundManager", r.fundManager)
      .number("latestNetValue", r.latestNetValue);
  json.appendTo(out);
}

void appendJson(std::string& out, const InterBankBondRecord& r) {
  CJsonLine json;
  json.text("market", r.market)
      .text("bondCode", r.bondCode)
      .text("bondName", r.bondName)
      .textIfAny("shortPinyin", r.shortPinyin)
      .textIfAny("shCode", r.shCode)
      .textIfAny("shName", r.shName)
      .textIfAny("szCode", r.szCode)
      .textIfAny("szName", r.szName)
      .textIfAny("issueDate", r.issueDate)
      .textIfAny("endDate", r.endDate)
      .textIfAny("firstValueDate", r.firstValueDate)
      .textIfAny("lastTradeDate", r.lastTradeDate)
      .number("termYears", r.termYears)
      .number("issuePrice", r.issuePrice)
      .number("denomination", r.denomination)
      .number("currentDenomination", r.currentDenomination)
      .integer("couponPaymentType", r.couponPaymentType)
      .integer("interestRateType", r.interestRateType)
      .number("couponRate", r.couponRate)
      .integer("paymentsPerYear", r.paymentsPerYear)
      .integer("interestDays", r.interestDays)
      .number("prevCleanClose", r.prevCleanClose);
  json.appendTo(out);
}

void appendJson(std::string& out, const TenderBondRecord& r) {
  CJsonLine json;
  json.text("bondCode", r.bondCode)
      .text("shortName", r.shortName)
      .text("fullName", r.fullName)
      .textIfAny("actionText", r.actionText)
      .integer("status", r.status)
      .text("trader", r.trader)
      .number("internalAmount", r.internalAmount)
      .number("externalAmount", r.externalAmount)
      .number("winBidAmount", r.winBidAmount)
      .textIfAny("leadUnderwriter", r.leadUnderwriter)
      .textIfAny("listingCode", r.listingCode)
      .textIfAny("subscriptionCode", r.subscriptionCode)
      .integer("bondType", r.bondType)
      .integer("bondTypeDetail", r.bondTypeDetail)
      .integer("tenderMarket", r.tenderMarket)
      .integer("preMarket", r.preMarket)
      .boolean("crossMarket", r.crossMarket)
      .integer("issueType", r.issueType)
      .textIfAny("issuerName", r.issuerName)
      .textIfAny("issuerCode", r.issuerCode)
      .integer("issuerAttribute", r.issuerAttribute)
      .integer("issuerType", r.issuerType)
      .textIfAny("industry", r.industry)
      .number("issuePrice", r.issuePrice)
      .number("referenceRate", r.referenceRate)
      .textIfAny("issueTarget", r.issueTarget)
      .number("minSubscriptionAmount", r.minSubscriptionAmount)
      .integer("plannedIssueSize", r.plannedIssueSize)
      .number("actualRaisedAmount", r.actualRaisedAmount)
      .number("expectedYield", r.expectedYield)
      .integer("raiseType", r.raiseType)
      .integer("termDays", r.termDays)
      .number("termYears", r.termYears)
      .number("faceValue", r.faceValue)
      .integer("tenderingType", r.tenderingType)
      .integer("tenderTarget", r.tenderTarget)
      .number("bidRangeLow", r.bidRangeLow)
      .number("bidRangeHigh", r.bidRangeHigh)
      .number("bidStep", r.bidStep)
      .integer("basicBidUnit", r.basicBidUnit)
      .integer("minBidVolume", r.minBidVolume)
      .integer("maxBidVolume", r.maxBidVolume)
      .textIfAny("issuerRating", r.issuerRating)
      .textIfAny("issueRating", r.issueRating)
      .integer("lgfvFlag", r.lgfvFlag)
      .text("guarantor", r.guarantor)
      .textIfAny("tenderDate", r.tenderDate)
      .textIfAny("tenderEndDate", r.tenderEndDate)
      .textIfAny("issueStartDate", r.issueStartDate)
      .textIfAny("issueEndDate", r.issueEndDate)
      .textIfAny("paymentDate", r.paymentDate)
      .textIfAny("valueDate", r.valueDate)
      .textIfAny("listingDate", r.listingDate)
      .textIfAny("maturityDate", r.maturityDate);
  json.appendTo(out);
}

void appendJson(std::string& out, const OrderCommandRecord& r) {
  CJsonLine params;
  params.textIfAny("accountId", r.accountId);
  switch (r.tenderParamForm) {
    case TenderParamForm::Document: {
      CJsonLine tender;
      tender.text("bondCode", r.bondCode)
          .text("direction", r.direction)
          .number("bidRate", r.bidRate)
          .number("bidVolume", r.bidVolume);
      params.object("btdparam", tender);
      break;
    }
    case TenderParamForm::String:
      params.text("btdparam", r.bondCode);
      break;
    case TenderParamForm::None:
      params.textIfAny("marketId", r.marketId)
          .textIfAny("stockCode", r.stockCode)
          .textIfAny("side", r.side)
          .number("price", r.price)
          .integer("volume", r.volume);
      break;
  }
  CJsonLine json;
  json.integer("tradeType", r.tradeType)
      .integer("commandId", r.commandId)
      .integer("status", r.status)
      .text("passBackText", r.passBackText)
      .text("userName", r.userName)
      .object("params", params);
  json.appendTo(out);
}

void appendJson(std::string& out, const BondTradeInfoRecord& r) {
  CJsonLine json;
  json.text("marketId", r.marketId)
      .text("code", r.code)
      .textIfAny("bondType", r.bondType)
      .textIfAny("tradeMode", r.tradeMode)
      .text("pledgeCode", r.pledgeCode)
      .number("conversionRate", r.conversionRate)
      .integer("minTradeVolume", r.minTradeVolume)
      .textIfAny("tradeStatus", r.tradeStatus)
      .textIfAny("maturityDate", r.maturityDate);
  json.appendTo(out);
}

void appendJson(std::string& out, const ConfigRecord& r) {
  CJsonLine favourites;
  for (const auto& entry : r.favourites)
    favourites.textList(std::to_string(entry.first), entry.second);
  CJsonLine json;
  json.text("userName", r.userName)
      .integer("userType", r.userType)
      .boolean("brokerEdition", r.brokerEdition)
      .integer("brokerEditionUserType", r.brokerEditionUserType)
      .boolean("mergeFuture", r.mergeFuture)
      .boolean("hkTradeInStock", r.hkTradeInStock)
      .text("tradingDate", r.tradingDate)
      .object("favourites", favourites);
  json.appendTo(out);
}

void appendEnumsJson(std::string& out,
                     const std::map<std::string, std::map<int, std::string>>& enumNames) {
  // One enum per line: the file stays readable and diffs stay small.
  out += "{\n";
  bool firstEnum = true;
  for (const auto& entry : enumNames) {
    if (!firstEnum) out += ",\n";
    firstEnum = false;
    CJsonLine values;
    for (const auto& value : entry.second) values.text(std::to_string(value.first), value.second);
    out += "  ";
    CJsonLine::appendQuoted(out, entry.first);
    out += ": ";
    values.appendTo(out);
  }
  out += "\n}\n";
}

}  // namespace datagen
