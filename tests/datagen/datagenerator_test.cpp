// CDataGenerator: large sets read back with Qt's JSON parser. The checks are
// what the panels rely on: valid lines, distinct keys per
// trading type, tender commands that reference existing bonds and produce
// every status, and filters that keep realistic shares.
#include "datagentestsupport.h"

#include "datagen/vocabulary.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QRegularExpression>

using namespace datagen_test;

namespace {

datagen::GeneratorOptions options(long long instruments, long long tenders, long long commands,
                                  int tradeType = 1, bool mixed = false, std::uint64_t seed = 1) {
  datagen::GeneratorOptions o;
  o.instruments = instruments;
  o.tenderBonds = tenders;
  o.orderCommands = commands;
  o.tradeType = tradeType;
  o.mixed = mixed;
  o.seed = seed;
  return o;
}

// Generated once for the tests of this file (generation is deterministic).
class GeneratedSets : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    stockSet = new GeneratedSet;
    generate(*stockSet, options(20000, 400, 4000));
    mixedSet = new GeneratedSet;
    generate(*mixedSet, options(20000, 300, 3000, 0, true, 77));
  }
  static void TearDownTestSuite() {
    delete stockSet;
    delete mixedSet;
    stockSet = nullptr;
    mixedSet = nullptr;
  }
  static GeneratedSet* stockSet;
  static GeneratedSet* mixedSet;
};
GeneratedSet* GeneratedSets::stockSet = nullptr;
GeneratedSet* GeneratedSets::mixedSet = nullptr;

std::vector<QJsonObject> read(const GeneratedSet& set, const char* file) {
  QStringList bad;
  std::vector<QJsonObject> records = readJsonLines(set.path(file), &bad);
  EXPECT_TRUE(bad.isEmpty()) << bad.join('\n').toStdString();
  return records;
}

// Relative offset of "@", "@+N", "@-N"; fails the test on any other form.
int offsetOf(const QString& date) {
  static const QRegularExpression form("^@([+-][0-9]{1,6})?$");
  EXPECT_TRUE(form.match(date).hasMatch()) << date.toStdString();
  return date.size() == 1 ? 0 : date.mid(1).toInt();
}

void expectValidListing(const GeneratedSet& set) {
  std::set<QString> markets;
  for (const QJsonObject& exchange : read(set, "exchanges.jsonl"))
    markets.insert(exchange.value("marketId").toString());
  std::map<int, std::set<QString>> keysByType;
  std::set<QString> allKeys;
  const auto check = [&](const std::vector<QJsonObject>& records) {
    for (const QJsonObject& r : records) {
      const int type = r.value("tradeType").toInt();
      ASSERT_TRUE(type > 0 && (type & (type - 1)) == 0) << "one trading-type bit: " << type;
      ASSERT_EQ(markets.count(r.value("marketId").toString()), 1u)
          << r.value("marketId").toString().toStdString();
      const QString key = r.value("code").toString() + "." + r.value("marketId").toString();
      ASSERT_TRUE(keysByType[type].insert(key).second) << "duplicate " << key.toStdString();
      allKeys.insert(key);
    }
  };
  const auto instruments = read(set, "instruments.jsonl");
  const auto funds = read(set, "fundplans.jsonl");
  check(instruments);
  check(funds);
  EXPECT_EQ(static_cast<long long>(instruments.size()), set.summary.instruments);
  EXPECT_EQ(static_cast<long long>(funds.size()), set.summary.fundPlans);
  for (const auto& entry : keysByType) {
    EXPECT_EQ(static_cast<long long>(entry.second.size()),
              set.summary.listedByTradeType.at(entry.first));
  }

  std::set<QString> interBankKeys;
  const auto interBank = read(set, "interbank_bonds.jsonl");
  for (const QJsonObject& bond : interBank) {
    const QString key = bond.value("market").toString() + "." + bond.value("bondCode").toString();
    EXPECT_TRUE(interBankKeys.insert(key).second) << key.toStdString();
  }
  EXPECT_EQ(static_cast<long long>(interBank.size()), set.summary.interBankBonds);

  // Bond trading records: distinct keys, nearly all of listed bonds.
  std::set<QString> tradeInfoKeys;
  long long unlisted = 0;
  const auto tradeInfos = read(set, "bond_trade_infos.jsonl");
  for (const QJsonObject& info : tradeInfos) {
    const QString key = info.value("code").toString() + "." + info.value("marketId").toString();
    EXPECT_TRUE(tradeInfoKeys.insert(key).second) << key.toStdString();
    EXPECT_EQ(markets.count(info.value("marketId").toString()), 1u);
    unlisted += allKeys.count(key) == 0 ? 1 : 0;
  }
  EXPECT_EQ(static_cast<long long>(tradeInfos.size()), set.summary.bondTradeInfos);
  EXPECT_GE(unlisted, 1) << "some records have no instrument";
  EXPECT_LE(unlisted * 50, static_cast<long long>(tradeInfos.size()) + 50);

  // Favourites name listed instruments of their trading type.
  QString problem;
  const QJsonObject config = readJsonObject(set.path("config.json"), &problem);
  ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
  const QJsonObject favourites = config.value("favourites").toObject();
  EXPECT_FALSE(favourites.isEmpty());
  for (auto it = favourites.begin(); it != favourites.end(); ++it) {
    const int type = it.key().toInt();
    for (const QJsonValue& key : it.value().toArray()) {
      if (type == 0x8000) continue;  // inter-bank keys are market.code
      EXPECT_EQ(keysByType[type].count(key.toString()), 1u) << key.toString().toStdString();
    }
  }
  const QJsonObject enums = readJsonObject(set.path("enums.json"), &problem);
  EXPECT_EQ(enums.size(), 14);
}

}  // namespace

