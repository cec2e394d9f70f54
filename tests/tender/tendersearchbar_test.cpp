// The tender search bar on its own, built into a tool bar of a stand-in
// panel: its widgets after construction, the mode switch, the date check and
// its tip, the query it hands over, and the internal-amount check box.

#include "tendertestsupport.h"

#include "host/ui/autoexpandtoolbar.h"
#include "host/ui/checkbox.h"
#include "host/ui/combobox.h"
#include "host/ui/lineedit.h"
#include "host/ui/messagetip.h"
#include "host/ui/simpletextwidget.h"
#include "host/ui/smallnonormalbutton.h"
#include "host/ui/softcalendarlineedit.h"
#include "tender/tendersearchbar.h"

#include <QSignalSpy>
#include <QVBoxLayout>

using namespace tendertest;

namespace {

const char* const kFieldItems[] = {
    "招标日",     "招标结束日", "发行起始日", "发行终止日", "起息日",   "缴款日",       "上市日",
    "债券代码",   "债券简称",   "债券全称",   "交易员",     "债券类型", "债券类型细分", "主承销商",
    "预交易市场", "发行人名称", "发行人属性", "所属行业",   "招标标的", "招标方式",
};

class TenderSearchBarTest : public TenderFixture {
protected:
  void SetUp() override {
    TenderFixture::SetUp();
    install({}, {});
  }

  // Builds bar into the tool bar of a fresh stand-in panel.
  void build(LW::CTenderSearchBar& bar) {
    m_panel = std::make_unique<QWidget>();
    m_layout = new QVBoxLayout(m_panel.get());
    m_toolbar = new GU::CAutoExpandToolBar(QStringLiteral("lw_img_op_hedge_type_bg"), 2, 8, 2, 8,
                                           m_panel.get(), -1, -1);
    bar.build(m_layout, m_toolbar);
  }

  static LW::TenderSearchQuery requested(const QSignalSpy& spy, int index) {
    return spy.at(index).at(0).value<LW::TenderSearchQuery>();
  }

