// instruments-consumer: the smallest host of the instruments panels, built
// against the installed package. It loads a data set into the host stand-in's
// services, shows a stock list (trading type 1) beside the bond information
// panel and prints what the panels signal.
//
//   instruments-consumer [--data DIR] [--check]
//
// --check (the default on the offscreen platform): wait for the stock list's
// first load, print its row count and exit 0 only when rows were loaded
// (1 when none were, 2 for a bad command line or data set, 3 when no load
// arrived within 20 seconds).
#include "consumerhost.h"

#include <bondinfo/bondinfopanel.h>
#include <host/core/logcenter.h>
#include <host/core/tradertypes.h>
#include <host/services/hostservices.h>
#include <panel/instrumentspanel.h>

#include <log4cxx/level.h>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kFirstLoadTimeoutMs = 20000;

int fail(int status, const QString& message) {
  std::fprintf(stderr, "instruments-consumer: %s\n", message.toLocal8Bit().constData());
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);

  QString dataDirectory;
#ifdef CONSUMER_SAMPLE_DATA
  dataDirectory = QStringLiteral(CONSUMER_SAMPLE_DATA);
#endif
  bool check = QGuiApplication::platformName() == QLatin1String("offscreen");
  const QStringList arguments = QApplication::arguments();
  for (int i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QLatin1String("--check")) {
      check = true;
    } else if (arguments[i] == QLatin1String("--data") && i + 1 < arguments.size()) {
      dataDirectory = arguments[++i];
    } else {
      return fail(2, QStringLiteral("usage: instruments-consumer [--data DIR] [--check]"));
    }
  }
  if (dataDirectory.isEmpty() || !QFileInfo(dataDirectory).isDir())
    return fail(2, QStringLiteral("no data set directory (use --data DIR)"));

  // The host logger writes every debug record to the console by default.
  utils::CLogCenter::instance()->logger()->setLevel(log4cxx::Level::getWarn());

  // The host fills its services before the first panel is made: a panel
  // reads them in its constructor and on every reload.
  const std::vector<std::string> problems = mxservice::CHostServices::installFromDirectory(
      QDir(dataDirectory).absolutePath().toStdString());
  std::printf("data set %s: %zu problem lines\n",
              QDir(dataDirectory).absolutePath().toLocal8Bit().constData(), problems.size());

  auto window = std::make_unique<QWidget>();
  window->setWindowTitle(QStringLiteral("instruments-consumer"));
  auto* layout = new QHBoxLayout(window.get());
  // Both panels are Qt children of the window and go with it. The ids are
  // the host's own numbering of its docks.
  auto* instruments = new LW::CInstrumentsPanel(1, mxservice::NQ_TRADER_STOCK, window.get());
  auto* bondInfo = new LW::CBondInfoPanel(2, window.get());
  layout->addWidget(instruments, 3);
  layout->addWidget(bondInfo, 2);

  // The panel queued its first load in its constructor; the finished load
  // arrives through the event loop, so connecting now misses nothing.
  CConsumerHost host(instruments, bondInfo, check);
  host.connectPanels();

  int status = 0;
  if (check) {
    QTimer::singleShot(kFirstLoadTimeoutMs, &app, [] { QCoreApplication::exit(3); });
    status = QApplication::exec();
    if (status == 3) fail(3, QStringLiteral("no load of the instruments panel arrived"));
  } else {
    window->resize(1200, 700);
    window->show();
    status = QApplication::exec();
  }

  // The panels go before the application object. A load still running on a
  // model's worker keeps its model alive and no longer reaches the destroyed
  // table (see model/instrumentmodel.h).
  window.reset();
  QApplication::processEvents();
  return status;
}
