// The instruments panel of the bond-tender type, as far as the panel itself
// decides: construction without a search field, which events start a tender
// search, which clicks select a tender, which button presses reach the tender
// actions, and how order commands rebuild the row of their bond.

#include "paneltestsupport.h"

#include "host/bson/bsonobj.h"
#include "host/data/ordercommand.h"
#include "host/services/accountdata.h"
#include "host/services/exchangeclient.h"
#include "host/services/idatacenter.h"
#include "host/services/tradeclient.h"
#include "host/services/tradercenter.h"
#include "host/services/usermanager.h"
#include "host/ui/combobox.h"
#include "host/ui/eventids.h"
#include "host/ui/lineedit.h"
#include "host/ui/softcalendarlineedit.h"
#include "model/instrumentdata.h"
#include "model/instrumentmodel.h"

#include <QDate>
#include <QSignalSpy>
#include <boost/make_shared.hpp>
#include <functional>
#include <memory>

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

TEST_F(TenderPanelTest, fieldComboSwitchesBetweenDateAndTextModes) {
  PanelProbe* panel = makePanel();
  ASSERT_NE(panel->searchTextEdit, nullptr);
  ASSERT_NE(panel->startDateEdit, nullptr);
  panel->searchFieldCombo->setCurrentText(u8("债券简称"));
  EXPECT_TRUE(panel->handleEvent(GU::EVENT_COMBO_CURRENT_CHANGED, 0, 0, QString(), nullptr));
  EXPECT_TRUE(panel->searchTextEdit->isVisibleTo(panel));
  EXPECT_FALSE(panel->startDateEdit->isVisibleTo(panel));
  panel->searchFieldCombo->setCurrentText(u8("起息日"));
  EXPECT_TRUE(panel->handleEvent(GU::EVENT_COMBO_CURRENT_CHANGED, 0, 0, QString(), nullptr));
  EXPECT_FALSE(panel->searchTextEdit->isVisibleTo(panel));
  EXPECT_TRUE(panel->startDateEdit->isVisibleTo(panel));
}

TEST_F(TenderPanelTest, aClickOnTheActionColumnOfARowWithButtonsDoesNotSelectIt) {
  PanelProbe* panel = makePanel();
  listAll(panel);
  const int index = rowIndexOf(panel, "260221");
  ASSERT_GE(index, 0);
  auto row =
      boost::dynamic_pointer_cast<LW::CInstrumentData>(panel->table()->model()->getData(index));
  ASSERT_TRUE(row && row->tenderBond());

  struct Case {
    int status;
    int wParam;
    bool selects;
  };
  const Case cases[] = {
      {204, 3, false}, {204, 0, true}, {0, 3, false},  {2, 3, false},
      {2, 1, true},    {5, 3, true},   {201, 3, true}, {-2, 3, true},
  };
  for (const Case& c : cases) {
    row->tenderBond()->setStatus(c.status);
    QSignalSpy command(panel, SIGNAL(sigRefreshCommandPanel(QString)));
    EXPECT_TRUE(panel->handleEvent(GU::EVENT_TABLE_TENDER_ROW_CLICKED, c.wParam, index, QString(),
                                   nullptr));
    ASSERT_EQ(command.count(), c.selects ? 1 : 0) << c.status << " / " << c.wParam;
    if (c.selects) {
      EXPECT_EQ(command.at(0).at(0).toString(), QStringLiteral("260221"));
    }
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

TEST_F(TenderPanelTest, anOrderCommandRebuildsOnlyTheRowOfItsBond) {
  PanelProbe* panel = makePanel();
  listAll(panel);
  const GU::HpfRowPtr original = rowOf(panel, "260221");
  const GU::HpfRowPtr other = rowOf(panel, "260322");
  ASSERT_TRUE(original && other);

  struct Case {
    const char* what;
    boost::shared_ptr<mxservice::IData> record;
    bool rebuilds;
  };
  const Case cases[] = {
      {"null record", nullptr, false},
      {"not an order command", boost::make_shared<mxservice::CTenderBondInfoDetail>(), false},
      {"another trading type", tenderCommand(9001, R"({"btdparam": {"bondCode": "260221"}})", 1),
       false},
      {"no btdparam", tenderCommand(9002, R"({"bondCode": "260221"})"), false},
      {"btdparam as text", tenderCommand(9003, R"({"btdparam": "260221"})"), false},
      {"bond not listed", tenderCommand(9004, R"({"btdparam": {"bondCode": "999999"}})"), false},
      {"bond code differs in case or length",
       tenderCommand(9005, R"({"btdparam": {"bondCode": "2602210"}})"), false},
      {"listed bond", tenderCommand(9006, R"({"btdparam": {"bondCode": "260221"}})"), true},
  };
  for (const Case& c : cases) {
    const GU::HpfRowPtr before = rowOf(panel, "260221");
    panel->onOrderCommand(c.record);
    const GU::HpfRowPtr after = rowOf(panel, "260221");
    ASSERT_TRUE(after) << c.what;
    EXPECT_EQ(after != before, c.rebuilds) << c.what;
    EXPECT_EQ(rowOf(panel, "260322"), other) << c.what;
  }
  // The rebuilt row wraps the same shared detail.
  auto rebuilt = boost::dynamic_pointer_cast<LW::CInstrumentData>(rowOf(panel, "260221"));
  auto first = boost::dynamic_pointer_cast<LW::CInstrumentData>(original);
  EXPECT_EQ(rebuilt->tenderBond(), first->tenderBond());
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
