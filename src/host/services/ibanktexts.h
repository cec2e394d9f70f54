#pragma once
// Display texts of the inter-bank bond codes (CInterBankBond).
//
// Coupon payment type (couponPaymentType): 1 "附息" (coupon-bearing),
// 2 "贴现" (discount), 3 "到期一次还本付息" (principal and interest at
// maturity), 4 "零息" (zero coupon).
// Interest rate type (interestRateType): 0 "固定利率" (fixed), 1 "浮动利率"
// (floating), 2 "累进利率" (step-up).
// The no-value marker (2147483647) gives the empty text; any other code that
// is not listed gives "未知" (unknown). Pure; any thread.

#include "lwhost_data_export.h"

#include <QString>

namespace LW {

LWHOST_DATA_EXPORT QString getIBankInterestTypeQString(int couponPaymentType);
LWHOST_DATA_EXPORT QString getIBankInterestRateTypeQString(int interestRateType);

}  // namespace LW
