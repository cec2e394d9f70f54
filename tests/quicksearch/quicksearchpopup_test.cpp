// The quick search popup under the keyboard and the mouse: the current row
// at the ends of the list, picks (both signals, in order), closing, searching
// as the text and the instruments change, the recent picks, the host window,
// placement and theme. Its lifetime against a building engine is in
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
#include <map>
#include <memory>

namespace {

using LW::CQuickSearchEngine;
using LW::CQuickSearchModel;
using LW::CQuickSearchPopup;
using testsupport::u8;
using testsupport::waitFor;

constexpr int kStock = mxservice::NQ_TRADER_STOCK;
constexpr int kFuture = mxservice::NQ_TRADER_FUTURE;

// Forty Shanghai stocks 600000 .. 600039 (more than a popup shows), Shenzhen
// stocks 300001 .. (five: fewer than a page) and two futures.
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
    // Every pick as heard, both signals in the order they come.
    QObject::connect(m_popup.get(), &CQuickSearchPopup::sigSelectStock,
                     [this](const QString& key) { m_heard << "stock " + key; });
    QObject::connect(m_popup.get(), &CQuickSearchPopup::sigSelectInstrument,
                     [this](const QString& key, int type) { m_heard << picked(key, type); });
  }
  void TearDown() override {
    m_popup.reset();
    m_host.reset();
    m_engine.reset();
    HostFixture::TearDown();
  }

  static QString picked(const QString& key, int type) {
    return QStringLiteral("instrument %1 %2").arg(key).arg(type);
  }
  // Opens the popup on text and waits until it shows.
  void open(const QString& text) {
    m_popup->openWithText(text);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_popup.get()));
  }
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(m_popup->lineEdit(), key, modifiers);
  }
  QVariant cell(int row, int column, int role = Qt::DisplayRole) const {
    return m_popup->listView()->model()->index(row, column).data(role);
  }
  QString keyOfRow(int row) const { return cell(row, 0, CQuickSearchModel::KeyRole).toString(); }
  int typeOfRow(int row) const { return cell(row, 0, CQuickSearchModel::TradeTypeRole).toInt(); }
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
  QStringList m_heard;
};