TEST_F(GeneratedSets, stockListSetIsValidWithDistinctKeys) {
  expectValidListing(*stockSet);
  EXPECT_EQ(stockSet->summary.instruments, 20000);
  EXPECT_EQ(stockSet->summary.listedByTradeType.size(), 1u);
  EXPECT_EQ(stockSet->summary.fundPlans, 0);
}

TEST_F(GeneratedSets, mixedSetCoversEveryListedTradingType) {
  expectValidListing(*mixedSet);
  const auto& byType = mixedSet->summary.listedByTradeType;
  long long total = 0;
  for (int type : {0x1, 0x2, 0x4, 0x8, 0x10, 0x20, 0x40, 0x80, 0x100, 0x200, 0x400, 0x800, 0x1000,
                   0x4000, 0x8000, 0x10000, 0x100000, 0x800000, 0x1000000}) {
    ASSERT_EQ(byType.count(type), 1u) << std::hex << type;
    EXPECT_GT(byType.at(type), 0) << std::hex << type;
    total += byType.at(type);
  }
  EXPECT_EQ(total, 20000);
  EXPECT_GT(byType.at(0x1), byType.at(0x2)) << "stocks dominate a full client's lists";
  EXPECT_LE(byType.at(0x4), 17) << "the gold exchange lists 17 contracts";
}

