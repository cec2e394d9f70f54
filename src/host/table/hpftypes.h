#pragma once
// Shared vocabulary of the high-performance table: row and delegate pointer
// types, the table and menu flag bits, value kinds, and the numbered events the
// table sends through the event deliverer chain.

#include "lwhost_table_export.h"

#include <QFlags>
#include <boost/shared_ptr.hpp>
#include <vector>

namespace GU {

class IBaseHpfTableData;
class CBaseTableColumnDelegate;

// Rows are shared between the model, its snapshots and whoever reads them; a
// row is never freed while a snapshot that holds it is alive.
using HpfRowPtr = boost::shared_ptr<IBaseHpfTableData>;
using HpfRowVector = std::vector<HpfRowPtr>;
// An immutable list of rows: what a table shows between two updateTable().
using HpfRowSnapshot = boost::shared_ptr<const HpfRowVector>;
// Delegates are shared by the table and its model so that a worker thread that
// asks the model for a column's delegate never reaches a destroyed one.
using HpfDelegatePtr = boost::shared_ptr<CBaseTableColumnDelegate>;

// Value kinds of a column: the numbers of the matching QVariant types.
enum EHpfValueKind {
  HPF_KIND_INT = 2,     // QVariant::Int, getInt()
  HPF_KIND_INT64 = 4,   // QVariant::LongLong, getInt64()
  HPF_KIND_DOUBLE = 6,  // QVariant::Double, getDouble()
  HPF_KIND_TEXT = 10,   // QVariant::String, getQString()
};

// Events the table sends (see CBaseHighPerformanceTable).
enum EHpfTableEvent {
  // A row was clicked: wParam HPF_CLICK_*, lParam the row index in model order
  // (getData(lParam) is the row), text the row key, data a SHpfClickData*.
  HPF_EVENT_ROW_CLICKED = 43,
  // A delegate button was pressed: wParam 0, lParam the button id, text the row
  // key, data null.
  HPF_EVENT_BUTTON_PRESSED = 228,
};

// wParam of HPF_EVENT_ROW_CLICKED.
enum EHpfClickKind {
  HPF_CLICK_LEFT = 0,
  HPF_CLICK_DOUBLE = 1,
  HPF_CLICK_KEYBOARD = 2,  // Enter on the current row
};

// The block that data points to with HPF_EVENT_ROW_CLICKED; valid during the
// call only. The first member is the clicked column id (-1 when the click did
// not hit a column, e.g. Enter on the keyboard or the sequence column).
struct LWHOST_TABLE_EXPORT SHpfClickData {
  int columnId;
  int viewRow;  // position on screen after sorting and filtering
};

// Context-menu entries a table offers (constructor argument of the tables).
enum EBaseTableMenuFlag {
  MENU_FLAG_NONE = 0x00,
  MENU_FLAG_COPY = 0x01,     // "复制": the current row's cells, tab separated
  MENU_FLAG_EXPORT = 0x02,   // "导出": every shown row to a CSV file
  MENU_FLAG_COLUMNS = 0x04,  // "显示列": show or hide columns
  MENU_FLAG_RESET = 0x08,    // "恢复默认列": back to the default layout
  MENU_FLAG_ALL = 0xFF,      // the upper bits are reserved
};
Q_DECLARE_FLAGS(BaseTableMenuFlags, EBaseTableMenuFlag)

// Behaviour bits of a table (flag()/setFlag()). All are on by default.
enum EBaseTableFlag {
  TABLE_FLAG_SORTABLE = 0x01,          // a header click sorts
  TABLE_FLAG_COLUMN_MOVABLE = 0x02,    // header sections can be dragged
  TABLE_FLAG_COLUMN_RESIZABLE = 0x04,  // header sections can be resized
  // Follow the tail: when updateTable() brings more rows while the view is
  // scrolled to the bottom, it stays at the bottom. Right for journals that
  // grow at the end, wrong for lists that are re-sorted and re-filtered
  // (instrument lists turn it off so the user's place is kept).
  TABLE_FLAG_FOLLOW_TAIL = 0x08,
  TABLE_FLAG_GRID = 0x10,            // thin lines between cells
  TABLE_FLAG_KEEP_SELECTION = 0x20,  // updateTable() re-selects the current row by key
  TABLE_FLAG_ALL = 0x3F,
};

}  // namespace GU

Q_DECLARE_OPERATORS_FOR_FLAGS(GU::BaseTableMenuFlags)
