#pragma once
// The quick search popup: a small frameless window over the host's main
// window, with a line for the search text and a compact list of the best
// matches of every trading type the data centre holds (code, name, market,
// list). The trader types a code, the pinyin initials or the name of an
// instrument anywhere in the main window, moves to a row with the arrow keys
// and picks it with Enter (or a double click); the popup announces the pick
// and closes.
//
// Opening. A host either calls openWithText() with the first text typed, or
// hands its main window to setHostWindow() with openOnTyping: the popup then
// opens by itself on a letter or digit typed (without Ctrl, Alt or Meta) into
// any widget of that window while no editable text field has focus, and the
// key that opened it becomes its first text (see startsQuickSearch()).
//
// Keys. The line edit keeps the focus, so typing goes on editing and every
// keystroke searches again at once. Up and Down move the current row by one,
// PageUp and PageDown by the rows the list shows, Home and End to the first
// and last row; all of them stop at the ends instead of wrapping. Home and
// End belong to the list because the search text is a few characters long
// and the list is what the trader works in; Shift+Home and Shift+End still
// select in the text. Enter/Return picks the current row; Escape closes
// without a pick. Closing by any means (Escape, a pick, a click outside)
// forgets the text.
//
// A pick emits sigSelectStock(key) and then sigSelectInstrument(key,
// tradeType), after the popup has closed and the pick has moved to the front
// of the recent picks. While the text is empty the popup offers the recent
// picks, most recent first, each looked up again in the engine: instruments
// no longer listed are skipped (and kept, for when they return).
//
// Window kind: Qt::Popup. A popup window grabs the keyboard and the mouse on
// X11 as soon as it is shown, so the typed keys reach its line edit without
// waiting for the window manager to activate it, the main window keeps its
// active title bar, and a click anywhere else closes it, as a completer's list
// does. A Qt::Tool window with Qt::FramelessWindowHint was turned down: on X11
// it only gets the keyboard once the window manager activates it (some never
// do for frameless tool windows), so the keys typed right after the first one
// could still go to the main window.
//
// Placement: over the host window (see quicksearchplacement.h), inside the
// available area of the host's screen; it follows the host window when that
// moves or is resized. Colours come from the palette and the style (the
// host's themes included), sizes from the font, so it follows high-DPI
// scaling and theme switches like the standard widgets.
//
// Ownership: the engine passed in is the caller's and must outlive the
// popup's use of it (the popup stops using an engine that is destroyed
// first); without one the popup makes its own (Qt child). The host window is
// not owned; the popup forgets it when it is destroyed.
//
// Threads: GUI thread only. The engine builds its index on a worker; the
// popup only ever calls its search() and lookup(), which never wait for a
// build, and follows sigIndexChanged. Destroying the popup while the engine
// builds is safe.

#include "lw_quicksearch_export.h"

#include <QFrame>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QModelIndex;
class QTableView;

namespace LW {

class CQuickSearchEngine;
class CQuickSearchModel;
class CQuickSearchRecent;

class LW_QUICKSEARCH_EXPORT CQuickSearchPopup : public QFrame {
  Q_OBJECT
public:
  static constexpr int kDefaultMaxMatches = 30;
  static constexpr int kMaxMaxMatches = 500;
  // The list shows this many rows at most; more scroll.
  static constexpr int kVisibleRows = 12;

  // engine: caller keeps ownership; null makes the popup create and own one.
  // parent: usually the host's main window (the popup is a window of its own
  // either way).
  explicit CQuickSearchPopup(CQuickSearchEngine* engine = nullptr, QWidget* parent = nullptr);
  ~CQuickSearchPopup() override;

  // The engine searched; null once an engine of the caller's was destroyed.
  CQuickSearchEngine* engine() const;

  // The window the popup sits over and follows; null: none (the popup is
  // then centred on the primary screen). With openOnTyping the popup also
  // opens on typing into that window (see the top of this file). Setting
  // another window stops following the previous one.
  void setHostWindow(QWidget* window, bool openOnTyping = true);
  QWidget* hostWindow() const;
  bool opensOnTyping() const { return m_openOnTyping; }

  // Whether a key press starts a quick search when focusWidget has the
  // focus: a press (not a release) whose text begins with a letter or a
  // digit, without Ctrl, Alt or Meta (Shift and the keypad are fine), while
  // focusWidget is not an editable text input (QLineEdit, QTextEdit,
  // QPlainTextEdit, QAbstractSpinBox, an editable QComboBox, or a widget
  // inside one). Read-only text fields do not take typing and so do not
  // count. For hosts that forward keys themselves.
  static bool startsQuickSearch(const QKeyEvent& event, const QWidget* focusWidget);

  // Shows the popup with firstText as the search text (cursor at its end),
  // searches, makes the first row current and takes the keyboard focus.
  // When the popup is already open the text is replaced.
  void openWithText(const QString& firstText);
  // Closes without a pick (as Escape does); the text is forgotten.
  void closePopup();
  QString text() const;

  int maxMatches() const { return m_maxMatches; }
  // Clamped to 1 .. kMaxMaxMatches. An open popup searches again.
  void setMaxMatches(int maxMatches);

  // How many recent picks are kept (default 10; clamped to 0 .. 100, 0
  // keeps none). The oldest beyond it are dropped.
  int recentCapacity() const;
  void setRecentCapacity(int capacity);
  // The recent picks, most recent first, as "<key>|<trading type>" texts
  // (e.g. "600000.SH|1"), for the host to persist.
  QStringList recentPicks() const;
  // Replaces the recent picks with the readable entries of picks (repeats
  // and entries beyond the capacity dropped); anything unreadable is ignored
  // and counted in the return value.
  int setRecentPicks(const QStringList& picks);

  // The list as shown: its row count, the current row (-1 when the list is
  // empty) and how many rows PageUp/PageDown move.
  int rowCount() const;
  int currentRow() const;
  int pageRows() const;
  // Picks the current row as Enter does; false (and nothing happens) when
  // the list is empty.
  bool pickCurrent();

  // For hosts that style or inspect the parts, and for tests; owned by the
  // popup (Qt children).
  QLineEdit* lineEdit() const { return m_edit; }
  QTableView* listView() const { return m_view; }

signals:
  void sigSelectStock(QString key);
  void sigSelectInstrument(QString key, int tradeType);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

private slots:
  void slotTextChanged();
  void slotIndexChanged();
  void slotDoubleClicked(const QModelIndex& index);

private:
  // Searches for the current text (or lists the recent picks) into the
  // model; keepCurrent keeps the current instrument current when it is
  // still listed, else the first row is.
  void refresh(bool keepCurrent);
  void setCurrentRow(int row);
  // Moves the current row for a navigation key; false for other keys.
  bool navigate(const QKeyEvent& key);
  void pickRow(int row);
  void place();
  void updateMetrics();
  void updateHintColour();
  void updateHint();
  void retranslate();
  bool belongsToHost(const QObject* object) const;

  QPointer<CQuickSearchEngine> m_engine;  // caller's, or a Qt child when owned
  bool m_ownsEngine = false;
  QPointer<QWidget> m_host;  // not owned
  bool m_openOnTyping = false;
  int m_maxMatches = kDefaultMaxMatches;
  std::unique_ptr<CQuickSearchRecent> m_recent;
  QLineEdit* m_edit;           // Qt child
  QLabel* m_hint;              // Qt child
  QTableView* m_view;          // Qt child
  CQuickSearchModel* m_model;  // Qt child
};

}  // namespace LW
