// The data-set loader: a good small set, each kind of bad input (with the
// rest of the set still loaded), relative dates, and the examples of
// docs/data-format.md.
#include "host/data/datasetloader.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

using namespace mxservice;

namespace {

const QDate kToday(2025, 1, 15);

class DataSetDir {
public:
  DataSetDir() { EXPECT_TRUE(m_dir.isValid()); }
  std::string path() const { return m_dir.path().toStdString(); }
  void write(const std::string& name, const std::string& content) const {
    std::ofstream out(path() + "/" + name, std::ios::binary);
    out << content;
  }
  // The good small set: every file, every kind of record.
  void writeGoodSet() const {
    write("exchanges.jsonl",
          "{\"marketId\": \"SH\", \"name\": \"上海证券交易所\", \"shortName\": \"上交所\"}\n"
          "{\"marketId\": \"SZ\", \"name\": \"深圳证券交易所\", \"shortName\": \"深交所\"}\n"
          "{\"marketId\": \"SHFE\", \"name\": \"上海期货交易所\", \"shortName\": \"上期所\"}\n"
          "{\"marketId\": \"OTC\", \"name\": \"场外\", \"shortName\": \"场外\"}\n");
    write("instruments.jsonl",
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600000\", \"name\": \"浦发银行\", "
          "\"priceTick\": 0.01}\n"
          "\n"
          "   \n"
          "{\"tradeType\": 8, \"marketId\": \"SH\", \"code\": \"600000\", \"name\": \"浦发银行\"}\n"
          "{\"tradeType\": 2, \"marketId\": \"SHFE\", \"code\": \"cu2501\", \"volumeMultiple\": 5,"
          " \"commission\": {\"mode\": 2, \"open\": 0.5}}\n");
    write("fundplans.jsonl",
          "{\"marketId\": \"OTC\", \"code\": \"000001\", \"name\": \"华夏成长混合\", "
          "\"bonusTypes\": [0, 1]}\n");
    write("interbank_bonds.jsonl",
          "{\"market\": \"NIB\", \"bondCode\": \"240001\", \"bondName\": \"24附息国债01\", "
          "\"couponRate\": 2.28}\n"
          "{\"market\": \"BANK\", \"bondCode\": \"240002\"}\n");
    write("tender_bonds.jsonl",
          "{\"bondCode\": \"2400123\", \"status\": 0, \"tenderDate\": \"@\", \"tenderEndDate\": "
          "\"@+1\","
          " \"issueStartDate\": \"@-20\", \"maturityDate\": \"20291231\", \"basicBidUnit\": "
          "1000000}\n"
          "{\"bondCode\": \"2400124\", \"trader\": \"张三\"}\n");
    write("order_commands.jsonl",
          "{\"tradeType\": 134217728, \"commandId\": 1001, \"status\": 2, \"passBackText\": \"pb\","
          " \"params\": {\"btdparam\": {\"bondCode\": \"2400123\"}}}\n"
          "{\"tradeType\": 134217728, \"commandId\": 1002, \"status\": 204,"
          " \"params\": {\"btdparam\": {\"bondCode\": \"2400123\"}}}\n");
    write("bond_trade_infos.jsonl",
          "{\"marketId\": \"SH\", \"code\": \"019733\", \"tradeMode\": \"竞价\"}\n"
          "{\"marketId\": \"SZ\", \"code\": \"101001\"}\n"
          "{\"marketId\": \"SH\", \"code\": \"019734\"}\n");
    write("config.json",
          "{\"userName\": \"张三\", \"userType\": 101, \"brokerEdition\": true, "
          "\"brokerEditionUserType\": 3,"
          " \"mergeFuture\": true, \"hkTradeInStock\": false, \"tradingDate\": \"@\","
          " \"favourites\": {\"1\": [\"600000.SH\"], \"64\": [\"cu2501.SHFE\", \"CLF5.NYMEX\"]}}");
    write("enums.json", "{\"mxservice::EIbBondType\": {\"1\": \"国债\", \"2\": \"政策性金融债\"}}");
  }

private:
  QTemporaryDir m_dir;
};

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\n";
  return out;
}

bool hasError(const DataSet& set, const std::string& text) {
  for (const std::string& line : set.errors) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}

// Every one of the texts is part of some error line.
void expectErrors(const DataSet& set, std::initializer_list<const char*> texts) {
  for (const char* text : texts)
    EXPECT_TRUE(hasError(set, text)) << text << "\n" << joined(set.errors);
}

