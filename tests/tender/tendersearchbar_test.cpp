// The tender search bar of a bond-tender panel: its widgets after
// construction, the mode switch, the date check and its tip, the searches of
// Enter and the query button, and the internal-amount check box.

#include "tendertestsupport.h"

#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "host/ui/checkbox.h"
#include "host/ui/combobox.h"
#include "host/ui/lineedit.h"
#include "host/ui/messagetip.h"
#include "host/ui/simpletextwidget.h"
#include "host/ui/smallnonormalbutton.h"
#include "host/ui/softcalendarlineedit.h"
#include "model/instrumentmodel.h"

#include <QSignalSpy>

using namespace tendertest;

namespace {

class TenderSearchBar : public TenderFixture {
protected:
  void SetUp() override {
    TenderFixture::SetUp();
    auto abc = tenderBond("ABC1", today());
    abc->bondType = 3;
    auto t2 = tenderBond("T2", today());
    t2->bondType = 1;
    install({abc, t2, tenderBond("Y1", daysFromToday(-1)), tenderBond("M1", daysFromToday(1))}, {});
  }

  // Loads the model finished since the spy was made, after settling.
  int loadsSince(QSignalSpy& spy, TenderPanel& panel) {
    settle(&panel);
    return spy.count();
  }
};

const char* const kFieldItems[] = {
    "招标日",     "招标结束日", "发行起始日", "发行终止日", "起息日",   "缴款日",       "上市日",
    "债券代码",   "债券简称",   "债券全称",   "交易员",     "债券类型", "债券类型细分", "主承销商",
    "预交易市场", "发行人名称", "发行人属性", "所属行业",   "招标标的", "招标方式",
};

}  // namespace

TEST_F(TenderSearchBar, startsInDateModeWithTodayAndListsTodaysBonds) {
  TenderPanel panel;
  settle(&panel);
  ASSERT_NE(panel.searchFieldCombo, nullptr);
  ASSERT_EQ(panel.searchFieldCombo->count(), 20);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(panel.searchFieldCombo->itemText(i), u8(kFieldItems[i]));
  EXPECT_EQ(panel.searchFieldCombo->currentText(), u8("招标日"));
  ASSERT_NE(panel.startDateEdit, nullptr);
  ASSERT_NE(panel.endDateEdit, nullptr);
  EXPECT_EQ(panel.startDateEdit->getDate(), QDate::currentDate());
  EXPECT_EQ(panel.endDateEdit->getDate(), QDate::currentDate());
  EXPECT_TRUE(panel.startDateEdit->inputMask().startsWith(QStringLiteral("0000-00-00")));
  EXPECT_FALSE(panel.startDateEdit->isReadOnly());
  EXPECT_EQ(panel.startTimeLabel->text(), u8("开始时间"));
  EXPECT_EQ(panel.endTimeLabel->text(), u8("结束时间"));
  EXPECT_FALSE(panel.startTimeLabel->isHidden());
  EXPECT_FALSE(panel.startDateEdit->isHidden());
  ASSERT_NE(panel.searchTextEdit, nullptr);
  EXPECT_TRUE(panel.searchTextEdit->isHidden());
  EXPECT_EQ(panel.searchTextEdit->emptyHintText(), u8("请输入内容, 按Enter键查询"));
  EXPECT_EQ(panel.searchTextEdit->size(), QSize(160, 22));
  EXPECT_EQ(panel.internalOnlyCheck, nullptr);  // user type 0
  ASSERT_NE(panel.queryButton, nullptr);
  EXPECT_EQ(panel.queryButton->text(), u8("查询"));
  EXPECT_EQ(panel.queryButton->id(), 5);
  // Today's bonds, in the exchange client's key order.
  EXPECT_EQ(listedCodes(&panel), (std::vector<std::string>{"ABC1", "T2"}));
}

