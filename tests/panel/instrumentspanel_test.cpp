// The instruments panel of the non-tender trading types, on the sample data
// set: construction, wiring to the host's signals, search, selection,
// favourites, persisted layout and events.

#include "paneltestsupport.h"

#include "host/core/stockkey.h"
#include "host/services/config.h"
#include "host/services/exchangeclient.h"
#include "host/services/hostservices.h"
#include "host/services/tradeclient.h"
#include "host/services/usermanager.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "host/ui/eventids.h"
#include "host/ui/searchtextlineedit.h"
#include "model/instrumentdata.h"
#include "model/instrumentmodel.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <memory>
#include <set>

using namespace paneltest;

namespace {

using mxservice::ENqTraderType;
const auto kStock = mxservice::NQ_TRADER_STOCK;
const auto kOuterFuture = mxservice::NQ_TRADER_OUTER_FUTURE;
const auto kFund = mxservice::NQ_TRADER_OTC_FUND;
const auto kInterBank = mxservice::NQ_TRADER_INTER_BANK;
const auto kInterBankFx = mxservice::NQ_TRADER_INTER_BANK_FX;

ENqTraderType type(int value) { return static_cast<ENqTraderType>(value); }

class InstrumentsPanelTest : public HostFixture {
protected:
  void SetUp() override {
    HostFixture::SetUp();
    installSample();
  }

  void TearDown() override {
    m_parents.clear();
    HostFixture::TearDown();
  }

  // A panel under its own recording parent, its first load finished.
  PanelProbe* makePanel(ENqTraderType tradeType) {
    m_parents.push_back(std::make_unique<EventRecorder>());
    // Like a dock, the parent lets pass what it does not know (the search
    // field's clear event among them).
    m_parents.back()->consume = false;
    auto* panel = new PanelProbe(7, tradeType, m_parents.back().get());
    settle(panel);
    return panel;
  }
  EventRecorder* parentOf(PanelProbe* panel) {
    return static_cast<EventRecorder*>(panel->parentWidget());
  }

  static boost::shared_ptr<GU::CBaseTableColumnMultiButtonsDelegate> favourites(
      LW::CInstrumentsPanel* panel) {
    return boost::dynamic_pointer_cast<GU::CBaseTableColumnMultiButtonsDelegate>(
        panel->table()->columnDelegate(panel->table()->model()->favoriteColumn()));
  }

  // The row of the model whose key is key.
  static boost::shared_ptr<LW::CInstrumentData> row(LW::CInstrumentsPanel* panel,
                                                    const std::string& key) {
    return boost::dynamic_pointer_cast<LW::CInstrumentData>(
        panel->table()->model()->getDataByKey(key));
  }

