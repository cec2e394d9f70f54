// The instruments panel of the bond-tender type, as the host sees it:
// construction without a search field, which events start a tender search,
// which clicks select a tender, which button presses reach the tender
// actions, how order commands rebuild the row of their bond, and the tender
// signals that leave the panel. The tender components are tested on their
// own in tests/tender.

#include "paneltestsupport.h"

#include "logcapture.h"
#include "tendersignallog.h"

#include "host/bson/bsonobj.h"
#include "host/data/ordercommand.h"
#include "host/services/accountdata.h"
#include "host/services/exchangeclient.h"
#include "host/services/idatacenter.h"
#include "host/services/tradeclient.h"
#include "host/services/tradercenter.h"
#include "host/services/usermanager.h"
#include "host/ui/checkbox.h"
#include "host/ui/combobox.h"
#include "host/ui/eventids.h"
#include "host/ui/lineedit.h"
#include "host/ui/messagetip.h"
#include "host/ui/simpletextwidget.h"
#include "host/ui/softcalendarlineedit.h"
#include "model/instrumentdata.h"
#include "model/instrumentmodel.h"

#include <QDate>
#include <QSignalSpy>
#include <boost/make_shared.hpp>
#include <functional>
#include <memory>
#include <sstream>

using namespace paneltest;

namespace {

const auto kTender = mxservice::NQ_TRADER_BOND_TENDER;

class TenderPanelTest : public HostFixture {
protected:
  void SetUp() override {
    HostFixture::SetUp();
    installSample();
  }

  void TearDown() override {
    m_parent.reset();
    HostFixture::TearDown();
  }

  PanelProbe* makePanel() {
    m_parent = std::make_unique<EventRecorder>();
    m_parent->consume = false;
    auto* panel = new PanelProbe(3, kTender, m_parent.get());
    settle(panel);
    return panel;
  }

  // Lists every tender bond: the bond-code field with an empty text matches
  // all of them.
  void listAll(PanelProbe* panel) {
    ASSERT_NE(panel->searchFieldCombo, nullptr);
    panel->searchFieldCombo->setCurrentText(u8("债券代码"));
    EXPECT_TRUE(panel->handleEvent(GU::EVENT_QUERY_BUTTON_CLICKED, 5, 0, u8("查询"), nullptr));
    settle(panel);
  }

  // The model row index (as clicks report it) of the bond's row; -1 if none.
  static int rowIndexOf(PanelProbe* panel, const std::string& bondCode) {
    boost::shared_ptr<LW::CHpfInsModel> model = panel->table()->model();
    for (int index = 0; index < model->rowCount(); ++index) {
      auto row = boost::dynamic_pointer_cast<LW::CInstrumentData>(model->getData(index));
      if (row && row->tenderBond() && row->tenderBond()->bondCode == bondCode) return index;
    }
    return -1;
  }

  static GU::HpfRowPtr rowOf(PanelProbe* panel, const std::string& bondCode) {
    return panel->table()->model()->getDataByKey("TB." + bondCode);
  }

  static boost::shared_ptr<mxservice::COrderCommand> tenderCommand(int commandId,
                                                                   const std::string& params,
                                                                   int tradeType = kTender) {
    auto command = boost::make_shared<mxservice::COrderCommand>();
    command->tradeType = tradeType;
    command->commandId = commandId;
    command->params = bson::BSONObj::fromJson(params);
    return command;
  }

