// The bundled sample (data/sample): the committed files are what the sample
// mode writes, and they hold every case the panels have to show.
#include "datagentestsupport.h"

#include "datagen/sampledataset.h"
#include "datagen/vocabulary.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <functional>

using namespace datagen_test;

namespace {

const char* const kFiles[] = {
    "exchanges.jsonl",        "instruments.jsonl",  "fundplans.jsonl",
    "interbank_bonds.jsonl",  "tender_bonds.jsonl", "order_commands.jsonl",
    "bond_trade_infos.jsonl", "config.json",        "enums.json"};

std::vector<QJsonObject> sample(const char* file) {
  QStringList bad;
  auto records = readJsonLines(QDir(sampleDirectory()).filePath(file), &bad);
  EXPECT_TRUE(bad.isEmpty()) << bad.join('\n').toStdString();
  return records;
}

std::vector<QJsonObject> ofType(const std::vector<QJsonObject>& records, int type) {
  std::vector<QJsonObject> out;
  for (const QJsonObject& r : records) {
    if (r.value("tradeType").toInt() == type) out.push_back(r);
  }
  return out;
}

bool any(const std::vector<QJsonObject>& records,
         const std::function<bool(const QJsonObject&)>& test) {
  return std::any_of(records.begin(), records.end(), test);
}

}  // namespace

// Regenerating the sample must give the committed bytes: a change to the
// generator that alters the sample shows here and is committed with it.
TEST(SampleDataSet, committedFilesAreWhatTheSampleModeWrites) {
  QTemporaryDir directory;
  datagen::GenerationSummary summary;
  std::string error;
  ASSERT_TRUE(datagen::CSampleDataSet::write(directory.path().toStdString(), &summary, &error))
      << error;
  for (const char* file : kFiles) {
    const QByteArray committed = readBytes(QDir(sampleDirectory()).filePath(file));
    ASSERT_FALSE(committed.isEmpty())
        << file << " missing from " << sampleDirectory().toStdString();
    EXPECT_TRUE(committed == readBytes(directory.filePath(file)))
        << file << " differs: regenerate with lw-datagen --sample --out data/sample";
  }
}

TEST(SampleDataSet, sizesAndCountsPerKind) {
  qint64 bytes = 0;
  for (const char* file : kFiles) bytes += QFileInfo(QDir(sampleDirectory()).filePath(file)).size();
  EXPECT_LT(bytes, 1024 * 1024);
  const auto instruments = sample("instruments.jsonl");
  const auto funds = sample("fundplans.jsonl");
  EXPECT_GE(instruments.size() + funds.size(), 300u);
  EXPECT_LE(instruments.size() + funds.size(), 500u);
  for (int type : {0x1, 0x2, 0x4, 0x8, 0x10, 0x20, 0x40, 0x80, 0x100, 0x400, 0x800, 0x1000, 0x4000,
                   0x10000, 0x100000, 0x800000, 0x1000000}) {
    EXPECT_GE(ofType(instruments, type).size(), 8u) << std::hex << type;
  }
  EXPECT_EQ(sample("tender_bonds.jsonl").size(), 40u);
  EXPECT_EQ(sample("interbank_bonds.jsonl").size(), 30u);
  EXPECT_EQ(funds.size(), 30u);
  const auto tradeInfos = sample("bond_trade_infos.jsonl");
  EXPECT_GE(tradeInfos.size(), 50u);
  EXPECT_LE(tradeInfos.size(), 70u);
  for (const auto& r : instruments) {
    bool complete = false;
    datagen::CVocabulary::initialsOf(r.value("name").toString().toStdString(), &complete);
    EXPECT_TRUE(complete) << r.value("name").toString().toStdString();
  }
}