  std::vector<std::unique_ptr<EventRecorder>> m_parents;
};

TEST_F(InstrumentsPanelTest, declaresFifteenSignalsThenSixSlotsInOrder) {
  PanelProbe* panel = makePanel(kStock);
  const QMetaObject* meta = panel->metaObject();
  ASSERT_EQ(meta, &LW::CInstrumentsPanel::staticMetaObject);
  const char* const expected[] = {
      "sigSelectStock(QString)",
      "sigSingleCodeOption(int,int,QString)",
      "sigBondExecutionLockedTenderBond(QString)",
      "sigBondAllocationLockedTenderBond(QString)",
      "sigBondExecutionDealFinishedTenderBond(QString)",
      "sigBondAllocationDealFinishedTenderBond(QString)",
      "sigBondExecutionApprovingTenderBond(QString)",
      "sigBondAllocationApprovingTenderBond(QString)",
      "sigBondExecutionRunningTenderBond(QString)",
      "sigBondAllocationRunningTenderBond(QString)",
      "sigBondExecutionStoppedTenderBond(QString)",
      "sigBondAllocationStoppedTenderBond(QString)",
      "sigBondExecutionSettleFinishedTenderBond(QString)",
      "sigBondAllocationSettleFinishedTenderBond(QString)",
      "sigRefreshCommandPanel(QString)",
      "slotStockList(QMap<QString,mxservice::CInstrumentDetailPtr>,int)",
      "slotRefresh()",
      "slotStockListChange(set<string>)",
      "slotNewTradingDay(std::string,std::string)",
      "slotInitInterBankDatasFinished()",
      "slotInitBondTenderDatasFinished()",
  };
  const int offset = meta->methodOffset();
  ASSERT_EQ(meta->methodCount() - offset, 21);
  for (int index = 0; index < 21; ++index) {
    const QMetaMethod method = meta->method(offset + index);
    EXPECT_EQ(method.methodSignature(), QByteArray(expected[index])) << index;
    if (index < 15) {
      EXPECT_EQ(method.methodType(), QMetaMethod::Signal) << index;
      EXPECT_EQ(method.access(), QMetaMethod::Public) << index;
    } else {
      EXPECT_EQ(method.methodType(), QMetaMethod::Slot) << index;
      EXPECT_EQ(method.access(), QMetaMethod::Protected) << index;
    }
    for (const QByteArray& name : method.parameterNames()) EXPECT_TRUE(name.isEmpty()) << index;
  }
}

// A panel shows the title of its kind of list and announces it to its dock
// (event 146).
TEST_F(InstrumentsPanelTest, titleFollowsTheTradingTypeAndReachesTheDock) {
  struct Case {
    int type;
    const char* title;
  };
  const Case cases[] = {
      {1, "股票列表"}, {512, "合约列表"}, {32768, "债券列表"}, {1536, "代码列表"}};
  for (const Case& c : cases) {
    PanelProbe* real = makePanel(type(c.type));
    EXPECT_EQ(real->windowTitle(), u8(c.title));
    const auto announced = parentOf(real)->eventsWithId(GU::EVENT_DOCK_TITLE_CHANGED);
    ASSERT_EQ(announced.size(), 1u) << c.type;
    EXPECT_EQ(announced[0].text, u8(c.title));
    EXPECT_EQ(announced[0].wParam, 0);
    EXPECT_EQ(announced[0].lParam, 0);
    EXPECT_FALSE(announced[0].hadData);
  }
}

TEST_F(InstrumentsPanelTest, registersAsAnInstrumentsDockWithASearchFieldAndTable) {
  for (auto tradeType : {kStock, kOuterFuture, kFund}) {
    PanelProbe* panel = makePanel(tradeType);
    EXPECT_EQ(panel->key(), QStringLiteral("itm"));
    EXPECT_EQ(panel->id(), 7);
    EXPECT_EQ(panel->tradeType(), tradeType);
    ASSERT_NE(panel->table(), nullptr);
    EXPECT_EQ(panel->table()->tradeType(), tradeType);
    EXPECT_EQ(panel->table()->insTradeType(), tradeType);
    EXPECT_EQ(panel->table()->flag() & GU::TABLE_FLAG_FOLLOW_TAIL, 0);
    ASSERT_NE(panel->searchEdit(), nullptr);
    EXPECT_TRUE(panel->searchEdit()->lineEditFrame());
    EXPECT_EQ(panel->searchEdit()->regExp(),
              tradeType == kOuterFuture
                  ? u8("(^$)|([a-zA-Z0-9]+|[a-zA-Z]+[ ][a-zA-Z]+|[a-zA-Z]+[ ][0-9]+$)|(^[一-龥]*$)")
                  : u8("(^$)|[a-zA-Z0-9]+$"));
    // The first load ran at construction with the empty filter.
    EXPECT_TRUE(panel->filterText().isEmpty());
    EXPECT_GT(panel->table()->model()->rowCount(), 0) << tradeType;
    EXPECT_EQ(panel->table()->viewRowCount(), panel->table()->model()->rowCount());
  }
}

// Tab moves through the tool bar first and then into the table, the order
// the user reads the panel in, on every panel type.
TEST_F(InstrumentsPanelTest, tabReachesTheTableAfterTheToolBar) {
  for (auto tradeType : {kStock, mxservice::NQ_TRADER_BOND_TENDER}) {
    PanelProbe* panel = makePanel(tradeType);
    // The table's part: the table or the widgets inside it that take focus.
    std::vector<bool> inTable;
    for (QWidget* w = panel->nextInFocusChain(); w != panel; w = w->nextInFocusChain()) {
      if (!panel->isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus)) continue;
      inTable.push_back(w == panel->table() || panel->table()->isAncestorOf(w));
    }
    ASSERT_GE(inTable.size(), 2u) << tradeType;
    EXPECT_FALSE(inTable.front()) << tradeType;
    EXPECT_TRUE(std::is_sorted(inTable.begin(), inTable.end())) << tradeType;
  }
}

