#include "host/table/hpfrowsorter.h"

#include "host/core/tradertypes.h"
#include "host/table/ibasehpftabledata.h"
#include "host/table/ibasehpftablemodel.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

namespace GU {

namespace {

// A number key: the value, whether there is one (no value and NaN count
// alike), and the row's index.
template <typename T>
struct SNumberKey {
  T value;
  int index;
  int hasValue;  // an int rather than a bool: 16 bytes per double key
};

// Rows are visited in sorted order, which is random in memory; asking for the
// row a few steps ahead hides most of the cache misses of 100,000 rows.
inline void prefetchRow(const HpfRowVector& rows, const std::vector<int>& order, size_t at) {
#if defined(__GNUC__)
  if (at < order.size()) __builtin_prefetch(rows[static_cast<size_t>(order[at])].get());
#else
  Q_UNUSED(rows);
  Q_UNUSED(order);
  Q_UNUSED(at);
#endif
}

const size_t kPrefetchDistance = 8;

// An unsigned key whose order is the number's order (-0.0 and 0.0 alike).
inline quint64 orderedBits(double value) {
  if (value == 0) value = 0.0;
  quint64 bits;
  std::memcpy(&bits, &value, sizeof bits);
  return (bits & (quint64(1) << 63)) ? ~bits : bits | (quint64(1) << 63);
}
inline quint64 orderedBits(int value) { return quint64(quint32(value) ^ 0x80000000u); }
inline quint64 orderedBits(long long value) { return quint64(value) ^ (quint64(1) << 63); }

struct SRadixKey {
  quint64 key;
  int index;
};

// Stable LSD radix sort by key, a byte at a time; a pass in which every key
// has the same byte is skipped. Linear in the rows, where a comparison sort
// of 100,000 keys costs most of a header click.
void radixSort(std::vector<SRadixKey>& keys) {
  if (keys.size() < 2) return;
  std::vector<SRadixKey> buffer(keys.size());
  for (int shift = 0; shift < 64; shift += 8) {
    size_t count[256] = {};
    for (const SRadixKey& k : keys) ++count[(k.key >> shift) & 0xFF];
    if (count[(keys[0].key >> shift) & 0xFF] == keys.size()) continue;
    size_t position = 0;
    for (size_t& c : count) {
      const size_t n = c;
      c = position;
      position += n;
    }
    for (const SRadixKey& k : keys) buffer[count[(k.key >> shift) & 0xFF]++] = k;
    keys.swap(buffer);
  }
}

// Number keys arrive in model order (ascending indices): a stable sort by
// value alone then leaves equal values in model order. Rows without a value
// come first ascending and last descending, in model order too.
template <typename T>
void radixSortNumbers(std::vector<int>& order, bool ascending,
                      const std::vector<SNumberKey<T>>& numbers) {
  std::vector<SRadixKey> keys;
  keys.reserve(numbers.size());
  std::vector<int> missing;
  for (const SNumberKey<T>& n : numbers) {
    if (!n.hasValue) {
      missing.push_back(n.index);
      continue;
    }
    const quint64 bits = orderedBits(n.value);
    keys.push_back(SRadixKey{ascending ? bits : ~bits, n.index});
  }
  radixSort(keys);
  size_t at = 0;
  if (ascending) {
    for (int index : missing) order[at++] = index;
  }
  for (const SRadixKey& k : keys) order[at++] = k.index;
  if (!ascending) {
    for (int index : missing) order[at++] = index;
  }
}

template <typename T, typename Get>
std::vector<SNumberKey<T>> numberKeys(const HpfRowVector& rows, const std::vector<int>& order,
                                      Get get) {
  std::vector<SNumberKey<T>> keys;
  keys.reserve(order.size());
  for (int index : order) {
    const HpfRowPtr& row = rows[static_cast<size_t>(index)];
    bool hasValue = false;
    T value = T();
    if (row) hasValue = get(*row, &value);
    keys.push_back(SNumberKey<T>{value, index, hasValue ? 1 : 0});
  }
  return keys;
}

// The first four UTF-16 units, packed so that comparing the numbers orders
// like comparing the texts (QString compares unit by unit). Most pairs differ
// there, which spares the sort a trip to each text's characters.
quint64 textPrefix(const QString& text) {
  quint64 prefix = 0;
  const int n = qMin(4, text.size());
  for (int i = 0; i < 4; ++i) {
    prefix <<= 16;
    if (i < n) prefix |= text.at(i).unicode();
  }
  return prefix;
}

struct STextKey {
  quint64 prefix;
  QString text;
  int index;
  bool present;  // a missing row sorts first
  // The text has at most four units: the prefix holds all of it, so two
  // such texts with the same prefix differ at most in length (a shorter one
  // padded with zeros, which QString orders first).
  bool isShort;
};

// order is in model order (ascending indices).
void keyedSort(const HpfRowVector& rows, std::vector<int>& order, int column, int kind,
               bool ascending) {
  switch (kind) {
    case HPF_KIND_DOUBLE:
      radixSortNumbers(order, ascending,
                       numberKeys<double>(rows, order, [column](IBaseHpfTableData& row, double* v) {
                         *v = row.getDouble(column);
                         return *v != mxservice::kNoValueDouble && !std::isnan(*v);
                       }));
      return;
    case HPF_KIND_INT:
      radixSortNumbers(order, ascending,
                       numberKeys<int>(rows, order, [column](IBaseHpfTableData& row, int* v) {
                         *v = row.getInt(column);
                         return *v != mxservice::kNoValueInt;
                       }));
      return;
    case HPF_KIND_INT64:
      radixSortNumbers(
          order, ascending,
          numberKeys<long long>(rows, order, [column](IBaseHpfTableData& row, long long* v) {
            *v = row.getInt64(column);
            return *v != mxservice::kNoValueInt64;
          }));
      return;
    default: {
      std::vector<STextKey> keys;
      keys.reserve(order.size());
      for (int index : order) {
        const HpfRowPtr& row = rows[static_cast<size_t>(index)];
        QString text = row ? row->getQString(column) : QString();
        const quint64 prefix = textPrefix(text);
        const bool isShort = text.size() <= 4;
        keys.push_back(STextKey{prefix, std::move(text), index, bool(row), isShort});
      }
      std::sort(keys.begin(), keys.end(), [ascending](const STextKey& a, const STextKey& b) {
        if (a.present != b.present) return ascending ? !a.present : a.present;
        if (a.prefix != b.prefix) return ascending ? a.prefix < b.prefix : a.prefix > b.prefix;
        const int c = a.isShort && b.isShort ? a.text.size() - b.text.size()
                                             : a.text.compare(b.text, Qt::CaseSensitive);
        if (c != 0) return ascending ? c < 0 : c > 0;
        return a.index < b.index;
      });
      for (size_t i = 0; i < keys.size(); ++i) order[i] = keys[i].index;
    }
  }
}

// Confirms order with compare() and puts runs of equal rows into model order.
// False when compare() disagrees with the order somewhere.
bool confirmWithCompare(const IBaseHpfTableModel& model, const HpfRowVector& rows,
                        std::vector<int>& order, int column, bool ascending) {
  size_t runStart = 0;
  for (size_t i = 0; i < kPrefetchDistance; ++i) prefetchRow(rows, order, i);
  for (size_t i = 1; i <= order.size(); ++i) {
    int c = 1;  // closes the last run
    if (i < order.size()) {
      prefetchRow(rows, order, i + kPrefetchDistance);
      c = model.compare(rows[static_cast<size_t>(order[i - 1])],
                        rows[static_cast<size_t>(order[i])], column);
      if (ascending ? c > 0 : c < 0) return false;
    }
    if (c != 0) {
      if (i - runStart > 1) std::sort(order.begin() + runStart, order.begin() + i);
      runStart = i;
    }
  }
  return true;
}

// Sorts order, which is in model order, so that the result is the stable
// sort by compare(): equal rows stay in model order.
void sortFromModelOrder(const IBaseHpfTableModel& model, const HpfRowVector& rows,
                        std::vector<int>& order, int column, bool ascending) {
  keyedSort(rows, order, column, model.columnValueKind(column), ascending);
  if (confirmWithCompare(model, rows, order, column, ascending)) return;
  // The model compares by its own rules: sort by them directly. Descending
  // mirrors the comparison so that equal rows keep model order as well.
  std::sort(order.begin(), order.end());
  if (ascending) {
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
      return model.compare(rows[static_cast<size_t>(a)], rows[static_cast<size_t>(b)], column) < 0;
    });
  } else {
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
      return model.compare(rows[static_cast<size_t>(a)], rows[static_cast<size_t>(b)], column) > 0;
    });
  }
}

}  // namespace

void CHpfRowSorter::sort(const IBaseHpfTableModel& model, const HpfRowVector& rows,
                         std::vector<int>& order, int column, bool ascending) {
  if (order.size() < 2) return;
  // Tables hand over the rows in model order (ascending indices). Any other
  // order is sorted as positions in it, over the rows taken in that order, so
  // that equal rows keep the order they came in.
  if (std::is_sorted(order.begin(), order.end())) {
    sortFromModelOrder(model, rows, order, column, ascending);
    return;
  }
  HpfRowVector given;
  given.reserve(order.size());
  for (int index : order) given.push_back(rows[static_cast<size_t>(index)]);
  std::vector<int> positions(order.size());
  std::iota(positions.begin(), positions.end(), 0);
  sortFromModelOrder(model, given, positions, column, ascending);
  std::vector<int> sorted;
  sorted.reserve(order.size());
  for (int position : positions) sorted.push_back(order[static_cast<size_t>(position)]);
  order.swap(sorted);
}

}  // namespace GU