  std::unique_ptr<QWidget> m_panel;
  QVBoxLayout* m_layout = nullptr;
  GU::CAutoExpandToolBar* m_toolbar = nullptr;
};

TEST_F(TenderSearchBarTest, startsInDateModeOnTodaysTenderDate) {
  LW::CTenderSearchBar bar;
  build(bar);
  EXPECT_EQ(m_layout->indexOf(m_toolbar), 0);
  ASSERT_NE(bar.searchFieldCombo(), nullptr);
  ASSERT_EQ(bar.searchFieldCombo()->count(), 20);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(bar.searchFieldCombo()->itemText(i), u8(kFieldItems[i]));
  EXPECT_EQ(bar.searchFieldCombo()->currentText(), u8("招标日"));
  ASSERT_NE(bar.startDateEdit(), nullptr);
  ASSERT_NE(bar.endDateEdit(), nullptr);
  EXPECT_EQ(bar.startDateEdit()->getDate(), QDate::currentDate());
  EXPECT_EQ(bar.endDateEdit()->getDate(), QDate::currentDate());
  EXPECT_TRUE(bar.startDateEdit()->inputMask().startsWith(QStringLiteral("0000-00-00")));
  EXPECT_FALSE(bar.startDateEdit()->isReadOnly());
  EXPECT_EQ(bar.startTimeLabel()->text(), u8("开始时间"));
  EXPECT_EQ(bar.endTimeLabel()->text(), u8("结束时间"));
  EXPECT_FALSE(bar.startTimeLabel()->isHidden());
  EXPECT_FALSE(bar.startDateEdit()->isHidden());
  ASSERT_NE(bar.searchTextEdit(), nullptr);
  EXPECT_TRUE(bar.searchTextEdit()->isHidden());
  EXPECT_EQ(bar.searchTextEdit()->emptyHintText(), u8("请输入内容, 按Enter键查询"));
  EXPECT_EQ(bar.searchTextEdit()->size(), QSize(160, 22));
  EXPECT_EQ(bar.internalOnlyCheck(), nullptr);  // user type 0
  ASSERT_NE(bar.queryButton(), nullptr);
  EXPECT_EQ(bar.queryButton()->text(), u8("查询"));
  EXPECT_EQ(bar.queryButton()->id(), 5);

  const LW::TenderSearchQuery query = bar.query();
  EXPECT_TRUE(query.isDateField);
  EXPECT_EQ(query.field, "招标日");
  EXPECT_EQ(query.startDate, today());
  EXPECT_EQ(query.endDate, today());
  EXPECT_EQ(query.text, "");
  EXPECT_FALSE(query.internalOnly);

  // A second build adds nothing.
  auto* other = new GU::CAutoExpandToolBar(QString(), 0, 0, 0, 0, m_panel.get(), -1, -1);
  GU::CComboBox* combo = bar.searchFieldCombo();
  bar.build(m_layout, other);
  EXPECT_EQ(bar.searchFieldCombo(), combo);
  EXPECT_EQ(m_layout->indexOf(other), -1);
}

TEST_F(TenderSearchBarTest, modeSwitchesShowOneModeKeepTheEditorsAndNeverSearch) {
  LW::CTenderSearchBar bar;
  build(bar);
  QSignalSpy searches(&bar, SIGNAL(sigSearchRequested(LW::TenderSearchQuery)));
  bar.searchTextEdit()->setText("kept");
  bar.startDateEdit()->setDate(QDate(2024, 1, 2));

  bar.searchFieldCombo()->blockSignals(true);
  bar.searchFieldCombo()->setCurrentText(u8("债券简称"));
  bar.searchFieldCombo()->blockSignals(false);
  bar.showModeOfChosenField();
  EXPECT_TRUE(bar.startTimeLabel()->isHidden());
  EXPECT_TRUE(bar.endTimeLabel()->isHidden());
  EXPECT_TRUE(bar.startDateEdit()->isHidden());
  EXPECT_TRUE(bar.endDateEdit()->isHidden());
  EXPECT_FALSE(bar.searchTextEdit()->isHidden());

  bar.searchFieldCombo()->blockSignals(true);
  bar.searchFieldCombo()->setCurrentText(u8("起息日"));
  bar.searchFieldCombo()->blockSignals(false);
  bar.showModeOfChosenField();
  EXPECT_FALSE(bar.startTimeLabel()->isHidden());
  EXPECT_FALSE(bar.endTimeLabel()->isHidden());
  EXPECT_FALSE(bar.startDateEdit()->isHidden());
  EXPECT_FALSE(bar.endDateEdit()->isHidden());
  EXPECT_TRUE(bar.searchTextEdit()->isHidden());

  bar.showTextMode();
  EXPECT_TRUE(bar.startDateEdit()->isHidden());
  EXPECT_FALSE(bar.searchTextEdit()->isHidden());
  bar.showDateMode();
  EXPECT_FALSE(bar.startDateEdit()->isHidden());
  EXPECT_TRUE(bar.searchTextEdit()->isHidden());

  EXPECT_EQ(searches.count(), 0);
  EXPECT_EQ(bar.searchTextEdit()->text(), QStringLiteral("kept"));
  EXPECT_EQ(bar.startDateEdit()->getDate(), QDate(2024, 1, 2));
}

TEST_F(TenderSearchBarTest, aBadDateRangeShowsTheTipAtTheEndDate) {
  LW::CTenderSearchBar bar;
  build(bar);
  EXPECT_TRUE(bar.checkDateRange());
  EXPECT_EQ(GU::CMessageTip::tipCount(), 0);

  bar.startDateEdit()->setDate(QDate::currentDate().addDays(1));
  EXPECT_FALSE(bar.checkDateRange());
  ASSERT_EQ(GU::CMessageTip::tipCount(), 1);
  const GU::CMessageTipRecord tip = GU::CMessageTip::lastTip();
  EXPECT_EQ(tip.widget.data(), bar.endDateEdit());
  EXPECT_EQ(tip.text, u8("查询开始时间和结束时间设置有误"));
  EXPECT_EQ(static_cast<int>(tip.align), 65);
  EXPECT_EQ(tip.seconds, 2);
  EXPECT_EQ(tip.level, 2);
  EXPECT_EQ(tip.maxWidth, 300);

  // An impossible date is refused the same way.
  bar.startDateEdit()->setDate(QDate::currentDate());
  bar.endDateEdit()->setText("2024-02-30");
  EXPECT_FALSE(bar.checkDateRange());
  EXPECT_EQ(GU::CMessageTip::tipCount(), 2);

  // In text mode the range is not used, so not checked.
  bar.showTextMode();
  EXPECT_TRUE(bar.checkDateRange());
  EXPECT_EQ(GU::CMessageTip::tipCount(), 2);
}

TEST_F(TenderSearchBarTest, aRequestedSearchCarriesACopyOfWhatTheBarShows) {
  LW::CTenderSearchBar bar;
  build(bar);
  QSignalSpy searches(&bar, SIGNAL(sigSearchRequested(LW::TenderSearchQuery)));
  bar.startDateEdit()->setDate(QDate(2024, 1, 5));
  bar.endDateEdit()->setDate(QDate(2024, 2, 1));
  bar.searchFieldCombo()->setCurrentText(u8("起息日"));
  bar.searchTextEdit()->setText("AB");
  bar.requestSearch();
  // A reversed range is handed over as it is: the query button skips the
  // check.
  bar.startDateEdit()->setDate(QDate(2024, 3, 1));
  bar.searchFieldCombo()->setCurrentText(u8("债券代码"));
  bar.requestSearch();
  ASSERT_EQ(searches.count(), 2);

  const LW::TenderSearchQuery dates = requested(searches, 0);
  EXPECT_TRUE(dates.isDateField);
  EXPECT_EQ(dates.field, "起息日");
  EXPECT_EQ(dates.startDate, "20240105");
  EXPECT_EQ(dates.endDate, "20240201");
  EXPECT_EQ(dates.text, "AB");
  const LW::TenderSearchQuery text = requested(searches, 1);
  EXPECT_FALSE(text.isDateField);
  EXPECT_EQ(text.field, "债券代码");
  EXPECT_EQ(text.startDate, "20240301");
  EXPECT_EQ(text.text, "AB");
}

TEST_F(TenderSearchBarTest, isDateFieldKnowsExactlyTheSevenDateItems) {
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(LW::CTenderSearchBar::isDateField(kFieldItems[i]), i < 7) << kFieldItems[i];
  }
  EXPECT_FALSE(LW::CTenderSearchBar::isDateField(""));
  EXPECT_FALSE(LW::CTenderSearchBar::isDateField("招标日 "));
  EXPECT_FALSE(LW::CTenderSearchBar::isDateField("Date"));
}