TEST_F(GeneratedSets, tenderCommandsReferenceExistingBondsAndGiveEveryStatus) {
  for (const GeneratedSet* set : {stockSet, mixedSet}) {
    const auto bonds = read(*set, "tender_bonds.jsonl");
    const auto commands = read(*set, "order_commands.jsonl");
    EXPECT_EQ(static_cast<long long>(bonds.size()), set->summary.tenderBonds);
    EXPECT_EQ(static_cast<long long>(commands.size()), set->summary.orderCommands);
    std::set<QString> codes;
    for (const QJsonObject& bond : bonds) {
      EXPECT_TRUE(codes.insert(bond.value("bondCode").toString()).second) << "distinct bond codes";
      EXPECT_FALSE(bond.contains("status")) << "the status is derived, not stored";
      // The calendar of an issue runs forward.
      const int tender = offsetOf(bond.value("tenderDate").toString());
      const int tenderEnd = offsetOf(bond.value("tenderEndDate").toString());
      const int issueEnd = offsetOf(bond.value("issueEndDate").toString());
      const int payment = offsetOf(bond.value("paymentDate").toString());
      const int listing = offsetOf(bond.value("listingDate").toString());
      const int maturity = offsetOf(bond.value("maturityDate").toString());
      EXPECT_EQ(offsetOf(bond.value("issueStartDate").toString()), tender);
      EXPECT_EQ(offsetOf(bond.value("valueDate").toString()), payment);
      EXPECT_LE(tender, tenderEnd);
      EXPECT_LE(tenderEnd, issueEnd);
      EXPECT_LE(issueEnd, payment);
      EXPECT_LT(payment, listing);
      EXPECT_EQ(maturity - payment, bond.value("termDays").toInt());
      EXPECT_LE(bond.value("bidRangeLow").toDouble(), bond.value("bidRangeHigh").toDouble());
      EXPECT_GT(bond.value("basicBidUnit").toInt(), 0);
    }
    int previousId = 0;
    int stringParams = 0, otherTypes = 0;
    for (const QJsonObject& command : commands) {
      const int id = command.value("commandId").toInt();
      EXPECT_GT(id, previousId) << "ids are distinct and in file order";
      previousId = id;
      const QJsonValue param = command.value("params").toObject().value("btdparam");
      if (command.value("tradeType").toInt() != 0x8000000) {
        ++otherTypes;
        EXPECT_TRUE(param.isUndefined());
      } else if (param.isString()) {
        ++stringParams;
      } else {
        ASSERT_TRUE(param.isObject());
        EXPECT_EQ(codes.count(param.toObject().value("bondCode").toString()), 1u)
            << "a tender command of an unknown bond";
        const QString direction = param.toObject().value("direction").toString();
        EXPECT_TRUE(direction == "execution" || direction == "allocation");
      }
    }
    EXPECT_GT(stringParams, 0);
    EXPECT_GT(otherTypes, 0);
    EXPECT_EQ(static_cast<long long>(commands.size()) - otherTypes, set->summary.tenderCommands);
    std::map<int, int> statusCounts;
    for (const auto& entry : tenderStatuses(bonds, commands)) ++statusCounts[entry.second];
    for (int status : {0, 2, 5, 201, 204, -2}) {
      EXPECT_GT(statusCounts[status], 0) << "no bond with status " << status;
    }
  }
}

TEST_F(GeneratedSets, codeAndInitialsFiltersKeepRealisticShares) {
  for (const GeneratedSet* set : {stockSet, mixedSet}) {
    std::vector<QJsonObject> stocks;
    for (const QJsonObject& r : read(*set, "instruments.jsonl")) {
      if (r.value("tradeType").toInt() == 1) stocks.push_back(r);
      bool complete = false;
      datagen::CVocabulary::initialsOf(r.value("name").toString().toStdString(), &complete);
      ASSERT_TRUE(complete) << "a name the initials table does not cover: "
                            << r.value("name").toString().toStdString();
    }
    ASSERT_GT(stocks.size(), 5000u);
    // A four-character filter keeps a few rows in a thousand at most, a
    // two-letter one a visible share, as on a real stock list.
    const double code6000 = filterShare(stocks, "6000");
    EXPECT_GT(code6000, 0.0);
    EXPECT_LE(code6000, 0.03);
    EXPECT_LE(filterShare(stocks, "PAYH"), 0.01);
    const double yh = filterShare(stocks, "YH");
    EXPECT_GE(yh, 0.002);
    EXPECT_LE(yh, 0.15);
    EXPECT_LE(filterShare(stocks, "60"), 0.5);
  }
}

TEST(DataGenerator, sameSeedWritesTheSameBytesAndCountsOnlyTouchTheirFiles) {
  GeneratedSet a, b, otherSeed, moreCommands;
  generate(a, options(3000, 100, 800, 0, true, 5));
  generate(b, options(3000, 100, 800, 0, true, 5));
  generate(otherSeed, options(3000, 100, 800, 0, true, 6));
  generate(moreCommands, options(3000, 100, 900, 0, true, 5));
  for (const char* file : {"exchanges.jsonl", "instruments.jsonl", "fundplans.jsonl",
                           "interbank_bonds.jsonl", "tender_bonds.jsonl", "order_commands.jsonl",
                           "bond_trade_infos.jsonl", "config.json", "enums.json"}) {
    EXPECT_EQ(readBytes(a.path(file)), readBytes(b.path(file))) << file;
  }
  EXPECT_NE(readBytes(a.path("instruments.jsonl")), readBytes(otherSeed.path("instruments.jsonl")));
  EXPECT_EQ(readBytes(a.path("instruments.jsonl")),
            readBytes(moreCommands.path("instruments.jsonl")));
  EXPECT_EQ(readBytes(a.path("bond_trade_infos.jsonl")),
            readBytes(moreCommands.path("bond_trade_infos.jsonl")));
  EXPECT_NE(readBytes(a.path("order_commands.jsonl")),
            readBytes(moreCommands.path("order_commands.jsonl")));
}

