#include "host/ui/lineedit.h"

#include "host/ui/eventids.h"
#include "host/ui/uiresource.h"
#include "uitesthelpers.h"

#include <gtest/gtest.h>
#include <QTest>

namespace {

using GU::CLineEdit;

TEST(LineEdit, typingAndEnterDeliverWithTheEditId) {
  uitest::EventRecorder parent;
  auto* edit = new CLineEdit(4, &parent);
  parent.show();
  QTest::keyClicks(edit, "ab");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(edit->toString(), "ab");
  ASSERT_EQ(parent.ids(), (std::vector<int>{168, 168, 101}));
  EXPECT_EQ(parent.events[2].wParam, 4);
  EXPECT_EQ(parent.events[2].text, "ab");
  // Backspace is an edit too.
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(parent.events.back().id, GU::EVENT_EDIT_TEXT_CHANGED);
  EXPECT_EQ(parent.events.back().text, "a");
}

TEST(LineEdit, emptyHintIsPaintedOnlyWhileEmpty) {
  auto render = [](const QString& hint, const QString& text) {
    CLineEdit edit(4);
    edit.resize(160, 22);
    edit.setEmptyHintText(hint);
    edit.setEmptyHintColor("clr_disable_color");
    edit.setEmptyHintFont("fnt_default_normal_fix");
    edit.setTextFontKey("fnt_default_normal_fix");
    edit.setText(text);
    return edit.grab().toImage();
  };
  const QString hint = QString::fromUtf8("请输入内容, 按Enter键查询");
  EXPECT_NE(render(hint, ""), render("", ""));
  EXPECT_EQ(render(hint, "x"), render("", "x"));
}

TEST(LineEdit, fontKeysTakeTheThemeFonts) {
  CLineEdit edit(1);
  edit.setTextFontKey("fnt_default_normal_fix");
  EXPECT_EQ(edit.font().pixelSize(),
            GU::CUiResource::instance()->getFont("fnt_default_normal_fix")->pixelSize());
  edit.setEmptyHintText("hint");
  EXPECT_EQ(edit.emptyHintText(), "hint");
}

}  // namespace
