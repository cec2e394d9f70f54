// The match rules (filter text, list rules, inter-bank) and the per-list
// search cache, which must select exactly what the plain rule selects.

#include "model/instrumentmatch.h"
#include "model/instrumentsearchcache.h"
#include "model/pinyinsignature.h"

#include "host/core/stockkey.h"
#include "host/text/pinyinmatch.h"
#include "modelfixture.h"

#include <boost/make_shared.hpp>
#include <random>

using LW::CInstrumentSearchCache;
using LW::CListRuleContext;
using mxservice::CInstrumentDetailPtr;
using mxservice::ENqTraderType;
using testsupport::instrument;
using testsupport::u8;

namespace {

ENqTraderType tt(long long v) { return static_cast<ENqTraderType>(v); }

// The selection as one flag per record; also checks that the positions
// ascend without repeats, which the model relies on.
std::vector<std::uint8_t> selectedFlags(const CInstrumentSearchCache& cache,
                                        const QString& filter) {
  std::vector<std::uint32_t> positions;
  cache.match(filter, &positions);
  std::vector<std::uint8_t> flags(cache.size(), 0);
  for (std::size_t k = 0; k < positions.size(); ++k) {
    EXPECT_LT(positions[k], cache.size());
    if (k > 0) {
      EXPECT_LT(positions[k - 1], positions[k]);
    }
    if (positions[k] < cache.size()) flags[positions[k]] = 1;
  }
  return flags;
}

struct FilterCase {
  const char* name;
  const char* code;
  const char* insName;
  const char* product;
  const char* market;
  const char* filter;
  bool matches;
};

const FilterCase kFilterCases[] = {
    {"emptyFilter", "600000", "浦发银行", "", "SH", "", true},
    {"codePrefix", "600000", "浦发银行", "", "SH", "6000", true},
    {"codeInside", "600036", "招商银行", "", "SH", "0036", true},
    {"codeUpperCased", "ag2406", "白银2406", "ag", "SHFE", "AG24", true},
    {"lowerCaseNeverMatchesCode", "ag2406", "X", "", "SHFE", "ag", false},
    {"lowerCaseMatchesByPinyin", "600000", "平安银行", "", "SH", "payh", true},
    {"namePart", "000001", "平安银行", "", "SZ", "银行", true},
    {"productCode", "cu2401", "沪铜", "cu", "SHFE", "CU", true},
    {"marketCode", "000001", "平安银行", "", "SZ", "SZ", true},
    {"pinyinInitials", "000001", "平安银行", "", "SZ", "PAYH", true},
    {"pinyinPolyphone", "000001", "平安银行", "", "SZ", "PAYX", true},
    {"pinyinSubstring", "000001", "平安银行", "", "SZ", "AY", true},
    {"pinyinNotInOrder", "000001", "平安银行", "", "SZ", "YHPA", false},
    {"noMatch", "600000", "浦发银行", "", "SH", "9999", false},
    {"latinNameUpperCased", "AAPL", "Apple Inc", "", "US", "APPLE", true},
    {"latinNameMixedCaseFilter", "AAPL", "Apple Inc", "", "US", "Apple", true},
    {"spaceInFilter", "AAPL", "Apple Inc", "", "US", "E I", true},
    {"fieldsDoNotJoin", "AB", "CD", "", "SH", "BC", false},
    {"invalidUtf8Name", "X1", "\xff\xfe", "", "SH", "X1", true},
};

TEST(InstrumentMatch, filterRule) {
  for (const FilterCase& c : kFilterCases) {
    auto ins = instrument(1, c.market, c.code, c.insName);
    ins->productCode = c.product;
    EXPECT_EQ(LW::passesFilter(ins, u8(c.filter)), c.matches) << c.name;
  }
  EXPECT_FALSE(LW::passesFilter(CInstrumentDetailPtr(), QString()));
}

// The cache must select what the plain rule selects for every case above.
TEST(InstrumentSearchCache, agreesWithTheFilterRuleOnTheTable) {
  std::vector<CInstrumentDetailPtr> records;
  for (const FilterCase& c : kFilterCases) {
    auto ins = instrument(1, c.market, c.code, c.insName);
    ins->productCode = c.product;
    records.push_back(ins);
  }
  records.push_back(CInstrumentDetailPtr());
  CInstrumentSearchCache cache;
  EXPECT_TRUE(cache.sync(records));
  for (const FilterCase& c : kFilterCases) {
    const QString filter = u8(c.filter);
    const std::vector<std::uint8_t> selected = selectedFlags(cache, filter);
    ASSERT_EQ(selected.size(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
      EXPECT_EQ(selected[i] != 0, LW::passesFilter(records[i], filter))
          << "filter " << c.name << " record " << i;
    }
  }
}

// Random texts from characters that stress upper-casing, pinyin and UTF-8:
// ASCII letters and digits, full-width forms, Han characters (polyphones
// included), characters whose case mapping changes length or leaves ASCII,
// a surrogate pair, and broken UTF-8.
std::string randomText(std::mt19937& rng, int maxLength) {
  static const char* pool[] = {"a",
                               "b",
                               "Z",
                               "p",
                               "Y",
                               "h",
                               "6",
                               "0",
                               "1",
                               " ",
                               "-",
                               "*",
                               "平",
                               "安",
                               "银",
                               "行",
                               "长",
                               "江",
                               "重",
                               "发",
                               "Ａ",
                               "ｂ",
                               "３",
                               "ß",
                               "ﬁ",
                               "K" /* Kelvin sign */,
                               "é",
                               "ı",
                               "\xF0\x9F\x98\x80" /* emoji */,
                               "\xF0\xA0\x80\x80" /* ext B */,
                               "\xff",
                               "\xc3",
                               "\xe2\x82"};
  std::uniform_int_distribution<int> length(0, maxLength);
  std::uniform_int_distribution<int> pick(0, sizeof(pool) / sizeof(pool[0]) - 1);
  std::string text;
  for (int n = length(rng); n > 0; --n) text += pool[pick(rng)];
  return text;
}

TEST(InstrumentSearchCache, agreesWithTheFilterRuleOnRandomRecords) {
  std::mt19937 rng(20240104);
  std::vector<CInstrumentDetailPtr> records;
  for (int i = 0; i < 400; ++i) {
    auto ins = instrument(1, randomText(rng, 3), randomText(rng, 6), randomText(rng, 6));
    ins->productCode = randomText(rng, 3);
    records.push_back(ins);
  }
  CInstrumentSearchCache cache;
  cache.sync(records);
  std::vector<QString> filters;
  for (int i = 0; i < 300; ++i) {
    QString filter = GU::sToQs(randomText(rng, 3));
    if (i % 3 == 0) filter = filter.toUpper();
    filters.push_back(filter);
  }
  // Slices of real names and a lone surrogate, which only UTF-16 can hold.
  for (int i = 0; i < 100; ++i) {
    const QString name = GU::sToQs(records[i]->name).toUpper();
    if (name.size() >= 2) filters.push_back(name.mid(i % (name.size() - 1), 2));
  }
  filters.push_back(QString(QChar(0xD83D)));
  filters.push_back(QString(QChar(0xDE00)) + "A");

  int total = 0;
  for (const QString& filter : filters) {
    const std::vector<std::uint8_t> selected = selectedFlags(cache, filter);
    for (std::size_t i = 0; i < records.size(); ++i) {
      const bool expected = LW::passesFilter(records[i], filter);
      total += expected;
      ASSERT_EQ(selected[i] != 0, expected) << "filter '" << filter.toStdString() << "' record "
                                            << i << " '" << records[i]->name << "'";
    }
  }
  EXPECT_GT(total, 100);  // the random filters do select something
}

TEST(PinyinSignature, neverRejectsWhatThePinyinMatcherAccepts) {
  std::mt19937 rng(42);
  int accepted = 0;
  for (int i = 0; i < 20000; ++i) {
    const QString text = GU::sToQs(randomText(rng, 8));
    const QString filter = GU::sToQs(randomText(rng, 3));
    if (GU::isInByPy(text, filter)) {
      ++accepted;
      ASSERT_TRUE(
          LW::mayMatchByPinyin(LW::pinyinTextSignature(text), LW::pinyinFilterRequirement(filter)))
          << text.toStdString() << " / " << filter.toStdString();
    }
  }
  EXPECT_GT(accepted, 1000);
  // And it does reject: digits a Chinese name cannot offer.
  EXPECT_FALSE(LW::mayMatchByPinyin(LW::pinyinTextSignature(u8("平安银行")),
                                    LW::pinyinFilterRequirement("6000")));
  EXPECT_TRUE(LW::mayMatchByPinyin(LW::pinyinTextSignature(u8("平安银行")),
                                   LW::pinyinFilterRequirement("PAYH")));
}

TEST(InstrumentSearchCache, rebuildsOnlyForAnotherList) {
  std::vector<CInstrumentDetailPtr> records = {instrument(1, "SH", "600000", "A"),
                                               instrument(1, "SH", "600001", "B")};
  CInstrumentSearchCache cache;
  EXPECT_TRUE(cache.sync(records));
  EXPECT_FALSE(cache.sync(records));
  // The host replaces a changed instrument by a new record.
  auto replaced = records;
  replaced[1] = instrument(1, "SH", "600001", "C");
  EXPECT_TRUE(cache.sync(replaced));
  EXPECT_EQ(selectedFlags(cache, "C"), (std::vector<std::uint8_t>{0, 1}));
  replaced.pop_back();
  EXPECT_TRUE(cache.sync(replaced));
  EXPECT_EQ(cache.size(), 1u);
  EXPECT_TRUE(cache.sync({}));
  EXPECT_TRUE(selectedFlags(cache, "").empty());
}

TEST(InstrumentSearchCache, keepsDecimalsTagsAndNullRecords) {
  auto tagged = instrument(1, "SZ", "300750", "宁德时代");
  tagged->priceTick = 0.001;
  CInstrumentSearchCache cache;
  cache.sync({tagged, CInstrumentDetailPtr()});
  EXPECT_EQ(cache.priceDecimals(0), 3);
  EXPECT_EQ(cache.tag(0), LW::EInstrumentTag::GrowthEnterprise);
  EXPECT_EQ(cache.priceDecimals(1), 2);
  EXPECT_EQ(cache.tag(1), LW::EInstrumentTag::None);
  EXPECT_EQ(selectedFlags(cache, ""), (std::vector<std::uint8_t>{1, 0}));
  // A null record has no text and no name: no filter reaches it.
  EXPECT_EQ(selectedFlags(cache, " "), (std::vector<std::uint8_t>{0, 0}));
  EXPECT_EQ(selectedFlags(cache, QString(QChar(0xD800))), (std::vector<std::uint8_t>{0, 0}));
  EXPECT_GT(cache.memoryBytes(), 0u);
}

// --- list rules -----------------------------------------------------------

CListRuleContext context(long long tradeType) {
  CListRuleContext c;
  c.tradeType = tt(tradeType);
  return c;
}

TEST(InstrumentMatch, listRules) {
  auto future = instrument(2, "SHFE", "cu2401", "沪铜");
  auto secondFuture = instrument(1024, "DCE", "m2405", "豆粕");
  auto secondFutureOffMarket = instrument(1024, "SGE", "Au(T+D)", "黄金延期");
  auto stock = instrument(1, "SH", "600000", "浦发银行");
  auto hk = instrument(16384, "SGT", "00700", "腾讯控股");
  auto hkOther = instrument(16384, "HKEX", "00005", "汇丰控股");

  CListRuleContext futures = context(2);
  EXPECT_TRUE(LW::passesListRules(future, futures));
  EXPECT_FALSE(LW::passesListRules(secondFuture, futures));  // another trading type
  futures.mergeFuture = true;
  EXPECT_TRUE(LW::passesListRules(secondFuture, futures));
  EXPECT_FALSE(LW::passesListRules(secondFutureOffMarket, futures));

  CListRuleContext stocks = context(1);
  EXPECT_TRUE(LW::passesListRules(stock, stocks));
  EXPECT_FALSE(LW::passesListRules(hk, stocks));
  stocks.hkTradeInStock = true;
  EXPECT_TRUE(LW::passesListRules(hk, stocks));
  EXPECT_FALSE(LW::passesListRules(hkOther, stocks));
  EXPECT_FALSE(LW::passesListRules(CInstrumentDetailPtr(), stocks));
  EXPECT_FALSE(LW::instrumentMatches(CInstrumentDetailPtr(), QString(), stocks));
}

TEST(InstrumentMatch, brokerEditionGroupsOfForeignLists) {
  auto commodity = instrument(64, "CME", "GCZ4", "黄金");
  commodity->productCode = "GC";
  auto interest = instrument(64, "CME", "ZNZ4", "十年美债");
  interest->productCode = "ZN";
  auto neither = instrument(64, "CME", "ESZ4", "标普");
  neither->productCode = "ES";
  auto wrongType = instrument(1, "CME", "GCZ4", "黄金");
  wrongType->productCode = "GC";

  struct Case {
    long long tradeType;
    bool brokerEdition;
    int userType;
    bool commodity, interest, neither;
  } cases[] = {
      {64, false, 0, true, true, true},   {64, true, 1, true, false, false},
      {64, true, 2, false, true, false},  {64, true, 3, true, true, false},
      {64, true, 0, false, false, false}, {2048, true, 1, false, false, false},
  };
  for (const Case& c : cases) {
    CListRuleContext ctx = context(c.tradeType);
    ctx.brokerEdition = c.brokerEdition;
    ctx.brokerEditionUserType = c.userType;
    // 2048 lists foreign exchange-traded products; these are futures (64).
    EXPECT_EQ(LW::passesListRules(commodity, ctx), c.commodity) << c.tradeType << c.userType;
    EXPECT_EQ(LW::passesListRules(interest, ctx), c.interest) << c.tradeType << c.userType;
    EXPECT_EQ(LW::passesListRules(neither, ctx), c.neither) << c.tradeType << c.userType;
    EXPECT_FALSE(LW::passesListRules(wrongType, ctx));
  }
  auto outerStock = instrument(2048, "CME", "GC1", "x");
  outerStock->productCode = "GC";
  CListRuleContext ctx = context(2048);
  ctx.brokerEdition = true;
  ctx.brokerEditionUserType = 1;
  EXPECT_TRUE(LW::passesListRules(outerStock, ctx));
  ctx.brokerEditionUserType = 2;
  EXPECT_FALSE(LW::passesListRules(outerStock, ctx));
}

TEST(InstrumentMatch, interBankRule) {
  auto bond = testsupport::interBankBond("nib", "220001", "22附息国债01");
  bond->shortPinyin = "22fxgz01";
  EXPECT_TRUE(LW::interBankMatches(bond, ""));
  EXPECT_TRUE(LW::interBankMatches(bond, "NIB"));
  EXPECT_FALSE(LW::interBankMatches(bond, "nib"));
  EXPECT_TRUE(LW::interBankMatches(bond, "2200"));
  EXPECT_TRUE(LW::interBankMatches(bond, u8("国债")));
  EXPECT_TRUE(LW::interBankMatches(bond, "FXGZ"));
  EXPECT_FALSE(LW::interBankMatches(bond, "fxgz"));
  EXPECT_FALSE(LW::interBankMatches(bond, "FJGZ"));  // no pinyin matching for bonds
  EXPECT_FALSE(LW::interBankMatches(mxservice::CInterBankBondPtr(), ""));
}

}  // namespace
