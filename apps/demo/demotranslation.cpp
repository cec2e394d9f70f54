#include "demotranslation.h"

#include "host/ui/uitranslation.h"
#include "tender/instrumentshelper.h"

#include <QLibraryInfo>

// The demo's translations are embedded in a static library: without a
// reference the linker would drop them. Q_INIT_RESOURCE declares the
// resource's function where it is used, so this stays in the global
// namespace.
static void registerDemoTranslations() { Q_INIT_RESOURCE(demo_translations); }

namespace demo {

QStringList installDemoTranslations(const QLocale& locale) {
  registerDemoTranslations();
  QStringList missing;
  if (!LW::CInstrumentsHelper::installTranslation(locale)) {
    missing << QStringLiteral("instrumentspanel");
  }
  if (!GU::CUiTranslation::install(locale)) missing << QStringLiteral("lwhost");
  if (!GU::CUiTranslation::installCatalogue(QStringLiteral("demo"), locale)) {
    missing << QStringLiteral("demo");
  }
  if (locale.language() != QLocale::English) {
    // Dialogs Qt makes (the file dialog of the table's export) in the same
    // language, when the system has Qt's translations installed.
    if (!GU::CUiTranslation::installCatalogue(
            QStringLiteral("qtbase"), locale,
            QLibraryInfo::location(QLibraryInfo::TranslationsPath))) {
      missing << QStringLiteral("qtbase");
    }
  }
  return missing;
}

}  // namespace demo
