#pragma once
// The standard high-performance table: the engine plus the context menu
// ("复制", "导出", "显示列", "恢复默认列", as the menu flags allow), CSV export and
// the event routing of a framework widget.
//
// GUI thread only.

#include "lwhost_table_export.h"

#include "host/table/basehighperformancetable.h"

#include <boost/function.hpp>

namespace GU {

class LWHOST_TABLE_EXPORT CStandardHpfTable : public CBaseHighPerformanceTable {
public:
  CStandardHpfTable(int id, int tableType, QWidget* parent, BaseTableMenuFlags menuFlags);
  ~CStandardHpfTable() override;

  // Passes every event it does not know (all of them, for the standard table)
  // to the parents with deliverEvent(); returns whether one consumed it.
  bool handleEvent(int id, int wParam, int lParam, QString text, void* data) override;

  QMenu* createContextMenu(int viewRow, int id, QWidget* parent) override;

  // The text "复制" puts on the clipboard for a view row: the shown columns'
  // cell texts joined by tabs, or only column id when the model copies cells.
  QString copyText(int viewRow, int id) const;
  // Writes the shown columns' titles and every shown row (view order) as
  // UTF-8 CSV with a byte-order mark. False (and *error) on failure.
  bool exportCsv(const QString& path, QString* error = nullptr) const;
  // Chooses the export file; the default asks with a save dialog. Returns the
  // path or empty to cancel. Replaceable so that export runs unattended.
  void setExportPathProvider(const boost::function<QString(const QString& suggested)>& provider);

protected:
  void copyToClipboard(int viewRow, int id) override;

private:
  boost::function<QString(const QString&)> m_exportPathProvider;  // GUI thread
};

}  // namespace GU
