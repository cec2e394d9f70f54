#include "quicksearch/quicksearchpopup.h"

#include "quicksearch/quicksearchengine.h"
#include "quicksearch/quicksearchmodel.h"
#include "quicksearch/quicksearchplacement.h"
#include "quicksearch/quicksearchrecent.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSignalBlocker>
#include <QTableView>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace LW {

namespace {

// Whether w takes typed text: the editable kinds of the standard text
// inputs. A read-only field ignores letters, so typing there may start a
// quick search.
bool isEditableText(const QWidget* w) {
  if (const auto* line = qobject_cast<const QLineEdit*>(w)) return !line->isReadOnly();
  if (const auto* text = qobject_cast<const QTextEdit*>(w)) return !text->isReadOnly();
  if (const auto* plain = qobject_cast<const QPlainTextEdit*>(w)) return !plain->isReadOnly();
  if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(w)) return !spin->isReadOnly();
  if (const auto* combo = qobject_cast<const QComboBox*>(w)) return combo->isEditable();
  return false;
}

}  // namespace

CQuickSearchPopup::CQuickSearchPopup(CQuickSearchEngine* engine, QWidget* parent)
    : QFrame(parent, Qt::Popup),
      m_engine(engine),
      m_recent(std::make_unique<CQuickSearchRecent>()),
      m_edit(new QLineEdit(this)),
      m_hint(new QLabel(this)),
      m_view(new QTableView(this)),
      m_model(new CQuickSearchModel(this)) {
  setObjectName(QStringLiteral("quickSearchPopup"));
  setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
  if (!m_engine) {
    m_engine = new CQuickSearchEngine(this);
    m_ownsEngine = true;
  }
  connect(m_engine.data(), &CQuickSearchEngine::sigIndexChanged, this,
          &CQuickSearchPopup::slotIndexChanged);

  m_edit->setObjectName(QStringLiteral("quickSearchEdit"));
  m_edit->installEventFilter(this);
  connect(m_edit, &QLineEdit::textChanged, this, &CQuickSearchPopup::slotTextChanged);
  setFocusProxy(m_edit);

  m_hint->setObjectName(QStringLiteral("quickSearchHint"));
  m_hint->setTextFormat(Qt::PlainText);

  m_view->setObjectName(QStringLiteral("quickSearchList"));
  m_view->setModel(m_model);
  // The line edit keeps the keyboard: a click on the list makes a row
  // current without taking the focus from the text.
  m_view->setFocusPolicy(Qt::NoFocus);
  m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_view->setSelectionMode(QAbstractItemView::SingleSelection);
  m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_view->setShowGrid(false);
  m_view->setWordWrap(false);
  m_view->setAlternatingRowColors(true);
  m_view->setTextElideMode(Qt::ElideRight);
  m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  m_view->verticalHeader()->hide();
  m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  QHeaderView* header = m_view->horizontalHeader();
  header->setHighlightSections(false);
  header->setSectionsClickable(false);
  header->setSectionResizeMode(QHeaderView::ResizeToContents);
  header->setSectionResizeMode(CQuickSearchModel::NAME_COLUMN, QHeaderView::Stretch);
  connect(m_view, &QAbstractItemView::doubleClicked, this, &CQuickSearchPopup::slotDoubleClicked);

  auto* layout = new QVBoxLayout(this);
  const int margin = style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2;
  layout->setContentsMargins(margin, margin, margin, margin);
  layout->setSpacing(margin);
  layout->addWidget(m_edit);
  layout->addWidget(m_view);
  layout->addWidget(m_hint);

  updateMetrics();
  updateHintColour();
  retranslate();
}

CQuickSearchPopup::~CQuickSearchPopup() {
  if (qApp) qApp->removeEventFilter(this);
  if (m_host) m_host->removeEventFilter(this);
  if (m_engine) {
    // An index published while the popup's members are being torn down
    // must not reach them: cut the connection before anything else goes.
    disconnect(m_engine.data(), nullptr, this, nullptr);
    if (m_ownsEngine) delete m_engine.data();
  }
}

CQuickSearchEngine* CQuickSearchPopup::engine() const { return m_engine.data(); }

