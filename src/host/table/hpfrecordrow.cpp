#include "host/table/hpfrecordrow.h"

#include "host/core/tradertypes.h"
#include "host/text/numberformat.h"

#include <cmath>

namespace LW {

CHpfRecordRow::CHpfRecordRow(const boost::shared_ptr<mxservice::IData>& record,
                             const HpfRecordLayoutPtr& layout)
    : m_record(record), m_layout(layout), m_key(record ? record->getKey() : std::string()) {}

CHpfRecordRow::~CHpfRecordRow() = default;

QVariant CHpfRecordRow::cell(int column) const {
  if (!m_record || !m_layout || column < 0 || column >= static_cast<int>(m_layout->size()))
    return QVariant();
  const SHpfRecordColumn& layout = (*m_layout)[static_cast<size_t>(column)];
  return layout.value ? layout.value(*m_record) : QVariant();
}

QString CHpfRecordRow::getDisplayQString(int column) {
  const QVariant value = cell(column);
  if (!value.isValid()) {
    // Numbers without a value show a dash, empty texts stay empty.
    const bool numeric = m_layout && column >= 0 && column < static_cast<int>(m_layout->size()) &&
                         (*m_layout)[static_cast<size_t>(column)].kind != 10;
    return numeric ? QStringLiteral("-") : QString();
  }
  if (value.type() == QVariant::Double) {
    const double number = value.toDouble();
    if (!std::isfinite(number)) return GU::invalidNumberText();
    const int decimals = qBound(0, (*m_layout)[static_cast<size_t>(column)].decimals, 10);
    return QString::number(number, 'f', decimals);
  }
  return value.toString();
}

QString CHpfRecordRow::getQString(int column) { return cell(column).toString(); }

int CHpfRecordRow::getInt(int column) {
  bool ok = false;
  const int value = cell(column).toInt(&ok);
  return ok ? value : mxservice::kNoValueInt;
}

double CHpfRecordRow::getDouble(int column) {
  bool ok = false;
  const double value = cell(column).toDouble(&ok);
  return ok ? value : mxservice::kNoValueDouble;
}

long long CHpfRecordRow::getInt64(int column) {
  bool ok = false;
  const long long value = cell(column).toLongLong(&ok);
  return ok ? value : mxservice::kNoValueInt64;
}

std::string CHpfRecordRow::key() { return m_key; }

int CHpfRecordRow::getIndexFromName(const QString& name) {
  if (!m_layout) return -1;
  for (size_t i = 0; i < m_layout->size(); ++i) {
    if ((*m_layout)[i].title == name) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace LW
