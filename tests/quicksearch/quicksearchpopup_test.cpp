// The quick search popup under the keyboard and the mouse: moving the
// current row at the ends of the list, picking (both signals, in order),
// closing, searching as the text changes and as the instruments change, the
// recent picks, opening from the host window and placement on the screen.
// The popup's lifetime against an engine that is still building is in
// quicksearchpopup_threads_test.cpp.
#include "quicksearch/quicksearchpopup.h"
#include "quicksearch/quicksearchengine.h"
#include "quicksearch/quicksearchmodel.h"

#include "eventwait.h"
#include "host/ui/uiresource.h"
#include "qstringprint.h"
#include "testrecords.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QVBoxLayout>
#include <functional>
#include <memory>

namespace {

using LW::CQuickSearchEngine;
using LW::CQuickSearchModel;
using LW::CQuickSearchPopup;
using testsupport::u8;
using testsupport::waitFor;

constexpr int kStock = mxservice::NQ_TRADER_STOCK;
constexpr int kFuture = mxservice::NQ_TRADER_FUTURE;

// Forty Shanghai stocks 600000 .. 600039 (more than a popup shows), five
// Shenzhen stocks 300001 .. 300005 (fewer than a page) and two futures.
mxservice::DataSet instrumentSet(int shenzhenCount = 5) {
  static const char* const kNames[] = {"浦发", "华夏", "民生", "招商", "宁波", "南京", "兴业",
                                       "北京", "上海", "农业", "交通", "工商", "光大", "建设",
                                       "中国", "中信", "长江", "重庆", "平安", "广发"};
  mxservice::DataSet set;
  for (int i = 0; i < 40; ++i)
    set.instruments.push_back(
        testsupport::instrument(kStock, "SH", std::to_string(600000 + i),
                                std::string(kNames[i % 20]) + (i < 20 ? "银行" : "证券")));
  for (int i = 1; i <= shenzhenCount; ++i)
    set.instruments.push_back(
        testsupport::instrument(kStock, "SZ", std::to_string(300000 + i), "创业科技"));
  set.instruments.push_back(testsupport::instrument(kFuture, "SHFE", "cu2501", "沪铜2501"));
  set.instruments.push_back(testsupport::instrument(kFuture, "SHFE", "al2501", "沪铝2501"));
  return set;
}

class QuickSearchPopupTest : public testsupport::HostFixture {
protected:
  void SetUp() override {
    HostFixture::SetUp();
    install(instrumentSet());
    m_engine = std::make_unique<CQuickSearchEngine>();
    ASSERT_TRUE(waitFor([&] { return m_engine->isReady(); }, 10000));
    m_popup = std::make_unique<CQuickSearchPopup>(m_engine.get());
  }
  void TearDown() override {
    m_popup.reset();
    m_host.reset();
    m_engine.reset();
    HostFixture::TearDown();
  }

  // Opens the popup on text and waits until it shows.
  void open(const QString& text) {
    m_popup->openWithText(text);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_popup.get()));
  }
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(m_popup->lineEdit(), key, modifiers);
  }
  QString keyOfRow(int row) const {
    return m_popup->listView()->model()->index(row, 0).data(CQuickSearchModel::KeyRole).toString();
  }
  int typeOfRow(int row) const {
    return m_popup->listView()
        ->model()
        ->index(row, 0)
        .data(CQuickSearchModel::TradeTypeRole)
        .toInt();
  }
  QString codeOfRow(int row) const {
    return m_popup->listView()
        ->model()
        ->index(row, CQuickSearchModel::CODE_COLUMN)
        .data()
        .toString();
  }
  QStringList shownKeys() const {
    QStringList keys;
    for (int row = 0; row < m_popup->rowCount(); ++row) keys << keyOfRow(row);
    return keys;
  }
  // Replaces the instruments and waits for the engine's next index.
  void reinstall(mxservice::DataSet set) {
    QSignalSpy published(m_engine.get(), &CQuickSearchEngine::sigIndexChanged);
    install(std::move(set));
    m_engine->rebuild();
    ASSERT_TRUE(waitFor([&] { return !published.isEmpty(); }, 10000));
  }

  std::unique_ptr<CQuickSearchEngine> m_engine;
  std::unique_ptr<QMainWindow> m_host;
  std::unique_ptr<CQuickSearchPopup> m_popup;
};

