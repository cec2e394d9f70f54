#include "host/text/numberformat.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// Longest text either formatter writes: 21 integer digits (a value just below
// the limit, times 100 for a percentage, plus a carry), 7 separators, a sign,
// the point, 15 decimals and '%', with room to spare; widths are capped to it.
constexpr int kBufferSize = 64;

// A decimal number 0.d1 d2 ... dn x 10^point, n <= kMaxDigits. A double's
// shortest round-trip form has at most 17 significant digits; a rounding carry
// may add one in front.
constexpr int kMaxDigits = 24;
struct Decimal {
  char digits[kMaxDigits];
  int count = 0;
  int point = 1;
};

// The shortest decimal digits that read back as magnitude (finite, > 0).
// to_chars guarantees the round trip and needs no locale and no allocation,
// unlike QString::number or ostream.
bool shortestDecimal(double magnitude, Decimal& out) {
  char text[40];
  const std::to_chars_result r =
      std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific);
  if (r.ec != std::errc()) return false;
  const char* p = text;
  out.count = 0;
  for (; p < r.ptr && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') {
      if (out.count == kMaxDigits - 1) return false;
      out.digits[out.count++] = *p;
    }
  }
  if (p == r.ptr || out.count == 0) return false;
  int exponent = 0;
  ++p;
  const bool negativeExponent = p < r.ptr && *p == '-';
  if (p < r.ptr && (*p == '-' || *p == '+')) ++p;
  const std::from_chars_result e = std::from_chars(p, r.ptr, exponent);
  if (e.ec != std::errc()) return false;
  out.point = (negativeExponent ? -exponent : exponent) + 1;
  return true;
}

// Keeps `decimals` places of d, rounding half away from zero on the decimal
// digits themselves. Afterwards d.count == 0 means the value rounds to zero.
void roundDecimal(Decimal& d, int decimals) {
  const int keep = d.point + decimals;
  if (keep < 0) {
    d.count = 0;
    return;
  }
  if (keep >= d.count) return;
  const bool up = d.digits[keep] >= '5';
  d.count = keep;
  if (!up) {
    // Trailing zeros left by the cut do no harm; the writers pad with zeros anyway.
    return;
  }
  int i = d.count - 1;
  while (i >= 0 && d.digits[i] == '9') {
    d.digits[i] = '0';
    --i;
  }
  if (i >= 0) {
    ++d.digits[i];
    return;
  }
  // Carry out of the leading digit: 9.996 -> 10.00. count < kMaxDigits - 1
  // holds here because count <= 17, so the shift stays inside the array.
  std::memmove(d.digits + 1, d.digits, static_cast<size_t>(d.count));
  d.digits[0] = '1';
  ++d.count;
  ++d.point;
}

// Writes the integer digits with ',' every three from the right.
char* writeGrouped(char* out, const char* digits, int count, bool group) {
  for (int i = 0; i < count; ++i) {
    if (group && i > 0 && (count - i) % 3 == 0) *out++ = ',';
    *out++ = digits[i];
  }
  return out;
}

}  // namespace

namespace GU {

QString formatDoubleNumber(double value, int decimals, utils::CFormatNumberFlags flags,
                           bool hideZero, const QString& invalidText) {
  if (!std::isfinite(value)) return invalidText;
  if (decimals < 0) decimals = 0;
  if (decimals > 15) decimals = 15;
  const bool percent = flags.testFlag(utils::FORMAT_NUMBER_PERCENT);
  const double magnitude = std::fabs(value);
  // The no-value marker is DBL_MAX and lies far beyond the limit.
  if ((percent ? magnitude * 100.0 : magnitude) >= kFormatNumberLimit) return invalidText;

  Decimal d;
  if (magnitude != 0.0 && !shortestDecimal(magnitude, d)) return invalidText;
  if (percent && d.count > 0) d.point += 2;
  roundDecimal(d, decimals);
  const bool zero = d.count == 0;
  if (zero && hideZero) return QString();

  char integerDigits[kBufferSize];
  int integerCount = 0;
  if (d.point <= 0) {
    integerDigits[integerCount++] = '0';
  } else {
    for (int i = 0; i < d.point && integerCount < kBufferSize; ++i)
      integerDigits[integerCount++] = i < d.count ? d.digits[i] : '0';
  }

  char text[kBufferSize * 2];
  char* out = text;
  if (!zero && value < 0) {
    *out++ = '-';
  } else if (!zero && flags.testFlag(utils::FORMAT_NUMBER_SIGN)) {
    *out++ = '+';
  }
  out = writeGrouped(out, integerDigits, integerCount,
                     flags.testFlag(utils::FORMAT_NUMBER_THOUSANDS));
  if (decimals > 0) {
    char* point = out;
    *out++ = '.';
    for (int k = 0; k < decimals; ++k) {
      const int index = d.point + k;
      *out++ = index >= 0 && index < d.count ? d.digits[index] : '0';
    }
    if (flags.testFlag(utils::FORMAT_NUMBER_TRIM_ZEROS)) {
      while (out > point + 1 && out[-1] == '0') --out;
      if (out == point + 1) out = point;
    }
  }
  if (percent) *out++ = '%';
  return QString::fromLatin1(text, static_cast<int>(out - text));
}

QString formatIntNumber(int value, int width, utils::CFormatNumberFlags flags) {
  long long wide = value;
  const bool percent = flags.testFlag(utils::FORMAT_NUMBER_PERCENT);
  if (percent) wide *= 100;
  unsigned long long magnitude = wide < 0 ? 0ULL - static_cast<unsigned long long>(wide)
                                          : static_cast<unsigned long long>(wide);

  char digits[24];
  int count = 0;
  char reversed[24];
  do {
    reversed[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  for (int i = 0; i < count; ++i) digits[i] = reversed[count - 1 - i];

  char body[kBufferSize];
  char* out = body;
  if (wide < 0) {
    *out++ = '-';
  } else if (wide > 0 && flags.testFlag(utils::FORMAT_NUMBER_SIGN)) {
    *out++ = '+';
  }
  out = writeGrouped(out, digits, count, flags.testFlag(utils::FORMAT_NUMBER_THOUSANDS));
  if (percent) *out++ = '%';
  const int length = static_cast<int>(out - body);

  if (width > kBufferSize) width = kBufferSize;
  const int padding = width > length ? width - length : 0;
  QString result(padding + length, Qt::Uninitialized);
  QChar* target = result.data();
  for (int i = 0; i < padding; ++i) *target++ = QLatin1Char(' ');
  for (int i = 0; i < length; ++i) *target++ = QLatin1Char(body[i]);
  return result;
}

}  // namespace GU
