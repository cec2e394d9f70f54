#include "quicksearch/quicksearchmodel.h"

namespace LW {

CQuickSearchModel::CQuickSearchModel(QObject* parent) : QAbstractTableModel(parent) {}

void CQuickSearchModel::setMatches(std::vector<CQuickSearchMatch> matches) {
  beginResetModel();
  m_matches = std::move(matches);
  endResetModel();
}

const CQuickSearchMatch* CQuickSearchModel::matchAt(int row) const {
  if (row < 0 || row >= static_cast<int>(m_matches.size())) return nullptr;
  return &m_matches[static_cast<std::size_t>(row)];
}

int CQuickSearchModel::rowOf(const QString& key, int tradeType) const {
  for (std::size_t i = 0; i < m_matches.size(); ++i)
    if (m_matches[i].tradeType == tradeType && m_matches[i].key == key) return static_cast<int>(i);
  return -1;
}

int CQuickSearchModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_matches.size());
}

int CQuickSearchModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : COLUMN_COUNT;
}

QVariant CQuickSearchModel::data(const QModelIndex& index, int role) const {
  const CQuickSearchMatch* row = index.isValid() ? matchAt(index.row()) : nullptr;
  if (!row) return QVariant();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      switch (index.column()) {
        case CODE_COLUMN:
          return row->code;
        case NAME_COLUMN:
          return row->name;
        case MARKET_COLUMN:
          return row->marketName;
        case LIST_COLUMN:
          return row->listTitle;
        default:
          return QVariant();
      }
    case KeyRole:
      return row->key;
    case TradeTypeRole:
      return row->tradeType;
    default:
      return QVariant();
  }
}

QVariant CQuickSearchModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QVariant();
  switch (section) {
    case CODE_COLUMN:
      return tr("代码");
    case NAME_COLUMN:
      return tr("名称");
    case MARKET_COLUMN:
      return tr("市场");
    case LIST_COLUMN:
      return tr("列表");
    default:
      return QVariant();
  }
}

void CQuickSearchModel::retranslate() {
  emit headerDataChanged(Qt::Horizontal, 0, COLUMN_COUNT - 1);
}

}  // namespace LW
