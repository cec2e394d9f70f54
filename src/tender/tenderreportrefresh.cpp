// The host hands a tender panel new amounts of one bond (internal and
// external report amounts, or the winning-bid amount). They are written into
// the shared tender detail, so every view holding it sees them at once, sent
// to the trade client without awaiting its answer, and the bond's row is
// rebuilt on the caller's thread.

#include "host/core/singleton.h"
#include "host/services/exchangeclient.h"
#include "host/services/tradeclient.h"
#include "host/text/numberformat.h"
#include "model/instrumentmodel.h"
#include "panel/hpfinstable.h"
#include "panel/instrumentspanel.h"

namespace LW {

namespace {

// Amounts are kept to four decimals (the columns' precision), rounded by the
// host formatter; a value it cannot show (NaN, infinite, the no-value
// marker, absurdly large) comes back as the invalid text, which reads as 0.
double roundAmount(double amount) {
  return GU::formatDoubleNumber(amount, 4, utils::CFormatNumberFlags(), false,
                                QStringLiteral("非法值"))
      .toDouble();
}

// The first detail, in the exchange client's key order, of bondCode.
mxservice::CTenderBondInfoDetailPtr findTenderDetail(const std::string& bondCode) {
  const mxservice::TenderBondInfoDetailMap details =
      utils::CManualSingletonT<CExchangeClient>::instance()->getTenderBondInfoDetails();
  for (const auto& entry : details) {
    if (entry.second && entry.second->bondCode == bondCode) return entry.second;
  }
  return mxservice::CTenderBondInfoDetailPtr();
}

}  // namespace

void CInstrumentsPanel::refreshBondTenderReportData(std::string bondCode, double internalAmount,
                                                    double externalAmount) {
  const mxservice::CTenderBondInfoDetailPtr detail = findTenderDetail(bondCode);
  if (!detail) return;
  detail->setInternalAmount(roundAmount(internalAmount));
  detail->setExternalAmount(roundAmount(externalAmount));
  utils::CManualSingletonT<CTradeClient>::instance()->updateTenderBondDetails(
      detail, IBondTenderService::ResultCallback(), 0, 0);
  if (m_table) m_table->model()->updateTenderRow(detail);
}

void CInstrumentsPanel::refreshBondTenderWinBidAmount(std::string bondCode, double winBidAmount) {
  const mxservice::CTenderBondInfoDetailPtr detail = findTenderDetail(bondCode);
  if (!detail) return;
  detail->setWinBidAmount(roundAmount(winBidAmount));
  utils::CManualSingletonT<CTradeClient>::instance()->updateTenderBondDetails(
      detail, IBondTenderService::ResultCallback(), 0, 0);
  if (m_table) m_table->model()->updateTenderRow(detail);
}

}  // namespace LW
