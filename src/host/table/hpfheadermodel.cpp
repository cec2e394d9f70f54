#include "host/table/hpfheadermodel.h"

#include "host/table/basehighperformancetable_p.h"

namespace GU {

CHpfHeaderModel::CHpfHeaderModel(const std::vector<SHpfColumn>* columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(columns) {}

CHpfHeaderModel::~CHpfHeaderModel() = default;

int CHpfHeaderModel::rowCount(const QModelIndex&) const { return 0; }

int CHpfHeaderModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_columns->size());
}

QVariant CHpfHeaderModel::data(const QModelIndex&, int) const { return QVariant(); }

QVariant CHpfHeaderModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 ||
      section >= static_cast<int>(m_columns->size()))
    return QVariant();
  const SHpfColumn& column = (*m_columns)[static_cast<size_t>(section)];
  switch (role) {
    case Qt::DisplayRole:
      return column.title;
    case Qt::ToolTipRole:
      return column.tip.isEmpty() ? QVariant() : QVariant(column.tip);
    case Qt::InitialSortOrderRole:
      return static_cast<int>(Qt::AscendingOrder);
    default:
      return QVariant();
  }
}

void CHpfHeaderModel::titlesChanged() {
  if (!m_columns->empty())
    emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(m_columns->size()) - 1);
}

}  // namespace GU
