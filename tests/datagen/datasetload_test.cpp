// The generated sets read back through the host's loader: no errors (the
// loader reports every field the data format does not know, nested
// commissions included), and every record of every file arrives (the loader
// skips records it cannot take, so a count that falls short is a fault in
// the data).
#include "datagentestsupport.h"

#include "datagen/sampledataset.h"
#include "host/data/bondtendersparam.h"
#include "host/data/datasetloader.h"
#include "host/text/pinyinmatch.h"

#include <gtest/gtest.h>
#include <QDir>
#include <cstdio>

using namespace datagen_test;

namespace {

std::size_t lineCount(const QString& path) { return readJsonLines(path, nullptr).size(); }

std::size_t tradeInfoCount(const mxservice::DataSet& set) {
  std::size_t count = 0;
  for (const auto& market : set.bondTradeInfos) count += market.second.size();
  return count;
}

// The counts of every kind equal the files' lines.
void expectComplete(const QString& directory, const mxservice::DataSet& set) {
  const QDir dir(directory);
  std::string errors;
  for (std::size_t i = 0; i < set.errors.size() && i < 20; ++i) errors += set.errors[i] + "\n";
  EXPECT_TRUE(set.errors.empty()) << set.errors.size() << " load errors:\n" << errors;
  EXPECT_EQ(set.exchanges.size(), lineCount(dir.filePath("exchanges.jsonl")));
  EXPECT_EQ(set.instruments.size(), lineCount(dir.filePath("instruments.jsonl")) +
                                        lineCount(dir.filePath("fundplans.jsonl")));
  EXPECT_EQ(set.interBankBonds.size(), lineCount(dir.filePath("interbank_bonds.jsonl")));
  EXPECT_EQ(set.tenderBonds.size(), lineCount(dir.filePath("tender_bonds.jsonl")));
  EXPECT_EQ(set.orderCommands.size(), lineCount(dir.filePath("order_commands.jsonl")));
  EXPECT_EQ(tradeInfoCount(set), lineCount(dir.filePath("bond_trade_infos.jsonl")));
  EXPECT_EQ(set.enumNames.size(), 14u);
  EXPECT_EQ(set.config.userName, "zhangwei");
  EXPECT_EQ(set.config.userType, 200);
  // The loader keeps a command's parameters as they are; the tender panel
  // reads "btdparam" later, with the same unknown-field rule.
  for (const auto& command : set.orderCommands) {
    const bson::BSONElement param = command->params.getField("btdparam");
    if (param.type() != bson::Object) continue;
    mxservice::CBondTendersParam tender;
    std::string paramErrors;
    EXPECT_TRUE(tender.bsonValueFromObj(param.embeddedObject(), false, &paramErrors))
        << command->commandId << ": " << paramErrors;
  }
}

}  // namespace

TEST(DataSetLoad, bundledSampleLoadsWithoutErrors) {
  const QDate today(2027, 3, 10);
  const mxservice::DataSet set = mxservice::loadDataSet(sampleDirectory().toStdString(), today);
  expectComplete(sampleDirectory(), set);
  EXPECT_EQ(set.tenderBonds.size(), 40u);
  EXPECT_EQ(set.interBankBonds.size(), 30u);
  // Tender dates are relative: ten bonds tender on the load day.
  int tenderingToday = 0;
  for (const auto& entry : set.tenderBonds)
    tenderingToday += entry.second->tenderDate == "20270310";
  EXPECT_EQ(tenderingToday, 10);
  EXPECT_EQ(set.config.tradingDate, "20270310");
  EXPECT_FALSE(set.config.favourites.at(64).empty());
  std::map<int, int> perType;
  for (const auto& instrument : set.instruments) ++perType[instrument->tradeType];
  EXPECT_EQ(perType[512], 30);
  EXPECT_GE(perType[1], 100);
}

TEST(DataSetLoad, generatedSetsLoadWithoutErrors) {
  struct Case {
    long long instruments;
    int tradeType;
    bool mixed;
  };
  const Case cases[] = {{20000, 1, false},     {20000, 0, true},    {3000, 0x200, false},
                        {3000, 0x8000, false}, {3000, 0x20, false}, {3000, 0x40, false}};
  for (const Case& c : cases) {
    GeneratedSet generated;
    datagen::GeneratorOptions options;
    options.instruments = c.instruments;
    options.tradeType = c.tradeType;
    options.mixed = c.mixed;
    options.tenderBonds = 300;
    options.orderCommands = 3000;
    generate(generated, options);
    const mxservice::DataSet set = mxservice::loadDataSet(generated.directory.path().toStdString());
    SCOPED_TRACE(c.mixed ? std::string("mixed") : std::to_string(c.tradeType));
    expectComplete(generated.directory.path(), set);
    EXPECT_EQ(static_cast<long long>(set.orderCommands.size()), 3000);
    EXPECT_EQ(static_cast<long long>(set.tenderBonds.size()), 300);
  }
}

// Order commands keep their tender parameters: the panels find a bond's
// commands through params.btdparam.
TEST(DataSetLoad, tenderCommandsKeepTheirParameters) {
  const mxservice::DataSet set = mxservice::loadDataSet(sampleDirectory().toStdString());
  int documents = 0;
  for (const auto& command : set.orderCommands) {
    if (command->tradeType != 0x8000000) continue;
    const auto element = command->params.getField("btdparam");
    if (element.type() == 3) ++documents;
  }
  EXPECT_GT(documents, 50);
}

// The shares of realistic filters on a generated stock list, measured with
// the host's own pinyin matcher, which matches every reading of a polyphone
// and so keeps more rows than the generator's one-reading table.
TEST(DataSetLoad, realisticFiltersKeepRealisticSharesWithTheHostMatcher) {
  GeneratedSet generated;
  datagen::GeneratorOptions options;
  options.instruments = 20000;
  options.tenderBonds = 0;
  options.orderCommands = 0;
  generate(generated, options);
  const mxservice::DataSet set = mxservice::loadDataSet(generated.directory.path().toStdString());
  ASSERT_EQ(set.instruments.size(), 20000u);
  const auto share = [&](const QString& filter) {
    int kept = 0;
    for (const auto& instrument : set.instruments) {
      const QString code = QString::fromStdString(instrument->code).toUpper();
      const QString name = QString::fromStdString(instrument->name);
      kept +=
          code.contains(filter) || name.toUpper().contains(filter) || GU::isInByPy(name, filter);
    }
    return static_cast<double>(kept) / static_cast<double>(set.instruments.size());
  };
  const double code6000 = share("6000");
  const double payh = share("PAYH");
  const double yh = share("YH");
  RecordProperty("share6000", std::to_string(code6000));
  RecordProperty("sharePAYH", std::to_string(payh));
  EXPECT_GT(code6000, 0.0);
  EXPECT_LE(code6000, 0.03);
  EXPECT_LE(payh, 0.02);
  EXPECT_GE(yh, 0.002);
  EXPECT_LE(yh, 0.25);
  std::printf("filter shares on 20000 stock-list rows: 6000 %.4f%%, PAYH %.4f%%, YH %.2f%%\n",
              code6000 * 100, payh * 100, yh * 100);
}
