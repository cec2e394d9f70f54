#include "host/table/hpfaccessiblecell.h"

#include "host/table/basehighperformancetable.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "host/table/hpfaccessibletable.h"
#include "host/table/hpftableview.h"
#include "host/table/ibasehpftabledata.h"

#include <QHeaderView>
#include <QWidget>

namespace GU {

CHpfAccessibleCell::CHpfAccessibleCell(CHpfTableView* view, int row, int columnId)
    : m_view(view), m_row(row), m_columnId(columnId) {}

CBaseHighPerformanceTable* CHpfAccessibleCell::hpfTable() const {
  return m_view ? m_view->table() : nullptr;
}

CHpfAccessibleTable* CHpfAccessibleCell::tableInterface() const {
  return m_view ? dynamic_cast<CHpfAccessibleTable*>(QAccessible::queryAccessibleInterface(m_view))
                : nullptr;
}

bool CHpfAccessibleCell::isValid() const {
  CBaseHighPerformanceTable* hpf = hpfTable();
  if (!hpf || !hpf->hasColumn(m_columnId) || hpf->isColumnHidden(m_columnId)) return false;
  return m_row < hpf->viewRowCount();
}

QObject* CHpfAccessibleCell::object() const { return nullptr; }

QWindow* CHpfAccessibleCell::window() const {
  QAccessibleInterface* up = parent();
  return up ? up->window() : nullptr;
}

void* CHpfAccessibleCell::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableCellInterface)
    return static_cast<QAccessibleTableCellInterface*>(this);
  return nullptr;
}

CBaseTableColumnMultiButtonsDelegate* CHpfAccessibleCell::buttons(std::string* rowKey) const {
  CBaseHighPerformanceTable* hpf = hpfTable();
  if (!hpf || isHeader()) return nullptr;
  auto* delegate =
      dynamic_cast<CBaseTableColumnMultiButtonsDelegate*>(hpf->columnDelegate(m_columnId).get());
  if (!delegate) return nullptr;
  HpfRowPtr row = hpf->viewRowData(m_row);
  if (!row) return nullptr;
  *rowKey = row->key();
  return delegate;
}

QVector<int> CHpfAccessibleCell::shownButtonIds() const {
  QVector<int> ids;
  std::string key;
  CBaseTableColumnMultiButtonsDelegate* delegate = buttons(&key);
  if (!delegate) return ids;
  // The painted layout says which buttons show (a disabled button may hide).
  const QRect cell = hpfTable()->visualCellRect(m_row, m_columnId);
  const QVector<ButtonData> all = delegate->itemButtons(key);
  const QVector<QRect> rects =
      delegate->buttonRects(cell.isValid() ? cell : QRect(0, 0, 1, 1), key);
  for (int i = 0; i < all.size() && i < rects.size(); ++i)
    if (!rects[i].isNull()) ids.append(all[i].id);
  return ids;
}

QAccessibleInterface* CHpfAccessibleCell::childAt(int x, int y) const {
  for (int i = 0; i < childCount(); ++i) {
    QAccessibleInterface* button = child(i);
    if (button && button->rect().contains(x, y)) return button;
  }
  return nullptr;
}

QAccessibleInterface* CHpfAccessibleCell::parent() const {
  return m_view ? QAccessible::queryAccessibleInterface(m_view) : nullptr;
}

QAccessibleInterface* CHpfAccessibleCell::child(int index) const {
  const QVector<int> ids = shownButtonIds();
  CHpfAccessibleTable* tableIface = tableInterface();
  std::string key;
  if (index < 0 || index >= ids.size() || !tableIface || !buttons(&key)) return nullptr;
  return tableIface->buttonInterface(key, m_columnId, ids[index]);
}

int CHpfAccessibleCell::childCount() const { return shownButtonIds().size(); }

int CHpfAccessibleCell::indexOfChild(const QAccessibleInterface* child) const {
  for (int i = 0; i < childCount(); ++i)
    if (this->child(i) == child) return i;
  return -1;
}