TEST_F(QuickSearchPopupTest, navigationKeysStopAtTheEndsOfTheList) {
  const int page = CQuickSearchPopup::kVisibleRows;
  // d, u: Down, Up; h, e: Home, End; D, U: Page Down, Page Up.
  const std::map<char, Qt::Key> keyOf = {{'d', Qt::Key_Down},     {'u', Qt::Key_Up},
                                         {'h', Qt::Key_Home},     {'e', Qt::Key_End},
                                         {'D', Qt::Key_PageDown}, {'U', Qt::Key_PageUp}};
  struct Case {
    const char* text;
    const char* keys;
    int expected;
  };
  // "600" lists 30 of the 40 (the default maximum), "3000" the five Shenzhen
  // stocks (fewer than a page), "qqqzzz" nothing.
  const Case cases[] = {
      {"600", "d", 1},          {"600", "u", 0},     {"600", "e", 29},   {"600", "ed", 29},
      {"600", "eu", 28},        {"600", "eh", 0},    {"600", "D", page}, {"600", "DDD", 29},
      {"600", "eU", 29 - page}, {"600", "ddU", 0},   {"600", "U", 0},    {"3000", "D", 4},
      {"3000", "de", 4},        {"3000", "eU", 0},   {"3000", "ed", 4},  {"qqqzzz", "d", -1},
      {"qqqzzz", "e", -1},      {"qqqzzz", "U", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.text << " keys " << c.keys);
    open(c.text);
    ASSERT_EQ(m_popup->pageRows(), page);
    ASSERT_EQ(m_popup->currentRow(), m_popup->rowCount() > 0 ? 0 : -1);
    for (const char* key = c.keys; *key; ++key) press(keyOf.at(*key));
    EXPECT_EQ(m_popup->currentRow(), c.expected);
    // The keys move in the list; the text and the popup stay.
    EXPECT_EQ(m_popup->text(), c.text);
    EXPECT_TRUE(m_popup->isVisible());
    if (c.expected >= 0) {
      QTableView* view = m_popup->listView();
      EXPECT_TRUE(
          view->viewport()->rect().contains(view->visualRect(view->model()->index(c.expected, 0))))
          << "the current row is scrolled into view";
    }
    m_popup->closePopup();
  }
  // With Shift, Home and End select in the text instead.
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
  // Enter picks the current row: Down presses make the row current first.
  auto enter = [this](Qt::Key key) {
    return [this, key](int row) {
      for (int i = 0; i < row; ++i) press(Qt::Key_Down);
      press(key);
    };
  };
  // As the window system delivers one: a click, which only makes the row
  // current, then the double click.
  auto doubleClick = [this](int row) {
    QTableView* view = m_popup->listView();
    const QPoint at = view->visualRect(view->model()->index(row, 1)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(m_popup->currentRow(), row);
    EXPECT_TRUE(m_popup->isVisible());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  };
  const std::tuple<const char*, int, std::function<void(int)>> cases[] = {
      {"600", 0, enter(Qt::Key_Return)},
      {"600", 2, enter(Qt::Key_Enter)},  // the keypad's
      {"cu", 0, enter(Qt::Key_Return)},  // a future
      {"600", 2, doubleClick},           // not the current row
  };
  for (const auto& c : cases) {
    const int row = std::get<1>(c);
    SCOPED_TRACE(testing::Message() << std::get<0>(c) << " row " << row);
    open(std::get<0>(c));
    ASSERT_GT(m_popup->rowCount(), row);
    const QString key = keyOfRow(row);
    const int type = typeOfRow(row);
    ASSERT_FALSE(key.isEmpty());
    m_heard.clear();
    std::get<2>(c)(row);
    EXPECT_EQ(m_heard, (QStringList{"stock " + key, picked(key, type)}));
    EXPECT_FALSE(m_popup->isVisible());
    ASSERT_FALSE(m_popup->recentPicks().isEmpty());
    EXPECT_EQ(m_popup->recentPicks().first(), QStringLiteral("%1|%2").arg(key).arg(type));
  }
  // The third row of "600" was picked twice and is in the list once.
  EXPECT_EQ(m_popup->recentPicks().size(), 3);
}

TEST_F(QuickSearchPopupTest, escapeClosesWithoutAPickAndForgetsTheText) {
  open("600");
  press(Qt::Key_Down);
  press(Qt::Key_Escape);
  EXPECT_FALSE(m_popup->isVisible());
  EXPECT_TRUE(m_popup->text().isEmpty());
  EXPECT_EQ(m_popup->rowCount(), 0);
  EXPECT_TRUE(m_popup->recentPicks().isEmpty());
  // Enter on an empty list picks nothing and keeps the popup open.
  open("qqqzzz");
  press(Qt::Key_Return);
  EXPECT_TRUE(m_popup->isVisible());
  EXPECT_FALSE(m_popup->pickCurrent());
  EXPECT_TRUE(m_heard.isEmpty());
  // The next opening starts from its own text only.
  m_popup->closePopup();
  open("3");
  EXPECT_EQ(m_popup->text(), "3");
  EXPECT_EQ(m_popup->lineEdit()->cursorPosition(), 1);
}

TEST_F(QuickSearchPopupTest, everyKeystrokeSearchesAgain) {
  // Characters typed ('\b' a backspace), the text afterwards, its rows and
  // the best row's code when there is one row.
  const std::tuple<const char*, const char*, int> steps[] = {
      {"", "6", 30},      {"0003", "60003", 10}, {"1", "600031", 1},        {"\b", "60003", 10},
      {"9", "600039", 1}, {"9", "6000399", 0},   {"\b\b\b\b\b\b", "6", 30},
  };
  open("6");
  for (const auto& s : steps) {
    const QString text = std::get<1>(s);
    const int rows = std::get<2>(s);
    SCOPED_TRACE(text.toStdString());
    for (const char* c = std::get<0>(s); *c; ++c) {
      if (*c == '\b')
        press(Qt::Key_Backspace);
      else
        QTest::keyClick(m_popup->lineEdit(), *c);
    }
    ASSERT_EQ(m_popup->text(), text);
    EXPECT_EQ(m_popup->rowCount(), rows);
    EXPECT_EQ(m_popup->currentRow(), rows > 0 ? 0 : -1);
    for (int row = 0; row < m_popup->rowCount(); ++row)
      EXPECT_TRUE(cell(row, CQuickSearchModel::CODE_COLUMN).toString().contains(text)) << row;
    if (rows == 1) {
      EXPECT_EQ(cell(0, CQuickSearchModel::CODE_COLUMN).toString(), text);
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
  // Set, then the maximum and the rows shown.
  const int cases[][3] = {{35, 35, 35}, {100, 100, 40},
                          {1, 1, 1},    {0, 1, 1},
                          {-3, 1, 1},   {1'000'000, CQuickSearchPopup::kMaxMaxMatches, 40}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c[0]);
    m_popup->setMaxMatches(c[0]);
    EXPECT_EQ(m_popup->maxMatches(), c[1]);
    EXPECT_EQ(m_popup->rowCount(), c[2]);
  }
}

TEST_F(QuickSearchPopupTest, theHostWindowOpensItOnALetterOrDigitOutsideTextFields) {
  // A host main window with a table and the usual inputs around it.
  QMainWindow host;
  auto* layout = new QVBoxLayout(new QWidget(&host));
  host.setCentralWidget(layout->parentWidget());
  host.resize(900, 700);
  auto add = [layout](auto* widget) {
    widget->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(widget);
    return widget;
  };
  QWidget* table = add(new QTableView);
  QLineEdit* line = add(new QLineEdit);
  QLineEdit* readOnlyLine = add(new QLineEdit);
  readOnlyLine->setReadOnly(true);
  QComboBox* editableCombo = add(new QComboBox);
  editableCombo->setEditable(true);
  QComboBox* plainCombo = add(new QComboBox);
  plainCombo->addItems({"a", "b"});
  QPlainTextEdit* log = add(new QPlainTextEdit);
  log->setReadOnly(true);
  QWidget* notes = add(new QPlainTextEdit);
  QWidget* richText = add(new QTextEdit);
  QWidget* spin = add(new QSpinBox);
  m_popup->setHostWindow(&host);
  host.show();
  QApplication::setActiveWindow(&host);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
  // Opens on a letter or digit, with Shift or on the keypad too, where the
  // focus does not edit text (table, read-only line and log, plain combo);
  // not with Ctrl, Alt or Meta, on punctuation or a blank, nor in an editor.
  const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier,
                              keypad = Qt::KeypadModifier, ctrl = Qt::ControlModifier,
                              alt = Qt::AltModifier, meta = Qt::MetaModifier;
  struct Case {
    QWidget* focus;
    char key;
    Qt::KeyboardModifiers modifiers;
    bool opens;
  };
  const Case cases[] = {
      {table, 'p', none, true},      {table, '6', none, true},          {table, 'P', shift, true},
      {table, '6', keypad, true},    {readOnlyLine, 'a', none, true},   {log, 'a', none, true},
      {plainCombo, '1', none, true}, {table, 'p', ctrl, false},         {table, 'p', alt, false},
      {table, '6', meta, false},     {table, '.', none, false},         {table, ' ', none, false},
      {line, 'p', none, false},      {editableCombo, 'p', none, false}, {notes, 'p', none, false},
      {richText, 'p', none, false},  {spin, '6', none, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases << " key " << c.key);
    c.focus->setFocus();
    ASSERT_TRUE(waitFor(
        [&] { return c.focus->hasFocus() || c.focus->isAncestorOf(QApplication::focusWidget()); }));
    QTest::keyClick(QApplication::focusWidget(), c.key, c.modifiers);
    EXPECT_EQ(m_popup->isVisible(), c.opens);
    if (!c.opens) continue;
    // The key went to the popup, not to the widget under it, and the next
    // keys go on editing.
    EXPECT_EQ(m_popup->text(), QString(QLatin1Char(c.key)));
    EXPECT_TRUE(m_popup->lineEdit()->hasFocus());
    QTest::keyClick(m_popup->lineEdit(), '0');
    EXPECT_EQ(m_popup->text(), QString(QLatin1Char(c.key)) + "0");
    m_popup->closePopup();
    ASSERT_TRUE(waitFor([&] { return !m_popup->isVisible(); }));
  }
  // Not following any more: nothing opens.
  m_popup->setHostWindow(nullptr);
  table->setFocus();
  QTest::keyClick(table, 'p');
  EXPECT_FALSE(m_popup->isVisible());
}

TEST(QuickSearchPopupStart, onlyForTypingIntoNoTextField) {
  QLineEdit line;
  QWidget plain;
  const Qt::KeyboardModifiers none = Qt::NoModifier;
  const std::tuple<QEvent::Type, int, Qt::KeyboardModifiers, QString, QWidget*, bool> cases[] = {
      {QEvent::KeyPress, Qt::Key_A, none, "a", &plain, true},
      {QEvent::KeyPress, Qt::Key_A, none, "a", nullptr, true},  // no focus widget
      {QEvent::KeyPress, 0, none, u8("平"), &plain, true},
      {QEvent::KeyPress, 0, none, u8("６"), &plain, true},
      {QEvent::KeyRelease, Qt::Key_A, none, "a", &plain, false},
      {QEvent::KeyPress, Qt::Key_F2, none, "", &plain, false},
      {QEvent::KeyPress, Qt::Key_Tab, none, "\t", &plain, false},
      {QEvent::KeyPress, 0, none, u8("😀"), &plain, false},
      {QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier, "A", &plain, false},
      {QEvent::KeyPress, Qt::Key_A, none, "a", &line, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    const QKeyEvent event(std::get<0>(c), std::get<1>(c), std::get<2>(c), std::get<3>(c));
    EXPECT_EQ(CQuickSearchPopup::startsQuickSearch(event, std::get<4>(c)), std::get<5>(c));
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

// The line under the list says what the list is (the recent picks, how many
// matches, nothing found) or what to type; the edit and the list have names.
TEST_F(QuickSearchPopupTest, theHintLineFollowsWhatTheListShows) {
  auto* hint = m_popup->findChild<QLabel*>(QStringLiteral("quickSearchHint"));
  ASSERT_TRUE(hint);
  auto text = [](const char* source) {
    return QCoreApplication::translate("LW::CQuickSearchPopup", source);
  };
  const QString typeHint = text("输入代码、名称或拼音首字母");
  const QString matches = text("%1 个匹配  ↑↓ 选择  回车确认  Esc 关闭");
  const std::tuple<QStringList, const char*, QString> cases[] = {
      {{}, "", typeHint},
      {{"600001.SH|1"}, "", text("最近选择  ↑↓ 选择  回车确认  Esc 关闭")},
      {{"999999.SH|1"}, "", typeHint},  // recent picks all gone
      {{}, "3000", matches.arg(5)},
      {{}, "600", matches.arg(30)},  // up to the maximum
      {{}, "qqqzzz", text("没有匹配的品种")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::get<2>(c).toStdString());
    m_popup->setRecentPicks(std::get<0>(c));
    open(QString::fromUtf8(std::get<1>(c)));
    EXPECT_EQ(hint->text(), std::get<2>(c));
    EXPECT_TRUE(hint->isVisible());
    EXPECT_GE(hint->height(), hint->fontMetrics().height());
    m_popup->closePopup();
  }
  open("600");
  EXPECT_FALSE(m_popup->lineEdit()->accessibleName().isEmpty());
  EXPECT_FALSE(m_popup->listView()->accessibleName().isEmpty());
  EXPECT_NE(m_popup->lineEdit()->accessibleName(), m_popup->listView()->accessibleName());
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
    ASSERT_TRUE(resource->setTheme(theme) || resource->theme() == QLatin1String(theme));
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
  resource->setTheme("light");
}

}  // namespace
