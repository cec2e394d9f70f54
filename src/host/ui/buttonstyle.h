#pragma once
// The look of the buttons of a framework dialog: their texts and which one is
// drawn as the accented main action. A null style means the framework's
// Chinese texts ("确定", "取消", ...) and no accent.
//
// A plain value; GUI thread only where it is applied.

#include "lwhost_ui_export.h"

#include <QMap>
#include <QMessageBox>
#include <QString>

namespace GU {

class LWHOST_UI_EXPORT CButtonStyle {
public:
  CButtonStyle() = default;

  // An empty text restores the framework's text for that button.
  void setButtonText(QMessageBox::StandardButton button, const QString& text);
  // The framework's text when none was set.
  QString buttonText(QMessageBox::StandardButton button) const;

  void setAccentButton(QMessageBox::StandardButton button) { m_accent = button; }
  QMessageBox::StandardButton accentButton() const { return m_accent; }

  // The framework's text of a standard button; empty for NoButton.
  static QString defaultText(QMessageBox::StandardButton button);

private:
  QMap<int, QString> m_texts;
  QMessageBox::StandardButton m_accent = QMessageBox::NoButton;
};

}  // namespace GU