TEST(SampleDataSet, stockListHoldsTheBoardsAndBondCases) {
  const auto stocks = ofType(sample("instruments.jsonl"), 1);
  const auto has = [&](const std::function<bool(const QJsonObject&)>& test) {
    return any(stocks, test);
  };
  const auto code = [](const QJsonObject& r) { return r.value("code").toString(); };
  EXPECT_TRUE(has([&](const QJsonObject& r) { return code(r).startsWith("300"); })) << "GEM";
  EXPECT_TRUE(has([&](const QJsonObject& r) {
    return code(r).startsWith("688") && r.value("stockKind").toInt() == 1172;
  })) << "STAR";
  EXPECT_TRUE(has([&](const QJsonObject& r) { return code(r).startsWith("689"); })) << "CDR";
  EXPECT_TRUE(has([](const QJsonObject& r) { return r.value("stockKind").toInt() == 1193; }));
  EXPECT_TRUE(has([](const QJsonObject& r) {
    return (r.value("attributeFlags").toInt() & 2) == 0 &&
           r.value("code").toString().startsWith("688");
  })) << "an unprofitable STAR share";
  EXPECT_TRUE(has([](const QJsonObject& r) { return r.value("qualifiedInvestor").toInt() == 1; }));
  EXPECT_TRUE(has([](const QJsonObject& r) {
    return (static_cast<qint64>(r.value("attributeFlags").toDouble()) & 16777216) != 0 &&
           r.value("accruedInterest").toDouble() > 0 && r.value("faceValue").toDouble() == 100;
  })) << "a clean-price bond with accrued interest";
  for (const char* key : {"204001.SH", "204007.SH", "131810.SZ", "000001.SZ"}) {
    EXPECT_TRUE(has([&](const QJsonObject& r) {
      return code(r) + "." + r.value("marketId").toString() == key;
    })) << key;
  }
  EXPECT_GT(filterShare(stocks, "PAYH"), 0.0) << "平安银行 is there to find";
}

TEST(SampleDataSet, derivativeListsHoldFeesOptionNamesAndForeignGroups) {
  const auto instruments = sample("instruments.jsonl");
  const auto futures = ofType(instruments, 2);
  const auto mode = [](int m) {
    return [m](const QJsonObject& r) {
      return r.value("commission").toObject().value("mode").toInt() == m;
    };
  };
  EXPECT_TRUE(any(futures, mode(1)));
  EXPECT_TRUE(any(futures, mode(2)));
  EXPECT_TRUE(any(futures, [](const QJsonObject& r) {
    const QJsonObject c = r.value("commission").toObject();
    for (const char* f : {"open", "close", "intradayOpen", "intradayClose"}) {
      if (c.value(f).toDouble() == -1.0) return true;
    }
    return false;
  })) << "a fee of -1 (not charged)";
  for (const QJsonObject& f : futures) {
    if (f.value("code").toString().startsWith("SP")) continue;  // spreads have no limits
    EXPECT_GT(f.value("upperLimit").toDouble(), f.value("preSettlement").toDouble())
        << f.value("code").toString().toStdString();
    EXPECT_LT(f.value("lowerLimit").toDouble(), f.value("preSettlement").toDouble());
  }
  const auto futureOptions = ofType(instruments, 16);
  EXPECT_TRUE(std::all_of(futureOptions.begin(), futureOptions.end(), [](const QJsonObject& r) {
    return r.value("productCode").toString().endsWith("_O");
  }));
  const auto options = ofType(instruments, 32);
  EXPECT_TRUE(any(options, [](const QJsonObject& r) {
    return r.value("name").toString().startsWith("50ETF购3月3000");
  }));
  for (const QJsonObject& o : options) {
    EXPECT_FALSE(o.value("underlyingCode").toString().isEmpty());
    EXPECT_GT(o.value("strikePrice").toDouble(), 0);
    EXPECT_EQ(o.value("maxLimitBuyVolume").toInt(), 50);
  }
  std::set<QString> foreignProducts;
  for (const QJsonObject& r : ofType(instruments, 64)) {
    foreignProducts.insert(r.value("productCode").toString());
    EXPECT_FALSE(r.value("exchangeName").toString().isEmpty());
    EXPECT_FALSE(r.value("deliveryDate").toString().isEmpty());
  }
  for (const char* product : {"CL", "GC", "SI", "HG", "NG", "ZC", "ZS", "ZN", "ZB", "ZF"}) {
    EXPECT_EQ(foreignProducts.count(product), 1u) << product;
  }
  std::set<QString> currencies;
  for (const QJsonObject& r : ofType(instruments, 64))
    currencies.insert(r.value("currency").toString());
  for (const char* currency : {"USD", "EUR", "GBP"})
    EXPECT_EQ(currencies.count(currency), 1u) << currency;
  std::set<int> layers;
  for (const QJsonObject& r : ofType(instruments, 256)) layers.insert(r.value("neeqLayer").toInt());
  EXPECT_EQ(layers, (std::set<int>{1, 2, 3}));
  std::set<QString> ficcProducts;
  for (const QJsonObject& r : ofType(instruments, 0x100000))
    ficcProducts.insert(r.value("productCode").toString());
  EXPECT_EQ(ficcProducts.count("BOND"), 1u);
  EXPECT_EQ(ficcProducts.count("AGREE_REPO"), 1u);
  EXPECT_GE(ficcProducts.size(), 3u) << "and products the list filters out";
}

