#include "host/services/ibanktexts.h"

#include "host/core/tradertypes.h"

namespace LW {

QString getIBankInterestTypeQString(int couponPaymentType) {
  switch (couponPaymentType) {
    case 1:
      return QStringLiteral("附息");
    case 2:
      return QStringLiteral("贴现");
    case 3:
      return QStringLiteral("到期一次还本付息");
    case 4:
      return QStringLiteral("零息");
    case mxservice::kNoValueInt:
      return QString();
    default:
      return QStringLiteral("未知");
  }
}

QString getIBankInterestRateTypeQString(int interestRateType) {
  switch (interestRateType) {
    case 0:
      return QStringLiteral("固定利率");
    case 1:
      return QStringLiteral("浮动利率");
    case 2:
      return QStringLiteral("累进利率");
    case mxservice::kNoValueInt:
      return QString();
    default:
      return QStringLiteral("未知");
  }
}

}  // namespace LW
