#pragma once
// The demo's language: the translations of the panels, of the host stand-in
// and of the demo window itself, and Qt's own where the system has them.

#include <QLocale>
#include <QStringList>

namespace demo {

// Installs every catalogue for locale (the panels', the host stand-in's, the
// demo's, and Qt's base translation when the system carries one; Qt's own
// texts are English already, so it is not missed for "en"). Returns the
// names of the catalogues that have no usable translation for locale: those
// keep their source texts. A Chinese locale installs nothing and returns an
// empty list. GUI thread, after the QApplication exists, before the window
// is made (the window's menus are built once).
QStringList installDemoTranslations(const QLocale& locale);

}  // namespace demo
