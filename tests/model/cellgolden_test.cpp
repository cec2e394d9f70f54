// A regression record of every cell the table can show: every trading type
// (with and without a column set) in both editions, every column id of its
// catalogue and one past each end, for the sample data set and for records
// built with the awkward values a feed can send (NaN, infinities, the
// no-value markers, huge, zero and negative numbers, unknown markets and enum
// values, every status).
//
// tests/model/golden/cells.txt holds one line per trading type and edition
// describing its catalogue, and one digest line per (trading type, edition,
// group of rows) over the display text, the text, integer, number and 64-bit
// value, the colour and the icon of every cell. A change to any of them
// shows as a changed line naming the list, the edition and the rows.
//
// After an intended change of the cells, LW_WRITE_GOLDEN=1 rewrites the file
// instead of comparing; review the diff before committing it. To find the
// cell behind a changed digest, LW_DUMP_CELLS=<file> writes every cell as
// text; compare the dumps of the two versions.

#include "host/data/datasetloader.h"
#include "host/services/config.h"
#include "host/services/hostservices.h"
#include "model/columncatalogue.h"
#include "model/instrumentdata.h"

#include "modelfixture.h"

#include <QColor>
#include <QFile>
#include <QStringList>
#include <boost/make_shared.hpp>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <string>
#include <vector>

using LW::CInstrumentData;
using mxservice::ENqTraderType;

