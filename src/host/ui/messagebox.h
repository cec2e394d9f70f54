#pragma once
// Modal questions of the host framework.
//
// Test hook: setAutoAnswer() makes question() return the given button at
// once without showing anything, so tests drive code that asks the user
// without a person; every question is recorded either way (lastQuestion(),
// questionCount()).
//
// GUI thread only (the hook and record included).

#include "lwhost_ui_export.h"

#include <QFlags>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <optional>

namespace GU {

class CButtonStyle;

struct LWHOST_UI_EXPORT CQuestionRecord {
  QPointer<QWidget> parent;
  QString title;
  QString text;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
  QMessageBox::StandardButton answer = QMessageBox::NoButton;
};

class LWHOST_UI_EXPORT CMessageBox {
public:
  // Asks text under title with buttons, modal over parent, and returns the
  // pressed button (QMessageBox::Ok is 0x400). Closing the dialog any other
  // way returns the escape button (Cancel or No when offered) or NoButton.
  // style: not owned, may be null. defaultButton NoButton lets Qt choose.
  // richText: text may hold markup; otherwise it is shown as typed.
  static QMessageBox::StandardButton question(CButtonStyle* style, QWidget* parent,
                                              const QString& title, const QString& text,
                                              QFlags<QMessageBox::StandardButton> buttons,
                                              QMessageBox::StandardButton defaultButton,
                                              bool richText = false);

  static void setAutoAnswer(std::optional<QMessageBox::StandardButton> answer);
  static std::optional<QMessageBox::StandardButton> autoAnswer();
  static CQuestionRecord lastQuestion();
  static int questionCount();
  static void resetRecord();

private:
  CMessageBox() = delete;
};

}  // namespace GU
