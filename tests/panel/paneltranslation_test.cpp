// The panels in the two languages they ship with: the source texts
// (Chinese), exactly as the user has always read them, and the English
// translation a host installs with CInstrumentsHelper::installTranslation.
// Each case makes its panel after choosing the language; the live switch of
// an open panel has its own test.
#include "paneltestsupport.h"

#include "bondinfo/bondinfopanel.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "host/table/hpfdatatable.h"
#include "host/ui/autoexpandtoolbar.h"
#include "host/ui/combobox.h"
#include "host/ui/eventids.h"
#include "host/ui/lineedit.h"
#include "host/ui/searchtextlineedit.h"
#include "host/ui/simpletextwidget.h"
#include "host/ui/smallnonormalbutton.h"
#include "host/ui/softcalendarlineedit.h"
#include "host/ui/uitranslation.h"
#include "model/instrumentmodel.h"
#include "tender/instrumentshelper.h"
#include "tender/tendermodel.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>

using namespace paneltest;

namespace {

enum class Language { Source, English };

QLocale localeOf(Language language) {
  return language == Language::English ? QLocale(QLocale::English, QLocale::UnitedStates)
                                       : QLocale(QLocale::Chinese, QLocale::China);
}

const char* nameOf(Language language) {
  return language == Language::English ? "English" : "source";
}

class PanelTranslationTest : public HostFixture {
protected:
  void SetUp() override {
    HostFixture::SetUp();
    installSample();
  }
  void TearDown() override {
    m_parent.reset();
    // Back to the source texts for the next test of this program.
    LW::CInstrumentsHelper::installTranslation(localeOf(Language::Source));
    GU::CUiTranslation::install(localeOf(Language::Source));
    HostFixture::TearDown();
  }

  // Both catalogues a host installs: the panels' and the host framework's.
  static void use(Language language) {
    ASSERT_TRUE(LW::CInstrumentsHelper::installTranslation(localeOf(language)));
    ASSERT_TRUE(GU::CUiTranslation::install(localeOf(language)));
  }

  PanelProbe* makePanel(mxservice::ENqTraderType type) {
    m_parent = std::make_unique<EventRecorder>();
    m_parent->consume = false;
    auto* panel = new PanelProbe(5, type, m_parent.get());
    settle(panel);
    return panel;
  }

