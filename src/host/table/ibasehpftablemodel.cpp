#include "host/table/ibasehpftablemodel.h"

#include "host/core/tradertypes.h"
#include "host/table/hpfrowsorter.h"
#include "host/table/hpfrowstore.h"
#include "host/table/hpftablelog_p.h"
#include "host/table/ibasehpftabledata.h"

#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <boost/make_shared.hpp>
#include <cmath>
#include <numeric>

namespace GU {

namespace {

// A model row's text needs one QString per comparison; sorting 100,000 rows
// makes ~1.7 million of them, so the comparison avoids anything beyond that.
template <typename T>
int compareWithNoValue(T a, T b, T noValue) {
  const bool aNone = a == noValue;
  const bool bNone = b == noValue;
  if (aNone || bNone) return aNone == bNone ? 0 : (aNone ? -1 : 1);
  return a < b ? -1 : (b < a ? 1 : 0);
}

int compareDoubles(double a, double b, double tick) {
  const double noValue = mxservice::kNoValueDouble;
  // NaN has no order; it sorts with the values that have none, so a bad feed
  // value cannot break the strict weak ordering the sort relies on.
  const bool aNone = a == noValue || std::isnan(a);
  const bool bNone = b == noValue || std::isnan(b);
  if (aNone || bNone) return aNone == bNone ? 0 : (aNone ? -1 : 1);
  if (b - a > tick) return -1;
  if (a - b > tick) return 1;
  return 0;
}

}  // namespace

IBaseHpfTableModel::IBaseHpfTableModel() : m_store(new CHpfRowStore) {}

IBaseHpfTableModel::~IBaseHpfTableModel() = default;

int IBaseHpfTableModel::columnCount() const { return 0; }

QString IBaseHpfTableModel::columnTitle(int) const { return QString(); }

int IBaseHpfTableModel::columnValueKind(int) const { return HPF_KIND_TEXT; }

QString IBaseHpfTableModel::getTitleTip(int) const { return QString(); }

bool IBaseHpfTableModel::isCopyCellOnly() const { return false; }

const QColor* IBaseHpfTableModel::getRowBackgroundColor(int) const { return nullptr; }

int IBaseHpfTableModel::modelFlags() const { return 0; }

double IBaseHpfTableModel::getCompareTick(int) const { return 1e-9; }

bool IBaseHpfTableModel::onfilterColumn(int) const { return true; }

int IBaseHpfTableModel::compareValues(const HpfRowPtr& a, const HpfRowPtr& b, int column, int kind,
                                      double tick) {
  if (!a || !b) return (!a && !b) ? 0 : (!a ? -1 : 1);
  switch (kind) {
    case HPF_KIND_INT:
      return compareWithNoValue(a->getInt(column), b->getInt(column), mxservice::kNoValueInt);
    case HPF_KIND_INT64:
      return compareWithNoValue(a->getInt64(column), b->getInt64(column), mxservice::kNoValueInt64);
    case HPF_KIND_DOUBLE:
      return compareDoubles(a->getDouble(column), b->getDouble(column), tick);
    default: {
      const int c = a->getQString(column).compare(b->getQString(column), Qt::CaseSensitive);
      return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
  }
}

int IBaseHpfTableModel::compare(const HpfRowPtr& a, const HpfRowPtr& b, int column) const {
  return compareValues(a, b, column, columnValueKind(column), getCompareTick(column));
}

bool IBaseHpfTableModel::isReverseSortAfterInit() const { return false; }

bool IBaseHpfTableModel::removeDataByKey(const std::string& key) {
  const bool removed = m_store->remove(key);
  if (removed && !m_store->inBatch()) m_store->notifyCommitted();
  return removed;
}

HpfRowPtr IBaseHpfTableModel::getDataByKey(const QString& key) const {
  return getDataByKey(key.toStdString());
}

HpfRowPtr IBaseHpfTableModel::getDataByKey(const std::string& key) const {
  return m_store->byKey(key);
}

HpfRowPtr IBaseHpfTableModel::getDataByKey(const char* key) const {
  if (!key) return HpfRowPtr();
  return getDataByKey(std::string(key));
}

void IBaseHpfTableModel::clear() {
  if (m_store->clear() && !m_store->inBatch()) m_store->notifyCommitted();
}

void IBaseHpfTableModel::sortByColumnID(const HpfRowVector& rows, std::vector<int>& order,
                                        int column, bool ascending) const {
  if (customFieldSort(column) && customSort(rows, order, column, ascending)) return;
  // Bad indices would make the comparator read past the rows; drop them
  // rather than crash (they can only come from a caller's bug).
  const int size = static_cast<int>(rows.size());
  order.erase(
      std::remove_if(order.begin(), order.end(), [size](int i) { return i < 0 || i >= size; }),
      order.end());
  CHpfRowSorter::sort(*this, rows, order, column, ascending);
}

bool IBaseHpfTableModel::customSort(const HpfRowVector&, std::vector<int>&, int, bool) const {
  return false;
}

bool IBaseHpfTableModel::_addData(const HpfRowPtr& row) { return _doAddData(row); }

bool IBaseHpfTableModel::_doAddData(const HpfRowPtr& row) {
  if (!row) return false;
  const std::string key = row->key();
  if (key.empty()) {
    HPF_LOG_WARN(this, "a row without a key was refused");
    return false;
  }
  const bool changed = m_store->add(row, key);
  if (changed && !m_store->inBatch()) m_store->notifyCommitted();
  return changed;
}

bool IBaseHpfTableModel::_updateData(const HpfRowPtr& row) {
  if (!row) return false;
  const bool changed = m_store->update(row, row->key());
  if (changed && !m_store->inBatch()) m_store->notifyCommitted();
  return changed;
}

void IBaseHpfTableModel::_updateDelegateData(int column, const HpfDelegatePtr& delegate) {
  m_store->setDelegate(column, delegate);
}

HpfDelegatePtr IBaseHpfTableModel::_getDelegateData(int column) const {
  return m_store->delegate(column);
}

void IBaseHpfTableModel::setInfo(int tableId, int tableType) {
  m_store->setInfo(tableId, tableType);
}

QString IBaseHpfTableModel::getStat1QString() const {
  return QCoreApplication::translate("GU::CBaseHighPerformanceTable", "共 %1 条").arg(rowCount());
}

QString IBaseHpfTableModel::getStat1ColorKey() const { return QStringLiteral("clr_text_default"); }

int IBaseHpfTableModel::getDefaultSortFieldID() const { return -1; }

QVector<int> IBaseHpfTableModel::initColumns() const {
  const int count = std::max(0, columnCount());
  QVector<int> ids(count);
  std::iota(ids.begin(), ids.end(), 0);
  return ids;
}

bool IBaseHpfTableModel::customFieldSort(int) const { return false; }

bool IBaseHpfTableModel::addData(const HpfRowPtr& row) {
  if (!row) {
    HPF_LOG_WARN(this, "a null row was refused");
    return false;
  }
  return _addData(row);
}

bool IBaseHpfTableModel::replaceAllData(HpfRowVector rows,
                                        std::shared_ptr<const std::vector<std::string>> keys) {
  return replaceAllData(boost::make_shared<HpfRowVector>(std::move(rows)), std::move(keys));
}

bool IBaseHpfTableModel::replaceAllData(const boost::shared_ptr<HpfRowVector>& given,
                                        std::shared_ptr<const std::vector<std::string>> keys) {
  boost::shared_ptr<HpfRowVector> rows = given ? given : boost::make_shared<HpfRowVector>();
  if (!keys || keys->size() != rows->size()) {
    auto asked = std::make_shared<std::vector<std::string>>();
    asked->reserve(rows->size());
    for (const HpfRowPtr& row : *rows) asked->push_back(row ? row->key() : std::string());
    keys = asked;
  }
  const std::vector<std::string>& rowKeys = *keys;
  std::size_t refused = 0;
  for (std::size_t i = 0; i < rows->size(); ++i) {
    if (!(*rows)[i]) {
      HPF_LOG_WARN(this, "a null row was refused");
      ++refused;
    } else if (rowKeys[i].empty()) {
      HPF_LOG_WARN(this, "a row without a key was refused");
      ++refused;
    }
  }
  if (refused > 0) {
    // Copies without the refused rows, keeping the order of the rest.
    auto keptRows = boost::make_shared<HpfRowVector>();
    auto keptKeys = std::make_shared<std::vector<std::string>>();
    keptRows->reserve(rows->size() - refused);
    keptKeys->reserve(rows->size() - refused);
    for (std::size_t i = 0; i < rows->size(); ++i) {
      if (!(*rows)[i] || rowKeys[i].empty()) continue;
      keptRows->push_back((*rows)[i]);
      keptKeys->push_back(rowKeys[i]);
    }
    rows = keptRows;
    keys = keptKeys;
  }
  const bool changed = m_store->replaceAll(std::move(rows), std::move(keys));
  if (changed && !m_store->inBatch()) m_store->notifyCommitted();
  return changed;
}

bool IBaseHpfTableModel::updateData(const HpfRowPtr& row) {
  if (!row) return false;
  return _updateData(row);
}

HpfRowPtr IBaseHpfTableModel::getData(int row) const { return m_store->at(row); }

HpfRowVector IBaseHpfTableModel::getAllDatas() const { return m_store->copyAll(); }

int IBaseHpfTableModel::rowCount() const { return m_store->count(); }

HpfDelegatePtr IBaseHpfTableModel::columnDelegate(int column) const {
  return _getDelegateData(column);
}

void IBaseHpfTableModel::setColumnDelegate(int column, const HpfDelegatePtr& delegate) {
  _updateDelegateData(column, delegate);
}

void IBaseHpfTableModel::beginBatch() { m_store->beginBatch(); }

void IBaseHpfTableModel::endBatch() {
  if (m_store->endBatch()) m_store->notifyCommitted();
}

bool IBaseHpfTableModel::hasUncommittedRows() const { return m_store->hasUncommitted(); }

HpfRowSnapshot IBaseHpfTableModel::committedRows() const { return m_store->committed(); }

HpfRowSnapshot IBaseHpfTableModel::publishRows() { return m_store->publish(); }

void IBaseHpfTableModel::setRowsCommittedListener(const boost::function<void()>& listener) {
  m_store->setListener(listener);
}

int IBaseHpfTableModel::tableId() const { return m_store->tableId(); }

int IBaseHpfTableModel::tableType() const { return m_store->tableType(); }

}  // namespace GU
