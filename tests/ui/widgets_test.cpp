// The small framework widgets: combo box, button, check box, label.
#include "host/ui/checkbox.h"
#include "host/ui/combobox.h"
#include "host/ui/eventids.h"
#include "host/ui/simpletextwidget.h"
#include "host/ui/smallnonormalbutton.h"
#include "host/ui/uiresource.h"
#include "uitesthelpers.h"

#include <gtest/gtest.h>
#include <QPointer>
#include <QTest>

namespace {

using uitest::EventRecorder;

TEST(ComboBox, everyChangeOfTheCurrentItemDelivers72) {
  EventRecorder parent;
  auto* combo = new GU::CComboBox(0, &parent);
  parent.show();
  combo->addItems(
      {QString::fromUtf8("招标日"), QString::fromUtf8("债券简称"), QString::fromUtf8("起息日")});
  parent.events.clear();
  combo->setCurrentIndex(1);
  combo->setCurrentIndex(1);  // no change, no event
  combo->setCurrentText(QString::fromUtf8("起息日"));
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Up);  // the user steps back one item
  combo->clear();                      // "no item" is not delivered
  ASSERT_EQ(parent.ids(), (std::vector<int>{72, 72, 72}));
  EXPECT_EQ(parent.events[0].wParam, 1);
  EXPECT_EQ(parent.events[0].text, QString::fromUtf8("债券简称"));
  EXPECT_EQ(parent.events[1].wParam, 2);
  EXPECT_EQ(parent.events[2].wParam, 1);
  for (const auto& event : parent.events) EXPECT_EQ(event.lParam, 0);
}

TEST(SmallNoNormalButton, clickDeliversTheButtonIdAsEventId) {
  for (int id : {5, 0, 77}) {
    SCOPED_TRACE(id);
    EventRecorder parent;
    auto* button = new GU::CSmallNoNormalButton(id, false, &parent);
    button->setText(QString::fromUtf8("查询"));
    parent.show();
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(parent.ids(), std::vector<int>{id});
    EXPECT_EQ(parent.events[0].wParam, id);
    EXPECT_EQ(parent.events[0].text, QString::fromUtf8("查询"));
    button->setEnabled(false);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(parent.events.size(), 1u);
  }
}

TEST(SmallNoNormalButton, handlerMayDeleteTheClickedButton) {
  EventRecorder parent;
  QPointer<GU::CSmallNoNormalButton> button = new GU::CSmallNoNormalButton(5, true, &parent);
  parent.onEvent = [&](const uitest::RecordedEvent&) { delete button.data(); };
  parent.show();
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(button.isNull());
  EXPECT_EQ(parent.events.size(), 1u);
}

TEST(CheckBox, stateAndThemedText) {
  EventRecorder parent;
  auto* check = new GU::CCheckBox(3, QString::fromUtf8("仅显示有内部报量债券"), &parent);
  check->setTextColorKey("clr_text_default");
  check->setTextFontKey("fnt_default_normal_fix");
  parent.show();
  EXPECT_FALSE(check->isChecked());
  QTest::mouseClick(check, Qt::LeftButton, Qt::NoModifier, QPoint(6, check->height() / 2));
  EXPECT_TRUE(check->isChecked());
  EXPECT_EQ(check->palette().color(QPalette::WindowText),
            *GU::CUiResource::instance()->getColor("clr_text_default"));
  EXPECT_EQ(check->font().pixelSize(),
            GU::CUiResource::instance()->getFont("fnt_default_normal_fix")->pixelSize());
  EXPECT_EQ(check->id(), 3);
}

TEST(SimpleTextWidget, showsTextAsTypedWithTheFontKey) {
  GU::CSimpleTextWidget label("<b>1</b>");
  label.setFontKey("fnt_default_bold");
  EXPECT_EQ(label.textFormat(), Qt::PlainText);
  EXPECT_TRUE(label.font().bold());
}

}  // namespace
