#pragma once
// The description of a column that a panel adds to a table on top of the
// model's own columns (computed cells kept in the table's extra-data model).

#include "lwhost_table_export.h"

#include "host/table/hpftypes.h"

#include <QString>

namespace GU {

struct LWHOST_TABLE_EXPORT CColumnProperty {
  CColumnProperty() = default;
  CColumnProperty(const QString& title, int valueType, int ordinal)
      : title(title), valueType(valueType), ordinal(ordinal) {}

  QString title;
  int valueType = HPF_KIND_TEXT;  // EHpfValueKind: how the column sorts
  // The column's place among the added columns of its table; the table gives
  // it the id firstExtraColumnId() + ordinal when that id is free.
  int ordinal = 0;
  int width = 0;      // pixels; 0 lets the table choose
  int alignment = 0;  // Qt::Alignment; 0: numbers right, text left
};

}  // namespace GU