std::vector<std::string> instrumentKeys(const DataSet& set) {
  std::vector<std::string> keys;
  for (const auto& i : set.instruments)
    keys.push_back(std::to_string(i->tradeType) + ":" + i->getKey());
  return keys;
}

}  // namespace

TEST(DataSetLoader, loadsAGoodSetWithoutErrors) {
  DataSetDir dir;
  dir.writeGoodSet();
  const DataSet set = loadDataSet(dir.path(), kToday);
  EXPECT_TRUE(set.errors.empty()) << joined(set.errors);

  ASSERT_EQ(set.exchanges.size(), 4u);
  EXPECT_EQ(set.exchanges[0]->shortName, "上交所");

  EXPECT_EQ(instrumentKeys(set), (std::vector<std::string>{"1:600000.SH", "8:600000.SH",
                                                           "2:cu2501.SHFE", "512:000001.OTC"}));
  EXPECT_EQ(set.instruments[0]->priceTick, 0.01);
  EXPECT_TRUE(set.instruments[2]->hasCommission);
  EXPECT_EQ(set.instruments[2]->commission.open, 0.5);
  const auto fund = boost::dynamic_pointer_cast<COTCFundPlanInfo>(set.instruments[3]);
  ASSERT_TRUE(fund);
  EXPECT_EQ(fund->bonusTypes, (std::vector<int>{0, 1}));

  ASSERT_EQ(set.interBankBonds.size(), 2u);
  EXPECT_EQ(set.interBankBonds.at("NIB.240001")->couponRate, 2.28);
  EXPECT_TRUE(set.interBankBonds.count("BANK.240002"));

  ASSERT_EQ(set.tenderBonds.size(), 2u);
  const auto tender = set.tenderBonds.at("TB.2400123");
  EXPECT_EQ(tender->tenderDate, "20250115");
  EXPECT_EQ(tender->tenderEndDate, "20250116");
  EXPECT_EQ(tender->issueStartDate, "20241226");
  EXPECT_EQ(tender->maturityDate, "20291231");
  EXPECT_EQ(tender->issueEndDate, "");
  EXPECT_EQ(tender->status(), 0);
  EXPECT_EQ(tender->basicBidUnit, 1000000);
  EXPECT_EQ(set.tenderBonds.at("TB.2400124")->trader(), "张三");

  ASSERT_EQ(set.orderCommands.size(), 2u);
  EXPECT_EQ(set.orderCommands[0]->commandId, 1001);
  EXPECT_EQ(set.orderCommands[1]->status(), 204);
  EXPECT_EQ(set.orderCommands[1]->params.getFieldDotted("btdparam.bondCode").String(), "2400123");

  ASSERT_EQ(set.bondTradeInfos.size(), 2u);
  const auto& sh = set.bondTradeInfos.at("SH");
  ASSERT_EQ(sh.size(), 2u);
  EXPECT_EQ(sh.at(0)->code, "019733");
  EXPECT_EQ(sh.at(1)->code, "019734");
  EXPECT_EQ(set.bondTradeInfos.at("SZ").at(0)->code, "101001");

  EXPECT_EQ(set.config.userName, "张三");
  EXPECT_EQ(set.config.userType, 101);
  EXPECT_TRUE(set.config.brokerEdition);
  EXPECT_EQ(set.config.brokerEditionUserType, 3);
  EXPECT_TRUE(set.config.mergeFuture);
  EXPECT_FALSE(set.config.hkTradeInStock);
  EXPECT_EQ(set.config.tradingDate, "20250115");
  EXPECT_EQ(set.config.favourites.at(64), (std::vector<std::string>{"cu2501.SHFE", "CLF5.NYMEX"}));
  EXPECT_EQ(set.config.favourites.at(1), (std::vector<std::string>{"600000.SH"}));

  EXPECT_EQ(set.enumNames.at("mxservice::EIbBondType").at(2), "政策性金融债");
}

TEST(DataSetLoader, missingDirectoryIsOneErrorLine) {
  const DataSet set = loadDataSet("/nonexistent/data/set/dir", kToday);
  ASSERT_EQ(set.errors.size(), 1u);
  EXPECT_NE(set.errors[0].find("/nonexistent/data/set/dir"), std::string::npos);
  EXPECT_TRUE(set.instruments.empty());
}

