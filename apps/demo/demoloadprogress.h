#pragma once
// The demo's loading window: while a data set loads, a progress bar over
// the bytes read and the counts (files, records, error lines). It appears
// only when the load lasts longer than showDelayMs, so a small set starts
// the demo without a flash. Closing it asks the caller to stop (sigClosed).
//
// Ownership: the caller keeps the load, which must outlive this window (or
// be destroyed after it). GUI thread only.

#include <QWidget>

class QLabel;
class QProgressBar;

namespace demo {

class CDemoDataSetLoad;

class CDemoLoadProgress : public QWidget {
  Q_OBJECT
public:
  CDemoLoadProgress(CDemoDataSetLoad* load, const QString& directory, int showDelayMs,
                    QWidget* parent = nullptr);

  QProgressBar* bar() const { return m_bar; }
  QString countsText() const;

signals:
  // The user closed the window before the load finished.
  void sigClosed();

protected:
  void closeEvent(QCloseEvent* event) override;

private slots:
  void slotProgress();
  void slotShowIfLoading();

private:
  CDemoDataSetLoad* m_load;  // not owned
  QLabel* m_counts;
  QProgressBar* m_bar;
};

}  // namespace demo
