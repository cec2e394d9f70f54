#include "host/table/basehighperformancetable.h"

#include "host/table/basehighperformancetable_p.h"
#include "host/table/hpftablelog_p.h"
#include "host/table/hpftableview.h"

#include <QHeaderView>

// Layout persistence of CBaseHighPerformanceTable: the layout as a value, its
// text form (hpftablelayout.h) and applying a layout to the header.

namespace GU {

// --- layout -----------------------------------------------------------------------

SHpfLayout CBaseHighPerformanceTable::currentLayout() const {
  SHpfLayout layout;
  layout.scope = d->layoutScope;
  QHeaderView* header = d->view->header();
  for (int visual = 0; visual < columnCount(); ++visual) {
    const int logical = header->logicalIndex(visual);
    if (logical < 0) continue;
    const SHpfColumn& column = d->columns[static_cast<size_t>(logical)];
    SHpfLayoutColumn entry;
    entry.id = column.id;
    entry.width = qBound(CHpfTableLayout::kMinWidth, column.width, CHpfTableLayout::kMaxWidth);
    entry.hidden = header->isSectionHidden(logical);
    layout.columns.push_back(entry);
  }
  layout.sortColumn = d->sortColumn;
  layout.sortAscending = d->sortAscending;
  return layout;
}

void CBaseHighPerformanceTable::applyLayout(const SHpfLayout& layout) {
  QHeaderView* header = d->view->header();
  std::vector<int> logicalOrder;
  std::vector<bool> placed(d->columns.size(), false);
  for (const SHpfLayoutColumn& entry : layout.columns) {
    const int logical = d->logicalOf(entry.id);
    if (logical < 0 || placed[static_cast<size_t>(logical)]) continue;
    placed[static_cast<size_t>(logical)] = true;
    logicalOrder.push_back(logical);
    d->columns[static_cast<size_t>(logical)].width = entry.width;
    header->setSectionHidden(logical, false);
    header->resizeSection(logical, entry.width);
    header->setSectionHidden(logical, entry.hidden);
  }
  // Columns the layout does not know (added since it was saved) follow in
  // their current order, as they are.
  for (int visual = 0; visual < columnCount(); ++visual) {
    const int logical = header->logicalIndex(visual);
    if (logical >= 0 && !placed[static_cast<size_t>(logical)]) logicalOrder.push_back(logical);
  }
  for (size_t target = 0; target < logicalOrder.size(); ++target) {
    const int from = header->visualIndex(logicalOrder[target]);
    if (from != static_cast<int>(target)) header->moveSection(from, static_cast<int>(target));
  }
  d->view->columnsChanged();
  sortByColumn(layout.sortColumn, layout.sortAscending);
}

QString CBaseHighPerformanceTable::saveConfigStr() const {
  return CHpfTableLayout::encode(currentLayout());
}

bool CBaseHighPerformanceTable::loadConfigStr(const QString& config) {
  if (config.trimmed().isEmpty()) return false;  // a panel that never saved
  SHpfLayout layout;
  QString error;
  if (!CHpfTableLayout::decode(config, &layout, &error)) {
    HPF_LOG_WARN(this, QStringLiteral("layout ignored: %1").arg(error));
    return false;
  }
  if (layout.scope != d->layoutScope) {
    HPF_LOG_WARN(
        this,
        QStringLiteral("layout of table %1 ignored by table %2").arg(layout.scope, d->layoutScope));
    return false;
  }
  int shown = 0;
  for (const SHpfLayoutColumn& entry : layout.columns) {
    if (!hasColumn(entry.id)) {
      HPF_LOG_WARN(this, QStringLiteral("layout ignored: unknown column %1").arg(entry.id));
      return false;
    }
    if (!entry.hidden) ++shown;
  }
  shown += columnCount() - static_cast<int>(layout.columns.size());
  if (shown <= 0 && columnCount() > 0) {
    HPF_LOG_WARN(this, "layout ignored: it hides every column");
    return false;
  }
  applyLayout(layout);
  return true;
}

void CBaseHighPerformanceTable::resetLayout() { applyLayout(d->defaultLayout); }

void CBaseHighPerformanceTable::setLayoutScope(const QString& scope) {
  d->layoutScope = scope;
  d->defaultLayout.scope = scope;
}

QString CBaseHighPerformanceTable::layoutScope() const { return d->layoutScope; }

}  // namespace GU
