// The tender workflow on the GUI thread, without a panel: the state signals
// of a selected row, the lock / unlock / revoke buttons, the answer handler
// (signals, status requests, the failure record) and the amount refreshes.

#include "tendertestsupport.h"

#include "host/core/logcenter.h"
#include "host/services/tradeclient.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "host/ui/messagebox.h"
#include "tendersignallog.h"

#include <QSignalSpy>
#include <boost/make_shared.hpp>
#include <cmath>
#include <limits>
#include <sstream>
#include <utility>

using namespace tendertest;
using Requests = std::vector<LW::CTradeClient::RequestRecord>;

namespace {

using Entries = TenderSignalLog::Entries;
using SignalLog = TenderSignalLog;

Requests requestsOfKind(LW::CTradeClient::RequestRecord::Kind kind) {
  Requests found;
  for (const auto& request : LW::CTradeClient::instance()->handledRequests()) {
    if (request.kind == kind) found.push_back(request);
  }
  return found;
}

Requests statusRequests() {
  LW::CTradeClient::instance()->waitForIdle();
  return requestsOfKind(LW::CTradeClient::RequestRecord::COMMAND_STATUS);
}

Requests detailRequests() {
  LW::CTradeClient::instance()->waitForIdle();
  return requestsOfKind(LW::CTradeClient::RequestRecord::TENDER_DETAILS);
}

// A workflow whose model lists today's bonds A1 (running) and B1 (locked).
class TenderActions : public TenderFixture {
protected:
  void SetUp() override {
    TenderFixture::SetUp();
    a1 = tenderBond("A1", today(), 1000);
    b1 = tenderBond("B1", today(), 0);
    install({a1, b1},
            {orderCommand(1, "A1", 2), orderCommand(2, "B1", 204), orderCommand(3, "A1", 0)});
    rig = std::make_unique<WorkflowRig>();
    rig->search(dateQuery("招标日", today(), today()));
    workflow = rig->workflow;
  }

  void TearDown() override {
    rig.reset();
    TenderFixture::TearDown();
  }

  mxservice::CTenderBondInfoDetailPtr a1;
  mxservice::CTenderBondInfoDetailPtr b1;
  std::unique_ptr<WorkflowRig> rig;
  LW::CTenderWorkflow* workflow = nullptr;
};

}  // namespace

