#include "host/table/hpfextradatamodel.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace GU {

CHpfExtraDataModel::CHpfExtraDataModel() = default;

CHpfExtraDataModel::~CHpfExtraDataModel() = default;

void CHpfExtraDataModel::addData(const std::string& rowKey, int columnId, const QVariant& value,
                                 const QColor* colour) {
  const QColor copied = colour ? *colour : QColor();
  std::lock_guard<std::mutex> lock(m_mutex);
  std::vector<Cell>& cells = m_rows[rowKey];
  for (Cell& cell : cells) {
    if (cell.column == columnId) {
      cell.value = value;
      cell.colour = copied;
      return;
    }
  }
  cells.push_back(Cell{columnId, value, copied});
  ++m_cellCount;
}

bool CHpfExtraDataModel::getData(const std::string& rowKey, int columnId, QVariant* value,
                                 QColor* colour) const {
  std::lock_guard<std::mutex> lock(m_mutex);
  auto it = m_rows.find(rowKey);
  if (it == m_rows.end()) return false;
  for (const Cell& cell : it->second) {
    if (cell.column != columnId) continue;
    if (value) *value = cell.value;
    if (colour) *colour = cell.colour;
    return true;
  }
  return false;
}

QVariant CHpfExtraDataModel::value(const std::string& rowKey, int columnId) const {
  QVariant result;
  getData(rowKey, columnId, &result, nullptr);
  return result;
}

QString CHpfExtraDataModel::displayText(const std::string& rowKey, int columnId) const {
  return toDisplayText(value(rowKey, columnId));
}

QString CHpfExtraDataModel::toDisplayText(const QVariant& value) {
  if (!value.isValid() || value.isNull()) return QString();
  switch (static_cast<QMetaType::Type>(value.type())) {
    case QMetaType::Double:
    case QMetaType::Float: {
      const double number = value.toDouble();
      if (!std::isfinite(number))
        return QCoreApplication::translate("GU::CBaseHighPerformanceTable", "非法值");
      // Six decimals cover prices and rates; trailing zeros only add noise.
      QString text = QString::number(number, 'f', 6);
      while (text.endsWith(QLatin1Char('0'))) text.chop(1);
      if (text.endsWith(QLatin1Char('.'))) text.chop(1);
      return text == QLatin1String("-0") ? QStringLiteral("0") : text;
    }
    default:
      return value.toString();
  }
}

void CHpfExtraDataModel::removeData(const std::string& rowKey, int columnId) {
  std::lock_guard<std::mutex> lock(m_mutex);
  auto it = m_rows.find(rowKey);
  if (it == m_rows.end()) return;
  std::vector<Cell>& cells = it->second;
  const auto end = std::remove_if(cells.begin(), cells.end(),
                                  [columnId](const Cell& cell) { return cell.column == columnId; });
  m_cellCount -= static_cast<int>(cells.end() - end);
  cells.erase(end, cells.end());
  if (cells.empty()) m_rows.erase(it);
}

void CHpfExtraDataModel::removeRow(const std::string& rowKey) {
  std::lock_guard<std::mutex> lock(m_mutex);
  auto it = m_rows.find(rowKey);
  if (it == m_rows.end()) return;
  m_cellCount -= static_cast<int>(it->second.size());
  m_rows.erase(it);
}

void CHpfExtraDataModel::removeColumn(int columnId) {
  std::lock_guard<std::mutex> lock(m_mutex);
  for (auto it = m_rows.begin(); it != m_rows.end();) {
    std::vector<Cell>& cells = it->second;
    const auto end = std::remove_if(cells.begin(), cells.end(), [columnId](const Cell& cell) {
      return cell.column == columnId;
    });
    m_cellCount -= static_cast<int>(cells.end() - end);
    cells.erase(end, cells.end());
    it = cells.empty() ? m_rows.erase(it) : std::next(it);
  }
}

void CHpfExtraDataModel::clear() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_rows.clear();
  m_cellCount = 0;
}

int CHpfExtraDataModel::cellCount() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_cellCount;
}

}  // namespace GU
