#include "model/celltext.h"

#include "host/core/tradertypes.h"
#include "model/cellformat.h"

#include <QCoreApplication>

#include <algorithm>

namespace LW {

namespace {

// The foreign-futures multiplier: negative multipliers encode a fraction of
// a unit in hundredths (-25 is a quarter unit), which the exchanges' own
// screens show as 0.25.
QString outerMultiplierText(int multiplier) {
  if (multiplier == mxservice::kNoValueInt) return cellformat::dash();
  if (multiplier > 0.00001) return QString::number(multiplier);
  const double units = -(multiplier * 0.01);
  return QString::number(units == 0 ? 0.0 : units, 'f', 2);  // never "-0.00"
}

// Fund platforms leave limits they do not impose at 0 (or leave them out).
QString fundAmountText(double amount) {
  if (amount == mxservice::kNoValueDouble || !(amount > 0))
    return QCoreApplication::translate("LW::CellFormat", "暂无");
  return cellformat::decimals(amount, 2);
}

// "BANK" is the generic inter-bank market; its English name is what the
// dealers' own systems show.
QString interBankMarketText(const QString& market) {
  return market == QLatin1String("BANK") ? QStringLiteral("INTERBANK") : market;
}

}  // namespace

QString cellText(ECellFormat format, const CellValue& value, int priceDecimals) {
  namespace cf = cellformat;
  using F = ECellFormat;
  switch (format) {
    case F::Text:
      return value.text;
    case F::D0:
      return cf::decimals(value.number, 0);
    case F::D2:
      return cf::decimals(value.number, 2);
    case F::D3:
      return cf::decimals(value.number, 3);
    case F::D4:
      return cf::decimals(value.number, 4);
    case F::D5:
      return cf::decimals(value.number, 5);
    case F::DP:
      return cf::decimals(value.number, priceDecimals);
    case F::Int:
    case F::DashInt:
      return cf::plainInt(value.integer);
    case F::DashFInt:
      return cf::hostInt(value.integer);
    case F::DashD0:
      return cf::dashOrDecimals(value.number, 0);
    case F::DashD2:
      return cf::dashOrDecimals(value.number, 2);
    case F::DashD3:
      return cf::dashOrDecimals(value.number, 3);
    case F::DashD4:
      return cf::dashOrDecimals(value.number, 4);
    case F::OuterMultiplier:
      return outerMultiplierText(value.integer);
    case F::FixedMin6:
      return cf::fixedPoint(value.number, std::min(priceDecimals, 6));
    case F::FixedP:
      return cf::fixedPoint(value.number, priceDecimals);
    case F::FundAmount:
      return fundAmountText(value.number);
    case F::InterBankMarket:
      return interBankMarketText(value.text);
  }
  return value.text;
}

}  // namespace LW
