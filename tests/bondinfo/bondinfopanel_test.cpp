// The bond info panel on the GUI thread: what a load lists and in which
// order, the code search, the computed cells, the reload events, the
// notification path and the panel's lifetime against the quote client.
#include "bondinfotestsupport.h"
#include "eventwait.h"

#include "host/services/quoteclient.h"
#include "host/table/hpfdatatable.h"
#include "host/ui/eventids.h"
#include "host/ui/searchtextlineedit.h"

#include <QAction>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <limits>

namespace bondinfotest {
namespace {

using Keys = std::vector<std::string>;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
const long long kCleanPrice = 1LL << 24;

// Delivers a framework event to the panel as one of its children would.
bool deliver(BondInfoProbe& panel, int id, const QString& text = QString()) {
  return panel.handleEvent(id, 0, 0, text, nullptr);
}

TEST_F(BondInfoTest, emptySearchListsEveryNonNullRecordByOuterThenInnerKey) {
  // Inserted out of order, with null records and negative inner keys: the
  // rows follow the map, not the insertion or the codes.
  mxservice::BondTradeInfoMap infos;
  infos["SZ"][7] = bond("SZ", "111111");
  infos["SZ"][-3] = bond("SZ", "999999");
  infos["SZ"][0] = mxservice::CBondTradeInfoPtr();
  infos["IB"][1] = mxservice::CBondTradeInfoPtr();
  infos["SH"][20] = bond("SH", "010001");
  infos["SH"][2] = bond("SH", "019999");
  infos["BJ"][5] = bond("BJ", "800001");
  setBondTradeInfos(infos);

  BondInfoProbe panel(1, nullptr);
  EXPECT_EQ(shownKeys(panel),
            Keys({"800001.BJ", "019999.SH", "010001.SH", "999999.SZ", "111111.SZ"}));
}

TEST_F(BondInfoTest, searchIsByteWiseCaseSensitiveSubstringOfTheCode) {
  mxservice::BondTradeInfoMap infos;
  const char* codes[] = {"xaby", "AB", "ab", "zzab", "aB", "b", "018ab"};
  int position = 0;
  for (const char* code : codes) infos["SH"][position++] = bond("SH", code);
  setBondTradeInfos(infos);
  BondInfoProbe panel(1, nullptr);
  GU::CSearchTextLineEdit* edit = panel.searchEdit();

  struct Case {
    const char* text;
    Keys listed;
  };
  const Case cases[] = {
      {"ab", {"xaby.SH", "ab.SH", "zzab.SH", "018ab.SH"}},
      {"AB", {"AB.SH"}},
      {"aB", {"aB.SH"}},
      {"b", {"xaby.SH", "ab.SH", "zzab.SH", "b.SH", "018ab.SH"}},
      {"xaby", {"xaby.SH"}},
      {"xabyz", {}},  // longer than the code
      {"018", {"018ab.SH"}},
      {"", {"xaby.SH", "AB.SH", "ab.SH", "zzab.SH", "aB.SH", "b.SH", "018ab.SH"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    edit->setText(QString::fromUtf8(c.text));
    EXPECT_TRUE(deliver(panel, GU::EVENT_EDIT_TEXT_CHANGED, edit->text()));
    EXPECT_EQ(shownKeys(panel), c.listed);
  }
}

// A host reaches the table and the search box of the panel as it does on the
// instruments panel; typing into the box filters the table, and clearing it
// lists everything again.
TEST_F(BondInfoTest, typingIntoTheSearchBoxFiltersAndClearingListsEverythingAgain) {
  {
    BondInfoProbe empty(1, nullptr);
    EXPECT_TRUE(shownKeys(empty).empty());
  }
  mxservice::BondTradeInfoMap infos;
  infos["SH"][1] = bond("SH", "019547");
  infos["SH"][2] = bond("SH", "010107");
  infos["SZ"][1] = bond("SZ", "101954");
  setBondTradeInfos(infos);
  QWidget window;
  auto* panel = new LW::CBondInfoPanel(1, &window);
  window.show();
  LW::CHpfDataTable* table = panel->table();
  GU::CSearchTextLineEdit* edit = panel->searchEdit();
  ASSERT_TRUE(table && edit);
  EXPECT_TRUE(panel->isAncestorOf(table));
  EXPECT_TRUE(panel->isAncestorOf(edit));
  EXPECT_EQ(table->viewRowCount(), 3);

  QTest::keyClicks(edit, "954");
  EXPECT_EQ(table->viewRowCount(), 2);
  EXPECT_EQ(shownKeys(*panel), Keys({"019547.SH", "101954.SZ"}));
  // Characters outside letters and digits are refused by the box, so the
  // search stays as it was.
  QTest::keyClicks(edit, "-");
  EXPECT_EQ(edit->text(), QStringLiteral("954"));
  EXPECT_EQ(shownKeys(*panel), Keys({"019547.SH", "101954.SZ"}));

  ASSERT_TRUE(edit->clearAction());
  edit->clearAction()->trigger();
  // The clear events are delivered from the event loop.
  EXPECT_TRUE(testsupport::waitFor([&] { return shownKeys(*panel).size() == 3; }));
  EXPECT_TRUE(edit->text().isEmpty());
}

TEST_F(BondInfoTest, computedCellsComeFromTheInstrumentDetail) {
  const QString accrued = u8("应计利息");
  const QString method = u8("计价方式");
  const QString name = u8("合约名称");
  struct Case {
    const char* label;
    double interest;
    long long flags;
    std::string name;
    QString accruedText;
    QString methodText;
    QString nameText;
  };
  const Case cases[] = {
      {"rounded to four decimals", 1.23456, kCleanPrice, "19国债01", "1.2346", u8("净价"),
       u8("19国债01")},
      {"zero", 0.0, 0, "20附息国债", "0.0000", u8("全价"), u8("20附息国债")},
      {"negative", -2.5, 0, "x", "-2.5000", u8("全价"), "x"},
      {"tiny negative shows no sign", -0.00001, 0, "x", "0.0000", u8("全价"), "x"},
      {"NaN", kNaN, 0, "x", u8("非法值"), u8("全价"), "x"},
      {"infinity", kInf, 0, "x", u8("非法值"), u8("全价"), "x"},
      {"minus infinity", -kInf, 0, "x", u8("非法值"), u8("全价"), "x"},
      {"no-value marker", mxservice::kNoValueDouble, 0, "x", u8("非法值"), u8("全价"), "x"},
      {"beyond the formatter's range", 1e18, 0, "x", u8("非法值"), u8("全价"), "x"},
      {"neighbouring bits are not the clean-price bit", 1, (1LL << 23) | (1LL << 25), "x", "1.0000",
       u8("全价"), "x"},
      {"every bit set", 1, -1LL, "x", "1.0000", u8("净价"), "x"},
      {"clean-price bit among others", 1, kCleanPrice | 0x12, "x", "1.0000", u8("净价"), "x"},
      {"empty name", 1, 0, "", "1.0000", u8("全价"), ""},
      {"invalid UTF-8 in the name", 1, 0, "A\xff\xfe", "1.0000", u8("全价"),
       QString("A") + QChar(0xFFFD)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    mxservice::BondTradeInfoMap infos;
    infos["SH"][1] = bond("SH", "019547");
    setBondTradeInfos(infos);
    setInstruments({detail("SH", "019547", c.name, c.interest, c.flags)});
    BondInfoProbe panel(1, nullptr);
    ASSERT_EQ(shownKeys(panel), Keys({"019547.SH"}));
    EXPECT_EQ(cellOf(panel, "019547.SH", accrued), c.accruedText);
    EXPECT_EQ(cellOf(panel, "019547.SH", method), c.methodText);
    const QString shownName = cellOf(panel, "019547.SH", name);
    if (c.nameText.contains(QChar(0xFFFD)))
      EXPECT_TRUE(shownName.startsWith("A") && shownName.contains(QChar(0xFFFD)))
          << qPrintable(shownName);
    else
      EXPECT_EQ(shownName, c.nameText);
  }
}

TEST_F(BondInfoTest, aRecordWithoutInstrumentDetailIsListedWithEmptyComputedCells) {
  mxservice::BondTradeInfoMap infos;
  infos["SH"][1] = bond("SH", "019547");
  infos["SH"][2] = bond("SH", "010107");  // only known on another market
  infos["SZ"][1] = bond("SZ", "101954");  // unknown everywhere
  setBondTradeInfos(infos);
  setInstruments({detail("SH", "019547", "19国债01", 0.5, kCleanPrice),
                  detail("SZ", "010107", "other market", 0.7, kCleanPrice)});
  BondInfoProbe panel(1, nullptr);

  ASSERT_EQ(shownKeys(panel), Keys({"019547.SH", "010107.SH", "101954.SZ"}));
  EXPECT_EQ(cellOf(panel, "019547.SH", u8("应计利息")), "0.5000");
  for (const std::string key : {"010107.SH", "101954.SZ"}) {
    SCOPED_TRACE(key);
    EXPECT_EQ(cellOf(panel, key, u8("应计利息")), "");
    EXPECT_EQ(cellOf(panel, key, u8("计价方式")), "");
    EXPECT_EQ(cellOf(panel, key, u8("合约名称")), "");
    // The record's own fields are still shown.
    EXPECT_EQ(cellOf(panel, key, u8("交易状态")), u8("正常交易"));
  }
}

TEST_F(BondInfoTest, computedCellsOfAnEarlierLoadDoNotSurviveTheDetailsRemoval) {
  mxservice::BondTradeInfoMap infos;
  infos["SH"][1] = bond("SH", "019547");
  setBondTradeInfos(infos);
  setInstruments({detail("SH", "019547", "19国债01", 0.5, kCleanPrice)});
  BondInfoProbe panel(1, nullptr);
  ASSERT_EQ(cellOf(panel, "019547.SH", u8("计价方式")), u8("净价"));

  setInstruments({});
  LW::CQuoteClient::instance()->notifyBondInfoReady();
  EXPECT_EQ(shownKeys(panel), Keys({"019547.SH"}));
  EXPECT_EQ(cellOf(panel, "019547.SH", u8("应计利息")), "");
  EXPECT_EQ(cellOf(panel, "019547.SH", u8("计价方式")), "");
  EXPECT_EQ(cellOf(panel, "019547.SH", u8("合约名称")), "");
}

TEST_F(BondInfoTest, theComputedColumnsFollowTheRecordFieldsWithTheContractNameThird) {
  BondInfoProbe panel(1, nullptr);
  LW::CHpfDataTable* table = panel.table();
  ASSERT_TRUE(table);
  const int accrued = columnWithTitle(panel, u8("应计利息"));
  const int method = columnWithTitle(panel, u8("计价方式"));
  const int name = columnWithTitle(panel, u8("合约名称"));
  ASSERT_GE(accrued, 0);
  ASSERT_GE(method, 0);
  ASSERT_GE(name, 0);
  EXPECT_EQ(std::set<int>({accrued, method, name}).size(), 3u);
  EXPECT_EQ(table->columnIndex(name), 2);
  // The other two stay at the end, in the order they were added.
  EXPECT_EQ(table->columnIndex(accrued), table->columnCount() - 2);
  EXPECT_EQ(table->columnIndex(method), table->columnCount() - 1);
  EXPECT_FALSE(table->isColumnHidden(accrued));
}

TEST_F(BondInfoTest, paramIsEmptyWhateverSetParamReceived) {
  BondInfoProbe panel(1, nullptr);
  LW::CHpfDataTable* table = panel.table();
  ASSERT_TRUE(table);
  const QString layouts[] = {QString(), QStringLiteral("x"), table->saveConfigStr(),
                             QString::fromUtf8("\xff\xfe garbage {"), QString(100000, 'a')};
  for (const QString& text : layouts) {
    panel.setParam(text);
    EXPECT_TRUE(panel.param().isEmpty());
  }
  EXPECT_EQ(panel.key(), QStringLiteral("bif"));
}

TEST_F(BondInfoTest, searchEventsReloadAndRefreshAtOnceOtherEventsDoNot) {
  mxservice::BondTradeInfoMap infos;
  infos["SH"][1] = bond("SH", "019547");
  setBondTradeInfos(infos);
  BondInfoProbe panel(1, nullptr);
  ASSERT_EQ(shownKeys(panel), Keys({"019547.SH"}));
  QSignalSpy announced(&panel, SIGNAL(sigInitBondInfo()));

  struct Case {
    int event;
    bool reloads;
  };
  const Case cases[] = {{GU::EVENT_EDIT_RETURN_PRESSED, false},
                        {GU::EVENT_EDIT_CLEARED, true},
                        {GU::EVENT_QUERY_BUTTON_CLICKED, false},
                        {GU::EVENT_EDIT_TEXT_CHANGED, true},
                        {GU::EVENT_COMBO_CURRENT_CHANGED, false}};
  int next = 2;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.event);
    Keys before = shownKeys(panel);
    infos["SH"][next] = bond("SH", "01000" + std::to_string(next));
    ++next;
    setBondTradeInfos(infos);
    // The text of the event is not the search: the box is empty, so a
    // reload lists everything.
    EXPECT_EQ(deliver(panel, c.event, QStringLiteral("zzz")), c.reloads);
    // No event processing in between: the rows are there at once.
    if (c.reloads)
      EXPECT_EQ(shownKeys(panel).size(), infos["SH"].size());
    else
      EXPECT_EQ(shownKeys(panel), before);
  }
  EXPECT_EQ(announced.count(), 0);  // searches do not announce a bond-information load
}

TEST_F(BondInfoTest, aNotificationOnTheGuiThreadReloadsThenAnnouncesOnce) {
  BondInfoProbe panel(1, nullptr);
  ASSERT_TRUE(shownKeys(panel).empty());
  QSignalSpy announced(&panel, SIGNAL(sigInitBondInfo()));
  mxservice::BondTradeInfoMap infos;
  infos["SH"][1] = bond("SH", "019547");
  setBondTradeInfos(infos);
  setInstruments({detail("SH", "019547", "19国债01", 0.5, 0)});

  LW::CQuoteClient::instance()->notifyBondInfoReady();
  EXPECT_EQ(announced.count(), 1);
  EXPECT_EQ(shownKeys(panel), Keys({"019547.SH"}));
  EXPECT_EQ(cellOf(panel, "019547.SH", u8("合约名称")), u8("19国债01"));
  QCoreApplication::processEvents();
  EXPECT_EQ(announced.count(), 1);
}

TEST_F(BondInfoTest, aNotificationKeepsTheSearch) {
  mxservice::BondTradeInfoMap infos;
  infos["SH"][1] = bond("SH", "019547");
  infos["SH"][2] = bond("SH", "010107");
  setBondTradeInfos(infos);
  BondInfoProbe panel(1, nullptr);
  panel.searchEdit()->setText("0101");
  infos["SH"][3] = bond("SH", "010199");
  setBondTradeInfos(infos);
  LW::CQuoteClient::instance()->notifyBondInfoReady();
  EXPECT_EQ(shownKeys(panel), Keys({"010107.SH", "010199.SH"}));
}

TEST_F(BondInfoTest, aNotificationAfterThePanelIsDestroyedReachesNothing) {
  auto log = std::make_shared<KeyReadLog>();
  mxservice::BondTradeInfoMap infos;
  infos["SH"][1] = observedBond(log, "SH", "019547");
  setBondTradeInfos(infos);
  const std::size_t listenersBefore = bondInfoListeners();
  {
    BondInfoProbe panel(1, nullptr);
    EXPECT_EQ(bondInfoListeners(), listenersBefore + 1);
  }
  {
    // Destroyed by its Qt parent, as a closed dock does.
    auto* parent = new QWidget;
    new BondInfoProbe(2, parent);
    EXPECT_EQ(bondInfoListeners(), listenersBefore + 1);
    delete parent;
  }
  EXPECT_EQ(bondInfoListeners(), listenersBefore);
  log->clear();
  LW::CQuoteClient::instance()->notifyBondInfoReady();
  QCoreApplication::processEvents();
  EXPECT_EQ(log->reads(), 0);
}

// A host that closes the panel's dock from its own sigInitBondInfo handler
// destroys the panel inside the quote client's notification. The panel's
// teardown then meets the notification still on the stack; it must neither
// wait for it (it would wait for itself) nor be reached again.
TEST_F(BondInfoTest, destroyingThePanelFromItsAnnouncementDoesNotDeadlock) {
  mxservice::BondTradeInfoMap infos;
  infos["SH"][1] = bond("SH", "019547");
  setBondTradeInfos(infos);
  const std::size_t listenersBefore = bondInfoListeners();
  auto* parent = new QWidget;
  auto* panel = new BondInfoProbe(1, parent);
  int announcements = 0;
  QObject::connect(panel, &LW::CBondInfoPanel::sigInitBondInfo, parent, [&announcements, parent] {
    ++announcements;
    delete parent;
  });
  LW::CQuoteClient::instance()->notifyBondInfoReady();
  EXPECT_EQ(announcements, 1);
  EXPECT_EQ(bondInfoListeners(), listenersBefore);
  LW::CQuoteClient::instance()->notifyBondInfoReady();
  QCoreApplication::processEvents();
  EXPECT_EQ(announcements, 1);
}

TEST_F(BondInfoTest, filterLeavesOutNullRecordsAndCodesWithoutTheText) {
  BondInfoProbe panel(1, nullptr);
  struct Case {
    std::string text;
    std::string code;
    bool leftOut;
  };
  const Case cases[] = {{"", "019547", false},
                        {"ab", "xaby", false},
                        {"ab", "AB", true},
                        {"9547", "019547", false},
                        {"0195470", "019547", true},
                        {"国债", "19国债01", false},
                        {std::string("\0", 1), "019547", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " in " + c.code);
    EXPECT_EQ(panel.filter(c.text, bond("SH", c.code)), c.leftOut);
  }
  EXPECT_TRUE(panel.filter("", mxservice::CBondTradeInfoPtr()));
  EXPECT_TRUE(panel.filter("x", mxservice::CBondTradeInfoPtr()));
}

}  // namespace
}  // namespace bondinfotest