TEST_F(TenderSearchBar, modeSwitchesShowOneModeAndNeverSearch) {
  TenderPanel panel;
  settle(&panel);
  QSignalSpy loads(panel.table()->model().get(), SIGNAL(sigRefreshed()));
  panel.searchTextEdit->setText("kept");
  panel.startDateEdit->setDate(QDate(2024, 1, 2));

  // The combo box delivers event 72 to the panel by itself.
  panel.searchFieldCombo->setCurrentText(u8("债券简称"));
  EXPECT_TRUE(panel.startTimeLabel->isHidden());
  EXPECT_TRUE(panel.endTimeLabel->isHidden());
  EXPECT_TRUE(panel.startDateEdit->isHidden());
  EXPECT_TRUE(panel.endDateEdit->isHidden());
  EXPECT_FALSE(panel.searchTextEdit->isHidden());

  panel.searchFieldCombo->setCurrentText(u8("起息日"));
  EXPECT_FALSE(panel.startTimeLabel->isHidden());
  EXPECT_FALSE(panel.endTimeLabel->isHidden());
  EXPECT_FALSE(panel.startDateEdit->isHidden());
  EXPECT_FALSE(panel.endDateEdit->isHidden());
  EXPECT_TRUE(panel.searchTextEdit->isHidden());

  // The event itself, as the host delivers it.
  panel.searchFieldCombo->blockSignals(true);
  panel.searchFieldCombo->setCurrentText(u8("交易员"));
  panel.searchFieldCombo->blockSignals(false);
  EXPECT_TRUE(panel.handleEvent(72, 10, 0, u8("交易员"), nullptr));
  EXPECT_TRUE(panel.startDateEdit->isHidden());
  EXPECT_FALSE(panel.searchTextEdit->isHidden());

  EXPECT_EQ(loadsSince(loads, panel), 0);
  EXPECT_EQ(panel.searchTextEdit->text(), QStringLiteral("kept"));
  EXPECT_EQ(panel.startDateEdit->getDate(), QDate(2024, 1, 2));
  EXPECT_EQ(listedCodes(&panel), (std::vector<std::string>{"ABC1", "T2"}));
}

TEST_F(TenderSearchBar, enterWithABadRangeShowsTheTipAndKeepsTheRows) {
  TenderPanel panel;
  settle(&panel);
  QSignalSpy loads(panel.table()->model().get(), SIGNAL(sigRefreshed()));
  panel.startDateEdit->setDate(QDate::currentDate().addDays(1));

  EXPECT_TRUE(panel.handleEvent(101, 1, 0, QString(), nullptr));
  ASSERT_EQ(GU::CMessageTip::tipCount(), 1);
  const GU::CMessageTipRecord tip = GU::CMessageTip::lastTip();
  EXPECT_EQ(tip.widget.data(), panel.endDateEdit);
  EXPECT_EQ(tip.text, u8("查询开始时间和结束时间设置有误"));
  EXPECT_EQ(static_cast<int>(tip.align), 65);
  EXPECT_EQ(tip.seconds, 2);
  EXPECT_EQ(tip.level, 2);
  EXPECT_EQ(tip.maxWidth, 300);
  EXPECT_EQ(loadsSince(loads, panel), 0);
  EXPECT_EQ(listedCodes(&panel), (std::vector<std::string>{"ABC1", "T2"}));

  // An impossible date is refused the same way.
  panel.startDateEdit->setDate(QDate::currentDate());
  panel.endDateEdit->setText("2024-02-30");
  EXPECT_FALSE(panel.testHintDate());
  EXPECT_EQ(GU::CMessageTip::tipCount(), 2);

  // The query button skips the check: the reversed range lists nothing.
  panel.startDateEdit->setDate(QDate::currentDate().addDays(1));
  panel.endDateEdit->setDate(QDate::currentDate());
  EXPECT_TRUE(panel.handleEvent(5, 5, 0, u8("查询"), nullptr));
  EXPECT_EQ(loadsSince(loads, panel), 1);
  EXPECT_TRUE(listedCodes(&panel).empty());
  EXPECT_EQ(GU::CMessageTip::tipCount(), 2);
}

