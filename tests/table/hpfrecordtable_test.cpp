// Tables of plain host records: bond trading records laid out by the record
// registry, with computed cells from the extra-data model.
#include "host/data/bondtradeinfo.h"
#include "host/table/hpfdatatable.h"
#include "host/table/hpfextradatamodel.h"
#include "host/table/ibasehpftabledata.h"

#include <gtest/gtest.h>
#include <QTest>
#include <boost/make_shared.hpp>
#include <cmath>
#include <limits>

namespace {

boost::shared_ptr<mxservice::CBondTradeInfo> bond(const std::string& market,
                                                  const std::string& code, double rate,
                                                  int volume) {
  auto record = boost::make_shared<mxservice::CBondTradeInfo>();
  record->marketId = market;
  record->code = code;
  record->bondType = "国债";
  record->tradeMode = "竞价";
  record->pledgeCode = "";
  record->conversionRate = rate;
  record->minTradeVolume = volume;
  record->tradeStatus = "正常交易";
  record->maturityDate = "20301231";
  return record;
}

QStringList titles(const GU::CBaseHighPerformanceTable& table) {
  QStringList out;
  for (int i = 0; i < table.columnCount(); ++i) out << table.columnTitle(table.columnID(i));
  return out;
}

}  // namespace

TEST(HpfRecordTable, bondTradeRecordsShowTheirFieldsAndTheComputedCells) {
  QWidget parent;
  LW::CHpfDataTable table(0, 16371, &parent, GU::MENU_FLAG_ALL);
  ASSERT_TRUE(table.getDataModel());
  const int accrued = table.addColumn(GU::CColumnProperty(QString::fromUtf8("应计利息"), 10, 0),
                                      false, true, QString());
  const int method = table.addColumn(GU::CColumnProperty(QString::fromUtf8("计价方式"), 10, 1),
                                     false, true, QString());
  const int name = table.addColumn(GU::CColumnProperty(QString::fromUtf8("合约名称"), 10, 2), false,
                                   true, QString());
  EXPECT_EQ(std::set<int>({accrued, method, name}).size(), 3u);
  ASSERT_TRUE(table.moveColumn(name, 2));
  EXPECT_EQ(table.columnID(2), name);
  EXPECT_EQ(titles(table).mid(0, 4),
            QStringList({QString::fromUtf8("市场"), QString::fromUtf8("债券代码"),
                         QString::fromUtf8("合约名称"), QString::fromUtf8("债券类型")}));
  EXPECT_TRUE(titles(table).contains(QString::fromUtf8("到期日")));

  std::vector<boost::shared_ptr<mxservice::IData>> records = {
      bond("SH", "019547", 0.75, 10), boost::shared_ptr<mxservice::IData>(),
      bond("SZ", "101234", mxservice::kNoValueDouble, mxservice::kNoValueInt),
      bond("SH", "010000", std::numeric_limits<double>::quiet_NaN(), 1)};
  GU::CHpfExtraDataModel* extra = table.getExtraDataModel();
  const std::string key0 = records[0]->getKey();
  extra->addData(key0, accrued, QStringLiteral("1.2345"), nullptr);
  extra->addData(key0, method, QString::fromUtf8("净价"), nullptr);
  extra->addData(key0, name, QString::fromUtf8("19国债"), nullptr);
  table.getDataModel()->clear();
  table.updateDatas(records, false);

  ASSERT_EQ(table.viewRowCount(), 3);  // the null record is skipped
  EXPECT_EQ(table.viewRowData(0)->key(), key0);
  EXPECT_EQ(table.cellText(0, 0), QStringLiteral("SH"));
  EXPECT_EQ(table.cellText(0, 1), QStringLiteral("019547"));
  EXPECT_EQ(table.cellText(0, 5), QStringLiteral("0.75"));
  EXPECT_EQ(table.cellText(0, 6), QStringLiteral("10"));
  EXPECT_EQ(table.cellText(0, 7), QString::fromUtf8("正常交易"));
  EXPECT_EQ(table.cellText(0, 8), QStringLiteral("20301231"));
  EXPECT_EQ(table.cellText(0, accrued), QStringLiteral("1.2345"));
  EXPECT_EQ(table.cellText(0, method), QString::fromUtf8("净价"));
  EXPECT_EQ(table.cellText(0, name), QString::fromUtf8("19国债"));
  // Numbers without a value, a bad number, a record without computed cells.
  EXPECT_EQ(table.cellText(1, 5), QStringLiteral("-"));
  EXPECT_EQ(table.cellText(1, 6), QStringLiteral("-"));
  EXPECT_EQ(table.cellText(2, 5), QString::fromUtf8("非法值"));
  EXPECT_EQ(table.cellText(1, accrued), QString());

  // Sorting a decimal record column puts rows without a value first.
  table.sortByColumn(5, true);
  EXPECT_EQ(table.cellText(0, 1), QStringLiteral("101234"));
  EXPECT_EQ(table.cellText(2, 1), QStringLiteral("019547"));

  // Append adds and replaces by key; replace-mode reload drops the rest.
  table.updateDatas({bond("SZ", "101234", 0.5, 1), bond("SZ", "200000", 0.1, 1)}, true);
  EXPECT_EQ(table.viewRowCount(), 4);
  table.updateDatas({bond("SZ", "200000", 0.1, 1)}, false);
  EXPECT_EQ(table.viewRowCount(), 1);
}

TEST(HpfRecordTable, aTableTypeWithoutRecordLayoutShowsNoRecords) {
  QWidget parent;
  LW::CHpfDataTable table(0, 550, &parent, GU::MENU_FLAG_ALL);
  EXPECT_FALSE(table.getDataModel());
  table.updateDatas({bond("SH", "1", 1, 1)}, false);
  EXPECT_EQ(table.viewRowCount(), 0);
  EXPECT_EQ(table.columnCount(), 0);
}
