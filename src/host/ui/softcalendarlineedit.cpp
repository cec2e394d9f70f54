#include "host/ui/softcalendarlineedit.h"

#include "host/ui/eventids.h"
#include "host/ui/uiresource.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QVBoxLayout>

namespace GU {

namespace {
const char kDateFormat[] = "yyyy-MM-dd";
}

CSoftCalendarLineEdit::CSoftCalendarLineEdit(int id, QWidget* parent)
    : CLineEdit(id, parent), m_calendarAction(new QAction(this)) {
  setInputMask(QStringLiteral("0000-00-00"));
  setAccessibleName(tr("日期"));
  m_calendarAction->setIcon(CUiResource::instance()->getIcon("img_calendar"));
  m_calendarAction->setToolTip(tr("选择日期"));
  addAction(m_calendarAction, QLineEdit::TrailingPosition);
  connect(m_calendarAction, SIGNAL(triggered()), this, SLOT(showCalendar()));
  connect(CUiResource::instance(), SIGNAL(sigThemeChanged(QString)), this,
          SLOT(slotThemeChanged()));
}

CSoftCalendarLineEdit::~CSoftCalendarLineEdit() = default;

void CSoftCalendarLineEdit::setDate(const QDate& date) {
  setText(date.isValid() ? date.toString(QLatin1String(kDateFormat)) : QString());
}

QDate CSoftCalendarLineEdit::getDate() const {
  return QDate::fromString(text(), QLatin1String(kDateFormat));
}

QDateTime CSoftCalendarLineEdit::getDateTime() const {
  const QDate date = getDate();
  return date.isValid() ? QDateTime(date, QTime(0, 0)) : QDateTime();
}

void CSoftCalendarLineEdit::showCalendar() {
  if (isReadOnly() || !isEnabled()) return;
  if (!m_popup) {
    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(1, 1, 1, 1);
    m_calendar = new QCalendarWidget(m_popup);
    m_calendar->setGridVisible(false);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    layout->addWidget(m_calendar);
    connect(m_calendar, SIGNAL(clicked(QDate)), this, SLOT(slotCalendarClicked(QDate)));
    connect(m_calendar, SIGNAL(activated(QDate)), this, SLOT(slotCalendarClicked(QDate)));
  }
  const QDate current = getDate();
  m_calendar->setSelectedDate(current.isValid() ? current : QDate::currentDate());
  m_popup->adjustSize();
  QPoint position = mapToGlobal(QPoint(0, height()));
  // Keep the pop-up on the screen of the field when it would run off the
  // bottom or the right edge.
  if (QScreen* screen = this->screen()) {
    const QRect available = screen->availableGeometry();
    if (position.y() + m_popup->height() > available.bottom())
      position.setY(mapToGlobal(QPoint(0, 0)).y() - m_popup->height());
    if (position.x() + m_popup->width() > available.right())
      position.setX(available.right() - m_popup->width());
  }
  m_popup->move(position);
  m_popup->show();
  m_calendar->setFocus();
}

void CSoftCalendarLineEdit::slotCalendarClicked(const QDate& date) {
  if (m_popup) m_popup->hide();
  if (!date.isValid() || date == getDate()) return;
  setDate(date);
  QMetaObject::invokeMethod(this, "slotDeliverPicked", Qt::QueuedConnection);
}

void CSoftCalendarLineEdit::slotDeliverPicked() {
  deliverFromEdit(EVENT_EDIT_TEXT_CHANGED, text());
}

void CSoftCalendarLineEdit::slotThemeChanged() {
  m_calendarAction->setIcon(CUiResource::instance()->getIcon("img_calendar"));
}

}  // namespace GU
