#include "tender/tenderamounts.h"

#include "host/core/singleton.h"
#include "host/services/exchangeclient.h"
#include "host/services/tradeclient.h"
#include "host/text/numberformat.h"

namespace LW {

namespace {

double roundAmount(double amount) {
  return GU::formatDoubleNumber(amount, 4, utils::CFormatNumberFlags(), false,
                                GU::invalidNumberText())
      .toDouble();
}

mxservice::CTenderBondInfoDetailPtr findTenderDetail(const std::string& bondCode) {
  const mxservice::TenderBondInfoDetailMap details =
      utils::CManualSingletonT<CExchangeClient>::instance()->getTenderBondInfoDetails();
  for (const auto& entry : details) {
    if (entry.second && entry.second->bondCode == bondCode) return entry.second;
  }
  return mxservice::CTenderBondInfoDetailPtr();
}

void send(const mxservice::CTenderBondInfoDetailPtr& detail) {
  utils::CManualSingletonT<CTradeClient>::instance()->updateTenderBondDetails(
      detail, IBondTenderService::ResultCallback(), 0, 0);
}

}  // namespace

mxservice::CTenderBondInfoDetailPtr sendTenderReportAmounts(const std::string& bondCode,
                                                            double internalAmount,
                                                            double externalAmount) {
  const mxservice::CTenderBondInfoDetailPtr detail = findTenderDetail(bondCode);
  if (!detail) return detail;
  detail->setInternalAmount(roundAmount(internalAmount));
  detail->setExternalAmount(roundAmount(externalAmount));
  send(detail);
  return detail;
}

mxservice::CTenderBondInfoDetailPtr sendTenderWinBidAmount(const std::string& bondCode,
                                                           double winBidAmount) {
  const mxservice::CTenderBondInfoDetailPtr detail = findTenderDetail(bondCode);
  if (!detail) return detail;
  detail->setWinBidAmount(roundAmount(winBidAmount));
  send(detail);
  return detail;
}

}  // namespace LW