TEST_F(InstrumentsPanelTest, searchInputIsRestrictedByTheTradingTypesPattern) {
  struct Case {
    ENqTraderType type;
    const char* typed;
    const char* kept;
  };
  const Case cases[] = {
      {kStock, "60-0a", "600a"},      {kStock, "ab c", "abc"},
      {kOuterFuture, "nq 7", "nq 7"}, {kOuterFuture, "nq m7", "nq m"},
      {kOuterFuture, "6e-1", "6e1"},
  };
  for (const Case& c : cases) {
    PanelProbe* panel = makePanel(c.type);
    QTest::keyClicks(panel->searchEdit(), u8(c.typed));
    EXPECT_EQ(panel->searchEdit()->getText(), u8(c.kept)) << c.typed;
    EXPECT_EQ(panel->filterText(), u8(c.kept).toUpper()) << c.typed;
    settle(panel);
  }
}

TEST_F(InstrumentsPanelTest, lowerCaseLettersTypedFilterByTheirUpperCaseForm) {
  PanelProbe* panel = makePanel(kOuterFuture);
  const int all = panel->table()->model()->rowCount();
  QTest::keyClicks(panel->searchEdit(), QStringLiteral("nq"));
  EXPECT_EQ(panel->filterText(), QStringLiteral("NQ"));
  settle(panel);

  const std::vector<std::string> keys = rowKeys(panel->table());
  EXPECT_LT(static_cast<int>(keys.size()), all);
  EXPECT_NE(std::find(keys.begin(), keys.end(), "NQM7.CME"), keys.end());
  EXPECT_EQ(std::find(keys.begin(), keys.end(), "ESM7.CME"), keys.end());
  // The view shows the filtered load (slotRefresh repainted it).
  EXPECT_EQ(panel->table()->viewRowCount(), static_cast<int>(keys.size()));

  // Handed to the model as typed, the lower-case text would not have found
  // the code: the upper-casing is what makes the search case-insensitive.
  panel->table()->model()->refresh(QStringLiteral("nq"));
  settle(panel);
  const std::vector<std::string> raw = rowKeys(panel->table());
  EXPECT_EQ(std::find(raw.begin(), raw.end(), "NQM7.CME"), raw.end());

  // Enter (101) filters the same way; clearing brings every row back.
  EXPECT_TRUE(
      panel->handleEvent(GU::EVENT_EDIT_RETURN_PRESSED, 0, 0, QStringLiteral("esm"), nullptr));
  settle(panel);
  EXPECT_EQ(panel->filterText(), QStringLiteral("ESM"));
  EXPECT_EQ(rowKeys(panel->table()), std::vector<std::string>{"ESM7.CME"});
  panel->searchEdit()->clearAction()->trigger();
  settle(panel);
  EXPECT_TRUE(panel->filterText().isEmpty());
  EXPECT_EQ(panel->table()->model()->rowCount(), all);
}

TEST_F(InstrumentsPanelTest, aRowClickRelaysTheStockKeyExactlyOnce) {
  PanelProbe* panel = makePanel(kStock);
  parentOf(panel)->resize(900, 500);
  panel->resize(900, 500);
  parentOf(panel)->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(parentOf(panel)));
  settle(panel);

  QSignalSpy selected(panel, SIGNAL(sigSelectStock(QString)));
  LW::CHpfInsTable* table = panel->table();
  ASSERT_GE(table->viewRowCount(), 2);
  for (int viewRow : {0, 1, 1}) {
    const QRect cell = table->visualCellRect(viewRow, table->columnID(0));
    ASSERT_FALSE(cell.isEmpty());
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  }
  ASSERT_EQ(selected.count(), 3);
  for (int i = 0; i < 3; ++i) {
    const int viewRow = i == 0 ? 0 : 1;
    auto clicked = boost::dynamic_pointer_cast<LW::CInstrumentData>(table->viewRowData(viewRow));
    ASSERT_TRUE(clicked && clicked->instrument());
    EXPECT_EQ(selected.at(i).at(0).toString(),
              QString::fromStdString(
                  utils::nqStockKey(clicked->instrument()->marketId, clicked->instrument()->code)));
  }
}

