#pragma once
// The engine of the high-performance table: a virtualised view over a
// GU::IBaseHpfTableModel that paints only the visible rows (fixed row height),
// sorts and filters through a permutation of row indices (4 bytes per row; the
// rows themselves stay in the model's snapshot), and keeps a column layout of
// its own (order, widths, hidden columns) on top of the model's columns.
//
// Columns. The model's columns (ids 0 .. columnCount()-1 of the model, in
// initColumns() order) plus columns added with addColumn() (ids from
// firstExtraColumnId(), cells from the extra-data model). removeColumn() takes
// a column out of the table (the model keeps its data); a hidden column stays
// in columnCount() and can be shown again.
//
// Rows. updateTable() takes the model's committed rows (publishRows()), applies
// the filter and the sort and repaints. Between two updateTable() the view
// keeps its snapshot: workers may clear and refill the model meanwhile. If
// updateTable() comes while the model is inside a batch (a worker job still
// building), the view shows the last complete rows and takes the new ones by
// itself as soon as the batch commits.
//
// Events. A click on a row calls this table's own handleEvent(43, kind,
// model row, row key, SHpfClickData*) (see hpftypes.h); subclasses override
// handleEvent() and pass what they do not consume to their base, which
// delivers it to the parents. Delegate buttons send 228 the same way.
//
// GUI thread only, except where a member says otherwise.

#include "lwhost_table_export.h"

#include "host/table/columnproperty.h"
#include "host/table/hpfextradatamodel.h"
#include "host/table/ibasehpftablemodel.h"
#include "host/table/ibasetable.h"

#include <QVector>
#include <boost/shared_ptr.hpp>
#include <memory>

class QMenu;

namespace GU {

class CHpfTableView;
struct SHpfColumn;
struct SHpfLayout;

class LWHOST_TABLE_EXPORT CBaseHighPerformanceTable : public IBaseTable {
public:
  // id and tableType identify the table (layouts of another type are refused);
  // menuFlags: the context-menu entries offered (see CStandardHpfTable).
  CBaseHighPerformanceTable(int id, int tableType, QWidget* parent, BaseTableMenuFlags menuFlags);
  ~CBaseHighPerformanceTable() override;

  int tableId() const;
  int tableType() const;
  BaseTableMenuFlags menuFlags() const;

  // --- model ----------------------------------------------------------------
  // Attaches model (shared with the caller), rebuilds the columns from it,
  // hands it the table's delegates and shows its rows. Null detaches.
  virtual void setModel(const boost::shared_ptr<IBaseHpfTableModel>& model);
  boost::shared_ptr<IBaseHpfTableModel> hpfModel() const;
  // Cells of the added columns; owned by the table, valid for its lifetime;
  // any thread.
  CHpfExtraDataModel* getExtraDataModel() const;

  // --- columns --------------------------------------------------------------
  int columnCount() const override;
  int columnID(int index) const override;
  // Display index of a column, -1 when the table has no such column.
  int columnIndex(int id) const;
  bool hasColumn(int id) const;
  QString columnTitle(int id) const;
  int columnValueKind(int id) const;
  // Adds a computed column at the end; returns its id (-1 when the table has
  // no room left). hidden: starts hidden; sortable: header clicks sort it;
  // titleTip: the header tooltip.
  int addColumn(const CColumnProperty& property, bool hidden, bool sortable,
                const QString& titleTip);
  // False for an unknown id.
  virtual bool removeColumn(int id);
  // Moves column id to display index position (clamped). False for unknown id.
  bool moveColumn(int id, int position);
  void setColumnBoldFont(int id, bool bold);
  bool isColumnBoldFont(int id) const;
  void setColumnShowIcon(int id, bool show);
  bool isColumnShowIcon(int id) const;
  void setColumnFilterable(int id, bool filterable);
  bool isColumnFilterable(int id) const;
  void setColumnHidden(int id, bool hidden);
  bool isColumnHidden(int id) const;
  void setColumnWidth(int id, int width);
  int columnWidth(int id) const;
  // A leading column of row numbers (1-based, in view order).
  void setAppendSeq(bool append);
  bool appendSeq() const;
  static int firstExtraColumnId();

