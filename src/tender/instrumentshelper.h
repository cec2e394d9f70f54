#pragma once
// Entry points of the instruments library that the host calls without a
// panel.
//
// Exported with the library. The class holds no data.

#include "instrumentspanel_export.h"

#include "host/core/tradertypes.h"

#include <QLocale>
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

  // Shows the panels' texts in the language of locale: loads the library's
  // translation for it and installs it in the application. The library
  // carries an English translation ("en"); a Chinese locale shows the
  // source texts, which are Chinese. directory, when given, is searched for
  // instrumentspanel_<language>.qm instead of the translations carried.
  //
  // Returns false, and the panels show their source texts, when no
  // translation fits the locale or its file is damaged. Panels created
  // afterwards come up in the new language; panels already open retitle
  // themselves and reload their lists. The host stand-in's widgets have a
  // catalogue of their own (GU::CUiTranslation::install), as a real host's
  // would.
  //
  // GUI thread, after the QApplication exists.
  static bool installTranslation(const QLocale& locale, const QString& directory = QString());
};

}  // namespace LW
