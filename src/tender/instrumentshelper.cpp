#include "tender/instrumentshelper.h"

#include "host/core/singleton.h"
#include "host/services/tradeclient.h"
#include "host/services/usermanager.h"
#include "host/ui/uitranslation.h"
#include "tender/tenderstatustable.h"

#include <string>
#include <vector>

namespace LW {

bool CInstrumentsHelper::installTranslation(const QLocale& locale, const QString& directory) {
  return GU::CUiTranslation::installCatalogue(QStringLiteral("instrumentspanel"), locale,
                                              directory);
}

void CInstrumentsHelper::updateCommandStatus(mxservice::EOrderCommandStatus status,
                                             QString bondCode) {
  const std::vector<mxservice::COrderCommandPtr> commands = currentOrderCommands();
  if (commands.empty()) return;
  const std::string code = bondCode.toUtf8().toStdString();
  const std::string userName = getUserConfig()->userName();
  CTradeClient* tradeClient = utils::CManualSingletonT<CTradeClient>::instance();
  std::string commandCode;
  for (const mxservice::COrderCommandPtr& command : commands) {
    if (!command || !tenderBondCodeOf(*command, &commandCode) || commandCode != code) continue;
    // The trade client reads the status at once; each request gets its own
    // copy so that nothing it does to the reference reaches the next one.
    mxservice::EOrderCommandStatus requested = status;
    tradeClient->updateOrderCommandStatus(command->commandId, requested, userName, std::string(),
                                          command->passBackText, bson::BSONObj(),
                                          IBondTenderService::ResultCallback(), false);
  }
}

}  // namespace LW
