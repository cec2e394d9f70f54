#pragma once
// The column catalogue of an instruments table: which columns a trading type
// shows, their titles, which are numeric (drawn bold), which carries the tag
// icon, which is the favourites toggle and how each column sorts.
//
// A column is a small integer counted from 0 within one trading type; the same
// id means different things under different trading types, so the rows and
// the cell rules always switch on the pair (column set, column id).
//
// Everything here is read from the column table (columntable.h): a pure
// function of the trading type (and, for the foreign-futures set, the
// broker-edition flag), so it can be called from any thread and tested
// without the host services.

#include "host/core/tradertypes.h"
#include "model/columntable.h"

#include <QMap>
#include <QSet>
#include <QString>

namespace LW {

// 2, 6 or 10 for (trading type, column id); 10 for every id not listed,
// including ids past the last column and every id of a type without columns.
int columnValueKind(mxservice::ENqTraderType tradeType, int column);

// The column in which a row shows its tag icon and tooltip, or -1. Only the
// four lists whose users look for board and layer tags show them (1, 4, 8 and
// 256); the types that merely share their column set (0x100000, 4096, ...)
// keep the icon column in the catalogue but their rows carry no icon there.
int tagIconColumn(mxservice::ENqTraderType tradeType);

class CColumnCatalogue {
public:
  // brokerEdition only matters to the foreign-futures set (64, 2048): the
  // broker edition has no pricing-unit column.
  static CColumnCatalogue build(mxservice::ENqTraderType tradeType, bool brokerEdition);

  int columnCount() const { return columnTitles.size(); }

  // A title of columnTitles as the user reads it: in the installed language,
  // looked up at each call so that a language switch reaches it.
  static QString displayTitle(const QString& title);

  // ids 0 .. count-1 without gaps. The source texts: the catalogue's titles
  // identify columns (the favourites column is found by its title), so they
  // never depend on the language.
  QMap<int, QString> columnTitles;
  QSet<int> numericColumns;
  QSet<int> iconColumns;    // at most one id
  int favoriteColumn = -1;  // the "添加自选" column, -1 when none
  // The edition the catalogue was built for; the rows of its table answer
  // the same edition's columns (see CInstrumentData).
  bool brokerEdition = false;
};

}  // namespace LW
