#pragma once
// One row of a high-performance table. A row answers per-cell questions for a
// column id; the table asks only for the cells it paints, sorts or filters, so
// computing on request is cheaper than caching 100,000 rows of text.
//
// Threads: rows are built on any thread (usually a model's worker) and read on
// the GUI thread while other threads may read them too. A row must therefore
// be immutable once handed to a model, or guard its own mutable state; the
// framework never changes a row. Rows are shared by boost::shared_ptr
// (GU::HpfRowPtr) and freed with the last snapshot that holds them.
//
// Virtual slot order is part of the contract with the panels: do not reorder.

#include "lwhost_table_export.h"

#include "host/table/hpftypes.h"

#include <QColor>
#include <QPixmap>
#include <QString>
#include <string>

namespace GU {

class LWHOST_TABLE_EXPORT IBaseHpfTableData {
public:
  virtual ~IBaseHpfTableData();

  // The text painted in the cell. Default: getQString(column).
  virtual QString getDisplayQString(int column);
  // The cell's text value (sorting of text columns, filters). Default: empty.
  virtual QString getQString(int column);
  // Numeric values; the no-value markers of host/core/tradertypes.h mean "no
  // value" and sort below every value. Defaults: the no-value markers.
  virtual int getInt(int column);
  virtual double getDouble(int column);
  virtual long long getInt64(int column);
  // Text colour of the cell; null means the table's default text colour. The
  // pointee must outlive the row (UI resource colours live for the process).
  virtual const QColor* getTextColor(int column);
  // The row key: unique within a model; models and delegates index rows by it.
  virtual std::string key() = 0;
  // key() as a QString (UTF-8, invalid sequences become U+FFFD).
  virtual QString qsKey();
  // The text the table's text filter looks at. Default: getDisplayQString.
  virtual QString getFilterQString(int column);
  // The text a range filter compares (e.g. "20240131" for a date). Default:
  // getQString.
  virtual QString getRangeFilterQString(int column);
  // A unit appended to the painted number ("万", "%"). Default: empty.
  virtual QString getDisplayUnit(int column);
  // The column id that a field name denotes for this row kind, -1 when none.
  virtual int getIndexFromName(const QString& name);
  // Icon painted before the text in icon columns; null for none. The pointee
  // must outlive the row (UI resource pixmaps live for the process).
  virtual const QPixmap* getIcon(int column);
  // The tooltip of that icon. Default: empty.
  virtual QString getIconTip(int column);
  // A second, smaller text under the cell's text (e.g. a warning). Defaults:
  // false / empty.
  virtual bool isShowUnderTip(int column);
  virtual QString getUnderTipText(int column);
  // Qt::Alignment of the cell; 0 lets the table choose (numbers right, text
  // left).
  virtual int alignFlag(int column);
  // A hash of key(), used to find the selected row again after a reload.
  virtual size_t hashKey();
  // Integer cells shown in hexadecimal ("0x1F"). Default: false.
  virtual bool is32HexMode(int column);
  // Rows left out of totals. Default: false.
  virtual bool isIgnoreSummary();
  // Price-factor scaling: values of columns for which isPrecFactorColumn() is
  // true are divided by getPrecFactor() for display when the row has the
  // attribute. Defaults: no attribute, factor 1, no column.
  virtual bool isPrecFactorAtttibute();
  virtual double getPrecFactor();
  virtual bool isPrecFactorColumn(int column);
  // Copies other's state into this row when both are of the same class; the
  // default copies nothing and returns false.
  virtual bool assign(const IBaseHpfTableData& other);
};

}  // namespace GU