TEST(DataSetLoader, missingFilesAreErrorsAndTheRestLoads) {
  DataSetDir dir;
  dir.write("instruments.jsonl",
            "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600000\"}\n");
  const DataSet set = loadDataSet(dir.path(), kToday);
  EXPECT_EQ(set.instruments.size(), 1u);  // no exchanges: markets are not checked
  EXPECT_EQ(set.errors.size(), 8u) << joined(set.errors);
  expectErrors(set, {
                        "exchanges.jsonl: missing file",
                        "config.json: missing file",
                        "enums.json: missing file",
                    });
  EXPECT_EQ(set.config.userName, "trader");
}

TEST(DataSetLoader, eachBadLineCostsOnlyItsRecord) {
  DataSetDir dir;
  dir.writeGoodSet();
  dir.write(
      "instruments.jsonl",
      "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600000\", \"name\": "
      "\"浦发银行\"}\n"                                                  // 1 good
      "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600001\"\n"  // 2 bad JSON
      "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600004\", \"priceTick\": "
      "\"x\"}\n"                                                            // 3 wrong type
      "{\"tradeType\": 3, \"marketId\": \"SH\", \"code\": \"600005\"}\n"    // 4 two bits
      "{\"tradeType\": 262, \"marketId\": \"SH\", \"code\": \"600006\"}\n"  // 5 unknown
      "{\"tradeType\": 1, \"marketId\": \"XSHG\", \"code\": \"600007\"}\n"  // 6 market
      "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600000\", \"name\": \"dup\"}\n"  // 7
                                                                                             // duplicate
      "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"6\xff\xfe\"}\n"  // 8 bad UTF-8
      "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"\"}\n"           // 9 empty key
      "{\"marketId\": \"SH\", \"code\": \"600008\"}\n"                       // 10 no type
      "[1, 2]\n"                                                             // 11 array
      "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600009\", \"volumeMultiple\": "
      "1e20,"
      " \"preClose\": {\"$numberDouble\": \"NaN\"}, \"bogus\": 1}\n"          // 12 fields
      "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600010\"}\r\n");  // 13 CRLF
  const DataSet set = loadDataSet(dir.path(), kToday);

  EXPECT_EQ(instrumentKeys(set),
            (std::vector<std::string>{"1:600000.SH", "1:600004.SH", "1:600009.SH", "1:600010.SH",
                                      "512:000001.OTC"}))
      << joined(set.errors);
  EXPECT_EQ(set.instruments[0]->name, "浦发银行");  // the first of the duplicates
  EXPECT_EQ(set.instruments[1]->priceTick, kNoValueDouble);
  EXPECT_EQ(set.instruments[2]->volumeMultiple, kNoValueInt);
  EXPECT_EQ(set.instruments[2]->preClose, kNoValueDouble);

  const std::string all = joined(set.errors);
  expectErrors(
      set, {
               "instruments.jsonl:2: invalid JSON",
               "instruments.jsonl:3 (600004.SH): field priceTick: expected a number, got string",
               "instruments.jsonl:4 (600005.SH): trading type 3 is not a single known trading "
               "type; record skipped",
               "instruments.jsonl:5 (600006.SH): trading type 262",
               "instruments.jsonl:6 (600007.XSHG): market XSHG is not in exchanges.jsonl; record "
               "skipped",
               "instruments.jsonl:7 (600000.SH): duplicate key for trading type 1 (first at "
               "instruments.jsonl:1); record skipped",
               "instruments.jsonl:8: invalid JSON",
               "line skipped",
               "instruments.jsonl:9: key field code is empty; record skipped",
               "instruments.jsonl:10 (600008.SH): trading type 0",
               "instruments.jsonl:11: invalid JSON: the top level is not an object",
               "instruments.jsonl:12 (600009.SH): field volumeMultiple: 1e+20 is out of the 32-bit "
               "integer range",
               "instruments.jsonl:12 (600009.SH): field preClose: NaN is not a number",
               "instruments.jsonl:12 (600009.SH): field bogus: unknown field",
           });
  EXPECT_EQ(set.errors.size(), 13u) << all;

  // The other files are untouched by the bad instruments.
  EXPECT_EQ(set.tenderBonds.size(), 2u);
  EXPECT_EQ(set.orderCommands.size(), 2u);
  EXPECT_EQ(set.interBankBonds.size(), 2u);
  EXPECT_EQ(set.config.userName, "张三");
  // Every error line is valid UTF-8 even when the input was not.
  for (const std::string& line : set.errors) {
    EXPECT_TRUE(QString::fromUtf8(line.data(), static_cast<int>(line.size())).toUtf8() ==
                QByteArray(line.data(), static_cast<int>(line.size())))
        << line;
  }
}