  std::unique_ptr<EventRecorder> m_parent;
};

TEST_F(TenderPanelTest, hasNoSearchFieldAndListsTodaysTendersFromTheTenderSearch) {
  PanelProbe* panel = makePanel();
  EXPECT_EQ(panel->searchEdit(), nullptr);
  EXPECT_EQ(panel->windowTitle(), u8("债券列表"));
  ASSERT_NE(panel->table(), nullptr);

  const std::string today = QDate::currentDate().toString(QStringLiteral("yyyyMMdd")).toStdString();
  int expected = 0;
  for (const auto& entry : LW::CExchangeClient::instance()->getTenderBondInfoDetails()) {
    if (entry.second && entry.second->tenderDate == today) ++expected;
  }
  ASSERT_GT(expected, 0);
  // The instrument load of a tender model lists nothing: had the panel
  // queued one after the tender search, the table would be empty.
  EXPECT_EQ(panel->table()->model()->rowCount(), expected);
  EXPECT_EQ(panel->table()->viewRowCount(), expected);
  for (const std::string& key : rowKeys(panel->table())) EXPECT_EQ(key.rfind("TB.", 0), 0u) << key;
}

TEST_F(TenderPanelTest, searchesRunOnEnterAndQueryButNotOnEachEdit) {
  PanelProbe* panel = makePanel();
  struct Case {
    int id;
    int loads;
  };
  const Case cases[] = {
      {GU::EVENT_EDIT_TEXT_CHANGED, 0},
      {GU::EVENT_EDIT_RETURN_PRESSED, 1},  // the date editors are not shown: no date check
      {GU::EVENT_QUERY_BUTTON_CLICKED, 1},
      {GU::EVENT_COMBO_CURRENT_CHANGED, 0},
  };
  for (const Case& c : cases) {
    LoadCounter counter(panel);
    EXPECT_TRUE(panel->handleEvent(c.id, 0, 0, QStringLiteral("abc"), nullptr)) << c.id;
    EXPECT_EQ(counter.loads(), c.loads) << c.id;
    EXPECT_TRUE(panel->filterText().isEmpty()) << c.id;
  }

  // The trade client's announcement runs the search again.
  LoadCounter counter(panel);
  LW::CTradeClient::instance()->notifyBondTenderDatasFinished();
  EXPECT_EQ(counter.loads(), 1);
  LoadCounter none(panel);
  LW::CTradeClient::instance()->notifyInterBankDatasFinished();
  EXPECT_EQ(none.loads(), 0);
}

TEST_F(TenderPanelTest, aClickOnTheActionColumnOfARowWithButtonsDoesNotSelectIt) {
  PanelProbe* panel = makePanel();
  listAll(panel);
  const int index = rowIndexOf(panel, "260221");
  ASSERT_GE(index, 0);
  auto row =
      boost::dynamic_pointer_cast<LW::CInstrumentData>(panel->table()->model()->getData(index));
  ASSERT_TRUE(row && row->tenderBond());

  // A selection leaves the panel as the workflow's pair of signals of the
  // row's status, then the command panel's refresh.
  struct Case {
    int status;
    int wParam;
    const char* pair;  // null: the click does not select
  };
  const Case cases[] = {
      {204, 3, nullptr},   {204, 0, "Locked"},       {0, 3, nullptr},
      {0, 0, "Approving"}, {2, 3, nullptr},          {2, 1, "Running"},
      {5, 3, "Stopped"},   {201, 3, "DealFinished"}, {-2, 3, "SettleFinished"},
  };
  row->tenderBond()->basicBidUnit = 1000;
  const QString payload = QStringLiteral("260221|0.100000");
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.status << " / " << c.wParam);
    row->tenderBond()->setStatus(c.status);
    testsupport::TenderSignalLog log(static_cast<LW::CInstrumentsPanel*>(panel));
    EXPECT_TRUE(panel->handleEvent(GU::EVENT_TABLE_TENDER_ROW_CLICKED, c.wParam, index, QString(),
                                   nullptr));
    testsupport::TenderSignalLog::Entries expected;
    if (c.pair) {
      expected = {{std::string("Execution") + c.pair, payload},
                  {std::string("Allocation") + c.pair, payload},
                  {"RefreshCommandPanel", QStringLiteral("260221")}};
    }
    EXPECT_EQ(log.entries(), expected);
  }

  // Unknown rows are consumed without effect.
  QSignalSpy command(panel, SIGNAL(sigRefreshCommandPanel(QString)));
  for (int bad : {-1, 100000}) {
    EXPECT_TRUE(panel->handleEvent(GU::EVENT_TABLE_TENDER_ROW_CLICKED, 0, bad, QString(), nullptr));
  }
  EXPECT_EQ(command.count(), 0);
}

