#include "stresshost.h"

#include "stresssupport.h"

#include "host/bson/bsonobj.h"
#include "host/data/ordercommand.h"
#include "host/services/exchangeclient.h"
#include "host/services/quoteclient.h"
#include "host/services/tradeclient.h"
#include "tender/instrumentshelper.h"

#include <boost/make_shared.hpp>
#include <limits>
#include <random>
#include <thread>

namespace stresstest {

namespace {

using Clock = std::chrono::steady_clock;

const auto kTender = mxservice::NQ_TRADER_BOND_TENDER;

// An amount as the host might hand it over, now and then one the formatter
// refuses.
double hostAmount(std::mt19937& random) {
  switch (random() % 10) {
    case 0:
      return std::numeric_limits<double>::quiet_NaN();
    case 1:
      return std::numeric_limits<double>::infinity();
    case 2:
      return -1.23456;
    default:
      return static_cast<double>(random() % 200000) / 1000.0;
  }
}

mxservice::COrderCommandPtr tenderCommand(int commandId, const std::string& bondCode, int status) {
  auto command = boost::make_shared<mxservice::COrderCommand>();
  command->tradeType = kTender;
  command->commandId = commandId;
  command->passBackText = "TB|" + bondCode + "|" + std::to_string(commandId);
  bson::BSONObjBuilder inner;
  inner.append("bondCode", bondCode);
  inner.append("direction", "execution");
  bson::BSONObjBuilder outer;
  outer.append("btdparam", inner.obj());
  command->params = outer.obj();
  command->setStatus(status);
  return command;
}

// Commands that no tender row may follow: an order of another trading type,
// and tender commands whose "btdparam" is missing or not a document.
mxservice::COrderCommandPtr foreignCommand(int commandId, int variant) {
  auto command = boost::make_shared<mxservice::COrderCommand>();
  command->commandId = commandId;
  command->setStatus(mxservice::ORDER_COMMAND_RUNNING);
  switch (variant % 3) {
    case 0:
      command->tradeType = mxservice::NQ_TRADER_STOCK;
      command->params = bson::BSONObj::fromJson(R"({"marketId": "SH", "stockCode": "600000"})");
      break;
    case 1:
      command->tradeType = kTender;
      command->params = bson::BSONObj::fromJson(R"({"btdparam": "260221"})");
      break;
    default:
      command->tradeType = kTender;
      command->params = bson::BSONObj::fromJson(R"({"accountId": "88000001"})");
      break;
  }
  return command;
}

}  // namespace

void runHost(const HostScript& script, HostCounts& counts) {
  markHostThread();
  std::mt19937 random(1000 + script.index);
  std::vector<int> own;
  const int statuses[] = {0, 2, 5, 201, 204, 3, -2};
  const int pushedStatuses[] = {2, 5, 204};
  auto anyCommandId = [&]() {
    if (!own.empty() && random() % 3 == 0) return own[random() % own.size()];
    return script.tenderCommandIds[random() % script.tenderCommandIds.size()];
  };
  auto anyBond = [&]() -> const std::string& {
    return script.bondCodes[random() % script.bondCodes.size()];
  };
  LW::CExchangeClient* exchange = LW::CExchangeClient::instance();

  for (int i = 0; i < script.iterations && !script.stop->load() && Clock::now() < script.deadline;
       ++i) {
    const int pick = static_cast<int>(random() % 100);
    if (pick < 35) {
      if (auto current = script.account->findOrderCommand(anyCommandId())) {
        auto changed = boost::make_shared<mxservice::COrderCommand>(*current);
        changed->setStatus(statuses[random() % 7]);
        script.account->addOrUpdate(changed);
        ++counts.changedCommands;
      }
    } else if (pick < 47) {
      const int id = 200000 + script.index * 100000 + i;
      script.account->addOrUpdate(tenderCommand(id, anyBond(), statuses[random() % 7]));
      own.push_back(id);
      ++counts.newCommands;
    } else if (pick < 55) {
      // The account keeps no deletions: a command the host takes back
      // stays as revoked.
      if (auto current = script.account->findOrderCommand(anyCommandId())) {
        auto withdrawn = boost::make_shared<mxservice::COrderCommand>(*current);
        withdrawn->setStatus(mxservice::ORDER_COMMAND_STOPPED);
        script.account->addOrUpdate(withdrawn);
        ++counts.withdrawnCommands;
      }
    } else if (pick < 60) {
      script.account->addOrUpdate(foreignCommand(900000 + script.index * 100000 + i, i));
      ++counts.foreignCommands;
    } else if (pick < 71) {
      const bool known = random() % 8 != 0;
      const std::string code = known ? anyBond() : std::string("NO-SUCH-BOND");
      script.tenderPanel->refreshBondTenderReportData(code, hostAmount(random), hostAmount(random));
      ++counts.reportRefreshes;
      if (!known) ++counts.unknownBondRefreshes;
    } else if (pick < 79) {
      script.tenderPanel->refreshBondTenderWinBidAmount(anyBond(), hostAmount(random));
      ++counts.winBidRefreshes;
    } else if (pick < 88) {
      LW::CInstrumentsHelper::updateCommandStatus(
          static_cast<mxservice::EOrderCommandStatus>(pushedStatuses[random() % 3]),
          QString::fromStdString(anyBond()));
      ++counts.statusPushes;
    } else {
      switch (random() % 5) {
        case 0:
          exchange->emitStockList(script.stockList, 1);
          break;
        case 1:
          exchange->emitStockListChange({"600000.SH"});
          break;
        case 2:
          exchange->emitNewTradingDate(std::to_string(20300101 + i), "20300101");
          break;
        case 3:
          LW::CQuoteClient::instance()->notifyBondInfoReady();
          break;
        default:
          LW::CTradeClient::instance()->notifyBondTenderDatasFinished();
          break;
      }
      ++counts.announcements;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(300 + random() % 2000));
  }
}

}  // namespace stresstest
