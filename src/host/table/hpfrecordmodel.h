#pragma once
// The model a CHpfDataTable makes for itself when its table type has a record
// layout: columns from the layout, rows of CHpfRecordRow.
//
// Threads: as GU::IBaseHpfTableModel; the layout is immutable.

#include "lwhost_table_export.h"

#include "host/table/hpfdatamodel.h"
#include "host/table/hpfrecordcolumns.h"

namespace LW {

class LWHOST_TABLE_EXPORT CHpfRecordModel : public CHpfDataModel {
public:
  CHpfRecordModel(int tableType, const HpfRecordLayoutPtr& layout);
  ~CHpfRecordModel() override;

  int columnCount() const override;
  QString columnTitle(int column) const override;
  int columnValueKind(int column) const override;

  const HpfRecordLayoutPtr& layout() const { return m_layout; }

private:
  HpfRecordLayoutPtr m_layout;  // shared with the registry and the rows
};

}  // namespace LW