QString CHpfAccessibleCell::text(QAccessible::Text type) const {
  CBaseHighPerformanceTable* hpf = hpfTable();
  if (!hpf || !isValid()) return QString();
  if (isHeader()) return type == QAccessible::Name ? hpf->columnTitle(m_columnId) : QString();
  std::string key;
  if (CBaseTableColumnMultiButtonsDelegate* delegate = buttons(&key)) {
    if (type != QAccessible::Name) return QString();
    QStringList texts;
    const QVector<int> shown = shownButtonIds();
    for (const ButtonData& button : delegate->itemButtons(key))
      if (shown.contains(button.id)) texts << button.text;
    return texts.join(QLatin1Char(' '));
  }
  if (type == QAccessible::Name) return hpf->cellText(m_row, m_columnId);
  if (type == QAccessible::Description && hpf->isColumnShowIcon(m_columnId)) {
    // The tag icon says what its tooltip says.
    HpfRowPtr row = hpf->viewRowData(m_row);
    const QPixmap* icon = row ? row->getIcon(m_columnId) : nullptr;
    if (icon && !icon->isNull()) return row->getIconTip(m_columnId);
  }
  return QString();
}

void CHpfAccessibleCell::setText(QAccessible::Text, const QString&) {}

QRect CHpfAccessibleCell::rect() const {
  CBaseHighPerformanceTable* hpf = hpfTable();
  if (!hpf || !isValid()) return QRect();
  if (isHeader()) {
    QHeaderView* header = m_view->header();
    const int logical = m_view->logicalOfId(m_columnId);
    if (logical < 0) return QRect();
    const QRect section(header->sectionViewportPosition(logical), 0, header->sectionSize(logical),
                        header->height());
    return QRect(header->viewport()->mapToGlobal(section.topLeft()), section.size());
  }
  const QRect cell = hpf->visualCellRect(m_row, m_columnId);
  return QRect(m_view->viewport()->mapToGlobal(cell.topLeft()), cell.size());
}

QAccessible::Role CHpfAccessibleCell::role() const {
  return isHeader() ? QAccessible::ColumnHeader : QAccessible::Cell;
}

QAccessible::State CHpfAccessibleCell::state() const {
  QAccessible::State state;
  if (!isValid()) {
    state.invalid = true;
    return state;
  }
  if (isHeader()) return state;
  state.selectable = true;
  state.focusable = true;
  state.selected = isSelected();
  CBaseHighPerformanceTable* hpf = hpfTable();
  const QRect cell = hpf->visualCellRect(m_row, m_columnId);
  if (!m_view->viewport()->rect().intersects(cell)) state.offscreen = true;
  return state;
}

bool CHpfAccessibleCell::isSelected() const {
  CBaseHighPerformanceTable* hpf = hpfTable();
  return hpf && !isHeader() && hpf->currentViewRow() == m_row;
}

QList<QAccessibleInterface*> CHpfAccessibleCell::columnHeaderCells() const {
  CHpfAccessibleTable* tableIface = tableInterface();
  if (isHeader() || !tableIface) return QList<QAccessibleInterface*>();
  QAccessibleInterface* header = tableIface->cellInterface(-1, m_columnId);
  return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>();
}

QList<QAccessibleInterface*> CHpfAccessibleCell::rowHeaderCells() const {
  return QList<QAccessibleInterface*>();
}

int CHpfAccessibleCell::columnIndex() const {
  CHpfAccessibleTable* tableIface = tableInterface();
  return tableIface ? tableIface->shownColumns().indexOf(m_columnId) : -1;
}

int CHpfAccessibleCell::rowIndex() const { return m_row; }

int CHpfAccessibleCell::columnExtent() const { return 1; }

int CHpfAccessibleCell::rowExtent() const { return 1; }

QAccessibleInterface* CHpfAccessibleCell::table() const { return parent(); }

}  // namespace GU
