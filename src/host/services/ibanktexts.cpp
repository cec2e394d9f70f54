#include "host/services/ibanktexts.h"

#include <QCoreApplication>
#include "host/core/tradertypes.h"

namespace LW {

QString getIBankInterestTypeQString(int couponPaymentType) {
  switch (couponPaymentType) {
    case 1:
      return QCoreApplication::translate("LW::InterBankTexts", "附息");
    case 2:
      return QCoreApplication::translate("LW::InterBankTexts", "贴现");
    case 3:
      return QCoreApplication::translate("LW::InterBankTexts", "到期一次还本付息");
    case 4:
      return QCoreApplication::translate("LW::InterBankTexts", "零息");
    case mxservice::kNoValueInt:
      return QString();
    default:
      return QCoreApplication::translate("LW::InterBankTexts", "未知");
  }
}

QString getIBankInterestRateTypeQString(int interestRateType) {
  switch (interestRateType) {
    case 0:
      return QCoreApplication::translate("LW::InterBankTexts", "固定利率");
    case 1:
      return QCoreApplication::translate("LW::InterBankTexts", "浮动利率");
    case 2:
      return QCoreApplication::translate("LW::InterBankTexts", "累进利率");
    case mxservice::kNoValueInt:
      return QString();
    default:
      return QCoreApplication::translate("LW::InterBankTexts", "未知");
  }
}

}  // namespace LW