TEST_F(TenderPanelTest, buttonPressesReachTheTenderActionsOnlyForTenderRows) {
  PanelProbe* panel = makePanel();
  listAll(panel);
  auto tenderRow = boost::dynamic_pointer_cast<LW::CInstrumentData>(rowOf(panel, "260221"));
  ASSERT_TRUE(tenderRow && tenderRow->tenderBond());
  const std::string before = tenderRow->tenderBond()->trader();

  // A row of another trading type, even in a tender model, has no tender
  // actions.
  auto stock = boost::make_shared<mxservice::CInstrumentDetail>();
  stock->tradeType = mxservice::NQ_TRADER_STOCK;
  stock->marketId = "SH";
  stock->code = "600000";
  panel->table()->model()->addData(
      boost::make_shared<LW::CInstrumentData>(mxservice::NQ_TRADER_STOCK, stock));
  EXPECT_TRUE(panel->handleEvent(GU::EVENT_DELEGATE_BUTTON_PRESSED, 0, 16,
                                 QStringLiteral("600000.SH"), nullptr));
  EXPECT_TRUE(panel->handleEvent(GU::EVENT_DELEGATE_BUTTON_PRESSED, 0, 16, QStringLiteral("nope"),
                                 nullptr));
  ASSERT_TRUE(LW::CTradeClient::instance()->waitForIdle());
  EXPECT_TRUE(LW::CTradeClient::instance()->handledRequests().empty());
  EXPECT_EQ(tenderRow->tenderBond()->trader(), before);

  // The revoke button of a tender row: the tender action writes the trader
  // and asks the trade client.
  EXPECT_TRUE(panel->handleEvent(GU::EVENT_DELEGATE_BUTTON_PRESSED, 0, 16,
                                 QStringLiteral("TB.260221"), nullptr));
  EXPECT_EQ(tenderRow->tenderBond()->trader(), LW::getUserConfig()->userName());
  ASSERT_TRUE(LW::CTradeClient::instance()->waitForIdle());
  EXPECT_FALSE(LW::CTradeClient::instance()->handledRequests().empty());
  QCoreApplication::processEvents();
}

// The host's order command reaches the workflow (whose own test covers the
// commands that must not rebuild anything): the row of its bond is rebuilt
// around the same shared detail, the other rows stay.
TEST_F(TenderPanelTest, anOrderCommandRebuildsOnlyTheRowOfItsBond) {
  PanelProbe* panel = makePanel();
  listAll(panel);
  const GU::HpfRowPtr original = rowOf(panel, "260221");
  const GU::HpfRowPtr other = rowOf(panel, "260322");
  ASSERT_TRUE(original && other);
  panel->onOrderCommand(tenderCommand(9006, R"({"btdparam": {"bondCode": "260221"}})"));
  auto rebuilt = boost::dynamic_pointer_cast<LW::CInstrumentData>(rowOf(panel, "260221"));
  ASSERT_TRUE(rebuilt);
  EXPECT_NE(GU::HpfRowPtr(rebuilt), original);
  EXPECT_EQ(rowOf(panel, "260322"), other);
  EXPECT_EQ(rebuilt->tenderBond(),
            boost::dynamic_pointer_cast<LW::CInstrumentData>(original)->tenderBond());
  QCoreApplication::processEvents();
}

TEST_F(TenderPanelTest, followsTheAccountsOrderCommandsThroughItsSubscription) {
  PanelProbe* panel = makePanel();
  listAll(panel);
  boost::shared_ptr<mxservice::CAccountData> account =
      mxservice::TraderCenter::instance()->getDataCenter()->getAccountData(std::string());
  ASSERT_TRUE(account);

  const GU::HpfRowPtr before = rowOf(panel, "260322");
  ASSERT_TRUE(before);
  auto command = tenderCommand(9100, R"({"btdparam": {"bondCode": "260322"}})");
  command->setStatus(mxservice::ORDER_COMMAND_LOCKED);
  account->addOrUpdate(command);
  ASSERT_TRUE(account->waitForDeliveries());
  const GU::HpfRowPtr after = rowOf(panel, "260322");
  ASSERT_TRUE(after);
  EXPECT_NE(after, before);
  auto row = boost::dynamic_pointer_cast<LW::CInstrumentData>(after);
  // Whatever the other commands of the bond say, a locked one is among the
  // deciding statuses; the rebuilt row carries a derived status.
  EXPECT_NE(row->tenderBond()->status(), mxservice::kNoValueInt);
  settle(panel);
}

}  // namespace

