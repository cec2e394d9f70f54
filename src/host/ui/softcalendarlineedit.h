#pragma once
// A date editor of the host framework: a CLineEdit holding "yyyy-MM-dd" under
// the input mask "0000-00-00", with a button that pops up a calendar.
//
// Events as CLineEdit (wParam = the edit's id): 101 on Enter, 168 after user
// edits and after a day was picked in the calendar (that one from the event
// loop, once the pop-up has closed).
//
// getDate() reads the text as typed: an incomplete or impossible date
// ("2024-02-30") gives an invalid QDate, so callers can refuse it.
//
// Its accessible name is "日期" (date) unless the owner gives another; the
// calendar icon follows theme switches.
//
// GUI thread only.

#include "lwhost_ui_export.h"

#include "host/ui/lineedit.h"

#include <QDate>
#include <QDateTime>

class QAction;
class QCalendarWidget;
class QFrame;

namespace GU {

class LWHOST_UI_EXPORT CSoftCalendarLineEdit : public CLineEdit {
  Q_OBJECT
public:
  CSoftCalendarLineEdit(int id, QWidget* parent = nullptr);
  ~CSoftCalendarLineEdit() override;

  // An invalid date empties the field.
  void setDate(const QDate& date);
  QDate getDate() const;
  // The date at 00:00 local time; invalid when the date is.
  QDateTime getDateTime() const;

  // The pop-up, or null while it has never been opened; owned by this edit.
  QCalendarWidget* calendar() const { return m_calendar; }

public slots:
  // Opens the calendar under the field (what the button does); nothing when
  // the field is read-only or disabled.
  void showCalendar();

private slots:
  void slotCalendarClicked(const QDate& date);
  void slotDeliverPicked();
  void slotThemeChanged();

private:
  QAction* m_calendarAction;              // owned by this edit (Qt parent)
  QFrame* m_popup = nullptr;              // owned by this edit (Qt parent); lazily made
  QCalendarWidget* m_calendar = nullptr;  // owned by m_popup
};

}  // namespace GU
