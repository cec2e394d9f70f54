#include "host/table/hpftableview.h"

#include "host/table/basehighperformancetable_p.h"
#include "host/table/basetablecolumndelegate.h"
#include "host/table/hpfaccessibletable.h"
#include "host/table/hpfheadermodel.h"
#include "host/table/ibasehpftabledata.h"
#include "host/ui/uiresource.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPaintEngine>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QToolTip>

namespace GU {

// The row-number column left of the rows: painted by the view, scrolled only
// vertically, never moved or sorted.
class CHpfSeqGutter : public QWidget {
public:
  explicit CHpfSeqGutter(CHpfTableView* view) : QWidget(view), m_view(view) {}

protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    m_view->paintGutter(&painter, event->rect());
  }

private:
  CHpfTableView* m_view;
};

namespace {

const int kCellPadding = 4;

bool isNumericKind(int kind) {
  return kind == HPF_KIND_INT || kind == HPF_KIND_INT64 || kind == HPF_KIND_DOUBLE;
}

// Draws a row's icon centred in the square area at its own size (only a
// larger one is scaled down, keeping its shape): a pixmap stretched by a few
// pixels blurs at every scale. A pixmap of the UI resource is swapped for
// the one painted for the device's pixel ratio.
void drawRowIcon(QPainter* painter, const QRect& area, const QPixmap* icon) {
  // The device painted on at last: a widget's backing store, or the pixmap
  // a grab or render() redirects the widget to.
  QPaintEngine* engine = painter->paintEngine();
  const QPaintDevice* device =
      engine && engine->paintDevice() ? engine->paintDevice() : painter->device();
  const qreal ratio = device->devicePixelRatioF();
  const QPixmap* sharp = CUiResource::instance()->pixmapForRatio(icon, ratio);
  const QSizeF natural = QSizeF(sharp->size()) / qMax<qreal>(sharp->devicePixelRatioF(), 0.01);
  QSizeF drawn = natural;
  if (drawn.width() > area.width() || drawn.height() > area.height())
    drawn = natural.scaled(QSizeF(area.size()), Qt::KeepAspectRatio);
  // On whole device pixels, or the picture is resampled between two.
  const auto snap = [ratio](qreal logical) { return qRound(logical * ratio) / ratio; };
  const QRectF target(snap(area.left() + (area.width() - drawn.width()) / 2),
                      snap(area.top() + (area.height() - drawn.height()) / 2), drawn.width(),
                      drawn.height());
  painter->save();
  painter->setRenderHint(QPainter::SmoothPixmapTransform, drawn != natural);
  painter->drawPixmap(target, *sharp, QRectF(sharp->rect()));
  painter->restore();
}

}  // namespace

CHpfTableView::CHpfTableView(CBaseHighPerformanceTable* table, QWidget* parent)
    : QAbstractScrollArea(parent),
      m_table(table),
      m_headerModel(new CHpfHeaderModel(&table->d->columns, this)),
      m_header(new QHeaderView(Qt::Horizontal, this)),
      m_gutter(new CHpfSeqGutter(this)) {
  CHpfAccessibleTable::installFactory();
  setFocusPolicy(Qt::StrongFocus);
  setFrameShape(QFrame::NoFrame);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

  m_header->setModel(m_headerModel);
  m_header->setSectionsClickable(true);
  m_header->setSortIndicatorShown(true);
  m_header->setSortIndicator(-1, Qt::AscendingOrder);
  m_header->setHighlightSections(false);
  m_header->setStretchLastSection(false);
  // The header must take every width a layout may hold: a larger minimum
  // silently widens narrow columns of a loaded layout, and setColumnWidth()
  // would then keep a width the header does not show.
  m_header->setMinimumSectionSize(CHpfTableLayout::kMinWidth);
  m_header->setDefaultAlignment(Qt::AlignCenter);
  m_header->setFocusPolicy(Qt::NoFocus);
  m_gutter->hide();

  connect(m_header, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
    std::vector<SHpfColumn>& columns = m_table->d->columns;
    if (size > 0 && logical >= 0 && logical < static_cast<int>(columns.size()))
      columns[static_cast<size_t>(logical)].width = size;
    updateScrollRanges();
    viewport()->update();
  });
  connect(m_header, &QHeaderView::sectionMoved, this, [this]() { viewport()->update(); });
  connect(m_header, &QHeaderView::sortIndicatorChanged, this,
          &CHpfTableView::onSortIndicatorChanged);
  connect(m_header, &QHeaderView::geometriesChanged, this, [this]() { updateGeometries(); });
  applyFlags();
}

