#include "host/table/basehighperformancetable.h"

#include "host/core/tradertypes.h"
#include "host/table/basehighperformancetable_p.h"
#include "host/table/basetablecolumndelegate.h"
#include "host/table/hpfaccessibletable.h"
#include "host/table/hpfheadermodel.h"
#include "host/table/hpftablelog_p.h"
#include "host/table/hpftableview.h"
#include "host/table/ibasehpftabledata.h"

#include <QEvent>
#include <QHeaderView>
#include <QStringMatcher>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace GU {

namespace {

const int kFirstExtraColumnId = 10000;
const int kMaxExtraColumns = 10000;

int compareExtra(const QVariant& a, const QVariant& b, bool numeric) {
  const bool aNone = !a.isValid();
  const bool bNone = !b.isValid();
  if (aNone || bNone) return aNone == bNone ? 0 : (aNone ? -1 : 1);
  if (numeric) {
    bool okA = false, okB = false;
    const double x = a.toDouble(&okA);
    const double y = b.toDouble(&okB);
    const bool aBad = !okA || std::isnan(x);
    const bool bBad = !okB || std::isnan(y);
    if (aBad || bBad) return aBad == bBad ? 0 : (aBad ? -1 : 1);
    return x < y ? -1 : (y < x ? 1 : 0);
  }
  const int c = a.toString().compare(b.toString(), Qt::CaseSensitive);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

// --- Private ------------------------------------------------------------------

int CBaseHighPerformanceTable::Private::logicalOf(int id) const {
  for (size_t i = 0; i < columns.size(); ++i) {
    if (columns[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

const SHpfColumn* CBaseHighPerformanceTable::Private::column(int id) const {
  const int logical = logicalOf(id);
  return logical < 0 ? nullptr : &columns[static_cast<size_t>(logical)];
}

SHpfColumn* CBaseHighPerformanceTable::Private::column(int id) {
  const int logical = logicalOf(id);
  return logical < 0 ? nullptr : &columns[static_cast<size_t>(logical)];
}

QString CBaseHighPerformanceTable::Private::cellText(IBaseHpfTableData& row,
                                                     const SHpfColumn& column,
                                                     const std::string& key, QColor* colour) const {
  if (column.extra) {
    QVariant value;
    if (!extra->getData(key, column.id, &value, colour)) return QString();
    return CHpfExtraDataModel::toDisplayText(value);
  }
  const int id = column.id;
  if (const QColor* textColour = row.getTextColor(id)) *colour = *textColour;
  if (column.kind == HPF_KIND_INT && row.is32HexMode(id)) {
    const int value = row.getInt(id);
    if (value == mxservice::kNoValueInt) return QString();
    return QStringLiteral("0x") + QString::number(static_cast<uint>(value), 16).toUpper();
  }
  QString text = row.getDisplayQString(id);
  if (column.kind == HPF_KIND_DOUBLE && row.isPrecFactorAtttibute() && row.isPrecFactorColumn(id)) {
    const double value = row.getDouble(id);
    const double factor = row.getPrecFactor();
    if (std::isfinite(value) && value != mxservice::kNoValueDouble && std::isfinite(factor) &&
        factor != 0.0) {
      // Keep the decimals the row chose for the unscaled value.
      const int dot = text.indexOf(QLatin1Char('.'));
      const int decimals = dot < 0 ? 0 : qMin(10, text.size() - dot - 1);
      text = QString::number(value / factor, 'f', decimals);
    }
  }
  if (!text.isEmpty()) {
    const QString unit = row.getDisplayUnit(id);
    if (!unit.isEmpty()) text += unit;
  }
  return text;
}

// --- construction ------------------------------------------------------------

CBaseHighPerformanceTable::CBaseHighPerformanceTable(int id, int tableType, QWidget* parent,
                                                     BaseTableMenuFlags menuFlags)
    : IBaseTable(parent), d(new Private) {
  d->id = id;
  d->tableType = tableType;
  d->menuFlags = menuFlags;
  d->layoutScope = QString::number(tableType);
  d->extra.reset(new CHpfExtraDataModel);
  // Queued, never direct: the model announces a commit and a delegate asks
  // for a repaint from inside their own calls, which the table must not
  // re-enter.
  d->refreshPost =
      CTablePost::create(this, CTablePost::Mode::AlwaysQueued, [this](utils::SNoPayload&&) {
        if (d->refreshPending) updateTable();
      });
  d->repaintPost = CTablePost::create(this, CTablePost::Mode::AlwaysQueued,
                                      [this](utils::SNoPayload&&) { viewport()->update(); });
  d->view = new CHpfTableView(this, this);
  d->headerModel = d->view->headerModel();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(d->view);
  setFocusProxy(d->view);
  d->defaultLayout = currentLayout();
}

CBaseHighPerformanceTable::~CBaseHighPerformanceTable() {
  d->refreshPost->close();
  d->repaintPost->close();
  if (d->model) d->model->setRowsCommittedListener(boost::function<void()>());
  CEventDeliverer* self = this;
  for (auto& entry : d->delegates) {
    entry.second->setRepaintHook(boost::function<void()>());
    if (entry.second->target() == self) entry.second->setTarget(nullptr);
  }
  // The view reads d while it goes; it must go before d does.
  delete d->view;
  d->view = nullptr;
}

int CBaseHighPerformanceTable::tableId() const { return d->id; }

int CBaseHighPerformanceTable::tableType() const { return d->tableType; }

BaseTableMenuFlags CBaseHighPerformanceTable::menuFlags() const { return d->menuFlags; }

int CBaseHighPerformanceTable::firstExtraColumnId() { return kFirstExtraColumnId; }

// --- model ---------------------------------------------------------------------

void CBaseHighPerformanceTable::setModel(const boost::shared_ptr<IBaseHpfTableModel>& model) {
  if (d->model && d->model != model) d->model->setRowsCommittedListener(boost::function<void()>());
  d->model = model;
  d->rows.reset();
  d->order.clear();
  d->current = -1;
  d->currentRow.reset();
  d->currentKey.clear();
  d->sortColumn = -1;
  d->sortAscending = true;
  rebuildColumns();
  if (model) {
    model->setInfo(d->id, d->tableType);
    for (const auto& entry : d->delegates) model->setColumnDelegate(entry.first, entry.second);
    const std::shared_ptr<CTablePost> post = d->refreshPost;
    model->setRowsCommittedListener([post]() { post->post(utils::SNoPayload()); });
    const int sortId = model->getDefaultSortFieldID();
    if (sortId >= 0 && d->column(sortId)) {
      d->sortColumn = sortId;
      d->sortAscending = !model->isReverseSortAfterInit();
    }
  }
  d->view->showSortIndicator(d->logicalOf(d->sortColumn), d->sortAscending);
  d->defaultLayout = currentLayout();
  updateTable();
}

boost::shared_ptr<IBaseHpfTableModel> CBaseHighPerformanceTable::hpfModel() const {
  return d->model;
}

CHpfExtraDataModel* CBaseHighPerformanceTable::getExtraDataModel() const { return d->extra.get(); }

// --- columns -------------------------------------------------------------------

int CBaseHighPerformanceTable::defaultWidthOf(const SHpfColumn& column) const {
  const QFontMetrics metrics(d->view->header()->font());
  const bool numeric = column.kind != HPF_KIND_TEXT;
  const int minimum = numeric ? 80 : 100;
  return qBound(minimum, metrics.horizontalAdvance(column.title) + 28, 300);
}

void CBaseHighPerformanceTable::rebuildColumns() {
  std::vector<SHpfColumn> columns;
  if (d->model) {
    const QVector<int> ids = d->model->initColumns();
    std::vector<bool> seen;
    for (int id : ids) {
      // Model ids live below the added columns' range; anything else is a
      // model bug that would make two columns answer to one id.
      if (id < 0 || id >= kFirstExtraColumnId) {
        HPF_LOG_WARN(this, QStringLiteral("model column id %1 ignored").arg(id));
        continue;
      }
      if (static_cast<size_t>(id) >= seen.size()) seen.resize(static_cast<size_t>(id) + 1, false);
      if (seen[static_cast<size_t>(id)]) continue;
      seen[static_cast<size_t>(id)] = true;
      SHpfColumn column;
      column.id = id;
      column.title = d->model->columnTitle(id);
      column.tip = d->model->getTitleTip(id);
      column.kind = d->model->columnValueKind(id);
      column.defaultWidth = column.width = defaultWidthOf(column);
      columns.push_back(column);
    }
  }
  for (const SHpfColumn& column : d->columns) {
    if (column.extra) columns.push_back(column);
  }
  d->headerModel->beginReset();
  d->columns.swap(columns);
  d->headerModel->endReset();
  QHeaderView* header = d->view->header();
  for (size_t i = 0; i < d->columns.size(); ++i) {
    header->resizeSection(static_cast<int>(i), d->columns[i].width);
    header->setSectionHidden(static_cast<int>(i), d->columns[i].hiddenByDefault);
  }
  d->view->columnsChanged();
}

void CBaseHighPerformanceTable::changeEvent(QEvent* e) {
  if (e->type() == QEvent::LanguageChange && d->model) {
    for (SHpfColumn& column : d->columns) {
      if (!column.extra) column.title = d->model->columnTitle(column.id);
    }
    d->headerModel->titlesChanged();
  }
  IBaseTable::changeEvent(e);
}

int CBaseHighPerformanceTable::columnCount() const { return static_cast<int>(d->columns.size()); }

int CBaseHighPerformanceTable::columnID(int index) const {
  if (index < 0 || index >= columnCount()) return -1;
  const int logical = d->view->header()->logicalIndex(index);
  return logical < 0 ? -1 : d->columns[static_cast<size_t>(logical)].id;
}

int CBaseHighPerformanceTable::columnIndex(int id) const {
  const int logical = d->logicalOf(id);
  return logical < 0 ? -1 : d->view->header()->visualIndex(logical);
}

bool CBaseHighPerformanceTable::hasColumn(int id) const { return d->logicalOf(id) >= 0; }

QString CBaseHighPerformanceTable::columnTitle(int id) const {
  const SHpfColumn* column = d->column(id);
  return column ? column->title : QString();
}

int CBaseHighPerformanceTable::columnValueKind(int id) const {
  const SHpfColumn* column = d->column(id);
  return column ? column->kind : HPF_KIND_TEXT;
}

int CBaseHighPerformanceTable::addColumn(const CColumnProperty& property, bool hidden,
                                         bool sortable, const QString& titleTip) {
  int id = -1;
  if (property.ordinal >= 0 && property.ordinal < kMaxExtraColumns &&
      !hasColumn(kFirstExtraColumnId + property.ordinal)) {
    id = kFirstExtraColumnId + property.ordinal;
  } else {
    for (int candidate = kFirstExtraColumnId; candidate < kFirstExtraColumnId + kMaxExtraColumns;
         ++candidate) {
      if (!hasColumn(candidate)) {
        id = candidate;
        break;
      }
    }
  }
  if (id < 0) {
    HPF_LOG_WARN(this, "no column id left for an added column");
    return -1;
  }
  SHpfColumn column;
  column.id = id;
  column.title = property.title;
  column.tip = titleTip;
  column.kind = property.valueType;
  column.extra = true;
  column.sortable = sortable;
  column.alignment = property.alignment;
  column.hiddenByDefault = hidden;
  column.defaultWidth = column.width =
      property.width > 0
          ? qBound(CHpfTableLayout::kMinWidth, property.width, CHpfTableLayout::kMaxWidth)
          : defaultWidthOf(column);
  const int logical = static_cast<int>(d->columns.size());
  d->headerModel->beginInsert(logical, logical);
  d->columns.push_back(column);
  d->headerModel->endInsert();
  QHeaderView* header = d->view->header();
  header->resizeSection(logical, column.width);
  header->setSectionHidden(logical, hidden);
  d->view->columnsChanged();
  d->defaultLayout = currentLayout();
  return id;
}

bool CBaseHighPerformanceTable::removeColumn(int id) {
  const int logical = d->logicalOf(id);
  if (logical < 0) return false;
  d->headerModel->beginRemove(logical, logical);
  d->columns.erase(d->columns.begin() + logical);
  d->headerModel->endRemove();
  if (d->sortColumn == id) {
    d->sortColumn = -1;
    rebuildOrder();
    restoreCurrent();
  }
  d->view->showSortIndicator(d->logicalOf(d->sortColumn), d->sortAscending);
  d->view->columnsChanged();
  d->defaultLayout = currentLayout();
  return true;
}

bool CBaseHighPerformanceTable::moveColumn(int id, int position) {
  const int logical = d->logicalOf(id);
  if (logical < 0) return false;
  QHeaderView* header = d->view->header();
  const int to = qBound(0, position, columnCount() - 1);
  header->moveSection(header->visualIndex(logical), to);
  d->defaultLayout = currentLayout();
  return true;
}

void CBaseHighPerformanceTable::setColumnBoldFont(int id, bool bold) {
  if (SHpfColumn* column = d->column(id)) column->bold = bold;
  d->view->viewport()->update();
}

bool CBaseHighPerformanceTable::isColumnBoldFont(int id) const {
  const SHpfColumn* column = d->column(id);
  return column && column->bold;
}

void CBaseHighPerformanceTable::setColumnShowIcon(int id, bool show) {
  if (SHpfColumn* column = d->column(id)) column->showIcon = show;
  d->view->viewport()->update();
}

bool CBaseHighPerformanceTable::isColumnShowIcon(int id) const {
  const SHpfColumn* column = d->column(id);
  return column && column->showIcon;
}

void CBaseHighPerformanceTable::setColumnFilterable(int id, bool filterable) {
  SHpfColumn* column = d->column(id);
  if (!column || column->filterable == filterable) return;
  column->filterable = filterable;
  if (!d->filter.isEmpty()) {
    rebuildOrder();
    restoreCurrent();
    d->view->rowsChanged();
  }
}

bool CBaseHighPerformanceTable::isColumnFilterable(int id) const {
  const SHpfColumn* column = d->column(id);
  return column && column->filterable;
}

void CBaseHighPerformanceTable::setColumnHidden(int id, bool hidden) {
  const int logical = d->logicalOf(id);
  if (logical < 0) return;
  d->view->header()->setSectionHidden(logical, hidden);
  d->view->columnsChanged();
}

bool CBaseHighPerformanceTable::isColumnHidden(int id) const {
  const int logical = d->logicalOf(id);
  return logical >= 0 && d->view->header()->isSectionHidden(logical);
}

void CBaseHighPerformanceTable::setColumnWidth(int id, int width) {
  const int logical = d->logicalOf(id);
  if (logical < 0) return;
  width = qBound(CHpfTableLayout::kMinWidth, width, CHpfTableLayout::kMaxWidth);
  d->columns[static_cast<size_t>(logical)].width = width;
  d->view->header()->resizeSection(logical, width);
}

int CBaseHighPerformanceTable::columnWidth(int id) const {
  const SHpfColumn* column = d->column(id);
  return column ? column->width : 0;
}

void CBaseHighPerformanceTable::setAppendSeq(bool append) {
  d->appendSeq = append;
  d->view->columnsChanged();
}

bool CBaseHighPerformanceTable::appendSeq() const { return d->appendSeq; }

// --- delegates -------------------------------------------------------------------

void CBaseHighPerformanceTable::setColumnDelegate(int id, const HpfDelegatePtr& delegate) {
  auto it = d->delegates.find(id);
  if (it != d->delegates.end() && it->second != delegate) {
    it->second->setRepaintHook(boost::function<void()>());
    CEventDeliverer* self = this;
    if (it->second->target() == self) it->second->setTarget(nullptr);
  }
  if (delegate) {
    d->delegates[id] = delegate;
    const std::shared_ptr<CTablePost> post = d->repaintPost;
    delegate->setRepaintHook([post]() { post->post(utils::SNoPayload()); });
  } else if (it != d->delegates.end()) {
    d->delegates.erase(it);
  }
  if (d->model) d->model->setColumnDelegate(id, delegate);
  d->view->viewport()->update();
}

void CBaseHighPerformanceTable::setColumnDelegate(int id, CBaseTableColumnDelegate* delegate) {
  setColumnDelegate(id, HpfDelegatePtr(delegate));
}

HpfDelegatePtr CBaseHighPerformanceTable::columnDelegate(int id) const {
  auto it = d->delegates.find(id);
  if (it != d->delegates.end()) return it->second;
  return d->model ? d->model->columnDelegate(id) : HpfDelegatePtr();
}

// --- flags ----------------------------------------------------------------------

int CBaseHighPerformanceTable::flag() const { return d->flags; }

void CBaseHighPerformanceTable::setFlag(int flags) {
  d->flags = flags;
  d->view->applyFlags();
}

// --- rows -----------------------------------------------------------------------

void CBaseHighPerformanceTable::updateTable() {
  const size_t oldCount = d->order.size();
  const bool wasAtBottom = oldCount > 0 && d->view->isAtBottom();
  d->filterCache.clear();
  if (d->model) {
    d->rows = d->model->publishRows();
    // A worker job still building: we show the last complete rows and come
    // back by ourselves when the job commits (see setModel()).
    d->refreshPending = d->model->hasUncommittedRows();
  } else {
    d->rows.reset();
    d->refreshPending = false;
  }
  rebuildOrder();
  restoreCurrent();
  d->view->rowsChanged();
  if ((d->flags & TABLE_FLAG_FOLLOW_TAIL) && wasAtBottom && d->order.size() > oldCount)
    d->view->scrollToBottom();
}

void CBaseHighPerformanceTable::rebuildOrder(bool cacheTexts) {
  std::vector<int>& order = d->order;
  order.clear();
  if (!d->rows) return;
  const HpfRowVector& rows = *d->rows;
  const int count = static_cast<int>(rows.size());
  const bool filtering =
      !d->filter.isEmpty() &&
      !(d->model && (d->model->modelFlags() & IBaseHpfTableModel::MODEL_FLAG_NO_FILTER));
  if (!filtering) {
    order.resize(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 0);
  } else {
    std::vector<const SHpfColumn*> columns;
    std::vector<int> columnIds;
    bool needKey = false;
    for (const SHpfColumn& column : d->columns) {
      if (!column.filterable) continue;
      if (!column.extra && d->model && !d->model->onfilterColumn(column.id)) continue;
      columns.push_back(&column);
      columnIds.push_back(column.id);
      needKey = needKey || column.extra;
    }
    // Added columns take their texts from the extra-data model, which
    // changes without a new snapshot: those tables filter row by row.
    bool cached = false;
    if (!needKey) {
      if (cacheTexts && !d->filterCache.isBuiltFor(d->rows, columnIds))
        d->filterCache.build(d->rows, columnIds);
      cached =
          d->filterCache.isBuiltFor(d->rows, columnIds) && d->filterCache.match(d->filter, order);
    }
    if (!cached) {
      // One matcher for 100,000 rows times their columns: it folds the
      // needle and builds its skip table once instead of per cell.
      const QStringMatcher matcher(d->filter, Qt::CaseInsensitive);
      for (int i = 0; i < count; ++i) {
        const HpfRowPtr& row = rows[static_cast<size_t>(i)];
        if (!row) continue;
        const std::string key = needKey ? row->key() : std::string();
        for (const SHpfColumn* column : columns) {
          const QString text = column->extra ? d->extra->displayText(key, column->id)
                                             : row->getFilterQString(column->id);
          if (matcher.indexIn(text) >= 0) {
            order.push_back(i);
            break;
          }
        }
      }
    }
  }
  // A reload to fewer rows should not keep the index memory of the larger one.
  if (order.capacity() > 2 * order.size() + 1024) order.shrink_to_fit();
  sortOrder();
}

void CBaseHighPerformanceTable::sortOrder() {
  if (d->sortColumn < 0 || !d->rows) return;
  const SHpfColumn* column = d->column(d->sortColumn);
  if (!column) {
    d->sortColumn = -1;
    return;
  }
  const HpfRowVector& rows = *d->rows;
  const bool ascending = d->sortAscending;
  if (column->extra) {
    // Values are fetched once: the extra-data model takes a lock per lookup.
    std::vector<QVariant> values(rows.size());
    for (int i : d->order) {
      const HpfRowPtr& row = rows[static_cast<size_t>(i)];
      if (row) values[static_cast<size_t>(i)] = d->extra->value(row->key(), column->id);
    }
    const bool numeric = column->kind != HPF_KIND_TEXT;
    std::stable_sort(d->order.begin(), d->order.end(), [&](int a, int b) {
      const int c =
          compareExtra(values[static_cast<size_t>(a)], values[static_cast<size_t>(b)], numeric);
      return ascending ? c < 0 : c > 0;
    });
    return;
  }
  if (d->model) d->model->sortByColumnID(rows, d->order, column->id, ascending);
}

void CBaseHighPerformanceTable::restoreCurrent() {
  const HpfRowPtr wanted = d->currentRow;
  d->current = -1;
  if (!wanted || !d->rows || !(d->flags & TABLE_FLAG_KEEP_SELECTION)) {
    d->currentRow.reset();
    d->currentKey.clear();
    return;
  }
  const HpfRowVector& rows = *d->rows;
  const int count = static_cast<int>(d->order.size());
  for (int viewRow = 0; viewRow < count; ++viewRow) {
    if (rows[static_cast<size_t>(d->order[static_cast<size_t>(viewRow)])] == wanted) {
      d->current = viewRow;
      return;
    }
  }
  // A reload brings new row objects: find the same key instead.
  for (int viewRow = 0; viewRow < count; ++viewRow) {
    const HpfRowPtr& row = rows[static_cast<size_t>(d->order[static_cast<size_t>(viewRow)])];
    if (row && row->key() == d->currentKey) {
      d->current = viewRow;
      d->currentRow = row;
      return;
    }
  }
  d->currentRow.reset();
  d->currentKey.clear();
}

int CBaseHighPerformanceTable::viewRowCount() const { return static_cast<int>(d->order.size()); }

HpfRowPtr CBaseHighPerformanceTable::viewRowData(int viewRow) const {
  if (viewRow < 0 || viewRow >= viewRowCount() || !d->rows) return HpfRowPtr();
  return (*d->rows)[static_cast<size_t>(d->order[static_cast<size_t>(viewRow)])];
}

int CBaseHighPerformanceTable::modelRowOfViewRow(int viewRow) const {
  if (viewRow < 0 || viewRow >= viewRowCount()) return -1;
  return d->order[static_cast<size_t>(viewRow)];
}

int CBaseHighPerformanceTable::currentViewRow() const { return d->current; }

void CBaseHighPerformanceTable::setCurrentViewRow(int viewRow) {
  HpfRowPtr row = viewRowData(viewRow);
  d->current = row ? viewRow : -1;
  d->currentRow = row;
  d->currentKey = row ? row->key() : std::string();
  d->view->viewport()->update();
  CHpfAccessibleTable::notifyCurrentRow(d->view, d->current);
}

void CBaseHighPerformanceTable::sortByColumn(int id, bool ascending) {
  if (id >= 0 && !hasColumn(id)) return;
  d->sortColumn = id;
  d->sortAscending = ascending;
  rebuildOrder();
  restoreCurrent();
  d->view->showSortIndicator(d->logicalOf(id), ascending);
  d->view->rowsChanged();
}

int CBaseHighPerformanceTable::sortColumn() const { return d->sortColumn; }

bool CBaseHighPerformanceTable::sortAscending() const { return d->sortAscending; }

void CBaseHighPerformanceTable::setFilterText(const QString& text) {
  if (text == d->filter) return;
  d->filter = text;
  rebuildOrder(true);
  restoreCurrent();
  d->view->rowsChanged();
}

QString CBaseHighPerformanceTable::filterText() const { return d->filter; }

QString CBaseHighPerformanceTable::cellText(int viewRow, int id) const {
  HpfRowPtr row = viewRowData(viewRow);
  const SHpfColumn* column = d->column(id);
  if (!row || !column) return QString();
  QColor ignored;
  return d->cellText(*row, *column, column->extra ? row->key() : std::string(), &ignored);
}

size_t CBaseHighPerformanceTable::viewBytesPerRow() const {
  const size_t rows = std::max<size_t>(1, d->order.size());
  return (d->order.capacity() * sizeof(int) + rows - 1) / rows;
}

// --- geometry -----------------------------------------------------------------------

int CBaseHighPerformanceTable::rowHeight() const { return d->rowHeight; }

void CBaseHighPerformanceTable::setRowHeight(int height) {
  d->rowHeight = qBound(8, height, 200);
  d->view->rowsChanged();
}

QRect CBaseHighPerformanceTable::visualCellRect(int viewRow, int id) const {
  if (viewRow < 0 || viewRow >= viewRowCount()) return QRect();
  return d->view->cellRect(viewRow, d->logicalOf(id));
}

QWidget* CBaseHighPerformanceTable::viewport() const { return d->view->viewport(); }

void CBaseHighPerformanceTable::scrollToViewRow(int viewRow) { d->view->scrollToRow(viewRow); }

QMenu* CBaseHighPerformanceTable::createContextMenu(int, int, QWidget*) { return nullptr; }

void CBaseHighPerformanceTable::onRowClicked(int viewRow, int columnId, int kind) {
  HpfRowPtr row = viewRowData(viewRow);
  if (!row) return;
  SHpfClickData data{columnId, viewRow};
  handleEvent(HPF_EVENT_ROW_CLICKED, kind, modelRowOfViewRow(viewRow), row->qsKey(), &data);
}

void CBaseHighPerformanceTable::copyToClipboard(int, int) {}

}  // namespace GU
