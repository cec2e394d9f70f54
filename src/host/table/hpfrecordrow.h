#pragma once
// A table row that shows one plain host record through a registered record
// layout (CHpfRecordColumns). Immutable after construction; the record is
// shared with the host and only read.
//
// Threads: any thread may read a row.

#include "lwhost_table_export.h"

#include "host/table/hpfrecordcolumns.h"
#include "host/table/ibasehpftabledata.h"

namespace LW {

class LWHOST_TABLE_EXPORT CHpfRecordRow : public GU::IBaseHpfTableData {
public:
  // record: shared with the host's data centre; layout: shared with the table.
  CHpfRecordRow(const boost::shared_ptr<mxservice::IData>& record,
                const HpfRecordLayoutPtr& layout);
  ~CHpfRecordRow() override;

  QString getDisplayQString(int column) override;
  QString getQString(int column) override;
  int getInt(int column) override;
  double getDouble(int column) override;
  long long getInt64(int column) override;
  std::string key() override;
  int getIndexFromName(const QString& name) override;

  const boost::shared_ptr<mxservice::IData>& record() const { return m_record; }

private:
  QVariant cell(int column) const;

  boost::shared_ptr<mxservice::IData> m_record;
  HpfRecordLayoutPtr m_layout;
  std::string m_key;  // the record's data key, taken once
};

}  // namespace LW