CHpfTableView::~CHpfTableView() = default;

int CHpfTableView::logicalOfId(int id) const { return m_table->d->logicalOf(id); }

void CHpfTableView::applyFlags() {
  const int flags = m_table->d->flags;
  m_header->setSectionsMovable((flags & TABLE_FLAG_COLUMN_MOVABLE) != 0);
  m_header->setSectionResizeMode((flags & TABLE_FLAG_COLUMN_RESIZABLE) ? QHeaderView::Interactive
                                                                       : QHeaderView::Fixed);
  viewport()->update();
}

int CHpfTableView::gutterWidth() const {
  if (!m_table->d->appendSeq) return 0;
  const int count = static_cast<int>(m_table->d->order.size());
  const QString widest = QString(QString::number(qMax(count, 99)).size(), QLatin1Char('9'));
  return fontMetrics().horizontalAdvance(widest) + 2 * kCellPadding;
}

void CHpfTableView::updateGeometries() {
  const int headerHeight = m_header->sizeHint().height();
  const int gutter = gutterWidth();
  setViewportMargins(gutter, headerHeight, 0, 0);
  const QRect vg = viewport()->geometry();
  m_header->setGeometry(vg.left(), vg.top() - headerHeight, vg.width(), headerHeight);
  m_gutter->setVisible(gutter > 0);
  m_gutter->setGeometry(vg.left() - gutter, vg.top(), gutter, vg.height());
  updateScrollRanges();
}

void CHpfTableView::updateScrollRanges() {
  const int rowHeight = m_table->d->rowHeight;
  const qint64 total = static_cast<qint64>(m_table->d->order.size()) * rowHeight;
  const int height = viewport()->height();
  QScrollBar* vertical = verticalScrollBar();
  vertical->setSingleStep(rowHeight);
  vertical->setPageStep(qMax(rowHeight, height - height % qMax(1, rowHeight)));
  vertical->setRange(0, static_cast<int>(qBound<qint64>(0, total - height, INT_MAX)));
  QScrollBar* horizontal = horizontalScrollBar();
  horizontal->setSingleStep(20);
  horizontal->setPageStep(viewport()->width());
  horizontal->setRange(0, qMax(0, m_header->length() - viewport()->width()));
  m_header->setOffset(horizontal->value());
}

void CHpfTableView::rowsChanged() {
  if (m_hoverRow >= static_cast<int>(m_table->d->order.size())) m_hoverRow = -1;
  updateGeometries();
  viewport()->update();
  m_gutter->update();
  CHpfAccessibleTable::notifyReset(this);
}

void CHpfTableView::columnsChanged() {
  m_hoverLogical = -1;
  updateGeometries();
  viewport()->update();
  CHpfAccessibleTable::notifyReset(this);
}

void CHpfTableView::scrollToRow(int viewRow) {
  if (viewRow < 0) return;
  const int rowHeight = m_table->d->rowHeight;
  const int top = viewRow * rowHeight;
  QScrollBar* vertical = verticalScrollBar();
  if (top < vertical->value())
    vertical->setValue(top);
  else if (top + rowHeight > vertical->value() + viewport()->height())
    vertical->setValue(top + rowHeight - viewport()->height());
}

bool CHpfTableView::isAtBottom() const {
  return verticalScrollBar()->value() >= verticalScrollBar()->maximum();
}