TEST_F(TenderSearchBar, enterSearchesAWiderRangeAndTextModeSkipsTheDateCheck) {
  TenderPanel panel;
  settle(&panel);
  panel.startDateEdit->setDate(QDate::currentDate().addDays(-1));
  EXPECT_TRUE(panel.handleEvent(101, 1, 0, QString(), nullptr));
  settle(&panel);
  EXPECT_EQ(listedCodes(&panel), (std::vector<std::string>{"ABC1", "T2", "Y1"}));

  // Text mode with a reversed range still searches; the range is not used.
  panel.endDateEdit->setDate(QDate::currentDate().addDays(-5));
  panel.searchFieldCombo->setCurrentText(u8("债券代码"));
  panel.searchTextEdit->setText("AB");
  EXPECT_TRUE(panel.handleEvent(101, 4, 0, "AB", nullptr));
  settle(&panel);
  EXPECT_EQ(GU::CMessageTip::tipCount(), 0);
  EXPECT_EQ(listedCodes(&panel), (std::vector<std::string>{"ABC1"}));

  panel.searchTextEdit->setText("abc");
  panel.handleEvent(101, 4, 0, "abc", nullptr);
  settle(&panel);
  EXPECT_TRUE(listedCodes(&panel).empty());

  // An empty text lists every bond.
  panel.searchTextEdit->clear();
  panel.handleEvent(5, 5, 0, QString(), nullptr);
  settle(&panel);
  EXPECT_EQ(listedCodes(&panel), (std::vector<std::string>{"ABC1", "M1", "T2", "Y1"}));

  // Enum fields search the registry name.
  panel.searchFieldCombo->setCurrentText(u8("债券类型"));
  panel.searchTextEdit->setText(u8("金融"));
  panel.handleEvent(5, 5, 0, QString(), nullptr);
  settle(&panel);
  EXPECT_EQ(listedCodes(&panel), (std::vector<std::string>{"ABC1"}));
}

TEST_F(TenderSearchBar, isSearchDateTypeColumnKnowsExactlyTheSevenDateItems) {
  TenderPanel panel;
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(panel.isSearchDateTypeColumn(kFieldItems[i]), i < 7) << kFieldItems[i];
  }
  EXPECT_FALSE(panel.isSearchDateTypeColumn(""));
  EXPECT_FALSE(panel.isSearchDateTypeColumn("招标日 "));
  EXPECT_FALSE(panel.isSearchDateTypeColumn("Date"));
}

TEST_F(TenderSearchBar, internalOnlyCheckBoxForUserType200) {
  auto none = tenderBond("N0", today());
  auto dust = tenderBond("D0", today());
  dust->setInternalAmount(0.00001);
  auto real = tenderBond("R0", today());
  real->setInternalAmount(0.5);
  install({none, dust, real}, {}, 200);
  TenderPanel panel;
  settle(&panel);
  ASSERT_NE(panel.internalOnlyCheck, nullptr);
  EXPECT_EQ(panel.internalOnlyCheck->text(), u8("仅显示有内部报量债券"));
  EXPECT_EQ(panel.internalOnlyCheck->id(), 3);
  EXPECT_EQ(panel.internalOnlyCheck->size(), QSize(150, 24));
  EXPECT_EQ(listedCodes(&panel), (std::vector<std::string>{"D0", "N0", "R0"}));

  panel.internalOnlyCheck->setChecked(true);
  panel.handleEvent(5, 5, 0, QString(), nullptr);
  settle(&panel);
  EXPECT_EQ(listedCodes(&panel), (std::vector<std::string>{"R0"}));

  // Text mode too.
  panel.searchFieldCombo->setCurrentText(u8("债券代码"));
  panel.handleEvent(5, 5, 0, QString(), nullptr);
  settle(&panel);
  EXPECT_EQ(listedCodes(&panel), (std::vector<std::string>{"R0"}));
}

TEST_F(TenderSearchBar, searchWritesStatusesAndButtonsOfTheListedRows) {
  install({tenderBond("A1", today()), tenderBond("B1", today()), tenderBond("C1", today())},
          {orderCommand(1, "A1", 5), orderCommand(2, "A1", 204), orderCommand(3, "B1", 5)});
  TenderPanel panel;
  settle(&panel);
  ASSERT_EQ(listedCodes(&panel), (std::vector<std::string>{"A1", "B1", "C1"}));
  EXPECT_EQ(listedDetail(&panel, "A1")->status(), 204);
  EXPECT_EQ(listedDetail(&panel, "B1")->status(), 5);
  EXPECT_EQ(listedDetail(&panel, "C1")->status(), -2);
  auto delegate = boost::dynamic_pointer_cast<GU::CBaseTableColumnMultiButtonsDelegate>(
      panel.table()->model()->columnDelegate(3));
  ASSERT_TRUE(delegate);
  ASSERT_EQ(delegate->itemButtons("TB.A1").size(), 1);
  EXPECT_EQ(delegate->itemButtons("TB.A1")[0].id, 27);
  EXPECT_TRUE(delegate->isItemVisible("TB.A1"));
  EXPECT_TRUE(delegate->itemButtons("TB.B1").isEmpty());
  EXPECT_TRUE(delegate->itemButtons("TB.C1").isEmpty());
}
