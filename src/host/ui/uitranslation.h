#pragma once
// Translated UI texts. Every text the framework and the panels show is
// written in the code in its source language, Chinese, and goes through
// Qt's translation system (tr(), QCoreApplication::translate); without a
// translation installed the source texts are shown unchanged. A catalogue is
// one library's translations, built from its .ts files and embedded in that
// library as :/lw/translations/<catalogue>_<language>.qm.
//
// installCatalogue() loads a catalogue for a locale and installs it in the
// application, replacing the catalogue's previous translation; Qt then sends
// QEvent::LanguageChange to every widget. A locale whose language is Chinese
// removes the catalogue's translation (the source texts are Chinese) and
// succeeds. When no file fits the locale, or the file is damaged or holds no
// texts, the catalogue's previous translation is removed as well, so the
// user sees the source texts rather than a mix of two languages, and the
// call returns false. Other catalogues are never touched.
//
// GUI thread, after the QApplication exists (without one nothing is
// installed and the call returns false). Texts may be translated on any
// thread meanwhile: Qt guards its list of translators. A translation is
// owned by the application object and goes with it.

#include "lwhost_ui_export.h"

#include <QLocale>
#include <QString>

namespace GU {

class LWHOST_UI_EXPORT CUiTranslation {
public:
  // The directory the embedded catalogues are in.
  static QString embeddedDirectory();

  // Loads <catalogue>_<language>.qm for locale from directory (the embedded
  // catalogues when directory is empty) and installs it; see above.
  static bool installCatalogue(const QString& catalogue, const QLocale& locale,
                               const QString& directory = QString());

  // The host stand-in's own catalogue, "lwhost": the texts of the
  // framework's widgets, the table's menus and the data services' names.
  static bool install(const QLocale& locale, const QString& directory = QString());
};

}  // namespace GU
