// The message box and the message tip, driven without a person.
#include "host/ui/messagebox.h"
#include "host/ui/buttonstyle.h"
#include "host/ui/messagetip.h"
#include "uitesthelpers.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>

namespace {

using GU::CMessageBox;
using GU::CMessageTip;

const QString kTitle = QString::fromUtf8("提示");
const QString kText =
    QString::fromUtf8("解锁后重新锁定,执行投标内部报量和外部报量数据将会重置,确定解锁?");

class MessageBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    CMessageBox::resetRecord();
    CMessageTip::resetRecord();
  }
  void TearDown() override { CMessageBox::setAutoAnswer(std::nullopt); }
};

TEST_F(MessageBoxTest, autoAnswerIsReturnedAndTheQuestionRecorded) {
  QWidget parent;
  for (QMessageBox::StandardButton answer : {QMessageBox::Ok, QMessageBox::Cancel}) {
    CMessageBox::setAutoAnswer(answer);
    EXPECT_EQ(
        CMessageBox::question(nullptr, &parent, kTitle, kText,
                              QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoButton, false),
        answer);
  }
  EXPECT_EQ(static_cast<int>(QMessageBox::Ok), 0x400);
  EXPECT_EQ(CMessageBox::questionCount(), 2);
  const GU::CQuestionRecord last = CMessageBox::lastQuestion();
  EXPECT_EQ(last.parent, &parent);
  EXPECT_EQ(last.title, kTitle);
  EXPECT_EQ(last.text, kText);
  EXPECT_EQ(last.buttons, QMessageBox::Ok | QMessageBox::Cancel);
  EXPECT_EQ(last.answer, QMessageBox::Cancel);
}

// Presses a button of the modal box once it is up, recording its texts.
void pressWhenShown(QMessageBox::StandardButton which, QStringList* texts) {
  QTimer::singleShot(0, [which, texts] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return pressWhenShown(which, texts);
    for (QAbstractButton* button : box->buttons()) texts->append(button->text());
    box->button(which)->click();
  });
}

TEST_F(MessageBoxTest, realDialogReturnsThePressedButtonWithStyledTexts) {
  QWidget parent;
  parent.show();
  GU::CButtonStyle style;
  style.setButtonText(QMessageBox::Ok, QString::fromUtf8("解锁"));
  QStringList texts;
  pressWhenShown(QMessageBox::Ok, &texts);
  EXPECT_EQ(CMessageBox::question(&style, &parent, kTitle, kText,
                                  QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel),
            QMessageBox::Ok);
  EXPECT_TRUE(texts.contains(QString::fromUtf8("解锁")));
  EXPECT_TRUE(texts.contains(QString::fromUtf8("取消")));
  EXPECT_EQ(CMessageBox::lastQuestion().answer, QMessageBox::Ok);
}

TEST_F(MessageBoxTest, parentDestroyedWhileAskingGivesNoButton) {
  auto* parent = new QWidget;
  parent->show();
  QTimer::singleShot(0, [parent] { delete parent; });
  EXPECT_EQ(CMessageBox::question(nullptr, parent, kTitle, kText,
                                  QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoButton),
            QMessageBox::NoButton);
  EXPECT_TRUE(CMessageBox::lastQuestion().parent.isNull());
}

TEST_F(MessageBoxTest, tipIsRecordedAndShownUnderTheWidget) {
  QWidget window;
  window.resize(400, 300);
  auto* edit = new QLineEdit(&window);
  edit->setGeometry(50, 40, 100, 22);
  window.show();
  const QString text = QString::fromUtf8("查询开始时间和结束时间设置有误");
  const QDateTime before = QDateTime::currentDateTime();
  CMessageTip::showTip(edit, QFlags<GU::EAlign>(QFlag(65)), text, 2, mxservice::MSG_LEVEL_ERROR,
                       300);
  const GU::CMessageTipRecord record = CMessageTip::lastTip();
  EXPECT_EQ(record.widget, edit);
  EXPECT_EQ(record.text, text);
  EXPECT_EQ(record.level, mxservice::MSG_LEVEL_ERROR);
  EXPECT_EQ(record.align, GU::ALIGN_LEFT | GU::ALIGN_BOTTOM);
  EXPECT_GE(record.time, before);
  EXPECT_EQ(CMessageTip::tipCount(), 1);
  CMessageTip* tip = CMessageTip::currentTip();
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(tip->isVisible());
  EXPECT_EQ(tip->x(), 50);
  EXPECT_GT(tip->y(), 40 + 22);
  EXPECT_LE(tip->width(), 300);
}

TEST_F(MessageBoxTest, newTipReplacesTheOldOneAndTipsExpire) {
  QWidget window;
  window.resize(400, 300);
  window.show();
  CMessageTip::showTip(&window, GU::ALIGN_LEFT, "one", 1, mxservice::MSG_LEVEL_INFO, 0);
  QPointer<CMessageTip> first = CMessageTip::currentTip();
  CMessageTip::showTip(&window, GU::ALIGN_RIGHT | GU::ALIGN_TOP, "two", 1,
                       mxservice::MSG_LEVEL_WARNING, 0);
  EXPECT_TRUE(first.isNull());
  QPointer<CMessageTip> second = CMessageTip::currentTip();
  ASSERT_FALSE(second.isNull());
  EXPECT_EQ(second->text(), "two");
  EXPECT_TRUE(uitest::waitFor([&] { return second.isNull(); }, 3000));
  EXPECT_EQ(CMessageTip::currentTip(), nullptr);
  EXPECT_EQ(CMessageTip::tipCount(), 2);
}

TEST_F(MessageBoxTest, tipWithoutWidgetIsOnlyRecordedAndDiesWithItsWindow) {
  CMessageTip::showTip(nullptr, GU::ALIGN_LEFT, "nowhere", 2, mxservice::MSG_LEVEL_INFO, 300);
  EXPECT_EQ(CMessageTip::currentTip(), nullptr);
  EXPECT_EQ(CMessageTip::lastTip().text, "nowhere");
  auto* window = new QWidget;
  window->show();
  CMessageTip::showTip(window, GU::ALIGN_LEFT, "x", 30, mxservice::MSG_LEVEL_INFO, 300);
  QPointer<CMessageTip> tip = CMessageTip::currentTip();
  delete window;
  EXPECT_TRUE(tip.isNull());
  EXPECT_TRUE(CMessageTip::lastTip().widget.isNull());
}

}  // namespace
