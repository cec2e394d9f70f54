#include "host/ui/toolbarlayout.h"

#include <QWidget>

namespace GU {

namespace {

// Spacer items count as "empty" to Qt, but a fixed space must keep its width.
bool takesNoRoom(QLayoutItem* item) { return item->isEmpty() && !item->spacerItem(); }

}  // namespace

CToolBarLayout::CToolBarLayout(QWidget* parent) : QLayout(parent) {}

CToolBarLayout::~CToolBarLayout() {
  for (Entry& entry : m_entries) delete entry.item;
}

void CToolBarLayout::addLayoutItem(QLayoutItem* item, bool alignRight) {
  if (!item) return;
  if (alignRight) {
    m_entries.append({item, true});
  } else {
    // Left items stay ahead of every right item, so the right group always
    // ends the bar whatever the order of the calls.
    int at = 0;
    while (at < m_entries.size() && !m_entries[at].alignRight) ++at;
    m_entries.insert(at, {item, false});
  }
  invalidate();
}

void CToolBarLayout::addWidgetItem(QWidget* widget, bool alignRight) {
  if (!widget) return;
  addChildWidget(widget);
  addLayoutItem(new QWidgetItem(widget), alignRight);
}

void CToolBarLayout::addItem(QLayoutItem* item) { addLayoutItem(item, false); }

QLayoutItem* CToolBarLayout::itemAt(int index) const {
  return index >= 0 && index < m_entries.size() ? m_entries[index].item : nullptr;
}

QLayoutItem* CToolBarLayout::takeAt(int index) {
  if (index < 0 || index >= m_entries.size()) return nullptr;
  QLayoutItem* item = m_entries[index].item;
  m_entries.remove(index);
  invalidate();
  return item;
}

int CToolBarLayout::count() const { return m_entries.size(); }

Qt::Orientations CToolBarLayout::expandingDirections() const { return Qt::Orientations(); }

bool CToolBarLayout::hasHeightForWidth() const { return true; }

int CToolBarLayout::heightForWidth(int width) const {
  return doLayout(QRect(0, 0, width, 0), false);
}

QSize CToolBarLayout::sizeHint() const {
  int left = 0, top = 0, right = 0, bottom = 0;
  getContentsMargins(&left, &top, &right, &bottom);
  int width = 0;
  int visible = 0;
  for (const Entry& entry : m_entries) {
    if (takesNoRoom(entry.item)) continue;
    width += entry.item->sizeHint().width();
    ++visible;
  }
  width += qMax(0, visible - 1) * qMax(0, spacing());
  // Measure with the one-row width so the hint's height is that of one row.
  const int oneRowWidth = width + left + right;
  return QSize(oneRowWidth, doLayout(QRect(0, 0, oneRowWidth, 0), false));
}

QSize CToolBarLayout::minimumSize() const {
  int left = 0, top = 0, right = 0, bottom = 0;
  getContentsMargins(&left, &top, &right, &bottom);
  int width = 0;
  int height = m_minimumRowHeight;
  for (const Entry& entry : m_entries) {
    if (takesNoRoom(entry.item)) continue;
    width = qMax(width, entry.item->minimumSize().width());
    height = qMax(height, entry.item->sizeHint().height());
  }
  return QSize(width + left + right, height + top + bottom);
}

void CToolBarLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  doLayout(rect, true);
}

int CToolBarLayout::doLayout(const QRect& rect, bool apply) const {
  int left = 0, top = 0, right = 0, bottom = 0;
  getContentsMargins(&left, &top, &right, &bottom);
  const QRect area = rect.adjusted(left, top, -right, -bottom);
  const int gap = qMax(0, spacing());
  const int available = qMax(1, area.width());

  struct Placed {
    QLayoutItem* item;
    bool alignRight;
    QSize size;
  };
  QVector<QVector<Placed>> rows(1);
  int rowWidth = 0;
  for (const Entry& entry : m_entries) {
    if (takesNoRoom(entry.item)) continue;
    QSize size = entry.item->sizeHint().expandedTo(entry.item->minimumSize());
    size = size.boundedTo(entry.item->maximumSize());
    // An item wider than the bar gets the whole row rather than overflowing.
    size.setWidth(qMin(size.width(), qMax(entry.item->minimumSize().width(), available)));
    const int needed = rows.last().isEmpty() ? size.width() : rowWidth + gap + size.width();
    if (!rows.last().isEmpty() && needed > available) {
      rows.append(QVector<Placed>());
      rowWidth = size.width();
    } else {
      rowWidth = needed;
    }
    rows.last().append({entry.item, entry.alignRight, size});
  }
  if (rows.last().isEmpty() && rows.size() > 1) rows.removeLast();

  int y = area.y();
  for (int r = 0; r < rows.size(); ++r) {
    const QVector<Placed>& row = rows[r];
    int rowHeight = m_minimumRowHeight;
    int leftWidth = 0;
    int rightWidth = 0;
    for (const Placed& placed : row) {
      rowHeight = qMax(rowHeight, placed.size.height());
      int& side = placed.alignRight ? rightWidth : leftWidth;
      side += (side ? gap : 0) + placed.size.width();
    }
    if (apply) {
      int x = area.x();
      int xRight = area.x() +
                   qMax(available, leftWidth + (leftWidth && rightWidth ? gap : 0) + rightWidth) -
                   rightWidth;
      for (const Placed& placed : row) {
        const int itemY = y + (rowHeight - placed.size.height()) / 2;
        if (placed.alignRight) {
          placed.item->setGeometry(QRect(QPoint(xRight, itemY), placed.size));
          xRight += placed.size.width() + gap;
        } else {
          placed.item->setGeometry(QRect(QPoint(x, itemY), placed.size));
          x += placed.size.width() + gap;
        }
      }
    }
    y += rowHeight + (r + 1 < rows.size() ? gap : 0);
  }
  if (apply) m_rowCount = rows.first().isEmpty() ? 0 : rows.size();
  return y - area.y() + top + bottom;
}

}  // namespace GU
