#include "model/columncatalogue.h"

#include <QCoreApplication>

namespace LW {

using mxservice::ENqTraderType;

int columnValueKind(ENqTraderType tradeType, int column) {
  // Both editions sort every id alike: the pricing-unit column the broker
  // edition leaves out and the favourites column that takes its id are text.
  const CColumnDesc* desc = columnDesc(tradeType, false, column);
  return desc ? static_cast<int>(desc->kind) : static_cast<int>(COLUMN_KIND_TEXT);
}

int tagIconColumn(ENqTraderType tradeType) {
  switch (static_cast<long long>(tradeType)) {
    case 0x1:
    case 0x4:
    case 0x8:
      return 2;
    case 0x100:
      return 1;
    default:
      return -1;
  }
}

QString CColumnCatalogue::displayTitle(const QString& title) {
  return QCoreApplication::translate("LW::CColumnCatalogue", title.toUtf8().constData());
}

CColumnCatalogue CColumnCatalogue::build(ENqTraderType tradeType, bool brokerEdition) {
  CColumnCatalogue catalogue;
  catalogue.brokerEdition = brokerEdition;
  const CColumnSetDesc& set = columnSetDesc(columnSetOf(tradeType));
  const int count = set.columnCount(brokerEdition);
  for (int id = 0; id < count; ++id) {
    const CColumnDesc& column = *set.column(id, brokerEdition);
    catalogue.columnTitles.insert(id, QString::fromUtf8(column.title));
    if (column.numeric) catalogue.numericColumns.insert(id);
    if (column.source == ECellSource::Favourite) catalogue.favoriteColumn = id;
  }
  if (set.iconColumn >= 0) catalogue.iconColumns.insert(set.iconColumn);
  return catalogue;
}

}  // namespace LW
