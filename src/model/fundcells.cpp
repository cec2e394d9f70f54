#include "model/fundcells.h"

#include "host/core/stockkey.h"
#include "host/services/typemanager.h"
#include "model/cellformat.h"

#include <QCoreApplication>

namespace LW {

namespace {

constexpr int kLastColumn = 15;
constexpr int kBaseInfoTypeFund = 1;

QString registryText(const char* enumName, int value, mxservice::ENqTraderType tradeType) {
  return GU::sToQs(mxservice::TypeManager::instance()->getEnumItemName(enumName, value, tradeType));
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

QString amountText(double amount) {
  // Platforms leave limits they do not impose at 0 (or leave them out).
  if (amount == mxservice::kNoValueDouble || !(amount > 0))
    return QCoreApplication::translate("LW::CellFormat", "暂无");
  return cellformat::decimals(amount, 2);
}

}  // namespace

bool fundCellValue(const mxservice::COTCFundPlanInfo& f, mxservice::ENqTraderType tradeType,
                   int column, CellValue* value) {
  if (column < 0 || column > kLastColumn) return false;
  const bool isFund = f.baseInfoType == kBaseInfoTypeFund;
  switch (column) {
    case 4:
    case 11:
    case 12:
    case 13:
      if (!isFund) {
        *value = CellValue::ofText(cellformat::dash());
        return true;
      }
      break;
    default:
      break;
  }
  switch (column) {
    case 0:
      *value = CellValue::ofText(GU::sToQs(f.code));
      break;
    case 1:
      *value = CellValue::ofText(GU::sToQs(f.name));
      break;
    case 2:
      *value = CellValue::ofText(GU::sToQs(f.marketId));
      break;
    case 3:
      *value =
          CellValue::ofText(registryText("mxservice::EOTCBaseInfoType", f.baseInfoType, tradeType));
      break;
    case 4:
      *value = CellValue::ofText(registryText("mxservice::EOTCFundType", f.fundType, tradeType));
      break;
    case 5:
      *value = CellValue::ofNumber(f.prevUnitNetValue);
      break;
    case 6:
      *value = CellValue::ofText(registryText("mxservice::EOTCPRStatus", f.prStatus, tradeType));
      break;
    case 7:
      *value = CellValue::ofNumber(f.maxSubscriptionAmount);
      break;
    case 8:
      *value = CellValue::ofNumber(f.minSubscriptionAmount);
      break;
    case 9:
      *value = CellValue::ofInteger(f.redemptionSettleDays);
      break;
    case 10:
      *value = CellValue::ofNumber(f.minRedemptionUnits);
      break;
    case 11:
      *value = CellValue::ofText(bonusTypesText(f, tradeType));
      break;
    case 12:
      *value = CellValue::ofText(QString::fromUtf8(f.supportConversion ? "是" : "否"));
      break;
    case 13:
      *value = CellValue::ofText(GU::sToQs(f.transferAgent));
      break;
    case 14:
      *value = CellValue::ofText(GU::sToQs(f.fundManager));
      break;
    case 15:
      *value = CellValue::ofNumber(f.latestNetValue);
      break;
  }
  return true;
}

bool fundCellText(int column, const CellValue& value, QString* text) {
  switch (column) {
    case 5:
      *text = cellformat::decimals(value.number, 4);
      break;
    case 7:
    case 8:
    case 10:
    case 15:
      *text = amountText(value.number);
      break;
    case 9:
      *text = cellformat::hostInt(value.integer);
      break;
    default:
      if (column < 0 || column > kLastColumn) {
        text->clear();
        return false;
      }
      *text = value.text;
      break;
  }
  return true;
}

}  // namespace LW
