#pragma once
// The trade-panel layer's data table: a standard table that either shows an
// attached model (setDataModel) or, for table types with a registered record
// layout (16371: bond trading records), plain host records given to
// updateDatas(), laid out by the record column registry.
//
// GUI thread only; getExtraDataModel() and the model itself may be used from
// any thread.

#include "lwhost_table_export.h"

#include "host/core/tradertypes.h"
#include "host/data/idata.h"
#include "host/table/standardhpftable.h"

#include <vector>

namespace LW {

class LWHOST_TABLE_EXPORT CHpfDataTable : public GU::CStandardHpfTable {
public:
  // id: the table's id; tableType: 550 instruments, 16371 bond trading
  // records, ...; menuFlags: context-menu entries. For a table type with a
  // record layout the table creates its own record model.
  CHpfDataTable(int id, int tableType, QWidget* parent, GU::BaseTableMenuFlags menuFlags);
  ~CHpfDataTable() override;

  // Attaches model (shared ownership; m_model keeps it) and shows its rows.
  virtual void setDataModel(const boost::shared_ptr<GU::IBaseHpfTableModel>& model);
  boost::shared_ptr<GU::IBaseHpfTableModel> getDataModel() const;

  // The trading type of the panel; told to the model and written into layouts.
  void setTradeType(mxservice::ENqTraderType tradeType);
  mxservice::ENqTraderType tradeType() const;

  // Shows host records: each becomes a row whose cells are the record's fields
  // by the registered layout of this table type, plus the extra-data cells of
  // the added columns. append false replaces the rows, true adds (a held key
  // is replaced in place). Null records are skipped. Then updateTable().
  // Without a record layout for this table type nothing is shown (logged).
  void updateDatas(const std::vector<boost::shared_ptr<mxservice::IData>>& records, bool append);

protected:
  // Shared with setDataModel()'s caller; subclasses may set it before calling
  // setDataModel() with the same model.
  boost::shared_ptr<GU::IBaseHpfTableModel> m_model;

private:
  mxservice::ENqTraderType m_tradeType;
};

}  // namespace LW
