#include "host/table/hpfrecordmodel.h"
#include <QCoreApplication>

namespace LW {

CHpfRecordModel::CHpfRecordModel(int tableType, const HpfRecordLayoutPtr& layout)
    : CHpfDataModel(tableType, mxservice::NQ_TRADER_NONE), m_layout(layout) {}

CHpfRecordModel::~CHpfRecordModel() = default;

int CHpfRecordModel::columnCount() const {
  return m_layout ? static_cast<int>(m_layout->size()) : 0;
}

QString CHpfRecordModel::columnTitle(int column) const {
  if (column < 0 || column >= columnCount()) return QString();
  // Layouts keep the source titles; the user reads them in the installed
  // language.
  return QCoreApplication::translate(
      "LW::CHpfRecordModel", (*m_layout)[static_cast<size_t>(column)].title.toUtf8().constData());
}

int CHpfRecordModel::columnValueKind(int column) const {
  if (column < 0 || column >= columnCount()) return GU::HPF_KIND_TEXT;
  return (*m_layout)[static_cast<size_t>(column)].kind;
}

}  // namespace LW
