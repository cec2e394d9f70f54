#pragma once
// The case-folded texts of a table's filterable columns, kept column by
// column for one row snapshot, so that the next filter texts typed over the
// same rows are matched without asking a single row for its text again.
//
// The table's filter keeps a row when a column's text contains the filter
// text, ignoring case as QStringMatcher(Qt::CaseInsensitive) does: every
// UTF-16 unit folded by itself (simple case folding). The cache stores each
// column's texts of all rows in one buffer, folded once when built, and
// searches a filter text through it with a Boyer-Moore-Horspool scan that
// skips to the next row after a hit. Texts with surrogate pairs fold by code
// point, with their neighbour; the rows holding any are matched with
// QStringMatcher itself, and a filter text holding one is not answered at
// all (the table then filters row by row), so the answer is always the one
// QStringMatcher gives.
//
// Internal to the table library; GUI thread only (the table's).

#include "lwhost_table_export.h"

#include "host/table/hpftypes.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace GU {

class LWHOST_TABLE_EXPORT CHpfFilterCache {
public:
  // Forgets the rows (and the memory of their texts).
  void clear();
  // True when built for exactly this snapshot and these columns.
  bool isBuiltFor(const HpfRowSnapshot& rows, const std::vector<int>& columns) const;
  // Reads the filter texts (getFilterQString) of columns from every row of
  // rows; null rows match nothing.
  void build(const HpfRowSnapshot& rows, const std::vector<int>& columns);
  // Appends the index of every row a column of which contains filter,
  // ascending. False (and nothing appended) when filter holds a surrogate or
  // is empty: the caller filters row by row then.
  bool match(const QString& filter, std::vector<int>& order) const;
  // Bytes held, for the memory benchmarks.
  std::size_t memoryBytes() const;

private:
  struct SColumn {
    std::vector<char16_t> text;        // every row's folded text, back to back
    std::vector<std::uint32_t> start;  // row r is [start[r], start[r + 1])
  };
  // A row with a surrogate in one of its texts, matched as given.
  struct SRawRow {
    int row;
    std::vector<QString> texts;  // one per column
  };

  HpfRowSnapshot m_rows;
  std::vector<int> m_columnIds;
  std::vector<SColumn> m_columns;
  std::vector<SRawRow> m_rawRows;  // ascending by row
};

}  // namespace GU
