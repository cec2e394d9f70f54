#pragma once
// What a screen reader or a UI-automation tool sees of a high-performance
// table: the view (CHpfTableView) as a QAccessible table. Its children are
// the column headers (the shown columns in display order), then the cells
// row by row; child index = column for a header, and columnCount() * (row + 1)
// + column for a cell. A cell's name is the text the table paints there (in
// full, where the painted text is elided); a cell of a button column
// (CBaseTableColumnMultiButtonsDelegate) is named by its shown buttons'
// texts and has them as children, each a push button whose press action
// clicks it as the mouse would. Selection is the table's current row.
//
// Cells and buttons are made when asked for and kept (registered with
// QAccessible, owned by this interface) until the rows or columns change
// while an accessibility client is active, or until the view goes. A cell
// is an address (view row, column id) read afresh on every call, so one kept
// over a reload shows the row now at that place, or is invalid when there is
// none; a button is tied to its row's key, column and button id.
//
// GUI thread only, like the view.

#include "lwhost_table_export.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QVector>
#include <string>

namespace GU {

class CBaseHighPerformanceTable;
class CHpfTableView;

class LWHOST_TABLE_EXPORT CHpfAccessibleTable : public QAccessibleWidget,
                                                public QAccessibleTableInterface {
public:
  explicit CHpfAccessibleTable(CHpfTableView* view);
  ~CHpfAccessibleTable() override;

  // Installs the QAccessible factory that gives every CHpfTableView this
  // interface. Idempotent; the view's constructor calls it.
  static void installFactory();
  // Tells active accessibility clients that the view's rows or columns
  // changed (cached cells are dropped). Cheap when none is active.
  static void notifyReset(CHpfTableView* view);
  // Tells them that row became the current (selected) row: a selection
  // event for its first cell, and a focus event when the view has focus, so
  // a screen reader follows the arrow keys. Nothing for row -1.
  static void notifyCurrentRow(CHpfTableView* view, int row);

  CHpfTableView* view() const;
  CBaseHighPerformanceTable* table() const;
  // The column ids shown, in display order (hidden columns left out).
  QVector<int> shownColumns() const;
  // The interfaces of a header (row -1) or cell, and of one button of a
  // cell; null for an address outside the table.
  QAccessibleInterface* cellInterface(int row, int columnId) const;
  QAccessibleInterface* buttonInterface(const std::string& rowKey, int columnId,
                                        int buttonId) const;

  // QAccessibleInterface
  void* interface_cast(QAccessible::InterfaceType type) override;
  QString text(QAccessible::Text type) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;

  // QAccessibleTableInterface
  QAccessibleInterface* caption() const override;
  QAccessibleInterface* summary() const override;
  QAccessibleInterface* cellAt(int row, int column) const override;
  int selectedCellCount() const override;
  QList<QAccessibleInterface*> selectedCells() const override;
  QString columnDescription(int column) const override;
  QString rowDescription(int row) const override;
  int selectedColumnCount() const override;
  int selectedRowCount() const override;
  int columnCount() const override;
  int rowCount() const override;
  QList<int> selectedColumns() const override;
  QList<int> selectedRows() const override;
  bool isColumnSelected(int column) const override;
  bool isRowSelected(int row) const override;
  bool selectRow(int row) override;
  bool selectColumn(int column) override;
  bool unselectRow(int row) override;
  bool unselectColumn(int column) override;
  void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
  void dropChildren();
  // Registers iface under cacheKey (QAccessible owns it; we delete it).
  QAccessibleInterface* remember(const QString& cacheKey, QAccessibleInterface* iface) const;

  mutable QHash<QString, QAccessible::Id> m_children;
};

}  // namespace GU