TEST_F(QuickSearchPopupTest, navigationKeysStopAtTheEndsOfTheList) {
  struct Case {
    const char* name;
    const char* text;
    std::vector<Qt::Key> before;
    Qt::Key key;
    int expected;
  };
  // "600" lists 30 of the 40 (the default maximum), "3000" the five
  // Shenzhen stocks (fewer than a page), "qqqzzz" nothing.
  const int page = CQuickSearchPopup::kVisibleRows;
  const Case cases[] = {
      {"down from the first", "600", {}, Qt::Key_Down, 1},
      {"up at the first", "600", {}, Qt::Key_Up, 0},
      {"end", "600", {}, Qt::Key_End, 29},
      {"down at the last", "600", {Qt::Key_End}, Qt::Key_Down, 29},
      {"up from the last", "600", {Qt::Key_End}, Qt::Key_Up, 28},
      {"home from the last", "600", {Qt::Key_End}, Qt::Key_Home, 0},
      {"page down", "600", {}, Qt::Key_PageDown, page},
      {"page down to the last", "600", {Qt::Key_PageDown, Qt::Key_PageDown}, Qt::Key_PageDown, 29},
      {"page up from the last", "600", {Qt::Key_End}, Qt::Key_PageUp, 29 - page},
      {"page up near the top", "600", {Qt::Key_Down, Qt::Key_Down}, Qt::Key_PageUp, 0},
      {"page up at the first", "600", {}, Qt::Key_PageUp, 0},
      {"short list: page down", "3000", {}, Qt::Key_PageDown, 4},
      {"short list: end", "3000", {Qt::Key_Down}, Qt::Key_End, 4},
      {"short list: page up", "3000", {Qt::Key_End}, Qt::Key_PageUp, 0},
      {"short list: down at the last", "3000", {Qt::Key_End}, Qt::Key_Down, 4},
      {"empty list: down", "qqqzzz", {}, Qt::Key_Down, -1},
      {"empty list: end", "qqqzzz", {}, Qt::Key_End, -1},
      {"empty list: page up", "qqqzzz", {}, Qt::Key_PageUp, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open(QString::fromLatin1(c.text));
    ASSERT_EQ(m_popup->pageRows(), page);
    ASSERT_EQ(m_popup->currentRow(), m_popup->rowCount() > 0 ? 0 : -1);
    for (Qt::Key key : c.before) press(key);
    press(c.key);
    EXPECT_EQ(m_popup->currentRow(), c.expected);
    // The keys move in the list; the text and the popup stay.
    EXPECT_EQ(m_popup->text(), QString::fromLatin1(c.text));
    EXPECT_TRUE(m_popup->isVisible());
    if (c.expected >= 0) {
      const QRect shown = m_popup->listView()->viewport()->rect();
      EXPECT_TRUE(shown.contains(
          m_popup->listView()->visualRect(m_popup->listView()->model()->index(c.expected, 0))))
          << "the current row is scrolled into view";
    }
    m_popup->closePopup();
  }
}

TEST_F(QuickSearchPopupTest, shiftHomeAndEndSelectInTheTextInstead) {
  open("6000");
  press(Qt::Key_Down);
  press(Qt::Key_Home, Qt::ShiftModifier);
  EXPECT_EQ(m_popup->currentRow(), 1);
  EXPECT_EQ(m_popup->lineEdit()->selectedText(), "6000");
  press(Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(m_popup->currentRow(), 1);
  EXPECT_EQ(m_popup->lineEdit()->cursorPosition(), 4);
}

TEST_F(QuickSearchPopupTest, enterAndDoubleClickPickTheRowWithBothSignalsInOrder) {
  struct Case {
    const char* name;
    const char* text;
    int row;  // the row picked
    std::function<void(CQuickSearchPopup*, int row)> pick;
  };
  // Enter picks the current row: Down presses make row current first.
  auto enter = [this](Qt::Key key) {
    return [this, key](CQuickSearchPopup* popup, int row) {
      for (int i = 0; i < row; ++i) press(Qt::Key_Down);
      QTest::keyClick(popup->lineEdit(), key);
    };
  };
  // As the window system delivers one: a click, then the double click. The
  // click alone only makes the row current.
  auto doubleClick = [](CQuickSearchPopup* popup, int row) {
    QTableView* view = popup->listView();
    const QPoint at = view->visualRect(view->model()->index(row, 1)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(popup->currentRow(), row);
    EXPECT_TRUE(popup->isVisible());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  };
  const Case cases[] = {
      {"return on the first", "600", 0, enter(Qt::Key_Return)},
      {"enter (keypad) on the third", "600", 2, enter(Qt::Key_Enter)},
      {"return on a future", "cu", 0, enter(Qt::Key_Return)},
      {"double click on the third, not the current row", "600", 2, doubleClick},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open(QString::fromLatin1(c.text));
    const int row = c.row;
    ASSERT_GT(m_popup->rowCount(), row);
    const QString key = keyOfRow(row);
    const int type = typeOfRow(row);
    ASSERT_FALSE(key.isEmpty());

    QStringList heard;
    const auto stock = QObject::connect(m_popup.get(), &CQuickSearchPopup::sigSelectStock,
                                        [&](const QString& k) { heard << "stock " + k; });
    const auto instrument = QObject::connect(
        m_popup.get(), &CQuickSearchPopup::sigSelectInstrument, [&](const QString& k, int t) {
          heard << QStringLiteral("instrument %1 %2").arg(k).arg(t);
        });
    c.pick(m_popup.get(), row);
    QObject::disconnect(stock);
    QObject::disconnect(instrument);

    EXPECT_EQ(heard,
              (QStringList{"stock " + key, QStringLiteral("instrument %1 %2").arg(key).arg(type)}));
    EXPECT_FALSE(m_popup->isVisible());
    ASSERT_FALSE(m_popup->recentPicks().isEmpty());
    EXPECT_EQ(m_popup->recentPicks().first(), QStringLiteral("%1|%2").arg(key).arg(type));
  }
  // The third row of "600" was picked twice and is in the list once.
  EXPECT_EQ(m_popup->recentPicks().size(), 3);
}

TEST_F(QuickSearchPopupTest, escapeClosesWithoutAPickAndForgetsTheText) {
  QSignalSpy stocks(m_popup.get(), &CQuickSearchPopup::sigSelectStock);
  QSignalSpy instruments(m_popup.get(), &CQuickSearchPopup::sigSelectInstrument);
  open("600");
  press(Qt::Key_Down);
  press(Qt::Key_Escape);
  EXPECT_FALSE(m_popup->isVisible());
  EXPECT_TRUE(m_popup->text().isEmpty());
  EXPECT_EQ(m_popup->rowCount(), 0);
  EXPECT_TRUE(stocks.isEmpty());
  EXPECT_TRUE(instruments.isEmpty());
  EXPECT_TRUE(m_popup->recentPicks().isEmpty());

  // Enter on an empty list picks nothing and keeps the popup open.
  open("qqqzzz");
  press(Qt::Key_Return);
  EXPECT_TRUE(m_popup->isVisible());
  EXPECT_FALSE(m_popup->pickCurrent());
  EXPECT_TRUE(stocks.isEmpty());

  // The next opening starts from its own text only.
  m_popup->closePopup();
  open("3");
  EXPECT_EQ(m_popup->text(), "3");
  EXPECT_EQ(m_popup->lineEdit()->cursorPosition(), 1);
}

TEST_F(QuickSearchPopupTest, everyKeystrokeSearchesAgain) {
  struct Step {
    const char* typed;  // characters typed, or "\b" for a backspace
    const char* text;   // the text afterwards
    int rows;
    const char* firstCode;  // the best row's code; empty: no row
  };
  const Step steps[] = {
      {"", "6", 30, nullptr},
      {"0003", "60003", 10, nullptr},
      {"1", "600031", 1, "600031"},
      {"\b", "60003", 10, nullptr},
      {"9", "600039", 1, "600039"},
      {"9", "6000399", 0, ""},
      {"\b\b\b\b\b\b", "6", 30, nullptr},
  };
  open("6");
  for (const Step& s : steps) {
    SCOPED_TRACE(s.text);
    for (const char* c = s.typed; *c; ++c) {
      if (*c == '\b')
        press(Qt::Key_Backspace);
      else
        QTest::keyClick(m_popup->lineEdit(), *c);
    }
    ASSERT_EQ(m_popup->text(), QString::fromLatin1(s.text));
    EXPECT_EQ(m_popup->rowCount(), s.rows);
    EXPECT_EQ(m_popup->currentRow(), s.rows > 0 ? 0 : -1);
    for (int row = 0; row < m_popup->rowCount(); ++row)
      EXPECT_TRUE(codeOfRow(row).contains(m_popup->text())) << qPrintable(codeOfRow(row));
    if (s.firstCode && *s.firstCode) {
      EXPECT_EQ(codeOfRow(0), QString::fromLatin1(s.firstCode));
    }
  }
  // Typing after a row was chosen starts again at the best row.
  press(Qt::Key_End);
  QTest::keyClick(m_popup->lineEdit(), '0');
  EXPECT_EQ(m_popup->currentRow(), 0);
}

TEST_F(QuickSearchPopupTest, aNewIndexSearchesAgainAndKeepsTheCurrentInstrument) {
  open("3000");
  ASSERT_EQ(m_popup->rowCount(), 5);
  press(Qt::Key_Down);
  press(Qt::Key_Down);
  const QString current = keyOfRow(2);

  reinstall(instrumentSet(8));
  EXPECT_EQ(m_popup->rowCount(), 8);
  ASSERT_GE(m_popup->currentRow(), 0);
  EXPECT_EQ(keyOfRow(m_popup->currentRow()), current);

  // The current instrument gone: the best row is current.
  reinstall(instrumentSet(2));
  EXPECT_EQ(m_popup->rowCount(), 2);
  EXPECT_EQ(m_popup->currentRow(), 0);
  EXPECT_FALSE(shownKeys().contains(current));
}

TEST_F(QuickSearchPopupTest, theEmptyTextOffersTheRecentPicksThatStillExist) {
  m_popup->setRecentCapacity(3);
  const QStringList picks{"600005.SH|1", "300004.SZ|1", "cu2501.SHFE|2", "600007.SH|1"};
  for (const QString& pick : picks) {
    const QString code = pick.section('.', 0, 0);
    open(code);
    ASSERT_EQ(keyOfRow(0), pick.section('|', 0, 0));
    press(Qt::Key_Return);
  }
  // The last three, newest first.
  EXPECT_EQ(m_popup->recentPicks(), (QStringList{"600007.SH|1", "cu2501.SHFE|2", "300004.SZ|1"}));
  open("");
  EXPECT_EQ(shownKeys(), (QStringList{"600007.SH", "cu2501.SHFE", "300004.SZ"}));
  EXPECT_EQ(m_popup->currentRow(), 0);
  // Blanks count as no text.
  m_popup->closePopup();
  open("  ");
  EXPECT_EQ(shownKeys().size(), 3);

  // Picking from the recent list moves the pick to the front.
  press(Qt::Key_End);
  press(Qt::Key_Return);
  EXPECT_EQ(m_popup->recentPicks(), (QStringList{"300004.SZ|1", "600007.SH|1", "cu2501.SHFE|2"}));

  // 300004 gone from the list: skipped, but kept for when it returns.
  reinstall(instrumentSet(3));
  open("");
  EXPECT_EQ(shownKeys(), (QStringList{"600007.SH", "cu2501.SHFE"}));
  EXPECT_EQ(m_popup->recentPicks().size(), 3);
  reinstall(instrumentSet(5));
  m_popup->closePopup();
  open("");
  EXPECT_EQ(shownKeys(), (QStringList{"300004.SZ", "600007.SH", "cu2501.SHFE"}));
}

TEST_F(QuickSearchPopupTest, storedRecentPicksSurviveGarbageAndUnknownInstruments) {
  m_popup->setRecentCapacity(4);
  const QStringList stored{QStringLiteral("600001.SH|1"),           QStringLiteral("rubbish"),
                           QStringLiteral("999999.SH|1"),  // not listed
                           QStringLiteral("600001.SH|4"),  // listed as a stock only
                           QStringLiteral("600001.SH|1"),           QString(QChar(0xDC00)) + "|1",
                           QString(10000, QLatin1Char('6')) + "|1", QStringLiteral("al2501.SHFE|2"),
                           QStringLiteral("600002.SH|1"),           QStringLiteral("600003.SH|1")};
  EXPECT_EQ(m_popup->setRecentPicks(stored), 3);
  EXPECT_EQ(m_popup->recentPicks(),
            (QStringList{"600001.SH|1", "999999.SH|1", "600001.SH|4", "al2501.SHFE|2"}));
  open("");
  EXPECT_EQ(shownKeys(), (QStringList{"600001.SH", "al2501.SHFE"}));
  EXPECT_EQ(typeOfRow(1), kFuture);
  // The list shown follows a replacement while open.
  m_popup->setRecentPicks({"600002.SH|1"});
  EXPECT_EQ(shownKeys(), QStringList{"600002.SH"});
  // And the maximum of rows holds for the recent list as for a search.
  m_popup->setRecentCapacity(10);
  m_popup->setRecentPicks({"600001.SH|1", "600002.SH|1", "600003.SH|1"});
  m_popup->setMaxMatches(2);
  EXPECT_EQ(shownKeys(), (QStringList{"600001.SH", "600002.SH"}));
}

TEST_F(QuickSearchPopupTest, theMaximumOfRowsIsClampedAndSearchesAgain) {
  EXPECT_EQ(m_popup->maxMatches(), CQuickSearchPopup::kDefaultMaxMatches);
  open("600");
  EXPECT_EQ(m_popup->rowCount(), 30);
  struct Case {
    int set;
    int expectedMax;
    int rows;
  };
  const Case cases[] = {{35, 35, 35}, {100, 100, 40},
                        {1, 1, 1},    {0, 1, 1},
                        {-3, 1, 1},   {1'000'000, CQuickSearchPopup::kMaxMaxMatches, 40}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.set);
    m_popup->setMaxMatches(c.set);
    EXPECT_EQ(m_popup->maxMatches(), c.expectedMax);
    EXPECT_EQ(m_popup->rowCount(), c.rows);
  }
}

// A host main window with a table in the middle and the usual inputs
// around it.
struct HostWindow {
  QMainWindow window;
  QTableView* table;
  QLineEdit* line;
  QLineEdit* readOnlyLine;
  QComboBox* editableCombo;
  QComboBox* plainCombo;
  QPlainTextEdit* log;
  QPlainTextEdit* notes;
  QTextEdit* richText;
  QSpinBox* spin;

  HostWindow() {
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    table = new QTableView(central);
    line = new QLineEdit(central);
    readOnlyLine = new QLineEdit(central);
    readOnlyLine->setReadOnly(true);
    editableCombo = new QComboBox(central);
    editableCombo->setEditable(true);
    plainCombo = new QComboBox(central);
    plainCombo->addItems({"a", "b"});
    log = new QPlainTextEdit(central);
    log->setReadOnly(true);
    notes = new QPlainTextEdit(central);
    richText = new QTextEdit(central);
    spin = new QSpinBox(central);
    for (QWidget* w : std::initializer_list<QWidget*>{table, line, readOnlyLine, editableCombo,
                                                      plainCombo, log, notes, richText, spin}) {
      w->setFocusPolicy(Qt::StrongFocus);
      layout->addWidget(w);
    }
    window.setCentralWidget(central);
    window.resize(900, 700);
  }
};

TEST_F(QuickSearchPopupTest, theHostWindowOpensItOnALetterOrDigitOutsideTextFields) {
  HostWindow host;
  m_popup->setHostWindow(&host.window);
  host.window.show();
  QApplication::setActiveWindow(&host.window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&host.window));
  struct Case {
    const char* name;
    QWidget* focus;
    char key;
    Qt::KeyboardModifiers modifiers;
    bool opens;
  };
  const Case cases[] = {
      {"letter in the table", host.table, 'p', Qt::NoModifier, true},
      {"digit in the table", host.table, '6', Qt::NoModifier, true},
      {"capital with shift", host.table, 'P', Qt::ShiftModifier, true},
      {"keypad digit", host.table, '6', Qt::KeypadModifier, true},
      {"read-only line", host.readOnlyLine, 'a', Qt::NoModifier, true},
      {"read-only log", host.log, 'a', Qt::NoModifier, true},
      {"non-editable combo", host.plainCombo, '1', Qt::NoModifier, true},
      {"ctrl", host.table, 'p', Qt::ControlModifier, false},
      {"alt", host.table, 'p', Qt::AltModifier, false},
      {"meta", host.table, '6', Qt::MetaModifier, false},
      {"punctuation", host.table, '.', Qt::NoModifier, false},
      {"blank", host.table, ' ', Qt::NoModifier, false},
      {"line edit", host.line, 'p', Qt::NoModifier, false},
      {"editable combo", host.editableCombo, 'p', Qt::NoModifier, false},
      {"plain text", host.notes, 'p', Qt::NoModifier, false},
      {"rich text", host.richText, 'p', Qt::NoModifier, false},
      {"spin box", host.spin, '6', Qt::NoModifier, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.focus->setFocus();
    ASSERT_TRUE(waitFor(
        [&] { return c.focus->hasFocus() || c.focus->isAncestorOf(QApplication::focusWidget()); }));
    QWidget* receiver = QApplication::focusWidget();
    QTest::keyClick(receiver, c.key, c.modifiers);
    EXPECT_EQ(m_popup->isVisible(), c.opens);
    if (c.opens) {
      EXPECT_EQ(m_popup->text(), QString(QLatin1Char(c.key)));
      // The key went to the popup, not to the widget under it.
      EXPECT_TRUE(m_popup->lineEdit()->hasFocus());
      // The next keys go on editing.
      QTest::keyClick(m_popup->lineEdit(), '0');
      EXPECT_EQ(m_popup->text(), QString(QLatin1Char(c.key)) + "0");
      m_popup->closePopup();
      ASSERT_TRUE(waitFor([&] { return !m_popup->isVisible(); }));
    }
  }
  // Not following any more: nothing opens.
  m_popup->setHostWindow(nullptr);
  host.table->setFocus();
  QTest::keyClick(host.table, 'p');
  EXPECT_FALSE(m_popup->isVisible());
}

TEST_F(QuickSearchPopupTest, startsQuickSearchOnlyForTypingIntoNoTextField) {
  QLineEdit line;
  QWidget plain;
  struct Case {
    const char* name;
    QEvent::Type type;
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
    QWidget* focus;
    bool starts;
  };
  const Case cases[] = {
      {"letter", QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a", &plain, true},
      {"no focus widget", QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a", nullptr, true},
      {"Chinese letter", QEvent::KeyPress, 0, Qt::NoModifier, u8("平"), &plain, true},
      {"full-width digit", QEvent::KeyPress, 0, Qt::NoModifier, u8("６"), &plain, true},
      {"release", QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a", &plain, false},
      {"no text", QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier, "", &plain, false},
      {"control character", QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, "\t", &plain, false},
      {"emoji", QEvent::KeyPress, 0, Qt::NoModifier, u8("😀"), &plain, false},
      {"ctrl+shift", QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier, "A",
       &plain, false},
      {"into a line edit", QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a", &line, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QKeyEvent event(c.type, c.key, c.modifiers, c.text);
    EXPECT_EQ(CQuickSearchPopup::startsQuickSearch(event, c.focus), c.starts);
  }
}

TEST_F(QuickSearchPopupTest, followsTheHostWindowAndStaysOnItsScreen) {
  m_host = std::make_unique<QMainWindow>();
  m_host->resize(800, 600);
  m_host->move(40, 30);
  m_host->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(m_host.get()));
  m_popup->setHostWindow(m_host.get(), false);
  open("600");
  const QRect available = m_host->screen()->availableGeometry();
  ASSERT_FALSE(available.isEmpty());
  const QRect first = m_popup->geometry();
  EXPECT_TRUE(available.contains(first));
  // Centred across the host, below its top edge.
  EXPECT_LE(std::abs(first.center().x() - m_host->geometry().center().x()), 1);
  EXPECT_GT(first.top(), m_host->geometry().top());

  m_host->move(m_host->x() + 30, m_host->y() + 20);
  ASSERT_TRUE(waitFor([&] { return m_popup->geometry() != first; }));
  EXPECT_EQ(m_popup->geometry(), first.translated(30, 20));

  // Dragged mostly off the screen to the right and below: the popup stays whole on it.
  m_host->move(available.right() - 100, available.bottom() - 50);
  ASSERT_TRUE(
      waitFor([&] { return m_popup->geometry().topLeft() != first.topLeft() + QPoint(30, 20); }));
  EXPECT_TRUE(available.contains(m_popup->geometry()));
  EXPECT_EQ(m_popup->geometry().right(), available.right());
  EXPECT_EQ(m_popup->geometry().bottom(), available.bottom());

  // A host that hides takes the popup with it.
  m_host->hide();
  EXPECT_FALSE(m_popup->isVisible());
}

TEST_F(QuickSearchPopupTest, theListModelPassesTheModelChecks) {
  CQuickSearchModel model;
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  EXPECT_EQ(model.columnCount(), 4);
  model.setMatches(m_engine->search("600", 10));
  EXPECT_EQ(model.rowCount(), 10);
  EXPECT_EQ(model.rowOf(model.matchAt(3)->key, model.matchAt(3)->tradeType), 3);
  EXPECT_EQ(model.rowOf(model.matchAt(3)->key, model.matchAt(3)->tradeType * 2), -1);
  EXPECT_EQ(model.matchAt(10), nullptr);
  EXPECT_EQ(model.matchAt(-1), nullptr);
  EXPECT_FALSE(model.index(0, 0).data(CQuickSearchModel::KeyRole).toString().isEmpty());
  model.setMatches({});
  EXPECT_EQ(model.rowCount(), 0);
}

// The line under the list says what the list is: the recent picks, the
// matches (how many) or nothing found, or what to type.
TEST_F(QuickSearchPopupTest, theHintLineFollowsWhatTheListShows) {
  auto* hint = m_popup->findChild<QLabel*>(QStringLiteral("quickSearchHint"));
  ASSERT_TRUE(hint);
  auto text = [](const char* source) {
    return QCoreApplication::translate("LW::CQuickSearchPopup", source);
  };
  struct Case {
    const char* name;
    QStringList recent;
    const char* typed;
    QString expected;
  };
  const Case cases[] = {
      {"nothing typed, no recent picks", {}, "", text("输入代码、名称或拼音首字母")},
      {"nothing typed, recent picks",
       {"600001.SH|1"},
       "",
       text("最近选择  ↑↓ 选择  回车确认  Esc 关闭")},
      {"recent picks all gone", {"999999.SH|1"}, "", text("输入代码、名称或拼音首字母")},
      {"matches", {}, "3000", text("%1 个匹配  ↑↓ 选择  回车确认  Esc 关闭").arg(5)},
      {"matches up to the maximum",
       {},
       "600",
       text("%1 个匹配  ↑↓ 选择  回车确认  Esc 关闭").arg(30)},
      {"no match", {}, "qqqzzz", text("没有匹配的品种")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_popup->setRecentPicks(c.recent);
    open(QString::fromUtf8(c.typed));
    EXPECT_EQ(hint->text(), c.expected);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_GE(hint->height(), hint->fontMetrics().height());
    m_popup->closePopup();
  }
}

// The host's themes set the application palette; the popup draws with it,
// and its quieter hint line stays readable on either background.
TEST_F(QuickSearchPopupTest, followsTheHostsThemeThroughThePalette) {
  auto* hint = m_popup->findChild<QLabel*>(QStringLiteral("quickSearchHint"));
  ASSERT_TRUE(hint);
  GU::CUiResource* resource = GU::CUiResource::instance();
  open("600");
  for (const char* theme : {"dark", "light", "dark"}) {
    SCOPED_TRACE(theme);
    ASSERT_TRUE(resource->setTheme(QString::fromLatin1(theme)) ||
                resource->theme() == QLatin1String(theme));
    QCoreApplication::processEvents();
    const QPalette app = QApplication::palette();
    EXPECT_EQ(m_popup->listView()->palette().color(QPalette::Base), app.color(QPalette::Base));
    EXPECT_EQ(m_popup->lineEdit()->palette().color(QPalette::Text), app.color(QPalette::Text));
    const int text = app.color(QPalette::WindowText).lightness();
    const int window = app.color(QPalette::Window).lightness();
    const int quiet = hint->palette().color(QPalette::WindowText).lightness();
    EXPECT_GT(std::abs(quiet - window), std::abs(text - window) / 3) << "readable";
    EXPECT_LT(std::abs(quiet - text), std::abs(text - window)) << "quieter than the text";
    EXPECT_EQ(app.color(QPalette::Base).lightness() < 128, std::string(theme) == "dark");
  }
  resource->setTheme(QStringLiteral("light"));
}

TEST_F(QuickSearchPopupTest, theEditAndTheListHaveAccessibleNames) {
  open("600");
  EXPECT_FALSE(m_popup->lineEdit()->accessibleName().isEmpty());
  EXPECT_FALSE(m_popup->listView()->accessibleName().isEmpty());
  EXPECT_NE(m_popup->lineEdit()->accessibleName(), m_popup->listView()->accessibleName());
}

}  // namespace
