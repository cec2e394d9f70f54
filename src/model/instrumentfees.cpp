#include "model/instrumentfees.h"

#include "host/data/instrumentdetail.h"
#include "model/cellformat.h"

#include <QCoreApplication>
#include <cmath>

namespace LW {

namespace {

constexpr int kModeByLots = 1;
constexpr int kModeByAmount = 2;

int chargingMode(const mxservice::CInstrumentDetail& instrument) {
  return instrument.hasCommission ? instrument.commission.mode : 0;
}

double feeValue(const mxservice::CCommissionRecord& c, int column) {
  switch ((column - kFirstFeeColumn) / 2) {
    case 0:
      return c.open;
    case 1:
      return c.close;
    case 2:
      return c.intradayOpen;
    default:
      return c.intradayClose;
  }
}

// "非法值" stays alone: a unit after it would read as if it were a number.
QString withUnit(const QString& number, const QString& unit) {
  if (number == cellformat::invalidText()) return number;
  return number + unit;
}

}  // namespace

QString feeModeText(const mxservice::CInstrumentDetail& instrument) {
  switch (chargingMode(instrument)) {
    case kModeByLots:
      return QCoreApplication::translate("LW::CellFormat", "按手数收取(元/手)");
    case kModeByAmount:
      return QCoreApplication::translate("LW::CellFormat", "按金额收取(万分之)");
    default:
      return cellformat::dash();
  }
}

QString feeText(const mxservice::CInstrumentDetail& instrument, int column) {
  if (column < kFirstFeeColumn || column > kLastFeeColumn) return QString();
  const int mode = chargingMode(instrument);
  if (!instrument.hasCommission || mode <= 0) return cellformat::dash();
  const double value = feeValue(instrument.commission, column);
  if (value == -1.0) return cellformat::dash();

  const bool rateColumn = (column - kFirstFeeColumn) % 2 == 0;
  if (rateColumn) {
    if (mode == kModeByLots) return cellformat::dash();
    return withUnit(cellformat::decimals(value, 2),
                    QCoreApplication::translate("LW::CellFormat", "/万"));
  }

  double perLot = value;
  if (mode == kModeByAmount) {
    // The rate is per ten thousand of the traded amount; one lot trades
    // multiplier units at (about) the previous settlement price. Without a
    // multiplier there is no amount: 2147483647 would pass for one and give
    // a fee that looks real, so it is shown as the illegal value, as a
    // missing price is (whose product overflows).
    if (instrument.volumeMultiple == mxservice::kNoValueInt) return cellformat::invalidText();
    const double amount =
        static_cast<double>(instrument.volumeMultiple) * instrument.preSettlement * value / 10000.0;
    perLot = std::round(amount * 100.0) / 100.0;
  } else if (mode != kModeByLots) {
    return cellformat::dash();
  }
  return withUnit(cellformat::decimals(perLot, 2),
                  QCoreApplication::translate("LW::CellFormat", "元/手"));
}

}  // namespace LW