TEST_F(TenderActions, rowSelectionEmitsThePairOfTheStatusThenTheCommandPanel) {
  const QString payload = QStringLiteral("A1|0.100000");
  struct Case {
    int status;
    const char* pair;  // null: no pair
  };
  const std::vector<Case> cases = {{0, "Approving"},      {2, "Running"}, {204, "Locked"},
                                   {201, "DealFinished"}, {5, "Stopped"}, {-2, "SettleFinished"},
                                   {3, nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    SignalLog log(workflow);
    a1->setStatus(c.status);
    workflow->selectRow(a1);
    Entries expected;
    if (c.pair) {
      expected.emplace_back(std::string("Execution") + c.pair, payload);
      expected.emplace_back(std::string("Allocation") + c.pair, payload);
    }
    expected.emplace_back("RefreshCommandPanel", QStringLiteral("A1"));
    EXPECT_EQ(log.entries(), expected);
  }
  SignalLog log(workflow);
  workflow->selectRow(nullptr);
  EXPECT_TRUE(log.entries().empty());
}

TEST_F(TenderActions, payloadWritesTheBasicUnitInTenThousandsWithSixDecimals) {
  struct Case {
    int unit;
    const char* payload;
  };
  const std::vector<Case> cases = {{1000, "B1|0.100000"},
                                   {0, "B1|0.000000"},
                                   {12345678, "B1|1234.567800"},
                                   {-5, "B1|-0.000500"}};
  for (const Case& c : cases) {
    b1->basicBidUnit = c.unit;
    b1->setStatus(-2);
    SignalLog log(workflow);
    workflow->selectRow(b1);
    ASSERT_FALSE(log.entries().empty());
    EXPECT_EQ(log.entries().front().second, QString::fromLatin1(c.payload));
  }
}

TEST_F(TenderActions, unlockAnsweredWithCancelChangesNothing) {
  b1->setInternalAmount(3.5);
  b1->setExternalAmount(4.5);
  b1->setTrader("someone");
  GU::CMessageBox::setAutoAnswer(QMessageBox::Cancel);
  workflow->pressButton(27, QStringLiteral("TB.B1"));
  ASSERT_EQ(GU::CMessageBox::questionCount(), 1);
  const GU::CQuestionRecord question = GU::CMessageBox::lastQuestion();
  EXPECT_EQ(question.parent.data(), rig->panel.get());
  EXPECT_EQ(question.title, u8("提示"));
  EXPECT_EQ(question.text, u8("解锁后重新锁定,执行投标内部报量和外部报量数据将会重置,确定解锁?"));
  EXPECT_EQ(question.buttons, QMessageBox::Ok | QMessageBox::Cancel);
  EXPECT_EQ(question.defaultButton, QMessageBox::NoButton);
  EXPECT_EQ(b1->internalAmount(), 3.5);
  EXPECT_EQ(b1->externalAmount(), 4.5);
  EXPECT_EQ(b1->trader(), "someone");
  EXPECT_TRUE(detailRequests().empty());
  EXPECT_TRUE(statusRequests().empty());
}

TEST_F(TenderActions, unlockAnsweredWithOkZeroesBothAmountsBeforeSending) {
  b1->setInternalAmount(3.5);
  b1->setExternalAmount(4.5);
  b1->setWinBidAmount(1.25);
  GU::CMessageBox::setAutoAnswer(QMessageBox::Ok);
  workflow->pressButton(27, QStringLiteral("TB.B1"));
  EXPECT_EQ(b1->internalAmount(), 0.0);
  EXPECT_EQ(b1->externalAmount(), 0.0);
  EXPECT_EQ(b1->winBidAmount(), 1.25);
  EXPECT_EQ(b1->trader(), "zhang.wei");
  // The server keeps what the request carried.
  const Requests sent = detailRequests();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].bondCode, "B1");
  LW::CTradeClient::TenderServerState server;
  ASSERT_TRUE(LW::CTradeClient::instance()->serverTenderState("B1", &server));
  EXPECT_EQ(server.internalAmount, 0.0);
  EXPECT_EQ(server.externalAmount, 0.0);
  EXPECT_EQ(server.trader, "zhang.wei");
}

TEST_F(TenderActions, lockAndRevokeWriteTheTraderAndSendTheDetail) {
  workflow->pressButton(26, QStringLiteral("TB.A1"));
  EXPECT_EQ(a1->trader(), "zhang.wei");
  EXPECT_EQ(detailRequests().size(), 1u);
  a1->setTrader("other");
  workflow->pressButton(16, QStringLiteral("TB.A1"));
  EXPECT_EQ(a1->trader(), "zhang.wei");
  EXPECT_EQ(detailRequests().size(), 2u);
  EXPECT_EQ(GU::CMessageBox::questionCount(), 0);

  // Unknown buttons and rows the model does not hold do nothing.
  a1->setTrader("other");
  workflow->pressButton(99, QStringLiteral("TB.A1"));
  workflow->pressButton(26, QStringLiteral("TB.NOPE"));
  workflow->pressButton(26, QString());
  EXPECT_EQ(a1->trader(), "other");
  EXPECT_EQ(detailRequests().size(), 2u);
}

TEST_F(TenderActions, successAnswersEmitThePairOfRequestedStatusesOnly) {
  const QString payload = QStringLiteral("A1|0.100000");
  struct Case {
    mxservice::EOrderCommandStatus status;
    const char* pair;
  };
  const std::vector<Case> cases = {
      {mxservice::ORDER_COMMAND_LOCKED, "Locked"},
      {mxservice::ORDER_COMMAND_RUNNING, "Running"},
      {mxservice::ORDER_COMMAND_STOPPED, "Stopped"},
      {mxservice::ORDER_COMMAND_DEAL_FINISHED, nullptr},
      {mxservice::ORDER_COMMAND_APPROVING, nullptr},
      {mxservice::ORDER_COMMAND_SETTLE_FINISHED, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    SignalLog log(workflow);
    workflow->onUpdateTenderBondDetails(utils::MXError::success(), bson::BSONObj(), c.status, a1);
    Entries expected;
    if (c.pair) {
      expected.emplace_back(std::string("Execution") + c.pair, payload);
      expected.emplace_back(std::string("Allocation") + c.pair, payload);
    }
    expected.emplace_back("RefreshCommandPanel", QStringLiteral("A1"));
    EXPECT_EQ(log.entries(), expected);
  }
}

TEST_F(TenderActions, successAnswerAsksEveryCommandOfTheBondInOrder) {
  workflow->onUpdateTenderBondDetails(utils::MXError::success(), bson::BSONObj(),
                                      mxservice::ORDER_COMMAND_LOCKED, a1);
  const Requests sent = statusRequests();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].commandId, 1);
  EXPECT_EQ(sent[1].commandId, 3);
  for (const auto& request : sent) {
    EXPECT_EQ(request.status, 204);
    EXPECT_EQ(request.userName, "zhang.wei");
    EXPECT_EQ(request.passBackText, "pass-" + std::to_string(request.commandId));
    EXPECT_EQ(request.errorId, 0);
  }
}