  std::unique_ptr<EventRecorder> m_parent;
};

// The text of the first button of the favourites column on any row.
QString favouriteButtonText(LW::CInstrumentsPanel* panel) {
  auto delegate = boost::dynamic_pointer_cast<GU::CBaseTableColumnMultiButtonsDelegate>(
      panel->table()->columnDelegate(panel->table()->model()->favoriteColumn()));
  if (!delegate) return QStringLiteral("<no delegate>");
  for (const std::string& key : rowKeys(panel->table())) {
    const QVector<GU::ButtonData> buttons = delegate->itemButtons(key);
    if (!buttons.isEmpty()) return buttons.first().text;
  }
  return QStringLiteral("<no button>");
}

struct ListCase {
  mxservice::ENqTraderType type;
  Language language;
  const char* title;
  const char* firstColumn;
  const char* favouriteButton;
  const char* searchName;  // the search field's accessible name (tool bar)
  const char* clearTip;    // its clear button's tool tip
};

const ListCase kListCases[] = {
    {mxservice::NQ_TRADER_STOCK, Language::Source, "股票列表", "市场代码", "添加自选", "搜索",
     "清除"},
    {mxservice::NQ_TRADER_STOCK, Language::English, "Stock list", "Market", "Add to watchlist",
     "Search", "Clear"},
    {mxservice::NQ_TRADER_FUTURE, Language::Source, "合约列表", "合约代码", "添加自选", "搜索",
     "清除"},
    {mxservice::NQ_TRADER_FUTURE, Language::English, "Contract list", "Contract code",
     "Add to watchlist", "Search", "Clear"},
    {mxservice::NQ_TRADER_OUTER_FUTURE, Language::English, "Contract list", "Contract code",
     "Add to watchlist", "Search", "Clear"},
    {mxservice::NQ_TRADER_INTER_BANK, Language::Source, "债券列表", "交易市场", "添加自选", "搜索",
     "清除"},
    {mxservice::NQ_TRADER_INTER_BANK, Language::English, "Bond list", "Trading market",
     "Add to watchlist", "Search", "Clear"},
};

TEST_F(PanelTranslationTest, listPanelsShowTitleToolBarColumnsAndButtonsInTheChosenLanguage) {
  for (const ListCase& c : kListCases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << ", " << nameOf(c.language));
    use(c.language);
    PanelProbe* panel = makePanel(c.type);

    EXPECT_EQ(panel->windowTitle(), u8(c.title));
    EXPECT_EQ(panel->accessibleName(), u8(c.title));
    EXPECT_EQ(panel->table()->columnTitle(0), u8(c.firstColumn));
    const int favourites = panel->table()->model()->favoriteColumn();
    ASSERT_GE(favourites, 0);
    // The column is found by its source title whatever the language.
    EXPECT_EQ(panel->table()->columnTitle(favourites), u8(c.favouriteButton));
    EXPECT_EQ(favouriteButtonText(panel), u8(c.favouriteButton));

    auto* search = panel->findChild<GU::CSearchTextLineEdit*>();
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->accessibleName(), u8(c.searchName));
    const QList<QAction*> actions = search->actions();
    ASSERT_FALSE(actions.isEmpty());
    EXPECT_EQ(actions.first()->toolTip(), u8(c.clearTip));
    m_parent.reset();
  }
}

struct TenderCase {
  Language language;
  const char* title;
  const char* queryLabel;
  const char* startLabel;
  const char* endLabel;
  const char* hint;
  const char* queryButton;
  const char* firstField;
  const char* lastField;
  const char* lock;
  const char* revoke;
  const char* unlock;
};

const TenderCase kTenderCases[] = {
    {Language::Source, "债券列表", "查询: ", "开始时间", "结束时间", "请输入内容, 按Enter键查询",
     "查询", "招标日", "招标方式", "锁定", "撤销", "解锁"},
    {Language::English, "Bond list", "Search: ", "From", "To", "Press Enter to search", "Search",
     "Tender date", "Tender method", "Lock", "Revoke", "Unlock"},
};

TEST_F(PanelTranslationTest, tenderPanelShowsItsSearchBarAndRowButtonsInTheChosenLanguage) {
  for (const TenderCase& c : kTenderCases) {
    SCOPED_TRACE(nameOf(c.language));
    use(c.language);
    PanelProbe* panel = makePanel(mxservice::NQ_TRADER_BOND_TENDER);

    EXPECT_EQ(panel->windowTitle(), u8(c.title));
    const QList<GU::CSimpleTextWidget*> labels = panel->findChildren<GU::CSimpleTextWidget*>();
    ASSERT_EQ(labels.size(), 3);
    EXPECT_EQ(labels[0]->text(), u8(c.queryLabel));
    EXPECT_EQ(panel->startTimeLabel->text(), u8(c.startLabel));
    EXPECT_EQ(panel->endTimeLabel->text(), u8(c.endLabel));
    EXPECT_EQ(panel->searchTextEdit->emptyHintText(), u8(c.hint));
    EXPECT_EQ(panel->queryButton->text(), u8(c.queryButton));
    ASSERT_EQ(panel->searchFieldCombo->count(), 20);
    EXPECT_EQ(panel->searchFieldCombo->itemText(0), u8(c.firstField));
    EXPECT_EQ(panel->searchFieldCombo->itemText(19), u8(c.lastField));

    const QVector<GU::ButtonData> running =
        LW::CTenderModel::buildTenderButtons(mxservice::ORDER_COMMAND_RUNNING);
    ASSERT_EQ(running.size(), 2);
    EXPECT_EQ(running[0].text, u8(c.lock));
    EXPECT_EQ(running[1].text, u8(c.revoke));
    const QVector<GU::ButtonData> locked =
        LW::CTenderModel::buildTenderButtons(mxservice::ORDER_COMMAND_LOCKED);
    ASSERT_EQ(locked.size(), 1);
    EXPECT_EQ(locked[0].text, u8(c.unlock));
    m_parent.reset();
  }
}

