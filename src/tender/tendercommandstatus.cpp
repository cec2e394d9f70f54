// The trade client's answer to a tender detail update: on success the
// requested status goes to every order command of the bond and the command
// views hear of the new state; a failure is logged and changes nothing.
//
// Runs on the trade client's thread, entered through the panel's callback
// guard (see tenderrowactions.cpp). It reads no widget and only emits
// signals, which reach GUI-thread receivers queued.

#include "host/core/logcenter.h"
#include "model/lwlog_p.h"
#include "panel/instrumentspanel.h"
#include "tender/instrumentshelper.h"
#include "tender/tendersignals_p.h"

#include <log4cxx/level.h>
#include <log4cxx/logger.h>
#include <log4cxx/spi/location/locationinfo.h>

namespace LW {

namespace {

// The location the host's log viewers group tender update failures by.
const char* const kLogFileName = "CInstrumentsPanel";
const char* const kLogSignature =
    "void LW::CInstrumentsPanel::onUpdateTenderBondDetails(const utils::MXError&, "
    "bson::BSONObj, mxservice::EOrderCommandStatus, "
    "boost::shared_ptr<mxservice::CTenderBondInfoDetail>)";
const int kLogLine = 731;

// The states this panel asks for; answers for any other status (which the
// host may send on its own) only refresh the command panel.
bool isRequestedStatus(int status) {
  return status == mxservice::ORDER_COMMAND_LOCKED || status == mxservice::ORDER_COMMAND_RUNNING ||
         status == mxservice::ORDER_COMMAND_STOPPED;
}

}  // namespace

void CInstrumentsPanel::onUpdateTenderBondDetails(
    const utils::MXError& error, bson::BSONObj /*result*/, mxservice::EOrderCommandStatus status,
    boost::shared_ptr<mxservice::CTenderBondInfoDetail> detail) {
  if (!detail) {
    LW_LOG_WARN(this, "LW::CInstrumentsPanel::onUpdateTenderBondDetails",
                "answer without a tender detail (error id %1%) ignored", error.errorID());
    return;
  }
  if (error.isSuccess()) {
    const QString bondCode = QString::fromStdString(detail->bondCode);
    CInstrumentsHelper::updateCommandStatus(status, bondCode);
    if (isRequestedStatus(status)) emitTenderStatusPair(this, status, tenderPayload(*detail));
    emit sigRefreshCommandPanel(bondCode);
    return;
  }

  // The row keeps its status (the commands did not change); the trader and
  // amounts already written to the detail stay. The user is not told: the
  // command views show the commands as they are.
  utils::CLogCenter* logCenter = utils::CLogCenter::instance();
  if (!logCenter->logEnabled()) return;
  const log4cxx::LoggerPtr logger = logCenter->logger();
  const log4cxx::LevelPtr level = log4cxx::Level::getError();
  if (!logger || !logger->isEnabledFor(level)) return;
  logger->forcedLog(
      level,
      detail::lwLogText(
          this, "LW::CInstrumentsPanel::onUpdateTenderBondDetails",
          "updateTenderBondDetails error,error id:%1%, error message:%2%, bond code:%3%",
          error.errorID(), error.errorMsg(), detail->bondCode),
      log4cxx::spi::LocationInfo(kLogFileName, kLogFileName, kLogSignature, kLogLine));
}

}  // namespace LW