TEST_F(InstrumentsPanelTest, stockListReloadsOnlyForANonEmptyMapOfAMatchingBroker) {
  PanelProbe* panel = makePanel(kStock);
  LW::CExchangeClient* exchange = LW::CExchangeClient::instance();
  const QMap<QString, mxservice::CInstrumentDetailPtr> stocks = exchange->stockListMap();
  ASSERT_FALSE(stocks.isEmpty());
  struct Case {
    const char* what;
    bool empty;
    int brokerType;
    int loads;
  };
  const Case cases[] = {
      {"empty map, matching broker", true, 1, 0},  {"broker of futures only", false, 2, 0},
      {"broker of no trading type", false, 0, 0},  {"stock broker", false, 1, 1},
      {"broker of several types", false, 0xFF, 1},
  };
  for (const Case& c : cases) {
    LoadCounter counter(panel);
    exchange->emitStockList(c.empty ? QMap<QString, mxservice::CInstrumentDetailPtr>() : stocks,
                            c.brokerType);
    EXPECT_EQ(counter.loads(), c.loads) << c.what;
  }

  // Changed instruments always reload; which ones does not matter.
  for (const std::set<std::string>& changed :
       {std::set<std::string>(), std::set<std::string>{"600036.SH"}}) {
    LoadCounter counter(panel);
    exchange->emitStockListChange(changed);
    EXPECT_EQ(counter.loads(), 1);
  }
}

TEST_F(InstrumentsPanelTest, newTradingDateReloadsOnlyForANewNonEmptyDate) {
  PanelProbe* panel = makePanel(kStock);
  struct Case {
    const char* newDate;
    const char* oldDate;
    int loads;
  };
  const Case cases[] = {
      {"", "20240101", 0},         {"", "", 0},         {"20240102", "20240102", 0},
      {"20240103", "20240102", 1}, {"20240103", "", 1},
  };
  for (const Case& c : cases) {
    LoadCounter counter(panel);
    LW::CExchangeClient::instance()->emitNewTradingDate(c.newDate, c.oldDate);
    EXPECT_EQ(counter.loads(), c.loads) << c.newDate << " / " << c.oldDate;
  }
}

TEST_F(InstrumentsPanelTest, onlyInterBankAndFundPanelsFollowInterBankData) {
  LW::CTradeClient* tradeClient = LW::CTradeClient::instance();
  struct Case {
    int type;
    bool follows;
  };
  const Case cases[] = {{1, false},        {64, false},   {512, true},       {32768, true},
                        {0x2000000, true}, {1536, false}, {0x100000, false}, {2, false}};
  for (const Case& c : cases) {
    PanelProbe* panel = makePanel(type(c.type));
    {
      LoadCounter counter(panel);
      tradeClient->notifyInterBankDatasFinished();
      EXPECT_EQ(counter.loads(), c.follows ? 1 : 0) << c.type;
    }
    {
      LoadCounter counter(panel);
      tradeClient->notifyBondTenderDatasFinished();
      EXPECT_EQ(counter.loads(), 0) << c.type;
    }
    // Other panels are not even connected: disconnecting finds nothing.
    EXPECT_EQ(QObject::disconnect(tradeClient, SIGNAL(sigInitInterBankDatasFinished()), panel,
                                  SLOT(slotInitInterBankDatasFinished())),
              c.follows)
        << c.type;
    EXPECT_FALSE(QObject::disconnect(tradeClient, SIGNAL(sigInitBondTenderDatasFinished()), panel,
                                     SLOT(slotInitBondTenderDatasFinished())))
        << c.type;
  }
}

