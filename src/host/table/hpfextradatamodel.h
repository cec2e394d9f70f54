#pragma once
// Computed cells of a table, kept beside the rows: a value (and optionally a
// colour) per (row key, column id). Panels fill it for the columns they add
// with addColumn(); the table paints, sorts, filters and exports those cells
// from here. Cells stay until removed or cleared, so a reload that sets them
// again simply overwrites them.
//
// Threads: every operation may be called from any thread; the cells are
// guarded by m_mutex.

#include "lwhost_table_export.h"

#include "host/core/annotatedmutex.h"

#include <QColor>
#include <QString>
#include <QVariant>
#include <string>
#include <unordered_map>
#include <vector>

namespace GU {

class LWHOST_TABLE_EXPORT CHpfExtraDataModel {
public:
  CHpfExtraDataModel();
  ~CHpfExtraDataModel();

  // Stores (or overwrites) a cell. colour may be null (default text colour);
  // it is copied, the caller keeps the pointee.
  void addData(const std::string& rowKey, int columnId, const QVariant& value,
               const QColor* colour);
  // True when the cell exists; fills value and colour (invalid QColor for
  // none) when they are not null.
  bool getData(const std::string& rowKey, int columnId, QVariant* value,
               QColor* colour = nullptr) const;
  // The cell's value, an invalid QVariant for none.
  QVariant value(const std::string& rowKey, int columnId) const;
  // The painted text: strings as they are, integers in decimal, decimals with
  // up to six significant decimals, NaN and infinities as "非法值", nothing as
  // the empty text.
  QString displayText(const std::string& rowKey, int columnId) const;
  static QString toDisplayText(const QVariant& value);

  void removeData(const std::string& rowKey, int columnId);
  void removeRow(const std::string& rowKey);
  void removeColumn(int columnId);
  void clear();
  int cellCount() const;

private:
  struct Cell {
    int column;
    QVariant value;
    QColor colour;
  };
  mutable utils::CMutex m_mutex;
  // A row has few computed cells, so a small vector beats a nested map.
  std::unordered_map<std::string, std::vector<Cell>> m_rows LW_GUARDED_BY(m_mutex);
  int m_cellCount LW_GUARDED_BY(m_mutex) = 0;
};

}  // namespace GU
