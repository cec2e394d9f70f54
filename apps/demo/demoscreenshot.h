#pragma once
// Unattended pictures of the demo window: wait until the panels' first loads
// and searches have reached their tables, click a row of each list so the
// selection and tender signals show in the log, and save the window as a PNG.
//
// GUI thread only.

#include <QString>
#include <QStringList>

class QWidget;

namespace demo {

struct SScreenshotResult {
  bool saved = false;
  QString error;              // why nothing was saved
  QStringList loadingTables;  // tables whose loads had not finished when the wait ended
  int waitedMs = 0;
};

// Processes events until every table in window has finished its loads (a
// list may end up empty) or timeoutMs have passed, clicks the first row of
// each instruments list on screen that has one, then grabs window and writes
// file (PNG, whatever the suffix).
SScreenshotResult takeScreenshot(QWidget* window, const QString& file, int timeoutMs);

}  // namespace demo
