// The instrument row: price decimals, tag classification and its order, row
// keys and the icon column per trading type. The cells of empty rows and of
// records in the wrong list are pinned by the golden record.

#include "model/instrumentdata.h"
#include "model/pricedecimals.h"

#include "host/ui/uiresource.h"
#include "modelfixture.h"

#include <boost/make_shared.hpp>
#include <cmath>
#include <limits>

using LW::CInstrumentData;
using LW::EInstrumentTag;
using mxservice::ENqTraderType;
using testsupport::instrument;
using testsupport::u8;

namespace {

ENqTraderType tt(long long v) { return static_cast<ENqTraderType>(v); }

struct DecimalsCase {
  double tick;
  int decimals;
};

TEST(PriceDecimals, followTheTick) {
  const double inf = std::numeric_limits<double>::infinity();
  const DecimalsCase cases[] = {
      {0.01, 2},
      {0.005, 3},
      {1, 0},
      {mxservice::kNoValueDouble, 2},
      {1e-7, 7},
      {0, 0},
      {0.5, 1},
      {0.25, 2},
      {0.0001, 4},
      {1e-5, 5},
      {2e-5, 5},
      {1e-6, 6},
      {5, 0},
      {0.2, 1},
      {0.125, 3},
      {1.23456789012345, 11},
      {-0.01, 2},
      {-0.005, 3},
      {std::nan(""), 2},
      {inf, 2},
      {-inf, 2},
      {1e-16, 0},
      {3e-9, 9},
      {-1e300, 0},
      {mxservice::kNoValueDouble / 2, 0},
  };
  for (const DecimalsCase& c : cases) {
    EXPECT_EQ(LW::computePriceDecimals(c.tick), c.decimals) << "tick " << c.tick;
  }
}

// The decimals d of the tick k * 10^-d once scaled by ten at a time: ticks
// whose scaled value lands just below an integer (0.57 * 100 is
// 56.99999999999999) ran on to 11 decimals, one in ten of these ticks.
TEST(PriceDecimals, everyDecimalTickGetsItsOwnDecimals) {
  const double powers[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6};
  struct Range {
    int maxDecimals;
    long long kLimit;
  };
  // Up to four decimals with up to five significant digits, and up to six
  // decimals with up to four: what the tolerance of 1e-5 can tell apart.
  const Range ranges[] = {{4, 100000}, {6, 10000}};
  for (const Range& range : ranges) {
    int wrong = 0;
    for (int d = 0; d <= range.maxDecimals; ++d) {
      for (long long k = 1; k < range.kLimit; ++k) {
        int expected = d;
        for (long long rest = k; expected > 0 && rest % 10 == 0; rest /= 10) --expected;
        const double tick = static_cast<double>(k) / powers[d];
        if (LW::computePriceDecimals(tick) != expected && ++wrong <= 10) {
          ADD_FAILURE() << "tick " << k << "e-" << d << " gives " << LW::computePriceDecimals(tick)
                        << ", not " << expected;
        }
      }
    }
    EXPECT_EQ(wrong, 0) << "ticks up to " << range.maxDecimals << " decimals";
  }

  const DecimalsCase reported[] = {{0.57, 2}, {0.47, 2}, {0.59, 2},    {0.83, 2},
                                   {1.14, 2}, {0.7, 1},  {123.456, 3}, {99.99, 2}};
  for (const DecimalsCase& c : reported) {
    EXPECT_EQ(LW::computePriceDecimals(c.tick), c.decimals) << "tick " << c.tick;
  }
}

TEST(PriceDecimals, priceOfATickJustBelowAnIntegerShowsTheTicksDecimals) {
  auto ins = instrument(1, "SH", "600000", "A");
  ins->priceTick = 0.57;
  ins->preSettlement = 1.14;
  CInstrumentData row(tt(1), ins);
  EXPECT_EQ(row.priceDecimals(), 2);
  EXPECT_EQ(row.getDisplayQString(7), "1.14");
}

TEST(PriceDecimals, instrumentRowUsesItsTickAndOtherRowsKeepTwo) {
  auto ins = instrument(1, "SH", "600000", "A");
  ins->priceTick = 0.001;
  EXPECT_EQ(CInstrumentData(tt(1), ins).priceDecimals(), 3);
  EXPECT_EQ(CInstrumentData(tt(1), mxservice::CInstrumentDetailPtr()).priceDecimals(), 2);
  EXPECT_EQ(CInstrumentData(tt(512), testsupport::fund("F1", "F", 1)).priceDecimals(), 2);
}

struct TagCase {
  const char* name;
  const char* market;
  const char* code;
  int stockKind;
  int neeqLayer;
  int qualified;
  EInstrumentTag tag;
  const char* pixmapKey;
  const char* tip;
};

// Each rule, and each place where two rules compete, so the order is pinned.
const TagCase kTagCases[] = {
    {"delisting", "SH", "600001", 1193, 0, 0, EInstrumentTag::DelistingArrangement,
     "img_code_delisting_finishing_icon", "退市整理股票"},
    {"delistingBeatsNeeqLayer", "NQ", "830001", 1193, 1, 0, EInstrumentTag::DelistingArrangement,
     "img_code_delisting_finishing_icon", "退市整理股票"},
    {"neeqInnovation", "NQ", "830002", 0, 1, 0, EInstrumentTag::NeeqInnovation,
     "img_neeq_innovate_icon", "创新层股票"},
    {"neeqBasic", "NEEQ", "830003", 0, 2, 0, EInstrumentTag::NeeqBasic, "img_neeq_basics_icon",
     "基础层股票"},
    {"beijing", "BJ", "830004", 0, 3, 0, EInstrumentTag::BeijingExchange, "img_neeq_selects_icon",
     "北交所股票"},
    {"neeqOtherLayer", "NQ", "830005", 0, 4, 0, EInstrumentTag::None, "", ""},
    {"beijingWithoutLayerIsNotAStockTag", "BJ", "300001", 0, mxservice::kNoValueInt, 1,
     EInstrumentTag::None, "", ""},
    {"qualifiedInvestor", "SH", "600002", 0, 0, 1, EInstrumentTag::QualifiedInvestor,
     "img_bond_qualified_investor_icon", "此品种仅面向债券专业投资者"},
    {"qualifiedBeatsGem", "SZ", "300002", 0, 0, 1, EInstrumentTag::QualifiedInvestor,
     "img_bond_qualified_investor_icon", "此品种仅面向债券专业投资者"},
    {"gem", "SZ", "300003", 0, 0, 0, EInstrumentTag::GrowthEnterprise, "img_code_gem_icon",
     "创业板"},
    {"gem301", "SZ", "301003", 0, 0, 0, EInstrumentTag::GrowthEnterprise, "img_code_gem_icon",
     "创业板"},
    {"kcbCdrBeatsCdr", "SH", "689001", 0, 0, 0, EInstrumentTag::SciTechDepositaryReceipt,
     "img_code_kcb_cdr_icon", "科创板存托凭证"},
    {"cdrBeatsKcbKind", "SH", "639001", 1172, 0, 0, EInstrumentTag::DepositaryReceipt,
     "img_code_cdr_icon", "存托凭证"},
    {"kcb1172", "SH", "688001", 1172, 0, 0, EInstrumentTag::SciTech, "img_code_kcb_icon", "科创板"},
    {"kcb1173", "SH", "688002", 1173, 0, 0, EInstrumentTag::SciTech, "img_code_kcb_icon", "科创板"},
    {"kcbBeatsInnovate", "SH", "601901", 1173, 0, 0, EInstrumentTag::SciTech, "img_code_kcb_icon",
     "科创板"},
    {"innovate", "SH", "601902", 0, 0, 0, EInstrumentTag::InnovativeEnterprise,
     "img_code_innovate_icon", "创新企业股票"},
    {"innovateSz", "SZ", "001901", 0, 0, 0, EInstrumentTag::InnovativeEnterprise,
     "img_code_innovate_icon", "创新企业股票"},
    {"plainStock", "SH", "600000", 0, 0, 0, EInstrumentTag::None, "", ""},
    {"qualifiedOffStockMarket", "SHFE", "cu2401", 0, 0, 1, EInstrumentTag::None, "", ""},
    {"kcbKindOffStockMarket", "SHFE", "cu2402", 1172, 0, 0, EInstrumentTag::None, "", ""},
    {"delistingAnywhere", "SHFE", "cu2403", 1193, 0, 0, EInstrumentTag::DelistingArrangement,
     "img_code_delisting_finishing_icon", "退市整理股票"},
};

class TagTest : public ::testing::TestWithParam<TagCase> {};

TEST_P(TagTest, firstMatchingRuleWins) {
  const TagCase& c = GetParam();
  auto ins = instrument(1, c.market, c.code, "X");
  ins->stockKind = c.stockKind;
  ins->neeqLayer = c.neeqLayer;
  ins->qualifiedInvestor = c.qualified;
  EXPECT_EQ(LW::classifyInstrumentTag(ins), c.tag);
  const CInstrumentData row(tt(1), ins);
  EXPECT_EQ(row.tag(), c.tag);
  EXPECT_EQ(row.tagTip(), u8(c.tip));
  EXPECT_EQ(LW::tagPixmapKey(c.tag), QString::fromLatin1(c.pixmapKey));
  if (c.tag == EInstrumentTag::None) {
    EXPECT_EQ(row.tagIcon(), nullptr);
  } else {
    EXPECT_EQ(row.tagIcon(),
              GU::CUiResource::instance()->getPixmap(QString::fromLatin1(c.pixmapKey)));
  }
}

INSTANTIATE_TEST_SUITE_P(AllRules, TagTest, ::testing::ValuesIn(kTagCases),
                         [](const ::testing::TestParamInfo<TagCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(InstrumentRow, iconOnlyInTheTagColumnOfItsTradingType) {
  auto ins = instrument(1, "SZ", "300001", "X");  // growth-enterprise board: tagged
  struct Case {
    long long tradeType;
    int iconColumn;
  } cases[] = {{1, 2}, {4, 2}, {8, 2}, {256, 1}, {2, -1}, {0x100000, -1}, {128, -1}};
  for (const Case& c : cases) {
    CInstrumentData row(tt(c.tradeType), ins);
    for (int column = -1; column < 20; ++column) {
      const bool expectIcon = c.iconColumn >= 0 && column == c.iconColumn;
      EXPECT_EQ(row.getIcon(column) != nullptr, expectIcon) << c.tradeType << " col " << column;
      EXPECT_EQ(row.getIconTip(column), expectIcon ? u8("创业板") : QString())
          << c.tradeType << " col " << column;
    }
  }
  CInstrumentData untagged(tt(8), instrument(8, "SH", "600000", "X"));
  EXPECT_EQ(untagged.getIcon(2), nullptr);
  EXPECT_TRUE(untagged.getIconTip(2).isEmpty());
}

TEST(InstrumentRow, keyFollowsTheRecordKind) {
  auto ins = instrument(1, "SH", "600000", "X");
  EXPECT_EQ(CInstrumentData(tt(1), ins).key(), "600000.SH");
  EXPECT_EQ(CInstrumentData(tt(0x8000000), ins).key(), "600000.SH");
  auto tender = testsupport::bareTenderBond("240001");
  EXPECT_EQ(CInstrumentData(tt(0x8000000), tender).key(), tender->getKey());
  EXPECT_FALSE(tender->getKey().empty());
  // A tender detail outside the tender list has no key of its own.
  EXPECT_EQ(CInstrumentData(tt(1), tender).key(), "");
  auto bond = testsupport::interBankBond("NIB", "220001", "B");
  EXPECT_EQ(CInstrumentData(tt(32768), bond).key(), bond->getKey());
  auto f = testsupport::fund("F001", "F", 1);
  EXPECT_EQ(CInstrumentData(tt(512), f).key(), f->getKey());
  EXPECT_EQ(CInstrumentData(tt(1), mxservice::CInstrumentDetailPtr()).key(), "");
}

}  // namespace