void CQuickSearchPopup::setHostWindow(QWidget* window, bool openOnTyping) {
  if (m_host) m_host->removeEventFilter(this);
  if (qApp) qApp->removeEventFilter(this);
  m_host = window ? window->window() : nullptr;
  m_openOnTyping = openOnTyping && m_host;
  if (m_host) m_host->installEventFilter(this);
  // Keys go to the focus widget, deep inside the window, and a table or a
  // tree view takes letters for its own keyboard search before the window
  // would see them: only an application-wide filter sees every key first.
  if (m_openOnTyping && qApp) qApp->installEventFilter(this);
  if (isVisible()) place();
}

QWidget* CQuickSearchPopup::hostWindow() const { return m_host.data(); }

bool CQuickSearchPopup::startsQuickSearch(const QKeyEvent& event, const QWidget* focusWidget) {
  if (event.type() != QEvent::KeyPress) return false;
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString text = event.text();
  if (text.isEmpty() || !(text.at(0).isLetter() || text.at(0).isDigit())) return false;
  for (const QWidget* w = focusWidget; w; w = w->parentWidget()) {
    if (isEditableText(w)) return false;
    if (w->isWindow()) break;
  }
  return true;
}

void CQuickSearchPopup::openWithText(const QString& firstText) {
  {
    const QSignalBlocker blocker(m_edit);
    m_edit->setText(firstText);
    m_edit->end(false);
  }
  if (isVisible()) {
    refresh(false);
  } else {
    // showEvent places the popup and searches.
    show();
  }
  m_edit->setFocus(Qt::PopupFocusReason);
}

void CQuickSearchPopup::closePopup() { hide(); }

QString CQuickSearchPopup::text() const { return m_edit->text(); }

void CQuickSearchPopup::setMaxMatches(int maxMatches) {
  m_maxMatches = std::clamp(maxMatches, 1, kMaxMaxMatches);
  if (isVisible()) refresh(true);
}

int CQuickSearchPopup::recentCapacity() const { return m_recent->capacity(); }

void CQuickSearchPopup::setRecentCapacity(int capacity) {
  m_recent->setCapacity(capacity);
  if (isVisible() && m_edit->text().trimmed().isEmpty()) refresh(true);
}

QStringList CQuickSearchPopup::recentPicks() const { return m_recent->toStringList(); }

int CQuickSearchPopup::setRecentPicks(const QStringList& picks) {
  const int ignored = m_recent->fromStringList(picks);
  if (isVisible() && m_edit->text().trimmed().isEmpty()) refresh(false);
  return ignored;
}

int CQuickSearchPopup::rowCount() const { return m_model->rowCount(); }

int CQuickSearchPopup::currentRow() const {
  const QModelIndex current = m_view->currentIndex();
  return current.isValid() ? current.row() : -1;
}

int CQuickSearchPopup::pageRows() const {
  const int rowHeight = m_view->verticalHeader()->defaultSectionSize();
  if (!m_view->isVisible() || rowHeight <= 0) return kVisibleRows;
  return std::max(1, m_view->viewport()->height() / rowHeight);
}

bool CQuickSearchPopup::pickCurrent() {
  const int row = currentRow();
  if (row < 0) return false;
  pickRow(row);
  return true;
}

bool CQuickSearchPopup::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (watched == m_edit) {
        if (navigate(*key)) return true;
        switch (key->key()) {
          case Qt::Key_Return:
          case Qt::Key_Enter:
            pickCurrent();
            return true;
          case Qt::Key_Escape:
            closePopup();
            return true;
          default:
            return false;
        }
      }
      if (m_openOnTyping && !isVisible() && belongsToHost(watched)) {
        const QWidget* focus = QApplication::focusWidget();
        if (!focus && watched->isWidgetType()) focus = static_cast<QWidget*>(watched);
        if (startsQuickSearch(*key, focus)) {
          openWithText(key->text());
          return true;
        }
      }
      return false;
    }
    case QEvent::Move:
    case QEvent::Resize:
      if (watched == m_host && isVisible()) place();
      return false;
    case QEvent::Hide:
      if (watched == m_host && isVisible()) closePopup();
      return false;
    default:
      return false;
  }
}