TEST_F(TenderActions, failedAnswerIsLoggedAndChangesNothing) {
  LogCapture capture;
  SignalLog log(workflow);
  workflow->onUpdateTenderBondDetails(utils::MXError(3, "timeout"), bson::BSONObj(),
                                      mxservice::ORDER_COMMAND_LOCKED, a1);
  std::vector<LogCapture::Record> errors;
  for (const auto& record : capture.records()) {
    if (record.level == 40000) errors.push_back(record);
  }
  ASSERT_EQ(errors.size(), 1u);
  std::ostringstream prefix;
  prefix << "[" << static_cast<const void*>(rig->panel.get())
         << "] [LW::CInstrumentsPanel::onUpdateTenderBondDetails] ";
  EXPECT_EQ(errors[0].message,
            prefix.str() +
                "updateTenderBondDetails error,error id:3, error message:timeout, "
                "bond code:A1");
  EXPECT_EQ(errors[0].fileName, "CInstrumentsPanel");
  EXPECT_EQ(errors[0].line, 731);
  EXPECT_NE(errors[0].methodSignature.find("onUpdateTenderBondDetails"), std::string::npos);
  EXPECT_TRUE(log.entries().empty());
  EXPECT_TRUE(statusRequests().empty());

  // With the log centre switched off nothing is written at all.
  utils::CLogCenter::instance()->setLogEnabled(false);
  workflow->onUpdateTenderBondDetails(utils::MXError(4, "busy"), bson::BSONObj(),
                                      mxservice::ORDER_COMMAND_LOCKED, a1);
  utils::CLogCenter::instance()->setLogEnabled(true);
  EXPECT_EQ(capture.records().size(), errors.size());
}

TEST_F(TenderActions, reportRefreshRoundsStoresSendsAndRebuildsTheRow) {
  a1->setWinBidAmount(7.0);
  a1->setStatus(201);  // stale: the row rebuild derives it afresh
  auto model = rig->model;
  auto delegate = actionButtons(model);
  ASSERT_TRUE(delegate);
  delegate->setItemButtons("TB.A1", {}, false);
  QSignalSpy refreshed(model.get(), SIGNAL(sigRefreshed()));

  workflow->refreshReportData("A1", 1.23456, 0.5);
  EXPECT_DOUBLE_EQ(a1->internalAmount(), 1.2346);
  EXPECT_DOUBLE_EQ(a1->externalAmount(), 0.5);
  EXPECT_EQ(a1->winBidAmount(), 7.0);
  EXPECT_EQ(a1->status(), 2);  // commands 1 (running) and 3 (approving)
  ASSERT_EQ(delegate->itemButtons("TB.A1").size(), 2);
  EXPECT_EQ(refreshed.count(), 1);
  const Requests sent = detailRequests();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].bondCode, "A1");
  LW::CTradeClient::TenderServerState server;
  ASSERT_TRUE(LW::CTradeClient::instance()->serverTenderState("A1", &server));
  EXPECT_DOUBLE_EQ(server.internalAmount, 1.2346);
  // No status is pushed to the commands.
  EXPECT_TRUE(statusRequests().empty());

  workflow->refreshWinBidAmount("A1", 2.71828);
  EXPECT_DOUBLE_EQ(a1->winBidAmount(), 2.7183);
  EXPECT_DOUBLE_EQ(a1->internalAmount(), 1.2346);
  EXPECT_DOUBLE_EQ(a1->externalAmount(), 0.5);
  EXPECT_EQ(detailRequests().size(), 2u);
  EXPECT_EQ(refreshed.count(), 2);
}