TEST(DataSetLoader, badRecordsOfTheOtherKinds) {
  DataSetDir dir;
  dir.writeGoodSet();
  dir.write("fundplans.jsonl",
            "{\"marketId\": \"OTC\", \"code\": \"000001\", \"bonusTypes\": [0, \"x\"]}\n"
            "{\"marketId\": \"OTC\", \"code\": \"000002\", \"tradeType\": 1}\n"
            "{\"marketId\": \"OTC\", \"code\": \"000001\"}\n");
  dir.write("interbank_bonds.jsonl",
            "{\"market\": \"NIB\", \"bondCode\": \"1\"}\n"
            "{\"market\": \"NIB\", \"bondCode\": \"1\"}\n"
            "{\"market\": \"\", \"bondCode\": \"2\"}\n");
  dir.write("tender_bonds.jsonl",
            "{\"bondCode\": \"A\", \"tenderDate\": \"2025-01-15\", \"valueDate\": \"@+x\", "
            "\"paymentDate\": \"@+1\"}\n"
            "{\"bondCode\": \"A\"}\n"
            "{\"shortName\": \"no code\"}\n"
            "{\"bondCode\": \"B\", \"listingDate\": \"20250230\", \"status\": 1.5}\n");
  dir.write("order_commands.jsonl",
            "{\"tradeType\": 134217728, \"commandId\": 1}\n"
            "{\"tradeType\": 134217728, \"commandId\": 1}\n"
            "{\"tradeType\": 134217728}\n"
            "{\"tradeType\": 0, \"commandId\": 2}\n"
            "{\"tradeType\": 134217728, \"commandId\": 3, \"params\": \"x\"}\n");
  dir.write("bond_trade_infos.jsonl",
            "{\"marketId\": \"SH\", \"code\": \"1\"}\n"
            "{\"marketId\": \"NYSE\", \"code\": \"2\"}\n"
            "{\"marketId\": \"SH\", \"code\": \"1\"}\n"
            "{\"marketId\": \"SH\", \"code\": \"3\"}\n");
  const DataSet set = loadDataSet(dir.path(), kToday);
  const std::string all = joined(set.errors);

  EXPECT_EQ(instrumentKeys(set).size(), 3u + 2u)
      << all;  // 3 instruments, funds 000001 and 000002 (type 1)
  expectErrors(set, {
                        "fundplans.jsonl:1 (000001.OTC): field bonusTypes: element 1: expected an "
                        "integer, got string",
                        "fundplans.jsonl:3 (000001.OTC): duplicate key for trading type 512 (first "
                        "at fundplans.jsonl:1)",
                    });

  EXPECT_EQ(set.interBankBonds.size(), 1u);
  expectErrors(
      set, {
               "interbank_bonds.jsonl:2 (NIB.1): duplicate key (first at interbank_bonds.jsonl:1)",
               "interbank_bonds.jsonl:3: key field market is empty",
           });

  ASSERT_EQ(set.tenderBonds.size(), 2u);
  EXPECT_EQ(set.tenderBonds.at("TB.A")->tenderDate, "");
  EXPECT_EQ(set.tenderBonds.at("TB.A")->valueDate, "");
  EXPECT_EQ(set.tenderBonds.at("TB.A")->paymentDate, "20250116");
  EXPECT_EQ(set.tenderBonds.at("TB.B")->status(), kNoValueInt);
  expectErrors(set,
               {
                   "tender_bonds.jsonl:1 (TB.A): field tenderDate: \"2025-01-15\" is not a date",
                   "tender_bonds.jsonl:1 (TB.A): field valueDate: \"@+x\" is not a relative date",
                   "tender_bonds.jsonl:2 (TB.A): duplicate key",
                   "tender_bonds.jsonl:3: key field bondCode is empty",
                   "tender_bonds.jsonl:4 (TB.B): field listingDate: \"20250230\" is not a date",
                   "tender_bonds.jsonl:4 (TB.B): field status: 1.5 is not an integer",
               });

  ASSERT_EQ(set.orderCommands.size(), 2u);
  EXPECT_EQ(set.orderCommands[1]->commandId, 3);
  EXPECT_TRUE(set.orderCommands[1]->params.isEmpty());
  expectErrors(
      set, {
               "order_commands.jsonl:2 (OC.1): duplicate key",
               "order_commands.jsonl:3: key field commandId is missing",
               "order_commands.jsonl:4 (OC.2): trading type 0 is not a single known trading type",
               "order_commands.jsonl:5 (OC.3): field params: expected a document, got string",
           });

  ASSERT_EQ(set.bondTradeInfos.size(), 1u);
  const auto& sh = set.bondTradeInfos.at("SH");
  ASSERT_EQ(sh.size(), 2u);
  EXPECT_EQ(sh.at(0)->code, "1");
  EXPECT_EQ(sh.at(1)->code, "3");  // positions count kept records only
  expectErrors(set, {
                        "bond_trade_infos.jsonl:2 (2.NYSE): market NYSE is not in exchanges.jsonl",
                        "bond_trade_infos.jsonl:3 (1.SH): duplicate key",
                    });
}

