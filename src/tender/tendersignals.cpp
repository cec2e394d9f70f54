#include "tender/tendersignals_p.h"

#include "panel/instrumentspanel.h"

#include <string>

namespace LW {

QString tenderPayload(const mxservice::CTenderBondInfoDetail& detail) {
  // The command views parse the unit back from this text; std::to_string
  // writes the "%f" form (six decimals, no exponent) they expect.
  return QString::fromStdString(detail.bondCode) + QLatin1Char('|') +
         QString::fromStdString(std::to_string(detail.basicBidUnit / 10000.0));
}

bool emitTenderStatusPair(CInstrumentsPanel* panel, int status, const QString& payload) {
  switch (status) {
    case mxservice::ORDER_COMMAND_LOCKED:
      emit panel->sigBondExecutionLockedTenderBond(payload);
      emit panel->sigBondAllocationLockedTenderBond(payload);
      return true;
    case mxservice::ORDER_COMMAND_DEAL_FINISHED:
      emit panel->sigBondExecutionDealFinishedTenderBond(payload);
      emit panel->sigBondAllocationDealFinishedTenderBond(payload);
      return true;
    case mxservice::ORDER_COMMAND_APPROVING:
      emit panel->sigBondExecutionApprovingTenderBond(payload);
      emit panel->sigBondAllocationApprovingTenderBond(payload);
      return true;
    case mxservice::ORDER_COMMAND_RUNNING:
      emit panel->sigBondExecutionRunningTenderBond(payload);
      emit panel->sigBondAllocationRunningTenderBond(payload);
      return true;
    case mxservice::ORDER_COMMAND_STOPPED:
      emit panel->sigBondExecutionStoppedTenderBond(payload);
      emit panel->sigBondAllocationStoppedTenderBond(payload);
      return true;
    case mxservice::ORDER_COMMAND_SETTLE_FINISHED:
      emit panel->sigBondExecutionSettleFinishedTenderBond(payload);
      emit panel->sigBondAllocationSettleFinishedTenderBond(payload);
      return true;
    default:
      return false;
  }
}

}  // namespace LW
