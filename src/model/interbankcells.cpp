#include "model/interbankcells.h"

#include "host/core/stockkey.h"
#include "host/services/ibanktexts.h"
#include "model/cellformat.h"

#include <QCoreApplication>

namespace LW {

namespace {

constexpr int kLastColumn = 20;

QString marketText(const std::string& market) {
  // The local-currency market is known to traders by its Chinese name.
  if (market == "NIB") return QCoreApplication::translate("LW::CellFormat", "本币市场");
  return GU::sToQs(market);
}

}  // namespace

bool interBankCellValue(const mxservice::CInterBankBond& b, int column, CellValue* value) {
  switch (column) {
    case 0:
      *value = CellValue::ofText(marketText(b.market));
      break;
    case 1:
      *value = CellValue::ofText(GU::sToQs(b.bondCode));
      break;
    case 2:
      *value = CellValue::ofText(GU::sToQs(b.bondName));
      break;
    case 3:
      *value = CellValue::ofText(GU::sToQs(b.shCode));
      break;
    case 4:
      *value = CellValue::ofText(GU::sToQs(b.shName));
      break;
    case 5:
      *value = CellValue::ofText(GU::sToQs(b.szCode));
      break;
    case 6:
      *value = CellValue::ofText(GU::sToQs(b.szName));
      break;
    case 7:
      *value = CellValue::ofText(GU::sToQs(b.issueDate));
      break;
    case 8:
      *value = CellValue::ofText(GU::sToQs(b.endDate));
      break;
    case 9:
      *value = CellValue::ofText(GU::sToQs(b.firstValueDate));
      break;
    case 10:
      *value = CellValue::ofText(GU::sToQs(b.lastTradeDate));
      break;
    case 11:
      *value = CellValue::ofText(cellformat::general6(b.termYears));
      break;
    case 12:
      *value = CellValue::ofNumber(b.issuePrice);
      break;
    case 13:
      *value = CellValue::ofNumber(b.denomination);
      break;
    case 14:
      *value = CellValue::ofNumber(b.currentDenomination);
      break;
    case 15:
      *value = CellValue::ofText(getIBankInterestTypeQString(b.couponPaymentType));
      break;
    case 16:
      *value = CellValue::ofText(getIBankInterestRateTypeQString(b.interestRateType));
      break;
    case 17:
      *value = CellValue::ofNumber(b.couponRate);
      break;
    case 18:
      *value = CellValue::ofInteger(b.paymentsPerYear);
      break;
    case 19:
      *value = CellValue::ofInteger(b.interestDays);
      break;
    case 20:
      *value = CellValue::ofNumber(b.prevCleanClose);
      break;
    default:
      return false;
  }
  return true;
}

bool interBankCellText(int column, const CellValue& value, QString* text) {
  if (column < 0 || column > kLastColumn) {
    text->clear();
    return false;
  }
  switch (column) {
    case 0:
      // "BANK" is the generic inter-bank market; its English name is what the
      // dealers' own systems show.
      *text = value.text == QLatin1String("BANK") ? QStringLiteral("INTERBANK") : value.text;
      break;
    case 12:
    case 13:
    case 14:
    case 17:
    case 20:
      *text = cellformat::decimals(value.number, 4);
      break;
    case 18:
    case 19:
      *text = cellformat::plainInt(value.integer);
      break;
    default:
      *text = value.text;
      break;
  }
  return true;
}

}  // namespace LW
