// The cell writers on their own, at the boundaries where a value stops being
// shown as a number: the no-value markers, NaN, infinities, the formatter's
// limit, zero and negative zero, and the price decimals at and past their
// bounds.

#include "model/celltext.h"

#include "testrecords.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using LW::CellValue;
using LW::ECellFormat;
using testsupport::u8;

namespace {

const double kNoValue = mxservice::kNoValueDouble;
const int kNoInt = mxservice::kNoValueInt;
const double kInf = std::numeric_limits<double>::infinity();

struct TextCase {
  ECellFormat format;
  CellValue value;
  int priceDecimals;
  const char* text;
};

CellValue number(double v) { return CellValue::ofNumber(v); }
CellValue integer(int v) { return CellValue::ofInteger(v); }
CellValue text(const char* v) { return CellValue::ofText(u8(v)); }

TEST(CellText, writesEachFormatUpToItsBoundaries) {
  const TextCase cases[] = {
      // Plain decimals: no value, NaN and the limit are "非法值", never digits.
      {ECellFormat::D2, number(1.005), 0, "1.01"},
      {ECellFormat::D0, number(-0.4), 0, "0"},
      {ECellFormat::D4, number(kNoValue), 0, "非法值"},
      {ECellFormat::D3, number(std::nan("")), 0, "非法值"},
      {ECellFormat::D5, number(1e18), 0, "非法值"},
      {ECellFormat::D5, number(9.99e17), 0, "999000000000000000.00000"},
      // The row's price decimals.
      {ECellFormat::DP, number(10.123456), 3, "10.123"},
      {ECellFormat::DP, number(10.5), 0, "11"},
      // Dashed decimals: only the no-value marker becomes "-".
      {ECellFormat::DashD2, number(kNoValue), 0, "-"},
      {ECellFormat::DashD0, number(-kInf), 0, "非法值"},
      {ECellFormat::DashD4, number(0.0001), 0, "0.0001"},
      {ECellFormat::DashD3, text("-"), 0, "-"},  // a cell outside its market kinds
      // Integers: the no-value integer is never painted as 2147483647.
      {ECellFormat::Int, integer(kNoInt), 0, "-"},
      {ECellFormat::DashInt, integer(-1), 0, "-1"},
      {ECellFormat::DashFInt, integer(kNoInt), 0, "-"},
      {ECellFormat::DashFInt, integer(std::numeric_limits<int>::min()), 0, "-2147483648"},
      {ECellFormat::DashFInt, integer(2147483646), 0, "2147483646"},
      // Foreign-futures multipliers: negative ones are hundredths of a unit.
      {ECellFormat::OuterMultiplier, integer(100), 0, "100"},
      {ECellFormat::OuterMultiplier, integer(-25), 0, "0.25"},
      {ECellFormat::OuterMultiplier, integer(0), 0, "0.00"},
      {ECellFormat::OuterMultiplier, integer(kNoInt), 0, "-"},
      // Fixed point at the price decimals, closes at most 6 of them.
      {ECellFormat::FixedP, number(1e-9), 9, "0.000000001"},
      {ECellFormat::FixedMin6, number(1.5), 9, "1.500000"},
      {ECellFormat::FixedMin6, number(2034.56789), 1, "2034.6"},
      {ECellFormat::FixedP, number(kNoValue), 2, "-"},
      {ECellFormat::FixedP, number(kInf), 2, "非法值"},
      {ECellFormat::FixedP, number(1.5), 40, "1.500000000000000"},
      {ECellFormat::FixedP, number(1.5), -3, "2"},
      // Fund amounts: a limit not above 0 is not imposed.
      {ECellFormat::FundAmount, number(1000), 0, "1000.00"},
      {ECellFormat::FundAmount, number(0), 0, "暂无"},
      {ECellFormat::FundAmount, number(-5), 0, "暂无"},
      {ECellFormat::FundAmount, number(std::nan("")), 0, "暂无"},
      {ECellFormat::FundAmount, number(kNoValue), 0, "暂无"},
      {ECellFormat::FundAmount, number(kInf), 0, "非法值"},
      // Inter-bank markets: only the generic market gets its English name.
      {ECellFormat::InterBankMarket, text("BANK"), 0, "INTERBANK"},
      {ECellFormat::InterBankMarket, text("bank"), 0, "bank"},
      {ECellFormat::InterBankMarket, text("本币市场"), 0, "本币市场"},
      {ECellFormat::Text, text("净价"), 4, "净价"},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(LW::cellText(c.format, c.value, c.priceDecimals), u8(c.text))
        << "format " << static_cast<int>(c.format) << " case " << (&c - cases);
  }
}

}  // namespace