namespace {

// The host's stock-list and trading-day signals reload every panel. A
// tender panel's rows come from its tender search: the reload must search
// again with the bar's criteria, not empty the list with an instrument load.
TEST_F(TenderPanelTest, hostReloadSignalsKeepTheTenderSearchsRows) {
  PanelProbe* panel = makePanel();
  listAll(panel);
  const std::vector<std::string> listed = rowKeys(panel->table());
  ASSERT_GT(listed.size(), 0u);

  LW::CExchangeClient* exchange = LW::CExchangeClient::instance();
  const std::vector<std::pair<const char*, std::function<void()>>> signalsToRaise = {
      {"sigStockList", [exchange] { exchange->emitStockList(exchange->stockListMap(), 0); }},
      {"sigStockListChange", [exchange] { exchange->emitStockListChange({"600000.SH"}); }},
      {"sigNewTradingDate", [exchange] { exchange->emitNewTradingDate("20991231", "20991230"); }},
  };
  for (const auto& raise : signalsToRaise) {
    raise.second();
    settle(panel);
    EXPECT_EQ(rowKeys(panel->table()), listed) << raise.first;
  }
}

}  // namespace

namespace {

using testsupport::daysFromToday;
using testsupport::tenderBond;
using testsupport::today;

// A tender panel on hand-built bonds: today's ABC1 (a financial bond) and T2
// (a treasury), yesterday's Y1 and tomorrow's M1.
class TenderPanelSearchTest : public testsupport::TenderHostFixture {
protected:
  void SetUp() override {
    TenderHostFixture::SetUp();
    auto abc = tenderBond("ABC1", today());
    abc->bondType = 3;
    auto t2 = tenderBond("T2", today());
    t2->bondType = 1;
    install({abc, t2, tenderBond("Y1", daysFromToday(-1)), tenderBond("M1", daysFromToday(1))}, {});
  }

