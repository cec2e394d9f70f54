#include "host/ui/searchtextlineedit.h"

#include "host/ui/eventids.h"
#include "host/ui/uilog_p.h"
#include "host/ui/uiresource.h"

#include <QAction>
#include <QIcon>
#include <QKeyEvent>
#include <QPointer>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace GU {

CSearchTextLineEdit::CSearchTextLineEdit(int id, QWidget* parent, bool showSearchIcon)
    : CLineEdit(id, parent),
      m_clearAction(new QAction(this)),
      m_validator(new QRegularExpressionValidator(this)) {
  CUiResource* resource = CUiResource::instance();
  setAccessibleName(tr("搜索"));
  m_clearAction->setIcon(resource->getIcon("img_edit_clear"));
  m_clearAction->setToolTip(tr("清除"));
  m_clearAction->setVisible(false);
  addAction(m_clearAction, QLineEdit::TrailingPosition);
  if (showSearchIcon)
    m_searchAction = addAction(resource->getIcon("img_search"), QLineEdit::LeadingPosition);
  connect(m_clearAction, SIGNAL(triggered()), this, SLOT(slotClearTriggered()));
  connect(this, SIGNAL(textChanged(QString)), this, SLOT(slotUpdateClearButton(QString)));
  connect(resource, SIGNAL(sigThemeChanged(QString)), this, SLOT(slotThemeChanged()));
}

CSearchTextLineEdit::~CSearchTextLineEdit() = default;

void CSearchTextLineEdit::setLineEditFrame(bool frame) { setFrame(frame); }

void CSearchTextLineEdit::setRegExp(const QString& pattern) {
  m_pattern = pattern;
  if (pattern.isEmpty()) {
    setValidator(nullptr);
    return;
  }
  QRegularExpression expression(pattern);
  if (!expression.isValid()) {
    GU_UI_LOG_WARN(this, "GU::CSearchTextLineEdit::setRegExp",
                   QStringLiteral("invalid input pattern %1 (%2); input is not restricted")
                       .arg(pattern, expression.errorString()));
    setValidator(nullptr);
    return;
  }
  m_validator->setRegularExpression(expression);
  setValidator(m_validator);
}

void CSearchTextLineEdit::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier && !text().isEmpty()) {
    e->accept();
    slotClearTriggered();
    return;
  }
  CLineEdit::keyPressEvent(e);
}

void CSearchTextLineEdit::slotClearTriggered() {
  if (text().isEmpty()) return;
  clear();
  if (m_clearQueued) return;
  m_clearQueued = true;
  QMetaObject::invokeMethod(this, "slotDeliverCleared", Qt::QueuedConnection);
}

void CSearchTextLineEdit::slotDeliverCleared() {
  m_clearQueued = false;
  // Typing between the click and this delivery supersedes the clear; its own
  // 168 has already told the ancestors.
  if (!text().isEmpty()) return;
  QPointer<CSearchTextLineEdit> self(this);
  const bool consumed = deliverEvent(EVENT_EDIT_CLEARED, id(), 0, QString(), nullptr);
  if (!self || consumed) return;
  deliverEvent(EVENT_EDIT_TEXT_CHANGED, id(), 0, QString(), nullptr);
}

void CSearchTextLineEdit::slotUpdateClearButton(const QString& text) {
  m_clearAction->setVisible(!text.isEmpty());
}

void CSearchTextLineEdit::slotThemeChanged() {
  CUiResource* resource = CUiResource::instance();
  m_clearAction->setIcon(resource->getIcon("img_edit_clear"));
  if (m_searchAction) m_searchAction->setIcon(resource->getIcon("img_search"));
}

}  // namespace GU
