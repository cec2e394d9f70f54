#pragma once
// The host's column layouts for tables of plain host records: for a table type
// (16371: bond trading records), which fields of the record are shown, under
// which titles, sorted how. CHpfDataTable::updateDatas() lays records out by
// this registry.
//
// Threads: lookups and registration may happen on any thread (m_mutex in the
// .cpp); a registered layout is immutable and shared, so a table keeps using
// the one it got even if the type is registered again.

#include "lwhost_table_export.h"

#include "host/data/idata.h"

#include <QString>
#include <QVariant>
#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>
#include <vector>

namespace LW {

struct LWHOST_TABLE_EXPORT SHpfRecordColumn {
  QString title;
  int kind = 10;     // GU::EHpfValueKind
  int decimals = 2;  // shown decimals of a decimal column
  // The cell of a record: a string, int or double; an invalid QVariant for no
  // value (also for a record of another class).
  boost::function<QVariant(const mxservice::IData&)> value;
};

using HpfRecordLayout = std::vector<SHpfRecordColumn>;
using HpfRecordLayoutPtr = boost::shared_ptr<const HpfRecordLayout>;

class LWHOST_TABLE_EXPORT CHpfRecordColumns {
public:
  // Replaces the layout of tableType; column ids are the positions.
  static void registerColumns(int tableType, const HpfRecordLayout& columns);
  // Null when the table type has no layout. The bond trading record layout
  // (16371) is built in.
  static HpfRecordLayoutPtr columnsOf(int tableType);
};

}  // namespace LW
