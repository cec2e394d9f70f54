// The instrument model: loads on its worker that end with exactly one
// sigRefreshed, the candidate lists per trading type, the filter through the
// model, the sort comparison, row colours, the meta-object casts and the
// model's lifetime with queued jobs.

#include "model/instrumentmodel.h"

#include "host/services/config.h"
#include "host/services/hostservices.h"
#include "host/services/usermanager.h"
#include "host/ui/uiresource.h"
#include "model/instrumentdata.h"
#include "modelfixture.h"

#include <QSignalSpy>
#include <QTest>
#include <atomic>
#include <boost/make_shared.hpp>
#include <limits>

using LW::CHpfInsModel;
using LW::CInstrumentData;
using mxservice::CInstrumentDetailPtr;
using mxservice::ENqTraderType;
using testsupport::instrument;
using testsupport::u8;

namespace {

ENqTraderType tt(long long v) { return static_cast<ENqTraderType>(v); }

class InstrumentModelTest : public modeltest::HostFixture {
protected:
  boost::shared_ptr<CHpfInsModel> makeModel(long long tradeType) {
    return boost::make_shared<CHpfInsModel>(tt(tradeType));
  }

  // Runs one refresh and waits for its signal; the rows' keys in model order.
  std::vector<std::string> load(const boost::shared_ptr<CHpfInsModel>& model,
                                const QString& filter) {
    modeltest::CSignalRelay relay;
    QObject::connect(model.get(), SIGNAL(sigRefreshed()), &relay, SLOT(slotRelay()));
    QSignalSpy spy(&relay, SIGNAL(sigRelayed()));
    model->refresh(filter);
    EXPECT_TRUE(spy.wait(10000));
    EXPECT_TRUE(model->waitForIdle());
    QTest::qWait(5);  // a second signal would arrive now
    EXPECT_EQ(spy.count(), 1);
    std::vector<std::string> keys;
    for (const GU::HpfRowPtr& row : model->getAllDatas()) keys.push_back(row->key());
    return keys;
  }