// A share listed under several trading types is one company: the records
// agree in everything but the trading type.
TEST(DataGenerator, sharesListedUnderSeveralTypesAreTheSameRecord) {
  GeneratedSet set;
  generate(set, options(20000, 0, 0, 0, true, 3));
  std::map<QString, QJsonObject> stocks;
  int compared = 0;
  for (QJsonObject r : readJsonLines(set.path("instruments.jsonl"), nullptr)) {
    const int type = r.value("tradeType").toInt();
    r.remove("tradeType");
    const QString key = r.value("code").toString() + "." + r.value("marketId").toString();
    if (type == 1) stocks[key] = r;
    if ((type == 8 || type == 0x800000) && stocks.count(key) == 1) {
      EXPECT_EQ(stocks[key], r) << key.toStdString();
      ++compared;
    }
  }
  EXPECT_GT(compared, 10);
}

TEST(DataGenerator, emptyCountsStillWriteEveryFile) {
  GeneratedSet set;
  generate(set, options(0, 0, 0));
  for (const char* file : {"exchanges.jsonl", "instruments.jsonl", "fundplans.jsonl",
                           "interbank_bonds.jsonl", "tender_bonds.jsonl", "order_commands.jsonl",
                           "bond_trade_infos.jsonl", "config.json", "enums.json"}) {
    EXPECT_TRUE(QFile::exists(set.path(file))) << file;
  }
  EXPECT_TRUE(readBytes(set.path("instruments.jsonl")).isEmpty());
  EXPECT_TRUE(readBytes(set.path("order_commands.jsonl")).isEmpty());
  QString problem;
  EXPECT_EQ(readJsonObject(set.path("config.json"), &problem).value("userType").toInt(), 200);
  EXPECT_TRUE(problem.isEmpty());
}

TEST(DataGenerator, moreCommandsThanTenderBondsCanTakeBecomeOtherOrders) {
  GeneratedSet set;
  generate(set, options(10, 2, 500));
  const auto commands = readJsonLines(set.path("order_commands.jsonl"), nullptr);
  EXPECT_EQ(commands.size(), 500u);
  EXPECT_EQ(set.summary.orderCommands, 500);
  GeneratedSet noBonds;
  generate(noBonds, options(10, 0, 50));
  for (const QJsonObject& c : readJsonLines(noBonds.path("order_commands.jsonl"), nullptr)) {
    EXPECT_NE(c.value("tradeType").toInt(), 0x8000000) << "no tender command without bonds";
  }
}

TEST(DataGenerator, refusesATradingTypeItsCodeSpaceCannotHoldBeforeWriting) {
  QTemporaryDir directory;
  datagen::GeneratorOptions o = options(18, 0, 0, 0x4);
  o.outputDirectory = directory.filePath("set").toStdString();
  std::string error;
  EXPECT_FALSE(datagen::CDataGenerator::generate(o, nullptr, &error));
  EXPECT_NE(error.find("17"), std::string::npos) << error;
  EXPECT_FALSE(QFile::exists(directory.filePath("set/instruments.jsonl")));
  o.instruments = 17;
  EXPECT_TRUE(datagen::CDataGenerator::generate(o, nullptr, &error)) << error;
}

TEST(DataGenerator, anOutputPathThatIsAFileIsReported) {
  QTemporaryDir directory;
  const QString blocker = directory.filePath("file");
  QFile file(blocker);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  datagen::GeneratorOptions o = options(10, 1, 1);
  o.outputDirectory = blocker.toStdString();
  std::string error;
  EXPECT_FALSE(datagen::CDataGenerator::generate(o, nullptr, &error));
  EXPECT_FALSE(error.empty());
}

TEST(DataGenerator, mixedCountsAddUpAndRespectSmallCodeSpaces) {
  for (long long count : {0LL, 1LL, 7LL, 1000LL, 1000000LL}) {
    long long total = 0;
    for (const auto& entry : datagen::CDataGenerator::mixedCounts(count)) {
      EXPECT_GE(entry.second, 0);
      total += entry.second;
      if (entry.first == 0x4) {
        EXPECT_LE(entry.second, 17);
      }
      if (entry.first == 0x2000000) {
        EXPECT_EQ(entry.second, 0) << "it lists the same bonds as 0x8000";
      }
    }
    EXPECT_EQ(total, count);
  }
}
