#pragma once
// The header's view of a table's columns: a model with no rows and one column
// per table column, so that a QHeaderView can draw, move, resize and click
// the sections. The 100,000 rows never pass through an item model; only the
// few dozen column titles do. Internal to the table library.
//
// GUI thread only.

#include "lwhost_table_export.h"

#include <QAbstractTableModel>
#include <vector>

namespace GU {

struct SHpfColumn;

class LWHOST_TABLE_EXPORT CHpfHeaderModel : public QAbstractTableModel {
  Q_OBJECT
public:
  // columns: the table's column list, owned by the table, which outlives us
  // and announces every change through the begin/end calls below.
  CHpfHeaderModel(const std::vector<SHpfColumn>* columns, QObject* parent);
  ~CHpfHeaderModel() override;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Wrappers that let the table announce changes of its column list.
  void beginInsert(int first, int last) { beginInsertColumns(QModelIndex(), first, last); }
  void endInsert() { endInsertColumns(); }
  void beginRemove(int first, int last) { beginRemoveColumns(QModelIndex(), first, last); }
  void endRemove() { endRemoveColumns(); }
  void beginReset() { beginResetModel(); }
  void endReset() { endResetModel(); }
  void titlesChanged();

private:
  const std::vector<SHpfColumn>* m_columns;  // not owned
};

}  // namespace GU