  static void add(mxservice::DataSet& set, const CInstrumentDetailPtr& ins) {
    set.instruments.push_back(ins);
  }
};

using Keys = std::vector<std::string>;

TEST_F(InstrumentModelTest, loadAddsMatchingRowsInHostOrderAndSignalsOnce) {
  mxservice::DataSet set;
  add(set, instrument(1, "SZ", "000001", "平安银行"));
  add(set, instrument(1, "SH", "600000", "浦发银行"));
  add(set, instrument(1, "SH", "600036", "招商银行"));
  add(set, instrument(2, "SHFE", "cu2401", "沪铜2401"));
  install(set);
  auto model = makeModel(1);
  EXPECT_EQ(load(model, ""), (Keys{"000001.SZ", "600000.SH", "600036.SH"}));
  EXPECT_EQ(load(model, "600"), (Keys{"600000.SH", "600036.SH"}));
  EXPECT_EQ(load(model, "PAYH"), (Keys{"000001.SZ"}));
  EXPECT_EQ(load(model, u8("银行")), (Keys{"000001.SZ", "600000.SH", "600036.SH"}));
  EXPECT_EQ(load(model, "sh"), (Keys{}));  // lower case: no pinyin "SH" in these names
  EXPECT_EQ(load(model, "SH"), (Keys{"600000.SH", "600036.SH"}));
  EXPECT_EQ(load(model, "ZZZ"), (Keys{}));

  EXPECT_EQ(model->rowCount(), 0);
  load(model, "600036");
  auto row = boost::dynamic_pointer_cast<CInstrumentData>(model->getAllDatas().at(0));
  ASSERT_TRUE(row);
  EXPECT_EQ(row->tradeType(), tt(1));
  EXPECT_EQ(row->getDisplayQString(2), u8("招商银行"));
}

TEST_F(InstrumentModelTest, bondTenderLoadHasNoRowsAndStillSignalsOnce) {
  mxservice::DataSet set;
  add(set, instrument(0x8000000, "NIB", "240001", "24国债01"));
  set.tenderBonds["TB.240001"] = testsupport::bareTenderBond("240001");
  install(set);
  auto model = makeModel(0x8000000);
  EXPECT_EQ(model->columnCount(), 54);
  EXPECT_EQ(load(model, ""), Keys{});
  EXPECT_EQ(load(model, "240001"), Keys{});
}

TEST_F(InstrumentModelTest, typeWithoutListSignalsOnceWithNoRows) {
  install(mxservice::DataSet());
  auto model = makeModel(8192);
  EXPECT_EQ(model->columnCount(), 0);
  EXPECT_EQ(load(model, ""), Keys{});
}

TEST_F(InstrumentModelTest, mergedFuturesListBothTypesOnFuturesMarketsOnly) {
  mxservice::DataSet set;
  add(set, instrument(1024, "DCE", "m2405", "豆粕2405"));
  add(set, instrument(2, "SHFE", "cu2401", "沪铜2401"));
  add(set, instrument(1024, "SGE", "Au(T+D)", "黄金延期"));
  add(set, instrument(2, "CFFEX", "IF2401", "沪深2401"));
  set.config.mergeFuture = true;
  install(set);
  auto model = makeModel(2);
  // Type 2 first, then type 1024, each in data-set order.
  EXPECT_EQ(load(model, ""), (Keys{"cu2401.SHFE", "IF2401.CFFEX", "m2405.DCE"}));
  EXPECT_EQ(load(model, "2405"), (Keys{"m2405.DCE"}));

  mxservice::CHostServices::reset();
  set.config.mergeFuture = false;
  install(set);
  EXPECT_EQ(load(model, ""), (Keys{"cu2401.SHFE", "IF2401.CFFEX"}));
}

TEST_F(InstrumentModelTest, hongKongStocksInTheStockList) {
  mxservice::DataSet set;
  add(set, instrument(16384, "SGT", "00700", "腾讯控股"));
  add(set, instrument(1, "SH", "600000", "浦发银行"));
  add(set, instrument(16384, "HKEX", "00005", "汇丰控股"));
  set.config.hkTradeInStock = true;
  install(set);
  auto model = makeModel(1);
  EXPECT_EQ(load(model, ""), (Keys{"600000.SH", "00700.SGT"}));
}

TEST_F(InstrumentModelTest, goldListComesFromTheSelector) {
  mxservice::DataSet set;
  add(set, instrument(4, "SGE", "Au99.99", "黄金9999"));
  add(set, instrument(4, "SHFE", "au2406", "沪金"));  // type 4 but not the gold exchange
  add(set, instrument(4, "SGE", "Ag(T+D)", "白银延期"));
  install(set);
  auto model = makeModel(4);
  EXPECT_EQ(load(model, ""), (Keys{"Au99.99.SGE", "Ag(T+D).SGE"}));
  EXPECT_EQ(load(model, "HJ"), (Keys{"Au99.99.SGE"}));
}

TEST_F(InstrumentModelTest, fixedIncomeListKeepsBondsAndAgreedRepos) {
  mxservice::DataSet set;
  auto bond = instrument(0x100000, "SH", "019666", "22国债");
  bond->productCode = "BOND";
  auto repo = instrument(0x100000, "SH", "206001", "协议回购");
  repo->productCode = "AGREE_REPO";
  auto other = instrument(0x100000, "SH", "100001", "其他");
  other->productCode = "OTHER";
  add(set, other);
  add(set, repo);
  add(set, bond);
  install(set);
  auto model = makeModel(0x100000);
  EXPECT_EQ(load(model, ""), (Keys{"206001.SH", "019666.SH"}));
}

TEST_F(InstrumentModelTest, fundListShowsFundPlansWithTheirColumns) {
  mxservice::DataSet set;
  add(set, instrument(512, "OTC", "X1", "不是计划"));
  add(set, testsupport::fund("000001", "华夏成长", 1));
  add(set, testsupport::fund("000002", "理财一号", 2));
  install(set);
  auto model = makeModel(512);
  EXPECT_EQ(load(model, ""), (Keys{"000001.OTC", "000002.OTC"}));
  auto row = boost::dynamic_pointer_cast<CInstrumentData>(model->getAllDatas().at(1));
  ASSERT_TRUE(row);
  EXPECT_TRUE(row->otcFund());
  EXPECT_FALSE(row->instrument());
  EXPECT_EQ(row->getDisplayQString(4), "-");
  EXPECT_EQ(load(model, "LCYH"), (Keys{"000002.OTC"}));
}

TEST_F(InstrumentModelTest, interBankListFromTheStore) {
  mxservice::DataSet set;
  auto a = testsupport::interBankBond("NIB", "220001", "22附息国债01");
  auto b = testsupport::interBankBond("BANK", "210002", "21国开02");
  b->shortPinyin = "21gk02";
  set.interBankBonds[a->getKey()] = a;
  set.interBankBonds[b->getKey()] = b;
  add(set, instrument(32768, "NIB", "999999", "不在银行间库"));
  install(set);
  auto model = makeModel(32768);
  const Keys all = load(model, "");
  EXPECT_EQ(all.size(), 2u);
  EXPECT_EQ(load(model, "GK"), (Keys{b->getKey()}));
  EXPECT_EQ(load(model, "NIB"), (Keys{a->getKey()}));
  EXPECT_EQ(load(model, u8("国债")), (Keys{a->getKey()}));
  auto fx = makeModel(0x2000000);
  EXPECT_EQ(load(fx, "").size(), 2u);
  auto row = boost::dynamic_pointer_cast<CInstrumentData>(fx->getDataByKey(b->getKey()));
  ASSERT_TRUE(row);
  EXPECT_EQ(row->getDisplayQString(0), "INTERBANK");
}

TEST_F(InstrumentModelTest, brokerEditionForeignFuturesFollowTheUserType) {
  mxservice::DataSet set;
  auto gold = instrument(64, "CME", "GCZ4", "黄金");
  gold->productCode = "GC";
  auto note = instrument(64, "CME", "ZNZ4", "十年美债");
  note->productCode = "ZN";
  add(set, gold);
  add(set, note);
  set.config.brokerEdition = true;
  set.config.brokerEditionUserType = 1;
  install(set);
  auto model = makeModel(64);
  EXPECT_EQ(model->columnCount(), 14);
  EXPECT_EQ(model->favoriteColumn(), 13);
  EXPECT_EQ(load(model, ""), (Keys{"GCZ4.CME"}));
  LW::getUserConfig()->setBrokerEditionUserType(2);
  EXPECT_EQ(load(model, ""), (Keys{"ZNZ4.CME"}));
  LW::getConfig()->setBrokerEdition(false);
  EXPECT_EQ(load(model, ""), (Keys{"GCZ4.CME", "ZNZ4.CME"}));
  // The catalogue was fixed at construction.
  EXPECT_EQ(model->columnCount(), 14);
  EXPECT_EQ(makeModel(64)->columnCount(), 15);
}

// The rows answer the columns of their model's catalogue, which is fixed when
// the model is made, whatever the configuration says by the time they load.
TEST_F(InstrumentModelTest, foreignFuturesRowsAnswerTheEditionOfTheirModelsColumns) {
  mxservice::DataSet set;
  auto gold = instrument(64, "CME", "GCZ4", "黄金");
  gold->productCode = "GC";
  gold->currency = "USD";
  gold->contractUnit = 100;
  add(set, gold);
  set.config.brokerEdition = true;
  set.config.brokerEditionUserType = 3;
  install(set);
  auto broker = makeModel(64);
  LW::getConfig()->setBrokerEdition(false);
  auto standard = makeModel(64);
  LW::getConfig()->setBrokerEdition(true);  // both list the contract

  struct Case {
    const char* name;
    boost::shared_ptr<CHpfInsModel> model;
    const char* column13;
  };
  const Case cases[] = {{"broker", broker, "添加自选"}, {"standard", standard, "计价单位"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.model->columnTitle(13), u8(c.column13));
    ASSERT_EQ(load(c.model, ""), (Keys{"GCZ4.CME"}));
    auto row = boost::dynamic_pointer_cast<CInstrumentData>(c.model->getDataByKey(gold->getKey()));
    ASSERT_TRUE(row);
    const bool favourites13 = c.model->favoriteColumn() == 13;
    EXPECT_EQ(row->getDisplayQString(13), favourites13 ? QString() : u8("美元/100"));
    EXPECT_TRUE(row->getDisplayQString(c.model->favoriteColumn()).isEmpty());
    EXPECT_EQ(row->getDisplayQString(12), "USD");
  }
}

TEST_F(InstrumentModelTest, newHostListIsPickedUpByTheNextLoad) {
  mxservice::DataSet set;
  add(set, instrument(1, "SH", "600000", "浦发银行"));
  install(set);
  auto model = makeModel(1);
  EXPECT_EQ(load(model, "600"), (Keys{"600000.SH"}));
  add(set, instrument(1, "SH", "600001", "邯郸钢铁"));
  set.instruments[0] = instrument(1, "SH", "600000", "改名银行");
  mxservice::CHostServices::install([&] {
    mxservice::DataSet copy = set;
    testsupport::addDefaultExchanges(copy);
    return copy;
  }());
  EXPECT_EQ(load(model, "600"), (Keys{"600000.SH", "600001.SH"}));
  EXPECT_EQ(load(model, "GMYH"), (Keys{"600000.SH"}));
  EXPECT_EQ(load(model, "PFYH"), Keys{});
}

// Rows are immutable, so a reload hands the host the row it already built
// for a record, also after a filter hid it for a while; a replaced record or
// another trading type gets a new row.
TEST_F(InstrumentModelTest, reloadReusesShownRowsOnlyWhileTheyStayValid) {
  mxservice::DataSet set;
  add(set, instrument(1, "SH", "600000", "浦发银行"));
  add(set, instrument(1, "SZ", "000001", "平安银行"));
  install(set);
  auto model = makeModel(0xC5DFF);
  load(model, "");
  const GU::HpfRowPtr sh = model->getDataByKey(std::string("600000.SH"));
  const GU::HpfRowPtr sz = model->getDataByKey(std::string("000001.SZ"));
  ASSERT_TRUE(sh && sz);
  load(model, "600");
  EXPECT_EQ(model->getDataByKey(std::string("600000.SH")), sh);
  EXPECT_FALSE(model->getDataByKey(std::string("000001.SZ")));
  load(model, "");
  EXPECT_EQ(model->getDataByKey(std::string("600000.SH")), sh);
  const GU::HpfRowPtr szAgain = model->getDataByKey(std::string("000001.SZ"));
  ASSERT_TRUE(szAgain);
  EXPECT_EQ(szAgain, sz);  // hidden by the "600" load, kept for the next
  EXPECT_EQ(szAgain->getDisplayQString(1), u8("平安银行"));

  model->setTradeType(tt(1));
  load(model, "");
  auto row =
      boost::dynamic_pointer_cast<CInstrumentData>(model->getDataByKey(std::string("600000.SH")));
  ASSERT_TRUE(row);
  EXPECT_NE(GU::HpfRowPtr(row), sh);
  EXPECT_EQ(row->tradeType(), tt(1));

  set.instruments[0] = instrument(1, "SH", "600000", "新名称");
  mxservice::CHostServices::install([&] {
    mxservice::DataSet copy = set;
    testsupport::addDefaultExchanges(copy);
    return copy;
  }());
  load(model, "");
  row = boost::dynamic_pointer_cast<CInstrumentData>(model->getDataByKey(std::string("600000.SH")));
  ASSERT_TRUE(row);
  EXPECT_EQ(row->getDisplayQString(2), u8("新名称"));
  EXPECT_EQ(row->instrument(), set.instruments[0]);
}

// Several reloads queued back to back: one signal each, the last filter wins.
TEST_F(InstrumentModelTest, queuedReloadsRunInOrderWithOneSignalEach) {
  mxservice::DataSet set;
  for (int i = 0; i < 2000; ++i) {
    add(set, instrument(1, "SH", std::to_string(600000 + i), "股票" + std::to_string(i)));
  }
  install(set);
  auto model = makeModel(1);
  modeltest::CSignalRelay relay;
  QObject::connect(model.get(), SIGNAL(sigRefreshed()), &relay, SLOT(slotRelay()));
  QSignalSpy spy(&relay, SIGNAL(sigRelayed()));
  const char* filters[] = {"", "6000", "60001", "600019", "6"};
  for (const char* f : filters) model->refresh(f);
  ASSERT_TRUE(model->waitForIdle());
  for (int i = 0; i < 50 && spy.count() < 5; ++i) spy.wait(100);
  QTest::qWait(5);
  EXPECT_EQ(spy.count(), 5);
  EXPECT_EQ(model->rowCount(), 2000);
}

// A receiver that reads the model when the signal arrives must find the new
// rows committed, however fast it runs.
TEST_F(InstrumentModelTest, rowsAreCommittedBeforeTheSignalLeaves) {
  mxservice::DataSet set;
  for (int i = 0; i < 500; ++i) {
    add(set, instrument(1, "SZ", std::to_string(100000 + i), "X"));
  }
  install(set);
  auto model = makeModel(1);
  std::atomic<int> committedAtSignal{-1};
  QObject receiver;
  QObject::connect(
      model.get(), &CHpfInsModel::sigRefreshed, &receiver,
      [&] { committedAtSignal = static_cast<int>(model->committedRows()->size()); },
      Qt::DirectConnection);
  model->refresh("");
  ASSERT_TRUE(model->waitForIdle());
  EXPECT_EQ(committedAtSignal.load(), 500);
  EXPECT_FALSE(model->hasUncommittedRows());
  model->refresh("1000");
  ASSERT_TRUE(model->waitForIdle());
  EXPECT_EQ(committedAtSignal.load(), 100);
  QObject::disconnect(model.get(), nullptr, &receiver, nullptr);
}

TEST_F(InstrumentModelTest, droppingTheModelWithQueuedLoadsIsSafe) {
  mxservice::DataSet set;
  for (int i = 0; i < 20000; ++i) add(set, instrument(1, "SH", std::to_string(i), "名称"));
  install(set);
  for (int round = 0; round < 5; ++round) {
    auto model = makeModel(1);
    auto receiver = std::make_unique<QObject>();
    int received = 0;
    QObject::connect(model.get(), &CHpfInsModel::sigRefreshed, receiver.get(), [&] { ++received; });
    for (int i = 0; i < 4; ++i) model->refresh(i % 2 ? "1" : "");
    // The owner lets go while a load may be running on the worker.
    model.reset();
    receiver.reset();
    QCoreApplication::processEvents();
    EXPECT_LE(received, 4);
  }
}

TEST_F(InstrumentModelTest, catalogueAndColumnQueries) {
  install(mxservice::DataSet());
  auto model = makeModel(1);
  EXPECT_EQ(model->columnCount(), 18);
  EXPECT_EQ(model->columnTitle(2), u8("股票名称"));
  EXPECT_EQ(model->columnTitle(18), QString());
  EXPECT_EQ(model->columnTitle(-1), QString());
  EXPECT_EQ(model->columnValueKind(9), 2);
  EXPECT_EQ(model->columnValueKind(3), 6);
  EXPECT_EQ(model->columnValueKind(2), 10);
  EXPECT_EQ(model->columnValueKind(99), 10);
  EXPECT_EQ(model->favoriteColumn(), 17);
  EXPECT_EQ(model->iconColumns(), QSet<int>{2});
  EXPECT_TRUE(model->numericColumns().contains(15));
  EXPECT_EQ(model->columnTitles().size(), 18);
  EXPECT_TRUE(model->getTitleTip(0).isEmpty());
  EXPECT_FALSE(model->isCopyCellOnly());
  EXPECT_EQ(model->modelFlags(), 0);
  EXPECT_EQ(model->tradeType(), tt(1));
  GU::CUiResource* ui = GU::CUiResource::instance();
  EXPECT_EQ(model->getRowBackgroundColor(0), ui->getColor("clr_table_background"));
  EXPECT_EQ(model->getRowBackgroundColor(1), ui->getColor("clr_table_background2"));
  EXPECT_EQ(model->getRowBackgroundColor(2), ui->getColor("clr_table_background"));
  EXPECT_EQ(model->getRowBackgroundColor(7), ui->getColor("clr_table_background2"));
}

// --- compare -----------------------------------------------------------------

GU::HpfRowPtr stockRow(double preClose, int days, const char* name) {
  auto ins = instrument(0x800000, "SH", "600000", name);
  ins->preClose = preClose;
  ins->volumeMultiple = days;
  return boost::make_shared<CInstrumentData>(tt(0x800000), ins);
}

TEST_F(InstrumentModelTest, compareByValueKind) {
  install(mxservice::DataSet());
  auto model = makeModel(0x800000);
  const double none = mxservice::kNoValueDouble;
  const int noInt = mxservice::kNoValueInt;
  const double tick = model->getCompareTick(5);
  ASSERT_GT(tick, 0);

  struct Case {
    GU::HpfRowPtr a, b;
    int column;
    int expected;
  } cases[] = {
      // Missing rows first.
      {GU::HpfRowPtr(), stockRow(1, 1, "a"), 5, -1},
      {stockRow(1, 1, "a"), GU::HpfRowPtr(), 5, 1},
      {GU::HpfRowPtr(), GU::HpfRowPtr(), 5, 0},
      // Decimals (column 5: previous close of a stock).
      {stockRow(none, 1, "a"), stockRow(-1e300, 1, "b"), 5, -1},
      {stockRow(-1e300, 1, "a"), stockRow(none, 1, "b"), 5, 1},
      {stockRow(none, 1, "a"), stockRow(none, 1, "b"), 5, 0},
      {stockRow(1.0, 1, "a"), stockRow(2.0, 1, "b"), 5, -1},
      {stockRow(2.0, 1, "a"), stockRow(1.0, 1, "b"), 5, 1},
      {stockRow(1.0, 1, "a"), stockRow(1.0 + tick / 2, 1, "b"), 5, 0},
      {stockRow(1.0 + tick / 2, 1, "a"), stockRow(1.0, 1, "b"), 5, 0},
      // Text (column 1: name), case-sensitive.
      {stockRow(1, 1, "B"), stockRow(1, 1, "a"), 1, -1},
      {stockRow(1, 1, "a"), stockRow(1, 1, "B"), 1, 1},
      {stockRow(1, 1, "a"), stockRow(1, 1, "a"), 1, 0},
      // The favourites column sorts as text (all empty).
      {stockRow(1, 1, "a"), stockRow(2, 2, "b"), 22, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(model->compare(c.a, c.b, c.column), c.expected)
        << "column " << c.column << " case " << (&c - cases);
  }

  auto futureRow = [](int multiplier) {
    auto ins = instrument(0x800000, "SHFE", "cu", "x");
    ins->volumeMultiple = multiplier;
    return GU::HpfRowPtr(boost::make_shared<CInstrumentData>(tt(0x800000), ins));
  };
  const int intMin = std::numeric_limits<int>::min();
  EXPECT_EQ(model->compare(futureRow(noInt), futureRow(intMin), 6), -1);
  EXPECT_EQ(model->compare(futureRow(intMin), futureRow(noInt), 6), 1);
  EXPECT_EQ(model->compare(futureRow(noInt), futureRow(noInt), 6), 0);
  EXPECT_EQ(model->compare(futureRow(intMin), futureRow(5), 6), -1);  // no overflow
  EXPECT_EQ(model->compare(futureRow(2147483646), futureRow(-5), 6), 1);
  EXPECT_EQ(model->compare(futureRow(5), futureRow(5), 6), 0);
  // A stock row in the multiplier column holds "-": no value, below a future.
  EXPECT_EQ(model->compare(stockRow(1, 1, "a"), futureRow(1), 6), -1);
}

}  // namespace
