#include "host/table/ibasehpftabledata.h"

#include "host/core/tradertypes.h"

#include <functional>

namespace GU {

IBaseHpfTableData::~IBaseHpfTableData() = default;

QString IBaseHpfTableData::getDisplayQString(int column) { return getQString(column); }

QString IBaseHpfTableData::getQString(int) { return QString(); }

int IBaseHpfTableData::getInt(int) { return mxservice::kNoValueInt; }

double IBaseHpfTableData::getDouble(int) { return mxservice::kNoValueDouble; }

long long IBaseHpfTableData::getInt64(int) { return mxservice::kNoValueInt64; }

const QColor* IBaseHpfTableData::getTextColor(int) { return nullptr; }

QString IBaseHpfTableData::qsKey() {
  const std::string k = key();
  return QString::fromUtf8(k.data(), static_cast<int>(k.size()));
}

QString IBaseHpfTableData::getFilterQString(int column) { return getDisplayQString(column); }

QString IBaseHpfTableData::getRangeFilterQString(int column) { return getQString(column); }

QString IBaseHpfTableData::getDisplayUnit(int) { return QString(); }

int IBaseHpfTableData::getIndexFromName(const QString&) { return -1; }

const QPixmap* IBaseHpfTableData::getIcon(int) { return nullptr; }

QString IBaseHpfTableData::getIconTip(int) { return QString(); }

bool IBaseHpfTableData::isShowUnderTip(int) { return false; }

QString IBaseHpfTableData::getUnderTipText(int) { return QString(); }

int IBaseHpfTableData::alignFlag(int) { return 0; }

size_t IBaseHpfTableData::hashKey() { return std::hash<std::string>()(key()); }

bool IBaseHpfTableData::is32HexMode(int) { return false; }

bool IBaseHpfTableData::isIgnoreSummary() { return false; }

bool IBaseHpfTableData::isPrecFactorAtttibute() { return false; }

double IBaseHpfTableData::getPrecFactor() { return 1.0; }

bool IBaseHpfTableData::isPrecFactorColumn(int) { return false; }

bool IBaseHpfTableData::assign(const IBaseHpfTableData&) { return false; }

}  // namespace GU