TEST_F(TenderSearchBarTest, internalOnlyCheckBoxForUserType200) {
  install({}, {}, 200);
  LW::CTenderSearchBar bar;
  build(bar);
  ASSERT_NE(bar.internalOnlyCheck(), nullptr);
  EXPECT_EQ(bar.internalOnlyCheck()->text(), u8("仅显示有内部报量债券"));
  EXPECT_EQ(bar.internalOnlyCheck()->id(), 3);
  EXPECT_EQ(bar.internalOnlyCheck()->size(), QSize(150, 24));
  EXPECT_FALSE(bar.query().internalOnly);
  bar.internalOnlyCheck()->setChecked(true);
  EXPECT_TRUE(bar.query().internalOnly);
  bar.showTextMode();
  EXPECT_TRUE(bar.query().internalOnly);
}

TEST_F(TenderSearchBarTest, aBarWithoutWidgetsAsksForAnEmptySearch) {
  LW::CTenderSearchBar bar;
  // Nowhere to build: nothing is made.
  bar.build(nullptr, nullptr);
  QWidget panel;
  bar.build(nullptr, new GU::CAutoExpandToolBar(QString(), 0, 0, 0, 0, &panel, -1, -1));
  EXPECT_EQ(bar.searchFieldCombo(), nullptr);
  bar.showTextMode();
  bar.showDateMode();
  bar.showModeOfChosenField();
  EXPECT_TRUE(bar.checkDateRange());
  const LW::TenderSearchQuery query = bar.query();
  EXPECT_FALSE(query.isDateField);
  EXPECT_TRUE(query.field.empty());
  EXPECT_TRUE(query.startDate.empty());
  EXPECT_TRUE(query.endDate.empty());
  EXPECT_TRUE(query.text.empty());
  EXPECT_FALSE(query.internalOnly);
}

}  // namespace
