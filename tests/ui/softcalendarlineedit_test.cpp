#include "host/ui/softcalendarlineedit.h"

#include "host/ui/eventids.h"
#include "uitesthelpers.h"

#include <gtest/gtest.h>
#include <QCalendarWidget>
#include <QTest>

namespace {

using GU::CSoftCalendarLineEdit;

TEST(SoftCalendarLineEdit, typedDigitsGiveTheDateOrAnInvalidOne) {
  struct Case {
    const char* typed;
    QDate expected;  // invalid when the text is no date
  };
  const Case cases[] = {
      {"20240229", QDate(2024, 2, 29)},
      {"20230229", QDate()},  // no such day
      {"20241301", QDate()},  // no such month
      {"2024013", QDate()},   // incomplete
      {"", QDate()},
      {"2024ab0115", QDate(2024, 1, 15)},  // the mask drops the letters
      {"19991231", QDate(1999, 12, 31)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    uitest::EventRecorder parent;
    auto* edit = new CSoftCalendarLineEdit(2, &parent);
    parent.show();
    edit->setCursorPosition(0);
    QTest::keyClicks(edit, c.typed);
    EXPECT_EQ(edit->getDate(), c.expected);
    EXPECT_EQ(edit->getDateTime().isValid(), c.expected.isValid());
    // Enter is delivered whatever the mask thinks of the text.
    QTest::keyClick(edit, Qt::Key_Return);
    const auto enters = parent.withId(GU::EVENT_EDIT_RETURN_PRESSED);
    ASSERT_EQ(enters.size(), 1u);
    EXPECT_EQ(enters[0].wParam, 2);
  }
}

TEST(SoftCalendarLineEdit, setDateRoundTripsAndInvalidEmpties) {
  CSoftCalendarLineEdit edit(1);
  EXPECT_EQ(edit.inputMask(), "0000-00-00");
  edit.setDate(QDate(2023, 7, 5));
  EXPECT_EQ(edit.text(), "2023-07-05");
  EXPECT_EQ(edit.getDate(), QDate(2023, 7, 5));
  EXPECT_EQ(edit.getDateTime(), QDateTime(QDate(2023, 7, 5), QTime(0, 0)));
  EXPECT_EQ(edit.getDateTime().toString("yyyyMMdd"), "20230705");
  edit.setDate(QDate());
  EXPECT_FALSE(edit.getDate().isValid());
  EXPECT_FALSE(edit.getDateTime().isValid());
}

TEST(SoftCalendarLineEdit, pickingADayInTheCalendarSetsItAndTellsTheParent) {
  uitest::EventRecorder parent;
  auto* edit = new CSoftCalendarLineEdit(1, &parent);
  parent.show();
  edit->setDate(QDate(2024, 5, 1));
  edit->showCalendar();
  ASSERT_NE(edit->calendar(), nullptr);
  EXPECT_EQ(edit->calendar()->selectedDate(), QDate(2024, 5, 1));
  QMetaObject::invokeMethod(edit->calendar(), "clicked", Q_ARG(QDate, QDate(2024, 5, 20)));
  EXPECT_EQ(edit->getDate(), QDate(2024, 5, 20));
  EXPECT_TRUE(parent.events.empty());  // not from inside the calendar's click
  uitest::flushDeferredDeletes();
  ASSERT_EQ(parent.ids(), (std::vector<int>{GU::EVENT_EDIT_TEXT_CHANGED}));
  EXPECT_EQ(parent.events[0].text, "2024-05-20");
}

TEST(SoftCalendarLineEdit, readOnlyFieldOpensNoCalendar) {
  CSoftCalendarLineEdit edit(1);
  edit.setReadOnly(true);
  edit.showCalendar();
  EXPECT_EQ(edit.calendar(), nullptr);
}

}  // namespace