TEST_F(TenderActions, amountsTheFormatterRejectsAreStoredAsZero) {
  struct Case {
    double in;
    double stored;
  };
  const std::vector<Case> cases = {{std::numeric_limits<double>::quiet_NaN(), 0.0},
                                   {std::numeric_limits<double>::infinity(), 0.0},
                                   {mxservice::kNoValueDouble, 0.0},
                                   {1e19, 0.0},
                                   {-2.00005, -2.0001},
                                   {0.00004, 0.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    workflow->refreshReportData("A1", c.in, c.in);
    EXPECT_DOUBLE_EQ(a1->internalAmount(), c.stored);
    EXPECT_DOUBLE_EQ(a1->externalAmount(), c.stored);
  }
}

TEST_F(TenderActions, unknownBondCodeChangesNothingAndSendsNothing) {
  a1->setInternalAmount(1.0);
  QSignalSpy refreshed(rig->model.get(), SIGNAL(sigRefreshed()));
  workflow->refreshReportData("ZZ", 9.0, 9.0);
  workflow->refreshWinBidAmount("ZZ", 9.0);
  workflow->refreshReportData("a1", 9.0, 9.0);  // codes compare exactly
  EXPECT_EQ(a1->internalAmount(), 1.0);
  EXPECT_EQ(refreshed.count(), 0);
  EXPECT_TRUE(detailRequests().empty());
}

// An order command rebuilds the row of the listed bond its tender parameters
// name, and nothing else; anything else is ignored.
TEST_F(TenderActions, anOrderCommandRebuildsOnlyTheRowOfItsBond) {
  auto command = [](int id, const char* params, int tradeType = kTenderType) {
    auto c = orderCommandWithParams(id, bson::BSONObj::fromJson(params), 2);
    c->tradeType = tradeType;
    return c;
  };
  struct Case {
    const char* what;
    boost::shared_ptr<mxservice::IData> record;
    bool rebuilds;
  };
  const Case cases[] = {
      {"null record", nullptr, false},
      {"not an order command", boost::make_shared<mxservice::CTenderBondInfoDetail>(), false},
      {"another trading type", command(9001, R"({"btdparam": {"bondCode": "A1"}})", 1), false},
      {"no btdparam", command(9002, R"({"bondCode": "A1"})"), false},
      {"btdparam as text", command(9003, R"({"btdparam": "A1"})"), false},
      {"bond not listed", command(9004, R"({"btdparam": {"bondCode": "ZZ"}})"), false},
      {"bond code differs in length", command(9005, R"({"btdparam": {"bondCode": "A10"}})"), false},
      {"listed bond", command(9006, R"({"btdparam": {"bondCode": "A1"}})"), true},
  };
  const GU::HpfRowPtr other = rig->model->getDataByKey(QStringLiteral("TB.B1"));
  ASSERT_TRUE(other);
  for (const Case& c : cases) {
    const GU::HpfRowPtr before = rig->model->getDataByKey(QStringLiteral("TB.A1"));
    workflow->onOrderCommand(c.record);
    const GU::HpfRowPtr after = rig->model->getDataByKey(QStringLiteral("TB.A1"));
    ASSERT_TRUE(after) << c.what;
    EXPECT_EQ(after != before, c.rebuilds) << c.what;
    EXPECT_EQ(rig->model->getDataByKey(QStringLiteral("TB.B1")), other) << c.what;
  }
}

TEST_F(TenderActions, refreshOfABondTheListDoesNotShowStillReachesTheHost) {
  auto later = tenderBond("L1", daysFromToday(3));
  install({a1, later}, {});
  rig->search(dateQuery("招标日", today(), today()));
  ASSERT_EQ(listedCodes(rig->model), (std::vector<std::string>{"A1"}));
  workflow->refreshReportData("L1", 2.0, 3.0);
  EXPECT_EQ(later->internalAmount(), 2.0);
  EXPECT_EQ(detailRequests().size(), 1u);
  settle(rig->model);
  EXPECT_EQ(listedCodes(rig->model), (std::vector<std::string>{"A1"}));
}