void CHpfTableView::scrollToBottom() {
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

int CHpfTableView::rowAt(int y) const {
  if (y < 0) return -1;
  const int row = (y + verticalScrollBar()->value()) / qMax(1, m_table->d->rowHeight);
  return row < static_cast<int>(m_table->d->order.size()) ? row : -1;
}

int CHpfTableView::logicalAt(int x) const { return m_header->logicalIndexAt(x); }

QRect CHpfTableView::cellRect(int viewRow, int logical) const {
  if (viewRow < 0 || logical < 0 || logical >= m_header->count() ||
      m_header->isSectionHidden(logical))
    return QRect();
  const int rowHeight = m_table->d->rowHeight;
  return QRect(m_header->sectionViewportPosition(logical),
               viewRow * rowHeight - verticalScrollBar()->value(), m_header->sectionSize(logical),
               rowHeight);
}

void CHpfTableView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateGeometries();
}

void CHpfTableView::scrollContentsBy(int dx, int dy) {
  if (dx != 0) m_header->setOffset(horizontalScrollBar()->value());
  // Rows are painted afresh rather than scrolled: a page of text is cheap and
  // the row under the mouse may have changed anyway.
  viewport()->update();
  if (dy != 0) m_gutter->update();
}

void CHpfTableView::paintGutter(QPainter* painter, const QRect& area) {
  const CBaseHighPerformanceTable::Private& d = *m_table->d;
  painter->fillRect(area, palette().button());
  const int rowHeight = qMax(1, d.rowHeight);
  const int offset = verticalScrollBar()->value();
  const int count = static_cast<int>(d.order.size());
  const int first = (offset + area.top()) / rowHeight;
  const int last = qMin(count - 1, (offset + area.bottom()) / rowHeight);
  painter->setPen(palette().color(QPalette::ButtonText));
  const int width = m_gutter->width();
  for (int row = first; row <= last; ++row) {
    const QRect rect(0, row * rowHeight - offset, width - kCellPadding, rowHeight);
    painter->drawText(rect, Qt::AlignRight | Qt::AlignVCenter, QString::number(row + 1));
  }
  painter->setPen(palette().color(QPalette::Mid));
  painter->drawLine(width - 1, area.top(), width - 1, area.bottom());
}

