#include "host/text/numberformat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <type_traits>

namespace {

using utils::CFormatNumberFlags;
using utils::EFormatNumberFlag;

const QString kInvalid = QStringLiteral("非法值");

// Flags must refuse stray integers and bools: only 0 and the enumerators.
static_assert(std::is_constructible<CFormatNumberFlags, EFormatNumberFlag>::value, "");
static_assert(std::is_convertible<std::nullptr_t, CFormatNumberFlags>::value, "");
static_assert(!std::is_constructible<CFormatNumberFlags, int>::value, "");
static_assert(!std::is_constructible<CFormatNumberFlags, bool>::value, "");

TEST(FormatFlags, combineTestAndClearLikeBitSets) {
  const CFormatNumberFlags none = 0;
  EXPECT_TRUE(none.isEmpty());
  EXPECT_TRUE(none.testFlag(utils::FORMAT_NUMBER_NONE));
  EXPECT_FALSE(none.testFlag(utils::FORMAT_NUMBER_PERCENT));

  CFormatNumberFlags flags = utils::FORMAT_NUMBER_THOUSANDS | utils::FORMAT_NUMBER_SIGN;
  EXPECT_TRUE(flags.testFlag(utils::FORMAT_NUMBER_THOUSANDS));
  EXPECT_TRUE(flags.testFlag(utils::FORMAT_NUMBER_SIGN));
  EXPECT_FALSE(flags.testFlag(utils::FORMAT_NUMBER_PERCENT));
  EXPECT_FALSE(flags.testFlag(utils::FORMAT_NUMBER_NONE));
  EXPECT_EQ(flags.toInt(), 0x5);

  flags.setFlag(utils::FORMAT_NUMBER_THOUSANDS, false);
  EXPECT_EQ(flags, CFormatNumberFlags(utils::FORMAT_NUMBER_SIGN));
  flags |= utils::FORMAT_NUMBER_TRIM_ZEROS;
  EXPECT_EQ(flags.toInt(), 0xC);
  EXPECT_EQ(CFormatNumberFlags::fromInt(0xC), flags);
  EXPECT_NE(flags, none);
  EXPECT_EQ((flags & utils::FORMAT_NUMBER_SIGN).toInt(), 0x4);
}

struct DoubleCase {
  double value;
  int decimals;
  CFormatNumberFlags flags;
  bool hideZero;
  const char* expected;  // nullptr: the invalid text
};

void expectCases(const std::vector<DoubleCase>& cases) {
  for (const DoubleCase& c : cases) {
    const QString text = GU::formatDoubleNumber(c.value, c.decimals, c.flags, c.hideZero, kInvalid);
    const QString expected = c.expected ? QString::fromLatin1(c.expected) : kInvalid;
    EXPECT_EQ(text, expected) << "value " << c.value << " (%.17g "
                              << QString::number(c.value, 'g', 17).toStdString() << ") decimals "
                              << c.decimals << " flags " << c.flags.toInt() << " hideZero "
                              << c.hideZero;
  }
}

TEST(FormatDoubleNumber, roundsHalfAwayFromZeroOnTheDecimalAsWritten) {
  expectCases({
      // Decimal ties whose nearest double lies just below (1.005 is
      // 1.00499999999999989...) still round up: the value as typed is rounded.
      {1.005, 2, 0, false, "1.01"},
      {2.675, 2, 0, false, "2.68"},
      {1.0049, 2, 0, false, "1.00"},
      {-0.125, 2, 0, false, "-0.13"},
      {-1.005, 2, 0, false, "-1.01"},
      {1.23456, 4, 0, false, "1.2346"},
      {0.5, 4, 0, false, "0.5000"},
      {0.5, 0, 0, false, "1"},
      {-0.5, 0, 0, false, "-1"},
      {1.5, 0, 0, false, "2"},
      {2.5, 0, 0, false, "3"},
      {-2.5, 0, 0, false, "-3"},
      {0.49999, 0, 0, false, "0"},
      {0.005, 2, 0, false, "0.01"},
      {-0.005, 2, 0, false, "-0.01"},
      {1.000005, 5, 0, false, "1.00001"},
      {0.123455, 5, 0, false, "0.12346"},
      {0.123454, 5, 0, false, "0.12345"},
      {12.0, 5, 0, false, "12.00000"},
      // Carries ripple through nines and may add an integer digit.
      {9.995, 2, 0, false, "10.00"},
      {99.995, 2, 0, false, "100.00"},
      {999999.5, 0, 0, false, "1000000"},
      {0.0995, 2, 0, false, "0.10"},
      {0.96, 0, 0, false, "1"},
      // Fifteen decimals: the binary noise of 0.1 + 0.2 stays hidden.
      {0.1, 15, 0, false, "0.100000000000000"},
      {1.0 / 3.0, 15, 0, false, "0.333333333333333"},
      {0.1 + 0.2, 15, 0, false, "0.300000000000000"},
      {5e-16, 15, 0, false, "0.000000000000001"},
      {4e-16, 15, 0, false, "0.000000000000000"},
      {123.456, 15, 0, false, "123.456000000000000"},
      // Out-of-range decimal counts are clamped to 0..15.
      {1.5, -3, 0, false, "2"},
      {0.1, 20, 0, false, "0.100000000000000"},
      {0.1, INT_MAX, 0, false, "0.100000000000000"},
      {2.5, INT_MIN, 0, false, "3"},
  });
}

TEST(FormatDoubleNumber, neverWritesANegativeZero) {
  expectCases({
      {-0.0, 2, 0, false, "0.00"},
      {0.0, 2, 0, false, "0.00"},
      {-0.004, 2, 0, false, "0.00"},
      {-0.4, 0, 0, false, "0"},
      {-1e-300, 4, 0, false, "0.0000"},
      {-4.9e-324, 15, 0, false, "0.000000000000000"},
      {-0.0, 2, utils::FORMAT_NUMBER_SIGN, false, "0.00"},
      {-0.001, 1, utils::FORMAT_NUMBER_PERCENT, false, "-0.1%"},
      {-0.0004, 1, utils::FORMAT_NUMBER_PERCENT, false, "0.0%"},
  });
}

TEST(FormatDoubleNumber, givesTheInvalidTextForValuesThatCannotBeShown) {
  const double kNoValue = 1.7976931348623157e308;
  expectCases({
      {std::numeric_limits<double>::quiet_NaN(), 2, 0, false, nullptr},
      {-std::numeric_limits<double>::quiet_NaN(), 2, 0, true, nullptr},
      {std::numeric_limits<double>::infinity(), 4, 0, false, nullptr},
      {-std::numeric_limits<double>::infinity(), 4, 0, false, nullptr},
      {kNoValue, 4, 0, false, nullptr},
      {-kNoValue, 4, 0, false, nullptr},
      {1e300, 0, 0, false, nullptr},
      {1e18, 0, 0, false, nullptr},
      {-1e18, 2, 0, false, nullptr},
      {999999999999999999.0, 0, 0, false, nullptr},  // that literal is the double 1e18
      // Just below the limit still prints, all digits the double holds.
      {9.99e17, 0, 0, false, "999000000000000000"},
      {-123456789012345678.0, 2, 0, false, "-123456789012345680.00"},
      // The percent scaling counts towards the limit.
      {1e16, 0, utils::FORMAT_NUMBER_PERCENT, false, nullptr},
      {9.9e15, 0, utils::FORMAT_NUMBER_PERCENT, false, "990000000000000000%"},
  });
  EXPECT_EQ(kNoValue, DBL_MAX);
}

TEST(FormatDoubleNumber, returnsTheCallersInvalidTextWithoutCopyingIt) {
  const QString invalid = QStringLiteral("n/a");
  const QString text = GU::formatDoubleNumber(std::nan(""), 2, 0, false, invalid);
  EXPECT_EQ(text, invalid);
  EXPECT_EQ(text.constData(), invalid.constData());
  EXPECT_TRUE(GU::formatDoubleNumber(INFINITY, 2, 0, false, QString()).isNull());
}

TEST(FormatDoubleNumber, appliesEachFlagAndTheirCombination) {
  using namespace utils;
  expectCases({
      {1234567.891, 2, FORMAT_NUMBER_THOUSANDS, false, "1,234,567.89"},
      {-1234.5, 2, FORMAT_NUMBER_THOUSANDS, false, "-1,234.50"},
      {999.999, 2, FORMAT_NUMBER_THOUSANDS, false, "1,000.00"},
      {123.0, 0, FORMAT_NUMBER_THOUSANDS, false, "123"},
      {0.5, 3, FORMAT_NUMBER_THOUSANDS, false, "0.500"},
      {9.99e17, 0, FORMAT_NUMBER_THOUSANDS, false, "999,000,000,000,000,000"},
      // Percent scales in decimal: 0.01005 x 100 is 1.005 exactly, then rounds up.
      {0.01005, 2, FORMAT_NUMBER_PERCENT, false, "1.01%"},
      {0.5, 0, FORMAT_NUMBER_PERCENT, false, "50%"},
      {1.0, 1, FORMAT_NUMBER_PERCENT, false, "100.0%"},
      {0.000001, 2, FORMAT_NUMBER_PERCENT, false, "0.00%"},
      {1.5, 1, FORMAT_NUMBER_SIGN, false, "+1.5"},
      {-1.5, 1, FORMAT_NUMBER_SIGN, false, "-1.5"},
      {0.0001, 2, FORMAT_NUMBER_SIGN, false, "0.00"},
      {1.5, 2, FORMAT_NUMBER_TRIM_ZEROS, false, "1.5"},
      {2.0, 2, FORMAT_NUMBER_TRIM_ZEROS, false, "2"},
      {100.0, 2, FORMAT_NUMBER_TRIM_ZEROS, false, "100"},
      {0.0, 4, FORMAT_NUMBER_TRIM_ZEROS, false, "0"},
      {1.10501, 3, FORMAT_NUMBER_TRIM_ZEROS, false, "1.105"},
      {1.0996, 3, FORMAT_NUMBER_TRIM_ZEROS, false, "1.1"},
      {12.3456, 2,
       FORMAT_NUMBER_THOUSANDS | FORMAT_NUMBER_PERCENT | FORMAT_NUMBER_SIGN |
           FORMAT_NUMBER_TRIM_ZEROS,
       false, "+1,234.56%"},
      {-10000.0, 2, FORMAT_NUMBER_THOUSANDS | FORMAT_NUMBER_TRIM_ZEROS, false, "-10,000"},
  });
}

TEST(FormatDoubleNumber, hideZeroBlanksOnlyResultsThatRoundToZero) {
  expectCases({
      {0.0, 2, 0, true, ""},
      {-0.0, 2, 0, true, ""},
      {0.004, 2, 0, true, ""},
      {-0.004, 2, 0, true, ""},
      {0.005, 2, 0, true, "0.01"},
      {-0.005, 2, 0, true, "-0.01"},
      {0.4, 0, utils::FORMAT_NUMBER_THOUSANDS, true, ""},
      {100.0, 0, 0, true, "100"},
      {std::numeric_limits<double>::infinity(), 2, 0, true, nullptr},
  });
  // Blank, not merely empty-looking: nothing for the cell painter to lay out.
  EXPECT_TRUE(GU::formatDoubleNumber(0.0, 2, 0, true, kInvalid).isEmpty());
  EXPECT_EQ(GU::formatDoubleNumber(0.0, 2, 0, false, kInvalid), QStringLiteral("0.00"));
}

// The tender amounts are stored as the formatter's four-decimal text read
// back; the invalid text must read back as 0.
TEST(FormatDoubleNumber, fourDecimalTextReadsBackAsTheRoundedAmount) {
  struct Case {
    double amount, stored;
  } cases[] = {{1.23456, 1.2346}, {0.5, 0.5}, {2.00005, 2.0001}, {-3.14159, -3.1416}, {0.0, 0.0}};
  for (const Case& c : cases) {
    bool ok = false;
    EXPECT_EQ(GU::formatDoubleNumber(c.amount, 4, 0, false, kInvalid).toDouble(&ok), c.stored);
    EXPECT_TRUE(ok);
  }
  bool ok = true;
  EXPECT_EQ(GU::formatDoubleNumber(NAN, 4, 0, false, kInvalid).toDouble(&ok), 0.0);
  EXPECT_FALSE(ok);
}

bool isNegativeZeroText(const QString& text) {
  if (!text.startsWith(QLatin1Char('-'))) return false;
  for (int i = 1; i < text.size(); ++i) {
    if (text[i] != QLatin1Char('0') && text[i] != QLatin1Char('.')) return false;
  }
  return true;
}

// Away from decimal ties, the result must agree digit for digit with the C
// library's correctly rounded conversion of the exact binary value.
TEST(FormatDoubleNumber, agreesWithPrintfAwayFromTies) {
  std::mt19937_64 random(20240611);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-8, 12);
  std::uniform_int_distribution<int> places(0, 8);
  int compared = 0;
  for (int i = 0; i < 20000; ++i) {
    const double value = mantissa(random) * std::pow(10.0, exponent(random));
    const int decimals = places(random);
    // Skip values within half a binary step of a decimal tie: there the
    // shortest decimal and the exact binary value may round apart, which the
    // table tests above cover on purpose.
    const double magnitude = std::fabs(value);
    const long double scale = std::pow(10.0L, decimals);
    const long double scaled = static_cast<long double>(magnitude) * scale;
    const long double slack = (std::nextafter(magnitude, INFINITY) - magnitude) * scale;
    if (std::fabs(scaled - std::floor(scaled) - 0.5L) <= slack + 0.001L) continue;
    // Beyond 15 significant digits printf shows the binary expansion, which
    // the formatter deliberately does not (1.1 is not 1.100000000000000088).
    const int integerDigits =
        magnitude < 1 ? 1 : static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    if (integerDigits + decimals > 15) continue;
    char expected[128];
    std::snprintf(expected, sizeof expected, "%.*f", decimals, value);
    QString reference = QString::fromLatin1(expected);
    if (isNegativeZeroText(reference)) reference.remove(0, 1);  // printf writes "-0.00"
    ASSERT_EQ(GU::formatDoubleNumber(value, decimals, 0, false, kInvalid), reference)
        << "value " << expected << " decimals " << decimals;
    ++compared;
  }
  EXPECT_GT(compared, 10000);
}