void CQuickSearchPopup::showEvent(QShowEvent* event) {
  place();
  refresh(false);
  QFrame::showEvent(event);
}

void CQuickSearchPopup::hideEvent(QHideEvent* event) {
  QFrame::hideEvent(event);
  // Closing forgets the text: the next opening starts from the key that
  // opens it.
  const QSignalBlocker blocker(m_edit);
  m_edit->clear();
  m_model->setMatches({});
  updateHint();
}

void CQuickSearchPopup::changeEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::LanguageChange:
      retranslate();
      break;
    case QEvent::PaletteChange:
      updateHintColour();
      break;
    case QEvent::FontChange:
    case QEvent::StyleChange:
      updateMetrics();
      if (isVisible()) place();
      break;
    default:
      break;
  }
  QFrame::changeEvent(event);
}

void CQuickSearchPopup::slotTextChanged() {
  if (isVisible()) refresh(false);
}

void CQuickSearchPopup::slotIndexChanged() {
  // The instruments changed under the list: search again, keeping the row
  // the trader is on when it is still there.
  if (isVisible()) refresh(true);
}

void CQuickSearchPopup::slotDoubleClicked(const QModelIndex& index) {
  if (index.isValid()) pickRow(index.row());
}

void CQuickSearchPopup::refresh(bool keepCurrent) {
  QString keepKey;
  int keepType = 0;
  if (const CQuickSearchMatch* current = m_model->matchAt(currentRow()); keepCurrent && current) {
    keepKey = current->key;
    keepType = current->tradeType;
  }

  std::vector<CQuickSearchMatch> rows;
  if (m_engine) {
    const QString text = m_edit->text();
    if (text.trimmed().isEmpty()) {
      for (const SQuickSearchPick& pick : m_recent->picks()) {
        if (static_cast<int>(rows.size()) >= m_maxMatches) break;
        CQuickSearchMatch match;
        if (m_engine->lookup(pick.key, pick.tradeType, &match)) rows.push_back(std::move(match));
      }
    } else {
      rows = m_engine->search(text, m_maxMatches);
      if (static_cast<int>(rows.size()) > m_maxMatches) rows.resize(m_maxMatches);
    }
  }
  m_model->setMatches(std::move(rows));

  int row = keepKey.isEmpty() ? -1 : m_model->rowOf(keepKey, keepType);
  if (row < 0 && m_model->rowCount() > 0) row = 0;
  setCurrentRow(row);
  updateHint();
}