TEST_F(InstrumentsPanelTest, paramThenSetParamRestoresTheColumnLayout) {
  PanelProbe* original = makePanel(kStock);
  LW::CHpfInsTable* table = original->table();
  ASSERT_GE(table->columnCount(), 4);
  const int moved = table->columnID(2);
  const int resized = table->columnID(1);
  const int hidden = table->columnID(3);
  table->moveColumn(moved, 0);
  table->setColumnWidth(resized, 123);
  table->setColumnHidden(hidden, true);
  const QString saved = original->param();
  ASSERT_FALSE(saved.isEmpty());

  PanelProbe* restored = makePanel(kStock);
  const QString defaults = restored->param();
  EXPECT_NE(defaults, saved);
  restored->setParam(saved);
  EXPECT_EQ(restored->param(), saved);
  LW::CHpfInsTable* other = restored->table();
  ASSERT_EQ(other->columnCount(), table->columnCount());
  for (int index = 0; index < table->columnCount(); ++index) {
    EXPECT_EQ(other->columnID(index), table->columnID(index)) << index;
  }
  EXPECT_EQ(other->columnID(0), moved);
  EXPECT_EQ(other->columnWidth(resized), 123);
  EXPECT_TRUE(other->isColumnHidden(hidden));

  // Text that is no layout of this table keeps the current one.
  for (const QString& bad :
       {QString(), QStringLiteral("garbage"), u8("\xff\xfe{"), saved.left(5)}) {
    restored->setParam(bad);
    EXPECT_EQ(restored->param(), saved);
  }
}

TEST_F(InstrumentsPanelTest, favouritesButtonsOfForeignFuturesFollowUpdateOptionalStatus) {
  PanelProbe* panel = makePanel(kOuterFuture);
  auto delegate = favourites(panel);
  ASSERT_TRUE(delegate);
  // The sample user's favourites start disabled.
  for (const char* key : {"NQM7.CME", "ZBH7.CME", "HGH7.COMEX"}) {
    EXPECT_FALSE(delegate->isItemEnabled(key)) << key;
  }
  EXPECT_TRUE(delegate->isItemEnabled("ESM7.CME"));

  panel->updateOptionalStatus(64, LW::CUserConfig::FAVOURITE_REMOVED, {QStringLiteral("NQM7.CME")});
  EXPECT_TRUE(delegate->isItemEnabled("NQM7.CME"));
  EXPECT_FALSE(delegate->isItemEnabled("ZBH7.CME"));
  panel->updateOptionalStatus(0, LW::CUserConfig::FAVOURITE_ADDED, {QStringLiteral("ESM7.CME")});
  EXPECT_FALSE(delegate->isItemEnabled("ESM7.CME"));
  // Any operation other than 0 counts as leaving the favourites.
  panel->updateOptionalStatus(0, 7, {QStringLiteral("ESM7.CME")});
  EXPECT_TRUE(delegate->isItemEnabled("ESM7.CME"));

  // In the broker edition the panel ignores the host's favourites changes.
  LW::getConfig()->setBrokerEdition(true);
  panel->updateOptionalStatus(0, LW::CUserConfig::FAVOURITE_ADDED, {QStringLiteral("ESM7.CME")});
  EXPECT_TRUE(delegate->isItemEnabled("ESM7.CME"));
  LW::getConfig()->setBrokerEdition(false);

  // Other types have no favourites state to follow.
  PanelProbe* stocks = makePanel(kStock);
  auto stockDelegate = favourites(stocks);
  ASSERT_TRUE(stockDelegate);
  stocks->updateOptionalStatus(0, LW::CUserConfig::FAVOURITE_ADDED, {QStringLiteral("600036.SH")});
  for (const std::string& key : rowKeys(stocks->table())) {
    EXPECT_TRUE(stockDelegate->isItemEnabled(key)) << key;
    EXPECT_EQ(stockDelegate->itemButtons(key).size(), 1) << key;
  }
}

TEST_F(InstrumentsPanelTest, favouritesInTheBrokerEditionStayEnabled) {
  mxservice::CHostServices::reset();
  installSample();
  LW::getConfig()->setBrokerEdition(true);
  LW::getUserConfig()->setBrokerEditionUserType(3);
  PanelProbe* panel = makePanel(kOuterFuture);
  auto delegate = favourites(panel);
  ASSERT_TRUE(delegate);
  const std::vector<std::string> keys = rowKeys(panel->table());
  ASSERT_FALSE(keys.empty());
  for (const std::string& key : keys) EXPECT_TRUE(delegate->isItemEnabled(key)) << key;
}