TEST(FormatIntNumber, padsToWidthAndAppliesFlags) {
  using namespace utils;
  struct Case {
    int value, width;
    CFormatNumberFlags flags;
    const char* expected;
  } cases[] = {
      {0, 0, 0, "0"},
      {-5, 0, 0, "-5"},
      {2147483647, 0, 0, "2147483647"},
      {INT_MIN, 0, 0, "-2147483648"},
      {1234567, 0, FORMAT_NUMBER_THOUSANDS, "1,234,567"},
      {-1234567, 0, FORMAT_NUMBER_THOUSANDS, "-1,234,567"},
      {INT_MIN, 0, FORMAT_NUMBER_THOUSANDS, "-2,147,483,648"},
      {999, 0, FORMAT_NUMBER_THOUSANDS, "999"},
      {1000, 0, FORMAT_NUMBER_THOUSANDS, "1,000"},
      {-100, 0, FORMAT_NUMBER_THOUSANDS, "-100"},
      {42, 5, 0, "   42"},
      {-42, 5, 0, "  -42"},
      {12345, 3, 0, "12345"},
      {12345, 5, 0, "12345"},
      {1234, 6, FORMAT_NUMBER_THOUSANDS, " 1,234"},
      {7, -1, 0, "7"},
      {7, INT_MIN, 0, "7"},
      {5, 0, FORMAT_NUMBER_SIGN, "+5"},
      {0, 0, FORMAT_NUMBER_SIGN, "0"},
      {-5, 3, FORMAT_NUMBER_SIGN, " -5"},
      {3, 0, FORMAT_NUMBER_PERCENT, "300%"},
      {INT_MAX, 0, FORMAT_NUMBER_PERCENT, "214748364700%"},
      {INT_MIN, 0, FORMAT_NUMBER_PERCENT | FORMAT_NUMBER_THOUSANDS, "-214,748,364,800%"},
      {12, 0, FORMAT_NUMBER_TRIM_ZEROS, "12"},
      {100, 0, FORMAT_NUMBER_TRIM_ZEROS, "100"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GU::formatIntNumber(c.value, c.width, c.flags), QString::fromLatin1(c.expected))
        << c.value << " width " << c.width << " flags " << c.flags.toInt();
  }
}

TEST(FormatIntNumber, capsAHugeWidthInsteadOfAllocatingIt) {
  const QString text = GU::formatIntNumber(1, INT_MAX, 0);
  EXPECT_EQ(text.size(), 64);
  EXPECT_TRUE(text.endsWith(QStringLiteral(" 1")));
  EXPECT_EQ(text.trimmed(), QStringLiteral("1"));
}

}  // namespace
