#pragma once
// The rows of the quick search popup's list: one match per row, in the
// order the engine ranked them, four columns (code, name, market, list).
// The key and the trading type of a row are there for the popup and tests
// under KeyRole and TradeTypeRole.
//
// Threads: GUI thread only (a Qt item model). Owned by the popup (Qt child).

#include "quicksearch/quicksearchmatch.h"

#include <QAbstractTableModel>
#include <vector>

namespace LW {

class CQuickSearchModel : public QAbstractTableModel {
  Q_OBJECT
public:
  enum EColumn { CODE_COLUMN, NAME_COLUMN, MARKET_COLUMN, LIST_COLUMN, COLUMN_COUNT };
  enum ERole { KeyRole = Qt::UserRole + 1, TradeTypeRole };

  explicit CQuickSearchModel(QObject* parent = nullptr);

  // Replaces every row (a model reset: the view drops its current index).
  void setMatches(std::vector<CQuickSearchMatch> matches);
  const std::vector<CQuickSearchMatch>& matches() const { return m_matches; }
  // Row row; null outside 0 .. rowCount() - 1.
  const CQuickSearchMatch* matchAt(int row) const;
  // The row of key with tradeType, else -1.
  int rowOf(const QString& key, int tradeType) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // The headers in the current language; call after a language switch.
  void retranslate();

private:
  std::vector<CQuickSearchMatch> m_matches;
};

}  // namespace LW
