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
  // With a quick search text: the rows the popup showed in the picture, or
  // -1 when the window has no popup or its index was not ready in time.
  int quickSearchRows = -1;
};

// Processes events until every table in window has finished its loads (a
// list may end up empty) or timeoutMs have passed, clicks the first row of
// each instruments list on screen that has one, then grabs window and writes
// file (PNG, whatever the suffix). With a quickSearchText, the window's quick
// search popup (its first LW::CQuickSearchPopup child) is opened with that
// text once its index is ready (within the same timeout) and painted into
// the picture where it sits over the window: a popup is a window of its
// own, which grabbing the main window would leave out.
SScreenshotResult takeScreenshot(QWidget* window, const QString& file, int timeoutMs,
                                 const QString& quickSearchText = QString());

}  // namespace demo