TEST(DataSetLoader, badConfigAndEnums) {
  DataSetDir dir;
  dir.writeGoodSet();
  dir.write("config.json",
            "{\"userName\": 5, \"userType\": 102, \"mergeFuture\": \"yes\", \"tradingDate\": "
            "\"tomorrow\","
            " \"favourites\": {\"64\": [\"a\", 1], \"x\": [], \"2\": [\"IF2501.CFFEX\"], \"8\": "
            "\"600000.SH\"},"
            " \"colour\": 1}");
  dir.write("enums.json",
            "{\"mxservice::EIbBondType\": {\"1\": \"国债\", \"x\": \"bad\", \"3\": 3},"
            " \"mxservice::ETenderMarket\": [1]}");
  const DataSet set = loadDataSet(dir.path(), kToday);
  const std::string all = joined(set.errors);
  EXPECT_EQ(set.config.userName, "trader");
  EXPECT_EQ(set.config.userType, 102);
  EXPECT_FALSE(set.config.mergeFuture);
  EXPECT_EQ(set.config.tradingDate, "");
  EXPECT_EQ(set.config.favourites.size(), 1u);
  EXPECT_EQ(set.config.favourites.at(2), (std::vector<std::string>{"IF2501.CFFEX"}));
  expectErrors(set,
               {
                   "config.json: field userName: expected a string, got int32",
                   "config.json: field mergeFuture: expected true or false, got string",
                   "config.json: field tradingDate: \"tomorrow\" is not a date",
                   "config.json: field favourites.64: element 1: expected a string, got int32",
                   "config.json: field favourites.x: the name is not a trading type",
                   "config.json: field favourites.8: expected an array of stock keys, got string",
                   "config.json: field colour: unknown field",
               });

  EXPECT_EQ(set.enumNames.at("mxservice::EIbBondType"), (std::map<int, std::string>{{1, "国债"}}));
  EXPECT_FALSE(set.enumNames.count("mxservice::ETenderMarket"));
  expectErrors(
      set, {
               "enums.json: mxservice::EIbBondType.\"x\": the name is not a 32-bit decimal integer",
               "enums.json: mxservice::EIbBondType.\"3\": expected a string, got int32",
               "enums.json: mxservice::ETenderMarket: expected a document, got array",
           });
  EXPECT_EQ(set.errors.size(), 10u) << all;
}

TEST(DataSetLoader, unparsableConfigKeepsDefaults) {
  DataSetDir dir;
  dir.writeGoodSet();
  dir.write("config.json", "{\"userName\": ");
  dir.write("enums.json", "not json");
  const DataSet set = loadDataSet(dir.path(), kToday);
  EXPECT_EQ(set.config.userName, "trader");
  EXPECT_TRUE(set.enumNames.empty());
  EXPECT_EQ(set.errors.size(), 2u) << joined(set.errors);
  expectErrors(set, {
                        "config.json: invalid JSON",
                        "enums.json: invalid JSON",
                    });
}

TEST(DataSetLoader, byteOrderMarkAndEmptyFiles) {
  DataSetDir dir;
  dir.writeGoodSet();
  dir.write("exchanges.jsonl", "\xEF\xBB\xBF{\"marketId\": \"SH\"}\r\n");
  dir.write("instruments.jsonl",
            "\xEF\xBB\xBF{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600000\"}");
  dir.write("fundplans.jsonl", "");
  dir.write("bond_trade_infos.jsonl", "");
  dir.write("interbank_bonds.jsonl", "\n\n");
  const DataSet set = loadDataSet(dir.path(), kToday);
  EXPECT_TRUE(set.errors.empty()) << joined(set.errors);
  EXPECT_EQ(set.exchanges.size(), 1u);
  EXPECT_EQ(set.instruments.size(), 1u);
  EXPECT_TRUE(set.bondTradeInfos.empty());
  EXPECT_TRUE(set.interBankBonds.empty());
}