void CHpfTableView::paintEvent(QPaintEvent* event) {
  const CBaseHighPerformanceTable::Private& d = *m_table->d;
  QPainter painter(viewport());
  const QRect area = event->rect();
  const QPalette& pal = palette();
  painter.fillRect(area, pal.base());
  const int count = static_cast<int>(d.order.size());
  if (!d.rows || count == 0) return;

  struct Visible {
    const SHpfColumn* column;
    int logical;
    int x;
    int width;
    HpfDelegatePtr delegate;
  };
  std::vector<Visible> visible;
  bool needKey = false;
  for (int v = 0; v < m_header->count(); ++v) {
    const int logical = m_header->logicalIndex(v);
    if (logical < 0 || m_header->isSectionHidden(logical)) continue;
    const int x = m_header->sectionViewportPosition(logical);
    const int width = m_header->sectionSize(logical);
    if (x + width <= area.left() || x > area.right()) continue;
    const SHpfColumn& column = d.columns[static_cast<size_t>(logical)];
    auto delegateIt = d.delegates.find(column.id);
    HpfDelegatePtr delegate =
        delegateIt == d.delegates.end() ? HpfDelegatePtr() : delegateIt->second;
    needKey = needKey || column.extra || delegate;
    visible.push_back(Visible{&column, logical, x, width, delegate});
  }

  const int rowHeight = qMax(1, d.rowHeight);
  const int offset = verticalScrollBar()->value();
  const int first = qMax(0, (offset + area.top()) / rowHeight);
  const int last = qMin(count - 1, (offset + area.bottom()) / rowHeight);
  const QFont normalFont = font();
  QFont boldFont = normalFont;
  boldFont.setBold(true);
  const QFontMetrics normalMetrics(normalFont);
  const QFontMetrics boldMetrics(boldFont);
  QColor selection = pal.color(QPalette::Highlight);
  selection.setAlpha(70);
  const QColor defaultText = pal.color(QPalette::Text);
  const bool grid = (d.flags & TABLE_FLAG_GRID) != 0;
  const QColor gridColour = pal.color(QPalette::Midlight);
  const HpfRowVector& rows = *d.rows;

  for (int viewRow = first; viewRow <= last; ++viewRow) {
    const HpfRowPtr& row = rows[static_cast<size_t>(d.order[static_cast<size_t>(viewRow)])];
    const QRect rowRect(area.left(), viewRow * rowHeight - offset, area.width(), rowHeight);
    const QColor* background = d.model ? d.model->getRowBackgroundColor(viewRow) : nullptr;
    if (background)
      painter.fillRect(rowRect, *background);
    else if (viewRow % 2)
      painter.fillRect(rowRect, pal.alternateBase());
    if (viewRow == d.current) painter.fillRect(rowRect, selection);
    if (!row) continue;
    const std::string key = needKey ? row->key() : std::string();
    for (const Visible& cell : visible) {
      const QRect rect(cell.x, rowRect.top(), cell.width, rowHeight);
      if (cell.delegate) {
        SHpfCellPaintState state;
        state.selected = viewRow == d.current;
        state.hovered = viewRow == m_hoverRow && cell.logical == m_hoverLogical;
        state.mousePos = m_hoverPos;
        state.pressed = state.hovered && m_pressedDelegate == cell.delegate &&
                        m_pressedRow == viewRow && (QApplication::mouseButtons() & Qt::LeftButton);
        cell.delegate->paint(&painter, rect, row, key, state);
        continue;
      }
      QColor colour;
      const QString text = m_table->d->cellText(*row, *cell.column, key, &colour);
      QRect textRect = rect.adjusted(kCellPadding, 0, -kCellPadding, 0);
      if (cell.column->showIcon && !cell.column->extra) {
        if (const QPixmap* icon = row->getIcon(cell.column->id)) {
          if (!icon->isNull()) {
            const int side = qMin(rowHeight - 4, textRect.width());
            const QRect iconRect(textRect.left(), rect.top() + (rowHeight - side) / 2, side, side);
            drawRowIcon(&painter, iconRect, icon);
            textRect.setLeft(iconRect.right() + 1 + kCellPadding);
          }
        }
      }
      if (text.isEmpty() || textRect.width() <= 0) continue;
      int align = cell.column->extra ? 0 : row->alignFlag(cell.column->id);
      if (align == 0) align = cell.column->alignment;
      if (align == 0) align = isNumericKind(cell.column->kind) ? Qt::AlignRight : Qt::AlignLeft;
      if (!(align & Qt::AlignVertical_Mask)) align |= Qt::AlignVCenter;
      const bool bold = cell.column->bold;
      painter.setFont(bold ? boldFont : normalFont);
      painter.setPen(colour.isValid() ? colour : defaultText);
      const QFontMetrics& metrics = bold ? boldMetrics : normalMetrics;
      painter.drawText(textRect, align, metrics.elidedText(text, Qt::ElideRight, textRect.width()));
    }
    if (grid) {
      painter.setPen(gridColour);
      painter.drawLine(rowRect.left(), rowRect.bottom(), rowRect.right(), rowRect.bottom());
    }
  }
  if (grid) {
    painter.setPen(gridColour);
    const int bottom = qMin(area.bottom(), (last + 1) * rowHeight - offset);
    for (const Visible& cell : visible) {
      const int x = cell.x + cell.width - 1;
      painter.drawLine(x, area.top(), x, bottom);
    }
  }
}

void CHpfTableView::moveCurrent(int viewRow) {
  const int count = static_cast<int>(m_table->d->order.size());
  if (count == 0) return;
  m_table->setCurrentViewRow(qBound(0, viewRow, count - 1));
  scrollToRow(m_table->d->current);
}

