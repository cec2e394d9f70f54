// The instrument filter and the pinyin-initials matcher on arbitrary text.
//
// The input gives a filter text and the name, code and product code of one
// more instrument (FuzzedDataProvider strings, separated by a backslash and
// one other byte) and, in its last byte, how the filter is made: bit 0 takes
// the filter bytes as raw UTF-16 (lone surrogates included) instead of UTF-8,
// bit 1 upper-cases it as the panel does before filtering.
//
// Checked against reference rules written from the documented contracts,
// deliberately naive (every start position, character by character):
// - GU::isInByPy against the plain matching loop, for the filter against
//   every name, and for the name text against the code text as a filter;
// - the pinyin signature test never rules out a text that matches;
// - LW::passesFilter against the containment-or-pinyin rule;
// - the per-list search cache selects exactly the records passesFilter
//   selects, in ascending order.

#include "fuzzsupport.h"
#include "host/core/stockkey.h"
#include "host/data/instrumentdetail.h"
#include "host/text/pinyinmatch.h"
#include "model/instrumentmatch.h"
#include "model/instrumentsearchcache.h"
#include "model/pinyinsignature.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QChar>
#include <QString>
#include <boost/make_shared.hpp>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// Longer texts only slow the quadratic reference loop down; 64 characters
// and more already take the matcher's long-filter paths.
constexpr std::size_t kMaxTextBytes = 1024;

struct FixedInstrument {
  const char* market;
  const char* code;
  const char* name;
  const char* product;
};

// Polyphones (长, 重, 行, 乐), lower-case and full-width Latin, digits, an
// emoji outside the BMP, an empty name and a name with only punctuation.
const FixedInstrument kFixed[] = {
    {"SZ", "000001", "平安银行", ""},
    {"SH", "600900", "长江电力", ""},
    {"SH", "600132", "重庆啤酒", ""},
    {"SH", "601988", "中国银行", ""},
    {"SZ", "000002", "万科A", ""},
    {"SHFE", "cu2501", "沪铜2501", "cu"},
    {"DCE", "i2505", "铁矿石２５０５", "i"},
    {"SZ", "300059", "东方财富😀", ""},
    {"SH", "600000", "", ""},
    {"HK", "00700", "腾讯控股-W", ""},
    {"SH", "688981", "中芯国际-U", ""},
    {"SZ", "002415", "海康威视（Ａ）", ""},
    {"SH", "603444", "吉比特·乐", ""},
    {"CFFEX", "IF2503", "沪深300股指2503", "IF"},
};

std::vector<char32_t> codePoints(const QString& text) {
  std::vector<char32_t> out;
  const int n = text.size();
  for (int i = 0; i < n;) {
    char32_t c = text.at(i++).unicode();
    if ((c & 0xFC00) == 0xD800 && i < n && (text.at(i).unicode() & 0xFC00) == 0xDC00)
      c = 0x10000 + ((c - 0xD800) << 10) + (text.at(i++).unicode() - 0xDC00);
    out.push_back(c);
  }
  return out;
}

// The Latin letter or digit a character stands for (full-width forms count as
// ASCII): 0..25 for letters, 26..35 for digits, -1 for anything else.
int latinClass(char32_t c) {
  if (c >= 0xFF21 && c <= 0xFF3A) c = c - 0xFF21 + 'A';
  if (c >= 0xFF41 && c <= 0xFF5A) c = c - 0xFF41 + 'a';
  if (c >= 0xFF10 && c <= 0xFF19) c = c - 0xFF10 + '0';
  if (c >= 'a' && c <= 'z') return static_cast<int>(c - 'a');
  if (c >= 'A' && c <= 'Z') return static_cast<int>(c - 'A');
  if (c >= '0' && c <= '9') return 26 + static_cast<int>(c - '0');
  return -1;
}

char32_t folded(char32_t c) { return QChar::toCaseFolded(static_cast<uint>(c)); }

bool referenceCharMatches(char32_t textChar, char32_t filterChar) {
  const int want = latinClass(filterChar);
  if (want < 0) return folded(textChar) == folded(filterChar);
  const int have = latinClass(textChar);
  if (have >= 0) return have == want;
  return want < 26 && (GU::pinyinInitials(textChar) >> want & 1u) != 0;
}

