#pragma once
// The amounts of a tender bond that the host enters elsewhere (its bond
// execution and allocation views) and hands to the instruments panel: the
// internal and external report amounts and the winning-bid amount, in units
// of 10^8, shown in the tender columns 5 to 7.
//
// Each call writes the amounts into the bond's shared tender detail, so every
// view holding it sees them at once, and sends the detail to the trade client
// without awaiting its answer (no status goes to the order commands, no
// signal is emitted). The bond's row is not rebuilt here: that is the tender
// model's (CTenderWorkflow does both).
//
// Amounts are kept to four decimals, rounded by the host number formatter; a
// value it cannot show (NaN, infinite, the no-value marker, absurdly large) is
// stored as 0.
//
// Any thread (the host services are thread-safe); the detail is shared with
// the host and written without a lock, as the host's own views do.

#include "host/data/tenderbondinfodetail.h"

#include <string>

namespace LW {

// The first detail, in the exchange client's key order, whose bond code is
// bondCode (byte-equal); null when there is none, and then nothing is written
// or sent.
mxservice::CTenderBondInfoDetailPtr sendTenderReportAmounts(const std::string& bondCode,
                                                            double internalAmount,
                                                            double externalAmount);
mxservice::CTenderBondInfoDetailPtr sendTenderWinBidAmount(const std::string& bondCode,
                                                           double winBidAmount);

}  // namespace LW
