#include "host/table/hpfdatatable.h"

#include "host/table/hpfrecordmodel.h"
#include "host/table/hpfrecordrow.h"
#include "host/table/hpftablelog_p.h"

#include <boost/make_shared.hpp>

namespace LW {

CHpfDataTable::CHpfDataTable(int id, int tableType, QWidget* parent,
                             GU::BaseTableMenuFlags menuFlags)
    : GU::CStandardHpfTable(id, tableType, parent, menuFlags),
      m_tradeType(mxservice::NQ_TRADER_NONE) {
  if (HpfRecordLayoutPtr layout = CHpfRecordColumns::columnsOf(tableType))
    setDataModel(boost::make_shared<CHpfRecordModel>(tableType, layout));
}

CHpfDataTable::~CHpfDataTable() = default;

void CHpfDataTable::setDataModel(const boost::shared_ptr<GU::IBaseHpfTableModel>& model) {
  m_model = model;
  setModel(model);
}

boost::shared_ptr<GU::IBaseHpfTableModel> CHpfDataTable::getDataModel() const { return m_model; }

void CHpfDataTable::setTradeType(mxservice::ENqTraderType tradeType) {
  m_tradeType = tradeType;
  // Tables of one type show different columns per trading type; their layouts
  // must not be mixed up.
  setLayoutScope(QStringLiteral("%1.%2").arg(tableType()).arg(static_cast<int>(tradeType)));
}

mxservice::ENqTraderType CHpfDataTable::tradeType() const { return m_tradeType; }

void CHpfDataTable::updateDatas(const std::vector<boost::shared_ptr<mxservice::IData>>& records,
                                bool append) {
  HpfRecordLayoutPtr layout = CHpfRecordColumns::columnsOf(tableType());
  if (!layout) {
    HPF_LOG_WARN(this, QStringLiteral("table type %1 has no record layout").arg(tableType()));
    return;
  }
  if (!m_model) {
    HPF_LOG_WARN(this, "no model to show the records in");
    return;
  }
  // One batch: a table never shows the list half replaced.
  m_model->beginBatch();
  if (!append) m_model->clear();
  for (const boost::shared_ptr<mxservice::IData>& record : records) {
    if (!record) continue;
    m_model->addData(boost::make_shared<CHpfRecordRow>(record, layout));
  }
  m_model->endBatch();
  updateTable();
}

}  // namespace LW
