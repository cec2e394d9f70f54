#pragma once
// One cell of a high-performance table, or one column header (row -1), as
// CHpfAccessibleTable hands it out: an address read afresh on every call (see
// hpfaccessibletable.h). Owned by QAccessible's registry; the table interface
// deletes it.
//
// GUI thread only.

#include "lwhost_table_export.h"

#include <QAccessibleInterface>
#include <QPointer>
#include <QVector>
#include <string>

namespace GU {

class CBaseHighPerformanceTable;
class CBaseTableColumnMultiButtonsDelegate;
class CHpfAccessibleTable;
class CHpfTableView;

class LWHOST_TABLE_EXPORT CHpfAccessibleCell : public QAccessibleInterface,
                                               public QAccessibleTableCellInterface {
public:
  // row -1: the header of column columnId.
  CHpfAccessibleCell(CHpfTableView* view, int row, int columnId);

  int row() const { return m_row; }
  int columnId() const { return m_columnId; }
  bool isHeader() const { return m_row < 0; }

  // QAccessibleInterface
  bool isValid() const override;
  QObject* object() const override;
  QWindow* window() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int index) const override;
  int childCount() const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QString text(QAccessible::Text type) const override;
  void setText(QAccessible::Text type, const QString& text) override;
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;

  // QAccessibleTableCellInterface
  bool isSelected() const override;
  QList<QAccessibleInterface*> columnHeaderCells() const override;
  QList<QAccessibleInterface*> rowHeaderCells() const override;
  int columnIndex() const override;
  int rowIndex() const override;
  int columnExtent() const override;
  int rowExtent() const override;
  QAccessibleInterface* table() const override;

private:
  CBaseHighPerformanceTable* hpfTable() const;
  CHpfAccessibleTable* tableInterface() const;
  // The button delegate of the column and the row's key; null when the
  // column paints no buttons.
  CBaseTableColumnMultiButtonsDelegate* buttons(std::string* rowKey) const;
  // The ids of the buttons shown in this cell, in paint order.
  QVector<int> shownButtonIds() const;

  QPointer<CHpfTableView> m_view;
  const int m_row;
  const int m_columnId;
};

}  // namespace GU
