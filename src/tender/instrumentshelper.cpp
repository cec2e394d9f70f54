#include "tender/instrumentshelper.h"

#include "host/core/singleton.h"
#include "host/services/tradeclient.h"
#include "host/services/usermanager.h"
#include "host/ui/uitranslation.h"
#include "tender/tenderstatustable.h"

#include <QtGlobal>

#include <string>
#include <vector>

// The panels' English catalogue is compiled into the tender layer as a Qt
// resource. A program that links the layer statically (the tests, the demo)
// would drop the resource's object file, which nothing references, so the
// resource is registered by name before the first lookup. Q_INIT_RESOURCE
// declares a function and must stand outside any namespace.
static void registerPanelTranslations() { Q_INIT_RESOURCE(instrumentspanel_translations); }

namespace LW {

bool CInstrumentsHelper::installTranslation(const QLocale& locale, const QString& directory) {
  registerPanelTranslations();
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
