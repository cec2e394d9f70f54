#pragma once
// The demo's log pane: one time-stamped line per signal a panel emitted or
// event the host simulated, newest at the bottom. Keeps the last lines only,
// so a long session does not grow without bound.
//
// GUI thread only.

#include <QPlainTextEdit>

namespace demo {

class CDemoLogPane : public QPlainTextEdit {
  Q_OBJECT
public:
  static constexpr int kMaxLines = 2000;

  explicit CDemoLogPane(QWidget* parent = nullptr);

  // The lines shown, oldest first (for tests and the screenshot check).
  QStringList lines() const;

public slots:
  void slotAppend(const QString& line);
};

}  // namespace demo
