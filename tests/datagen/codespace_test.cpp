// CCodeSpace and the factories behind it: distinct keys per trading type,
// the allocation's contract, and realistic code ranges.
#include "datagen/codespace.h"
#include "datagen/instrumentfactory.h"
#include "datagen/referencedata.h"

#include <gtest/gtest.h>
#include <QRegularExpression>
#include <QString>
#include <cmath>
#include <set>

using namespace datagen;

TEST(CodeSpace, allocateDrawsExactlyDistinctAscendingPicks) {
  std::vector<CodeSegment> segments(3);
  segments[0].size = 10;
  segments[0].weight = 5;
  segments[1].size = 1000;
  segments[1].weight = 1;
  segments[2].size = 0;  // an empty segment takes nothing
  segments[2].weight = 100;
  struct Case {
    long long count;
    long long segment0;  // expected picks of the small, heavy segment
  };
  const Case cases[] = {{0, 0}, {1, 1}, {6, 5}, {60, 10}, {1010, 10}};
  for (const Case& c : cases) {
    CRandomSource random(3);
    std::vector<CodePick> picks;
    std::string error;
    ASSERT_TRUE(CCodeSpace::allocate(segments, c.count, random, picks, &error)) << error;
    ASSERT_EQ(static_cast<long long>(picks.size()), c.count);
    long long inFirst = 0;
    for (std::size_t i = 0; i < picks.size(); ++i) {
      ASSERT_LT(picks[i].ordinal, segments[static_cast<std::size_t>(picks[i].segment)].size);
      ASSERT_NE(picks[i].segment, 2);
      inFirst += picks[i].segment == 0 ? 1 : 0;
      if (i > 0) {
        const bool ordered =
            picks[i - 1].segment < picks[i].segment ||
            (picks[i - 1].segment == picks[i].segment && picks[i - 1].ordinal < picks[i].ordinal);
        ASSERT_TRUE(ordered) << "picks are distinct and in code order";
      }
    }
    EXPECT_EQ(inFirst, c.segment0) << c.count;
  }
}

TEST(CodeSpace, allocateRefusesMoreThanTheCapacityAndReturnsNothing) {
  std::vector<CodeSegment> segments(1);
  segments[0].size = 5;
  CRandomSource random(1);
  std::vector<CodePick> picks{CodePick{0, 1}};
  std::string error;
  EXPECT_FALSE(CCodeSpace::allocate(segments, 6, random, picks, &error));
  EXPECT_TRUE(picks.empty());
  EXPECT_NE(error.find("5"), std::string::npos) << error;
  EXPECT_TRUE(CCodeSpace::allocate(segments, 5, random, picks, &error)) << "exactly full";
  EXPECT_EQ(picks.size(), 5u);
  EXPECT_FALSE(CCodeSpace::allocate({}, 1, random, picks, nullptr)) << "no segments, no room";
}

TEST(CodeSpace, segmentsOfOneTradingTypeNeverShareAStockKey) {
  // Up to 4000 picks of each instrument list (all of the small ones): every
  // stock key is distinct within its trading type, codes look like the
  // market's and every record belongs to an exchange of the table.
  std::set<std::string> markets;
  for (const ExchangeRecord& exchange : CReferenceData::exchanges())
    markets.insert(exchange.marketId);
  for (int type : CReferenceData::listedTradeTypes()) {
    if (type == 0x200 || type == 0x8000 || type == 0x2000000) continue;
    const auto segments = CCodeSpace::segmentsOf(type);
    ASSERT_FALSE(segments.empty()) << type;
    const long long count = std::min(4000LL, CCodeSpace::capacity(segments));
    CRandomSource random(static_cast<std::uint64_t>(type));
    std::vector<CodePick> picks;
    ASSERT_TRUE(CCodeSpace::allocate(segments, count, random, picks, nullptr));
    std::set<std::string> keys;
    for (const CodePick& pick : picks) {
      InstrumentRecord record;
      CRandomSource recordRandom = random.fork(static_cast<std::uint64_t>(pick.ordinal));
      ASSERT_TRUE(CInstrumentFactory::make(segments[static_cast<std::size_t>(pick.segment)],
                                           pick.ordinal, type, recordRandom, record));
      ASSERT_EQ(record.tradeType, type);
      ASSERT_FALSE(record.code.empty());
      ASSERT_FALSE(record.name.empty()) << record.code;
      ASSERT_EQ(markets.count(record.marketId), 1u) << record.marketId;
      ASSERT_TRUE(keys.insert(record.code + "." + record.marketId).second)
          << "duplicate " << record.code << "." << record.marketId << " in type " << type;
    }
  }
}

TEST(CodeSpace, sharesAndBondsTakeTheExchangesCodeRanges) {
  const auto segments = CCodeSpace::segmentsOf(1);
  CRandomSource random(9);
  std::vector<CodePick> picks;
  ASSERT_TRUE(CCodeSpace::allocate(segments, 20000, random, picks, nullptr));
  const QRegularExpression sixDigits("^[0-9]{6}$");
  int star = 0, gem = 0, repos = 0;
  for (const CodePick& pick : picks) {
    const CodeSegment& segment = segments[static_cast<std::size_t>(pick.segment)];
    InstrumentRecord r;
    CRandomSource recordRandom = random.fork(static_cast<std::uint64_t>(pick.ordinal));
    CInstrumentFactory::make(segment, pick.ordinal, 1, recordRandom, r);
    ASSERT_TRUE(sixDigits.match(QString::fromStdString(r.code)).hasMatch()) << r.code;
    const int code = std::stoi(r.code);
    if (segment.kind == SegmentKind::StarStock) {
      ++star;
      EXPECT_TRUE(code >= 688000 && code <= 688999) << r.code;
      EXPECT_EQ(r.stockKind, 1172);
    }
    if (segment.kind == SegmentKind::GemStock) {
      ++gem;
      EXPECT_TRUE(code >= 300000 && code <= 301999) << r.code;
      EXPECT_NEAR(r.upperLimit, r.preClose * 1.2, 0.0051) << "GEM shares have a 20% band";
    }
    if (segment.kind == SegmentKind::PledgedRepo) ++repos;
    // Limits bracket the previous close and sit on the tick.
    if (r.upperLimit != kNoValueDouble) {
      EXPECT_GT(r.upperLimit, r.preClose) << r.code;
      EXPECT_LT(r.lowerLimit, r.preClose) << r.code;
      EXPECT_GT(r.lowerLimit, 0) << r.code;
      const double steps = r.upperLimit / r.priceTick;
      EXPECT_NEAR(steps, std::round(steps), 1e-6) << r.code;
    }
    if (r.isExchangeBond && segment.kind != SegmentKind::PledgedRepo) {
      EXPECT_EQ(r.faceValue, 100) << r.code;
      EXPECT_NE(r.accruedInterest, kNoValueDouble) << r.code;
    }
  }
  EXPECT_GT(star, 0);
  EXPECT_GT(gem, 0);
  EXPECT_EQ(repos, 18) << "every pledged repo of both exchanges at this size";
}
