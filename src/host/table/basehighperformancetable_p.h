#pragma once
// Private state of GU::CBaseHighPerformanceTable, shared with its view.
// GUI thread only; the two posts are called from any thread.

#include "host/core/coalescedpost.h"
#include "host/table/basehighperformancetable.h"
#include "host/table/hpffiltercache.h"
#include "host/table/hpftablelayout.h"

#include <QPointer>
#include <map>

class QHeaderView;

namespace GU {

class CHpfHeaderModel;
class CHpfTableView;

// One column of the table (model column or added column).
struct SHpfColumn {
  int id = -1;
  QString title;
  QString tip;
  int kind = HPF_KIND_TEXT;
  bool extra = false;  // added with addColumn(); cells from the extra-data model
  bool bold = false;
  bool showIcon = false;
  bool filterable = true;
  bool sortable = true;
  int defaultWidth = 100;
  int width = 100;  // kept here too: a hidden section reports size 0
  int alignment = 0;
  bool hiddenByDefault = false;  // added hidden (addColumn)
};

using CTablePost = utils::CCoalescedPost<utils::SNoPayload>;

struct CBaseHighPerformanceTable::Private {
  int id = 0;
  int tableType = 0;
  BaseTableMenuFlags menuFlags;
  int flags = TABLE_FLAG_ALL;
  QString layoutScope;

  boost::shared_ptr<IBaseHpfTableModel> model;  // shared with the panel
  std::unique_ptr<CHpfExtraDataModel> extra;
  std::vector<SHpfColumn> columns;  // logical order (the header's sections)
  std::map<int, HpfDelegatePtr> delegates;
  SHpfLayout defaultLayout;

  CHpfHeaderModel* headerModel = nullptr;  // owned by the view
  CHpfTableView* view = nullptr;           // owned by the table (Qt child)

  HpfRowSnapshot rows;     // the shown snapshot (published by the model)
  std::vector<int> order;  // view row -> index into *rows
  int sortColumn = -1;
  bool sortAscending = true;
  QString filter;
  // The filterable texts of the shown snapshot, kept while the user types
  // filter texts over it; dropped by updateTable() (rows may have changed
  // their texts in place) and built by setFilterText() only.
  CHpfFilterCache filterCache;
  int current = -1;      // view row
  HpfRowPtr currentRow;  // to find the current row again after a reload
  std::string currentKey;
  bool appendSeq = false;
  int rowHeight = 22;
  bool refreshPending = false;  // updateTable() came during a model batch

  // The model's commit listener and the delegates' repaint hooks (any
  // thread) share these; the table closes them first in its destructor.
  std::shared_ptr<CTablePost> refreshPost;  // a commit: updateTable() if one is pending
  std::shared_ptr<CTablePost> repaintPost;  // a delegate's repaint: the viewport

  // The painted text of a cell; *colour gets the cell's text colour (invalid
  // for the default). key is needed for added columns only.
  QString cellText(IBaseHpfTableData& row, const SHpfColumn& column, const std::string& key,
                   QColor* colour) const;
  int logicalOf(int id) const;
  const SHpfColumn* column(int id) const;
  SHpfColumn* column(int id);
};

}  // namespace GU
