#pragma once
// The interface every framework table offers its panel: layout persistence,
// redraw and the column list. It is the nearest base of the table classes with
// a meta-object, so panels' table subclasses defer their qt_metacast to it.
//
// GUI thread only.

#include "lwhost_table_export.h"

#include "host/ui/basewidget.h"

#include <QString>

namespace GU {

class LWHOST_TABLE_EXPORT IBaseTable : public CBaseWidget {
  Q_OBJECT
public:
  explicit IBaseTable(QWidget* parent = nullptr);
  ~IBaseTable() override;

  // The table's layout (column order, widths, hidden columns, sort) as text.
  virtual QString saveConfigStr() const = 0;
  // Applies a text of saveConfigStr(); a text that is not a complete layout of
  // this table is ignored (false) and the current layout kept.
  virtual bool loadConfigStr(const QString& config) = 0;
  // Shows the model's current rows and repaints.
  virtual void updateTable() = 0;
  // Columns in display order, hidden ones included.
  virtual int columnCount() const = 0;
  // The id of the column at display index; -1 for a bad index.
  virtual int columnID(int index) const = 0;
};

}  // namespace GU
