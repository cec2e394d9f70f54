#include "host/table/hpfaccessibletable.h"

#include "host/table/basehighperformancetable.h"
#include "host/table/hpfaccessiblecell.h"
#include "host/table/hpfaccessiblecellbutton.h"
#include "host/table/hpftableview.h"

#include <mutex>

namespace GU {

namespace {

QAccessibleInterface* hpfTableFactory(const QString&, QObject* object) {
  // Asked once per class of the object's chain, most derived first; the
  // view's own class answers, nothing else does.
  if (auto* view = qobject_cast<CHpfTableView*>(object)) return new CHpfAccessibleTable(view);
  return nullptr;
}

QString cellCacheKey(int row, int columnId) {
  return QStringLiteral("c%1/%2").arg(row).arg(columnId);
}

}  // namespace

CHpfAccessibleTable::CHpfAccessibleTable(CHpfTableView* view)
    : QAccessibleWidget(view, QAccessible::Table) {}

CHpfAccessibleTable::~CHpfAccessibleTable() { dropChildren(); }

void CHpfAccessibleTable::installFactory() {
  static std::once_flag once;
  std::call_once(once, [] { QAccessible::installFactory(hpfTableFactory); });
}

void CHpfAccessibleTable::notifyReset(CHpfTableView* view) {
  if (!view || !QAccessible::isActive()) return;
  QAccessibleTableModelChangeEvent event(view, QAccessibleTableModelChangeEvent::ModelReset);
  QAccessible::updateAccessibility(&event);
}

void CHpfAccessibleTable::notifyCurrentRow(CHpfTableView* view, int row) {
  if (!view || row < 0 || !QAccessible::isActive()) return;
  auto* table = dynamic_cast<CHpfAccessibleTable*>(QAccessible::queryAccessibleInterface(view));
  QAccessibleInterface* cell = table ? table->cellAt(row, 0) : nullptr;
  if (!cell) return;
  QAccessibleEvent selection(cell, QAccessible::Selection);
  QAccessible::updateAccessibility(&selection);
  if (view->hasFocus()) {
    QAccessibleEvent focus(cell, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
  }
}

CHpfTableView* CHpfAccessibleTable::view() const { return qobject_cast<CHpfTableView*>(object()); }

CBaseHighPerformanceTable* CHpfAccessibleTable::table() const {
  CHpfTableView* shown = view();
  return shown ? shown->table() : nullptr;
}

QVector<int> CHpfAccessibleTable::shownColumns() const {
  QVector<int> ids;
  CBaseHighPerformanceTable* hpf = table();
  if (!hpf) return ids;
  const int count = hpf->columnCount();
  for (int index = 0; index < count; ++index) {
    const int id = hpf->columnID(index);
    if (id >= 0 && !hpf->isColumnHidden(id)) ids.append(id);
  }
  return ids;
}

QAccessibleInterface* CHpfAccessibleTable::remember(const QString& cacheKey,
                                                    QAccessibleInterface* iface) const {
  m_children.insert(cacheKey, QAccessible::registerAccessibleInterface(iface));
  return iface;
}

QAccessibleInterface* CHpfAccessibleTable::cellInterface(int row, int columnId) const {
  CBaseHighPerformanceTable* hpf = table();
  if (!hpf || row < -1 || row >= hpf->viewRowCount() || !shownColumns().contains(columnId))
    return nullptr;
  const QString key = cellCacheKey(row, columnId);
  auto it = m_children.constFind(key);
  if (it != m_children.constEnd())
    if (QAccessibleInterface* cached = QAccessible::accessibleInterface(it.value())) return cached;
  return remember(key, new CHpfAccessibleCell(view(), row, columnId));
}

QAccessibleInterface* CHpfAccessibleTable::buttonInterface(const std::string& rowKey, int columnId,
                                                           int buttonId) const {
  if (!view()) return nullptr;
  const QString key =
      QStringLiteral("b%1/%2/").arg(columnId).arg(buttonId) + QString::fromStdString(rowKey);
  auto it = m_children.constFind(key);
  if (it != m_children.constEnd())
    if (QAccessibleInterface* cached = QAccessible::accessibleInterface(it.value())) return cached;
  return remember(key, new CHpfAccessibleCellButton(view(), rowKey, columnId, buttonId));
}

void CHpfAccessibleTable::dropChildren() {
  const QHash<QString, QAccessible::Id> children = m_children;
  m_children.clear();
  for (QAccessible::Id id : children) QAccessible::deleteAccessibleInterface(id);
}

void* CHpfAccessibleTable::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QString CHpfAccessibleTable::text(QAccessible::Text type) const {
  QString text = QAccessibleWidget::text(type);
  if (type != QAccessible::Name || !text.isEmpty()) return text;
  // Named after what holds it: the table's own name, else the nearest titled
  // ancestor (the panel: "股票列表").
  for (QWidget* up = view() ? view()->parentWidget() : nullptr; up; up = up->parentWidget()) {
    if (!up->accessibleName().isEmpty()) return up->accessibleName();
    if (!up->windowTitle().isEmpty()) return up->windowTitle();
  }
  return text;
}

int CHpfAccessibleTable::childCount() const {
  const int columns = columnCount();
  return columns * (rowCount() + 1);
}

QAccessibleInterface* CHpfAccessibleTable::child(int index) const {
  const QVector<int> columns = shownColumns();
  if (index < 0 || columns.isEmpty()) return nullptr;
  const int row = index / columns.size() - 1;
  return cellInterface(row, columns[index % columns.size()]);
}

int CHpfAccessibleTable::indexOfChild(const QAccessibleInterface* child) const {
  const auto* cell = dynamic_cast<const CHpfAccessibleCell*>(child);
  if (!cell || cell->parent() != this) return -1;
  const QVector<int> columns = shownColumns();
  const int column = columns.indexOf(cell->columnId());
  if (column < 0) return -1;
  return (cell->row() + 1) * columns.size() + column;
}

QAccessibleInterface* CHpfAccessibleTable::childAt(int x, int y) const {
  CHpfTableView* shown = view();
  CBaseHighPerformanceTable* hpf = table();
  if (!shown || !hpf) return nullptr;
  const QPoint inViewport = shown->viewport()->mapFromGlobal(QPoint(x, y));
  const int row = shown->rowAt(inViewport.y());
  if (row < 0) return nullptr;
  for (int id : shownColumns())
    if (hpf->visualCellRect(row, id).contains(inViewport)) return cellInterface(row, id);
  return nullptr;
}

QAccessibleInterface* CHpfAccessibleTable::caption() const { return nullptr; }

QAccessibleInterface* CHpfAccessibleTable::summary() const { return nullptr; }

QAccessibleInterface* CHpfAccessibleTable::cellAt(int row, int column) const {
  const QVector<int> columns = shownColumns();
  if (row < 0 || column < 0 || column >= columns.size()) return nullptr;
  return cellInterface(row, columns[column]);
}

int CHpfAccessibleTable::selectedCellCount() const { return selectedRowCount() * columnCount(); }

QList<QAccessibleInterface*> CHpfAccessibleTable::selectedCells() const {
  QList<QAccessibleInterface*> cells;
  for (int row : selectedRows())
    for (int column = 0; column < columnCount(); ++column) cells.append(cellAt(row, column));
  return cells;
}

QString CHpfAccessibleTable::columnDescription(int column) const {
  const QVector<int> columns = shownColumns();
  CBaseHighPerformanceTable* hpf = table();
  if (!hpf || column < 0 || column >= columns.size()) return QString();
  return hpf->columnTitle(columns[column]);
}

QString CHpfAccessibleTable::rowDescription(int row) const {
  // The row number the table shows in its leading column, if it shows one.
  CBaseHighPerformanceTable* hpf = table();
  if (!hpf || !hpf->appendSeq() || row < 0 || row >= hpf->viewRowCount()) return QString();
  return QString::number(row + 1);
}

int CHpfAccessibleTable::selectedColumnCount() const { return 0; }

int CHpfAccessibleTable::selectedRowCount() const { return selectedRows().size(); }

int CHpfAccessibleTable::columnCount() const { return shownColumns().size(); }

int CHpfAccessibleTable::rowCount() const {
  CBaseHighPerformanceTable* hpf = table();
  return hpf ? hpf->viewRowCount() : 0;
}

QList<int> CHpfAccessibleTable::selectedColumns() const { return QList<int>(); }

QList<int> CHpfAccessibleTable::selectedRows() const {
  CBaseHighPerformanceTable* hpf = table();
  const int current = hpf ? hpf->currentViewRow() : -1;
  return current >= 0 ? QList<int>{current} : QList<int>();
}

bool CHpfAccessibleTable::isColumnSelected(int) const { return false; }

bool CHpfAccessibleTable::isRowSelected(int row) const {
  CBaseHighPerformanceTable* hpf = table();
  return hpf && row >= 0 && hpf->currentViewRow() == row;
}

bool CHpfAccessibleTable::selectRow(int row) {
  CBaseHighPerformanceTable* hpf = table();
  if (!hpf || row < 0 || row >= hpf->viewRowCount()) return false;
  // Selection only: a click would also tell the panel (the host's selected
  // stock); that is what a button's press action or a real click is for.
  hpf->setCurrentViewRow(row);
  hpf->scrollToViewRow(row);
  return true;
}

bool CHpfAccessibleTable::selectColumn(int) { return false; }

bool CHpfAccessibleTable::unselectRow(int row) {
  CBaseHighPerformanceTable* hpf = table();
  if (!hpf || row < 0 || hpf->currentViewRow() != row) return false;
  hpf->setCurrentViewRow(-1);
  return true;
}

bool CHpfAccessibleTable::unselectColumn(int) { return false; }

void CHpfAccessibleTable::modelChange(QAccessibleTableModelChangeEvent*) {
  // Rows and columns are read afresh by every cell, so dropping the cache is
  // only about memory and about clients not keeping cells of gone rows.
  dropChildren();
}

}  // namespace GU
