#include "demoscreenshot.h"

#include "host/table/hpfdatatable.h"
#include "host/table/hpfthreaddatamodel.h"
#include "host/ui/tradedockablewidget.h"
#include "panel/hpfinstable.h"
#include "quicksearch/quicksearchengine.h"
#include "quicksearch/quicksearchpopup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageWriter>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace demo {

namespace {

QString describeTable(const LW::CHpfDataTable* table) {
  for (const QObject* up = table; up; up = up->parent()) {
    if (const auto* panel = qobject_cast<const LW::ITradeDockableWidget*>(up))
      return QStringLiteral("%1#%2").arg(panel->windowTitle()).arg(panel->id());
  }
  return QStringLiteral("table");
}

// Whether the table still waits for a load. A table whose rows come from a
// model worker (the instruments lists and the tender list) has none left
// once the worker is idle; the end of the last load is then already posted to
// the GUI thread, and the next turn of the event loop brings it to the table.
// Other tables (the bond info panel's) load in their panel's constructor.
// Rows are no sign: a list may be empty for good (a data set without bonds).
bool isLoading(LW::CHpfDataTable* table) {
  const auto threaded = boost::dynamic_pointer_cast<LW::CHpfThreadDataModel>(table->getDataModel());
  return threaded && !threaded->waitForIdle(0);
}

QStringList tablesStillLoading(QWidget* window) {
  QStringList loading;
  for (LW::CHpfDataTable* table : window->findChildren<LW::CHpfDataTable*>())
    if (isLoading(table)) loading << describeTable(table);
  return loading;
}

// A left click on the first cell of the first row of every instruments
// list on screen, as the user would make, so the log shows what the panels
// emit. The lists are clicked last to first: the first list's stock key is
// the one the status bar keeps.
void clickFirstRows(QWidget* window) {
  const QList<LW::CHpfInsTable*> tables = window->findChildren<LW::CHpfInsTable*>();
  for (auto it = tables.crbegin(); it != tables.crend(); ++it) {
    LW::CHpfInsTable* table = *it;
    // Tables of tabs in the background count as visible widgets but show
    // nothing on screen.
    if (table->visibleRegion().isEmpty() || table->viewRowCount() == 0 || table->columnCount() == 0)
      continue;
    const QRect cell = table->visualCellRect(0, table->columnID(0));
    if (cell.isEmpty()) continue;
    QWidget* viewport = table->viewport();
    const QPointF at = cell.center();
    QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(cell.center()),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(cell.center()),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);
  }
}

}  // namespace

SScreenshotResult takeScreenshot(QWidget* window, const QString& file, int timeoutMs,
                                 const QString& quickSearchText) {
  SScreenshotResult result;
  QElapsedTimer clock;
  clock.start();
  // Loads run on the models' workers and reach the tables through queued
  // signals, so the event loop has to turn until every table's loads are
  // over. The tables are looked at before the events are processed: a load
  // seen finished has posted its end, which the same round delivers.
  do {
    result.loadingTables = tablesStillLoading(window);
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  } while (!result.loadingTables.isEmpty() && clock.elapsed() < timeoutMs);
  QCoreApplication::sendPostedEvents();
  result.waitedMs = static_cast<int>(clock.elapsed());

  clickFirstRows(window);
  LW::CQuickSearchPopup* popup = nullptr;
  if (!quickSearchText.isEmpty()) {
    popup = window->findChild<LW::CQuickSearchPopup*>();
    while (popup && popup->engine() && !popup->engine()->isReady() && clock.elapsed() < timeoutMs)
      QApplication::processEvents(QEventLoop::AllEvents, 50);
    if (popup && popup->engine() && popup->engine()->isReady()) {
      popup->openWithText(quickSearchText);
      result.quickSearchRows = popup->rowCount();
    }
  }
  // Let the selection, the status bar, the log and the popup repaint.
  for (int round = 0; round < 5; ++round) QApplication::processEvents();

  QPixmap picture = window->grab();
  if (picture.isNull()) {
    result.error = QStringLiteral("the window could not be grabbed");
    return result;
  }
  if (popup && popup->isVisible()) {
    QPainter painter(&picture);
    painter.drawPixmap(popup->mapToGlobal(QPoint(0, 0)) - window->mapToGlobal(QPoint(0, 0)),
                       popup->grab());
  }
  const QFileInfo target(file);
  if (!QDir().mkpath(target.absolutePath())) {
    result.error = QStringLiteral("cannot create the folder %1").arg(target.absolutePath());
    return result;
  }
  QImageWriter writer(file, "png");
  if (!writer.write(picture.toImage())) {
    result.error = QStringLiteral("cannot write %1: %2").arg(file, writer.errorString());
    return result;
  }
  result.saved = true;
  return result;
}

}  // namespace demo
