#include "host/ui/uitranslation.h"

#include "host/ui/uilog_p.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QTranslator>

namespace GU {

namespace {

// The installed translation of each catalogue. The translators are children
// of the application object: when it goes, they go, and the pointers turn
// null. GUI thread only, like every call that reaches this table.
QHash<QString, QPointer<QTranslator>>& installed() {
  static QHash<QString, QPointer<QTranslator>> translators;
  return translators;
}

void removeInstalled(const QString& catalogue) {
  QPointer<QTranslator> previous = installed().take(catalogue);
  if (!previous) return;
  QCoreApplication::removeTranslator(previous);
  delete previous.data();
}

}  // namespace

QString CUiTranslation::embeddedDirectory() { return QStringLiteral(":/lw/translations"); }

bool CUiTranslation::installCatalogue(const QString& catalogue, const QLocale& locale,
                                      const QString& directory) {
  QCoreApplication* application = QCoreApplication::instance();
  if (!application || catalogue.isEmpty()) return false;
  removeInstalled(catalogue);
  if (locale.language() == QLocale::Chinese) return true;

  // load() tries the locale's UI languages from the most specific on
  // (instrumentspanel_en_GB.qm, then instrumentspanel_en.qm) and checks the
  // file's structure; a file that loads but holds no text is no translation
  // either.
  auto* translator = new QTranslator(application);
  const QString folder = directory.isEmpty() ? embeddedDirectory() : directory;
  if (!translator->load(locale, catalogue, QStringLiteral("_"), folder) || translator->isEmpty()) {
    delete translator;
    GU_UI_LOG_WARN(application, "GU::CUiTranslation::installCatalogue",
                   QStringLiteral("no usable translation %1 for %2 in %3; showing the source texts")
                       .arg(catalogue, locale.name(), folder));
    return false;
  }
  QCoreApplication::installTranslator(translator);
  installed().insert(catalogue, translator);
  return true;
}

bool CUiTranslation::install(const QLocale& locale, const QString& directory) {
  return installCatalogue(QStringLiteral("lwhost"), locale, directory);
}

}  // namespace GU