void CHpfTableView::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  const int viewRow = rowAt(event->pos().y());
  const int logical = logicalAt(event->pos().x());
  m_pressedDelegate.reset();
  m_pressedKey.clear();
  if (viewRow < 0) return;
  m_table->setCurrentViewRow(viewRow);
  if (event->button() != Qt::LeftButton) return;
  const CBaseHighPerformanceTable::Private& d = *m_table->d;
  const int id = logical >= 0 ? d.columns[static_cast<size_t>(logical)].id : -1;
  auto delegateIt = d.delegates.find(id);
  if (id >= 0 && delegateIt != d.delegates.end()) {
    HpfRowPtr row = m_table->viewRowData(viewRow);
    if (row) {
      const std::string key = row->key();
      HpfDelegatePtr delegate = delegateIt->second;
      if (delegate->mousePress(cellRect(viewRow, logical), event->pos(), key)) {
        m_pressedDelegate = delegate;
        m_pressedKey = key;
        m_pressedRow = viewRow;
        m_pressedLogical = logical;
        viewport()->update(cellRect(viewRow, logical));
      }
    }
  }
  // Last: the handler may tear the table down (a panel closing on selection),
  // so nothing here touches the view after it.
  m_table->onRowClicked(viewRow, id, HPF_CLICK_LEFT);
}

void CHpfTableView::mouseMoveEvent(QMouseEvent* event) {
  const int viewRow = rowAt(event->pos().y());
  const int logical = logicalAt(event->pos().x());
  const bool delegateColumn =
      logical >= 0 &&
      m_table->d->delegates.count(m_table->d->columns[static_cast<size_t>(logical)].id) > 0;
  const bool oldDelegateColumn =
      m_hoverLogical >= 0 && m_hoverLogical < static_cast<int>(m_table->d->columns.size()) &&
      m_table->d->delegates.count(m_table->d->columns[static_cast<size_t>(m_hoverLogical)].id) > 0;
  if (viewRow != m_hoverRow || logical != m_hoverLogical || delegateColumn) {
    if (oldDelegateColumn) viewport()->update(cellRect(m_hoverRow, m_hoverLogical));
    m_hoverRow = viewRow;
    m_hoverLogical = logical;
    m_hoverPos = event->pos();
    if (delegateColumn) viewport()->update(cellRect(viewRow, logical));
  }
  m_hoverPos = event->pos();
}

void CHpfTableView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_pressedDelegate) return;
  HpfDelegatePtr delegate;
  delegate.swap(m_pressedDelegate);
  const std::string key = m_pressedKey;
  const QRect rect = cellRect(m_pressedRow, m_pressedLogical);
  viewport()->update(rect);
  delegate->mouseRelease(rect, event->pos(), key);
}

void CHpfTableView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int viewRow = rowAt(event->pos().y());
  if (viewRow < 0) return;
  const int logical = logicalAt(event->pos().x());
  const int id = logical >= 0 ? m_table->d->columns[static_cast<size_t>(logical)].id : -1;
  m_table->onRowClicked(viewRow, id, HPF_CLICK_DOUBLE);
}

void CHpfTableView::leaveEvent(QEvent* event) {
  if (m_hoverRow >= 0 && m_hoverLogical >= 0)
    viewport()->update(cellRect(m_hoverRow, m_hoverLogical));
  m_hoverRow = -1;
  m_hoverLogical = -1;
  QAbstractScrollArea::leaveEvent(event);
}

void CHpfTableView::keyPressEvent(QKeyEvent* event) {
  const int current = m_table->d->current;
  const int rowHeight = qMax(1, m_table->d->rowHeight);
  const int page = qMax(1, viewport()->height() / rowHeight);
  const int count = static_cast<int>(m_table->d->order.size());
  if (event->matches(QKeySequence::Copy)) {
    m_table->copyToClipboard(current, -1);
    return;
  }
  switch (event->key()) {
    case Qt::Key_Up:
      moveCurrent(current < 0 ? 0 : current - 1);
      break;
    case Qt::Key_Down:
      moveCurrent(current + 1);
      break;
    case Qt::Key_PageUp:
      moveCurrent(current < 0 ? 0 : current - page);
      break;
    case Qt::Key_PageDown:
      moveCurrent(current < 0 ? page - 1 : current + page);
      break;
    case Qt::Key_Home:
      moveCurrent(0);
      break;
    case Qt::Key_End:
      moveCurrent(count - 1);
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (current >= 0) m_table->onRowClicked(current, -1, HPF_CLICK_KEYBOARD);
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
  }
}

