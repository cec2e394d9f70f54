#include "host/table/hpfdatamodel.h"

namespace LW {

CHpfDataModel::CHpfDataModel(int tableType, mxservice::ENqTraderType tradeType)
    : m_tradeType(static_cast<int>(tradeType)) {
  // The table type is known before any table is attached so that a model built
  // for the instruments table (550) reports it from the start.
  GU::IBaseHpfTableModel::setInfo(0, tableType);
}

CHpfDataModel::~CHpfDataModel() = default;

mxservice::ENqTraderType CHpfDataModel::tradeType() const {
  return static_cast<mxservice::ENqTraderType>(m_tradeType.load());
}

void CHpfDataModel::setTradeType(mxservice::ENqTraderType tradeType) {
  m_tradeType.store(static_cast<int>(tradeType));
}

}  // namespace LW