namespace {

ENqTraderType tt(long long v) { return static_cast<ENqTraderType>(v); }

const long long kTypes[] = {0,        0x1,       0x2,       0x4,       0x8,     0x10,    0x20,
                            0x40,     0x80,      0x100,     0x200,     0x400,   0x800,   0x1000,
                            0x2000,   0x4000,    0x8000,    0x10000,   0x20000, 0x40000, 0x100000,
                            0x800000, 0x1000000, 0x2000000, 0x8000000, 0xC5DFF, 1536,    -1};

const double kNan = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Numbers a broken or unusual feed sends.
const double kNumbers[] = {kNan,
                           kInf,
                           -kInf,
                           mxservice::kNoValueDouble,
                           -mxservice::kNoValueDouble,
                           0.0,
                           -0.0,
                           -1.0,
                           1e300,
                           1e18,
                           9.99e17,
                           123.456789,
                           0.0001,
                           1e-9,
                           2.5,
                           68010.0};
const int kIntegers[] = {
    mxservice::kNoValueInt, 0, -1, std::numeric_limits<int>::min(), -25, 100, 2000000000, 7};

std::string number(double v) {
  if (std::isnan(v)) return "nan";
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", v);
  return buffer;
}

std::uint64_t fnv1a(const std::string& bytes, std::uint64_t hash) {
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string hex(std::uint64_t v) {
  char buffer[20];
  std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(v));
  return buffer;
}

// Everything a table reads from one cell, as one line.
std::string cellLine(CInstrumentData& row, int column) {
  std::string line = std::to_string(column);
  line += '|' + row.getDisplayQString(column).toStdString();
  line += '|' + row.getQString(column).toStdString();
  line += '|' + std::to_string(row.getInt(column));
  line += '|' + number(row.getDouble(column));
  line += '|' + std::to_string(row.getInt64(column));
  const QColor* colour = row.getTextColor(column);
  line += '|' + (colour ? colour->name(QColor::HexArgb).toStdString() : std::string("null"));
  line += '|' + std::string(row.getIcon(column) ? "icon" : "-");
  line += '|' + row.getIconTip(column).toStdString();
  return line;
}

using RowMaker = std::function<std::vector<boost::shared_ptr<CInstrumentData>>(ENqTraderType)>;

struct Group {
  std::string name;
  RowMaker rows;
};

template <class Ptr>
RowMaker rowsOf(std::vector<Ptr> records) {
  return [records](ENqTraderType type) {
    std::vector<boost::shared_ptr<CInstrumentData>> rows;
    for (const Ptr& record : records)
      rows.push_back(boost::make_shared<CInstrumentData>(type, record));
    return rows;
  };
}

mxservice::CInstrumentDetailPtr edgeInstrument(const std::string& market,
                                               const std::string& product, std::size_t i) {
  auto ins =
      testsupport::instrument(1, market, i % 2 ? "204001" : "600000", "名称" + std::to_string(i));
  ins->productCode = product;
  ins->productName = "品种";
  ins->exchangeCode = "EX";
  ins->exchangeName = "交易所";
  ins->underlyingCode = "510050";
  ins->expireDate = "20240115";
  ins->deliveryDate = "20241227";
  ins->currency = i % 3 ? "USD" : "CNY";
  const double v = kNumbers[i % (sizeof kNumbers / sizeof *kNumbers)];
  const double w = kNumbers[(i + 5) % (sizeof kNumbers / sizeof *kNumbers)];
  for (double* field :
       {&ins->preClose, &ins->upperLimit, &ins->lowerLimit, &ins->longMarginRate,
        &ins->shortMarginRate, &ins->floatCapital, &ins->totalCapital, &ins->accruedInterest,
        &ins->faceValue, &ins->marginUnit, &ins->strikePrice}) {
    *field = v;
  }
  ins->priceTick = i % 4 == 0 ? 0.01 : v;
  ins->preSettlement = w;
  ins->contractUnit = i % 2 ? 100 : w;
  const std::size_t n = sizeof kIntegers / sizeof *kIntegers;
  ins->volumeMultiple = kIntegers[i % n];
  ins->maxMarketBuyVolume = kIntegers[(i + 1) % n];
  ins->maxLimitBuyVolume = kIntegers[(i + 2) % n];
  ins->maxMarketSellVolume = kIntegers[(i + 3) % n];
  ins->maxLimitSellVolume = kIntegers[(i + 4) % n];
  ins->maxLimitOrderVolume = kIntegers[(i + 5) % n];
  ins->neeqLayer = static_cast<int>(i % 4);
  ins->stockKind = kIntegers[(i + 6) % n];
  const long long flags[] = {
      0, -1, mxservice::INSTRUMENT_ATTR_VOTING_DIFF,
      mxservice::INSTRUMENT_ATTR_PROFITABLE | mxservice::INSTRUMENT_ATTR_CLEAN_PRICE};
  ins->attributeFlags = flags[i % 4];
  ins->hasCommission = i % 5 != 0;
  ins->commission.mode = static_cast<int>(i % 4);
  ins->commission.open = i % 3 ? 0.5 : v;
  ins->commission.close = -1.0;
  ins->commission.intradayOpen = w;
  ins->commission.intradayClose = 0;
  return ins;
}

std::vector<mxservice::CInstrumentDetailPtr> edgeInstruments(const std::string& market,
                                                             const std::string& product) {
  std::vector<mxservice::CInstrumentDetailPtr> records;
  for (std::size_t i = 0; i < sizeof kNumbers / sizeof *kNumbers; ++i) {
    records.push_back(edgeInstrument(market, product, i));
  }
  return records;
}

std::vector<mxservice::COTCFundPlanInfoPtr> edgeFunds() {
  std::vector<mxservice::COTCFundPlanInfoPtr> records;
  const int baseTypes[] = {1, 2, mxservice::kNoValueInt};
  for (std::size_t i = 0; i < sizeof kNumbers / sizeof *kNumbers; ++i) {
    auto f =
        testsupport::fund("F" + std::to_string(i), "基金" + std::to_string(i), baseTypes[i % 3]);
    const double v = kNumbers[i];
    f->fundType = static_cast<int>(i % 3);
    f->prStatus = static_cast<int>(i % 2);
    f->prevUnitNetValue = v;
    f->maxSubscriptionAmount = v;
    f->minSubscriptionAmount = kNumbers[(i + 3) % 16];
    f->redemptionSettleDays = kIntegers[i % 8];
    f->minRedemptionUnits = kNumbers[(i + 7) % 16];
    f->latestNetValue = kNumbers[(i + 11) % 16];
    if (i % 3 == 1) f->bonusTypes = {1, 2};
    if (i % 3 == 2) f->bonusTypes = {7, 1};
    f->supportConversion = i % 2;
    f->transferAgent = "TA";
    f->fundManager = "管理人";
    records.push_back(f);
  }
  return records;
}

std::vector<mxservice::CInterBankBondPtr> edgeBonds() {
  std::vector<mxservice::CInterBankBondPtr> records;
  const char* markets[] = {"NIB", "BANK", "FIB", "", "\xff\xfe"};
  for (std::size_t i = 0; i < sizeof kNumbers / sizeof *kNumbers; ++i) {
    auto b = testsupport::interBankBond(markets[i % 5], "22000" + std::to_string(i), "国债");
    const double v = kNumbers[i];
    b->shCode = "019666";
    b->shName = "沪";
    b->szCode = "101";
    b->szName = "深";
    b->issueDate = "20220101";
    b->termYears = i % 4 == 0 ? 0.246575342 : v;
    b->issuePrice = v;
    b->denomination = kNumbers[(i + 1) % 16];
    b->currentDenomination = kNumbers[(i + 2) % 16];
    b->couponRate = kNumbers[(i + 3) % 16];
    b->prevCleanClose = kNumbers[(i + 4) % 16];
    b->couponPaymentType = kIntegers[i % 8] == 100 ? 1 : kIntegers[i % 8];
    b->interestRateType = static_cast<int>(i % 3);
    b->paymentsPerYear = kIntegers[(i + 1) % 8];
    b->interestDays = kIntegers[(i + 2) % 8];
    records.push_back(b);
  }
  return records;
}

std::vector<mxservice::CTenderBondInfoDetailPtr> edgeTenders() {
  std::vector<mxservice::CTenderBondInfoDetailPtr> records;
  const int statuses[] = {0, 2, 5, 201, 204, 3, -2, mxservice::kNoValueInt};
  for (std::size_t i = 0; i < sizeof kNumbers / sizeof *kNumbers; ++i) {
    auto t = testsupport::bareTenderBond("24000" + std::to_string(i));
    const double v = kNumbers[i];
    const int n = kIntegers[i % 8];
    t->shortName = "简称";
    t->fullName = "全称";
    t->actionText = "锁定";
    t->bondType = static_cast<int>(i % 3);
    t->bondTypeDetail = n;
    t->tenderMarket = static_cast<int>(i % 2);
    t->preMarket = n;
    t->crossMarket = i % 2;
    t->issueType = static_cast<int>(i % 3);
    t->issuerAttribute = n;
    t->issuerType = static_cast<int>(i % 4);
    t->issuePrice = v;
    t->referenceRate = kNumbers[(i + 1) % 16];
    t->minSubscriptionAmount = kNumbers[(i + 2) % 16];
    t->plannedIssueSize = n;
    t->actualRaisedAmount = kNumbers[(i + 3) % 16];
    t->expectedYield = kNumbers[(i + 4) % 16];
    t->raiseType = n;
    t->termDays = kIntegers[(i + 1) % 8];
    t->termYears = kNumbers[(i + 5) % 16];
    t->faceValue = kNumbers[(i + 6) % 16];
    t->tenderingType = static_cast<int>(i % 3);
    t->tenderTarget = static_cast<int>(i % 3);
    t->bidRangeLow = kNumbers[(i + 7) % 16];
    t->bidRangeHigh = kNumbers[(i + 8) % 16];
    t->bidStep = kNumbers[(i + 9) % 16];
    t->basicBidUnit = kIntegers[(i + 2) % 8];
    t->minBidVolume = kIntegers[(i + 3) % 8];
    t->maxBidVolume = kIntegers[(i + 4) % 8];
    t->lgfvFlag = i % 2 ? 2 : kIntegers[i % 8];
    t->guarantor = "担保";
    t->maturityDate = "20340101";
    t->setStatus(statuses[i % 8]);
    t->setTrader(i % 2 ? "张三" : "");
    t->setInternalAmount(v);
    t->setExternalAmount(kNumbers[(i + 10) % 16]);
    t->setWinBidAmount(kNumbers[(i + 12) % 16]);
    records.push_back(t);
  }
  return records;
}

std::string catalogueLine(long long type, bool broker) {
  const LW::CColumnCatalogue cat = LW::CColumnCatalogue::build(tt(type), broker);
  std::string line = "catalogue " + hex(static_cast<std::uint64_t>(type)) + " " +
                     (broker ? "broker" : "standard") + " fav " +
                     std::to_string(cat.favoriteColumn) + " icon " +
                     std::to_string(LW::tagIconColumn(tt(type)));
  for (int id : cat.iconColumns) line += " set-icon " + std::to_string(id);
  for (int id = -1; id <= cat.columnCount(); ++id) {
    line += " | " + cat.columnTitles.value(id).toStdString() + ":" +
            std::to_string(LW::columnValueKind(tt(type), id)) +
            (cat.numericColumns.contains(id) ? "n" : "");
  }
  return line;
}

class CellGoldenTest : public modeltest::HostFixture {
protected:
  // Installs the sample data set (trading date 2024-01-04, a Thursday: a
  // one-day repo occupies 3 days) and returns the groups of rows to walk.
  std::vector<Group> installSampleAndGroups() {
    const QByteArray sourceDir = qgetenv("LW_SOURCE_DIR");
    EXPECT_FALSE(sourceDir.isEmpty()) << "LW_SOURCE_DIR is not set";
    mxservice::DataSet sample =
        mxservice::loadDataSet((sourceDir + "/data/sample").toStdString(), QDate(2024, 1, 4));
    EXPECT_GT(sample.instruments.size(), 300u);
    std::vector<mxservice::CInterBankBondPtr> sampleBonds;
    for (const auto& entry : sample.interBankBonds) sampleBonds.push_back(entry.second);
    std::vector<mxservice::CTenderBondInfoDetailPtr> sampleTenders;
    for (const auto& entry : sample.tenderBonds) sampleTenders.push_back(entry.second);
    const std::vector<mxservice::CInstrumentDetailPtr> sampleInstruments = sample.instruments;
    sample.config.tradingDate = "20240104";
    install(sample);

    std::vector<Group> groups = {
        {"sample instruments and fund plans", rowsOf(sampleInstruments)},
        {"sample inter-bank bonds", rowsOf(sampleBonds)},
        {"sample tender bonds", rowsOf(sampleTenders)},
        {"edge fund plans", rowsOf(edgeFunds())},
        {"edge inter-bank bonds", rowsOf(edgeBonds())},
        {"edge tender bonds", rowsOf(edgeTenders())},
        {"null records", [](ENqTraderType type) {
           return std::vector<boost::shared_ptr<CInstrumentData>>{
               boost::make_shared<CInstrumentData>(type, mxservice::CInstrumentDetailPtr()),
               boost::make_shared<CInstrumentData>(type, mxservice::CInterBankBondPtr()),
               boost::make_shared<CInstrumentData>(type, mxservice::COTCFundPlanInfoPtr()),
               boost::make_shared<CInstrumentData>(type, mxservice::CTenderBondInfoDetailPtr())};
         }}};
    const char* markets[][2] = {{"SH", "REPO"},
                                {"SZ", ""},
                                {"SHFE", "cu"},
                                {"DCE", "m_O"},
                                {"CME", "GC"},
                                {"SGE", ""},
                                {"NQ", ""},
                                {"HGT", ""},
                                {"SGT", ""},
                                {"FIB", ""},
                                {"SHO", "510050"},
                                {"XYZ", ""},
                                {"\xff\xfe", "\xe2\x82"}};
    for (const auto& m : markets) {
      const std::string market = m[0][0] == '\xff' ? std::string("invalid UTF-8") : m[0];
      groups.push_back({"edge instruments of " + market, rowsOf(edgeInstruments(m[0], m[1]))});
    }
    return groups;
  }
};

// A column whose source reads another kind of record than its list's rows
// hold, or whose format drops the value, would be empty for every row.
TEST_F(CellGoldenTest, everyColumnOfEveryListShowsSomethingForSomeRecord) {
  const std::vector<Group> groups = installSampleAndGroups();
  for (long long type : kTypes) {
    for (bool broker : {false, true}) {
      const LW::CColumnCatalogue cat = LW::CColumnCatalogue::build(tt(type), broker);
      if (cat.columnCount() == 0) continue;
      LW::getConfig()->setBrokerEdition(broker);
      std::vector<bool> shown(static_cast<std::size_t>(cat.columnCount()), false);
      for (const Group& group : groups) {
        for (const auto& row : group.rows(tt(type))) {
          for (int column = 0; column < cat.columnCount(); ++column) {
            if (!row->displayText(column).isEmpty()) shown[column] = true;
          }
        }
      }
      for (int column = 0; column < cat.columnCount(); ++column) {
        EXPECT_EQ(shown[column], column != cat.favoriteColumn)
            << std::hex << type << std::dec << (broker ? " broker" : "") << " column " << column
            << " " << cat.columnTitles.value(column).toStdString();
      }
    }
  }
  LW::getConfig()->setBrokerEdition(false);
}

TEST_F(CellGoldenTest, everyCellOfEveryListMatchesTheRecord) {
  const std::vector<Group> groups = installSampleAndGroups();
  const QByteArray sourceDir = qgetenv("LW_SOURCE_DIR");
  QFile dump(qEnvironmentVariable("LW_DUMP_CELLS"));
  if (!dump.fileName().isEmpty()) {
    ASSERT_TRUE(dump.open(QIODevice::WriteOnly | QIODevice::Truncate)) << "cannot write the dump";
  }
  QStringList lines;
  for (long long type : kTypes) {
    for (bool broker : {false, true}) {
      lines << QString::fromStdString(catalogueLine(type, broker));
      const int count = LW::CColumnCatalogue::build(tt(type), broker).columnCount();
      LW::getConfig()->setBrokerEdition(broker);
      for (const Group& group : groups) {
        std::uint64_t hash = 14695981039346656037ull;
        for (const auto& row : group.rows(tt(type))) {
          for (int column = -1; column <= count; ++column) {
            const std::string cell = cellLine(*row, column) + "\n";
            hash = fnv1a(cell, hash);
            if (dump.isOpen()) {
              dump.write((hex(static_cast<std::uint64_t>(type)) + (broker ? " b " : " s ") +
                          group.name + " " + row->key() + " " + cell)
                             .c_str());
            }
          }
        }
        lines << QString::fromStdString("cells " + hex(static_cast<std::uint64_t>(type)) + " " +
                                        (broker ? "broker" : "standard") + " " + group.name + " " +
                                        hex(hash));
      }
    }
  }
  LW::getConfig()->setBrokerEdition(false);

  const QString path = QString::fromUtf8(sourceDir) + "/tests/model/golden/cells.txt";
  if (!qEnvironmentVariableIsEmpty("LW_WRITE_GOLDEN")) {
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    out.write((lines.join('\n') + '\n').toUtf8());
    GTEST_SKIP() << "wrote " << path.toStdString();
  }
  QFile in(path);
  ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << path.toStdString();
  const QStringList expected = QString::fromUtf8(in.readAll()).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), expected.size());
  int differences = 0;
  for (int i = 0; i < lines.size(); ++i) {
    if (lines[i] == expected[i]) continue;
    ADD_FAILURE() << "now:    " << lines[i].toStdString()
                  << "\nbefore: " << expected[i].toStdString();
    if (++differences == 20) break;
  }
}

}  // namespace