TEST(DataSetLoader, relativeDates) {
  struct Case {
    const char* text;
    bool ok;
    const char* out;
  } cases[] = {
      {"", true, ""},
      {"@", true, "20250115"},
      {"@+0", true, "20250115"},
      {"@+17", true, "20250201"},
      {"@-15", true, "20241231"},
      {"@+365", true, "20260115"},
      {"20240229", true, "20240229"},
      {"20230229", false, ""},
      {"2025011", false, ""},
      {"@17", false, ""},
      {"@+", false, ""},
      {"@+1234567", false, ""},
      {"@-1x", false, ""},
      {"+1", false, ""},
      {"today", false, ""},
  };
  for (const Case& c : cases) {
    std::string out = "unchanged";
    std::string problem;
    EXPECT_EQ(resolveDataSetDate(c.text, kToday, out, problem), c.ok) << c.text;
    if (c.ok)
      EXPECT_EQ(out, c.out) << c.text;
    else
      EXPECT_NE(problem.find(c.text), std::string::npos) << problem;
  }
  // Without a given day, "@" is today.
  DataSetDir dir;
  dir.writeGoodSet();
  const DataSet set = loadDataSet(dir.path());
  EXPECT_EQ(set.tenderBonds.at("TB.2400123")->tenderDate,
            QDate::currentDate().toString(QStringLiteral("yyyyMMdd")).toStdString());
}

TEST(DataSetLoader, knownTradingTypesAreTheSingleBitsOfTheEnum) {
  int known = 0;
  for (int bit = 0; bit < 31; ++bit) {
    if (isKnownTradeType(1 << bit)) ++known;
  }
  EXPECT_EQ(known, 25);
  for (int t : {1, 2, 512, 32768, 0x100000, 0x2000000, 0x8000000})
    EXPECT_TRUE(isKnownTradeType(t)) << t;
  for (int t : {0, 3, 0xC5DFF, 0x4000000, 0x200000, -1, 0x40000000})
    EXPECT_FALSE(isKnownTradeType(t)) << t;
}

// Every example record of docs/data-format.md loads without a problem: the
// document and the code agree on every field name and type.
TEST(DataSetLoader, theFormatDocumentExamplesLoad) {
  const char* source = std::getenv("LW_SOURCE_DIR");
  if (source == nullptr) GTEST_SKIP() << "LW_SOURCE_DIR not set";
  std::ifstream in(std::string(source) + "/docs/data-format.md");
  ASSERT_TRUE(in) << "docs/data-format.md not found";
  std::map<std::string, std::string> files;
  std::string section;
  std::string line;
  int examples = 0;
  while (std::getline(in, line)) {
    if (line.rfind("### ", 0) == 0 || line.rfind("## ", 0) == 0) {
      const std::size_t colon = line.find(':');
      const std::size_t start = line.find(' ') + 1;
      section = line.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
      continue;
    }
    if (line.rfind("    {", 0) == 0 && !section.empty() && section.find('.') != std::string::npos) {
      files[section] += line.substr(4) + "\n";
      ++examples;
    }
  }
  EXPECT_GE(examples, 10);
  for (const char* name : {"exchanges.jsonl", "instruments.jsonl", "fundplans.jsonl",
                           "interbank_bonds.jsonl", "tender_bonds.jsonl", "order_commands.jsonl",
                           "bond_trade_infos.jsonl", "config.json", "enums.json"}) {
    EXPECT_TRUE(files.count(name)) << "no example for " << name;
  }
  DataSetDir dir;
  for (const auto& f : files) dir.write(f.first, f.second);
  // The other examples use markets besides the example exchange.
  dir.write("exchanges.jsonl",
            files["exchanges.jsonl"] + "{\"marketId\": \"SHFE\"}\n{\"marketId\": \"OTC\"}\n");
  const DataSet set = loadDataSet(dir.path(), kToday);
  EXPECT_TRUE(set.errors.empty()) << joined(set.errors);
  EXPECT_EQ(set.instruments.size(), 3u);
  EXPECT_EQ(set.tenderBonds.size(), 1u);
  EXPECT_EQ(set.orderCommands.size(), 1u);
}
