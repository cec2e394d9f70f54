// CInstrumentsHelper::updateCommandStatus, which any module of the host may
// call: which order commands of the current account receive a status
// request, in which order, and what is sent.

#include "tendertestsupport.h"

#include "host/services/hostservices.h"
#include "host/services/tradeclient.h"
#include "tender/instrumentshelper.h"

using namespace tendertest;

namespace {

using Requests = std::vector<LW::CTradeClient::RequestRecord>;

Requests statusRequests() {
  LW::CTradeClient::instance()->waitForIdle();
  Requests found;
  for (const auto& request : LW::CTradeClient::instance()->handledRequests()) {
    if (request.kind == LW::CTradeClient::RequestRecord::COMMAND_STATUS) found.push_back(request);
  }
  return found;
}

class InstrumentsHelperTest : public TenderFixture {
protected:
  mxservice::CTenderBondInfoDetailPtr a1 = tenderBond("A1", today());
};

TEST_F(InstrumentsHelperTest, statusPushSkipsOtherBondsAndUnreadableParameters) {
  bson::BSONObjBuilder stringParams;
  stringParams.append("btdparam", "A1");
  install({a1}, {orderCommand(11, "A1", 2), orderCommand(12, "B1", 2),
                 orderCommandWithParams(13, stringParams.obj(), 2),
                 orderCommandWithParams(14, bson::BSONObj(), 2), orderCommand(15, "A1", 5),
                 orderCommand(16, "A10", 2)});
  LW::CInstrumentsHelper::updateCommandStatus(mxservice::ORDER_COMMAND_STOPPED,
                                              QStringLiteral("A1"));
  const Requests sent = statusRequests();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].commandId, 11);
  EXPECT_EQ(sent[1].commandId, 15);
  EXPECT_EQ(sent[0].status, 5);

  LW::CInstrumentsHelper::updateCommandStatus(mxservice::ORDER_COMMAND_STOPPED,
                                              QStringLiteral("Z9"));
  EXPECT_EQ(statusRequests().size(), 2u);
  // No current account: nothing to send, nothing reported.
  mxservice::CHostServices::reset();
  LW::CInstrumentsHelper::updateCommandStatus(mxservice::ORDER_COMMAND_STOPPED,
                                              QStringLiteral("A1"));
  EXPECT_TRUE(statusRequests().empty());
}

}  // namespace