void CHpfTableView::contextMenuEvent(QContextMenuEvent* event) {
  const int viewRow = rowAt(event->pos().y());
  const int logical = logicalAt(event->pos().x());
  const int id = logical >= 0 ? m_table->d->columns[static_cast<size_t>(logical)].id : -1;
  if (viewRow >= 0) m_table->setCurrentViewRow(viewRow);
  // The menu is parented to the view: if an action tears the table down, Qt
  // deletes the menu with it, so the guard watches the menu itself.
  QPointer<QMenu> menu = m_table->createContextMenu(viewRow, id, this);
  if (!menu) return;
  menu->exec(event->globalPos());
  delete menu.data();
}

QString CHpfTableView::toolTipAt(const QPoint& pos) const {
  const int viewRow = rowAt(pos.y());
  const int logical = logicalAt(pos.x());
  if (viewRow < 0 || logical < 0) return QString();
  const CBaseHighPerformanceTable::Private& d = *m_table->d;
  const SHpfColumn& column = d.columns[static_cast<size_t>(logical)];
  HpfRowPtr row = m_table->viewRowData(viewRow);
  if (!row) return QString();
  const QRect rect = cellRect(viewRow, logical);
  auto delegateIt = d.delegates.find(column.id);
  if (delegateIt != d.delegates.end()) return delegateIt->second->toolTip(rect, pos, row->key());
  if (column.extra) return QString();
  if (column.showIcon) {
    const QPixmap* icon = row->getIcon(column.id);
    const int side = qMin(d.rowHeight - 4, rect.width());
    if (icon && !icon->isNull() && pos.x() < rect.left() + kCellPadding + side)
      return row->getIconTip(column.id);
  }
  if (row->isShowUnderTip(column.id)) return row->getUnderTipText(column.id);
  // The full text of a cell that is too narrow for it.
  QColor ignored;
  const QString text = d.cellText(*row, column, std::string(), &ignored);
  QFont cellFont = font();
  cellFont.setBold(column.bold);
  if (QFontMetrics(cellFont).horizontalAdvance(text) > rect.width() - 2 * kCellPadding) return text;
  return QString();
}

bool CHpfTableView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = toolTipAt(help->pos());
    if (tip.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help->globalPos(), tip, viewport());
    return true;
  }
  return QAbstractScrollArea::viewportEvent(event);
}

void CHpfTableView::showSortIndicator(int logical, bool ascending) {
  m_restoringIndicator = true;
  m_header->setSortIndicator(logical, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
  m_restoringIndicator = false;
}

void CHpfTableView::onSortIndicatorChanged(int logical, Qt::SortOrder order) {
  if (m_restoringIndicator) return;
  CBaseHighPerformanceTable::Private& d = *m_table->d;
  const bool allowed =
      (d.flags & TABLE_FLAG_SORTABLE) && logical >= 0 &&
      logical < static_cast<int>(d.columns.size()) &&
      d.columns[static_cast<size_t>(logical)].sortable &&
      !(d.model && (d.model->modelFlags() & IBaseHpfTableModel::MODEL_FLAG_NO_SORT) &&
        !d.columns[static_cast<size_t>(logical)].extra);
  if (!allowed) {
    // QHeaderView flips its indicator before asking; put back the real sort.
    showSortIndicator(d.logicalOf(d.sortColumn), d.sortAscending);
    return;
  }
  m_table->sortByColumn(d.columns[static_cast<size_t>(logical)].id, order == Qt::AscendingOrder);
}

}  // namespace GU
