#include "model/cellvalues.h"

#include "host/core/stockkey.h"
#include "host/services/calcoverdue.h"
#include "host/services/exchangeclient.h"
#include "host/services/ibanktexts.h"
#include "host/services/markethelper.h"
#include "host/services/tradercenter.h"
#include "host/services/typemanager.h"
#include "model/cellformat.h"
#include "model/instrumentfees.h"

#include <QCoreApplication>

namespace LW {

namespace {

using mxservice::CInstrumentDetail;
using mxservice::CInstrumentDetailPtr;
using S = ECellSource;

constexpr int kBaseInfoTypeFund = 1;
constexpr int kLocalGovernmentFinancing = 2;

CellValue text(const std::string& utf8) { return CellValue::ofText(GU::sToQs(utf8)); }

CellValue yesNo(bool yes) {
  return CellValue::ofText(yes ? QCoreApplication::translate("LW::CellFormat", "是")
                               : QCoreApplication::translate("LW::CellFormat", "否"));
}

CellValue textWithNumber(const QString& text, double number) {
  CellValue v = CellValue::ofText(text);
  v.number = number;
  return v;
}

QString registryText(const char* enumName, int value, mxservice::ENqTraderType tradeType) {
  return GU::sToQs(mxservice::TypeManager::instance()->getEnumItemName(enumName, value, tradeType));
}

CellValue registry(const char* enumName, int value, const CCellPlace& place) {
  return CellValue::ofText(registryText(enumName, value, place.tradeType));
}

QString exchangeName(const CInstrumentDetail& ins) {
  const mxservice::CExchangeDetailPtr exchange =
      CExchangeClient::instance()->getExchangeInfo(ins.marketId);
  return exchange ? GU::sToQs(exchange->name) : QString();
}

int capitalOccupationDays(const CInstrumentDetail& ins) {
  const int days =
      CCalcOverdue::instance()->getCapOccupationDaysByCode(ins.marketId, ins.code, "", true);
  return days > 0 ? days : mxservice::kNoValueInt;
}

CellValue instrumentValue(S source, const CInstrumentDetailPtr& ptr, const CCellPlace& place) {
  const CInstrumentDetail& ins = *ptr;
  const long long flags = ins.attributeFlags;
  switch (source) {
    case S::MarketCode:
      return text(ins.marketId);
    case S::Code:
      return text(ins.code);
    case S::Name:
      return text(ins.name);
    case S::ProductCode:
      return text(ins.productCode);
    case S::ProductName:
      return text(ins.productName);
    case S::ExchangeName:
      return CellValue::ofText(exchangeName(ins));
    case S::ExchangeCodeText:
      return text(ins.exchangeCode);
    case S::ExchangeNameText:
      return text(ins.exchangeName);
    case S::UnderlyingCode:
      return text(ins.underlyingCode);
    case S::LastDate:
      return text(ins.expireDate);
    case S::DeliveryDate:
      return text(ins.deliveryDate);
    case S::Currency:
      return text(ins.currency);
    case S::PricingUnit:
      return text(mxservice::TraderCenter::instance()->getDataCenter()->getPricingUnitText(
          ins.currency, ins.contractUnit));
    case S::MarketName:
      return textWithNumber(nqMarketIdToString(ins.marketId, ptr), ins.priceTick);
    case S::MarketCodeOrName:
      if (place.tradeType == mxservice::NQ_TRADER_GOLD) {
        return textWithNumber(nqMarketIdToString(ins.marketId, ptr), ins.priceTick);
      }
      return text(ins.marketId);
    case S::NameWithTick:
      return textWithNumber(GU::sToQs(ins.name), ins.priceTick);
    case S::DoubleTurnLoan:
      return yesNo(mxservice::isDoubleTurnLoanCode(ins.marketId, ins.code));
    case S::NotYetProfitable:
      return yesNo((flags & mxservice::INSTRUMENT_ATTR_PROFITABLE) == 0);
    case S::VotingDifference:
      return yesNo((flags & mxservice::INSTRUMENT_ATTR_VOTING_DIFF) != 0);
    case S::PricingMethod:
      return CellValue::ofText((flags & mxservice::INSTRUMENT_ATTR_CLEAN_PRICE) != 0
                                   ? QCoreApplication::translate("LW::CellFormat", "净价")
                                   : QCoreApplication::translate("LW::CellFormat", "全价"));
    case S::FeeMode:
      return CellValue::ofText(feeModeText(ins));
    case S::Fee: {
      // Fee texts sort as text; their numbers are 0 rather than "no value"
      // so that a numeric reader of the column sees one consistent value.
      CellValue v = CellValue::ofText(feeText(ins, place.column));
      v.number = 0;
      v.integer = 0;
      return v;
    }
    case S::Tick:
      return CellValue::ofNumber(ins.priceTick);
    case S::PreClose:
      return CellValue::ofNumber(ins.preClose);
    case S::UpperLimit:
      return CellValue::ofNumber(ins.upperLimit);
    case S::LowerLimit:
      return CellValue::ofNumber(ins.lowerLimit);
    case S::PreSettlement:
      return CellValue::ofNumber(ins.preSettlement);
    case S::LongMargin:
      return CellValue::ofNumber(ins.longMarginRate);
    case S::ShortMargin:
      return CellValue::ofNumber(ins.shortMarginRate);
    case S::FloatCapital:
      return CellValue::ofNumber(ins.floatCapital);
    case S::TotalCapital:
      return CellValue::ofNumber(ins.totalCapital);
    case S::AccruedInterest:
      return CellValue::ofNumber(ins.accruedInterest);
    case S::FaceValue:
      return CellValue::ofNumber(ins.faceValue);
    case S::ContractUnit:
      return CellValue::ofNumber(ins.contractUnit);
    case S::MarginUnit:
      return CellValue::ofNumber(ins.marginUnit);
    case S::Strike:
      return CellValue::ofNumber(ins.strikePrice);
    case S::Multiplier:
      return CellValue::ofInteger(ins.volumeMultiple);
    case S::OuterMultiplier: {
      CellValue v = CellValue::ofInteger(ins.volumeMultiple);
      v.number = static_cast<double>(mxservice::kNoValueInt);
      return v;
    }
    case S::MaxMarketBuy:
      return CellValue::ofInteger(ins.maxMarketBuyVolume);
    case S::MaxLimitBuy:
      return CellValue::ofInteger(ins.maxLimitBuyVolume);
    case S::MaxMarketSell:
      return CellValue::ofInteger(ins.maxMarketSellVolume);
    case S::MaxLimitSell:
      return CellValue::ofInteger(ins.maxLimitSellVolume);
    case S::MaxLimitOrder:
      return CellValue::ofInteger(ins.maxLimitOrderVolume);
    case S::CapitalDays:
      return CellValue::ofInteger(capitalOccupationDays(ins));
    case S::Dash:
      return CellValue::ofText(cellformat::dash());
    default:
      return CellValue();
  }
}

QString bonusTypesText(const mxservice::COTCFundPlanInfo& fund,
                       mxservice::ENqTraderType tradeType) {
  QString text;
  for (int bonusType : fund.bonusTypes) {
    // A mode the registry has no text for adds nothing rather than a stray
    // separator.
    const QString name = registryText("mxservice::EOTCFundBonusType", bonusType, tradeType);
    if (name.isEmpty()) continue;
    text += name;
    text += QLatin1Char(' ');
  }
  return text.isEmpty() ? cellformat::dash() : text;
}

CellValue fundValue(S source, const mxservice::COTCFundPlanInfo& f, const CCellPlace& place) {
  switch (source) {
    case S::FundCode:
      return text(f.code);
    case S::FundName:
      return text(f.name);
    case S::FundMarket:
      return text(f.marketId);
    case S::FundBaseInfoType:
      return registry("mxservice::EOTCBaseInfoType", f.baseInfoType, place);
    case S::FundType:
      return registry("mxservice::EOTCFundType", f.fundType, place);
    case S::FundPrevNetValue:
      return CellValue::ofNumber(f.prevUnitNetValue);
    case S::FundPrStatus:
      return registry("mxservice::EOTCPRStatus", f.prStatus, place);
    case S::FundMaxSubscription:
      return CellValue::ofNumber(f.maxSubscriptionAmount);
    case S::FundMinSubscription:
      return CellValue::ofNumber(f.minSubscriptionAmount);
    case S::FundRedemptionDays:
      return CellValue::ofInteger(f.redemptionSettleDays);
    case S::FundMinRedemption:
      return CellValue::ofNumber(f.minRedemptionUnits);
    case S::FundBonusTypes:
      return CellValue::ofText(bonusTypesText(f, place.tradeType));
    case S::FundConversion:
      return yesNo(f.supportConversion);
    case S::FundTransferAgent:
      return text(f.transferAgent);
    case S::FundManager:
      return text(f.fundManager);
    case S::FundLatestNetValue:
      return CellValue::ofNumber(f.latestNetValue);
    default:
      return CellValue();
  }
}

QString interBankMarketText(const std::string& market) {
  // The local-currency market is known to traders by its Chinese name.
  if (market == "NIB") return QCoreApplication::translate("LW::CellFormat", "本币市场");
  return GU::sToQs(market);
}

CellValue interBankValue(S source, const mxservice::CInterBankBond& b) {
  switch (source) {
    case S::IbMarket:
      return CellValue::ofText(interBankMarketText(b.market));
    case S::IbCode:
      return text(b.bondCode);
    case S::IbName:
      return text(b.bondName);
    case S::IbShCode:
      return text(b.shCode);
    case S::IbShName:
      return text(b.shName);
    case S::IbSzCode:
      return text(b.szCode);
    case S::IbSzName:
      return text(b.szName);
    case S::IbIssueDate:
      return text(b.issueDate);
    case S::IbEndDate:
      return text(b.endDate);
    case S::IbFirstValueDate:
      return text(b.firstValueDate);
    case S::IbLastTradeDate:
      return text(b.lastTradeDate);
    case S::IbTermText:
      return CellValue::ofText(cellformat::general6(b.termYears));
    case S::IbIssuePrice:
      return CellValue::ofNumber(b.issuePrice);
    case S::IbDenomination:
      return CellValue::ofNumber(b.denomination);
    case S::IbCurrentDenomination:
      return CellValue::ofNumber(b.currentDenomination);
    case S::IbCouponType:
      return CellValue::ofText(getIBankInterestTypeQString(b.couponPaymentType));
    case S::IbRateType:
      return CellValue::ofText(getIBankInterestRateTypeQString(b.interestRateType));
    case S::IbCouponRate:
      return CellValue::ofNumber(b.couponRate);
    case S::IbPaymentsPerYear:
      return CellValue::ofInteger(b.paymentsPerYear);
    case S::IbInterestDays:
      return CellValue::ofInteger(b.interestDays);
    case S::IbPrevCleanClose:
      return CellValue::ofNumber(b.prevCleanClose);
    default:
      return CellValue();
  }
}

CellValue tenderValue(S source, const mxservice::CTenderBondInfoDetail& t,
                      const CCellPlace& place) {
  switch (source) {
    case S::TenderCode:
      return text(t.bondCode);
    case S::TenderShortName:
      return text(t.shortName);
    case S::TenderFullName:
      return text(t.fullName);
    case S::TenderAction:
      return text(t.actionText);
    case S::TenderStatus:
      return CellValue::ofText(tenderStatusText(t.status()));
    case S::TenderInternalAmount:
      return CellValue::ofNumber(t.internalAmount());
    case S::TenderExternalAmount:
      return CellValue::ofNumber(t.externalAmount());
    case S::TenderWinBidAmount:
      return CellValue::ofNumber(t.winBidAmount());
    case S::TenderTrader:
      return text(t.trader());
    case S::TenderLeadUnderwriter:
      return text(t.leadUnderwriter);
    case S::TenderListingCode:
      return text(t.listingCode);
    case S::TenderSubscriptionCode:
      return text(t.subscriptionCode);
    case S::TenderBondType:
      return registry("mxservice::EIbBondType", t.bondType, place);
    case S::TenderBondTypeDetail:
      return registry("mxservice::EIbBondTypeDetail", t.bondTypeDetail, place);
    case S::TenderMarket:
      return registry("mxservice::ETenderMarket", t.tenderMarket, place);
    case S::TenderPreMarket:
      return registry("mxservice::ETenderPreMarket", t.preMarket, place);
    case S::TenderCrossMarket:
      return yesNo(t.crossMarket);
    case S::TenderIssueType:
      return registry("mxservice::ETenderIssueType", t.issueType, place);
    case S::TenderIssuerName:
      return text(t.issuerName);
    case S::TenderIssuerCode:
      return text(t.issuerCode);
    case S::TenderIssuerAttribute:
      return registry("mxservice::EIbBondIssuer", t.issuerAttribute, place);
    case S::TenderIssuerType:
      return registry("mxservice::ETenderIssuer", t.issuerType, place);
    case S::TenderIndustry:
      return text(t.industry);
    case S::TenderIssuePrice:
      return CellValue::ofNumber(t.issuePrice);
    case S::TenderReferenceRate:
      return CellValue::ofNumber(t.referenceRate);
    case S::TenderIssueTarget:
      return text(t.issueTarget);
    case S::TenderMinSubscription:
      return CellValue::ofNumber(t.minSubscriptionAmount);
    case S::TenderPlannedIssueSize:
      return CellValue::ofInteger(t.plannedIssueSize);
    case S::TenderActualRaised:
      return CellValue::ofNumber(t.actualRaisedAmount);
    case S::TenderExpectedYield:
      return CellValue::ofNumber(t.expectedYield);
    case S::TenderRaiseType:
      return registry("mxservice::ETenderRaise", t.raiseType, place);
    case S::TenderTermDays:
      return CellValue::ofInteger(t.termDays);
    case S::TenderTermYears:
      return CellValue::ofNumber(t.termYears);
    case S::TenderFaceValue:
      return CellValue::ofNumber(t.faceValue);
    case S::TenderingType:
      return registry("mxservice::ETenderingType", t.tenderingType, place);
    case S::TenderTarget:
      return registry("mxservice::ETenderTarget", t.tenderTarget, place);
    case S::TenderBidRangeLow:
      return CellValue::ofNumber(t.bidRangeLow);
    case S::TenderBidRangeHigh:
      return CellValue::ofNumber(t.bidRangeHigh);
    case S::TenderBidStep:
      return CellValue::ofNumber(t.bidStep);
    case S::TenderBasicBidUnit:
      return CellValue::ofInteger(t.basicBidUnit);
    case S::TenderMinBidVolume:
      return CellValue::ofInteger(t.minBidVolume);
    case S::TenderMaxBidVolume:
      return CellValue::ofInteger(t.maxBidVolume);
    case S::TenderIssuerRating:
      return text(t.issuerRating);
    case S::TenderIssueRating:
      return text(t.issueRating);
    case S::TenderLocalGovernmentFinancing:
      return yesNo(t.lgfvFlag == kLocalGovernmentFinancing);
    case S::TenderGuarantor:
      return text(t.guarantor);
    case S::TenderDate:
      return text(t.tenderDate);
    case S::TenderEndDate:
      return text(t.tenderEndDate);
    case S::TenderIssueStartDate:
      return text(t.issueStartDate);
    case S::TenderIssueEndDate:
      return text(t.issueEndDate);
    case S::TenderPaymentDate:
      return text(t.paymentDate);
    case S::TenderValueDate:
      return text(t.valueDate);
    case S::TenderListingDate:
      return text(t.listingDate);
    case S::TenderMaturityDate:
      return text(t.maturityDate);
    default:
      return CellValue();
  }
}

}  // namespace

unsigned mixedMarketKinds(const CInstrumentDetailPtr& instrument) {
  using namespace mxservice;
  if (!instrument) return 0;
  const std::string& m = instrument->marketId;
  unsigned kinds = 0;
  if (isFutureMarket(m)) kinds |= MIXED_FUTURE;
  if (isStockOptionMarket(m)) kinds |= MIXED_STOCK_OPTION;
  if (isFutureOptionMarket(instrument)) kinds |= MIXED_FUTURE_OPTION;
  if (isForeignMarket(m)) kinds |= MIXED_FOREIGN;
  if (isGoldMarket(m)) kinds |= MIXED_GOLD;
  if (isStockMarket(m)) kinds |= MIXED_STOCK;
  if (isNew3BoardMarket(m)) kinds |= MIXED_NEEQ;
  if (isHGTMarket(m)) kinds |= MIXED_SH_HK_CONNECT;
  if (isSGTMarket(m)) kinds |= MIXED_SZ_HK_CONNECT;
  if (isForeignInterBankMarket(m)) kinds |= MIXED_FOREIGN_INTER_BANK;
  return kinds;
}

QString tenderStatusText(int status) {
  switch (status) {
    case mxservice::ORDER_COMMAND_APPROVING:
      return QCoreApplication::translate("LW::CellFormat", "审批中");
    case mxservice::ORDER_COMMAND_RUNNING:
      return QCoreApplication::translate("LW::CellFormat", "运行中");
    case mxservice::ORDER_COMMAND_STOPPED:
      return QCoreApplication::translate("LW::CellFormat", "已撤销");
    case mxservice::ORDER_COMMAND_DEAL_FINISHED:
      return QCoreApplication::translate("LW::CellFormat", "已完成");
    case mxservice::ORDER_COMMAND_LOCKED:
      return QCoreApplication::translate("LW::CellFormat", "锁定中");
    default:
      return QString();
  }
}

CellValue instrumentCellValue(const CColumnDesc& desc, const CInstrumentDetailPtr& ins,
                              const CCellPlace& place) {
  // The market kinds cost a dozen predicate calls, so only the columns with
  // conditions (all in the mixed list) ask for them.
  if (desc.onlyFor != kEveryRecord && (mixedMarketKinds(ins) & desc.onlyFor) == 0) {
    return CellValue::ofText(cellformat::dash());
  }
  return instrumentValue(desc.source, ins, place);
}

CellValue fundCellValue(const CColumnDesc& desc, const mxservice::COTCFundPlanInfo& fund,
                        const CCellPlace& place) {
  const unsigned conditions = fund.baseInfoType == kBaseInfoTypeFund ? FUND_PLAN_IS_FUND : 0u;
  if ((desc.onlyFor & conditions) == 0 && desc.onlyFor != kEveryRecord) {
    return CellValue::ofText(cellformat::dash());
  }
  return fundValue(desc.source, fund, place);
}

CellValue interBankCellValue(const CColumnDesc& desc, const mxservice::CInterBankBond& bond) {
  return interBankValue(desc.source, bond);
}

CellValue tenderCellValue(const CColumnDesc& desc, const mxservice::CTenderBondInfoDetail& tender,
                          const CCellPlace& place) {
  return tenderValue(desc.source, tender, place);
}

}  // namespace LW
