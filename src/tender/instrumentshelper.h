#pragma once
// Entry points of the instruments library that the host calls without a
// panel.
//
// Exported with the library. The class holds no data.

#include "instrumentspanel_export.h"

#include "host/core/tradertypes.h"

#include <QString>

namespace LW {

class INSTRUMENTSPANEL_EXPORT CInstrumentsHelper {
public:
  // Asks the trade client to set status on every order command of the
  // current account whose tender parameters name bondCode (byte-equal
  // UTF-8), in the account's order, as the logged-in user. The requests are
  // not awaited; their outcome comes back, if at all, as changed order
  // commands. Commands of other bonds and commands without tender parameters
  // are left alone; without a current account nothing is sent.
  //
  // Any thread. The account data's lock is held only while the commands are
  // copied, never while the trade client is called.
  static void updateCommandStatus(mxservice::EOrderCommandStatus status, QString bondCode);
};

}  // namespace LW
