#pragma once
// The text form of a table layout, as panels persist it: which columns in
// which order, their widths, which are hidden, and the sort.
//
//   HPFT1;scope=550.1;cols=3:120:0,0:80:1;sort=3:d;crc=1a2b
//
// "HPFT1" names the format and its version; scope names the table kind the
// layout belongs to (a layout of another table is foreign); cols lists
// id:width:hidden in display order; sort is id:a or id:d, or -1 for none; crc
// is the CRC-16 (qChecksum) of everything before ";crc=", so a truncated or
// edited text is recognised as such rather than half applied. A newer version
// is refused by this reader: its meaning may differ.
//
// Pure value code; any thread.

#include "lwhost_table_export.h"

#include <QString>
#include <vector>

namespace GU {

struct LWHOST_TABLE_EXPORT SHpfLayoutColumn {
  int id = 0;
  int width = 0;
  bool hidden = false;
  bool operator==(const SHpfLayoutColumn& o) const {
    return id == o.id && width == o.width && hidden == o.hidden;
  }
};

struct LWHOST_TABLE_EXPORT SHpfLayout {
  QString scope;
  std::vector<SHpfLayoutColumn> columns;  // display order
  int sortColumn = -1;
  bool sortAscending = true;
};

class LWHOST_TABLE_EXPORT CHpfTableLayout {
public:
  static constexpr int kMinWidth = 8;
  static constexpr int kMaxWidth = 4000;

  static QString encode(const SHpfLayout& layout);
  // Parses a text of encode(). False (with *error saying why, when not null)
  // for anything that is not a complete, well-formed layout: wrong header or
  // version, bad checksum, missing or repeated fields, bad numbers, widths out
  // of range, repeated column ids, a sort column not among the columns.
  static bool decode(const QString& text, SHpfLayout* layout, QString* error = nullptr);
};

}  // namespace GU
