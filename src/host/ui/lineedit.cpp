#include "host/ui/lineedit.h"

#include "host/ui/eventids.h"
#include "host/ui/uiresource.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFrame>

namespace GU {

CLineEdit::CLineEdit(int id, QWidget* parent)
    : CEventWidgetT<QLineEdit>(parent), m_id(id), m_hintColorKey(QStringLiteral("clr_edit_hint")) {
  setFont(*CUiResource::instance()->getFont("fnt_default_normal"));
  connect(this, SIGNAL(textEdited(QString)), this, SLOT(slotTextEdited(QString)));
}

CLineEdit::~CLineEdit() = default;

void CLineEdit::setEmptyHintText(const QString& hint) {
  // A screen reader cannot see the painted hint; a description the host set
  // itself is left alone.
  if (accessibleDescription().isEmpty() || accessibleDescription() == m_hintText)
    setAccessibleDescription(hint);
  m_hintText = hint;
  update();
}

void CLineEdit::setEmptyHintColor(const QString& colorKey) {
  CUiResource::instance()->getColor(colorKey);  // logs an unknown key now, once
  m_hintColorKey = colorKey;
  update();
}

void CLineEdit::setEmptyHintFont(const QString& fontKey) {
  m_hintFont = *CUiResource::instance()->getFont(fontKey);
  m_hintFontSet = true;
  update();
}

void CLineEdit::setTextFontKey(const QString& fontKey) {
  setFont(*CUiResource::instance()->getFont(fontKey));
}

bool CLineEdit::deliverFromEdit(int eventId, const QString& text) {
  QPointer<CLineEdit> self(this);
  deliverEvent(eventId, m_id, 0, text, nullptr);
  return !self.isNull();
}

void CLineEdit::slotTextEdited(const QString& text) {
  // Inside Qt's own input handling the control still works on this edit
  // after the signal; delivering now would let a handler pull the edit out
  // from under it. Edits made outside an event of ours (rare: a test calling
  // the signal) are delivered at once.
  if (m_eventDepth > 0) {
    m_editPending = true;
    return;
  }
  deliverFromEdit(EVENT_EDIT_TEXT_CHANGED, text);
}

bool CLineEdit::event(QEvent* e) {
  QPointer<CLineEdit> self(this);
  ++m_eventDepth;
  const bool handled = CEventWidgetT<QLineEdit>::event(e);
  if (!self) return handled;
  if (--m_eventDepth == 0) flushPendingEvents();
  return handled;
}

void CLineEdit::flushPendingEvents() {
  // 168 before 101, as for typed text followed by Enter.
  if (m_editPending) {
    m_editPending = false;
    if (!deliverFromEdit(EVENT_EDIT_TEXT_CHANGED, text())) return;
  }
  if (m_returnPending) {
    m_returnPending = false;
    deliverFromEdit(EVENT_EDIT_RETURN_PRESSED, text());
  }
}

void CLineEdit::keyPressEvent(QKeyEvent* e) {
  const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
  CEventWidgetT<QLineEdit>::keyPressEvent(e);
  if (!enter) return;
  // QLineEdit lets Enter travel on to a dialog's default button; here Enter
  // belongs to the edit.
  e->accept();
  m_returnPending = true;
  if (m_eventDepth == 0) flushPendingEvents();
}

void CLineEdit::paintEvent(QPaintEvent* e) {
  CEventWidgetT<QLineEdit>::paintEvent(e);
  if (m_hintText.isEmpty() || !text().isEmpty()) return;
  QStyleOptionFrame option;
  initStyleOption(&option);
  QRect area = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  const QMargins margins = textMargins();
  area.adjust(margins.left() + 2, margins.top(), -margins.right() - 2, -margins.bottom());
  // Icons of the edit's actions sit inside the contents rect; the empty
  // text's cursor knows where typing would start.
  area.setLeft(qMax(area.left(), cursorRect().left() + 1));
  QPainter painter(this);
  painter.setPen(*CUiResource::instance()->getColor(m_hintColorKey));
  painter.setFont(m_hintFontSet ? m_hintFont : font());
  const QString shown = painter.fontMetrics().elidedText(m_hintText, Qt::ElideRight, area.width());
  painter.drawText(area, Qt::AlignVCenter | Qt::AlignLeft, shown);
}

}  // namespace GU