// The table turns a press of the favourites button into event 1383 (its own
// test clicks the button); the panel turns that into sigSingleCodeOption and
// hands nothing further up.
TEST_F(InstrumentsPanelTest, favouritesButtonBecomesSingleCodeOptionOnEveryPanelType) {
  for (auto tradeType : {kOuterFuture, kStock, kFund, kInterBank}) {
    PanelProbe* panel = makePanel(tradeType);
    QSignalSpy spy(panel, SIGNAL(sigSingleCodeOption(int, int, QString)));
    EXPECT_TRUE(panel->table()->deliverEvent(GU::EVENT_FAVORITE_BUTTON_PRESSED, 0,
                                             static_cast<int>(tradeType),
                                             QStringLiteral("ESM7.CME"), nullptr));
    ASSERT_EQ(spy.count(), 1) << tradeType;
    EXPECT_EQ(spy.at(0).at(0).toInt(), static_cast<int>(tradeType));
    EXPECT_EQ(spy.at(0).at(1).toInt(), 0);
    EXPECT_EQ(spy.at(0).at(2).toString(), QStringLiteral("ESM7.CME"));
    EXPECT_TRUE(parentOf(panel)->eventsWithId(GU::EVENT_FAVORITE_BUTTON_PRESSED).empty());
  }
}

// The market texts of inter-bank rows are searchable as shown: typed in lower
// case, "bank" finds the one generic inter-bank bond of the sample.
TEST_F(InstrumentsPanelTest, interBankPanelsFindTheMarketTextTypedInLowerCase) {
  for (auto tradeType : {kInterBank, kInterBankFx}) {
    PanelProbe* panel = makePanel(tradeType);
    LW::CHpfInsTable* table = panel->table();
    ASSERT_EQ(table->viewRowCount(), 30) << tradeType;
    QTest::keyClicks(panel->searchEdit(), QStringLiteral("bank"));
    settle(panel);
    ASSERT_EQ(table->viewRowCount(), 1);
    EXPECT_EQ(table->cellText(0, 0), QStringLiteral("INTERBANK"));
    auto row = boost::dynamic_pointer_cast<LW::CInstrumentData>(table->viewRowData(0));
    ASSERT_TRUE(row && row->interBankBond());
    EXPECT_EQ(row->interBankBond()->market, "BANK");
  }
}

TEST_F(InstrumentsPanelTest, eventsWithUnknownRowsKeysOrDataAreConsumedWithoutEffect) {
  PanelProbe* panel = makePanel(kStock);
  QSignalSpy selected(panel, SIGNAL(sigSelectStock(QString)));
  QSignalSpy option(panel, SIGNAL(sigSingleCodeOption(int, int, QString)));
  const int rows = panel->table()->model()->rowCount();
  LoadCounter counter(panel);

  struct Case {
    int id;
    int wParam;
    int lParam;
    const char* text;
  };
  const Case consumed[] = {
      {43, 3, -1, ""},      {43, 0, 1 << 30, ""}, {43, 3, 0, ""},  // not a tender panel
      {228, 0, 26, "nope"}, {228, 0, 10500, ""},  {228, 0, 16, "600036.SH"},
      {72, 0, 0, "x"},      {5, 5, 0, "查询"},
  };
  for (const Case& c : consumed) {
    EXPECT_TRUE(panel->handleEvent(c.id, c.wParam, c.lParam, u8(c.text), nullptr)) << c.id;
  }
  EXPECT_EQ(counter.loads(), 0);
  EXPECT_EQ(panel->table()->model()->rowCount(), rows);
  EXPECT_EQ(selected.count(), 0);
  EXPECT_EQ(option.count(), 0);
  EXPECT_TRUE(panel->filterText().isEmpty());

  // Events the panel does not know go to the framework base, which consumes
  // nothing; the title event is left to the dock as well.
  EXPECT_FALSE(panel->handleEvent(4242, 1, 2, QStringLiteral("t"), nullptr));
  EXPECT_FALSE(panel->handleEvent(GU::EVENT_EDIT_CLEARED, 0, 0, QString(), nullptr));
  EXPECT_EQ(counter.loads(), 0);
}

}  // namespace