// The field chosen in the translated selector still names the field in
// the query by its source text: the search must not depend on the language.
TEST_F(PanelTranslationTest, translatedFieldSelectorStillSearchesByTheSourceFieldName) {
  use(Language::English);
  PanelProbe* panel = makePanel(mxservice::NQ_TRADER_BOND_TENDER);
  panel->searchFieldCombo->setCurrentText(QStringLiteral("Bond code"));
  ASSERT_EQ(panel->searchFieldCombo->currentIndex(), 7);
  EXPECT_TRUE(panel->handleEvent(GU::EVENT_COMBO_CURRENT_CHANGED, 0, 0, QString(), nullptr));
  // Text mode: the text editor is shown and the date range hidden.
  EXPECT_FALSE(panel->searchTextEdit->isHidden());
  EXPECT_TRUE(panel->startDateEdit->isHidden());
  EXPECT_TRUE(panel->handleEvent(GU::EVENT_QUERY_BUTTON_CLICKED, 5, 0, QString(), nullptr));
  settle(panel);
  EXPECT_FALSE(listedCodes(panel).empty());
}

TEST_F(PanelTranslationTest, openPanelFollowsALanguageSwitch) {
  use(Language::Source);
  PanelProbe* stocks = makePanel(mxservice::NQ_TRADER_STOCK);
  ASSERT_EQ(stocks->windowTitle(), u8("股票列表"));

  // What QApplication sends every widget when a translation is installed
  // while its event loop runs.
  use(Language::English);
  QEvent change(QEvent::LanguageChange);
  QCoreApplication::sendEvent(stocks, &change);
  settle(stocks);
  EXPECT_EQ(stocks->windowTitle(), QStringLiteral("Stock list"));
  EXPECT_EQ(stocks->table()->columnTitle(0), QStringLiteral("Market"));
  EXPECT_EQ(favouriteButtonText(stocks), QStringLiteral("Add to watchlist"));

  use(Language::Source);
  QCoreApplication::sendEvent(stocks, &change);
  settle(stocks);
  EXPECT_EQ(stocks->windowTitle(), u8("股票列表"));
  EXPECT_EQ(stocks->table()->columnTitle(0), u8("市场代码"));
  EXPECT_EQ(favouriteButtonText(stocks), u8("添加自选"));
}

TEST_F(PanelTranslationTest, bondInfoPanelShowsItsColumnsInTheChosenLanguage) {
  struct Case {
    Language language;
    const char* computed[3];
    const char* firstRecordColumn;
  };
  const Case cases[] = {
      {Language::Source, {"应计利息", "计价方式", "合约名称"}, "市场"},
      {Language::English, {"Accrued interest", "Pricing method", "Contract name"}, "Market"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(nameOf(c.language));
    use(c.language);
    LW::CBondInfoPanel panel(9, nullptr);
    auto* table = panel.findChild<LW::CHpfDataTable*>();
    ASSERT_NE(table, nullptr);
    QStringList titles;
    for (int index = 0; index < table->columnCount(); ++index) {
      titles << table->columnTitle(table->columnID(index));
    }
    for (const char* title : c.computed) EXPECT_TRUE(titles.contains(u8(title))) << title;
    EXPECT_EQ(titles.value(0), u8(c.firstRecordColumn));
  }
}

}  // namespace