  // Loads the model finished since the spy was made, after settling.
  static int loadsSince(QSignalSpy& spy, PanelProbe& panel) {
    settle(&panel);
    return spy.count();
  }
};

TEST_F(TenderPanelSearchTest, opensWithTheSearchBarInDateModeAndTodaysBondsListed) {
  PanelProbe panel(1, kTender, nullptr);
  settle(&panel);
  ASSERT_NE(panel.searchFieldCombo, nullptr);
  EXPECT_EQ(panel.searchFieldCombo->currentText(), u8("招标日"));
  EXPECT_FALSE(panel.startDateEdit->isHidden());
  EXPECT_TRUE(panel.searchTextEdit->isHidden());
  // Today's bonds, in the exchange client's key order.
  EXPECT_EQ(listedCodes(&panel), (std::vector<std::string>{"ABC1", "T2"}));
}

// The field combo box switches the bar's mode, by its own signal and by the
// combo event (72) the host delivers; neither searches nor clears an editor.
TEST_F(TenderPanelSearchTest, fieldChoiceSwitchesTheModeWithoutSearching) {
  PanelProbe panel(1, kTender, nullptr);
  settle(&panel);
  QSignalSpy loads(panel.table()->model().get(), SIGNAL(sigRefreshed()));
  panel.searchTextEdit->setText("kept");
  panel.startDateEdit->setDate(QDate(2024, 1, 2));
  struct Case {
    const char* field;
    bool byEvent;
    bool dateMode;
  };
  const Case cases[] = {{"债券简称", false, false},
                        {"起息日", false, true},
                        {"交易员", true, false},
                        {"缴款日", true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    panel.searchFieldCombo->blockSignals(c.byEvent);
    panel.searchFieldCombo->setCurrentText(u8(c.field));
    panel.searchFieldCombo->blockSignals(false);
    if (c.byEvent) {
      EXPECT_TRUE(panel.handleEvent(GU::EVENT_COMBO_CURRENT_CHANGED, 10, 0, u8(c.field), nullptr));
    }
    for (QWidget* dateWidget : std::initializer_list<QWidget*>{
             panel.startTimeLabel, panel.endTimeLabel, panel.startDateEdit, panel.endDateEdit}) {
      EXPECT_EQ(dateWidget->isVisibleTo(&panel), c.dateMode);
    }
    EXPECT_EQ(panel.searchTextEdit->isVisibleTo(&panel), !c.dateMode);
  }
  EXPECT_EQ(loadsSince(loads, panel), 0);
  EXPECT_EQ(panel.searchTextEdit->text(), QStringLiteral("kept"));
  EXPECT_EQ(panel.startDateEdit->getDate(), QDate(2024, 1, 2));
  EXPECT_EQ(listedCodes(&panel), (std::vector<std::string>{"ABC1", "T2"}));
}

// Enter (101) checks the date range first: a bad one shows the tip at the
// end date and keeps the rows. The query button (5) and text mode skip the
// check.
TEST_F(TenderPanelSearchTest, enterChecksTheDateRangeTheQueryButtonAndTextModeDoNot) {
  PanelProbe panel(1, kTender, nullptr);
  settle(&panel);
  QSignalSpy loads(panel.table()->model().get(), SIGNAL(sigRefreshed()));
  panel.startDateEdit->setDate(QDate::currentDate().addDays(1));
  EXPECT_TRUE(panel.handleEvent(GU::EVENT_EDIT_RETURN_PRESSED, 1, 0, QString(), nullptr));
  ASSERT_EQ(GU::CMessageTip::tipCount(), 1);
  EXPECT_EQ(GU::CMessageTip::lastTip().widget.data(), panel.endDateEdit);
  EXPECT_EQ(loadsSince(loads, panel), 0);
  EXPECT_EQ(listedCodes(&panel), (std::vector<std::string>{"ABC1", "T2"}));
  EXPECT_FALSE(panel.testHintDate());
  EXPECT_EQ(GU::CMessageTip::tipCount(), 2);

  // The reversed range through the query button lists nothing.
  EXPECT_TRUE(panel.handleEvent(GU::EVENT_QUERY_BUTTON_CLICKED, 5, 0, u8("查询"), nullptr));
  EXPECT_EQ(loadsSince(loads, panel), 1);
  EXPECT_TRUE(listedCodes(&panel).empty());

  // A wider range through Enter.
  panel.startDateEdit->setDate(QDate::currentDate().addDays(-1));
  EXPECT_TRUE(panel.handleEvent(GU::EVENT_EDIT_RETURN_PRESSED, 1, 0, QString(), nullptr));
  settle(&panel);
  EXPECT_EQ(listedCodes(&panel), (std::vector<std::string>{"ABC1", "T2", "Y1"}));

  // Text mode with a reversed range still searches, by the text.
  panel.endDateEdit->setDate(QDate::currentDate().addDays(-5));
  panel.searchFieldCombo->setCurrentText(u8("债券代码"));
  panel.searchTextEdit->setText("AB");
  EXPECT_TRUE(panel.handleEvent(GU::EVENT_EDIT_RETURN_PRESSED, 4, 0, "AB", nullptr));
  settle(&panel);
  EXPECT_EQ(GU::CMessageTip::tipCount(), 2);
  EXPECT_EQ(listedCodes(&panel), (std::vector<std::string>{"ABC1"}));
}

TEST_F(TenderPanelSearchTest, internalOnlyCheckBoxNarrowsTheSearchForUserType200) {
  auto none = tenderBond("N0", today());
  auto real = tenderBond("R0", today());
  real->setInternalAmount(0.5);
  install({none, real}, {}, 200);
  PanelProbe panel(1, kTender, nullptr);
  settle(&panel);
  ASSERT_NE(panel.internalOnlyCheck, nullptr);
  EXPECT_EQ(listedCodes(&panel), (std::vector<std::string>{"N0", "R0"}));
  panel.internalOnlyCheck->setChecked(true);
  for (const char* field : {"招标日", "债券代码"}) {
    panel.searchFieldCombo->setCurrentText(u8(field));
    panel.handleEvent(GU::EVENT_QUERY_BUTTON_CLICKED, 5, 0, QString(), nullptr);
    settle(&panel);
    EXPECT_EQ(listedCodes(&panel), (std::vector<std::string>{"R0"})) << field;
  }
}

TEST_F(TenderPanelSearchTest, aFailedAnswerIsLoggedUnderThePanelsAddress) {
  PanelProbe panel(1, kTender, nullptr);
  settle(&panel);
  testsupport::LogCapture capture;
  panel.onUpdateTenderBondDetails(utils::MXError(3, "timeout"), bson::BSONObj(),
                                  mxservice::ORDER_COMMAND_LOCKED, listedDetail(&panel, "T2"));
  std::vector<testsupport::LogCapture::Record> errors;
  for (const auto& record : capture.records()) {
    if (record.level == 40000) errors.push_back(record);
  }
  ASSERT_EQ(errors.size(), 1u);
  std::ostringstream prefix;
  prefix << "[" << static_cast<const void*>(static_cast<LW::CInstrumentsPanel*>(&panel))
         << "] [LW::CInstrumentsPanel::onUpdateTenderBondDetails] ";
  EXPECT_EQ(errors[0].message,
            prefix.str() +
                "updateTenderBondDetails error,error id:3, error message:timeout, "
                "bond code:T2");
  EXPECT_EQ(errors[0].fileName, "CInstrumentsPanel");
  EXPECT_EQ(errors[0].line, 731);
}

// The amounts the host hands to a panel of another type still reach the
// shared detail and the trade client; there is no row to rebuild.
TEST_F(TenderPanelSearchTest, aPanelOfAnotherTypeStillHandsTheAmountsToTheHost) {
  PanelProbe panel(1, mxservice::NQ_TRADER_STOCK, nullptr);
  settle(&panel);
  auto t2 = LW::CExchangeClient::instance()->getTenderBondInfoDetails().at("TB.T2");
  LoadCounter loads(&panel);
  panel.refreshBondTenderReportData("T2", 1.23456, 0.5);
  panel.refreshBondTenderWinBidAmount("T2", 2.0);
  panel.refreshBondTenderReportData("ZZ", 9.0, 9.0);
  EXPECT_DOUBLE_EQ(t2->internalAmount(), 1.2346);
  EXPECT_DOUBLE_EQ(t2->externalAmount(), 0.5);
  EXPECT_DOUBLE_EQ(t2->winBidAmount(), 2.0);
  ASSERT_TRUE(LW::CTradeClient::instance()->waitForIdle());
  int sent = 0;
  for (const auto& request : LW::CTradeClient::instance()->handledRequests()) {
    if (request.kind == LW::CTradeClient::RequestRecord::TENDER_DETAILS) {
      EXPECT_EQ(request.bondCode, "T2");
      ++sent;
    }
  }
  EXPECT_EQ(sent, 2);
  EXPECT_EQ(loads.loads(), 0);
  // Its tender operations do nothing.
  QSignalSpy commandPanel(&panel, SIGNAL(sigRefreshCommandPanel(QString)));
  panel.processBondTenderButtonClick(26, QStringLiteral("TB.T2"));
  panel.onUpdateTenderBondDetails(utils::MXError::success(), bson::BSONObj(),
                                  mxservice::ORDER_COMMAND_LOCKED, t2);
  EXPECT_EQ(commandPanel.count(), 0);
  EXPECT_TRUE(panel.testHintDate());
}

}  // namespace
