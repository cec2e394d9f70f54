// instruments-demo: a host window for the instruments panels and the bond
// info panel, running on a data set instead of trading servers.
#include "demodatasetload.h"
#include "demoloadprogress.h"
#include "demologpane.h"
#include "demooptions.h"
#include "demoscreenshot.h"
#include "demothememenu.h"
#include "demotranslation.h"
#include "demowindow.h"

#include "host/core/logcenter.h"
#include "host/services/config.h"
#include "host/services/hostservices.h"
#include "host/services/userconfig.h"
#include "host/services/usermanager.h"
#include "host/ui/uiresource.h"
#include "quicksearch/quicksearchpopup.h"

#include <log4cxx/level.h>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QStandardPaths>
#include <cstdio>
#include <memory>

namespace {

void printError(const QString& text) {
  std::fprintf(stderr, "instruments-demo: %s\n", text.toLocal8Bit().constData());
}

// The panels' texts are Chinese; the platform's default font often has no
// CJK glyphs (the offscreen and Xvfb platforms in particular), so a font
// that has them is made the application font before any widget or UI
// resource font is created.
void chooseChineseFont() {
  const QStringList families = QFontDatabase().families(QFontDatabase::SimplifiedChinese);
  for (const char* preferred :
       {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Source Han Sans SC", "Noto Sans SC"}) {
    if (families.contains(QLatin1String(preferred), Qt::CaseInsensitive)) {
      QFont font{QString::fromLatin1(preferred)};
      font.setPixelSize(12);
      QApplication::setFont(font);
      return;
    }
  }
  if (!families.isEmpty()) {
    QFont font(families.first());
    font.setPixelSize(12);
    QApplication::setFont(font);
    return;
  }
  printError(
      QStringLiteral("no font with Chinese glyphs found (install fonts-wqy-microhei); "
                     "Chinese texts may show as boxes"));
}

QString defaultSettingsFile() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  return QDir(folder.isEmpty() ? QDir::homePath() : folder).filePath("layout.json");
}

// The platform plugin the application will load: -platform NAME or
// QT_QPA_PLATFORM (the command line wins, as in Qt).
QByteArray platformName(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (qstrcmp(argv[i], "-platform") == 0 || qstrcmp(argv[i], "--platform") == 0)
      return QByteArray(argv[i + 1]);
  return qgetenv("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv) {
  // Desks run 4K screens at 150% to 200%: follow the system's scale as it
  // is, fractions included, and let pixmaps carry their device pixel ratio.
  // Both must be set before the application. The offscreen platform has no
  // screen to follow (its made-up 100 dpi would blow screenshots up by 4%);
  // QT_SCALE_FACTOR applies everywhere.
  if (!platformName(argc, argv).startsWith("offscreen"))
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
  QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
      Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("instruments-demo"));

  demo::CDemoOptions options;
  QString error;
  if (!demo::CDemoOptions::parse(QApplication::arguments(), &options, &error)) {
    printError(error);
    std::fputs(demo::CDemoOptions::usage().toLocal8Bit().constData(), stderr);
    return 2;
  }
  if (options.helpRequested) {
    std::fputs(demo::CDemoOptions::usage().toLocal8Bit().constData(), stdout);
    return 0;
  }

  // The host logger's console fallback writes every debug record; the demo
  // shows its own log pane and keeps the console for warnings and errors.
  utils::CLogCenter::instance()->logger()->setLevel(log4cxx::Level::getWarn());
  chooseChineseFont();

  const QString dataDirectory = options.dataDirectory.isEmpty()
                                    ? demo::findSampleData(QApplication::applicationDirPath())
                                    : options.dataDirectory;
  if (dataDirectory.isEmpty()) {
    printError(QStringLiteral("the bundled sample data set was not found; use --data DIR"));
    return 1;
  }
  if (!QFileInfo(dataDirectory).isDir()) {
    printError(QStringLiteral("--data: %1 is not a directory").arg(dataDirectory));
    return 1;
  }
  // A large set takes seconds: it loads on a thread of its own while the
  // loading window (shown after a moment) keeps counting; closing that window
  // stops the load and the demo. The set is installed here, on the GUI thread.
  std::vector<std::string> problems;
  {
    demo::CDemoDataSetLoad load;
    demo::CDemoLoadProgress progress(&load, QDir(dataDirectory).absolutePath(), 500);
    QEventLoop waiting;
    bool closed = false;
    QObject::connect(&load, &demo::CDemoDataSetLoad::sigFinished, &waiting, &QEventLoop::quit);
    QObject::connect(&progress, &demo::CDemoLoadProgress::sigClosed, &waiting, [&] {
      closed = true;
      waiting.quit();
    });
    const bool quitOnClose = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    load.start(dataDirectory);
    waiting.exec();
    QApplication::setQuitOnLastWindowClosed(quitOnClose);
    if (closed || !load.isFinished()) return 1;
    progress.hide();
    mxservice::DataSet dataSet = load.takeDataSet();
    mxservice::CHostServices::install(dataSet);
    problems = std::move(dataSet.errors);
  }
  // The command line wins over the data set's configuration; both are set
  // before the first panel reads them.
  if (options.userTypeGiven) LW::getUserConfig()->setUserType(options.userType);
  if (options.brokerEdition) LW::getConfig()->setBrokerEdition(true);

  const QString settingsFile =
      options.settingsFile.isEmpty() ? defaultSettingsFile() : options.settingsFile;
  // A screenshot run neither reads nor writes the layout: leave no trace.
  if (options.screenshotFile.isEmpty()) QDir().mkpath(QFileInfo(settingsFile).absolutePath());

  // Before the window: its menus and the panels take their texts once.
  // A language without a translation shows the source texts.
  if (!options.language.isEmpty()) {
    const QStringList missing = demo::installDemoTranslations(QLocale(options.language));
    if (!missing.isEmpty())
      printError(QStringLiteral("no %1 translation for %2; those texts stay Chinese")
                     .arg(missing.join(QStringLiteral(", ")), options.language));
  }

  // The command line's theme, else the one chosen last (a screenshot shows
  // the default unless told). An unknown saved name is logged and ignored.
  QString theme = options.theme;
  if (theme.isEmpty() && options.screenshotFile.isEmpty())
    theme =
        demo::CDemoThemeMenu::savedTheme(demo::CDemoThemeMenu::settingsFileBeside(settingsFile));
  if (!theme.isEmpty() && !GU::CUiResource::instance()->setTheme(theme))
    printError(QStringLiteral("unknown theme \"%1\" ignored").arg(theme));

  auto window = std::make_unique<demo::CDemoWindow>(options, settingsFile);
  window->reportDataSet(QDir(dataDirectory).absolutePath(), problems);
  window->resize(options.windowSize.isValid() ? options.windowSize : QSize(1440, 900));
  window->openPanels();
  window->show();

  int status = 0;
  if (!options.screenshotFile.isEmpty()) {
    const demo::SScreenshotResult shot = demo::takeScreenshot(
        window.get(), options.screenshotFile, options.screenshotTimeoutMs, options.quickSearchText);
    if (!options.quickSearchText.isEmpty() && shot.quickSearchRows < 0)
      printError(QStringLiteral("the quick search index was not ready in time; no popup shown"));
    if (!shot.loadingTables.isEmpty())
      printError(QStringLiteral("after %1 ms these tables were still loading: %2")
                     .arg(shot.waitedMs)
                     .arg(shot.loadingTables.join(QStringLiteral(", "))));
    if (shot.saved) {
      std::printf("%s\n",
                  QFileInfo(options.screenshotFile).absoluteFilePath().toLocal8Bit().constData());
    } else {
      printError(shot.error);
      status = 1;
    }
  } else {
    // The popup searches as soon as the engine has its index.
    if (!options.quickSearchText.isEmpty())
      window->quickSearch()->openWithText(options.quickSearchText);
    status = QApplication::exec();
  }
  // The panels and their models go before the application object.
  window.reset();
  QApplication::processEvents();
  return status;
}
