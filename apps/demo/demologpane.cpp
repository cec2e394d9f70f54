#include "demologpane.h"

#include <QTime>

namespace demo {

CDemoLogPane::CDemoLogPane(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setMaximumBlockCount(kMaxLines);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setObjectName(QStringLiteral("demoLogPane"));
}

QStringList CDemoLogPane::lines() const { return toPlainText().split(QLatin1Char('\n')); }

void CDemoLogPane::slotAppend(const QString& line) {
  // Signal arguments come from data files and panels; a stray control
  // character must not break the one-line-per-entry layout.
  QString clean = line;
  for (QChar& c : clean)
    if (c.category() == QChar::Other_Control) c = QLatin1Char(' ');
  appendPlainText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz  ")) + clean);
}

}  // namespace demo
