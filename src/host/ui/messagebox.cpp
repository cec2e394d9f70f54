#include "host/ui/messagebox.h"

#include "host/ui/buttonstyle.h"
#include "host/ui/uiresource.h"

#include <QAbstractButton>
#include <QPushButton>

namespace GU {

namespace {

struct QuestionState {
  std::optional<QMessageBox::StandardButton> autoAnswer;
  CQuestionRecord last;
  int count = 0;
};

QuestionState& state() {
  static QuestionState questions;
  return questions;
}

}  // namespace

QMessageBox::StandardButton CMessageBox::question(CButtonStyle* style, QWidget* parent,
                                                  const QString& title, const QString& text,
                                                  QFlags<QMessageBox::StandardButton> buttons,
                                                  QMessageBox::StandardButton defaultButton,
                                                  bool richText) {
  CQuestionRecord record;
  record.parent = parent;
  record.title = title;
  record.text = text;
  record.buttons = buttons;
  record.defaultButton = defaultButton;

  QMessageBox::StandardButton answer = QMessageBox::NoButton;
  if (state().autoAnswer) {
    answer = *state().autoAnswer;
  } else {
    // On the heap and watched: exec() spins the event loop, and a parent
    // destroyed meanwhile takes the box with it.
    QPointer<QMessageBox> box =
        new QMessageBox(QMessageBox::Question, title, text, buttons, parent);
    box->setTextFormat(richText ? Qt::RichText : Qt::PlainText);
    box->setFont(*CUiResource::instance()->getFont("fnt_default_normal"));
    const CButtonStyle defaults;
    const CButtonStyle& look = style ? *style : defaults;
    for (QAbstractButton* button : box->buttons()) {
      const QMessageBox::StandardButton which = box->standardButton(button);
      const QString shown = look.buttonText(which);
      if (!shown.isEmpty()) button->setText(shown);
      if (which != QMessageBox::NoButton && which == look.accentButton()) {
        CUiResource* resource = CUiResource::instance();
        button->setStyleSheet(QStringLiteral("background: %1; color: %2;")
                                  .arg(resource->getColor("clr_button_primary_background")->name(),
                                       resource->getColor("clr_button_primary_text")->name()));
      }
    }
    if (defaultButton != QMessageBox::NoButton && (buttons & defaultButton))
      box->setDefaultButton(defaultButton);
    box->exec();
    if (box) {
      QAbstractButton* clicked = box->clickedButton();
      answer = clicked ? box->standardButton(clicked) : QMessageBox::NoButton;
      delete box.data();
    }
  }
  record.answer = answer;
  state().last = record;
  ++state().count;
  return answer;
}

void CMessageBox::setAutoAnswer(std::optional<QMessageBox::StandardButton> answer) {
  state().autoAnswer = answer;
}

std::optional<QMessageBox::StandardButton> CMessageBox::autoAnswer() { return state().autoAnswer; }

CQuestionRecord CMessageBox::lastQuestion() { return state().last; }

int CMessageBox::questionCount() { return state().count; }

void CMessageBox::resetRecord() {
  state().last = CQuestionRecord();
  state().count = 0;
}

}  // namespace GU
