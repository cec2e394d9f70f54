#include "host/ui/searchtextlineedit.h"

#include "host/ui/eventids.h"
#include "uitesthelpers.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QInputMethodEvent>
#include <QPointer>
#include <QTest>

namespace {

using GU::CSearchTextLineEdit;
using uitest::EventRecorder;

const char kLettersDigits[] = "(^$)|[a-zA-Z0-9]+$";
const char kType64[] = "(^$)|([a-zA-Z0-9]+|[a-zA-Z]+[ ][a-zA-Z]+|[a-zA-Z]+[ ][0-9]+$)|(^[一-龥]*$)";

// Types text one character at a time: ASCII through key clicks, anything
// else as an input-method commit, the way a CJK input method delivers it.
void typeText(QWidget* widget, const QString& text) {
  for (QChar ch : text) {
    if (ch.unicode() < 0x80) {
      QTest::keyClick(widget, ch.toLatin1());
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(QString(ch));
      QCoreApplication::sendEvent(widget, &commit);
    }
  }
}

struct Fixture {
  Fixture() : edit(new CSearchTextLineEdit(9, &parent, false)) {
    parent.resize(300, 40);
    edit->resize(200, 24);
    parent.show();
    edit->setFocus();
  }
  EventRecorder parent;
  CSearchTextLineEdit* edit;
};

TEST(SearchTextLineEdit, patternDecidesWhatCanBeTyped) {
  struct Case {
    const char* pattern;
    QString typed;
    QString expected;
  };
  const Case cases[] = {
      {kLettersDigits, "abc!", "abc"},
      {kLettersDigits, "60a b", "60ab"},
      {kLettersDigits, "平安", ""},
      {kType64, QString::fromUtf8("平安"), QString::fromUtf8("平安")},
      {kType64, "ab 12", "ab 12"},
      {kType64, "ab cd", "ab cd"},
      {kType64, "ab 1x", "ab 1"},
      {kType64, QString::fromUtf8("平a"), QString::fromUtf8("平")},
      {kType64, QString::fromUtf8("a平"), "a"},
      {kType64, "a  b", "a b"},
      {"", "abc!", "abc!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + " <- " + c.typed.toStdString());
    Fixture f;
    f.edit->setRegExp(QString::fromUtf8(c.pattern));
    typeText(f.edit, c.typed);
    EXPECT_EQ(f.edit->getText(), c.expected);
    // One 168 per accepted character, each with the text so far.
    const auto edits = f.parent.withId(GU::EVENT_EDIT_TEXT_CHANGED);
    ASSERT_EQ(static_cast<int>(edits.size()), c.expected.size());
    for (size_t i = 0; i < edits.size(); ++i) {
      EXPECT_EQ(edits[i].text, c.expected.left(static_cast<int>(i) + 1));
      EXPECT_EQ(edits[i].wParam, 9);
    }
  }
}

TEST(SearchTextLineEdit, invalidPatternIsLoggedAndRestrictsNothing) {
  uitest::LogCapture log;
  Fixture f;
  f.edit->setRegExp("([a-z");
  typeText(f.edit, "x!1");
  EXPECT_EQ(f.edit->getText(), "x!1");
  EXPECT_EQ(log.count("([a-z"), 1);
}

TEST(SearchTextLineEdit, enterDeliversTheTextAfterTheEdits) {
  Fixture f;
  f.edit->setRegExp(kLettersDigits);
  typeText(f.edit, "60");
  QTest::keyClick(f.edit, Qt::Key_Return);
  QTest::keyClick(f.edit, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(f.parent.ids(), (std::vector<int>{168, 168, 101, 101}));
  const auto enters = f.parent.withId(GU::EVENT_EDIT_RETURN_PRESSED);
  EXPECT_EQ(enters[0].text, "60");
  EXPECT_EQ(enters[0].wParam, 9);
  EXPECT_EQ(enters[0].lParam, 0);
}

TEST(SearchTextLineEdit, programChangesDeliverNothing) {
  Fixture f;
  f.edit->setText("abc");
  f.edit->clear();
  uitest::flushDeferredDeletes();
  EXPECT_TRUE(f.parent.events.empty());
}

// The clear button and Escape clear alike.
TEST(SearchTextLineEdit, clearingDeliversClearedThenEmptyEditUnlessConsumed) {
  for (bool escape : {false, true}) {
    for (bool consume : {false, true}) {
      SCOPED_TRACE(std::string(escape ? "Escape" : "button") +
                   (consume ? ", 102 consumed" : ", 102 not consumed"));
      Fixture f;
      if (consume) f.parent.consumed.insert(GU::EVENT_EDIT_CLEARED);
      EXPECT_FALSE(f.edit->clearAction()->isVisible());
      typeText(f.edit, "ab");
      EXPECT_TRUE(f.edit->clearAction()->isVisible());
      f.parent.events.clear();
      if (escape)
        QTest::keyClick(f.edit, Qt::Key_Escape);
      else
        f.edit->clearAction()->trigger();
      EXPECT_EQ(f.edit->getText(), "");
      EXPECT_FALSE(f.edit->clearAction()->isVisible());
      EXPECT_TRUE(f.parent.events.empty());  // not from inside the click
      uitest::flushDeferredDeletes();
      const std::vector<int> expected =
          consume ? std::vector<int>{102} : std::vector<int>{102, 168};
      EXPECT_EQ(f.parent.ids(), expected);
      for (const auto& event : f.parent.events) {
        EXPECT_EQ(event.text, "");
        EXPECT_EQ(event.wParam, 9);
      }
      // Escape on an empty field is not a clear.
      f.parent.events.clear();
      QTest::keyClick(f.edit, Qt::Key_Escape);
      uitest::flushDeferredDeletes();
      EXPECT_TRUE(f.parent.events.empty());
    }
  }
}

TEST(SearchTextLineEdit, typingRightAfterAClearSupersedesIt) {
  Fixture f;
  typeText(f.edit, "ab");
  f.edit->clearAction()->trigger();
  typeText(f.edit, "c");
  f.parent.events.clear();
  uitest::flushDeferredDeletes();
  // The late 102/168 pair would have wiped the filter of the text "c".
  EXPECT_TRUE(f.parent.events.empty());
  EXPECT_EQ(f.edit->getText(), "c");
}

TEST(SearchTextLineEdit, handlerMayDeleteTheEditOnAnyEvent) {
  for (int id :
       {GU::EVENT_EDIT_TEXT_CHANGED, GU::EVENT_EDIT_RETURN_PRESSED, GU::EVENT_EDIT_CLEARED}) {
    SCOPED_TRACE(id);
    Fixture f;
    QPointer<CSearchTextLineEdit> edit = f.edit;
    if (id != GU::EVENT_EDIT_TEXT_CHANGED) typeText(edit, "a");
    f.parent.onEvent = [&](const uitest::RecordedEvent& event) {
      if (event.id == id) delete edit.data();
    };
    if (id == GU::EVENT_EDIT_TEXT_CHANGED) typeText(edit, "a");
    if (id == GU::EVENT_EDIT_RETURN_PRESSED) QTest::keyClick(edit, Qt::Key_Return);
    if (id == GU::EVENT_EDIT_CLEARED) edit->clearAction()->trigger();
    uitest::flushDeferredDeletes();
    EXPECT_TRUE(edit.isNull());
  }
}

}  // namespace
