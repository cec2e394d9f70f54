#pragma once
// The default sort of a table model: the stable sort of a row order by the
// model's compare(), made fast for 100,000 rows.
//
// A comparison sort calls compare() about 1.7 million times for 100,000 rows,
// and each call costs two or more virtual calls into the rows (which may
// compute their cells) plus cache misses. So the sorter first orders the rows
// by a key of the column's value kind, read once per row (getDouble, getInt,
// getInt64 or getQString, with the same no-value rules as the default
// compare()), and then walks the result with compare() itself: every
// adjacent pair must be in order by compare(), and every run of rows that
// compare() calls equal is put back into the order it was handed over in.
// When the model's compare() disagrees anywhere (a subclass with its own
// rules), the sorter falls back to a plain stable sort by compare(). Either
// way the result is the stable sort by compare() of the given order whenever
// compare() is a strict weak ordering.
//
// Runs on the caller's thread, without any lock; internal to the library.

#include "lwhost_table_export.h"

#include "host/table/hpftypes.h"

namespace GU {

class IBaseHpfTableModel;

class LWHOST_TABLE_EXPORT CHpfRowSorter {
public:
  // order: indices into rows, all valid.
  static void sort(const IBaseHpfTableModel& model, const HpfRowVector& rows,
                   std::vector<int>& order, int column, bool ascending);
};

}  // namespace GU