bool referencePinyin(const QString& text, const QString& filter) {
  const std::vector<char32_t> t = codePoints(text);
  const std::vector<char32_t> f = codePoints(filter);
  if (f.empty()) return true;
  for (std::size_t start = 0; start + f.size() <= t.size(); ++start) {
    std::size_t j = 0;
    while (j < f.size() && referenceCharMatches(t[start + j], f[j])) ++j;
    if (j == f.size()) return true;
  }
  return false;
}

bool referenceFilter(const mxservice::CInstrumentDetailPtr& instrument, const QString& filter) {
  if (!instrument) return false;
  if (filter.isEmpty()) return true;
  for (const std::string* field :
       {&instrument->code, &instrument->name, &instrument->productCode, &instrument->marketId}) {
    if (GU::sToQs(*field).toUpper().contains(filter)) return true;
  }
  return referencePinyin(GU::sToQs(instrument->name), filter);
}

std::string show(const QString& text) { return lwfuzz::printable(text.toStdString()); }

void checkPinyin(const QString& text, const QString& filter) {
  const bool matched = GU::isInByPy(text, filter);
  LW_FUZZ_CHECK(matched == referencePinyin(text, filter), std::string("isInByPy(") + show(text) +
                                                              ", " + show(filter) + ") gave " +
                                                              (matched ? "true" : "false"));
  if (matched) {
    LW_FUZZ_CHECK(
        LW::mayMatchByPinyin(LW::pinyinTextSignature(text), LW::pinyinFilterRequirement(filter)),
        "the signature ruled out a match: " + show(text) + " / " + show(filter));
  }
}

QString filterFrom(const std::string& bytes, std::uint8_t mode) {
  QString filter;
  if (mode & 1) {
    std::vector<ushort> units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
      units.push_back(static_cast<ushort>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    filter = QString::fromUtf16(units.data(), static_cast<int>(units.size()));
  } else {
    filter = QString::fromUtf8(bytes.data(), static_cast<int>(bytes.size()));
  }
  return (mode & 2) ? filter.toUpper() : filter;
}

std::vector<mxservice::CInstrumentDetailPtr> fixedRecords() {
  std::vector<mxservice::CInstrumentDetailPtr> records;
  for (const FixedInstrument& f : kFixed) {
    auto record = boost::make_shared<mxservice::CInstrumentDetail>();
    record->tradeType = mxservice::NQ_TRADER_STOCK;
    record->marketId = f.market;
    record->code = f.code;
    record->name = f.name;
    record->productCode = f.product;
    records.push_back(record);
  }
  records.push_back(mxservice::CInstrumentDetailPtr());  // the cache keeps null records
  return records;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  lwfuzz::quietHostLog();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string filterBytes = input.ConsumeRandomLengthString(kMaxTextBytes);
  const std::string name = input.ConsumeRandomLengthString(kMaxTextBytes);
  const std::string code = input.ConsumeRandomLengthString(kMaxTextBytes);
  const std::string product = input.ConsumeRandomLengthString(kMaxTextBytes);
  const std::uint8_t mode = input.ConsumeIntegral<std::uint8_t>();
  const QString filter = filterFrom(filterBytes, mode);

  static const std::vector<mxservice::CInstrumentDetailPtr> fixed = fixedRecords();
  std::vector<mxservice::CInstrumentDetailPtr> records = fixed;
  auto extra = boost::make_shared<mxservice::CInstrumentDetail>();
  extra->tradeType = mxservice::NQ_TRADER_STOCK;
  extra->marketId = "SZ";
  extra->name = name;  // host records may carry any bytes
  extra->code = code;
  extra->productCode = product;
  records.push_back(extra);

  for (const auto& record : records) {
    if (record) checkPinyin(GU::sToQs(record->name), filter);
  }
  checkPinyin(GU::sToQs(name), filterFrom(code, mode));

  std::vector<std::uint32_t> expected;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const bool passes = LW::passesFilter(records[i], filter);
    LW_FUZZ_CHECK(
        passes == referenceFilter(records[i], filter),
        "passesFilter disagrees for record " + std::to_string(i) + " and filter " + show(filter));
    if (passes) expected.push_back(static_cast<std::uint32_t>(i));
  }

  LW::CInstrumentSearchCache cache;
  LW_FUZZ_CHECK(cache.sync(records), "a first sync must build the cache");
  std::vector<std::uint32_t> selected;
  cache.match(filter, &selected);
  LW_FUZZ_CHECK(selected == expected,
                "the search cache selects other records than passesFilter "
                "for filter " +
                    show(filter));
  return 0;
}