  // --- delegates --------------------------------------------------------------
  // The delegate of column id, shared with the model (which a worker may ask
  // for it). Null removes. The raw-pointer overload takes ownership.
  virtual void setColumnDelegate(int id, const HpfDelegatePtr& delegate);
  void setColumnDelegate(int id, CBaseTableColumnDelegate* delegate);
  HpfDelegatePtr columnDelegate(int id) const;

  // --- flags ----------------------------------------------------------------
  int flag() const;  // EBaseTableFlag bits
  virtual void setFlag(int flags);

  // --- rows -----------------------------------------------------------------
  void updateTable() override;
  // Rows shown (after the filter).
  int viewRowCount() const;
  // The row shown at view position viewRow, null for a bad position.
  HpfRowPtr viewRowData(int viewRow) const;
  // Model position (index into the published rows) of a view row, -1 if bad.
  int modelRowOfViewRow(int viewRow) const;
  int currentViewRow() const;  // -1 for none
  void setCurrentViewRow(int viewRow);
  // Sorts by column id (stable; -1 restores model order).
  void sortByColumn(int id, bool ascending);
  int sortColumn() const;
  bool sortAscending() const;
  // Keeps rows whose filterable columns contain text (case-insensitive);
  // empty shows every row.
  void setFilterText(const QString& text);
  QString filterText() const;
  // The cell text as painted (display text, unit, extra cells).
  QString cellText(int viewRow, int id) const;
  // Bytes the view keeps per shown row (its index vectors), for the budget.
  size_t viewBytesPerRow() const;

  // --- layout ---------------------------------------------------------------
  QString saveConfigStr() const override;
  bool loadConfigStr(const QString& config) override;
  void resetLayout();

  // --- geometry (tests, tooltips) --------------------------------------------
  int rowHeight() const;
  void setRowHeight(int height);
  // A cell's rectangle in viewport coordinates (empty when hidden).
  QRect visualCellRect(int viewRow, int id) const;
  QWidget* viewport() const;
  // Scrolls so that viewRow is visible.
  void scrollToViewRow(int viewRow);

  // The context menu at a cell (viewRow/id may be -1); null for no menu. The
  // caller owns the menu. The base offers none.
  virtual QMenu* createContextMenu(int viewRow, int id, QWidget* parent);

protected:
  // The view reports clicks here; the default sends event 43 to handleEvent().
  virtual void onRowClicked(int viewRow, int columnId, int kind);
  // Ctrl+C on the view; the base does nothing.
  virtual void copyToClipboard(int viewRow, int id);
  // The table kind a layout belongs to (default: the table type); layouts of
  // another scope are refused by loadConfigStr(). Keep to [A-Za-z0-9._-].
  void setLayoutScope(const QString& scope);
  QString layoutScope() const;
  // On a language switch the model's columns take their titles from the
  // model again (columns added with addColumn() keep the titles given).
  void changeEvent(QEvent* e) override;

private:
  friend class CHpfTableView;
  struct Private;

  int defaultWidthOf(const SHpfColumn& column) const;
  void rebuildColumns();
  // Filter, then sort: the view order from the shown snapshot. With
  // cacheTexts the filter keeps the folded texts of the filterable columns
  // for the next filter text over the same snapshot (see CHpfFilterCache);
  // without, it uses them only when they are already kept.
  void rebuildOrder(bool cacheTexts = false);
  void sortOrder();
  // Finds the current row again (same row, else same key) after a re-order.
  void restoreCurrent();
  SHpfLayout currentLayout() const;
  void applyLayout(const SHpfLayout& layout);

  std::unique_ptr<Private> d;
};

}  // namespace GU
