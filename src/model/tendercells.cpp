#include "model/tendercells.h"

#include "host/core/stockkey.h"
#include "host/services/typemanager.h"
#include "model/cellformat.h"

#include <QCoreApplication>

namespace LW {

namespace {

constexpr int kLocalGovernmentFinancing = 2;

QString registryText(const char* enumName, int value, mxservice::ENqTraderType tradeType) {
  return GU::sToQs(mxservice::TypeManager::instance()->getEnumItemName(enumName, value, tradeType));
}

QString yesNo(bool yes) {
  return yes ? QCoreApplication::translate("LW::CellFormat", "是")
             : QCoreApplication::translate("LW::CellFormat", "否");
}

QString text(const mxservice::CTenderBondInfoDetail& t, mxservice::ENqTraderType tradeType,
             int column) {
  namespace cf = cellformat;
  switch (column) {
    case 0:
      return GU::sToQs(t.bondCode);
    case 1:
      return GU::sToQs(t.shortName);
    case 2:
      return GU::sToQs(t.fullName);
    case 3:
      return GU::sToQs(t.actionText);
    case 4:
      return tenderStatusText(t.status());
    case 5:
      return cf::decimals(t.internalAmount(), 4);
    case 6:
      return cf::decimals(t.externalAmount(), 4);
    case 7:
      return cf::decimals(t.winBidAmount(), 4);
    case 8:
      return GU::sToQs(t.trader());
    case 9:
      return GU::sToQs(t.leadUnderwriter);
    case 10:
      return GU::sToQs(t.listingCode);
    case 11:
      return GU::sToQs(t.subscriptionCode);
    case 12:
      return registryText("mxservice::EIbBondType", t.bondType, tradeType);
    case 13:
      return registryText("mxservice::EIbBondTypeDetail", t.bondTypeDetail, tradeType);
    case 14:
      return registryText("mxservice::ETenderMarket", t.tenderMarket, tradeType);
    case 15:
      return registryText("mxservice::ETenderPreMarket", t.preMarket, tradeType);
    case 16:
      return yesNo(t.crossMarket);
    case 17:
      return registryText("mxservice::ETenderIssueType", t.issueType, tradeType);
    case 18:
      return GU::sToQs(t.issuerName);
    case 19:
      return GU::sToQs(t.issuerCode);
    case 20:
      return registryText("mxservice::EIbBondIssuer", t.issuerAttribute, tradeType);
    case 21:
      return registryText("mxservice::ETenderIssuer", t.issuerType, tradeType);
    case 22:
      return GU::sToQs(t.industry);
    case 23:
      return cf::decimals(t.issuePrice, 4);
    case 24:
      return cf::decimals(t.referenceRate, 4);
    case 25:
      return GU::sToQs(t.issueTarget);
    case 26:
      return cf::decimals(t.minSubscriptionAmount, 2);
    case 27:
      return cf::hostInt(t.plannedIssueSize);
    case 28:
      return cf::decimals(t.actualRaisedAmount, 2);
    case 29:
      return cf::decimals(t.expectedYield, 4);
    case 30:
      return registryText("mxservice::ETenderRaise", t.raiseType, tradeType);
    case 31:
      return cf::hostInt(t.termDays);
    case 32:
      return cf::decimals(t.termYears, 2);
    case 33:
      return cf::decimals(t.faceValue, 2);
    case 34:
      return registryText("mxservice::ETenderingType", t.tenderingType, tradeType);
    case 35:
      return registryText("mxservice::ETenderTarget", t.tenderTarget, tradeType);
    case 36:
      return cf::decimals(t.bidRangeLow, 4);
    case 37:
      return cf::decimals(t.bidRangeHigh, 4);
    case 38:
      return cf::decimals(t.bidStep, 4);
    case 39:
      return cf::hostInt(t.basicBidUnit);
    case 40:
      return cf::hostInt(t.minBidVolume);
    case 41:
      return cf::hostInt(t.maxBidVolume);
    case 42:
      return GU::sToQs(t.issuerRating);
    case 43:
      return GU::sToQs(t.issueRating);
    case 44:
      return yesNo(t.lgfvFlag == kLocalGovernmentFinancing);
    case 45:
      return GU::sToQs(t.guarantor);
    case 46:
      return GU::sToQs(t.tenderDate);
    case 47:
      return GU::sToQs(t.tenderEndDate);
    case 48:
      return GU::sToQs(t.issueStartDate);
    case 49:
      return GU::sToQs(t.issueEndDate);
    case 50:
      return GU::sToQs(t.paymentDate);
    case 51:
      return GU::sToQs(t.valueDate);
    case 52:
      return GU::sToQs(t.listingDate);
    case 53:
      return GU::sToQs(t.maturityDate);
    default:
      return QString();
  }
}

}  // namespace

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

bool tenderCellValue(const mxservice::CTenderBondInfoDetail& tender,
                     mxservice::ENqTraderType tradeType, int column, CellValue* value) {
  if (column < 0 || column > kTenderLastColumn) return false;
  *value = CellValue::ofText(text(tender, tradeType, column));
  return true;
}

}  // namespace LW