TEST(SampleDataSet, fundsInterBankBondsAndConfiguration) {
  const auto funds = sample("fundplans.jsonl");
  EXPECT_TRUE(
      any(funds, [](const QJsonObject& r) { return r.value("baseInfoType").toInt() == 1; }));
  EXPECT_TRUE(
      any(funds, [](const QJsonObject& r) { return r.value("baseInfoType").toInt() != 1; }));
  EXPECT_TRUE(any(funds, [](const QJsonObject& r) {
    return r.contains("maxSubscriptionAmount") && r.value("maxSubscriptionAmount").toDouble() == 0;
  }));
  std::set<int> fundTypes, statuses;
  for (const QJsonObject& f : funds) {
    if (f.contains("fundType")) fundTypes.insert(f.value("fundType").toInt());
    statuses.insert(f.value("prStatus").toInt());
  }
  EXPECT_GE(fundTypes.size(), 4u);
  EXPECT_GE(statuses.size(), 3u);

  const auto interBank = sample("interbank_bonds.jsonl");
  std::set<QString> markets, codes;
  for (const QJsonObject& b : interBank) {
    markets.insert(b.value("market").toString());
    codes.insert(b.value("bondCode").toString());
  }
  EXPECT_EQ(markets, (std::set<QString>{"NIB", "BANK"}));
  EXPECT_EQ(codes.count("200205"), 1u) << "20国开05";
  EXPECT_EQ(codes.count("220410"), 1u) << "22农发10";
  EXPECT_TRUE(any(interBank, [](const QJsonObject& r) {
    return r.contains("shCode") && r.contains("szCode");
  }));

  QString problem;
  const QJsonObject config =
      readJsonObject(QDir(sampleDirectory()).filePath("config.json"), &problem);
  EXPECT_EQ(config.value("userName").toString(), "zhangwei");
  EXPECT_EQ(config.value("userType").toInt(), 200);
  const QJsonArray foreignFavourites = config.value("favourites").toObject().value("64").toArray();
  ASSERT_FALSE(foreignFavourites.isEmpty());
  std::set<QString> foreignKeys;
  for (const QJsonObject& r : ofType(sample("instruments.jsonl"), 64)) {
    foreignKeys.insert(r.value("code").toString() + "." + r.value("marketId").toString());
  }
  for (const QJsonValue& key : foreignFavourites) EXPECT_EQ(foreignKeys.count(key.toString()), 1u);
}

// The tender panel's first search lists the bonds tendering today; those
// must show every status, and the internal-amount check box must have a
// bond right at its threshold.
TEST(SampleDataSet, tenderBondsOfTheLoadDayShowEveryStatus) {
  const auto bonds = sample("tender_bonds.jsonl");
  const auto commands = sample("order_commands.jsonl");
  const auto statuses = tenderStatuses(bonds, commands);
  std::set<int> today;
  std::set<QString> offsets;
  bool threshold = false;
  for (const QJsonObject& bond : bonds) {
    const QString date = bond.value("tenderDate").toString();
    offsets.insert(date);
    if (date == "@") today.insert(statuses.at(bond.value("bondCode").toString()));
    threshold = threshold || bond.value("internalAmount").toDouble() == 0.00001;
  }
  EXPECT_EQ(today, (std::set<int>{0, 2, 5, 201, 204, -2}));
  EXPECT_TRUE(threshold);
  EXPECT_EQ(offsets.size(), 11u) << "@-5 .. @+5";
  // A malformed command (string "btdparam") and orders of other types.
  EXPECT_TRUE(any(commands, [](const QJsonObject& c) {
    return c.value("params").toObject().value("btdparam").isString();
  }));
  EXPECT_TRUE(any(commands,
                  [](const QJsonObject& c) { return c.value("tradeType").toInt() != 0x8000000; }));
  // Bond trading records find their instrument, except a few.
  std::set<QString> keys;
  for (const QJsonObject& r : sample("instruments.jsonl")) {
    keys.insert(r.value("code").toString() + "." + r.value("marketId").toString());
  }
  int unlisted = 0;
  for (const QJsonObject& info : sample("bond_trade_infos.jsonl")) {
    unlisted +=
        keys.count(info.value("code").toString() + "." + info.value("marketId").toString()) == 0;
  }
  EXPECT_GE(unlisted, 1);
  EXPECT_LE(unlisted, 10);
}
