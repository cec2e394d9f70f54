#pragma once
// The tender state signals of an instruments panel (internal to src/tender):
// the payload they carry and the execution/allocation pair of each status.
//
// Any thread: the functions only format and emit; receivers on other
// threads get the signals queued.

#include "host/data/tenderbondinfodetail.h"

#include <QString>

namespace LW {

class CInstrumentsPanel;

// The bond code, "|", and the basic tender unit / 10000 with six decimals
// ("ABC|0.100000" for a unit of 1000).
QString tenderPayload(const mxservice::CTenderBondInfoDetail& detail);

// Emits the execution signal, then the allocation signal, of status with
// payload: Approving (0), Running (2), Stopped (5), DealFinished (201),
// Locked (204) or SettleFinished (-2). False, with nothing emitted, for any
// other status.
bool emitTenderStatusPair(CInstrumentsPanel* panel, int status, const QString& payload);

}  // namespace LW