void CQuickSearchPopup::setCurrentRow(int row) {
  QItemSelectionModel* selection = m_view->selectionModel();
  if (row < 0 || row >= m_model->rowCount()) {
    selection->clear();
    return;
  }
  const QModelIndex index = m_model->index(row, 0);
  selection->setCurrentIndex(index,
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  m_view->scrollTo(index);
}

bool CQuickSearchPopup::navigate(const QKeyEvent& key) {
  const int count = m_model->rowCount();
  const int current = std::max(currentRow(), 0);
  int row = -1;
  switch (key.key()) {
    case Qt::Key_Up:
      row = current - 1;
      break;
    case Qt::Key_Down:
      row = currentRow() < 0 ? 0 : current + 1;
      break;
    case Qt::Key_PageUp:
      row = current - pageRows();
      break;
    case Qt::Key_PageDown:
      row = current + pageRows();
      break;
    case Qt::Key_Home:
    case Qt::Key_End:
      // Shift+Home/End select in the text, as in any line edit.
      if (key.modifiers() & Qt::ShiftModifier) return false;
      row = key.key() == Qt::Key_Home ? 0 : count - 1;
      break;
    default:
      return false;
  }
  if (count > 0) setCurrentRow(std::clamp(row, 0, count - 1));
  return true;
}

void CQuickSearchPopup::pickRow(int row) {
  const CQuickSearchMatch* match = m_model->matchAt(row);
  if (!match) return;
  const QString key = match->key;
  const int tradeType = match->tradeType;
  m_recent->add(SQuickSearchPick{key, tradeType});
  // Closed before the signals, so that a host may move the focus or open a
  // window from its slot without the popup still holding the keyboard.
  closePopup();
  // A slot may delete the popup.
  const QPointer<CQuickSearchPopup> alive(this);
  emit sigSelectStock(key);
  if (alive) emit sigSelectInstrument(key, tradeType);
}

void CQuickSearchPopup::place() {
  QWidget* host = m_host ? m_host->window() : nullptr;
  const QRect hostRect = host ? host->geometry() : QRect();
  QScreen* screen = nullptr;
  if (host) {
    screen = QGuiApplication::screenAt(hostRect.center());
    if (!screen) screen = host->screen();
  }
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect available = screen ? screen->availableGeometry() : QRect();

  // Wide enough for a code, a long name, a market and a list title; half
  // the host window when that is between the bounds.
  const int lineHeight = fontMetrics().height();
  const int width = std::clamp(hostRect.width() / 2, lineHeight * 28, lineHeight * 48);
  const QSize preferred(width, sizeHint().height());
  setGeometry(quickSearchPopupGeometry(hostRect, preferred, available));
}

void CQuickSearchPopup::updateMetrics() {
  // Row height and list height from the font, so that the list shows
  // kVisibleRows whole rows at any scale and font size.
  const int rowHeight = m_view->fontMetrics().height() + 6;
  m_view->verticalHeader()->setMinimumSectionSize(rowHeight);
  m_view->verticalHeader()->setDefaultSectionSize(rowHeight);
  const int frame = 2 * m_view->frameWidth();
  m_view->setFixedHeight(kVisibleRows * rowHeight +
                         m_view->horizontalHeader()->sizeHint().height() + frame);
}

void CQuickSearchPopup::updateHintColour() {
  // A quieter text than the list's, made from the palette so that it
  // follows the host's theme. The palette's placeholder colour was turned
  // down: palettes a host builds role by role (the themes among them) often
  // leave it unset, and it then paints as nothing.
  const QColor text = palette().color(QPalette::WindowText);
  const QColor window = palette().color(QPalette::Window);
  const QColor quiet = QColor::fromRgbF(text.redF() * 0.6 + window.redF() * 0.4,
                                        text.greenF() * 0.6 + window.greenF() * 0.4,
                                        text.blueF() * 0.6 + window.blueF() * 0.4);
  QPalette hintPalette = m_hint->palette();
  if (hintPalette.color(QPalette::WindowText) == quiet) return;
  hintPalette.setColor(QPalette::WindowText, quiet);
  m_hint->setPalette(hintPalette);
}

void CQuickSearchPopup::updateHint() {
  QString hint;
  const bool emptyText = m_edit->text().trimmed().isEmpty();
  const int rows = m_model->rowCount();
  if (!m_engine || !m_engine->isReady())
    hint = tr("正在建立索引…");
  else if (emptyText)
    hint =
        rows > 0 ? tr("最近选择  ↑↓ 选择  回车确认  Esc 关闭") : tr("输入代码、名称或拼音首字母");
  else if (rows == 0)
    hint = tr("没有匹配的品种");
  else
    hint = tr("%1 个匹配  ↑↓ 选择  回车确认  Esc 关闭").arg(rows);
  m_hint->setText(hint);
}

void CQuickSearchPopup::retranslate() {
  setAccessibleName(tr("快速搜索"));
  m_edit->setAccessibleName(tr("搜索文本"));
  m_edit->setPlaceholderText(tr("代码、名称或拼音"));
  m_view->setAccessibleName(tr("匹配的品种"));
  m_model->retranslate();
  updateHint();
}

bool CQuickSearchPopup::belongsToHost(const QObject* object) const {
  if (!m_host || !object || !object->isWidgetType()) return false;
  // Menus, completers and other popups of the host window take letters for
  // themselves, and a dialog's keys are the dialog's.
  if (QApplication::activePopupWidget() || QApplication::activeModalWidget()) return false;
  const QWidget* window = static_cast<const QWidget*>(object)->window();
  if (window == m_host) return true;
  // A floating dock of the host window is still part of it.
  if (!qobject_cast<const QDockWidget*>(window)) return false;
  for (const QObject* up = window->parent(); up; up = up->parent())
    if (up == m_host) return true;
  return false;
}

}  // namespace LW
